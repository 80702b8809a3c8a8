#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include "field/long_line_edit.h"
#include "field/undo_bound.h"

namespace {

// Qt's line edit and the long one: the bound reaches either through the same calls.
template <class TField>
class UndoBoundTest : public ::testing::Test {};
using TFields = ::testing::Types<QLineEdit, TLongLineEdit>;
TYPED_TEST_SUITE(UndoBoundTest, TFields);

TYPED_TEST(UndoBoundTest, TheHistoryIsDroppedAfterTheBoundWithTextCaretAndSelectionKept) {
  TypeParam Field;
  new TUndoBound(&Field, 10);
  QTest::keyClicks(&Field, "12345");
  Field.setSelection(1, 3);
  QTest::keyClicks(&Field, "6");  // 3 removed and 1 inserted: 9 changed so far
  QCoreApplication::processEvents();
  EXPECT_TRUE(Field.isUndoAvailable());
  EXPECT_EQ(Field.text(), "165");

  Field.setCursorPosition(1);
  QTest::keyClicks(&Field, "78");  // 11 changed: beyond the bound
  Field.setSelection(4, -2);       // the caret at the start of a selection
  QCoreApplication::processEvents();
  EXPECT_FALSE(Field.isUndoAvailable());
  EXPECT_EQ(Field.text(), "17865");
  EXPECT_EQ(Field.selectedText(), "86");
  EXPECT_EQ(Field.cursorPosition(), 2);

  QTest::keyClicks(&Field, "9");  // counting starts anew
  QCoreApplication::processEvents();
  EXPECT_TRUE(Field.isUndoAvailable());
}

}  // namespace
