#pragma once
// MessageLoopPort on Win32. The last message taken from the queue is kept whole (time, cursor
// point), so that TranslateMessage and DispatchMessage get the genuine MSG rather than one
// rebuilt from the four fields the logic sees.
#include <windows.h>

#include "platform/message_loop_port.h"
#include "platform/win32/captions.h"

namespace zorvik::win32 {

class MessageLoopAdapter final : public MessageLoopPort {
 public:
  explicit MessageLoopAdapter(Captions captions) : captions_(captions) {}

  bool peekMessage() override;
  bool getMessage(Message& message) override;
  void translateMessage(const Message& message) override;
  void dispatchMessage(const Message& message) override;
  void postQuitMessage(std::int32_t code) override;

 private:
  // The genuine MSG when `message` is the last one taken, otherwise one built from its fields.
  MSG genuine(const Message& message) const;

  Captions captions_;
  MSG last_{};
};

}  // namespace zorvik::win32
