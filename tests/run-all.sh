#!/usr/bin/env bash
# Builds bondscope and runs every test suite, stopping at the first failure.
# This is the project's one test command: the README gives it and CI runs it.
#   1. the optimised native build: unit and end-to-end tests
#   2. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#   3. the Windows build, its unit and end-to-end tests under Wine
#   4. each fuzzer for a short, bounded time (when clang is installed)
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== native build: unit and end-to-end tests"
cmake --workflow --preset test

echo "== sanitizers: the same tests under ASan and UBSan"
cmake --workflow --preset asan

echo "== Windows build under Wine: unit and end-to-end tests"
cmake --workflow --preset windows

echo "== fuzzing: ${BONDSCOPE_FUZZ_SECONDS:=30} s per target"
bash tests/fuzz/run-fuzzers.sh "$BONDSCOPE_FUZZ_SECONDS"
