#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test suite; ends with CTest's summary of
# the main build. Before it: the engine, CLI and parser generator suites under ASan+UBSan (clang)
# and one replay of each fuzzer's seed corpus; a failure there stops the script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
scripts/build_sanitized.sh
ctest --test-dir build-sanitized -L 'engine|cli|tools|fuzz' --output-on-failure
scripts/build.sh
ctest --test-dir build --output-on-failure
