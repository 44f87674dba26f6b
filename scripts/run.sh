#!/usr/bin/env bash
# Sets up the machine, builds, stages the installation tree and starts the clock with the default face.
# With $DISPLAY the clock runs there until it is closed; without one it runs in a private Xvfb,
# a screenshot is saved and its path printed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TKT_BUILD_ROOT:-$top/build}

bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" host win64
stage="$build/win64/stage"
run="$build/win64/wine-run.sh"

if [ ! -f "$stage/program/tkt.exe" ]; then
  echo "run.sh: the clock (program/tkt.exe) is not built yet; staged so far:"
  (cd "$stage" && find . -type f | sort)
  exit 0
fi

if [ -n "${DISPLAY:-}" ]; then
  cd "$stage/program"
  exec "$run" tkt.exe
fi

. "$top/scripts/xvfb.sh"
tkt_start_xvfb
export TKT_WINEPREFIX="$build/win64/wineprefix"
trap 'kill $clock 2>/dev/null; WINEPREFIX=$TKT_WINEPREFIX /usr/lib/wine/wineserver -k >/dev/null 2>&1; tkt_stop_xvfb' EXIT
(cd "$stage/program" && exec "$run" tkt.exe) &
clock=$!
# Wait for the clock window, at most a minute.
for _ in $(seq 1 600); do
  if xdotool search --name '^Tock Tide$' >/dev/null 2>&1; then break; fi
  kill -0 $clock 2>/dev/null || { echo "run.sh: the clock ended at start-up"; exit 1; }
  sleep 0.1
done
sleep 2 # let the first tick draw the hands
shot="$build/clock-screenshot.png"
import -window root "$shot"
echo "The clock ran in a private Xvfb; screenshot: $shot"
