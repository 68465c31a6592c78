#pragma once
// Binding library exports by name at run time, and calling the one kind of export the program
// calls: a function of four machine words in the platform's calling convention for exports.
#include <array>
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace zorvik {

struct ExternalCallResult {
  std::int32_t result = 0;
  // False when the stack pointer after the call differs from the one before it (the callee did
  // not remove exactly its own arguments). Always true where the call is typed and cannot mismatch.
  bool stackBalanced = true;
};

class LibraryPort {
 public:
  virtual ~LibraryPort() = default;
  virtual ModuleHandle loadLibrary(const std::string& path) = 0;  // LoadLibraryA; 0 on failure
  virtual EntryPoint getProcAddress(ModuleHandle module,
                                    const std::string& name) = 0;  // 0 if missing
  virtual void freeLibrary(ModuleHandle module) = 0;
  virtual ExternalCallResult callFourWords(EntryPoint entry,
                                           const std::array<std::uintptr_t, 4>& arguments) = 0;
};

}  // namespace zorvik
