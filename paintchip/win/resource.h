// Resource identifiers of PAINTCHIP.OCX (also read by paintchip.rc).
#pragma once

#define IDB_PAINTCHIP 1               // toolbox picture
#define IDB_ARROW 201                 // the drop-down glyph
#define IDD_PROPPAGE_PAINTCHIP 200
#define IDS_PAINTCHIP 1               // the control's type name
#define IDS_PAINTCHIP_PPG 2           // the property page's type name
#define IDS_PAINTCHIP_PPG_CAPTION 200
