#!/usr/bin/env bash
# CPU seconds used by the clock (tkt.exe, default face) over 60 s under Wine, beside two yardsticks started
# in the same run: a plain window with a one-second timer, and the same window putting a second hand's worth
# of pixels on the screen each second. Prints all three and the clock's ratio to each, then the clock's CPU
# and private memory (resident pages of its own, as Linux counts them for the Wine process) against the
# painting yardstick's.
#   bench/idle_cpu.sh BUILD_DIR [seconds]     (BUILD_DIR: a Windows build, win64 or win32, with the stage and
#                                             idle_window.exe; TKT_EXE=other tkt.exe measures that one instead;
#                                             TKT_OPTIONS='Key=value;...' measures a clock of the default face
#                                             with those options, from a settings file of its own)
# Without $DISPLAY it runs in a private Xvfb with a wineserver of its own, and stops both at the end.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: idle_cpu.sh BUILD_DIR [seconds]}" && pwd)
seconds=${2:-60}
run="$build/wine-run.sh"
export TKT_WINEPREFIX="$build/wineprefix"

started_xvfb=
if [ -z "${DISPLAY:-}" ]; then
  . "$top/scripts/xvfb.sh"
  tkt_start_xvfb
  started_xvfb=1
fi
pids=()
own_ini=
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  [ -z "$own_ini" ] || rm -f "$build/stage/program/$own_ini.ini" "$build/stage/program/$own_ini-options.ini"
  if [ -n "$started_xvfb" ]; then
    WINEPREFIX="$TKT_WINEPREFIX" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    tkt_stop_xvfb
  fi
}
trap cleanup EXIT

"$run" cmd /c exit >/dev/null 2>&1
[ -z "$started_xvfb" ] || WINEPREFIX="$TKT_WINEPREFIX" /usr/lib/wine/wineserver -p >/dev/null 2>&1 || true

exe=${TKT_EXE:-tkt.exe}
[ "$exe" = tkt.exe ] || exe=$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")
args=()
if [ -n "${TKT_OPTIONS:-}" ]; then
  own_ini=bench-idle-$$
  cp "$build/stage/program/tkt.ini" "$build/stage/program/$own_ini.ini"
  { printf '[Clock]\r\n'; tr ';' '\n' <<<"$TKT_OPTIONS" | sed 's/$/\r/'; } >"$build/stage/program/$own_ini-options.ini"
  args=("$own_ini.ini")
fi
(cd "$build/stage/program" && exec "$run" "$exe" "${args[@]}") & pids+=($!)
clock=$!
(cd "$build/bench" && exec "$run" idle_window.exe) & pids+=($!)
idle=$!
(cd "$build/bench" && exec "$run" idle_window.exe paint) & pids+=($!)
painter=$!

# CPU nanoseconds of all threads of a process (finer than the 10 ms ticks of /proc/PID/stat).
ticks() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%d\n", ns}'; }
# Wait until both programs have their windows up (at most 30 s), then measure.
for _ in $(seq 1 300); do
  if xdotool search --name '^Tock Tide$' >/dev/null 2>&1 && xdotool search --name '^idle$' >/dev/null 2>&1 &&
     xdotool search --name '^idle paint$' >/dev/null 2>&1; then break; fi
  sleep 0.1
done
sleep 2
c0=$(ticks $clock); i0=$(ticks $idle); p0=$(ticks $painter)
sleep "$seconds"
c1=$(ticks $clock); i1=$(ticks $idle); p1=$(ticks $painter)
# Private pages in kB: clean and dirty, without what is shared with other processes.
private() { awk '/^Private_(Clean|Dirty):/ {kb += $2} END {printf "%d\n", kb}' /proc/"$1"/smaps_rollup 2>/dev/null || true; }
cm=$(private $clock); pm=$(private $painter)
hz=1000000000
awk -v c=$((c1 - c0)) -v i=$((i1 - i0)) -v p=$((p1 - p0)) -v hz="$hz" -v s="$seconds" 'BEGIN {
  printf "over %d s: tkt.exe %.3f CPU s, idle window %.3f CPU s (ratio %.2f), painting window %.3f CPU s (ratio %.2f)\n",
         s, c / hz, i / hz, (i > 0 ? c / i : 0), p / hz, (p > 0 ? c / p : 0) }'
awk -v c=$((c1 - c0)) -v p=$((p1 - p0)) -v cm="$cm" -v pm="$pm" 'BEGIN {
  printf "against the painting window: idle CPU ratio %.2f, private bytes ratio %.2f (tkt.exe %d KiB, painting window %d KiB)\n",
         (p > 0 ? c / p : 0), (pm > 0 ? cm / pm : 0), cm, pm }'
