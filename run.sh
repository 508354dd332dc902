#!/bin/bash
# Installs what is missing, builds both processor types, assembles the driver
# package under out/ (the libraries stripped, their debugging information
# under out/symbols/), shows the sample model's main description file, and
# installs the x64 package as a printer under Wine, showing the printer's
# default DEVMODE and capabilities as the spooler hands them out; then opens
# the printer's document properties on a virtual display and saves a picture
# of the sheets as out/document-properties.bmp, and pictures of the Basic
# sheet's preview for three settings (portrait A4, 4-up landscape, booklet)
# as out/basic-preview-*.bmp, and a PNG picture of every sheet and dialog the
# driver opens under out/dialogs/.  Last, prints a sample fax
# job through the render core into out/fax-job.prn and shows its PJL header
# and the operator listing of its PCL XL stream.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
rm -rf out
# The libraries go stripped; their debugging information is kept apart.
for arch in x64 x86; do
  tools/package.sh "build/$arch" "out/$arch" "out/symbols/$arch"
done
echo "Driver package:"
(cd out && find . -type f | sort | sed 's/^\.\//  /')
echo
echo "Sample model, VELDRANH.QXD:"
build/native/bin/qxdtool dump out/x64/VELDRANH.QXD

echo
echo "Printer under Wine (driver files from out/x64):"
prefix="$PWD/build/run-wineprefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
# Wine's background processes keep the output streams of whoever starts
# them: wineboot (which also makes the prefix the first time) starts them
# detached, and they are stopped again at the end.
# A virtual display of our own for the sheets, stopped at the end by its id.
display_file=$(mktemp)
setsid Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp </dev/null >"$display_file" 2>/dev/null &
xvfb=$!
trap '"$wineserver" -k >/dev/null 2>&1 || true; kill "$xvfb" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 1 200); do
  num=$(tr -dc 0-9 <"$display_file")
  [ -n "$num" ] && break
  sleep 0.1
done
export DISPLAY=":$num"
setsid /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
# The display has no window manager: a window Wine leaves to one gets no
# frame or caption (its picture shows what lies behind them) and waits for
# an answer that never comes each time it is shown.  Wine places, frames
# and activates its windows itself instead.
setsid /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
pictures=0
# The Finish and Cover Page sheets, which no host of the driver lists, are
# pictured on the fuller finishing model of the tests' fixtures.
/usr/lib/wine/wine64 build/x64/bin/faxprinter.exe "Z:$PWD/out/x64" "Fax (sample model)" \
  "Z:$PWD/out/document-properties.bmp" "Z:$PWD/out" "Z:$PWD/out/dialogs" \
  "Z:$PWD/build/x64/fixtures/finishing/VELDRANH.QXD" || pictures=$?

echo
echo "A sample fax job through the render core (the render core's test host stands in"
echo "for GDI, which under Wine never loads a printer driver), written to out/fax-job.prn:"
/usr/lib/wine/wine64 build/x64/bin/faxjob.exe "Z:$PWD/out/x64" "Fax (sample model)" "Z:$PWD/out/fax-job.prn" 3 \
  --title "Sample fax"
build/native/bin/xldump out/fax-job.prn
if [ "$pictures" -ne 0 ]; then
  echo "Some sheets or dialogs were not pictured, or their pictures are blank (see above)." >&2
  exit "$pictures"
fi
