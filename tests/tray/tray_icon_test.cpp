#include <gmock/gmock.h>

#include <QMenu>
#include <QPixmap>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/exceptions.h"
#include "tray/callback_window.h"
#include "tray_fixture.h"

namespace {

class TrayIconTest : public TrayTest {
protected:
  TTrayIcon* Make() { return new TTrayIcon(Form.get()); }

  // An instance read from a form description with an image, a tip and Visible set.
  TTrayIcon* Loaded(const std::string& Tip) {
    TTrayIcon* Icon = Make();
    LoadFormDescription(Form.get(), [&] {
      Icon->SetIcon(&Image);
      Icon->SetTipHelp(Tip);
      Icon->SetVisible(true);
    });
    return Icon;
  }

  std::string Tip(size_t Call) const { return Shell.Calls.at(Call).Data.szTip; }
};

std::vector<std::string> Keys() {
  std::vector<std::string> Result;
  for (const auto& Entry : IconList) Result.push_back(Entry.first);
  return Result;
}

TEST_F(TrayIconTest, IdentifiersFollowTheLastListedOne) {
  TTrayIcon* First = Make();
  TTrayIcon* Second = Make();
  TTrayIcon* Third = Make();
  EXPECT_EQ(First->IconID(), 1);
  EXPECT_EQ(Keys(), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(IconList[2].second, Third);

  delete Third;
  EXPECT_EQ(Make()->IconID(), 3);  // the last is 2 again
  delete Second;
  EXPECT_EQ(Make()->IconID(), 4);  // the last is 3, not the free 2
  EXPECT_EQ(Keys(), (std::vector<std::string>{"1", "3", "4"}));
}

TEST_F(TrayIconTest, TheHundredAndFirstInstanceIsRefused) {
  for (int I = 0; I < 100; ++I) Make();
  const int Children = static_cast<int>(Form->children().size());
  EXPECT_THAT([&] { Make(); },
              testing::ThrowsMessage<EOutOfMemory>(testing::StrEq("タスクトレイにアイコンを登録できません。")));
  EXPECT_EQ(IconList.size(), 100u);
  EXPECT_EQ(Form->children().size(), Children);  // the failed instance is gone
  EXPECT_TRUE(Shell.Calls.empty());
}

TEST_F(TrayIconTest, AFormLoadedInstanceAddsOnceAtLoaded) {
  TTrayIcon* Icon = Loaded("Vellox");
  ASSERT_EQ(Shell.Messages(), (std::vector<uint32_t>{NIM_ADD}));
  const NOTIFYICONDATAA& Data = Shell.Calls[0].Data;
  EXPECT_EQ(Data.cbSize, 88u);
  EXPECT_EQ(Data.uFlags, 7u);
  EXPECT_EQ(Data.uCallbackMessage, 1224u);
  EXPECT_EQ(Data.uID, static_cast<uint32_t>(Icon->IconID()));
  EXPECT_EQ(Data.hWnd, WindowHandleOf(CallbackWindow.data()));
  EXPECT_NE(Data.hIcon, 0u);
  EXPECT_EQ(Data.hIcon, Icon->Icon().Handle());
  EXPECT_STREQ(Data.szTip, "Vellox");
  EXPECT_TRUE(Icon->Registered());
  EXPECT_EQ(CallbackWindow->parent(), Form.get());

  delete Icon;
  EXPECT_EQ(Shell.Messages(), (std::vector<uint32_t>{NIM_ADD, NIM_DELETE}));
}

TEST_F(TrayIconTest, ACodeCreatedInstanceFollowsItsProperties) {
  TTrayIcon* Icon = Make();
  EXPECT_EQ(Icon->TipHelp(), "TipHelp");
  Icon->SetIcon(&Image);
  Icon->SetTipHelp("one");
  EXPECT_TRUE(Shell.Calls.empty());  // nothing before it is visible

  Icon->SetVisible(true);
  Icon->SetTipHelp("two");
  QPixmap Red(32, 32);
  Red.fill(Qt::red);
  TIcon Other;
  Other.SetImage(QIcon(Red));
  Icon->SetIcon(&Other);
  Icon->SetIcon(&Icon->Icon());  // its own image: nothing
  Icon->SetVisible(false);
  Icon->SetVisible(false);
  EXPECT_EQ(Shell.Messages(), (std::vector<uint32_t>{NIM_ADD, NIM_MODIFY, NIM_MODIFY, NIM_DELETE}));
  EXPECT_EQ(Tip(0), "one");
  EXPECT_EQ(Tip(1), "two");
  EXPECT_FALSE(Icon->Registered());

  delete Icon;  // not registered: no call
  EXPECT_EQ(Shell.Calls.size(), 4u);
}

TEST_F(TrayIconTest, TheTipIsCutTo62BytesAndAnEmptyTipDropsItsFlag) {
  TTrayIcon* Icon = Loaded("x");
  const std::string Long(70, 'L');
  Icon->SetTipHelp(Long);
  EXPECT_EQ(Icon->TipHelp(), std::string(62, 'L'));
  Icon->SetTipHelp(Long);  // cuts to the same tip: no call
  EXPECT_EQ(Shell.Calls.size(), 2u);
  EXPECT_EQ(Tip(1), std::string(62, 'L'));

  Icon->SetTipHelp("");
  EXPECT_EQ(Shell.Calls.back().Message, NIM_MODIFY);
  EXPECT_EQ(Shell.Calls.back().Data.uFlags, 3u);

  // Bytes, not characters: 61 ASCII bytes and a double-byte character keep its lead byte only.
  Icon->SetTipHelp(std::string(61, 'a') + "\x83\x41");
  EXPECT_EQ(Icon->TipHelp(), std::string(61, 'a') + "\x83");
}

TEST_F(TrayIconTest, VisibleNeedsAnImage) {
  TTrayIcon* Icon = Make();
  Icon->SetVisible(true);
  EXPECT_FALSE(Icon->Visible());
  LoadFormDescription(Form.get(), [&] { Icon->SetVisible(true); });
  EXPECT_FALSE(Icon->Visible());
  EXPECT_TRUE(Shell.Calls.empty());
}

TEST_F(TrayIconTest, RemovingTheImageHidesTheIcon) {
  TTrayIcon* Icon = Loaded("Vellox");
  Icon->SetIcon(nullptr);
  EXPECT_TRUE(Icon->Icon().Empty());
  EXPECT_EQ(Icon->Icon().Handle(), 0u);
  EXPECT_EQ(Shell.Messages(), (std::vector<uint32_t>{NIM_ADD, NIM_MODIFY, NIM_DELETE}));
  EXPECT_EQ(Shell.Calls[1].Data.hIcon, 0u);
  EXPECT_FALSE(Icon->Registered());
  EXPECT_FALSE(Icon->Visible());
}

TEST_F(TrayIconTest, ARefusedAddRaisesAndLeavesVisibleAsWritten) {
  Shell.Accept = false;
  TTrayIcon* Icon = Make();
  Icon->SetIcon(&Image);
  EXPECT_THROW(Icon->SetVisible(true), EOutOfMemory);
  EXPECT_TRUE(Icon->Visible());
  EXPECT_FALSE(Icon->Registered());

  Shell.Accept = true;
  Icon->SetVisible(true);  // unchanged value: no new attempt
  EXPECT_EQ(Shell.Calls.size(), 1u);
  Icon->SetVisible(false);
  Icon->SetVisible(true);
  EXPECT_TRUE(Icon->Registered());

  Shell.Accept = false;
  EXPECT_THROW(Icon->SetTipHelp("refused"), EOutOfMemory);
  EXPECT_TRUE(Icon->Registered());
  Shell.Accept = true;
}

TEST_F(TrayIconTest, PropertyRules) {
  TTrayIcon* Icon = Make();
  EXPECT_EQ(Icon->AnimateRate(), 500);
  for (const auto& [Written, Stored] : std::vector<std::pair<int, int>>{{50, 100}, {100, 100}, {500, 500}, {-1, 100}}) {
    Icon->SetAnimateRate(Written);
    EXPECT_EQ(Icon->AnimateRate(), Stored) << Written;
  }
  EXPECT_TRUE(Icon->AutoPopup());
  EXPECT_TRUE(Icon->Enabled());
  Icon->ClickPending = true;
  Icon->SetEnabled(false);
  EXPECT_FALSE(Icon->ClickPending);
}

TEST_F(TrayIconTest, FreedMenusAndImageListsAreForgotten) {
  TTrayIcon* Icon = Make();
  auto* Menu = new QMenu(Form.get());
  auto* Kept = new QMenu(Form.get());
  auto* Frames = new TImageList(Form.get());
  Icon->SetLBPopupMenu(Menu);
  Icon->SetRBPopupMenu(Menu);
  Icon->SetAnimateIcons(Frames);
  delete Menu;
  EXPECT_EQ(Icon->LBPopupMenu(), nullptr);
  EXPECT_EQ(Icon->RBPopupMenu(), nullptr);
  EXPECT_EQ(Icon->AnimateIcons(), Frames);

  Icon->SetRBPopupMenu(Kept);
  delete Frames;
  EXPECT_EQ(Icon->AnimateIcons(), nullptr);
  EXPECT_EQ(Icon->RBPopupMenu(), Kept);
}

TEST_F(TrayIconTest, InTheDesignerNoCallIsMadeButIdentifiersAreTaken) {
  SetDesigning(Form.get(), true);
  TTrayIcon* Icon = Loaded("Vellox");
  Icon->SetTipHelp("changed");
  Icon->SetVisible(false);
  Icon->SetVisible(true);
  EXPECT_EQ(Icon->IconID(), 1);
  EXPECT_EQ(IconList.size(), 1u);
  EXPECT_EQ(Icon->NotifyData(), nullptr);
  EXPECT_TRUE(CallbackWindow.isNull());
  delete Icon;
  EXPECT_TRUE(Shell.Calls.empty());
}

TEST_F(TrayIconTest, AnAnimationShowsEachFrameWhileRegistered) {
  TTrayIcon* Icon = Loaded("Vellox");
  auto* Frames = new TImageList(Form.get());
  for (auto Colour : {Qt::red, Qt::green}) {
    QPixmap Pixels(32, 32);
    Pixels.fill(Colour);
    Frames->Images << QIcon(Pixels);
  }
  Icon->SetAnimateIcons(Frames);
  Icon->SetAnimateRate(100);
  Icon->Animate(true);
  EXPECT_TRUE(Icon->Animating());
  Pump(350);
  Icon->Animate(false);
  std::vector<uint32_t> Images;
  for (const auto& Call : Shell.Calls) {
    if (Call.Message == NIM_MODIFY) Images.push_back(Call.Data.hIcon);
  }
  ASSERT_GE(Images.size(), 3u);  // the first frame, at least one more, and the image again
  EXPECT_NE(Images[0], Images[1]);
  EXPECT_EQ(Images.back(), Icon->Icon().Handle());
  delete Frames;
  EXPECT_FALSE(Icon->Animating());
}

}  // namespace

namespace {

// The menu the notification area holds for an icon, as a StatusNotifierItem host would show it.
QMenu* HeldMenu(const RecordingShell& Shell, const TTrayIcon* Icon) {
  const auto Found = Shell.Menus.find({Icon->NotifyData()->hWnd, Icon->NotifyData()->uID});
  return Found == Shell.Menus.end() ? nullptr : Found->second;
}

TEST_F(TrayIconTest, TheNotificationAreaHoldsTheMenuThatARightPressPopsUp) {
  TTrayIcon* Icon = Loaded("menu");
  auto* Menu = new QMenu(Form.get());
  auto* Other = new QMenu(Form.get());
  Icon->SetLBPopupMenu(Other);  // the left button's menu is never the notification area's
  struct Step {
    const char* What;
    std::function<void()> Change;
    QMenu* Held;
  };
  const std::vector<Step> Steps = {
      {"right menu set", [&] { Icon->SetRBPopupMenu(Menu); }, Menu},
      {"AutoPopup off", [&] { Icon->SetAutoPopup(false); }, nullptr},
      {"AutoPopup on", [&] { Icon->SetAutoPopup(true); }, Menu},
      {"disabled", [&] { Icon->SetEnabled(false); }, nullptr},
      {"enabled", [&] { Icon->SetEnabled(true); }, Menu},
      {"another menu", [&] { Icon->SetRBPopupMenu(Other); }, Other},
      {"removed and added again", [&] { Icon->SetVisible(false); Icon->SetVisible(true); }, Other},
      {"menu freed", [&] { delete Other; }, nullptr},
      {"menu set while not registered", [&] { Icon->SetVisible(false); Icon->SetRBPopupMenu(Menu); }, nullptr},
      {"registered again", [&] { Icon->SetVisible(true); }, Menu},
  };
  for (const Step& S : Steps) {
    S.Change();
    EXPECT_EQ(HeldMenu(Shell, Icon), S.Held) << S.What;
  }
  delete Icon;
  EXPECT_TRUE(Shell.Menus.empty());  // the delete forgets it
}

}  // namespace
