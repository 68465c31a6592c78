#pragma once
// Small helpers shared by the window adapter's source files.
#include <glib.h>

#include <cstdint>

#include "platform/handles.h"

namespace zorvik::gtk::window_internal {

// The key under which a widget carries its window handle.
inline constexpr char HandleKey[] = "zorvik-window";

inline std::int32_t width(const Rect& r) { return r.right - r.left; }
inline std::int32_t height(const Rect& r) { return r.bottom - r.top; }

// Two 16-bit values in one message parameter, as MAKELPARAM packs them.
inline std::intptr_t makeLParam(std::int32_t low, std::int32_t high) {
  return static_cast<std::intptr_t>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                                    (static_cast<std::uint32_t>(high) & 0xFFFF) << 16);
}

inline gpointer handleData(WindowHandle handle) { return reinterpret_cast<gpointer>(handle); }

}  // namespace zorvik::gtk::window_internal
