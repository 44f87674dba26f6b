#!/usr/bin/env bash
# Clients we did not write, against the staged PAINTCHIP.OCX in the build's Wine prefix:
#   outside_clients.sh WINE_RUN OCX CASE [EXTRA]
# CASE regsvr32 (EXTRA: a module without type library), vbscript, jscript, propframe (EXTRA: driver).
set -u
wine_run=$1 ocx=$2 case=$3 extra=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
clsid='{049C53D9-59B0-4C9E-8BAF-5EF8CA44F557}'
progid='PAINTCHIP.PaintChipCtrl.1'
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
fail() { echo "FAIL: $*"; exit 1; }
# Wine prints in the ANSI code page (932 here); compare in UTF-8 without carriage returns.
utf8() { iconv -f cp932 -t utf-8 | tr -d '\r'; }
# Wine output always goes to files: a wineserver that a call happens to start keeps its standard
# handles open, and CTest would wait for them until the timeout.
reg_value() { "$wine_run" reg query "$1" </dev/null >"$tmp/reg" 2>/dev/null && utf8 <"$tmp/reg"; }
regsvr() { "$wine_run" regsvr32 /s "$@" </dev/null >>"$tmp/regsvr.log" 2>&1; }
ocx_w=$(winpath "$ocx")

registered_for_the_case() {
  regsvr "$ocx_w" || fail "regsvr32 exited with $?"
  trap 'regsvr /u "$ocx_w"; rm -rf "$tmp"' EXIT
}

# Runs a script under cscript and compares its output with the expected lines.
script_case() { # file expected
  registered_for_the_case
  "$wine_run" cscript //nologo "$(winpath "$1")" </dev/null >"$tmp/out" 2>&1
  utf8 <"$tmp/out" >"$tmp/got"
  printf '%s\n' "$2" >"$tmp/want"
  diff -u "$tmp/want" "$tmp/got" || fail "$(basename "$1") printed something else"
}

case $case in
  regsvr32)
    regsvr /u "$ocx_w"
    regsvr "$ocx_w" || fail "regsvr32 exited with $? on registration"
    reg_value "HKCR\\$progid\\CLSID" | grep -qi "$clsid" || fail "the ProgID does not lead to the class"
    reg_value "HKCR\\CLSID\\$clsid\\InprocServer32" | grep -qF "$ocx_w" || fail "the class does not name the module"
    reg_value "HKCR\\CLSID\\$clsid\\TypeLib" | grep -qi '{049C53D6-59B0-4C9E-8BAF-5EF8CA44F557}' ||
      fail "the class does not name its type library"
    regsvr /u "$ocx_w" || fail "regsvr32 /u exited with $?"
    reg_value "HKCR\\$progid" && fail "the ProgID is still registered"
    reg_value "HKCR\\CLSID\\$clsid" && fail "the class is still registered"
    # Our failure code reaches regsvr32, and nothing is registered.
    regsvr "$(winpath "$extra")" && fail "regsvr32 accepted a module without its type library"
    reg_value "HKCR\\CLSID\\$clsid" && fail "a class was registered although the type library failed"
    echo "regsvr32 registered and unregistered PAINTCHIP.OCX"
    ;;
  vbscript)
    script_case "$here/color.vbs" "$(printf '%s\n' 'create 0' 'color 16744448 0' 'system 80000005 0' \
      'enabled False 0' 'bad value refused True' 'color kept 16744448')"
    ;;
  jscript)
    script_case "$here/color.js" "$(printf '%s\n' 'color 255' 'system 80000005' 'bad value refused' \
      'color kept 255')"
    ;;
  propframe)
    registered_for_the_case
    "$wine_run" "$(winpath "$extra")" </dev/null >"$tmp/out" 2>&1
    rc=$?
    utf8 <"$tmp/out"
    [ $rc -eq 0 ] || fail "the property frame did not show the General page with its text"
    ;;
  *)
    fail "unknown case $case"
    ;;
esac
