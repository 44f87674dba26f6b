// The preview OLGPic1: the 180 x 180 face inside a sunken edge, drawn from the form's state with the
// clock's renderer at the scale the clock has on the same monitor; the read-out can be dragged and dropped
// on it.
#pragma once

#include <windows.h>

#include <functional>

#include "designer/model/form.h"
#include "designer/model/preview.h"
#include "designer/win/artwork_win.h"
#include "wincommon/gdi.h"
#include "wincommon/window.h"

namespace designer::win {

class PreviewWindow : public tkt::Window<PreviewWindow> {
 public:
  PreviewWindow(DesignerForm& form, Artwork& artwork, std::function<void()> changed)
      : form_(form), artwork_(artwork), changed_(std::move(changed)) {}

  HWND Create(HWND parent, int id);
  // Puts the preview at the top-left corner of `box` with the face at `dpi`: the face's pixels, the edge
  // around them.
  void Place(const RECT& box, int dpi);

  // Redraws from the form; measures the read-out so its size matches what is drawn.
  void Refresh();
  // Draws the face area (client coordinates; 180 x 180 at 96 DPI) into any DC.
  void PaintContent(HDC dc, const RECT& rc);

 private:
  friend class tkt::Window<PreviewWindow>;
  static constexpr const wchar_t* kClassName = L"TktPreview";
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  HFONT ReadoutFont();
  RECT ReadoutRect();  // pixels, client coordinates
  void DrawDragOutline(HDC dc);
  void EndDrag(POINT at, bool drop);

  DesignerForm& form_;
  Artwork& artwork_;
  std::function<void()> changed_;
  ScaledPreview scaled_;
  int faceDpi_ = tkt::kDesignDpi;  // the parent's: a child hears of no DPI change itself
  tkt::GdiObject<HFONT> font_;
  FontLook fontFor_;
  int fontDpi_ = 0;
  bool dragging_ = false;
  POINT dragAt_{};
};

}  // namespace designer::win
