#include "platform/gtk/menu_adapter.h"

#include "platform/gtk/captions.h"
#include "platform/gtk/screen_origin.h"
#include "platform/win_values.h"

namespace zorvik::gtk {
namespace {

constexpr char CommandKey[] = "zorvik-command";

struct Tracking {
  std::optional<std::uint32_t>* chosen = nullptr;
  bool closed = false;
};

void onItemActivate(GtkMenuItem* item, gpointer data) {
  auto* chosen = static_cast<std::optional<std::uint32_t>*>(data);
  *chosen = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(item), CommandKey));
}

void onMenuClosed(GtkWidget*, gpointer data) { static_cast<Tracking*>(data)->closed = true; }

}  // namespace

MenuHandle MenuAdapter::createMenu() {
  menus_[++last_] = Model{false, {}};
  return last_;
}

MenuHandle MenuAdapter::createPopupMenu() {
  menus_[++last_] = Model{true, {}};
  return last_;
}

bool MenuAdapter::appendMenu(MenuHandle menu, std::uint32_t flags, std::uintptr_t item,
                             const std::string& text) {
  const auto it = menus_.find(menu);
  if (it == menus_.end()) return false;
  if ((flags & win::MfPopup) != 0 && !menus_.contains(item)) return false;
  it->second.items.push_back(Item{flags, item, text});
  return true;
}

bool MenuAdapter::destroyMenu(MenuHandle menu) {
  const auto it = menus_.find(menu);
  if (it == menus_.end()) return false;
  const std::vector<Item> items = it->second.items;
  menus_.erase(it);
  // Submenus go with their menu, as DestroyMenu does.
  for (const Item& item : items) {
    if ((item.flags & win::MfPopup) != 0) destroyMenu(item.item);
  }
  return true;
}

bool MenuAdapter::setMenu(WindowHandle window, MenuHandle menu) {
  WindowRecord* record = windows_.find(window);
  if (record == nullptr || record->kind != WindowRecord::Kind::TopLevel) return false;
  if (menu != 0 && !menus_.contains(menu)) return false;
  record->menu = menu;
  return true;
}

MenuHandle MenuAdapter::getMenu(WindowHandle window) {
  WindowRecord* record = windows_.find(window);
  return record == nullptr ? 0 : record->menu;
}

Point MenuAdapter::cursorPos() {
  const Point origin = primaryScreenOrigin();
  if (contextMenuPoint_.has_value()) {
    const Point point = *contextMenuPoint_;
    contextMenuPoint_.reset();
    return Point{point.x - origin.x, point.y - origin.y};
  }
  GdkDisplay* display = gdk_display_get_default();
  GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
  gint x = 0;
  gint y = 0;
  gdk_device_get_position(pointer, nullptr, &x, &y);
  return Point{x - origin.x, y - origin.y};
}

bool MenuAdapter::setForegroundWindow(WindowHandle window) {
  // Nothing to do: on X11 the pop-up grabs pointer and keyboard itself, and a hidden window must
  // stay hidden.
  return windows_.isWindow(window);
}

GtkWidget* MenuAdapter::buildMenu(const Model& model, std::optional<std::uint32_t>& chosen) {
  GtkWidget* menu = gtk_menu_new();
  for (const Item& item : model.items) {
    GtkWidget* row = nullptr;
    if ((item.flags & win::MfSeparator) != 0) {
      row = gtk_separator_menu_item_new();
    } else {
      const std::string label = utf8FromCp936(item.text);
      if ((item.flags & win::MfChecked) != 0) {
        row = gtk_check_menu_item_new_with_label(label.c_str());
        gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(row), TRUE);
      } else {
        row = gtk_menu_item_new_with_label(label.c_str());
      }
      if ((item.flags & win::MfPopup) != 0) {
        const auto submenu = menus_.find(item.item);
        if (submenu != menus_.end()) {
          gtk_menu_item_set_submenu(GTK_MENU_ITEM(row), buildMenu(submenu->second, chosen));
        }
      } else {
        g_object_set_data(G_OBJECT(row), CommandKey,
                          GUINT_TO_POINTER(static_cast<guint>(item.item & 0xFFFF)));
        g_signal_connect(row, "activate", G_CALLBACK(onItemActivate), &chosen);
      }
      gtk_widget_set_sensitive(row, (item.flags & win::MfGrayed) == 0);
    }
    gtk_widget_show(row);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), row);
  }
  return menu;
}

bool MenuAdapter::trackPopupMenu(MenuHandle menu, std::uint32_t flags, std::int32_t x,
                                 std::int32_t y, WindowHandle owner) {
  const auto model = menus_.find(menu);
  if (model == menus_.end() || !windows_.isWindow(owner)) return false;
  std::optional<std::uint32_t> chosen;
  GtkWidget* popup = buildMenu(model->second, chosen);
  g_object_ref_sink(popup);

  GdkDisplay* display = gdk_display_get_default();
  GdkWindow* root = gdk_screen_get_root_window(gdk_screen_get_default());
  const Point origin = primaryScreenOrigin();
  // GTK wants the event that asked for the menu (for the device it grabs); there is none of ours,
  // so make one at the requested point.
  GdkEvent* trigger = gdk_event_new(GDK_BUTTON_RELEASE);
  trigger->button.window = GDK_WINDOW(g_object_ref(root));
  trigger->button.send_event = TRUE;
  trigger->button.time = GDK_CURRENT_TIME;
  trigger->button.x = x + origin.x;
  trigger->button.y = y + origin.y;
  trigger->button.x_root = x + origin.x;
  trigger->button.y_root = y + origin.y;
  trigger->button.button = 3;
  gdk_event_set_device(trigger, gdk_seat_get_pointer(gdk_display_get_default_seat(display)));

  Tracking tracking;
  tracking.chosen = &chosen;
  const gulong deactivated =
      g_signal_connect(popup, "deactivate", G_CALLBACK(onMenuClosed), &tracking);
  const gulong hidden = g_signal_connect(popup, "hide", G_CALLBACK(onMenuClosed), &tracking);
  const GdkRectangle point{x + origin.x, y + origin.y, 1, 1};
  // TPM_RIGHTALIGN puts the menu's top-right corner at the point, otherwise its top-left corner.
  const GdkGravity menuAnchor =
      (flags & win::TpmRightAlign) != 0 ? GDK_GRAVITY_NORTH_EAST : GDK_GRAVITY_NORTH_WEST;
  gtk_menu_popup_at_rect(GTK_MENU(popup), root, &point, GDK_GRAVITY_NORTH_WEST, menuAnchor,
                         trigger);
  gdk_event_free(trigger);

  // The menu could not grab the pointer and keyboard: it never showed, so it never closes.
  if (!gtk_widget_get_visible(popup)) tracking.closed = true;
  // The modal loop; a choice's "activate" comes within the same event as the closing.
  while (!tracking.closed) g_main_context_iteration(nullptr, TRUE);

  g_signal_handler_disconnect(popup, deactivated);
  g_signal_handler_disconnect(popup, hidden);
  gtk_widget_destroy(popup);
  g_object_unref(popup);
  if (chosen.has_value() && windows_.isWindow(owner)) {
    windows_.postMessage(Message{owner, win::WmCommand, *chosen, 0});
  }
  return true;
}

}  // namespace zorvik::gtk
