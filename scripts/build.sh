#!/usr/bin/env bash
# Configures and builds everything into build/; the programs land in build/bin/.
# Configuring again each time picks up packages installed since the last run (the test suites
# appear once GoogleTest is there).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
