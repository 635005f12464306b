// The face window on the real window system: its size and place, the skin's
// alpha on the screen and in the pixels handed over, skins that do not load,
// and a thousand updates leaving no drawing object or memory behind.
#include <windows.h>

#include <gtest/gtest.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gdi_count.h"
#include "platform/win32/files.h"
#include "platform/win32/handles.h"
#include "platform/win32/program.h"
#include "platform/win32/program_parts.h"
#include "platform/win32/utf16.h"
#include "test_support.h"

namespace zentick::win32 {
namespace {

using testing::AppFolder;
using testing::GdiObjectCount;
using testing::Pump;

constexpr int kFaceLeft = 240;
constexpr int kFaceTop = 160;
constexpr COLORREF kBackdrop = RGB(30, 160, 90);
constexpr std::uint32_t kBackdropPixel = 0x1EA05A;  // as a DIB holds it
// The screen keeps 8 bits a channel; the margin only absorbs a driver's rounding.
constexpr int kScreenTolerance = 2;

// 0xAARRGGBB pixels, top row first, as a 32-bit top-down DIB holds them.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> argb;
  std::uint32_t At(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};

Pixels CaptureScreen(const RECT& r) {
  Pixels out;
  out.width = r.right - r.left;
  out.height = r.bottom - r.top;
  BITMAPINFO bi = TopDownDib32(out.width, out.height);
  HDC screen = GetDC(nullptr);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, out.width, out.height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  out.argb.assign(p, p + static_cast<std::size_t>(out.width) * out.height);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  ReleaseDC(nullptr, screen);
  return out;
}

// The PNG's size, from its header: independent of any decoder.
SIZE PngSize(const std::string& path) {
  const std::string bytes = Win32FileSystem().ReadAll(path).value_or("");
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return SIZE{0, 0};
  auto be32 = [&bytes](int at) {
    LONG v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  return SIZE{be32(16), be32(20)};
}

// The skin premultiplied by the codec's own converter: a reference that shares
// nothing with the program's pixel format handling or premultiplication.
Pixels CodecPremultiplied(const std::string& path) {
  Pixels out;
  const HRESULT co = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT w = 0, h = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(Widen(path).c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(&w, &h)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA,
                                        WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom))) {
      std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
      if (SUCCEEDED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size() * 4),
                                          reinterpret_cast<BYTE*>(pixels.data())))) {
        out.width = static_cast<int>(w);
        out.height = static_cast<int>(h);
        out.argb = std::move(pixels);
      }
    }
    for (IUnknown* u : std::initializer_list<IUnknown*>{converter, frame, decoder, factory}) {
      if (u) u->Release();
    }
  }
  if (SUCCEEDED(co)) CoUninitialize();
  return out;
}

std::vector<std::string> ShippedSkins(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW(Widen(dir + "Skins\\*.png").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(Narrow(fd.cFileName));
  } while (FindNextFileW(find, &fd));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

LRESULT CALLBACK BackdropProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// A plain window of a known colour beneath the face, so that what shows
// through the skin's transparent pixels is known.
HWND CreateBackdrop(const RECT& r) {
  static const ATOM kClass = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = BackdropProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(kBackdrop);  // lives as long as the class
    wc.lpszClassName = L"ZentickFaceBackdrop";
    return RegisterClassW(&wc);
  }();
  HWND hwnd = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, MAKEINTATOM(kClass), L"",
                              WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  return hwnd;
}

// Handles what is waiting, as the settings dialog's loop does between slider steps.
void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Committed private memory: Wine leaves PrivateUsage of GetProcessMemoryInfo at 0.
std::size_t PrivateBytes() {
  std::size_t total = 0;
  MEMORY_BASIC_INFORMATION mbi{};
  for (const char* p = nullptr; VirtualQuery(p, &mbi, sizeof(mbi));
       p = static_cast<const char*>(mbi.BaseAddress) + mbi.RegionSize) {
    if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) total += mbi.RegionSize;
  }
  return total;
}

class FaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backdrop = CreateBackdrop(RECT{kFaceLeft - 40, kFaceTop - 40, kFaceLeft + 360, kFaceTop + 360});
    folder.WriteIni("[MainForm]\r\nLeft=" + std::to_string(kFaceLeft) +
                    "\r\nTop=" + std::to_string(kFaceTop) + "\r\n");
    program = std::make_unique<Program>(folder.Exe());
    program->parts().report.intercept = [this](const std::string& m) { errors.push_back(m); };
    program->Start();
    program->ShowFace();
    // The hands lie over the face; out of the way, the screen shows the face alone.
    SetWindowPos(program->Hands(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(100);
    ASSERT_TRUE(errors.empty()) << errors.front();
  }
  void TearDown() override {
    program.reset();
    DestroyWindow(backdrop);
  }
  void UpdateFace(const std::string& skin, int opacity) {
    program->parts().face.UpdateFace(folder.Dir() + "Skins\\" + skin, opacity);
    Pump(30);
  }
  RECT FaceRect() const {
    RECT r{};
    GetWindowRect(program->Face(), &r);
    return r;
  }
  // A screen point where the default skin is opaque (its ring, down the middle).
  struct Probe {
    POINT at;
    std::uint32_t skin;
    std::uint32_t Shown() const {
      return CaptureScreen(RECT{at.x, at.y, at.x + 1, at.y + 1}).At(0, 0);
    }
  };
  Probe OpaqueProbe() const {
    const Pixels skin = CodecPremultiplied(folder.Dir() + "Skins\\Default.png");
    const int x = skin.width / 2;
    for (int y = 0; y < skin.height; ++y) {
      if (skin.At(x, y) >> 24 == 255) return Probe{{kFaceLeft + x, kFaceTop + y}, skin.At(x, y)};
    }
    ADD_FAILURE() << "no opaque pixel down the middle of the default skin";
    return Probe{{kFaceLeft, kFaceTop}, 0};
  }

  HWND backdrop = nullptr;
  AppFolder folder;
  std::unique_ptr<Program> program;
  std::vector<std::string> errors;
};

TEST_F(FaceTest, EachSkinTakesItsSizeInPlaceAndShowsItsAlphaOverWhatLiesBeneath) {
  const std::vector<std::string> skins = ShippedSkins(folder.Dir());
  ASSERT_FALSE(skins.empty());
  for (const std::string& skin : skins) {
    SCOPED_TRACE(skin);
    UpdateFace(skin, 255);
    const SIZE size = PngSize(folder.Dir() + "Skins\\" + skin);
    ASSERT_GT(size.cx, 0);
    const RECT r = FaceRect();
    EXPECT_EQ(r.left, kFaceLeft);
    EXPECT_EQ(r.top, kFaceTop);
    EXPECT_EQ(r.right - r.left, size.cx);
    EXPECT_EQ(r.bottom - r.top, size.cy);
    EXPECT_TRUE(GetWindowLongW(program->Face(), GWL_EXSTYLE) & WS_EX_LAYERED);

    const Pixels skin_pixels = CodecPremultiplied(folder.Dir() + "Skins\\" + skin);
    ASSERT_EQ(skin_pixels.width, size.cx);
    ASSERT_EQ(skin_pixels.height, size.cy);
    const Pixels screen =
        CaptureScreen(RECT{kFaceLeft, kFaceTop, kFaceLeft + size.cx, kFaceTop + size.cy});
    // Without a compositor partly transparent pixels are not blended: only
    // the clear and the opaque ones say what the screen must show.
    int clear = 0, opaque = 0, wrong = 0;
    for (int y = 0; y < size.cy; ++y) {
      for (int x = 0; x < size.cx; ++x) {
        const std::uint32_t ref = skin_pixels.At(x, y);
        const std::uint32_t alpha = ref >> 24;
        if (alpha != 0 && alpha != 255) continue;
        const std::uint32_t expected = alpha == 0 ? kBackdropPixel : ref;
        (alpha == 0 ? clear : opaque)++;
        if (testing::ColourDistance(screen.At(x, y), expected) > kScreenTolerance && wrong++ < 5) {
          ADD_FAILURE() << "at (" << x << ", " << y << ") the screen shows " << std::hex
                        << (screen.At(x, y) & 0xFFFFFF) << ", expected " << (expected & 0xFFFFFF);
        }
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(clear, 0);  // every shipped skin is round, with clear corners
    EXPECT_GT(opaque, 0);
  }
}

TEST_F(FaceTest, PixelsHandedOverAreTheSkinPremultipliedByItsAlpha) {
  for (const std::string& skin : ShippedSkins(folder.Dir())) {
    SCOPED_TRACE(skin);
    const std::string path = folder.Dir() + "Skins\\" + skin;
    const PremultipliedImage handed = Premultiply(program->parts().images.DecodePng(path));
    const Pixels ref = CodecPremultiplied(path);
    ASSERT_EQ(handed.width, ref.width);
    ASSERT_EQ(handed.height, ref.height);
    ASSERT_EQ(handed.pixels.size(), ref.argb.size());
    int partial = 0, wrong = 0;
    for (std::size_t i = 0; i < ref.argb.size(); ++i) {
      const std::uint32_t a = ref.argb[i] >> 24;
      if (a != 0 && a != 255) ++partial;
      // The codec may truncate where the program rounds: one step either way.
      if ((handed.pixels[i] >> 24 != a ||
           testing::ColourDistance(handed.pixels[i], ref.argb[i]) > 1) &&
          wrong++ < 5) {
        ADD_FAILURE() << "pixel " << i % ref.width << ", " << i / ref.width << ": handed "
                      << std::hex << handed.pixels[i] << ", codec " << ref.argb[i];
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(partial, 0);  // soft edges: the case the screen cannot show
  }
}

struct BadSkin {
  const char* name;
  enum { kMissing, kText, kTruncated } kind;
  friend void PrintTo(const BadSkin& b, std::ostream* os) { *os << b.name; }
};

class FaceBadSkinTest : public FaceTest, public ::testing::WithParamInterface<BadSkin> {};

TEST_P(FaceBadSkinTest, EmptiesTheFaceSilentlyAndAGoodSkinBringsItBack) {
  const BadSkin bad = GetParam();
  const std::string dir = folder.Dir() + "Skins\\";
  Win32FileSystem files;
  if (bad.kind == BadSkin::kText) {
    ASSERT_TRUE(files.ReplaceAll(dir + bad.name, "not an image\r\n"));
  } else if (bad.kind == BadSkin::kTruncated) {
    const std::string bytes = files.ReadAll(dir + "Default.png").value_or("");
    ASSERT_TRUE(files.ReplaceAll(dir + bad.name, bytes.substr(0, bytes.size() / 3)));
  }
  const Probe probe = OpaqueProbe();

  UpdateFace(bad.name, 255);
  RECT r = FaceRect();
  EXPECT_EQ(r.left, kFaceLeft);
  EXPECT_EQ(r.top, kFaceTop);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.bottom - r.top, 0);
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_LE(testing::ColourDistance(probe.Shown(), kBackdropPixel), kScreenTolerance);

  UpdateFace("Default.png", 255);
  const SIZE good = PngSize(dir + "Default.png");
  r = FaceRect();
  EXPECT_EQ(r.left, kFaceLeft);
  EXPECT_EQ(r.top, kFaceTop);
  EXPECT_EQ(r.right - r.left, good.cx);
  EXPECT_EQ(r.bottom - r.top, good.cy);
  EXPECT_LE(testing::ColourDistance(probe.Shown(), probe.skin), kScreenTolerance);
}

INSTANTIATE_TEST_SUITE_P(Face, FaceBadSkinTest,
                         ::testing::Values(BadSkin{"Missing.png", BadSkin::kMissing},
                                           BadSkin{"Text.png", BadSkin::kText},
                                           BadSkin{"Truncated.png", BadSkin::kTruncated}),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           return n.substr(0, n.find('.'));
                         });

TEST_F(FaceTest, OpacityZeroHidesTheFaceAndValuesOutOfRangeShowItWhole) {
  const Probe probe = OpaqueProbe();
  // Partly faded faces are not blended on this screen, so only the two ends are seen.
  const struct {
    int opacity;
    bool shown;
  } cases[] = {{255, true}, {0, false}, {256, true}, {300, true}, {-1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.opacity);
    UpdateFace("Default.png", c.opacity);
    EXPECT_LE(testing::ColourDistance(probe.Shown(), c.shown ? probe.skin : kBackdropPixel),
              kScreenTolerance);
  }
}

TEST_F(FaceTest, AThousandUpdatesLeaveNoDrawingObjectsOrMemoryBehind) {
  // The first calls load the codec and fill caches that stay.
  for (int i = 0; i < 20; ++i) UpdateFace("Default.png", 255 - i);
  Drain();
  const std::size_t objects = GdiObjectCount();
  const std::size_t memory = PrivateBytes();
  ASSERT_GT(objects, 0u) << "the GDI handle table was not found";
  for (int i = 0; i < 1000; ++i) {
    // A slider dragged back and forth, with the out-of-range values a
    // hand-edited file can give.
    const int opacity = (i / 300) % 2 == 0 ? i % 300 - 20 : 279 - i % 300;
    program->parts().face.UpdateFace(folder.Dir() + "Skins\\Default.png", opacity);
    Drain();
  }
  EXPECT_EQ(GdiObjectCount(), objects);
  // A call moves the default skin's 80 KB of pixels through three buffers; even a
  // kilobyte left behind a call would show.
  const long long grown = static_cast<long long>(PrivateBytes()) - static_cast<long long>(memory);
  EXPECT_LT(grown, 1 << 20) << "private bytes grew by " << grown;
  EXPECT_TRUE(errors.empty());
}

TEST(FaceGdiCount, SeesObjectsMadeAndDeleted) {
  const std::size_t before = GdiObjectCount();
  HBRUSH brushes[7];
  for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(GdiObjectCount(), before + 7);
  for (HBRUSH b : brushes) DeleteObject(b);
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
}  // namespace zentick::win32
