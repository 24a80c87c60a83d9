#!/usr/bin/env bash
# Builds Vexaro for the host (plain and with sanitizers) and for Windows, and
# runs every test suite: the Windows build's tests run under Wine. Exits
# non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh all

echo "== format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== host build"
cmake --preset default
cmake --build --preset default
ctest --preset default

echo "== host build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

echo "== benchmarks (built and run once)"
cmake --preset bench
cmake --build --preset bench
build/bench/benchmarks/vexaro_benchmarks --benchmark_min_time=0.01

echo "== Windows build, tests under Wine"
cmake --preset windows-x86
cmake --build --preset windows-x86
xvfb-run -a ctest --preset windows-x86
