#include "qt/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <new>
#include <optional>

#include "qt/minimise_guard.h"
#include "qt/window_activation.h"
#include "qt/x11_desktop.h"
#include "runtime/exceptions.h"

namespace Application {

namespace {

QString& StoredTitle() {
  static QString Title;
  return Title;
}

ExceptionReporter& Reporter() {
  static ExceptionReporter Current;
  return Current;
}

// A message box centred on the primary screen, where the strip docks. Qt would centre it itself,
// but offset by its guess of the frames of the program's other windows (the tray icon's among them).
class TCentredMessageBox : public QMessageBox {
public:
  using QMessageBox::QMessageBox;

protected:
  void showEvent(QShowEvent* Event) override {
    QMessageBox::showEvent(Event);  // sizes the box to its text
    move(QGuiApplication::primaryScreen()->geometry().center() - rect().center());
  }
};

}  // namespace

void SetTitle(const QString& Title) {
  StoredTitle() = Title;
  QCoreApplication::setApplicationName(Title);
}

QString Title() { return StoredTitle(); }

void ShowException(const QString& Message) {
  // The keys go back where they went before the box: its window manager may give the focus to
  // another program when the box closes.
  const QPointer<QWidget> Window = QApplication::activeWindow();
  const QPointer<QWidget> Focus = QApplication::focusWidget();
  if (Reporter()) {
    Reporter()(Message);
  } else {
    TCentredMessageBox Box(QMessageBox::Critical, Title(), Message, QMessageBox::Ok);
    // Modal for the whole program, above the always-on-top strip (or the
    // user could not see or close it), with only a close box and no task-bar button: minimised,
    // it would block the strip with no sign of itself.
    Box.setWindowModality(Qt::ApplicationModal);
    Box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                       Qt::WindowStaysOnTopHint);
    SetAccessoryWindowState(&Box);
    new TMinimiseGuard(&Box);
    Box.exec();
  }
  if (!Window.isNull() && Window->isVisible()) {
    ActivateWindow(Window);
    if (!Focus.isNull()) Focus->setFocus();
  }
}

void SetExceptionReporter(ExceptionReporter NewReporter) { Reporter() = std::move(NewReporter); }

namespace {

MessageWording& Wording() {
  static MessageWording Current;
  return Current;
}

QString UnknownError() {
  return QCoreApplication::translate("Application", "予期しないエラーが起きました。動きがおかしいときは Vellox を起動し直してください。");
}

QString WordingOf(const std::exception& Error) {
  if (Wording()) {
    const QString Words = Wording()(Error);
    if (!Words.isEmpty()) return Words;
  }
  if (dynamic_cast<const Exception*>(&Error) != nullptr) return QCoreApplication::translate("Exception", Error.what());
  if (dynamic_cast<const std::bad_alloc*>(&Error) != nullptr)
    return QCoreApplication::translate("Application", "メモリが足りません。ほかのプログラムを閉じるか、式を短くしてください。");
  return UnknownError();
}

}  // namespace

void SetMessageWording(MessageWording NewWording) { Wording() = std::move(NewWording); }

void HandleCurrentException() {
  try {
    throw;
  } catch (const std::exception& Error) {
    ShowException(WordingOf(Error));
  } catch (...) {
    ShowException(UnknownError());
  }
}

namespace {

BellRinger& Ringer() {
  static BellRinger Current;
  return Current;
}

}  // namespace

void Beep() {
  if (Ringer()) {
    Ringer()();
    return;
  }
  QApplication::beep();
}

void SetBellRinger(BellRinger NewRinger) { Ringer() = std::move(NewRinger); }

void ProcessMessages() { QCoreApplication::processEvents(); }

namespace {

std::optional<QStringList>& CommandLine() {
  static std::optional<QStringList> Arguments;
  return Arguments;
}

}  // namespace

QString ParamStr(int Index) {
  const QStringList Arguments = CommandLine() ? *CommandLine() : QCoreApplication::arguments();
  return Arguments.value(Index);
}

void SetCommandLine(const QStringList& Arguments) { CommandLine() = Arguments; }

}  // namespace Application
