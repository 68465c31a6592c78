#pragma once
// The embedded web-browser component: hosted as a control inside a child window of the program.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace zorvik {

// What the component reports that the program may answer (the view's default behaviour).
class BrowserEvents {
 public:
  virtual ~BrowserEvents() = default;
  // Return true to cancel. BeforeNavigate2 and NewWindow2.
  virtual bool beforeNavigate(const std::string& url) = 0;
  virtual bool newWindow(const std::string& url) = 0;
};

class BrowserPort {
 public:
  virtual ~BrowserPort() = default;
  // Makes the host window an OLE control container and creates the WebBrowser control in its own
  // child window (id 0xE900) covering `clientArea`. Returns the control, or 0 on failure (then
  // nothing of the control is left behind).
  virtual BrowserHandle createBrowserControl(WindowHandle host, const Rect& clientArea,
                                             BrowserEvents* events) = 0;
  // QueryInterface for IWebBrowser2; the view keeps that reference until releaseBrowser.
  virtual bool queryWebBrowser(BrowserHandle control) = 0;
  virtual WindowHandle controlWindow(BrowserHandle control) = 0;  // 0 once destroyed
  virtual void putOffline(BrowserHandle control, std::int16_t variantBool) = 0;
  virtual void putSilent(BrowserHandle control, std::int16_t variantBool) = 0;
  virtual void execZoom(BrowserHandle control, std::int32_t level) = 0;  // ExecWB(OLECMDID_ZOOM,..)
  // IWebBrowser2::Navigate with the address (ANSI bytes, converted with CP_ACP) and no flags,
  // target frame, post data or headers.
  virtual void navigate(BrowserHandle control, const std::string& address) = 0;
  virtual void releaseBrowser(BrowserHandle control) = 0;  // Release IWebBrowser2
  // Destroys the control's window and frees what the adapter held for the control.
  virtual void destroyControl(BrowserHandle control) = 0;
};

}  // namespace zorvik
