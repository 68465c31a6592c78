// WindowPort on Linux: key state, focus, painting and icons.
#include "platform/gtk/embedded_icon.h"
#include "platform/gtk/ico_image.h"
#include "platform/gtk/window_adapter.h"
#include "platform/win_values.h"

namespace zorvik::gtk {

// --- Keys and focus ---------------------------------------------------------------------------

std::int16_t WindowAdapter::keyState(std::int32_t virtualKey) {
  GdkModifierType state;
  if (GdkEvent* key = queue_.currentKeyEvent()) {
    // The modifiers as they were when the key message being handled was made.
    state = static_cast<GdkModifierType>(key->key.state);
  } else {
    GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_display_get_default());
    state = static_cast<GdkModifierType>(gdk_keymap_get_modifier_state(keymap));
  }
  bool down = false;
  if (virtualKey == static_cast<std::int32_t>(win::VkControl)) down = state & GDK_CONTROL_MASK;
  if (virtualKey == static_cast<std::int32_t>(win::VkShift)) down = state & GDK_SHIFT_MASK;
  if (virtualKey == static_cast<std::int32_t>(win::VkMenu)) down = state & GDK_MOD1_MASK;
  // High bit set (a negative value) means down, as GetKeyState reports it.
  return down ? static_cast<std::int16_t>(-128) : 0;
}

WindowHandle WindowAdapter::focus() {
  WindowRecord* top = find(lastActive_);
  if (top == nullptr) {
    for (auto& [handle, record] : windows_) {
      if (record->kind == WindowRecord::Kind::TopLevel &&
          gtk_window_is_active(GTK_WINDOW(record->widget))) {
        top = record.get();
        break;
      }
    }
  }
  if (top == nullptr) return 0;
  GtkWidget* focused = gtk_window_get_focus(GTK_WINDOW(top->widget));
  const WindowHandle handle = focused == nullptr ? 0 : handleOfWidget(focused);
  return handle != 0 ? handle : top->handle;
}

WindowHandle WindowAdapter::setFocus(WindowHandle window) {
  WindowRecord* record = find(window);
  if (record == nullptr) return 0;
  const WindowHandle previous = focus();
  WindowRecord* top = topLevelOf(window);
  if (top != nullptr) lastActive_ = top->handle;
  if (record->kind == WindowRecord::Kind::TopLevel) {
    gtk_window_set_focus(GTK_WINDOW(record->widget), nullptr);
  } else {
    gtk_widget_grab_focus(record->widget);
  }
  if (previous != window) {
    if (previous != 0 && find(previous) != nullptr) {
      sendMessage(Message{previous, win::WmKillFocus, window, 0});
    }
    if (find(window) != nullptr) sendMessage(Message{window, win::WmSetFocus, previous, 0});
  }
  return previous;
}

// --- Painting and icons -----------------------------------------------------------------------

GdiObject WindowAdapter::stockObject(std::int32_t index) {
  // A token per stock object; nothing behind it is ever drawn with.
  return index < 0 ? 0 : static_cast<GdiObject>(0x70000 + index);
}

IconHandle WindowAdapter::loadIconResource(const std::string& name, std::int32_t size) {
  if (name != "DEFAULT_ICON") return 0;
  const EmbeddedFile file = defaultIconFile();
  return icons_.add(pixbufFromIcoFile(file.bytes, file.size, size));
}

void WindowAdapter::destroyIcon(IconHandle icon) { icons_.destroy(icon); }

void WindowAdapter::applyIcons(WindowRecord& record) {
  if (record.kind != WindowRecord::Kind::TopLevel) return;
  GList* list = nullptr;
  for (IconHandle icon : {record.bigIcon, record.smallIcon}) {
    if (GdkPixbuf* pixbuf = icons_.find(icon)) list = g_list_append(list, pixbuf);
  }
  gtk_window_set_icon_list(GTK_WINDOW(record.widget), list);
  g_list_free(list);
}

void WindowAdapter::paintBackground(WindowHandle window, std::uint32_t colour) {
  WindowRecord* record = find(window);
  if (record == nullptr || record->paintContext == nullptr) return;
  cairo_t* cr = record->paintContext;
  // COLORREF is 0x00BBGGRR.
  cairo_set_source_rgb(cr, (colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                       ((colour >> 16) & 0xFF) / 255.0);
  cairo_paint(cr);  // the clip is the area that needs repainting
}

}  // namespace zorvik::gtk
