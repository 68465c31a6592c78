#pragma once
// WindowPort on Linux. A window handle names a GTK widget:
// - a top-level window is a GtkWindow whose client area is a GtkFixed with its own GdkWindow;
// - a child window (the browser host) is a GtkFixed with its own GdkWindow placed in its
//   parent's GtkFixed at client coordinates;
// - an adopted widget (the web view, gtk_windows.h) is a widget another adapter made.
// GTK signals become messages for the window's procedure (close, activation, paint, left button,
// move, size); key presses are queued as key messages (message_queue.h). Only what the program
// calls is given the Windows behaviour; this is no general Win32 emulation. GUI thread only.
#include <gtk/gtk.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gtk/icon_table.h"
#include "platform/gtk/message_queue.h"
#include "platform/gtk/top_level_frame.h"
#include "platform/window_port.h"

namespace zorvik::gtk {

struct WindowRecord {
  enum class Kind { TopLevel, Child, Adopted };
  WindowHandle handle = 0;
  Kind kind = Kind::TopLevel;
  WindowHandle parent = 0;
  // Not owned; attached when createWindow returns, so earlier messages get the default handling.
  WindowProcedure* procedure = nullptr;
  // Top level: the GtkWindow, owned by this adapter until destroyWindow. Child: its GtkFixed,
  // owned by the parent's container. Adopted: the other adapter's widget.
  GtkWidget* widget = nullptr;
  // Where children go (a GtkFixed): inside the GtkWindow, or the child's own GtkFixed.
  GtkWidget* client = nullptr;
  std::uint32_t style = 0;
  std::int32_t classBackground = 0;  // stock brush index of the class
  // Top level: the outer rectangle (frame included) in root coordinates. Others: the place in the
  // parent's client area.
  Rect rect;
  FrameExtents frame;   // top level only
  bool iconic = false;  // top level, from the window manager; kept while hidden
  bool zoomed = false;
  bool destroying = false;
  MenuHandle menu = 0;
  IconHandle bigIcon = 0;
  IconHandle smallIcon = 0;
  std::uint32_t lastPressTime = 0;  // of the last left press on the client area
  cairo_t* paintContext = nullptr;  // set only while WM_PAINT is delivered
  Rect lastClient;                  // last client rectangle reported by WM_MOVE/WM_SIZE
};

class WindowAdapter final : public WindowPort {
 public:
  WindowAdapter(MessageQueue& queue, IconTable& icons);
  ~WindowAdapter() override;
  WindowAdapter(const WindowAdapter&) = delete;
  WindowAdapter& operator=(const WindowAdapter&) = delete;

  bool classExists(const std::string& name) override;
  bool registerClass(const WindowClassInfo& request) override;
  WindowHandle createWindow(const WindowCreation& request, WindowProcedure* procedure) override;
  bool destroyWindow(WindowHandle window) override;
  std::intptr_t defWindowProc(const Message& message) override;
  bool isWindow(WindowHandle window) override;
  WindowHandle parentOf(WindowHandle window) override;

  Rect windowRect(WindowHandle window) override;
  Rect clientRect(WindowHandle window) override;
  void moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height, bool repaint) override;
  void setWindowPos(WindowHandle window, const Rect& rect, std::uint32_t flags) override;
  std::int32_t systemMetrics(std::int32_t index) override;

  bool showWindow(WindowHandle window, std::int32_t command) override;
  bool isWindowVisible(WindowHandle window) override;
  bool isIconic(WindowHandle window) override;
  bool isZoomed(WindowHandle window) override;

  bool postMessage(const Message& message) override;
  std::intptr_t sendMessage(const Message& message) override;

  std::int16_t keyState(std::int32_t virtualKey) override;
  WindowHandle focus() override;
  WindowHandle setFocus(WindowHandle window) override;
  bool isChild(WindowHandle parent, WindowHandle window) override;

  GdiObject stockObject(std::int32_t index) override;
  IconHandle loadIconResource(const std::string& name, std::int32_t size) override;
  void destroyIcon(IconHandle icon) override;
  void paintBackground(WindowHandle window, std::uint32_t colour) override;

  // --- Used by the other GTK adapters and by the GTK signal handlers ---

  // The adapter of this process (the functions of gtk_windows.h need it), or null.
  static WindowAdapter* instance();

  // The window's procedure, then the default handling when the procedure asks for it.
  std::intptr_t deliver(const Message& message);
  // A key message from the queue that no window consumed: the addressee's procedure, then the
  // default handling, which hands the saved key event back to GTK.
  void dispatchKey(const Message& message, GdkEvent* keyEvent);

  WindowRecord* find(WindowHandle window);
  // The handle of the widget or of its nearest ancestor that has one; 0 if none.
  WindowHandle handleOfWidget(GtkWidget* widget);
  WindowHandle adopt(GtkWidget* widget, WindowHandle parent);
  void forget(WindowHandle window);  // an adopted widget was destroyed by its owner

  MessageQueue& queue() { return queue_; }

  // GTK signal handlers (window_signals.cpp); `data` carries the window handle.
  static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data);
  static gboolean onKeyPress(GtkWidget*, GdkEventKey* event, gpointer data);
  static gboolean onConfigure(GtkWidget*, GdkEventConfigure* event, gpointer data);
  static gboolean onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data);
  static gboolean onFocusIn(GtkWidget*, GdkEventFocus*, gpointer data);
  static gboolean onFocusOut(GtkWidget*, GdkEventFocus*, gpointer data);
  static gboolean onProperty(GtkWidget*, GdkEventProperty* event, gpointer data);
  static gboolean onDraw(GtkWidget*, cairo_t* cr, gpointer data);
  static gboolean onButtonPress(GtkWidget* widget, GdkEventButton* event, gpointer data);
  static void onAdoptedDestroy(GtkWidget*, gpointer data);

 private:
  WindowHandle createTopLevel(const WindowCreation& request, const WindowClassInfo& windowClass);
  WindowHandle createChild(const WindowCreation& request, const WindowClassInfo& windowClass);
  WindowHandle addRecord(std::unique_ptr<WindowRecord> record);
  void destroyTree(WindowHandle window);
  std::vector<WindowHandle> childrenOf(WindowHandle window);
  WindowRecord* topLevelOf(WindowHandle window);
  void applyTopLevelGeometry(WindowRecord& record);
  void placeChild(WindowRecord& record, const Rect& rect);
  void reportClientGeometry(WindowRecord& record);
  Point clientOrigin(WindowRecord& record);  // root coordinates of the client area's corner
  bool showTopLevel(WindowRecord& record, std::int32_t command);
  void applyIcons(WindowRecord& record);
  void beginMoveDrag(WindowRecord& top);
  void reinject(GdkEvent* keyEvent);

  MessageQueue& queue_;
  IconTable& icons_;
  std::map<std::string, WindowClassInfo> classes_;
  std::map<WindowHandle, std::unique_ptr<WindowRecord>> windows_;  // ordered by creation
  WindowHandle lastHandle_ = 0x10000;
  WindowHandle lastActive_ = 0;  // the top level that was active last
  bool reinjecting_ = false;     // a saved key event is being handed back to GTK
};

}  // namespace zorvik::gtk
