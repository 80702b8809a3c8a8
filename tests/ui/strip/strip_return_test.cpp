#include <QAction>

#include "strip/strip_return.h"
#include "ui_fixture.h"

namespace {

using StripReturnTest = UiTest;

// A notification area that goes away brings a hidden strip back; nothing else moves it.
TEST_F(StripReturnTest, TheStripComesBackWhenTheNotificationAreaGoesWhileItIsHidden) {
  struct Case {
    const char* What;
    bool Hidden;         // hidden to the tray before the change
    bool TrayAfter;      // a notification area runs after the change
    bool BackInTime;     // the area came back within the grace period
    bool ShownAfter;
  };
  for (const Case& C : {Case{"area gone, strip hidden", true, false, false, true},
                        Case{"area replaced, strip hidden", true, true, false, false},
                        Case{"area taken anew at once, strip hidden", true, false, true, false},
                        Case{"area gone, strip shown", false, false, false, true}}) {
    Start();
    RestoreStripWhenTrayGoes(Shell, *Strip, 100);
    if (C.Hidden) Strip->Minimize(nullptr);
    ASSERT_EQ(Strip->isVisible(), !C.Hidden) << C.What;
    Shell.TrayAvailable = C.TrayAfter;
    Shell.AvailabilityChanged();
    if (C.BackInTime) {
      Pump(20);
      Shell.TrayAvailable = true;
      Shell.AvailabilityChanged();
    }
    Pump(200);
    EXPECT_EQ(Strip->isVisible(), C.ShownAfter) << C.What;
    // As after Restore: nothing to restore, and it can be hidden again.
    EXPECT_EQ(Strip->Undo1->isEnabled(), !C.ShownAfter) << C.What;
    EXPECT_EQ(Strip->Mini1->isEnabled(), C.ShownAfter) << C.What;
    Shell.TrayAvailable = true;
    Pad.reset();
    Strip.reset();
  }
  Shell.AvailabilityChanged();  // the strip is gone: nothing happens
}

}  // namespace
