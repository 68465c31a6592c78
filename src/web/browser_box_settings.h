#pragma once
// BrowserBox's own stored settings and the record they are kept in.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvik {

struct BrowserBoxSettings {
  std::int32_t textSize = 2;  // 0 smallest .. 4 largest
  bool offline = false;
  bool silent = false;
  std::string address;  // loaded at creation; empty = none
};

// The record: version (u32), text size (i32), offline (u32), silent (u32), all little-endian,
// then the address as zero-terminated text.
std::vector<std::uint8_t> browserBoxRecord(std::uint32_t version, std::int32_t textSize,
                                           std::uint32_t offline, std::uint32_t silent,
                                           const std::string& address);

// This program's stored record: version 1, text size 2, online, silent, no address.
std::vector<std::uint8_t> storedBrowserBoxRecord();

// Reads a record over the defaults. An empty record leaves the defaults. A record of a version
// above 1, or one too short to hold its fields and terminated address, is rejected.
std::optional<BrowserBoxSettings> readBrowserBoxSettings(const std::vector<std::uint8_t>& record);

// The text size level the component is given: below 0 counts as 0, above 4 as 4.
std::int32_t clampedTextSize(std::int32_t textSize);

}  // namespace zorvik
