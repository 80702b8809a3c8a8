#include <cfloat>
#include <cmath>
#include <string>

#include "engine_fixture.h"
#include "runtime/exceptions.h"

namespace {

class BuiltinsTest : public EngineTest {};

constexpr Extended kPi = 3.14159265358979323846264338327950288L;

TEST_F(BuiltinsTest, ComputeAtExtendedPrecision) {
  struct Case {
    const char* Text;
    Extended Value;
  };
  const Case Cases[] = {
      {"SIN(0)", 0},
      {"COS(0)", 1},
      {"TAN(0)", 0},
      {"TAN(ARCTAN(2))", 2},
      {"LN(1)", 0},
      {"LN(EXP(1))", 1},
      {"LN(8) / LN(2)", 3},
      {"EXP(0)", 1},
      {"EXP(1)", 2.71828182845904523536028747135266250L},
      {"SQR(-3)", 9},
      {"SQRT(2)", 1.41421356237309504880168872420969808L},
      {"ARCSIN(1)", kPi / 2},
      {"ARCCOS(-1)", kPi},
      {"ARCTAN(1)", kPi / 4},
      {"ARCTAN(-1.0E4000)", -kPi / 2},
      {"LOG10(1000)", 3},
      {"POWER(2, 10)", 1024},
      {"POWER(10, 2)", 100},
      {"POWER(2, 0.5)", 1.41421356237309504880168872420969808L},
      {"SIN(ARCSIN(0.5))", 0.5L},
  };
  for (const auto& C : Cases) {
    const Evaluation E = Evaluate(C.Text);
    ASSERT_TRUE(E.Accepted) << C.Text;
    // Within a few units in the last place of the 64-bit significand.
    EXPECT_LE(std::fabs(E.Value - C.Value), 4 * LDBL_EPSILON * std::fmax(1.0L, std::fabs(C.Value)))
        << C.Text << ": " << static_cast<double>(E.Value);
  }
}

TEST_F(BuiltinsTest, FaultsEndTheEvaluationInTheBuiltinThatCausedThem) {
  struct Case {
    const char* Text;
    int Fault;  // 0 none, 1 zero divide, 2 invalid, 3 overflow
  };
  const Case Cases[] = {
      {"LN(0)", 1},         {"LN(-1)", 2},          {"SQRT(-1)", 2},       {"SQR(1.0E3000)", 3},
      {"EXP(12000)", 3},    {"ARCSIN(1.5)", 2},     {"ARCCOS(2)", 2},      {"LOG10(0)", 1},
      {"LOG10(-2)", 2},     {"POWER(0, -1)", 1},    {"0 ** -1", 1},        {"POWER(-8, 0.5)", 2},
      {"10 ** 5000", 3},    {"SQR(1.0E-3000)", 0},  {"EXP(-12000)", 0},    {"ARCTAN(1.0E4000)", 0},
      {"SQRT(0)", 0},       {"POWER(0, 0)", 0},
  };
  for (const auto& C : Cases) {
    const Evaluation E = Evaluate(C.Text);
    EXPECT_EQ(E.FaultIs<EZeroDivide>(), C.Fault == 1) << C.Text;
    EXPECT_EQ(E.FaultIs<EInvalidOp>(), C.Fault == 2) << C.Text;
    EXPECT_EQ(E.FaultIs<EOverflow>(), C.Fault == 3) << C.Text;
    EXPECT_EQ(E.Accepted, C.Fault == 0) << C.Text;
  }
}

TEST_F(BuiltinsTest, PowerOperatorAndFunctionAgree) {
  const char* Pairs[][2] = {{"2", "10"}, {"2", "-3"}, {"1.5", "2.5"}, {"-2", "3"}, {"10", "-2"},
                            {"7", "0.1"}, {"0.5", "100"}};
  for (const auto& [Base, Exponent] : Pairs) {
    const std::string Operator = std::string(Base) + "**" + Exponent;
    const std::string Function = std::string("POWER(") + Base + "," + Exponent + ")";
    EXPECT_EQ(Evaluate(Operator).Value, Evaluate(Function).Value) << Operator;
  }
}

}  // namespace
