#!/bin/bash
# Installs what is missing, builds everything and runs every test: the
# native tests under the sanitizers, a short run of every fuzzing harness,
# then the Windows tests of the x64 build under Wine.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
jobs=${DRIVER_JOBS:-$(nproc)}
ctest --test-dir build/native --output-on-failure -j"$jobs"
# The fuzzing tree: each harness replays its corpus and the inputs that
# once crashed it, then fuzzes a few seconds more.
fuzz/build.sh
ctest --test-dir build/fuzz --output-on-failure -j"$jobs"
# A Windows program that fails to start under a loaded Wine is started once
# more by tests/harness/wine-run.sh; a test that fails for its own reasons
# fails the run.
ctest --test-dir build/x64 --output-on-failure -j"$jobs"
