// The Windows composition root: builds the Win32 adapters, hands them to the program's logic and
// returns its exit code. Every adapter lives on this stack frame for the whole run.
#include <windows.h>

#include "app/program.h"
#include "platform/platform.h"
#include "platform/win32/browser_adapter.h"
#include "platform/win32/captions.h"
#include "platform/win32/library_adapter.h"
#include "platform/win32/menu_adapter.h"
#include "platform/win32/message_loop_adapter.h"
#include "platform/win32/process_adapter.h"
#include "platform/win32/shell_adapter.h"
#include "platform/win32/tray_adapter.h"
#include "platform/win32/window_adapter.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace zorvik::win32;
  const Captions captions = Captions::forThisDesktop();
  ProcessAdapter process(captions);
  LibraryAdapter library;
  WindowAdapter window(captions);
  MenuAdapter menu(captions);
  MessageLoopAdapter loop(captions);
  TrayAdapter tray(captions);
  ShellAdapter shell;
  BrowserAdapter browser;
  zorvik::Platform platform{process, library, window, menu, loop, tray, shell, browser};
  return static_cast<int>(zorvik::runZorvik(platform));
}
