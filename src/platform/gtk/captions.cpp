#include "platform/gtk/captions.h"

#include <glib.h>

namespace zorvik::gtk {

std::string utf8FromCp936(const std::string& text) {
  gsize written = 0;
  gchar* converted = g_convert_with_fallback(text.data(), static_cast<gssize>(text.size()), "UTF-8",
                                             "CP936", "\xEF\xBF\xBD", nullptr, &written, nullptr);
  if (converted == nullptr) {
    // A byte sequence that is not CP936 at all: keep what is readable.
    gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string result(valid);
    g_free(valid);
    return result;
  }
  std::string result(converted, written);
  g_free(converted);
  return result;
}

bool cp936FromUtf8(const std::string& text, std::string& out) {
  gsize written = 0;
  gchar* converted = g_convert(text.data(), static_cast<gssize>(text.size()), "CP936", "UTF-8",
                               nullptr, &written, nullptr);
  if (converted == nullptr) return false;
  out.assign(converted, written);
  g_free(converted);
  return true;
}

}  // namespace zorvik::gtk
