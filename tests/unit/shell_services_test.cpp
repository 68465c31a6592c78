// The shell's fatal report, text memory and directory rule.
#include <cstring>

#include "test_support.h"

namespace zorvik::test {
namespace {

TEST(FatalReport, LayoutFollowsCodeAndMessage) {
  struct Case {
    const char* message;
    std::int32_t code;
    std::string expected;  // UTF-8 spelling of the labels replaced below
  };
  const std::string header = std::string(texts::FatalHeader) + "\r\n\r\n";
  const std::string codeLabel = texts::FatalCodeLabel;
  const std::string messageLabel = texts::FatalMessageLabel;
  const std::vector<Case> cases = {
      {nullptr, 0, header},
      {"", 0, header},
      {"boom", 0, header + messageLabel + "boom\r\n"},
      {nullptr, 6, header + codeLabel + "6\r\n\r\n"},
      {"", 6, header + codeLabel + "6\r\n\r\n"},
      {"boom", 6, header + codeLabel + "6\r\n\r\n" + messageLabel + "boom\r\n"},
      {"x", -12, header + codeLabel + "-12\r\n\r\n" + messageLabel + "x\r\n"},
      {nullptr, INT32_MIN, header + codeLabel + "-2147483648\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + "/" + (c.message ? c.message : "(null)"));
    EXPECT_EQ(buildFatalReport(c.message, c.code), c.expected);
  }
}

TEST(FatalReport, ShowsTheBoxThenEndsWithoutTheEndStep) {
  Program p;
  int endSteps = 0;
  p.start();
  p.shell.setEndStepForTest([&] { ++endSteps; });
  p.fake.clearLog();
  EXPECT_EQ(p.exitCodeOf([&] { p.shell.raiseRuntimeError(6); }), 0xFFFFFFFFu);
  EXPECT_EQ(endSteps, 0);
  ASSERT_EQ(p.fake.messageBoxTexts.size(), 1u);
  EXPECT_EQ(p.fake.messageBoxTexts[0], std::string(texts::FatalHeader) + "\r\n\r\n" +
                                           texts::FatalCodeLabel + "6\r\n\r\n" +
                                           texts::FatalMessageLabel + texts::StackError + "\r\n");
  EXPECT_EQ(p.fake.log.front(), std::string("MessageBoxA(0x0,") + texts::FatalTitle + ",0x10)");
  EXPECT_EQ(p.fake.log.back(), "ExitProcess(0xffffffff)");
  // The window is left to the end of the process.
  EXPECT_FALSE(p.fake.logged("DestroyWindow(0x101)"));
  EXPECT_TRUE(p.fake.logged("OleUninitialize"));
}

TEST(TextMemory, FreeTextLeavesNullAndConstantDataAlone) {
  Program p;
  static char block[16];
  p.shell.setConstantDataForTest({block, block + sizeof block});
  p.shell.prepareProcess();
  ASSERT_EQ(p.shell.constantRanges().size(), 1u);
  p.fake.clearLog();

  p.shell.freeText(nullptr);
  p.shell.freeText(block);                     // first byte
  p.shell.freeText(block + sizeof block - 1);  // last byte
  EXPECT_TRUE(only(p.fake.log, {"HeapFree"}).empty());

  // One past the end is not constant data: it goes to the heap (and must be a heap block).
  EXPECT_THROW(p.shell.freeText(block + sizeof block), std::logic_error);

  char* text = p.shell.allocText(5);
  p.shell.freeText(text);
  EXPECT_TRUE(p.fake.logged("HeapFree"));
  EXPECT_TRUE(p.fake.heapBlocks.empty());
}

TEST(TextMemory, TheProgramsOwnTextsAreConstantData) {
  Program p;
  p.shell.prepareProcess();
  p.fake.clearLog();
  for (const char* text : {texts::MobileUserAgent, texts::FallbackUserAgent, texts::TrayTip}) {
    p.shell.freeText(text);
  }
  p.shell.freeText(TrayIconImage + TrayIconImageSize - 1);
  EXPECT_TRUE(p.fake.log.empty());
}

TEST(TextMemory, EmptyConstantDataEntersNoRange) {
  Program p;
  p.shell.setConstantDataForTest({});
  p.shell.prepareProcess();
  EXPECT_TRUE(p.shell.constantRanges().empty());
}

TEST(TextMemory, AnExhaustedHeapEndsWithItsMessage) {
  Program p;
  p.shell.prepareProcess();
  p.fake.failHeap = true;
  EXPECT_EQ(p.exitCodeOf([&] { p.shell.allocText(136); }), 0xFFFFFFFFu);
  ASSERT_EQ(p.fake.messageBoxTexts.size(), 1u);
  EXPECT_EQ(p.fake.messageBoxTexts[0],
            buildFatalReport(formatText(texts::AllocFailedFormat, {"136"}).c_str(), 0));
  EXPECT_NE(p.fake.messageBoxTexts[0].find(" 136 "), std::string::npos);
}

TEST(Directory, CutAtTheLastBackslashScanningDoubleByteCharacters) {
  // 0x95 0x5C is one double-byte character in code page 936 whose trail byte is '\'.
  const std::string dbcs = "C:\\a\x95\\b\\zorvik.exe";
  const std::string dbcsAtEnd = "C:\\dir\x95\\\\zorvik.exe";
  const std::string trailOnly = "C:\\games\\\x95\\zorvik.exe";
  struct Case {
    std::string path;
    bool found;
    std::string directory;
  };
  const std::vector<Case> cases = {
      {"C:\\Program Files\\Zorvik\\zorvik.exe", true, "C:\\Program Files\\Zorvik"},
      {dbcs, true, "C:\\a\x95\\b"},
      {dbcsAtEnd, true, "C:\\dir\x95\\"},
      {trailOnly, true, "C:\\games"},
      {"C:\\zorvik.exe", true, "C:"},
      {"zorvik.exe", false, ""},
  };
  const auto isLead = [](std::uint8_t byte) { return byte >= 0x81 && byte <= 0xFE; };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string directory;
    EXPECT_EQ(executableDirectory(c.path, isLead, directory), c.found);
    if (c.found) {
      EXPECT_EQ(directory, c.directory);
    }
  }
}

TEST(Directory, BecomesTheCurrentDirectoryAndPrefixesTheLibraryPath) {
  Program p;
  p.fake.moduleFileNameValue = "D:\\\xb2\xe2\\\xca\xd4\\zorvik.exe";  // a lead byte then '\'
  p.fake.leadBytes = {0xb2, 0xca};
  p.start();
  EXPECT_TRUE(p.fake.logged("SetCurrentDirectoryA(D:\\\xb2\xe2\\\xca\xd4)"));
  EXPECT_TRUE(p.fake.logged("LoadLibraryA(D:\\\xb2\xe2\\\xca\xd4\\urlmon.dll)"));
}

TEST(FormatText, ValuesAreInsertedVerbatim) {
  EXPECT_EQ(formatText("a %s b %s c", {"%d", "x%s"}), "a %d b x%s c");
  EXPECT_EQ(formatText("%d bytes", {"12"}), "12 bytes");
  EXPECT_EQ(formatText("only %s", {}), "only %s");
}

}  // namespace
}  // namespace zorvik::test
