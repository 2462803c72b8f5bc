#!/usr/bin/env bash
# Throughput and memory benchmark of the signature scan.
#
#   bench/bench.sh [--runs N] [--sizes "1 2 4"] [--keep] [--profile]
#
# Builds the release program (and the fixture tool) if needed, generates its
# inputs in a temporary folder (removed afterwards unless --keep), and times
# bondscope, `cat FILE >/dev/null` and `grep -c -a -F SIGNATURE FILE` side by
# side on the same files, N runs each (default 5), printing medians, ratios
# and bondscope's peak resident memory.  The inputs sit in the page cache
# during the runs, so the figures compare CPU cost, not disk speed.
#
# Inputs:
#   random-NG   N GiB of random bytes holding no save (N from --sizes)
#   saves-1G    1 GiB of random bytes with 8 saves planted in it
#   dense-1G    131072 saves back to back (1 GiB), timed with -ts
#   sparse-8G   an 8 GiB sparse file with one save at each end (memory only)
# --profile adds an instruction-count breakdown of the dense case (on a
# 64 MiB slice) from valgrind's callgrind: search, decoding and output.
set -euo pipefail

runs=5
sizes="1 2 4"
keep=0
profile=0
while (($#)); do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    --profile) profile=1; shift ;;
    *) echo "usage: $0 [--runs N] [--sizes \"1 2 4\"] [--keep] [--profile]" >&2; exit 2 ;;
  esac
done

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench
if [[ ! -x $build/bondscope || ! -x $build/tests/fixture/bsfixture ]] ||
   [[ -n $(find "$root/src" "$root/tests/fixture" -newer "$build/bondscope" -name '*.cc' -o -newer "$build/bondscope" -name '*.h' | head -1) ]]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBONDSCOPE_BUILD_TESTS=ON >/dev/null
  cmake --build "$build" -j 2 --target bondscope bsfixture >/dev/null
fi
bondscope=$build/bondscope
bsfixture=$build/tests/fixture/bsfixture

work=$(mktemp -d "${TMPDIR:-/tmp}/bondscope-bench.XXXXXX")
if ((keep)); then echo "inputs kept in $work"; else trap 'rm -rf "$work"' EXIT; fi

gib=$((1024 * 1024 * 1024))
sig=$(printf '\x53\x43\x11\x01\x82\x65\x82\x65\x82\x56')
export LC_ALL=C

# One save block, the unit the other inputs are made of.
"$bsfixture" "$work/one.sav" <<'RECIPE'
save
  title-text BENCH
  name 1 4A 6E 24
  name 2 40 8A 4C
  name 3 92 68
  name 5 5C 86
  char 0 level 50 hp 9999 mp 999 exp 4294967295 strength 99 speed 99 vitality 99 magic 99 spirit 99 luck 99
  talk 1 2 3 4
  battle 5 6 7 8
end
RECIPE

echo "generating inputs in $work ..."
for g in $sizes; do
  head -c $((g * gib)) /dev/urandom >"$work/random-${g}G"
done
# A handful of saves at scattered offsets in a copy of the first random file.
first=$(set -- $sizes; echo "$1")
head -c "$gib" "$work/random-${first}G" >"$work/saves-1G"
for i in 1 2 3 4 5 6 7 8; do
  dd if="$work/one.sav" of="$work/saves-1G" bs=1 seek=$((i * 127 * 1024 * 1024 + i * 13)) conv=notrunc status=none
done
# 2^17 blocks back to back, by doubling.
cp "$work/one.sav" "$work/dense-1G"
for _ in $(seq 17); do cat "$work/dense-1G" "$work/dense-1G" >"$work/d.tmp"; mv "$work/d.tmp" "$work/dense-1G"; done
# 8 GiB with holes: a save at the start, one at the end.
cp "$work/one.sav" "$work/sparse-8G"
truncate -s $((8 * gib - 8192)) "$work/sparse-8G"
cat "$work/one.sav" >>"$work/sparse-8G"

# Warm the page cache.
for f in "$work"/random-* "$work/saves-1G" "$work/dense-1G"; do cat "$f" >/dev/null; done

# Prints the median wall time of N runs of a command and the largest peak
# resident memory (KiB) seen over those runs.
median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
timeit() {
  local out=$work/times
  : >"$out"
  : >"$work/rss.all"
  for _ in $(seq "$runs"); do
    local t0 t1
    t0=$(date +%s.%N)
    /usr/bin/time -f %M -a -o "$work/rss.all" "$@" >/dev/null 2>&1 || true
    t1=$(date +%s.%N)
    echo "$t1 - $t0" | bc -l >>"$out"
  done
  echo "$(median <"$out") $(sort -n "$work/rss.all" | tail -1)"
}
ratio() { echo "scale=3; $1 / $2" | bc -l; }

printf '\n%-12s %10s %10s %10s %9s %9s %9s\n' input bondscope cat grep b/cat b/grep rss-KiB
for f in $(for g in $sizes; do echo "random-${g}G"; done) saves-1G; do
  read -r b brss < <(timeit "$bondscope" "$work/$f")
  read -r c _ < <(timeit cat "$work/$f")
  # grep's count goes to a file: writing to /dev/null, grep would stop at
  # the first match.
  read -r g _ < <(timeit sh -c 'grep -c -a -F "$1" "$2" >"$3"' sh "$sig" "$work/$f" "$work/grep.out")
  printf '%-12s %10.3f %10.3f %10.3f %9.2f %9.2f %9s\n' "$f" "$b" "$c" "$g" "$(ratio "$b" "$c")" "$(ratio "$b" "$g")" "$brss"
done

echo
echo "seconds per GiB (random inputs):"
for g in $sizes; do
  read -r b _ < <(timeit "$bondscope" "$work/random-${g}G")
  printf '  %sG  %.3f s/GiB\n' "$g" "$(echo "$b / $g" | bc -l)"
done

echo
read -r c _ < <(timeit cat "$work/dense-1G")
for opts in "" "-t" "-s" "-ts"; do
  read -r b rss < <(timeit "$bondscope" $opts "$work/dense-1G")
  printf 'dense-1G %-4s %8.3f s  (%5.2f x cat %.3f s)  rss %s KiB\n' "${opts:-none}" "$b" "$(ratio "$b" "$c")" "$c" "$rss"
done
for n in 16384 32768 65536; do
  head -c $((n * 8192)) "$work/dense-1G" >"$work/dense-n"
  read -r b _ < <(timeit "$bondscope" -ts "$work/dense-n")
  printf 'dense %6d saves -ts %8.3f s  (%.2f us per save)\n' "$n" "$b" "$(echo "$b * 1000000 / $n" | bc -l)"
done

/usr/bin/time -f %M -o "$work/rss" "$bondscope" -ts "$work/sparse-8G" >/dev/null
echo "sparse-8G -ts: peak rss $(cat "$work/rss") KiB, saves reported: $("$bondscope" "$work/sparse-8G" | grep -c '^$')"

if ((profile)); then
  head -c $((64 * 1024 * 1024)) "$work/dense-1G" >"$work/dense-64M"
  valgrind --tool=callgrind --callgrind-out-file="$work/cg.out" "$bondscope" -ts "$work/dense-64M" >/dev/null 2>&1
  echo
  echo "instruction share, dense -ts (callgrind, inclusive):"
  callgrind_annotate --inclusive=yes "$work/cg.out" 2>/dev/null |
    grep -E 'find_signature|decode_save_block|write_affection|write_title|write_status|fread|vfprintf|main' | head -12
fi
