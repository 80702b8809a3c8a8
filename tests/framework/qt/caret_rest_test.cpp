#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>

#include <functional>

#include "qt/caret_rest.h"

namespace {

void PumpUntil(const std::function<bool()>& Done, int TimeoutMs) {
  QElapsedTimer Clock;
  Clock.start();
  while (!Done() && Clock.elapsed() < TimeoutMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(CaretRestTest, TheCaretRestsAfterAQuietSpellAndBlinksAgainOnInput) {
  QStyleHints* Hints = QGuiApplication::styleHints();
  const int Desktop = Hints->cursorFlashTime();
  ASSERT_GT(Desktop, 0);
  QLineEdit Field;
  {
    TCaretRest Rest(100);
    EXPECT_FALSE(Rest.Resting());
    PumpUntil([&] { return Rest.Resting(); }, 3000);
    EXPECT_TRUE(Rest.Resting());
    EXPECT_EQ(Hints->cursorFlashTime(), 0);

    QTest::keyClick(&Field, Qt::Key_1);  // typing wakes it
    EXPECT_FALSE(Rest.Resting());
    EXPECT_EQ(Hints->cursorFlashTime(), Desktop);
    EXPECT_EQ(Field.text(), "1");  // and the key still reaches the field

    PumpUntil([&] { return Rest.Resting(); }, 3000);  // quiet again: rests again
    EXPECT_TRUE(Rest.Resting());
    QTest::mouseClick(&Field, Qt::LeftButton);
    EXPECT_EQ(Hints->cursorFlashTime(), Desktop);
    PumpUntil([&] { return Rest.Resting(); }, 3000);
  }
  EXPECT_EQ(Hints->cursorFlashTime(), Desktop);  // given back when the program ends
}

}  // namespace
