// PNG decoding through the system's codec, and the face's layered update.
#pragma once

#include <windows.h>

#include "platform/face_surface.h"
#include "platform/image_decoder.h"
#include "platform/win32/window_host.h"

namespace zentick::win32 {

class WicImageDecoder : public ImageDecoder {
 public:
  DecodedImage DecodePng(const std::string& path) override;
};

class LayeredFaceSurface : public FaceSurface {
 public:
  explicit LayeredFaceSurface(WindowHost& face) : face_host_(face) {}
  void UpdateLayered(const PremultipliedImage& image, std::uint8_t constant_alpha) override;

 private:
  WindowHost& face_host_;
};

}  // namespace zentick::win32
