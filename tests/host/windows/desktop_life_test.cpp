// Dragging, the three modes, the menu, the tray and the hot key, against fakes.
#include <gtest/gtest.h>

#include "clock_fixture.h"
#include "platform/error.h"
#include "windows/event_guard.h"

namespace zentick {
namespace {

class DesktopLifeTest : public ClockFixture {
 protected:
  void SetUp() override {
    desktop.AddProgMan();
    Start("[MainForm]\r\nLeft=300\r\nTop=200\r\n");
    desktop.log.clear();
  }
  std::string Ini() { return fs.files[kIni]; }
  // Runs a command as the window host does: an error ends it and is reported.
  template <typename F>
  void Handler(F&& f) {
    Guarded(report, std::forward<F>(f));
  }
};

TEST_F(DesktopLifeTest, DragKeepsTheCursorOffsetAndStoresOldThenNewPlace) {
  face.FormMouseDown(FaceWindow::Button::kLeft, {330, 240});  // 30 right, 40 below the corner
  EXPECT_TRUE(face.DraggingFace);
  EXPECT_EQ(face.DragOffset, (Point{30, 40}));
  EXPECT_EQ(Ini(), "[MainForm]\r\nLeft=300\r\nTop=200\r\n");  // old place written at the press

  for (Point cursor : {Point{400, 260}, Point{10, 45}, Point{-20, 900}}) {
    face.FormMouseMove(cursor);
    EXPECT_EQ(face_window.bounds.left, cursor.x - 30);
    EXPECT_EQ(face_window.bounds.top, cursor.y - 40);
    EXPECT_EQ(hands_window.bounds, face_window.bounds);
  }
  EXPECT_EQ(Ini(), "[MainForm]\r\nLeft=300\r\nTop=200\r\n");
  face.FormMouseUp(FaceWindow::Button::kLeft);
  EXPECT_FALSE(face.DraggingFace);
  EXPECT_EQ(Ini(), "[MainForm]\r\nLeft=-50\r\nTop=860\r\n");
  face.FormMouseMove({0, 0});  // no longer dragging
  EXPECT_EQ(face_window.bounds.left, -50);
}

TEST_F(DesktopLifeTest, RightPressStartsNoDragAndTheMenuOpens) {
  face.FollowFace = false;
  face.FormMouseDown(FaceWindow::Button::kRight, {310, 210});
  face.FormMouseMove({500, 500});
  EXPECT_FALSE(face.DraggingFace);
  EXPECT_TRUE(face.FollowFace);
  EXPECT_EQ(face_window.bounds.left, 300);
  EXPECT_FALSE(fs.files.count(kIni) && Ini().find("Left") != std::string::npos &&
               Ini() != "[MainForm]\r\nLeft=300\r\nTop=200\r\n");
  face.FormContextMenu();
  ASSERT_EQ(menus.shown.size(), 1u);
  const auto& items = menus.shown[0].items;
  ASSERT_EQ(items.size(), 12u);
  EXPECT_EQ(items[0].caption, "总在最前(&T)          ");
  EXPECT_EQ(items[8].caption, "访问软件页面(&W)     ");
  EXPECT_TRUE(items[4].Separator() && items[6].Separator() && items[10].Separator());
}

TEST_F(DesktopLifeTest, KeyUpStopsFollowingUntilTheNextPress) {
  face.FormKeyUp();
  face_window.SetLeft(10);
  EXPECT_EQ(hands_window.bounds.left, 300);
  face.FormMouseDown(FaceWindow::Button::kMiddle, {0, 0});
  face_window.SetLeft(20);
  EXPECT_EQ(hands_window.bounds.left, 20);
}

TEST_F(DesktopLifeTest, OnTopFromEachState) {
  // Embedded first, then on top: both windows top level and topmost.
  face.MInDesktopClick();
  desktop.log.clear();
  face.MontopClick();
  EXPECT_TRUE(face.Montop);
  EXPECT_FALSE(face.MInDesktop);
  EXPECT_EQ(desktop.log,
            (std::vector<std::string>{"SetParent hands -> none", "SetParent face -> none",
                                      "Topmost face", "Topmost hands"}));
  EXPECT_EQ(
      fs.files[kIni],
      "[MainForm]\r\nLeft=300\r\nTop=200\r\n[Options]\r\nStayOnTop=1\r\nEmbeddedDesktop=0\r\n");
  desktop.log.clear();
  face.MontopClick();  // off again: only the face is named
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"NoTopmost face"}));
  EXPECT_FALSE(desktop.topmost[face_window.id]);
  EXPECT_NE(Ini().find("StayOnTop=0\r\nEmbeddedDesktop=0"), std::string::npos);
}

TEST_F(DesktopLifeTest, EmbeddedFromEachState) {
  face.MontopClick();
  desktop.log.clear();
  face.MInDesktopClick();
  EXPECT_FALSE(face.Montop);
  EXPECT_TRUE(face.MInDesktop);
  // The hands go one level deeper than the face, and first.
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"SetParent hands -> ProgMan.grandchild",
                                                   "SetParent face -> ProgMan"}));
  EXPECT_NE(Ini().find("StayOnTop=0\r\nEmbeddedDesktop=1"), std::string::npos);
  desktop.log.clear();
  face.MInDesktopClick();
  EXPECT_EQ(desktop.log,
            (std::vector<std::string>{"SetParent face -> none", "SetParent hands -> none"}));
  EXPECT_NE(Ini().find("StayOnTop=0\r\nEmbeddedDesktop=0"), std::string::npos);
}

TEST_F(DesktopLifeTest, EmbeddedWithoutProgManStillTicksAndStores) {
  desktop.progman = 0;
  face.MInDesktopClick();
  EXPECT_TRUE(face.MInDesktop);
  EXPECT_EQ(desktop.parent[face_window.id], 0u);
  EXPECT_NE(Ini().find("EmbeddedDesktop=1"), std::string::npos);
}

TEST_F(DesktopLifeTest, ClickThroughOnAndOff) {
  face.MmouseClick();
  EXPECT_TRUE(face.Mmouse);
  EXPECT_FALSE(shared.MouseEnabled);
  EXPECT_FALSE(face.PopupAttached);
  EXPECT_NE(Ini().find("EnableMouse=0"), std::string::npos);
  const std::string before = Ini();
  face.FormMouseDown(FaceWindow::Button::kLeft, {310, 210});
  face.FormMouseMove({600, 600});
  EXPECT_FALSE(face.DraggingFace);
  EXPECT_EQ(Ini(), before);  // no position written
  face.FormContextMenu();
  EXPECT_TRUE(menus.shown.empty());  // the face opens no menu...
  menus.choice = kCmdMmouse;
  face.TrayRightClick();  // ...the tray's does, and turns the mode off
  EXPECT_EQ(menus.shown.size(), 1u);
  EXPECT_FALSE(face.Mmouse);
  EXPECT_TRUE(shared.MouseEnabled);
  EXPECT_TRUE(face.PopupAttached);
  EXPECT_NE(Ini().find("EnableMouse=1"), std::string::npos);
}

TEST_F(DesktopLifeTest, HotKeyTogglesTheTrayIcon) {
  hands.WMHotKey(shared.HotkeyAtom + 1);  // someone else's
  EXPECT_TRUE(tray.Visible());
  EXPECT_FALSE(fs.files.count(kIni) && Ini().find("TrayIconVisible") != std::string::npos);
  hands.WMHotKey(shared.HotkeyAtom);
  EXPECT_FALSE(tray.Visible());
  EXPECT_NE(Ini().find("TrayIconVisible=0"), std::string::npos);
  hands.WMHotKey(shared.HotkeyAtom);
  EXPECT_TRUE(tray.Visible());
  EXPECT_NE(Ini().find("TrayIconVisible=1"), std::string::npos);
}

TEST_F(DesktopLifeTest, MenuCommands) {
  wall_clock.SetTime(13, 47);
  const struct {
    int command;
    std::string logged;
  } cases[] = {
      {kCmdSettings, "Settings"},
      {kCmdAbout, "About"},
      {kCmdWebPage, "OpenLink https://zentick.app/"},
      {kCmdFeedback,
       "OpenLink Mailto:hi@zentick.app?subject=%E9%9D%92%E6%9E%AB%E8%BF%B7%E4%BD%A0%E6%97%B6"
       "%E9%92%9F%E8%BD%AF%E4%BB%B6%E7%94%A8%E6%88%B7%E6%84%8F%E8%A7%81%E6%88%96%E5%BB%BA%E8%AE%AE&"
       "cc="},
      {kCmdExit, "Close"},
  };
  for (const auto& c : cases) {
    desktop.log.clear();
    face.RunCommand(c.command);
    EXPECT_EQ(desktop.log, (std::vector<std::string>{c.logged}));
  }
  face.RunCommand(kCmdSpeak);
  ASSERT_EQ(sound.plays.size(), 1u);
  EXPECT_EQ(sound.plays[0].name, "GTIMENOW");
  EXPECT_TRUE(time_baoshi.Enabled());
}

TEST_F(DesktopLifeTest, ARefusedWriteEndsTheCommandAfterItsWindowChanges) {
  fs.read_only.insert(kIni);
  Handler([this] { face.MontopClick(); });
  ASSERT_EQ(report.messages.size(), 1u);
  EXPECT_EQ(report.messages[0], "Unable to write to C:\\Zentick\\Zentick.ini");
  EXPECT_TRUE(face.Montop);  // the tick and the window stay changed
  EXPECT_TRUE(desktop.topmost[face_window.id]);

  // A drag press: the write fails before FollowFace is set; the drag goes on.
  face.FollowFace = false;
  Handler([this] { face.FormMouseDown(FaceWindow::Button::kLeft, {310, 210}); });
  EXPECT_EQ(report.messages.size(), 2u);
  EXPECT_FALSE(face.FollowFace);
  EXPECT_TRUE(face.DraggingFace);

  Handler([this] { hands.WMHotKey(shared.HotkeyAtom); });
  EXPECT_FALSE(tray.Visible());  // toggled before the write failed
  EXPECT_EQ(report.messages.size(), 3u);
}

}  // namespace
}  // namespace zentick
