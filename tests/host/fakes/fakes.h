// Honest in-memory stand-ins for the platform ports, driven by the tests.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/clock_source.h"
#include "platform/error_report.h"
#include "platform/sound.h"
#include "platform/timer.h"
#include "platform/types.h"

namespace zentick::fakes {

// A clock the test sets and advances; local and UTC differ by utc_offset_minutes.
class FakeClock : public ClockSource {
 public:
  DateTime LocalNow() override;
  DateTime UtcNow() override;
  void Set(const DateTime& local) { local_ms_ = ToMs(local); }
  void SetTime(int hour, int minute, int second = 0, int millisecond = 0);
  void Advance(long long ms) { local_ms_ += ms; }
  int utc_offset_minutes = 8 * 60;
  // Called before every reading; lets a test move the clock between readings.
  std::function<void()> on_read;

  static long long ToMs(const DateTime& t);
  static DateTime FromMs(long long ms);

 private:
  long long local_ms_ = ToMs(DateTime{2026, 12, 11, 10, 0, 0, 0});
};

// A timer that fires only when the test advances virtual time.
class FakeTimer : public Timer {
 public:
  void SetHandler(std::function<void()> on_tick) override { on_tick_ = std::move(on_tick); }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetInterval(unsigned milliseconds) override;
  unsigned Interval() const { return interval_; }
  // Runs every tick that falls within the next `ms` milliseconds; `now_ms` counts on.
  void Advance(long long ms);
  void Tick() {
    if (on_tick_) on_tick_();
  }
  long long now_ms = 0;
  int enable_calls = 0;

 private:
  std::function<void()> on_tick_;
  bool enabled_ = false;
  unsigned interval_ = 1000;
  long long next_due_ = 0;
};

// Records what was played and when (in the virtual time of `clock_ms`).
class RecordingSoundPlayer : public SoundPlayer {
 public:
  struct Play {
    std::string name;
    long long at_ms;
  };
  bool PlayResource(const std::string& name) override;
  std::vector<Play> plays;
  const long long* clock_ms = nullptr;
};

class RecordingErrorReport : public ErrorReport {
 public:
  void Show(const std::string& message) override { messages.push_back(message); }
  std::vector<std::string> messages;
};

}  // namespace zentick::fakes

#include "platform/file_system.h"

namespace zentick::fakes {

// Files in memory; paths listed in `read_only` refuse every replacement.
class MemoryFileSystem : public FileSystem {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  bool ReplaceAll(const std::string& path, std::string_view bytes) override;
  std::map<std::string, std::string> files;
  std::set<std::string> read_only;
  std::set<std::string> unreadable;
  int replacements = 0;
};

// Latin-1 stands in for the ANSI code page.
class Latin1Codec : public AnsiCodec {
 public:
  std::string ToUtf8(std::string_view ansi) override;
  std::optional<std::string> FromUtf8(std::string_view utf8) override;
};

}  // namespace zentick::fakes
