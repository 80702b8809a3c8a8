#!/usr/bin/env bash
# Configures and builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitized/, together with the libFuzzer targets (build-sanitized/bin/*_fuzzer). Its tests
# are the engine, CLI and parser generator suites under the sanitizers and one replay of each
# fuzzer's seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
# The sanitizer run covers the engine, the run-time and vellox-calc; any Qt parts are left out.
cmake -S . -B build-sanitized -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVELLOX_FUZZ=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >/dev/null
cmake --build build-sanitized
