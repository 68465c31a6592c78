#pragma once
// BrowserPort on Linux: the embedded browser is a WebKitWebView placed into the host window's
// container and given a window handle of its own (the counterpart of the WebBrowser control's
// window). Every view uses the process's shared WebKitSettings (web_engine.h), so the user agent
// installed through the library adapter reaches all of its requests. GUI thread only.
#include <cstdint>
#include <map>
#include <memory>

#include "platform/browser_port.h"

namespace zorvik::gtk {

// Text size levels 0..4 as text-only zoom factors; level 2 (medium) is 1.0.
inline constexpr double TextZoomFactors[5] = {0.6, 0.8, 1.0, 1.2, 1.4};

class BrowserAdapter final : public BrowserPort {
 public:
  BrowserAdapter();
  ~BrowserAdapter() override;
  BrowserAdapter(const BrowserAdapter&) = delete;
  BrowserAdapter& operator=(const BrowserAdapter&) = delete;

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

  // Owned here from createBrowserControl until destroyControl; the key is the handle.
  std::map<BrowserHandle, std::unique_ptr<Control>> controls_;
  BrowserHandle lastHandle_ = 0;
};

// The address WebKit is asked to load for an address given to navigate (code page 936 bytes):
// as UTF-8, with "http://" in front of a bare host, since WebKit completes no scheme itself.
std::string webAddress(const std::string& address);

}  // namespace zorvik::gtk
