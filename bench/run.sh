#!/bin/bash
# Runs the three benchmarks in one go and prints their figures: the JPEG
# encoder against libjpeg-turbo's tjbench (built in a tree of its own
# without the sanitizers, build/bench), real pages through the render core,
# and the procedure library's attach (both from the x64 tree, under Wine, on
# the printer ./run.sh installs).  Run ./run.sh once before.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f out/x64/VELDRANE.DLL ] || [ ! -d build/run-wineprefix ]; then
  echo "the driver package and its printer are missing: run ./run.sh first" >&2
  exit 1
fi
jobs=${DRIVER_JOBS:-$(nproc)}
cmake -S . -B build/bench -DDRIVER_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench --target jpeg_bench -j"$jobs" >/dev/null
cmake --build build/x64 --target page_bench attach_bench -j"$jobs" >/dev/null

echo "== The JPEG encoder against tjbench (the ratio is ours over theirs)"
build/bench/bin/jpeg_bench

export WINEPREFIX="$PWD/build/run-wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
trap '"$wineserver" -k >/dev/null 2>&1 || true; rm -f /tmp/bench-pages.prn.*' EXIT
echo
echo "== Pages through the render core"
/usr/lib/wine/wine64 build/x64/bin/page_bench.exe "Z:$PWD/out/x64" "Fax (sample model)" "Z:/tmp/bench-pages.prn" 3
echo
echo "== The procedure library's attach against its unavoidable part"
/usr/lib/wine/wine64 build/x64/bin/attach_bench.exe "Z:$PWD/out/x64" 50
