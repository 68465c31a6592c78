// The Linux library and browser adapters' own rules, without a display: which names the library
// adapter resolves, what its built-in UrlMkSetSessionOption installs, and how an address given to
// navigate becomes the address WebKit loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gtk/browser_adapter.h"
#include "platform/gtk/library_adapter.h"
#include "platform/gtk/web_engine.h"

namespace zorvik::gtk {
namespace {

constexpr std::uintptr_t UserAgentOption = 0x10000001;
const std::string MobileUserAgent =
    "Mozilla/5.0 (Linux; U; Android 2.2; en-us; Nexus One Build/FRF91) AppleWebKit/533.1 (KHTML, "
    "like Gecko) Version/4.0 Mobile Safari/533.1";

std::string installedUserAgent() { return webkit_settings_get_user_agent(sharedWebSettings()); }

TEST(LibraryAdapter, ResolvesOnlyTheBareUrlmonNameToTheBuiltInModule) {
  struct Case {
    const char* path;
    bool builtIn;
  };
  const Case cases[] = {
      {"urlmon.dll", true},
      {"URLMON.DLL", true},
      {"UrlMon.Dll", true},
      {"urlmon", false},
      {"kernel32.dll", false},
      {"urlmon.dll.so", false},
      {"C:\\nowhere\\urlmon.dll", false},  // a program directory without such a file
      {"\\nowhere\\urlmon.dll", false},
      {"/nowhere/urlmon.dll", false},
      {"", false},
  };
  for (const Case& c : cases) {
    LibraryAdapter library;
    const ModuleHandle module = library.loadLibrary(c.path);
    EXPECT_EQ(module, c.builtIn ? LibraryAdapter::builtinUrlmon() : 0) << c.path;
  }
}

TEST(LibraryAdapter, BuiltInModuleExportsOnlyUrlMkSetSessionOptionWhileLoaded) {
  LibraryAdapter library;
  const ModuleHandle module = library.loadLibrary("urlmon.dll");
  EXPECT_NE(library.getProcAddress(module, "UrlMkSetSessionOption"), 0u);
  EXPECT_EQ(library.getProcAddress(module, "urlmksetsessionoption"), 0u);  // names are exact
  EXPECT_EQ(library.getProcAddress(module, "UrlMkGetSessionOption"), 0u);
  EXPECT_EQ(library.getProcAddress(0, "UrlMkSetSessionOption"), 0u);

  // Loads are counted: the module stays until the last of two loads is released.
  EXPECT_EQ(library.loadLibrary("URLMON.dll"), module);
  library.freeLibrary(module);
  EXPECT_NE(library.getProcAddress(module, "UrlMkSetSessionOption"), 0u);
  library.freeLibrary(module);
  EXPECT_EQ(library.getProcAddress(module, "UrlMkSetSessionOption"), 0u);
}

TEST(LibraryAdapter, UserAgentOptionInstallsACopyOfExactlyTheGivenLength) {
  LibraryAdapter library;
  const EntryPoint entry =
      library.getProcAddress(library.loadLibrary("urlmon.dll"), "UrlMkSetSessionOption");
  // The text is followed by bytes that are not part of it and has no terminator.
  std::vector<char> buffer(MobileUserAgent.begin(), MobileUserAgent.end());
  const std::string trailer = "TRAILING";
  buffer.insert(buffer.end(), trailer.begin(), trailer.end());

  const ExternalCallResult outcome = library.callFourWords(
      entry, {UserAgentOption, reinterpret_cast<std::uintptr_t>(buffer.data()),
              MobileUserAgent.size(), 0});
  EXPECT_EQ(outcome.result, 0);
  EXPECT_TRUE(outcome.stackBalanced);
  std::fill(buffer.begin(), buffer.end(), 'x');  // the caller frees its buffer right away
  EXPECT_EQ(installedUserAgent(), MobileUserAgent);

  // Any other option is refused and changes nothing.
  const std::string other = "Other/1.0";
  const ExternalCallResult refused = library.callFourWords(
      entry, {0x10000002, reinterpret_cast<std::uintptr_t>(other.data()), other.size(), 0});
  EXPECT_NE(refused.result, 0);
  EXPECT_TRUE(refused.stackBalanced);
  EXPECT_EQ(installedUserAgent(), MobileUserAgent);
}

TEST(LibraryAdapter, LibraryFileInADirectoryIsLoadedAsItsOwnLibrary) {
  // Written the Windows way, as the program builds "<program dir>\urlmon.dll".
  std::string path = ZORVIK_TEST_URLMON;
  std::replace(path.begin(), path.end(), '/', '\\');
  LibraryAdapter library;
  const ModuleHandle module = library.loadLibrary(path);
  ASSERT_NE(module, 0u);
  EXPECT_NE(module, LibraryAdapter::builtinUrlmon());
  const EntryPoint entry = library.getProcAddress(module, "UrlMkSetSessionOption");
  EXPECT_NE(entry, 0u);
  EXPECT_NE(entry,
            library.getProcAddress(library.loadLibrary("urlmon.dll"), "UrlMkSetSessionOption"));
  EXPECT_EQ(library.getProcAddress(module, "NotThere"), 0u);
  library.freeLibrary(module);
  EXPECT_EQ(library.getProcAddress(module, "UrlMkSetSessionOption"), 0u);
}

TEST(BrowserAdapter, AddressesWithoutSchemeLoadAsHttp) {
  struct Case {
    std::string given;  // code page 936 bytes
    std::string loaded;
  };
  const Case cases[] = {
      {"m.tamblo.com", "http://m.tamblo.com"},
      {"m.tamblo.com/path?q=1", "http://m.tamblo.com/path?q=1"},
      {"localhost:8080", "http://localhost:8080"},
      {"http://m.tamblo.com/", "http://m.tamblo.com/"},
      {"https://m.tamblo.com/a", "https://m.tamblo.com/a"},
      {"file:///tmp/page.html", "file:///tmp/page.html"},
      {"about:blank", "about:blank"},
      {"javascript:void(0)", "javascript:void(0)"},
      {"\xd6\xd0\xce\xc4.com", "http://\xe4\xb8\xad\xe6\x96\x87.com"},  // 中文.com
  };
  for (const Case& c : cases) EXPECT_EQ(webAddress(c.given), c.loaded) << c.given;
}

TEST(BrowserAdapter, TextSizeLevelsZoomTextAroundOneAtMedium) {
  EXPECT_DOUBLE_EQ(TextZoomFactors[2], 1.0);
  EXPECT_TRUE(std::is_sorted(std::begin(TextZoomFactors), std::end(TextZoomFactors)));
  EXPECT_LT(TextZoomFactors[0], TextZoomFactors[1]);
  EXPECT_LT(TextZoomFactors[3], TextZoomFactors[4]);
}

TEST(WebEngine, SharedSettingsKeepTheUserAgentFromQuirks) {
  WebKitSettings* settings = sharedWebSettings();
  EXPECT_EQ(settings, sharedWebSettings());
  EXPECT_FALSE(webkit_settings_get_enable_site_specific_quirks(settings));
  EXPECT_EQ(webkit_settings_get_hardware_acceleration_policy(settings),
            WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
}

}  // namespace
}  // namespace zorvik::gtk

// WebKit's settings need GTK with a display (the test runs under xvfb-run).
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (!gtk_init_check(&argc, &argv)) {
    std::fprintf(stderr, "no display: run under xvfb-run -a\n");
    return 1;
  }
  return RUN_ALL_TESTS();
}
