#pragma once
// MenuPort on Win32: menu calls passed through; captions go through the W-call off code page 936.
#include "platform/menu_port.h"
#include "platform/win32/captions.h"

namespace zorvik::win32 {

class MenuAdapter final : public MenuPort {
 public:
  explicit MenuAdapter(Captions captions) : captions_(captions) {}

  MenuHandle createMenu() override;
  MenuHandle createPopupMenu() override;
  bool appendMenu(MenuHandle menu, std::uint32_t flags, std::uintptr_t item,
                  const std::string& text) override;
  bool destroyMenu(MenuHandle menu) override;
  bool setMenu(WindowHandle window, MenuHandle menu) override;
  MenuHandle getMenu(WindowHandle window) override;
  Point cursorPos() override;
  bool setForegroundWindow(WindowHandle window) override;
  bool trackPopupMenu(MenuHandle menu, std::uint32_t flags, std::int32_t x, std::int32_t y,
                      WindowHandle owner) override;

 private:
  Captions captions_;
};

}  // namespace zorvik::win32
