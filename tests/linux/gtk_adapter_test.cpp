// The GTK adapter's pieces that need no display: icon images from ICO bytes (which must survive
// any bytes), the path conversions between Linux paths and the ANSI paths the logic cuts, and
// the key map.
#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gtk/ico_image.h"
#include "platform/gtk/key_map.h"
#include "platform/gtk/process_adapter.h"

namespace zorvik::gtk {
namespace {

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// One ICO image: BITMAPINFOHEADER, colour rows bottom-up, AND mask. Pixel (x, y) counted from
// the top has colour (r = 10 * x, g = 10 * y, b = 7); the mask makes the top-left pixel clear.
std::vector<std::uint8_t> iconImage(int width, int height, int bitCount) {
  const std::size_t stride = (width * bitCount + 31) / 32 * 4;
  const std::size_t maskStride = (width + 31) / 32 * 4;
  std::vector<std::uint8_t> bytes(40 + stride * height + maskStride * height, 0);
  put32(bytes, 0, 40);
  put32(bytes, 4, static_cast<std::uint32_t>(width));
  put32(bytes, 8, static_cast<std::uint32_t>(height * 2));
  bytes[12] = 1;
  bytes[14] = static_cast<std::uint8_t>(bitCount);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = bytes.data() + 40 + (height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = row + x * (bitCount / 8);
      p[0] = 7;
      p[1] = static_cast<std::uint8_t>(10 * y);
      p[2] = static_cast<std::uint8_t>(10 * x);
      if (bitCount == 32) p[3] = 200;
    }
  }
  bytes[40 + stride * height + (height - 1) * maskStride] = 0x80;  // top row, first pixel
  return bytes;
}

struct Rgba {
  int r, g, b, a;
  bool operator==(const Rgba&) const = default;
};

Rgba pixelOf(GdkPixbuf* image, int x, int y) {
  const guchar* p = gdk_pixbuf_read_pixels(image) + y * gdk_pixbuf_get_rowstride(image) +
                    x * gdk_pixbuf_get_n_channels(image);
  return {p[0], p[1], p[2], p[3]};
}

TEST(IconImage, TwentyFourBitImageTakesItsAlphaFromTheMask) {
  const auto bytes = iconImage(3, 2, 24);
  GdkPixbuf* image = pixbufFromIconImage(bytes.data(), bytes.size(), 0, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(gdk_pixbuf_get_width(image), 3);
  EXPECT_EQ(gdk_pixbuf_get_height(image), 2);
  EXPECT_EQ(pixelOf(image, 0, 0), (Rgba{0, 0, 7, 0}));
  EXPECT_EQ(pixelOf(image, 2, 0), (Rgba{20, 0, 7, 255}));
  EXPECT_EQ(pixelOf(image, 1, 1), (Rgba{10, 10, 7, 255}));
  g_object_unref(image);
}

TEST(IconImage, ThirtyTwoBitImageUsesItsOwnAlpha) {
  const auto bytes = iconImage(2, 2, 32);
  GdkPixbuf* image = pixbufFromIconImage(bytes.data(), bytes.size(), 0, 0);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(pixelOf(image, 0, 0), (Rgba{0, 0, 7, 200}));
  EXPECT_EQ(pixelOf(image, 1, 1), (Rgba{10, 10, 7, 200}));
  g_object_unref(image);
}

TEST(IconImage, IsScaledToTheRequestedSize) {
  const auto bytes = iconImage(4, 4, 24);
  GdkPixbuf* image = pixbufFromIconImage(bytes.data(), bytes.size(), 16, 8);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(gdk_pixbuf_get_width(image), 16);
  EXPECT_EQ(gdk_pixbuf_get_height(image), 8);
  g_object_unref(image);
}

TEST(IconImage, MalformedBytesGiveNoImage) {
  const auto good = iconImage(4, 4, 24);
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back(
      {"shorter than the header", std::vector<std::uint8_t>(good.begin(), good.begin() + 39)});
  cases.push_back(
      {"colour rows cut short", std::vector<std::uint8_t>(good.begin(), good.begin() + 60)});
  cases.push_back({"mask cut short", std::vector<std::uint8_t>(good.begin(), good.end() - 1)});
  auto patched = [&good](std::size_t at, std::uint32_t value) {
    auto bytes = good;
    put32(bytes, at, value);
    return bytes;
  };
  cases.push_back({"header size past the end", patched(0, 0xFFFFFFF0)});
  cases.push_back({"header size too small", patched(0, 12)});
  cases.push_back({"zero width", patched(4, 0)});
  cases.push_back({"negative width", patched(4, 0xFFFFFFFC)});
  cases.push_back({"height of one row pair less than one", patched(8, 1)});
  cases.push_back({"huge width", patched(4, 0x7FFFFFFF)});
  cases.push_back({"compressed", patched(16, 1)});
  auto eightBit = good;
  eightBit[14] = 8;
  cases.push_back({"palette image", eightBit});
  for (const Case& c : cases) {
    GdkPixbuf* image = pixbufFromIconImage(c.bytes.data(), c.bytes.size(), 0, 0);
    EXPECT_EQ(image, nullptr) << c.what;
    if (image != nullptr) g_object_unref(image);
  }
  EXPECT_EQ(pixbufFromIconImage(nullptr, 100, 0, 0), nullptr);
}

TEST(IcoFile, DirectoryOutsideTheFileGivesNoImage) {
  const auto image = iconImage(2, 2, 24);
  std::vector<std::uint8_t> file(22, 0);
  file[2] = 1;
  file[4] = 1;
  put32(file, 6 + 8, static_cast<std::uint32_t>(image.size()));
  put32(file, 6 + 12, 22);
  file.insert(file.end(), image.begin(), image.end());
  GdkPixbuf* whole = pixbufFromIcoFile(file.data(), file.size(), 32);
  ASSERT_NE(whole, nullptr);
  EXPECT_EQ(gdk_pixbuf_get_width(whole), 32);
  g_object_unref(whole);

  auto past = file;
  put32(past, 6 + 12, 0xFFFFFFFF);  // offset + size overflows 32 bits
  EXPECT_EQ(pixbufFromIcoFile(past.data(), past.size(), 32), nullptr);
  auto cursor = file;
  cursor[2] = 2;
  EXPECT_EQ(pixbufFromIcoFile(cursor.data(), cursor.size(), 32), nullptr);
  EXPECT_EQ(pixbufFromIcoFile(file.data(), 21, 32), nullptr);
}

TEST(Paths, AnsiFormKeepsDoubleByteCharactersWhole) {
  // "誠" is D5 5C in code page 936: its trail byte is the backslash byte.
  const std::string unixPath = "/opt/\xE7\xA8\x8B\xE5\xBA\x8F\xE8\xAA\xA0/zorvik";
  const std::string ansi = windowsStylePath(unixPath);
  EXPECT_EQ(ansi, "\\opt\\\xB3\xCC\xD0\xF2\xD5\x5C\\zorvik");
  EXPECT_EQ(unixStylePath(ansi.substr(0, ansi.rfind('\\'))),
            "/opt/\xE7\xA8\x8B\xE5\xBA\x8F\xE8\xAA\xA0");
}

TEST(Paths, PlainAndUnconvertiblePaths) {
  EXPECT_EQ(windowsStylePath("/usr/bin/zorvik"), "\\usr\\bin\\zorvik");
  EXPECT_EQ(unixStylePath("\\usr\\bin"), "/usr/bin");
  // No CP936 form (an emoji): the bytes stay as they are, separators still turned.
  EXPECT_EQ(windowsStylePath("/tmp/\xF0\x9F\x98\x80/z"), "\\tmp\\\xF0\x9F\x98\x80\\z");
}

TEST(KeyMap, VirtualKeys) {
  const struct {
    unsigned int keyval;
    std::uint32_t virtualKey;
  } table[] = {
      {GDK_KEY_Escape, 0x1B}, {GDK_KEY_Tab, 0x09},      {GDK_KEY_ISO_Left_Tab, 0x09},
      {GDK_KEY_Return, 0x0D}, {GDK_KEY_KP_Enter, 0x0D}, {GDK_KEY_F1, 0x70},
      {GDK_KEY_F4, 0x73},     {GDK_KEY_F12, 0x7B},      {GDK_KEY_a, 'A'},
      {GDK_KEY_Z, 'Z'},       {GDK_KEY_0, '0'},         {GDK_KEY_9, '9'},
      {GDK_KEY_Left, 0x25},   {GDK_KEY_Up, 0x26},       {GDK_KEY_Right, 0x27},
      {GDK_KEY_Down, 0x28},   {GDK_KEY_Shift_R, 0x10},  {GDK_KEY_Control_L, 0x11},
      {GDK_KEY_Alt_L, 0x12},  {GDK_KEY_eacute, 0},      {GDK_KEY_F13, 0},
  };
  for (const auto& row : table) {
    EXPECT_EQ(virtualKeyOf(row.keyval), row.virtualKey) << std::hex << row.keyval;
  }
}

}  // namespace
}  // namespace zorvik::gtk
