// The tray icon: its image, the ICO decoder, the shell records and the mouse events.
#include "ui/tray_icon.h"

#include <cstring>

#include "test_support.h"

namespace zorvik::test {
namespace {

std::uint32_t u32(const std::uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

TEST(TrayIconImage, HasTheIcoLayoutFieldByField) {
  const std::uint8_t* ico = TrayIconImage;
  EXPECT_EQ(TrayIconImageSize, 12862u);
  EXPECT_EQ(u16(ico + 0), 0);
  EXPECT_EQ(u16(ico + 2), 1);
  EXPECT_EQ(u16(ico + 4), 1);
  EXPECT_EQ(ico[6], 64);
  EXPECT_EQ(ico[7], 64);
  EXPECT_EQ(ico[8], 0);  // colour count
  EXPECT_EQ(ico[9], 0);
  EXPECT_EQ(u16(ico + 10), 0);  // planes
  EXPECT_EQ(u16(ico + 12), 8);  // bit count
  EXPECT_EQ(u32(ico + 14), 12840u);
  EXPECT_EQ(u32(ico + 18), 22u);
  const std::uint8_t* header = ico + 22;
  EXPECT_EQ(u32(header + 0), 40u);
  EXPECT_EQ(u32(header + 4), 64u);
  EXPECT_EQ(u32(header + 8), 128u);
  EXPECT_EQ(u16(header + 12), 1);
  EXPECT_EQ(u16(header + 14), 24);
  for (int offset = 16; offset < 40; ++offset) EXPECT_EQ(header[offset], 0) << offset;
  EXPECT_EQ(22u + 40 + 64 * 64 * 3 + 64 * 8, TrayIconImageSize);
}

// A small ICO: `entries` directory entries (width, colour count) followed by one 40-byte image
// header per entry.
std::vector<std::uint8_t> ico(std::uint16_t type,
                              const std::vector<std::pair<std::uint8_t, std::uint8_t>>& entries,
                              std::uint16_t bitCount = 24) {
  std::vector<std::uint8_t> bytes(6 + 16 * entries.size());
  bytes[2] = static_cast<std::uint8_t>(type);
  bytes[4] = static_cast<std::uint8_t>(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::uint8_t* e = bytes.data() + 6 + 16 * i;
    e[0] = entries[i].first;
    e[2] = entries[i].second;
    const std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size() + 40 * i);
    const std::uint32_t size = 40;
    std::memcpy(e + 8, &size, 4);
    std::memcpy(e + 12, &offset, 4);
  }
  for (const auto& [width, colours] : entries) {
    std::uint8_t header[40] = {40};
    const std::int32_t height = width * 2 + 1;  // odd: halving truncates
    header[4] = width;
    std::memcpy(header + 8, &height, 4);
    header[12] = 1;
    header[14] = static_cast<std::uint8_t>(bitCount);
    bytes.insert(bytes.end(), header, header + 40);
  }
  return bytes;
}

void setU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  std::memcpy(bytes.data() + at, &value, 4);
}

TEST(IconFromIcoBytes, TableOfInputs) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::int32_t preferred;
    bool exWorks;
    std::vector<std::string> calls;  // CreateIcon... calls made
    bool yields;
  };
  auto overflow = ico(1, {{16, 16}});
  setU32(overflow, 6 + 12, 0xFFFFFFF0u);  // offset near 2^32: offset + size wraps
  auto pastEnd = ico(1, {{16, 16}});
  setU32(pastEnd, 6 + 8, 41);  // one byte more than is there
  auto tiny = ico(1, {{16, 16}});
  setU32(tiny, 6 + 8, 15);
  auto reserved = ico(1, {{16, 16}});
  reserved[0] = 1;
  auto truncatedDirectory = ico(1, {{16, 16}});
  truncatedDirectory[4] = 2;  // claims a second entry whose 16 bytes are not all there
  truncatedDirectory.resize(6 + 16 + 10);
  const std::vector<Case> cases = {
      {"good icon, matching width chosen",
       ico(1, {{32, 16}, {16, 16}}),
       16,
       true,
       {"CreateIconFromResourceEx(40,1,0x30000,16,16,0x0)"},
       true},
      {"first match wins",
       ico(1, {{16, 16}, {16, 255}}),
       16,
       true,
       {"CreateIconFromResourceEx(40,1,0x30000,16,16,0x0)"},
       true},
      {"no match: the last entry",
       ico(1, {{16, 16}, {48, 16}}),
       32,
       true,
       {"CreateIconFromResourceEx(40,1,0x30000,48,48,0x0)"},
       true},
      {"colour count below 16 never matches",
       ico(1, {{16, 8}, {32, 0}}),
       16,
       true,
       {"CreateIconFromResourceEx(40,1,0x30000,32,32,0x0)"},
       true},
      {"cursor type still yields an icon",
       ico(2, {{16, 16}}),
       16,
       true,
       {"CreateIconFromResourceEx(40,1,0x30000,16,16,0x0)"},
       true},
      {"fallback when the first call fails",
       ico(1, {{16, 16}}),
       16,
       false,
       {"CreateIconFromResourceEx(40,1,0x30000,16,16,0x0)", "CreateIconFromResource(40,1,0x30000)"},
       true},
      {"no fallback for a 16-bit image",
       ico(1, {{16, 16}}, 16),
       16,
       false,
       {"CreateIconFromResourceEx(40,1,0x30000,16,16,0x0)"},
       false},
      {"type 3", ico(3, {{16, 16}}), 16, true, {}, false},
      {"reserved not 0", reserved, 16, true, {}, false},
      {"count 0", ico(1, {}), 16, true, {}, false},
      {"shorter than its header", {0, 0, 1, 0}, 16, true, {}, false},
      {"truncated directory", truncatedDirectory, 32, true, {}, false},
      {"image past the end", pastEnd, 16, true, {}, false},
      {"offset + size overflows", overflow, 16, true, {}, false},
      {"image shorter than 16 bytes", tiny, 16, true, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakePlatform fake;
    fake.iconFromResourceExWorks = c.exWorks;
    const IconHandle icon = iconFromIcoBytes(fake, c.bytes.data(), c.bytes.size(), c.preferred);
    EXPECT_EQ(icon != 0, c.yields);
    EXPECT_EQ(fake.log, c.calls);
  }
}

TEST(IconFromIcoBytes, TheTrayImageYieldsAFullSizeIconAtTheFirstAttempt) {
  fake::FakePlatform fake;
  EXPECT_NE(iconFromIcoBytes(fake, TrayIconImage, TrayIconImageSize, 16), 0u);
  EXPECT_EQ(fake.log,
            std::vector<std::string>{"CreateIconFromResourceEx(12840,1,0x30000,64,64,0x0)"});
}

TEST(SetTrayIcon, AddModifyDeleteAndTheImagesItReleases) {
  fake::FakePlatform fake;
  TrayIcon tray(fake);
  const std::string longTip(70, 'x');

  tray.setTrayIcon(0x55, nullptr, 0, "tip");  // nothing held, nothing new: no call
  EXPECT_TRUE(fake.log.empty());

  tray.setTrayIcon(0x55, TrayIconImage, TrayIconImageSize, texts::TrayTip);
  tray.setTrayIcon(0x55, TrayIconImage, TrayIconImageSize, longTip.c_str());
  tray.setTrayIcon(0x55, TrayIconImage, 1, "gone");  // bytes that yield no image: removal
  EXPECT_EQ(only(fake.log, {"Shell_NotifyIconA", "DestroyIcon"}),
            (std::vector<std::string>{"Shell_NotifyIconA(0,0x100)", "Shell_NotifyIconA(1,0x101)",
                                      "DestroyIcon(0x100)", "Shell_NotifyIconA(2,0x0)",
                                      "DestroyIcon(0x101)"}));
  EXPECT_EQ(tray.image(), 0u);

  ASSERT_EQ(fake.trayRecords.size(), 3u);
  const NotifyIconRecord& add = fake.trayRecords[0];
  EXPECT_EQ(add.window, 0x55u);
  EXPECT_EQ(add.id, 100u);
  EXPECT_EQ(add.flags, 7u);
  EXPECT_EQ(add.callbackMessage, 0x8064u);
  EXPECT_EQ(std::string(add.tip.data()), texts::TrayTip);
  EXPECT_EQ(std::strlen(texts::TrayTip), 16u);  // "Tamblo" and five double-byte characters

  const NotifyIconRecord& modify = fake.trayRecords[1];
  EXPECT_EQ(std::string(modify.tip.data(), 62), std::string(62, 'x'));
  EXPECT_EQ(modify.tip[62], 0);
  EXPECT_EQ(modify.tip[63], 0);

  const NotifyIconRecord& remove = fake.trayRecords[2];
  EXPECT_EQ(remove.flags, 0u);
  EXPECT_EQ(remove.callbackMessage, 0u);
  EXPECT_EQ(remove.icon, 0u);
  EXPECT_EQ(std::string(remove.tip.data()), "gone");
}

TEST(SetTrayIcon, ComesBackAfterTheShellRestartsAndOnlyWhileInstalled) {
  Program p;
  p.start();
  p.fake.clearLog();
  p.fake.deliver({p.handle(), p.fake.shellRestart, 0, 0});
  ASSERT_EQ(only(p.fake.log, {"Shell_NotifyIconA"}),
            std::vector<std::string>{"Shell_NotifyIconA(0,0x107)"});
  EXPECT_EQ(p.fake.trayRecords.back(), p.fake.trayRecords.front());

  p.window().trayIcon().setTrayIcon(p.handle(), nullptr, 0, nullptr);
  p.fake.clearLog();
  p.fake.deliver({p.handle(), p.fake.shellRestart, 0, 0});
  EXPECT_TRUE(only(p.fake.log, {"Shell_NotifyIconA"}).empty());
}

TEST(TrayEvents, MouseMessagesMapToTypes) {
  const std::vector<std::pair<std::intptr_t, std::int32_t>> cases = {
      {0x202, 1}, {0x203, 2}, {0x205, 3}, {0x7B, 3},  {0x200, 0}, {0x201, 0},
      {0x204, 0}, {0x206, 0}, {0x207, 0}, {0x208, 0}, {0x209, 0}, {0x10202, 0}};
  for (const auto& [message, type] : cases) EXPECT_EQ(trayEventType(message), type) << message;
}

struct TrayClicks : ::testing::Test {
  Program p;
  void SetUp() override {
    p.start();
    p.fake.clearLog();
  }
  void click(std::intptr_t mouseMessage) {
    p.fake.deliver({p.handle(), TrayCallbackMessage, TrayIconId, mouseMessage});
  }
  fake::FakeWindow& w() { return p.fake.windows[p.handle()]; }
};

TEST_F(TrayClicks, LeftClickHidesThenShowsCentred) {
  w().rect = {0, 0, 414, 575};  // dragged
  click(win::WmLButtonUp);
  EXPECT_FALSE(w().visible);
  click(win::WmLButtonUp);
  EXPECT_TRUE(w().visible);
  EXPECT_EQ(w().rect, (Rect{753, 252, 1167, 827}));
  EXPECT_LT(p.fake.indexOf("ShowWindow(0x101,5)"),
            p.fake.indexOf("SetWindowPos(0x101,753,252,0,0,0x15)"));
}

TEST_F(TrayClicks, DoubleClickTogglesTwiceAndEndsShownAndCentred) {
  w().rect = {0, 0, 414, 575};
  for (std::intptr_t message :
       {win::WmLButtonDown, win::WmLButtonUp, win::WmLButtonDblClk, win::WmLButtonUp}) {
    click(message);
  }
  EXPECT_EQ(only(p.fake.log, {"ShowWindow"}),
            (std::vector<std::string>{"ShowWindow(0x101,0)", "ShowWindow(0x101,5)"}));
  EXPECT_TRUE(w().visible);
  EXPECT_EQ(w().rect.left, 753);
}

TEST_F(TrayClicks, AMinimizedWindowCountsAsVisible) {
  w().iconic = true;
  click(win::WmLButtonUp);
  EXPECT_FALSE(w().visible);
  click(win::WmLButtonUp);
  EXPECT_FALSE(w().iconic);
  EXPECT_TRUE(w().visible);
  EXPECT_TRUE(p.fake.logged("ShowWindow(0x101,9)"));
}

TEST_F(TrayClicks, RightClickPopsTheMenuWithoutChangingVisibility) {
  p.window().setVisible(false);
  click(win::WmRButtonUp);
  click(win::WmContextMenu);
  EXPECT_EQ(only(p.fake.log, {"TrackPopupMenu"}).size(), 2u);
  EXPECT_FALSE(w().visible);
  EXPECT_EQ(only(p.fake.log, {"ShowWindow"}), std::vector<std::string>{"ShowWindow(0x101,0)"});
}

TEST_F(TrayClicks, OtherMouseActionsDoNothing) {
  for (std::intptr_t message : {0x200, 0x201, 0x204, 0x207, 0x208}) click(message);
  EXPECT_TRUE(p.fake.log.empty());
}

}  // namespace
}  // namespace zorvik::test
