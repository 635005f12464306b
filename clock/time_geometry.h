// Clock time and hand geometry: the instant the hands show, their angles and end
// points, the centre mark's square, and when the time events fire. Pure arithmetic.
#pragma once

#include <cstdint>

#include "platform/clock_source.h"
#include "platform/types.h"

namespace zentick::clock {

inline constexpr double kTwoPi = 6.283185307179586477;
// 2 pi / 6000: one hundredth of a second of the sweeping second hand.
inline constexpr double kSweepStep = 0.0010471975511965977;
inline constexpr long long kMsPerDay = 86400000;

// Milliseconds since 1970-01-01 00:00:00.000 of a broken-down reading (no zone).
long long ToEpochMs(const DateTime& t);

DateTime NowUTC(ClockSource& clock);

// The machine's offset from UTC in whole hours, east positive. Reads the local clock
// again until two local readings around the UTC one lie within 15 seconds, so a clock
// set between the readings cannot give a wrong offset.
std::int8_t DetectLocalGMT(ClockSource& clock);

struct ShownTime {
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t millisecond = 0;
  friend bool operator==(const ShownTime&, const ShownTime&) = default;
};

// The local time of day shifted by (gmt - local_gmt) hours, reduced modulo a day.
ShownTime ShownTimeOf(const DateTime& local, std::int8_t gmt, std::int8_t local_gmt);

struct HandAngles {
  double hour = 0;
  double minute = 0;
  double second = 0;
};

// Radians clockwise from 12 o'clock. Afternoon hours give angles of 2 pi and more.
HandAngles HandAnglesOf(const ShownTime& t, bool sec_jump);

// The hundredths of a second within the minute, 0..5999, of the sweeping hand.
int SweepCount(const ShownTime& t);

Point HandPivot(bool auto_center, int width, int height, int center_x, int center_y);

struct Segment {
  Point start;
  Point tip;
  friend bool operator==(const Segment&, const Segment&) = default;
};

// The hand's line: from the tail end behind the pivot (or, with round_hole, from
// back_radius out on the tip's side) to the tip. Coordinates round halves to even.
Segment HandSegment(Point pivot, double angle, int radius, int back_radius, bool round_hole);

Rect CenterMarkBox(Point pivot, int point_size);

// The event tracking of the clock control: the local time decoded by the latest tick
// and the values last reported.
struct TimeTracking {
  std::uint16_t CurHour = 0;
  std::uint16_t CurMinute = 0;
  std::uint16_t CurSecond = 0;
  std::uint16_t ReportedHour = 0;
  std::uint16_t ReportedMinute = 0;
  std::uint16_t ReportedSecond = 0;

  void Decode(const DateTime& local);
  // Makes the current local time count as reported, so that the next events report a
  // real change.
  void Seed(const DateTime& local);

  // Calls on_second, on_minute, on_hour (each with its new value) for what changed,
  // each followed by the update of its reported value, then on_time on every call.
  template <typename OnSecond, typename OnMinute, typename OnHour, typename OnTime>
  void Fire(OnSecond&& on_second, OnMinute&& on_minute, OnHour&& on_hour, OnTime&& on_time) {
    if (CurSecond != ReportedSecond) {
      on_second(CurSecond);
      ReportedSecond = CurSecond;
    }
    if (CurMinute != ReportedMinute) {
      on_minute(CurMinute);
      ReportedMinute = CurMinute;
    }
    if (CurHour != ReportedHour) {
      on_hour(CurHour);
      ReportedHour = CurHour;
    }
    on_time();
  }
};

}  // namespace zentick::clock
