// The strip's form description: its components, their properties and the handlers bound to them.
#include <QAction>
#include <QFrame>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>

#include "field/double_click_selects_all.h"
#include "field/field_hint.h"
#include "field/handler_binding.h"
#include "field/key_commands.h"
#include "field/key_press.h"
#include "field/keyboard_menu.h"
#include "field/long_line_edit.h"
#include "field/paste_filter.h"
#include "field/typed_input_filter.h"
#include "look/program_icon.h"
#include "look/speed_button.h"
#include "look/ui_fonts.h"
#include "look/ui_palette.h"
#include "qt/input_lock.h"
#include "strip/result_field.h"
#include "strip/strip_window.h"
#include "tray/tray_icon.h"

namespace {

constexpr int kDesignedWidth = 384;
constexpr int kButtonTop = 6;
constexpr int kButtonHeight = 24;
constexpr int kFieldTop = 8;
constexpr int kFieldHeight = 20;

TSpeedButton* MakeButton(QWidget* Parent, const QString& Caption, const QString& Hint, int Left, int Width) {
  auto* Button = new TSpeedButton(Parent);
  Button->SetFlat(true);
  Button->setText(Caption);
  Button->SetHint(Hint);
  Button->setGeometry(Left, kButtonTop, Width, kButtonHeight);
  return Button;
}

void SetBold(TSpeedButton* Button) {
  QFont Font = Button->font();
  Font.setBold(true);
  Button->setFont(Font);
}

}  // namespace

void TVellox1::CreateComponents() {
  Panel1 = new QFrame(this);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setGeometry(0, 0, kDesignedWidth, kHeight);

  // Right to left as laid out at run time; the positions depending on the width are set by FormCreate.
  SpeedButton1 = MakeButton(Panel1, QStringLiteral("E&XIT"), tr("閉じる"), 334, 40);
  SpeedButton2 = MakeButton(Panel1, QStringLiteral("＝"), tr("計算結果"), 178, 24);
  SpeedButton3 = MakeButton(Panel1, QStringLiteral("&C"), tr("クリア"), 36, 24);
  SpeedButton4 = MakeButton(Panel1, QStringLiteral("▼"), tr("最小化"), 8, 24);
  SpeedButton5 = MakeButton(Panel1, QStringLiteral("&P"), tr("パッド入力"), 306, 24);
  SetBold(SpeedButton3);
  SetBold(SpeedButton5);

  // The fields lie on the window itself, above the panel.
  Edit1 = new TLongLineEdit(this);  // it may hold 65,536 characters: its costs follow what is in view
  Edit1->setGeometry(68, kFieldTop, 104, kFieldHeight);
  Edit1->setAccessibleName(tr("計算式"));
  Edit1->setMaxLength(kExpressionLimit);
  Hint = new TFieldHint(
      Edit1, tr("式を入力して Enter（↑↓ 履歴、%1 前回の答え）").arg(QKeySequence(kAnswerKey).toString()));
  Edit2 = new QLineEdit(this);
  Edit2->setGeometry(210, kFieldTop, 85, kFieldHeight);
  Edit2->setAccessibleName(tr("結果"));
  setTabOrder(Edit1, Edit2);
  // Read-only, empty, greyed and silver at start.
  Result = new TResultField(Edit2, Edit1, kAnswerKey);

  TrayIcon1 = new TTrayIcon(this);

  // Not a child of the strip: the menu must keep working while the strip takes no input, and
  // it is also the keypad's and the tray icon's menu.
  PopupMenu1 = new QMenu;
  Undo1 = PopupMenu1->addAction(tr("元のサイズに戻す(&R)"));
  Mini1 = PopupMenu1->addAction(tr("最小化(&N)"));
  N2 = PopupMenu1->addSeparator();
  P1 = PopupMenu1->addAction(tr("パッド入力(&P)"));
  Align = PopupMenu1->addMenu(tr("表示位置(&A)"));
  Align1 = Align->addAction(tr("上に張り付く(&T)"));
  Align2 = Align->addAction(tr("下に張り付く(&B)"));
  N1 = PopupMenu1->addSeparator();
  Close1 = PopupMenu1->addAction(tr("閉じる(&C)"));

  Lock = new TInputLock(this);
}

void TVellox1::DescribeForm() {
  setWindowTitle(QStringLiteral("Vellox"));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setFont(JapaneseUiFont(12));
  setWindowIcon(ProgramIcon());
  resize(kDesignedWidth, kHeight);

  Edit1->setFocus();  // the active control when the strip is first active

  ShowColours();
  PopupMenu1->setDefaultAction(Undo1);  // drawn in bold
  Panel1->setContextMenuPolicy(Qt::CustomContextMenu);

  LoadFormDescription(this, [this] {
    TIcon Image;
    Image.SetImage(ProgramIcon());
    TrayIcon1->SetIcon(&Image);
    TrayIcon1->SetTipHelp("Vellox");
    TrayIcon1->SetVisible(true);
    TrayIcon1->SetRBPopupMenu(PopupMenu1);
  });
}

void TVellox1::ShowColours() {
  const TUiColours Colours = UiColours(palette());
  for (TSpeedButton* Button : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5}) {
    const bool Red = Button == SpeedButton1 || Button == SpeedButton3;
    SetTextColour(Button, Red ? Colours.CaptionRed : Colours.CaptionText);
  }
  Result->Recolour();
}

void TVellox1::BindHandlers() {
  BindHandler(SpeedButton1, &QToolButton::clicked, this, &TVellox1::FormClose);
  BindHandler(SpeedButton2, &QToolButton::clicked, this, &TVellox1::Answer);
  BindHandler(SpeedButton3, &QToolButton::clicked, this, &TVellox1::Clear);
  BindHandler(SpeedButton4, &QToolButton::clicked, this, &TVellox1::Minimize);
  BindHandler(SpeedButton5, &QToolButton::clicked, this, &TVellox1::PadOpen);
  BindHandler(Undo1, &QAction::triggered, this, &TVellox1::Restore);
  BindHandler(Mini1, &QAction::triggered, this, &TVellox1::Minimize);
  BindHandler(P1, &QAction::triggered, this, &TVellox1::PadOpen);
  BindHandler(Align1, &QAction::triggered, this, &TVellox1::Align1Click);
  BindHandler(Align2, &QAction::triggered, this, &TVellox1::Align2Click);
  BindHandler(Close1, &QAction::triggered, this, &TVellox1::FormClose);
  new TKeyPressFilter(Edit1, [this](QObject* Sender, QChar& Key) { Edit1KeyPress(Sender, Key); });
  new TTypedInputFilter(Edit1, TTypedInputFilter::TComposition::Taken);
  auto* Paste = new TPasteFilter(Edit1, [this](QWidget*, const QString& Text) { PasteExpression(Text); });
  Edit1->SetUndoBound(kExpressionLimit);
  new TKeyCommands(Edit1, {{Qt::Key_Up, [this] { RecallOlder(Edit1); }},
                           {Qt::Key_Down, [this] { RecallNewer(Edit1); }},
                           {kAnswerKey, [this] { InsertAnswer(Edit1); }}});
  new TDoubleClickSelectsAll(Edit2);
  new TKeyboardMenu(Edit1, [this] { return PopupMenu1; }, [Paste] { return Paste->EditMenu(); }, Edit1);
  new TKeyboardMenu(Edit2, [this] { return PopupMenu1; }, [this] { return Edit2->createStandardContextMenu(); },
                    Edit1);
  ExprCompo1.OnCalcSuccess = [this](TExprCompo&) { CalcSuccess(nullptr); };
  ExprCompo1.OnCalcError = [this](TExprCompo&) { CalcError(nullptr); };
  TrayIcon1->OnClick = [this](TTrayIcon& Sender) { Restore(&Sender); };
  new TPaletteWatch(this, [this] { ShowColours(); });
  connect(Panel1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& At) { PopupMenu1->popup(Panel1->mapToGlobal(At)); });
}
