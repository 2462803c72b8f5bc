#!/usr/bin/env bash
# run_case.sh BONDSCOPE BSFIXTURE CASE_DIR
#
# Runs one end-to-end case the way a user would run the program, and compares
# what came out with the bytes kept beside the case:
#
#   CASE_DIR/cmd          a bash script, run in a fresh, empty scratch folder
#                         with `bondscope` and `bsfixture` on PATH and no
#                         standard input
#   CASE_DIR/stdout.exact its standard output, byte for byte
#   CASE_DIR/stderr.exact its standard error, byte for byte
#   CASE_DIR/exit.exact   its exit status in decimal and a line feed
#   CASE_DIR/files/...    optional: each file here must exist under the same
#                         relative name in the scratch folder afterwards,
#                         with the same bytes
#
# With BONDSCOPE_UPDATE=1 in the environment the expected files are rewritten
# from this run instead (stdout, stderr, exit, and the files already listed
# under files/).  Check every rewritten byte by hand before committing it:
# these files are the statement of what the program must do.
#
# Other environment:
#   BONDSCOPE_CLI_SCRATCH  folder for the scratch folders (default $TMPDIR,
#                          else /tmp)
#   BONDSCOPE_KEEP_SCRATCH=1 keeps the scratch folder for inspection
#   BONDSCOPE_CLI_TIMEOUT  seconds before a hanging case is killed (300)
#   BONDSCOPE_CLI_HOOKS    a bash file sourced after the platform hooks below
#                          are defined, to redefine them
set -u

if [ $# -ne 3 ]; then
  echo "usage: run_case.sh BONDSCOPE BSFIXTURE CASE_DIR" >&2
  exit 2
fi

absolute() {
  case $1 in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s/%s\n' "$PWD" "$1" ;;
  esac
}

bondscope_target=$(absolute "$1")
bsfixture_target=$(absolute "$2")
case_dir=$(cd "$3" && pwd) || exit 2
case_name=${case_dir##*/}

# --- Platform hooks ---------------------------------------------------------
# The suite runs natively by default.  A runner for another platform (for
# example one that runs a build for another operating system under an
# emulator, where every line the program writes through a text stream ends
# in CR LF) points
# BONDSCOPE_CLI_HOOKS at a bash file that redefines these functions; nothing
# else here needs to change.

# install_program NAME TARGET DIR: makes a command NAME in DIR that runs
# TARGET with the arguments it is given.  Running `NAME ...` through PATH must
# hand the program argument 0 exactly as the case wrote it, so natively this
# is a symlink rather than a wrapper script.
install_program() {
  ln -s "$2" "$3/$1"
}

# expected_bytes KIND FILE: writes to standard output the bytes this platform
# should produce where FILE holds the native expectation.  KIND is stdout,
# stderr, exit or file.  Natively the expectation is the file itself.
expected_bytes() {
  cat "$2"
}

if [ -n "${BONDSCOPE_CLI_HOOKS:-}" ]; then
  # shellcheck source=/dev/null
  . "$BONDSCOPE_CLI_HOOKS" || exit 2
fi
# -----------------------------------------------------------------------------

scratch_base=${BONDSCOPE_CLI_SCRATCH:-${TMPDIR:-/tmp}}
mkdir -p "$scratch_base" || exit 2
scratch=$(mktemp -d "$scratch_base/bondscope-cli.$case_name.XXXXXX") || exit 2
# Readable by every user: a case may drop privileges to test what a file the
# user cannot read does.
chmod 755 "$scratch"

cleanup() {
  if [ "${BONDSCOPE_KEEP_SCRATCH:-}" = 1 ]; then
    echo "scratch folder kept: $scratch" >&2
    return
  fi
  # A case may leave folders without permissions; give them back first.
  chmod -R u+rwx "$scratch" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

bin=$scratch/bin      # the two commands the case may run
work=$scratch/work    # the case's current folder
actual=$scratch/actual  # what the case produced
mkdir "$bin" "$work" "$actual" || exit 2
chmod 755 "$bin" "$work"
install_program bondscope "$bondscope_target" "$bin" || exit 2
install_program bsfixture "$bsfixture_target" "$bin" || exit 2

if [ ! -f "$case_dir/cmd" ]; then
  echo "$case_name: no cmd script in $case_dir" >&2
  exit 2
fi

# The case sees the C locale (so tools and messages do not vary with the
# user's settings) and finds the programs under test first on PATH.
run_cmd=(bash "$case_dir/cmd")
if command -v timeout >/dev/null 2>&1; then
  run_cmd=(timeout "${BONDSCOPE_CLI_TIMEOUT:-300}" "${run_cmd[@]}")
fi
(
  cd "$work" || exit 2
  export LC_ALL=C PATH="$bin:$PATH"
  unset BONDSCOPE_UPDATE
  exec "${run_cmd[@]}"
) </dev/null >"$actual/stdout" 2>"$actual/stderr"
status=$?
printf '%d\n' "$status" >"$actual/exit"

# Lists the files under files/ relative to it, one per NUL-terminated entry.
expected_file_list() {
  [ -d "$case_dir/files" ] || return 0
  (cd "$case_dir/files" && find . -type f -print0)
}

if [ "${BONDSCOPE_UPDATE:-}" = 1 ]; then
  cp "$actual/stdout" "$case_dir/stdout.exact"
  cp "$actual/stderr" "$case_dir/stderr.exact"
  cp "$actual/exit" "$case_dir/exit.exact"
  failed=0
  while IFS= read -r -d '' rel; do
    rel=${rel#./}
    if [ -f "$work/$rel" ]; then
      cp "$work/$rel" "$case_dir/files/$rel"
    else
      echo "$case_name: files/$rel was not written; left as it was" >&2
      failed=1
    fi
  done < <(expected_file_list)
  echo "$case_name: expectations rewritten (exit $status); check them by hand"
  exit "$failed"
fi

# Shows where two byte streams differ, as a diff of their hex dumps.
show_difference() {
  local expected=$1 got=$2
  if command -v xxd >/dev/null 2>&1; then
    diff <(xxd "$expected") <(xxd "$got") | head -n 40
  else
    diff <(od -A x -t x1z "$expected") <(od -A x -t x1z "$got") | head -n 40
  fi
}

failed=0
# compare KIND LABEL EXPECTED_FILE ACTUAL_FILE
compare() {
  local kind=$1 label=$2 expected_file=$3 got=$4
  local want=$actual/want
  if [ ! -f "$expected_file" ]; then
    echo "$case_name: $label: expected file ${expected_file#"$case_dir/"} is missing" \
      "(BONDSCOPE_UPDATE=1 writes it)"
    failed=1
    return
  fi
  expected_bytes "$kind" "$expected_file" >"$want"
  if ! cmp -s "$want" "$got"; then
    echo "$case_name: $label differs (< expected, > actual):"
    show_difference "$want" "$got"
    failed=1
  fi
}

compare exit "exit status" "$case_dir/exit.exact" "$actual/exit"
compare stdout "standard output" "$case_dir/stdout.exact" "$actual/stdout"
compare stderr "standard error" "$case_dir/stderr.exact" "$actual/stderr"
while IFS= read -r -d '' rel; do
  rel=${rel#./}
  if [ ! -f "$work/$rel" ]; then
    echo "$case_name: file $rel was not written"
    failed=1
  else
    compare file "file $rel" "$case_dir/files/$rel" "$work/$rel"
  fi
done < <(expected_file_list)

if [ "$failed" != 0 ]; then
  echo "$case_name: FAILED (exit $status)"
  exit 1
fi
echo "$case_name: passed"
exit 0
