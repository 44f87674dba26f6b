#!/usr/bin/env bash
# Builds the fuzz configuration and runs each fuzz target for as long as asked, one after another, at the
# lowest priority (so a unit may wait long for the CPU: the timeout is generous). New inputs collect in the build's work folders and are used again by the next run.
#   scripts/fuzz.sh [seconds-per-target] [target...]   (default: 60 s each, every target)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TKT_BUILD_ROOT:-$top/build}
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings_fuzz region_fuzz bmp_fuzz silhouette_fuzz sntp_fuzz)

bash "$top/scripts/build.sh" fuzz || { echo "fuzz build failed"; exit 1; }
bin=$build/fuzz/fuzz
mkdir -p "$bin/findings"

status=0
for t in "${targets[@]}"; do
  [ -x "$bin/$t" ] || { echo "fuzz.sh: no target $t" >&2; status=1; continue; }
  mkdir -p "$bin/work/$t"
  log=$bin/$t.log
  echo "== $t: $seconds s"
  nice -n 19 "$bin/$t" -max_total_time="$seconds" -timeout=60 -print_final_stats=1 \
    -artifact_prefix="$bin/findings/$t-" "$bin/work/$t" "$top/tests/fuzz/corpus/$t" >"$log" 2>&1
  rc=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  corpus=$(grep -Eo 'corp: [0-9]+/[0-9a-zA-Z]+' "$log" | tail -n 1)
  if [ $rc -eq 0 ]; then
    echo "   $t: ${execs:-?} executions, ${corpus:-corpus ?}, no finding"
  else
    status=1
    echo "   $t: FAILED after ${execs:-?} executions (exit $rc); see $log and $bin/findings/"
    grep -E 'ERROR|property failed|SUMMARY' "$log" | head -n 5 | sed 's/^/   /'
  fi
done
exit $status
