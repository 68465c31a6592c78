#pragma once
// The program's icon in the notification area, and icon images made from ICO file bytes.
#include <cstddef>
#include <cstdint>

#include "platform/tray_port.h"

namespace zorvik {

// Turns ICO file bytes into an icon image, or 0. Every offset and size in the bytes is untrusted:
// malformed input yields 0, never a read outside [bytes, bytes + size).
IconHandle iconFromIcoBytes(TrayPort& tray, const std::uint8_t* bytes, std::size_t size,
                            std::int32_t preferredWidth);

// Tray event type of the mouse message the shell reports for the icon: 1 left click, 2 left
// double click, 3 right click or context menu; 0 for anything else.
std::int32_t trayEventType(std::intptr_t mouseMessage);

// The state MainWindow keeps for its tray icon: the image it has installed (owned, destroyed when
// replaced or removed) and the record it installed it with.
class TrayIcon {
 public:
  explicit TrayIcon(TrayPort& tray) : tray_(tray) {}

  // Installs, replaces or removes (no bytes) the window's tray icon. Failures are silent.
  void setTrayIcon(WindowHandle window, const std::uint8_t* bytes, std::size_t size,
                   const char* tip);
  // Adds the icon again after the desktop shell restarted and lost it; nothing if none is held.
  void restoreAfterShellRestart();

  IconHandle image() const { return image_; }

 private:
  TrayPort& tray_;
  IconHandle image_ = 0;
  NotifyIconRecord installed_;
};

}  // namespace zorvik
