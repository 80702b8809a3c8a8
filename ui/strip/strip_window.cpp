#include "strip/strip_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include <algorithm>

#include "field/announcement.h"
#include "field/long_line_edit.h"
#include "field/typed_input_filter.h"
#include "look/menu_check.h"
#include "look/result_width.h"
#include "look/speed_button.h"
#include "qt/application.h"
#include "qt/input_lock.h"
#include "qt/window_activation.h"
#include "reading/number_folding.h"
#include "reading/parse_error_text.h"
#include "reading/pasted_text.h"
#include "runtime/cp932.h"
#include "runtime/exceptions.h"
#include "runtime/float_to_str.h"
#include "strip/result_field.h"
#include "tray/notify_icon.h"
#include "tray/tray_icon.h"

TVellox1* Vellox1 = nullptr;
QString StartSwitch;

TVellox1::TVellox1(QWidget* Parent) : QWidget(Parent) {
  Vellox1 = this;
  CreateComponents();
  DescribeForm();
  BindHandlers();
  // Made first: a strip docked at the bottom is shown while created.
  Docking = MakeStripDocking(this, kHeight);
  Application::Guard([this] { FormCreate(this); });
}

TVellox1::~TVellox1() {
  delete PopupMenu1;  // not a child: freed here, which the tray icon is told of
  if (Vellox1 == this) Vellox1 = nullptr;
}

bool TVellox1::FormEnabled() const { return !Lock->Locked(); }

void TVellox1::SetKeypadOpen(bool Open) {
  Lock->SetLocked(Open);
  SetMenuCheck(P1, Open);
}

void TVellox1::FormCreate(QObject*) {
  // The strip stays off the task bar: see showEvent.
  StartSwitch = Application::ParamStr(1).toUpper();
  if (StartSwitch == QLatin1String("/B")) {
    Align2Click(this);
  } else {
    Align1Click(this);
  }
  ShowVisibilityInMenu(isVisible());
  // Asking for the notification area takes round trips to the session bus (1 to 2.5 ms): done on
  // the next turn, so that it does not hold up the strip's first showing.
  QTimer::singleShot(0, this, &TVellox1::ShowTrayAvailability);
}

void TVellox1::ShowVisibilityInMenu(bool Shown) {
  Undo1->setEnabled(!Shown);
  Mini1->setEnabled(Shown);
}

void TVellox1::LayOutControls(int W) {
  // The result field ends 89 pixels from the right edge and is wide enough for the longest result
  // in its font (85 pixels at the least), so no result is ever shown cut; "＝" keeps its 8-pixel
  // gap to it, and the expression field gives up the width.
  const int ResultWidth = std::max(kResultWidth, ResultFieldWidth(Edit2));
  Panel1->resize(W, kHeight);
  SpeedButton1->move(W - 50, SpeedButton1->y());
  Edit2->setGeometry(W - 89 - ResultWidth, Edit2->y(), ResultWidth, Edit2->height());
  SpeedButton2->move(Edit2->x() - 8 - SpeedButton2->width(), SpeedButton2->y());
  SpeedButton5->move(W - 78, SpeedButton5->y());
  Edit1->resize(SpeedButton2->x() - Edit1->x() - 6, Edit1->height());
}

void TVellox1::FormClose(QObject*) { close(); }

void TVellox1::Answer(QObject*) {
  CommitComposition(Edit1);  // what is evaluated is all the field shows
  const QString Expression = Edit1->text();
  // Whether it evaluates or not, and even when a fault ends it.
  History.Add(Expression);
  // No earlier result may stand beside an expression that fails: the field shows a result again
  // only when this evaluation succeeds.
  Result->ShowNothing();
  // Read as the locale writes numbers (see number_folding.h); the field keeps what was typed.
  ExprCompo1.Expression = Utf8ToCp932(FoldNumbers(Expression, StripDecimalSeparator()).Text.toStdString());
  ExprCompo1.Calculate();
  // A fault has its message box, which a screen reader reads; anything else is told here.
  Announce(Edit1, Result->Announcement());
}

void TVellox1::Clear(QObject*) {
  Edit1->setText(QString());  // set, not cleared: a new text frees the field's undo history
  Result->ShowNothing();
  Edit1->setFocus();
  Announce(Edit1, QString());
}

QString TVellox1::ShownResult() const { return Result->CurrentResult(); }

void TVellox1::ShowTrayAvailability() {
  const bool Available = CurrentNotifyIconShell().Available();
  SpeedButton4->setEnabled(Available);
  // The tool tip only: the button keeps its name for screen readers.
  SpeedButton4->setToolTip(Available ? tr("最小化")
                                     : tr("最小化: 通知領域がないため、隠すことができません"));
}

void TVellox1::Minimize(QObject*) {
  // Without a notification area there would be no icon to bring the strip back with.
  if (!CurrentNotifyIconShell().Available()) return;
  Vellox1->hide();
}

void TVellox1::CalcSuccess(QObject*) {
  const std::string Separator(1, StripDecimalSeparator().toLatin1());
  const QString Text = QString::fromStdString(FloatToStr(ExprCompo1.Value(), Separator));
  QStringList Unassigned;
  ExprCompo1.ForEachUnassignedRead(
      [&Unassigned](std::string_view Name) { Unassigned << QString::fromStdString(Cp932ToUtf8(Name)); });
  Result->ShowResult(Text, Unassigned);
}

void TVellox1::CalcError(QObject*) {
  // The fold of what Answer evaluated: the field has not changed since.
  const TParseErrorText Text = DescribeParseError(ExprCompo1.Error(), ExprCompo1.Expression, ExprCompo1.ErrorPosition(),
                                                  FoldNumbers(Edit1->text(), StripDecimalSeparator()));
  Result->ShowMessage(Text.Message, Text.Detail);
  Edit1->setCursorPosition(Text.Caret);
  Application::Beep();
}

void TVellox1::RecallOlder(QObject*) { Recall(History.Older(Edit1->text())); }

void TVellox1::RecallNewer(QObject*) { Recall(History.Newer(Edit1->text())); }

void TVellox1::Recall(const std::optional<QString>& Line) {
  if (!Line) {
    Application::Beep();
    return;
  }
  Edit1->selectAll();
  Edit1->insert(*Line);
}

void TVellox1::InsertAnswer(QObject*) {
  const std::optional<QString> Answer = Result->LastAnswer();
  // After a failure there is no answer; nor room for one in a full field.
  if (!Answer || !FitsAtCaret(*Answer)) {
    Application::Beep();
    return;
  }
  Edit1->insert(*Answer);
}

bool TVellox1::FitsAtCaret(const QString& Text) const {
  return Edit1->text().size() - Edit1->selectedText().size() + Text.size() <= kExpressionLimit;
}

void TVellox1::PasteExpression(const QString& Pasted) {
  const PastedLine Line = FirstPastedLine(Pasted);
  if (!FitsAtCaret(Line.Text)) {
    throw Exception(tr("貼り付ける文字列が長すぎます。式は %1 文字までです。")
                        .arg(kExpressionLimit)
                        .toStdString());
  }
  if (Line.Dropped) Application::Beep();
  Edit1->insert(Line.Text);
}

void TVellox1::Restore(QObject*) {
  Vellox1->show();
  // Shown again for the user, who will type at once: the keys must not stay with another program.
  ActivateForInput();
}

void TVellox1::ActivateForInput() {
  if (!isVisible()) return;
  if (!FormEnabled() && Keypad != nullptr && Keypad->isVisible()) {
    ActivateWindow(Keypad);
    return;
  }
  Edit1->setFocus();
  Docking->TakeKeys();
}

void TVellox1::Edit1KeyPress(QObject* Sender, QChar& Key) {
  if (Key == QChar('\r')) {
    Answer(Sender);
    Key = QChar();
  }
}

void TVellox1::FormPaint(QObject* Sender) {
  if (StartSwitch == QLatin1String("/N")) Minimize(Sender);
  if (StartSwitch == QLatin1String("/P")) PadOpen(Sender);
  StartSwitch.clear();
}

void TVellox1::PadOpen(QObject*) {
  if (Keypad == nullptr) return;  // no keypad made (a strip on its own)
  CommitComposition(Edit1);  // the locked strip takes no input-method text, a commit neither
  SetKeypadOpen(true);
  // Also brings a minimised keypad back: with no task-bar button, this is its way back.
  Keypad->showNormal();
  ActivateWindow(Keypad);
}

void TVellox1::Align1Click(QObject*) { DockAt(TDockEdge::Top); }

void TVellox1::Align2Click(QObject*) {
  DockAt(TDockEdge::Bottom);
  show();
  ActivateForInput();
}

void TVellox1::DockAt(TDockEdge NewEdge) {
  Edge = NewEdge;
  Docking->DockAt(Edge);
  Align1->setEnabled(Edge != TDockEdge::Top);
  Align2->setEnabled(Edge != TDockEdge::Bottom);
}

void TVellox1::paintEvent(QPaintEvent* Event) {
  QWidget::paintEvent(Event);
  // Acted on once this paint is done: the strip is painted before "/N" hides it.
  if (!StartSwitch.isEmpty()) {
    QMetaObject::invokeMethod(this, [this] { Application::Guard([this] { FormPaint(this); }); },
                              Qt::QueuedConnection);
  }
}

void TVellox1::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  Docking->Showing();
  ShowVisibilityInMenu(true);
}

void TVellox1::hideEvent(QHideEvent* Event) {
  QWidget::hideEvent(Event);
  Docking->Hidden();
  ShowVisibilityInMenu(false);
}

void TVellox1::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  LayOutControls(width());
}

void TVellox1::closeEvent(QCloseEvent* Event) {
  Event->accept();
  QCoreApplication::quit();
}
