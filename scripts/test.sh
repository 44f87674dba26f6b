#!/usr/bin/env bash
# Sets up the machine, builds every configuration and runs every test: the host builds first, then each
# Windows build under Wine in a private Xvfb, one after the other, each in its own prefix.
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
wineprefix_of() { echo "$build/$1/wineprefix"; }
# The build's prefix and those of its display-scale cases.
stop_wineservers() { # config
  local p
  for p in "$(wineprefix_of "$1")" "$(wineprefix_of "$1")"-dpi*; do
    [ -d "$p" ] || continue
    WINEPREFIX=$p /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$p /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
  done
}
cleanup() {
  local c
  for c in win64 win32; do stop_wineservers $c; done
  tkt_stop_xvfb
}
trap cleanup EXIT

total_pass=0 total_fail=0 total_skip=0 status=0
[ ${#failed_builds[@]} -eq 0 ] || status=1
count_tests() { # dir [ctest args...]: how many tests ctest would run
  local dir=$1; shift
  (cd "$dir" && ctest -N "$@") | sed -n 's/^Total Tests: \([0-9]*\)$/\1/p'
}
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
# A Windows build's tests: all of them where Wine runs its programs here, else only the static checks.
run_windows() { # config name
  local config=$1 name=$2 dir=$build/$1
  was_built "$config" || { echo "== tests: $name: not run, the build failed"; return; }
  # Output to a file, not a pipe: the Wine services the first program starts keep their standard handles open.
  local probe_log="$dir/wine-probe.log"
  if ! timeout 300 "$dir/wine-run.sh" "$dir/bin/wine_probe.exe" >"$probe_log" 2>&1 </dev/null; then
    local why
    why=$(grep -v '^\s*$' "$probe_log" | tail -n 1)
    local skipped=$(( $(count_tests "$dir") - $(count_tests "$dir" -L static) ))
    echo "== tests: $name: NOT RUN on this machine: Wine cannot start its programs here (${why:-no output}); $skipped tests skipped"
    total_skip=$((total_skip + skipped))
    run_ctest "$config" "$name: static checks only" "$dir" -L static
    WINEPREFIX=$(wineprefix_of "$config") /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    return
  fi
  echo "== $name: $(tr -d '\r' <"$probe_log")"
  # One wineserver for the whole run, made persistent while the probe's is still up, so the services it
  # started stay and no test starts them again: each program then starts in a fraction of a second.
  WINEPREFIX=$(wineprefix_of "$config") /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
  run_ctest "$config" "$name" "$dir" -j "$jobs"
  stop_wineservers "$config"
}
# Where Wine writes when left to itself: the home folder's top level and its desktop, menu and cache folders.
home_listing() {
  (cd "$HOME" && { ls -A; find .local .config .cache Desktop .wine -print 2>/dev/null; } | LC_ALL=C sort)
}

run_ctest host host "$build/host" -j "$jobs"
run_ctest asan "host (address and undefined-behaviour sanitizers)" "$build/asan" -j "$jobs"
run_ctest fuzz "fuzz targets, a few seconds each (scripts/fuzz.sh runs them longer)" "$build/fuzz" -j "$jobs"

tkt_start_xvfb || exit 1
home_before=$(home_listing)
run_windows win64 "Windows x86_64 under Wine"
run_windows win32 "Windows i686, the build users get, under Wine's WoW64"
# The README's main command as a newcomer runs it: no display of their own, so it must make one and show the
# clock there. Its screenshot must hold the face: a picture at least 100 pixels square on the black root,
# in the screen's lower right quarter where the clock starts.
newcomer_run() {
  was_built win32 || { echo "== run.sh as a newcomer: not run, the build failed"; return; }
  local log="$build/run-newcomer.log" shot="$build/clock-screenshot.png" box
  rm -f "$shot"
  # As after a run without a display: a wineserver of the prefix still up, its desktop with no driver.
  local c
  for c in win32 win64; do
    was_built $c || continue
    WINEPREFIX=$(wineprefix_of $c) /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
    env -u DISPLAY "$build/$c/wine-run.sh" "$build/$c/bin/wine_probe.exe" >/dev/null 2>&1 </dev/null || true
  done
  if env -u DISPLAY TKT_BUILD_ROOT="$build" bash "$top/scripts/run.sh" >"$log" 2>&1 </dev/null && [ -f "$shot" ]; then
    # -trim leaves the smallest box holding everything that is not the root's black.
    box=$(convert "$shot" -trim -format '%w %h %X %Y %W %H' info: 2>/dev/null)
    read -r w h x y sw sh <<<"${box//+/}"
    if [ "${w:-0}" -ge 100 ] && [ "${h:-0}" -ge 100 ] && [ "$((x + w))" -gt "$((sw / 2))" ] && [ "$((y + h))" -gt "$((sh / 2))" ]; then
      echo "== run.sh as a newcomer (no display): the clock shows in its screenshot: passed"
      total_pass=$((total_pass + 1))
      return
    fi
    echo "== run.sh as a newcomer (no display): the screenshot shows no clock (non-black box: ${box:-none}): FAILED"
  else
    echo "== run.sh as a newcomer (no display): FAILED"
  fi
  tail -n 20 "$log"
  total_fail=$((total_fail + 1)) status=1
}
newcomer_run

home_after=$(home_listing)
if [ "$home_before" == "$home_after" ]; then
  echo "== the Windows tests left $HOME as it was: passed"
  total_pass=$((total_pass + 1))
else
  echo "== the Windows tests changed $HOME: FAILED"
  diff <(printf '%s\n' "$home_before") <(printf '%s\n' "$home_after")
  total_fail=$((total_fail + 1)) status=1
fi

echo
[ ${#failed_builds[@]} -eq 0 ] || echo "builds that failed: ${failed_builds[*]}"
echo "all configurations: $total_pass passed, $total_fail failed, $total_skip skipped"
exit $status
