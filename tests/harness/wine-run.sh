#!/bin/bash
# Runs one Windows program of the x64 build under Wine, in the build tree's
# private prefix and on the display the test session started.
# usage: wine-run.sh <build dir> <program> [args...]
#
# A test program that runs prints GoogleTest's report on its standard output
# and exits with 0 (passed) or 1 (a test failed).  Under a loaded machine
# Wine now and then fails to start a program at all: then nothing reaches
# the standard output and the exit status is the loader's (seen as 1 too,
# which a program that ran gives only with its report).  Such a run, and
# only such a run, is repeated once, with a line on the standard error; a
# program that ran and failed, or that crashed (Wine reports an unhandled
# exception), fails at once.
build=$1; shift
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
# Without its debugger, a program that crashes ends at once with Wine's
# report of the fault, instead of waiting in the debugger until the test's
# time runs out.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}"
if [ -f "$build/wine-session/display" ]; then
  export DISPLAY=":$(cat "$build/wine-session/display")"
fi
wine=/usr/lib/wine/wine64

out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# Runs the program with its streams in files (a file, unlike a pipe, is never
# held open by Wine's background processes) and passes them on while it runs.
# A program that hangs is killed with this script when its time runs out, so
# what it printed must already have been passed on by then: the report then
# shows the test it hung in.
run() {
  : >"$out"
  : >"$err"
  "$wine" "$@" >"$out" 2>"$err" &
  local program=$!
  tail -s 0.1 --pid="$program" -n +1 -f "$out" &
  local copy_out=$!
  tail -s 0.1 --pid="$program" -n +1 -f "$err" >&2 &
  local copy_err=$!
  wait "$program"
  status=$?
  wait "$copy_out" "$copy_err"
}

did_not_start() {
  [ "$status" -ne 0 ] && [ ! -s "$out" ] &&
    ! grep -q "Unhandled" "$err"
}

run "$@"
if did_not_start; then
  echo "wine-run.sh: $(basename "$1") did not start (exit status $status, no output); starting it once more" >&2
  run "$@"
fi
exit "$status"
