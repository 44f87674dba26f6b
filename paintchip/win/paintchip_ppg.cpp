#include "paintchip/win/paintchip_ppg.h"

#include <new>

#include "paintchip/win/resource.h"

namespace paintchip {
namespace {
const tktcom::PropertyPageClass kPageClass = {IDD_PROPPAGE_PAINTCHIP, IDS_PAINTCHIP_PPG_CAPTION};
}  // namespace

CPaintChipPropPage::CPaintChipPropPage() : PropertyPage(kPageClass) {}

HRESULT CPaintChipPropPage::Create(REFIID iid, void** out) {
  auto* page = new (std::nothrow) CPaintChipPropPage();
  if (!page) return E_OUTOFMEMORY;
  const HRESULT hr = page->QueryInterface(iid, out);
  page->Release();
  return hr;
}

}  // namespace paintchip
