#pragma once
// Building menus from a window's stored menu entries: the window's menu bar and the pop-up of one
// entry's children. Entry k always carries the command identifier MenuCommandBase + k, whether
// it is shown or left out.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/menu_port.h"
#include "ui/window_definition.h"

namespace zorvik {

// A keyboard accelerator that an appended item with a shortcut gives its window.
struct Accelerator {
  std::uint32_t virtualKey = 0;
  bool ctrl = false;
  bool shift = false;
  std::uint32_t command = 0;
  bool operator==(const Accelerator&) const = default;
};

struct MenuBar {
  MenuHandle menu = 0;
  std::vector<Accelerator> accelerators;
};

// The key name of shortcut code 1..76 ("Ctrl+A" .. "Del"); empty for any other code.
std::string shortcutName(std::uint32_t code);

// Appends the children of entry `top` to `popup`, recursing into submenus.
void appendChildren(MenuPort& menus, MenuHandle popup, const std::vector<MenuEntry>& entries,
                    std::size_t top, std::vector<Accelerator>* accelerators = nullptr);

MenuBar buildMenuBar(MenuPort& menus, const std::vector<MenuEntry>& entries);

}  // namespace zorvik
