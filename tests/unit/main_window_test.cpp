// MainWindow's placement, operations, keys, focus, dragging and painting.
#include "test_support.h"

namespace zorvik::test {
namespace {

TEST(Placement, CentredOnTheWholePrimaryScreenTruncatingTowardZero) {
  struct Case {
    std::int32_t width, height, x, y;
  };
  for (const Case& c : std::vector<Case>{{1920, 1080, 753, 252},
                                         {1024, 768, 305, 96},
                                         {800, 600, 193, 12},
                                         {640, 480, 113, -47},
                                         {413, 574, 0, 0}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    Program p;
    p.fake.screenWidth = c.width;
    p.fake.screenHeight = c.height;
    p.start();
    EXPECT_EQ(p.fake.windows[p.handle()].rect, (Rect{c.x, c.y, c.x + 414, c.y + 575}));
  }
}

TEST(Placement, AWindowCreatedAtAnotherSizeIsMovedToTheStoredOne) {
  Program p;
  p.fake.screenWidth = 1024;
  p.fake.screenHeight = 768;
  p.fake.topLevelSizeOverride = Point{400, 500};
  p.start();
  EXPECT_TRUE(p.fake.logged("MoveWindow(0x101,305,96,414,575,1)"));
  EXPECT_EQ(p.fake.windows[p.handle()].rect, (Rect{305, 96, 719, 671}));

  Program q;
  q.start();
  EXPECT_TRUE(only(q.fake.log, {"MoveWindow"}).empty());
}

struct ShownWindow : ::testing::Test {
  Program p;
  void SetUp() override {
    p.fake.screenWidth = 1024;
    p.fake.screenHeight = 768;
    p.start();
    p.fake.clearLog();
  }
  fake::FakeWindow& w() { return p.fake.windows[p.handle()]; }
};

TEST_F(ShownWindow, SetPositionRecentresOnlyAVisibleWindowThatIsElsewhere) {
  // Already centred: nothing moves.
  p.window().setPosition(1);
  EXPECT_TRUE(only(p.fake.log, {"SetWindowPos", "ShowWindow"}).empty());

  // Dragged elsewhere: back to the centre without size, z-order or activation change.
  w().rect = {10, 20, 424, 595};
  p.fake.clearLog();
  p.window().setPosition(1);
  EXPECT_EQ(only(p.fake.log, {"SetWindowPos", "ShowWindow"}),
            std::vector<std::string>{"SetWindowPos(0x101,305,96,0,0,0x15)"});

  // Minimized: restored first, then centred.
  w().iconic = true;
  w().rect = {-32000, -32000, -31586, -31425};
  p.fake.clearLog();
  p.window().setPosition(1);
  EXPECT_EQ(
      only(p.fake.log, {"SetWindowPos", "ShowWindow"}),
      (std::vector<std::string>{"ShowWindow(0x101,9)", "SetWindowPos(0x101,305,96,0,0,0x15)"}));

  // Hidden: the value is only recorded; showing later does not apply it.
  p.window().setVisible(false);
  w().rect = {10, 20, 424, 595};
  p.fake.clearLog();
  p.window().setPosition(1);
  p.window().setVisible(true);
  EXPECT_TRUE(only(p.fake.log, {"SetWindowPos"}).empty());
  EXPECT_EQ(p.window().definition().settings.position, 1);
  EXPECT_EQ(w().rect, (Rect{10, 20, 424, 595}));
}

TEST_F(ShownWindow, SetVisibleAlwaysMakesItsShowCall) {
  p.window().setVisible(true);
  p.window().setVisible(false);
  p.window().setVisible(false);
  EXPECT_EQ(only(p.fake.log, {"ShowWindow"}),
            (std::vector<std::string>{"ShowWindow(0x101,5)", "ShowWindow(0x101,0)",
                                      "ShowWindow(0x101,0)"}));
  EXPECT_FALSE(p.window().definition().settings.visible);
  EXPECT_FALSE(p.window().isVisible());
  w().iconic = true;
  p.window().setVisible(true);
  EXPECT_TRUE(p.window().isVisible());  // a shown minimized window counts as visible
}

TEST_F(ShownWindow, RequestDestroyWaitsForTheLoopAndShowAndHideKeepWorking) {
  p.window().requestDestroy();
  EXPECT_TRUE(p.fake.windows[p.handle()].alive);
  EXPECT_EQ(p.fake.log, std::vector<std::string>{"PostMessageA(0x101,0x8065,0x0,0x0)"});
  p.window().setVisible(false);
  p.window().setVisible(true);
  EXPECT_EQ(p.shell.runEventLoop(), 0u);
  EXPECT_TRUE(p.fake.logged("DestroyWindow(0x101)"));
  EXPECT_FALSE(p.fake.windows[0x101].alive);
}

TEST_F(ShownWindow, AStrayDestroyRequestIsIgnored) {
  p.fake.deliver({p.handle(), DestroyRequestMessage, 0, 0});
  EXPECT_TRUE(p.fake.windows[p.handle()].alive);
}

TEST_F(ShownWindow, KeysAtWindowLevel) {
  struct Case {
    const char* name;
    std::uint32_t message;
    std::uint32_t key;
    std::int16_t ctrl, shift, alt;
    bool consumed;
    bool closes;
  };
  const std::vector<Case> cases = {
      {"Esc", win::WmKeyDown, win::VkEscape, 0, 0, 0, true, true},
      {"Ctrl+Esc", win::WmKeyDown, win::VkEscape, -128, 0, 0, false, false},
      {"Shift+Esc", win::WmKeyDown, win::VkEscape, 0, -128, 0, false, false},
      {"Alt+Esc", win::WmSysKeyDown, win::VkEscape, 0, 0, -128, false, false},
      {"Tab", win::WmKeyDown, win::VkTab, 0, 0, 0, true, false},
      {"Shift+Tab", win::WmKeyDown, win::VkTab, 0, -128, 0, true, false},
      {"Ctrl+Tab", win::WmKeyDown, win::VkTab, -128, 0, 0, false, false},
      {"Enter", win::WmKeyDown, 0x0D, 0, 0, 0, false, false},
      {"F1", win::WmKeyDown, 0x70, 0, 0, 0, false, false},
      {"Alt+F4", win::WmSysKeyDown, 0x73, 0, 0, -128, false, false},
      {"Ctrl+A", win::WmKeyDown, 'A', -128, 0, 0, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program q;
    q.start();
    q.fake.ctrlState = c.ctrl;
    q.fake.shiftState = c.shift;
    q.fake.altState = c.alt;
    // Addressed to the page's window: offered up through BrowserBox to MainWindow.
    q.fake.idleScript.push_back([&] {
      q.fake.queue.push_back({q.fake.browserView, c.message, c.key, 0});
    });
    q.fake.idleScript.push_back([&] { q.fake.postMessage({0x101, win::WmNull, 0, 0}); });
    q.fake.idleScript.push_back([&] { throw fake::LoopStarved(); });
    try {
      q.shell.runEventLoop();
    } catch (const fake::LoopStarved&) {
    }
    const bool dispatched =
        q.fake.logged("DispatchMessageA(" + hex(q.fake.browserView) + "," + hex(c.message) + ")");
    EXPECT_EQ(dispatched, !c.consumed);
    EXPECT_EQ(q.fake.logged("SendMessageA(0x101,0x10,0x0,0x0)"), c.closes);
    EXPECT_EQ(q.fake.windows[0x101].alive, !c.closes);
  }
}

TEST_F(ShownWindow, TabKeepsTheFocusInsideTheBrowserAndBringsItBackFromOutside) {
  p.fake.focusWindow = p.fake.browserView;
  p.window().preTranslateMessage({p.fake.browserView, win::WmKeyDown, win::VkTab, 0});
  EXPECT_TRUE(only(p.fake.log, {"SetFocus"}).empty());
  p.fake.focusWindow = p.handle();
  p.window().preTranslateMessage({p.handle(), win::WmKeyDown, win::VkTab, 0});
  EXPECT_EQ(p.fake.focusWindow, p.fake.browserView);
}

TEST_F(ShownWindow, ClosingDestroysAtOnceWithoutAQuestionAndEndsTheLoop) {
  p.fake.idleScript.push_back([&] { p.fake.postMessage({p.handle(), win::WmClose, 0, 0}); });
  EXPECT_EQ(p.shell.runEventLoop(), 0u);
  EXPECT_FALSE(p.fake.windows[0x101].alive);
  EXPECT_EQ(p.shell.mainWindow(), nullptr);
  EXPECT_LT(p.fake.indexOf("Shell_NotifyIconA(2,0x0)"), p.fake.indexOf("PostQuitMessage(0)"));
}

TEST_F(ShownWindow, EndSessionIsAgreedAfterTheDefaultHandling) {
  EXPECT_EQ(p.fake.deliver({p.handle(), win::WmQueryEndSession, 0, 0}), 1);
  EXPECT_TRUE(p.fake.logged("DefWindowProcA(0x101,0x11)"));
  EXPECT_TRUE(p.fake.windows[0x101].alive);
}

TEST_F(ShownWindow, APressOnTheWindowsOwnAreaStartsAMoveButNotInsideTheBrowser) {
  p.fake.deliver({p.handle(), win::WmLButtonDown, 1, 0x00010001});
  EXPECT_EQ(only(p.fake.log, {"PostMessageA", "DefWindowProcA"}),
            (std::vector<std::string>{"PostMessageA(0x101,0xa1,0x2,0x0)",
                                      "DefWindowProcA(0x101,0x201)"}));
  p.fake.clearLog();
  p.fake.deliver({0x104, win::WmLButtonDown, 1, 0});
  p.fake.deliver({p.fake.browserView, win::WmLButtonDown, 1, 0});
  EXPECT_TRUE(only(p.fake.log, {"PostMessageA"}).empty());
}

TEST_F(ShownWindow, PaintsItsOwnAreaWhite) {
  EXPECT_EQ(p.fake.deliver({p.handle(), win::WmPaint, 0, 0}), 0);
  EXPECT_EQ(p.fake.log, std::vector<std::string>{"Paint(0x101,0xffffff)"});
}

TEST_F(ShownWindow, FocusReturnsToTheRememberedWindowOrElseToBrowserBox) {
  // Deactivated while the page had the focus: the page gets it back.
  p.fake.focusWindow = p.fake.browserView;
  p.fake.deliver({p.handle(), win::WmActivate, win::WaInactive, 0});
  p.fake.focusWindow = 0;
  p.fake.clearLog();
  p.fake.deliver({p.handle(), win::WmSetFocus, 0, 0});
  EXPECT_EQ(only(p.fake.log, {"SetFocus"})[0], "SetFocus(" + hex(p.fake.browserView) + ")");

  // Forgotten after use; a remembered window that is gone is skipped for BrowserBox.
  p.fake.clearLog();
  p.fake.deliver({p.handle(), win::WmSetFocus, 0, 0});
  EXPECT_EQ(only(p.fake.log, {"SetFocus"})[0], "SetFocus(0x104)");

  p.fake.focusWindow = p.fake.browserView;
  p.fake.deliver({p.handle(), win::WmActivate, win::WaInactive, 0});
  p.fake.windows[p.fake.browserView].alive = false;
  p.fake.clearLog();
  p.fake.deliver({p.handle(), win::WmSetFocus, 0, 0});
  EXPECT_EQ(only(p.fake.log, {"SetFocus"})[0], "SetFocus(0x104)");
}

TEST_F(ShownWindow, BrowserBoxFollowsItsHostsSizeAndFocus) {
  p.fake.deliver({0x104, win::WmSize, 0, 0});
  EXPECT_TRUE(p.fake.logged("SetWindowPos(" + hex(p.fake.browserView) + ",0,0,405,532,0x14)"));
  p.fake.clearLog();
  p.fake.deliver({0x104, win::WmSetFocus, 0, 0});
  EXPECT_EQ(only(p.fake.log, {"SetFocus"}),
            std::vector<std::string>{"SetFocus(" + hex(p.fake.browserView) + ")"});
}

TEST(Loading, EventsRaisedWhileTheWindowIsBeingMadeReachNoHandler) {
  Program p;
  int trayEvents = 0;
  int exits = 0;
  p.shell.setDefinitionReaderForTest([&](auto& table) {
    WindowDefinitionEntry entry;
    entry.definition = mainWindowDefinition();
    entry.definition.onTrayEvent = [&](std::int32_t) { ++trayEvents; };
    entry.definition.menuEntries[5].selected = [&] { ++exits; };
    table.emplace(MainWindowId, std::move(entry));
    return true;
  });
  p.fake.afterCreate = [&](WindowHandle window) {
    if (p.fake.windows[window].parent != 0) return;
    p.fake.deliver({window, TrayCallbackMessage, TrayIconId, win::WmLButtonUp});
    p.fake.deliver({window, win::WmCommand, MenuCommandBase + 5, 0});
    p.fake.deliver({window, win::WmLButtonDown, 1, 0});
  };
  p.start();
  EXPECT_EQ(trayEvents, 0);
  EXPECT_EQ(exits, 0);
  EXPECT_TRUE(only(p.fake.log, {"PostMessageA"}).empty());

  p.fake.deliver({p.handle(), TrayCallbackMessage, TrayIconId, win::WmLButtonUp});
  EXPECT_EQ(trayEvents, 1);
}

}  // namespace
}  // namespace zorvik::test
