#pragma once
// ShellPort on Win32: FindWindowExA and ShellExecuteA passed through.
#include "platform/shell_port.h"

namespace zorvik::win32 {

class ShellAdapter final : public ShellPort {
 public:
  WindowHandle findTopLevelWindow(const std::string& title) override;
  void shellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                    std::int32_t show) override;
};

}  // namespace zorvik::win32
