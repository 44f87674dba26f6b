#!/usr/bin/env bash
# Sets up the machine, builds every configuration and runs every test:
# host tests first, then the Windows tests under wine64 in a private Xvfb.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TKT_BUILD_ROOT:-$top/build}
jobs=${TKT_JOBS:-$(nproc)}

bash "$top/scripts/setup.sh" || exit 1
# Build each configuration on its own, so one that fails to build still lets the others' tests run.
built=() failed_builds=()
for c in host asan fuzz win64 win32; do
  if bash "$top/scripts/build.sh" "$c"; then built+=("$c"); else failed_builds+=("$c"); echo "== build FAILED: $c"; fi
done
was_built() { [[ " ${built[*]} " == *" $1 "* ]]; }

. "$top/scripts/xvfb.sh"
export TKT_WINEPREFIX="$build/win64/wineprefix"
cleanup() {
  WINEPREFIX="$TKT_WINEPREFIX" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  tkt_stop_xvfb
}
trap cleanup EXIT

total_pass=0 total_fail=0 status=0
[ ${#failed_builds[@]} -eq 0 ] || status=1
run_ctest() { # config name dir [ctest args...]
  local config=$1 name=$2 dir=$3; shift 3
  was_built "$config" || { echo "== tests: $name: not run, the build failed"; return; }
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

run_ctest host host "$build/host" -j "$jobs"
run_ctest asan "host (address and undefined-behaviour sanitizers)" "$build/asan" -j "$jobs"
run_ctest fuzz "fuzz targets, a few seconds each (scripts/fuzz.sh runs them longer)" "$build/fuzz" -j "$jobs"

tkt_start_xvfb || exit 1
# Keep one wineserver up for the whole run: each program then starts in a fraction of a second.
"$build/win64/wine-run.sh" cmd /c exit >/dev/null 2>&1
WINEPREFIX="$TKT_WINEPREFIX" /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
run_ctest win64 "Windows x86_64 under Wine" "$build/win64" -j "$jobs"
run_ctest win32 "Windows i686 (static checks; its programs cannot run here)" "$build/win32"

echo
[ ${#failed_builds[@]} -eq 0 ] || echo "builds that failed: ${failed_builds[*]}"
echo "all configurations: $total_pass passed, $total_fail failed"
exit $status
