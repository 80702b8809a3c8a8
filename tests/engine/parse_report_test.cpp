// What the expression component tells its host beyond the value: where a rejected input stopped
// the parser, and which variables an accepted one read before any assignment gave them a value.
#include <gmock/gmock.h>

#include <string>
#include <string_view>
#include <vector>

#include "engine/expr_compo.h"
#include "engine_fixture.h"

namespace {

class ParseReportTest : public EngineTest {
protected:
  TExprCompo Compo;

  // Calculates each text in turn with standard output captured; a fault only ends its text.
  void Calculate(const std::vector<std::string>& Texts) {
    for (const auto& Text : Texts) {
      Compo.Expression = Text;
      testing::internal::CaptureStdout();
      try {
        Compo.Calculate();
      } catch (const Exception&) {
      }
      testing::internal::GetCapturedStdout();
    }
  }
};

TEST_F(ParseReportTest, ARejectedInputTellsWhyAndAtWhichByteTheParserStopped) {
  std::string LongSum;
  while (LongSum.size() < 2200) LongSum += "1 + ";
  const std::string Deep = std::string(1022, '(') + "1" + std::string(1022, ')');
  const struct {
    std::string Text;
    TParseError Error;
    size_t Position;
  } Cases[] = {
      {"2^10", peSyntaxError, 1},
      {"12345 67", peSyntaxError, 6},         // the start of a token, not its end
      {"(1+2", peSyntaxError, 4},             // ended too soon: the position is the end
      {"   ", peSyntaxError, 3},
      {"x\x83\x41 + 1 1", peSyntaxError, 8},  // xア: a double-byte name counts its two bytes
      {LongSum + "^", peSyntaxError, LongSum.size()},  // beyond the first 2048-byte chunk
      {Deep, peStackOverflow, 1023},          // the first ")", which no longer fits
      {"(1)", peNone, 0},
  };
  for (const auto& C : Cases) {
    Calculate({C.Text});
    EXPECT_EQ(Compo.Valid(), C.Error == peNone) << C.Text.substr(0, 20);
    EXPECT_EQ(Compo.Error(), C.Error) << C.Text.substr(0, 20);
    EXPECT_EQ(Compo.ErrorPosition(), C.Position) << C.Text.substr(0, 20);
  }
}

TEST_F(ParseReportTest, ReadsOfVariablesNoAssignmentHasSetAreNamed) {
  // Each case on a fresh engine: the earlier inputs, then the last one, whose reads count.
  const struct {
    const char* What;
    std::vector<std::string> Texts;
    std::vector<std::string> Named;
  } Cases[] = {
      {"once each, first read first", {"b + a * b - A"}, {"b", "a"}},
      {"read twice in a row, listed once", {"x * x"}, {"x"}},  // not linked to itself
      {"spelled as first scanned", {"Totl + 1", "TOTL"}, {"Totl"}},
      {"read by its own first assignment", {"x = x + 1"}, {"x"}},
      {"an assignment's target is not read", {"fresh = 2"}, {}},
      {"assigned zero is assigned", {"n = 0", "n"}, {}},
      {"the assignment failed", {"z = 1/0", "z"}, {"z"}},
      {"created by a scan that failed", {"q +", "q"}, {"q"}},
      {"functions are not variables", {"SIN(1) + POWER(2, 3)"}, {}},
      {"a rejected input names none", {"totl +"}, {}},
  };
  for (const auto& C : Cases) {
    SetUp();
    Calculate(C.Texts);
    std::vector<std::string> Named;
    Compo.ForEachUnassignedRead([&](std::string_view Name) { Named.emplace_back(Name); });
    EXPECT_EQ(Named, C.Named) << C.What;
  }
}

}  // namespace
