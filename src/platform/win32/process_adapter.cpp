#include "platform/win32/process_adapter.h"

#include <ole2.h>
#include <windows.h>

#include "platform/win32/win32_handles.h"

namespace zorvik::win32 {

void ProcessAdapter::oleInitialize() { OleInitialize(nullptr); }

void ProcessAdapter::oleUninitialize() { OleUninitialize(); }

std::string ProcessAdapter::moduleFileName() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length < MAX_PATH ? length : MAX_PATH - 1);
}

void ProcessAdapter::setCurrentDirectory(const std::string& path) {
  SetCurrentDirectoryA(path.c_str());
}

std::uint32_t ProcessAdapter::currentThreadId() { return GetCurrentThreadId(); }

bool ProcessAdapter::isDbcsLeadByte(std::uint8_t byte) { return IsDBCSLeadByte(byte) != FALSE; }

void ProcessAdapter::messageBox(WindowHandle owner, const char* text, const char* caption,
                                std::uint32_t flags) {
  if (!captions_.wide()) {
    MessageBoxA(toHwnd(owner), text, caption, flags);
    return;
  }
  const std::wstring wideText = Captions::toWide(text ? text : "");
  const std::wstring wideCaption = Captions::toWide(caption ? caption : "");
  MessageBoxW(toHwnd(owner), text ? wideText.c_str() : nullptr,
              caption ? wideCaption.c_str() : nullptr, flags);
}

void ProcessAdapter::exitProcess(std::uint32_t code) { ExitProcess(code); }

void* ProcessAdapter::heapAlloc(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }

void ProcessAdapter::heapFree(void* block) { HeapFree(GetProcessHeap(), 0, block); }

}  // namespace zorvik::win32
