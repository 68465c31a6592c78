// The Linux composition root: GTK, the adapters, and the program.
#include <gtk/gtk.h>

#include <cstdio>

#include "app/program.h"
#include "platform/gtk/accessibility_bus.h"
#include "platform/gtk/browser_adapter.h"
#include "platform/gtk/icon_table.h"
#include "platform/gtk/library_adapter.h"
#include "platform/gtk/menu_adapter.h"
#include "platform/gtk/message_loop_adapter.h"
#include "platform/gtk/message_queue.h"
#include "platform/gtk/process_adapter.h"
#include "platform/gtk/shell_adapter.h"
#include "platform/gtk/tray_adapter.h"
#include "platform/gtk/window_adapter.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  // First, so that the accessibility bus starts while GTK and WebKit initialise (see its header).
  const zorvik::gtk::AccessibilityBusWarmUp accessibilityBus;
  // The window is placed and centred in screen coordinates, which only X11 (also XWayland)
  // gives a client; other backends only when there is no X server at all.
  gdk_set_allowed_backends("x11,*");
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "zorvik: cannot open the display\n");
    return 1;
  }
  // Declared in the order of their dependencies; destroyed in reverse after the program ends.
  zorvik::gtk::MessageQueue queue;
  zorvik::gtk::IconTable icons;
  zorvik::gtk::ProcessAdapter process;
  zorvik::gtk::LibraryAdapter library;
  zorvik::gtk::WindowAdapter window(queue, icons);
  zorvik::gtk::MenuAdapter menu(window);
  zorvik::gtk::MessageLoopAdapter loop(queue, window);
  zorvik::gtk::TrayAdapter tray(window, icons,
                                [&menu](zorvik::Point point) { menu.setContextMenuPoint(point); });
  zorvik::gtk::ShellAdapter shell;
  zorvik::gtk::BrowserAdapter browser;
  zorvik::Platform platform{process, library, window, menu, loop, tray, shell, browser};
  return static_cast<int>(zorvik::runZorvik(platform));
}
