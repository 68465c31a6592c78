#include "platform/win32/captions.h"

#include <windows.h>

namespace zorvik::win32 {

namespace {
constexpr UINT kCaptionCodePage = 936;
}

Captions Captions::forThisDesktop() { return Captions(GetACP() != kCaptionCodePage); }

std::wstring Captions::toWide(std::string_view cp936) {
  const std::size_t end = cp936.find('\0');
  if (end != std::string_view::npos) cp936 = cp936.substr(0, end);
  if (cp936.empty()) return {};
  const int length = static_cast<int>(cp936.size());
  const int needed = MultiByteToWideChar(kCaptionCodePage, 0, cp936.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(kCaptionCodePage, 0, cp936.data(), length, wide.data(), needed);
  return wide;
}

}  // namespace zorvik::win32
