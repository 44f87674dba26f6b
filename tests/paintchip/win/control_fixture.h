// What every PaintChip container test shares: the module registered for the whole program, a
// control activated in place in a window, property access through IDispatch, and a check after
// each test that nothing of the module is left alive.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ole_container.h"
#include "wincommon/gdi.h"

namespace pctest {

std::wstring WinePath(const char* unixPath);
std::wstring OcxPath();  // the staged PAINTCHIP.OCX
HMODULE OcxModule();     // loaded for the whole program
HRESULT CanUnloadNow();  // the module's DllCanUnloadNow

// OleInitialize, then DllRegisterServer of the staged module; the reverse at the end.
class RegisteredModule : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;
};

ComPtr<IOleObject> NewControl();
HRESULT PutProperty(IUnknown* control, DISPID id, VARIANT value);
HRESULT GetProperty(IUnknown* control, DISPID id, VARIANT* value);
HRESULT PutColor(IUnknown* control, LONG color);
LONG GetColor(IUnknown* control);

// A control in place in a visible host window.
class ActiveControl {
 public:
  explicit ActiveControl(bool messageReflect = true, RECT pos = {20, 20, 100, 40}, int hostX = 100, int hostY = 100);
  ~ActiveControl();
  ActiveControl(const ActiveControl&) = delete;
  ActiveControl& operator=(const ActiveControl&) = delete;
  HWND Window() const;  // the control's window
  IOleObject* Object() const { return object_.get(); }
  TestSite& Site() { return *site_; }
  HWND Host() const { return host_.get(); }
  void Deactivate();  // IOleObject::Close and the site let go

 private:
  HostWindow host_;
  TestSite* site_;
  ComPtr<IOleObject> object_;
};

// Each test ends with every object of the module released.
class ControlTest : public ::testing::Test {
 protected:
  void TearDown() override;
};

// Pixels of a 32-bit top-down DIB drawn by IViewObject::Draw.
class Canvas {
 public:
  Canvas(int w, int h);
  HDC Dc() const { return dc_.get(); }
  COLORREF At(int x, int y) const;  // 0x00BBGGRR
  void Fill(COLORREF c);

 private:
  tkt::DibSection dib_;  // before the DC, which lets go of it first
  tkt::MemoryDc dc_{nullptr};
};

}  // namespace pctest
