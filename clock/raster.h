// A portable 32-bit raster and the few drawing operations the clock control paints
// with (GDI semantics), plus a decoder of 24/32-bit DIB and BMP bytes into a raster.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/clock_window.h"
#include "platform/types.h"

namespace zentick::clock {

// 0x00RRGGBB: bytes B, G, R, 0 in memory, the layout of a 32-bit DIB.
using Pixel = std::uint32_t;

constexpr Pixel ToPixel(Color c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Color ToColor(Pixel p) { return ToPixel(p); }

// The largest side a raster takes; larger sizes are clipped to it (a window cannot be
// that large anyway, and it bounds what a hostile size can allocate).
inline constexpr int kMaxRasterSide = 8192;

class Raster {
 public:
  Raster() = default;
  Raster(int width, int height, Color fill = kClWhite);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Keeps the pixels of the part both sizes share; new pixels are white. Negative
  // sizes count as 0. Allocates only when the pixels outgrow the capacity.
  void Resize(int width, int height);
  void Fill(Color c);

  // x and y must lie inside the raster.
  Color ColorAt(int x, int y) const { return ToColor(pixels_[Index(x, y)]); }
  void SetColorAt(int x, int y, Color c) { pixels_[Index(x, y)] = ToPixel(c); }
  Pixel* Row(int y) { return pixels_.data() + Index(0, y); }
  const Pixel* Row(int y) const { return pixels_.data() + Index(0, y); }

  PixelView View() const { return {pixels_.data(), width_, height_}; }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

struct Pen {
  Color color = kClBlack;
  int width = 1;  // 0 and below draw as 1
};

// Every operation clips to the destination and allocates nothing. Rectangles are
// half-open: (left, top) inside, (right, bottom) outside, as in GDI.

// The pen's outline (a wide pen centred on the edge) over a solid fill of the inside.
void Rectangle(Raster& dst, Rect r, const Pen& pen, Color brush);

// From `from` to `to`: with a 1-pixel pen the last pixel is left out (as LineTo); a
// wider pen is round, with round caps.
void Line(Raster& dst, Point from, Point to, const Pen& pen);

// A rectangle whose corners are rounded by an ellipse_width x ellipse_height ellipse;
// an ellipse at least as large as the rectangle gives the inscribed ellipse.
void RoundRect(Raster& dst, Rect r, int ellipse_width, int ellipse_height, const Pen& pen,
               Color brush);

// Copies `src` at its own size with its top-left corner at `at`.
void Draw(Raster& dst, const Raster& src, Point at);

// Scales `src` over `r`, nearest neighbour.
void StretchDraw(Raster& dst, Rect r, const Raster& src);

// Repeats `src` from the top-left corner over the whole of `dst`.
void Tile(Raster& dst, const Raster& src);

// Copies the rectangle `r` of `src` onto the same rectangle of `dst`, painting the
// pixels of colour `key` with `brush` instead. Pixels outside `src` are left alone.
void BrushCopy(Raster& dst, Rect r, const Raster& src, Color key, Color brush);

enum class DibError {
  kNone,
  kTruncated,          // the bytes end before the header or the pixels do
  kBadHeader,          // a header field that no bitmap has
  kUnsupportedFormat,  // not 24 or 32 bits a pixel, or compressed
  kTooLarge,           // a side beyond kMaxRasterSide
};

struct DecodedBitmap {
  Raster raster;
  DibError error = DibError::kNone;
  bool Ok() const { return error == DibError::kNone; }
};

// A packed DIB as a bitmap resource holds it: a BITMAPINFOHEADER (or a later version),
// optional masks and colour table, then the pixels. Bottom-up or top-down.
DecodedBitmap DecodeDib(std::string_view bytes);

// A .bmp file: the 14-byte file header, then a packed DIB.
DecodedBitmap DecodeBmpFile(std::string_view bytes);

}  // namespace zentick::clock
