#!/usr/bin/env python3
"""Times vellox-calc against `bc -l` on the same random expressions.

Generates COUNT random expressions from a fixed seed, written once in vellox-calc's syntax and once
in bc's, with the same meaning in both: + - * / with the same precedence and left associativity,
powers only as (x)**2 or (x)**3 (bc's ^ is right-associative and wants integer exponents), divisions
only by non-zero numbers or by EXP(...), LN and SQRT only of positive numbers. Both programs read
their file on standard input; the runs alternate between the two, and the medians of the wall
times give the throughput ratio. Before timing, the two outputs are compared line by line, so a
difference in meaning cannot go unnoticed. Prints figures only; it asserts no timing.

Usage: bench/compare_bc.py [--calc build/bin/vellox-calc] [--count 20000] [--runs 7] [--seed 20240601]
"""
import argparse
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time


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


def run(command, input_path, env=None):
    with open(input_path, "rb") as source:
        start = time.perf_counter()
        result = subprocess.run(command, stdin=source, stdout=subprocess.PIPE, env=env, check=True)
        return time.perf_counter() - start, result.stdout.decode().splitlines()


def agree(a, b):
    x, y = float(a), float(b)
    return abs(x - y) <= 1e-9 * max(1.0, abs(x), abs(y))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--calc", default=os.path.join(os.path.dirname(__file__), "..", "build", "bin", "vellox-calc"))
    parser.add_argument("--count", type=int, default=20000)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--seed", type=int, default=20240601)
    args = parser.parse_args()

    expressions = generate(args.count, args.seed)
    bc_env = dict(os.environ, BC_LINE_LENGTH="0")
    with tempfile.TemporaryDirectory() as folder:
        vellox_input = os.path.join(folder, "vellox.txt")
        bc_input = os.path.join(folder, "bc.txt")
        with open(vellox_input, "w") as out:
            out.writelines(e.vellox + "\n" for e in expressions)
        with open(bc_input, "w") as out:
            out.writelines(e.bc + "\n" for e in expressions)
        vellox_bytes = os.path.getsize(vellox_input)

        _, vellox_lines = run([args.calc], vellox_input)
        _, bc_lines = run(["bc", "-lq"], bc_input, bc_env)
        if len(vellox_lines) != args.count or len(bc_lines) != args.count:
            sys.exit(f"expected {args.count} results, got {len(vellox_lines)} from vellox-calc "
                     f"and {len(bc_lines)} from bc")
        differ = [i for i in range(args.count) if not agree(vellox_lines[i], bc_lines[i])]
        print(f"{args.count} expressions (seed {args.seed}, {vellox_bytes} bytes for vellox-calc); "
              f"results agreeing to 1e-9: {args.count - len(differ)}")
        for i in differ[:5]:
            print(f"  differs: {expressions[i].vellox} -> {vellox_lines[i]} vs bc {bc_lines[i]}")
        if len(differ) > args.count // 100:
            sys.exit("the two programs disagree on too many expressions: the comparison is unsound")

        vellox_times, bc_times = [], []
        for _ in range(args.runs):
            vellox_times.append(run([args.calc], vellox_input)[0])
            bc_times.append(run(["bc", "-lq"], bc_input, bc_env)[0])

    vellox_median = statistics.median(vellox_times)
    bc_median = statistics.median(bc_times)
    print(f"vellox-calc: median {vellox_median * 1000:.1f} ms of {args.runs} runs, "
          f"{args.count / vellox_median:,.0f} expressions/s")
    print(f"bc -l:       median {bc_median * 1000:.1f} ms of {args.runs} runs, "
          f"{args.count / bc_median:,.0f} expressions/s")
    print(f"throughput ratio vellox-calc / bc: {bc_median / vellox_median:.1f}x")


if __name__ == "__main__":
    main()
