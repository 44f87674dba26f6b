#!/usr/bin/env bash
# Clients we did not write, against the staged PAINTCHIP.OCX in the build's Wine prefix:
#   outside_clients.sh WINE_RUN OCX NOTLB_OCX BITS
# regsvr32 registers its classes and type library, unregisters them, and refuses a module without
# its type library; then VBScript and JScript under cscript create it by ProgID and set and read Color.
# A 32-bit module is served by the 32-bit clients from syswow64, and registers in the 32-bit view.
set -u
wine_run=$1 ocx=$2 notlb=$3 bits=$4
here=$(cd "$(dirname "$0")" && pwd)
clsid='{049C53D9-59B0-4C9E-8BAF-5EF8CA44F557}'
page='{049C53DA-59B0-4C9E-8BAF-5EF8CA44F557}'
libid='{049C53D6-59B0-4C9E-8BAF-5EF8CA44F557}'
progid='PAINTCHIP.PaintChipCtrl.1'
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
fail() { echo "FAIL: $*"; exit 1; }
# Wine prints in the ANSI code page (932 here); compare in UTF-8 without carriage returns.
utf8() { iconv -f cp932 -t utf-8 | tr -d '\r'; }
# Wine output always goes to files: a wineserver that a call happens to start keeps its standard
# handles open, and CTest would wait for them until the timeout.
if [ "$bits" = 32 ]; then
  sysdir='C:\windows\syswow64' tlb_platform=win32
else
  sysdir='C:\windows\system32' tlb_platform=win64
fi
# reg_value KEY [VIEW]: the key's values as this module's clients see them, or in the 32- or 64-bit view.
reg_value() { "$wine_run" "$sysdir\\reg.exe" query "$1" ${2:+/reg:$2} </dev/null >"$tmp/reg" 2>/dev/null && utf8 <"$tmp/reg"; }
regsvr() { "$wine_run" "$sysdir\\regsvr32.exe" /s "$@" </dev/null >>"$tmp/regsvr.log" 2>&1; }
ocx_w=$(winpath "$ocx")

regsvr /u "$ocx_w"
regsvr "$ocx_w" || fail "regsvr32 exited with $? on registration"
reg_value "HKCR\\$progid\\CLSID" | grep -qi "$clsid" || fail "the ProgID does not lead to the class"
reg_value "HKCR\\CLSID\\$clsid\\InprocServer32" | grep -qF "$ocx_w" || fail "the class does not name the module"
reg_value "HKCR\\CLSID\\$clsid\\InprocServer32" | grep -q Apartment || fail "the class is not apartment-threaded"
reg_value "HKCR\\CLSID\\$clsid\\Control" >/dev/null || fail "the class is not marked as a control"
reg_value "HKCR\\CLSID\\$clsid\\MiscStatus\\1" | grep -q 655761 || fail "the class has another MiscStatus"
reg_value "HKCR\\CLSID\\$clsid\\TypeLib" | grep -qi "$libid" || fail "the class does not name its type library"
reg_value "HKCR\\TypeLib\\$libid\\1.0\\0\\$tlb_platform" | grep -qF "$ocx_w" || fail "the type library is not registered"
if [ "$bits" = 32 ]; then
  reg_value "HKLM\\Software\\Classes\\Wow6432Node\\CLSID\\$clsid\\InprocServer32" 64 | grep -qF "$ocx_w" ||
    fail "the class is not in the 32-bit view"
  reg_value "HKLM\\Software\\Classes\\CLSID\\$clsid" 64 && fail "the 32-bit class is in the 64-bit view"
fi
reg_value "HKCR\\CLSID\\$page\\InprocServer32" | grep -qF "$ocx_w" || fail "the property page is not registered"
regsvr /u "$ocx_w" || fail "regsvr32 /u exited with $?"
for key in "$progid" "CLSID\\$clsid" "CLSID\\$page" "TypeLib\\$libid"; do
  reg_value "HKCR\\$key" && fail "$key is still registered"
done
# Our failure code reaches regsvr32, and nothing is registered.
regsvr "$(winpath "$notlb")" && fail "regsvr32 accepted a module without its type library"
reg_value "HKCR\\CLSID\\$clsid" && fail "a class was registered although the type library failed"
reg_value "HKCR\\$progid" && fail "a ProgID was registered although the type library failed"
echo "regsvr32 registered and unregistered PAINTCHIP.OCX"

regsvr "$ocx_w" || fail "regsvr32 exited with $?"
trap 'regsvr /u "$ocx_w"; rm -rf "$tmp"' EXIT
script_case() { # file expected-lines...
  local file=$1
  shift
  "$wine_run" "$sysdir\\cscript.exe" //nologo "$(winpath "$file")" </dev/null >"$tmp/out" 2>&1
  utf8 <"$tmp/out" >"$tmp/got"
  printf '%s\n' "$@" >"$tmp/want"
  diff -u "$tmp/want" "$tmp/got" || fail "$(basename "$file") printed something else"
}
script_case "$here/color.vbs" 'create 0' 'color 16744448 0' 'system 80000005 0' 'enabled False 0' \
  'bad value refused True' 'color kept 16744448'
script_case "$here/color.js" 'color 255' 'system 80000005' 'bad value refused' 'color kept 255'
echo "VBScript and JScript set and read Color"
