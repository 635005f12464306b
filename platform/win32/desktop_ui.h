// The menu, the shell links and the about box on the real desktop.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/app_shell.h"
#include "platform/error_report.h"
#include "platform/win32/window_host.h"

namespace zentick::win32 {

// The menu's window is brought to the foreground while the menu is open (a
// tray menu closes on a click elsewhere only then): the hands window, which
// lies on top, so nothing is raised over it.
class Win32MenuPopper : public MenuPopper {
 public:
  explicit Win32MenuPopper(WindowHost& owner) : owner_(owner) {}
  int Track(const MenuModel& menu) override;
  // Tests choose an item here instead of the user.
  std::function<int(HMENU)> choose;

 private:
  WindowHost& owner_;
};

class Win32AppShell : public AppShell {
 public:
  Win32AppShell(HWND application, WindowHost& face, ErrorReport& report)
      : application_(application), face_(face), report_(report) {}
  void OpenLink(const std::string& target) override;
  void ShowSettingsModal() override {}  // the settings dialog comes with its own window
  void ShowAboutModal() override;
  void CloseMainWindow() override;
  // Tests record links instead of starting a browser, and look at the box.
  std::function<void(const std::string&)> on_link;
  std::function<void(HWND)> on_about_shown;

 private:
  HWND application_;
  WindowHost& face_;
  ErrorReport& report_;
};

}  // namespace zentick::win32
