#pragma once
// GDK key values as Windows virtual-key codes, for the key messages the program's key handling
// reads (Esc, Tab, Enter, F1..F12, letters, digits, arrows and the keys around them).
#include <cstdint>

namespace zorvik::gtk {

// The virtual-key code of a GDK key value, or 0 for a key the program has no code for (such keys
// go straight to the focused widget without a key message).
std::uint32_t virtualKeyOf(unsigned int keyval);

}  // namespace zorvik::gtk
