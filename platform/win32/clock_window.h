// The hands window as the clock control's canvas: one DIB copy per paint and
// the window's shape.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "clock/raster.h"
#include "platform/clock_window.h"
#include "platform/win32/window_host.h"

namespace zentick::win32 {

class HandsClockWindow : public ClockWindow {
 public:
  explicit HandsClockWindow(WindowHost& hands) : hands_(hands) {}
  bool Exists() const override { return hands_.HandleIfCreated() != nullptr; }
  // The control fills the hands window, which the skin loader sizes itself.
  void Resize(int, int) override {}
  void Blit(const PixelView& picture) override;
  void SetRegion(WindowShape shape, int width, int height, int round_x, int round_y) override;
  void ShowInfoBox(const std::string& text, const std::string& caption) override;
  // Gives a window created after the shape was chosen its shape.
  void ApplyPendingRegion();
  // The window has lost what it showed (WM_PAINT): the next copy goes through.
  void MarkStale() { stale_ = true; }

 private:
  WindowHost& hands_;
  // What the window shows now: a tick that paints the same picture again
  // (nine in ten with a jumping second hand) costs no copy to the screen.
  std::vector<std::uint32_t> shown_;
  int shown_width_ = 0;
  bool stale_ = true;
  bool has_region_ = false;
  WindowShape shape_ = WindowShape::kRectangle;
  int width_ = 0, height_ = 0, round_x_ = 0, round_y_ = 0;
};

// The built-in picture BMPCLOCK from the program's own resources.
clock::Raster LoadBuiltInPicture();

}  // namespace zentick::win32
