// Every command from the keyboard: the shared menu from any field of the strip, the captions'
// access keys, and the keypad closed with Escape.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "keyboard_menu.h"
#include "paste_filter.h"
#include "ui_fixture.h"

namespace {

TEST_F(UiTest, TheMenuKeyAndShiftF10OpenTheSharedMenuWithTheFieldsEditCommands) {
  Start();
  const struct {
    QLineEdit* Field;
    QKeyCombination Key;
  } Cases[] = {
      {Strip->Edit1, QKeyCombination(Qt::Key_Menu)},
      {Strip->Edit1, QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)},
      {Strip->Edit2, QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)},
  };
  const qsizetype Items = Strip->PopupMenu1->actions().size();
  for (const auto& C : Cases) {
    const std::string Where = C.Field->accessibleName().toStdString() + " " + QKeySequence(C.Key).toString().toStdString();
    C.Field->setFocus();
    QWidget* Shown = nullptr;
    QMenu* Edit = nullptr;
    // Looked at while open, then closed as the user would.
    QTimer::singleShot(50, [&] {
      Shown = QApplication::activePopupWidget();
      if (Shown == nullptr) return;
      Edit = Strip->PopupMenu1->actions().value(0)->menu();
      QTest::keyClick(Shown, Qt::Key_Escape);
    });
    QTest::keyClick(C.Field, C.Key.key(), C.Key.keyboardModifiers());
    EXPECT_EQ(Shown, Strip->PopupMenu1) << Where;
    ASSERT_NE(Edit, nullptr) << Where;
    EXPECT_EQ(Edit->title(), TKeyboardMenu::EditCaption()) << Where;
    EXPECT_EQ(PasteItemOf(Edit) != nullptr, !C.Field->isReadOnly()) << Where;
    EXPECT_EQ(Strip->PopupMenu1->defaultAction(), Strip->Undo1) << Where;
    EXPECT_EQ(Strip->PopupMenu1->actions().size(), Items) << Where;  // the edit commands gone again
    EXPECT_EQ(QApplication::focusWidget(), Strip->Edit1) << Where;
  }
}

TEST_F(UiTest, AccessKeysClearAndOpenTheKeypadWhichEscapeCloses) {
  Start();
  Strip->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Strip.get()));
  QTest::keyClicks(Strip->Edit1, "1+2");
  // A button pressed with its access key is shown pressed for a moment, then clicked.
  QTest::keyClick(Strip->Edit1, Qt::Key_C, Qt::AltModifier);
  Pump(200);
  EXPECT_EQ(Strip->Edit1->text(), "");
  QTest::keyClick(Strip->Edit1, Qt::Key_P, Qt::AltModifier);
  Pump(200);
  ASSERT_TRUE(Pad->isVisible());
  EXPECT_TRUE(Strip->P1->isChecked());
  QTest::keyClick(Pad->Edit1, Qt::Key_Escape);
  EXPECT_FALSE(Pad->isVisible());
  EXPECT_FALSE(Strip->P1->isChecked());
  EXPECT_TRUE(Strip->FormEnabled());
}

}  // namespace
