#pragma once
// Icon images from ICO bytes, as GdkPixbufs. Only what the program's icons use is read: images of
// 24 or 32 bits per pixel with their AND mask. Every read is bounds-checked; anything else gives
// null.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstddef>
#include <cstdint>

namespace zorvik::gtk {

// One image of an ICO file (BITMAPINFOHEADER, colour rows bottom-up, AND mask) scaled to
// width×height; 0 for either means the image's own size. The caller owns the returned reference.
GdkPixbuf* pixbufFromIconImage(const std::uint8_t* bits, std::size_t size, int width, int height);

// The first image of a whole ICO file (directory and images) at size×size; caller owns the result.
GdkPixbuf* pixbufFromIcoFile(const std::uint8_t* bytes, std::size_t size, int wantedSize);

}  // namespace zorvik::gtk
