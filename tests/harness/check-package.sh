#!/bin/bash
# Assembles the driver package of each build tree as ./run.sh does and
# checks it: every library carries neither symbols nor debugging
# information, its debug link names its file under the symbols folder with
# that file's checksum, the file holds the debugging information, and the
# stripped libraries keep their import and export tables.
# usage: check-package.sh <source dir> <work dir> <build dir> [<build dir>...]
set -u
src=$1 work=$2; shift 2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
packages=()
n=0
for build in "$@"; do
  [ -n "$build" ] || continue
  n=$((n + 1))
  package="$work/package-$n" symbols="$work/symbols-$n"
  rm -rf "$package" "$symbols"
  if ! "$src/tools/package.sh" "$build" "$package" "$symbols"; then
    fail "the package of $build was not assembled"
    continue
  fi
  packages+=("$package")
  for dll in "$package"/VELDRAN?.DLL; do
    name=$(basename "$dll")
    headers=$(x86_64-w64-mingw32-objdump -h "$dll" 2>&1)
    echo "$headers" | grep -q '\.debug_' && fail "$dll still holds debugging information"
    symbols_left=$(x86_64-w64-mingw32-objdump -t "$dll" | grep -c '^\[')
    [ "$symbols_left" -eq 0 ] || fail "$dll still holds $symbols_left symbols"
    debug="$symbols/$name.debug"
    [ -f "$debug" ] || { fail "$debug is missing"; continue; }
    x86_64-w64-mingw32-objdump -h "$debug" | grep -q '\.debug_info' ||
      fail "$debug holds no debugging information"
    # The link: the file's name, padded to four bytes, then its CRC-32.
    rm -f "$work/link" "$work/link.copy"
    x86_64-w64-mingw32-objcopy --dump-section .gnu_debuglink="$work/link" "$dll" "$work/link.copy" 2>/dev/null
    link=$(od -An -v -tx1 "$work/link" 2>/dev/null | tr -d ' \n')
    want=$(python3 -c '
import sys, zlib
name = sys.argv[1].encode() + b"\0"
name += b"\0" * (-len(name) % 4)
crc = zlib.crc32(open(sys.argv[2], "rb").read())
print((name + crc.to_bytes(4, "little")).hex())' "$name.debug" "$debug")
    [ "$link" = "$want" ] || fail "$dll links its debugging information as $link, not $want"
  done
done
"$src/tests/harness/check-dll-tables.sh" "$src" "${packages[@]}" || failures=$((failures + 1))
echo "checked ${#packages[@]} packages, $failures failures"
[ "$failures" -eq 0 ]
