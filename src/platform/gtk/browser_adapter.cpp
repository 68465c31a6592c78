#include "platform/gtk/browser_adapter.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "platform/gtk/gtk_windows.h"
#include "platform/gtk/web_engine.h"

namespace zorvik::gtk {

struct BrowserAdapter::Control {
  // One strong reference from creation to destroyControl, so that a view whose widget was
  // destroyed with its window is still a valid object until the program lets go of it.
  WebKitWebView* view = nullptr;
  WindowHandle window = 0;          // the view's handle; 0 once its widget is destroyed
  BrowserEvents* events = nullptr;  // owned by the program's view; outlives this control
  bool interfaceHeld = false;       // the IWebBrowser2 reference's counterpart
  bool silent = false;
  bool offline = false;
};

namespace {

using Control = BrowserAdapter::Control;

// Addresses with one of these schemes but no "//" are complete as they are.
constexpr std::array<std::string_view, 4> SchemesWithoutAuthority = {"about", "data", "javascript",
                                                                     "mailto"};

std::string toUtf8(const std::string& cp936) {
  gsize written = 0;
  gchar* converted = g_convert(cp936.data(), static_cast<gssize>(cp936.size()), "UTF-8", "CP936",
                               nullptr, &written, nullptr);
  if (converted == nullptr) {
    // Not valid CP936: keep what can be kept rather than handing WebKit invalid UTF-8.
    converted = g_utf8_make_valid(cp936.data(), static_cast<gssize>(cp936.size()));
    written = strlen(converted);
  }
  std::string result(converted, written);
  g_free(converted);
  return result;
}

std::string toCp936(const char* utf8) {
  gsize written = 0;
  gchar* converted =
      g_convert_with_fallback(utf8, -1, "CP936", "UTF-8", "?", nullptr, &written, nullptr);
  if (converted == nullptr) return utf8;
  std::string result(converted, written);
  g_free(converted);
  return result;
}

// Hands an address to the user's default browser, outside the program's window. GIO finds the
// handler registered for the scheme; xdg-open is the desktop's own fallback when it finds none.
void openOutside(const char* uri) {
  GError* error = nullptr;
  if (g_app_info_launch_default_for_uri(uri, nullptr, &error)) return;
  g_clear_error(&error);
  gchar* argv[] = {const_cast<gchar*>("xdg-open"), const_cast<gchar*>(uri), nullptr};
  g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, &error);
  g_clear_error(&error);
}

const char* requestUri(WebKitNavigationAction* action) {
  const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
  return uri != nullptr ? uri : "";
}

// A request for a new window: the program may cancel it; otherwise the page opens outside the
// main window and the view keeps its own page.
void askForNewWindow(Control* control, const char* uri) {
  if (uri[0] == '\0') return;  // nothing to hand over (window.open() without an address)
  if (!control->events->newWindow(toCp936(uri))) openOutside(uri);
}

bool isNetworkAddress(const char* uri) {
  return g_str_has_prefix(uri, "http:") || g_str_has_prefix(uri, "https:");
}

gboolean onDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                        WebKitPolicyDecisionType type, gpointer data) {
  auto* control = static_cast<Control*>(data);
  if (control->window == 0) return FALSE;
  if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
    // target=_blank links and targets naming no frame of the page.
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    askForNewWindow(control, requestUri(action));
    webkit_policy_decision_ignore(decision);
    return TRUE;
  }
  if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
    WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    const char* uri = requestUri(action);
    // WebKit has no cache-only mode; offline, the view leaves the network alone instead.
    if (control->events->beforeNavigate(toCp936(uri)) ||
        (control->offline && isNetworkAddress(uri))) {
      webkit_policy_decision_ignore(decision);
    } else {
      webkit_policy_decision_use(decision);
    }
    return TRUE;
  }
  return FALSE;  // responses: WebKit's own choice (show or download)
}

// window.open(): no view is offered for the new page, so it opens outside.
GtkWidget* onCreate(WebKitWebView*, WebKitNavigationAction* action, gpointer data) {
  auto* control = static_cast<Control*>(data);
  if (control->window != 0) askForNewWindow(control, requestUri(action));
  return nullptr;
}

gboolean onScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer data) {
  auto* control = static_cast<Control*>(data);
  if (!control->silent) return FALSE;  // WebKit shows its own dialog
  // Silent: no dialog. A page that asks before being left is left: navigation is never blocked.
  if (webkit_script_dialog_get_dialog_type(dialog) == WEBKIT_SCRIPT_DIALOG_BEFORE_UNLOAD_CONFIRM) {
    webkit_script_dialog_confirm_set_confirmed(dialog, TRUE);
  }
  return TRUE;
}

void onDestroy(GtkWidget*, gpointer data) { static_cast<Control*>(data)->window = 0; }

}  // namespace

std::string webAddress(const std::string& address) {
  std::string utf8 = toUtf8(address);
  if (utf8.find("://") != std::string::npos) return utf8;
  if (const char* scheme = g_uri_peek_scheme(utf8.c_str())) {
    const bool complete = std::ranges::find(SchemesWithoutAuthority, std::string_view(scheme)) !=
                          SchemesWithoutAuthority.end();
    if (complete) return utf8;
  }
  return "http://" + utf8;
}

BrowserAdapter::BrowserAdapter() = default;

BrowserAdapter::~BrowserAdapter() {
  while (!controls_.empty()) destroyControl(controls_.begin()->first);
}

BrowserAdapter::Control* BrowserAdapter::find(BrowserHandle control) {
  const auto found = controls_.find(control);
  return found == controls_.end() ? nullptr : found->second.get();
}

BrowserHandle BrowserAdapter::createBrowserControl(WindowHandle host, const Rect& clientArea,
                                                   BrowserEvents* events) {
  GtkWidget* container = containerOf(host);
  if (container == nullptr || events == nullptr) return 0;

  auto control = std::make_unique<Control>();
  control->events = events;
  control->view = WEBKIT_WEB_VIEW(g_object_ref_sink(newWebView()));
  GtkWidget* widget = GTK_WIDGET(control->view);
  gtk_widget_set_size_request(widget, clientArea.right - clientArea.left,
                              clientArea.bottom - clientArea.top);
  if (GTK_IS_FIXED(container)) {
    gtk_fixed_put(GTK_FIXED(container), widget, clientArea.left, clientArea.top);
  } else {
    gtk_container_add(GTK_CONTAINER(container), widget);
  }
  gtk_widget_show(widget);
  control->window = adoptWidget(widget, host);
  if (control->window == 0) {
    gtk_widget_destroy(widget);
    g_object_unref(control->view);
    return 0;
  }

  Control* raw = control.get();
  g_signal_connect(widget, "decide-policy", G_CALLBACK(onDecidePolicy), raw);
  g_signal_connect(widget, "create", G_CALLBACK(onCreate), raw);
  g_signal_connect(widget, "script-dialog", G_CALLBACK(onScriptDialog), raw);
  g_signal_connect(widget, "destroy", G_CALLBACK(onDestroy), raw);

  const BrowserHandle handle = ++lastHandle_;
  controls_.emplace(handle, std::move(control));
  return handle;
}

bool BrowserAdapter::queryWebBrowser(BrowserHandle control) {
  Control* found = find(control);
  if (found == nullptr || found->window == 0) return false;
  found->interfaceHeld = true;
  return true;
}

WindowHandle BrowserAdapter::controlWindow(BrowserHandle control) {
  Control* found = find(control);
  return found == nullptr ? 0 : found->window;
}

void BrowserAdapter::putOffline(BrowserHandle control, std::int16_t variantBool) {
  if (Control* found = find(control)) found->offline = variantBool != 0;
}

void BrowserAdapter::putSilent(BrowserHandle control, std::int16_t variantBool) {
  if (Control* found = find(control)) found->silent = variantBool != 0;
}

void BrowserAdapter::execZoom(BrowserHandle control, std::int32_t level) {
  Control* found = find(control);
  if (found == nullptr || found->window == 0) return;
  // The level sizes text only, as the text size of the Windows component does; pictures and
  // layout boxes keep their size. The setting is shared by every view, which all want it.
  webkit_settings_set_zoom_text_only(webkit_web_view_get_settings(found->view), TRUE);
  webkit_web_view_set_zoom_level(found->view, TextZoomFactors[std::clamp(level, 0, 4)]);
}

void BrowserAdapter::navigate(BrowserHandle control, const std::string& address) {
  Control* found = find(control);
  if (found == nullptr || found->window == 0 || address.empty()) return;
  webkit_web_view_load_uri(found->view, webAddress(address).c_str());
}

void BrowserAdapter::releaseBrowser(BrowserHandle control) {
  if (Control* found = find(control)) found->interfaceHeld = false;
}

void BrowserAdapter::destroyControl(BrowserHandle control) {
  const auto found = controls_.find(control);
  if (found == controls_.end()) return;
  Control* raw = found->second.get();
  g_signal_handlers_disconnect_by_data(raw->view, raw);
  // Destroying the widget closes the page (and with it the web process) and removes it from the
  // host's container; the window adapter drops its handle when the widget goes.
  if (raw->window != 0) gtk_widget_destroy(GTK_WIDGET(raw->view));
  g_object_unref(raw->view);
  controls_.erase(found);
}

}  // namespace zorvik::gtk
