// An in-memory clock window: keeps the last picture blitted, its size and its shape.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock_window.h"

namespace zentick::clock::testing {

class FakeClockWindow : public ClockWindow {
 public:
  struct Region {
    WindowShape shape;
    int width, height, round_x, round_y;
    friend bool operator==(const Region&, const Region&) = default;
  };
  struct InfoBox {
    std::string text, caption;
  };

  bool Exists() const override { return exists; }
  void Resize(int w, int h) override {
    width = w;
    height = h;
  }
  void Blit(const PixelView& picture) override {
    ++blits;
    shown_width = picture.width;
    shown_height = picture.height;
    shown.assign(picture.pixels, picture.pixels + static_cast<std::size_t>(picture.width) *
                                                      static_cast<std::size_t>(picture.height));
  }
  void SetRegion(WindowShape shape, int w, int h, int round_x, int round_y) override {
    regions.push_back({shape, w, h, round_x, round_y});
  }
  void ShowInfoBox(const std::string& text, const std::string& caption) override {
    boxes.push_back({text, caption});
  }

  // The colour (0x00BBGGRR) of a pixel of the last picture.
  std::uint32_t ShownColor(int x, int y) const {
    const std::uint32_t p = shown[static_cast<std::size_t>(y) * shown_width + x];
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }

  bool exists = true;
  int width = 0;
  int height = 0;
  int blits = 0;
  int shown_width = 0;
  int shown_height = 0;
  std::vector<std::uint32_t> shown;
  std::vector<Region> regions;
  std::vector<InfoBox> boxes;
};

}  // namespace zentick::clock::testing
