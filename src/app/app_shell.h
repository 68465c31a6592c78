#pragma once
// AppShell runs the program from the start of the process to its end: it prepares the process,
// loads the start window, runs the one event loop, tears down what start-up acquired, and owns
// the fatal-error report and the text memory service. Exactly one per process.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/texts.h"
#include "platform/platform.h"
#include "ui/window_definition.h"
#include "web/external_command_table.h"

namespace zorvik {

class MainWindow;
class ProgramHandlers;

// One entry of the window definition table: the fixed definition and its live window, if any.
struct WindowDefinitionEntry {
  WindowDefinition definition;
  // Owned here for the whole run; `live` is set while the platform window exists.
  std::unique_ptr<MainWindow> window;
  MainWindow* live = nullptr;
};

class AppShell {
 public:
  explicit AppShell(Platform& platform);
  ~AppShell();
  AppShell(const AppShell&) = delete;
  AppShell& operator=(const AppShell&) = delete;

  std::uint32_t runProgram();

  void prepareProcess();
  void programStartStep();
  void programEndStep();
  void loadStartWindow(std::uint32_t windowId);
  std::uint32_t runEventLoop();
  bool anyProgramWindowAlive();
  void onProgramWindowGone();
  void tearDown();
  [[noreturn]] void endProgram(std::uint32_t code);
  [[noreturn]] void reportFatalError(const char* message, std::int32_t code);
  [[noreturn]] void raiseRuntimeError(int number);
  char* allocText(std::size_t size);
  void freeText(const void* pointer);

  // The application icon's images, loaded on first request and shared by the program's windows;
  // the shell releases them at tear-down. 0 when the resource could not be loaded.
  IconHandle applicationIcon(std::int32_t size);

  Platform& platform() { return platform_; }
  ExternalCommandTable& externalCommands() { return externalCommands_; }
  const std::string& programDirectory() const { return programDirectory_; }
  MainWindow* mainWindow();  // the live MainWindow, or null
  std::map<std::uint32_t, WindowDefinitionEntry>& windowDefinitions() { return windowDefinitions_; }

  std::uint32_t guiThreadId() const { return guiThreadId_; }
  bool oleInitialised() const { return oleInitialised_; }
  bool loopEntered() const { return loopEntered_; }
  bool endStepRegistered() const { return static_cast<bool>(endStep_); }
  const std::vector<ConstantRange>& constantRanges() const { return constantRanges_; }

  // Test seams: the constant data and the window definitions are fixed data of the program; tests
  // replace them to reach the paths that the fixed data never takes.
  void setConstantDataForTest(ConstantRange range) { constantData_ = range; }
  void setDefinitionReaderForTest(
      std::function<bool(std::map<std::uint32_t, WindowDefinitionEntry>&)> reader) {
    definitionReader_ = std::move(reader);
  }
  void setEndStepForTest(std::function<void()> step) { endStep_ = std::move(step); }

 private:
  bool preTranslateMessage(const Message& message);
  bool readWindowDefinitions();

  Platform& platform_;
  std::uint32_t guiThreadId_ = 0;
  bool oleInitialised_ = false;
  bool loopEntered_ = false;
  std::function<void()> endStep_;
  std::vector<ConstantRange> constantRanges_;
  ConstantRange constantData_;
  std::map<std::uint32_t, WindowDefinitionEntry> windowDefinitions_;
  std::function<bool(std::map<std::uint32_t, WindowDefinitionEntry>&)> definitionReader_;
  ExternalCommandTable externalCommands_;
  std::unique_ptr<ProgramHandlers> handlers_;
  std::string programDirectory_;
  IconHandle bigIcon_ = 0;
  IconHandle smallIcon_ = 0;
  bool iconsRequested_ = false;
};

// The part of an executable's path before its last backslash, scanning the path as ANSI text so
// that a backslash byte inside a double-byte character is not taken for a separator. Returns
// false when the path holds no separator.
bool executableDirectory(const std::string& path, const std::function<bool(std::uint8_t)>& isLead,
                         std::string& directory);

}  // namespace zorvik
