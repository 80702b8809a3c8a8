// vellox-calc through the real binary: what goes to standard output and standard error, and the
// exit status.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process.h"

namespace {

ProcessResult Calc(std::vector<std::string> Arguments, const std::string& Input = "") {
  Arguments.insert(Arguments.begin(), VELLOX_CALC);
  return RunProcess(Arguments, Input);
}

struct CliCase {
  std::vector<std::string> Arguments;
  std::string Input;
  std::string Stdout;
  std::string Stderr;
  int ExitCode;
};

TEST(VelloxCalc, EvaluatesArgumentsAndStandardInput) {
  // Values in each form they are printed in, and names that are no numbers: given back, each prints itself.
  const std::string Printed = "1E20\n-1E-5\n9.5367431640625E-7\n-9.22337203685478E18\n3.64519953188247E-4951\n"
                              "1.18973149535723E4932\n0.333333333333333\n1.234E-5\n1024\n0\n";
  const CliCase Cases[] = {
      {{"1+2"}, "", "3\n", "", 0},
      {{"x = 2 ** 10", "x / 4", "X"}, "", "1024\n256\n1024\n", "", 0},  // variables carry over
      {{"2**64", "1/3", "1.5E-7*1", "-0"}, "", "1.84467440737096E19\n0.333333333333333\n1.5E-7\n0\n", "", 0},
      {{"-1+2"}, "", "1\n", "", 0},  // an argument starting with '-' is an expression
      {{"power(2;10)", "power(2,5;2)"}, "", "1024\nsyntax error\n", "", 1},  // ";" separates, "," is no point
      {{}, "a = 3\na * 2\n", "3\n6\n", "", 0},
      {{}, "1+1\r\n2+2\r\n", "2\n4\n", "", 0},  // CRLF line ends
      {{}, "7", "7\n", "", 0},                  // last line without a line end
      {{}, "", "", "", 0},                      // nothing to evaluate
      {{}, "1\n\n2\n", "1\nsyntax error\n2\n", "", 1},  // an empty line is an empty expression
      {{"10**20", "-10**-5", "2**-20", "-2**63", "2**-16445", "1.18973149535723E4932", "1/3", "1e+3*1.234E-8",
        "power(2;1E1)", "x1E5+xア2E1"}, "", Printed, "", 0},
      {{}, Printed, Printed, "", 0},  // read back
  };
  for (const auto& C : Cases) {
    const auto R = Calc(C.Arguments, C.Input);
    const std::string What = C.Arguments.empty() ? "stdin: " + C.Input : C.Arguments[0];
    EXPECT_EQ(R.Stdout, C.Stdout) << What;
    EXPECT_EQ(R.Stderr, C.Stderr) << What;
    EXPECT_EQ(R.ExitCode, C.ExitCode) << What;
  }
}

TEST(VelloxCalc, DoubleDashEndsTheOptionsAndADashIsStandardInput) {
  const CliCase Cases[] = {
      {{"--", "-5"}, "", "-5\n", "", 0},
      {{"--"}, "6*7\n", "42\n", "", 0},                      // no expression: standard input
      {{"-"}, "a = 3\na * 2\n", "3\n6\n", "", 0},
      {{"x = 2", "-", "x * 3"}, "x = x + 1\n", "2\n3\n9\n", "", 0},  // read in its place
      {{"--", "-"}, "1+1\n", "2\n", "", 0},                  // still standard input after --
      {{"-", "-"}, "5\n", "5\n", "", 0},                     // read to its end once
      {{"--", "--help"}, "", "syntax error\n", "", 1},        // an expression after --
      {{"-h", "--version", "1/0"}, "", "vellox-calc " VELLOX_VERSION "\n", "", 0},  // nothing evaluated
      {{"--", "--", "1"}, "", "syntax error\n1\n", "", 1},   // only the first -- is an option
      {{"-", "--", "-2"}, "7\n", "7\n-2\n", "", 0},
  };
  for (const auto& C : Cases) {
    const auto R = Calc(C.Arguments, C.Input);
    std::string What;
    for (const auto& Argument : C.Arguments) What += Argument + " ";
    EXPECT_EQ(R.Stdout, C.Stdout) << What;
    EXPECT_EQ(R.Stderr, C.Stderr) << What;
    EXPECT_EQ(R.ExitCode, C.ExitCode) << What;
  }
}

TEST(VelloxCalc, FailuresAreReportedAndTheRestIsStillEvaluated) {
  const CliCase Cases[] = {
      {{"1 +", "2"}, "", "syntax error\n2\n", "", 1},
      {{"1/0", "3"}, "", "3\n", "vellox-calc: Floating point division by zero\n", 1},
      {{"SQRT(-1)"}, "", "", "vellox-calc: Invalid floating point operation\n", 1},
      {{"SQR(1.0E3000)"}, "", "", "vellox-calc: Floating point overflow\n", 1},
      {{"1.0E5000"}, "", "", "vellox-calc: Floating point overflow\n", 1},
      {{"1E5+\xff"}, "", "", "vellox-calc: Invalid UTF-8 byte 0xFF at byte 5 of the text\n", 1},  // as typed
      {{std::string(1022, '(') + "1" + std::string(1022, ')')}, "", "yyparse stack overflow\n", "", 1},
      {{"y = 5", "y = 1/0", "y"}, "", "5\n5\n", "vellox-calc: Floating point division by zero\n", 1},
      {{}, "1/0\n4\n", "4\n", "vellox-calc: Floating point division by zero\n", 1},
  };
  for (const auto& C : Cases) {
    const auto R = Calc(C.Arguments, C.Input);
    const std::string What = C.Arguments.empty() ? "stdin: " + C.Input : C.Arguments[0].substr(0, 20);
    EXPECT_EQ(R.Stdout, C.Stdout) << What;
    EXPECT_EQ(R.Stderr, C.Stderr) << What;
    EXPECT_EQ(R.ExitCode, C.ExitCode) << What;
  }
}

TEST(VelloxCalc, AScannerLimitEndsOnlyThatExpression) {
  const auto R = Calc({"n = 2", "n = " + std::string(1024, 'a'), "n + 1"});
  EXPECT_EQ(R.Stdout, "2\nLexLib: match stack overflow\n3\n");
  EXPECT_NE(R.Stderr.find("vellox-calc: "), std::string::npos);
  EXPECT_NE(R.Stderr.find("match stack overflow"), std::string::npos);
  EXPECT_EQ(R.Stderr.find('\n'), R.Stderr.size() - 1);  // one line
  EXPECT_EQ(R.ExitCode, 1);
}

TEST(VelloxCalc, Utf8NamesAreShiftJisNamesOfTheEngine) {
  // ア and ヂ differ only in a trail byte that folds like a letter: the same variable.
  auto R = Calc({"xア = 1", "xヂ + 1", "x値 = 2", "X値 * x値"});
  EXPECT_EQ(R.Stdout, "1\n2\n2\n4\n");
  EXPECT_EQ(R.ExitCode, 0);

  R = Calc({}, "値 = 5\nｱ\n");  // a double-byte or katakana character cannot start a name
  EXPECT_EQ(R.Stdout, "syntax error\nsyntax error\n");
}

TEST(VelloxCalc, FullWidthFormsAreReadAsTheyStand) {
  // Unlike the strip's field, vellox-calc folds nothing: "x＝２" and "x　" (an ideographic space)
  // are names, and a full-width digit cannot start an expression.
  const auto R = Calc({"x＝２", "x　= 1", "x", "x　", "１＋２"});
  EXPECT_EQ(R.Stdout, "0\n1\n0\n1\nsyntax error\n");
  EXPECT_EQ(R.Stderr, "");
  EXPECT_EQ(R.ExitCode, 1);
}

TEST(VelloxCalc, TextWithoutAShiftJisFormIsRejectedUnevaluated) {
  const auto R = Calc({"v = 1", "v = 2 €", "v", "\xff"});
  EXPECT_EQ(R.Stdout, "1\n1\n");
  EXPECT_NE(R.Stderr.find("vellox-calc: The character \"€\" (U+20AC) has no Shift-JIS (CP932) form\n"),
            std::string::npos) << R.Stderr;
  EXPECT_NE(R.Stderr.find("vellox-calc: Invalid UTF-8 byte 0xFF"), std::string::npos) << R.Stderr;
  EXPECT_EQ(R.ExitCode, 1);
}

TEST(VelloxCalc, ANulInsideALineIsAnErrorNotTheEndOfTheExpression) {
  const auto R = Calc({}, std::string("1+2\0+3\n4\n", 9));
  EXPECT_EQ(R.Stdout, "4\n");
  EXPECT_EQ(R.Stderr, "vellox-calc: A NUL character at byte 4 of the text\n");
  EXPECT_EQ(R.ExitCode, 1);
}

// Standard streams that fail: each failure is one line on standard error and exit status 1,
// after whatever could still be written. Run through the shell with its redirections, after a
// command that feeds standard input where a row starts with one ("yes 1+1 |").
TEST(VelloxCalc, StreamsThatCannotBeWrittenOrReadAreErrors) {
  const std::string Full = "vellox-calc: cannot write standard output: No space left on device\n";
  const std::string Closed = "vellox-calc: cannot write standard output: Bad file descriptor\n";
  const std::string Folder = "vellox-calc: cannot read standard input: Is a directory\n";
  const std::string NoInput = "vellox-calc: cannot read standard input: Bad file descriptor\n";
  const struct {
    const char* Redirections;
    std::vector<std::string> Arguments;
    std::string Input;
    std::string Stdout;
    std::string Stderr;
    int ExitCode;
  } Cases[] = {
      {">/dev/full", {"1+1"}, "", "", Full, 1},
      {">/dev/full", {}, "1+1\n2+2\n", "", Full, 1},
      {">/dev/full", {"--help"}, "", "", Full, 1},
      {">/dev/full", {"1 +"}, "", "", Full, 1},  // the parser's own line is output too
      {"yes 1+1 2>/dev/null | >/dev/full", {}, "", "", Full, 1},  // endless input: ends at the first lost write
      {">&-", {"1+1"}, "", "", Closed, 1},
      {">&-", {"--help"}, "", "", Closed, 1},
      {">&-", {}, "", "", "", 0},  // nothing to write, nothing lost
      {">&-", {"1/0"}, "", "", "vellox-calc: Floating point division by zero\n", 1},
      {"<.", {}, "", "", Folder, 1},
      {"<.", {"1", "-", "2"}, "", "1\n2\n", Folder, 1},  // the rest is still evaluated
      {"<.", {"-", "-"}, "", "", Folder + Folder, 1},
      {"<&-", {}, "", "", NoInput, 1},
      {"<&-", {"x = 4", "-", "x"}, "", "4\n4\n", NoInput, 1},
      {"<&- >/dev/full", {}, "", "", NoInput, 1},
      {"<.", {"7"}, "", "7\n", "", 0},  // standard input is read only for -
  };
  for (const auto& C : Cases) {
    const std::string Row = C.Redirections;
    const size_t Feed = Row.find('|') + 1;  // 0 without a feeding command
    const std::string Script = Row.substr(0, Feed) + " exec \"$0\" \"$@\" " + Row.substr(Feed);
    std::vector<std::string> Command = {"/bin/sh", "-c", Script, VELLOX_CALC};
    Command.insert(Command.end(), C.Arguments.begin(), C.Arguments.end());
    const auto R = RunProcess(Command, C.Input);
    std::string What = C.Redirections;
    for (const auto& Argument : C.Arguments) What += " " + Argument;
    EXPECT_EQ(R.Stdout, C.Stdout) << What;
    EXPECT_EQ(R.Stderr, C.Stderr) << What;
    EXPECT_EQ(R.ExitCode, C.ExitCode) << What;
  }
}

TEST(VelloxCalc, OutputLostOnTheWayEndsTheRunWithOneLine) {
  // Far more than a buffer's worth: the failure comes to light in the middle of the run.
  std::string Input;
  for (int I = 0; I < 20000; ++I) Input += std::to_string(I) + "\n";
  const auto R = RunProcess({"/bin/sh", "-c", "exec \"$0\" >/dev/full", VELLOX_CALC}, Input);
  EXPECT_EQ(R.Stderr, "vellox-calc: cannot write standard output: No space left on device\n");
  EXPECT_EQ(R.ExitCode, 1);
}

TEST(VelloxCalc, HelpPrintsUsage) {
  const auto R = Calc({"--help"});
  EXPECT_EQ(R.Stdout.rfind("Usage: vellox-calc", 0), 0u);
  EXPECT_EQ(R.Stderr, "");
  EXPECT_EQ(R.ExitCode, 0);
  // Before "--" an option counts wherever it stands, and nothing is evaluated.
  EXPECT_EQ(Calc({"1/0", "--help"}).Stdout, R.Stdout);
}

}  // namespace
