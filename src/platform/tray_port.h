#pragma once
// The notification area and icon images made from ICO bytes.
#include <array>
#include <cstdint>

#include "platform/handles.h"

namespace zorvik {

// The first-version NOTIFYICONDATAA record, field by field.
struct NotifyIconRecord {
  WindowHandle window = 0;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  IconHandle icon = 0;
  std::array<char, 64> tip{};
  bool operator==(const NotifyIconRecord&) const = default;
};

class TrayPort {
 public:
  virtual ~TrayPort() = default;
  virtual bool shellNotifyIcon(std::uint32_t operation, const NotifyIconRecord& record) = 0;
  virtual IconHandle createIconFromResourceEx(const std::uint8_t* bits, std::uint32_t size,
                                              bool icon, std::uint32_t version, std::int32_t width,
                                              std::int32_t height, std::uint32_t flags) = 0;
  virtual IconHandle createIconFromResource(const std::uint8_t* bits, std::uint32_t size, bool icon,
                                            std::uint32_t version) = 0;
  virtual void destroyIcon(IconHandle icon) = 0;
  // The message the desktop shell broadcasts when it (re)starts and tray icons must be added
  // again ("TaskbarCreated"); 0 where the adapter reports the restart as that message anyway.
  virtual std::uint32_t shellRestartMessage() = 0;
};

}  // namespace zorvik
