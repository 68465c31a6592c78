#pragma once
// Screen coordinates as the program sees them. On Windows the primary screen's top-left corner
// is (0, 0) and the program centres its window on that screen; on X11 the primary monitor may sit
// anywhere in the root window. The adapters therefore give and take screen coordinates relative
// to the primary monitor's corner, and convert at the X11 edge.
#include "platform/handles.h"

namespace zorvik::gtk {

// The root-window position of the primary monitor's top-left corner ((0, 0) on a single screen).
Point primaryScreenOrigin();

}  // namespace zorvik::gtk
