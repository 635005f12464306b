#include "voice/announcer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fakes/fakes.h"

namespace zentick::voice {
namespace {

class AnnouncerTest : public ::testing::Test {
 protected:
  AnnouncerTest() {
    sound.clock_ms = &time_baoshi.now_ms;
    announcer.Start();
  }

  // Ticks the pacing timer until it stops; returns the moment it stopped.
  long long RunUntilStopped() {
    for (int step = 0; step < 200 && time_baoshi.Enabled(); ++step) time_baoshi.Advance(200);
    EXPECT_FALSE(time_baoshi.Enabled());
    return time_baoshi.now_ms;
  }

  std::vector<std::string> Names(size_t from = 0) const {
    std::vector<std::string> names;
    for (size_t i = from; i < sound.plays.size(); ++i) names.push_back(sound.plays[i].name);
    return names;
  }

  std::vector<long long> Starts(size_t from = 0) const {
    std::vector<long long> starts;
    for (size_t i = from; i < sound.plays.size(); ++i) starts.push_back(sound.plays[i].at_ms);
    return starts;
  }

  fakes::FakeClock clock;
  fakes::FakeTimer time_baoshi;
  fakes::FakeTimer timer1;
  fakes::RecordingSoundPlayer sound;
  std::string voice_prefix = "B";
  int announce_every = 60;
  std::string last_minute;
  Announcer announcer{sound, time_baoshi, timer1, clock, voice_prefix, announce_every, last_minute};
};

TEST_F(AnnouncerTest, StartRunsTheMinuteCheckAndLeavesThePacingTimerOff) {
  EXPECT_EQ(time_baoshi.Interval(), 200u);
  EXPECT_FALSE(time_baoshi.Enabled());
  EXPECT_EQ(timer1.Interval(), 1000u);
  EXPECT_TRUE(timer1.Enabled());
  EXPECT_TRUE(sound.plays.empty());
}

struct PlaybackCase {
  int hour;
  int minute;
  const char* prefix;
  std::vector<std::string> words;
  std::vector<long long> starts;
  long long stop_ms;
  int cursor_after;
  int count_after;
};

TEST_F(AnnouncerTest, EachClipGetsExactlyItsSlotAndTheTimerStopsAfterTheLast) {
  const PlaybackCase cases[] = {
      {13,
       47,
       "B",
       {"TIMENOW", "PM", "1", "POINT", "40", "7", "MIN"},
       {0, 2000, 3000, 3600, 4200, 5200, 5800},
       6000,
       7,
       1},
      {7,
       30,
       "G",
       {"TIMENOW", "AM", "7", "POINT", "30", "MIN"},
       {0, 2000, 3000, 3600, 4200, 5200},
       6200,
       6,
       2},
      {20, 0, "B", {"TIMENOW", "EM", "8", "POINT"}, {0, 2000, 3000, 3600}, 4200, 4, 2},
      // A prefix without resources sounds the default sound, on the same beat.
      {14,
       2,
       "Z",
       {"TIMENOW", "PM", "T2", "POINT", "0", "2", "MIN"},
       {0, 2000, 3000, 3600, 4200, 5200, 5800},
       6000,
       7,
       1},
  };
  for (const PlaybackCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.hour) + ":" + std::to_string(c.minute) + " " + c.prefix);
    voice_prefix = c.prefix;
    clock.SetTime(c.hour, c.minute, 12);
    sound.plays.clear();
    const long long begin = time_baoshi.now_ms;

    announcer.SpeakTime();
    const long long stop = RunUntilStopped() - begin;

    std::vector<std::string> names;
    for (const std::string& w : c.words) names.push_back(c.prefix + w);
    EXPECT_EQ(Names(), names);
    std::vector<long long> starts;
    for (long long s : Starts()) starts.push_back(s - begin);
    EXPECT_EQ(starts, c.starts);
    EXPECT_EQ(stop, c.stop_ms);
    EXPECT_EQ(announcer.ClipQueue.ClipCursor, c.cursor_after);
    EXPECT_EQ(announcer.ClipQueue.TickCount, c.count_after);
    EXPECT_EQ(announcer.ClipQueue.TickLimit, 100);

    // A stopped phrase stays silent.
    time_baoshi.Advance(5000);
    EXPECT_EQ(sound.plays.size(), c.words.size());
  }
}

TEST_F(AnnouncerTest, SpeakingAgainMidPhraseRestartsWithTheWholeNewPhrase) {
  clock.SetTime(13, 47);
  announcer.SpeakTime();
  time_baoshi.Advance(2500);
  ASSERT_EQ(Names(), (std::vector<std::string>{"BTIMENOW", "BPM"}));

  clock.SetTime(13, 48);
  announcer.SpeakTime();
  time_baoshi.Advance(100);  // back onto the timer's beat
  EXPECT_EQ(RunUntilStopped(), 8400);
  EXPECT_EQ(Names(2),
            (std::vector<std::string>{"BTIMENOW", "BPM", "B1", "BPOINT", "B40", "B8", "BMIN"}));
  // The timer keeps its beat, so the opening slot of the new phrase is one
  // partial tick short.
  EXPECT_EQ(Starts(2), (std::vector<long long>{2500, 4400, 5400, 6000, 6600, 7600, 8200}));
}

TEST_F(AnnouncerTest, VoiceChangeTakesEffectAtTheNextPhrase) {
  clock.SetTime(20, 0);
  announcer.SpeakTime();
  time_baoshi.Advance(2200);
  voice_prefix = "G";
  RunUntilStopped();
  EXPECT_EQ(Names(), (std::vector<std::string>{"BTIMENOW", "BEM", "B8", "BPOINT"}));
  announcer.SpeakTime();
  EXPECT_EQ(sound.plays.back().name, "GTIMENOW");
}

std::string HhMm(const DateTime& t) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
  return text;
}

struct PeriodCase {
  int every;
  std::vector<std::string> announced;
};

// From 09:59:30 the check runs every second for 61 minutes.
TEST_F(AnnouncerTest, MinuteCheckAnnouncesOnceAtEachMultipleOfThePeriodInTheHour) {
  const PeriodCase cases[] = {
      {60, {"10:00", "11:00"}},
      {30, {"10:00", "10:30", "11:00"}},
      {20, {"10:00", "10:20", "10:40", "11:00"}},
      {25, {"10:00", "10:25", "10:50", "11:00"}},
      {7,
       {"10:00", "10:07", "10:14", "10:21", "10:28", "10:35", "10:42", "10:49", "10:56", "11:00"}},
      {0, {}},
      {-5, {}},
  };
  for (const PeriodCase& c : cases) {
    SCOPED_TRACE(c.every);
    announce_every = c.every;
    last_minute.clear();
    clock.SetTime(9, 59, 30);
    std::vector<std::string> announced;
    for (int second = 0; second < 61 * 60; ++second) {
      clock.Advance(1000);
      const size_t before = sound.plays.size();
      timer1.Advance(1000);
      if (sound.plays.size() != before) announced.push_back(HhMm(clock.LocalNow()));
    }
    EXPECT_EQ(announced, c.announced);
    EXPECT_EQ(last_minute, "00");
  }
}

TEST_F(AnnouncerTest, FirstMinuteCheckJudgesTheCurrentMinuteAtOnce) {
  struct {
    int minute;
    int second;
    bool announces;
  } cases[] = {{30, 45, true}, {31, 0, false}, {0, 59, true}};
  announce_every = 30;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.minute);
    last_minute.clear();
    sound.plays.clear();
    clock.SetTime(10, c.minute, c.second);
    timer1.Advance(1000);
    EXPECT_EQ(sound.plays.size(), c.announces ? 1u : 0u);
    char expected[3];
    std::snprintf(expected, sizeof expected, "%02d", c.minute);
    EXPECT_EQ(last_minute, expected);
  }
}

TEST_F(AnnouncerTest, MinuteReachedAtTheVeryEndIsStillAnnounced) {
  announce_every = 30;
  last_minute = "29";
  clock.SetTime(10, 30, 59, 998);
  clock.on_read = [this] { clock.Advance(1); };  // the clock moves on between readings
  timer1.Advance(1000);
  EXPECT_EQ(last_minute, "30");
  ASSERT_EQ(sound.plays.size(), 1u);
  EXPECT_EQ(sound.plays[0].name, "BTIMENOW");
}

TEST_F(AnnouncerTest, PeriodChangeCountsFromTheNextNewMinute) {
  announce_every = 60;
  clock.SetTime(10, 20, 5);
  timer1.Advance(1000);
  announce_every = 20;
  clock.Advance(1000);
  timer1.Advance(1000);
  EXPECT_TRUE(sound.plays.empty());
  clock.SetTime(10, 40);
  timer1.Advance(1000);
  EXPECT_EQ(sound.plays.size(), 1u);
}

}  // namespace
}  // namespace zentick::voice
