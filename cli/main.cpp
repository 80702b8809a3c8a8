#include <cerrno>
#include <cstdio>
#include <string_view>
#include <vector>

#include "engine/engine_unit.h"
#include "evaluator.h"
#include "standard_streams.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: vellox-calc [--help | --version] [--] [EXPRESSION | -]...\n"
    "Evaluates each EXPRESSION in order and prints its value; - stands for each line of standard\n"
    "input, which is also what is evaluated when no EXPRESSION is given. Variables set by an\n"
    "assignment (x = 2 ** 10) carry over to the expressions after it. -- ends the options: every\n"
    "argument after it is an EXPRESSION or -, --help too. --version prints the version.\n"
    "\n"
    "The language: numbers with a point and an exponent if need be (2.5, 1E20, 1.5E-7), + - * /\n"
    "and ** (power, left-associative), a sign before an operand, parentheses, variables (an\n"
    "unknown name is 0), and the functions SIN COS TAN LN EXP SQR SQRT ARCSIN ARCCOS ARCTAN\n"
    "LOG10 of one argument and POWER of two (separated by , or ;). Names ignore letter case.\n"
    "A printed value, given back as an expression, prints the same.\n"
    "\n"
    "A syntax error prints \"syntax error\"; a fault such as a division by zero is reported on\n"
    "standard error, and so is standard input that cannot be read or standard output that cannot\n"
    "be written. Exit status: 0 when every expression was evaluated, 1 otherwise.\n";

// Evaluates one expression; ends the run when its output could not be written.
bool EvaluateChecked(Evaluator& Calc, std::string_view Expression) {
  errno = 0;
  const bool Evaluated = Calc.Evaluate(Expression);
  CheckStandardOutput();
  return Evaluated;
}

// Evaluates each line of standard input; false when a line did not evaluate or standard input
// could not be read to its end.
bool EvaluateStandardInput(Evaluator& Calc) {
  bool AllEvaluated = true;
  const bool ReadToEnd =
      ReadStandardInputLines([&](std::string_view Line) { AllEvaluated &= EvaluateChecked(Calc, Line); });
  CheckStandardOutput();
  return ReadToEnd && AllEvaluated;
}

constexpr std::string_view kVersion = "vellox-calc " VELLOX_VERSION "\n";

// The command line: the options --help, --version and --, and the operands, each an expression or
// "-" for standard input. An argument that starts with a minus sign and is no option is an
// expression ("-5", "-x*2", "-h"); after "--" every argument is an operand.
struct CommandLine {
  bool Help = false;
  bool Version = false;
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
    } else if (!OptionsEnded && Argument == "--version") {
      Line.Version = true;
    } else {
      Line.Operands.push_back(Argument);
    }
  }
  return Line;
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine Line = ReadCommandLine(argc, argv);
  // Asked for both, the usage comes first.
  if (Line.Help || Line.Version) {
    if (Line.Help) std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
    if (Line.Version) std::fwrite(kVersion.data(), 1, kVersion.size(), stdout);
    CloseStandardOutput();
    return 0;
  }
  EngineUnit Engine;
  Evaluator Calc;
  bool AllEvaluated = true;
  if (Line.Operands.empty()) AllEvaluated = EvaluateStandardInput(Calc);
  for (const std::string_view Operand : Line.Operands) {
    AllEvaluated &= Operand == "-" ? EvaluateStandardInput(Calc) : EvaluateChecked(Calc, Operand);
  }
  CloseStandardOutput();
  return AllEvaluated ? 0 : 1;
}
