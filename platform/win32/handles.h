// RAII owners for the system handles the adapters create.
#pragma once

#include <windows.h>

#include <utility>

namespace zentick::win32 {

template <typename H, typename Deleter>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H h) : h_(h) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, H{})) {}
  Owned& operator=(Owned&& o) noexcept {
    if (this != &o) Reset(std::exchange(o.h_, H{}));
    return *this;
  }
  ~Owned() { Reset(); }
  H get() const { return h_; }
  explicit operator bool() const { return h_ != H{}; }
  void Reset(H h = H{}) {
    if (h_) Deleter{}(h_);
    h_ = h;
  }
  H Release() { return std::exchange(h_, H{}); }

 private:
  H h_{};
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DcDeleter {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct HandleDeleter {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct IconDeleter {
  void operator()(HICON h) const { DestroyIcon(h); }
};
struct WindowDeleter {
  void operator()(HWND h) const { DestroyWindow(h); }
};

using OwnedBitmap = Owned<HBITMAP, GdiObjectDeleter>;

// A 32-bit top-down DIB of w x h: rows top first, bytes B, G, R, A.
inline BITMAPINFO TopDownDib32(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}
using OwnedRegion = Owned<HRGN, GdiObjectDeleter>;
using OwnedDc = Owned<HDC, DcDeleter>;
using OwnedFile = Owned<HANDLE, HandleDeleter>;
using OwnedIcon = Owned<HICON, IconDeleter>;
using OwnedWindow = Owned<HWND, WindowDeleter>;

// A window's or the screen's device context, released with the window it came from.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back on scope exit,
// so the object can be deleted afterwards.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (old_) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace zentick::win32
