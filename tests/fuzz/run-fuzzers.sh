#!/usr/bin/env bash
# run-fuzzers.sh SECONDS: builds the libFuzzer targets (preset fuzz) and runs
# each one for SECONDS seconds, one after the other, on a scratch copy of its
# committed corpus (the committed corpus never grows).  Fails on the first
# finding and leaves the input that caused it in build/fuzz/findings/TARGET/;
# to keep it as a regression case, copy it into tests/fuzz/corpus/TARGET/.
# Without clang it says so and succeeds: the normal test run still replays
# the corpus (fuzz.replay.*).
set -euo pipefail
cd "$(dirname "$0")/../.."

if (($# != 1)) || ! [[ $1 =~ ^[0-9]+$ ]] || (($1 == 0)); then
  echo "usage: $0 SECONDS" >&2
  exit 2
fi
seconds=$1

if ! [ -x /usr/bin/clang++ ]; then
  echo "run-fuzzers: /usr/bin/clang++ not found (Debian: clang," \
    "libclang-rt-14-dev); fuzzing skipped"
  exit 0
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for target in fuzz_find_signature fuzz_decode_report; do
  findings=build/fuzz/findings/$target
  mkdir -p "$scratch/$target" "$findings"
  cp tests/fuzz/corpus/$target/* "$scratch/$target/"
  extra=()
  # A save block is 8192 bytes; longer inputs are cut to it anyway.
  [ $target = fuzz_decode_report ] && extra+=(-max_len=8192)
  echo "== $target: ${seconds}s"
  # Slow inputs (long data for the search) get less of the time than the
  # many quick ones.
  if ! build/fuzz/tests/fuzz/$target -max_total_time="$seconds" \
    -timeout=30 -entropic_scale_per_exec_time=1 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${extra[@]}" "$scratch/$target" \
    >"$scratch/$target.log" 2>&1; then
    tail -n 60 "$scratch/$target.log"
    echo "run-fuzzers: $target found a fault; the input is in $findings/" >&2
    exit 1
  fi
  grep -E '^#[0-9]+ +DONE|^Done|stat::number_of_executed_units' \
    "$scratch/$target.log" || true
done
echo "run-fuzzers: no findings"
