#include "ui/menu_builder.h"

#include <optional>

namespace zorvik {

namespace {

constexpr std::uint32_t VkF1 = 0x70;
constexpr std::uint32_t VkInsert = 0x2D;
constexpr std::uint32_t VkDelete = 0x2E;

bool hasChildren(const std::vector<MenuEntry>& entries, std::size_t index) {
  return index + 1 < entries.size() && entries[index + 1].level > entries[index].level;
}

// Index of the first entry after `index` that does not lie under it.
std::size_t endOfSubtree(const std::vector<MenuEntry>& entries, std::size_t index) {
  std::size_t next = index + 1;
  while (next < entries.size() && entries[next].level > entries[index].level) ++next;
  return next;
}

std::uint32_t commandOf(std::size_t index) {
  return MenuCommandBase + static_cast<std::uint32_t>(index);
}

std::optional<Accelerator> acceleratorFor(std::uint32_t code, std::uint32_t command) {
  if (code >= 1 && code <= 26) return Accelerator{'A' + code - 1, true, false, command};
  if (code >= 27 && code <= 74) {
    const std::uint32_t group = (code - 27) / 12;
    const std::uint32_t key = VkF1 + (code - 27) % 12;
    return Accelerator{key, group == 1 || group == 3, group == 2 || group == 3, command};
  }
  if (code == 75) return Accelerator{VkInsert, false, false, command};
  if (code == 76) return Accelerator{VkDelete, false, false, command};
  return std::nullopt;
}

}  // namespace

std::string shortcutName(std::uint32_t code) {
  if (code >= 1 && code <= 26) return std::string("Ctrl+") + static_cast<char>('A' + code - 1);
  if (code >= 27 && code <= 74) {
    static const char* const prefixes[] = {"", "Ctrl+", "Shift+", "Ctrl+Shift+"};
    return std::string(prefixes[(code - 27) / 12]) + "F" + std::to_string((code - 27) % 12 + 1);
  }
  if (code == 75) return "Ins";
  if (code == 76) return "Del";
  return "";
}

void appendChildren(MenuPort& menus, MenuHandle popup, const std::vector<MenuEntry>& entries,
                    std::size_t top, std::vector<Accelerator>* accelerators) {
  const std::size_t end = endOfSubtree(entries, top);
  std::size_t index = top + 1;
  while (index < end) {
    const MenuEntry& entry = entries[index];
    const bool hidden = (entry.flags & MenuHidden) != 0;
    const std::uint32_t grayed = (entry.flags & MenuDisabled) != 0 ? win::MfGrayed : 0;
    if (hasChildren(entries, index)) {
      if (!hidden) {
        const MenuHandle submenu = menus.createPopupMenu();
        appendChildren(menus, submenu, entries, index, accelerators);
        menus.appendMenu(popup, win::MfPopup | grayed, submenu, entry.caption);
      }
      index = endOfSubtree(entries, index);
      continue;
    }
    if (!hidden) {
      std::string text = entry.caption;
      if (entry.shortcut != 0) {
        text += '\t';
        text += shortcutName(entry.shortcut);
      }
      if (text == "-") {
        menus.appendMenu(popup, win::MfSeparator, commandOf(index), "");
      } else {
        const std::uint32_t checked = (entry.flags & MenuChecked) != 0 ? win::MfChecked : 0;
        menus.appendMenu(popup, win::MfString | checked | grayed, commandOf(index), text);
        if (accelerators != nullptr && entry.shortcut != 0) {
          if (auto accelerator = acceleratorFor(entry.shortcut, commandOf(index))) {
            accelerators->push_back(*accelerator);
          }
        }
      }
    }
    ++index;
  }
}

MenuBar buildMenuBar(MenuPort& menus, const std::vector<MenuEntry>& entries) {
  MenuBar bar;
  bar.menu = menus.createMenu();
  std::size_t index = 0;
  while (index < entries.size()) {
    const MenuEntry& top = entries[index];
    if ((top.flags & MenuHidden) == 0) {
      const MenuHandle popup = menus.createPopupMenu();
      appendChildren(menus, popup, entries, index, &bar.accelerators);
      const std::uint32_t grayed = (top.flags & MenuDisabled) != 0 ? win::MfGrayed : 0;
      menus.appendMenu(bar.menu, win::MfPopup | grayed, popup, top.caption);
    }
    index = endOfSubtree(entries, index);
  }
  return bar;
}

}  // namespace zorvik
