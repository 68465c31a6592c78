#include "platform/gtk/ico_image.h"

#include <cstring>
#include <vector>

namespace zorvik::gtk {
namespace {

std::uint32_t readU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t readU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void freePixels(guchar* pixels, gpointer) { g_free(pixels); }

}  // namespace

GdkPixbuf* pixbufFromIconImage(const std::uint8_t* bits, std::size_t size, int width, int height) {
  constexpr std::size_t HeaderSize = 40;
  if (bits == nullptr || size < HeaderSize) return nullptr;
  const std::uint32_t headerSize = readU32(bits);
  const auto imageWidth = static_cast<std::int32_t>(readU32(bits + 4));
  const auto doubleHeight = static_cast<std::int32_t>(readU32(bits + 8));
  const std::uint16_t bitCount = readU16(bits + 14);
  const std::uint32_t compression = readU32(bits + 16);
  // The height counts the colour rows and the mask rows together.
  const std::int32_t imageHeight = doubleHeight / 2;
  if (headerSize < HeaderSize || headerSize > size || compression != 0) return nullptr;
  if (imageWidth <= 0 || imageWidth > 1024 || imageHeight <= 0 || imageHeight > 1024) {
    return nullptr;
  }
  if (bitCount != 24 && bitCount != 32) return nullptr;

  const std::size_t w = static_cast<std::size_t>(imageWidth);
  const std::size_t h = static_cast<std::size_t>(imageHeight);
  const std::size_t colourStride = (w * bitCount + 31) / 32 * 4;
  const std::size_t maskStride = (w + 31) / 32 * 4;
  const std::size_t colourOffset = headerSize;
  const std::size_t maskOffset = colourOffset + colourStride * h;
  if (maskOffset > size) return nullptr;
  // A 32-bit image carries its own alpha; its mask may be missing.
  const bool hasMask = maskOffset + maskStride * h <= size;
  if (!hasMask && bitCount != 32) return nullptr;

  bool anyAlpha = false;
  if (bitCount == 32) {
    for (std::size_t y = 0; y < h && !anyAlpha; ++y) {
      const std::uint8_t* row = bits + colourOffset + y * colourStride;
      for (std::size_t x = 0; x < w; ++x) {
        if (row[x * 4 + 3] != 0) {
          anyAlpha = true;
          break;
        }
      }
    }
  }

  auto* pixels = static_cast<guchar*>(g_malloc(w * h * 4));
  for (std::size_t y = 0; y < h; ++y) {
    // Rows are stored bottom row first.
    const std::uint8_t* row = bits + colourOffset + (h - 1 - y) * colourStride;
    const std::uint8_t* mask = hasMask ? bits + maskOffset + (h - 1 - y) * maskStride : nullptr;
    guchar* out = pixels + y * w * 4;
    for (std::size_t x = 0; x < w; ++x) {
      const std::uint8_t* in = row + x * (bitCount / 8);
      out[x * 4 + 0] = in[2];
      out[x * 4 + 1] = in[1];
      out[x * 4 + 2] = in[0];
      std::uint8_t alpha = 255;
      if (bitCount == 32 && anyAlpha) {
        alpha = in[3];
      } else if (mask != nullptr && (mask[x / 8] & (0x80 >> (x % 8))) != 0) {
        alpha = 0;  // a set mask bit means transparent
      }
      out[x * 4 + 3] = alpha;
    }
  }
  GdkPixbuf* image = gdk_pixbuf_new_from_data(pixels, GDK_COLORSPACE_RGB, TRUE, 8, imageWidth,
                                              imageHeight, imageWidth * 4, freePixels, nullptr);
  const int targetWidth = width > 0 ? width : imageWidth;
  const int targetHeight = height > 0 ? height : imageHeight;
  if (targetWidth == imageWidth && targetHeight == imageHeight) return image;
  GdkPixbuf* scaled =
      gdk_pixbuf_scale_simple(image, targetWidth, targetHeight, GDK_INTERP_BILINEAR);
  g_object_unref(image);
  return scaled;
}

GdkPixbuf* pixbufFromIcoFile(const std::uint8_t* bytes, std::size_t size, int wantedSize) {
  constexpr std::size_t DirectoryHeader = 6;
  constexpr std::size_t EntrySize = 16;
  if (bytes == nullptr || size < DirectoryHeader + EntrySize) return nullptr;
  if (readU16(bytes) != 0 || readU16(bytes + 2) != 1 || readU16(bytes + 4) == 0) return nullptr;
  const std::uint8_t* entry = bytes + DirectoryHeader;
  const std::uint64_t imageSize = readU32(entry + 8);
  const std::uint64_t imageOffset = readU32(entry + 12);
  if (imageOffset + imageSize > size) return nullptr;
  return pixbufFromIconImage(bytes + imageOffset, static_cast<std::size_t>(imageSize), wantedSize,
                             wantedSize);
}

}  // namespace zorvik::gtk
