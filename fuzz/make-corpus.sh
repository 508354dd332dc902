#!/bin/bash
# Makes the fuzzing corpora of the build: the sample model's compiled files
# for the harnesses that read description files, its texts for the text
# compiler, what make_seeds writes for the others, and the regression inputs
# (description-file texts compiled, other inputs copied).
# Usage: make-corpus.sh <source root> <compiled model folder> <corpus root>
#                       <regression root> <qxdtool> <make_seeds>
set -euo pipefail
src=$1 model=$2 corpus=$3 regressions=$4 qxdtool=$5 make_seeds=$6

for h in qxd_reader model startup color_commands qxd_decode; do
  mkdir -p "$corpus/$h"
  cp "$model"/VELDRAN[HPX].QXD "$corpus/$h/"
done
mkdir -p "$corpus/constraints" "$corpus/qxd_text" "$corpus/command_file"
cp "$model/VELDRANP.QXD" "$corpus/command_file/"
cp "$model/VELDRANK.QXD" "$corpus/constraints/"
cp "$model/VELDRANK.QXD" "$corpus/qxd_decode/"
cp "$src"/model/*.txt "$corpus/qxd_text/"
for h in settings_document settings_import; do
  mkdir -p "$corpus/$h"
  cp "$src"/dproc/saved/tests/data/*.ini "$corpus/$h/"
done

mkdir -p "$regressions"
find "$regressions" -type f -delete
"$make_seeds" "$corpus" "$regressions"
for dir in "$src"/fuzz/regressions/*/; do
  [ -d "$dir" ] || continue
  h=$(basename "$dir")
  mkdir -p "$regressions/$h"
  for f in "$dir"*; do
    name=$(basename "$f")
    case "$name" in
      *.qxd.txt) "$qxdtool" compile "$f" "$regressions/$h/${name%.txt}" ;;
      *) cp "$f" "$regressions/$h/$name" ;;
    esac
  done
done
