#!/bin/sh
# wine-run.sh PREFIX PROGRAM [ARGUMENT...]
#
# Runs a Windows PROGRAM under Wine with a Wine prefix of its own at PREFIX
# (normally inside the build folder), quietly: no debug channels, no
# Mono/Gecko installers, no display needed.  CMake uses it as the emulator
# for everything the cross build runs, and the end-to-end runner runs
# bondscope.exe through it.
#
# The prefix is created on first use.  That takes a while (tens of seconds),
# and tests may start in parallel, so the first caller creates it under a
# lock while the others wait; a stamp file marks a finished prefix, and a
# half-made one (an interrupted first run) is thrown away and made again.
set -eu

if [ $# -lt 2 ]; then
  echo "usage: wine-run.sh PREFIX PROGRAM [ARGUMENT...]" >&2
  exit 2
fi
prefix=$1
shift
# Wine accepts only an absolute prefix.
case $prefix in
  /*) ;;
  *) prefix=$PWD/$prefix ;;
esac

WINEPREFIX=$prefix
WINEDEBUG=-all
# Empty overrides disable the .NET and HTML engines, so Wine never offers to
# download and install them (a prompt that would hang a headless run).
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
# Console programs need no display; without one Wine must not try to open
# windows for its first-run dialogs either.
unset DISPLAY WAYLAND_DISPLAY

wine=$(command -v wine || command -v wine64 || true)
if [ -z "$wine" ]; then
  echo "wine-run.sh: wine is not installed (Debian: apt-get install wine64)" >&2
  exit 2
fi

stamp=$prefix/.bondscope-prefix-ready
if [ ! -f "$stamp" ]; then
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    if [ ! -f "$stamp" ]; then
      rm -rf "$prefix"
      if ! "$wine" wineboot --init >"$prefix.log" 2>&1; then
        echo "wine-run.sh: creating the Wine prefix $prefix failed:" >&2
        cat "$prefix.log" >&2
        rm -rf "$prefix"
        exit 2
      fi
      # wineboot returns before the prefix is fully written; wait for the
      # server to finish and exit.
      wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
      "$wineserver" -w || true
      touch "$stamp"
    fi
  ) 9>"$prefix.lock"
fi

# A Windows program ends its lines in CR LF.  CMake's GoogleTest discovery
# reads the test list line by line and takes a suite name that ends in CR
# for a different suite, so the listing alone is passed on without the CRs;
# everything else comes out exactly as the program wrote it.
for argument in "$@"; do
  if [ "$argument" = --gtest_list_tests ]; then
    listing=$(mktemp)
    trap 'rm -f "$listing"' EXIT
    status=0
    "$wine" "$@" >"$listing" || status=$?
    tr -d '\r' <"$listing"
    exit "$status"
  fi
done

exec "$wine" "$@"
