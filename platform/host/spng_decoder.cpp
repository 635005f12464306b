#include "platform/host/spng_decoder.h"

#include <spng.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace zentick::host {
namespace {

struct CtxFree {
  void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using Ctx = std::unique_ptr<spng_ctx, CtxFree>;

struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileClose>;

DecodedImage Fail(const std::string& name, const char* why, int spng_error = 0) {
  DecodedImage img;
  img.error = std::string(why) + " \"" + name + "\"";
  if (spng_error != 0) img.error += std::string(" (") + spng_strerror(spng_error) + ")";
  return img;
}

Ctx NewContext() {
  Ctx ctx(spng_ctx_new(0));
  if (ctx) spng_set_chunk_limits(ctx.get(), kMaxChunkBytes, kMaxChunkCacheBytes);
  return ctx;
}

// Reads the header, refuses oversized images before any pixel memory exists,
// then decodes straight into the result and repacks each pixel in place.
DecodedImage Decode(spng_ctx* ctx, const std::string& name) {
  spng_ihdr ihdr{};
  if (const int err = spng_get_ihdr(ctx, &ihdr)) return Fail(name, "Not a valid PNG image:", err);
  const std::uint64_t pixel_count = std::uint64_t{ihdr.width} * ihdr.height;
  if (pixel_count > static_cast<std::uint64_t>(kMaxImagePixels)) {
    return Fail(name, "Image too large:");
  }
  std::size_t bytes = 0;
  if (const int err = spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &bytes)) {
    return Fail(name, "Not a valid PNG image:", err);
  }
  if (bytes != pixel_count * 4) return Fail(name, "Not a valid PNG image:");

  DecodedImage img;
  img.pixels.resize(static_cast<std::size_t>(pixel_count));
  if (const int err =
          spng_decode_image(ctx, img.pixels.data(), bytes, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS)) {
    return Fail(name, "Not a valid PNG image:", err);
  }
  // The last image chunk's checksum is only read with the chunks after it, and
  // a file must reach its end chunk to count as whole.
  if (const int err = spng_decode_chunks(ctx)) return Fail(name, "Not a valid PNG image:", err);
  for (std::uint32_t& p : img.pixels) {
    unsigned char rgba[4];
    std::memcpy(rgba, &p, 4);
    p = (std::uint32_t{rgba[3]} << 24) | (std::uint32_t{rgba[0]} << 16) |
        (std::uint32_t{rgba[1]} << 8) | rgba[2];
  }
  img.width = static_cast<int>(ihdr.width);
  img.height = static_cast<int>(ihdr.height);
  return img;
}

}  // namespace

DecodedImage SpngImageDecoder::DecodePng(const std::string& path) {
  std::string host_path = path;
  std::replace(host_path.begin(), host_path.end(), '\\', '/');
  // Streamed from the file, so a huge file is never read whole.
  File file(std::fopen(host_path.c_str(), "rb"));
  if (!file) return Fail(path, "Cannot open file");
  Ctx ctx = NewContext();
  if (!ctx) return Fail(path, "Out of memory reading");
  if (const int err = spng_set_png_file(ctx.get(), file.get())) {
    return Fail(path, "Cannot open file", err);
  }
  return Decode(ctx.get(), path);
}

DecodedImage DecodePngBytes(std::string_view bytes, const std::string& name) {
  Ctx ctx = NewContext();
  if (!ctx) return Fail(name, "Out of memory reading");
  if (const int err = spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size())) {
    return Fail(name, "Not a valid PNG image:", err);
  }
  return Decode(ctx.get(), name);
}

}  // namespace zentick::host
