#pragma once
// The one place where a program window receives its messages. Adapters turn platform events into
// Message values and hand them here; a result of nullopt asks the adapter for the platform's
// default handling (DefWindowProcA on Windows, its counterpart elsewhere).
#include <cstdint>
#include <optional>

#include "platform/handles.h"

namespace zorvik {

class WindowProcedure {
 public:
  virtual ~WindowProcedure() = default;
  virtual std::optional<std::intptr_t> handleMessage(const Message& message) = 0;
};

}  // namespace zorvik
