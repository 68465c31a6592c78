#pragma once
// The set of ports one composition root hands to the program's logic. The adapters own the
// objects; the logic holds references for the life of the process.
#include "platform/browser_port.h"
#include "platform/library_port.h"
#include "platform/menu_port.h"
#include "platform/message_loop_port.h"
#include "platform/process_port.h"
#include "platform/shell_port.h"
#include "platform/tray_port.h"
#include "platform/window_port.h"

namespace zorvik {

struct Platform {
  ProcessPort& process;
  LibraryPort& library;
  WindowPort& window;
  MenuPort& menu;
  MessageLoopPort& loop;
  TrayPort& tray;
  ShellPort& shell;
  BrowserPort& browser;
};

}  // namespace zorvik
