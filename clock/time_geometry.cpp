#include "clock/time_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace zentick::clock {
namespace {

constexpr long long kMsPerHour = 3600000;
constexpr long long kDetectTolerance = 15000;  // 1/5760 of a day

long long DaysFromCivil(long long y, long long m, long long d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

long long MsOfDay(const DateTime& t) {
  return t.hour * kMsPerHour + t.minute * 60000LL + t.second * 1000LL + t.millisecond;
}

// Rounds half to even (the default rounding mode) and keeps the result an int, so
// absurd radii clip instead of overflowing.
int RoundCoordinate(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  if (r > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(r);
}

}  // namespace

long long ToEpochMs(const DateTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * kMsPerDay + MsOfDay(t);
}

DateTime NowUTC(ClockSource& clock) { return clock.UtcNow(); }

std::int8_t DetectLocalGMT(ClockSource& clock) {
  long long p = ToEpochMs(clock.LocalNow());
  long long u = 0;
  long long l = 0;
  for (;;) {
    u = ToEpochMs(clock.UtcNow());
    l = ToEpochMs(clock.LocalNow());
    if (std::llabs(p - l) < kDetectTolerance) break;
    p = l;
  }
  const double hours = static_cast<double>(l - u) / static_cast<double>(kMsPerHour);
  return static_cast<std::int8_t>(std::clamp(std::nearbyint(hours), -128.0, 127.0));
}

ShownTime ShownTimeOf(const DateTime& local, std::int8_t gmt, std::int8_t local_gmt) {
  const long long shift = (static_cast<long long>(gmt) - local_gmt) * kMsPerHour;
  long long ms = (MsOfDay(local) + shift) % kMsPerDay;
  if (ms < 0) ms += kMsPerDay;
  ShownTime t;
  t.hour = static_cast<std::uint16_t>(ms / kMsPerHour);
  t.minute = static_cast<std::uint16_t>(ms / 60000 % 60);
  t.second = static_cast<std::uint16_t>(ms / 1000 % 60);
  t.millisecond = static_cast<std::uint16_t>(ms % 1000);
  return t;
}

int SweepCount(const ShownTime& t) { return (t.second * 1000 + t.millisecond) / 10; }

HandAngles HandAnglesOf(const ShownTime& t, bool sec_jump) {
  HandAngles a;
  a.hour = ((t.hour + t.minute / 60.0) * kTwoPi) / 12;
  a.minute = (t.minute * kTwoPi) / 60;
  a.second = sec_jump ? (t.second * kTwoPi) / 60 : SweepCount(t) * kSweepStep;
  return a;
}

Point HandPivot(bool auto_center, int width, int height, int center_x, int center_y) {
  if (auto_center) return {width / 2, height / 2};
  return {center_x, center_y};
}

Segment HandSegment(Point pivot, double angle, int radius, int back_radius, bool round_hole) {
  const double s = std::sin(angle);
  const double c = std::cos(angle);
  const double back = round_hole ? back_radius : -static_cast<double>(back_radius);
  Segment seg;
  seg.tip = {RoundCoordinate(pivot.x + radius * s), RoundCoordinate(pivot.y - radius * c)};
  seg.start = {RoundCoordinate(pivot.x + back * s), RoundCoordinate(pivot.y - back * c)};
  return seg;
}

Rect CenterMarkBox(Point pivot, int point_size) {
  return {pivot.x - point_size, pivot.y - point_size, pivot.x + point_size, pivot.y + point_size};
}

void TimeTracking::Decode(const DateTime& local) {
  CurHour = static_cast<std::uint16_t>(local.hour);
  CurMinute = static_cast<std::uint16_t>(local.minute);
  CurSecond = static_cast<std::uint16_t>(local.second);
}

void TimeTracking::Seed(const DateTime& local) {
  ReportedHour = static_cast<std::uint16_t>(local.hour);
  ReportedMinute = static_cast<std::uint16_t>(local.minute);
  ReportedSecond = static_cast<std::uint16_t>(local.second);
}

}  // namespace zentick::clock
