#!/usr/bin/env bash
# Installs the Debian 12 packages Vellox needs. Safe to run again: when everything is present it
# changes nothing and fetches nothing.
#   scripts/setup.sh          what building and running the programs needs
#   scripts/setup.sh --test   that, plus what the test suites need: GoogleTest, clang with its
#                             libFuzzer and sanitizer run-times (libclang-rt-14-dev), and Google
#                             Benchmark so that the benchmark keeps compiling
#   scripts/setup.sh --bench  that, plus bc and python3 for bench/compare_bc.py
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config)
case "${1:-}" in
  --test) packages+=(libgtest-dev clang libclang-rt-14-dev libbenchmark-dev) ;;
  --bench) packages+=(libgtest-dev clang libclang-rt-14-dev libbenchmark-dev bc python3) ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ "$(id -u)" -ne 0 ]] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
