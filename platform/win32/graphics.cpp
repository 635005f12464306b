#include "platform/win32/graphics.h"

#include <wincodec.h>

#include <cstring>

#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"

namespace zentick::win32 {
namespace {

template <typename T>
class Com {
 public:
  Com() = default;
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  ~Com() {
    if (p_) p_->Release();
  }
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

DecodedImage Fail(const std::string& path, const char* why) {
  DecodedImage img;
  img.error = std::string(why) + " \"" + path + "\"";
  return img;
}

}  // namespace

DecodedImage WicImageDecoder::DecodePng(const std::string& path) {
  // COM is needed on this thread; a second initialisation is harmless.
  const HRESULT co = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  struct CoUninit {
    bool on;
    ~CoUninit() {
      if (on) CoUninitialize();
    }
  } co_guard{SUCCEEDED(co)};

  const std::wstring wpath = Widen(path);
  if (GetFileAttributesW(wpath.c_str()) == INVALID_FILE_ATTRIBUTES) {
    return Fail(path, "Cannot open file");
  }
  Com<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(factory.Out())))) {
    return Fail(path, "No image codec to read");
  }
  Com<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(wpath.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.Out()))) {
    return Fail(path, "Not a valid PNG image:");
  }
  GUID format{};
  if (FAILED(decoder->GetContainerFormat(&format)) || format != GUID_ContainerFormatPng) {
    return Fail(path, "Not a valid PNG image:");
  }
  Com<IWICBitmapFrameDecode> frame;
  UINT w = 0, h = 0;
  if (FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&w, &h)) || w == 0 ||
      h == 0) {
    return Fail(path, "Not a valid PNG image:");
  }
  if (static_cast<std::int64_t>(w) * h > kMaxImagePixels) {
    return Fail(path, "Image too large:");
  }
  Com<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return Fail(path, "Not a valid PNG image:");
  }
  DecodedImage img;
  img.width = static_cast<int>(w);
  img.height = static_cast<int>(h);
  img.pixels.resize(static_cast<std::size_t>(w) * h);
  if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(img.pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(img.pixels.data())))) {
    return Fail(path, "Not a valid PNG image:");
  }
  return img;  // BGRA bytes read as 0xAARRGGBB
}

void LayeredFaceSurface::UpdateLayered(const PremultipliedImage& image,
                                       std::uint8_t constant_alpha) {
  HWND face = face_host_.Handle();
  WindowDc screen(nullptr);
  OwnedDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO bi = TopDownDib32(image.width, image.height);
  void* bits = nullptr;
  OwnedBitmap bitmap;
  if (image.width > 0 && image.height > 0) {
    bitmap.Reset(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits) std::memcpy(bits, image.pixels.data(), image.pixels.size() * 4);
  }
  RECT r{};
  GetWindowRect(face, &r);
  POINT dest{r.left, r.top};
  SIZE size{image.width, image.height};
  POINT src{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, constant_alpha, AC_SRC_ALPHA};

  const LONG ex = GetWindowLongW(face, GWL_EXSTYLE);
  if (!(ex & WS_EX_LAYERED)) SetWindowLongW(face, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  {
    Selection selected(memory.get(), bitmap.get());
    UpdateLayeredWindow(face, screen.get(), &dest, &size, memory.get(), &src, 0, &blend, ULW_ALPHA);
  }
}

}  // namespace zentick::win32
