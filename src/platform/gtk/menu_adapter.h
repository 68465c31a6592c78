#pragma once
// MenuPort on Linux: a menu handle names a menu model (its items as AppendMenuA gave them);
// trackPopupMenu shows a model as a GtkMenu and runs a nested main loop until it closes. A menu
// bar is only recorded: the program's is always empty, and an empty bar shows nothing.
#include <gtk/gtk.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/gtk/window_adapter.h"
#include "platform/menu_port.h"

namespace zorvik::gtk {

class MenuAdapter final : public MenuPort {
 public:
  explicit MenuAdapter(WindowAdapter& windows) : windows_(windows) {}

  MenuHandle createMenu() override;
  MenuHandle createPopupMenu() override;
  bool appendMenu(MenuHandle menu, std::uint32_t flags, std::uintptr_t item,
                  const std::string& text) override;
  bool destroyMenu(MenuHandle menu) override;
  bool setMenu(WindowHandle window, MenuHandle menu) override;
  MenuHandle getMenu(WindowHandle window) override;

  Point cursorPos() override;
  bool setForegroundWindow(WindowHandle window) override;
  bool trackPopupMenu(MenuHandle menu, std::uint32_t flags, std::int32_t x, std::int32_t y,
                      WindowHandle owner) override;

  // The tray host asked for the context menu at this root-window point
  // (StatusNotifierItem.ContextMenu): the next cursorPos answers with it, since the host's
  // pointer is not ours to read.
  void setContextMenuPoint(Point point) { contextMenuPoint_ = point; }

 private:
  struct Item {
    std::uint32_t flags = 0;
    std::uintptr_t item = 0;  // command id, or the submenu's handle for MF_POPUP
    std::string text;         // code page 936
  };
  struct Model {
    bool popup = false;
    std::vector<Item> items;
  };

  GtkWidget* buildMenu(const Model& model, std::optional<std::uint32_t>& chosen);

  WindowAdapter& windows_;
  std::map<MenuHandle, Model> menus_;
  MenuHandle last_ = 0x20000;
  std::optional<Point> contextMenuPoint_;
};

}  // namespace zorvik::gtk
