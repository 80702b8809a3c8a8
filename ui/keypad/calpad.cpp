#include "keypad/calpad.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

#include "field/handler_binding.h"
#include "field/key_press.h"
#include "field/keyboard_menu.h"
#include "field/long_line_edit.h"
#include "field/paste_filter.h"
#include "field/typed_input_filter.h"
#include "look/result_width.h"
#include "look/speed_button.h"
#include "look/ui_fonts.h"
#include "look/ui_palette.h"
#include "qt/minimise_guard.h"
#include "qt/monitors.h"
#include "qt/x11_desktop.h"
#include "reading/pasted_text.h"
#include "strip/strip_window.h"
#include "tray/notify_icon.h"

TCalPad1* CalPad1 = nullptr;
TPadEntry PadEntry(TVellox1::kExpressionLimit);
QString& PadExpr = PadEntry.PadExpr;
QString& PadNumber = PadEntry.PadNumber;

namespace {

struct ButtonPlace {
  const char* Caption;
  int Left, Top, Width, Margin;
  void (TCalPad1::*Handler)(QObject*);
};

// SpeedButton1 to SpeedButton16, in that order.
const ButtonPlace kButtons[16] = {
    {"１", 36, 32, 24, 4, &TCalPad1::SpeedButton1Click},
    {"２", 68, 32, 24, 4, &TCalPad1::SpeedButton2Click},
    {"３", 100, 32, 24, 3, &TCalPad1::SpeedButton3Click},
    {"４", 36, 64, 24, 3, &TCalPad1::SpeedButton4Click},
    {"５", 68, 64, 24, 4, &TCalPad1::SpeedButton5Click},
    {"６", 100, 64, 24, 4, &TCalPad1::SpeedButton6Click},
    {"７", 36, 96, 24, 4, &TCalPad1::SpeedButton7Click},
    {"８", 68, 96, 24, 4, &TCalPad1::SpeedButton8Click},
    {"９", 100, 96, 24, 4, &TCalPad1::SpeedButton9Click},
    {"０", 36, 128, 24, 4, &TCalPad1::SpeedButton10Click},
    {"＝", 68, 128, 56, 16, &TCalPad1::AnswerClick},
    {"Ｃ", 4, 4, 24, 3, &TCalPad1::ClearClick},
    {"×", 4, 32, 24, 1, &TCalPad1::SpeedButton13Click},
    {"÷", 4, 64, 24, 1, &TCalPad1::SpeedButton14Click},
    {"＋", 4, 96, 24, 1, &TCalPad1::SpeedButton15Click},
    {"－", 4, 128, 24, 1, &TCalPad1::SpeedButton16Click},
};

constexpr int kClearButton = 11;  // SpeedButton12

}  // namespace

TCalPad1::TCalPad1(QWidget* Parent) : QWidget(Parent) {
  CalPad1 = this;
  if (Vellox1 != nullptr) Vellox1->Keypad = this;
  setWindowTitle(tr("CalcPad"));
  // A fixed size leaves nothing to maximise; minimised, the tray icon's menu brings it back.
  setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(JapaneseUiFont(12));
  move(kLeft, kTop);
  // A monitor that goes may take the keypad's title bar with it.
  connect(new TMonitorWatch(this), &TMonitorWatch::Changed, this, &TCalPad1::KeepReachable);

  // The field is wide enough for the longest result in its font (93 pixels at the least), and the
  // window grows to the right with it, so an answer is never shown cut; the buttons keep their places.
  Edit1 = new QLineEdit(this);
  Edit1->setGeometry(32, 4, kFieldWidth, 20);
  Edit1->resize(std::max(kFieldWidth, ResultFieldWidth(Edit1)), Edit1->height());
  setFixedSize(Edit1->geometry().right() + 1 + 3, 154);
  Edit1->setAccessibleName(tr("パッド入力"));
  new TKeyPressFilter(Edit1, [this](QObject* Sender, QChar& Key) { EditKeyPress(Sender, Key); });
  // Digits only: the input method is off here, and full-width digits and operators arrive as ASCII.
  new TTypedInputFilter(Edit1, TTypedInputFilter::TComposition::Refused);
  auto* Paste = new TPasteFilter(Edit1, [this](QWidget* Field, const QString& Text) { PasteKeys(Field, Text); });
  // The field shows only what the entry says: any other edit (Delete, cut, undo, a drag out) is
  // taken back, so it never shows a number the expression does not hold.
  ShowField();
  connect(Edit1, &QLineEdit::textChanged, this, [this] {
    if (Edit1->text() != PadEntry.Field()) ShowField();
  });

  for (size_t I = 0; I < SpeedButtons.size(); ++I) {
    const ButtonPlace& Place = kButtons[I];
    auto* Button = new TSpeedButton(this);
    Button->setGeometry(Place.Left, Place.Top, Place.Width, 24);
    Button->setText(QString::fromUtf8(Place.Caption));
    Button->SetMargin(Place.Margin);
    QFont Font = JapaneseUiFont(16);
    Font.setBold(I == kClearButton);
    Button->setFont(Font);
    Button->setAccessibleName(QString::fromUtf8(Place.Caption));
    BindHandler(Button, &QToolButton::clicked, this, Place.Handler);
    SpeedButtons[I] = Button;
  }

  ShowColours();
  new TPaletteWatch(this, [this] { ShowColours(); });

  // Minimised, the keypad has no task-bar button and only the tray icon's menu brings it back:
  // without a notification area it stays up, or the strip would stay locked with no way out.
  new TMinimiseGuard(this, [] { return !CurrentNotifyIconShell().Available(); });

  // Escape closes the keypad as the window manager's close key does; the keys go back to the strip.
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
  // The strip's menu from the keyboard too.
  new TKeyboardMenu(Edit1, [] { return Vellox1 != nullptr ? Vellox1->PopupMenu1 : nullptr; },
                    [Paste] { return Paste->EditMenu(); }, Edit1);

  // The strip's menu on a right-button click on the background.
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& At) { Vellox1->PopupMenu1->popup(mapToGlobal(At)); });
}

TCalPad1::~TCalPad1() {
  // Nothing may reach a keypad that is gone through the global (the strip's pointer clears itself).
  if (CalPad1 == this) CalPad1 = nullptr;
}

void TCalPad1::ShowColours() {
  const TUiColours Colours = UiColours(palette());
  for (size_t I = 0; I < SpeedButtons.size(); ++I)
    SetTextColour(SpeedButtons[I], I == kClearButton ? Colours.CaptionRed : Colours.CaptionText);
}

void TCalPad1::KeepReachable() {
  const QRect Frame = frameGeometry();
  const QRect TitleBar(Frame.left(), Frame.top(), Frame.width(), std::max(1, geometry().top() - Frame.top()));
  const QList<QScreen*> Screens = QGuiApplication::screens();
  if (std::any_of(Screens.begin(), Screens.end(), [&](QScreen* S) { return S->geometry().intersects(TitleBar); }))
    return;
  move(QGuiApplication::primaryScreen()->geometry().topLeft() + QPoint(kLeft, kTop));
}

void TCalPad1::FormClose(QObject*) {
  Vellox1->SetKeypadOpen(false);
  // The keys go back to the strip once the keypad has gone, not to the hidden keypad.
  QMetaObject::invokeMethod(Vellox1, [] { Vellox1->ActivateForInput(); }, Qt::QueuedConnection);
}

void TCalPad1::ShowField() { Edit1->setText(PadEntry.Field()); }

void TCalPad1::EditInsert(QObject*) {
  ShowField();
  Vellox1->Edit1->setText(PadExpr);
}

void TCalPad1::AnswerClick(QObject*) { Apply(PadEntry.Answer()); }

void TCalPad1::ClearClick(QObject*) { Apply(PadEntry.Clear()); }

void TCalPad1::Apply(TPadEntry::TAction Action) {
  switch (Action) {
    case TPadEntry::TAction::None: return;
    case TPadEntry::TAction::Bell: Application::Beep(); return;
    case TPadEntry::TAction::ShowExpression: EditInsert(this); return;
    case TPadEntry::TAction::Answer:
      // Emptied first: should the evaluation raise, the keypad shows nothing.
      ShowField();
      Vellox1->Answer(this);
      // After a failure the strip shows no result (its field may say why), so the keypad shows none.
      PadEntry.ShowAnswer(Vellox1->ShownResult());
      ShowField();
      return;
    case TPadEntry::TAction::Clear:
      ShowField();
      Vellox1->Clear(this);
      return;
  }
}

void TCalPad1::EditKeyPress(QObject*, QChar& Key) {
  // A typed digit ends the number wherever the caret is, as its button does: the field is written
  // anew from the entry. Enter is passed on (a one-line field inserts nothing for it); every other
  // key is the entry's alone.
  const bool Enter = Key == u'\r';
  Apply(PadEntry.Type(Key));
  if (!Enter) Key = QChar();
}

void TCalPad1::PasteKeys(QWidget*, const QString& Pasted) {
  // Pasted or dropped text is typed: each character of its first line is a key for the entry.
  // The fields are written once, after the last key, and the bell rings once for the keys the
  // strip had no room for: written once a key, a long paste would lay out the strip's growing
  // expression once a character, for minutes.
  bool Written = false;
  bool Refused = false;
  const auto Flush = [&] {
    if (Written) EditInsert(this);
    if (Refused) Application::Beep();
    Written = Refused = false;
  };
  for (const QChar Character : FirstPastedLine(Pasted).Text) {
    switch (const TPadEntry::TAction Action = PadEntry.Type(Character)) {
      case TPadEntry::TAction::None: break;
      case TPadEntry::TAction::Bell: Refused = true; break;
      case TPadEntry::TAction::ShowExpression: Written = true; break;
      default:  // an answer or a clear acts on the strip at once, after what came before it
        Flush();
        Apply(Action);
    }
  }
  Flush();
}

void TCalPad1::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  SetAccessoryWindowState(this);
}

void TCalPad1::closeEvent(QCloseEvent* Event) {
  Application::Guard([this] { FormClose(this); });
  Event->accept();  // hidden, not destroyed; the program goes on
}
