#include "web/browser_identity.h"

#include <cstring>

#include "app/texts.h"
#include "platform/win_values.h"

namespace zorvik {

void setSessionUserAgent(AppShell& shell, const char*& variable) {
  const bool empty = variable == nullptr || variable[0] == '\0';
  const char* installed = texts::FallbackUserAgent;
  if (!empty) {
    const std::size_t size = std::strlen(variable) + 1;
    char* copy = shell.allocText(size);
    std::memcpy(copy, variable, size);
    installed = copy;
  }
  shell.freeText(variable);
  variable = installed;

  const std::size_t length = std::strlen(variable);
  shell.externalCommands().callExternalCommand(
      UrlMkSetSessionOptionCommand,
      {win::UrlmonOptionUserAgent, reinterpret_cast<std::uintptr_t>(variable), length, 0});
}

}  // namespace zorvik
