#include "platform/gtk/shell_adapter.h"

#include <gio/gio.h>

#include "platform/gtk/captions.h"

namespace zorvik::gtk {

WindowHandle ShellAdapter::findTopLevelWindow(const std::string& /*title*/) { return 0; }

void ShellAdapter::shellExecute(WindowHandle /*owner*/, const std::string& verb,
                                const std::string& file, std::int32_t /*show*/) {
  if (verb != "open") return;
  const std::string uri = utf8FromCp936(file);
  GError* error = nullptr;
  if (g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error)) return;
  g_clear_error(&error);
  // The result is not examined, as ShellExecuteA's is not.
  gchar* argv[] = {const_cast<gchar*>("xdg-open"), const_cast<gchar*>(uri.c_str()), nullptr};
  g_spawn_async(nullptr, argv, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace zorvik::gtk
