#include "platform/gtk/status_notifier_item.h"

#include <unistd.h>

namespace zorvik::gtk {
namespace {

constexpr char ItemPath[] = "/StatusNotifierItem";
constexpr char ItemInterface[] = "org.kde.StatusNotifierItem";
constexpr char WatcherName[] = "org.kde.StatusNotifierWatcher";

constexpr char IntrospectionXml[] = R"xml(<node>
  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="WindowId" type="i" access="read"/>
    <property name="IconName" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <property name="OverlayIconName" type="s" access="read"/>
    <property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionIconName" type="s" access="read"/>
    <property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionMovieName" type="s" access="read"/>
    <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
    <property name="ItemIsMenu" type="b" access="read"/>
    <method name="ContextMenu">
      <arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/>
    </method>
    <method name="Activate">
      <arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/>
    </method>
    <method name="SecondaryActivate">
      <arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/>
    </method>
    <method name="Scroll">
      <arg name="delta" type="i" direction="in"/><arg name="orientation" type="s" direction="in"/>
    </method>
    <signal name="NewTitle"/>
    <signal name="NewIcon"/>
    <signal name="NewAttentionIcon"/>
    <signal name="NewOverlayIcon"/>
    <signal name="NewToolTip"/>
    <signal name="NewStatus"><arg name="status" type="s"/></signal>
  </interface>
</node>)xml";

GDBusNodeInfo* introspection() {
  // Parsed once; lives for the process.
  static GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(IntrospectionXml, nullptr);
  return info;
}

GVariant* emptyPixmaps() { return g_variant_new_array(G_VARIANT_TYPE("(iiay)"), nullptr, 0); }

}  // namespace

std::vector<std::uint8_t> argbPixmapOf(GdkPixbuf* pixbuf) {
  std::vector<std::uint8_t> argb;
  if (pixbuf == nullptr || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8) return argb;
  const int width = gdk_pixbuf_get_width(pixbuf);
  const int height = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf);
  const int stride = gdk_pixbuf_get_rowstride(pixbuf);
  const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf);
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
  argb.reserve(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const guchar* p = pixels + y * stride + x * channels;
      argb.push_back(alpha ? p[3] : 255);
      argb.push_back(p[0]);
      argb.push_back(p[1]);
      argb.push_back(p[2]);
    }
  }
  return argb;
}

StatusNotifierItem::StatusNotifierItem(GDBusConnection* connection, Callbacks callbacks)
    : connection_(G_DBUS_CONNECTION(g_object_ref(connection))), callbacks_(std::move(callbacks)) {
  static int serial = 0;
  busName_ =
      "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
}

StatusNotifierItem::~StatusNotifierItem() {
  if (registration_ != 0) g_dbus_connection_unregister_object(connection_, registration_);
  if (ownsName_) {
    GVariant* reply = g_dbus_connection_call_sync(
        connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "ReleaseName", g_variant_new("(s)", busName_.c_str()), nullptr, G_DBUS_CALL_FLAGS_NONE,
        1000, nullptr, nullptr);
    if (reply != nullptr) g_variant_unref(reply);
  }
  g_object_unref(connection_);
}

bool StatusNotifierItem::publish() {
  static const GDBusInterfaceVTable vtable = {onMethodCall, onGetProperty, nullptr, {}};
  registration_ = g_dbus_connection_register_object(
      connection_, ItemPath, introspection()->interfaces[0], &vtable, this, nullptr, nullptr);
  if (registration_ == 0) return false;
  // Synchronously, so that the watcher is told about a name that is already ours.
  constexpr guint32 DoNotQueue = 4;
  constexpr guint32 PrimaryOwner = 1;
  GVariant* reply = g_dbus_connection_call_sync(
      connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
      "RequestName", g_variant_new("(su)", busName_.c_str(), DoNotQueue), G_VARIANT_TYPE("(u)"),
      G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
  if (reply == nullptr) return false;
  guint32 result = 0;
  g_variant_get(reply, "(u)", &result);
  g_variant_unref(reply);
  ownsName_ = result == PrimaryOwner;
  return ownsName_;
}

void StatusNotifierItem::registerWithWatcher() {
  g_dbus_connection_call(connection_, WatcherName, "/StatusNotifierWatcher", WatcherName,
                         "RegisterStatusNotifierItem", g_variant_new("(s)", busName_.c_str()),
                         nullptr, G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr, nullptr);
}

void StatusNotifierItem::setIcon(int width, int height, std::vector<std::uint8_t> argb) {
  iconWidth_ = width;
  iconHeight_ = height;
  iconArgb_ = std::move(argb);
  emit("NewIcon");
}

void StatusNotifierItem::setToolTip(const std::string& utf8) {
  toolTip_ = utf8;
  emit("NewToolTip");
  emit("NewTitle");
}

void StatusNotifierItem::emit(const char* signal) {
  if (registration_ == 0) return;
  g_dbus_connection_emit_signal(connection_, nullptr, ItemPath, ItemInterface, signal, nullptr,
                                nullptr);
}

GVariant* StatusNotifierItem::pixmapVariant() const {
  if (iconArgb_.empty()) return emptyPixmaps();
  GVariant* bytes = g_variant_new_fixed_array(G_VARIANT_TYPE_BYTE, iconArgb_.data(),
                                              iconArgb_.size(), sizeof(std::uint8_t));
  GVariant* image = g_variant_new("(ii@ay)", iconWidth_, iconHeight_, bytes);
  return g_variant_new_array(G_VARIANT_TYPE("(iiay)"), &image, 1);
}

void StatusNotifierItem::onMethodCall(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                                      const gchar* method, GVariant* parameters,
                                      GDBusMethodInvocation* invocation, gpointer self) {
  auto* item = static_cast<StatusNotifierItem*>(self);
  const std::string name(method);
  gint x = 0;
  gint y = 0;
  if (name == "Activate" || name == "ContextMenu" || name == "SecondaryActivate") {
    g_variant_get(parameters, "(ii)", &x, &y);
  }
  // Answer first: the host must not wait while a pop-up menu is open.
  g_dbus_method_invocation_return_value(invocation, nullptr);
  if (name == "Activate" && item->callbacks_.activate) item->callbacks_.activate(x, y);
  if (name == "ContextMenu" && item->callbacks_.contextMenu) item->callbacks_.contextMenu(x, y);
}

GVariant* StatusNotifierItem::onGetProperty(GDBusConnection*, const gchar*, const gchar*,
                                            const gchar*, const gchar* property, GError**,
                                            gpointer self) {
  auto* item = static_cast<StatusNotifierItem*>(self);
  const std::string name(property);
  if (name == "Category") return g_variant_new_string("ApplicationStatus");
  if (name == "Id") return g_variant_new_string("zorvik");
  if (name == "Title") return g_variant_new_string(item->toolTip_.c_str());
  if (name == "Status") return g_variant_new_string("Active");
  if (name == "WindowId") return g_variant_new_int32(0);
  if (name == "IconPixmap") return item->pixmapVariant();
  if (name == "OverlayIconPixmap" || name == "AttentionIconPixmap") return emptyPixmaps();
  if (name == "ToolTip") {
    return g_variant_new("(s@a(iiay)ss)", "", emptyPixmaps(), item->toolTip_.c_str(), "");
  }
  // A plain item: the host asks for the menu through ContextMenu.
  if (name == "ItemIsMenu") return g_variant_new_boolean(FALSE);
  return g_variant_new_string("");  // the icon, overlay, attention and movie names
}

}  // namespace zorvik::gtk
