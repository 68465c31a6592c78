#pragma once
// The fixed definition of the program's one window: settings, event bindings, menu entries and
// controls. Read once at start-up into the shell's window definition table.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/win_values.h"

namespace zorvik {

inline constexpr std::uint32_t MainWindowId = 1;
inline constexpr std::uint32_t MenuCommandBase = 20000;
inline constexpr std::uint32_t TrayCallbackMessage = win::WmApp + 100;
inline constexpr std::uint32_t DestroyRequestMessage = win::WmApp + 101;
inline constexpr std::uint32_t TrayIconId = 100;
inline constexpr std::uint32_t BrowserBoxControlId = 100;

// Bits of MenuEntry::flags.
inline constexpr std::uint32_t MenuHidden = 1;
inline constexpr std::uint32_t MenuDisabled = 2;
inline constexpr std::uint32_t MenuChecked = 4;

struct MenuEntry {
  std::uint32_t shortcut = 0;  // 0 none; 1..76 see shortcutName()
  std::uint32_t level = 0;     // nesting depth, 0 = top level
  std::uint32_t flags = 0;
  const char* caption = "";        // code page 936; exactly "-" makes a separator
  std::function<void()> selected;  // the program's handler, or empty
};

struct ControlDefinition {
  const char* name = "";
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool visible = true;
  bool disabled = false;
  bool focusable = false;
  std::int32_t tabOrder = 0;
  const char* tag = "";
  // The control's own stored settings record (for BrowserBox: see browser_box_settings.h).
  std::vector<std::uint8_t> settingsRecord;
};

struct WindowSettings {
  std::int32_t left = 50;
  std::int32_t top = 50;
  std::int32_t width = 414;
  std::int32_t height = 575;
  bool visible = true;
  bool disabled = false;
  bool focusable = false;
  std::int32_t tabOrder = 0;
  const char* tag = "";
  const char* title = "";
  std::int32_t borderStyle = 2;
  std::uint32_t backColour = 0x00FFFFFF;
  bool controlBox = true;
  bool maximizeButton = false;
  bool minimizeButton = true;
  std::int32_t position = 1;  // 0 normal, 1 centred, 2 minimized, 3 maximized
  bool movable = true;
  bool enterMovesFocus = false;
  bool escapeCloses = true;
  bool f1OpensHelp = false;
  bool showInTaskbar = true;
  bool dragAnywhere = true;
  std::int32_t shape = 0;
  bool alwaysOnTop = false;
  bool keepTitleActive = false;
};

struct WindowDefinition {
  WindowSettings settings;
  std::function<void()> onCreated;
  std::function<void(std::int32_t)> onTrayEvent;
  std::vector<MenuEntry> menuEntries;
  std::vector<ControlDefinition> controls;
};

// MainWindow's definition as the program stores it, with no handler bound yet.
WindowDefinition mainWindowDefinition();

// The window style the settings yield: always WS_CLIPCHILDREN; a caption for a framed window with
// a title; the system menu and the minimize/maximize boxes as the settings say. Never WS_VISIBLE.
std::uint32_t windowStyle(const WindowSettings& settings);

// The window style of a control from its common settings (without WS_CHILD, which the control
// adds itself).
std::uint32_t controlStyle(const ControlDefinition& control);

}  // namespace zorvik
