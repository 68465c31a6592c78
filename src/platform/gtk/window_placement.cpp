// WindowPort on Linux: placement, size and showing of the program's windows.
#include <gdk/gdkx.h>

#include <algorithm>

#include "platform/gtk/screen_origin.h"
#include "platform/gtk/window_adapter.h"
#include "platform/gtk/window_internal.h"
#include "platform/win_values.h"

namespace zorvik::gtk {
namespace {

using window_internal::height;
using window_internal::makeLParam;
using window_internal::width;

constexpr std::uint32_t SwpNoMove = 0x0002;
constexpr std::uint32_t SizeRestored = 0;
constexpr std::uint32_t SizeMinimized = 1;

}  // namespace

// --- Geometry ---------------------------------------------------------------------------------

void WindowAdapter::applyTopLevelGeometry(WindowRecord& record) {
  const int clientWidth = std::max(width(record.rect) - record.frame.left - record.frame.right, 1);
  const int clientHeight =
      std::max(height(record.rect) - record.frame.top - record.frame.bottom, 1);
  // A window that cannot be resized takes exactly its content's size.
  gtk_widget_set_size_request(record.client, clientWidth, clientHeight);
  gtk_window_resize(GTK_WINDOW(record.widget), clientWidth, clientHeight);
  // With the default north-west gravity the window manager puts the frame's corner here.
  const Point origin = primaryScreenOrigin();
  gtk_window_move(GTK_WINDOW(record.widget), record.rect.left + origin.x,
                  record.rect.top + origin.y);
}

void WindowAdapter::placeChild(WindowRecord& record, const Rect& rect) {
  const bool moved = rect.left != record.rect.left || rect.top != record.rect.top;
  const bool sized = width(rect) != width(record.rect) || height(rect) != height(record.rect);
  record.rect = rect;
  GtkWidget* container = gtk_widget_get_parent(record.widget);
  if (container != nullptr && GTK_IS_FIXED(container)) {
    gtk_fixed_move(GTK_FIXED(container), record.widget, rect.left, rect.top);
  }
  gtk_widget_set_size_request(record.widget, std::max(width(rect), 0), std::max(height(rect), 0));
  const WindowHandle handle = record.handle;
  // Windows reports a child's new place and size before SetWindowPos returns.
  if (moved) sendMessage(Message{handle, win::WmMove, 0, makeLParam(rect.left, rect.top)});
  if (sized && find(handle) != nullptr) {
    sendMessage(Message{handle, win::WmSize, SizeRestored, makeLParam(width(rect), height(rect))});
  }
}

Point WindowAdapter::clientOrigin(WindowRecord& record) {
  if (record.kind == WindowRecord::Kind::TopLevel) {
    return Point{record.rect.left + record.frame.left, record.rect.top + record.frame.top};
  }
  WindowRecord* parent = find(record.parent);
  const Point origin = parent == nullptr ? Point{} : clientOrigin(*parent);
  return Point{origin.x + record.rect.left, origin.y + record.rect.top};
}

Rect WindowAdapter::windowRect(WindowHandle window) {
  WindowRecord* record = find(window);
  if (record == nullptr) return Rect{};
  if (record->kind == WindowRecord::Kind::TopLevel) return record->rect;
  const Point origin = clientOrigin(*record);
  return Rect{origin.x, origin.y, origin.x + width(record->rect), origin.y + height(record->rect)};
}

Rect WindowAdapter::clientRect(WindowHandle window) {
  WindowRecord* record = find(window);
  if (record == nullptr) return Rect{};
  if (record->kind != WindowRecord::Kind::TopLevel) {
    return Rect{0, 0, width(record->rect), height(record->rect)};
  }
  return Rect{0, 0, std::max(width(record->rect) - record->frame.left - record->frame.right, 0),
              std::max(height(record->rect) - record->frame.top - record->frame.bottom, 0)};
}

void WindowAdapter::moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t w,
                               std::int32_t h, bool /*repaint*/) {
  setWindowPos(window, Rect{x, y, x + w, y + h}, 0);
}

void WindowAdapter::setWindowPos(WindowHandle window, const Rect& rect, std::uint32_t flags) {
  WindowRecord* record = find(window);
  if (record == nullptr) return;
  Rect target = record->rect;
  if ((flags & SwpNoMove) == 0) {
    target.left = rect.left;
    target.top = rect.top;
  }
  const std::int32_t w = (flags & win::SwpNoSize) == 0 ? width(rect) : width(record->rect);
  const std::int32_t h = (flags & win::SwpNoSize) == 0 ? height(rect) : height(record->rect);
  target.right = target.left + w;
  target.bottom = target.top + h;
  if (record->kind == WindowRecord::Kind::TopLevel) {
    record->rect = target;
    applyTopLevelGeometry(*record);
  } else {
    placeChild(*record, target);
  }
}

std::int32_t WindowAdapter::systemMetrics(std::int32_t index) {
  GdkDisplay* display = gdk_display_get_default();
  if (display == nullptr) return 0;
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
  if (monitor == nullptr) return 0;
  GdkRectangle geometry;
  // The whole primary screen, panels included, as SM_CXSCREEN/SM_CYSCREEN.
  gdk_monitor_get_geometry(monitor, &geometry);
  if (index == win::SmCxScreen) return geometry.width;
  if (index == win::SmCyScreen) return geometry.height;
  return 0;
}

void WindowAdapter::reportClientGeometry(WindowRecord& record) {
  const Point origin = clientOrigin(record);
  const Rect client = clientRect(record.handle);
  const Rect now{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  const Rect before = record.lastClient;
  record.lastClient = now;
  const WindowHandle handle = record.handle;
  if (now.left != before.left || now.top != before.top) {
    sendMessage(Message{handle, win::WmMove, 0, makeLParam(now.left, now.top)});
  }
  if (width(now) != width(before) || height(now) != height(before)) {
    if (WindowRecord* alive = find(handle)) {
      sendMessage(Message{handle, win::WmSize, alive->iconic ? SizeMinimized : SizeRestored,
                          makeLParam(width(now), height(now))});
    }
  }
}

// --- Showing ----------------------------------------------------------------------------------

bool WindowAdapter::showWindow(WindowHandle window, std::int32_t command) {
  WindowRecord* record = find(window);
  if (record == nullptr) return false;
  if (record->kind == WindowRecord::Kind::TopLevel) return showTopLevel(*record, command);
  const bool wasVisible = gtk_widget_get_visible(record->widget);
  if (command == win::SwHide) {
    gtk_widget_hide(record->widget);
  } else {
    gtk_widget_show(record->widget);
  }
  return wasVisible;
}

bool WindowAdapter::showTopLevel(WindowRecord& record, std::int32_t command) {
  GtkWindow* window = GTK_WINDOW(record.widget);
  const bool wasVisible = gtk_widget_get_visible(record.widget);
  if (command == win::SwHide) {
    if (wasVisible) gtk_widget_hide(record.widget);
    return wasVisible;
  }
  const bool restore = command == win::SwRestore || command == win::SwShowNormal;
  const bool activate = command != win::SwShowNa;
  if (!wasVisible) {
    // Shown again where it was hidden, and minimized if it was minimized then.
    applyTopLevelGeometry(record);
    if (record.iconic && !restore) {
      gtk_window_iconify(window);
    }
    gtk_window_set_focus_on_map(window, activate);
    gtk_widget_show(record.widget);
    gtk_window_set_focus_on_map(window, TRUE);
  }
  if (restore) {
    gtk_window_deiconify(window);
    gtk_window_unmaximize(window);
  }
  // Activating a minimized window would restore it; SW_SHOW leaves it minimized.
  if (activate && wasVisible && (restore || !record.iconic)) {
    GdkWindow* gdkWindow = gtk_widget_get_window(record.widget);
    const guint32 time =
        GDK_IS_X11_WINDOW(gdkWindow) ? gdk_x11_get_server_time(gdkWindow) : GDK_CURRENT_TIME;
    gtk_window_present_with_time(window, time);
  }
  return wasVisible;
}

bool WindowAdapter::isWindowVisible(WindowHandle window) {
  for (WindowRecord* record = find(window); record != nullptr; record = find(record->parent)) {
    if (!gtk_widget_get_visible(record->widget)) return false;
  }
  return find(window) != nullptr;
}

bool WindowAdapter::isIconic(WindowHandle window) {
  WindowRecord* record = find(window);
  return record != nullptr && record->kind == WindowRecord::Kind::TopLevel && record->iconic;
}

bool WindowAdapter::isZoomed(WindowHandle window) {
  WindowRecord* record = find(window);
  return record != nullptr && record->kind == WindowRecord::Kind::TopLevel && record->zoomed;
}

void WindowAdapter::beginMoveDrag(WindowRecord& top) {
  GdkDisplay* display = gtk_widget_get_display(top.widget);
  GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
  GdkWindow* root = gdk_screen_get_root_window(gtk_widget_get_screen(top.widget));
  gint x = 0;
  gint y = 0;
  GdkModifierType buttons = static_cast<GdkModifierType>(0);
  gdk_device_get_position(pointer, nullptr, &x, &y);
  gdk_device_get_state(pointer, root, nullptr, &buttons);
  // Like the caption's move loop, which ends at once when the button is already up.
  if ((buttons & GDK_BUTTON1_MASK) == 0 || !gtk_widget_get_visible(top.widget)) return;
  gtk_window_begin_move_drag(GTK_WINDOW(top.widget), 1, x, y, top.lastPressTime);
}

}  // namespace zorvik::gtk
