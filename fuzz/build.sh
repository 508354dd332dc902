#!/bin/bash
# Configures and builds the fuzzing tree build/fuzz: the pure libraries with
# libFuzzer's coverage instrumentation and the sanitizers (clang), the
# description tool, the harnesses and their corpora.  It needs no other
# tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${DRIVER_JOBS:-$(nproc)}
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRIVER_FUZZ=ON >/dev/null
cmake --build build/fuzz -j"$jobs"
