// The shared menu from the keyboard, in either field of the strip.
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "field/keyboard_menu.h"
#include "field/paste_filter.h"
#include "ui_fixture.h"

namespace {

TEST_F(UiTest, TheMenuKeyAndShiftF10OpenTheSharedMenuWithTheFieldsEditCommands) {
  Start();
  const qsizetype Items = Strip->PopupMenu1->actions().size();
  for (const auto& [Field, Key] : {std::pair{Strip->Edit1, QKeyCombination(Qt::Key_Menu)},
                                   {Strip->Edit1, QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)},
                                   {Strip->Edit2, QKeyCombination(Qt::ShiftModifier, Qt::Key_F10)}}) {
    const std::string Where = QKeySequence(Key).toString().toStdString();
    Field->setFocus();
    QWidget* Shown = nullptr;
    QMenu* Edit = nullptr;
    QTimer::singleShot(50, [&] {  // looked at while open, then closed as the user would
      Shown = QApplication::activePopupWidget();
      Edit = Strip->PopupMenu1->actions().value(0)->menu();
      if (Shown != nullptr) QTest::keyClick(Shown, Qt::Key_Escape);
    });
    QTest::keyClick(Field, Key.key(), Key.keyboardModifiers());
    EXPECT_EQ(Shown, Strip->PopupMenu1) << Where;
    ASSERT_NE(Edit, nullptr) << Where;
    EXPECT_EQ(Edit->title(), TKeyboardMenu::EditCaption()) << Where;
    EXPECT_EQ(PasteItemOf(Edit) != nullptr, !Field->isReadOnly()) << Where;  // pasted through the filter
    EXPECT_EQ(Strip->PopupMenu1->actions().size(), Items) << Where;          // and gone again
    EXPECT_EQ(QApplication::focusWidget(), Strip->Edit1) << Where;
  }
}

}  // namespace
