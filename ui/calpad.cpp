#include "calpad.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>

#include "handler_binding.h"
#include "key_press.h"
#include "menu_check.h"
#include "qt/x11_desktop.h"
#include "speed_button.h"
#include "strip_window.h"
#include "ui_fonts.h"
#include "ui_palette.h"

TCalPad1* CalPad1 = nullptr;
QString PadExpr;
QString PadNumber;

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
  setWindowTitle(QStringLiteral("CalcPad"));
  setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  setFont(JapaneseUiFont(12));
  setFixedSize(128, 154);
  move(kLeft, kTop);

  Edit1 = new QLineEdit(this);
  Edit1->setGeometry(32, 4, 93, 20);
  Edit1->setAccessibleName(QStringLiteral("パッド入力"));
  new TKeyPressFilter(Edit1, [this](QObject* Sender, QChar& Key) { EditKeyPress(Sender, Key); });

  for (size_t I = 0; I < SpeedButtons.size(); ++I) {
    const ButtonPlace& Place = kButtons[I];
    auto* Button = new TSpeedButton(this);
    Button->setGeometry(Place.Left, Place.Top, Place.Width, 24);
    Button->setText(QString::fromUtf8(Place.Caption));
    Button->SetMargin(Place.Margin);
    QFont Font = JapaneseUiFont(16);
    Font.setBold(I == kClearButton);
    Button->setFont(Font);
    if (I == kClearButton) SetTextColour(Button, kClRed);
    Button->setAccessibleName(QString::fromUtf8(Place.Caption));
    BindHandler(Button, &QToolButton::clicked, this, Place.Handler);
    SpeedButtons[I] = Button;
  }

  // The strip's menu on a right-button click on the background.
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& At) { Vellox1->PopupMenu1->popup(mapToGlobal(At)); });
}

void TCalPad1::FormClose(QObject*) {
  SetMenuCheck(Vellox1->P1, false);
  Vellox1->SetFormEnabled(true);
}

void TCalPad1::EditInsert(QObject*) {
  Edit1->setText(PadNumber);
  Vellox1->Edit1->setText(PadExpr);
}

void TCalPad1::DigitClick(char Digit) {
  PadExpr += QLatin1Char(Digit);
  PadNumber += QLatin1Char(Digit);
  EditInsert(this);
}

void TCalPad1::OperatorClick(char Operator) {
  // Taken only after a number or while the field shows a result: the test is on the field.
  if (Edit1->text().isEmpty()) return;
  PadExpr += QLatin1Char(Operator);
  PadNumber.clear();
  Edit1->clear();
  Vellox1->Edit1->setText(PadExpr);
}

void TCalPad1::AnswerClick(QObject*) {
  PadExpr.clear();
  PadNumber.clear();
  Edit1->clear();
  Vellox1->Answer(this);
  Edit1->setText(Vellox1->Edit2->text());
}

void TCalPad1::ClearClick(QObject*) {
  PadExpr.clear();
  PadNumber.clear();
  Edit1->clear();
  Vellox1->Clear(this);
}

void TCalPad1::Backspace() {
  // The strings and both fields stay in step: the last digit of the number being entered goes.
  if (!PadNumber.isEmpty()) {
    PadNumber.chop(1);
    PadExpr.chop(1);
  }
  EditInsert(this);
}

void TCalPad1::EditKeyPress(QObject* Sender, QChar& Key) {
  const char16_t Typed = Key.unicode();
  if (Typed >= u'0' && Typed <= u'9') {
    PadExpr += Key;
    PadNumber += Key;
    Vellox1->Edit1->setText(PadExpr);
    return;  // the field inserts it at its caret
  }
  switch (Typed) {
    case u'*': SpeedButton13Click(Sender); break;
    case u'/': SpeedButton14Click(Sender); break;
    case u'+': SpeedButton15Click(Sender); break;
    case u'-': SpeedButton16Click(Sender); break;
    case u'\r': AnswerClick(Sender); return;  // passed on: a one-line field inserts nothing
    case u'\b': Backspace(); break;
    default: break;
  }
  Key = QChar();
}

void TCalPad1::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  SetSkipTaskbar(this);
}

void TCalPad1::closeEvent(QCloseEvent* Event) {
  Application::Guard([this] { FormClose(this); });
  Event->accept();  // hidden, not destroyed; the program goes on
}
