#include "platform/win32/tray_adapter.h"

#include <windows.h>
//
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/win32_handles.h"

namespace zorvik::win32 {

// The first-version record: 88 bytes on 32-bit Windows, wider on 64-bit for its two handles.
#if defined(__i386__)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88);
#elif defined(__x86_64__)
static_assert(NOTIFYICONDATAA_V1_SIZE == 104);
#endif

namespace {

template <typename Data>
void fillCommonFields(Data& data, const NotifyIconRecord& record) {
  data.hWnd = toHwnd(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = toHicon(record.icon);
}

}  // namespace

bool TrayAdapter::shellNotifyIcon(std::uint32_t operation, const NotifyIconRecord& record) {
  if (!captions_.wide()) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    fillCommonFields(data, record);
    // The headers declare the later, longer tip; a first-version record holds its first 64 bytes.
    static_assert(sizeof(data.szTip) >= std::tuple_size_v<decltype(record.tip)>);
    std::memcpy(data.szTip, record.tip.data(), record.tip.size());
    return Shell_NotifyIconA(operation, &data) != FALSE;
  }
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  fillCommonFields(data, record);
  const std::wstring tip = Captions::toWide(std::string_view(record.tip.data(), record.tip.size()));
  // A first-version record holds 64 characters of tip; keep the terminating zero within them.
  const std::size_t count = std::min<std::size_t>(tip.size(), 63);
  std::copy_n(tip.begin(), count, data.szTip);
  return Shell_NotifyIconW(operation, &data) != FALSE;
}

IconHandle TrayAdapter::createIconFromResourceEx(const std::uint8_t* bits, std::uint32_t size,
                                                 bool icon, std::uint32_t version,
                                                 std::int32_t width, std::int32_t height,
                                                 std::uint32_t flags) {
  // The call only reads the bytes; its parameter is not const in the Win32 headers.
  return fromHicon(CreateIconFromResourceEx(const_cast<PBYTE>(bits), size, icon ? TRUE : FALSE,
                                            version, width, height, flags));
}

IconHandle TrayAdapter::createIconFromResource(const std::uint8_t* bits, std::uint32_t size,
                                               bool icon, std::uint32_t version) {
  return fromHicon(
      CreateIconFromResource(const_cast<PBYTE>(bits), size, icon ? TRUE : FALSE, version));
}

void TrayAdapter::destroyIcon(IconHandle icon) { DestroyIcon(toHicon(icon)); }

std::uint32_t TrayAdapter::shellRestartMessage() {
  if (restartMessage_ == 0) restartMessage_ = RegisterWindowMessageA("TaskbarCreated");
  return restartMessage_;
}

}  // namespace zorvik::win32
