#include "platform/win32/clock_window.h"

#include <algorithm>
#include <string_view>

#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"

namespace zentick::win32 {

void HandsClockWindow::Blit(const PixelView& picture) {
  HWND hwnd = hands_.HandleIfCreated();
  if (!hwnd || picture.width <= 0 || picture.height <= 0 || !picture.pixels) return;
  const std::size_t count = static_cast<std::size_t>(picture.width) * picture.height;
  if (!stale_ && shown_width_ == picture.width && shown_.size() == count &&
      std::equal(shown_.begin(), shown_.end(), picture.pixels)) {
    return;
  }
  shown_.assign(picture.pixels, picture.pixels + count);
  shown_width_ = picture.width;
  stale_ = false;
  BITMAPINFO bi = TopDownDib32(picture.width, picture.height);
  WindowDc dc(hwnd);
  SetDIBitsToDevice(dc.get(), 0, 0, static_cast<DWORD>(picture.width),
                    static_cast<DWORD>(picture.height), 0, 0, 0, static_cast<UINT>(picture.height),
                    picture.pixels, &bi, DIB_RGB_COLORS);
}

void HandsClockWindow::SetRegion(WindowShape shape, int width, int height, int round_x,
                                 int round_y) {
  has_region_ = true;
  shape_ = shape;
  width_ = width;
  height_ = height;
  round_x_ = round_x;
  round_y_ = round_y;
  ApplyPendingRegion();
}

void HandsClockWindow::ApplyPendingRegion() {
  HWND hwnd = hands_.HandleIfCreated();
  if (!hwnd || !has_region_) return;
  OwnedRegion rgn;
  switch (shape_) {
    case WindowShape::kEllipse:
      rgn.Reset(CreateEllipticRgn(0, 0, width_, height_));
      break;
    case WindowShape::kRoundRect:
      rgn.Reset(CreateRoundRectRgn(0, 0, width_, height_, round_x_, round_y_));
      break;
    case WindowShape::kRectangle:
      rgn.Reset(CreateRectRgn(0, 0, width_, height_));
      break;
  }
  stale_ = true;
  // The window owns the region once it has taken it.
  if (rgn && SetWindowRgn(hwnd, rgn.get(), TRUE)) rgn.Release();
}

void HandsClockWindow::ShowInfoBox(const std::string& text, const std::string& caption) {
  MessageBoxW(hands_.HandleIfCreated(), Widen(text).c_str(), Widen(caption).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

clock::Raster LoadBuiltInPicture() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, L"BMPCLOCK", MAKEINTRESOURCEW(2));  // RT_BITMAP
  if (!res) return {};
  HGLOBAL data = LoadResource(module, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return {};
  auto decoded = clock::DecodeDib(
      std::string_view(static_cast<const char*>(bytes), SizeofResource(module, res)));
  return decoded.Ok() ? std::move(decoded.raster) : clock::Raster();
}

}  // namespace zentick::win32
