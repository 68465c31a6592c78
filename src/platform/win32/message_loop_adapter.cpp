#include "platform/win32/message_loop_adapter.h"

#include "platform/win32/win32_handles.h"

namespace zorvik::win32 {

bool MessageLoopAdapter::peekMessage() {
  MSG msg{};
  if (captions_.wide()) return PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
  return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

bool MessageLoopAdapter::getMessage(Message& message) {
  // Off code page 936 the queue is read as Unicode, so typed characters reach the Unicode windows
  // without a detour through the ANSI code page.
  const BOOL result =
      captions_.wide() ? GetMessageW(&last_, nullptr, 0, 0) : GetMessageA(&last_, nullptr, 0, 0);
  message = fromMsg(last_);
  // -1 (an invalid call) is not a quit request; the loop goes on as with any message.
  return result != 0;
}

MSG MessageLoopAdapter::genuine(const Message& message) const {
  if (fromMsg(last_) == message) return last_;
  return toMsg(message);
}

void MessageLoopAdapter::translateMessage(const Message& message) {
  const MSG msg = genuine(message);
  TranslateMessage(&msg);
}

void MessageLoopAdapter::dispatchMessage(const Message& message) {
  const MSG msg = genuine(message);
  if (captions_.wide()) {
    DispatchMessageW(&msg);
  } else {
    DispatchMessageA(&msg);
  }
}

void MessageLoopAdapter::postQuitMessage(std::int32_t code) { PostQuitMessage(code); }

}  // namespace zorvik::win32
