#include "fake_platform.h"

#include <cstdio>
#include <cstdlib>

#include "platform/win_values.h"

namespace zorvik::fake {

std::string hex(std::uintptr_t value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
  return buffer;
}

namespace {
std::string str(std::int64_t value) { return std::to_string(value); }
}  // namespace

FakePlatform::FakePlatform() : platform_{*this, *this, *this, *this, *this, *this, *this, *this} {}

WindowHandle FakePlatform::mainWindow() const {
  for (const auto& [handle, window] : windows) {
    if (window.parent == 0 && window.className == "ZorvikMainWindow") return handle;
  }
  return 0;
}

bool FakePlatform::logged(const std::string& line) const {
  return indexOf(line) != std::string::npos;
}

std::size_t FakePlatform::indexOf(const std::string& line) const {
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log[i] == line) return i;
  }
  return std::string::npos;
}

std::intptr_t FakePlatform::deliver(const Message& message) {
  auto found = windows.find(message.window);
  if (found == windows.end() || !found->second.alive) return 0;
  if (WindowProcedure* procedure = found->second.procedure) {
    if (auto result = procedure->handleMessage(message)) return *result;
  }
  return defWindowProc(message);
}

// ---- ProcessPort ----
void FakePlatform::oleInitialize() { record("OleInitialize"); }
void FakePlatform::oleUninitialize() { record("OleUninitialize"); }
std::string FakePlatform::moduleFileName() {
  record("GetModuleFileNameA");
  return moduleFileNameValue;
}
void FakePlatform::setCurrentDirectory(const std::string& path) {
  record("SetCurrentDirectoryA(" + path + ")");
}
std::uint32_t FakePlatform::currentThreadId() {
  record("GetCurrentThreadId");
  return 4242;
}
bool FakePlatform::isDbcsLeadByte(std::uint8_t byte) { return leadBytes.count(byte) != 0; }
void FakePlatform::messageBox(WindowHandle owner, const char* text, const char* caption,
                              std::uint32_t flags) {
  record("MessageBoxA(" + hex(owner) + "," + caption + "," + hex(flags) + ")");
  messageBoxTexts.emplace_back(text);
}
void FakePlatform::exitProcess(std::uint32_t code) {
  record("ExitProcess(" + hex(code) + ")");
  throw ProcessExit{code};
}
void* FakePlatform::heapAlloc(std::size_t size) {
  record("HeapAlloc(" + str(static_cast<std::int64_t>(size)) + ")");
  if (failHeap) return nullptr;
  void* block = std::malloc(size == 0 ? 1 : size);
  heapBlocks.insert(block);
  return block;
}
void FakePlatform::heapFree(void* block) {
  record("HeapFree");
  if (heapBlocks.erase(block) == 0) throw std::logic_error("HeapFree of a block not from the heap");
  std::free(block);
}

// ---- LibraryPort ----
ModuleHandle FakePlatform::loadLibrary(const std::string& path) {
  record("LoadLibraryA(" + path + ")");
  if (libraries.count(path) == 0) return 0;
  const ModuleHandle module = next_++;
  modules_[module] = path;
  return module;
}
EntryPoint FakePlatform::getProcAddress(ModuleHandle module, const std::string& name) {
  record("GetProcAddress(" + hex(module) + "," + name + ")");
  const auto found = modules_.find(module);
  if (found == modules_.end() || libraries[found->second].count(name) == 0) return 0;
  const EntryPoint entry = next_++;
  entries_[entry] = name;
  return entry;
}
void FakePlatform::freeLibrary(ModuleHandle module) {
  record("FreeLibrary(" + hex(module) + ")");
  modules_.erase(module);
}
ExternalCallResult FakePlatform::callFourWords(EntryPoint entry,
                                               const std::array<std::uintptr_t, 4>& arguments) {
  record("Call(" + hex(entry) + "," + hex(arguments[0]) + "," + str(arguments[2]) + "," +
         str(arguments[3]) + ")");
  userAgentsInstalled.emplace_back(reinterpret_cast<const char*>(arguments[1]), arguments[2]);
  return {0, stackBalanced};
}

// ---- WindowPort ----
bool FakePlatform::classExists(const std::string& name) {
  record("GetClassInfoA(" + name + ")");
  return classes_.count(name) != 0;
}
bool FakePlatform::registerClass(const WindowClassInfo& request) {
  record("RegisterClassA(" + request.name + "," + hex(request.style) + "," +
         (request.arrowCursor ? "arrow" : "none") + "," + str(request.backgroundStock) + ")");
  classes_.insert(request.name);
  return true;
}
WindowHandle FakePlatform::createWindow(const WindowCreation& request, WindowProcedure* procedure) {
  record("CreateWindowExA(" + hex(request.exStyle) + "," + request.className + "," + request.title + "," +
         hex(request.style) + "," + str(request.x) + "," + str(request.y) + "," + str(request.width) + "," +
         str(request.height) + "," + hex(request.parent) + "," + hex(request.menuOrId) + ")");
  if (request.parent == 0 && failCreateMainWindow) return 0;
  if (request.parent != 0 && failCreateHostWindow) return 0;
  const WindowHandle handle = next_++;
  FakeWindow window;
  window.parent = request.parent;
  window.procedure = procedure;
  window.className = request.className;
  window.title = request.title;
  window.style = request.style;
  window.rect = {request.x, request.y, request.x + request.width, request.y + request.height};
  window.visible = (request.style & win::WsVisible) != 0;
  window.menu = request.parent == 0 ? request.menuOrId : 0;
  if (request.parent == 0 && topLevelSizeOverride) {
    window.rect.right = request.x + topLevelSizeOverride->x;
    window.rect.bottom = request.y + topLevelSizeOverride->y;
  }
  windows[handle] = window;
  if (afterCreate) afterCreate(handle);
  return handle;
}
void FakePlatform::destroyTree(WindowHandle handle) {
  deliver({handle, win::WmDestroy, 0, 0});
  for (auto& [child, window] : windows) {
    if (window.parent == handle && window.alive) destroyTree(child);
  }
  deliver({handle, win::WmNcDestroy, 0, 0});
  windows[handle].alive = false;
  windows[handle].visible = false;
  if (focusWindow == handle) focusWindow = 0;
}
bool FakePlatform::destroyWindow(WindowHandle window) {
  record("DestroyWindow(" + hex(window) + ")");
  const auto found = windows.find(window);
  if (found == windows.end() || !found->second.alive) return false;
  destroyTree(window);
  return true;
}
std::intptr_t FakePlatform::defWindowProc(const Message& message) {
  record("DefWindowProcA(" + hex(message.window) + "," + hex(message.message) + ")");
  if (message.message == win::WmClose) destroyWindow(message.window);
  if (message.message == win::WmActivate && (message.wParam & 0xFFFF) != win::WaInactive) {
    setFocus(message.window);
  }
  return 0;
}
bool FakePlatform::isWindow(WindowHandle window) {
  record("IsWindow(" + hex(window) + ")");
  const auto found = windows.find(window);
  return found != windows.end() && found->second.alive;
}
WindowHandle FakePlatform::parentOf(WindowHandle window) {
  const auto found = windows.find(window);
  return found == windows.end() ? 0 : found->second.parent;
}
Rect FakePlatform::windowRect(WindowHandle window) {
  record("GetWindowRect(" + hex(window) + ")");
  return windows[window].rect;
}
Rect FakePlatform::clientRect(WindowHandle window) {
  record("GetClientRect(" + hex(window) + ")");
  const Rect& r = windows[window].rect;
  return {0, 0, r.right - r.left, r.bottom - r.top};
}
void FakePlatform::moveWindow(WindowHandle window, std::int32_t x, std::int32_t y,
                              std::int32_t width, std::int32_t height, bool repaint) {
  record("MoveWindow(" + hex(window) + "," + str(x) + "," + str(y) + "," + str(width) + "," +
         str(height) + "," + str(repaint) + ")");
  windows[window].rect = {x, y, x + width, y + height};
}
void FakePlatform::setWindowPos(WindowHandle window, const Rect& rect, std::uint32_t flags) {
  record("SetWindowPos(" + hex(window) + "," + str(rect.left) + "," + str(rect.top) + "," +
         str(rect.right - rect.left) + "," + str(rect.bottom - rect.top) + "," + hex(flags) + ")");
  Rect& r = windows[window].rect;
  const std::int32_t width = r.right - r.left;
  const std::int32_t height = r.bottom - r.top;
  if ((flags & win::SwpNoSize) != 0) {
    r = {rect.left, rect.top, rect.left + width, rect.top + height};
  } else {
    r = rect;
  }
}
std::int32_t FakePlatform::systemMetrics(std::int32_t index) {
  record("GetSystemMetrics(" + str(index) + ")");
  return index == win::SmCxScreen ? screenWidth : screenHeight;
}
bool FakePlatform::showWindow(WindowHandle window, std::int32_t command) {
  record("ShowWindow(" + hex(window) + "," + str(command) + ")");
  FakeWindow& w = windows[window];
  const bool wasVisible = w.visible;
  switch (command) {
    case win::SwHide:
      w.visible = false;
      if (wasVisible && w.parent == 0) deliver({window, win::WmActivate, win::WaInactive, 0});
      break;
    case win::SwRestore:
      w.iconic = w.zoomed = false;
      w.visible = true;
      break;
    case win::SwShow:
      w.visible = true;
      if (w.parent == 0) deliver({window, win::WmActivate, 1, 0});
      break;
    default:
      w.visible = true;
      break;
  }
  return wasVisible;
}
bool FakePlatform::isWindowVisible(WindowHandle window) {
  record("IsWindowVisible(" + hex(window) + ")");
  return windows[window].alive && windows[window].visible;
}
bool FakePlatform::isIconic(WindowHandle window) {
  record("IsIconic(" + hex(window) + ")");
  return windows[window].iconic;
}
bool FakePlatform::isZoomed(WindowHandle window) {
  record("IsZoomed(" + hex(window) + ")");
  return windows[window].zoomed;
}
bool FakePlatform::postMessage(const Message& message) {
  record("PostMessageA(" + hex(message.window) + "," + hex(message.message) + "," +
         hex(message.wParam) + "," + hex(static_cast<std::uintptr_t>(message.lParam)) + ")");
  queue.push_back(message);
  return true;
}
std::intptr_t FakePlatform::sendMessage(const Message& message) {
  record("SendMessageA(" + hex(message.window) + "," + hex(message.message) + "," +
         hex(message.wParam) + "," + hex(static_cast<std::uintptr_t>(message.lParam)) + ")");
  return deliver(message);
}
std::int16_t FakePlatform::keyState(std::int32_t virtualKey) {
  record("GetKeyState(" + hex(static_cast<std::uint32_t>(virtualKey)) + ")");
  if (virtualKey == win::VkControl) return ctrlState;
  if (virtualKey == win::VkShift) return shiftState;
  if (virtualKey == win::VkMenu) return altState;
  return 0;
}
WindowHandle FakePlatform::focus() {
  record("GetFocus");
  return focusWindow;
}
WindowHandle FakePlatform::setFocus(WindowHandle window) {
  record("SetFocus(" + hex(window) + ")");
  const WindowHandle previous = focusWindow;
  focusWindow = window;
  deliver({window, win::WmSetFocus, previous, 0});
  return previous;
}
bool FakePlatform::isChild(WindowHandle parent, WindowHandle window) {
  record("IsChild(" + hex(parent) + "," + hex(window) + ")");
  for (WindowHandle w = parentOf(window); w != 0; w = parentOf(w)) {
    if (w == parent) return true;
  }
  return false;
}
GdiObject FakePlatform::stockObject(std::int32_t index) {
  record("GetStockObject(" + str(index) + ")");
  return 0x9000 + static_cast<GdiObject>(index);
}
IconHandle FakePlatform::loadIconResource(const std::string& name, std::int32_t size) {
  record("LoadImageA(" + name + "," + str(size) + ")");
  return failIconResource ? 0 : next_++;
}
void FakePlatform::destroyIcon(IconHandle icon) { record("DestroyIcon(" + hex(icon) + ")"); }
void FakePlatform::paintBackground(WindowHandle window, std::uint32_t colour) {
  record("Paint(" + hex(window) + "," + hex(colour) + ")");
}

// ---- MenuPort ----
MenuHandle FakePlatform::createMenu() {
  const MenuHandle menu = next_++;
  menus_.insert(menu);
  record("CreateMenu=" + hex(menu));
  return menu;
}
MenuHandle FakePlatform::createPopupMenu() {
  const MenuHandle menu = next_++;
  menus_.insert(menu);
  record("CreatePopupMenu=" + hex(menu));
  return menu;
}
bool FakePlatform::appendMenu(MenuHandle menu, std::uint32_t flags, std::uintptr_t item,
                              const std::string& text) {
  record("AppendMenuA(" + hex(menu) + "," + hex(flags) + "," + hex(item) + "," + text + ")");
  return true;
}
bool FakePlatform::destroyMenu(MenuHandle menu) {
  record("DestroyMenu(" + hex(menu) + ")");
  return menus_.erase(menu) != 0;
}
bool FakePlatform::setMenu(WindowHandle window, MenuHandle menu) {
  record("SetMenu(" + hex(window) + "," + hex(menu) + ")");
  windows[window].menu = menu;
  return true;
}
MenuHandle FakePlatform::getMenu(WindowHandle window) {
  record("GetMenu(" + hex(window) + ")");
  return windows[window].menu;
}
Point FakePlatform::cursorPos() {
  record("GetCursorPos");
  return cursor;
}
bool FakePlatform::setForegroundWindow(WindowHandle window) {
  record("SetForegroundWindow(" + hex(window) + ")");
  return true;
}
bool FakePlatform::trackPopupMenu(MenuHandle menu, std::uint32_t flags, std::int32_t x,
                                  std::int32_t y, WindowHandle owner) {
  record("TrackPopupMenu(" + hex(menu) + "," + hex(flags) + "," + str(x) + "," + str(y) + "," +
         hex(owner) + ")");
  if (popupChoice != 0) queue.push_back({owner, win::WmCommand, popupChoice, 0});
  popupChoice = 0;
  return true;
}

// ---- MessageLoopPort ----
bool FakePlatform::peekMessage() {
  record("PeekMessageA");
  return !queue.empty();
}
bool FakePlatform::getMessage(Message& message) {
  record("GetMessageA");
  while (queue.empty() && !idleScript.empty()) {
    auto step = std::move(idleScript.front());
    idleScript.pop_front();
    step();
  }
  if (queue.empty()) throw LoopStarved();
  message = queue.front();
  queue.pop_front();
  return message.message != win::WmQuit;
}
void FakePlatform::translateMessage(const Message& message) {
  record("TranslateMessage(" + hex(message.message) + ")");
}
void FakePlatform::dispatchMessage(const Message& message) {
  record("DispatchMessageA(" + hex(message.window) + "," + hex(message.message) + ")");
  deliver(message);
}
void FakePlatform::postQuitMessage(std::int32_t code) {
  record("PostQuitMessage(" + str(code) + ")");
  queue.push_back({0, win::WmQuit, static_cast<std::uintptr_t>(code), 0});
}

// ---- TrayPort ----
bool FakePlatform::shellNotifyIcon(std::uint32_t operation, const NotifyIconRecord& record_) {
  record("Shell_NotifyIconA(" + str(operation) + "," + hex(record_.icon) + ")");
  trayRecords.push_back(record_);
  return true;
}
IconHandle FakePlatform::createIconFromResourceEx(const std::uint8_t*, std::uint32_t size,
                                                  bool icon, std::uint32_t version,
                                                  std::int32_t width, std::int32_t height,
                                                  std::uint32_t flags) {
  record("CreateIconFromResourceEx(" + str(size) + "," + str(icon) + "," + hex(version) + "," +
         str(width) + "," + str(height) + "," + hex(flags) + ")");
  return iconFromResourceExWorks ? next_++ : 0;
}
IconHandle FakePlatform::createIconFromResource(const std::uint8_t*, std::uint32_t size, bool icon,
                                                std::uint32_t version) {
  record("CreateIconFromResource(" + str(size) + "," + str(icon) + "," + hex(version) + ")");
  return iconFromResourceWorks ? next_++ : 0;
}
std::uint32_t FakePlatform::shellRestartMessage() { return shellRestart; }

// ---- ShellPort ----
WindowHandle FakePlatform::findTopLevelWindow(const std::string& title) {
  record("FindWindowExA(" + title + ")");
  return ieWindow;
}
void FakePlatform::shellExecute(WindowHandle owner, const std::string& verb,
                                const std::string& file, std::int32_t show) {
  record("ShellExecuteA(" + hex(owner) + "," + verb + "," + file + "," + str(show) + ")");
}

// ---- BrowserPort ----
BrowserHandle FakePlatform::createBrowserControl(WindowHandle host, const Rect& area,
                                                 BrowserEvents* events) {
  record("CreateBrowserControl(" + hex(host) + "," + str(area.left) + "," + str(area.top) + "," +
         str(area.right) + "," + str(area.bottom) + ")");
  if (failBrowserControl) return 0;
  const BrowserHandle control = next_++;
  const WindowHandle view = next_++;
  FakeWindow window;
  window.parent = host;
  window.className = "BrowserView";
  window.rect = area;
  window.visible = true;
  windows[view] = window;
  controls_[control] = view;
  browserEvents = events;
  browserView = view;
  return control;
}
bool FakePlatform::queryWebBrowser(BrowserHandle control) {
  record("QueryWebBrowser(" + hex(control) + ")");
  return !failQueryWebBrowser;
}
WindowHandle FakePlatform::controlWindow(BrowserHandle control) {
  const auto found = controls_.find(control);
  if (found == controls_.end() || !windows[found->second].alive) return 0;
  return found->second;
}
void FakePlatform::putOffline(BrowserHandle, std::int16_t value) {
  record("put_Offline(" + str(value) + ")");
}
void FakePlatform::putSilent(BrowserHandle, std::int16_t value) {
  record("put_Silent(" + str(value) + ")");
}
void FakePlatform::execZoom(BrowserHandle, std::int32_t level) {
  record("ExecWB(zoom," + str(level) + ")");
}
void FakePlatform::navigate(BrowserHandle, const std::string& address) {
  record("Navigate(" + address + ")");
}
void FakePlatform::releaseBrowser(BrowserHandle) { record("ReleaseBrowser"); }
void FakePlatform::destroyControl(BrowserHandle control) {
  record("DestroyControl");
  const auto found = controls_.find(control);
  if (found != controls_.end()) {
    windows[found->second].alive = false;
    controls_.erase(found);
  }
}

}  // namespace zorvik::fake
