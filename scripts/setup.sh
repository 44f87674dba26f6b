#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12. Safe to run again.
# A package index that fails to download (a mirror in mid-sync) does not stop it: the update is tried a few
# times, then the install goes on with the indexes that came, preferring the release's own suites when the
# partial lists leave the two architectures disagreeing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
  wine wine64 xvfb xdotool imagemagick x11-utils fonts-ipafont-gothic locales
  libgtest-dev googletest libbenchmark-dev nsis
)
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
tries=${TKT_APT_TRIES:-3}
pause=${TKT_APT_PAUSE:-5}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

updated= failed_index=
# The first index apt could not fetch, from its "Failed to fetch URL" line.
first_failed_index() { sed -n 's/^[EW]: Failed to fetch \([^ ]*\).*/\1/p' "$log" | head -n 1; }
apt_update() {
  [ -z "$updated" ] || return 0
  updated=1
  local i
  for ((i = 1; i <= tries; i++)); do
    if "${sudo_cmd[@]}" apt-get update -q >"$log" 2>&1; then failed_index=; return 0; fi
    failed_index=$(first_failed_index)
    failed_index=${failed_index:-an unnamed index}
    [ "$i" -eq "$tries" ] || sleep "$pause"
  done
  echo "setup: apt-get update failed $tries times ($failed_index); going on with the indexes that downloaded"
}
apt_install() {
  local args=(-y -q --no-install-recommends "$@")
  if DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install "${args[@]}" >"$log" 2>&1; then
    return 0
  fi
  if [ -n "$failed_index" ]; then
    # Multi-Arch: same packages need one version on both architectures; with one suite's index missing for one
    # of them, the release's own suites still have both.
    local codename
    codename=$(. "${TKT_OS_RELEASE:-/etc/os-release}" && echo "${VERSION_CODENAME:-}")
    if [ -n "$codename" ] &&
      DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -t "$codename" "${args[@]}" >"$log" 2>&1; then
      echo "setup: installed from $codename's own suites, since $failed_index did not download"
      return 0
    fi
    tail -n 5 "$log" >&2
    echo "setup: cannot install ${*}: the package index $failed_index failed to download; try again later" >&2
    return 1
  fi
  tail -n 20 "$log" >&2
  echo "setup: apt-get install failed" >&2
  return 1
}

# The shipped programs are 32-bit: Wine runs them under WoW64 with its i386 half.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  updated= # the i386 lists are not there yet
fi
packages+=(wine32:i386)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt_update
  apt_install "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  "${sudo_cmd[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
