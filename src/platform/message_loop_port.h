#pragma once
// The GUI thread's message queue.
#include <cstdint>

#include "platform/handles.h"

namespace zorvik {

class MessageLoopPort {
 public:
  virtual ~MessageLoopPort() = default;
  virtual bool peekMessage() = 0;  // PeekMessageA with PM_NOREMOVE: is a message waiting?
  // GetMessageA: blocks for the next message; false when it is the quit request.
  virtual bool getMessage(Message& message) = 0;
  virtual void translateMessage(const Message& message) = 0;
  virtual void dispatchMessage(const Message& message) = 0;
  virtual void postQuitMessage(std::int32_t code) = 0;
};

}  // namespace zorvik
