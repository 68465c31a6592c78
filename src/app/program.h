#pragma once
// The one entry point a composition root calls: runs the program from start-up to its end and
// returns the process exit code (0 after a normal end). Fatal errors end the process inside,
// through ProcessPort::exitProcess, and do not return here.
#include <cstdint>

#include "platform/platform.h"

namespace zorvik {

std::uint32_t runZorvik(Platform& platform);

}  // namespace zorvik
