#include "bench_corpus.h"

#include <cstddef>
#include <random>

namespace {

// A term of a long sum: a number, a variable or a function call.
std::string LongTerm(std::mt19937& Random) {
  switch (Random() % 4) {
    case 0: return std::to_string(Random() % 1000);
    case 1: return std::to_string(Random() % 100) + "." + std::to_string(Random() % 100);
    case 2: return "x";
    default: return "SQRT(" + std::to_string(Random() % 50) + ")";
  }
}

// A sum of terms whose length reaches Length bytes. Blanks around each operator keep every
// number clear of a chunk boundary, where the scanner could not give its look-ahead back.
std::string LongSum(std::mt19937& Random, size_t Length) {
  std::string Text = "1";
  while (Text.size() < Length) Text += (Random() % 2 ? " + " : " - ") + LongTerm(Random);
  return Text;
}

// A number as people write them: an integer, a decimal or a number with an exponent; never 0, so
// that it can stand as a divisor.
std::string PlainNumber(std::mt19937& Random) {
  switch (Random() % 5) {
    case 0:
    case 1: return std::to_string(1 + Random() % 9999);
    case 2:
    case 3: return std::to_string(Random() % 1000) + "." + std::to_string(1 + Random() % 999);
    default: {
      static const char* const Exponents[] = {"E-3", "E-7", "E+4", "E12", "E-11", "E6"};
      return std::to_string(1 + Random() % 9) + "." + std::to_string(Random() % 100) + Exponents[Random() % 6];
    }
  }
}

// The four operators over numbers, Depth levels deep at most; a quotient's divisor is a number.
std::string PlainExpression(std::mt19937& Random, int Depth) {
  if (Depth == 0) return PlainNumber(Random);
  const char Operator = "+-*/"[Random() % 4];
  const std::string Left = PlainExpression(Random, static_cast<int>(Random() % Depth));
  const std::string Right = Operator == '/' ? PlainNumber(Random)
                                             : PlainExpression(Random, static_cast<int>(Random() % Depth));
  const bool Group = Operator == '*' || Random() % 3 == 0;
  return (Group ? "(" + Left + ")" : Left) + " " + Operator + " " + (Group ? "(" + Right + ")" : Right);
}

}  // namespace

BenchCorpus MakeBenchCorpus() {
  BenchCorpus Corpus;
  Corpus.ShortSums = {"1+2", "3.25-0.5+7", "10*3-4/2", "0.1+0.2", "2**10-1", "-5+3*-2",
                      "123456789*987654321", "1.5e3+2.5e-3"};
  for (const int Depth : {8, 32, 100, 400}) {
    Corpus.Nested.push_back(std::string(Depth, '(') + "1+2" + std::string(Depth, ')') + "*3");
  }
  std::string Alternating;
  for (int I = 0; I < 50; ++I) Alternating += "(" + std::to_string(I) + "-";
  Alternating += "1" + std::string(50, ')');
  Corpus.Nested.push_back(Alternating);
  Corpus.Functions = {"SIN(1)+COS(2)", "SQRT(2)*2", "ARCTAN(1)*4", "LN(10)/LOG10(10)",
                      "POWER(2, 0.5)+EXP(1)", "TAN(0.5)+ARCSIN(0.5)+ARCCOS(0.5)", "SQR(3)+SQRT(SQR(4))"};
  Corpus.Assignments = {"x = 2 ** 10", "y = x / 3 + 1", "rate = 0.07", "total = y * (1 + rate)",
                        "x = x - 1"};
  std::mt19937 Random(2048);
  for (const size_t Length : {2000, 2040, 2060, 2100}) Corpus.Long.push_back(LongSum(Random, Length));
  for (int I = 0; I < 1000; ++I) Corpus.Plain.push_back(PlainExpression(Random, 1 + I % 4));
  return Corpus;
}

std::vector<std::string> BenchCorpus::Mixed() const {
  std::vector<std::string> All;
  const std::vector<const std::vector<std::string>*> Kinds = {&ShortSums, &Nested, &Functions,
                                                               &Assignments, &Long};
  for (size_t I = 0;; ++I) {
    bool Any = false;
    for (const auto* Kind : Kinds) {
      if (I < Kind->size()) {
        All.push_back((*Kind)[I]);
        Any = true;
      }
    }
    if (!Any) return All;
  }
}
