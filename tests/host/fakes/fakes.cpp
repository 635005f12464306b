#include "fakes/fakes.h"

namespace zentick::fakes {
namespace {

// Days from 1970-01-01 for a proleptic Gregorian date.
long long DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

}  // namespace

long long FakeClock::ToMs(const DateTime& t) {
  return ((DaysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute) * 60000LL +
         t.second * 1000LL + t.millisecond;
}

DateTime FakeClock::FromMs(long long ms) {
  long long days = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
  long long rest = ms - days * 86400000;
  DateTime t;
  CivilFromDays(days, t.year, t.month, t.day);
  t.hour = static_cast<int>(rest / 3600000);
  t.minute = static_cast<int>(rest / 60000 % 60);
  t.second = static_cast<int>(rest / 1000 % 60);
  t.millisecond = static_cast<int>(rest % 1000);
  return t;
}

DateTime FakeClock::LocalNow() {
  if (on_read) on_read();
  return FromMs(local_ms_);
}

DateTime FakeClock::UtcNow() {
  if (on_read) on_read();
  return FromMs(local_ms_ - utc_offset_minutes * 60000LL);
}

void FakeClock::SetTime(int hour, int minute, int second, int millisecond) {
  DateTime t = FromMs(local_ms_);
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  t.millisecond = millisecond;
  Set(t);
}

void FakeTimer::SetEnabled(bool enabled) {
  ++enable_calls;
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) next_due_ = now_ms + interval_;
}

void FakeTimer::SetInterval(unsigned milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  next_due_ = now_ms + interval_;
}

void FakeTimer::Advance(long long ms) {
  const long long end = now_ms + ms;
  while (enabled_ && interval_ > 0 && next_due_ <= end) {
    now_ms = next_due_;
    next_due_ += interval_;
    Tick();
  }
  now_ms = end;
}

bool RecordingSoundPlayer::PlayResource(const std::string& name) {
  plays.push_back({name, clock_ms ? *clock_ms : 0});
  return true;
}

}  // namespace zentick::fakes
