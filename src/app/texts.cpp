// Built with -fexec-charset=CP936: the literals below become code page 936 bytes.
#include "app/texts.h"

namespace zorvik {
namespace {

// One block for all constant data, so that its address range is known exactly.
struct ConstantBlock {
#define ZTEXT(name, literal) char name[sizeof(literal)];
#include "app/texts.def"
#undef ZTEXT
  std::uint8_t trayIconImage[TrayIconImageSize];
};

constexpr ConstantBlock kConstants = {
#define ZTEXT(name, literal) literal,
#include "app/texts.def"
#undef ZTEXT
    {
#include "tray_icon_image.inc"
    },
};

}  // namespace

namespace texts {
#define ZTEXT(name, literal) const char* const name = kConstants.name;
#include "app/texts.def"
#undef ZTEXT
}  // namespace texts

const std::uint8_t* const TrayIconImage = kConstants.trayIconImage;

ConstantRange programConstantData() { return {&kConstants, &kConstants + 1}; }

}  // namespace zorvik
