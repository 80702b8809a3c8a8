#include <string>
#include <vector>

#include "engine/expr_compo.h"
#include "engine_fixture.h"
#include "lexlib.h"
#include "scanner.h"
#include "symbols.h"
#include "tokens.h"

namespace {

class ScannerTest : public EngineTest {};

struct TokenCase {
  std::string Text;
  std::vector<int> Expected;
};

TEST_F(ScannerTest, TokensFollowTheLongestMatchAndRulePriority) {
  const TokenCase Cases[] = {
      {"x\t+\t1", {VARIABLE, '+', NUMBER, 0}},
      {"  7  ", {NUMBER, 0}},
      {".5", {NUMBER, 0}},
      {"5.", {NUMBER, '.', 0}},
      {"1.5E", {NUMBER, VARIABLE, 0}},
      {"1.5E+", {NUMBER, VARIABLE, '+', 0}},
      {"1e5", {NUMBER, VARIABLE, 0}},
      {"1.2.3", {NUMBER, NUMBER, 0}},
      {"a**b", {VARIABLE, POWER, VARIABLE, 0}},
      {"a* *b", {VARIABLE, '*', '*', VARIABLE, 0}},
      {"***", {POWER, '*', 0}},
      {"2^3", {NUMBER, '^', NUMBER, 0}},
      {"_a1", {VARIABLE, 0}},
      {"9a", {NUMBER, VARIABLE, 0}},
      {"x\x83\x41" "b", {VARIABLE, 0}},          // a double-byte character inside a name
      {"x\x83\x7F", {VARIABLE, 0}},              // 0x7F is a trail byte too
      {"x\x89\x40", {VARIABLE, 0}},              // the first trail byte, 0x40 (x院)
      {"x\xFC\xFC", {VARIABLE, 0}},              // the last lead and trail bytes
      {"x\x83\x3F", {VARIABLE, 0x83, '?', 0}},   // 0x3F is no trail byte: the lead is given back
      {"x\x83\xFD", {VARIABLE, 0x83, 0xFD, 0}},
      {"\x83\x41", {0x83, VARIABLE, 0}},         // a lead byte cannot start a name
      {"x\x83", {VARIABLE, 0x83, 0}},            // a lead byte without its trail byte is given back
      {"x\x83 ", {VARIABLE, 0x83, 0}},
      {"sin SIN Power", {FUNC1, FUNC1, FUNC2, 0}},
      {"\n", {ILLEGAL, 0}},
      {"\r", {13, 0}},
      {"(),=/-", {'(', ')', ',', '=', '/', '-', 0}},
      {"", {0}},
      {" \t ", {0}},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(Tokens(C.Text), C.Expected) << "for \"" << C.Text << "\"";
  }
}

TEST_F(ScannerTest, NumbersCarryTheirValue) {
  const std::pair<const char*, Extended> Cases[] = {
      {".5", 0.5L}, {"1.5e3", 1500}, {"1.5E+2", 150}, {"1.5E-1", 0.15L}, {"007", 7},
      {"0.1", 0.1L}, {"12345678901234567890", 12345678901234567890.0L},
  };
  for (const auto& [Text, Value] : Cases) {
    ResetScanner();
    SetInputString(Text);
    ASSERT_EQ(NextToken(), NUMBER) << Text;
    EXPECT_EQ(TokenValue.Number, Value) << Text;
  }
  ResetScanner();
  SetInputString("1.2.3");
  NextToken();
  EXPECT_EQ(TokenValue.Number, 1.2L);
  NextToken();
  EXPECT_EQ(TokenValue.Number, 0.3L);
}

TEST_F(ScannerTest, IdentifiersAreResolvedAndCreatedAsTheyAreScanned) {
  Tokens("1e5");
  const TSymData* E5 = FindSymbol("e5");
  ASSERT_NE(E5, nullptr);
  EXPECT_EQ(E5->Kind, skVariable);
  EXPECT_EQ(E5->Value, 0);

  ResetScanner();
  SetInputString("Sin");
  EXPECT_EQ(NextToken(), FUNC1);
  EXPECT_EQ(TokenValue.Symbol, FindSymbol("SIN"));
}

TEST_F(ScannerTest, EndOfInputRepeats) {
  ResetScanner();
  SetInputString("1");
  EXPECT_EQ(NextToken(), NUMBER);
  for (int I = 0; I < 3; ++I) EXPECT_EQ(NextToken(), 0);
}

TEST_F(ScannerTest, ANewInputStartsCleanAfterAnAbandonedOne) {
  ResetScanner();
  SetInputString("abc + 1.5E+");
  EXPECT_EQ(NextToken(), VARIABLE);
  EXPECT_EQ(NextToken(), '+');
  EXPECT_EQ(Tokens("42"), (std::vector<int>{NUMBER, 0}));
  EXPECT_EQ(TokenValue.Number, 0 + 42);  // the last NUMBER read was 42, nothing of the old input
}

std::string Repeat(const std::string& Piece, size_t Count) {
  std::string Text;
  for (size_t I = 0; I < Count; ++I) Text += Piece;
  return Text;
}

struct LimitCase {
  const char* What;
  std::string Fits;      // just within the match stack
  std::string Overflows; // one character more
};

TEST_F(ScannerTest, MatchStackHoldsTokensOf1023CharactersAndNoMore) {
  const LimitCase Cases[] = {
      {"identifier", "a" + Repeat("b", 1022), "a" + Repeat("b", 1023)},
      {"identifier with double-byte characters", "a" + Repeat("\x83\x41", 1022),
       "a" + Repeat("\x83\x41", 1023)},
      {"integer", Repeat("1", 1023), Repeat("1", 1024)},
      {"number with fraction and exponent", Repeat("1", 500) + "." + Repeat("2", 500) + "E+" + Repeat("0", 23),
       Repeat("1", 500) + "." + Repeat("2", 500) + "E+" + Repeat("0", 24)},
  };
  for (const auto& C : Cases) {
    const Evaluation Fits = Evaluate(C.Fits);
    EXPECT_TRUE(Fits.Accepted) << C.What;
    EXPECT_EQ(Fits.Output, "") << C.What;

    const Evaluation Over = Evaluate(C.Overflows);
    EXPECT_TRUE(Over.FaultIs<ELexLimit>()) << C.What;
    EXPECT_EQ(Over.Output, "LexLib: match stack overflow\n") << C.What;
  }
}

// An input of Length bytes: "1+1+...+" up to byte 2044, then Token at bytes 2045 onwards, then
// "+1" up to the length.
std::string StraddlingInput(const std::string& Token, size_t Length) {
  std::string Text = Repeat("1+", 1022) + Token;
  while (Text.size() + 2 <= Length) Text += "+1";
  if (Text.size() < Length) Text += " ";
  return Text;
}

TEST_F(ScannerTest, GivingBackAcrossAFullBufferLoadOverflowsTheBuffer) {
  const Evaluation Over = Evaluate(StraddlingInput("1.5E+x", 4096));
  ASSERT_EQ(StraddlingInput("1.5E+x", 4096).substr(2044, 4), "1.5E");
  EXPECT_TRUE(Over.FaultIs<ELexLimit>());
  EXPECT_EQ(Over.Output, "LexLib: input buffer overflow\n");

  const Evaluation WithDigit = Evaluate(StraddlingInput("1.5E+2", 4096));
  EXPECT_TRUE(WithDigit.Accepted);
  EXPECT_EQ(WithDigit.Value, 1022 + 150 + (4096 - 2050) / 2);

  // With fewer than 4096 bytes the second load leaves a place free.
  const Evaluation Shorter = Evaluate(StraddlingInput("1.5E+x", 4095));
  EXPECT_FALSE(Shorter.Fault);
  EXPECT_EQ(Shorter.Output, "syntax error\n");  // 1.5 followed by the name E
}

TEST_F(ScannerTest, AScannerLimitEndsOnlyTheEvaluation) {
  TExprCompo Compo;
  int Events = 0;
  Compo.OnCalcDone = [&](TExprCompo&) { ++Events; };
  Compo.Expression = "v = 3";
  Compo.Calculate();
  ASSERT_EQ(Events, 1);

  testing::internal::CaptureStdout();
  Compo.Expression = "v = " + Repeat("n", 1024);
  EXPECT_THROW(Compo.Calculate(), ELexLimit);
  Compo.Expression = StraddlingInput("1.5E+x", 4096);
  EXPECT_THROW(Compo.Calculate(), ELexLimit);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "LexLib: match stack overflow\nLexLib: input buffer overflow\n");

  EXPECT_EQ(Events, 1);             // no event fired
  EXPECT_TRUE(Compo.Valid());       // state unchanged
  EXPECT_EQ(Compo.Value(), 3);
  EXPECT_EQ(VariableValue("v"), 3); // no assignment

  Compo.Expression = "v * 2";       // the next evaluation starts clean
  Compo.Calculate();
  EXPECT_EQ(Compo.Value(), 6);
  EXPECT_EQ(Events, 2);
}

}  // namespace
