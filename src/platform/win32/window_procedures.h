#pragma once
// The link from live windows to the program's WindowProcedure objects, used by the one Win32
// window procedure of the program's classes. Process-wide, GUI thread only. The procedures are
// owned by the logic; an entry lives from just after CreateWindowEx until WM_NCDESTROY.
#include <windows.h>

#include "platform/window_procedure.h"

namespace zorvik::win32 {

// `wide`: the program's windows are Unicode windows (DefWindowProcW for the default handling).
void setWindowsAreWide(bool wide);
void attachProcedure(HWND window, WindowProcedure* procedure);
LRESULT CALLBACK programWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zorvik::win32
