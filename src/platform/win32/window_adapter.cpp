#include "platform/win32/window_adapter.h"

#include "platform/win32/win32_handles.h"
#include "platform/win32/window_procedures.h"

namespace zorvik::win32 {

WindowAdapter::WindowAdapter(Captions captions)
    : captions_(captions), instance_(GetModuleHandleA(nullptr)) {
  setWindowsAreWide(captions_.wide());
}

bool WindowAdapter::classExists(const std::string& name) {
  WNDCLASSA info{};
  return GetClassInfoA(instance_, name.c_str(), &info) != FALSE;
}

bool WindowAdapter::registerClass(const WindowClassInfo& request) {
  HCURSOR cursor = request.arrowCursor ? LoadCursorA(nullptr, IDC_ARROW) : nullptr;
  auto background = static_cast<HBRUSH>(GetStockObject(request.backgroundStock));
  if (!captions_.wide()) {
    WNDCLASSA windowClass{};
    windowClass.style = request.style;
    windowClass.lpfnWndProc = programWindowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = request.name.c_str();
    return RegisterClassA(&windowClass) != 0;
  }
  // A class registered through the W-call makes Unicode windows, whose titles keep every character.
  const std::wstring name = Captions::toWide(request.name);
  WNDCLASSW windowClass{};
  windowClass.style = request.style;
  windowClass.lpfnWndProc = programWindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = cursor;
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name.c_str();
  return RegisterClassW(&windowClass) != 0;
}

WindowHandle WindowAdapter::createWindow(const WindowCreation& request, WindowProcedure* procedure) {
  HWND window;
  // For a child window the menu argument carries its control identifier.
  auto menuOrId = reinterpret_cast<HMENU>(request.menuOrId);
  if (!captions_.wide()) {
    window = CreateWindowExA(request.exStyle, request.className.c_str(), request.title.c_str(), request.style,
                             request.x, request.y, request.width, request.height, toHwnd(request.parent), menuOrId,
                             instance_, nullptr);
  } else {
    const std::wstring className = Captions::toWide(request.className);
    const std::wstring title = Captions::toWide(request.title);
    window =
        CreateWindowExW(request.exStyle, className.c_str(), title.c_str(), request.style, request.x, request.y,
                        request.width, request.height, toHwnd(request.parent), menuOrId, instance_, nullptr);
  }
  if (window) attachProcedure(window, procedure);
  return fromHwnd(window);
}

bool WindowAdapter::destroyWindow(WindowHandle window) {
  return DestroyWindow(toHwnd(window)) != FALSE;
}

std::intptr_t WindowAdapter::defWindowProc(const Message& message) {
  const MSG msg = toMsg(message);
  if (captions_.wide() && IsWindowUnicode(msg.hwnd)) {
    return DefWindowProcW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  }
  return DefWindowProcA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

bool WindowAdapter::isWindow(WindowHandle window) { return IsWindow(toHwnd(window)) != FALSE; }

WindowHandle WindowAdapter::parentOf(WindowHandle window) {
  // GetParent also answers the owner of a top-level window; only a child has a parent here.
  if ((GetWindowLongPtrA(toHwnd(window), GWL_STYLE) & WS_CHILD) == 0) return 0;
  return fromHwnd(GetParent(toHwnd(window)));
}

Rect WindowAdapter::windowRect(WindowHandle window) {
  RECT rect{};
  GetWindowRect(toHwnd(window), &rect);
  return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

Rect WindowAdapter::clientRect(WindowHandle window) {
  RECT rect{};
  GetClientRect(toHwnd(window), &rect);
  return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

void WindowAdapter::moveWindow(WindowHandle window, std::int32_t x, std::int32_t y,
                               std::int32_t width, std::int32_t height, bool repaint) {
  MoveWindow(toHwnd(window), x, y, width, height, repaint ? TRUE : FALSE);
}

void WindowAdapter::setWindowPos(WindowHandle window, const Rect& rect, std::uint32_t flags) {
  SetWindowPos(toHwnd(window), nullptr, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, flags);
}

std::int32_t WindowAdapter::systemMetrics(std::int32_t index) { return GetSystemMetrics(index); }

bool WindowAdapter::showWindow(WindowHandle window, std::int32_t command) {
  return ShowWindow(toHwnd(window), command) != FALSE;
}

bool WindowAdapter::isWindowVisible(WindowHandle window) {
  return IsWindowVisible(toHwnd(window)) != FALSE;
}

bool WindowAdapter::isIconic(WindowHandle window) { return IsIconic(toHwnd(window)) != FALSE; }

bool WindowAdapter::isZoomed(WindowHandle window) { return IsZoomed(toHwnd(window)) != FALSE; }

bool WindowAdapter::postMessage(const Message& message) {
  const MSG msg = toMsg(message);
  if (captions_.wide()) {
    return PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam) != FALSE;
  }
  return PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam) != FALSE;
}

std::intptr_t WindowAdapter::sendMessage(const Message& message) {
  const MSG msg = toMsg(message);
  if (captions_.wide()) return SendMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  return SendMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

std::int16_t WindowAdapter::keyState(std::int32_t virtualKey) { return GetKeyState(virtualKey); }

WindowHandle WindowAdapter::focus() { return fromHwnd(GetFocus()); }

WindowHandle WindowAdapter::setFocus(WindowHandle window) {
  return fromHwnd(SetFocus(toHwnd(window)));
}

bool WindowAdapter::isChild(WindowHandle parent, WindowHandle window) {
  return IsChild(toHwnd(parent), toHwnd(window)) != FALSE;
}

GdiObject WindowAdapter::stockObject(std::int32_t index) {
  return reinterpret_cast<GdiObject>(GetStockObject(index));
}

IconHandle WindowAdapter::loadIconResource(const std::string& name, std::int32_t size) {
  // The caller owns the image and releases it with destroyIcon.
  return reinterpret_cast<IconHandle>(
      LoadImageA(instance_, name.c_str(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void WindowAdapter::destroyIcon(IconHandle icon) { DestroyIcon(toHicon(icon)); }

void WindowAdapter::paintBackground(WindowHandle window, std::uint32_t colour) {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(toHwnd(window), &paint);
  if (dc) {
    // Brush and region live only for this fill.
    HBRUSH brush = CreateSolidBrush(colour);
    HRGN area = CreateRectRgnIndirect(&paint.rcPaint);
    FillRgn(dc, area, brush);
    DeleteObject(area);
    DeleteObject(brush);
  }
  EndPaint(toHwnd(window), &paint);
}

}  // namespace zorvik::win32
