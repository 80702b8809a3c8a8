// Throughput of CalcExpression: one iteration evaluates one expression of the corpus (cycling
// through it), so the reported time is nanoseconds per expression; bytes_per_second counts the
// expression text. BM_FloatToStr formats the values of the plain-arithmetic corpus, as
// vellox-calc shows each result.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_corpus.h"
#include "calc_expression.h"
#include "engine/engine_unit.h"
#include "runtime/exceptions.h"
#include "runtime/float_to_str.h"

namespace {

const BenchCorpus& Corpus() {
  static const BenchCorpus Instance = MakeBenchCorpus();
  return Instance;
}

// Evaluates every expression once, so that the variables exist, and stops the program if one of
// them does not evaluate: a benchmark of the error path would measure the wrong thing.
void WarmUp(const std::vector<std::string>& Expressions) {
  for (const std::string& Text : Expressions) {
    Extended Value;
    bool Assignment;
    bool Accepted = false;
    try {
      Accepted = CalcExpression(Text.c_str(), Value, Assignment);
    } catch (const Exception& Error) {
      std::fprintf(stderr, "%s\n", Error.what());
    }
    if (!Accepted) {
      std::fprintf(stderr, "The benchmark corpus holds an expression that fails: %.60s...\n",
                   Text.c_str());
      std::exit(1);
    }
  }
}

void Evaluate(benchmark::State& State, const std::vector<std::string>& Expressions) {
  EngineUnit Engine;
  WarmUp(Corpus().Mixed());
  size_t Index = 0;
  int64_t Bytes = 0;
  for (auto _ : State) {
    const std::string& Text = Expressions[Index];
    Extended Value;
    bool Assignment;
    benchmark::DoNotOptimize(CalcExpression(Text.c_str(), Value, Assignment));
    benchmark::DoNotOptimize(Value);
    Bytes += static_cast<int64_t>(Text.size());
    if (++Index == Expressions.size()) Index = 0;
  }
  State.SetItemsProcessed(State.iterations());
  State.SetBytesProcessed(Bytes);
}

void BM_ShortSums(benchmark::State& State) { Evaluate(State, Corpus().ShortSums); }
void BM_NestedParentheses(benchmark::State& State) { Evaluate(State, Corpus().Nested); }
void BM_Functions(benchmark::State& State) { Evaluate(State, Corpus().Functions); }
void BM_Assignments(benchmark::State& State) { Evaluate(State, Corpus().Assignments); }
void BM_LongNearChunk(benchmark::State& State) { Evaluate(State, Corpus().Long); }
void BM_PlainArithmetic(benchmark::State& State) { Evaluate(State, Corpus().Plain); }
void BM_Mixed(benchmark::State& State) {
  static const std::vector<std::string> Mixed = Corpus().Mixed();
  Evaluate(State, Mixed);
}

void BM_FloatToStr(benchmark::State& State) {
  EngineUnit Engine;
  std::vector<Extended> Values;
  for (const std::string& Text : Corpus().Plain) {
    Extended Value;
    bool Assignment;
    if (CalcExpression(Text.c_str(), Value, Assignment)) Values.push_back(Value);
  }
  size_t Index = 0;
  for (auto _ : State) {
    benchmark::DoNotOptimize(FloatToStr(Values[Index]));
    if (++Index == Values.size()) Index = 0;
  }
  State.SetItemsProcessed(State.iterations());
}

}  // namespace

BENCHMARK(BM_ShortSums);
BENCHMARK(BM_NestedParentheses);
BENCHMARK(BM_Functions);
BENCHMARK(BM_Assignments);
BENCHMARK(BM_LongNearChunk);
BENCHMARK(BM_PlainArithmetic);
BENCHMARK(BM_Mixed);
BENCHMARK(BM_FloatToStr);

BENCHMARK_MAIN();
