// rgpmaker, the region file maker window: fixed dialog frame without a close box, its two path fields with
// their file dialogs, the picture area, the make and Test buttons, and "Ｘ" back to the designer.
// Shown and hidden, never closed, so the fields keep their contents.
#pragma once

#include <windows.h>

#include <functional>

#include "designer/model/layout.h"
#include "designer/model/rgpmaker_model.h"
#include "designer/win/maker_picture.h"
#include "designer/win/services_win.h"
#include "wincommon/gdi.h"
#include "wincommon/window.h"

namespace designer::win {

class RgpMakerWindow : public tkt::Window<RgpMakerWindow>, public MakerWindows {
 public:
  // `showDesigner` shows the main window with the form's current state.
  RgpMakerWindow(DesignerForm& form, std::function<void()> showDesigner);
  ~RgpMakerWindow() override;

  // Creates the window the first time, then shows it.
  void Show();
  RgpMakerModel& model() { return model_; }
  WinMakerPicture& picture() { return picture_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  // MakerWindows
  void DrawRunLines(const std::vector<faceformat::RegionRun>& runs) override;
  void ShowDesigner() override;
  void HideMaker() override;

  // The window's own background with the test lines and the decoration frame.
  void PaintContent(HDC dc, const RECT& rc);

  enum Id {
    kLabel1 = 101, kLabel3, kText1, kCommand2, kLabel2, kLabel4, kText2, kCommand3, kCommand1, kCommand4,
    kCommandButton1, kPicture1
  };

 private:
  // Picture1: paints the loaded picture at its own size.
  class PictureWindow : public tkt::Window<PictureWindow> {
   public:
    explicit PictureWindow(const WinMakerPicture& picture) : picture_(picture) {}
    HWND Create(const RECT& at, HWND parent, int id);

   private:
    friend class tkt::Window<PictureWindow>;
    static constexpr const wchar_t* kClassName = L"TktRgpMakerPicture";
    static void DescribeClass(WNDCLASSEXW& wc) { wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    const WinMakerPicture& picture_;
  };

  struct Fonts {
    tkt::GdiObject<HFONT> normal, bold;
  };

  friend class tkt::Window<RgpMakerWindow>;
  static constexpr const wchar_t* kClassName = L"TktRgpMaker";
  // A fixed dialog frame with a caption and no system menu: no close, minimise or maximise box.
  static constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
  static void DescribeClass(WNDCLASSEXW& wc);
  static Fonts FontsAt(int dpi);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  void CreateChildren();
  // The layout at `dpi` with its column as wide as the longest line in these fonts.
  MakerLayout LayoutIn(const Fonts& fonts, int dpi) const;
  static SIZE WindowSizeFor(const MakerLayout& layout, int dpi);
  // Fonts and every child's place at dpi(); the window's own size is the caller's.
  MakerLayout LayOut();
  void OnDpiChanged(int oldDpi, const RECT& suggested);
  void SizeCanvas(int width, int height);
  void Command(int id, int code);
  void SyncFields();
  void AfterHandler();
  void PictureChanged();
  HWND CreateChild(const wchar_t* cls, const wchar_t* text, DWORD style, int id, const RECT& box, DWORD exStyle = 0);

  DesignerForm& form_;
  std::function<void()> showDesigner_;
  WinDialogs dialogs_;
  WinMessages messages_;
  WinMakerPicture picture_;
  WicPictureDecoder decoder_;
  RgpMakerModel model_;
  PictureWindow pictureWnd_{picture_};
  RECT pictureBox_{};
  RECT shape1_{};
  Fonts fonts_;
  tkt::GdiObject<HBITMAP> canvas_;  // the background the test lines go on; it keeps them between uses
  int canvasW_ = 0, canvasH_ = 0;
  bool syncing_ = false;
  bool designerShown_ = false;
};

}  // namespace designer::win
