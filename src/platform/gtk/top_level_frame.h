#pragma once
// The window manager's side of a top-level window on X11: the frame it draws around the window
// and the actions it offers. Without a window manager the frame is empty and the window's outer
// size is its own size.
#include <gtk/gtk.h>

#include <cstdint>

namespace zorvik::gtk {

struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
  bool operator==(const FrameExtents&) const = default;
};

// Asks the window manager which frame it will put around the realized, not yet mapped window
// (_NET_REQUEST_FRAME_EXTENTS) and waits briefly for the answer. Empty when no window manager
// answers.
FrameExtents requestFrameExtents(GdkWindow* window);

// The frame the window manager reports now (_NET_FRAME_EXTENTS), or `fallback` when it reports
// none.
FrameExtents currentFrameExtents(GdkWindow* window, const FrameExtents& fallback);

// Decorations and window-manager functions that a window style (WS_* bits) allows: a window
// without WS_THICKFRAME cannot be resized, one without WS_MAXIMIZEBOX cannot be maximized.
void applyStyleToFrame(GdkWindow* window, std::uint32_t style);

// Whether a property-notify event names _NET_FRAME_EXTENTS.
bool isFrameExtentsProperty(GdkEventProperty* event);

}  // namespace zorvik::gtk
