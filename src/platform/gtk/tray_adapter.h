#pragma once
// TrayPort on Linux. An icon is a StatusNotifierItem when a StatusNotifierWatcher owns its name
// on the session bus, and a GtkStatusIcon in an XEmbed tray otherwise. Mouse actions reach the
// icon's window as its callback message, posted like the Windows shell's: Activate and a left
// release give WM_LBUTTONUP, a left double click WM_LBUTTONDBLCLK, a right release WM_RBUTTONUP
// and the host's ContextMenu(x, y) WM_CONTEXTMENU (after handing (x, y) to the menu adapter).
// When the tray comes back (the watcher's name reappears, or the XEmbed icon is docked in a new
// tray) each icon's window is sent shellRestartMessage(), so that the icon is added again.
#include <gio/gio.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/gtk/icon_table.h"
#include "platform/gtk/status_notifier_item.h"
#include "platform/gtk/window_adapter.h"
#include "platform/gtk/xembed_tray_icon.h"
#include "platform/tray_port.h"

namespace zorvik::gtk {

class TrayAdapter final : public TrayPort {
 public:
  // `contextMenuAt` receives the point of a host's ContextMenu call before the message is posted.
  TrayAdapter(WindowAdapter& windows, IconTable& icons, std::function<void(Point)> contextMenuAt);
  ~TrayAdapter() override;
  TrayAdapter(const TrayAdapter&) = delete;
  TrayAdapter& operator=(const TrayAdapter&) = delete;

  bool shellNotifyIcon(std::uint32_t operation, const NotifyIconRecord& record) override;
  IconHandle createIconFromResourceEx(const std::uint8_t* bits, std::uint32_t size, bool icon,
                                      std::uint32_t version, std::int32_t width,
                                      std::int32_t height, std::uint32_t flags) override;
  IconHandle createIconFromResource(const std::uint8_t* bits, std::uint32_t size, bool icon,
                                    std::uint32_t version) override;
  void destroyIcon(IconHandle icon) override;
  std::uint32_t shellRestartMessage() override;

 private:
  struct Icon {
    WindowHandle window = 0;
    std::uint32_t id = 0;
    std::uint32_t callbackMessage = 0;
    GdkPixbuf* pixbuf = nullptr;  // one reference, or null
    std::string tipUtf8;
    std::unique_ptr<StatusNotifierItem> item;  // while shown through the watcher
    std::unique_ptr<XEmbedTrayIcon> xembed;    // while shown in an XEmbed tray
    ~Icon();
  };
  using Key = std::pair<WindowHandle, std::uint32_t>;

  void take(Icon& icon, const NotifyIconRecord& record);
  void show(Icon& icon, bool registerAgain);
  bool showAsItem(Icon& icon, bool registerAgain);  // false when the item cannot be published
  void post(const Key& key, std::uint32_t mouseMessage);
  bool watcherPresent();
  void startWatching();
  void announceRestart();
  static void onWatcherAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer self);
  static void onWatcherVanished(GDBusConnection*, const gchar*, gpointer self);

  WindowAdapter& windows_;
  IconTable& icons_;
  std::function<void(Point)> contextMenuAt_;
  std::map<Key, std::unique_ptr<Icon>> shown_;
  GDBusConnection* bus_ = nullptr;  // one reference, or null without a session bus
  bool busTried_ = false;
  guint watch_ = 0;
  bool watcherGone_ = false;  // the watcher was absent at some point since we started watching
};

}  // namespace zorvik::gtk
