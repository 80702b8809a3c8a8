#!/usr/bin/env python3
"""Times vellox-calc against `bc -l` on the same random expressions, on two corpora.

"functions": COUNT expressions of + - * /, squares and cubes and the functions SIN COS ARCTAN LN
EXP SQRT. "plain arithmetic": PLAIN_COUNT expressions of the four operators alone, 1 to 4 levels
deep, on integers, decimals such as 37.205 and numbers with exponents such as 4.07E-3 (bc, which
has no exponent notation, gets the same number written out: .00407), with parentheses; about 30
bytes a line.

Each corpus is generated from a fixed seed and written once in vellox-calc's syntax and once in
bc's, with the same meaning in both: + - * / with the same precedence and left associativity,
powers only as (x)**2 or (x)**3 (bc's ^ is right-associative and wants integer exponents),
divisions only by numbers or subexpressions that are clearly not 0, LN and SQRT only of positive
numbers. Both programs read their file on standard input; the runs alternate between the two, and
the medians of the wall times give the throughput ratio. Before timing, the two outputs are
compared line by line to 1e-9, so a difference in meaning cannot go unnoticed; bc keeps 20
decimal places (scale=20 under -l), so where a plain expression divides very small numbers bc
loses digits and a few lines differ (up to 1% may). Prints figures only; it asserts no timing.

Usage: bench/compare_bc.py [--calc build/bin/vellox-calc] [--count 20000] [--plain-count 200000]
                           [--runs 7] [--seed 20240601]
"""
import argparse
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time
from decimal import Decimal
from fractions import Fraction


def number(rng):
    if rng.random() < 0.5:
        return str(rng.randint(1, 999))
    return f"{rng.randint(0, 999)}.{rng.randint(1, 99):02d}"


def positive_number(rng):
    return f"{rng.randint(1, 99)}.{rng.randint(1, 99):02d}"


class Expression:
    """One expression, built once, rendered in both syntaxes."""

    def __init__(self, vellox, bc):
        self.vellox, self.bc = vellox, bc


def leaf(rng):
    n = number(rng)
    return Expression(n, n)


def function_call(rng):
    kind = rng.randrange(6)
    arg = positive_number(rng)
    if kind == 0:
        return Expression(f"SIN({arg})", f"s({arg})")
    if kind == 1:
        return Expression(f"COS({arg})", f"c({arg})")
    if kind == 2:
        return Expression(f"ARCTAN({arg})", f"a({arg})")
    if kind == 3:
        return Expression(f"LN({arg})", f"l({arg})")
    if kind == 4:
        small = f"{rng.randint(0, 9)}.{rng.randint(1, 99):02d}"
        return Expression(f"EXP({small})", f"e({small})")
    return Expression(f"SQRT({arg})", f"sqrt({arg})")


def expression(rng, depth):
    if depth == 0:
        return function_call(rng) if rng.random() < 0.15 else leaf(rng)
    kind = rng.randrange(8)
    if kind <= 1:
        left, right = expression(rng, depth - 1), expression(rng, depth - 1)
        op = rng.choice("+-")
        return Expression(f"{left.vellox} {op} {right.vellox}", f"{left.bc} {op} {right.bc}")
    if kind == 2:
        left, right = expression(rng, depth - 1), expression(rng, depth - 1)
        return Expression(f"({left.vellox}) * ({right.vellox})", f"({left.bc}) * ({right.bc})")
    if kind == 3:
        left = expression(rng, depth - 1)
        divisor = positive_number(rng)
        return Expression(f"({left.vellox}) / {divisor}", f"({left.bc}) / {divisor}")
    if kind == 4:
        base = expression(rng, depth - 1)
        k = rng.choice((2, 3))
        return Expression(f"({base.vellox})**{k}", f"({base.bc})^{k}")
    if kind == 5:
        inner = expression(rng, depth - 1)
        return Expression(f"(-({inner.vellox}))", f"(-({inner.bc}))")
    if kind == 6:
        return function_call(rng)
    return leaf(rng)


def generate(count, seed):
    rng = random.Random(seed)
    return [expression(rng, rng.randint(0, 4)) for _ in range(count)]


class Plain:
    """A plain-arithmetic expression in both syntaxes, with its exact value and the precedence of
    its operator (3 for a number, which never needs parentheses)."""

    def __init__(self, vellox, bc, value, precedence):
        self.vellox, self.bc, self.value, self.precedence = vellox, bc, value, precedence


def plain_number(rng):
    kind = rng.random()
    if kind < 0.4:
        text = str(rng.randint(0, 10 ** rng.randint(1, 4) - 1))
    elif kind < 0.8:
        places = rng.randint(1, 3)
        text = f"{rng.randint(0, 999)}.{rng.randint(1, 10 ** places - 1):0{places}d}"
    else:
        exponent = rng.choice(("-", "+", "")) + str(rng.randint(1, 12))
        text = f"{rng.randint(1, 9)}.{rng.randint(0, 99):02d}E{exponent}"
    exact = Decimal(text)
    written_out = format(exact, "f")
    if rng.random() < 0.1:  # a sign before the number
        return Plain("-" + text, "-" + written_out, -Fraction(exact), 3)
    return Plain(text, written_out, Fraction(exact), 3)


PRECEDENCE = {"+": 1, "-": 1, "*": 2, "/": 2}


def operand(child, precedence, right, rng):
    """The child as an operand: in parentheses where precedence and left associativity need them,
    and now and then where they do not."""
    needed = child.precedence < precedence or (right and child.precedence == precedence)
    if needed or (child.precedence < 3 and rng.random() < 0.15):
        return f"({child.vellox})", f"({child.bc})"
    return child.vellox, child.bc


def plain_expression(rng, depth):
    if depth == 0:
        return plain_number(rng)
    op = rng.choice("+-*/")
    left = plain_expression(rng, rng.randint(0, depth - 1))
    right = plain_expression(rng, rng.randint(0, depth - 1))
    if op == "/":
        # A divisor near 0 could round to 0 in one program and not in the other.
        for _ in range(10):
            if abs(right.value) >= Fraction(1, 1000):
                break
            right = plain_expression(rng, rng.randint(0, depth - 1))
        else:
            op = "+"
    precedence = PRECEDENCE[op]
    left_vellox, left_bc = operand(left, precedence, False, rng)
    right_vellox, right_bc = operand(right, precedence, True, rng)
    if op == "+":
        value = left.value + right.value
    elif op == "-":
        value = left.value - right.value
    elif op == "*":
        value = left.value * right.value
    else:
        value = left.value / right.value
    return Plain(f"{left_vellox} {op} {right_vellox}", f"{left_bc} {op} {right_bc}", value, precedence)


def generate_plain(count, seed):
    rng = random.Random(seed)
    return [plain_expression(rng, rng.randint(1, 4)) for _ in range(count)]


def run(command, input_path, env=None):
    with open(input_path, "rb") as source:
        start = time.perf_counter()
        result = subprocess.run(command, stdin=source, stdout=subprocess.PIPE, env=env, check=True)
        return time.perf_counter() - start, result.stdout.decode().splitlines()


def agree(a, b):
    x, y = float(a), float(b)
    return abs(x - y) <= 1e-9 * max(1.0, abs(x), abs(y))


def compare(name, expressions, calc, runs):
    """Checks that both programs agree on the corpus, then times them in turn; returns the
    throughput ratio vellox-calc / bc."""
    count = len(expressions)
    bc_env = dict(os.environ, BC_LINE_LENGTH="0")
    with tempfile.TemporaryDirectory() as folder:
        vellox_input = os.path.join(folder, "vellox.txt")
        bc_input = os.path.join(folder, "bc.txt")
        with open(vellox_input, "w") as out:
            out.writelines(e.vellox + "\n" for e in expressions)
        with open(bc_input, "w") as out:
            out.writelines(e.bc + "\n" for e in expressions)
        vellox_bytes = os.path.getsize(vellox_input)

        _, vellox_lines = run([calc], vellox_input)
        _, bc_lines = run(["bc", "-lq"], bc_input, bc_env)
        if len(vellox_lines) != count or len(bc_lines) != count:
            sys.exit(f"{name}: expected {count} results, got {len(vellox_lines)} from vellox-calc "
                     f"and {len(bc_lines)} from bc")
        differ = [i for i in range(count) if not agree(vellox_lines[i], bc_lines[i])]
        print(f"{name}: {count} expressions ({vellox_bytes} bytes for vellox-calc, "
              f"{vellox_bytes / count:.1f} a line); results agreeing to 1e-9: {count - len(differ)}")
        for i in differ[:5]:
            print(f"  differs: {expressions[i].vellox} -> {vellox_lines[i]} vs bc {bc_lines[i]}")
        if len(differ) > count // 100:
            sys.exit(f"{name}: the two programs disagree on too many expressions: the comparison is unsound")

        vellox_times, bc_times = [], []
        for _ in range(runs):
            vellox_times.append(run([calc], vellox_input)[0])
            bc_times.append(run(["bc", "-lq"], bc_input, bc_env)[0])

    vellox_median = statistics.median(vellox_times)
    bc_median = statistics.median(bc_times)
    print(f"  vellox-calc: median {vellox_median * 1000:.1f} ms of {runs} runs, "
          f"{count / vellox_median:,.0f} expressions/s")
    print(f"  bc -l:       median {bc_median * 1000:.1f} ms of {runs} runs, "
          f"{count / bc_median:,.0f} expressions/s")
    return bc_median / vellox_median


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--calc", default=os.path.join(os.path.dirname(__file__), "..", "build", "bin", "vellox-calc"))
    parser.add_argument("--count", type=int, default=20000, help="expressions of the functions corpus")
    parser.add_argument("--plain-count", type=int, default=200000,
                        help="expressions of the plain-arithmetic corpus")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--seed", type=int, default=20240601)
    args = parser.parse_args()

    print(f"seed {args.seed}")
    functions = compare("functions", generate(args.count, args.seed), args.calc, args.runs)
    plain = compare("plain arithmetic", generate_plain(args.plain_count, args.seed), args.calc, args.runs)
    print(f"throughput ratio vellox-calc / bc, functions:        {functions:.1f}x")
    print(f"throughput ratio vellox-calc / bc, plain arithmetic: {plain:.1f}x")


if __name__ == "__main__":
    main()
