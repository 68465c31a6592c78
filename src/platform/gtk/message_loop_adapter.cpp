#include "platform/gtk/message_loop_adapter.h"

#include <glib.h>

#include "platform/win_values.h"

namespace zorvik::gtk {

bool MessageLoopAdapter::peekMessage() {
  // Like PeekMessage, looking also lets pending events in (they may post messages).
  g_main_context_iteration(nullptr, FALSE);
  return !queue_.empty() || queue_.quitRequested();
}

bool MessageLoopAdapter::getMessage(Message& message) {
  while (queue_.empty() && !queue_.quitRequested()) g_main_context_iteration(nullptr, TRUE);
  // As on Windows, the quit request comes only after every message posted before it.
  if (queue_.empty()) {
    queue_.take();  // drops the previous key event
    message = Message{0, win::WmQuit, static_cast<std::uintptr_t>(queue_.quitCode()), 0};
    return false;
  }
  message = queue_.take();
  return true;
}

void MessageLoopAdapter::translateMessage(const Message&) {
  // GTK makes characters from the key event itself when the event is handed back.
}

void MessageLoopAdapter::dispatchMessage(const Message& message) {
  const bool key = message.message == win::WmKeyDown || message.message == win::WmSysKeyDown;
  if (key && queue_.currentKeyEvent() != nullptr && queue_.currentMessage() == message) {
    windows_.dispatchKey(message, queue_.currentKeyEvent());
    return;
  }
  windows_.deliver(message);
}

void MessageLoopAdapter::postQuitMessage(std::int32_t code) { queue_.postQuit(code); }

}  // namespace zorvik::gtk
