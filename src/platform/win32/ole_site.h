#pragma once
// The client site and in-place site through which the browser control lives in its container
// window (the 0xE900 child of the program's browser host). The control is activated in place
// only: it covers the container's client area and has no frame tools of its own.
#include <ole2.h>
#include <windows.h>

#include "platform/win32/ole_frame.h"

namespace zorvik::win32 {

class OleSite final : public IOleClientSite, public IOleInPlaceSite {
 public:
  // `container` is not owned: the browser adapter destroys it and calls detach() first. The site
  // is created with one reference (the adapter's); the control adds its own while it holds the
  // site, so the site may outlive the adapter's record by a little.
  explicit OleSite(HWND container);

  // Forgets the container window: from now on the site reports no window and refuses activation.
  void detach();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleClientSite
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override;
  STDMETHODIMP OnShowWindow(BOOL show) override;
  STDMETHODIMP RequestNewObjectLayout() override;

  // IOleWindow
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override;
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override;
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE extent) override;
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override;
  STDMETHODIMP DeactivateAndUndo() override;
  STDMETHODIMP OnPosRectChange(LPCRECT position) override;

 private:
  ~OleSite();

  ULONG references_ = 1;
  HWND container_;
  OleFrame* frame_;  // one reference, from construction to destruction; handed out AddRef'ed
};

}  // namespace zorvik::win32
