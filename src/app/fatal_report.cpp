#include "app/fatal_report.h"

#include "app/texts.h"

namespace zorvik {

namespace {
constexpr const char* LineBreak = "\r\n";
}

std::string buildFatalReport(const char* message, std::int32_t code) {
  std::string text = texts::FatalHeader;
  text += LineBreak;
  text += LineBreak;
  if (code != 0) {
    text += texts::FatalCodeLabel;
    text += std::to_string(code);
    text += LineBreak;
    text += LineBreak;
  }
  if (message != nullptr && message[0] != '\0') {
    text += texts::FatalMessageLabel;
    text += message;
    text += LineBreak;
  }
  return text;
}

std::string formatText(const char* format, const std::vector<std::string>& values) {
  std::string out;
  std::size_t next = 0;
  for (const char* p = format; *p != '\0'; ++p) {
    if (p[0] == '%' && (p[1] == 's' || p[1] == 'd') && next < values.size()) {
      out += values[next++];
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

const char* runtimeErrorText(int number) {
  return number == StackErrorNumber ? texts::StackError : nullptr;
}

}  // namespace zorvik
