#include "platform/win32/window_procedures.h"

#include <optional>
#include <unordered_map>

#include "platform/win32/win32_handles.h"

namespace zorvik::win32 {

namespace {

struct Registry {
  bool wide = false;
  std::unordered_map<HWND, WindowProcedure*> procedures;
};

Registry& registry() {
  static Registry instance;
  return instance;
}

}  // namespace

void setWindowsAreWide(bool wide) { registry().wide = wide; }

void attachProcedure(HWND window, WindowProcedure* procedure) {
  if (procedure) registry().procedures[window] = procedure;
}

LRESULT CALLBACK programWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Registry& links = registry();
  std::optional<std::intptr_t> result;
  // Look the procedure up on every message: handling one message may destroy other windows.
  if (auto found = links.procedures.find(window); found != links.procedures.end()) {
    result = found->second->handleMessage(Message{fromHwnd(window), message,
                                                  static_cast<std::uintptr_t>(wParam),
                                                  static_cast<std::intptr_t>(lParam)});
  }
  // WM_NCDESTROY is a window's last message; its handle may be reused afterwards.
  if (message == WM_NCDESTROY) links.procedures.erase(window);
  if (result) return static_cast<LRESULT>(*result);
  return links.wide ? DefWindowProcW(window, message, wParam, lParam)
                    : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace zorvik::win32
