// A parse allocates nothing once the engine is warm: the variables it names exist and the
// scanner's token buffer has its reservation. Runs in its own executable, which counts every
// global operator new.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "calc_expression.h"
#include "counting_allocator.h"
#include "engine_fixture.h"

namespace {

class AllocationTest : public EngineTest {};

// Evaluates Text with standard output sent to /dev/null (the parser's "syntax error" line) and
// returns how many allocations the evaluation made. Redirecting with dup2 allocates nothing.
size_t AllocationsOf(const std::string& Text, bool& Accepted) {
  std::fflush(stdout);
  const int Saved = dup(STDOUT_FILENO);
  std::FILE* Null = std::fopen("/dev/null", "w");
  dup2(fileno(Null), STDOUT_FILENO);
  Extended Value = 0;
  bool Assignment = false;
  StartCountingAllocations();
  Accepted = CalcExpression(Text.c_str(), Value, Assignment);
  const size_t Count = StopCountingAllocations();
  std::fflush(stdout);
  dup2(Saved, STDOUT_FILENO);
  close(Saved);
  std::fclose(Null);
  return Count;
}

std::string LongSum() {
  std::string Text = "x";
  while (Text.size() < 2100) Text += " + 12.5 * y - SQRT(2)";
  return Text;
}

TEST_F(AllocationTest, AParseOfKnownNamesAllocatesNothing) {
  const struct {
    const char* Name;
    std::string Text;
    bool Accepted;
  } Cases[] = {
      {"short sum", "1+2", true},
      {"numbers with exponents", "1.5e3 + .25E-2 - 3", true},
      {"nested parentheses", std::string(300, '(') + "1" + std::string(300, ')'), true},
      {"functions", "SIN(1)+COS(2)+POWER(2, 0.5)+SQRT(LN(10))", true},
      {"assignment", "x = 2 ** 10", true},
      {"variables", "y = x / 3 + X", true},
      {"variables never assigned, listed as read", "totl * 1.19 + pi - totl", true},
      {"a variable read by its own assignment", "n = n + 1", true},
      {"long input across the 2048-byte chunk", LongSum(), true},
      {"syntax error", "1 + * 2", false},
      {"syntax error at the end", "(1 + 2", false},
  };
  // Warm-up: creates x and y, and lets the C library set up standard output.
  for (const auto& Case : Cases) {
    bool Accepted = false;
    AllocationsOf(Case.Text, Accepted);
  }
  for (const auto& Case : Cases) {
    bool Accepted = false;
    EXPECT_EQ(AllocationsOf(Case.Text, Accepted), 0u) << Case.Name;
    EXPECT_EQ(Accepted, Case.Accepted) << Case.Name;
  }
}

// The counter sees the engine's allocations: a name scanned for the first time creates a
// variable, which allocates.
TEST_F(AllocationTest, ANewVariableIsCounted) {
  bool Accepted = false;
  EXPECT_GT(AllocationsOf("fresh_name + 1", Accepted), 0u);
  EXPECT_TRUE(Accepted);
  EXPECT_EQ(AllocationsOf("fresh_name + 1", Accepted), 0u);
}

}  // namespace
