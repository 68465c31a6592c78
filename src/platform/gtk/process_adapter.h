#pragma once
// ProcessPort on Linux.
//
// Paths: the logic treats the executable's path as Windows ANSI text and cuts it at the last
// backslash. moduleFileName therefore returns the real path (/proc/self/exe) converted to code
// page 936 with every '/' written as '\'; setCurrentDirectory converts back (CP936 -> UTF-8, then
// '\' -> '/'). Converting before replacing keeps a CP936 trail byte 0x5C from being taken for a
// separator. A path that has no CP936 form is returned as its raw bytes (with '\' separators).
#include "platform/process_port.h"

namespace zorvik::gtk {

class ProcessAdapter final : public ProcessPort {
 public:
  void oleInitialize() override {}  // no OLE here: the web view needs no apartment
  void oleUninitialize() override {}
  std::string moduleFileName() override;
  void setCurrentDirectory(const std::string& path) override;
  std::uint32_t currentThreadId() override;
  bool isDbcsLeadByte(std::uint8_t byte) override;
  void messageBox(WindowHandle owner, const char* text, const char* caption,
                  std::uint32_t flags) override;
  [[noreturn]] void exitProcess(std::uint32_t code) override;
  void* heapAlloc(std::size_t size) override;
  void heapFree(void* block) override;
};

// The conversions described above, apart for testing.
std::string windowsStylePath(const std::string& unixPath);
std::string unixStylePath(const std::string& windowsPath);

}  // namespace zorvik::gtk
