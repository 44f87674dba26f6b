// The module's exports called directly: the exact codes of each failure path, every registry entry a
// registration writes and none left after unregistration; and the resources read back from the module,
// the type library first.
#include "control_fixture.h"

#include <oleauto.h>
#include <winver.h>

#include <string>

#include "paintchip/win/paintchip_ids.h"

namespace pctest {
namespace {

using paintchip::CLSID_PaintChip;
using paintchip::CLSID_PaintChipPropPage;

using Export = HRESULT(STDAPICALLTYPE*)();
Export ExportOf(HMODULE module, const char* name) {
  return reinterpret_cast<Export>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::wstring Guid(REFGUID g) {
  wchar_t s[40] = {};
  StringFromGUID2(g, s, 40);
  return s;
}

bool KeyExists(const std::wstring& key) {
  HKEY h = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

// A string value, or "<none>".
std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t data[512] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return L"<none>";
  }
  return data;
}

const std::wstring kClass = L"CLSID\\" + Guid(CLSID_PaintChip);
const std::wstring kPage = L"CLSID\\" + Guid(CLSID_PaintChipPropPage);
const std::wstring kLib = L"TypeLib\\" + Guid(paintchip::LIBID_PAINTCHIPLib);
#ifdef _WIN64
const std::wstring kLibPlatform = L"\\1.0\\0\\win64";
#else
const std::wstring kLibPlatform = L"\\1.0\\0\\win32";
#endif

// Everything of ours a registration may leave behind.
const std::wstring kOurKeys[] = {L"PAINTCHIP.PaintChipCtrl.1",
                                 kClass,
                                 kPage,
                                 kLib,
                                 L"Interface\\" + Guid(paintchip::DIID__DPaintChip),
                                 L"Interface\\" + Guid(paintchip::DIID__DPaintChipEvents)};

void ExpectNothingOfOurs(const char* when) {
  for (const std::wstring& key : kOurKeys) EXPECT_FALSE(KeyExists(key)) << when << ": HKCR\\" << key;
}

class Registration : public ControlTest {
 protected:
  void TearDown() override {
    // The program's other tests need the module registered.
    EXPECT_EQ(ExportOf(OcxModule(), "DllRegisterServer")(), S_OK);
    ControlTest::TearDown();
  }
  Export reg = ExportOf(OcxModule(), "DllRegisterServer");
  Export unreg = ExportOf(OcxModule(), "DllUnregisterServer");
};

TEST_F(Registration, WritesTheFullSetAndUnregistrationLeavesNothing) {
  ASSERT_EQ(reg(), S_OK);
  const std::wstring module = OcxPath();
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring want;
  } rows[] = {
      {L"PAINTCHIP.PaintChipCtrl.1", nullptr, L"PaintChip Control"},
      {L"PAINTCHIP.PaintChipCtrl.1\\CLSID", nullptr, Guid(CLSID_PaintChip)},
      {kClass, nullptr, L"PaintChip Control"},
      {kClass + L"\\ProgID", nullptr, L"PAINTCHIP.PaintChipCtrl.1"},
      {kClass + L"\\InprocServer32", nullptr, module},
      {kClass + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {kClass + L"\\Control", nullptr, L""},
      {kClass + L"\\ToolboxBitmap32", nullptr, module + L", 1"},
      {kClass + L"\\MiscStatus\\1", nullptr, L"655761"},
      {kClass + L"\\TypeLib", nullptr, Guid(paintchip::LIBID_PAINTCHIPLib)},
      {kClass + L"\\Version", nullptr, L"1.0"},
      {kPage, nullptr, L"PaintChip Property Page"},
      {kPage + L"\\InprocServer32", nullptr, module},
      {L"Interface\\" + Guid(paintchip::DIID__DPaintChip), nullptr, L"_DPaintChip"},
      {L"Interface\\" + Guid(paintchip::DIID__DPaintChipEvents), nullptr, L"_DPaintChipEvents"},
      {kLib + kLibPlatform, nullptr, module},
  };
  for (const auto& r : rows) EXPECT_EQ(Value(r.key, r.name), r.want) << r.key;
  // Control, safe for scripting, safe for initialising.
  for (const wchar_t* cat : {L"{40FC6ED4-2438-11CF-A3DB-080036F12502}", L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}",
                             L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}"}) {
    EXPECT_TRUE(KeyExists(kClass + L"\\Implemented Categories\\" + cat)) << cat;
  }
  EXPECT_FALSE(KeyExists(kClass + L"\\Insertable"));

  ASSERT_EQ(unreg(), S_OK);
  ExpectNothingOfOurs("after unregistration");
  EXPECT_EQ(unreg(), S_OK) << "unregistering what is not there";
}

TEST_F(Registration, AFailedTypeLibraryStopsBeforeAnyClassAndAFailedClassIsReported) {
  ASSERT_EQ(unreg(), S_OK);
  HMODULE noTypeLib = LoadLibraryW(WinePath(PAINTCHIP_NOTLB_OCX).c_str());
  ASSERT_NE(noTypeLib, nullptr);
  EXPECT_EQ(ExportOf(noTypeLib, "DllRegisterServer")(), static_cast<HRESULT>(0x80040200));
  FreeLibrary(noTypeLib);
  ExpectNothingOfOurs("after a failed type library");

  // A volatile class key takes no lasting subkeys, so the class cannot be written.
  HKEY blocker = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, kClass.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &blocker, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(blocker);
  EXPECT_EQ(reg(), static_cast<HRESULT>(0x80040201));
  EXPECT_EQ(unreg(), S_OK);
  ExpectNothingOfOurs("after a failed class");

  // A registered library whose file is gone cannot be unregistered, and then no class is touched.
  ASSERT_EQ(reg(), S_OK);
  const std::wstring libPath = kLib + kLibPlatform;
  const std::wstring gone = L"Z:\\nonexistent\\paintchip.tlb";
  ASSERT_EQ(RegSetValueW(HKEY_CLASSES_ROOT, libPath.c_str(), REG_SZ, gone.c_str(), 0), ERROR_SUCCESS);
  EXPECT_EQ(unreg(), static_cast<HRESULT>(0x80040200));
  EXPECT_TRUE(KeyExists(kClass)) << "a class was unregistered although the type library failed";
  const std::wstring module = OcxPath();
  RegSetValueW(HKEY_CLASSES_ROOT, libPath.c_str(), REG_SZ, module.c_str(), 0);
}

class Resources : public ControlTest {};

// Typed clients (.NET's wrapper generator, property grids) show a colour only for stdole's OLE_COLOR.
TEST_F(Resources, TheTypeLibraryTypesColorAsStdoleOleColorEnabledAsBoolAndTheEvent) {
  ComPtr<ITypeLib> lib;
  ASSERT_EQ(LoadTypeLibEx(OcxPath().c_str(), REGKIND_NONE, lib.put()), S_OK);
  const GUID stdole = {0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  auto expectOleColor = [&](ITypeInfo* owner, const TYPEDESC& type, const char* what) {
    ASSERT_EQ(type.vt, VT_USERDEFINED) << what;
    ComPtr<ITypeInfo> ref;
    ASSERT_EQ(owner->GetRefTypeInfo(type.hreftype, ref.put()), S_OK) << what;
    BSTR name = nullptr;
    ASSERT_EQ(ref->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"OLE_COLOR") << what;
    SysFreeString(name);
    ComPtr<ITypeLib> container;
    UINT index = 0;
    ASSERT_EQ(ref->GetContainingTypeLib(container.put(), &index), S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(container->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, stdole) << what << " does not come from stdole2";
    container->ReleaseTLibAttr(attr);
  };

  ComPtr<ITypeInfo> disp;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(paintchip::DIID__DPaintChip, disp.put()), S_OK);
  int seen = 0;
  for (UINT i = 0; i < 2; ++i) {
    VARDESC* var = nullptr;
    ASSERT_EQ(disp->GetVarDesc(i, &var), S_OK);
    if (var->memid == 1) {
      expectOleColor(disp.get(), var->elemdescVar.tdesc, "Color");
      ++seen;
    } else if (var->memid == DISPID_ENABLED) {
      EXPECT_EQ(var->elemdescVar.tdesc.vt, VT_BOOL) << "Enabled";
      ++seen;
    }
    disp->ReleaseVarDesc(var);
  }
  EXPECT_EQ(seen, 2);

  ComPtr<ITypeInfo> events;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(paintchip::DIID__DPaintChipEvents, events.put()), S_OK);
  FUNCDESC* fn = nullptr;
  ASSERT_EQ(events->GetFuncDesc(0, &fn), S_OK);
  EXPECT_EQ(fn->memid, 1);
  EXPECT_EQ(fn->invkind, INVOKE_FUNC);
  EXPECT_EQ(fn->elemdescFunc.tdesc.vt, VT_VOID);
  ASSERT_EQ(fn->cParams, 1);
  expectOleColor(events.get(), fn->lprgelemdescParam[0].tdesc, "ColorChanged's argument");
  BSTR name = nullptr;
  events->GetDocumentation(fn->memid, &name, nullptr, nullptr, nullptr);
  EXPECT_STREQ(name, L"ColorChanged");
  SysFreeString(name);
  events->ReleaseFuncDesc(fn);
}

// Resources as the module holds them: version, property page dialog, strings and pictures.
TEST_F(Resources, VersionDialogStringsAndPictures) {
  const std::wstring path = OcxPath();
  std::string block(GetFileVersionInfoSizeW(path.c_str(), nullptr), '\0');
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00050002u);
  EXPECT_EQ(fixed->dwFileVersionLS, 6100u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 1u);
  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1200);
  const struct {
    const wchar_t* name;
    const wchar_t* want;
  } strings[] = {{L"FileDescription", L"PaintChip ActiveX Control Module"},
                 {L"ProductName", L"PaintChip ActiveX Control Module"},
                 {L"InternalName", L"PAINTCHIP"},
                 {L"OriginalFilename", L"PAINTCHIP.OCX"},
                 {L"OLESelfRegister", L""}};
  for (const auto& s : strings) {
    wchar_t* text = nullptr;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + s.name;
    ASSERT_TRUE(VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &len)) << s.name;
    EXPECT_STREQ(len ? text : L"", s.want);
  }

  // Dialog 200: a child of 250 x 62 units in 8-point "MS Sans Serif", with one static text.
  HRSRC res = FindResourceW(OcxModule(), MAKEINTRESOURCEW(200), MAKEINTRESOURCEW(5));  // RT_DIALOG
  ASSERT_NE(res, nullptr);
  const auto* words = static_cast<const WORD*>(LockResource(LoadResource(OcxModule(), res)));
  const auto* dlg = reinterpret_cast<const DLGTEMPLATE*>(words);
  EXPECT_TRUE(dlg->style & WS_CHILD);
  EXPECT_TRUE(dlg->style & DS_SETFONT);
  EXPECT_EQ(dlg->cdit, 1);
  EXPECT_EQ(dlg->cx, 250);
  EXPECT_EQ(dlg->cy, 62);
  const WORD* p = words + sizeof(DLGTEMPLATE) / sizeof(WORD);
  EXPECT_EQ(*p++, 0);  // no menu
  EXPECT_EQ(*p++, 0);  // the standard dialog class
  EXPECT_EQ(*p++, 0);  // no title
  EXPECT_EQ(*p++, 8);  // points
  const auto* face = reinterpret_cast<const wchar_t*>(p);
  EXPECT_STREQ(face, L"MS Sans Serif");
  p += wcslen(face) + 1;
  p = reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR{3});
  const auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
  EXPECT_EQ(item->x, 7);
  EXPECT_EQ(item->y, 25);
  EXPECT_EQ(item->cx, 229);
  EXPECT_EQ(item->cy, 16);
  p += sizeof(DLGITEMTEMPLATE) / sizeof(WORD);
  EXPECT_EQ(p[0], 0xFFFF);
  EXPECT_EQ(p[1], 0x0082);  // STATIC
  EXPECT_STREQ(reinterpret_cast<const wchar_t*>(p + 2),
               L"TODO: Place controls to manipulate properties of PaintChip Control on this dialog.");

  const struct {
    UINT id;
    const wchar_t* want;
  } texts[] = {{1, L"PaintChip Control"}, {2, L"PaintChip Property Page"}, {200, L"General"}};
  for (const auto& t : texts) {
    wchar_t got[64] = {};
    LoadStringW(OcxModule(), t.id, got, 64);
    EXPECT_STREQ(got, t.want) << t.id;
  }
  const struct {
    int id, width, height;
  } pictures[] = {{1, 16, 15}, {201, 7, 4}};
  for (const auto& pic : pictures) {
    tkt::GdiObject<HBITMAP> bitmap(LoadBitmapW(OcxModule(), MAKEINTRESOURCEW(pic.id)));
    BITMAP bm{};
    ASSERT_TRUE(bitmap && GetObjectW(bitmap.get(), sizeof bm, &bm)) << pic.id;
    EXPECT_EQ(bm.bmWidth, pic.width);
    EXPECT_EQ(bm.bmHeight, pic.height);
  }
}

}  // namespace
}  // namespace pctest
