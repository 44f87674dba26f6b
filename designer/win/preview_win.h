// The preview OLGPic1: a 180 x 180 face inside a sunken edge, drawn from the form's state with the
// clock's renderer; the read-out can be dragged and dropped on it.
#pragma once

#include <windows.h>

#include <functional>

#include "designer/model/form.h"
#include "designer/win/artwork_win.h"
#include "wincommon/gdi.h"
#include "wincommon/window.h"

namespace designer::win {

class PreviewWindow : public tkt::Window<PreviewWindow> {
 public:
  PreviewWindow(DesignerForm& form, Artwork& artwork, std::function<void()> changed)
      : form_(form), artwork_(artwork), changed_(std::move(changed)) {}

  HWND Create(HWND parent, int x, int y, int w, int h, int id);

  // Redraws from the form; measures the read-out so its size matches what is drawn.
  void Refresh();
  // Draws the face area (client coordinates, 180 x 180) into any DC.
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
  tkt::GdiObject<HFONT> font_;
  FontSpec fontFor_;
  bool dragging_ = false;
  POINT dragAt_{};
};

}  // namespace designer::win
