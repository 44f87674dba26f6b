// PAINTCHIP.OCX: the module's exports, its classes and what it writes into the registry.
#include <comcat.h>
#include <objsafe.h>
#include <olectl.h>

#include <vector>

#include "paintchip/com/class_factory.h"
#include "paintchip/com/module.h"
#include "paintchip/com/registry.h"
#include "paintchip/com/typelib.h"
#include "paintchip/registration_order.h"
#include "paintchip/win/paintchip_ctrl.h"
#include "paintchip/win/paintchip_ids.h"
#include "paintchip/win/paintchip_ppg.h"
#include "paintchip/win/resource.h"

namespace {

using namespace paintchip;

const tktcom::ClassEntry kClasses[] = {
    {&CLSID_PaintChip, &CPaintChipCtrl::Create},
    {&CLSID_PaintChipPropPage, &CPaintChipPropPage::Create},
};

// The control: apartment-threaded, not insertable, a toolbox picture, its type library.
const tktcom::RegRow kControlRows[] = {
    {HKEY_CLASSES_ROOT, L"%PROGID%", nullptr, L"%CTRLNAME%"},
    {HKEY_CLASSES_ROOT, L"%PROGID%\\CLSID", nullptr, L"%CLSID%"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%", nullptr, L"%CTRLNAME%"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%\\ProgID", nullptr, L"%PROGID%"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%\\Control", nullptr, L""},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%\\ToolboxBitmap32", nullptr, L"%MODULE%, 1"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%\\MiscStatus", nullptr, L"0"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%\\MiscStatus\\1", nullptr, L"%MISCSTATUS%"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%\\TypeLib", nullptr, L"%LIBID%"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%\\Version", nullptr, L"1.0"},
};
const tktcom::RegTree kControlTrees[] = {
    {HKEY_CLASSES_ROOT, L"CLSID\\%CLSID%"},
    {HKEY_CLASSES_ROOT, L"%PROGID%"},
};

// Control, safe for scripting, safe for initialising: script hosts use it without asking.
const CATID kCategories[] = {CATID_Control, CATID_SafeForScripting, CATID_SafeForInitializing};

// The property page has no ProgID.
const tktcom::RegRow kPageRows[] = {
    {HKEY_CLASSES_ROOT, L"CLSID\\%PAGECLSID%", nullptr, L"%PAGENAME%"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%PAGECLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {HKEY_CLASSES_ROOT, L"CLSID\\%PAGECLSID%\\InprocServer32", L"ThreadingModel", L"Apartment"},
};
const tktcom::RegTree kPageTrees[] = {
    {HKEY_CLASSES_ROOT, L"CLSID\\%PAGECLSID%"},
};

std::wstring LoadText(UINT id) {
  wchar_t text[128] = {};
  LoadStringW(tktcom::ModuleHandle(), id, text, 128);
  return text;
}

bool MakeSubstitutions(tktcom::Substitutions& subs) {
  wchar_t path[MAX_PATH];
  if (!tktcom::ModulePath(path, MAX_PATH)) return false;
  subs = {{L"MODULE", path},
          {L"PROGID", kProgId},
          {L"CLSID", tktcom::GuidString(CLSID_PaintChip)},
          {L"PAGECLSID", tktcom::GuidString(CLSID_PaintChipPropPage)},
          {L"LIBID", tktcom::GuidString(LIBID_PAINTCHIPLib)},
          {L"CTRLNAME", LoadText(IDS_PAINTCHIP)},
          {L"PAGENAME", LoadText(IDS_PAINTCHIP_PPG)},
          {L"MISCSTATUS", std::to_wstring(kMiscStatus)}};
  return true;
}

HRESULT UpdateClasses(bool doRegister) noexcept {
  try {
    tktcom::Substitutions subs;
    if (!MakeSubstitutions(subs)) return SELFREG_E_CLASS;
    // The control, then the property page; the categories only add to a control that is whole.
    const std::vector<paintchip::ClassRegistration> classes = {
        {[&] { return tktcom::WriteRows(kControlRows, std::size(kControlRows), subs); },
         [&] { return tktcom::DeleteTrees(kControlTrees, std::size(kControlTrees), subs); }},
        {[&] { return tktcom::WriteRows(kPageRows, std::size(kPageRows), subs); },
         [&] { return tktcom::DeleteTrees(kPageTrees, std::size(kPageTrees), subs); }},
    };
    const auto categories = [doRegister]() -> long {
      return tktcom::UpdateClassCategories(CLSID_PaintChip, kCategories, std::size(kCategories), doRegister);
    };
    const long hr = doRegister ? paintchip::RegisterClasses(classes, categories)
                               : paintchip::UnregisterClasses(classes, categories);
    return hr < 0 ? SELFREG_E_CLASS : S_OK;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    tktcom::SetModuleHandle(module);
    DisableThreadLibraryCalls(module);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded by FreeLibrary: no thread of ours runs any more. At process exit there is nothing to free.
    CPaintChipCtrl::ReleaseShared();
    tktcom::ReleaseTypeLibCache();
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return tktcom::GetClassObject(kClasses, std::size(kClasses), clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return tktcom::CanUnloadNow(); }

STDAPI DllRegisterServer() {
  // The type library first; without it nothing else is tried.
  if (FAILED(tktcom::RegisterModuleTypeLib())) return SELFREG_E_TYPELIB;
  return UpdateClasses(true);
}

STDAPI DllUnregisterServer() {
  if (FAILED(tktcom::UnregisterTypeLibrary(LIBID_PAINTCHIPLib, kLibMajor, kLibMinor))) return SELFREG_E_TYPELIB;
  return UpdateClasses(false);
}
