#include "platform/win32/ole_frame.h"

namespace zorvik::win32 {

STDMETHODIMP OleFrame::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
      IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
    *object = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) OleFrame::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) OleFrame::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP OleFrame::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = GetAncestor(container_, GA_ROOT);
  return *window ? S_OK : E_FAIL;
}

STDMETHODIMP OleFrame::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP OleFrame::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }

STDMETHODIMP OleFrame::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }

// Only "no tools at all" can be granted.
STDMETHODIMP OleFrame::SetBorderSpace(LPCBORDERWIDTHS widths) {
  return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
}

STDMETHODIMP OleFrame::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }

// The main window's menu bar stays the program's own (empty) one.
STDMETHODIMP OleFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) {
  if (widths) {
    for (LONG& width : widths->width) width = 0;
  }
  return S_OK;
}

STDMETHODIMP OleFrame::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }

STDMETHODIMP OleFrame::RemoveMenus(HMENU) { return S_OK; }

STDMETHODIMP OleFrame::SetStatusText(LPCOLESTR) { return S_OK; }

STDMETHODIMP OleFrame::EnableModeless(BOOL) { return S_OK; }

STDMETHODIMP OleFrame::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

}  // namespace zorvik::win32
