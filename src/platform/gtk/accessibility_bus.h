#pragma once
// Starts the desktop's accessibility bus early. When WebKit starts its web process it asks the
// session bus, synchronously, for the accessibility bus address; if that bus is not running yet,
// the session bus first has to launch it, and the program's first page waits for that. Asking
// once, without waiting for the answer, before GTK and WebKit initialise lets the launch run
// alongside them. No request of any page is involved. GUI thread only.
#include <gio/gio.h>

namespace zorvik::gtk {

class AccessibilityBusWarmUp {
 public:
  // Sends the address request unless the address is already given by the environment (WebKit
  // then asks nobody). Without a session bus it does nothing.
  AccessibilityBusWarmUp();
  ~AccessibilityBusWarmUp();
  AccessibilityBusWarmUp(const AccessibilityBusWarmUp&) = delete;
  AccessibilityBusWarmUp& operator=(const AccessibilityBusWarmUp&) = delete;

 private:
  // One reference to GLib's shared session bus connection, or null. GLib keeps that connection
  // only while someone holds it: holding it keeps the request from being dropped with a closed
  // connection, and WebKit and the tray later reuse it instead of connecting again.
  GDBusConnection* sessionBus_ = nullptr;
};

}  // namespace zorvik::gtk
