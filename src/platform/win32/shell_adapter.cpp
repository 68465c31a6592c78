#include "platform/win32/shell_adapter.h"

#include <windows.h>
//
#include <shellapi.h>

#include "platform/win32/win32_handles.h"

namespace zorvik::win32 {

// Title, verb and URL are ASCII, so the A-calls serve every desktop code page.
WindowHandle ShellAdapter::findTopLevelWindow(const std::string& title) {
  return fromHwnd(FindWindowExA(nullptr, nullptr, nullptr, title.c_str()));
}

void ShellAdapter::shellExecute(WindowHandle owner, const std::string& verb,
                                const std::string& file, std::int32_t show) {
  ShellExecuteA(toHwnd(owner), verb.c_str(), file.c_str(), nullptr, nullptr, show);
}

}  // namespace zorvik::win32
