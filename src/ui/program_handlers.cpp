#include "ui/program_handlers.h"

#include "app/app_shell.h"
#include "app/texts.h"
#include "ui/main_window.h"
#include "ui/tray_menu.h"
#include "web/browser_box.h"
#include "web/browser_identity.h"

namespace zorvik {

namespace {
// Indices of the menu entries whose selected event has a handler.
constexpr std::size_t SiteEntry = 1;
constexpr std::size_t ShowEntry = 3;
constexpr std::size_t HideEntry = 4;
constexpr std::size_t ExitEntry = 5;
constexpr std::size_t TrayMenuEntry = 0;
}  // namespace

void ProgramHandlers::bind(WindowDefinition& definition) {
  definition.onCreated = [this] { onCreated(); };
  definition.onTrayEvent = [this](std::int32_t type) { onTrayEvent(type); };
  definition.menuEntries.at(SiteEntry).selected = [this] { onSiteSelected(); };
  definition.menuEntries.at(ShowEntry).selected = [this] { onShowSelected(); };
  definition.menuEntries.at(HideEntry).selected = [this] { onHideSelected(); };
  definition.menuEntries.at(ExitEntry).selected = [this] { onExitSelected(); };
}

MainWindow* ProgramHandlers::window() { return shell_.mainWindow(); }

void ProgramHandlers::onCreated() {
  MainWindow* main = window();
  // The tray icon first, so it is in place before the window is ever visible; the user agent
  // before the first navigation, so no request leaves without it.
  main->trayIcon().setTrayIcon(main->handle(), TrayIconImage, TrayIconImageSize, texts::TrayTip);

  const char* userAgent = texts::MobileUserAgent;
  setSessionUserAgent(shell_, userAgent);
  shell_.freeText(userAgent);

  navigateBrowserBox(shell_, window(), texts::HomeSite);
}

void ProgramHandlers::onTrayEvent(std::int32_t type) {
  MainWindow* main = window();
  if (type == 3) {
    popUpTrayMenu(shell_.platform(), *main, &main->definition().menuEntries.at(TrayMenuEntry));
  } else if (type == 1) {
    if (main->isVisible()) {
      main->setVisible(false);
    } else {
      // Shown first: centring moves only a visible window.
      main->setVisible(true);
      main->setPosition(1);
    }
  }
}

void ProgramHandlers::onSiteSelected() { openUrl(shell_.platform(), texts::HomeSiteUrl); }

void ProgramHandlers::onShowSelected() {
  window()->setVisible(true);
  window()->setPosition(1);
}

void ProgramHandlers::onHideSelected() { window()->setVisible(false); }

void ProgramHandlers::onExitSelected() { window()->requestDestroy(); }

}  // namespace zorvik
