#include "qt/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <optional>

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

}  // namespace

void SetTitle(const QString& Title) {
  StoredTitle() = Title;
  QCoreApplication::setApplicationName(Title);
}

QString Title() { return StoredTitle(); }

void ShowException(const QString& Message) {
  if (Reporter()) {
    Reporter()(Message);
    return;
  }
  QMessageBox Box(QMessageBox::Critical, Title(), Message, QMessageBox::Ok);
  // Above the always-on-top strip, or the user could not see (or close) it.
  Box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  Box.exec();
}

void SetExceptionReporter(ExceptionReporter NewReporter) { Reporter() = std::move(NewReporter); }

void HandleCurrentException() {
  try {
    throw;
  } catch (const std::exception& Error) {
    ShowException(QString::fromUtf8(Error.what()));
  } catch (...) {
    ShowException(QStringLiteral("An unknown error occurred."));
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
