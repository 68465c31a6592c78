#pragma once
// BrowserPort on Win32: the WebBrowser control hosted through a hand-written OLE control site.
//
// Each control gets its own container window, a child of the program's browser host with the
// control identifier 0xE900, and is activated in place in it. The adapter owns, per control:
// that window, one reference each to the control's IOleObject and IOleInPlaceObject, to the site
// and to the event sink, the connection point with its cookie, and, between queryWebBrowser and
// releaseBrowser, one reference to IWebBrowser2. destroyControl gives all of it back.
// GUI thread only; OLE must be initialised on it.
#include <windows.h>

#include <memory>
#include <unordered_map>

#include "platform/browser_port.h"

namespace zorvik::win32 {

class BrowserAdapter final : public BrowserPort {
 public:
  BrowserAdapter();
  // Controls still alive here are left to the end of the process: by then OLE may already be
  // uninitialised, and releasing their interfaces would call into unloaded code.
  ~BrowserAdapter() override;

  BrowserHandle createBrowserControl(WindowHandle host, const Rect& clientArea,
                                     BrowserEvents* events) override;
  bool queryWebBrowser(BrowserHandle control) override;
  WindowHandle controlWindow(BrowserHandle control) override;
  void putOffline(BrowserHandle control, std::int16_t variantBool) override;
  void putSilent(BrowserHandle control, std::int16_t variantBool) override;
  void execZoom(BrowserHandle control, std::int32_t level) override;
  void navigate(BrowserHandle control, const std::string& address) override;
  void releaseBrowser(BrowserHandle control) override;
  void destroyControl(BrowserHandle control) override;

  struct Control;

 private:
  Control* find(BrowserHandle control);
  bool registerContainerClass();

  HINSTANCE instance_;
  bool classRegistered_ = false;
  // Keyed by the handle given out, which is the record's address.
  std::unordered_map<BrowserHandle, std::unique_ptr<Control>> controls_;
};

}  // namespace zorvik::win32
