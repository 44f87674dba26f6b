#!/usr/bin/env bash
# setup.sh against a stand-in apt-get that fails the way a mirror in mid-sync does; nothing is installed.
set -uo pipefail
setup=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE_LOG"
n=$(grep -c '^apt-get update' "$FAKE_LOG")
case $1 in
  update)
    if [ "$n" -le "$FAKE_UPDATE_FAILS" ]; then
      echo "Err:6 http://mirror.invalid/debian-security bookworm-security/main i386 Packages"
      echo "E: Failed to fetch http://mirror.invalid/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
      exit 100
    fi ;;
  install)
    case $FAKE_INSTALL in
      ok) ;;
      release-only) [[ " $* " == *" -t bookworm "* ]] || { echo "E: Unable to correct problems, you have held broken packages."; exit 100; } ;;
      never) echo "E: Unable to correct problems, you have held broken packages."; exit 100 ;;
    esac ;;
esac
FAKE
printf '#!/bin/sh\n[ "$1" = --print-foreign-architectures ] && echo i386\n' >"$work/bin/dpkg"
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\necho ja_JP.utf8\n' >"$work/bin/locale"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*
echo 'VERSION_CODENAME=bookworm' >"$work/os-release"

failed=0
# name, update failures, install behaviour, expected exit (0 or 1), expected updates, text the output must hold
check() {
  local name=$1 fails=$2 install=$3 want_rc=$4 want_updates=$5 want_text=$6
  : >"$work/log"
  local out rc
  out=$(PATH="$work/bin:$PATH" FAKE_LOG="$work/log" FAKE_UPDATE_FAILS=$fails FAKE_INSTALL=$install \
        TKT_APT_PAUSE=0 TKT_OS_RELEASE="$work/os-release" bash "$setup" 2>&1)
  rc=$?; [ "$rc" -eq 0 ] || rc=1
  local updates
  updates=$(grep -c '^apt-get update' "$work/log")
  if [ "$rc" -ne "$want_rc" ] || [ "$updates" -ne "$want_updates" ] || [[ $out != *"$want_text"* ]]; then
    echo "FAILED $name: exit $rc (want $want_rc), $updates updates (want $want_updates), output:"
    echo "$out"; echo "apt-get calls:"; cat "$work/log"
    failed=$((failed + 1))
  else
    echo "ok $name"
  fi
}
check "index healthy"               0 ok           0 1 "setup: installing"
check "index back on the 2nd try"   1 ok           0 2 "setup: installing"
check "index stays broken"          9 release-only 0 3 "installed from bookworm's own suites, since http://mirror.invalid/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz did not download"
check "nothing resolves"            9 never        1 3 "the package index http://mirror.invalid/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz failed to download"
check "healthy index, bad install"  0 never        1 1 "setup: apt-get install failed"
# A healthy update must not fall back to the release's suites.
check "no pin after a good update"  0 release-only 1 1 "setup: apt-get install failed"
[ "$failed" -eq 0 ]
