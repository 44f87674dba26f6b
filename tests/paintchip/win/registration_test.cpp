// The module as a file: what DllRegisterServer writes and DllUnregisterServer removes, the
// failure of a module without its type library, the exports and the resources.
#include <windows.h>

#include <gtest/gtest.h>
#include <olectl.h>
#include <oleauto.h>

#include <optional>
#include <string>

#include "paintchip/win/paintchip_ids.h"

namespace {

using paintchip::CLSID_PaintChip;
using paintchip::CLSID_PaintChipPropPage;
using paintchip::DIID__DPaintChip;
using paintchip::LIBID_PAINTCHIPLib;

using Entry = HRESULT(STDAPICALLTYPE*)();

std::wstring WinePath(const char* unixPath) {
  std::wstring p = L"Z:";
  for (const char* c = unixPath; *c; ++c) p += (*c == '/') ? L'\\' : static_cast<wchar_t>(*c);
  return p;
}

std::wstring Guid(REFGUID g) {
  wchar_t buf[40] = {};
  StringFromGUID2(g, buf, 40);
  return buf;
}

std::optional<std::wstring> RegString(const std::wstring& key, const wchar_t* value = nullptr) {
  wchar_t buf[512] = {};
  DWORD size = sizeof buf;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(buf);
}

bool KeyExists(const std::wstring& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

class Module {
 public:
  explicit Module(const char* unixPath) : path_(WinePath(unixPath)), h_(LoadLibraryW(path_.c_str())) {}
  ~Module() {
    if (h_) FreeLibrary(h_);
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
  HMODULE Get() const { return h_; }
  const std::wstring& Path() const { return path_; }
  HRESULT Call(const char* name) const {
    auto fn = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(h_, name)));
    return fn ? fn() : E_NOTIMPL;
  }

 private:
  std::wstring path_;
  HMODULE h_;
};

const std::wstring kCtl = L"CLSID\\" + Guid(CLSID_PaintChip);
const std::wstring kPage = L"CLSID\\" + Guid(CLSID_PaintChipPropPage);
const std::wstring kProgId = L"PAINTCHIP.PaintChipCtrl.1";

TEST(Registration, RegisterWritesBothClassesAndTheTypeLibrary) {
  Module ocx(PAINTCHIP_OCX);
  ASSERT_TRUE(ocx.Get());
  ASSERT_EQ(ocx.Call("DllUnregisterServer"), S_OK);  // also when nothing is registered
  ASSERT_EQ(ocx.Call("DllRegisterServer"), S_OK);

  EXPECT_EQ(RegString(kProgId), L"PaintChip Control");
  EXPECT_EQ(RegString(kProgId + L"\\CLSID"), Guid(CLSID_PaintChip));
  EXPECT_EQ(RegString(kCtl), L"PaintChip Control");
  EXPECT_EQ(RegString(kCtl + L"\\ProgID"), kProgId);
  EXPECT_EQ(RegString(kCtl + L"\\InprocServer32"), ocx.Path());
  EXPECT_EQ(RegString(kCtl + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_TRUE(KeyExists(kCtl + L"\\Control"));
  EXPECT_FALSE(KeyExists(kCtl + L"\\Insertable"));
  EXPECT_EQ(RegString(kCtl + L"\\ToolboxBitmap32"), ocx.Path() + L", 1");
  EXPECT_EQ(RegString(kCtl + L"\\MiscStatus"), L"0");
  EXPECT_EQ(RegString(kCtl + L"\\MiscStatus\\1"), L"655761");  // 0x000A0191
  EXPECT_EQ(RegString(kCtl + L"\\TypeLib"), Guid(LIBID_PAINTCHIPLib));
  EXPECT_EQ(RegString(kCtl + L"\\Version"), L"1.0");

  EXPECT_EQ(RegString(kPage), L"PaintChip Property Page");
  EXPECT_EQ(RegString(kPage + L"\\InprocServer32"), ocx.Path());
  EXPECT_FALSE(KeyExists(kPage + L"\\ProgID"));

  BSTR path = nullptr;
  ASSERT_EQ(QueryPathOfRegTypeLib(LIBID_PAINTCHIPLib, 1, 0, LOCALE_NEUTRAL, &path), S_OK);
  EXPECT_EQ(lstrcmpiW(path, ocx.Path().c_str()), 0);
  SysFreeString(path);
  EXPECT_TRUE(KeyExists(L"Interface\\" + Guid(DIID__DPaintChip)));
  ITypeLib* lib = nullptr;
  ASSERT_EQ(LoadRegTypeLib(LIBID_PAINTCHIPLib, 1, 0, LOCALE_NEUTRAL, &lib), S_OK);
  BSTR name = nullptr, doc = nullptr, help = nullptr;
  ASSERT_EQ(lib->GetDocumentation(-1, &name, &doc, nullptr, &help), S_OK);
  EXPECT_STREQ(name, L"PAINTCHIPLib");
  EXPECT_STREQ(doc, L"PaintChip ActiveX Control module");
  EXPECT_NE(std::wstring(help).find(L"PaintChip.hlp"), std::wstring::npos);
  SysFreeString(name);
  SysFreeString(doc);
  SysFreeString(help);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  lib->ReleaseTLibAttr(attr);
  lib->Release();

  // Registering twice rewrites the same entries.
  EXPECT_EQ(ocx.Call("DllRegisterServer"), S_OK);
  EXPECT_EQ(RegString(kProgId + L"\\CLSID"), Guid(CLSID_PaintChip));
}

TEST(Registration, UnregisterRemovesBothClassesAndTheTypeLibrary) {
  Module ocx(PAINTCHIP_OCX);
  ASSERT_EQ(ocx.Call("DllRegisterServer"), S_OK);
  ASSERT_EQ(ocx.Call("DllUnregisterServer"), S_OK);
  EXPECT_FALSE(KeyExists(kCtl));
  EXPECT_FALSE(KeyExists(kPage));
  EXPECT_FALSE(KeyExists(kProgId));
  EXPECT_FALSE(KeyExists(L"TypeLib\\" + Guid(LIBID_PAINTCHIPLib)));
  BSTR path = nullptr;
  EXPECT_TRUE(FAILED(QueryPathOfRegTypeLib(LIBID_PAINTCHIPLib, 1, 0, LOCALE_NEUTRAL, &path)));
  EXPECT_EQ(ocx.Call("DllUnregisterServer"), S_OK);  // nothing left is not a failure
}

TEST(Registration, AModuleWhoseTypeLibraryCannotBeRegisteredRegistersNoClass) {
  {
    Module ocx(PAINTCHIP_OCX);
    ASSERT_EQ(ocx.Call("DllUnregisterServer"), S_OK);
  }
  Module broken(PAINTCHIP_NOTLB_OCX);
  ASSERT_TRUE(broken.Get());
  EXPECT_EQ(broken.Call("DllRegisterServer"), SELFREG_E_TYPELIB);
  EXPECT_EQ(static_cast<ULONG>(SELFREG_E_TYPELIB), 0x80040200u);
  EXPECT_FALSE(KeyExists(kCtl));
  EXPECT_FALSE(KeyExists(kPage));
  EXPECT_FALSE(KeyExists(kProgId));
}

TEST(ModuleFile, ExportsTheFourEntryPointsUndecorated) {
  Module ocx(PAINTCHIP_OCX);
  for (const char* name : {"DllRegisterServer", "DllUnregisterServer", "DllGetClassObject", "DllCanUnloadNow"}) {
    EXPECT_NE(GetProcAddress(ocx.Get(), name), nullptr) << name;
  }
  EXPECT_EQ(ocx.Call("DllCanUnloadNow"), S_OK);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto get = reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(ocx.Get(), "DllGetClassObject")));
  IClassFactory* factory = nullptr;
  EXPECT_EQ(get(DIID__DPaintChip, IID_IClassFactory, reinterpret_cast<void**>(&factory)), CLASS_E_CLASSNOTAVAILABLE);
  ASSERT_EQ(get(CLSID_PaintChipPropPage, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(ocx.Call("DllCanUnloadNow"), S_FALSE);  // a live factory keeps the module
  factory->LockServer(TRUE);
  factory->Release();
  EXPECT_EQ(ocx.Call("DllCanUnloadNow"), S_FALSE);  // so does a lock
  ASSERT_EQ(get(CLSID_PaintChipPropPage, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  factory->LockServer(FALSE);
  IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
  void* obj = nullptr;
  EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &obj), CLASS_E_NOAGGREGATION);
  factory->Release();
  EXPECT_EQ(ocx.Call("DllCanUnloadNow"), S_OK);
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
  void* p = nullptr;
  UINT len = 0;
  const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
  if (!VerQueryValueW(info.data(), query.c_str(), &p, &len)) return L"<missing>";
  return len ? std::wstring(static_cast<const wchar_t*>(p)) : std::wstring();
}

TEST(ModuleFile, VersionResourceNamesTheModuleAndMarksItSelfRegistering) {
  const std::wstring path = WinePath(PAINTCHIP_OCX);
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 5));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(6100, 0));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(1, 0));
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1200);
  EXPECT_EQ(VersionString(info, L"FileDescription"), L"PaintChip ActiveX Control Module");
  EXPECT_EQ(VersionString(info, L"ProductName"), L"PaintChip ActiveX Control Module");
  EXPECT_EQ(VersionString(info, L"InternalName"), L"PAINTCHIP");
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"PAINTCHIP.OCX");
  EXPECT_EQ(VersionString(info, L"OLESelfRegister"), L"");
  EXPECT_NE(VersionString(info, L"CompanyName"), L"<missing>");
  EXPECT_NE(VersionString(info, L"LegalCopyright"), L"<missing>");
}

TEST(ModuleFile, ResourcesHoldTheBitmapsTypeLibraryStringsAndPageDialog) {
  Module ocx(PAINTCHIP_OCX);
  HMODULE m = ocx.Get();
  BITMAP bm{};
  HBITMAP toolbox = static_cast<HBITMAP>(LoadImageW(m, MAKEINTRESOURCEW(1), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_TRUE(toolbox);
  GetObjectW(toolbox, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  EXPECT_EQ(bm.bmHeight, 15);
  DeleteObject(toolbox);
  HBITMAP arrow = static_cast<HBITMAP>(LoadImageW(m, MAKEINTRESOURCEW(201), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  ASSERT_TRUE(arrow);
  GetObjectW(arrow, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 7);
  EXPECT_EQ(bm.bmHeight, 4);
  DeleteObject(arrow);
  EXPECT_TRUE(FindResourceW(m, MAKEINTRESOURCEW(1), L"TYPELIB"));

  wchar_t text[64] = {};
  LoadStringW(m, 1, text, 64);
  EXPECT_STREQ(text, L"PaintChip Control");
  LoadStringW(m, 2, text, 64);
  EXPECT_STREQ(text, L"PaintChip Property Page");
  LoadStringW(m, 200, text, 64);
  EXPECT_STREQ(text, L"General");

  HRSRC res = FindResourceW(m, MAKEINTRESOURCEW(200), MAKEINTRESOURCEW(5));  // RT_DIALOG
  ASSERT_TRUE(res);
  const auto* t = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(m, res)));
  EXPECT_TRUE(t->style & WS_CHILD);
  EXPECT_TRUE(t->style & DS_SETFONT);
  EXPECT_EQ(t->cdit, 1);
  EXPECT_EQ(t->cx, 250);
  EXPECT_EQ(t->cy, 62);
  const auto* w = reinterpret_cast<const WORD*>(t + 1);
  EXPECT_EQ(*w++, 0);  // no menu
  EXPECT_EQ(*w++, 0);  // default class
  while (*w++) {}      // caption
  EXPECT_EQ(*w++, 8);  // point size
  EXPECT_STREQ(reinterpret_cast<const wchar_t*>(w), L"MS Sans Serif");
  w += lstrlenW(reinterpret_cast<const wchar_t*>(w)) + 1;
  const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>((reinterpret_cast<ULONG_PTR>(w) + 3) & ~ULONG_PTR{3});
  EXPECT_EQ(item->x, 7);
  EXPECT_EQ(item->y, 25);
  EXPECT_EQ(item->cx, 229);
  EXPECT_EQ(item->cy, 16);
  w = reinterpret_cast<const WORD*>(item + 1);
  EXPECT_EQ(w[0], 0xFFFF);
  EXPECT_EQ(w[1], 0x0082);  // static
  EXPECT_STREQ(reinterpret_cast<const wchar_t*>(w + 2),
               L"TODO: Place controls to manipulate properties of PaintChip Control on this dialog.");
}

}  // namespace
