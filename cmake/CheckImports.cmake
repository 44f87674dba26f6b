# Fails when a program imports a DLL that Windows itself does not provide, or a function that Windows 7 lacks
# (those are looked up at run time, so the programs still start there).
set(newer_functions
  GetDpiForWindow GetDpiForSystem GetDpiForMonitor AdjustWindowRectExForDpi GetSystemMetricsForDpi
  SystemParametersInfoForDpi SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext EnableNonClientDpiScaling
  GetThreadDpiAwarenessContext GetWindowDpiAwarenessContext)
set(system_dlls
  kernel32 user32 gdi32 gdiplus comctl32 comdlg32 shell32 shlwapi ole32 oleaut32 olepro32 advapi32 winmm
  ws2_32 wsock32 msvcrt uxtheme imm32 version psapi shfolder urlmon msimg32 ucrtbase)
foreach(f ${FILES})
  execute_process(COMMAND ${OBJDUMP} -p ${f} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${f}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" names "${out}")
  foreach(n ${names})
    string(REGEX REPLACE "DLL Name: " "" dll "${n}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" dll)
    string(REGEX REPLACE "\\.dll$" "" base "${dll}")
    if(base MATCHES "^api-ms-win-")
      continue()
    endif()
    list(FIND system_dlls ${base} idx)
    if(idx EQUAL -1)
      message(FATAL_ERROR "${f} imports ${dll}, which is not a system DLL")
    endif()
    message(STATUS "${f}: ${dll}")
  endforeach()
  foreach(fn ${newer_functions})
    if(out MATCHES "[ \t]${fn}[\r\n]")
      message(FATAL_ERROR "${f} imports ${fn}, which Windows 7 does not have")
    endif()
  endforeach()
endforeach()
