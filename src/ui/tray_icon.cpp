#include "ui/tray_icon.h"

#include "platform/win_values.h"
#include "ui/window_definition.h"

namespace zorvik {

namespace {

constexpr std::size_t IcoHeaderSize = 6;
constexpr std::size_t IcoEntrySize = 16;
// Width, height and bit count of the image header lie within its first 16 bytes.
constexpr std::size_t ImageHeaderBytesRead = 16;
constexpr std::size_t TipBytes = 62;

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t u32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace

IconHandle iconFromIcoBytes(TrayPort& tray, const std::uint8_t* bytes, std::size_t size,
                            std::int32_t preferredWidth) {
  if (bytes == nullptr || size < IcoHeaderSize) return 0;
  const std::uint16_t type = u16(bytes + 2);
  const std::uint16_t count = u16(bytes + 4);
  if (u16(bytes) != 0 || (type != 1 && type != 2) || count < 1) return 0;

  const std::uint8_t* chosen = nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t offset = IcoHeaderSize + IcoEntrySize * i;
    if (offset > size || size - offset < IcoEntrySize) return 0;
    const std::uint8_t* entry = bytes + offset;
    chosen = entry;
    if (entry[2] >= 16 && entry[0] == preferredWidth) break;
  }

  const std::uint32_t imageSize = u32(chosen + 8);
  const std::uint32_t imageOffset = u32(chosen + 12);
  if (imageOffset > size || imageSize > size - imageOffset) return 0;
  if (imageSize < ImageHeaderBytesRead) return 0;
  const std::uint8_t* image = bytes + imageOffset;

  const auto width = static_cast<std::int32_t>(u32(image + 4));
  const auto height = static_cast<std::int32_t>(u32(image + 8)) / 2;
  IconHandle icon = tray.createIconFromResourceEx(image, imageSize, true, win::IconResourceVersion,
                                                  width, height, win::LrDefaultColor);
  if (icon == 0 && u16(image + 14) != 16) {
    icon = tray.createIconFromResource(image, imageSize, true, win::IconResourceVersion);
  }
  return icon;
}

std::int32_t trayEventType(std::intptr_t mouseMessage) {
  switch (mouseMessage) {
    case win::WmLButtonUp:
      return 1;
    case win::WmLButtonDblClk:
      return 2;
    case win::WmRButtonUp:
    case win::WmContextMenu:
      return 3;
    default:
      return 0;
  }
}

void TrayIcon::setTrayIcon(WindowHandle window, const std::uint8_t* bytes, std::size_t size,
                           const char* tip) {
  IconHandle next = 0;
  if (bytes != nullptr && size >= 1) {
    next = iconFromIcoBytes(tray_, bytes, size, 16);
    if (next == 0) next = iconFromIcoBytes(tray_, bytes, size, 32);
  }

  NotifyIconRecord record;
  record.window = window;
  record.id = TrayIconId;
  // At most the first 62 bytes of the tip; the last two bytes of the field stay zero.
  for (std::size_t i = 0; tip != nullptr && i < TipBytes && tip[i] != '\0'; ++i) {
    record.tip[i] = tip[i];
  }
  if (next != 0) {
    record.flags = win::NifMessage | win::NifIcon | win::NifTip;
    record.callbackMessage = TrayCallbackMessage;
    record.icon = next;
  }

  if (image_ != 0) {
    tray_.shellNotifyIcon(next != 0 ? win::NimModify : win::NimDelete, record);
    tray_.destroyIcon(image_);
  } else if (next != 0) {
    tray_.shellNotifyIcon(win::NimAdd, record);
  }
  image_ = next;
  installed_ = record;
}

void TrayIcon::restoreAfterShellRestart() {
  if (image_ != 0) tray_.shellNotifyIcon(win::NimAdd, installed_);
}

}  // namespace zorvik
