#include "platform/gtk/embedded_icon.h"

namespace zorvik::gtk {
namespace {

// Generated at configure time from resources/default_icon.ico.
constexpr std::uint8_t DefaultIconBytes[] = {
#include "default_icon_bytes.inc"
};

}  // namespace

EmbeddedFile defaultIconFile() { return {DefaultIconBytes, sizeof DefaultIconBytes}; }

}  // namespace zorvik::gtk
