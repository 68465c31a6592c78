// GTK signals of the program's windows, turned into the messages their procedures expect.
#include <gdk/gdkkeysyms.h>

#include "platform/gtk/key_map.h"
#include "platform/gtk/screen_origin.h"
#include "platform/gtk/window_adapter.h"
#include "platform/win_values.h"

namespace zorvik::gtk {
namespace {

WindowHandle handleFrom(gpointer data) { return reinterpret_cast<WindowHandle>(data); }

WindowRecord* recordFrom(gpointer data) {
  WindowAdapter* adapter = WindowAdapter::instance();
  return adapter == nullptr ? nullptr : adapter->find(handleFrom(data));
}

std::intptr_t pointLParam(double x, double y) {
  const auto ix = static_cast<std::int32_t>(x);
  const auto iy = static_cast<std::int32_t>(y);
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(ix) & 0xFFFF) |
                                    (static_cast<std::uint32_t>(iy) & 0xFFFF) << 16);
}

}  // namespace

gboolean WindowAdapter::onDelete(GtkWidget*, GdkEvent*, gpointer data) {
  // The close button, Alt+F4 in the window manager: WM_CLOSE, whose default handling destroys.
  if (recordFrom(data) != nullptr) {
    instance()->deliver(Message{handleFrom(data), win::WmClose, 0, 0});
  }
  return TRUE;  // GTK itself never destroys a program window
}

gboolean WindowAdapter::onKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
  WindowAdapter* adapter = instance();
  if (adapter == nullptr || adapter->reinjecting_ || recordFrom(data) == nullptr) return FALSE;
  const std::uint32_t virtualKey = virtualKeyOf(event->keyval);
  if (virtualKey == 0) return FALSE;  // no key message for it: straight to the focused widget
  const bool alt = (event->state & GDK_MOD1_MASK) != 0;
  constexpr std::uint32_t VkF10 = 0x79;
  const std::uint32_t message =
      alt || virtualKey == VkF10 || virtualKey == win::VkMenu ? win::WmSysKeyDown : win::WmKeyDown;
  // Repeat count 1, the scan code, and the context bit for Alt.
  const std::uint32_t scanCode = event->hardware_keycode > 8 ? event->hardware_keycode - 8 : 0;
  const auto lParam =
      static_cast<std::intptr_t>(1u | (scanCode & 0xFF) << 16 | (alt ? 1u << 29 : 0u));
  WindowHandle target = adapter->focus();
  if (target == 0) target = handleFrom(data);
  // Queued like any key message; GTK gets the event back if no window takes the key.
  adapter->queue_.postKey(Message{target, message, virtualKey, lParam},
                          gdk_event_copy(reinterpret_cast<GdkEvent*>(event)));
  return TRUE;
}

gboolean WindowAdapter::onConfigure(GtkWidget* widget, GdkEventConfigure* event, gpointer data) {
  WindowRecord* record = recordFrom(data);
  // While unmapped the window manager's reparenting reports places that are not the window's.
  if (record == nullptr || !gtk_widget_get_mapped(widget)) return FALSE;
  const FrameExtents& frame = record->frame;
  std::int32_t outerWidth = record->rect.right - record->rect.left;
  std::int32_t outerHeight = record->rect.bottom - record->rect.top;
  // Only the user can change the size of a window with a sizing border; otherwise sizes seen
  // here are steps towards the size we asked for and would only make the window drift.
  if ((record->style & win::WsThickFrame) != 0) {
    outerWidth = event->width + frame.left + frame.right;
    outerHeight = event->height + frame.top + frame.bottom;
  }
  const Point origin = primaryScreenOrigin();
  const std::int32_t left = event->x - frame.left - origin.x;
  const std::int32_t top = event->y - frame.top - origin.y;
  record->rect = Rect{left, top, left + outerWidth, top + outerHeight};
  instance()->reportClientGeometry(*record);
  return FALSE;
}

gboolean WindowAdapter::onProperty(GtkWidget* widget, GdkEventProperty* event, gpointer data) {
  WindowRecord* record = recordFrom(data);
  // A hidden window has no frame; the one it gets back when shown is reported again then.
  if (record == nullptr || !isFrameExtentsProperty(event) || !gtk_widget_get_mapped(widget)) {
    return FALSE;
  }
  const FrameExtents now = currentFrameExtents(gtk_widget_get_window(widget), record->frame);
  if (now == record->frame) return FALSE;
  // The window manager changed its frame: keep the outer rectangle, give the client the rest.
  record->frame = now;
  instance()->applyTopLevelGeometry(*record);
  return FALSE;
}

gboolean WindowAdapter::onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
  WindowRecord* record = recordFrom(data);
  // A withdrawn (hidden) window keeps the state it had when it was hidden.
  if (record == nullptr || (event->new_window_state & GDK_WINDOW_STATE_WITHDRAWN) != 0) {
    return FALSE;
  }
  record->iconic = (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
  record->zoomed = (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
  return FALSE;
}

gboolean WindowAdapter::onFocusIn(GtkWidget*, GdkEventFocus*, gpointer data) {
  if (recordFrom(data) == nullptr) return FALSE;
  constexpr std::uintptr_t WaActive = 1;
  instance()->lastActive_ = handleFrom(data);
  instance()->deliver(Message{handleFrom(data), win::WmActivate, WaActive, 0});
  return FALSE;
}

gboolean WindowAdapter::onFocusOut(GtkWidget*, GdkEventFocus*, gpointer data) {
  if (recordFrom(data) == nullptr) return FALSE;
  instance()->deliver(Message{handleFrom(data), win::WmActivate, win::WaInactive, 0});
  return FALSE;
}

gboolean WindowAdapter::onDraw(GtkWidget*, cairo_t* cr, gpointer data) {
  WindowRecord* record = recordFrom(data);
  if (record == nullptr) return FALSE;
  if (record->classBackground == win::WhiteBrush) {
    // The class brush erases the background before the window paints.
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
  }
  const WindowHandle handle = handleFrom(data);
  record->paintContext = cr;
  instance()->deliver(Message{handle, win::WmPaint, 0, 0});
  if (WindowRecord* alive = instance()->find(handle)) alive->paintContext = nullptr;
  return FALSE;  // children are drawn after
}

gboolean WindowAdapter::onButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer data) {
  WindowRecord* record = recordFrom(data);
  // Only a press on the window's own surface: presses on children belong to them.
  if (record == nullptr || event->window != gtk_widget_get_window(widget) || event->button != 1) {
    return FALSE;
  }
  std::uint32_t message = 0;
  if (event->type == GDK_BUTTON_PRESS) message = win::WmLButtonDown;
  if (event->type == GDK_2BUTTON_PRESS) message = win::WmLButtonDblClk;
  if (message == 0) return TRUE;
  if (WindowRecord* top = instance()->topLevelOf(handleFrom(data))) {
    top->lastPressTime = event->time;
  }
  constexpr std::uintptr_t MkLButton = 0x0001;
  constexpr std::uintptr_t MkShift = 0x0004;
  constexpr std::uintptr_t MkControl = 0x0008;
  std::uintptr_t keys = MkLButton;
  if ((event->state & GDK_SHIFT_MASK) != 0) keys |= MkShift;
  if ((event->state & GDK_CONTROL_MASK) != 0) keys |= MkControl;
  instance()->deliver(Message{handleFrom(data), message, keys, pointLParam(event->x, event->y)});
  return TRUE;
}

void WindowAdapter::onAdoptedDestroy(GtkWidget*, gpointer data) {
  if (WindowAdapter* adapter = instance()) adapter->forget(handleFrom(data));
}

}  // namespace zorvik::gtk
