#!/usr/bin/env bash
# dpi_prefix.sh WINE-RUN PREFIX DPI PROBE | dpi_prefix.sh --end PREFIX
# Makes PREFIX a Wine prefix whose screens are at DPI (LogPixels; read when the wineserver starts) and
# leaves its wineserver running for the cases, with Wine's services started here: a program that starts
# them hands them its standard handles, and a test's pipe kept open by them would never end.
# --end stops that wineserver.
set -u
if [ "$1" = --end ]; then
  WINEPREFIX=$2 /usr/lib/wine/wineserver -k >/dev/null 2>&1
  WINEPREFIX=$2 /usr/lib/wine/wineserver -w >/dev/null 2>&1
  exit 0
fi
run=$1 prefix=$2 dpi=$3 probe=$4
log=$prefix.log
export TKT_WINEPREFIX=$prefix
{
  "$run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f &&
  "$run" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' /v LogPixels \
    /t REG_DWORD /d "$dpi" /f
} >"$log" 2>&1 </dev/null || { cat "$log"; exit 1; }
WINEPREFIX=$prefix /usr/lib/wine/wineserver -k >/dev/null 2>&1
WINEPREFIX=$prefix /usr/lib/wine/wineserver -w >/dev/null 2>&1
"$run" "$probe" >>"$log" 2>&1 </dev/null || { cat "$log"; exit 1; }
WINEPREFIX=$prefix /usr/lib/wine/wineserver -p >/dev/null 2>&1
echo "prefix at $dpi DPI ready"
