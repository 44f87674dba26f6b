// The preview OLGPic1: a 180 x 180 face inside a sunken edge, drawn from the form's state with the
// clock's renderer; the read-out can be dragged and dropped on it.
#pragma once

#include <windows.h>

#include <functional>

#include "designer/model/form.h"
#include "designer/win/artwork_win.h"
#include "wincommon/gdi.h"

namespace designer::win {

class PreviewWindow {
 public:
  PreviewWindow(DesignerForm& form, Artwork& artwork, std::function<void()> changed)
      : form_(form), artwork_(artwork), changed_(std::move(changed)) {}
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  static void Register(HINSTANCE instance);
  HWND Create(HWND parent, int x, int y, int w, int h, int id);
  HWND hwnd() const { return hwnd_; }

  // Redraws from the form; measures the read-out so its size matches what is drawn.
  void Refresh();
  // Draws the face area (client coordinates, 180 x 180) into any DC.
  void PaintContent(HDC dc, const RECT& rc);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  HFONT ReadoutFont();
  RECT ReadoutRect();  // pixels, client coordinates
  void DrawDragOutline(HDC dc);
  void EndDrag(POINT at, bool drop);

  DesignerForm& form_;
  Artwork& artwork_;
  std::function<void()> changed_;
  HWND hwnd_ = nullptr;
  tkt::GdiObject<HFONT> font_;
  FontSpec fontFor_;
  bool dragging_ = false;
  POINT dragAt_{};
};

}  // namespace designer::win
