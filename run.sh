#!/bin/bash
# Installs what is missing, builds both processor types, assembles the driver
# package under out/ and shows the sample model's main description file.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
rm -rf out
for arch in x64 x86; do
  mkdir -p "out/$arch"
  cp build/$arch/bin/VELDRAN?.DLL "out/$arch/"
  cp build/$arch/model/*.QXD "out/$arch/"
done
echo "Driver package:"
(cd out && find . -type f | sort | sed 's/^\.\//  /')
echo
echo "Sample model, VELDRANH.QXD:"
build/native/bin/qxdtool dump out/x64/VELDRANH.QXD
