#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test suite; ends with CTest's summary of
# the main build. Before it: the engine, CLI and parser generator suites under ASan+UBSan (clang),
# one replay of each fuzzer's seed corpus and the tray suite; a failure there stops the script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
scripts/build_sanitized.sh
ctest --test-dir build-sanitized -L 'engine|cli|tools|fuzz' --output-on-failure
QT_QPA_PLATFORM=offscreen build-sanitized-qt/tests/tray/tray_tests --gtest_brief=1
scripts/build.sh
ctest --test-dir build --output-on-failure
