// The about box TFrm_About: its layout and text, and what a click does.
#pragma once

#include <string>
#include <vector>

#include "platform/app_shell.h"
#include "platform/types.h"

namespace zentick {

struct AboutLayout {
  static constexpr const char* kCaption = "关于青枫迷你时钟";
  static constexpr Size kClient{372, 214};
  static constexpr Color kBackground = 15793151;  // clCream
  static constexpr Color kMaroon = 128;
  static constexpr Color kShadow = 7697004;
  static constexpr Rect kPicture{0, 0, 150, 214};
  static constexpr Rect kWordmark{158, 16, 158 + 174, 16 + 56};
  static constexpr Point kWordmarkShadow{160, 19};
  static constexpr Rect kText{160, 87, 160 + 178, 87 + 104};
  static constexpr const char* kWordmarkText = "Zentick";
  static constexpr const char* kBaseFont = "宋体";
};

// The eight lines of the text block.
std::vector<std::string> AboutLines();

class AboutBox {
 public:
  explicit AboutBox(AppShell& shell) : shell_(shell) {}
  // A click on the picture, the wordmark, the text or the background.
  // Returns true: the box closes.
  bool Image1Click();

 private:
  AppShell& shell_;
};

}  // namespace zentick
