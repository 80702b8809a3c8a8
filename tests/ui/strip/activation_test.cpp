// Which window has the keys after each change of the program's windows. Another program's window
// is stood in for by a window of the test, active before each change.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <functional>

#include "look/speed_button.h"
#include "qt/application.h"
#include "tray/tray_icon.h"
#include "ui_fixture.h"

namespace {

class ActivationTest : public UiTest {
protected:
  QWidget Other;  // the other program's window that holds the keys

  void GiveKeysToOther() {
    Other.show();
    Other.activateWindow();
    Pump();
    ASSERT_EQ(QApplication::activeWindow(), &Other);
  }
};

TEST_F(ActivationTest, EachWayBackGivesTheKeysToTheWindowThatTakesThem) {
  const struct {
    const char* What;
    std::function<void()> Change;
    bool ToKeypad;  // else to the strip's expression field
  } Cases[] = {
      {"a tray click restores the strip",
       [this] {
         Strip->SpeedButton4->click();
         GiveKeysToOther();
         Strip->TrayIcon1->OnClick(*Strip->TrayIcon1);
       },
       false},
      {"the menu restores the strip",
       [this] {
         Strip->Mini1->trigger();
         GiveKeysToOther();
         Strip->Undo1->trigger();
       },
       false},
      {"the menu docks a hidden strip at the bottom",
       [this] {
         Strip->Mini1->trigger();
         GiveKeysToOther();
         Strip->Align2->trigger();
       },
       false},
      {"a message box closes",
       [this] {
         Strip->Edit1->setText("1/0");
         // The box takes the keys, and its window manager gives them to another program.
         Application::SetExceptionReporter([this](const QString&) { GiveKeysToOther(); });
         QTest::keyClick(Strip->Edit1, Qt::Key_Return);
       },
       false},
      {"the keypad closes",
       [this] {
         Strip->SpeedButton5->click();
         Pump();
         Pad->close();
       },
       false},
      {"a tray click restores the strip while the keypad locks it",
       [this] {
         Strip->SpeedButton5->click();
         Strip->Mini1->trigger();
         GiveKeysToOther();
         Strip->TrayIcon1->OnClick(*Strip->TrayIcon1);
       },
       true},
      {"a fault from the keypad's answer",
       [this] {
         Strip->SpeedButton5->click();
         Pump();
         Application::SetExceptionReporter([this](const QString&) { GiveKeysToOther(); });
         QTest::keyClicks(Pad->Edit1, "1/0");
         QTest::keyClick(Pad->Edit1, Qt::Key_Return);
       },
       true},
      {"the menu's keypad item brings a minimised keypad back",
       [this] {
         Strip->SpeedButton5->click();
         Pad->showMinimized();
         GiveKeysToOther();
         Strip->P1->trigger();
       },
       true},
  };
  for (const auto& C : Cases) {
    Start();
    C.Change();
    Pump();
    QWidget* Expected = C.ToKeypad ? static_cast<QWidget*>(Pad.get()) : Strip.get();
    EXPECT_EQ(QApplication::activeWindow(), Expected) << C.What;
    EXPECT_EQ(QApplication::focusWidget(), C.ToKeypad ? static_cast<QWidget*>(Pad->Edit1) : Strip->Edit1) << C.What;
    EXPECT_FALSE(Expected->isMinimized()) << C.What;
    Application::SetExceptionReporter([this](const QString& Message) { Reported << Message; });
    Other.hide();
    Pad.reset();
    Strip.reset();
  }
}

TEST_F(ActivationTest, TheKeypadCannotBeLostWhileItLocksTheStrip) {
  Start();
  Strip->SpeedButton5->click();
  EXPECT_FALSE(Pad->windowFlags() & Qt::WindowMaximizeButtonHint);  // a fixed size: nothing to maximise
  EXPECT_TRUE(Pad->windowFlags() & Qt::WindowMinimizeButtonHint);
  // Without a notification area no menu could bring a minimised keypad back: it stays up.
  Shell.TrayAvailable = false;
  Pad->showMinimized();
  Pump();
  EXPECT_FALSE(Pad->isMinimized());
  EXPECT_TRUE(Pad->isVisible());
}

}  // namespace
