#pragma once
// Menu bars and pop-up menus.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace zorvik {

class MenuPort {
 public:
  virtual ~MenuPort() = default;
  virtual MenuHandle createMenu() = 0;
  virtual MenuHandle createPopupMenu() = 0;
  // AppendMenuA. For MfPopup the item is the submenu's handle, otherwise the command identifier.
  virtual bool appendMenu(MenuHandle menu, std::uint32_t flags, std::uintptr_t item,
                          const std::string& text) = 0;
  virtual bool destroyMenu(MenuHandle menu) = 0;
  virtual bool setMenu(WindowHandle window, MenuHandle menu) = 0;
  virtual MenuHandle getMenu(WindowHandle window) = 0;

  virtual Point cursorPos() = 0;
  virtual bool setForegroundWindow(WindowHandle window) = 0;
  // TrackPopupMenu without TPM_RETURNCMD: returns when the menu has closed; a chosen item reaches
  // the owner afterwards as WM_COMMAND.
  virtual bool trackPopupMenu(MenuHandle menu, std::uint32_t flags, std::int32_t x, std::int32_t y,
                              WindowHandle owner) = 0;
};

}  // namespace zorvik
