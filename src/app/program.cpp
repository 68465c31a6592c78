#include "app/program.h"

#include "app/app_shell.h"

namespace zorvik {

std::uint32_t runZorvik(Platform& platform) {
  AppShell shell(platform);
  return shell.runProgram();
}

}  // namespace zorvik
