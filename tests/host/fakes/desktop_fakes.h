// An in-memory desktop: each window's bounds, parent, topmost flag and
// layered state, plus one log of every call in order.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/face_surface.h"
#include "platform/hot_keys.h"
#include "platform/image_decoder.h"
#include "platform/tray_icon.h"
#include "platform/window.h"
#include "skins/skin.h"

namespace zentick::fakes {

class FakeDesktop;

class FakeWindow : public Window {
 public:
  FakeWindow(FakeDesktop& desktop, std::string name, Rect design);
  WindowId Id() override;
  Rect Bounds() override { return bounds; }
  void SetLeft(int left) override;
  void SetTop(int top) override;
  void SetSize(int width, int height) override;
  void Show() override;
  void MoveTo(Point top_left) override;

  std::string name;
  Rect bounds;
  WindowId id = 0;  // 0 until the system window is created
  bool visible = false;
  std::function<void()> on_move;  // the window's WM_MOVE
  FakeWindow* owner = nullptr;    // created first, as an owned window needs its owner

 private:
  FakeDesktop& desktop_;
};

class FakeDesktop : public Desktop {
 public:
  void SetParent(WindowId child, WindowId parent) override;
  void SetTopmost(WindowId window, bool topmost) override;
  WindowId FindProgMan() override;
  WindowId FirstChild(WindowId window) override;
  void HideApplicationWindow() override { Log("HideApplicationWindow"); }
  MonitorPlacement PlacementOf(const Rect& window) override;

  // Adds a ProgMan window with a child and a grandchild; returns ProgMan's id.
  WindowId AddProgMan();
  std::string NameOf(WindowId id) const;
  void Log(const std::string& entry) { log.push_back(entry); }

  std::vector<std::string> log;
  std::map<WindowId, WindowId> parent;
  std::map<WindowId, bool> topmost;
  std::map<WindowId, std::string> names;
  WindowId next_id = 100;
  WindowId progman = 0;
  struct Monitor {
    Rect bounds;
    Rect work_area;
  };
  std::vector<Monitor> monitors{{{0, 0, 1280, 800}, {0, 0, 1280, 760}}};
};

class FakeHotKeys : public HotKeys {
 public:
  explicit FakeHotKeys(FakeDesktop& d) : desktop_(d) {}
  std::uint16_t AddAtom(const std::string& name) override;
  void DeleteAtom(std::uint16_t atom) override;
  bool Register(WindowId window, std::uint32_t id, unsigned modifiers, unsigned key) override;
  void Unregister(WindowId window, std::uint32_t id) override;
  std::map<std::uint32_t, WindowId> registered;
  std::map<std::uint16_t, std::string> atoms;
  bool taken_by_another_program = false;

 private:
  FakeDesktop& desktop_;
};

class FakeTray : public TrayIcon {
 public:
  explicit FakeTray(FakeDesktop& d) : desktop_(d) {}
  void SetVisible(bool visible) override;
  bool Visible() const override { return visible_; }

 private:
  FakeDesktop& desktop_;
  bool visible_ = false;
};

class FakeFaceSurface : public FaceSurface {
 public:
  explicit FakeFaceSurface(FakeDesktop& d) : desktop_(d) {}
  void UpdateLayered(const PremultipliedImage& image, std::uint8_t constant_alpha) override;
  PremultipliedImage last;
  int last_alpha = -1;
  int updates = 0;

 private:
  FakeDesktop& desktop_;
};

// Images by path: a path that is not listed fails like a missing file.
class FakeImages : public ImageDecoder {
 public:
  DecodedImage DecodePng(const std::string& path) override;
  void Add(const std::string& path, int width, int height, std::uint32_t pixel = 0xFF808080);
  std::map<std::string, DecodedImage> images;
};

class FakeClockControl : public SkinTarget {
 public:
  explicit FakeClockControl(FakeDesktop& d) : desktop_(d) {}
  void SetClockSize(int width, int height) override;
  void ApplyLayout(const SkinLayout& layout) override;
  void SetSecJump(bool jump) override;
  Size size{25, 17};
  SkinLayout layout;
  bool sec_jump = false;

 private:
  FakeDesktop& desktop_;
};

}  // namespace zentick::fakes
