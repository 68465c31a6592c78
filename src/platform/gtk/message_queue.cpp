#include "platform/gtk/message_queue.h"

#include <glib.h>

namespace zorvik::gtk {

MessageQueue::~MessageQueue() {
  for (Entry& entry : entries_) {
    if (entry.keyEvent != nullptr) gdk_event_free(entry.keyEvent);
  }
  if (current_ != nullptr) gdk_event_free(current_);
}

void MessageQueue::post(const Message& message) { postKey(message, nullptr); }

void MessageQueue::postKey(const Message& message, GdkEvent* keyEvent) {
  entries_.push_back(Entry{message, keyEvent});
  // A getMessage blocked in the main context must look at the queue again.
  g_main_context_wakeup(nullptr);
}

Message MessageQueue::take() {
  if (current_ != nullptr) gdk_event_free(current_);
  current_ = nullptr;
  currentMessage_ = Message{};
  if (entries_.empty()) return Message{};
  Entry entry = entries_.front();
  entries_.pop_front();
  current_ = entry.keyEvent;
  currentMessage_ = entry.message;
  return entry.message;
}

void MessageQueue::postQuit(std::int32_t code) {
  quit_ = true;
  quitCode_ = code;
  g_main_context_wakeup(nullptr);
}

}  // namespace zorvik::gtk
