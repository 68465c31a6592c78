#pragma once
// WindowPort on Win32. Windows of the classes registered here run one window procedure that hands
// every message to the program's WindowProcedure for that window, and falls back to
// DefWindowProc when the program leaves a message to the default handling.
#include <windows.h>

#include "platform/win32/captions.h"
#include "platform/window_port.h"

namespace zorvik::win32 {

class WindowAdapter final : public WindowPort {
 public:
  explicit WindowAdapter(Captions captions);

  bool classExists(const std::string& name) override;
  bool registerClass(const WindowClassInfo& request) override;
  WindowHandle createWindow(const WindowCreation& request, WindowProcedure* procedure) override;
  bool destroyWindow(WindowHandle window) override;
  std::intptr_t defWindowProc(const Message& message) override;
  bool isWindow(WindowHandle window) override;
  WindowHandle parentOf(WindowHandle window) override;

  Rect windowRect(WindowHandle window) override;
  Rect clientRect(WindowHandle window) override;
  void moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height, bool repaint) override;
  void setWindowPos(WindowHandle window, const Rect& rect, std::uint32_t flags) override;
  std::int32_t systemMetrics(std::int32_t index) override;

  bool showWindow(WindowHandle window, std::int32_t command) override;
  bool isWindowVisible(WindowHandle window) override;
  bool isIconic(WindowHandle window) override;
  bool isZoomed(WindowHandle window) override;

  bool postMessage(const Message& message) override;
  std::intptr_t sendMessage(const Message& message) override;

  std::int16_t keyState(std::int32_t virtualKey) override;
  WindowHandle focus() override;
  WindowHandle setFocus(WindowHandle window) override;
  bool isChild(WindowHandle parent, WindowHandle window) override;

  GdiObject stockObject(std::int32_t index) override;
  IconHandle loadIconResource(const std::string& name, std::int32_t size) override;
  void destroyIcon(IconHandle icon) override;
  void paintBackground(WindowHandle window, std::uint32_t colour) override;

 private:
  Captions captions_;
  HINSTANCE instance_;
};

}  // namespace zorvik::win32
