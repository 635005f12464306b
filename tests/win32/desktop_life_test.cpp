// The window modes, the tray icon, the hot key and the about box on the real
// window system.
#include <windows.h>

#include <gtest/gtest.h>
#include <shellapi.h>

#include <vector>

#include "platform/win32/program.h"
#include "platform/win32/program_parts.h"
#include "platform/win32/utf16.h"
#include "test_support.h"

namespace zentick::win32 {
namespace {

using testing::AppFolder;
using testing::Pump;

class DesktopLifeWin32Test : public ::testing::Test {
 protected:
  void Start(const std::string& ini = "") {
    if (!ini.empty()) folder.WriteIni(ini);
    program = std::make_unique<Program>(folder.Exe());
    program->parts().report.intercept = [this](const std::string& m) { errors.push_back(m); };
    program->parts().shell.on_link = [this](const std::string& l) { links.push_back(l); };
    program->Start();
    program->ShowFace();
    Pump(50);
  }
  Program::Parts& parts() { return program->parts(); }
  bool Topmost(HWND h) { return (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  // NIM_MODIFY succeeds only for an icon that is there.
  bool TrayIconPresent() {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof(d);
    d.hWnd = program->Face();
    d.uID = 1;
    d.uFlags = 0;
    return Shell_NotifyIconW(NIM_MODIFY, &d) != FALSE;
  }

  AppFolder folder;
  std::unique_ptr<Program> program;
  std::vector<std::string> errors, links;
};

TEST_F(DesktopLifeWin32Test, OnTopIsSetAndClearedOnBothWindows) {
  Start();
  EXPECT_FALSE(Topmost(program->Face()));
  parts().face.MontopClick();
  EXPECT_TRUE(Topmost(program->Face()));
  EXPECT_TRUE(Topmost(program->Hands()));
  // In Wine's order the hands stay above their face.
  bool hands_first = false;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == program->Hands()) hands_first = true;
    if (w == program->Face()) break;
  }
  EXPECT_TRUE(hands_first);
  parts().face.MontopClick();
  EXPECT_FALSE(Topmost(program->Face()));
  EXPECT_NE(folder.ReadIni().find("StayOnTop=0\r\nEmbeddedDesktop=0"), std::string::npos);
}

TEST_F(DesktopLifeWin32Test, EmbeddingReparentsIntoProgManAndBack) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  // The stand-in is built beside the tests: build/tests/win32/, the exe in build/app/.
  std::wstring cmd = Widen(std::string("Z:") + ZENTICK_EXE);
  cmd = cmd.substr(0, cmd.find_last_of(L"/\\"));
  cmd = cmd.substr(0, cmd.find_last_of(L"/\\")) + L"\\tests\\win32\\progman_standin.exe";
  for (auto& c : cmd) {
    if (c == L'/') c = L'\\';
  }
  ASSERT_TRUE(
      CreateProcessW(cmd.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  HWND progman = nullptr;
  for (int i = 0; i < 200 && !progman; ++i, Sleep(20)) progman = FindWindowW(L"ProgMan", nullptr);
  ASSERT_TRUE(progman);
  HWND grandchild = GetWindow(GetWindow(progman, GW_CHILD), GW_CHILD);
  ASSERT_TRUE(grandchild);

  Start();
  parts().face.MInDesktopClick();
  EXPECT_EQ(GetAncestor(program->Face(), GA_PARENT), progman);
  EXPECT_EQ(GetAncestor(program->Hands(), GA_PARENT), grandchild);
  parts().face.MInDesktopClick();
  EXPECT_EQ(GetAncestor(program->Face(), GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetAncestor(program->Hands(), GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(GetWindow(program->Hands(), GW_OWNER), program->Face());

  TerminateProcess(pi.hProcess, 0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

TEST_F(DesktopLifeWin32Test, TrayIconComesBackWhenTheTaskbarIsNew) {
  Start();
  ASSERT_TRUE(TrayIconPresent());
  NOTIFYICONDATAW d{};
  d.cbSize = sizeof(d);
  d.hWnd = program->Face();
  d.uID = 1;
  Shell_NotifyIconW(NIM_DELETE, &d);  // what a restarted Explorer has forgotten
  EXPECT_FALSE(TrayIconPresent());
  SendMessageW(program->Face(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(TrayIconPresent());
  HWND face = program->Face();
  program.reset();
  d.hWnd = face;
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &d));  // removed at exit
}

TEST_F(DesktopLifeWin32Test, HotKeyMessageTogglesTheTrayIcon) {
  Start();
  const WPARAM atom = parts().shared.HotkeyAtom;
  SendMessageW(program->Hands(), WM_HOTKEY, atom + 1, 0);  // not ours
  EXPECT_TRUE(TrayIconPresent());
  SendMessageW(program->Hands(), WM_HOTKEY, atom, MAKELPARAM(7, 'I'));
  EXPECT_FALSE(TrayIconPresent());
  EXPECT_NE(folder.ReadIni().find("TrayIconVisible=0"), std::string::npos);
  SendMessageW(program->Hands(), WM_HOTKEY, atom, MAKELPARAM(7, 'I'));
  EXPECT_TRUE(TrayIconPresent());
  EXPECT_NE(folder.ReadIni().find("TrayIconVisible=1"), std::string::npos);
}

TEST_F(DesktopLifeWin32Test, MenuFromTheTrayRunsTheChosenCommand) {
  Start();
  std::vector<std::wstring> captions;
  parts().menus.choose = [&](HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      captions.push_back(text);
    }
    return static_cast<int>(GetMenuItemID(menu, 8));  // the software page
  };
  SendMessageW(program->Face(), kTrayCallback, 1, WM_RBUTTONUP);
  ASSERT_EQ(captions.size(), 12u);
  EXPECT_EQ(captions[0], L"总在最前(&T)          ");
  EXPECT_EQ(captions[11], L"退出(&X)");
  EXPECT_EQ(links, (std::vector<std::string>{"https://zentick.app/"}));
  SendMessageW(program->Face(), kTrayCallback, 1, WM_LBUTTONDBLCLK);  // does nothing
  EXPECT_EQ(captions.size(), 12u);
}

TEST_F(DesktopLifeWin32Test, AboutBoxOpensAndAClickClosesItOnTheWebPage) {
  Start();
  int shown = 0;
  parts().shell.on_about_shown = [&](HWND about) {
    ++shown;
    RECT client{};
    GetClientRect(about, &client);
    EXPECT_EQ(client.right, 372);
    EXPECT_EQ(client.bottom, 214);
    wchar_t caption[64] = {};
    GetWindowTextW(about, caption, 64);
    EXPECT_STREQ(caption, L"关于青枫迷你时钟");
    EXPECT_EQ(GetWindow(about, GW_OWNER), program->Face());
    PostMessageW(about, WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
  };
  parts().face.RunCommand(kCmdAbout);
  parts().face.RunCommand(kCmdAbout);  // each request a new box
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(links.size(), 2u);

  parts().shell.on_about_shown = [&](HWND about) { PostMessageW(about, WM_CLOSE, 0, 0); };
  parts().face.RunCommand(kCmdAbout);  // the frame's close opens nothing
  EXPECT_EQ(links.size(), 2u);
  EXPECT_TRUE(IsWindowEnabled(program->Face()));
}

TEST_F(DesktopLifeWin32Test, ExitFromTheMenuEndsTheProgram) {
  Start();
  parts().face.RunCommand(kCmdExit);
  EXPECT_EQ(program->Run(), 0);
}

}  // namespace
}  // namespace zentick::win32
