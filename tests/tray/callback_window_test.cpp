#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QStyleHints>
#include <QThread>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/exceptions.h"
#include "tray/callback_window.h"
#include "tray_fixture.h"

namespace {

// Instances on a form with every event logged as "name:details".
class ClickDispatchTest : public TrayTest {
protected:
  std::vector<std::string> Log;
  QElapsedTimer SinceRelease;
  qint64 ClickAfterMs = -1;

  TTrayIcon* Make(const std::string& Name) {
    auto* Icon = new TTrayIcon(Form.get());
    Icon->SetIcon(&Image);
    Icon->SetVisible(true);
    Icon->OnClick = [this, Name](TTrayIcon&) {
      Log.push_back(Name + ":click");
      ClickAfterMs = SinceRelease.elapsed();
    };
    Icon->OnDblClick = [this, Name](TTrayIcon&) { Log.push_back(Name + ":dblclick"); };
    return Icon;
  }

  void LogMouse(TTrayIcon* Icon, const std::string& Name) {
    Icon->OnMouseDown = [this, Name](TTrayIcon&, TMouseButton B, TShiftState S, int X, int Y) {
      Log.push_back(Name + ":down " + std::to_string(B) + " " + std::to_string(S) + " " +
                    std::to_string(X) + "," + std::to_string(Y));
    };
    Icon->OnMouseUp = [this, Name](TTrayIcon&, TMouseButton B, TShiftState S, int, int) {
      Log.push_back(Name + ":up " + std::to_string(B) + " " + std::to_string(S));
    };
    Icon->OnMouseMove = [this, Name](TTrayIcon&, TShiftState S, int X, int Y) {
      Log.push_back(Name + ":move " + std::to_string(S) + " " + std::to_string(X) + "," + std::to_string(Y));
    };
  }

  // Delivers callback messages for the icon through the event loop, as the shell would.
  void Send(const TTrayIcon* Icon, std::initializer_list<intptr_t> Messages, int Identifier = 0) {
    for (intptr_t Message : Messages) {
      if (Message == WM_LBUTTONUP) SinceRelease.start();
      ASSERT_TRUE(PostMessage(WindowHandleOf(CallbackWindow.data()), WM_TRAYNOTIFY,
                              Identifier ? Identifier : Icon->IconID(), Message));
    }
    Pump(0);
  }

  static int WaitMs() { return QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50; }

  // Lets a whole wait pass, then gives a machine under load up to three more seconds until
  // the expected handlers have run.
  template <typename Condition>
  void PumpUntil(Condition Done) {
    Pump(WaitMs() + 200);
    QElapsedTimer Extra;
    Extra.start();
    while (!Done() && Extra.elapsed() < 3000) Pump(10);
  }
  void PumpUntilLogged(size_t Count) {
    PumpUntil([&] { return Log.size() >= Count; });
  }
};

using Lines = std::vector<std::string>;

TEST_F(ClickDispatchTest, ASingleClickFiresOnceAfterTheDoubleClickInterval) {
  TTrayIcon* Icon = Make("a");
  Send(Icon, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  EXPECT_TRUE(Icon->ClickPending);
  Pump(WaitMs() - 100);
  EXPECT_TRUE(Log.empty());
  PumpUntilLogged(1);
  EXPECT_EQ(Log, Lines{"a:click"});
  EXPECT_GE(ClickAfterMs, WaitMs());
  EXPECT_FALSE(Icon->ClickPending);
}

TEST_F(ClickDispatchTest, ADoubleClickFiresOnlyOnDblClick) {
  TTrayIcon* Icon = Make("a");
  Send(Icon, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK});
  EXPECT_EQ(Log, Lines{"a:dblclick"});  // at the second press
  Send(Icon, {WM_LBUTTONUP});
  Pump(WaitMs() + 200);
  EXPECT_EQ(Log, Lines{"a:dblclick"});

  Icon->OnDblClick = nullptr;
  Log.clear();
  Send(Icon, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
  Pump(WaitMs() + 200);
  EXPECT_TRUE(Log.empty());
}

TEST_F(ClickDispatchTest, MouseUpHandlerTakesTheReleaseInsteadOfClicks) {
  TTrayIcon* Icon = Make("a");
  LogMouse(Icon, "a");
  QCursor::setPos(123, 45);
  const QPoint P = QCursor::pos();
  const std::string At = std::to_string(P.x()) + "," + std::to_string(P.y());
  Send(Icon, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_MBUTTONDOWN, WM_MBUTTONUP,
              WM_MBUTTONDBLCLK, WM_RBUTTONDBLCLK, 0x1234});
  Pump(WaitMs() + 200);
  EXPECT_EQ(Log, (Lines{"a:down 0 8 " + At, "a:up 0 8", "a:move 0 " + At, "a:down 2 32 " + At, "a:up 2 32"}));
}

TEST_F(ClickDispatchTest, ARightPressPopsTheMenuAtThePointerUnlessAutoPopupIsOff) {
  TTrayIcon* Icon = Make("a");
  LogMouse(Icon, "a");
  auto* Menu = new QMenu(Form.get());
  Menu->addAction("item");
  Icon->SetRBPopupMenu(Menu);
  Form->show();
  QCursor::setPos(200, 150);
  Send(Icon, {WM_RBUTTONDOWN});
  EXPECT_TRUE(Menu->isVisible());
  EXPECT_EQ(Menu->pos(), QCursor::pos());
  Send(Icon, {WM_RBUTTONUP});
  EXPECT_EQ(Log, Lines{"a:up 1 16"});  // no down: the menu took the press
  Menu->hide();

  Icon->SetAutoPopup(false);
  Log.clear();
  Send(Icon, {WM_RBUTTONDOWN});
  EXPECT_FALSE(Menu->isVisible());
  ASSERT_EQ(Log.size(), 1u);
  EXPECT_EQ(Log[0].rfind("a:down 1 16 ", 0), 0u);
}

TEST_F(ClickDispatchTest, ALeftMenuOpensOnThePressAndTheReleaseStillCounts) {
  TTrayIcon* Icon = Make("a");
  auto* Menu = new QMenu(Form.get());
  Menu->addAction("item");
  Icon->SetLBPopupMenu(Menu);
  Send(Icon, {WM_LBUTTONDOWN});
  EXPECT_TRUE(Menu->isVisible());
  Send(Icon, {WM_LBUTTONUP});
  EXPECT_TRUE(Icon->ClickPending);
  Menu->hide();
  PumpUntilLogged(1);
  EXPECT_EQ(Log, Lines{"a:click"});
}

TEST_F(ClickDispatchTest, DisablingDropsThePendingClickAndSilencesTheIcon) {
  TTrayIcon* Icon = Make("a");
  LogMouse(Icon, "a");
  Icon->OnMouseUp = nullptr;
  auto* Menu = new QMenu(Form.get());
  Icon->SetRBPopupMenu(Menu);
  Send(Icon, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  Icon->SetEnabled(false);
  Send(Icon, {WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONDBLCLK});
  Pump(WaitMs() + 200);
  EXPECT_EQ(Log, Lines{"a:down 0 8 " + std::to_string(QCursor::pos().x()) + "," + std::to_string(QCursor::pos().y())});
  EXPECT_FALSE(Menu->isVisible());
  EXPECT_EQ(CallbackWindow->CurrentIcon, Icon);  // still named by the messages
}

TEST_F(ClickDispatchTest, UnknownIdentifiersAreIgnored) {
  TTrayIcon* Icon = Make("a");
  Send(Icon, {WM_MOUSEMOVE});
  Send(Icon, {WM_LBUTTONDOWN, WM_LBUTTONUP}, 99);
  Pump(WaitMs() + 200);
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(CallbackWindow->CurrentIcon, Icon);
}

TEST_F(ClickDispatchTest, EachWaitCompletesTheClickOfTheIconThatStartedIt) {
  TTrayIcon* A = Make("a");
  TTrayIcon* B = Make("b");
  Send(A, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  Send(B, {WM_MOUSEMOVE});  // B is now the latest icon named
  EXPECT_EQ(CallbackWindow->CurrentIcon, B);
  PumpUntilLogged(1);
  EXPECT_EQ(Log, Lines{"a:click"});

  // Clicks on both during one interval: each gets its own. The two waits end
  // on their own threads within moments of each other, so either may be first.
  Log.clear();
  Send(A, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  Send(B, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  PumpUntilLogged(2);
  std::sort(Log.begin(), Log.end());
  EXPECT_EQ(Log, (Lines{"a:click", "b:click"}));
}

TEST_F(ClickDispatchTest, AnIconDestroyedDuringItsWaitIsSkipped) {
  TTrayIcon* A = Make("a");
  TTrayIcon* B = Make("b");
  Send(A, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  delete A;
  Send(B, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  PumpUntilLogged(1);
  EXPECT_EQ(Log, Lines{"b:click"});
}

TEST_F(ClickDispatchTest, AWaitIsFreedOnlyAfterItsClickWasHandedOver) {
  // A loaded machine may keep the waiting thread busy after its hand-over to the user-interface
  // thread was posted; here it lingers in finished, and the event pump frees what it may at once.
  TTrayIcon* Icon = Make("a");
  Icon->ClickPending = true;
  auto* Wait = new TSingleClick(Icon, 0);
  const QPointer<TSingleClick> Alive = Wait;
  QObject::connect(Wait, &QThread::finished, Wait, [] { QThread::msleep(100); }, Qt::DirectConnection);
  bool AliveAtHandOver = false;
  QObject::connect(Wait, &TSingleClick::Terminated, CallbackWindow.data(), [&](TSingleClick* Sender) {
    AliveAtHandOver = !Alive.isNull();
    CallbackWindow->SingleClickDone(Sender);
  });
  Wait->start();
  PumpUntil([&] { return Alive.isNull(); });
  EXPECT_TRUE(AliveAtHandOver);
  EXPECT_EQ(Log, Lines{"a:click"});
  EXPECT_TRUE(Alive.isNull());
}

TEST_F(ClickDispatchTest, AFailingHandlerIsReportedAndDispatchGoesOn) {
  TTrayIcon* Icon = Make("a");
  Icon->OnDblClick = [](TTrayIcon&) { throw Exception("handler failed"); };
  Send(Icon, {WM_LBUTTONDBLCLK, WM_LBUTTONUP});
  Icon->OnClick = [](TTrayIcon&) { throw Exception("click failed"); };
  Send(Icon, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  PumpUntil([&] { return Reported.size() >= 2; });
  EXPECT_EQ(Reported, (QStringList{"handler failed", "click failed"}));
  EXPECT_FALSE(Icon->ClickPending);
}

}  // namespace
