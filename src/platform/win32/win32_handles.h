#pragma once
// Conversions between the ports' opaque handle integers and the Win32 handle types. A handle keeps
// its value across the conversion; ownership stays with whoever created the object.
#include <windows.h>

#include "platform/handles.h"

namespace zorvik::win32 {

inline HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle fromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }
inline HMENU toHmenu(MenuHandle menu) { return reinterpret_cast<HMENU>(menu); }
inline MenuHandle fromHmenu(HMENU menu) { return reinterpret_cast<MenuHandle>(menu); }
inline HICON toHicon(IconHandle icon) { return reinterpret_cast<HICON>(icon); }
inline IconHandle fromHicon(HICON icon) { return reinterpret_cast<IconHandle>(icon); }

inline MSG toMsg(const Message& message) {
  MSG msg{};
  msg.hwnd = toHwnd(message.window);
  msg.message = message.message;
  msg.wParam = static_cast<WPARAM>(message.wParam);
  msg.lParam = static_cast<LPARAM>(message.lParam);
  return msg;
}

inline Message fromMsg(const MSG& msg) {
  return Message{fromHwnd(msg.hwnd), msg.message, static_cast<std::uintptr_t>(msg.wParam),
                 static_cast<std::intptr_t>(msg.lParam)};
}

}  // namespace zorvik::win32
