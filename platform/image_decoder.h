// Decodes a PNG file into straight-alpha pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zentick {

// Straight (not premultiplied) pixels, 0xAARRGGBB, top row first.
struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::string error;  // empty on success; the reader's message otherwise
  bool ok() const { return error.empty(); }
};

// Images larger than this are refused rather than allowed to exhaust memory.
inline constexpr std::int64_t kMaxImagePixels = 16 * 1024 * 1024;

class ImageDecoder {
 public:
  virtual ~ImageDecoder() = default;
  virtual DecodedImage DecodePng(const std::string& path) = 0;
};

}  // namespace zentick
