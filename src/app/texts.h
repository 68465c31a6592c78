#pragma once
// The program's constant data: every text (code page 936, zero-terminated) and the tray icon
// image, laid out in one block so that the shell can tell constant data from heap blocks.
#include <cstddef>
#include <cstdint>

namespace zorvik {

namespace texts {
#define ZTEXT(name, literal) extern const char* const name;
#include "app/texts.def"
#undef ZTEXT
}  // namespace texts

inline constexpr std::size_t TrayIconImageSize = 12862;
extern const std::uint8_t* const TrayIconImage;

// [begin, end) of the block that holds all of the above; never freed.
struct ConstantRange {
  const void* begin = nullptr;
  const void* end = nullptr;
};
ConstantRange programConstantData();

}  // namespace zorvik
