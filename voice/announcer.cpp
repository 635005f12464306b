#include "voice/announcer.h"

#include <cstdio>
#include <utility>

#include "voice/phrase.h"

namespace zentick::voice {
namespace {

// The slot after the longest phrase, always empty.
constexpr int kEndSlot = 7;
// A limit no idle count reaches.
constexpr int kIdleTickLimit = 100;

std::string TwoDigits(int value) {
  char text[12];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

Announcer::Announcer(SoundPlayer& sound, Timer& time_baoshi, Timer& timer1, ClockSource& clock,
                     const std::string& voice_prefix, const int& announce_every,
                     std::string& last_minute)
    : sound_(sound),
      time_baoshi_(time_baoshi),
      timer1_(timer1),
      clock_(clock),
      voice_prefix_(voice_prefix),
      announce_every_(announce_every),
      last_minute_(last_minute) {}

void Announcer::Start() {
  time_baoshi_.SetEnabled(false);
  time_baoshi_.SetInterval(kTickMs);
  time_baoshi_.SetHandler([this] { Time_BaoshiTimer(); });
  timer1_.SetInterval(1000);
  timer1_.SetHandler([this] { Timer1Timer(); });
  // Without this nothing would ever run the minute check and the chosen
  // period would never be announced.
  timer1_.SetEnabled(true);
}

void Announcer::SpeakTime() {
  const DateTime now = clock_.LocalNow();
  BuildPhrase(now.hour, now.minute, voice_prefix_, ClipQueue);
  // The first clip starts right here, so it already counts as one tick.
  ClipQueue.TickCount = 1;
  ClipQueue.ClipCursor = 0;
  ClipQueue.TickLimit = ClipQueue.ClipTicks[0];
  sound_.PlayResource(voice_prefix_ + "TIMENOW");
  time_baoshi_.SetEnabled(true);
  ClipQueue.ClipCursor = 1;
}

void Announcer::Time_BaoshiTimer() {
  if (ClipQueue.TickCount == 0) PlayNextClip();
  // After the seventh clip the count stays at 0, so the next tick ends the phrase.
  if (ClipQueue.ClipCursor != kEndSlot) ++ClipQueue.TickCount;
  if (ClipQueue.TickCount >= ClipQueue.TickLimit) ClipQueue.TickCount = 0;
}

void Announcer::PlayNextClip() {
  const std::string& name = ClipQueue.ClipNames[ClipQueue.ClipCursor];
  if (name.empty()) {
    // The last clip is left to play to its end.
    time_baoshi_.SetEnabled(false);
    ClipQueue.TickCount = 1;
    ClipQueue.TickLimit = kIdleTickLimit;
    return;
  }
  ClipQueue.TickLimit = ClipQueue.ClipTicks[ClipQueue.ClipCursor];
  sound_.PlayResource(name);
  ++ClipQueue.ClipCursor;
}

void Announcer::Timer1Timer() {
  // One reading serves both the comparison and the stored minute: a second
  // reading could fall into the next minute and skip the one just reached.
  const int minute = clock_.LocalNow().minute;
  std::string text = TwoDigits(minute);
  if (text == last_minute_) return;
  last_minute_ = std::move(text);
  // A period below 1 only comes from a hand-edited file; it announces nothing.
  if (announce_every_ < 1) return;
  if (minute % announce_every_ == 0) SpeakTime();
}

}  // namespace zentick::voice
