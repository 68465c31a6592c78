#include "ui/main_window.h"

#include "app/app_shell.h"
#include "ui/program_handlers.h"
#include "web/browser_box.h"

namespace zorvik {

namespace {

std::uint32_t lowWord(std::uintptr_t value) { return static_cast<std::uint32_t>(value & 0xFFFF); }

// Division truncated toward zero, as the placement needs for screens smaller than the window.
std::int32_t centred(std::int32_t screen, std::int32_t size) { return (screen - size) / 2; }

}  // namespace

MainWindow::MainWindow(AppShell& shell, WindowDefinitionEntry& entry)
    : shell_(shell), platform_(shell.platform()), entry_(entry), trayIcon_(shell.platform().tray) {}

MainWindow::~MainWindow() = default;

WindowDefinition& MainWindow::definition() { return entry_.definition; }

bool MainWindow::loadWindow() {
  // Until the created event nothing the platform raises reaches a program handler.
  loading_ = true;
  WindowPort& windows = platform_.window;
  const WindowSettings& settings = definition().settings;

  if (!windows.classExists(MainWindowClassName)) {
    windows.registerClass({MainWindowClassName, win::CsVRedraw | win::CsHRedraw | win::CsDblClks,
                           true, win::NullBrush});
  }

  MenuBar bar = buildMenuBar(platform_.menu, definition().menuEntries);
  accelerators_ = bar.accelerators;

  const std::int32_t x = centred(windows.systemMetrics(win::SmCxScreen), settings.width);
  const std::int32_t y = centred(windows.systemMetrics(win::SmCyScreen), settings.height);

  WindowCreation request;
  request.exStyle = 0;
  request.className = MainWindowClassName;
  request.title = settings.title;
  request.style = windowStyle(settings);
  request.x = x;
  request.y = y;
  request.width = settings.width;
  request.height = settings.height;
  request.parent = 0;
  request.menuOrId = bar.menu;
  handle_ = windows.createWindow(request, this);
  if (handle_ == 0) {
    platform_.menu.destroyMenu(bar.menu);
    loading_ = false;
    return false;
  }
  entry_.live = this;

  const Rect outer = windows.windowRect(handle_);
  if (outer.right - outer.left != settings.width || outer.bottom - outer.top != settings.height) {
    windows.moveWindow(handle_, x, y, settings.width, settings.height, true);
  }

  windows.sendMessage({handle_, win::WmSetIcon, win::IconBig,
                       static_cast<std::intptr_t>(shell_.applicationIcon(32))});
  windows.sendMessage({handle_, win::WmSetIcon, win::IconSmall,
                       static_cast<std::intptr_t>(shell_.applicationIcon(16))});
  windows.sendMessage({handle_, win::WmSetFont, windows.stockObject(win::DefaultGuiFont), 1});

  const ControlDefinition& control = definition().controls.at(0);
  browserBox_ = BrowserBox::create(shell_, *this, control, handle_);
  if (!browserBox_) return false;  // the window stays; the shell ends the program
  windows.showWindow(browserBox_->hostWindow(), control.visible ? win::SwShowNa : win::SwHide);

  loading_ = false;
  if (definition().onCreated) definition().onCreated();

  // The moved and resized events follow; the program binds no handler to them.
  if (handle_ != 0 && settings.visible) windows.showWindow(handle_, win::SwShow);
  return true;
}

bool MainWindow::isVisible() { return platform_.window.isWindowVisible(handle_); }

void MainWindow::setVisible(bool on) {
  definition().settings.visible = on;
  platform_.window.showWindow(handle_, on ? win::SwShow : win::SwHide);
}

void MainWindow::setPosition(std::int32_t mode) {
  definition().settings.position = mode;
  if (!isVisible()) return;
  if (mode == 1) centre();
}

void MainWindow::centre() {
  WindowPort& windows = platform_.window;
  if (windows.isIconic(handle_) || windows.isZoomed(handle_)) {
    windows.showWindow(handle_, win::SwRestore);
  }
  const Rect outer = windows.windowRect(handle_);
  const std::int32_t x = centred(windows.systemMetrics(win::SmCxScreen), outer.right - outer.left);
  const std::int32_t y = centred(windows.systemMetrics(win::SmCyScreen), outer.bottom - outer.top);
  if (x != outer.left || y != outer.top) {
    windows.setWindowPos(handle_, {x, y, x, y},
                         win::SwpNoSize | win::SwpNoZOrder | win::SwpNoActivate);
  }
}

void MainWindow::requestDestroy() {
  destroyPending_ = true;
  platform_.window.postMessage({handle_, DestroyRequestMessage, 0, 0});
}

void MainWindow::onBrowserBoxGone() { closedBrowserBox_ = std::move(browserBox_); }

std::optional<std::intptr_t> MainWindow::handleMessage(const Message& message) {
  WindowPort& windows = platform_.window;
  switch (message.message) {
    case win::WmDestroy: {
      windows.defWindowProc(message);
      const MenuHandle bar = platform_.menu.getMenu(handle_);
      platform_.menu.setMenu(handle_, 0);
      if (bar != 0) platform_.menu.destroyMenu(bar);
      trayIcon_.setTrayIcon(handle_, nullptr, 0, nullptr);
      return 0;
    }
    case win::WmNcDestroy: {
      windows.defWindowProc(message);
      closedBrowserBox_.reset();
      entry_.live = nullptr;
      handle_ = 0;
      shell_.onProgramWindowGone();
      rememberedFocus_ = 0;
      destroyPending_ = false;
      return 0;
    }
    default:
      break;
  }
  if (loading_) return std::nullopt;

  switch (message.message) {
    case TrayCallbackMessage: {
      const std::int32_t type = trayEventType(message.lParam);
      if (type != 0 && definition().onTrayEvent) definition().onTrayEvent(type);
      return 0;
    }
    case DestroyRequestMessage:
      if (destroyPending_) {
        destroyPending_ = false;
        windows.destroyWindow(handle_);
      }
      return 0;
    case win::WmCommand:
      onMenuCommand(lowWord(message.wParam));
      return 0;
    case win::WmClose:
      // Neither close-query event has a handler, so the close is never refused: the default
      // handling destroys the window.
      return std::nullopt;
    case win::WmQueryEndSession:
      windows.defWindowProc(message);
      return 1;
    case win::WmActivate:
      if (lowWord(message.wParam) == win::WaInactive) {
        const WindowHandle focused = windows.focus();
        if (focused != 0 && windows.isChild(handle_, focused)) rememberedFocus_ = focused;
      }
      return std::nullopt;
    case win::WmSetFocus:
      applyFocusRule();
      return 0;
    case win::WmLButtonDown:
      if (definition().settings.dragAnywhere) {
        windows.postMessage(
            {handle_, win::WmNcLButtonDown, static_cast<std::uintptr_t>(win::HtCaption), 0});
      }
      return std::nullopt;
    case win::WmPaint:
      windows.paintBackground(handle_, definition().settings.backColour);
      return 0;
    default:
      break;
  }
  const std::uint32_t restart = platform_.tray.shellRestartMessage();
  if (restart != 0 && message.message == restart) {
    // The shell lost every tray icon when it restarted; without ours a hidden window could be
    // neither reached nor ended.
    trayIcon_.restoreAfterShellRestart();
    return 0;
  }
  return std::nullopt;
}

void MainWindow::onMenuCommand(std::uint32_t command) {
  // Identifiers from 57600 up belong to the platform; below MenuCommandBase to other components.
  if (command >= 57600 || command < MenuCommandBase) return;
  const std::size_t index = command - MenuCommandBase;
  const std::vector<MenuEntry>& entries = definition().menuEntries;
  if (index >= entries.size()) return;
  if (entries[index].selected) entries[index].selected();
}

void MainWindow::applyFocusRule() {
  WindowPort& windows = platform_.window;
  const WindowHandle remembered = rememberedFocus_;
  rememberedFocus_ = 0;
  if (remembered != 0 && windows.isWindow(remembered) && windows.isChild(handle_, remembered)) {
    windows.setFocus(remembered);
    return;
  }
  const ControlDefinition& control = definition().controls.at(0);
  if (browserBox_ && control.visible && !control.disabled && control.focusable) {
    windows.setFocus(browserBox_->hostWindow());
  }
}

bool MainWindow::moveFocusAmongControls() {
  // BrowserBox is the only focusable control, so the focus never leaves it: only a focus outside
  // it moves there.
  WindowPort& windows = platform_.window;
  if (!browserBox_) return true;
  const WindowHandle host = browserBox_->hostWindow();
  const WindowHandle focused = windows.focus();
  if (focused != host && !windows.isChild(host, focused)) windows.setFocus(host);
  return true;
}

bool MainWindow::preTranslateMessage(const Message& message) {
  if (message.message != win::WmKeyDown && message.message != win::WmSysKeyDown) return false;
  WindowPort& windows = platform_.window;
  const bool ctrl = windows.keyState(win::VkControl) < 0;
  const bool shift = windows.keyState(win::VkShift) < 0;
  const bool alt = windows.keyState(win::VkMenu) < 0;
  const auto key = static_cast<std::uint32_t>(message.wParam);

  for (const Accelerator& accelerator : accelerators_) {
    if (accelerator.virtualKey == key && accelerator.ctrl == ctrl && accelerator.shift == shift &&
        !alt) {
      windows.sendMessage({handle_, win::WmCommand, accelerator.command, 0});
      return true;
    }
  }
  if (key == win::VkEscape && !ctrl && !shift && !alt) {
    if (definition().settings.escapeCloses) {
      windows.sendMessage({handle_, win::WmClose, 0, 0});
      return true;
    }
    return false;
  }
  if (key == win::VkTab && !ctrl && !alt) return moveFocusAmongControls();
  return false;
}

}  // namespace zorvik
