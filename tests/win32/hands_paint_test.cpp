// The hands window on the real window system: the hands of the current time,
// where the skin places them, over the key colour that lets the face show.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "clock/time_geometry.h"
#include "platform/win32/handles.h"
#include "platform/win32/program.h"
#include "platform/win32/program_parts.h"
#include "platform/win32/utf16.h"
#include "test_support.h"

namespace zentick::win32 {
namespace {

using testing::AppFolder;
using testing::Pump;

constexpr int kLeft = 260;
constexpr int kTop = 140;
constexpr std::uint32_t kKeyPixel = 0xFF8080;  // RGB(255, 128, 128) as a DIB holds it
constexpr int kCenterMarkSize = 3;             // the red dot over the pivot
constexpr double kPi = 3.14159265358979323846;

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, top row first
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  std::uint32_t At(int x, int y) const {
    return rgb[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF;
  }
};

Pixels Capture(HDC source, int x, int y, int width, int height) {
  Pixels out;
  BITMAPINFO bi = TopDownDib32(width, height);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(source);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  GdiFlush();
  out.width = width;
  out.height = height;
  const auto* p = static_cast<const std::uint32_t*>(bits);
  out.rgb.assign(p, p + static_cast<std::size_t>(width) * height);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  return out;
}

std::uint32_t PixelOf(Color c) {  // 0x00BBGGRR to 0x00RRGGBB
  return (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

struct Hand {
  Color color = 0;
  int radius = 0;
  int width = 0;
  int back_radius = 0;
};

struct Layout {
  Point pivot;
  Hand hour, minute, second;
};

// Read straight from the skin's descriptor, not through the program's loader.
Layout ReadLayout(const std::string& ini, int image_width, int image_height) {
  auto read = [&ini](const char* key) {
    wchar_t buf[64] = {};
    GetPrivateProfileStringW(L"Settings", Widen(key).c_str(), L"", buf, 64, Widen(ini).c_str());
    EXPECT_NE(buf[0], L'\0') << key << " missing from " << ini;
    return static_cast<int>(std::wcstol(buf, nullptr, 0));
  };
  auto hand = [&read](const std::string& name, int back_radius) {
    return Hand{static_cast<Color>(read((name + "Color").c_str())), read((name + "Radius").c_str()),
                read((name + "Width").c_str()), back_radius};
  };
  // 62 in a descriptor stands for half the image.
  const int cx = read("CenterX"), cy = read("CenterY");
  return Layout{{cx == 62 ? image_width / 2 : cx, cy == 62 ? image_height / 2 : cy},
                hand("Hour", 6),
                hand("Minute", 6),
                hand("Second", 11)};  // the tails come from the hands window's form
}

// The local time `offset_ms` from `t`, within its day.
clock::ShownTime TimeAt(const SYSTEMTIME& t, int offset_ms) {
  long long ms =
      ((t.wHour * 60LL + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds + offset_ms;
  ms = (ms % clock::kMsPerDay + clock::kMsPerDay) % clock::kMsPerDay;
  return clock::ShownTime{
      static_cast<std::uint16_t>(ms / 3600000), static_cast<std::uint16_t>(ms / 60000 % 60),
      static_cast<std::uint16_t>(ms / 1000 % 60), static_cast<std::uint16_t>(ms % 1000)};
}

double DistanceToSegment(double px, double py, const clock::Segment& s) {
  const double ax = s.start.x, ay = s.start.y, bx = s.tip.x, by = s.tip.y;
  const double len2 = (bx - ax) * (bx - ax) + (by - ay) * (by - ay);
  double t = len2 > 0 ? ((px - ax) * (bx - ax) + (py - ay) * (by - ay)) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - (ax + t * (bx - ax)), py - (ay + t * (by - ay)));
}

// A drawn hand: where its line runs, and how far its pen reaches from it.
struct Drawn {
  clock::Segment segment;
  double reach;
  std::uint32_t colour;
};

bool NearAny(double x, double y, const std::vector<Drawn>& others) {
  return std::any_of(others.begin(), others.end(),
                     [&](const Drawn& d) { return DistanceToSegment(x, y, d.segment) <= d.reach; });
}

// The point `d` pixels from the pivot towards `angle`.
void Along(Point pivot, double angle, double d, double& x, double& y) {
  x = pivot.x + d * std::sin(angle);
  y = pivot.y - d * std::cos(angle);
}

bool ColourNear(const Pixels& p, double x, double y, const std::vector<std::uint32_t>& colours) {
  const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (!p.Inside(cx + dx, cy + dy)) continue;
      const std::uint32_t c = p.At(cx + dx, cy + dy);
      if (std::find(colours.begin(), colours.end(), c) != colours.end()) return true;
    }
  }
  return false;
}

// The number of points along the hand, from just outside the centre mark to
// just short of its tip, that show neither its colour nor that of a hand
// drawn later over them.
int MissingAlong(const Pixels& p, Point pivot, double angle, const Hand& hand,
                 const std::vector<Drawn>& later) {
  int missing = 0;
  for (int d = kCenterMarkSize + 2; d < hand.radius - 1; ++d) {
    double x, y;
    Along(pivot, angle, d, x, y);
    std::vector<std::uint32_t> colours{PixelOf(hand.color)};
    for (const Drawn& o : later) {
      if (DistanceToSegment(x, y, o.segment) <= o.reach) colours.push_back(o.colour);
    }
    if (!ColourNear(p, x, y, colours)) ++missing;
  }
  return missing;
}

// Just past the tip the hand's colour must not show: a hand as long as the skin says.
bool ColourPastTip(const Pixels& p, Point pivot, double angle, const Hand& hand,
                   const std::vector<Drawn>& others) {
  double x, y;
  Along(pivot, angle, hand.radius + hand.width + 2, x, y);
  if (NearAny(x, y, others)) return false;
  const int ix = static_cast<int>(std::lround(x)), iy = static_cast<int>(std::lround(y));
  return p.Inside(ix, iy) && p.At(ix, iy) == PixelOf(hand.color);
}

struct Case {
  const char* skin;
  bool second_jump;
  friend void PrintTo(const Case& c, std::ostream* os) {
    *os << c.skin << (c.second_jump ? ", jumping" : ", sweeping");
  }
};

class HandsPaintTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    folder.WriteIni("[MainForm]\r\nLeft=" + std::to_string(kLeft) + "\r\nTop=" +
                    std::to_string(kTop) + "\r\n[Options]\r\nBmpFilename=" + GetParam().skin +
                    "\r\nSecondJump=" + (GetParam().second_jump ? "1" : "0") + "\r\n");
    program = std::make_unique<Program>(folder.Exe());
    program->parts().report.intercept = [this](const std::string& m) { errors.push_back(m); };
    program->Start();
    program->ShowFace();
    Pump(200);
    ASSERT_TRUE(errors.empty()) << errors.front();
  }

  AppFolder folder;
  std::unique_ptr<Program> program;
  std::vector<std::string> errors;
};

TEST_P(HandsPaintTest, ShowTheCurrentTimeOverTheKeyColourThatLetsTheFaceShow) {
  const std::string skin = folder.Dir() + "Skins\\" + GetParam().skin;
  const PremultipliedImage face = Premultiply(program->parts().images.DecodePng(skin));
  ASSERT_GT(face.width, 0);
  const std::string ini = skin.substr(0, skin.rfind('.')) + ".ini";
  const Layout layout = ReadLayout(ini, face.width, face.height);

  HWND hands = program->Hands();
  RECT r{};
  GetWindowRect(hands, &r);
  ASSERT_EQ(r.right - r.left, face.width);
  ASSERT_EQ(r.bottom - r.top, face.height);

  // The picture is the one of the latest tick, painted while messages were
  // pumped; the hour and minute hands must not move on meanwhile.
  SYSTEMTIME before{}, after{};
  Pixels own, screen;
  for (int attempt = 0; attempt < 5; ++attempt) {
    Pump(250);
    GetLocalTime(&before);
    if (before.wSecond == 0 || before.wSecond == 59) {
      Pump(1500);
      continue;
    }
    HDC dc = GetDC(hands);
    own = Capture(dc, 0, 0, face.width, face.height);
    ReleaseDC(hands, dc);
    HDC screen_dc = GetDC(nullptr);
    screen = Capture(screen_dc, r.left, r.top, face.width, face.height);
    ReleaseDC(nullptr, screen_dc);
    GetLocalTime(&after);
    if (after.wMinute == before.wMinute) break;
  }
  ASSERT_EQ(after.wMinute, before.wMinute);
  ASSERT_EQ(own.width, face.width);

  const bool jump = GetParam().second_jump;
  const clock::HandAngles now = clock::HandAnglesOf(TimeAt(before, 0), jump);
  auto drawn = [&layout](double angle, const Hand& h) {
    return Drawn{clock::HandSegment(layout.pivot, angle, h.radius, h.back_radius, false),
                 h.width / 2.0 + 2, PixelOf(h.color)};
  };
  // The second hand of the latest paint: from up to a second before the reading.
  std::vector<double> second_angles;
  for (int offset = -1000; offset <= 0; offset += jump ? 1000 : 10) {
    second_angles.push_back(clock::HandAnglesOf(TimeAt(before, offset), jump).second);
  }
  std::vector<Drawn> seconds;
  for (double a : second_angles) seconds.push_back(drawn(a, layout.second));
  std::vector<Drawn> minute_and_seconds = seconds;
  minute_and_seconds.push_back(drawn(now.minute, layout.minute));
  std::vector<Drawn> hour_and_minute{drawn(now.hour, layout.hour),
                                     drawn(now.minute, layout.minute)};
  std::vector<Drawn> all = minute_and_seconds;
  all.push_back(hour_and_minute[0]);

  const std::string at = std::to_string(before.wHour) + ":" + std::to_string(before.wMinute) + ":" +
                         std::to_string(before.wSecond) + "." +
                         std::to_string(before.wMilliseconds);
  EXPECT_EQ(MissingAlong(own, layout.pivot, now.hour, layout.hour, minute_and_seconds), 0)
      << "hour hand at " << at;
  EXPECT_EQ(MissingAlong(own, layout.pivot, now.minute, layout.minute, seconds), 0)
      << "minute hand at " << at;
  EXPECT_FALSE(ColourPastTip(own, layout.pivot, now.hour, layout.hour, minute_and_seconds)) << at;
  EXPECT_FALSE(ColourPastTip(own, layout.pivot, now.minute, layout.minute, seconds)) << at;

  const bool second_shown = std::any_of(second_angles.begin(), second_angles.end(), [&](double a) {
    return MissingAlong(own, layout.pivot, a, layout.second, {}) == 0 &&
           !ColourPastTip(own, layout.pivot, a, layout.second, hour_and_minute);
  });
  EXPECT_TRUE(second_shown) << "no second hand within the second before " << at;

  // Away from every hand (and its tail): the key colour in the window's own
  // pixels, the face beneath it on the screen.
  double best_angle = 0, best_gap = -1;
  for (int deg = 0; deg < 360; ++deg) {
    const double a = deg * kPi / 180;
    double gap = kPi;
    for (const Drawn& d : all) {
      const double hand =
          std::atan2(d.segment.tip.x - layout.pivot.x, layout.pivot.y - d.segment.tip.y);
      for (double h : {hand, hand + kPi}) {
        gap = std::min(gap, std::abs(std::remainder(a - h, 2 * kPi)));
      }
    }
    if (gap > best_gap) {
      best_gap = gap;
      best_angle = a;
    }
  }
  double fx, fy;
  Along(layout.pivot, best_angle, (kCenterMarkSize + layout.hour.radius) / 2.0 + 4, fx, fy);
  const int ax = static_cast<int>(std::lround(fx)), ay = static_cast<int>(std::lround(fy));
  ASSERT_TRUE(own.Inside(ax, ay));
  EXPECT_EQ(own.At(ax, ay), kKeyPixel) << "at (" << ax << ", " << ay << ")";
  const std::uint32_t face_there = face.pixels[static_cast<std::size_t>(ay) * face.width + ax];
  ASSERT_EQ(face_there >> 24, 255u) << "the skin is not opaque there";
  EXPECT_LE(testing::ColourDistance(screen.At(ax, ay), face_there), 2)
      << std::hex << screen.At(ax, ay) << " on the screen, the face has " << face_there;

  // The whole window the same way: what it paints covers the face, its key
  // colour shows it. Partly transparent face pixels are not blended here.
  int compared = 0, wrong = 0;
  for (int y = 0; y < own.height; ++y) {
    for (int x = 0; x < own.width; ++x) {
      const std::uint32_t mine = own.At(x, y);
      const std::uint32_t under = face.pixels[static_cast<std::size_t>(y) * face.width + x];
      if (mine == kKeyPixel && under >> 24 != 255) continue;
      const std::uint32_t expected = mine == kKeyPixel ? under : mine;
      ++compared;
      if (testing::ColourDistance(screen.At(x, y), expected) > 2 && wrong++ < 5) {
        ADD_FAILURE() << "at (" << x << ", " << y << ") the screen shows " << std::hex
                      << screen.At(x, y) << ", expected " << (expected & 0xFFFFFF);
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(compared, own.width * own.height / 2);
}

INSTANTIATE_TEST_SUITE_P(Hands, HandsPaintTest,
                         ::testing::Values(Case{"Default.png", true}, Case{"Large.png", false}),
                         [](const auto& info) {
                           const std::string n = info.param.skin;
                           return n.substr(0, n.find('.')) +
                                  (info.param.second_jump ? "Jumping" : "Sweeping");
                         });

}  // namespace
}  // namespace zentick::win32
