#!/bin/bash
# Runs one Windows program of the x64 build under Wine, in the build tree's
# private prefix and on the display the test session started.
# usage: wine-run.sh <build dir> <program> [args...]
build=$1; shift
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -f "$build/wine-session/display" ]; then
  export DISPLAY=":$(cat "$build/wine-session/display")"
fi
exec /usr/lib/wine/wine64 "$@"
