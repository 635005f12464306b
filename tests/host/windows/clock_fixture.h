// The window pair wired to the in-memory desktop and the other fakes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/desktop_fakes.h"
#include "fakes/fakes.h"
#include "voice/announcer.h"
#include "windows/face_window.h"
#include "windows/hands_window.h"

namespace zentick {

inline const std::string kExe = "C:\\Zentick\\Zentick.exe";
inline const std::string kIni = "C:\\Zentick\\Zentick.ini";
inline const std::string kSkins = "C:\\Zentick\\Skins\\";

class ClockFixture : public ::testing::Test {
 protected:
  ClockFixture() {
    images.Add(kSkins + "Default.png", 140, 120);
    face_window.on_move = [this] { face.FormMove(); };
    hands_window.owner = &face_window;
  }

  void Start(const std::string& ini = "") {
    if (!ini.empty()) fs.files[kIni] = ini;
    face.FormCreate();
  }

  bool Logged(const std::string& entry) const {
    return std::find(desktop.log.begin(), desktop.log.end(), entry) != desktop.log.end();
  }
  std::ptrdiff_t IndexOf(const std::string& entry) const {
    return std::find(desktop.log.begin(), desktop.log.end(), entry) - desktop.log.begin();
  }

  fakes::FakeDesktop desktop;
  fakes::MemoryFileSystem fs;
  fakes::Latin1Codec ansi;
  fakes::FakeImages images;
  fakes::RecordingErrorReport report;
  fakes::FakeHotKeys hot_keys{desktop};
  fakes::FakeTray tray{desktop};
  fakes::FakeFaceSurface surface{desktop};
  fakes::FakeClockControl clock{desktop};
  fakes::FakeClock wall_clock;
  fakes::FakeTimer time_baoshi, timer1;
  fakes::RecordingSoundPlayer sound;
  struct Shell : AppShell {
    explicit Shell(fakes::FakeDesktop& d) : desktop(d) {}
    void OpenLink(const std::string& t) override { desktop.Log("OpenLink " + t); }
    void ShowSettingsModal() override { desktop.Log("Settings"); }
    void ShowAboutModal() override { desktop.Log("About"); }
    void CloseMainWindow() override { desktop.Log("Close"); }
    fakes::FakeDesktop& desktop;
  } shell{desktop};
  struct Menus : MenuPopper {
    explicit Menus(fakes::FakeDesktop& d) : desktop(d) {}
    int Track(const MenuModel& menu) override {
      desktop.Log("Menu");
      shown.push_back(menu);
      return choice;
    }
    fakes::FakeDesktop& desktop;
    std::vector<MenuModel> shown;
    int choice = 0;
  } menus{desktop};
  fakes::FakeWindow face_window{desktop, "face", kFaceDesignBounds};
  fakes::FakeWindow hands_window{desktop, "hands", {0, 0, 104, 19}};
  Shared shared;
  voice::Announcer voice{sound,
                         time_baoshi,
                         timer1,
                         wall_clock,
                         shared.VoicePrefix,
                         shared.AnnounceEvery,
                         shared.LastMinute};
  HandsWindow hands{
      shared, {hands_window, desktop, hot_keys, report, fs, ansi, images, clock, tray}, kExe};
  FaceWindow face{shared,
                  {face_window, desktop, tray, surface, images, report, shell, menus, voice},
                  hands,
                  kExe};
};

}  // namespace zentick
