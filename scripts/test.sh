#!/usr/bin/env bash
# Installs what the tests need, builds, and runs every test suite; ends with CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --test
scripts/build.sh
ctest --test-dir build --output-on-failure
