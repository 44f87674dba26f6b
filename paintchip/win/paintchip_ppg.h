// CPaintChipPropPage: the control's one property page, "General", on dialog 200. It binds no
// control to any property yet.
#pragma once

#include "paintchip/com/property_page.h"

namespace paintchip {

class CPaintChipPropPage final : public tktcom::PropertyPage {
 public:
  static HRESULT Create(REFIID iid, void** out);

 private:
  CPaintChipPropPage();
};

}  // namespace paintchip
