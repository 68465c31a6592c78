#pragma once
// The application icon resource DEFAULT_ICON: the bytes of resources/default_icon.ico, built into
// the executable (the counterpart of the Windows resource section).
#include <cstddef>
#include <cstdint>

namespace zorvik::gtk {

struct EmbeddedFile {
  const std::uint8_t* bytes;
  std::size_t size;
};

EmbeddedFile defaultIconFile();

}  // namespace zorvik::gtk
