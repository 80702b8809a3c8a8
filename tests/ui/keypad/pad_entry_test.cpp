#include <gtest/gtest.h>

#include <QStringList>

#include "keypad/pad_entry.h"
#include "printers.h"

namespace {

// The keypad's steps, with a strip that starts with "x" in its expression field. Steps: "C" is
// the clear button, "=" the answer button (the strip then shows the row's next answer, empty for
// a failure); every other character is a key typed into the keypad's field.
TEST(PadEntryTest, StepsBuildTheExpressionAndTheFieldsShowIt) {
  struct Row {
    const char* Steps;
    QStringList Answers;
    const char *Expr, *Number, *Field, *Strip;
    int Bells;
  };
  const Row Rows[] = {
      {"12+3=", {"15"}, "", "", "15", "12+3", 0},
      {"12+", {}, "12+", "", "", "12+", 0},
      {"+", {}, "", "", "", "x", 0},  // an operator needs a number first
      {"2**", {}, "2*", "", "", "2*", 0},
      {"7=-4", {"7"}, "-4", "4", "4", "-4", 0},  // an operator on the answer starts anew
      {"7=*2=", {"7", ""}, "", "", "", "*2", 0},  // no result: the field shows none
      {"3=4", {"3"}, "4", "4", "4", "4", 0},
      {"45+C", {}, "", "", "", "", 0},
      {"12+34\b", {}, "12+3", "3", "3", "12+3", 0},
      {"12+34\b\b\b", {}, "12+", "", "", "12+", 0},  // the operator stays
      {"5=\b", {"5"}, "", "", "", "", 0},
      {"12a.,\x16 *3\r", {"36"}, "", "", "36", "12*3", 0},  // Enter answers; other keys do nothing
      {"123+4567", {}, "123+45", "45", "45", "123+45", 2},  // the strip's field holds 6
  };
  for (const Row& R : Rows) {
    TPadEntry Entry(6);
    QString Strip = "x";
    int Bells = 0, Answered = 0;
    for (const char* Step = R.Steps; *Step != 0; ++Step) {
      const auto Action = *Step == 'C'   ? Entry.Clear()
                          : *Step == '=' ? Entry.Answer()
                                         : Entry.Type(QChar::fromLatin1(*Step));
      if (Action == TPadEntry::TAction::Bell) ++Bells;
      if (Action == TPadEntry::TAction::ShowExpression) Strip = Entry.PadExpr;
      if (Action == TPadEntry::TAction::Clear) Strip.clear();
      if (Action == TPadEntry::TAction::Answer) Entry.ShowAnswer(R.Answers.value(Answered++));
    }
    EXPECT_EQ(QStringList({Entry.PadExpr, Entry.PadNumber, Entry.Field(), Strip}),
              QStringList({R.Expr, R.Number, R.Field, R.Strip})) << R.Steps;
    EXPECT_EQ(Bells, R.Bells) << R.Steps;
  }
}

}  // namespace
