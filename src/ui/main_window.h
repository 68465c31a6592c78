#pragma once
// MainWindow: the program's only top-level window, made from its fixed definition. It owns
// BrowserBox, its menu bar and the tray icon, turns the platform's messages into the program's
// events, and offers the window operations the handlers use.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "platform/window_procedure.h"
#include "ui/menu_builder.h"
#include "ui/tray_icon.h"
#include "ui/window_definition.h"

namespace zorvik {

class AppShell;
class BrowserBox;
struct WindowDefinitionEntry;

inline constexpr const char* MainWindowClassName = "ZorvikMainWindow";

class MainWindow : public WindowProcedure {
 public:
  MainWindow(AppShell& shell, WindowDefinitionEntry& entry);
  ~MainWindow() override;

  // Creates the window and its control, runs the created event, and shows the window. False when
  // the window or BrowserBox could not be made.
  bool loadWindow();

  bool isVisible();
  void setVisible(bool on);
  void setPosition(std::int32_t mode);
  void requestDestroy();

  std::optional<std::intptr_t> handleMessage(const Message& message) override;
  // The window's keyboard settings, applied while the event loop pre-translates a key message
  // addressed to this window or to a window inside it. True when the key was consumed.
  bool preTranslateMessage(const Message& message);

  WindowHandle handle() const { return handle_; }
  WindowDefinition& definition();
  TrayIcon& trayIcon() { return trayIcon_; }
  BrowserBox* browserBox() { return browserBox_.get(); }
  bool destroyPending() const { return destroyPending_; }
  // Called by BrowserBox once its window is gone; the view is freed with the window's own state.
  void onBrowserBoxGone();

 private:
  void centre();
  void onMenuCommand(std::uint32_t command);
  void applyFocusRule();
  bool moveFocusAmongControls();

  AppShell& shell_;
  Platform& platform_;
  WindowDefinitionEntry& entry_;
  WindowHandle handle_ = 0;
  bool loading_ = false;
  bool destroyPending_ = false;
  WindowHandle rememberedFocus_ = 0;
  std::vector<Accelerator> accelerators_;
  TrayIcon trayIcon_;
  std::unique_ptr<BrowserBox> browserBox_;
  // A view whose window is gone; released when the main window's own state goes.
  std::unique_ptr<BrowserBox> closedBrowserBox_;
};

}  // namespace zorvik
