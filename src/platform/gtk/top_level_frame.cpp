#include "platform/gtk/top_level_frame.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

#include "platform/win_values.h"

namespace zorvik::gtk {
namespace {

bool readFrameExtents(GdkWindow* window, FrameExtents& extents) {
  if (!GDK_IS_X11_WINDOW(window)) return false;
  GdkDisplay* display = gdk_window_get_display(window);
  Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  gdk_x11_display_error_trap_push(display);
  const int status =
      XGetWindowProperty(xdisplay, GDK_WINDOW_XID(window),
                         gdk_x11_get_xatom_by_name_for_display(display, "_NET_FRAME_EXTENTS"), 0, 4,
                         False, XA_CARDINAL, &type, &format, &count, &remaining, &data);
  gdk_x11_display_error_trap_pop_ignored(display);
  const bool found = status == Success && type == XA_CARDINAL && format == 32 && count == 4;
  if (found) {
    const auto* values = reinterpret_cast<const long*>(data);
    extents = FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]),
                           static_cast<int>(values[2]), static_cast<int>(values[3])};
  }
  if (data != nullptr) XFree(data);
  return found;
}

}  // namespace

FrameExtents requestFrameExtents(GdkWindow* window) {
  FrameExtents extents;
  if (!GDK_IS_X11_WINDOW(window)) return extents;
  GdkScreen* screen = gdk_window_get_screen(window);
  // With no window manager (or one that cannot estimate its frame) there is nobody to answer.
  if (!gdk_x11_screen_supports_net_wm_hint(
          screen, gdk_atom_intern_static_string("_NET_REQUEST_FRAME_EXTENTS"))) {
    return extents;
  }
  GdkDisplay* display = gdk_window_get_display(window);
  Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = GDK_WINDOW_XID(window);
  request.xclient.message_type =
      gdk_x11_get_xatom_by_name_for_display(display, "_NET_REQUEST_FRAME_EXTENTS");
  request.xclient.format = 32;
  XSendEvent(xdisplay, GDK_WINDOW_XID(gdk_screen_get_root_window(screen)), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(xdisplay);
  // The answer is a property on our window; poll it rather than take events from GDK's queue.
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (readFrameExtents(window, extents)) break;
    g_usleep(5000);
  }
  return extents;
}

FrameExtents currentFrameExtents(GdkWindow* window, const FrameExtents& fallback) {
  FrameExtents extents;
  return readFrameExtents(window, extents) ? extents : fallback;
}

void applyStyleToFrame(GdkWindow* window, std::uint32_t style) {
  int functions = GDK_FUNC_MOVE | GDK_FUNC_CLOSE;
  int decorations = GDK_DECOR_BORDER;
  if ((style & win::WsCaption) == win::WsCaption) decorations |= GDK_DECOR_TITLE;
  if ((style & win::WsSysMenu) != 0) decorations |= GDK_DECOR_MENU;
  if ((style & win::WsMinimizeBox) != 0) {
    functions |= GDK_FUNC_MINIMIZE;
    decorations |= GDK_DECOR_MINIMIZE;
  }
  if ((style & win::WsMaximizeBox) != 0) {
    functions |= GDK_FUNC_MAXIMIZE;
    decorations |= GDK_DECOR_MAXIMIZE;
  }
  if ((style & win::WsThickFrame) != 0) {
    functions |= GDK_FUNC_RESIZE;
    decorations |= GDK_DECOR_RESIZEH;
  }
  gdk_window_set_functions(window, static_cast<GdkWMFunction>(functions));
  gdk_window_set_decorations(window, static_cast<GdkWMDecoration>(decorations));
}

bool isFrameExtentsProperty(GdkEventProperty* event) {
  return event->atom == gdk_atom_intern_static_string("_NET_FRAME_EXTENTS");
}

}  // namespace zorvik::gtk
