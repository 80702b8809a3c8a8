#include "engine_fixture.h"

#include "builtins.h"
#include "calc_expression.h"
#include "lexlib.h"
#include "scanner.h"
#include "symbols.h"

void EngineTest::SetUp() {
  FreeSymbols();
  RegisterBuiltins();
  ResetScanner();
}

void EngineTest::TearDown() { FreeSymbols(); }

Evaluation Evaluate(const std::string& Text) {
  Evaluation Result;
  testing::internal::CaptureStdout();
  try {
    Result.Accepted = CalcExpression(Text.c_str(), Result.Value, Result.Assignment);
  } catch (...) {
    Result.Fault = std::current_exception();
  }
  Result.Output = testing::internal::GetCapturedStdout();
  return Result;
}

Extended VariableValue(const std::string& Name) {
  const TSymData* Symbol = FindSymbol(Name);
  EXPECT_NE(Symbol, nullptr) << Name;
  return Symbol != nullptr && Symbol->Kind == skVariable ? Symbol->Value : -99999;
}

std::vector<int> Tokens(const std::string& Text) {
  std::vector<int> Result;
  testing::internal::CaptureStdout();
  ResetScanner();
  SetInputString(Text.c_str());
  try {
    do {
      Result.push_back(NextToken());
    } while (Result.back() != 0 && Result.size() < 10000);
  } catch (...) {
    testing::internal::GetCapturedStdout();
    throw;
  }
  testing::internal::GetCapturedStdout();
  return Result;
}
