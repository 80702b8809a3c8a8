#include <string>

#include "engine_fixture.h"
#include "parser.h"
#include "runtime/exceptions.h"

namespace {

class ParserTest : public EngineTest {};

TEST_F(ParserTest, PrecedenceAssociativityAndSigns) {
  const std::pair<const char*, Extended> Cases[] = {
      {"2**3**2", 64},      // POWER is left-associative
      {"-2**2", 4},         // a sign binds to the primary right after it
      {"1+2**2*3", 13},
      {"2-3-4", -5},
      {"8/2/2", 2},
      {"2*-3", -6},
      {"2**-3", 0.125L},
      {"-(-3)", 3},
      {"((1))", 1},
      {"+4", 4},
      {"1-+2", -1},
      {"2*3+4*5", 26},
      {"2+3*4**2", 50},
      {"(2+3)*4", 20},
      {"10/4*2", 5},
      {"2**3*2", 16},
      {"-3**2+1", 10},
      {"POWER(2,3)", 8},
      {"POWER(1+1, 1+2) * 2", 16},
      {"SQRT(SQR(3) + SQR(4))", 5},
  };
  for (const auto& [Text, Value] : Cases) {
    const Evaluation E = Evaluate(Text);
    EXPECT_TRUE(E.Accepted) << Text << " " << E.Output;
    EXPECT_EQ(E.Value, Value) << Text;
    EXPECT_FALSE(E.Assignment) << Text;
    EXPECT_EQ(E.Output, "") << Text;
  }
}

TEST_F(ParserTest, SyntaxErrorsWriteOneLineAndChangeNothing) {
  ASSERT_TRUE(Evaluate("a = 7").Accepted);
  ASSERT_TRUE(Evaluate("b = 7").Accepted);
  ASSERT_TRUE(Evaluate("x = 7").Accepted);
  const char* Cases[] = {
      "a=b=3", "(a)=3", "-x=1", "x=", "SIN=1", "--3", "+-3", "1 2", "1,2", "sin 3",
      "POWER(2,3,4)", "POWER(2)", "SIN(1,2)", "", "   ", "1 +", "(1", "1)", "2^3", "x\n",
      "1\r", "a=(1", "x = 1 x = 2", "a b = 3", "1 = 2", "=", "5.", "3 x",
  };
  for (const char* Text : Cases) {
    const Evaluation E = Evaluate(Text);
    EXPECT_FALSE(E.Accepted) << Text;
    EXPECT_FALSE(E.Fault) << Text;
    EXPECT_EQ(E.Output, "syntax error\n") << Text;
  }
  EXPECT_EQ(VariableValue("a"), 7);
  EXPECT_EQ(VariableValue("b"), 7);
  EXPECT_EQ(VariableValue("x"), 7);
}

TEST_F(ParserTest, AssignmentSetsTheVariableAndIsMarked) {
  Evaluation E = Evaluate("x = 5 + 1");
  EXPECT_TRUE(E.Accepted);
  EXPECT_EQ(E.Value, 6);
  EXPECT_TRUE(E.Assignment);
  EXPECT_EQ(VariableValue("x"), 6);

  E = Evaluate("5 + 1");
  EXPECT_EQ(E.Value, 6);
  EXPECT_FALSE(E.Assignment);

  E = Evaluate("a=(1)");
  EXPECT_TRUE(E.Assignment);
  EXPECT_EQ(VariableValue("a"), 1);

  E = Evaluate("x = x * 2 - a");
  EXPECT_EQ(E.Value, 11);
  EXPECT_EQ(VariableValue("x"), 11);
}

TEST_F(ParserTest, ActionsRunAtReductionsSoFaultsAndSyntaxErrorsComeInInputOrder) {
  struct Case {
    const char* Text;
    bool ZeroDivide, InvalidOp;
    const char* Output;
  };
  const Case Cases[] = {
      {"1/0 5", false, false, "syntax error\n"},     // 5 is an error before the division reduces
      {"1/0 )", true, false, ""},                    // ')' reduces the division first
      {"1/0", true, false, ""},
      {"SQRT(-1) 5", false, true, ""},               // the call reduces as soon as ')' is shifted
      {"2 ** LN(0) 5", true, false, ""},
      {"1 + 0/0 )", false, true, ""},
      {"1 + 0/0 5", false, false, "syntax error\n"},
  };
  for (const auto& C : Cases) {
    const Evaluation E = Evaluate(C.Text);
    EXPECT_EQ(E.FaultIs<EZeroDivide>(), C.ZeroDivide) << C.Text;
    EXPECT_EQ(E.FaultIs<EInvalidOp>(), C.InvalidOp) << C.Text;
    EXPECT_EQ(E.Output, C.Output) << C.Text;
  }
}

TEST_F(ParserTest, AFaultPreventsTheAssignment) {
  ASSERT_TRUE(Evaluate("w = 2").Accepted);
  EXPECT_TRUE(Evaluate("w = 1/0").FaultIs<EZeroDivide>());
  EXPECT_EQ(VariableValue("w"), 2);
  EXPECT_TRUE(Evaluate("z = 1/0").FaultIs<EZeroDivide>());
  EXPECT_EQ(VariableValue("z"), 0);  // created by the scanner, never assigned
}

TEST_F(ParserTest, StacksHold1021NestedParenthesesAndNoMore) {
  const std::string Fits = std::string(1021, '(') + "7" + std::string(1021, ')');
  Evaluation E = Evaluate(Fits);
  EXPECT_TRUE(E.Accepted);
  EXPECT_EQ(E.Value, 7);

  const std::string Over = std::string(1022, '(') + "7" + std::string(1022, ')');
  E = Evaluate(Over);
  EXPECT_FALSE(E.Accepted);
  EXPECT_FALSE(E.Fault);
  EXPECT_EQ(E.Output, "yyparse stack overflow\n");

  // A function call's name and parenthesis take two entries, an operand and operator two.
  std::string Calls;
  for (int I = 0; I < 511; ++I) Calls += "SQR(";
  Calls += "1" + std::string(511, ')');
  EXPECT_EQ(Evaluate(Calls).Output, "yyparse stack overflow\n");
  const auto NestedSums = [](int Depth) {
    std::string Text;
    for (int I = 0; I < Depth; ++I) Text += "1+(";
    return Text + "1" + std::string(static_cast<size_t>(Depth), ')');
  };
  E = Evaluate(NestedSums(340));  // 1 + 3 * 340 entries, then the innermost 1 and ')'
  EXPECT_TRUE(E.Accepted) << E.Output;
  EXPECT_EQ(E.Value, 341);
  EXPECT_EQ(Evaluate(NestedSums(341)).Output, "yyparse stack overflow\n");
}

TEST_F(ParserTest, AFailedParseKeepsTheLastResult) {
  ASSERT_TRUE(Evaluate("y = 4").Accepted);
  Evaluate("1 +");
  Evaluate("1/0");
  Evaluate(std::string(1022, '(') + "1");
  EXPECT_EQ(ParseValue, 4);
  EXPECT_TRUE(ParseAssigned);
}

}  // namespace
