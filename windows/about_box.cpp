#include "windows/about_box.h"

#include "windows/menu.h"

namespace zentick {

std::vector<std::string> AboutLines() {
  return {"软件名称 : Zentick",
          "软件性质 : 免费",
          "软件版本 : 1.1",
          "软件作者 : Zentick 开发组",
          std::string("作者邮箱 : ") + kFeedbackMail,
          std::string("作者网站 : ") + kWebPage,
          "",
          " © 2026 Zentick 保留所有权利"};
}

bool AboutBox::Image1Click() {
  shell_.OpenLink(kWebPage);
  return true;
}

}  // namespace zentick
