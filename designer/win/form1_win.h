// The main designer window Form1: a tab control with one panel per page, the controls of the layout
// table bound to the form model, the preview and the one-second tick. The model is the document; after
// every handler the window shows what the model says (Sync).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "designer/model/form.h"
#include "designer/model/layout.h"
#include "designer/win/artwork_win.h"
#include "designer/win/preview_win.h"
#include "wincommon/gdi.h"
#include "wincommon/window.h"
#include "worldtime/win/zones_win.h"

namespace designer::win {

class Form1Window : public tkt::Window<Form1Window> {
 public:
  Form1Window(DesignerForm& form, Artwork& artwork);

  // Runs the form's load handler, then creates and shows the window centred on the screen.
  HWND Create();
  // Makes the window show the model's state.
  void Sync();
  // Child window of a control, for tests and the other windows of the designer.
  HWND WindowOf(const Control& control) const;
  HWND PanelOf(int page) const { return panels_[size_t(page)].hwnd(); }
  HWND tab() const { return tab_; }
  PreviewWindow& preview() { return preview_; }
  // The preview's time: now, in the zone chosen on the options page.
  TickTime PreviewTime();

 private:
  struct Binding {
    Placement place;
    HWND hwnd = nullptr;
    HWND caption = nullptr;  // BoxOnly check boxes: the caption beside the box
    std::wstring shownText;
    int shownValue = -1;
    int shownMin = 0, shownMax = -1;
    Color shownColor = -1;
    std::vector<std::wstring> shownItems;  // combo boxes: the entries shown
  };

  // A page of the tab control: paints the shapes and pictures of its page, passes the controls' messages on.
  class PagePanel : public tkt::Window<PagePanel> {
   public:
    explicit PagePanel(Form1Window& owner) : owner_(owner) {}
    HWND Create(const RECT& at, HWND parent);

   private:
    friend class tkt::Window<PagePanel>;
    static constexpr const wchar_t* kClassName = L"TktDesignerPage";
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    Form1Window& owner_;
  };

  // The window's own boxes at 96 DPI: its client area, the page control and the exit button.
  struct Frame {
    int clientW = 0, clientH = 0;
    PixelBox tab, exit;
  };

  friend class tkt::Window<Form1Window>;
  static constexpr const wchar_t* kClassName = L"TktDesignerForm1";
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
  static void DescribeClass(WNDCLASSEXW& wc);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandlePanel(HWND panel, UINT msg, WPARAM wp, LPARAM lp);
  void CreateChildren();
  void CreateControl(Binding& b, HWND parent, int id);
  void AddTooltips();
  Frame FrameAt96() const;
  SIZE WindowSizeAt(int dpi) const;
  // Fonts, icons and every child's place at dpi(); the window's own size is the caller's.
  void LayOut();
  void OnDpiChanged(int oldDpi, const RECT& suggested);
  RECT BoxOf(const Placement& p) const;
  bool Command(HWND from, int code);
  void Scroll(HWND bar, int code);
  LRESULT ControlColor(HDC dc, HWND child, bool edit);
  void PaintPanel(HWND panel, HDC dc);
  void ClickPanel(HWND panel, POINT at);
  void SyncBinding(Binding& b);
  Binding* Find(HWND hwnd);
  int PageOfFrame(const Control* frame) const;
  void Tick();
  void SyncCombo(Binding& b, const ComboBox& combo);

  DesignerForm& form_;
  Artwork& artwork_;
  PreviewWindow preview_;
  HWND tab_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND exit_ = nullptr;
  static constexpr int kPages = 5;
  PagePanel panels_[kPages] = {PagePanel(*this), PagePanel(*this), PagePanel(*this), PagePanel(*this),
                               PagePanel(*this)};
  std::vector<Binding> bindings_;
  tkt::GdiObject<HFONT> font_, boldFont_;
  tkt::GdiObject<HBRUSH> pageBrush_, fieldBrush_;
  COLORREF pageColor_ = 0;
  bool syncing_ = false;
  // The preview's time in the zone chosen on the options page.
  std::optional<worldtime::ZoneClock> zoneClock_;
  std::wstring zoneClockKey_;
};

}  // namespace designer::win
