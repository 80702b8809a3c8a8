#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "engine_unit.h"
#include "evaluator.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: vellox-calc [--help] [--] [EXPRESSION | -]...\n"
    "Evaluates each EXPRESSION in order and prints its value; - stands for each line of standard\n"
    "input, which is also what is evaluated when no EXPRESSION is given. Variables set by an\n"
    "assignment (x = 2 ** 10) carry over to the expressions after it. -- ends the options: every\n"
    "argument after it is an EXPRESSION or -, --help too.\n"
    "\n"
    "The language: + - * / and ** (power, left-associative), a sign before an operand,\n"
    "parentheses, variables (an unknown name is 0), and the functions SIN COS TAN LN EXP SQR\n"
    "SQRT ARCSIN ARCCOS ARCTAN LOG10 of one argument and POWER of two. Names ignore letter case.\n"
    "\n"
    "A syntax error prints \"syntax error\"; a fault such as a division by zero is reported on\n"
    "standard error. Exit status: 0 when every expression was evaluated, 1 otherwise.\n";

// Evaluates each line of standard input; LF or CRLF ends a line and is not part of it.
bool EvaluateStandardInput(Evaluator& Calc) {
  bool AllEvaluated = true;
  char* Line = nullptr;
  size_t Capacity = 0;
  ssize_t Length;
  while ((Length = getline(&Line, &Capacity, stdin)) >= 0) {
    std::string_view Text(Line, static_cast<size_t>(Length));
    if (!Text.empty() && Text.back() == '\n') {
      Text.remove_suffix(1);
      if (!Text.empty() && Text.back() == '\r') Text.remove_suffix(1);
    }
    AllEvaluated &= Calc.Evaluate(Text);
  }
  std::free(Line);
  return AllEvaluated;
}

// The command line: the options --help and --, and the operands, each an expression or "-" for
// standard input. An argument that starts with a minus sign and is no option is an expression
// ("-5", "-x*2"); after "--" every argument is an operand.
struct CommandLine {
  bool Help = false;
  std::vector<std::string_view> Operands;
};

CommandLine ReadCommandLine(int argc, char** argv) {
  CommandLine Line;
  bool OptionsEnded = false;
  for (int I = 1; I < argc; ++I) {
    const std::string_view Argument(argv[I]);
    if (!OptionsEnded && Argument == "--") {
      OptionsEnded = true;
    } else if (!OptionsEnded && Argument == "--help") {
      Line.Help = true;
    } else {
      Line.Operands.push_back(Argument);
    }
  }
  return Line;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine Line = ReadCommandLine(argc, argv);
  if (Line.Help) {
    std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
    return 0;
  }
  EngineUnit Engine;
  Evaluator Calc;
  if (Line.Operands.empty()) return EvaluateStandardInput(Calc) ? 0 : 1;
  bool AllEvaluated = true;
  for (const std::string_view Operand : Line.Operands) {
    AllEvaluated &= Operand == "-" ? EvaluateStandardInput(Calc) : Calc.Evaluate(Operand);
  }
  return AllEvaluated ? 0 : 1;
}
