// Binding the external command, installing the user agent, and BrowserBox.
#include "web/browser_identity.h"

#include <cstring>

#include "test_support.h"
#include "web/browser_box.h"

namespace zorvik::test {
namespace {

struct Identity : ::testing::Test {
  Program p;
  void SetUp() override {
    p.shell.prepareProcess();
    p.fake.clearLog();
  }
  std::vector<std::string> libraryCalls() {
    return only(p.fake.log, {"LoadLibraryA", "GetProcAddress", "FreeLibrary", "Call"});
  }
};

TEST_F(Identity, BindsFromTheProgramDirectoryFirstAndOnlyOnce) {
  p.fake.libraries["C:\\Zorvik\\urlmon.dll"] = {"UrlMkSetSessionOption"};
  const char* first = texts::MobileUserAgent;
  setSessionUserAgent(p.shell, first);
  const char* second = texts::MobileUserAgent;
  setSessionUserAgent(p.shell, second);
  EXPECT_EQ(libraryCalls(), (std::vector<std::string>{"LoadLibraryA(C:\\Zorvik\\urlmon.dll)",
                                                      "GetProcAddress(0x100,UrlMkSetSessionOption)",
                                                      "Call(0x101,0x10000001,135,0)",
                                                      "Call(0x101,0x10000001,135,0)"}));
  p.shell.freeText(first);
  p.shell.freeText(second);
  p.shell.tearDown();
  EXPECT_TRUE(p.fake.logged("FreeLibrary(0x100)"));
  EXPECT_TRUE(p.shell.externalCommands().entries().empty());
}

TEST_F(Identity, ANameWithAColonIsLoadedAsItIs) {
  // The table holds one fixed entry; bind a path-named entry through the same rule.
  auto& table = p.shell.externalCommands();
  const_cast<std::vector<ExternalCommand>&>(table.entries())[0].libraryFile = "D:\\x\\urlmon.dll";
  p.fake.libraries["D:\\x\\urlmon.dll"] = {"UrlMkSetSessionOption"};
  table.bindExternalCommand(0);
  EXPECT_EQ(libraryCalls(),
            (std::vector<std::string>{"LoadLibraryA(D:\\x\\urlmon.dll)",
                                      "GetProcAddress(0x100,UrlMkSetSessionOption)"}));
}

TEST_F(Identity, AMissingLibraryOrExportGivesTheBindingReport) {
  struct Case {
    const char* name;
    std::map<std::string, std::set<std::string>> libraries;
    std::vector<std::string> calls;
  };
  const std::vector<Case> cases = {
      {"no library anywhere",
       {},
       {"LoadLibraryA(C:\\Zorvik\\urlmon.dll)", "LoadLibraryA(urlmon.dll)"}},
      {"library without the export",
       {{"urlmon.dll", {"Other"}}},
       {"LoadLibraryA(C:\\Zorvik\\urlmon.dll)", "LoadLibraryA(urlmon.dll)",
        "GetProcAddress(0x100,UrlMkSetSessionOption)", "FreeLibrary(0x100)"}},
  };
  const std::string expected =
      std::string(texts::FatalHeader) + "\r\n\r\n" + texts::FatalMessageLabel +
      formatText(texts::BindFailedFormat, {"urlmon.dll", "UrlMkSetSessionOption"}) + "\r\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program q;
    q.fake.libraries = c.libraries;
    q.shell.prepareProcess();
    q.fake.clearLog();
    const char* text = texts::MobileUserAgent;
    EXPECT_EQ(q.exitCodeOf([&] { setSessionUserAgent(q.shell, text); }), 0xFFFFFFFFu);
    EXPECT_EQ(only(q.fake.log, {"LoadLibraryA", "GetProcAddress", "FreeLibrary", "Call"}), c.calls);
    ASSERT_EQ(q.fake.messageBoxTexts.size(), 1u);
    EXPECT_EQ(q.fake.messageBoxTexts[0], expected);
  }
}

TEST_F(Identity, AnUnbalancedStackEndsWithErrorSix) {
  p.fake.stackBalanced = false;
  const char* text = texts::MobileUserAgent;
  EXPECT_EQ(p.exitCodeOf([&] { setSessionUserAgent(p.shell, text); }), 0xFFFFFFFFu);
  ASSERT_EQ(p.fake.messageBoxTexts.size(), 1u);
  EXPECT_EQ(p.fake.messageBoxTexts[0], buildFatalReport(texts::StackError, 6));
  EXPECT_TRUE(p.fake.logged("FreeLibrary(0x100)"));  // tear-down still releases the module
}

TEST_F(Identity, WhatIsInstalledForEachKindOfText) {
  struct Case {
    const char* name;
    const char* initial;
    bool heapInitial;
    std::string installed;
    bool variableIsFallbackConstant;
  };
  const std::vector<Case> cases = {
      {"null", nullptr, false, texts::FallbackUserAgent, true},
      {"empty constant", texts::Empty, false, texts::FallbackUserAgent, true},
      {"empty heap text", "", true, texts::FallbackUserAgent, true},
      {"mobile constant", texts::MobileUserAgent, false, texts::MobileUserAgent, false},
      {"heap text kept as is", " padded; UA ", true, " padded; UA ", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program q;
    q.shell.prepareProcess();
    const char* variable = c.initial;
    if (c.heapInitial) {
      char* block = q.shell.allocText(std::strlen(c.initial) + 1);
      std::strcpy(block, c.initial);
      variable = block;
    }
    q.fake.clearLog();
    setSessionUserAgent(q.shell, variable);
    ASSERT_EQ(q.fake.userAgentsInstalled.size(), 1u);
    EXPECT_EQ(q.fake.userAgentsInstalled[0], c.installed);
    EXPECT_EQ(q.fake.logged("Call(0x101,0x10000001," + std::to_string(c.installed.size()) + ",0)"),
              true);
    EXPECT_EQ(variable == texts::FallbackUserAgent, c.variableIsFallbackConstant);
    EXPECT_EQ(std::string(variable), c.installed);
    // The old heap text was released; a new copy (if any) is the only block left.
    EXPECT_EQ(only(q.fake.log, {"HeapFree"}).size(), c.heapInitial ? 1u : 0u);
    q.shell.freeText(variable);
    EXPECT_TRUE(q.fake.heapBlocks.empty());
  }
}

TEST(UserAgents, TheTwoTextsByteForByte) {
  EXPECT_EQ(std::strlen(texts::MobileUserAgent), 135u);
  EXPECT_EQ(std::strlen(texts::FallbackUserAgent), 64u);
  EXPECT_STREQ(texts::FallbackUserAgent,
               "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 5.1; Trident/5.0;)");
}

TEST(BrowserBoxSettings, ReadingTheRecord) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> record;
    bool accepted;
    std::int32_t textSize;
    bool offline, silent;
    std::string address;
  };
  const std::vector<Case> cases = {
      {"no record: defaults", {}, true, 2, false, false, ""},
      {"the stored record", storedBrowserBoxRecord(), true, 2, false, true, ""},
      {"version 0", browserBoxRecord(0, 3, 0, 0, "a"), true, 3, false, false, "a"},
      {"version 2 rejected", browserBoxRecord(2, 2, 0, 1, ""), false, 0, false, false, ""},
      {"non-zero booleans", browserBoxRecord(1, 1, 7, 0x80000000u, "x.y"), true, 1, true, true,
       "x.y"},
      {"too short", {1, 0, 0, 0, 2, 0}, false, 0, false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto settings = readBrowserBoxSettings(c.record);
    ASSERT_EQ(settings.has_value(), c.accepted);
    if (!settings) continue;
    EXPECT_EQ(settings->textSize, c.textSize);
    EXPECT_EQ(settings->offline, c.offline);
    EXPECT_EQ(settings->silent, c.silent);
    EXPECT_EQ(settings->address, c.address);
  }
  auto unterminated = browserBoxRecord(1, 2, 0, 0, "abc");
  unterminated.pop_back();
  EXPECT_FALSE(readBrowserBoxSettings(unterminated).has_value());
}

TEST(BrowserBoxSettings, TextSizeIsClamped) {
  const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
      {INT32_MIN, 0}, {-1, 0}, {0, 0}, {2, 2}, {4, 4}, {5, 4}, {INT32_MAX, 4}};
  for (const auto& [given, used] : cases) EXPECT_EQ(clampedTextSize(given), used) << given;
}

TEST(BrowserBoxCreation, SettingsReachTheComponentAndAStoredAddressIsLoaded) {
  Program p;
  p.shell.setDefinitionReaderForTest([](auto& table) {
    WindowDefinitionEntry entry;
    entry.definition = mainWindowDefinition();
    entry.definition.controls[0].settingsRecord = browserBoxRecord(1, 9, 1, 0, "example.org");
    table.emplace(MainWindowId, std::move(entry));
    return true;
  });
  p.start();
  EXPECT_EQ(only(p.fake.log, {"put_", "ExecWB", "Navigate"}),
            (std::vector<std::string>{"put_Offline(-1)", "put_Silent(0)", "ExecWB(zoom,4)",
                                      "Navigate(example.org)"}));

  Program q;
  q.shell.setDefinitionReaderForTest([](auto& table) {
    WindowDefinitionEntry entry;
    entry.definition = mainWindowDefinition();
    entry.definition.controls[0].settingsRecord = browserBoxRecord(2, 2, 0, 1, "");
    table.emplace(MainWindowId, std::move(entry));
    return true;
  });
  EXPECT_EQ(q.exitCodeOf([&] { q.start(); }), 0xFFFFFFFFu);
  EXPECT_FALSE(
      q.fake.logged("CreateWindowExA(0x0,ZorvikBrowserHost,,0x44010000,2,3,405,532,"
                    "0x101,0x64)"));
}

TEST(BrowserBoxNavigation, AddressUnchangedAndAMissingViewIsFatal) {
  Program p;
  p.start();
  p.fake.clearLog();
  navigateBrowserBox(p.shell, p.shell.mainWindow(), " m.tamblo.com/x ");
  EXPECT_EQ(only(p.fake.log, {"Navigate"}), std::vector<std::string>{"Navigate( m.tamblo.com/x )"});

  EXPECT_EQ(p.exitCodeOf([&] { navigateBrowserBox(p.shell, nullptr, "x"); }), 0xFFFFFFFFu);
  EXPECT_EQ(p.fake.messageBoxTexts.back(), buildFatalReport(texts::ViewMissing, 0));

  Program q;
  q.start();
  q.fake.windows[0x104].alive = false;  // the view's window is gone
  EXPECT_EQ(q.exitCodeOf([&] { navigateBrowserBox(q.shell, q.shell.mainWindow(), "x"); }),
            0xFFFFFFFFu);
}

TEST(BrowserBoxEvents, NavigationAndNewWindowsAreNeverCancelled) {
  Program p;
  p.start();
  ASSERT_NE(p.fake.browserEvents, nullptr);
  for (const char* url : {"http://m.tamblo.com/", "https://elsewhere.example/", "about:blank"}) {
    EXPECT_FALSE(p.fake.browserEvents->beforeNavigate(url));
    EXPECT_FALSE(p.fake.browserEvents->newWindow(url));
  }
}

}  // namespace
}  // namespace zorvik::test
