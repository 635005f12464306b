#include "windows/menu.h"

namespace zentick {

MenuModel BuildPopup(bool montop, bool mmouse, bool min_desktop) {
  return MenuModel{{
      {"Montop", "总在最前(&T)          ", kCmdMontop, montop},
      {"Mmouse", "鼠标穿透(&M)", kCmdMmouse, mmouse},
      {"MInDesktop", "嵌入桌面(&D)", kCmdMInDesktop, min_desktop},
      {"N3", "语音报时(&P)", kCmdSpeak},
      {"N9", "-"},
      {"N1", "系统设置(&O)", kCmdSettings},
      {"N10", "-"},
      {"N2", "意见或建议(&I)", kCmdFeedback},
      {"N11", "访问软件页面(&W)     ", kCmdWebPage},
      {"N4", "关于(&A)...", kCmdAbout},
      {"N12", "-"},
      {"N5", "退出(&X)", kCmdExit},
  }};
}

std::string PercentEncode(const std::string& utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : utf8) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

std::string FeedbackMailLink() {
  return std::string("Mailto:") + kFeedbackMail + "?subject=" + PercentEncode(kFeedbackSubject) +
         "&cc=";
}

}  // namespace zentick
