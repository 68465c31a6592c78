#pragma once
// Windows, their classes, placement, showing, messages, keys, focus, painting and icons.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/handles.h"

namespace zorvik {

class WindowProcedure;

struct WindowClassInfo {
  std::string name;
  std::uint32_t style = 0;           // Cs* values
  bool arrowCursor = true;           // LoadCursorA(IDC_ARROW)
  std::int32_t backgroundStock = 0;  // stock object index for the background brush
};

struct WindowCreation {
  std::uint32_t exStyle = 0;
  std::string className;
  std::string title;  // code page 936 bytes
  std::uint32_t style = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  WindowHandle parent = 0;
  // The menu bar of a top-level window, or the control identifier of a child window.
  std::uintptr_t menuOrId = 0;
};

class WindowPort {
 public:
  virtual ~WindowPort() = default;

  virtual bool classExists(const std::string& name) = 0;        // GetClassInfoA
  virtual bool registerClass(const WindowClassInfo& request) = 0;  // RegisterClassA
  // CreateWindowExA with no creation data; the procedure receives the window's messages (those
  // sent before CreateWindowExA returns get the default handling). 0 on failure.
  virtual WindowHandle createWindow(const WindowCreation& request, WindowProcedure* procedure) = 0;
  virtual bool destroyWindow(WindowHandle window) = 0;
  virtual std::intptr_t defWindowProc(const Message& message) = 0;
  virtual bool isWindow(WindowHandle window) = 0;
  virtual WindowHandle parentOf(WindowHandle window) = 0;  // GetParent of a child; 0 at top level

  virtual Rect windowRect(WindowHandle window) = 0;  // GetWindowRect
  virtual Rect clientRect(WindowHandle window) = 0;  // GetClientRect
  virtual void moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                          std::int32_t height, bool repaint) = 0;
  virtual void setWindowPos(WindowHandle window, const Rect& rect, std::uint32_t flags) = 0;
  virtual std::int32_t systemMetrics(std::int32_t index) = 0;

  virtual bool showWindow(WindowHandle window, std::int32_t command) = 0;
  virtual bool isWindowVisible(WindowHandle window) = 0;
  virtual bool isIconic(WindowHandle window) = 0;
  virtual bool isZoomed(WindowHandle window) = 0;

  virtual bool postMessage(const Message& message) = 0;
  virtual std::intptr_t sendMessage(const Message& message) = 0;

  virtual std::int16_t keyState(std::int32_t virtualKey) = 0;  // GetKeyState
  virtual WindowHandle focus() = 0;                            // GetFocus
  virtual WindowHandle setFocus(WindowHandle window) = 0;
  virtual bool isChild(WindowHandle parent, WindowHandle window) = 0;

  virtual GdiObject stockObject(std::int32_t index) = 0;
  // LoadImageA of the named icon resource as IMAGE_ICON at size×size, LR_DEFAULTCOLOR.
  virtual IconHandle loadIconResource(const std::string& name, std::int32_t size) = 0;
  virtual void destroyIcon(IconHandle icon) = 0;
  // BeginPaint, fill the area to be repainted with a solid brush of the colour, EndPaint.
  virtual void paintBackground(WindowHandle window, std::uint32_t colour) = 0;
};

}  // namespace zorvik
