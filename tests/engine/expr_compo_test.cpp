#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "engine/expr_compo.h"
#include "engine_fixture.h"
#include "runtime/exceptions.h"

namespace {

// A component whose three events append their names to a log.
class ExprCompoTest : public EngineTest {
protected:
  TExprCompo Compo;
  std::vector<std::string> Log;

  void SetUp() override {
    EngineTest::SetUp();
    Compo.OnCalcDone = [this](TExprCompo&) { Log.push_back("done"); };
    Compo.OnCalcSuccess = [this](TExprCompo&) { Log.push_back("success"); };
    Compo.OnCalcError = [this](TExprCompo&) { Log.push_back("error"); };
  }

  // Calculates Text with standard output captured; returns what was written.
  std::string Calculate(const std::string& Text) {
    Compo.Expression = Text;
    testing::internal::CaptureStdout();
    try {
      Compo.Calculate();
    } catch (...) {
      testing::internal::GetCapturedStdout();
      throw;
    }
    return testing::internal::GetCapturedStdout();
  }
};

void ExpectNoValue(const TExprCompo& Compo) {
  EXPECT_THAT([&] { Compo.Value(); },
              testing::ThrowsMessage<ECalcException>(testing::StrEq("正常な値が格納されていません。")));
}

TEST_F(ExprCompoTest, ANewComponentHoldsNoValue) {
  EXPECT_FALSE(Compo.Valid());
  ExpectNoValue(Compo);
}

TEST_F(ExprCompoTest, SuccessSetsTheResultAndFiresDoneThenSuccess) {
  Calculate("1 + 2 * 3");
  EXPECT_TRUE(Compo.Valid());
  EXPECT_EQ(Compo.Value(), 7);
  EXPECT_FALSE(Compo.Assignment());
  EXPECT_EQ(Log, (std::vector<std::string>{"done", "success"}));

  Calculate("y = 2 * 3");
  EXPECT_EQ(Compo.Value(), 6);
  EXPECT_TRUE(Compo.Assignment());
  EXPECT_EQ(VariableValue("y"), 6);
}

TEST_F(ExprCompoTest, AParseFailureFiresDoneThenErrorAndHidesTheOldValue) {
  Calculate("5");
  Log.clear();
  EXPECT_EQ(Calculate(""), "syntax error\n");
  EXPECT_FALSE(Compo.Valid());
  EXPECT_EQ(Log, (std::vector<std::string>{"done", "error"}));
  ExpectNoValue(Compo);

  Calculate("1 +");
  ExpectNoValue(Compo);
  Calculate("1 + 1");
  EXPECT_EQ(Compo.Value(), 2);
}

TEST_F(ExprCompoTest, AFaultEscapesWithNoEventAndTheOldResultKept) {
  Calculate("x = 5");
  Log.clear();
  EXPECT_THROW(Calculate("1/0"), EZeroDivide);
  EXPECT_THROW(Calculate("SQRT(-1)"), EInvalidOp);
  EXPECT_THROW(Calculate("z = 1/0"), EZeroDivide);
  EXPECT_TRUE(Log.empty());
  EXPECT_TRUE(Compo.Valid());
  EXPECT_EQ(Compo.Value(), 5);
  EXPECT_TRUE(Compo.Assignment());
  EXPECT_EQ(VariableValue("z"), 0);
}

TEST_F(ExprCompoTest, SettingTheExpressionEvaluatesNothing) {
  Calculate("5");
  Compo.Expression = "1/0";
  Compo.Expression = "8";
  EXPECT_EQ(Compo.Value(), 5);
  EXPECT_EQ(Log.size(), 2u);
}

TEST_F(ExprCompoTest, TextAfterANulTakesNoPart) {
  Calculate(std::string("1+2\0+5", 6));
  EXPECT_EQ(Compo.Value(), 3);
  EXPECT_EQ(Calculate(std::string("\0" "1", 2)), "syntax error\n");
}

TEST_F(ExprCompoTest, WorksWithNoHandlerBound) {
  TExprCompo Bare;
  Bare.Expression = "2 ** 10";
  Bare.Calculate();
  EXPECT_EQ(Bare.Value(), 1024);
}

TEST_F(ExprCompoTest, ANestedCalculateFromDoneDecidesWhichEventFollows) {
  // The outer evaluation fails, but OnCalcDone evaluates a valid text on the same component:
  // the outer call then fires OnCalcSuccess.
  bool Nested = false;
  Compo.OnCalcDone = [&](TExprCompo& Sender) {
    Log.push_back("done");
    if (Nested) return;
    Nested = true;
    Sender.Expression = "40 + 2";
    Sender.Calculate();
  };
  Calculate("1 +");
  EXPECT_EQ(Log, (std::vector<std::string>{"done", "done", "success", "success"}));
  EXPECT_EQ(Compo.Value(), 42);

  // And the other way round: a valid outer text, a failing nested one.
  Log.clear();
  Nested = false;
  Compo.OnCalcDone = [&](TExprCompo& Sender) {
    Log.push_back("done");
    if (Nested) return;
    Nested = true;
    Sender.Expression = "1 2";
    Sender.Calculate();
  };
  Calculate("3");
  EXPECT_EQ(Log, (std::vector<std::string>{"done", "done", "error", "error"}));
  EXPECT_FALSE(Compo.Valid());
}

TEST_F(ExprCompoTest, AHandlerExceptionEscapesAfterTheStateWasSet) {
  Compo.OnCalcDone = [](TExprCompo&) { throw Exception("handler failed"); };
  EXPECT_THROW(Calculate("6 * 7"), Exception);
  EXPECT_TRUE(Compo.Valid());
  EXPECT_EQ(Compo.Value(), 42);
  EXPECT_TRUE(Log.empty());  // OnCalcSuccess was not fired
}

}  // namespace
