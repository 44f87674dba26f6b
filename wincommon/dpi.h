// Display scale. Every window lays itself out in pixels at 96 DPI and scales them to the DPI of the
// monitor it is on. The per-monitor functions arrived in Windows 10 1607 (8.1 for the monitor query), so
// they are looked up at run time and the programs still start on Windows 7, at the system's DPI there.
#pragma once

#include <windows.h>

#include "base/units.h"
#include "wincommon/handle.h"

namespace tkt {


// Messages of Windows 10 (1607, 1703), past the Windows version the headers are set for.
inline constexpr UINT kWmDpiChangedAfterParent = 0x02E3;
inline constexpr UINT kWmGetDpiScaledSize = 0x02E4;

namespace dpi_detail {

template <class F>
F Lookup(const wchar_t* module, const char* name) {
  HMODULE m = GetModuleHandleW(module);
  if (!m) m = LoadLibraryExW(module, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

struct Api {
  UINT(WINAPI* dpiForWindow)(HWND) = Lookup<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
  UINT(WINAPI* dpiForSystem)() = Lookup<UINT(WINAPI*)()>(L"user32.dll", "GetDpiForSystem");
  BOOL(WINAPI* adjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) =
      Lookup<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(L"user32.dll", "AdjustWindowRectExForDpi");
  int(WINAPI* metricForDpi)(int, UINT) = Lookup<int(WINAPI*)(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
  BOOL(WINAPI* infoForDpi)(UINT, UINT, void*, UINT, UINT) =
      Lookup<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>(L"user32.dll", "SystemParametersInfoForDpi");
  HRESULT(WINAPI* dpiForMonitor)(HMONITOR, int, UINT*, UINT*) =
      Lookup<HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*)>(L"shcore.dll", "GetDpiForMonitor");
};

inline const Api& Functions() {
  static const Api api;
  return api;
}

inline bool Plausible(UINT dpi) { return dpi >= 48 && dpi <= 960; }

}  // namespace dpi_detail

// The DPI of the primary monitor at logon: what windows of a program without a per-monitor scale use.
inline int SystemDpi() {
  const auto& api = dpi_detail::Functions();
  if (api.dpiForSystem) {
    const UINT dpi = api.dpiForSystem();
    if (dpi_detail::Plausible(dpi)) return int(dpi);
  }
  const WindowDc screen(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi;
  return dpi_detail::Plausible(UINT(dpi)) ? dpi : kDesignDpi;
}

// The DPI a window is drawn at: its monitor's, or the system's where the system has no per-monitor scale.
inline int DpiOfWindow(HWND window) {
  const auto& api = dpi_detail::Functions();
  if (window && api.dpiForWindow) {
    const UINT dpi = api.dpiForWindow(window);
    if (dpi_detail::Plausible(dpi)) return int(dpi);
  }
  return SystemDpi();
}

// The DPI of the monitor that holds `point` (or is nearest to it), for a window about to be made there.
inline int DpiAt(POINT point) {
  const auto& api = dpi_detail::Functions();
  if (api.dpiForMonitor && api.dpiForWindow) {
    UINT x = 0, y = 0;
    if (SUCCEEDED(api.dpiForMonitor(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), 0 /* MDT_EFFECTIVE_DPI */,
                                    &x, &y)) &&
        dpi_detail::Plausible(y))
      return int(y);
  }
  return SystemDpi();
}

inline int SystemMetricForDpi(int index, int dpi) {
  const auto& api = dpi_detail::Functions();
  if (api.metricForDpi) return api.metricForDpi(index, UINT(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

// The outer rectangle of a window whose client area is `client`, with the frame at `dpi`.
inline RECT WindowRectForClient(RECT client, DWORD style, DWORD exStyle, int dpi) {
  const auto& api = dpi_detail::Functions();
  if (!(api.adjustForDpi && api.adjustForDpi(&client, style, FALSE, exStyle, UINT(dpi))))
    AdjustWindowRectEx(&client, style, FALSE, exStyle);
  return client;
}

// The message-box font and the rest of the non-client metrics at `dpi`.
inline bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi) {
  metrics.cbSize = sizeof metrics;
  const auto& api = dpi_detail::Functions();
  if (api.infoForDpi && api.infoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, UINT(dpi))) return true;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
  const int system = SystemDpi();
  if (system != dpi) {
    for (LOGFONTW* f : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                        &metrics.lfStatusFont, &metrics.lfMessageFont})
      f->lfHeight = MulDiv(f->lfHeight, dpi, system);
  }
  return true;
}

}  // namespace tkt
