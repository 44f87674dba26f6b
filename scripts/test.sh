#!/usr/bin/env bash
# Sets up the machine, builds every configuration and runs every test:
# host tests first, then the Windows tests under wine64 in a private Xvfb.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TKT_BUILD_ROOT:-$top/build}
jobs=${TKT_JOBS:-$(nproc)}

bash "$top/scripts/setup.sh" || exit 1
bash "$top/scripts/build.sh" host asan fuzz win64 win32 || { echo "build failed"; exit 1; }

. "$top/scripts/xvfb.sh"
export TKT_WINEPREFIX="$build/win64/wineprefix"
cleanup() {
  WINEPREFIX="$TKT_WINEPREFIX" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  tkt_stop_xvfb
}
trap cleanup EXIT

total_pass=0 total_fail=0 status=0
run_ctest() { # name dir [ctest args...]
  local name=$1 dir=$2; shift 2
  echo "== tests: $name"
  local log="$dir/ctest-summary.log"
  (cd "$dir" && ctest --output-on-failure --no-tests=error "$@") 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  [ "$rc" -eq 0 ] || status=1
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    total_fail=$((total_fail + BASH_REMATCH[1]))
    total_pass=$((total_pass + BASH_REMATCH[2] - BASH_REMATCH[1]))
  else
    status=1
  fi
}

run_ctest host "$build/host" -j "$jobs"
run_ctest "host (address and undefined-behaviour sanitizers)" "$build/asan" -j "$jobs"
run_ctest "fuzz targets, a few seconds each (scripts/fuzz.sh runs them longer)" "$build/fuzz" -j "$jobs"

tkt_start_xvfb || exit 1
# Keep one wineserver up for the whole run: each program then starts in a fraction of a second.
"$build/win64/wine-run.sh" cmd /c exit >/dev/null 2>&1
WINEPREFIX="$TKT_WINEPREFIX" /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
run_ctest "Windows x86_64 under Wine" "$build/win64" -j "$jobs"
run_ctest "Windows i686 (static checks; its programs cannot run here)" "$build/win32"

echo
echo "all configurations: $total_pass passed, $total_fail failed"
exit $status
