// The context menu as plain data; the Win32 host turns it into a real menu
// only at the moment it pops up.
#pragma once

#include <string>
#include <vector>

#include "platform/app_shell.h"

namespace zentick {

enum MenuCommand : int {
  kCmdMontop = 1,
  kCmdMmouse,
  kCmdMInDesktop,
  kCmdSpeak,     // N3
  kCmdSettings,  // N1
  kCmdFeedback,  // N2
  kCmdWebPage,   // N11
  kCmdAbout,     // N4
  kCmdExit,      // N5
};

struct MenuItem {
  std::string name;     // the designer's name, Montop, N9, ...
  std::string caption;  // "-" for a separator
  int command = 0;      // 0 for a separator
  bool checked = false;
  bool Separator() const { return caption == "-"; }
};

struct MenuModel {
  std::vector<MenuItem> items;
};

// The product's own addresses.
inline constexpr const char* kWebPage = "https://zentick.app/";
inline constexpr const char* kFeedbackMail = "hi@zentick.app";
inline constexpr const char* kFeedbackSubject = "青枫迷你时钟软件用户意见或建议";

MenuModel BuildPopup(bool montop, bool mmouse, bool min_desktop);

// "Mailto:" + address + "?subject=" + the subject as percent-encoded UTF-8 + "&cc=",
// so the mail program reads the subject right whatever the system's language.
std::string FeedbackMailLink();
std::string PercentEncode(const std::string& utf8);

}  // namespace zentick
