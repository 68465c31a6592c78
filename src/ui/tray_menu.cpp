#include "ui/tray_menu.h"

#include "app/texts.h"
#include "ui/main_window.h"
#include "ui/menu_builder.h"

namespace zorvik {

void popUpTrayMenu(Platform& platform, MainWindow& window, const MenuEntry* entry) {
  const std::vector<MenuEntry>& entries = window.definition().menuEntries;
  if (entries.empty() || entry < entries.data() || entry >= entries.data() + entries.size()) {
    return;
  }
  const auto index = static_cast<std::size_t>(entry - entries.data());
  if (index + 1 >= entries.size() || entries[index + 1].level <= entry->level) return;

  MenuPort& menus = platform.menu;
  const MenuHandle popup = menus.createPopupMenu();
  appendChildren(menus, popup, entries, index);
  const Point pointer = menus.cursorPos();
  menus.setForegroundWindow(window.handle());
  menus.trackPopupMenu(popup, win::TpmRightAlign | win::TpmTopAlign | win::TpmLeftButton,
                       pointer.x - 5, pointer.y - 5, window.handle());
  // Lets the menu's owner see the next click after the menu closed, so the menu dismisses.
  platform.window.postMessage({window.handle(), win::WmNull, 0, 0});
  menus.destroyMenu(popup);
}

void openUrl(Platform& platform, const char* url) {
  const WindowHandle owner = platform.shell.findTopLevelWindow(texts::IeWindowTitle);
  platform.shell.shellExecute(owner, texts::OpenVerb, url, win::SwShowNormal);
}

}  // namespace zorvik
