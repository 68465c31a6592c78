#pragma once
// BrowserBox: the one control of MainWindow, a child window hosting the platform's web-browser
// component. It binds no handler to the component's events, so every navigation and new-window
// request takes the default: allowed.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/browser_port.h"
#include "platform/window_procedure.h"
#include "web/browser_box_settings.h"

namespace zorvik {

class AppShell;
class MainWindow;
struct ControlDefinition;

inline constexpr const char* BrowserHostClassName = "ZorvikBrowserHost";

class BrowserBox : public WindowProcedure, public BrowserEvents {
 public:
  // Creates the view inside `parent`, or returns null (nothing of it left behind but what the
  // platform destroys with the parent).
  static std::unique_ptr<BrowserBox> create(AppShell& shell, MainWindow& owner,
                                            const ControlDefinition& control, WindowHandle parent);

  WindowHandle hostWindow() const { return hostWindow_; }
  BrowserHandle control() const { return control_; }
  const BrowserBoxSettings& settings() const { return settings_; }

  std::optional<std::intptr_t> handleMessage(const Message& message) override;
  bool beforeNavigate(const std::string& url) override;
  bool newWindow(const std::string& url) override;

 private:
  BrowserBox(AppShell& shell, MainWindow& owner, BrowserBoxSettings settings);
  bool build(const ControlDefinition& control, WindowHandle parent);

  AppShell& shell_;
  MainWindow& owner_;
  BrowserBoxSettings settings_;
  WindowHandle hostWindow_ = 0;
  BrowserHandle control_ = 0;  // the component; its window lives inside hostWindow_
  bool holdsBrowser_ = false;  // one IWebBrowser2 reference from creation until WM_DESTROY
};

// Navigates MainWindow's BrowserBox to `address`, handed over unchanged. A missing view ends the
// program through the fatal report.
void navigateBrowserBox(AppShell& shell, MainWindow* window, const char* address);

}  // namespace zorvik
