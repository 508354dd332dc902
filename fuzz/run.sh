#!/bin/bash
# Fuzzes every harness for a while and reports, per harness, the executions,
# the coverage reached (edges and features) and the findings.
#
#   fuzz/run.sh [seconds]     seconds per harness (default 60)
#
# Harnesses run side by side on DRIVER_JOBS cores (default: all).  Each
# starts from its corpus (build/fuzz/fuzz/corpus/<name>, which keeps what it
# finds) and the inputs that once crashed it; a finding is written as
# build/fuzz/fuzz/findings/<name>-crash-..., -leak-..., -oom-... or
# -timeout-..., and reproduced with build/fuzz/bin/<name>_fuzz <file>.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
jobs=${DRIVER_JOBS:-$(nproc)}
"$root/fuzz/build.sh" || exit 1
tree="$root/build/fuzz/fuzz"
logs="$tree/logs"
findings="$tree/findings"
mkdir -p "$logs" "$findings"

run_one() {
  local name=$1
  local dict=()
  [ -f "$tree/$name.dictpath" ] && dict=(-dict="$(cat "$tree/$name.dictpath")")
  "$root/build/fuzz/bin/${name}_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
    -malloc_limit_mb=512 -print_final_stats=1 -artifact_prefix="$findings/$name-" "${dict[@]}" \
    "$tree/corpus/$name" "$tree/regressions/$name" >"$logs/$name.log" 2>&1
}

mapfile -t harnesses <"$tree/harnesses.txt"
echo "Fuzzing ${#harnesses[@]} harnesses for ${seconds} s each on $jobs cores"
running=0
for name in "${harnesses[@]}"; do
  run_one "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

total=0
found=0
printf '%-16s %12s %8s %8s %9s  %s\n' harness executions edges features corpus findings
for name in "${harnesses[@]}"; do
  log="$logs/$name.log"
  execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$')
  last=$(grep -E '^#[0-9]+' "$log" | grep -E 'cov: ' | tail -1)
  cov=$(echo "$last" | grep -o 'cov: [0-9]*' | grep -o '[0-9]*')
  ft=$(echo "$last" | grep -o 'ft: [0-9]*' | grep -o '[0-9]*')
  corp=$(echo "$last" | grep -o 'corp: [0-9]*' | grep -o '[0-9]*')
  what=$(ls "$findings" | grep -c "^$name-")
  [ "$what" -gt 0 ] && found=$((found + what))
  total=$((total + ${execs:-0}))
  printf '%-16s %12s %8s %8s %9s  %s\n' "$name" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${corp:-?}" \
    "$([ "$what" -gt 0 ] && ls "$findings" | grep "^$name-" | tr '\n' ' ' || echo none)"
done
echo "total executions: $total; findings: $found (in $findings)"
[ "$found" -eq 0 ]
