#pragma once
// Platform library functions called by library file name and export name, bound at first use.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/library_port.h"

namespace zorvik {

class AppShell;

struct ExternalCommand {
  std::string libraryFile;  // a name containing ":" is a full path
  std::string exportName;
  ModuleHandle module = 0;  // set together with entryPoint, once bound
  EntryPoint entryPoint = 0;
};

inline constexpr std::size_t UrlMkSetSessionOptionCommand = 0;

class ExternalCommandTable {
 public:
  explicit ExternalCommandTable(AppShell& shell) : shell_(shell) {}

  // Fills the table from the program's fixed list, every entry unbound.
  void prepare();
  // The entry point of command `index`, binding it on first use. A missing library or export
  // ends the program through the fatal report.
  EntryPoint bindExternalCommand(std::size_t index);
  // Calls command `index` with four machine words. An unbalanced stack after the call ends the
  // program with run-time error 6.
  std::int32_t callExternalCommand(std::size_t index,
                                   const std::array<std::uintptr_t, 4>& arguments);
  // Releases every module loaded for a command and empties the table.
  void releaseAll();

  const std::vector<ExternalCommand>& entries() const { return entries_; }

 private:
  AppShell& shell_;
  std::vector<ExternalCommand> entries_;
};

}  // namespace zorvik
