#pragma once
// MessageLoopPort on Linux: GetMessage runs the GLib main context (GTK events, D-Bus calls, the
// web view's work) until the adapter's own queue holds a posted message or the quit request.
#include "platform/gtk/message_queue.h"
#include "platform/gtk/window_adapter.h"
#include "platform/message_loop_port.h"

namespace zorvik::gtk {

class MessageLoopAdapter final : public MessageLoopPort {
 public:
  MessageLoopAdapter(MessageQueue& queue, WindowAdapter& windows)
      : queue_(queue), windows_(windows) {}

  bool peekMessage() override;
  bool getMessage(Message& message) override;
  void translateMessage(const Message& message) override;
  void dispatchMessage(const Message& message) override;
  void postQuitMessage(std::int32_t code) override;

 private:
  MessageQueue& queue_;
  WindowAdapter& windows_;
};

}  // namespace zorvik::gtk
