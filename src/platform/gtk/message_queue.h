#pragma once
// The GUI thread's queue of posted messages: the counterpart of a Windows thread's message queue.
// Key presses are queued here too, each with its own copy of the GDK key event, so that a key no
// window takes can be handed back to GTK unchanged (the web view still gets its keys).
#include <gdk/gdk.h>

#include <cstdint>
#include <deque>

#include "platform/handles.h"

namespace zorvik::gtk {

class MessageQueue {
 public:
  MessageQueue() = default;
  ~MessageQueue();
  MessageQueue(const MessageQueue&) = delete;
  MessageQueue& operator=(const MessageQueue&) = delete;

  void post(const Message& message);
  // Queues a key message; takes ownership of `keyEvent` (a gdk_event_copy of the press).
  void postKey(const Message& message, GdkEvent* keyEvent);
  bool empty() const { return entries_.empty(); }
  // Removes and returns the oldest message. Its key event, if any, becomes the current key event
  // and stays owned here until the next take().
  Message take();

  void postQuit(std::int32_t code);
  bool quitRequested() const { return quit_; }
  std::int32_t quitCode() const { return quitCode_; }

  // The key event of the key message last taken, or null (GetKeyState answers from it).
  GdkEvent* currentKeyEvent() const { return current_; }
  const Message& currentMessage() const { return currentMessage_; }

 private:
  struct Entry {
    Message message;
    GdkEvent* keyEvent = nullptr;  // owned
  };
  std::deque<Entry> entries_;
  GdkEvent* current_ = nullptr;  // owned
  Message currentMessage_;
  bool quit_ = false;
  std::int32_t quitCode_ = 0;
};

}  // namespace zorvik::gtk
