#pragma once
// The tray menu: popping up an entry's children at the pointer, and handing a URL to the
// system's default browser.
#include "platform/platform.h"
#include "ui/window_definition.h"

namespace zorvik {

class MainWindow;

// Pops up the children of `entry` (one of `window`'s menu entries) as a context menu at the mouse
// pointer and returns when it has closed; the chosen item arrives later as WM_COMMAND. Nothing
// happens for an entry of another window or one with nothing under it.
void popUpTrayMenu(Platform& platform, MainWindow& window, const MenuEntry* entry);

// Hands `url` to the system's default handler for it.
void openUrl(Platform& platform, const char* url);

}  // namespace zorvik
