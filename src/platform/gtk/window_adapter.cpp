#include "platform/gtk/window_adapter.h"

#include <algorithm>

#include "platform/gtk/captions.h"
#include "platform/gtk/gtk_windows.h"
#include "platform/gtk/window_internal.h"
#include "platform/win_values.h"
#include "platform/window_procedure.h"

namespace zorvik::gtk {
namespace {

using window_internal::handleData;
using window_internal::HandleKey;

WindowAdapter* theAdapter = nullptr;

}  // namespace

WindowAdapter::WindowAdapter(MessageQueue& queue, IconTable& icons) : queue_(queue), icons_(icons) {
  theAdapter = this;
}

WindowAdapter::~WindowAdapter() {
  // Windows still alive at the end (after a fatal error) go with the process; only drop the
  // links from their widgets back to this adapter.
  for (auto& [handle, record] : windows_) {
    if (record->widget != nullptr) g_object_set_data(G_OBJECT(record->widget), HandleKey, nullptr);
  }
  if (theAdapter == this) theAdapter = nullptr;
}

WindowAdapter* WindowAdapter::instance() { return theAdapter; }

// --- Classes and creation ---------------------------------------------------------------------

bool WindowAdapter::classExists(const std::string& name) { return classes_.contains(name); }

bool WindowAdapter::registerClass(const WindowClassInfo& windowClass) {
  if (windowClass.name.empty() || classes_.contains(windowClass.name)) return false;
  classes_[windowClass.name] = windowClass;
  return true;
}

WindowHandle WindowAdapter::addRecord(std::unique_ptr<WindowRecord> record) {
  const WindowHandle handle = ++lastHandle_;
  record->handle = handle;
  g_object_set_data(G_OBJECT(record->widget), HandleKey, handleData(handle));
  windows_[handle] = std::move(record);
  return handle;
}

WindowHandle WindowAdapter::createWindow(const WindowCreation& request,
                                         WindowProcedure* procedure) {
  const auto windowClass = classes_.find(request.className);
  if (windowClass == classes_.end()) return 0;
  const bool child = (request.style & win::WsChild) != 0;
  if (child && find(request.parent) == nullptr) return 0;
  const WindowHandle handle = child ? createChild(request, windowClass->second)
                                    : createTopLevel(request, windowClass->second);
  if (handle == 0) return 0;
  find(handle)->procedure = procedure;
  if ((request.style & win::WsVisible) != 0) showWindow(handle, win::SwShow);
  return handle;
}

WindowHandle WindowAdapter::createTopLevel(const WindowCreation& request,
                                           const WindowClassInfo& windowClass) {
  auto record = std::make_unique<WindowRecord>();
  record->kind = WindowRecord::Kind::TopLevel;
  record->style = request.style;
  record->classBackground = windowClass.backgroundStock;
  record->rect = Rect{request.x, request.y, request.x + request.width, request.y + request.height};
  record->menu = request.menuOrId;

  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), utf8FromCp936(request.title).c_str());
  // Without a sizing border the user cannot resize the window (min = max size hints).
  gtk_window_set_resizable(GTK_WINDOW(window), (request.style & win::WsThickFrame) != 0);
  GtkWidget* client = gtk_fixed_new();
  gtk_widget_set_has_window(client, TRUE);
  gtk_widget_add_events(client, GDK_BUTTON_PRESS_MASK);
  gtk_container_add(GTK_CONTAINER(window), client);
  gtk_widget_show(client);
  gtk_widget_add_events(window, GDK_PROPERTY_CHANGE_MASK | GDK_STRUCTURE_MASK);
  record->widget = window;
  record->client = client;

  // The frame must be known before the first map so that the outer size comes out right.
  gtk_widget_realize(window);
  GdkWindow* gdkWindow = gtk_widget_get_window(window);
  applyStyleToFrame(gdkWindow, request.style);
  record->frame = requestFrameExtents(gdkWindow);

  WindowRecord* raw = record.get();
  const WindowHandle handle = addRecord(std::move(record));
  g_object_set_data(G_OBJECT(client), HandleKey, handleData(handle));
  applyTopLevelGeometry(*raw);

  g_signal_connect(window, "delete-event", G_CALLBACK(onDelete), handleData(handle));
  g_signal_connect(window, "key-press-event", G_CALLBACK(onKeyPress), handleData(handle));
  g_signal_connect(window, "configure-event", G_CALLBACK(onConfigure), handleData(handle));
  g_signal_connect(window, "window-state-event", G_CALLBACK(onWindowState), handleData(handle));
  g_signal_connect_after(window, "focus-in-event", G_CALLBACK(onFocusIn), handleData(handle));
  g_signal_connect_after(window, "focus-out-event", G_CALLBACK(onFocusOut), handleData(handle));
  g_signal_connect(window, "property-notify-event", G_CALLBACK(onProperty), handleData(handle));
  g_signal_connect(client, "draw", G_CALLBACK(onDraw), handleData(handle));
  g_signal_connect(client, "button-press-event", G_CALLBACK(onButtonPress), handleData(handle));
  return handle;
}

WindowHandle WindowAdapter::createChild(const WindowCreation& request,
                                        const WindowClassInfo& windowClass) {
  WindowRecord* parent = find(request.parent);
  if (parent->client == nullptr) return 0;
  auto record = std::make_unique<WindowRecord>();
  record->kind = WindowRecord::Kind::Child;
  record->parent = request.parent;
  record->style = request.style;
  record->classBackground = windowClass.backgroundStock;
  record->rect = Rect{request.x, request.y, request.x + request.width, request.y + request.height};
  record->menu = 0;

  GtkWidget* fixed = gtk_fixed_new();
  gtk_widget_set_has_window(fixed, TRUE);
  // Focus can be given to it (SetFocus), to be passed on to what it hosts.
  gtk_widget_set_can_focus(fixed, TRUE);
  gtk_widget_add_events(fixed, GDK_BUTTON_PRESS_MASK);
  gtk_widget_set_size_request(fixed, std::max(request.width, 0), std::max(request.height, 0));
  gtk_fixed_put(GTK_FIXED(parent->client), fixed, request.x, request.y);
  record->widget = fixed;
  record->client = fixed;
  const WindowHandle handle = addRecord(std::move(record));
  g_signal_connect(fixed, "draw", G_CALLBACK(onDraw), handleData(handle));
  g_signal_connect(fixed, "button-press-event", G_CALLBACK(onButtonPress), handleData(handle));
  return handle;
}

WindowHandle WindowAdapter::adopt(GtkWidget* widget, WindowHandle parent) {
  WindowRecord* parentRecord = find(parent);
  if (widget == nullptr || parentRecord == nullptr) return 0;
  auto record = std::make_unique<WindowRecord>();
  record->kind = WindowRecord::Kind::Adopted;
  record->parent = parent;
  record->widget = widget;
  record->style = win::WsChild | win::WsVisible;
  GtkWidget* container = gtk_widget_get_parent(widget);
  gint x = 0;
  gint y = 0;
  if (container != nullptr && GTK_IS_FIXED(container)) {
    gtk_container_child_get(GTK_CONTAINER(container), widget, "x", &x, "y", &y, nullptr);
  }
  gint w = 0;
  gint h = 0;
  gtk_widget_get_size_request(widget, &w, &h);
  record->rect = Rect{x, y, x + std::max(w, 0), y + std::max(h, 0)};
  const WindowHandle handle = addRecord(std::move(record));
  g_signal_connect(widget, "destroy", G_CALLBACK(onAdoptedDestroy), handleData(handle));
  return handle;
}

// --- Destruction ------------------------------------------------------------------------------

std::vector<WindowHandle> WindowAdapter::childrenOf(WindowHandle window) {
  std::vector<WindowHandle> children;
  for (auto& [handle, record] : windows_) {
    if (record->parent == window) children.push_back(handle);
  }
  return children;
}

bool WindowAdapter::destroyWindow(WindowHandle window) {
  WindowRecord* record = find(window);
  if (record == nullptr) return false;
  if (record->destroying) return true;
  // The widget outlives the records; a weak pointer tells whether someone destroyed it already.
  GtkWidget* widget = record->widget;
  g_object_add_weak_pointer(G_OBJECT(widget), reinterpret_cast<gpointer*>(&widget));
  destroyTree(window);
  if (widget != nullptr) {
    g_object_remove_weak_pointer(G_OBJECT(widget), reinterpret_cast<gpointer*>(&widget));
    gtk_widget_destroy(widget);
  }
  return true;
}

void WindowAdapter::destroyTree(WindowHandle window) {
  WindowRecord* record = find(window);
  if (record == nullptr) return;
  record->destroying = true;
  // WM_DESTROY first to the window, then to its children; WM_NCDESTROY last, children first.
  if (record->procedure != nullptr) {
    record->procedure->handleMessage(Message{window, win::WmDestroy, 0, 0});
  }
  for (WindowHandle child : childrenOf(window)) destroyTree(child);
  record = find(window);
  if (record == nullptr) return;
  if (record->procedure != nullptr) {
    record->procedure->handleMessage(Message{window, win::WmNcDestroy, 0, 0});
  }
  record = find(window);
  if (record == nullptr) return;
  if (record->widget != nullptr) {
    g_object_set_data(G_OBJECT(record->widget), HandleKey, nullptr);
    if (record->client != nullptr) g_object_set_data(G_OBJECT(record->client), HandleKey, nullptr);
  }
  if (lastActive_ == window) lastActive_ = 0;
  windows_.erase(window);
}

void WindowAdapter::forget(WindowHandle window) {
  WindowRecord* record = find(window);
  if (record == nullptr || record->destroying) return;
  destroyTree(window);
}

// --- Messages ---------------------------------------------------------------------------------

std::intptr_t WindowAdapter::deliver(const Message& message) {
  WindowRecord* record = find(message.window);
  if (record == nullptr) return 0;
  if (record->procedure != nullptr) {
    const auto result = record->procedure->handleMessage(message);
    if (result.has_value()) return *result;
  }
  return defWindowProc(message);
}

std::intptr_t WindowAdapter::defWindowProc(const Message& message) {
  WindowRecord* record = find(message.window);
  if (record == nullptr) return 0;
  switch (message.message) {
    case win::WmClose:
      destroyWindow(message.window);
      return 0;
    case win::WmQueryEndSession:
      return 1;
    case win::WmActivate:
      // Activation gives the window the keyboard focus, as the default handling does on Windows.
      if ((message.wParam & 0xFFFF) != win::WaInactive && !record->iconic) {
        setFocus(message.window);
      }
      return 0;
    case win::WmNcLButtonDown:
      if (static_cast<std::intptr_t>(message.wParam) == win::HtCaption) {
        if (WindowRecord* top = topLevelOf(message.window)) beginMoveDrag(*top);
      }
      return 0;
    case win::WmSetIcon: {
      IconHandle& slot = message.wParam == win::IconBig ? record->bigIcon : record->smallIcon;
      const IconHandle previous = slot;
      slot = static_cast<IconHandle>(message.lParam);
      applyIcons(*record);
      return static_cast<std::intptr_t>(previous);
    }
    case win::WmSysKeyDown:
      // Alt+F4 closes the top-level window.
      if (message.wParam == 0x73 && (message.lParam & (1 << 29)) != 0) {
        if (WindowRecord* top = topLevelOf(message.window)) {
          constexpr std::uintptr_t ScClose = 0xF060;
          sendMessage(Message{top->handle, win::WmSysCommand, ScClose, 0});
        }
      }
      return 0;
    case win::WmSysCommand:
      if ((message.wParam & 0xFFF0) == 0xF060) {
        sendMessage(Message{message.window, win::WmClose, 0, 0});
      }
      return 0;
    default:
      return 0;
  }
}

bool WindowAdapter::postMessage(const Message& message) {
  if (message.window != 0 && find(message.window) == nullptr) return false;
  queue_.post(message);
  return true;
}

std::intptr_t WindowAdapter::sendMessage(const Message& message) { return deliver(message); }

void WindowAdapter::dispatchKey(const Message& message, GdkEvent* keyEvent) {
  WindowRecord* record = find(message.window);
  if (record != nullptr && record->procedure != nullptr) {
    if (record->procedure->handleMessage(message).has_value()) return;
  }
  const bool altF4 = message.message == win::WmSysKeyDown && message.wParam == 0x73 &&
                     (message.lParam & (1 << 29)) != 0;
  if (altF4) {
    defWindowProc(message);
    return;
  }
  // The window's own handling of an ordinary key is GTK's: hand it the event it did not get.
  reinject(keyEvent);
}

void WindowAdapter::reinject(GdkEvent* keyEvent) {
  if (keyEvent == nullptr) return;
  GdkWindow* target = keyEvent->key.window;
  if (target == nullptr || gdk_window_is_destroyed(target)) return;
  reinjecting_ = true;
  gtk_main_do_event(keyEvent);
  reinjecting_ = false;
}

// --- Lookup -----------------------------------------------------------------------------------

WindowRecord* WindowAdapter::find(WindowHandle window) {
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second.get();
}

bool WindowAdapter::isWindow(WindowHandle window) { return find(window) != nullptr; }

WindowHandle WindowAdapter::parentOf(WindowHandle window) {
  WindowRecord* record = find(window);
  return record == nullptr ? 0 : record->parent;
}

WindowRecord* WindowAdapter::topLevelOf(WindowHandle window) {
  WindowRecord* record = find(window);
  while (record != nullptr && record->kind != WindowRecord::Kind::TopLevel) {
    record = find(record->parent);
  }
  return record;
}

WindowHandle WindowAdapter::handleOfWidget(GtkWidget* widget) {
  for (GtkWidget* w = widget; w != nullptr; w = gtk_widget_get_parent(w)) {
    const auto handle = reinterpret_cast<WindowHandle>(g_object_get_data(G_OBJECT(w), HandleKey));
    if (handle != 0 && find(handle) != nullptr) return handle;
  }
  return 0;
}

bool WindowAdapter::isChild(WindowHandle parent, WindowHandle window) {
  for (WindowRecord* record = find(window); record != nullptr; record = find(record->parent)) {
    if (record->parent == parent && parent != 0) return true;
  }
  return false;
}

// --- What gtk_windows.h offers the other adapters ---------------------------------------------

GtkWidget* containerOf(WindowHandle window) {
  WindowAdapter* adapter = WindowAdapter::instance();
  WindowRecord* record = adapter == nullptr ? nullptr : adapter->find(window);
  return record == nullptr ? nullptr : record->client;
}

WindowHandle adoptWidget(GtkWidget* widget, WindowHandle parent) {
  WindowAdapter* adapter = WindowAdapter::instance();
  return adapter == nullptr ? 0 : adapter->adopt(widget, parent);
}

GtkWidget* widgetOf(WindowHandle window) {
  WindowAdapter* adapter = WindowAdapter::instance();
  WindowRecord* record = adapter == nullptr ? nullptr : adapter->find(window);
  return record == nullptr ? nullptr : record->widget;
}

}  // namespace zorvik::gtk
