// The five identifiers of the PaintChip family: one apart, in this order.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace paintchip {

extern const GUID LIBID_PAINTCHIPLib;          // base: the type library
extern const IID DIID__DPaintChip;             // base + 1
extern const IID DIID__DPaintChipEvents;       // base + 2
extern const CLSID CLSID_PaintChip;            // base + 3: the control
extern const CLSID CLSID_PaintChipPropPage;    // base + 4: its property page

inline constexpr WORD kLibMajor = 1, kLibMinor = 0;
inline constexpr wchar_t kProgId[] = L"PAINTCHIP.PaintChipCtrl.1";
inline constexpr long kDispidColor = 1;         // _DPaintChip.Color
inline constexpr long kDispidColorChanged = 1;  // _DPaintChipEvents.ColorChanged

// What containers learn before the control is loaded (registered as MiscStatus\1, in decimal).
inline constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                                     OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST |
                                     OLEMISC_IGNOREACTIVATEWHENVISIBLE;
static_assert(kMiscStatus == 0x000A0191);

}  // namespace paintchip
