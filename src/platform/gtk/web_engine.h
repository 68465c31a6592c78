#pragma once
// The browser engine state that is one per process: the WebKitSettings every web view of the
// program shares. Sharing the settings is what makes one installed user agent reach every
// request of every view, the way the URL layer's session option does on Windows. GUI thread
// only; GTK must be initialised before any of these is called.
#include <webkit2/webkit2.h>

#include <string_view>

namespace zorvik::gtk {

// The shared settings, made on first use and kept for the life of the process (never unreffed;
// views hold their own references). Made with site-specific quirks off, because with quirks on
// WebKit swaps the user agent for some hosts.
WebKitSettings* sharedWebSettings();

// Makes `text` (copied) the user agent of every later request of every view.
void installUserAgent(std::string_view text);

// A new web view with the shared settings (in WebKit's default context), as a floating
// reference.
WebKitWebView* newWebView();

}  // namespace zorvik::gtk
