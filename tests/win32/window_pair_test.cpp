// The real window pair: styles, owner, layered attributes, place, following,
// the hot key and the taskbar.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/program.h"
#include "platform/win32/program_parts.h"
#include "test_support.h"

namespace zentick::win32 {
namespace {

using testing::AppFolder;
using testing::Pump;

class WindowPairTest : public ::testing::Test {
 protected:
  void Start(const std::string& ini) {
    if (!ini.empty()) folder.WriteIni(ini);
    program = std::make_unique<Program>(folder.Exe());
    program->parts().report.intercept = [this](const std::string& m) { errors.push_back(m); };
    program->Start();
    program->ShowFace();
    Pump(50);
  }
  static RECT WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
  }

  AppFolder folder;
  std::unique_ptr<Program> program;
  std::vector<std::string> errors;
};

TEST_F(WindowPairTest, StylesOwnerAndLayering) {
  Start("[MainForm]\r\nLeft=321\r\nTop=123\r\n");
  HWND face = program->Face();
  HWND hands = program->Hands();
  ASSERT_TRUE(face && hands);
  EXPECT_TRUE(errors.empty()) << errors.front();

  EXPECT_TRUE(GetWindowLongW(face, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetWindowLongW(face, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hands, GWL_STYLE)), 0x96000000u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hands, GWL_EXSTYLE)) & ~DWORD{WS_EX_LAYERED},
            0x10000u);
  EXPECT_EQ(GetWindow(hands, GW_OWNER), face);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(hands, &key, &alpha, &flags));
  EXPECT_EQ(key, 8421631u);
  EXPECT_EQ(alpha, 255);
  EXPECT_EQ(flags, DWORD{LWA_COLORKEY | LWA_ALPHA});
  wchar_t title[64] = {};
  GetWindowTextW(program->Application(), title, 64);
  EXPECT_STREQ(title, L"青枫迷你时钟");

  const RECT f = WindowRect(face);
  const RECT h = WindowRect(hands);
  EXPECT_EQ(f.left, 321);
  EXPECT_EQ(f.top, 123);
  EXPECT_EQ(h.left, 321);
  EXPECT_EQ(h.top, 123);
  EXPECT_EQ(f.right - f.left, h.right - h.left);  // both take the skin's size
  EXPECT_EQ(f.bottom - f.top, h.bottom - h.top);
  EXPECT_GT(f.right - f.left, 0);
}

TEST_F(WindowPairTest, APlaceOffTheScreenComesBackOntoIt) {
  Start("[MainForm]\r\nLeft=9000\r\nTop=-7000\r\n");
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const RECT f = WindowRect(program->Face());
  EXPECT_EQ(f.right, work.right);
  EXPECT_EQ(f.top, work.top);
  EXPECT_EQ(WindowRect(program->Hands()).left, f.left);
  EXPECT_NE(folder.ReadIni().find("Left=9000"), std::string::npos);
}

TEST_F(WindowPairTest, HandsFollowTheFace) {
  Start("");
  SetWindowPos(program->Face(), nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump(20);
  const RECT h = WindowRect(program->Hands());
  EXPECT_EQ(h.left, 40);
  EXPECT_EQ(h.top, 60);
}

TEST_F(WindowPairTest, HotKeyIsHeldWhileRunningAndReleasedAtExit) {
  Start("");
  const UINT mods = MOD_ALT | MOD_CONTROL | MOD_SHIFT;
  EXPECT_FALSE(RegisterHotKey(nullptr, 0x7001, mods, 'I'));
  EXPECT_EQ(GetLastError(), 1409u);  // ERROR_HOTKEY_ALREADY_REGISTERED
  const ATOM atom = GlobalFindAtomW(L"ID123");
  EXPECT_NE(atom, 0);
  EXPECT_EQ(program->parts().shared.HotkeyAtom, atom);

  PostMessageW(program->Face(), WM_CLOSE, 0, 0);
  EXPECT_EQ(program->Run(), 0);  // the face window's close ends the loop
  program.reset();
  EXPECT_TRUE(RegisterHotKey(nullptr, 0x7001, mods, 'I'));
  UnregisterHotKey(nullptr, 0x7001);
  EXPECT_EQ(GlobalFindAtomW(L"ID123"), 0);
}

// A visible top-level window gets a taskbar button unless it is a tool
// window or owned, or asks for one with WS_EX_APPWINDOW.
BOOL CALLBACK CollectButtons(HWND h, LPARAM lp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(h)) return TRUE;
  const LONG ex = GetWindowLongW(h, GWL_EXSTYLE);
  const bool button =
      (ex & WS_EX_APPWINDOW) || (!(ex & WS_EX_TOOLWINDOW) && !GetWindow(h, GW_OWNER));
  if (button) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

TEST_F(WindowPairTest, NoWindowHasATaskbarButton) {
  Start("");
  EXPECT_TRUE(IsWindowVisible(program->Face()));
  EXPECT_TRUE(IsWindowVisible(program->Hands()));
  std::vector<HWND> buttons;
  EnumWindows(CollectButtons, reinterpret_cast<LPARAM>(&buttons));
  EXPECT_TRUE(buttons.empty());
}

TEST_F(WindowPairTest, AMissingSkinIsReportedOnceAndTheClockRunsOn) {
  Start("[Options]\r\nBmpFilename=Missing.png\r\n");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("Missing.png"), std::string::npos);
  const RECT f = WindowRect(program->Face());
  EXPECT_EQ(f.right - f.left, 0);
  EXPECT_EQ(GlobalFindAtomW(L"ID123"), 0);  // the show handler ended before the hot key
}

}  // namespace
}  // namespace zentick::win32
