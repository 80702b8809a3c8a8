// What the expression component tells its host beyond the value: where a rejected input stopped
// the parser, and which variables an accepted one read before any assignment gave them a value.
#include <gmock/gmock.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine_fixture.h"
#include "expr_compo.h"

namespace {

class ParseReportTest : public EngineTest {
protected:
  TExprCompo Compo;

  // Calculates Text with standard output captured; a fault is the test's failure.
  void Calculate(const std::string& Text) {
    Compo.Expression = Text;
    testing::internal::CaptureStdout();
    Compo.Calculate();
    testing::internal::GetCapturedStdout();
  }

  std::vector<std::string> UnassignedReads() const {
    std::vector<std::string> Names;
    Compo.ForEachUnassignedRead([&](std::string_view Name) { Names.emplace_back(Name); });
    return Names;
  }
};

std::string Nested(int Depth) { return std::string(Depth, '(') + "1" + std::string(Depth, ')'); }

TEST_F(ParseReportTest, ARejectedInputTellsWhyAndAtWhichByteTheParserStopped) {
  const std::string LongSum = [] {
    std::string Text;
    while (Text.size() < 2200) Text += "1 + ";
    return Text;
  }();
  const struct {
    std::string Text;
    TParseError Error;
    size_t Position;
  } Cases[] = {
      {"2^10", peSyntaxError, 1},        // a character the language does not use
      {"1e-9", peSyntaxError, 1},        // no exponent without a fraction: 1, then the name e
      {"(1+2", peSyntaxError, 4},        // ended too soon: the position is the end
      {"3,5*2", peSyntaxError, 1},
      {"2(3)", peSyntaxError, 1},
      {"5.", peSyntaxError, 1},
      {"1 + * 2", peSyntaxError, 4},
      {"12345 67", peSyntaxError, 6},    // the start of a token, not its end
      {"x = 1 y", peSyntaxError, 6},
      {"SIN = 2", peSyntaxError, 4},
      {"", peSyntaxError, 0},
      {"   ", peSyntaxError, 3},         // blanks are skipped up to the end
      {"1 +  ", peSyntaxError, 5},
      {"x\x83\x41 + 1 1", peSyntaxError, 8},  // xア: a double-byte name counts its two bytes
      {"1 + \x81\x7B", peSyntaxError, 4},     // ＋ is no operator: stopped at its first byte
      {LongSum + "^", peSyntaxError, LongSum.size()},  // beyond the first 2048-byte chunk
      {LongSum, peSyntaxError, LongSum.size()},
      {Nested(1022), peStackOverflow, 1023},  // the first ")", which no longer fits
  };
  for (const auto& C : Cases) {
    const std::string What = C.Text.substr(0, 40);
    Calculate(C.Text);
    EXPECT_FALSE(Compo.Valid()) << What;
    EXPECT_EQ(Compo.Error(), C.Error) << What;
    EXPECT_EQ(Compo.ErrorPosition(), C.Position) << What;
  }
  Calculate(Nested(1021));
  EXPECT_TRUE(Compo.Valid());
  EXPECT_EQ(Compo.Error(), peNone);
  EXPECT_EQ(Compo.ErrorPosition(), 0u);
}

TEST_F(ParseReportTest, ReadsOfVariablesNoAssignmentHasSetAreNamed) {
  // Each case runs on a fresh engine: the earlier inputs, then the last one, whose reads count.
  const struct {
    const char* What;
    std::vector<std::string> Before;
    std::string Text;
    std::vector<std::string> Named;
  } Cases[] = {
      {"a typo", {"total = 44.19"}, "totl * 1.19", {"totl"}},
      {"the assigned name itself", {"total = 44.19"}, "total * 1.19", {}},
      {"pi is no built-in", {"a = 3", "b = 5"}, "SQRT(a**2 + b**2 - 2*a*b*COS(60/180*pi))", {"pi"}},
      {"once each, first read first", {}, "b + a * b - A", {"b", "a"}},
      {"spelled as first scanned", {"Totl + 1"}, "TOTL", {"Totl"}},
      {"read inside an assignment", {}, "x = x + 1", {"x"}},
      {"assigned by it since", {"x = x + 1"}, "x * 2", {}},
      {"an assignment's target is not read", {}, "fresh = 2", {}},
      {"the assignment failed", {"z = 1/0"}, "z", {"z"}},
      {"created by a scan that failed", {"q +"}, "q", {"q"}},
      {"functions are not variables", {}, "SIN(1) + POWER(2, 3)", {}},
      {"assigned zero is assigned", {"n = 0"}, "n", {}},
  };
  for (const auto& C : Cases) {
    SetUp();
    for (const auto& Earlier : C.Before) {
      Compo.Expression = Earlier;
      testing::internal::CaptureStdout();
      try {
        Compo.Calculate();
      } catch (const Exception&) {
      }
      testing::internal::GetCapturedStdout();
    }
    Calculate(C.Text);
    ASSERT_TRUE(Compo.Valid()) << C.What;
    EXPECT_EQ(UnassignedReads(), C.Named) << C.What;
  }
}

TEST_F(ParseReportTest, ARejectedInputNamesNoReads) {
  Calculate("totl +");
  EXPECT_FALSE(Compo.Valid());
  EXPECT_TRUE(UnassignedReads().empty());
  Calculate("totl + 1");  // the next evaluation makes its own list
  EXPECT_EQ(UnassignedReads(), std::vector<std::string>{"totl"});
  Calculate("2");
  EXPECT_TRUE(UnassignedReads().empty());
}

}  // namespace
