#pragma once
// Value types shared by the program's logic and the platform adapters.
// Handles are opaque integers owned by the adapter that issued them; 0 means "none".
#include <cstdint>

namespace zorvik {

using WindowHandle = std::uintptr_t;
using MenuHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;
using ModuleHandle = std::uintptr_t;
using EntryPoint = std::uintptr_t;
using GdiObject = std::uintptr_t;
using BrowserHandle = std::uintptr_t;

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const Rect&) const = default;
};

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const Point&) const = default;
};

// One queued or sent window message, in the platform's own numbering (see win_values.h).
struct Message {
  WindowHandle window = 0;
  std::uint32_t message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
  bool operator==(const Message&) const = default;
};

}  // namespace zorvik
