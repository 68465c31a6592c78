#include "platform/gtk/tray_adapter.h"

#include <algorithm>

#include "platform/gtk/captions.h"
#include "platform/gtk/ico_image.h"
#include "platform/win_values.h"

namespace zorvik::gtk {
namespace {

constexpr char WatcherName[] = "org.kde.StatusNotifierWatcher";
// In the range of Windows' registered messages, where "TaskbarCreated" lives.
constexpr std::uint32_t TrayRestartMessage = 0xC0DE;

}  // namespace

TrayAdapter::Icon::~Icon() {
  item.reset();
  xembed.reset();
  if (pixbuf != nullptr) g_object_unref(pixbuf);
}

TrayAdapter::TrayAdapter(WindowAdapter& windows, IconTable& icons,
                         std::function<void(Point)> contextMenuAt)
    : windows_(windows), icons_(icons), contextMenuAt_(std::move(contextMenuAt)) {}

TrayAdapter::~TrayAdapter() {
  shown_.clear();
  if (watch_ != 0) g_bus_unwatch_name(watch_);
  if (bus_ != nullptr) {
    g_dbus_connection_flush_sync(bus_, nullptr, nullptr);
    g_object_unref(bus_);
  }
}

bool TrayAdapter::shellNotifyIcon(std::uint32_t operation, const NotifyIconRecord& record) {
  const Key key{record.window, record.id};
  const auto existing = shown_.find(key);
  switch (operation) {
    case win::NimAdd: {
      if (!windows_.isWindow(record.window)) return false;
      startWatching();
      // Added again after a tray restart: the icon we still hold is given to the new tray.
      const bool again = existing != shown_.end();
      if (!again) shown_[key] = std::make_unique<Icon>();
      Icon& icon = *shown_[key];
      icon.window = record.window;
      icon.id = record.id;
      take(icon, record);
      show(icon, true);
      return true;
    }
    case win::NimModify:
      if (existing == shown_.end()) return false;
      take(*existing->second, record);
      show(*existing->second, false);
      return true;
    case win::NimDelete:
      if (existing == shown_.end()) return false;
      shown_.erase(existing);  // releases the bus name or the status icon
      return true;
    default:
      return false;
  }
}

void TrayAdapter::take(Icon& icon, const NotifyIconRecord& record) {
  if ((record.flags & win::NifMessage) != 0) icon.callbackMessage = record.callbackMessage;
  if ((record.flags & win::NifIcon) != 0) {
    // The logic may destroy its handle right after the call; keep our own reference.
    if (icon.pixbuf != nullptr) g_object_unref(icon.pixbuf);
    icon.pixbuf = icons_.find(record.icon);
    if (icon.pixbuf != nullptr) g_object_ref(icon.pixbuf);
  }
  if ((record.flags & win::NifTip) != 0) {
    const auto end = std::find(record.tip.begin(), record.tip.end(), '\0');
    icon.tipUtf8 = utf8FromCp936(std::string(record.tip.begin(), end));
  }
}

void TrayAdapter::show(Icon& icon, bool registerAgain) {
  const Key key{icon.window, icon.id};
  if (watcherPresent() && showAsItem(icon, registerAgain)) return;
  icon.item.reset();
  if (!icon.xembed) {
    XEmbedTrayIcon::Callbacks callbacks;
    callbacks.mouse = [this, key](std::uint32_t message) { post(key, message); };
    callbacks.reembedded = [this] { announceRestart(); };
    icon.xembed = std::make_unique<XEmbedTrayIcon>(std::move(callbacks));
  }
  icon.xembed->setToolTip(icon.tipUtf8);
  icon.xembed->setIcon(icon.pixbuf);
}

bool TrayAdapter::showAsItem(Icon& icon, bool registerAgain) {
  const Key key{icon.window, icon.id};
  if (!icon.item) {
    StatusNotifierItem::Callbacks callbacks;
    callbacks.activate = [this, key](int, int) { post(key, win::WmLButtonUp); };
    callbacks.contextMenu = [this, key](int x, int y) {
      if (contextMenuAt_) contextMenuAt_(Point{x, y});
      post(key, win::WmContextMenu);
    };
    auto item = std::make_unique<StatusNotifierItem>(bus_, std::move(callbacks));
    if (!item->publish()) return false;  // the XEmbed tray is the fallback
    icon.item = std::move(item);
    registerAgain = true;
  }
  icon.xembed.reset();
  const int width = icon.pixbuf == nullptr ? 0 : gdk_pixbuf_get_width(icon.pixbuf);
  const int height = icon.pixbuf == nullptr ? 0 : gdk_pixbuf_get_height(icon.pixbuf);
  icon.item->setIcon(width, height, argbPixmapOf(icon.pixbuf));
  icon.item->setToolTip(icon.tipUtf8);
  if (registerAgain) icon.item->registerWithWatcher();
  return true;
}

void TrayAdapter::post(const Key& key, std::uint32_t mouseMessage) {
  const auto it = shown_.find(key);
  if (it == shown_.end() || it->second->callbackMessage == 0) return;
  windows_.postMessage(Message{key.first, it->second->callbackMessage, key.second,
                               static_cast<std::intptr_t>(mouseMessage)});
}

bool TrayAdapter::watcherPresent() {
  if (bus_ == nullptr) return false;
  GVariant* reply = g_dbus_connection_call_sync(
      bus_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
      g_variant_new("(s)", WatcherName), G_VARIANT_TYPE("(b)"), G_DBUS_CALL_FLAGS_NONE, 2000,
      nullptr, nullptr);
  if (reply == nullptr) return false;
  gboolean owned = FALSE;
  g_variant_get(reply, "(b)", &owned);
  g_variant_unref(reply);
  return owned;
}

void TrayAdapter::startWatching() {
  if (busTried_) return;
  busTried_ = true;
  bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
  if (bus_ == nullptr) return;  // no session bus: the XEmbed tray is all there is
  watch_ = g_bus_watch_name_on_connection(bus_, WatcherName, G_BUS_NAME_WATCHER_FLAGS_NONE,
                                          onWatcherAppeared, onWatcherVanished, this, nullptr);
}

void TrayAdapter::announceRestart() {
  // Like the shell's "TaskbarCreated" broadcast: each window that has icons adds them again.
  std::map<WindowHandle, bool> told;
  for (auto& [key, icon] : shown_) {
    if (told[key.first]) continue;
    told[key.first] = true;
    windows_.postMessage(Message{key.first, TrayRestartMessage, 0, 0});
  }
}

void TrayAdapter::onWatcherAppeared(GDBusConnection*, const gchar*, const gchar*, gpointer self) {
  auto* tray = static_cast<TrayAdapter*>(self);
  if (tray->watcherGone_) tray->announceRestart();
  tray->watcherGone_ = false;
}

void TrayAdapter::onWatcherVanished(GDBusConnection*, const gchar*, gpointer self) {
  static_cast<TrayAdapter*>(self)->watcherGone_ = true;
}

IconHandle TrayAdapter::createIconFromResourceEx(const std::uint8_t* bits, std::uint32_t size,
                                                 bool icon, std::uint32_t /*version*/,
                                                 std::int32_t width, std::int32_t height,
                                                 std::uint32_t /*flags*/) {
  if (!icon) return 0;  // cursors are not needed here
  return icons_.add(pixbufFromIconImage(bits, size, width, height));
}

IconHandle TrayAdapter::createIconFromResource(const std::uint8_t* bits, std::uint32_t size,
                                               bool icon, std::uint32_t version) {
  return createIconFromResourceEx(bits, size, icon, version, 0, 0, win::LrDefaultColor);
}

void TrayAdapter::destroyIcon(IconHandle icon) { icons_.destroy(icon); }

std::uint32_t TrayAdapter::shellRestartMessage() { return TrayRestartMessage; }

}  // namespace zorvik::gtk
