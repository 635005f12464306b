// The face window's per-pixel-alpha surface.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace zentick {

// Premultiplied BGRA pixels, top row first.
struct PremultipliedImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

class FaceSurface {
 public:
  virtual ~FaceSurface() = default;
  // Makes the window layered if it is not, and hands it the image at its
  // current place with the constant alpha; a 0 x 0 image empties the face.
  virtual void UpdateLayered(const PremultipliedImage& image, std::uint8_t constant_alpha) = 0;
};

}  // namespace zentick
