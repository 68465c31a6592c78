#include "web/external_command_table.h"

#include "app/app_shell.h"
#include "app/fatal_report.h"
#include "app/texts.h"

namespace zorvik {

void ExternalCommandTable::prepare() {
  entries_.clear();
  entries_.push_back({texts::UrlmonLibrary, texts::UrlmonExport, 0, 0});
}

EntryPoint ExternalCommandTable::bindExternalCommand(std::size_t index) {
  ExternalCommand& command = entries_.at(index);
  if (command.entryPoint != 0) return command.entryPoint;

  LibraryPort& library = shell_.platform().library;
  ModuleHandle module = 0;
  if (command.libraryFile.find(':') != std::string::npos) {
    module = library.loadLibrary(command.libraryFile);
  } else {
    // A library of that name beside the program wins over the system's.
    module = library.loadLibrary(shell_.programDirectory() + "\\" + command.libraryFile);
    if (module == 0) module = library.loadLibrary(command.libraryFile);
  }
  EntryPoint entry = 0;
  if (module != 0) entry = library.getProcAddress(module, command.exportName);
  if (entry != 0) {
    command.module = module;
    command.entryPoint = entry;
    return entry;
  }
  if (module != 0) library.freeLibrary(module);
  const std::string message =
      formatText(texts::BindFailedFormat, {command.libraryFile, command.exportName});
  shell_.reportFatalError(message.c_str(), 0);
}

std::int32_t ExternalCommandTable::callExternalCommand(
    std::size_t index, const std::array<std::uintptr_t, 4>& arguments) {
  const EntryPoint entry = bindExternalCommand(index);
  const ExternalCallResult outcome = shell_.platform().library.callFourWords(entry, arguments);
  if (!outcome.stackBalanced) shell_.raiseRuntimeError(StackErrorNumber);
  return outcome.result;
}

void ExternalCommandTable::releaseAll() {
  for (const ExternalCommand& command : entries_) {
    if (command.module != 0) shell_.platform().library.freeLibrary(command.module);
  }
  entries_.clear();
}

}  // namespace zorvik
