#pragma once
// The program's texts are code page 936 bytes; GTK wants UTF-8. Conversion happens here, at the
// edge of the GTK adapters.
#include <string>

namespace zorvik::gtk {

// UTF-8 for code page 936 bytes. Bytes that do not convert become U+FFFD instead of failing.
std::string utf8FromCp936(const std::string& text);
// Code page 936 bytes for UTF-8; false (and `out` untouched) when a character has no CP936 form.
bool cp936FromUtf8(const std::string& text, std::string& out);

}  // namespace zorvik::gtk
