#include "platform/gtk/screen_origin.h"

#include <gdk/gdk.h>

namespace zorvik::gtk {

Point primaryScreenOrigin() {
  GdkDisplay* display = gdk_display_get_default();
  if (display == nullptr) return Point{};
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
  if (monitor == nullptr) return Point{};
  GdkRectangle geometry;
  gdk_monitor_get_geometry(monitor, &geometry);
  return Point{geometry.x, geometry.y};
}

}  // namespace zorvik::gtk
