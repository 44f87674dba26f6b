#!/usr/bin/env bash
# Sets up the machine, builds, stages the installation tree and starts the clock with the default face:
# the 32-bit build users get, or the 64-bit one where this machine cannot run 32-bit programs.
# With $DISPLAY the clock runs there until it is closed; without one it runs in a private Xvfb,
# a screenshot is saved and its path printed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TKT_BUILD_ROOT:-$top/build}

bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" host win32

# The display comes first: Wine's desktop process starts with the first program of a prefix (the probe below)
# and every later program of that prefix draws through it, so it must already see the display.
private_display=
if [ -z "${DISPLAY:-}" ]; then
  . "$top/scripts/xvfb.sh"
  tkt_start_xvfb
  private_display=1
fi
# A wineserver left running from an earlier start keeps the desktop it began with, on a display that may be
# gone: start afresh.
stop_prefix() { # config
  WINEPREFIX="$build/$1/wineprefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$build/$1/wineprefix" /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
}
clock=
cleanup() {
  [ -z "$clock" ] || kill "$clock" 2>/dev/null || true
  stop_prefix "$cfg"
  tkt_stop_xvfb
}

cfg=win32
stop_prefix win32
if ! "$build/win32/wine-run.sh" "$build/win32/bin/wine_probe.exe" >/dev/null 2>&1 </dev/null; then
  echo "run.sh: this machine does not run 32-bit Windows programs; starting the 64-bit build instead"
  stop_prefix win32
  cfg=win64
  bash "$top/scripts/build.sh" win64
  stop_prefix win64
fi
stage="$build/$cfg/stage"
run="$build/$cfg/wine-run.sh"
export TKT_WINEPREFIX="$build/$cfg/wineprefix"

if [ ! -f "$stage/program/tkt.exe" ]; then
  echo "run.sh: the clock ($stage/program/tkt.exe) was not built" >&2
  [ -z "$private_display" ] || cleanup
  exit 1
fi

if [ -z "$private_display" ]; then
  cd "$stage/program"
  exec "$run" tkt.exe
fi

trap cleanup EXIT
(cd "$stage/program" && exec "$run" tkt.exe) &
clock=$!
# Wait for the clock window, at most a minute.
shown=
for _ in $(seq 1 600); do
  if xdotool search --name '^Tock Tide$' >/dev/null 2>&1; then shown=1; break; fi
  kill -0 $clock 2>/dev/null || { echo "run.sh: the clock ended at start-up" >&2; exit 1; }
  sleep 0.1
done
[ -n "$shown" ] || { echo "run.sh: the clock's window did not appear within a minute" >&2; exit 1; }
sleep 2 # let the first tick draw the hands
shot="$build/clock-screenshot.png"
import -window root "$shot"
echo "The clock ($cfg build) ran in a private Xvfb; screenshot: $shot"
