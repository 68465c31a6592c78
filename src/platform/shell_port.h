#pragma once
// Handing a URL to the user's default browser.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace zorvik {

class ShellPort {
 public:
  virtual ~ShellPort() = default;
  // FindWindowExA(NULL, NULL, NULL, title): a top-level window with exactly this title, or 0.
  virtual WindowHandle findTopLevelWindow(const std::string& title) = 0;
  // ShellExecuteA(owner, verb, file, NULL, NULL, show); result not examined.
  virtual void shellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                            std::int32_t show) = 0;
};

}  // namespace zorvik
