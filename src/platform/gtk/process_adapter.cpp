#include "platform/gtk/process_adapter.h"

#include <gtk/gtk.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/gtk/captions.h"
#include "platform/win_values.h"

namespace zorvik::gtk {

std::string windowsStylePath(const std::string& unixPath) {
  std::string path;
  if (!cp936FromUtf8(unixPath, path)) path = unixPath;
  // Only single-byte '/' exist in either form: no CP936 trail byte is 0x2F.
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string unixStylePath(const std::string& windowsPath) {
  // Back to UTF-8 first, so that a trail byte 0x5C stays part of its character.
  std::string path = utf8FromCp936(windowsPath);
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::string ProcessAdapter::moduleFileName() {
  gchar* target = g_file_read_link("/proc/self/exe", nullptr);
  if (target == nullptr) return std::string();
  std::string path(target);
  g_free(target);
  return windowsStylePath(path);
}

void ProcessAdapter::setCurrentDirectory(const std::string& path) {
  if (chdir(unixStylePath(path).c_str()) != 0) {
    // Failure is not acted on, as SetCurrentDirectoryA's result is not.
  }
}

std::uint32_t ProcessAdapter::currentThreadId() { return static_cast<std::uint32_t>(gettid()); }

bool ProcessAdapter::isDbcsLeadByte(std::uint8_t byte) {
  // Code page 936 (GBK): lead bytes 0x81..0xFE.
  return byte >= 0x81 && byte <= 0xFE;
}

void ProcessAdapter::messageBox(WindowHandle /*owner*/, const char* text, const char* caption,
                                std::uint32_t flags) {
  std::string body = utf8FromCp936(text == nullptr ? "" : text);
  // CR LF line breaks would show the CR as a box in a GTK label.
  body.erase(std::remove(body.begin(), body.end(), '\r'), body.end());
  const GtkMessageType type =
      (flags & win::MbIconError) != 0 ? GTK_MESSAGE_ERROR : GTK_MESSAGE_OTHER;
  GtkWidget* dialog =
      gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, type, GTK_BUTTONS_OK, "%s", body.c_str());
  gtk_window_set_title(GTK_WINDOW(dialog),
                       utf8FromCp936(caption == nullptr ? "" : caption).c_str());
  if (type == GTK_MESSAGE_ERROR) {
    // GTK 3 message dialogs show no icon of their own any more; MB_ICONERROR asks for one.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GtkWidget* icon = gtk_image_new_from_icon_name("dialog-error", GTK_ICON_SIZE_DIALOG);
    gtk_widget_show(icon);
    gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(dialog), icon);
    G_GNUC_END_IGNORE_DEPRECATIONS
  }
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
}

void ProcessAdapter::exitProcess(std::uint32_t code) {
  std::fflush(nullptr);
  // The exit status keeps the low eight bits: 0xFFFFFFFF is seen as 255, as under Windows shells.
  std::_Exit(static_cast<int>(code & 0xFF));
}

void* ProcessAdapter::heapAlloc(std::size_t size) { return std::malloc(size == 0 ? 1 : size); }

void ProcessAdapter::heapFree(void* block) { std::free(block); }

}  // namespace zorvik::gtk
