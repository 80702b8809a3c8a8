#include "ui_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>

#include "qt/application.h"

void UiTest::SetUp() {
  SetNotifyIconShell(&Shell);
  Application::SetExceptionReporter([this](const QString& Message) { Reported << Message; });
  PadExpr.clear();
  PadNumber.clear();
}

void UiTest::TearDown() {
  Pad.reset();
  Strip.reset();
  Pump(0);
  SetNotifyIconShell(nullptr);
  Application::SetExceptionReporter(nullptr);
}

void UiTest::Start(const QStringList& Arguments) {
  Application::SetCommandLine(QStringList{"vellox"} + Arguments);
  Strip = std::make_unique<TVellox1>();
  Strip->show();
  Pad = std::make_unique<TCalPad1>();
  Pump();
}

void UiTest::Pump(int Milliseconds) {
  QElapsedTimer Clock;
  Clock.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  } while (Clock.elapsed() < Milliseconds);
}

QRect UiTest::Screen() const { return QGuiApplication::primaryScreen()->geometry(); }
