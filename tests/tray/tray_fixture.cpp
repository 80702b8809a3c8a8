#include "tray_fixture.h"

#include <QPixmap>
#include <QWidget>

#include "event_pump.h"

void TrayTest::SetUp() {
  SetNotifyIconShell(&Shell);
  Form = std::make_unique<QWidget>();
  Application::SetExceptionReporter([this](const QString& Message) { Reported << Message; });
  QPixmap Pixels(32, 32);
  Pixels.fill(Qt::blue);
  Image.SetImage(QIcon(Pixels));
}

void TrayTest::TearDown() {
  Form.reset();  // destroys the form's components (and the callback window) first
  Pump(0);
  ASSERT_TRUE(IconList.empty()) << "a test left an instance alive";
  SetNotifyIconShell(nullptr);
  Application::SetExceptionReporter(nullptr);
}

void TrayTest::Pump(int Milliseconds) { PumpEvents(Milliseconds); }
