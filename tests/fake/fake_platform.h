#pragma once
// A recording fake of every port. Each call is appended to `log` as one line, "Name(arg,...)",
// so tests can check order and values exactly. It keeps a small model of windows (visible,
// minimized, place, parent, procedure), a message queue and a heap, enough for the logic to run
// end to end without a display.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/window_procedure.h"

namespace zorvik::fake {

// Thrown by exitProcess: the test's way of seeing the process end.
struct ProcessExit {
  std::uint32_t code;
};

// Thrown when the event loop would wait for a message that will never come.
struct LoopStarved : std::runtime_error {
  LoopStarved() : std::runtime_error("the event loop waits with nothing queued") {}
};

struct FakeWindow {
  WindowHandle parent = 0;
  WindowProcedure* procedure = nullptr;
  std::string className;
  std::string title;
  std::uint32_t style = 0;
  Rect rect;  // outer rectangle in screen (top level) or parent client coordinates
  bool visible = false;
  bool iconic = false;
  bool zoomed = false;
  MenuHandle menu = 0;
  bool alive = true;
};

class FakePlatform final : public ProcessPort,
                           public LibraryPort,
                           public WindowPort,
                           public MenuPort,
                           public MessageLoopPort,
                           public TrayPort,
                           public ShellPort,
                           public BrowserPort {
 public:
  FakePlatform();
  Platform& platform() { return platform_; }

  // ---- what tests set up ----
  std::vector<std::string> log;
  std::string moduleFileNameValue = "C:\\Zorvik\\zorvik.exe";
  std::set<std::uint8_t> leadBytes;  // empty: every byte is single-byte
  std::int32_t screenWidth = 1920;
  std::int32_t screenHeight = 1080;
  bool failCreateMainWindow = false;
  // Outer size the platform gives a new top-level window instead of the one asked for.
  std::optional<Point> topLevelSizeOverride;
  // Runs right after a window exists, as messages sent during creation would.
  std::function<void(WindowHandle)> afterCreate;
  bool failCreateHostWindow = false;
  bool failBrowserControl = false;
  bool failQueryWebBrowser = false;
  bool failHeap = false;
  bool failIconResource = false;
  // Icons the tray port "creates": which calls succeed.
  bool iconFromResourceExWorks = true;
  bool iconFromResourceWorks = true;
  // Libraries: path -> exports that exist in it.
  std::map<std::string, std::set<std::string>> libraries = {
      {"urlmon.dll", {"UrlMkSetSessionOption"}}};
  bool stackBalanced = true;
  std::uint32_t shellRestart = 0xC123;
  Point cursor{500, 400};
  std::int16_t ctrlState = 0, shiftState = 0, altState = 0;
  // Runs when the loop would otherwise wait on an empty queue (at most `idleScript.size()` times).
  std::deque<std::function<void()>> idleScript;
  // The text the external command was called with, copied at the time of the call.
  std::vector<std::string> userAgentsInstalled;
  std::vector<std::string> messageBoxTexts;

  // ---- what tests inspect ----
  std::map<WindowHandle, FakeWindow> windows;
  std::deque<Message> queue;
  std::set<void*> heapBlocks;
  WindowHandle focusWindow = 0;
  WindowHandle mainWindow() const;  // the first top-level window created, or 0
  void clearLog() { log.clear(); }
  bool logged(const std::string& line) const;
  std::size_t indexOf(const std::string& line) const;  // npos when absent

  // Delivers a message the way the platform would: to the window's procedure, then default.
  std::intptr_t deliver(const Message& message);

  // ---- ProcessPort ----
  void oleInitialize() override;
  void oleUninitialize() override;
  std::string moduleFileName() override;
  void setCurrentDirectory(const std::string& path) override;
  std::uint32_t currentThreadId() override;
  bool isDbcsLeadByte(std::uint8_t byte) override;
  void messageBox(WindowHandle owner, const char* text, const char* caption,
                  std::uint32_t flags) override;
  [[noreturn]] void exitProcess(std::uint32_t code) override;
  void* heapAlloc(std::size_t size) override;
  void heapFree(void* block) override;
  // ---- LibraryPort ----
  ModuleHandle loadLibrary(const std::string& path) override;
  EntryPoint getProcAddress(ModuleHandle module, const std::string& name) override;
  void freeLibrary(ModuleHandle module) override;
  ExternalCallResult callFourWords(EntryPoint entry,
                                   const std::array<std::uintptr_t, 4>& arguments) override;
  // ---- WindowPort ----
  bool classExists(const std::string& name) override;
  bool registerClass(const WindowClassInfo& request) override;
  WindowHandle createWindow(const WindowCreation& request, WindowProcedure* procedure) override;
  bool destroyWindow(WindowHandle window) override;
  std::intptr_t defWindowProc(const Message& message) override;
  bool isWindow(WindowHandle window) override;
  WindowHandle parentOf(WindowHandle window) override;
  Rect windowRect(WindowHandle window) override;
  Rect clientRect(WindowHandle window) override;
  void moveWindow(WindowHandle window, std::int32_t x, std::int32_t y, std::int32_t width,
                  std::int32_t height, bool repaint) override;
  void setWindowPos(WindowHandle window, const Rect& rect, std::uint32_t flags) override;
  std::int32_t systemMetrics(std::int32_t index) override;
  bool showWindow(WindowHandle window, std::int32_t command) override;
  bool isWindowVisible(WindowHandle window) override;
  bool isIconic(WindowHandle window) override;
  bool isZoomed(WindowHandle window) override;
  bool postMessage(const Message& message) override;
  std::intptr_t sendMessage(const Message& message) override;
  std::int16_t keyState(std::int32_t virtualKey) override;
  WindowHandle focus() override;
  WindowHandle setFocus(WindowHandle window) override;
  bool isChild(WindowHandle parent, WindowHandle window) override;
  GdiObject stockObject(std::int32_t index) override;
  IconHandle loadIconResource(const std::string& name, std::int32_t size) override;
  void destroyIcon(IconHandle icon) override;
  void paintBackground(WindowHandle window, std::uint32_t colour) override;
  // ---- MenuPort ----
  MenuHandle createMenu() override;
  MenuHandle createPopupMenu() override;
  bool appendMenu(MenuHandle menu, std::uint32_t flags, std::uintptr_t item,
                  const std::string& text) override;
  bool destroyMenu(MenuHandle menu) override;
  bool setMenu(WindowHandle window, MenuHandle menu) override;
  MenuHandle getMenu(WindowHandle window) override;
  Point cursorPos() override;
  bool setForegroundWindow(WindowHandle window) override;
  bool trackPopupMenu(MenuHandle menu, std::uint32_t flags, std::int32_t x, std::int32_t y,
                      WindowHandle owner) override;
  // What the user picks when a pop-up is tracked: a command id to post, or 0 for none.
  std::uint32_t popupChoice = 0;
  // ---- MessageLoopPort ----
  bool peekMessage() override;
  bool getMessage(Message& message) override;
  void translateMessage(const Message& message) override;
  void dispatchMessage(const Message& message) override;
  void postQuitMessage(std::int32_t code) override;
  // ---- TrayPort ----
  bool shellNotifyIcon(std::uint32_t operation, const NotifyIconRecord& record) override;
  IconHandle createIconFromResourceEx(const std::uint8_t* bits, std::uint32_t size, bool icon,
                                      std::uint32_t version, std::int32_t width,
                                      std::int32_t height, std::uint32_t flags) override;
  IconHandle createIconFromResource(const std::uint8_t* bits, std::uint32_t size, bool icon,
                                    std::uint32_t version) override;
  std::uint32_t shellRestartMessage() override;
  std::vector<NotifyIconRecord> trayRecords;  // every record passed, in order
  // ---- ShellPort ----
  WindowHandle findTopLevelWindow(const std::string& title) override;
  void shellExecute(WindowHandle owner, const std::string& verb, const std::string& file,
                    std::int32_t show) override;
  WindowHandle ieWindow = 0;
  // ---- BrowserPort ----
  BrowserHandle createBrowserControl(WindowHandle host, const Rect& clientArea,
                                     BrowserEvents* events) override;
  bool queryWebBrowser(BrowserHandle control) override;
  WindowHandle controlWindow(BrowserHandle control) override;
  void putOffline(BrowserHandle control, std::int16_t variantBool) override;
  void putSilent(BrowserHandle control, std::int16_t variantBool) override;
  void execZoom(BrowserHandle control, std::int32_t level) override;
  void navigate(BrowserHandle control, const std::string& address) override;
  void releaseBrowser(BrowserHandle control) override;
  void destroyControl(BrowserHandle control) override;
  BrowserEvents* browserEvents = nullptr;
  WindowHandle browserView = 0;

 private:
  void record(const std::string& line) { log.push_back(line); }
  void destroyTree(WindowHandle window);
  std::uintptr_t next_ = 0x100;
  Platform platform_;
  std::set<std::string> classes_;
  std::map<ModuleHandle, std::string> modules_;
  std::map<EntryPoint, std::string> entries_;
  std::map<BrowserHandle, WindowHandle> controls_;
  std::set<MenuHandle> menus_;
};

std::string hex(std::uintptr_t value);

}  // namespace zorvik::fake
