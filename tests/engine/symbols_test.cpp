#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "engine/expr_compo.h"
#include "engine_fixture.h"
#include "symbols.h"

namespace {

class SymbolsTest : public EngineTest {};

Extended Half(Extended X) { return X / 2; }
Extended Sum(Extended X, Extended Y) { return X + Y; }

TEST_F(SymbolsTest, StartsWithTheTwelveBuiltinsInOrder) {
  const std::vector<std::string> Names = {"SIN",  "COS",    "TAN",    "LN",     "EXP",   "SQR",
                                          "SQRT", "ARCSIN", "ARCCOS", "ARCTAN", "LOG10", "POWER"};
  ASSERT_EQ(SymbolList.size(), Names.size());
  for (size_t I = 0; I < Names.size(); ++I) {
    EXPECT_EQ(SymbolList[I]->Name, Names[I]);
    EXPECT_EQ(SymbolList[I]->Kind, Names[I] == "POWER" ? skFunction2 : skFunction1) << Names[I];
  }
}

TEST_F(SymbolsTest, UnknownNamesBecomeVariablesWithZeroWhenScanned) {
  EXPECT_EQ(Evaluate("abc").Value, 0);
  EXPECT_EQ(Evaluate("abc + 1").Value, 1);
  ASSERT_NE(FindSymbol("abc"), nullptr);
  EXPECT_EQ(FindSymbol("abc")->Kind, skVariable);

  EXPECT_EQ(Evaluate("q +").Output, "syntax error\n");
  EXPECT_NE(FindSymbol("q"), nullptr);          // scanned before the error
  Evaluate("1 1 never");
  EXPECT_EQ(FindSymbol("never"), nullptr);      // after the error: not scanned

  EXPECT_EQ(Evaluate("n = n + 1").Value, 1);
  EXPECT_EQ(SymbolList.size(), 12u + 3u);
  EXPECT_EQ(SymbolList.back()->Name, "n");      // insertion order
}

TEST_F(SymbolsTest, NamesIgnoreTheCaseOfLettersButKeepTheirFirstSpelling) {
  Evaluate("x = 5");
  EXPECT_EQ(Evaluate("X * 2").Value, 10);
  EXPECT_EQ(FindSymbol("X")->Name, "x");
  EXPECT_EQ(FindSymbol("sIn"), SymbolList[0].get());
  for (const char* Text : {"sin(0)", "Sin(0)", "SIN(0)"}) EXPECT_EQ(Evaluate(Text).Value, 0) << Text;
}

TEST_F(SymbolsTest, FoldingAppliesToEveryByteButOnlyToLowerCaseLetters) {
  Evaluate("x\x83\x41 = 1");                 // xア
  EXPECT_EQ(Evaluate("x\x83\x61").Value, 1);  // xヂ: its trail byte 0x61 folds onto 0x41
  // Trail bytes next to the letters do not fold: '@' 0x40 / '`' 0x60, '[' 0x5B / '{' 0x7B.
  // Each name must be scanned whole for its assignment to count (0x40 is the lowest trail byte).
  EXPECT_TRUE(Evaluate("y\x83\x40 = 2").Accepted);
  EXPECT_EQ(VariableValue("y\x83\x40"), 2);
  EXPECT_EQ(Evaluate("y\x83\x60").Value, 0);
  EXPECT_TRUE(Evaluate("z\x83\x5B = 3").Accepted);
  EXPECT_EQ(VariableValue("z\x83\x5B"), 3);
  EXPECT_EQ(Evaluate("z\x83\x7B").Value, 0);
  EXPECT_EQ(FindSymbol("ab"), nullptr);
  EXPECT_EQ(FindSymbol("x\x83\x41\x41"), nullptr);  // a longer name is another name
}

TEST_F(SymbolsTest, AFunctionNameCannotBeAssigned) {
  EXPECT_EQ(Evaluate("SIN = 2").Output, "syntax error\n");
  EXPECT_EQ(FindSymbol("SIN")->Kind, skFunction1);
  EXPECT_NEAR(static_cast<double>(Evaluate("SIN(1)").Value), 0.8414709848078965, 1e-15);
}

TEST_F(SymbolsTest, AddFunctionChecksItsArgumentsBeforeTheName) {
  const TSymFunc1 OldSin = FindSymbol("SIN")->Func1;
  EXPECT_FALSE(AddFunction("sin", Half, skFunction1));
  EXPECT_EQ(FindSymbol("SIN")->Func1, OldSin);

  const auto ExpectInvalid = [](const char* Name, TSymFuncRef Func, TSymKind Kind) {
    EXPECT_THAT([&] { AddFunction(Name, Func, Kind); },
                testing::ThrowsMessage<ECalcException>(testing::StrEq("Invalid Function")))
        << Name;
  };
  ExpectInvalid("HALF", nullptr, skFunction1);
  ExpectInvalid("HALF", Half, skVariable);
  ExpectInvalid("HALF", Half, skReserved);
  ExpectInvalid("HALF", Half, skFunction2);  // a one-argument function as two-argument kind
  ExpectInvalid("SIN", nullptr, skFunction1);  // raises although the name exists
  EXPECT_EQ(FindSymbol("HALF"), nullptr);

  Evaluate("v = 4");
  EXPECT_FALSE(AddFunction("V", Half, skFunction1));
  EXPECT_EQ(FindSymbol("v")->Kind, skVariable);

  EXPECT_TRUE(AddFunction("HALF", Half, skFunction1));
  EXPECT_TRUE(AddFunction("SUM", Sum, skFunction2));
  EXPECT_EQ(Evaluate("half(v) + Sum(1, 2)").Value, 5);
}

TEST_F(SymbolsTest, VariablesAreSharedByEveryComponent) {
  TExprCompo First, Second;
  First.Expression = "shared = 41";
  First.Calculate();
  Second.Expression = "shared + 1";
  Second.Calculate();
  EXPECT_EQ(Second.Value(), 42);
}

}  // namespace
