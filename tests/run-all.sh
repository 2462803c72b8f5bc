#!/usr/bin/env bash
# Builds bondscope and runs every test suite, stopping at the first failure.
# This is the project's one test command: the README gives it and CI runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== native build: unit and end-to-end tests"
cmake --workflow --preset test

echo "== Windows build under Wine: unit and end-to-end tests"
cmake --workflow --preset windows
