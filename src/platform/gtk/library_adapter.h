#pragma once
// LibraryPort on Linux. There is no urlmon.dll here: the adapter offers a built-in module for the
// bare name "urlmon.dll" whose UrlMkSetSessionOption installs the user agent of the program's web
// views. A path with a directory stands for a library file of its own, as LoadLibraryA would load
// it: if such a file exists it is loaded as a shared object (so a urlmon.dll placed beside the
// program is still the one bound); otherwise the load fails.
#include <cstdint>
#include <map>

#include "platform/library_port.h"

namespace zorvik::gtk {

class LibraryAdapter final : public LibraryPort {
 public:
  LibraryAdapter() = default;
  ~LibraryAdapter() override;
  LibraryAdapter(const LibraryAdapter&) = delete;
  LibraryAdapter& operator=(const LibraryAdapter&) = delete;

  ModuleHandle loadLibrary(const std::string& path) override;
  EntryPoint getProcAddress(ModuleHandle module, const std::string& name) override;
  void freeLibrary(ModuleHandle module) override;
  ExternalCallResult callFourWords(EntryPoint entry,
                                   const std::array<std::uintptr_t, 4>& arguments) override;

  // The built-in module's handle (what loadLibrary("urlmon.dll") returns).
  static ModuleHandle builtinUrlmon();

 private:
  // Load counts, as LoadLibraryA/FreeLibrary keep them. Keys are the handles handed out: the
  // built-in module's or a dlopen() handle, which this adapter closes when its count drops to
  // zero (or at destruction).
  std::map<ModuleHandle, int> loads_;
};

}  // namespace zorvik::gtk
