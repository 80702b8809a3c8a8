// The shared menu from the keyboard, in either field of the strip.
#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

#include "field/keyboard_menu.h"
#include "field/paste_filter.h"
#include "ui_fixture.h"

namespace {

// Runs Open, which shows a modal menu, and returns the menu that it showed within the deadline,
// once the menu has the keys and its first item selected, as a user would see it, and Look has looked at it; the
// menu is then closed with Escape, as the user would. A menu shown or made ready later is closed
// too, so that the test fails rather than waits for ever, but is not returned.
QMenu* MenuShownBy(const std::function<void()>& Open, const std::function<void()>& Look) {
  constexpr int kDeadlineMs = 5000;
  QMenu* Shown = nullptr;
  QElapsedTimer Clock;
  QTimer Watch;
  Watch.setInterval(5);
  QObject::connect(&Watch, &QTimer::timeout, [&] {
    auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    const bool Late = Clock.elapsed() > kDeadlineMs;
    // Ready as the user sees it: the window system has given it the keys and its first item is
    // selected.
    const bool Ready = Menu != nullptr && Menu->activeAction() != nullptr &&
                       QGuiApplication::focusWindow() == Menu->windowHandle();
    if (Menu == nullptr || (!Ready && !Late)) return;
    Watch.stop();
    if (!Late) {
      Shown = Menu;
      Look();
    }
    QTest::keyClick(Menu, Qt::Key_Escape);
  });
  Clock.start();
  Watch.start();
  Open();
  Watch.stop();
  return Shown;
}

TEST_F(UiTest, TheMenuKeyAndShiftF10OpenTheSharedMenuWithTheFieldsEditCommands) {
  Start();
  const qsizetype Items = Strip->PopupMenu1->actions().size();
  using TFieldKey = std::pair<QWidget*, QKeyCombination>;
  for (const auto& [Field, Key] : {TFieldKey{Strip->Edit1, QKeyCombination(Qt::Key_Menu)},
                                   {Strip->Edit1, QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)},
                                   {Strip->Edit2, QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)}}) {
    const std::string Where = QKeySequence(Key).toString().toStdString();
    // The menu gives the keys back only to an active strip; closing it activates the strip anew.
    ASSERT_TRUE(QTest::qWaitForWindowActive(Strip.get())) << Where;
    Field->setFocus();
    QMenu* Edit = nullptr;
    QWidget* Shown = MenuShownBy([&] { QTest::keyClick(Field, Key.key(), Key.keyboardModifiers()); },
                                 [&] { Edit = Strip->PopupMenu1->actions().value(0)->menu(); });
    EXPECT_EQ(Shown, Strip->PopupMenu1) << Where;
    ASSERT_NE(Edit, nullptr) << Where;
    EXPECT_EQ(Edit->title(), TKeyboardMenu::EditCaption()) << Where;
    const bool ReadOnly = WithLine(Field, [](auto* Line) { return Line->isReadOnly(); });
    EXPECT_EQ(PasteItemOf(Edit) != nullptr, !ReadOnly) << Where;  // pasted through the filter
    EXPECT_EQ(Strip->PopupMenu1->actions().size(), Items) << Where;          // and gone again
    EXPECT_EQ(QApplication::focusWidget(), Strip->Edit1) << Where;
  }
}

}  // namespace
