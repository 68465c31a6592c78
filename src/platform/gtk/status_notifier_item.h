#pragma once
// One tray icon as a StatusNotifierItem on the session bus: it owns a well-known name
// (org.kde.StatusNotifierItem-PID-N), exports /StatusNotifierItem and registers with
// org.kde.StatusNotifierWatcher. Dropping the object releases the name, so the tray host sees the
// item disappear. The host's Activate and ContextMenu calls arrive as the two callbacks.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gio/gio.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zorvik::gtk {

class StatusNotifierItem {
 public:
  struct Callbacks {
    std::function<void(int x, int y)> activate;
    std::function<void(int x, int y)> contextMenu;
  };

  // `connection` is the session bus; the item keeps a reference to it.
  StatusNotifierItem(GDBusConnection* connection, Callbacks callbacks);
  ~StatusNotifierItem();
  StatusNotifierItem(const StatusNotifierItem&) = delete;
  StatusNotifierItem& operator=(const StatusNotifierItem&) = delete;

  // Takes the bus name and exports the object; false if either fails.
  bool publish();
  // Tells the current watcher about the item (again after a watcher restart).
  void registerWithWatcher();

  // The image as IconPixmap data (ARGB32, big-endian, row by row).
  void setIcon(int width, int height, std::vector<std::uint8_t> argb);
  void setToolTip(const std::string& utf8);

  const std::string& busName() const { return busName_; }

 private:
  static void onMethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                           const gchar* method, GVariant* parameters,
                           GDBusMethodInvocation* invocation, gpointer self);
  static GVariant* onGetProperty(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                 const gchar* property, GError**, gpointer self);
  GVariant* pixmapVariant() const;
  void emit(const char* signal);

  GDBusConnection* connection_;  // one reference held
  Callbacks callbacks_;
  std::string busName_;
  bool ownsName_ = false;
  guint registration_ = 0;  // exported object id, 0 when not exported
  int iconWidth_ = 0;
  int iconHeight_ = 0;
  std::vector<std::uint8_t> iconArgb_;
  std::string toolTip_;
};

// The pixels of a pixbuf as IconPixmap data (ARGB32 in network byte order).
std::vector<std::uint8_t> argbPixmapOf(GdkPixbuf* pixbuf);

}  // namespace zorvik::gtk
