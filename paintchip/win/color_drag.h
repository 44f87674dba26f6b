// OLE drag and drop of a colour under the clipboard format "Color Transfer".
#pragma once

#include <ole2.h>

#include "wincommon/com.h"
#include "paintchip/com/unknown.h"

namespace paintchip {

CLIPFORMAT ColorTransferFormat();  // registered on first use

// Offers `color` and runs a copy-only drag. Returns when the drag ends; a failed allocation
// cancels it quietly.
void StartColorDrag(COLORREF color);

// Who receives a dropped colour.
class ColorDropReceiver {
 public:
  virtual void OnColorDropped(COLORREF color) = 0;

 protected:
  ~ColorDropReceiver() = default;
};

// The drop target of a control's window. The receiver must Detach before it goes away.
class ColorDropTarget final : public tktcom::OneInterfaceObject<ColorDropTarget, IDropTarget, IID_IDropTarget> {
 public:
  static tkt::ComPtr<ColorDropTarget> Create(ColorDropReceiver* receiver);
  void Detach() { receiver_ = nullptr; }

  STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) noexcept override;
  STDMETHODIMP DragOver(DWORD keys, POINTL pt, DWORD* effect) noexcept override;
  STDMETHODIMP DragLeave() noexcept override;
  STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) noexcept override;

 private:
  friend OneInterfaceObject;
  explicit ColorDropTarget(ColorDropReceiver* receiver);
  ~ColorDropTarget() = default;
  ColorDropReceiver* receiver_;
  bool offered_ = false;  // the current drag carries a colour
};

}  // namespace paintchip
