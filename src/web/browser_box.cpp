#include "web/browser_box.h"

#include "app/app_shell.h"
#include "app/texts.h"
#include "ui/main_window.h"
#include "ui/window_definition.h"

namespace zorvik {

std::unique_ptr<BrowserBox> BrowserBox::create(AppShell& shell, MainWindow& owner,
                                               const ControlDefinition& control,
                                               WindowHandle parent) {
  const std::optional<BrowserBoxSettings> settings = readBrowserBoxSettings(control.settingsRecord);
  if (!settings) return nullptr;
  std::unique_ptr<BrowserBox> box(new BrowserBox(shell, owner, *settings));
  if (!box->build(control, parent)) return nullptr;
  return box;
}

BrowserBox::BrowserBox(AppShell& shell, MainWindow& owner, BrowserBoxSettings settings)
    : shell_(shell), owner_(owner), settings_(std::move(settings)) {}

bool BrowserBox::build(const ControlDefinition& control, WindowHandle parent) {
  Platform& platform = shell_.platform();
  WindowPort& windows = platform.window;
  BrowserPort& browser = platform.browser;

  if (!windows.classExists(BrowserHostClassName)) {
    windows.registerClass({BrowserHostClassName, win::CsDblClks | win::CsHRedraw | win::CsVRedraw,
                           true, win::WhiteBrush});
  }
  WindowCreation request;
  request.className = BrowserHostClassName;
  request.title = "";
  request.style = controlStyle(control) | win::WsChild | win::WsClipSiblings;
  request.x = control.left;
  request.y = control.top;
  request.width = control.width;
  request.height = control.height;
  request.parent = parent;
  request.menuOrId = BrowserBoxControlId;
  hostWindow_ = windows.createWindow(request, this);
  if (hostWindow_ == 0) return false;

  control_ = browser.createBrowserControl(hostWindow_, windows.clientRect(hostWindow_), this);
  if (control_ == 0) {
    windows.destroyWindow(hostWindow_);
    return false;
  }
  if (!browser.queryWebBrowser(control_)) {
    const BrowserHandle failed = control_;
    control_ = 0;
    browser.destroyControl(failed);
    windows.destroyWindow(hostWindow_);
    return false;
  }
  holdsBrowser_ = true;

  browser.putOffline(control_, settings_.offline ? win::VariantTrue : win::VariantFalse);
  browser.putSilent(control_, settings_.silent ? win::VariantTrue : win::VariantFalse);
  browser.execZoom(control_, clampedTextSize(settings_.textSize));
  if (!settings_.address.empty()) browser.navigate(control_, settings_.address);
  return true;
}

std::optional<std::intptr_t> BrowserBox::handleMessage(const Message& message) {
  Platform& platform = shell_.platform();
  WindowPort& windows = platform.window;
  switch (message.message) {
    case win::WmSize:
      if (control_ != 0) {
        const WindowHandle view = platform.browser.controlWindow(control_);
        if (view != 0) {
          windows.setWindowPos(view, windows.clientRect(hostWindow_),
                               win::SwpNoActivate | win::SwpNoZOrder);
        }
      }
      return 0;
    case win::WmSetFocus:
      if (control_ != 0) {
        const WindowHandle view = platform.browser.controlWindow(control_);
        if (view != 0) windows.setFocus(view);
      }
      return 0;
    case win::WmDestroy:
      if (holdsBrowser_) {
        platform.browser.releaseBrowser(control_);
        holdsBrowser_ = false;
      }
      if (control_ != 0) {
        const BrowserHandle component = control_;
        control_ = 0;
        platform.browser.destroyControl(component);
      }
      return std::nullopt;
    case win::WmNcDestroy: {
      const bool wasCreated = hostWindow_ != 0;
      windows.defWindowProc(message);
      hostWindow_ = 0;
      // The view is no longer there for the window layer; it is freed with MainWindow's state.
      if (wasCreated && owner_.browserBox() == this) owner_.onBrowserBoxGone();
      return 0;
    }
    default:
      return std::nullopt;
  }
}

bool BrowserBox::beforeNavigate(const std::string&) { return false; }

bool BrowserBox::newWindow(const std::string&) { return false; }

void navigateBrowserBox(AppShell& shell, MainWindow* window, const char* address) {
  BrowserBox* box = window != nullptr ? window->browserBox() : nullptr;
  if (box == nullptr || box->control() == 0 ||
      !shell.platform().window.isWindow(box->hostWindow())) {
    shell.reportFatalError(texts::ViewMissing, 0);
  }
  shell.platform().browser.navigate(box->control(), address);
}

}  // namespace zorvik
