// Menus from the stored entries, the tray menu pop-up and the dispatch of chosen commands.
#include "test_support.h"
#include "ui/menu_builder.h"
#include "ui/tray_menu.h"

namespace zorvik::test {
namespace {

MenuEntry entry(std::uint32_t level, const char* caption, std::uint32_t flags = 0,
                std::uint32_t shortcut = 0) {
  return MenuEntry{shortcut, level, flags, caption, {}};
}

TEST(ShortcutNames, CodesOneToSeventySix) {
  const std::vector<std::pair<std::uint32_t, std::string>> cases = {{0, ""},
                                                                    {1, "Ctrl+A"},
                                                                    {26, "Ctrl+Z"},
                                                                    {27, "F1"},
                                                                    {38, "F12"},
                                                                    {39, "Ctrl+F1"},
                                                                    {50, "Ctrl+F12"},
                                                                    {51, "Shift+F1"},
                                                                    {62, "Shift+F12"},
                                                                    {63, "Ctrl+Shift+F1"},
                                                                    {74, "Ctrl+Shift+F12"},
                                                                    {75, "Ins"},
                                                                    {76, "Del"},
                                                                    {77, ""}};
  for (const auto& [code, name] : cases) EXPECT_EQ(shortcutName(code), name) << code;
}

TEST(MenuBar, TheProgramsEntriesGiveAnEmptyBar) {
  fake::FakePlatform fake;
  const MenuBar bar = buildMenuBar(fake, mainWindowDefinition().menuEntries);
  EXPECT_EQ(fake.log, std::vector<std::string>{"CreateMenu=0x100"});
  EXPECT_TRUE(bar.accelerators.empty());
}

TEST(MenuBar, RuleOnTablesOfEntries) {
  struct Case {
    const char* name;
    std::vector<MenuEntry> entries;
    std::vector<std::string> calls;
    std::vector<Accelerator> accelerators;
  };
  const std::vector<Case> cases = {
      {"hidden top entry leaves out its children but they consume ids",
       {entry(0, "H", MenuHidden), entry(1, "a"), entry(0, "File"), entry(1, "Open")},
       {"CreateMenu=0x100", "CreatePopupMenu=0x101", "AppendMenuA(0x101,0x0,0x4e23,Open)",
        "AppendMenuA(0x100,0x10,0x101,File)"},
       {}},
      {"disabled top entry, checked and disabled items, separator",
       {entry(0, "Edit", MenuDisabled), entry(1, "x", MenuChecked), entry(1, "-"),
        entry(1, "y", MenuDisabled | MenuChecked)},
       {"CreateMenu=0x100", "CreatePopupMenu=0x101", "AppendMenuA(0x101,0x8,0x4e21,x)",
        "AppendMenuA(0x101,0x800,0x4e22,)", "AppendMenuA(0x101,0x9,0x4e23,y)",
        "AppendMenuA(0x100,0x11,0x101,Edit)"},
       {}},
      {"shortcuts append their names and give accelerators",
       {entry(0, "M"), entry(1, "s", 0, 19), entry(1, "f", 0, 66), entry(1, "d", 0, 76),
        entry(1, "h", MenuHidden, 2)},
       {"CreateMenu=0x100", "CreatePopupMenu=0x101", "AppendMenuA(0x101,0x0,0x4e21,s\tCtrl+S)",
        "AppendMenuA(0x101,0x0,0x4e22,f\tCtrl+Shift+F4)", "AppendMenuA(0x101,0x0,0x4e23,d\tDel)",
        "AppendMenuA(0x100,0x10,0x101,M)"},
       {{'S', true, false, 20001}, {0x73, true, true, 20002}, {0x2E, false, false, 20003}}},
      {"a separator caption with a shortcut is an item, not a separator",
       {entry(0, "M"), entry(1, "-", 0, 27)},
       {"CreateMenu=0x100", "CreatePopupMenu=0x101", "AppendMenuA(0x101,0x0,0x4e21,-\tF1)",
        "AppendMenuA(0x100,0x10,0x101,M)"},
       {{0x70, false, false, 20001}}},
      {"submenus nest; a hidden submenu goes with its children; empty top entry",
       {entry(0, "A"), entry(1, "sub"), entry(2, "deep"), entry(1, "gone", MenuHidden),
        entry(2, "child"), entry(1, "last"), entry(0, "Empty")},
       {"CreateMenu=0x100", "CreatePopupMenu=0x101", "CreatePopupMenu=0x102",
        "AppendMenuA(0x102,0x0,0x4e22,deep)", "AppendMenuA(0x101,0x10,0x102,sub)",
        "AppendMenuA(0x101,0x0,0x4e25,last)", "AppendMenuA(0x100,0x10,0x101,A)",
        "CreatePopupMenu=0x103", "AppendMenuA(0x100,0x10,0x103,Empty)"},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::FakePlatform fake;
    const MenuBar bar = buildMenuBar(fake, c.entries);
    EXPECT_EQ(fake.log, c.calls);
    EXPECT_EQ(bar.accelerators, c.accelerators);
  }
}

struct TrayMenu : ::testing::Test {
  Program p;
  void SetUp() override {
    p.start();
    p.fake.clearLog();
  }
  const MenuEntry* trayEntry() { return &p.window().definition().menuEntries[0]; }
};

TEST_F(TrayMenu, PopsUpFiveRowsAtThePointerWithItsTopRightCornerMinusFive) {
  p.fake.cursor = {1000, 700};
  popUpTrayMenu(p.fake.platform(), p.window(), trayEntry());
  const std::vector<std::string> expected = {
      "CreatePopupMenu=0x10a",
      std::string("AppendMenuA(0x10a,0x0,0x4e21,") + texts::MenuSite + ")",
      "AppendMenuA(0x10a,0x800,0x4e22,)",
      std::string("AppendMenuA(0x10a,0x0,0x4e23,") + texts::MenuShow + ")",
      std::string("AppendMenuA(0x10a,0x0,0x4e24,") + texts::MenuHide + ")",
      std::string("AppendMenuA(0x10a,0x0,0x4e25,") + texts::MenuExit + ")",
      "GetCursorPos",
      "SetForegroundWindow(0x101)",
      "TrackPopupMenu(0x10a,0x8,995,695,0x101)",
      "PostMessageA(0x101,0x0,0x0,0x0)",
      "DestroyMenu(0x10a)"};
  EXPECT_EQ(p.fake.log, expected);
}

TEST_F(TrayMenu, NothingForAnEntryWithoutChildrenOrOfAnotherWindow) {
  popUpTrayMenu(p.fake.platform(), p.window(), &p.window().definition().menuEntries[1]);
  popUpTrayMenu(p.fake.platform(), p.window(), &p.window().definition().menuEntries[5]);
  const MenuEntry foreign = entry(0, "other");
  popUpTrayMenu(p.fake.platform(), p.window(), &foreign);
  EXPECT_TRUE(p.fake.log.empty());
}

TEST_F(TrayMenu, DispatchOfCommandIdentifiers) {
  struct Case {
    std::uintptr_t wParam;
    const char* effect;  // the first call the handler makes, or null for none
  };
  const std::vector<Case> cases = {
      {57600, nullptr},
      {19999, nullptr},
      {20000, nullptr},  // entry 0 has no handler
      {20001, "FindWindowExA(Microsoft Internet Explorer)"},
      {20002, nullptr},  // the separator
      {20003, "ShowWindow(0x101,5)"},
      {20004, "ShowWindow(0x101,0)"},
      {20005, "PostMessageA(0x101,0x8065,0x0,0x0)"},
      {20006, nullptr},
      {0x10000 + 20003, "ShowWindow(0x101,5)"},  // only the low word names the command
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.wParam);
    p.fake.clearLog();
    EXPECT_EQ(p.fake.deliver({p.handle(), win::WmCommand, c.wParam, 0}), 0);
    if (c.effect == nullptr) {
      EXPECT_TRUE(p.fake.log.empty());
    } else {
      ASSERT_FALSE(p.fake.log.empty());
      EXPECT_EQ(p.fake.log.front(), c.effect);
    }
  }
}

TEST_F(TrayMenu, HandlersCallsInOrder) {
  p.fake.ieWindow = 0x777;
  p.fake.deliver({p.handle(), win::WmCommand, 20001, 0});
  EXPECT_EQ(p.fake.log,
            (std::vector<std::string>{"FindWindowExA(Microsoft Internet Explorer)",
                                      "ShellExecuteA(0x777,open,http://m.tamblo.com,1)"}));

  p.fake.windows[p.handle()].rect = {0, 0, 414, 575};  // dragged away
  p.fake.clearLog();
  p.fake.deliver({p.handle(), win::WmCommand, 20003, 0});
  EXPECT_EQ(only(p.fake.log, {"ShowWindow", "IsWindowVisible", "SetWindowPos"}),
            (std::vector<std::string>{"ShowWindow(0x101,5)", "IsWindowVisible(0x101)",
                                      "SetWindowPos(0x101,753,252,0,0,0x15)"}));

  p.fake.clearLog();
  p.fake.deliver({p.handle(), win::WmCommand, 20004, 0});
  p.fake.deliver({p.handle(), win::WmCommand, 20004, 0});
  EXPECT_EQ(only(p.fake.log, {"ShowWindow"}),
            (std::vector<std::string>{"ShowWindow(0x101,0)", "ShowWindow(0x101,0)"}));
  EXPECT_FALSE(p.window().isVisible());

  // Without a window of that title the browser is started without an owner.
  p.fake.ieWindow = 0;
  p.fake.clearLog();
  p.fake.deliver({p.handle(), win::WmCommand, 20001, 0});
  EXPECT_TRUE(p.fake.logged("ShellExecuteA(0x0,open,http://m.tamblo.com,1)"));
}

TEST_F(TrayMenu, ExitEndsTheProgramOnlyAfterItsHandlerReturned) {
  p.fake.cursor = {300, 300};
  p.fake.popupChoice = 20005;
  p.fake.deliver({p.handle(), TrayCallbackMessage, TrayIconId, win::WmRButtonUp});
  EXPECT_TRUE(p.fake.windows[0x101].alive);
  EXPECT_EQ(p.shell.runEventLoop(), 0u);
  EXPECT_FALSE(p.fake.windows[0x101].alive);
  EXPECT_LT(p.fake.indexOf("DestroyMenu(0x10a)"), p.fake.indexOf("DestroyWindow(0x101)"));
  EXPECT_LT(p.fake.indexOf("Shell_NotifyIconA(2,0x0)"), p.fake.indexOf("PostQuitMessage(0)"));
}

}  // namespace
}  // namespace zorvik::test
