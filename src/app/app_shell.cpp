#include "app/app_shell.h"

#include <cstdlib>

#include "app/fatal_report.h"
#include "ui/main_window.h"
#include "ui/program_handlers.h"

namespace zorvik {

bool executableDirectory(const std::string& path, const std::function<bool(std::uint8_t)>& isLead,
                         std::string& directory) {
  std::size_t cut = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(path[i]);
    if (isLead(byte) && i + 1 < path.size()) {
      ++i;  // the trail byte may equal '\\' and is not a separator
    } else if (byte == '\\') {
      cut = i;
    }
  }
  if (cut == std::string::npos) return false;
  directory = path.substr(0, cut);
  return true;
}

AppShell::AppShell(Platform& platform)
    : platform_(platform), constantData_(programConstantData()), externalCommands_(*this) {}

AppShell::~AppShell() = default;

std::uint32_t AppShell::runProgram() {
  prepareProcess();
  programStartStep();
  endStep_ = [this] { programEndStep(); };
  loadStartWindow(MainWindowId);
  const std::uint32_t code = runEventLoop();
  tearDown();
  return code;
}

void AppShell::prepareProcess() {
  if (!oleInitialised_) {
    platform_.process.oleInitialize();
    oleInitialised_ = true;
  }
  ProcessPort& process = platform_.process;
  if (executableDirectory(
          process.moduleFileName(),
          [&process](std::uint8_t byte) { return process.isDbcsLeadByte(byte); },
          programDirectory_)) {
    process.setCurrentDirectory(programDirectory_);
  }
  guiThreadId_ = process.currentThreadId();
  constantRanges_.clear();
  if (constantData_.begin != constantData_.end) constantRanges_.push_back(constantData_);
  externalCommands_.prepare();
  if (!readWindowDefinitions()) reportFatalError(texts::LoadTemplatesFailed, 0);
}

bool AppShell::readWindowDefinitions() {
  windowDefinitions_.clear();
  if (definitionReader_) return definitionReader_(windowDefinitions_);
  handlers_ = std::make_unique<ProgramHandlers>(*this);
  WindowDefinitionEntry entry;
  entry.definition = mainWindowDefinition();
  handlers_->bind(entry.definition);
  windowDefinitions_.emplace(MainWindowId, std::move(entry));
  return true;
}

void AppShell::programStartStep() {}

void AppShell::programEndStep() {}

void AppShell::loadStartWindow(std::uint32_t windowId) {
  const auto found = windowDefinitions_.find(windowId);
  if (found == windowDefinitions_.end()) reportFatalError(texts::LoadStartWindowFailed, 0);
  WindowDefinitionEntry& entry = found->second;
  entry.window = std::make_unique<MainWindow>(*this, entry);
  if (!entry.window->loadWindow()) reportFatalError(texts::LoadStartWindowFailed, 0);
}

std::uint32_t AppShell::runEventLoop() {
  loopEntered_ = true;
  if (!anyProgramWindowAlive()) return 0;
  MessageLoopPort& loop = platform_.loop;
  Message message;
  for (;;) {
    // The program has no idle work, so idle processing ends at once and the loop waits.
    (void)loop.peekMessage();
    if (!loop.getMessage(message)) return static_cast<std::uint32_t>(message.wParam);
    if (!preTranslateMessage(message)) {
      loop.translateMessage(message);
      loop.dispatchMessage(message);
    }
  }
}

bool AppShell::preTranslateMessage(const Message& message) {
  // Offer the message to its window and each ancestor up to the top level. Of these only program
  // windows take anything (their keyboard settings); the browser's own windows never do.
  WindowPort& windows = platform_.window;
  for (WindowHandle window = message.window; window != 0; window = windows.parentOf(window)) {
    for (auto& [id, entry] : windowDefinitions_) {
      if (entry.live != nullptr && entry.live->handle() == window &&
          entry.live->preTranslateMessage(message)) {
        return true;
      }
    }
  }
  return false;
}

bool AppShell::anyProgramWindowAlive() {
  for (auto& [id, entry] : windowDefinitions_) {
    if (entry.live != nullptr && platform_.window.isWindow(entry.live->handle())) return true;
  }
  return false;
}

void AppShell::onProgramWindowGone() {
  if (!anyProgramWindowAlive() && loopEntered_) platform_.loop.postQuitMessage(0);
}

MainWindow* AppShell::mainWindow() {
  const auto found = windowDefinitions_.find(MainWindowId);
  return found == windowDefinitions_.end() ? nullptr : found->second.live;
}

IconHandle AppShell::applicationIcon(std::int32_t size) {
  if (!iconsRequested_) {
    iconsRequested_ = true;
    bigIcon_ = platform_.window.loadIconResource(texts::ApplicationIcon, 32);
    smallIcon_ = platform_.window.loadIconResource(texts::ApplicationIcon, 16);
  }
  return size == 16 ? smallIcon_ : bigIcon_;
}

void AppShell::tearDown() {
  if (endStep_) {
    auto step = std::move(endStep_);
    endStep_ = nullptr;
    step();
  }
  externalCommands_.releaseAll();
  if (bigIcon_ != 0) platform_.window.destroyIcon(bigIcon_);
  if (smallIcon_ != 0) platform_.window.destroyIcon(smallIcon_);
  bigIcon_ = smallIcon_ = 0;
  if (oleInitialised_) {
    platform_.process.oleUninitialize();
    oleInitialised_ = false;
  }
}

void AppShell::endProgram(std::uint32_t code) {
  tearDown();
  platform_.process.exitProcess(code);
  std::abort();  // exitProcess does not return; this only tells the compiler so
}

void AppShell::reportFatalError(const char* message, std::int32_t code) {
  const std::string report = buildFatalReport(message, code);
  platform_.process.messageBox(0, report.c_str(), texts::FatalTitle, win::MbOk | win::MbIconError);
  endStep_ = nullptr;
  endProgram(0xFFFFFFFFu);
}

void AppShell::raiseRuntimeError(int number) { reportFatalError(runtimeErrorText(number), number); }

char* AppShell::allocText(std::size_t size) {
  void* block = platform_.process.heapAlloc(size);
  if (block == nullptr) {
    const std::string message = formatText(texts::AllocFailedFormat, {std::to_string(size)});
    reportFatalError(message.c_str(), 0);
  }
  return static_cast<char*>(block);
}

void AppShell::freeText(const void* pointer) {
  if (pointer == nullptr) return;
  const auto address = reinterpret_cast<std::uintptr_t>(pointer);
  for (const ConstantRange& range : constantRanges_) {
    if (reinterpret_cast<std::uintptr_t>(range.begin) <= address &&
        address < reinterpret_cast<std::uintptr_t>(range.end)) {
      return;
    }
  }
  platform_.process.heapFree(const_cast<void*>(pointer));
}

}  // namespace zorvik
