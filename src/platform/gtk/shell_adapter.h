#pragma once
// ShellPort on Linux: URLs go to the user's default handler through GIO, with xdg-open as the
// fallback when GIO knows none. There is no "Microsoft Internet Explorer" window to find here.
#include "platform/shell_port.h"

namespace zorvik::gtk {

class ShellAdapter final : public ShellPort {
 public:
  WindowHandle findTopLevelWindow(const std::string& title) override;
  void shellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                    std::int32_t show) override;
};

}  // namespace zorvik::gtk
