#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "engine_unit.h"
#include "evaluator.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: vellox-calc [EXPRESSION...]\n"
    "Evaluates each EXPRESSION in order, or each line of standard input when none is given,\n"
    "and prints its value. Variables set by an assignment (x = 2 ** 10) carry over to the\n"
    "expressions after it.\n"
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

}  // namespace

int main(int argc, char** argv) {
  for (int I = 1; I < argc; ++I) {
    if (std::string_view(argv[I]) == "--help") {
      std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
      return 0;
    }
  }
  EngineUnit Engine;
  Evaluator Calc;
  bool AllEvaluated = true;
  if (argc > 1) {
    for (int I = 1; I < argc; ++I) AllEvaluated &= Calc.Evaluate(argv[I]);
  } else {
    AllEvaluated = EvaluateStandardInput(Calc);
  }
  return AllEvaluated ? 0 : 1;
}
