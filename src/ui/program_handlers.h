#pragma once
// The program's own logic: the handlers that MainWindow's definition binds to its created event,
// its tray event and the selected events of the tray menu's entries.
#include <cstdint>

#include "ui/window_definition.h"

namespace zorvik {

class AppShell;
class MainWindow;

class ProgramHandlers {
 public:
  explicit ProgramHandlers(AppShell& shell) : shell_(shell) {}

  // Binds the handlers to the events of MainWindow's definition.
  void bind(WindowDefinition& definition);

  void onCreated();
  void onTrayEvent(std::int32_t type);
  void onSiteSelected();
  void onShowSelected();
  void onHideSelected();
  void onExitSelected();

 private:
  MainWindow* window();

  AppShell& shell_;
};

}  // namespace zorvik
