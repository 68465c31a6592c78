// Start-up, the event loop's end and tear-down, run end to end on the fake.
#include "test_support.h"

namespace zorvik::test {
namespace {

TEST(Startup, RunsEveryStepInOrderAndEndsWithZeroWhenTheWindowCloses) {
  Program p;
  p.fake.idleScript.push_back([&] { p.fake.postMessage({p.handle(), win::WmClose, 0, 0}); });
  EXPECT_EQ(p.shell.runProgram(), 0u);

  const std::vector<std::string> expected = {
      // prepareProcess
      "OleInitialize", "GetModuleFileNameA", "SetCurrentDirectoryA(C:\\Zorvik)",
      "GetCurrentThreadId",
      // loadWindow: class, empty menu bar, place, window, size check, icons, font
      "GetClassInfoA(ZorvikMainWindow)", "RegisterClassA(ZorvikMainWindow,0xb,arrow,5)",
      "CreateMenu=0x100", "GetSystemMetrics(0)", "GetSystemMetrics(1)",
      "CreateWindowExA(0x0,ZorvikMainWindow,Zorvik m.tamblo.com,0x2ca0000,753,252,414,575,0x0,"
      "0x100)",
      "GetWindowRect(0x101)", "LoadImageA(DEFAULT_ICON,32)", "LoadImageA(DEFAULT_ICON,16)",
      "SendMessageA(0x101,0x80,0x1,0x102)", "DefWindowProcA(0x101,0x80)",
      "SendMessageA(0x101,0x80,0x0,0x103)", "DefWindowProcA(0x101,0x80)", "GetStockObject(17)",
      "SendMessageA(0x101,0x30,0x9011,0x1)", "DefWindowProcA(0x101,0x30)",
      // BrowserBox, created blank and shown without activation
      "GetClassInfoA(ZorvikBrowserHost)", "RegisterClassA(ZorvikBrowserHost,0xb,arrow,0)",
      "CreateWindowExA(0x0,ZorvikBrowserHost,,0x44010000,2,3,405,532,0x101,0x64)",
      "GetClientRect(0x104)", "CreateBrowserControl(0x104,0,0,405,532)", "QueryWebBrowser(0x105)",
      "put_Offline(0)", "put_Silent(-1)", "ExecWB(zoom,2)", "ShowWindow(0x104,8)",
      // onCreated: tray icon, then the user agent, then the first navigation
      "CreateIconFromResourceEx(12840,1,0x30000,64,64,0x0)", "Shell_NotifyIconA(0,0x107)",
      "HeapAlloc(136)", "LoadLibraryA(C:\\Zorvik\\urlmon.dll)", "LoadLibraryA(urlmon.dll)",
      "GetProcAddress(0x108,UrlMkSetSessionOption)", "Call(0x109,0x10000001,135,0)", "HeapFree",
      "IsWindow(0x104)", "Navigate(m.tamblo.com)",
      // shown, activated; the focus passes to BrowserBox and on into the page
      "ShowWindow(0x101,5)", "DefWindowProcA(0x101,0x6)", "SetFocus(0x101)", "SetFocus(0x104)",
      "SetFocus(0x106)", "DefWindowProcA(0x106,0x7)",
      // the loop
      "IsWindow(0x101)", "PeekMessageA", "GetMessageA", "PostMessageA(0x101,0x10,0x0,0x0)",
      "TranslateMessage(0x10)", "DispatchMessageA(0x101,0x10)", "DefWindowProcA(0x101,0x10)",
      // destruction: menu bar, tray icon, BrowserBox, then the quit request
      "DestroyWindow(0x101)", "DefWindowProcA(0x101,0x2)", "GetMenu(0x101)", "SetMenu(0x101,0x0)",
      "DestroyMenu(0x100)", "Shell_NotifyIconA(2,0x0)", "DestroyIcon(0x107)", "ReleaseBrowser",
      "DestroyControl", "DefWindowProcA(0x104,0x2)", "DefWindowProcA(0x104,0x82)",
      "DefWindowProcA(0x101,0x82)", "PostQuitMessage(0)", "PeekMessageA", "GetMessageA",
      // tearDown
      "FreeLibrary(0x108)", "DestroyIcon(0x102)", "DestroyIcon(0x103)", "OleUninitialize"};
  EXPECT_EQ(p.fake.log, expected);
  EXPECT_EQ(p.shell.guiThreadId(), 4242u);
  EXPECT_TRUE(p.fake.heapBlocks.empty());
  EXPECT_EQ(p.fake.userAgentsInstalled, std::vector<std::string>{texts::MobileUserAgent});
}

TEST(Startup, TheWindowIsHiddenWhileCreatedRunsAndTheTrayIconComesBeforeItIsShown) {
  Program p;
  bool visibleDuringCreated = true;
  p.shell.setDefinitionReaderForTest([&](auto& table) {
    WindowDefinitionEntry entry;
    entry.definition = mainWindowDefinition();
    entry.definition.onCreated = [&] { visibleDuringCreated = p.fake.windows[p.handle()].visible; };
    table.emplace(MainWindowId, std::move(entry));
    return true;
  });
  p.start();
  EXPECT_FALSE(visibleDuringCreated);
  EXPECT_TRUE(p.fake.windows[p.handle()].visible);
}

TEST(Startup, AWindowGoneBeforeTheLoopEndsTheProgramWithZeroWithoutRunningTheLoop) {
  Program p;
  int endSteps = 0;
  p.shell.setDefinitionReaderForTest([&](auto& table) {
    WindowDefinitionEntry entry;
    entry.definition = mainWindowDefinition();
    entry.definition.onCreated = [&] { p.fake.destroyWindow(p.handle()); };
    table.emplace(MainWindowId, std::move(entry));
    return true;
  });
  p.shell.prepareProcess();
  p.shell.setEndStepForTest([&] { ++endSteps; });
  p.shell.loadStartWindow(MainWindowId);
  EXPECT_FALSE(p.fake.logged("PostQuitMessage(0)"));  // the loop was not entered yet
  EXPECT_EQ(p.shell.runEventLoop(), 0u);
  EXPECT_FALSE(p.fake.logged("GetMessageA"));
  EXPECT_FALSE(p.fake.logged("ShowWindow(0x101,5)"));  // a destroyed window is not shown
  p.shell.tearDown();
  EXPECT_EQ(endSteps, 1);
  EXPECT_TRUE(p.shell.loopEntered());
}

TEST(Startup, HidingTheWindowNeverEndsTheLoop) {
  Program p;
  p.start();
  p.window().setVisible(false);
  EXPECT_TRUE(p.shell.anyProgramWindowAlive());
  p.fake.idleScript.push_back([&] { p.window().requestDestroy(); });
  EXPECT_EQ(p.shell.runEventLoop(), 0u);
  EXPECT_TRUE(p.fake.logged("PostQuitMessage(0)"));
}

TEST(Startup, FailuresOfStartUpEndWithTheReportAndMinusOne) {
  struct Case {
    const char* name;
    std::function<void(Program&)> arrange;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"definitions unreadable",
       [](Program& p) { p.shell.setDefinitionReaderForTest([](auto&) { return false; }); },
       texts::LoadTemplatesFailed},
      {"no MainWindow definition",
       [](Program& p) { p.shell.setDefinitionReaderForTest([](auto&) { return true; }); },
       texts::LoadStartWindowFailed},
      {"window not created", [](Program& p) { p.fake.failCreateMainWindow = true; },
       texts::LoadStartWindowFailed},
      {"host not created", [](Program& p) { p.fake.failCreateHostWindow = true; },
       texts::LoadStartWindowFailed},
      {"control not created", [](Program& p) { p.fake.failBrowserControl = true; },
       texts::LoadStartWindowFailed},
      {"no IWebBrowser2", [](Program& p) { p.fake.failQueryWebBrowser = true; },
       texts::LoadStartWindowFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program p;
    c.arrange(p);
    EXPECT_EQ(p.exitCodeOf([&] { p.shell.runProgram(); }), 0xFFFFFFFFu);
    ASSERT_EQ(p.fake.messageBoxTexts.size(), 1u);
    EXPECT_EQ(p.fake.messageBoxTexts[0], buildFatalReport(c.message, 0));
    EXPECT_TRUE(p.fake.logged("OleUninitialize"));
    EXPECT_FALSE(p.fake.logged("GetMessageA"));
    EXPECT_FALSE(p.fake.logged("Navigate(m.tamblo.com)"));
  }
}

TEST(Startup, AFailedWindowReleasesItsMenuBarAndAFailedViewLeavesTheWindowAlone) {
  Program p;
  p.fake.failCreateMainWindow = true;
  p.exitCodeOf([&] { p.shell.runProgram(); });
  EXPECT_LT(p.fake.indexOf("CreateMenu=0x100"), p.fake.indexOf("DestroyMenu(0x100)"));

  Program q;
  q.fake.failBrowserControl = true;
  q.exitCodeOf([&] { q.shell.runProgram(); });
  EXPECT_TRUE(q.fake.logged("DestroyWindow(0x104)"));   // the host window is released
  EXPECT_FALSE(q.fake.logged("DestroyWindow(0x101)"));  // the main window is not
  EXPECT_TRUE(q.fake.windows[0x101].alive);
}

TEST(Startup, TearDownRunsTheEndStepOnceAndASecondCallFindsNothing) {
  Program p;
  int endSteps = 0;
  p.start();
  p.shell.setEndStepForTest([&] { ++endSteps; });
  p.shell.tearDown();
  const std::size_t lines = p.fake.log.size();
  p.shell.tearDown();
  EXPECT_EQ(endSteps, 1);
  EXPECT_EQ(p.fake.log.size(), lines);
  EXPECT_FALSE(p.shell.oleInitialised());
}

}  // namespace
}  // namespace zorvik::test
