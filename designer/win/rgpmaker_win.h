// rgpmaker, the region file maker window: fixed dialog frame without a close box, its two path fields with
// their file dialogs, the picture area, the make and Test buttons, and "Ｘ" back to the designer.
// Shown and hidden, never closed, so the fields keep their contents.
#pragma once

#include <windows.h>

#include <functional>

#include "designer/rgpmaker_model.h"
#include "designer/win/maker_picture.h"
#include "designer/win/services_win.h"
#include "wincommon/gdi.h"

namespace designer::win {

class RgpMakerWindow : public MakerWindows {
 public:
  // `showDesigner` shows the main window with the form's current state.
  RgpMakerWindow(DesignerForm& form, std::function<void()> showDesigner);
  ~RgpMakerWindow() override;
  RgpMakerWindow(const RgpMakerWindow&) = delete;
  RgpMakerWindow& operator=(const RgpMakerWindow&) = delete;

  static void Register(HINSTANCE instance);
  // Creates the window the first time, then shows it.
  void Show();
  HWND hwnd() const { return hwnd_; }
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
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void CreateChildren();
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
  HWND hwnd_ = nullptr;
  HWND pictureWnd_ = nullptr;
  RECT pictureBox_{};
  RECT shape1_{};
  tkt::GdiObject<HFONT> font_, boldFont_;
  tkt::GdiObject<HBITMAP> canvas_;  // the background the test lines go on; it keeps them between uses
  int canvasW_ = 0, canvasH_ = 0;
  bool syncing_ = false;
  bool designerShown_ = false;
};

}  // namespace designer::win
