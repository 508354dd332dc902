#!/bin/bash
# Configures and builds the three trees: native (host tool and pure modules
# under the sanitizers), x86 (the driver package only: its programs never
# run here) and x64.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${DRIVER_JOBS:-$(nproc)}
qxdtool="$root/build/native/bin/qxdtool"
# The compiler cache keys on paths below the checkout, so that two checkouts
# of the same sources share their objects.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
# Test programs compile with a precompiled header; the cache takes them
# when it may trust the header's time stamps and predefined macros.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime

cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j"$jobs"
cmake -S . -B build/x86 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86.cmake -DQXDTOOL="$qxdtool" >/dev/null
cmake --build build/x86 -j"$jobs" --target driver_package
cmake -S . -B build/x64 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x64.cmake -DQXDTOOL="$qxdtool" \
  -DDRIVER_OTHER_BUILD_DIR="$root/build/x86" >/dev/null
cmake --build build/x64 -j"$jobs"
