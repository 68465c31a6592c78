#pragma once
// The text of the fatal-error report and the small text formatting the program's messages use.
#include <cstdint>
#include <string>
#include <vector>

namespace zorvik {

// "运行时出错!" CR LF CR LF, then the code line (only for a code other than 0) and the message
// line (only for a non-empty message), each in the fixed layout of the report.
std::string buildFatalReport(const char* message, std::int32_t code);

// Replaces each "%s" or "%d" of `format`, left to right, by the next of `values`. The values are
// inserted as they are, never read as formats themselves.
std::string formatText(const char* format, const std::vector<std::string>& values);

// The run-time error table: the text of error `number`, or null for a number without a text.
const char* runtimeErrorText(int number);

inline constexpr int StackErrorNumber = 6;

}  // namespace zorvik
