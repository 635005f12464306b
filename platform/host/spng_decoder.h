// The host's PNG reader: libspng, with limits so that no file, however hostile,
// makes it crash, hang or allocate without bound.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/image_decoder.h"

namespace zentick::host {

// Ancillary chunks (text, colour profiles) kept per chunk and in all; the
// image data itself is bounded by kMaxImagePixels instead.
inline constexpr std::size_t kMaxChunkBytes = 1 << 20;
inline constexpr std::size_t kMaxChunkCacheBytes = 4 << 20;

class SpngImageDecoder : public ImageDecoder {
 public:
  // The program builds paths with backslashes; they are read here as slashes.
  DecodedImage DecodePng(const std::string& path) override;
};

// The same rules for a PNG already in memory; `name` is what errors call it.
DecodedImage DecodePngBytes(std::string_view bytes, const std::string& name);

}  // namespace zentick::host
