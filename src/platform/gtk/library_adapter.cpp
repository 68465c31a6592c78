#include "platform/gtk/library_adapter.h"

#include <dlfcn.h>
#include <strings.h>
#include <sys/stat.h>

#include <string>

#include "platform/gtk/web_engine.h"

namespace zorvik::gtk {

namespace {

constexpr std::uint32_t UrlmonOptionUserAgent = 0x10000001;
constexpr std::int32_t SOk = 0;
constexpr std::int32_t EInvalidArg = static_cast<std::int32_t>(0x80070057);

// UrlMkSetSessionOption with the Windows signature. Only the user-agent option means anything to
// this program; the text is copied, as the caller frees its buffer right after the call.
std::int32_t builtinSetSessionOption(std::uint32_t option, const void* buffer, std::uint32_t length,
                                     std::uint32_t /*reserved*/) {
  if (option != UrlmonOptionUserAgent || buffer == nullptr) return EInvalidArg;
  installUserAgent(std::string_view(static_cast<const char*>(buffer), length));
  return SOk;
}

// Any object's address will do as a handle that no dlopen() can return.
const char builtinModuleTag = 0;

// "dir/name", "dir\name" and "C:name" name a file in a directory; a bare name asks for the
// system's library of that name.
bool hasDirectory(const std::string& path) {
  return path.find_first_of("/\\:") != std::string::npos;
}

}  // namespace

ModuleHandle LibraryAdapter::builtinUrlmon() {
  return reinterpret_cast<ModuleHandle>(&builtinModuleTag);
}

LibraryAdapter::~LibraryAdapter() {
  for (const auto& [module, count] : loads_) {
    if (module != builtinUrlmon()) dlclose(reinterpret_cast<void*>(module));
  }
}

ModuleHandle LibraryAdapter::loadLibrary(const std::string& path) {
  ModuleHandle module = 0;
  if (!hasDirectory(path)) {
    if (strcasecmp(path.c_str(), "urlmon.dll") != 0) return 0;
    module = builtinUrlmon();
  } else {
    std::string file = path;
    for (char& c : file) {
      if (c == '\\') c = '/';
    }
    struct stat info {};
    if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
    // dlopen() keeps its own count per file, so the same handle comes back for a second load.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return 0;
    module = reinterpret_cast<ModuleHandle>(handle);
    if (loads_.contains(module)) dlclose(handle);  // our own count covers it
  }
  ++loads_[module];
  return module;
}

EntryPoint LibraryAdapter::getProcAddress(ModuleHandle module, const std::string& name) {
  if (!loads_.contains(module)) return 0;
  if (module == builtinUrlmon()) {
    if (name != "UrlMkSetSessionOption") return 0;
    return reinterpret_cast<EntryPoint>(&builtinSetSessionOption);
  }
  return reinterpret_cast<EntryPoint>(dlsym(reinterpret_cast<void*>(module), name.c_str()));
}

void LibraryAdapter::freeLibrary(ModuleHandle module) {
  const auto found = loads_.find(module);
  if (found == loads_.end()) return;
  if (--found->second > 0) return;
  loads_.erase(found);
  if (module != builtinUrlmon()) dlclose(reinterpret_cast<void*>(module));
}

ExternalCallResult LibraryAdapter::callFourWords(EntryPoint entry,
                                                 const std::array<std::uintptr_t, 4>& arguments) {
  // The call is typed, so it cannot leave the stack unbalanced.
  ExternalCallResult outcome;
  if (entry == reinterpret_cast<EntryPoint>(&builtinSetSessionOption)) {
    outcome.result = builtinSetSessionOption(
        static_cast<std::uint32_t>(arguments[0]), reinterpret_cast<const void*>(arguments[1]),
        static_cast<std::uint32_t>(arguments[2]), static_cast<std::uint32_t>(arguments[3]));
    return outcome;
  }
  // A loaded library's export of four 32-bit words (DWORD, LPVOID, DWORD, DWORD style); in the
  // x86_64 calling convention each word travels in its own register.
  using FourWords =
      std::int32_t (*)(std::uintptr_t, std::uintptr_t, std::uintptr_t, std::uintptr_t);
  const auto function = reinterpret_cast<FourWords>(entry);
  outcome.result = function(arguments[0], arguments[1], arguments[2], arguments[3]);
  return outcome;
}

}  // namespace zorvik::gtk
