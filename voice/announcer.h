// Speaks the time: plays a phrase clip by clip on a 200 ms pacing timer, and
// runs the once-a-second minute check that announces at the chosen period.
#pragma once

#include <string>

#include "platform/clock_source.h"
#include "platform/sound.h"
#include "platform/timer.h"
#include "voice/clip_queue.h"

namespace zentick::voice {

class Announcer {
 public:
  // The voice prefix, the period and the last minute seen are program-wide
  // values owned elsewhere; they are read (and the last one written) live.
  Announcer(SoundPlayer& sound, Timer& time_baoshi, Timer& timer1, ClockSource& clock,
            const std::string& voice_prefix, const int& announce_every, std::string& last_minute);
  Announcer(const Announcer&) = delete;
  Announcer& operator=(const Announcer&) = delete;

  // Wires both timers; the minute check runs from here on, the pacing timer
  // only while a phrase is spoken.
  void Start();

  void SpeakTime();
  void Time_BaoshiTimer();
  void PlayNextClip();
  void Timer1Timer();

  TClipQueue ClipQueue;

 private:
  SoundPlayer& sound_;
  Timer& time_baoshi_;
  Timer& timer1_;
  ClockSource& clock_;
  const std::string& voice_prefix_;
  const int& announce_every_;
  std::string& last_minute_;
};

}  // namespace zentick::voice
