#pragma once
// Process services the shell needs: OLE for the GUI thread, the executable's path, the current
// directory, the thread id, the default heap, the modal error box and the end of the process.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace zorvik {

class ProcessPort {
 public:
  virtual ~ProcessPort() = default;

  virtual void oleInitialize() = 0;    // OleInitialize(NULL); result not acted on
  virtual void oleUninitialize() = 0;  // OleUninitialize
  // GetModuleFileNameA with a 260-byte buffer: the executable's full path as ANSI bytes.
  virtual std::string moduleFileName() = 0;
  virtual void setCurrentDirectory(const std::string& path) = 0;  // failure ignored
  virtual std::uint32_t currentThreadId() = 0;
  // Whether a byte starts a double-byte character in the system's ANSI code page.
  virtual bool isDbcsLeadByte(std::uint8_t byte) = 0;

  // MessageBoxA: modal, returns when the user has dismissed it.
  virtual void messageBox(WindowHandle owner, const char* text, const char* caption,
                          std::uint32_t flags) = 0;
  // ExitProcess: never returns to the caller.
  [[noreturn]] virtual void exitProcess(std::uint32_t code) = 0;

  // The process's default heap (HeapAlloc with flags 0 / HeapFree). heapAlloc returns null when
  // the heap cannot supply the block.
  virtual void* heapAlloc(std::size_t size) = 0;
  virtual void heapFree(void* block) = 0;
};

}  // namespace zorvik
