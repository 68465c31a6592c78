#include "ui/window_definition.h"

#include "app/texts.h"
#include "web/browser_box_settings.h"

namespace zorvik {

WindowDefinition mainWindowDefinition() {
  WindowDefinition definition;
  definition.settings.title = texts::MainWindowTitle;

  definition.menuEntries = {
      {0, 0, MenuHidden, texts::MenuTray, {}}, {0, 1, 0, texts::MenuSite, {}},
      {0, 1, 0, texts::MenuSeparator, {}},     {0, 1, 0, texts::MenuShow, {}},
      {0, 1, 0, texts::MenuHide, {}},          {0, 1, 0, texts::MenuExit, {}},
  };

  ControlDefinition browser;
  browser.name = texts::BrowserBoxName;
  browser.left = 2;
  browser.top = 3;
  browser.width = 405;
  browser.height = 532;
  browser.visible = true;
  browser.disabled = false;
  browser.focusable = true;
  browser.tabOrder = 0;
  browser.settingsRecord = storedBrowserBoxRecord();
  definition.controls.push_back(browser);
  return definition;
}

std::uint32_t windowStyle(const WindowSettings& settings) {
  std::uint32_t style = win::WsOverlapped | win::WsClipChildren;
  if (settings.borderStyle != 0 && settings.title != nullptr && settings.title[0] != '\0') {
    style |= win::WsCaption;
  }
  if (settings.controlBox) style |= win::WsSysMenu;
  if (settings.minimizeButton) style |= win::WsMinimizeBox;
  if (settings.maximizeButton) style |= win::WsMaximizeBox;
  if (settings.disabled) style |= win::WsDisabled;
  return style;
}

std::uint32_t controlStyle(const ControlDefinition& control) {
  std::uint32_t style = 0;
  if (control.focusable) style |= win::WsTabStop;
  if (control.disabled) style |= win::WsDisabled;
  return style;
}

}  // namespace zorvik
