// Random expressions of the four operators, evaluated by the engine and by two independent oracles
// in this test: the same tree computed directly in Extended arithmetic (must agree bit for bit)
// and in exact rational arithmetic (must agree within a rigorous rounding-error bound).
#include <cfloat>
#include <cmath>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "engine_fixture.h"
#include "runtime/exceptions.h"

namespace {

__extension__ using Int = __int128;

Int Gcd(Int A, Int B) {
  if (A < 0) A = -A;
  if (B < 0) B = -B;
  while (B != 0) {
    const Int T = A % B;
    A = B;
    B = T;
  }
  return A;
}

// An exact rational; empty when an intermediate does not fit in 128 bits.
struct Rational {
  Int Num = 0, Den = 1;
  static std::optional<Rational> Make(Int N, Int D) {
    if (D < 0) N = -N, D = -D;
    const Int G = Gcd(N, D);
    return Rational{G ? N / G : N, G ? D / G : D};
  }
  long double ToExtended() const { return static_cast<long double>(Num) / static_cast<long double>(Den); }
};

std::optional<Int> Mul(Int A, Int B) {
  Int R;
  if (__builtin_mul_overflow(A, B, &R)) return std::nullopt;
  return R;
}

std::optional<Rational> Apply(char Op, const Rational& A, const Rational& B) {
  auto AD = Mul(A.Num, B.Den), BD = Mul(B.Num, A.Den), DD = Mul(A.Den, B.Den);
  switch (Op) {
    case '+':
    case '-': {
      if (!AD || !BD || !DD) return std::nullopt;
      Int Sum;
      if (__builtin_add_overflow(*AD, Op == '+' ? *BD : -*BD, &Sum)) return std::nullopt;
      return Rational::Make(Sum, *DD);
    }
    case '*': {
      auto N = Mul(A.Num, B.Num);
      if (!N || !DD) return std::nullopt;
      return Rational::Make(*N, *DD);
    }
    default: {  // '/', B nonzero
      auto N = Mul(A.Num, B.Den), D = Mul(A.Den, B.Num);
      if (!N || !D) return std::nullopt;
      return Rational::Make(*N, *D);
    }
  }
}

struct Node {
  char Op = 0;  // 0 for a number
  int Numerator = 0, Denominator = 1;  // a number's exact value
  bool Negated = false;                // a sign before the number or the parenthesised node
  bool ExtraParentheses = false;
  std::unique_ptr<Node> Left, Right;
};

class Generator {
public:
  explicit Generator(unsigned Seed) : Random(Seed) {}

  std::unique_ptr<Node> Make(int Depth) {
    auto N = std::make_unique<Node>();
    if (Depth == 0 || Pick(4) == 0) {
      static const int Denominators[] = {1, 1, 1, 2, 4};
      N->Numerator = static_cast<int>(Pick(20));
      N->Denominator = Denominators[Pick(5)];
      N->Negated = Pick(5) == 0;
      return N;
    }
    N->Op = "+-*/"[Pick(4)];
    N->Left = Make(Depth - 1);
    N->Right = Make(Depth - 1);
    N->ExtraParentheses = Pick(8) == 0;
    N->Negated = Pick(8) == 0;
    return N;
  }

  bool Space() { return Pick(3) == 0; }

private:
  std::mt19937 Random;
  unsigned Pick(unsigned Count) { return static_cast<unsigned>(Random() % Count); }
};

int Precedence(char Op) { return Op == '+' || Op == '-' ? 1 : 2; }

std::string NumberText(const Node& N) {
  // Exact binary fractions, written in the forms the scanner takes: 3, 0.5, .25, 1.75
  const long double V = static_cast<long double>(N.Numerator) / N.Denominator;
  std::string Text = std::to_string(N.Numerator / N.Denominator);
  const int Fraction = static_cast<int>((V - std::floor(V)) * 100);
  if (Fraction != 0) {
    Text += "." + std::to_string(Fraction);
    while (Text.back() == '0') Text.pop_back();
    if (Text.rfind("0.", 0) == 0 && N.Numerator % 2) Text.erase(0, 1);
  }
  return Text;
}

// Writes the node with only the parentheses that precedence and left associativity require,
// plus the random extra ones.
std::string Render(const Node& N, int ParentPrecedence, bool RightOperand, Generator& G) {
  if (N.Op == 0) return (N.Negated ? "-" : "") + NumberText(N);
  const int P = Precedence(N.Op);
  const std::string Gap = G.Space() ? " " : "";
  std::string Text = Render(*N.Left, P, false, G) + Gap + N.Op + Gap + Render(*N.Right, P, true, G);
  const bool Needed = P < ParentPrecedence || (P == ParentPrecedence && RightOperand);
  if (N.Negated) return "-(" + Text + ")";
  if (Needed || N.ExtraParentheses) return "(" + Text + ")";
  return Text;
}

// The tree in Extended arithmetic with a bound on its accumulated rounding error, and in exact
// arithmetic. Fault: 1 division by zero, 2 invalid (0/0). Conditioned: false when a divisor's
// error bound reaches the divisor itself, so that no error bound holds.
struct Value {
  long double Float = 0, Error = 0;
  std::optional<Rational> Exact;
  int Fault = 0;
  bool Conditioned = true;
};

Value Compute(const Node& N) {
  constexpr long double U = LDBL_EPSILON / 2;  // unit roundoff of round to nearest
  Value R;
  if (N.Op == 0) {
    R.Float = static_cast<long double>(N.Numerator) / N.Denominator;
    R.Exact = Rational::Make(N.Numerator, N.Denominator);
  } else {
    const Value A = Compute(*N.Left), B = Compute(*N.Right);
    if (A.Fault || B.Fault) return A.Fault ? A : B;
    R.Conditioned = A.Conditioned && B.Conditioned;
    switch (N.Op) {
      case '+': R.Float = A.Float + B.Float; R.Error = A.Error + B.Error; break;
      case '-': R.Float = A.Float - B.Float; R.Error = A.Error + B.Error; break;
      case '*':
        R.Float = A.Float * B.Float;
        R.Error = std::fabs(A.Float) * B.Error + std::fabs(B.Float) * A.Error + A.Error * B.Error;
        break;
      case '/':
        if (B.Float == 0) {
          R.Fault = A.Float == 0 ? 2 : 1;
          return R;
        }
        R.Float = A.Float / B.Float;
        if (std::fabs(B.Float) <= B.Error) {
          R.Conditioned = false;
        } else {
          R.Error = (A.Error + std::fabs(A.Float / B.Float) * B.Error) / (std::fabs(B.Float) - B.Error);
        }
        break;
    }
    R.Error += U * std::fabs(R.Float);
    if (A.Exact && B.Exact && !(N.Op == '/' && B.Exact->Num == 0)) R.Exact = Apply(N.Op, *A.Exact, *B.Exact);
  }
  if (N.Negated) {
    R.Float = -R.Float;
    if (R.Exact) R.Exact->Num = -R.Exact->Num;
  }
  return R;
}

class DifferentialTest : public EngineTest {};

TEST_F(DifferentialTest, FourOperatorsAgreeWithExactArithmetic) {
  Generator G(20261207);
  int Compared = 0, Faults = 0;
  for (int I = 0; I < 3000; ++I) {
    const auto Tree = G.Make(1 + I % 5);
    const std::string Text = Render(*Tree, 0, false, G);
    const Value Expected = Compute(*Tree);
    const Evaluation E = Evaluate(Text);
    if (Expected.Fault) {
      ++Faults;
      EXPECT_TRUE(Expected.Fault == 1 ? E.FaultIs<EZeroDivide>() : E.FaultIs<EInvalidOp>()) << Text;
      continue;
    }
    ASSERT_TRUE(E.Accepted) << Text << " " << E.Output;
    // Same tree, same Extended operations in the same order: the same bits.
    EXPECT_EQ(E.Value, Expected.Float) << Text;
    if (Expected.Exact && Expected.Conditioned) {
      ++Compared;
      const long double Exact = Expected.Exact->ToExtended();
      // The bound, plus the rounding of the exact value's own conversion.
      const long double Tolerance = 2 * Expected.Error + LDBL_EPSILON * std::fabs(Exact);
      EXPECT_LE(std::fabs(E.Value - Exact), Tolerance) << Text;
    }
  }
  EXPECT_GT(Compared, 2000);
  EXPECT_GT(Faults, 10);
}

}  // namespace
