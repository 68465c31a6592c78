#pragma once
// ProcessPort on Win32: kernel32/ole32/user32 calls passed through unchanged.
#include "platform/process_port.h"
#include "platform/win32/captions.h"

namespace zorvik::win32 {

class ProcessAdapter final : public ProcessPort {
 public:
  explicit ProcessAdapter(Captions captions) : captions_(captions) {}

  void oleInitialize() override;
  void oleUninitialize() override;
  std::string moduleFileName() override;
  void setCurrentDirectory(const std::string& path) override;
  std::uint32_t currentThreadId() override;
  bool isDbcsLeadByte(std::uint8_t byte) override;
  void messageBox(WindowHandle owner, const char* text, const char* caption,
                  std::uint32_t flags) override;
  [[noreturn]] void exitProcess(std::uint32_t code) override;
  void* heapAlloc(std::size_t size) override;
  void heapFree(void* block) override;

 private:
  Captions captions_;
};

}  // namespace zorvik::win32
