#include "platform/win32/ole_site.h"

namespace zorvik::win32 {

OleSite::OleSite(HWND container) : container_(container), frame_(new OleFrame(container)) {}

OleSite::~OleSite() { frame_->Release(); }

void OleSite::detach() { container_ = nullptr; }

STDMETHODIMP OleSite::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite)) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite)) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) OleSite::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) OleSite::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

// Nothing of the control is stored: there is no document to save it into.
STDMETHODIMP OleSite::SaveObject() { return E_NOTIMPL; }

STDMETHODIMP OleSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP OleSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP OleSite::ShowObject() { return S_OK; }

STDMETHODIMP OleSite::OnShowWindow(BOOL) { return S_OK; }

STDMETHODIMP OleSite::RequestNewObjectLayout() { return E_NOTIMPL; }

STDMETHODIMP OleSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = container_;
  return container_ ? S_OK : E_FAIL;
}

STDMETHODIMP OleSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP OleSite::CanInPlaceActivate() { return container_ ? S_OK : S_FALSE; }

STDMETHODIMP OleSite::OnInPlaceActivate() { return S_OK; }

STDMETHODIMP OleSite::OnUIActivate() { return S_OK; }

// The control covers the container's whole client area; no document window sits in between.
STDMETHODIMP OleSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                       LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  if (!frame || !document || !position || !clip || !info) return E_POINTER;
  *document = nullptr;
  if (!container_) {
    *frame = nullptr;
    return E_FAIL;
  }
  frame_->AddRef();
  *frame = frame_;
  GetClientRect(container_, position);
  *clip = *position;
  // No accelerators are shared with the control.
  info->fMDIApp = FALSE;
  info->hwndFrame = GetAncestor(container_, GA_ROOT);
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP OleSite::Scroll(SIZE) { return E_NOTIMPL; }

STDMETHODIMP OleSite::OnUIDeactivate(BOOL) { return S_OK; }

STDMETHODIMP OleSite::OnInPlaceDeactivate() { return S_OK; }

STDMETHODIMP OleSite::DiscardUndoState() { return E_NOTIMPL; }

STDMETHODIMP OleSite::DeactivateAndUndo() { return E_NOTIMPL; }

// The control's place is the container's client area; the container sets it on every size
// change, so a request of the control's own is acknowledged and not granted.
STDMETHODIMP OleSite::OnPosRectChange(LPCRECT) { return S_OK; }

}  // namespace zorvik::win32
