#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "parser_tables.h"
#include "tokens.h"

namespace {

// What a state does with a lookahead token: "shift", "reduce N", "accept", "error", or
// "default N" for a state that reduces without reading a token.
std::string Behaviour(int State, int Token) {
  if (YyStates[State].DefaultRule >= 0) return "default " + std::to_string(YyStates[State].DefaultRule);
  const YyAction* A = YyFindAction(State, Token);
  if (A == nullptr) return "error";
  if (A->Kind == YyShift) return "shift";
  if (A->Kind == YyAccept) return "accept";
  return "reduce " + std::to_string(A->Value);
}

// Every token the scanner can return.
std::set<int> AllTokens() {
  std::set<int> Tokens;
  for (int C = 0; C < 256; ++C) Tokens.insert(C);
  for (int T : {VARIABLE, RESERVED_ID, FUNC1, FUNC2, ILLEGAL, NUMBER, POWER}) Tokens.insert(T);
  return Tokens;
}

// The tokens on which State behaves as given.
std::set<int> TokensWith(int State, const std::string& What) {
  std::set<int> Result;
  for (int T : AllTokens()) {
    if (Behaviour(State, T) == What) Result.insert(T);
  }
  return Result;
}

int Shifted(int State, int Token) {
  const YyAction* A = YyFindAction(State, Token);
  EXPECT_TRUE(A != nullptr && A->Kind == YyShift) << "state " << State << " token " << Token;
  return A != nullptr ? A->Value : 0;
}

// The state after "expr Operator expr" at the start of the input.
int AfterBinary(int Operator) {
  const int Left = YyFindGoto(0, YyNt_expr);
  return YyFindGoto(Shifted(Left, Operator), YyNt_expr);
}

TEST(ParserAutomaton, HasThe36StatesOfTheGrammar) {
  EXPECT_EQ(YyStateCount, 36);
  std::ifstream Report(VELLOX_PARSER_REPORT);
  ASSERT_TRUE(Report) << VELLOX_PARSER_REPORT;
  std::stringstream Text;
  Text << Report.rdbuf();
  std::cout << Text.str();  // the automaton, state by state, for the record
  EXPECT_EQ(Text.str().rfind("36 states\n", 0), 0u);
  EXPECT_NE(Text.str().find("\nstate 35\n"), std::string::npos);
  EXPECT_EQ(Text.str().find("\nstate 36\n"), std::string::npos);
}

TEST(ParserAutomaton, AfterAProductOnlyPowerShifts) {
  for (const auto& [Operator, Rule] : std::map<int, int>{{'*', 5}, {'/', 6}}) {
    const int State = AfterBinary(Operator);
    EXPECT_EQ(TokensWith(State, "shift"), (std::set<int>{POWER}));
    EXPECT_EQ(TokensWith(State, "reduce " + std::to_string(Rule)),
              (std::set<int>{0, ')', '*', '+', ',', '-', '/'}));
    EXPECT_EQ(TokensWith(State, "error").size(), AllTokens().size() - 8);
  }
}

TEST(ParserAutomaton, AfterAPowerTheStateReducesByDefault) {
  const int State = AfterBinary(POWER);
  EXPECT_EQ(YyStates[State].DefaultRule, 7);
  EXPECT_EQ(TokensWith(State, "default 7").size(), AllTokens().size());
}

TEST(ParserAutomaton, AVariableFirstIsAnAssignmentOrAnOperand) {
  const int State = Shifted(0, VARIABLE);
  EXPECT_EQ(TokensWith(State, "shift"), (std::set<int>{'='}));
  EXPECT_EQ(TokensWith(State, "reduce 12"), (std::set<int>{0, '*', '+', '-', '/', POWER}));
  EXPECT_EQ(Behaviour(State, ')'), "error");
  EXPECT_EQ(Behaviour(State, ','), "error");
}

TEST(ParserAutomaton, AcceptsOnlyAtTheEndAfterAWholeInput) {
  const int State = YyFindGoto(0, YyNt_input);
  EXPECT_EQ(TokensWith(State, "accept"), (std::set<int>{0}));
  for (int S = 0; S < YyStateCount; ++S) {
    if (S == State) continue;
    EXPECT_TRUE(TokensWith(S, "accept").empty()) << "state " << S;
  }
}

TEST(ParserAutomaton, AGotoMissingFromTheTablesIsABrokenInvariant) {
  // The checked (sanitized) build keeps the assertion; the normal one only finds nothing.
  EXPECT_DEBUG_DEATH(YyFindGoto(0, YyNt_primary + 1), "no goto");
}

TEST(ParserAutomaton, DefaultReductionsOnlyWhereOneReductionIsAllTheStateCanDo) {
  // The closing of a call and of parentheses reduce without a lookahead; every state that still
  // has a choice reads one.
  int Defaults = 0;
  for (int S = 0; S < YyStateCount; ++S) {
    if (YyStates[S].DefaultRule >= 0) {
      ++Defaults;
      EXPECT_EQ(YyStates[S].ActionCount, 0) << "state " << S;
      continue;
    }
    std::set<std::string> Distinct;
    for (int T : AllTokens()) {
      if (Behaviour(S, T) != "error") Distinct.insert(Behaviour(S, T));
    }
    EXPECT_TRUE(Distinct.size() > 1 || Distinct.count("shift") || Distinct.count("accept"))
        << "state " << S << " could reduce by default";
  }
  EXPECT_GT(Defaults, 0);
}

}  // namespace
