#include "clock/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace zentick::clock {
namespace {

constexpr Pixel kNewPixel = ToPixel(kClWhite);

int ClampSide(int v) { return std::clamp(v, 0, kMaxRasterSide); }

// Fills [x0, x1) of row y, clipped.
void FillSpan(Raster& dst, long long y, long long x0, long long x1, Pixel p) {
  if (y < 0 || y >= dst.Height()) return;
  x0 = std::max(x0, 0LL);
  x1 = std::min(x1, static_cast<long long>(dst.Width()));
  if (x0 >= x1) return;
  std::fill(dst.Row(static_cast<int>(y)) + x0, dst.Row(static_cast<int>(y)) + x1, p);
}

void Plot(Raster& dst, long long x, long long y, Pixel p) {
  if (x < 0 || y < 0 || x >= dst.Width() || y >= dst.Height()) return;
  dst.Row(static_cast<int>(y))[x] = p;
}

Rect Normalized(Rect r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

// Pixels of [lo, hi] (inclusive, in raster units) that lie inside [0, limit).
void ClipRange(long long& lo, long long& hi, long long limit) {
  lo = std::max(lo, 0LL);
  hi = std::min(hi, limit - 1);
}

// A 1-pixel line without its last pixel. Each step along the major axis is computed
// directly, so only the steps that fall inside the raster are visited.
void ThinLine(Raster& dst, long long x0, long long y0, long long x1, long long y1, Pixel p) {
  const long long dx = x1 - x0;
  const long long dy = y1 - y0;
  const long long adx = std::llabs(dx);
  const long long ady = std::llabs(dy);
  if (adx == 0 && ady == 0) return;
  const bool x_major = adx >= ady;
  const long long n = x_major ? adx : ady;
  const long long minor = x_major ? ady : adx;
  const long long major_start = x_major ? x0 : y0;
  const long long minor_start = x_major ? y0 : x0;
  const long long major_sign = (x_major ? dx : dy) < 0 ? -1 : 1;
  const long long minor_sign = (x_major ? dy : dx) < 0 ? -1 : 1;
  const long long major_limit = x_major ? dst.Width() : dst.Height();
  // Steps i in [0, n) whose major coordinate lies inside the raster.
  long long first = 0;
  long long last = n - 1;
  if (major_sign > 0) {
    first = std::max(first, -major_start);
    last = std::min(last, major_limit - 1 - major_start);
  } else {
    first = std::max(first, major_start - (major_limit - 1));
    last = std::min(last, major_start);
  }
  for (long long i = first; i <= last; ++i) {
    const long long major = major_start + major_sign * i;
    const long long minor_pos = minor_start + minor_sign * ((2 * i * minor + n) / (2 * n));
    if (x_major) {
      Plot(dst, major, minor_pos, p);
    } else {
      Plot(dst, minor_pos, major, p);
    }
  }
}

// Cuts the segment to a box far larger than any raster, so that the integer stepping
// cannot overflow; lines that stay inside it are drawn exactly.
constexpr double kSafeExtent = 1 << 20;

bool ClipToSafeBox(double& x0, double& y0, double& x1, double& y1) {
  double t0 = 0;
  double t1 = 1;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 + kSafeExtent, kSafeExtent - x0, y0 + kSafeExtent, kSafeExtent - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
  }
  if (t0 > t1) return false;
  const double ox = x0;
  const double oy = y0;
  x0 = std::nearbyint(ox + t0 * dx);
  y0 = std::nearbyint(oy + t0 * dy);
  x1 = std::nearbyint(ox + t1 * dx);
  y1 = std::nearbyint(oy + t1 * dy);
  return true;
}

// A round pen of `width` pixels: every pixel whose centre lies within width / 2 of the
// segment. An odd width runs through pixel centres, an even one along pixel corners,
// so that each covers exactly `width` rows or columns of a straight line.
void WideLine(Raster& dst, Point from, Point to, int width, Pixel p) {
  const double r = width / 2.0;
  const double off = width % 2 ? 0.5 : 0.0;
  const double ax = from.x + off;
  const double ay = from.y + off;
  const double bx = to.x + off;
  const double by = to.y + off;
  const double dx = bx - ax;
  const double dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  const double r2 = r * r;
  long long x_lo = static_cast<long long>(std::floor(std::min(ax, bx) - r - 0.5));
  long long x_hi = static_cast<long long>(std::ceil(std::max(ax, bx) + r - 0.5));
  long long y_lo = static_cast<long long>(std::floor(std::min(ay, by) - r - 0.5));
  long long y_hi = static_cast<long long>(std::ceil(std::max(ay, by) + r - 0.5));
  ClipRange(x_lo, x_hi, dst.Width());
  ClipRange(y_lo, y_hi, dst.Height());
  for (long long y = y_lo; y <= y_hi; ++y) {
    Pixel* row = dst.Row(static_cast<int>(y));
    const double py = y + 0.5 - ay;
    for (long long x = x_lo; x <= x_hi; ++x) {
      const double px = x + 0.5 - ax;
      double t = len2 > 0 ? (px * dx + py * dy) / len2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      const double ex = px - t * dx;
      const double ey = py - t * dy;
      if (ex * ex + ey * ey <= r2) row[x] = p;
    }
  }
}

// The rounded rectangle grown by `grow` pixels on every side (shrunk when negative),
// tested at a pixel centre.
struct RoundShape {
  double left, top, right, bottom;  // the rectangle's edges
  double a, b;                      // semi-axes of the corner ellipse

  bool Contains(double x, double y, double grow) const {
    if (x < left - grow || x > right + grow || y < top - grow || y > bottom + grow) return false;
    const double ga = a + grow;
    const double gb = b + grow;
    if (ga <= 0 || gb <= 0) return true;  // square corners
    const double ex = std::max(0.0, std::abs(x - (left + right) / 2) - ((right - left) / 2 - a));
    const double ey = std::max(0.0, std::abs(y - (top + bottom) / 2) - ((bottom - top) / 2 - b));
    return (ex / ga) * (ex / ga) + (ey / gb) * (ey / gb) <= 1;
  }
};

std::uint32_t ReadU32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t ReadU16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

DecodedBitmap Failure(DibError e) {
  DecodedBitmap d;
  d.error = e;
  return d;
}

// `info` starts at the BITMAPINFOHEADER; `bits_at` is where the pixels start, from the
// same origin, or 0 to find them after the masks and colour table.
DecodedBitmap DecodeInfo(std::string_view info, std::uint64_t bits_at) {
  if (info.size() < kInfoHeaderSize) return Failure(DibError::kTruncated);
  const std::uint32_t header_size = ReadU32(info, 0);
  // BITMAPINFOHEADER and its later versions (V2, V3, V4, V5), which all begin with it.
  if (header_size != 40 && header_size != 52 && header_size != 56 && header_size != 108 &&
      header_size != 124) {
    return Failure(DibError::kBadHeader);
  }
  if (header_size > info.size()) return Failure(DibError::kTruncated);
  const auto width = static_cast<std::int32_t>(ReadU32(info, 4));
  const auto height = static_cast<std::int32_t>(ReadU32(info, 8));
  const std::uint16_t planes = ReadU16(info, 12);
  const std::uint16_t bpp = ReadU16(info, 14);
  const std::uint32_t compression = ReadU32(info, 16);
  const std::uint32_t colors_used = ReadU32(info, 32);
  if (planes != 1 || width <= 0 || height == 0) return Failure(DibError::kBadHeader);
  if (bpp != 24 && bpp != 32) return Failure(DibError::kUnsupportedFormat);

  std::uint64_t after_header = header_size;
  if (compression == kBiBitfields && bpp == 32) {
    // Only the masks of plain 0x00RRGGBB pixels; in a later header they lie inside it.
    const std::uint64_t masks_at = kInfoHeaderSize;
    if (header_size == kInfoHeaderSize) after_header += 12;
    if (masks_at + 12 > info.size()) return Failure(DibError::kTruncated);
    if (ReadU32(info, masks_at) != 0xFF0000 || ReadU32(info, masks_at + 4) != 0xFF00 ||
        ReadU32(info, masks_at + 8) != 0xFF) {
      return Failure(DibError::kUnsupportedFormat);
    }
  } else if (compression != kBiRgb) {
    return Failure(DibError::kUnsupportedFormat);
  }

  const std::int64_t rows = std::llabs(static_cast<std::int64_t>(height));
  if (width > kMaxRasterSide || rows > kMaxRasterSide) return Failure(DibError::kTooLarge);
  if (bits_at == 0) bits_at = after_header + std::uint64_t{colors_used} * 4;
  if (bits_at < after_header) return Failure(DibError::kBadHeader);
  if (bits_at > info.size()) return Failure(DibError::kTruncated);

  const std::uint64_t bytes_pp = bpp / 8;
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bpp + 31) / 32 * 4;
  // The padding of the last row may be missing; its pixels may not.
  const std::uint64_t needed =
      stride * static_cast<std::uint64_t>(rows - 1) + static_cast<std::uint64_t>(width) * bytes_pp;
  if (needed > info.size() - bits_at) return Failure(DibError::kTruncated);

  DecodedBitmap out;
  out.raster = Raster(width, static_cast<int>(rows));
  const bool bottom_up = height > 0;
  for (std::int64_t y = 0; y < rows; ++y) {
    const std::int64_t src_row = bottom_up ? rows - 1 - y : y;
    const auto* src = reinterpret_cast<const unsigned char*>(info.data()) + bits_at +
                      static_cast<std::uint64_t>(src_row) * stride;
    Pixel* dst = out.raster.Row(static_cast<int>(y));
    for (std::int32_t x = 0; x < width; ++x, src += bytes_pp) {
      dst[x] = Pixel{src[0]} | Pixel{src[1]} << 8 | Pixel{src[2]} << 16;
    }
  }
  return out;
}

}  // namespace

Raster::Raster(int width, int height, Color fill)
    : width_(ClampSide(width)),
      height_(ClampSide(height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), ToPixel(fill)) {
}

void Raster::Resize(int width, int height) {
  width = ClampSide(width);
  height = ClampSide(height);
  if (width == width_ && height == height_) return;
  const std::size_t new_w = static_cast<std::size_t>(width);
  const std::size_t old_w = static_cast<std::size_t>(width_);
  const std::size_t rows = static_cast<std::size_t>(std::min(height, height_));
  const std::size_t cols = std::min(new_w, old_w);
  const std::size_t new_count = new_w * static_cast<std::size_t>(height);
  if (new_w <= old_w) {
    // Rows move towards the start: go forwards.
    for (std::size_t y = 1; y < rows; ++y) {
      std::memmove(&pixels_[y * new_w], &pixels_[y * old_w], cols * sizeof(Pixel));
    }
    pixels_.resize(std::max(new_count, rows * new_w));
  } else {
    // Rows move towards the end: make room, then go backwards.
    pixels_.resize(std::max(new_count, pixels_.size()));
    for (std::size_t y = rows; y-- > 0;) {
      std::memmove(&pixels_[y * new_w], &pixels_[y * old_w], cols * sizeof(Pixel));
      std::fill(&pixels_[y * new_w + cols], &pixels_[y * new_w + new_w], kNewPixel);
    }
  }
  std::fill(pixels_.begin() + static_cast<std::ptrdiff_t>(rows * new_w),
            pixels_.begin() + static_cast<std::ptrdiff_t>(new_count), kNewPixel);
  pixels_.resize(new_count);
  width_ = width;
  height_ = height;
}

void Raster::Fill(Color c) { std::fill(pixels_.begin(), pixels_.end(), ToPixel(c)); }

void Rectangle(Raster& dst, Rect r, const Pen& pen, Color brush) {
  r = Normalized(r);
  if (r.left == r.right || r.top == r.bottom) return;
  const long long pw = std::max(pen.width, 1);
  const Pixel fill = ToPixel(brush);
  const Pixel line = ToPixel(pen.color);
  for (long long y = std::max(r.top, 0); y < std::min(r.bottom, dst.Height()); ++y) {
    FillSpan(dst, y, r.left, r.right, fill);
  }
  // The pen is centred on the outermost pixels of each edge.
  const long long ox0 = r.left - pw / 2;
  const long long ox1 = r.right - 1 - pw / 2 + pw;
  const long long oy0 = r.top - pw / 2;
  const long long oy1 = r.bottom - 1 - pw / 2 + pw;
  const long long ix0 = ox0 + pw;
  const long long ix1 = r.right - 1 - pw / 2;
  const long long iy0 = oy0 + pw;
  const long long iy1 = r.bottom - 1 - pw / 2;
  const long long y_end = std::min(oy1, static_cast<long long>(dst.Height()));
  for (long long y = std::max(oy0, 0LL); y < y_end; ++y) {
    if (y >= iy0 && y < iy1 && ix0 < ix1) {
      FillSpan(dst, y, ox0, ix0, line);
      FillSpan(dst, y, ix1, ox1, line);
    } else {
      FillSpan(dst, y, ox0, ox1, line);
    }
  }
}

void Line(Raster& dst, Point from, Point to, const Pen& pen) {
  const Pixel p = ToPixel(pen.color);
  if (pen.width > 1) {
    WideLine(dst, from, to, pen.width, p);
    return;
  }
  double x0 = from.x;
  double y0 = from.y;
  double x1 = to.x;
  double y1 = to.y;
  if (std::max({std::abs(x0), std::abs(y0), std::abs(x1), std::abs(y1)}) > kSafeExtent &&
      !ClipToSafeBox(x0, y0, x1, y1)) {
    return;
  }
  ThinLine(dst, static_cast<long long>(x0), static_cast<long long>(y0), static_cast<long long>(x1),
           static_cast<long long>(y1), p);
}

void RoundRect(Raster& dst, Rect r, int ellipse_width, int ellipse_height, const Pen& pen,
               Color brush) {
  r = Normalized(r);
  if (r.left == r.right || r.top == r.bottom) return;
  const long long pw = std::max(pen.width, 1);
  const double w = static_cast<double>(r.right) - r.left;
  const double h = static_cast<double>(r.bottom) - r.top;
  const RoundShape shape{static_cast<double>(r.left),
                         static_cast<double>(r.top),
                         static_cast<double>(r.right),
                         static_cast<double>(r.bottom),
                         std::min(std::abs(static_cast<double>(ellipse_width)), w) / 2,
                         std::min(std::abs(static_cast<double>(ellipse_height)), h) / 2};
  const double grow_out = static_cast<double>(pw / 2);
  const double grow_in = static_cast<double>(pw - pw / 2);
  const Pixel fill = ToPixel(brush);
  const Pixel line = ToPixel(pen.color);
  long long x_lo = r.left - pw / 2;
  long long x_hi = r.right + pw / 2;
  long long y_lo = r.top - pw / 2;
  long long y_hi = r.bottom + pw / 2;
  ClipRange(x_lo, x_hi, dst.Width());
  ClipRange(y_lo, y_hi, dst.Height());
  for (long long y = y_lo; y <= y_hi; ++y) {
    Pixel* row = dst.Row(static_cast<int>(y));
    const double cy = y + 0.5;
    for (long long x = x_lo; x <= x_hi; ++x) {
      const double cx = x + 0.5;
      if (shape.Contains(cx, cy, -grow_in)) {
        row[x] = fill;
      } else if (shape.Contains(cx, cy, grow_out)) {
        row[x] = line;
      }
    }
  }
}

void Draw(Raster& dst, const Raster& src, Point at) {
  const long long x0 = std::max(0LL, static_cast<long long>(at.x));
  const long long x1 =
      std::min(static_cast<long long>(dst.Width()), static_cast<long long>(at.x) + src.Width());
  if (x0 >= x1) return;
  const long long y0 = std::max(0LL, static_cast<long long>(at.y));
  const long long y1 =
      std::min(static_cast<long long>(dst.Height()), static_cast<long long>(at.y) + src.Height());
  for (long long y = y0; y < y1; ++y) {
    const Pixel* s = src.Row(static_cast<int>(y - at.y)) + (x0 - at.x);
    std::memcpy(dst.Row(static_cast<int>(y)) + x0, s,
                static_cast<std::size_t>(x1 - x0) * sizeof(Pixel));
  }
}

void StretchDraw(Raster& dst, Rect r, const Raster& src) {
  r = Normalized(r);
  if (src.Empty() || r.left == r.right || r.top == r.bottom) return;
  const long long rw = static_cast<long long>(r.right) - r.left;
  const long long rh = static_cast<long long>(r.bottom) - r.top;
  long long x_lo = r.left;
  long long x_hi = static_cast<long long>(r.right) - 1;
  long long y_lo = r.top;
  long long y_hi = static_cast<long long>(r.bottom) - 1;
  ClipRange(x_lo, x_hi, dst.Width());
  ClipRange(y_lo, y_hi, dst.Height());
  for (long long y = y_lo; y <= y_hi; ++y) {
    const Pixel* s = src.Row(static_cast<int>((y - r.top) * src.Height() / rh));
    Pixel* d = dst.Row(static_cast<int>(y));
    for (long long x = x_lo; x <= x_hi; ++x) d[x] = s[(x - r.left) * src.Width() / rw];
  }
}

void Tile(Raster& dst, const Raster& src) {
  if (src.Empty()) return;
  for (int y = 0; y < dst.Height(); ++y) {
    const Pixel* s = src.Row(y % src.Height());
    Pixel* d = dst.Row(y);
    for (int x = 0; x < dst.Width(); x += src.Width()) {
      const int n = std::min(src.Width(), dst.Width() - x);
      std::memcpy(d + x, s, static_cast<std::size_t>(n) * sizeof(Pixel));
    }
  }
}

void BrushCopy(Raster& dst, Rect r, const Raster& src, Color key, Color brush) {
  r = Normalized(r);
  const Pixel k = ToPixel(key);
  const Pixel b = ToPixel(brush);
  const int x0 = std::max(r.left, 0);
  const int x1 = std::min({r.right, dst.Width(), src.Width()});
  const int y0 = std::max(r.top, 0);
  const int y1 = std::min({r.bottom, dst.Height(), src.Height()});
  for (int y = y0; y < y1; ++y) {
    const Pixel* s = src.Row(y);
    Pixel* d = dst.Row(y);
    for (int x = x0; x < x1; ++x) d[x] = s[x] == k ? b : s[x];
  }
}

DecodedBitmap DecodeDib(std::string_view bytes) { return DecodeInfo(bytes, 0); }

DecodedBitmap DecodeBmpFile(std::string_view bytes) {
  if (bytes.size() < kFileHeaderSize) return Failure(DibError::kTruncated);
  if (bytes[0] != 'B' || bytes[1] != 'M') return Failure(DibError::kBadHeader);
  const std::uint32_t off_bits = ReadU32(bytes, 10);
  if (off_bits < kFileHeaderSize + kInfoHeaderSize) return Failure(DibError::kBadHeader);
  return DecodeInfo(bytes.substr(kFileHeaderSize), off_bits - kFileHeaderSize);
}

}  // namespace zentick::clock
