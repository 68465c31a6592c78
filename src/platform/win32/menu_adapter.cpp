#include "platform/win32/menu_adapter.h"

#include <windows.h>

#include "platform/win32/win32_handles.h"

namespace zorvik::win32 {

MenuHandle MenuAdapter::createMenu() { return fromHmenu(CreateMenu()); }

MenuHandle MenuAdapter::createPopupMenu() { return fromHmenu(CreatePopupMenu()); }

bool MenuAdapter::appendMenu(MenuHandle menu, std::uint32_t flags, std::uintptr_t item,
                             const std::string& text) {
  if (!captions_.wide()) {
    return AppendMenuA(toHmenu(menu), flags, item, text.c_str()) != FALSE;
  }
  const std::wstring caption = Captions::toWide(text);
  return AppendMenuW(toHmenu(menu), flags, item, caption.c_str()) != FALSE;
}

bool MenuAdapter::destroyMenu(MenuHandle menu) { return DestroyMenu(toHmenu(menu)) != FALSE; }

bool MenuAdapter::setMenu(WindowHandle window, MenuHandle menu) {
  return SetMenu(toHwnd(window), toHmenu(menu)) != FALSE;
}

MenuHandle MenuAdapter::getMenu(WindowHandle window) { return fromHmenu(GetMenu(toHwnd(window))); }

Point MenuAdapter::cursorPos() {
  POINT point{};
  GetCursorPos(&point);
  return Point{point.x, point.y};
}

bool MenuAdapter::setForegroundWindow(WindowHandle window) {
  return SetForegroundWindow(toHwnd(window)) != FALSE;
}

bool MenuAdapter::trackPopupMenu(MenuHandle menu, std::uint32_t flags, std::int32_t x,
                                 std::int32_t y, WindowHandle owner) {
  return TrackPopupMenu(toHmenu(menu), flags, x, y, 0, toHwnd(owner), nullptr) != FALSE;
}

}  // namespace zorvik::win32
