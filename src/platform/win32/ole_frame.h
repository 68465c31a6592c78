#pragma once
// The in-place frame the browser control is given while it is active in the program's window. The
// program has no toolbars, menus of the control's, status line or accelerators to share: every
// negotiation is answered with "none", and the active object the control announces is not kept,
// because keys are never offered to the control's TranslateAccelerator.
#include <ole2.h>
#include <windows.h>

namespace zorvik::win32 {

class OleFrame final : public IOleInPlaceFrame {
 public:
  // `container`: the control's window; the frame window reported is its top-level ancestor. The
  // handle is not owned and may die before the frame: a dead handle simply yields no window.
  explicit OleFrame(HWND container) : container_(container) {}

  // IUnknown. Created with one reference; deletes itself when the last one is released.
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

  // IOleInPlaceUIWindow
  STDMETHODIMP GetBorder(LPRECT border) override;
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR name) override;

  // IOleInPlaceFrame
  STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
  STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
  STDMETHODIMP RemoveMenus(HMENU shared) override;
  STDMETHODIMP SetStatusText(LPCOLESTR text) override;
  STDMETHODIMP EnableModeless(BOOL enable) override;
  STDMETHODIMP TranslateAccelerator(LPMSG message, WORD id) override;

 private:
  ~OleFrame() = default;

  ULONG references_ = 1;
  HWND container_;
};

}  // namespace zorvik::win32
