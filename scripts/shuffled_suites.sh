#!/usr/bin/env bash
# Runs every GoogleTest suite of build/ once more, each as one process in a shuffled order, so that
# a test that leans on what an earlier one left behind fails here (CTest gives each test a process
# of its own and would hide it). The seed is chosen anew each run and printed: replay a failure
# with --gtest_shuffle --gtest_random_seed=SEED. Run scripts/test.sh (or scripts/build.sh) first.
set -euo pipefail
cd "$(dirname "$0")/.."
seed=${VELLOX_SHUFFLE_SEED:-$((RANDOM % 99999 + 1))}
suites=$(find build/tests -name '*_tests' -type f -perm -u+x | sort)
if [ -z "$suites" ]; then
  echo "shuffled_suites.sh: no suites in build/tests; build them first (scripts/build.sh)" >&2
  exit 1
fi
failed=()
for suite in $suites; do
  echo "== $suite, shuffled with seed $seed"
  # Each from its own folder, as CTest runs it; the window suites on Qt's offscreen platform.
  if ! (cd "$(dirname "$suite")" &&
        QT_QPA_PLATFORM=offscreen timeout 900 "./$(basename "$suite")" --gtest_shuffle \
          --gtest_random_seed="$seed" --gtest_brief=1); then
    failed+=("$suite")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "shuffled_suites.sh: failed with seed $seed: ${failed[*]}" >&2
  exit 1
fi
echo "Every suite passed as one shuffled process (seed $seed)"
