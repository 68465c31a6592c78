#include "platform/gtk/xembed_tray_icon.h"

#include "platform/win_values.h"

// GtkStatusIcon is deprecated but it is GTK's only XEmbed tray icon; it is used on purpose.
G_GNUC_BEGIN_IGNORE_DEPRECATIONS

namespace zorvik::gtk {

XEmbedTrayIcon::XEmbedTrayIcon(Callbacks callbacks)
    : callbacks_(std::move(callbacks)), icon_(gtk_status_icon_new()) {
  g_signal_connect(icon_, "button-press-event", G_CALLBACK(onPress), this);
  g_signal_connect(icon_, "button-release-event", G_CALLBACK(onRelease), this);
  g_signal_connect(icon_, "notify::embedded", G_CALLBACK(onEmbedded), this);
}

XEmbedTrayIcon::~XEmbedTrayIcon() {
  g_signal_handlers_disconnect_by_data(icon_, this);
  gtk_status_icon_set_visible(icon_, FALSE);
  g_object_unref(icon_);
}

void XEmbedTrayIcon::setIcon(GdkPixbuf* pixbuf) {
  if (pixbuf != nullptr) gtk_status_icon_set_from_pixbuf(icon_, pixbuf);
  gtk_status_icon_set_visible(icon_, TRUE);
}

void XEmbedTrayIcon::setToolTip(const std::string& utf8) {
  gtk_status_icon_set_tooltip_text(icon_, utf8.c_str());
}

gboolean XEmbedTrayIcon::onPress(GtkStatusIcon*, GdkEventButton* event, gpointer self) {
  auto* icon = static_cast<XEmbedTrayIcon*>(self);
  // GTK reports a double click as a second press of type 2BUTTON after the plain one.
  if (event->type == GDK_2BUTTON_PRESS && event->button == 1) {
    icon->callbacks_.mouse(win::WmLButtonDblClk);
  }
  return TRUE;
}

gboolean XEmbedTrayIcon::onRelease(GtkStatusIcon*, GdkEventButton* event, gpointer self) {
  auto* icon = static_cast<XEmbedTrayIcon*>(self);
  if (event->button == 1) icon->callbacks_.mouse(win::WmLButtonUp);
  if (event->button == 3) icon->callbacks_.mouse(win::WmRButtonUp);
  return TRUE;
}

void XEmbedTrayIcon::onEmbedded(GObject*, GParamSpec*, gpointer self) {
  auto* icon = static_cast<XEmbedTrayIcon*>(self);
  if (gtk_status_icon_is_embedded(icon->icon_)) {
    if (icon->lostTray_ && icon->callbacks_.reembedded) icon->callbacks_.reembedded();
    icon->wasEmbedded_ = true;
    icon->lostTray_ = false;
  } else if (icon->wasEmbedded_) {
    icon->lostTray_ = true;
  }
}

}  // namespace zorvik::gtk

G_GNUC_END_IGNORE_DEPRECATIONS
