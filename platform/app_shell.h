// What the menu's commands ask of the application around the clock.
#pragma once

#include <string>

namespace zentick {

class AppShell {
 public:
  virtual ~AppShell() = default;
  // Opens a web address or a mail link with the user's own program.
  virtual void OpenLink(const std::string& target) = 0;
  virtual void ShowSettingsModal() = 0;
  virtual void ShowAboutModal() = 0;
  // Closes the face window, which ends the program.
  virtual void CloseMainWindow() = 0;
};

// Opens the context menu at the cursor and returns the chosen item's id (0: none).
struct MenuModel;
class MenuPopper {
 public:
  virtual ~MenuPopper() = default;
  virtual int Track(const MenuModel& menu) = 0;
};

}  // namespace zentick
