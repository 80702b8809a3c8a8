#include "strip_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QScreen>

#include "calpad.h"
#include "menu_check.h"
#include "notify_icon.h"
#include "qt/application.h"
#include "qt/input_lock.h"
#include "qt/x11_desktop.h"
#include "runtime/cp932.h"
#include "runtime/float_to_str.h"
#include "speed_button.h"
#include "tray_icon.h"
#include "ui_palette.h"

TVellox1* Vellox1 = nullptr;
QString StartSwitch;

namespace {

QRect ScreenRect() { return QGuiApplication::primaryScreen()->geometry(); }

}  // namespace

TVellox1::TVellox1(QWidget* Parent) : QWidget(Parent) {
  Vellox1 = this;
  CreateComponents();
  DescribeForm();
  BindHandlers();
  Application::Guard([this] { FormCreate(this); });
}

TVellox1::~TVellox1() {
  delete PopupMenu1;  // not a child: freed here, which the tray icon is told of
  if (Vellox1 == this) Vellox1 = nullptr;
}

bool TVellox1::FormEnabled() const { return !Lock->Locked(); }

void TVellox1::SetFormEnabled(bool Enabled) { Lock->SetLocked(!Enabled); }

void TVellox1::FormCreate(QObject*) {
  // The strip stays off the task bar: see showEvent.
  StartSwitch = Application::ParamStr(1).toUpper();
  if (StartSwitch == QLatin1String("/B")) {
    Align2Click(this);
  } else {
    Align1Click(this);
  }
  const int W = ScreenRect().width();
  setGeometry(0, y(), W, kHeight);
  Panel1->resize(W, kHeight);
  SpeedButton1->move(W - 50, SpeedButton1->y());
  SpeedButton2->move(W - 206, SpeedButton2->y());
  SpeedButton5->move(W - 78, SpeedButton5->y());
  Edit1->resize(SpeedButton2->x() - Edit1->x() - 6, Edit1->height());
  Edit2->move(W - 174, Edit2->y());
  Undo1->setEnabled(false);
}

void TVellox1::FormClose(QObject*) { close(); }

void TVellox1::Answer(QObject*) {
  ExprCompo1.Expression = Utf8ToCp932(Edit1->text().toStdString());
  ExprCompo1.Calculate();
}

void TVellox1::Clear(QObject*) {
  Edit1->clear();
  Edit2->clear();
  Edit2->setEnabled(false);
  SetFieldColour(Edit2, kClSilver);
  Edit1->setFocus();
}

void TVellox1::Minimize(QObject*) {
  // Without a notification area there would be no icon to bring the strip back with.
  if (!CurrentNotifyIconShell().Available()) return;
  Vellox1->hide();
  Undo1->setEnabled(true);
  Mini1->setEnabled(false);
}

void TVellox1::CalcSuccess(QObject*) {
  const std::string Separator = QLocale().decimalPoint().toStdString();
  Edit2->setText(QString::fromStdString(FloatToStr(ExprCompo1.Value(), Separator)));
  Edit2->setCursorPosition(0);  // a long result shows its leading digits
  Edit2->setEnabled(true);
  SetFieldColour(Edit2, WindowBackground());
}

void TVellox1::Restore(QObject*) {
  Vellox1->show();
  Undo1->setEnabled(false);
  Mini1->setEnabled(true);
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
  SetMenuCheck(P1, true);
  SetFormEnabled(false);
  CalPad1->show();
  CalPad1->raise();
  CalPad1->activateWindow();
}

void TVellox1::Align1Click(QObject*) {
  move(x(), 0);
  Align1->setEnabled(false);
  Align2->setEnabled(true);
}

void TVellox1::Align2Click(QObject*) {
  move(x(), ScreenRect().height() - kHeight);
  Align1->setEnabled(true);
  Align2->setEnabled(false);
  show();
  raise();
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
  SetSkipTaskbar(this);
}

void TVellox1::closeEvent(QCloseEvent* Event) {
  Event->accept();
  QCoreApplication::quit();
}
