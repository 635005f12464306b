// The start-up order of the window pair, against the in-memory desktop.
#include <gtest/gtest.h>

#include <algorithm>

#include "clock_fixture.h"

namespace zentick {
namespace {

using StartupTest = ClockFixture;

TEST_F(StartupTest, NoSettingsFileRunsOnTheDefaults) {
  Start();
  EXPECT_EQ(shared.AppDir, "C:\\Zentick\\");
  EXPECT_EQ(shared.Settings->Path(), kIni);
  EXPECT_EQ(shared.SkinName, "Default.png");
  EXPECT_EQ(face_window.bounds, (Rect{200, 200, 340, 320}));
  EXPECT_EQ(hands_window.bounds, face_window.bounds);
  EXPECT_EQ(clock.size, (Size{140, 120}));
  EXPECT_EQ(surface.last_alpha, 255);
  EXPECT_EQ(face.FaceBlend.AlphaFormat, 1);
  EXPECT_EQ(shared.VoicePrefix, "G");
  EXPECT_EQ(shared.AnnounceEvery, 60);
  EXPECT_TRUE(shared.MouseEnabled);
  EXPECT_FALSE(face.Montop || face.MInDesktop || face.Mmouse);
  EXPECT_TRUE(face.PopupAttached);
  EXPECT_TRUE(clock.sec_jump);
  EXPECT_TRUE(tray.Visible());
  EXPECT_TRUE(face.FollowFace);
  EXPECT_TRUE(report.messages.empty());
  EXPECT_TRUE(Logged("HideApplicationWindow"));
  EXPECT_FALSE(fs.files.count(kIni));  // start-up only reads
  ASSERT_EQ(hot_keys.registered.size(), 1u);
  EXPECT_EQ(hot_keys.atoms.begin()->second, "ID123");
  EXPECT_EQ(hot_keys.registered.begin()->first, shared.HotkeyAtom);
  EXPECT_TRUE(Logged("RegisterHotKey hands 7 73"));
}

TEST_F(StartupTest, HandsAreCreatedAtTheDesignPlaceAndFollowToTheStoredOne) {
  Start("[MainForm]\r\nLeft=0x20\r\nTop=-15\r\n");
  // The hands window's system window is made at the face window's design
  // position, after the face window's own (its owner).
  EXPECT_LT(IndexOf("Create face at 100,100"), IndexOf("Create hands at 100,100"));
  EXPECT_LT(IndexOf("Create hands at 100,100"), IndexOf("face.Left=32"));
  EXPECT_EQ(face_window.bounds.left, 32);
  EXPECT_EQ(face_window.bounds.top, -15);
  EXPECT_EQ(hands_window.bounds, face_window.bounds);
  // Every move of the face is copied, Left then Top.
  const auto moved = desktop.log.begin() + IndexOf("face.Left=32");
  const std::vector<std::string> follow(moved, moved + 6);
  EXPECT_EQ(follow, (std::vector<std::string>{"face.Left=32", "hands.Left=32", "hands.Top=100",
                                              "face.Top=-15", "hands.Left=32", "hands.Top=-15"}));
}

TEST_F(StartupTest, TheOrderOfTheShowHandlerAndTheCreationHandler) {
  desktop.AddProgMan();
  Start("[Options]\r\nEmbeddedDesktop=1\r\nStayOnTop=1\r\n");
  const std::vector<std::string> order = {"Create face at 100,100",
                                          "Create hands at 100,100",
                                          "Show hands",
                                          "hands.Size=140x120",
                                          "BIC.Size=140x120",
                                          "BIC.Layout center 70,60",
                                          "AddAtom ID123",
                                          "RegisterHotKey hands 7 73",
                                          "SetParent hands -> ProgMan.grandchild",
                                          "face.Left=200",
                                          "face.Size=140x120",
                                          "UpdateLayered 140x120 alpha 255",
                                          "Topmost face",
                                          "SetParent face -> ProgMan",
                                          "BIC.SecJump=1",
                                          "Tray shown",
                                          "HideApplicationWindow"};
  std::ptrdiff_t last = -1;
  for (const auto& step : order) {
    const auto at = IndexOf(step);
    ASSERT_LT(at, static_cast<std::ptrdiff_t>(desktop.log.size())) << step;
    EXPECT_GT(at, last) << step;
    last = at;
  }
  // Both stored as true: topmost first, then embedded; the on-top tick goes.
  EXPECT_FALSE(face.Montop);
  EXPECT_TRUE(face.MInDesktop);
  EXPECT_TRUE(desktop.topmost[face_window.id]);
}

TEST_F(StartupTest, StoredOptions) {
  images.Add(kSkins + "Night.blue.png", 60, 50);
  Start(
      "[Options]\r\nEnableMouse=0\r\nVoiceType=b\r\nBmpFilename=Night.blue.png\r\n"
      "Givetime=3\r\nTailorMinutes=45\r\nSecondJump=0\r\nTrayIconVisible=2\r\n"
      "AlphaBlendValue=100\r\n");
  EXPECT_FALSE(shared.MouseEnabled);
  EXPECT_TRUE(face.Mmouse);
  EXPECT_FALSE(face.PopupAttached);
  EXPECT_EQ(shared.VoicePrefix, "b");
  EXPECT_EQ(face_window.bounds, (Rect{200, 200, 260, 250}));
  EXPECT_EQ(shared.AnnounceEvery, 45);
  EXPECT_FALSE(clock.sec_jump);
  EXPECT_TRUE(tray.Visible());
  EXPECT_EQ(surface.last_alpha, 100);
}

TEST_F(StartupTest, OpacityOutsideOneTo255ShowsTheFaceOpaque) {
  for (const char* stored : {"300", "256", "0", "-1"}) {
    fs.files[kIni] = std::string("[Options]\r\nAlphaBlendValue=") + stored + "\r\n";
    face.UpdateFace(kSkins + "Default.png", 0);  // something else before
    face.FormCreate();
    EXPECT_EQ(surface.last_alpha, 255) << stored;
  }
}

TEST_F(StartupTest, AnUnreadableSkinGivesOneErrorAndTheProgramGoesOn) {
  tray.SetVisible(false);
  desktop.AddProgMan();
  Start("[Options]\r\nBmpFilename=Missing.png\r\nEmbeddedDesktop=1\r\n");
  ASSERT_EQ(report.messages.size(), 1u);
  EXPECT_NE(report.messages[0].find("C:\\Zentick\\Skins\\Missing.png"), std::string::npos);
  // No hot key, no reparenting of the hands; the rest of start-up is done.
  EXPECT_TRUE(hot_keys.registered.empty());
  EXPECT_FALSE(Logged("SetParent hands -> ProgMan.grandchild"));
  EXPECT_TRUE(Logged("SetParent face -> ProgMan"));
  EXPECT_EQ(hands_window.bounds, (Rect{200, 200, 304, 219}));  // design size, stored place
  EXPECT_EQ(face_window.bounds.Width(), 0);
  EXPECT_EQ(face_window.bounds.Height(), 0);
  EXPECT_TRUE(tray.Visible());
}

TEST_F(StartupTest, NoProgManLeavesBothWindowsTopLevel) {
  Start("[Options]\r\nEmbeddedDesktop=1\r\n");
  EXPECT_EQ(desktop.parent[hands_window.id], 0u);
  EXPECT_EQ(desktop.parent[face_window.id], 0u);
  EXPECT_TRUE(face.MInDesktop);
}

TEST_F(StartupTest, TheHotKeyIsReleasedOnceWhicheverWayTheProgramEnds) {
  Start();
  hands.FormClose();
  hands.ReleaseHotKey();  // the exit path after a close of the hands window
  EXPECT_TRUE(hot_keys.registered.empty());
  EXPECT_TRUE(hot_keys.atoms.empty());
  EXPECT_EQ(std::count(desktop.log.begin(), desktop.log.end(), "DeleteAtom"), 1);
}

TEST_F(StartupTest, AHotKeyTakenByAnotherProgramIsNoError) {
  hot_keys.taken_by_another_program = true;
  Start();
  EXPECT_TRUE(report.messages.empty());
  EXPECT_TRUE(tray.Visible());
}

}  // namespace
}  // namespace zentick

namespace zentick {
namespace {

TEST_F(ClockFixture, APlaceOffEveryMonitorComesBackToTheNearest) {
  desktop.monitors = {{{0, 0, 1280, 800}, {0, 0, 1280, 760}},
                      {{1280, 0, 3200, 1080}, {1280, 0, 3200, 1040}}};
  struct Case {
    int left, top;
    Rect expected;
  } const cases[] = {
      {5000, 300, {3060, 300, 3200, 420}},  // beyond the right monitor
      {-900, -600, {0, 0, 140, 120}},       // above and left of the first
      {600, 1200, {600, 640, 740, 760}},    // below the first: onto its work area
      {1270, 100, {1270, 100, 1410, 220}},  // straddling two monitors: stays
      {-100, 700, {-100, 700, 40, 820}},    // partly visible: stays
  };
  for (const auto& c : cases) {
    fs.files[kIni] = "[MainForm]\r\nLeft=" + std::to_string(c.left) +
                     "\r\nTop=" + std::to_string(c.top) + "\r\n";
    face.FormCreate();
    EXPECT_EQ(face_window.bounds, c.expected) << c.left << "," << c.top;
    EXPECT_EQ(hands_window.bounds, face_window.bounds);
    // The file is not rewritten until the user moves the clock.
    EXPECT_EQ(fs.files[kIni], "[MainForm]\r\nLeft=" + std::to_string(c.left) +
                                  "\r\nTop=" + std::to_string(c.top) + "\r\n");
  }
}

}  // namespace
}  // namespace zentick
