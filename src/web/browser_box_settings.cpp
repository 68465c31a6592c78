#include "web/browser_box_settings.h"

#include <algorithm>

namespace zorvik {

namespace {
constexpr std::size_t FixedPartSize = 16;

void putWord(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t wordAt(const std::vector<std::uint8_t>& in, std::size_t offset) {
  return static_cast<std::uint32_t>(in[offset]) | static_cast<std::uint32_t>(in[offset + 1]) << 8 |
         static_cast<std::uint32_t>(in[offset + 2]) << 16 |
         static_cast<std::uint32_t>(in[offset + 3]) << 24;
}
}  // namespace

std::vector<std::uint8_t> browserBoxRecord(std::uint32_t version, std::int32_t textSize,
                                           std::uint32_t offline, std::uint32_t silent,
                                           const std::string& address) {
  std::vector<std::uint8_t> record;
  putWord(record, version);
  putWord(record, static_cast<std::uint32_t>(textSize));
  putWord(record, offline);
  putWord(record, silent);
  record.insert(record.end(), address.begin(), address.end());
  record.push_back(0);
  return record;
}

std::vector<std::uint8_t> storedBrowserBoxRecord() { return browserBoxRecord(1, 2, 0, 1, ""); }

std::optional<BrowserBoxSettings> readBrowserBoxSettings(const std::vector<std::uint8_t>& record) {
  BrowserBoxSettings settings;
  if (record.empty()) return settings;
  if (record.size() <= FixedPartSize) return std::nullopt;
  if (wordAt(record, 0) > 1) return std::nullopt;
  const auto terminator = std::find(record.begin() + FixedPartSize, record.end(), 0);
  if (terminator == record.end()) return std::nullopt;
  settings.textSize = static_cast<std::int32_t>(wordAt(record, 4));
  settings.offline = wordAt(record, 8) != 0;
  settings.silent = wordAt(record, 12) != 0;
  settings.address.assign(record.begin() + FixedPartSize, terminator);
  return settings;
}

std::int32_t clampedTextSize(std::int32_t textSize) { return std::clamp(textSize, 0, 4); }

}  // namespace zorvik
