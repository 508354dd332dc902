#!/bin/bash
# Assembles the driver package of one build tree: the nine libraries with
# their symbols and debugging information taken out, and the sample model's
# description files, in <package dir>; the debugging information of each
# library (<name>.DLL.debug, symbols included) in <symbols dir>, which the
# library names in its debug link so that a debugger beside it finds it.
# usage: package.sh <build dir> <package dir> <symbols dir>
set -euo pipefail
build=$1 package=$2 symbols=$3
objcopy=x86_64-w64-mingw32-objcopy
if grep -q 'CMAKE_SIZEOF_VOID_P:INTERNAL=4' "$build/CMakeCache.txt" 2>/dev/null; then
  objcopy=i686-w64-mingw32-objcopy
fi
mkdir -p "$package" "$symbols"
symbols=$(cd "$symbols" && pwd)
package=$(cd "$package" && pwd)
for dll in "$build"/bin/VELDRAN?.DLL; do
  name=$(basename "$dll")
  "$objcopy" --only-keep-debug "$dll" "$symbols/$name.debug"
  "$objcopy" --strip-all "$dll" "$package/$name"
  # The link holds the file's name and checksum; the file is looked for
  # beside the library and in the usual debug folders.
  (cd "$symbols" && "$objcopy" --add-gnu-debuglink="$name.debug" "$package/$name")
done
cp "$build"/model/*.QXD "$package/"
# The Easy Set presets the description file names.
cp "$build"/model/*.QXS "$package/"
