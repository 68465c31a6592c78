#pragma once
// One tray icon in an XEmbed system tray (GtkStatusIcon), for desktops without a
// StatusNotifierWatcher. Mouse actions are reported as Windows mouse messages.
#include <gtk/gtk.h>

#include <cstdint>
#include <functional>
#include <string>

namespace zorvik::gtk {

class XEmbedTrayIcon {
 public:
  struct Callbacks {
    // WM_LBUTTONUP (left release), WM_LBUTTONDBLCLK (left double click), WM_RBUTTONUP.
    std::function<void(std::uint32_t mouseMessage)> mouse;
    // The icon was docked again after it had lost its tray (the tray was replaced).
    std::function<void()> reembedded;
  };

  explicit XEmbedTrayIcon(Callbacks callbacks);
  ~XEmbedTrayIcon();
  XEmbedTrayIcon(const XEmbedTrayIcon&) = delete;
  XEmbedTrayIcon& operator=(const XEmbedTrayIcon&) = delete;

  void setIcon(GdkPixbuf* pixbuf);  // the status icon takes its own reference
  void setToolTip(const std::string& utf8);

 private:
  static gboolean onPress(GtkStatusIcon*, GdkEventButton* event, gpointer self);
  static gboolean onRelease(GtkStatusIcon*, GdkEventButton* event, gpointer self);
  static void onEmbedded(GObject*, GParamSpec*, gpointer self);

  Callbacks callbacks_;
  GtkStatusIcon* icon_;  // owned
  bool wasEmbedded_ = false;
  bool lostTray_ = false;
};

}  // namespace zorvik::gtk
