#pragma once
// LibraryPort on Win32: LoadLibraryA / GetProcAddress / FreeLibrary passed through, and the call of
// a four-word export. The adapter holds nothing: every module handle it returns belongs to the
// caller until the caller frees it.
#include "platform/library_port.h"

namespace zorvik::win32 {

class LibraryAdapter final : public LibraryPort {
 public:
  ModuleHandle loadLibrary(const std::string& path) override;
  EntryPoint getProcAddress(ModuleHandle module, const std::string& name) override;
  void freeLibrary(ModuleHandle module) override;
  // i686: the words are pushed by hand and the stack pointer is compared around the call, so an
  // export that removes the wrong number of bytes is noticed. x86_64: a typed call.
  ExternalCallResult callFourWords(EntryPoint entry,
                                   const std::array<std::uintptr_t, 4>& arguments) override;
};

}  // namespace zorvik::win32
