#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <string>
#include <vector>

#include "runtime/extended.h"

// Every engine test starts from a freshly initialised engine: the twelve built-ins and no variables.
class EngineTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
};

// One evaluation through CalcExpression with standard output captured.
struct Evaluation {
  bool Accepted = false;
  Extended Value = 0;
  bool Assignment = false;
  std::string Output;          // what the engine wrote on standard output
  std::exception_ptr Fault;    // the exception that ended the evaluation, if any

  template <class E>
  bool FaultIs() const {
    if (!Fault) return false;
    try {
      std::rethrow_exception(Fault);
    } catch (const E&) {
      return true;
    } catch (...) {
      return false;
    }
  }
};

Evaluation Evaluate(const std::string& Text);

// The value of a variable, which must exist.
Extended VariableValue(const std::string& Name);

// The tokens of Text up to and including the end of input (0), with standard output captured.
std::vector<int> Tokens(const std::string& Text);
