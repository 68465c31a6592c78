#pragma once
// Shared set-up for the unit tests: the real program logic on the recording fake.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_shell.h"
#include "app/fatal_report.h"
#include "fake_platform.h"
#include "ui/main_window.h"

namespace zorvik::test {

using fake::hex;

struct Program {
  fake::FakePlatform fake;
  AppShell shell{fake.platform()};

  // Start-up up to and including the loaded window, without the event loop.
  void start() {
    shell.prepareProcess();
    shell.programStartStep();
    shell.loadStartWindow(MainWindowId);
  }
  MainWindow& window() { return *shell.mainWindow(); }
  WindowHandle handle() { return shell.mainWindow()->handle(); }
  // Runs `action` and returns the fatal exit code it caused; fails the test when it did not end.
  template <typename Action>
  std::uint32_t exitCodeOf(Action action) {
    try {
      action();
    } catch (const fake::ProcessExit& exit) {
      return exit.code;
    }
    ADD_FAILURE() << "the process did not end";
    return 0;
  }
};

// The log lines that start with one of `prefixes`, in order.
inline std::vector<std::string> only(const std::vector<std::string>& log,
                                     const std::vector<std::string>& prefixes) {
  std::vector<std::string> kept;
  for (const std::string& line : log) {
    for (const std::string& prefix : prefixes) {
      if (line.rfind(prefix, 0) == 0) {
        kept.push_back(line);
        break;
      }
    }
  }
  return kept;
}

}  // namespace zorvik::test
