#!/usr/bin/env bash
# Configures and builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitized/, together with the libFuzzer targets (build-sanitized/bin/*_fuzzer). Its tests
# are the engine, CLI and parser generator suites under the sanitizers and one replay of each
# fuzzer's seed corpus. The tray suite, whose click waits cross threads, is built under the same
# sanitizers with Qt into build-sanitized-qt/ (build-sanitized-qt/tests/tray/tray_tests).
set -euo pipefail
cd "$(dirname "$0")/.."
# The sanitizer run covers the engine, the run-time and vellox-calc; any Qt parts are left out.
cmake -S . -B build-sanitized -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVELLOX_FUZZ=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >/dev/null
cmake --build build-sanitized
cmake -S . -B build-sanitized-qt -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVELLOX_SANITIZE=ON -DVELLOX_BENCH=OFF >/dev/null
cmake --build build-sanitized-qt --target tray_tests
