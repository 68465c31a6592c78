#include "platform/win32/library_adapter.h"

#include <windows.h>

namespace zorvik::win32 {

namespace {

HMODULE toHmodule(ModuleHandle module) { return reinterpret_cast<HMODULE>(module); }

#if defined(__i386__)
// Calls a stdcall function of four 32-bit words. The stack pointer is read before the pushes and
// again right after the return; a well-behaved callee removes exactly its 16 bytes, so the two
// readings are equal. Whatever the callee did, the stack is put back before the compiler's own
// code runs again. ESI holds the first reading across the call because stdcall preserves it.
ExternalCallResult callStdcallFour(EntryPoint entry, const std::uint32_t* words) {
  std::uint32_t before;
  std::uint32_t after;
  std::int32_t result;
  // The words and the entry are in registers: an ESP-relative operand would move with the pushes.
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "pushl 12(%[words])\n\t"
      "pushl 8(%[words])\n\t"
      "pushl 4(%[words])\n\t"
      "pushl (%[words])\n\t"
      "call *%[entry]\n\t"
      "movl %%esp, %%edi\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "=S"(before), "=D"(after), [words] "+c"(words), [entry] "+d"(entry)
      :
      : "memory", "cc");
  return ExternalCallResult{result, before == after};
}
#endif

}  // namespace

ModuleHandle LibraryAdapter::loadLibrary(const std::string& path) {
  return reinterpret_cast<ModuleHandle>(LoadLibraryA(path.c_str()));
}

EntryPoint LibraryAdapter::getProcAddress(ModuleHandle module, const std::string& name) {
  return reinterpret_cast<EntryPoint>(GetProcAddress(toHmodule(module), name.c_str()));
}

void LibraryAdapter::freeLibrary(ModuleHandle module) { FreeLibrary(toHmodule(module)); }

ExternalCallResult LibraryAdapter::callFourWords(EntryPoint entry,
                                                 const std::array<std::uintptr_t, 4>& arguments) {
#if defined(__i386__)
  const std::uint32_t words[4] = {arguments[0], arguments[1], arguments[2], arguments[3]};
  return callStdcallFour(entry, words);
#else
  // The x64 convention has one calling convention and the caller owns the stack: the typed call
  // below cannot leave the stack unbalanced.
  using FourWordExport = HRESULT(WINAPI*)(DWORD, LPVOID, DWORD, DWORD);
  const auto function = reinterpret_cast<FourWordExport>(entry);
  const HRESULT result =
      function(static_cast<DWORD>(arguments[0]), reinterpret_cast<LPVOID>(arguments[1]),
               static_cast<DWORD>(arguments[2]), static_cast<DWORD>(arguments[3]));
  return ExternalCallResult{static_cast<std::int32_t>(result), true};
#endif
}

}  // namespace zorvik::win32
