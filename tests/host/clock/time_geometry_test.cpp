#include "clock/time_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fakes/fakes.h"

namespace zentick::clock {
namespace {

enum class Which { kHour, kMinute, kSecond };

struct HandCase {
  const char* name;
  int hour, minute, second, millisecond;
  bool sec_jump;
  Which hand;
  int radius, back_radius;
  bool round_hole;
  Point start, tip;
};

// Pivot (64, 64) and the control's default hands 25/6, 30/6, 38/11 throughout.
const HandCase kHandCases[] = {
    {"HourAt1530", 15, 30, 0, 0, true, Which::kHour, 25, 6, false, {58, 62}, {88, 70}},
    {"SecondAt15sJumping", 0, 0, 15, 0, true, Which::kSecond, 38, 11, false, {53, 64}, {102, 64}},
    {"SecondAt15sRoundHole", 0, 0, 15, 0, true, Which::kSecond, 38, 11, true, {75, 64}, {102, 64}},
    {"HourAt100842", 10, 8, 42, 500, false, Which::kHour, 25, 6, false, {69, 67}, {43, 50}},
    {"MinuteAt100842", 10, 8, 42, 500, false, Which::kMinute, 30, 6, false, {60, 68}, {86, 44}},
    {"SecondAt100842Sweeping",
     10,
     8,
     42,
     500,
     false,
     Which::kSecond,
     38,
     11,
     false,
     {75, 61},
     {27, 74}},
    {"SecondAt100842Jumping",
     10,
     8,
     42,
     500,
     true,
     Which::kSecond,
     38,
     11,
     false,
     {74, 61},
     {28, 76}},
    {"HourAtMidnight", 0, 0, 0, 0, false, Which::kHour, 25, 6, false, {64, 70}, {64, 39}},
    {"MinuteAtMidnight", 0, 0, 0, 0, false, Which::kMinute, 30, 6, false, {64, 70}, {64, 34}},
    {"SecondAtMidnight", 0, 0, 0, 0, false, Which::kSecond, 38, 11, false, {64, 75}, {64, 26}},
};

class HandSegmentTest : public ::testing::TestWithParam<HandCase> {};

TEST_P(HandSegmentTest, GivesTheWorkedEndPoints) {
  const HandCase& c = GetParam();
  const ShownTime t{static_cast<std::uint16_t>(c.hour), static_cast<std::uint16_t>(c.minute),
                    static_cast<std::uint16_t>(c.second),
                    static_cast<std::uint16_t>(c.millisecond)};
  const HandAngles a = HandAnglesOf(t, c.sec_jump);
  const double angle = c.hand == Which::kHour     ? a.hour
                       : c.hand == Which::kMinute ? a.minute
                                                  : a.second;
  const Segment seg = HandSegment({64, 64}, angle, c.radius, c.back_radius, c.round_hole);
  EXPECT_EQ(seg.start, c.start);
  EXPECT_EQ(seg.tip, c.tip);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, HandSegmentTest, ::testing::ValuesIn(kHandCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HandAngles, UseTheExactConstantsAndDoNotReduceTheHour) {
  const HandAngles at1530 = HandAnglesOf({15, 30, 0, 0}, true);
  EXPECT_DOUBLE_EQ(at1530.hour, (15.5 * kTwoPi) / 12);
  EXPECT_GT(at1530.hour, kTwoPi);  // 465 degrees, not 105
  EXPECT_DOUBLE_EQ(at1530.minute, (30 * kTwoPi) / 60);

  // The minute hand does not follow the seconds; the hour hand follows the minutes.
  EXPECT_EQ(HandAnglesOf({10, 8, 59, 999}, true).minute, HandAnglesOf({10, 8, 0, 0}, true).minute);
  EXPECT_GT(HandAnglesOf({10, 9, 0, 0}, true).hour, HandAnglesOf({10, 8, 59, 999}, true).hour);

  EXPECT_EQ(SweepCount({0, 0, 42, 500}), 4250);
  EXPECT_EQ(SweepCount({0, 0, 59, 999}), 5999);
  EXPECT_EQ(SweepCount({0, 0, 12, 345}), 1234);
  EXPECT_EQ(HandAnglesOf({0, 0, 59, 999}, false).second, 5999 * kSweepStep);
  EXPECT_LT(HandAnglesOf({0, 0, 59, 999}, false).second, kTwoPi);
  EXPECT_EQ(HandAnglesOf({0, 0, 12, 345}, false).second, 1234 * kSweepStep);
  EXPECT_EQ(HandAnglesOf({0, 0, 12, 999}, true).second, (12 * kTwoPi) / 60);
}

TEST(HandSegment, RoundsHalvesToEvenAndNegativeRadiiCrossThePivot) {
  // sin(asin(0.5)) is exactly 0.5, so these x are exact halves. The whole coordinate is
  // rounded, pivot included: 1 + 64.5 gives 66, not 1 + 64.
  const double thirty_degrees = std::asin(0.5);
  ASSERT_EQ(std::sin(thirty_degrees), 0.5);
  EXPECT_EQ(HandSegment({0, 0}, thirty_degrees, 129, 0, false).tip.x, 64);
  EXPECT_EQ(HandSegment({0, 0}, thirty_degrees, 131, 0, false).tip.x, 66);
  EXPECT_EQ(HandSegment({1, 0}, thirty_degrees, 129, 0, false).tip.x, 66);
  EXPECT_EQ(HandSegment({0, 0}, thirty_degrees, 0, 129, false).start.x, -64);
  EXPECT_EQ(HandSegment({64, 64}, 0, -10, 0, false).tip, (Point{64, 74}));
  EXPECT_EQ(HandSegment({64, 64}, 0, 0, 0, false).tip, (Point{64, 64}));
}

TEST(HandPivot, AutoCenterTakesTheMiddleOtherwiseCenter) {
  EXPECT_EQ(HandPivot(true, 101, 75, 1, 2), (Point{50, 37}));
  EXPECT_EQ(HandPivot(true, -101, -75, 1, 2), (Point{-50, -37}));  // truncates towards 0
  EXPECT_EQ(HandPivot(false, 101, 75, 1, 2), (Point{1, 2}));
  EXPECT_EQ(CenterMarkBox({64, 64}, 3), (Rect{61, 61, 67, 67}));
}

struct ShiftCase {
  int hour, minute, second, millisecond;
  int gmt, local_gmt;
  ShownTime shown;
};

TEST(ShownTime, ShiftsByTheZoneDifferenceModuloADay) {
  const ShiftCase cases[] = {
      {20, 30, 0, 0, 8, 0, {4, 30, 0, 0}},
      {2, 0, 0, 0, -5, 0, {21, 0, 0, 0}},
      {13, 14, 15, 678, 8, 8, {13, 14, 15, 678}},
      {13, 14, 15, 678, -7, -7, {13, 14, 15, 678}},
      {23, 59, 59, 999, 1, 0, {0, 59, 59, 999}},
      {0, 0, 0, 0, -128, 127, {9, 0, 0, 0}},  // -255 hours: 15 hours back, 10 days before
      {12, 0, 0, 0, 127, -128, {3, 0, 0, 0}},
  };
  for (const ShiftCase& c : cases) {
    const DateTime local{2026, 3, 1, c.hour, c.minute, c.second, c.millisecond};
    EXPECT_EQ(
        ShownTimeOf(local, static_cast<std::int8_t>(c.gmt), static_cast<std::int8_t>(c.local_gmt)),
        c.shown)
        << c.hour << ":" << c.minute << " gmt " << c.gmt << " local " << c.local_gmt;
  }
}

TEST(DetectLocalGMT, GivesTheOffsetInWholeHoursHalvesToEven) {
  const struct {
    int minutes;
    int hours;
  } cases[] = {{8 * 60, 8}, {-5 * 60, -5}, {0, 0}, {270, 4}, {330, 6}, {-210, -4}, {14 * 60, 14}};
  for (const auto& c : cases) {
    fakes::FakeClock clock;
    clock.utc_offset_minutes = c.minutes;
    EXPECT_EQ(DetectLocalGMT(clock), c.hours) << c.minutes;
  }
}

TEST(DetectLocalGMT, ReadsAgainWhenTheClockJumpsBetweenReadings) {
  // The clock is set an hour forward between the UTC and the second local reading: that
  // pair would give +9; the retry reads both again and finds +8.
  fakes::FakeClock clock;
  clock.utc_offset_minutes = 8 * 60;
  int reads = 0;
  clock.on_read = [&] {
    if (++reads == 3) clock.Advance(3600000);
  };
  EXPECT_EQ(DetectLocalGMT(clock), 8);
  EXPECT_EQ(reads, 5);

  // A drift below 15 seconds between the local readings is accepted at once.
  reads = 0;
  clock.on_read = [&] {
    ++reads;
    clock.Advance(7000);
  };
  EXPECT_EQ(DetectLocalGMT(clock), 8);
  EXPECT_EQ(reads, 3);
}

TEST(TimeTracking, FiresChangesInOrderAndUpdatesEachAfterItsHandler) {
  TimeTracking t;
  t.Seed({2026, 1, 1, 10, 15, 30, 0});
  std::vector<std::string> log;
  auto fire = [&] {
    t.Fire(
        [&](std::uint16_t v) {
          log.push_back("s" + std::to_string(v) + " was " + std::to_string(t.ReportedSecond));
        },
        [&](std::uint16_t v) { log.push_back("m" + std::to_string(v)); },
        [&](std::uint16_t v) { log.push_back("h" + std::to_string(v)); },
        [&] { log.push_back("t"); });
  };
  t.Decode({2026, 1, 1, 10, 15, 30, 999});
  fire();
  EXPECT_EQ(log, (std::vector<std::string>{"t"}));
  log.clear();
  t.Decode({2026, 1, 1, 11, 0, 0, 0});
  fire();
  EXPECT_EQ(log, (std::vector<std::string>{"s0 was 30", "m0", "h11", "t"}));
  EXPECT_EQ(t.ReportedHour, 11);
  EXPECT_EQ(t.ReportedMinute, 0);
  EXPECT_EQ(t.ReportedSecond, 0);
}

}  // namespace
}  // namespace zentick::clock
