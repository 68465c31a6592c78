#include "platform/gtk/web_engine.h"

#include <string>

namespace zorvik::gtk {

namespace {

WebKitSettings* makeSettings() {
  WebKitSettings* settings = webkit_settings_new();
  webkit_settings_set_enable_site_specific_quirks(settings, FALSE);
  // A small fixed-size view showing a mobile site needs no GPU compositing; rendering in the web
  // process without it starts the page sooner and keeps the process tree much smaller.
  webkit_settings_set_hardware_acceleration_policy(settings,
                                                   WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
  // Nothing in the program may open a page's inspector.
  webkit_settings_set_enable_developer_extras(settings, FALSE);
  // The embedded Windows component has no pop-up blocker: a page's window.open() always asks for
  // a new window, which the browser adapter then opens outside the program.
  webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
  return settings;
}

}  // namespace

WebKitSettings* sharedWebSettings() {
  static WebKitSettings* const settings = makeSettings();
  return settings;
}

void installUserAgent(std::string_view text) {
  // WebKit copies the string; `copy` only supplies the terminator the C call needs.
  const std::string copy(text);
  webkit_settings_set_user_agent(sharedWebSettings(), copy.c_str());
}

WebKitWebView* newWebView() {
  return WEBKIT_WEB_VIEW(
      g_object_new(WEBKIT_TYPE_WEB_VIEW, "settings", sharedWebSettings(), nullptr));
}

}  // namespace zorvik::gtk
