#include "platform/gtk/accessibility_bus.h"

namespace zorvik::gtk {

AccessibilityBusWarmUp::AccessibilityBusWarmUp() {
  const char* given = g_getenv("AT_SPI_BUS_ADDRESS");
  if (given != nullptr && given[0] != '\0') return;
  sessionBus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (sessionBus_ == nullptr) return;
  // No callback: sent as a call that expects no reply; the session bus still starts the service.
  g_dbus_connection_call(sessionBus_, "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                         nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr, nullptr);
}

AccessibilityBusWarmUp::~AccessibilityBusWarmUp() {
  if (sessionBus_ != nullptr) g_object_unref(sessionBus_);
}

}  // namespace zorvik::gtk
