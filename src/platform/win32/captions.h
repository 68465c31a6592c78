#pragma once
// How the program's code page 936 texts reach the desktop. On a code page 936 desktop the bytes go
// unchanged to the A-calls. On any other ANSI code page an A-call would show mojibake, so the
// adapters convert the bytes to UTF-16 here and make the matching W-call instead. The choice is
// made once per process, from the system's ANSI code page.
#include <string>
#include <string_view>

namespace zorvik::win32 {

class Captions {
 public:
  // wide: true when the desktop's ANSI code page is not 936.
  explicit Captions(bool wide) : wide_(wide) {}
  // Reads the system's ANSI code page.
  static Captions forThisDesktop();

  bool wide() const { return wide_; }
  // Code page 936 bytes (up to the first zero, if any) as UTF-16.
  static std::wstring toWide(std::string_view cp936);

 private:
  bool wide_;
};

}  // namespace zorvik::win32
