// The window the analog clock control paints on: one copy of the whole picture per
// paint, the window's size and shape, and the control's information box.
#pragma once

#include <cstdint>
#include <string>

namespace zentick {

// A picture handed to the window: `height` rows top-down, each `width` pixels with no
// padding; a pixel is the 32-bit value 0x00RRGGBB (bytes B, G, R, 0 in memory), so the
// rows are exactly a 32-bit top-down DIB. A control of zero size gives an empty view
// (pixels may then be null).
struct PixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

enum class WindowShape {
  kRectangle,  // (0, 0, width, height)
  kEllipse,    // the ellipse inscribed in that rectangle
  kRoundRect,  // that rectangle, corners rounded by a round_x x round_y ellipse
};

class ClockWindow {
 public:
  virtual ~ClockWindow() = default;
  // False until the system window has been created; nothing is painted before.
  virtual bool Exists() const = 0;
  // Gives the window this client size; its position stays.
  virtual void Resize(int width, int height) = 0;
  // Copies the picture to the client area at (0, 0) in one operation.
  virtual void Blit(const PixelView& picture) = 0;
  // Gives the window this shape, and redraws it; a window created later gets it too.
  virtual void SetRegion(WindowShape shape, int width, int height, int round_x, int round_y) = 0;
  // A modal information box owned by the window.
  virtual void ShowInfoBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace zentick
