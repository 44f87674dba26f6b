#!/usr/bin/env bash
# Configures and builds the host, Windows 64-bit and Windows 32-bit builds.
#   scripts/build.sh [host] [win64] [win32] [asan] [fuzz]   (default: host win64 win32)
# fuzz: clang with libFuzzer and the sanitizers; only the readers and their fuzz targets.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TKT_BUILD_ROOT:-$top/build}
jobs=${TKT_JOBS:-$(nproc)}
configs=("$@")
[ ${#configs[@]} -gt 0 ] || configs=(host win64 win32)

configure() { # dir args...
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$top" -B "$dir" -G Ninja "$@" >/dev/null
  fi
}

for c in "${configs[@]}"; do
  case $c in
    host)  configure "$build/host" ;;
    asan)  configure "$build/asan" -DTKT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug ;;
    fuzz)  configure "$build/fuzz" -DTKT_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ ;;
    win64) configure "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-x86_64-w64-mingw32.cmake" \
             -DTKT_NATIVE_TOOLS_DIR="$build/host/bin" ;;
    win32) configure "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-i686-w64-mingw32.cmake" \
             -DTKT_NATIVE_TOOLS_DIR="$build/host/bin" ;;
    *) echo "build.sh: unknown configuration $c" >&2; exit 2 ;;
  esac
  echo "== building $c"
  cmake --build "$build/$c" -j "$jobs"
done
