#!/usr/bin/env bash
# Configures and builds configurations named in CMakePresets.json.
#   scripts/build.sh [host] [asan] [fuzz] [win64] [win32]   (default: host win64 win32)
# TKT_BUILD_ROOT puts the build folders elsewhere (default: build/ in the source tree).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TKT_BUILD_ROOT:-$top/build}
jobs=${TKT_JOBS:-$(nproc)}
configs=("$@")
[ ${#configs[@]} -gt 0 ] || configs=(host win64 win32)

for c in "${configs[@]}"; do
  case $c in
    host|asan|fuzz) extra=() ;;
    win64|win32) extra=(-DTKT_NATIVE_TOOLS_DIR="$build/host/bin") ;;
    *) echo "build.sh: unknown configuration $c" >&2; exit 2 ;;
  esac
  if [ ! -f "$build/$c/build.ninja" ]; then
    (cd "$top" && cmake --preset "$c" -B "$build/$c" "${extra[@]}" >/dev/null)
  fi
  echo "== building $c"
  cmake --build "$build/$c" -j "$jobs"
done
