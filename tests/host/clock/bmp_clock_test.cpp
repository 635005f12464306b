#include "clock/bmp_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fake_clock_window.h"
#include "fakes/fakes.h"

namespace zentick::clock {
namespace {

using testing::FakeClockWindow;

const Raster& BuiltInPicture() {
  static const Raster picture = [] {
    std::ifstream in(std::string(ZENTICK_SOURCE_DIR) + "/resources/bmpclock/bmpclock.bmp",
                     std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return DecodeBmpFile(bytes).raster;
  }();
  return picture;
}

class BmpClockTest : public ::testing::Test {
 protected:
  BmpClockTest() { clock.SetTime(10, 8, 42, 500); }

  // A control as created by code; the window does not exist while it is built.
  TBmpClock& Create(Raster picture = BuiltInPicture()) {
    control.reset();  // the old control would detach the timer from the new one
    window.exists = false;
    control = std::make_unique<TBmpClock>(timer, clock, window, std::move(picture));
    return *control;
  }
  // The hands window's control, sized as a 128 x 128 skin sizes it, its window shown.
  TBmpClock& CreateBic() {
    TBmpClock& bic = Create();
    ApplyBicForm(bic);
    bic.SetWidth(128);
    bic.SetHeight(128);
    window.exists = true;
    return bic;
  }

  fakes::FakeTimer timer;
  fakes::FakeClock clock;
  FakeClockWindow window;
  std::unique_ptr<TBmpClock> control;
};

TEST_F(BmpClockTest, ConstructionGivesTheCreateValuesAndStartsTheTimer) {
  clock.utc_offset_minutes = -5 * 60;
  window.exists = true;  // even with a window, construction paints nothing
  TBmpClock c(timer, clock, window, BuiltInPicture());
  EXPECT_EQ(window.blits, 0);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 100u);
  EXPECT_EQ(c.Width(), 100);
  EXPECT_EQ(c.Height(), 100);
  EXPECT_EQ(c.LastWidth(), 100);
  EXPECT_EQ(c.LastHeight(), 100);
  EXPECT_EQ(c.Picture().Width(), 100);
  EXPECT_EQ(c.TransParentColor(), kClFuchsia);
  EXPECT_FALSE(c.TransParent());
  EXPECT_EQ(c.Interval(), 100);
  EXPECT_TRUE(c.Active());
  EXPECT_EQ(c.VersionInfo(), kVersionLine);
  EXPECT_EQ(c.BackGroundStyle(), TBgStyle::bgPicture);
  EXPECT_EQ(c.BackGroundColor(), kClBlack);
  EXPECT_TRUE(c.CenterPoint());
  EXPECT_TRUE(c.AutoCenter());
  EXPECT_TRUE(c.HourHandEnabled() && c.MinuteHandEnabled() && c.SecondHandEnabled());
  EXPECT_EQ(c.Center().X(), 50);
  EXPECT_EQ(c.Center().Y(), 50);
  EXPECT_EQ(c.PictureStyle(), TPictureStyle::psNone);
  EXPECT_EQ(c.ThemeStyle(), TThemeStyle::tsNone);
  EXPECT_EQ(c.RoundX(), 25);
  EXPECT_EQ(c.RoundY(), 25);
  EXPECT_FALSE(c.RoundHole());
  EXPECT_FALSE(c.SecJump());
  EXPECT_EQ(c.GMT(), 8);
  EXPECT_EQ(c.LocalGMT(), -5);  // measured
  const struct {
    THand& hand;
    int radius, back_radius, width;
    Color color;
  } hands[] = {{c.HourHand(), 25, 6, 2, kClGreen},
               {c.MinuteHand(), 30, 6, 2, kClBlue},
               {c.SecondHand(), 38, 11, 1, kClRed}};
  for (const auto& h : hands) {
    EXPECT_EQ(h.hand.Radius(), h.radius);
    EXPECT_EQ(h.hand.BackRadius(), h.back_radius);
    EXPECT_EQ(h.hand.Width(), h.width);
    EXPECT_EQ(h.hand.Color(), h.color);
  }
  EXPECT_EQ(c.CenterMark().PointSize(), 4);
  EXPECT_EQ(c.CenterMark().PenSize(), 1);
  EXPECT_EQ(c.CenterMark().FillColor(), kClBlack);
  EXPECT_EQ(c.CenterMark().PenColor(), kClWhite);
  const TimeTracking& t = c.Tracking();
  EXPECT_EQ(t.ReportedHour + t.ReportedMinute + t.ReportedSecond, 0);
}

TEST_F(BmpClockTest, TheBicFormGivesItsValues) {
  TBmpClock& bic = Create();
  ApplyBicForm(bic);
  EXPECT_EQ(bic.Color(), kKeyColor);
  EXPECT_EQ(bic.BackGroundColor(), kKeyColor);
  EXPECT_EQ(bic.BackGroundStyle(), TBgStyle::bgColor);
  EXPECT_EQ(bic.TransParentColor(), kClBlack);
  EXPECT_FALSE(bic.AutoCenter());
  EXPECT_EQ(bic.Center().X(), 64);
  EXPECT_EQ(bic.Center().Y(), 64);
  EXPECT_EQ(bic.CenterMark().PointSize(), 3);
  EXPECT_EQ(bic.CenterMark().PenSize(), 1);
  EXPECT_EQ(bic.CenterMark().FillColor(), kClRed);
  EXPECT_EQ(bic.CenterMark().PenColor(), kClRed);
  EXPECT_EQ(bic.GMT(), 8);
  EXPECT_EQ(bic.LocalGMT(), 8);
  EXPECT_EQ(bic.Width(), 25);
  EXPECT_EQ(bic.Height(), 17);
  EXPECT_EQ(bic.Tracking().ReportedHour, 10);  // seeded by Loaded
  EXPECT_EQ(bic.Tracking().ReportedMinute, 8);
  EXPECT_EQ(bic.Tracking().ReportedSecond, 42);
  EXPECT_EQ(window.blits, 0);  // no window yet: nothing painted
  EXPECT_EQ(window.width, 25);
  EXPECT_EQ(window.height, 17);
}

double DistanceToSegment(double px, double py, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0;
  t = std::fmax(0, std::fmin(1, t));
  return std::hypot(px - a.x - t * dx, py - a.y - t * dy);
}

TEST_F(BmpClockTest, BicPaintsOnlyTheHandsAndTheRedDotOverTheKeyColour) {
  // 10:08:42.500, sweeping: hour (69, 67)-(43, 50), minute (60, 68)-(86, 44),
  // second (75, 61)-(27, 74), the dot a disc of radius 3 around (64, 64).
  CreateBic().Repaint();
  ASSERT_EQ(window.shown_width, 128);
  ASSERT_EQ(window.shown_height, 128);
  const struct {
    Color color;
    Point start, tip;
    int width;
  } hands[] = {{kClGreen, {69, 67}, {43, 50}, 2},
               {kClBlue, {60, 68}, {86, 44}, 2},
               {kClRed, {75, 61}, {27, 74}, 1}};
  // A 1-pixel line steps through pixels whose corners lie on it; a 2-pixel pen covers
  // the pixel centres within 1 of the line.
  auto on_hand = [](int x, int y, Point start, Point tip, int width) {
    return width == 1 ? DistanceToSegment(x, y, start, tip) <= 0.75
                      : DistanceToSegment(x + 0.5, y + 0.5, start, tip) <= 1.0;
  };
  int painted = 0;
  for (int y = 0; y < 128; ++y) {
    for (int x = 0; x < 128; ++x) {
      const Color c = window.ShownColor(x, y);
      if (c == kKeyColor) continue;
      ++painted;
      bool explained = c == kClRed && std::hypot(x + 0.5 - 64, y + 0.5 - 64) <= 3;
      for (const auto& h : hands) {
        explained |= c == h.color && on_hand(x, y, h.start, h.tip, h.width);
      }
      EXPECT_TRUE(explained) << "pixel " << x << "," << y << " colour " << c;
    }
  }
  // Each hand shows along its length, away from the pivot where the others cross.
  for (const auto& h : hands) {
    for (double f = 0.45; f <= 0.95; f += 0.1) {
      const int x = static_cast<int>(std::floor(h.start.x + f * (h.tip.x - h.start.x)));
      const int y = static_cast<int>(std::floor(h.start.y + f * (h.tip.y - h.start.y)));
      bool seen = false;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) seen |= window.ShownColor(x + dx, y + dy) == h.color;
      }
      EXPECT_TRUE(seen) << "hand missing near " << x << "," << y;
    }
  }
  for (Point p : {Point{63, 63}, Point{64, 64}, Point{62, 64}, Point{65, 63}}) {
    EXPECT_EQ(window.ShownColor(p.x, p.y), kClRed);
  }
  EXPECT_GT(painted, 100);
  EXPECT_LT(painted, 350);
}

TEST_F(BmpClockTest, ColourBackgroundKeepsAnOutlineAsWideAsThePreviousPen) {
  TBmpClock& bic = CreateBic();
  bic.SetColor(kClWhite);
  bic.SetBackGroundColor(kClBlack);
  bic.Repaint();
  auto left_and_right = [&](int y) {
    std::string s;
    for (int x : {0, 1, 2, 125, 126, 127}) s += window.ShownColor(x, y) == kClWhite ? 'W' : 'b';
    return s;
  };
  auto top_and_bottom = [&](int x) {
    std::string s;
    for (int y : {0, 1, 2, 125, 126, 127}) s += window.ShownColor(x, y) == kClWhite ? 'W' : 'b';
    return s;
  };
  EXPECT_EQ(left_and_right(10), "WbbbbW");  // the dot's pen of 1
  bic.CenterMark().SetPenSize(3);           // this paint still starts with the pen of 1
  EXPECT_EQ(left_and_right(10), "WbbbbW");
  bic.Repaint();
  EXPECT_EQ(left_and_right(10), "WWbbWW");
  EXPECT_EQ(top_and_bottom(100), "WWbbWW");
  bic.SetCenterPoint(false);  // now the second hand's pen of 1 is the last one
  bic.SecondHand().SetWidth(2);
  bic.Repaint();
  EXPECT_EQ(left_and_right(10), "WbbbWW");
  EXPECT_EQ(window.ShownColor(64, 10), kClBlack);
}

class PictureStyleTest : public BmpClockTest, public ::testing::WithParamInterface<bool> {
 protected:
  static constexpr Color kControlColor = 0x336699;
  // A control that shows only its background.
  TBmpClock& Background(Raster picture, TPictureStyle style, int w, int h) {
    TBmpClock& c = Create(std::move(picture));
    c.SetHourHandEnabled(false);
    c.SetMinuteHandEnabled(false);
    c.SetSecondHandEnabled(false);
    c.SetCenterPoint(false);
    c.SetColor(kControlColor);
    c.SetPictureStyle(style);
    c.SetTransParent(GetParam());
    c.SetWidth(w);
    c.SetHeight(h);
    window.exists = true;
    c.Repaint();
    return c;
  }
  Color Keyed(Color c) const { return GetParam() && c == kClFuchsia ? kControlColor : c; }
};

TEST_P(PictureStyleTest, NonePutsThePictureAtTheCorner) {
  Background(BuiltInPicture(), TPictureStyle::psNone, 150, 150);
  const Raster& pic = BuiltInPicture();
  for (int y = 0; y < 150; ++y) {
    for (int x = 0; x < 150; ++x) {
      const Color want = x < 100 && y < 100 ? Keyed(pic.ColorAt(x, y)) : kControlColor;
      ASSERT_EQ(window.ShownColor(x, y), want) << x << "," << y;
    }
  }
  EXPECT_EQ(window.ShownColor(0, 0), GetParam() ? kControlColor : kClFuchsia);
}

// Every pixel its own colour, with a key-coloured column.
Raster Pattern(int w, int h) {
  Raster r(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) r.SetColorAt(x, y, x == 7 ? kClFuchsia : 0x000100u * y + x + 1);
  }
  return r;
}

TEST_P(PictureStyleTest, TileRepeatsFromTheCornerAndCutsTheLastRowAndColumn) {
  Background(Pattern(40, 30), TPictureStyle::psTile, 100, 70);
  const Raster pic = Pattern(40, 30);
  for (int y = 0; y < 70; ++y) {
    for (int x = 0; x < 100; ++x) {
      ASSERT_EQ(window.ShownColor(x, y), Keyed(pic.ColorAt(x % 40, y % 30))) << x << "," << y;
    }
  }
}

TEST_P(PictureStyleTest, StretchCoversTheWholeControl) {
  Raster quarters(2, 2);
  quarters.SetColorAt(0, 0, kClRed);
  quarters.SetColorAt(1, 0, kClFuchsia);
  quarters.SetColorAt(0, 1, kClBlue);
  quarters.SetColorAt(1, 1, kClGreen);
  Background(quarters, TPictureStyle::psStretch, 100, 70);
  for (int y = 0; y < 70; ++y) {
    for (int x = 0; x < 100; ++x) {
      ASSERT_EQ(window.ShownColor(x, y), Keyed(quarters.ColorAt(x / 50, y / 35))) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(TransParent, PictureStyleTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Keyed" : "Opaque"; });

TEST_F(BmpClockTest, AnEmptyPictureIsIgnoredAndNeverTiled) {
  TBmpClock& c = Create(Raster());
  c.SetPictureStyle(TPictureStyle::psTile);
  c.SetColor(kClBlue);
  window.exists = true;
  c.Repaint();  // must not loop
  EXPECT_EQ(window.ShownColor(5, 5), kClBlue);
  c.SetPicture(BuiltInPicture());
  const int blits = window.blits;
  c.SetPicture(Raster());
  EXPECT_EQ(window.blits, blits);
  EXPECT_EQ(c.Picture().Width(), 100);
}

TEST_F(BmpClockTest, PictureSizesTheControlAndTheNextPaintReshapesTheWindow) {
  TBmpClock& c = Create();
  window.exists = true;
  c.SetThemeStyle(TThemeStyle::tsCircle);
  ASSERT_EQ(window.regions.back(),
            (FakeClockWindow::Region{WindowShape::kEllipse, 100, 100, 25, 25}));
  const int blits = window.blits;
  const Raster wide(200, 120, kClGreen);
  c.SetPicture(wide);
  EXPECT_EQ(c.Width(), 200);
  EXPECT_EQ(c.Height(), 120);
  EXPECT_EQ(window.width, 200);
  EXPECT_EQ(window.height, 120);
  EXPECT_EQ(window.regions.back(),
            (FakeClockWindow::Region{WindowShape::kEllipse, 200, 120, 25, 25}));
  EXPECT_EQ(c.LastWidth(), 200);
  EXPECT_EQ(window.blits, blits + 2);  // the paint, and the one after the new shape
  EXPECT_EQ(window.shown_width, 200);

  // The same picture again: copied and repainted, the shape already fits.
  const std::size_t regions = window.regions.size();
  c.SetPicture(wide);
  EXPECT_EQ(window.blits, blits + 3);
  EXPECT_EQ(window.regions.size(), regions);
}

TEST_F(BmpClockTest, ThemeStylesShapeTheWindow) {
  TBmpClock& c = Create();
  window.exists = true;
  const struct {
    TThemeStyle style;
    WindowShape shape;
  } cases[] = {{TThemeStyle::tsCircle, WindowShape::kEllipse},
               {TThemeStyle::tsRoundRect, WindowShape::kRoundRect},
               {TThemeStyle::tsAuto, WindowShape::kRectangle},
               {TThemeStyle::tsNone, WindowShape::kRectangle}};
  for (const auto& k : cases) {
    const int blits = window.blits;
    c.SetThemeStyle(k.style);
    EXPECT_EQ(window.regions.back(), (FakeClockWindow::Region{k.shape, 100, 100, 25, 25}));
    EXPECT_EQ(window.blits, blits + 1);
  }
  c.SetThemeStyle(TThemeStyle::tsRoundRect);
  c.SetRoundX(40);
  EXPECT_EQ(window.regions.back(),
            (FakeClockWindow::Region{WindowShape::kRoundRect, 100, 100, 40, 25}));
  c.SetRoundY(10);
  EXPECT_EQ(window.regions.back(),
            (FakeClockWindow::Region{WindowShape::kRoundRect, 100, 100, 40, 10}));

  // Without a window the shape is still handed over, for the window to come.
  window.exists = false;
  const int blits = window.blits;
  c.SetThemeStyle(TThemeStyle::tsCircle);
  EXPECT_EQ(window.regions.back().shape, WindowShape::kEllipse);
  EXPECT_EQ(window.blits, blits);
}

struct SetterCase {
  const char* name;
  std::function<void(TBmpClock&)> set_same;
  std::function<void(TBmpClock&)> set_other;
};

TEST_F(BmpClockTest, SettersRepaintOnlyWhenTheValueChanges) {
  const SetterCase cases[] = {
      {"Width", [](TBmpClock& c) { c.SetWidth(c.Width()); }, [](TBmpClock& c) { c.SetWidth(90); }},
      {"Height", [](TBmpClock& c) { c.SetHeight(c.Height()); },
       [](TBmpClock& c) { c.SetHeight(90); }},
      {"Color", [](TBmpClock& c) { c.SetColor(c.Color()); }, [](TBmpClock& c) { c.SetColor(1); }},
      {"Enabled", [](TBmpClock& c) { c.SetEnabled(true); },
       [](TBmpClock& c) { c.SetEnabled(false); }},
      {"TransParentColor", [](TBmpClock& c) { c.SetTransParentColor(kClFuchsia); },
       [](TBmpClock& c) { c.SetTransParentColor(1); }},
      {"TransParent", [](TBmpClock& c) { c.SetTransParent(false); },
       [](TBmpClock& c) { c.SetTransParent(true); }},
      {"Interval", [](TBmpClock& c) { c.SetInterval(100); },
       [](TBmpClock& c) { c.SetInterval(50); }},
      {"Active", [](TBmpClock& c) { c.SetActive(true); }, [](TBmpClock& c) { c.SetActive(false); }},
      {"BackGroundStyle", [](TBmpClock& c) { c.SetBackGroundStyle(TBgStyle::bgPicture); },
       [](TBmpClock& c) { c.SetBackGroundStyle(TBgStyle::bgColor); }},
      {"BackGroundColor", [](TBmpClock& c) { c.SetBackGroundColor(0); },
       [](TBmpClock& c) { c.SetBackGroundColor(1); }},
      {"CenterPoint", [](TBmpClock& c) { c.SetCenterPoint(true); },
       [](TBmpClock& c) { c.SetCenterPoint(false); }},
      {"AutoCenter", [](TBmpClock& c) { c.SetAutoCenter(true); },
       [](TBmpClock& c) { c.SetAutoCenter(false); }},
      {"HourHandEnabled", [](TBmpClock& c) { c.SetHourHandEnabled(true); },
       [](TBmpClock& c) { c.SetHourHandEnabled(false); }},
      {"MinuteHandEnabled", [](TBmpClock& c) { c.SetMinuteHandEnabled(true); },
       [](TBmpClock& c) { c.SetMinuteHandEnabled(false); }},
      {"SecondHandEnabled", [](TBmpClock& c) { c.SetSecondHandEnabled(true); },
       [](TBmpClock& c) { c.SetSecondHandEnabled(false); }},
      {"PictureStyle", [](TBmpClock& c) { c.SetPictureStyle(TPictureStyle::psNone); },
       [](TBmpClock& c) { c.SetPictureStyle(TPictureStyle::psTile); }},
      {"ThemeStyle", [](TBmpClock& c) { c.SetThemeStyle(TThemeStyle::tsNone); },
       [](TBmpClock& c) { c.SetThemeStyle(TThemeStyle::tsAuto); }},
      {"RoundX", [](TBmpClock& c) { c.SetRoundX(25); }, [](TBmpClock& c) { c.SetRoundX(5); }},
      {"RoundY", [](TBmpClock& c) { c.SetRoundY(25); }, [](TBmpClock& c) { c.SetRoundY(5); }},
      {"RoundHole", [](TBmpClock& c) { c.SetRoundHole(false); },
       [](TBmpClock& c) { c.SetRoundHole(true); }},
      {"SecJump", [](TBmpClock& c) { c.SetSecJump(false); },
       [](TBmpClock& c) { c.SetSecJump(true); }},
      {"LocalGMT", [](TBmpClock& c) { c.SetLocalGMT(c.LocalGMT()); },
       [](TBmpClock& c) { c.SetLocalGMT(3); }},
      {"GMT", [](TBmpClock& c) { c.SetGMT(8); }, [](TBmpClock& c) { c.SetGMT(0); }},
      {"Center.X", [](TBmpClock& c) { c.Center().SetX(50); },
       [](TBmpClock& c) { c.Center().SetX(5); }},
      {"Center.Y", [](TBmpClock& c) { c.Center().SetY(50); },
       [](TBmpClock& c) { c.Center().SetY(5); }},
      {"HourHand.Radius", [](TBmpClock& c) { c.HourHand().SetRadius(25); },
       [](TBmpClock& c) { c.HourHand().SetRadius(20); }},
      {"MinuteHand.BackRadius", [](TBmpClock& c) { c.MinuteHand().SetBackRadius(6); },
       [](TBmpClock& c) { c.MinuteHand().SetBackRadius(2); }},
      {"SecondHand.Width", [](TBmpClock& c) { c.SecondHand().SetWidth(1); },
       [](TBmpClock& c) { c.SecondHand().SetWidth(3); }},
      {"SecondHand.Color", [](TBmpClock& c) { c.SecondHand().SetColor(kClRed); },
       [](TBmpClock& c) { c.SecondHand().SetColor(kClBlack); }},
      {"CenterMark.PointSize", [](TBmpClock& c) { c.CenterMark().SetPointSize(4); },
       [](TBmpClock& c) { c.CenterMark().SetPointSize(2); }},
      {"CenterMark.PenSize", [](TBmpClock& c) { c.CenterMark().SetPenSize(1); },
       [](TBmpClock& c) { c.CenterMark().SetPenSize(2); }},
      {"CenterMark.FillColor", [](TBmpClock& c) { c.CenterMark().SetFillColor(0); },
       [](TBmpClock& c) { c.CenterMark().SetFillColor(1); }},
      {"CenterMark.PenColor", [](TBmpClock& c) { c.CenterMark().SetPenColor(kClWhite); },
       [](TBmpClock& c) { c.CenterMark().SetPenColor(1); }},
  };
  for (const SetterCase& k : cases) {
    TBmpClock& c = Create();
    window.exists = true;
    window.blits = 0;
    window.regions.clear();
    k.set_same(c);
    EXPECT_EQ(window.blits, 0) << k.name;
    EXPECT_TRUE(window.regions.empty()) << k.name;
    k.set_other(c);
    EXPECT_GE(window.blits, 1) << k.name;
    control.reset();
  }
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(BmpClockTest, NothingIsPaintedBeforeTheWindowExists) {
  TBmpClock& c = Create();
  int ticks = 0;
  c.OnTime = [&](TBmpClock&) { ++ticks; };
  c.SetColor(kClRed);
  c.SetWidth(64);
  c.HourHand().SetRadius(3);
  timer.Advance(300);
  EXPECT_EQ(window.blits, 0);
  EXPECT_EQ(ticks, 3);  // the events run on
  window.exists = true;
  timer.Advance(100);
  EXPECT_EQ(window.blits, 2);  // the first paint at the new size reshapes the window
  EXPECT_EQ(window.regions.back(),
            (FakeClockWindow::Region{WindowShape::kRectangle, 64, 100, 25, 25}));
}

TEST_F(BmpClockTest, EnabledFalseStopsTheTimerAndSetsActiveFalse) {
  TBmpClock& c = Create();
  window.exists = true;
  int ticks = 0;
  c.OnTime = [&](TBmpClock&) { ++ticks; };
  timer.Advance(200);
  EXPECT_EQ(ticks, 2);
  c.SetEnabled(false);
  EXPECT_FALSE(c.Active());
  EXPECT_FALSE(timer.Enabled());
  timer.Advance(1000);
  EXPECT_EQ(ticks, 2);
  c.SetActive(true);  // restarts the timer although the control stays disabled
  EXPECT_FALSE(c.Enabled());
  EXPECT_TRUE(timer.Enabled());
  timer.Advance(100);
  EXPECT_EQ(ticks, 3);
  c.SetInterval(250);
  EXPECT_EQ(timer.Interval(), 250u);
  timer.Advance(500);
  EXPECT_EQ(ticks, 5);
}

TEST_F(BmpClockTest, VersionInfoShowsItsBoxOnceForANewValue) {
  TBmpClock& c = Create();
  c.SetVersionInfo(c.VersionInfo());
  EXPECT_TRUE(window.boxes.empty());
  c.SetVersionInfo("anything");
  ASSERT_EQ(window.boxes.size(), 1u);
  EXPECT_EQ(window.boxes[0].text, kVersionLineShown);
  EXPECT_EQ(window.boxes[0].caption, kVersionCaption);
  EXPECT_EQ(c.VersionInfo(), kVersionLineShown);
  c.SetVersionInfo(kVersionLineShown);
  EXPECT_EQ(window.boxes.size(), 1u);
  EXPECT_NE(std::string(kVersionLine), kVersionLineShown);
}

TEST_F(BmpClockTest, AutoCenterOnMovesCenterAndOffKeepsIt) {
  TBmpClock& c = CreateBic();
  c.Center().SetX(10);
  c.Center().SetY(20);
  c.SetAutoCenter(true);
  EXPECT_EQ(c.Center().X(), 64);
  EXPECT_EQ(c.Center().Y(), 64);
  const std::vector<std::uint32_t> centred = window.shown;
  c.SetAutoCenter(false);
  EXPECT_EQ(c.Center().X(), 64);
  EXPECT_EQ(window.shown, centred);  // the hands stay put
}

struct Events {
  std::vector<std::string> log;
  void Attach(TBmpClock& c) {
    c.OnSecond = [this](TBmpClock&, std::uint16_t v) { log.push_back("s" + std::to_string(v)); };
    c.OnMinute = [this](TBmpClock&, std::uint16_t v) { log.push_back("m" + std::to_string(v)); };
    c.OnHour = [this](TBmpClock&, std::uint16_t v) { log.push_back("h" + std::to_string(v)); };
    c.OnTime = [this](TBmpClock&) { log.push_back("t"); };
  }
  std::vector<std::string> Take() { return std::exchange(log, {}); }
};

using Log = std::vector<std::string>;

TEST_F(BmpClockTest, ALoadedControlReportsOnlyRealChanges) {
  clock.SetTime(10, 15, 30);
  TBmpClock& c = Create();
  ApplyBicForm(c);
  Events events;
  events.Attach(c);
  timer.Tick();
  EXPECT_EQ(events.Take(), (Log{"t"}));
  clock.SetTime(10, 15, 31);
  timer.Tick();
  EXPECT_EQ(events.Take(), (Log{"s31", "t"}));
  clock.SetTime(11, 0, 0, 900);
  timer.Tick();
  EXPECT_EQ(events.Take(), (Log{"s0", "m0", "h11", "t"}));
}

TEST_F(BmpClockTest, AControlCreatedByCodeReportsAllButZeroOnItsFirstTick) {
  const struct {
    int hour, minute, second;
    Log first_tick;
  } cases[] = {
      {10, 15, 30, {"s30", "m15", "h10", "t"}}, {0, 15, 0, {"m15", "t"}}, {0, 0, 0, {"t"}}};
  for (const auto& k : cases) {
    clock.SetTime(k.hour, k.minute, k.second);
    TBmpClock& c = Create();
    Events events;
    events.Attach(c);
    timer.Tick();
    EXPECT_EQ(events.Take(), k.first_tick) << k.hour << ":" << k.minute << ":" << k.second;
    control.reset();
  }
}

TEST_F(BmpClockTest, TheZoneShiftMovesTheHandsButNotTheEvents) {
  // Local 10:59:59 at UTC+8, showing UTC+5: the hands show 07:59:59, then 08:00:00.
  clock.SetTime(10, 59, 59);
  TBmpClock& shifted = CreateBic();
  shifted.SetGMT(5);
  Events events;
  events.Attach(shifted);
  clock.SetTime(11, 0, 0);
  timer.Tick();
  EXPECT_EQ(events.Take(), (Log{"s0", "m0", "h11", "t"}));
  EXPECT_EQ(shifted.Tracking().CurHour, 11);
  const std::vector<std::uint32_t> shown = window.shown;
  control.reset();

  clock.SetTime(8, 0, 0);
  CreateBic().Repaint();
  EXPECT_EQ(window.shown, shown);
  clock.SetTime(11, 0, 0);
  control->Repaint();
  EXPECT_NE(window.shown, shown);
}

TEST_F(BmpClockTest, DestructionStopsAndDetachesTheTimer) {
  TBmpClock& c = CreateBic();
  int ticks = 0;
  c.OnTime = [&](TBmpClock&) { ++ticks; };
  timer.Advance(100);
  ASSERT_EQ(ticks, 1);
  const int blits = window.blits;
  control.reset();
  EXPECT_FALSE(timer.Enabled());
  timer.Tick();  // a tick already queued reaches no control
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(window.blits, blits);
}

TEST_F(BmpClockTest, PaintsReuseTheBufferUntilTheSizeChanges) {
  TBmpClock& c = CreateBic();
  c.Repaint();
  const std::uint32_t* pixels = c.Buffer().View().pixels;
  for (int i = 0; i < 5; ++i) {
    clock.Advance(100);
    timer.Tick();
  }
  EXPECT_EQ(c.Buffer().View().pixels, pixels);
  EXPECT_EQ(window.regions.back(),
            (FakeClockWindow::Region{WindowShape::kRectangle, 128, 128, 25, 25}));
}

}  // namespace
}  // namespace zentick::clock
