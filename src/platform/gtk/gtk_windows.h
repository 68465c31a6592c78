#pragma once
// What the GTK window adapter offers the other GTK adapters (browser, tray): the widgets behind
// window handles. Implemented by the window adapter; every call runs on the GUI thread.
#include <gtk/gtk.h>

#include "platform/handles.h"

namespace zorvik::gtk {

// The container into which children of `window` are placed at client coordinates (a GtkFixed),
// or null when `window` names no live program window.
GtkWidget* containerOf(WindowHandle window);

// Gives a widget made by another adapter (the browser's web view) a window handle, so that focus,
// isWindow, parentOf and key routing treat it as a child window of `parent`. The handle is dropped
// automatically when the widget is destroyed.
WindowHandle adoptWidget(GtkWidget* widget, WindowHandle parent);

// The widget behind a handle, or null.
GtkWidget* widgetOf(WindowHandle window);

}  // namespace zorvik::gtk
