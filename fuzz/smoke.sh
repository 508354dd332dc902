#!/bin/bash
# One harness in a test run: replays its corpus and its regression inputs,
# then fuzzes a few seconds from a fixed seed.  What it finds on the way
# goes to a scratch folder, so that test runs leave the corpus as it is.
# Usage: smoke.sh <harness> <seconds> <scratch> <artifact prefix> <libFuzzer options and folders...>
set -euo pipefail
harness=$1 seconds=$2 scratch=$3 prefix=$4
shift 4
rm -rf "$scratch"
mkdir -p "$scratch"
exec "$harness" -seed=1 -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -malloc_limit_mb=512 \
  -print_final_stats=1 -artifact_prefix="$prefix" "$scratch" "$@"
