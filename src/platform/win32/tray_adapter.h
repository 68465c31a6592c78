#pragma once
// TrayPort on Win32: Shell_NotifyIcon with the first-version record, icons from ICO image bytes.
#include "platform/tray_port.h"
#include "platform/win32/captions.h"

namespace zorvik::win32 {

class TrayAdapter final : public TrayPort {
 public:
  explicit TrayAdapter(Captions captions) : captions_(captions) {}

  bool shellNotifyIcon(std::uint32_t operation, const NotifyIconRecord& record) override;
  IconHandle createIconFromResourceEx(const std::uint8_t* bits, std::uint32_t size, bool icon,
                                      std::uint32_t version, std::int32_t width,
                                      std::int32_t height, std::uint32_t flags) override;
  IconHandle createIconFromResource(const std::uint8_t* bits, std::uint32_t size, bool icon,
                                    std::uint32_t version) override;
  void destroyIcon(IconHandle icon) override;
  std::uint32_t shellRestartMessage() override;

 private:
  Captions captions_;
  std::uint32_t restartMessage_ = 0;  // registered on first request
};

}  // namespace zorvik::win32
