// The spoken time as it is heard: the clips inside Zentick.exe, one clip played
// through winmm, and a whole phrase paced by the real timers. Wine's ALSA output
// goes to one file per sound started (see the HOME this test runs with).
#include <windows.h>
// After windows.h, which it builds on.
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock_source.h"
#include "platform/win32/files.h"
#include "platform/win32/handles.h"
#include "platform/win32/system.h"
#include "platform/win32/utf16.h"
#include "test_support.h"
#include "voice/announcer.h"
#include "voice/phrase.h"

namespace zentick::win32 {
namespace {

using SteadyClock = std::chrono::steady_clock;

// WAVE format tags.
constexpr int kPcm = 1;
constexpr int kMsAdpcm = 2;

std::string WindowsPath(std::string unix_path) {
  std::replace(unix_path.begin(), unix_path.end(), '/', '\\');
  return "Z:" + unix_path;
}

std::vector<std::string> AllClipNames() {
  std::vector<std::string> names;
  for (std::string_view prefix : voice::kVoicePrefixes) {
    for (const voice::ClipWord& w : voice::kWords) {
      names.push_back(std::string(prefix) + std::string(w.word));
    }
  }
  return names;
}

std::uint16_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}
std::int16_t S16(std::string_view b, std::size_t at) {
  return static_cast<std::int16_t>(U16(b, at));
}
std::uint32_t U32(std::string_view b, std::size_t at) {
  return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

struct Wave {
  int format_tag = 0;
  int channels = 0;
  int rate = 0;
  int bits = 0;
  int block_align = 0;
  std::string fmt;  // the whole fmt chunk, for the ADPCM coefficients
  std::string data;
};

// A capture still being written may declare more data than the file holds yet,
// so every chunk is cut at the end of the file.
std::optional<Wave> ParseWave(std::string_view b) {
  if (b.size() < 12 || b.substr(0, 4) != "RIFF" || b.substr(8, 4) != "WAVE") return std::nullopt;
  Wave w;
  bool have_fmt = false;
  bool have_data = false;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string_view id = b.substr(at, 4);
    const std::size_t size = std::min<std::size_t>(U32(b, at + 4), b.size() - at - 8);
    const std::string_view body = b.substr(at + 8, size);
    if (id == "fmt " && size >= 16) {
      w.format_tag = U16(body, 0);
      w.channels = U16(body, 2);
      w.rate = static_cast<int>(U32(body, 4));
      w.block_align = U16(body, 12);
      w.bits = U16(body, 14);
      w.fmt = body;
      have_fmt = true;
    } else if (id == "data") {
      w.data = body;
      have_data = true;
    }
    at += 8 + size + (size & 1);
  }
  if (!have_fmt || !have_data) return std::nullopt;
  return w;
}

// Mono MS-ADPCM to 16-bit little-endian PCM, every block in full, with the
// coefficients the file itself declares.
std::string DecodeMsAdpcm(const Wave& w) {
  static constexpr int kAdaption[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                        768, 614, 512, 409, 307, 230, 230, 230};
  const int coefficient_count = w.fmt.size() >= 22 ? U16(w.fmt, 20) : 0;
  std::string out;
  auto put = [&out](int sample) {
    out.push_back(static_cast<char>(sample & 0xFF));
    out.push_back(static_cast<char>((sample >> 8) & 0xFF));
  };
  const std::string_view data = w.data;
  for (std::size_t at = 0; at + 7 <= data.size(); at += w.block_align) {
    const std::string_view block = data.substr(at, w.block_align);
    const int predictor = static_cast<unsigned char>(block[0]);
    if (predictor >= coefficient_count) return {};
    const int c1 = S16(w.fmt, 22 + 4 * predictor);
    const int c2 = S16(w.fmt, 24 + 4 * predictor);
    int delta = S16(block, 1);
    int s1 = S16(block, 3);
    int s2 = S16(block, 5);
    put(s2);
    put(s1);
    for (std::size_t i = 7; i < block.size(); ++i) {
      const int byte = static_cast<unsigned char>(block[i]);
      for (int nibble : {byte >> 4, byte & 0xF}) {
        const int signed_nibble = nibble & 8 ? nibble - 16 : nibble;
        const int sample =
            std::clamp((s1 * c1 + s2 * c2) / 256 + signed_nibble * delta, -32768, 32767);
        put(sample);
        s2 = s1;
        s1 = sample;
        delta = std::max(16, kAdaption[nibble] * delta / 256);
      }
    }
  }
  return out;
}

// Samples as they come out of the speaker.
struct Sound {
  std::string samples;
  int bits = 0;
};

// What a clip sounds like once played: PCM as it is, MS-ADPCM decoded to
// 16-bit PCM.
Sound Heard(const Wave& clip) {
  if (clip.format_tag == kMsAdpcm) return {DecodeMsAdpcm(clip), 16};
  return {clip.data, clip.bits};
}

std::string WithoutSilence(const Sound& sound) {
  const std::size_t width = sound.bits == 8 ? 1 : 2;
  const std::string_view silence =
      width == 1 ? std::string_view("\x80", 1) : std::string_view("\0\0", 2);
  std::string out;
  for (std::size_t at = 0; at + width <= sound.samples.size(); at += width) {
    const std::string_view sample = std::string_view(sound.samples).substr(at, width);
    if (sample != silence) out += sample;
  }
  return out;
}

// On a busy machine Wine fills an underrun with silence, so a capture may
// hold silence the clip does not; every other sample must come back, in order.
bool SameSound(const Sound& heard, const Sound& clip) {
  return heard.bits == clip.bits &&
         (heard.samples == clip.samples || WithoutSilence(heard) == WithoutSilence(clip));
}

std::string ReadFileBytes(const std::string& path) {
  Win32FileSystem fs;
  return fs.ReadAll(path).value_or("");
}

// The committed recordings, keyed by clip name, as each should come back.
const std::map<std::string, Sound>& CommittedHeard() {
  static const std::map<std::string, Sound> heard = [] {
    std::map<std::string, Sound> m;
    for (const std::string& name : AllClipNames()) {
      const auto wave =
          ParseWave(ReadFileBytes(testing::SourcePath("resources/voice/" + name + ".wav")));
      if (wave) m[name] = Heard(*wave);
    }
    return m;
  }();
  return heard;
}

// Names the clip a capture holds, or says how it falls short of one.
std::string Identify(const Sound& captured) {
  for (const auto& [name, clip] : CommittedHeard()) {
    if (SameSound(captured, clip)) return name;
  }
  for (const auto& [name, clip] : CommittedHeard()) {
    const std::string& samples = clip.samples;
    if (captured.bits == clip.bits && !captured.samples.empty() &&
        captured.samples.size() < samples.size() &&
        samples.compare(0, captured.samples.size(), captured.samples) == 0) {
      return name + " cut at " + std::to_string(captured.samples.size()) + " of " +
             std::to_string(samples.size()) + " bytes";
    }
  }
  return "unknown sound of " + std::to_string(captured.samples.size()) + " bytes";
}

struct Capture {
  std::string file;
  SteadyClock::time_point first_seen;
};

// Wine stamps these files with their last write, so a sound's start is taken
// from when its file first shows up in the listing.
class CaptureDir {
 public:
  void Clear() {
    for (const auto& [file, size] : List()) DeleteFileW(Widen(dir_ + file).c_str());
    seen_.clear();
  }

  void Poll() {
    const auto now = SteadyClock::now();
    for (const auto& [file, size] : List()) {
      const bool known =
          std::any_of(seen_.begin(), seen_.end(), [&](const Capture& c) { return c.file == file; });
      if (!known) seen_.push_back({file, now});
    }
  }

  std::uint64_t TotalBytes() const {
    std::uint64_t total = 0;
    for (const auto& [file, size] : List()) total += size;
    return total;
  }

  const std::vector<Capture>& Seen() const { return seen_; }

  std::optional<Wave> Read(const Capture& c) const {
    return ParseWave(ReadFileBytes(dir_ + c.file));
  }

 private:
  std::vector<std::pair<std::string, std::uint64_t>> List() const {
    std::vector<std::pair<std::string, std::uint64_t>> files;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(Widen(dir_ + "*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        files.emplace_back(Narrow(fd.cFileName),
                           static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32 | fd.nFileSizeLow);
      }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return files;
  }

  std::string dir_ = WindowsPath(ZENTICK_CAPTURE_DIR) + "\\";
  std::vector<Capture> seen_;
};

// Dispatches messages (the timers tick through them) and polls the captures
// every few milliseconds until `done` holds or `max_ms` have passed.
template <typename Done>
bool PumpUntil(CaptureDir& captures, int max_ms, Done done) {
  const auto end = SteadyClock::now() + std::chrono::milliseconds(max_ms);
  while (SteadyClock::now() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    captures.Poll();
    if (done()) return true;
  }
  return false;
}

// Waits for `count` captures and then for their files to stop growing.
bool WaitForCaptures(CaptureDir& captures, std::size_t count, int max_ms) {
  if (!PumpUntil(captures, max_ms, [&] { return captures.Seen().size() >= count; })) return false;
  std::uint64_t last = captures.TotalBytes();
  auto last_change = SteadyClock::now();
  return PumpUntil(captures, max_ms, [&] {
    const std::uint64_t total = captures.TotalBytes();
    if (total != last) {
      last = total;
      last_change = SteadyClock::now();
    }
    return SteadyClock::now() - last_change > std::chrono::milliseconds(300);
  });
}

double MsBetween(SteadyClock::time_point from, SteadyClock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

struct ModuleDeleter {
  void operator()(HMODULE h) const { FreeLibrary(h); }
};

TEST(VoiceResources, ExeHoldsEveryCommittedClipUnderChineseLanguage) {
  const std::wstring exe = Widen(WindowsPath(ZENTICK_EXE));
  Owned<HMODULE, ModuleDeleter> module(LoadLibraryExW(
      exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(module) << "cannot load " << ZENTICK_EXE << ": error " << GetLastError();

  const std::vector<std::string> names = AllClipNames();
  ASSERT_EQ(names.size(), 52u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    HRSRC info = FindResourceExW(module.get(), L"WAVE", Widen(name).c_str(),
                                 MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    ASSERT_NE(info, nullptr) << "no WAVE resource in language 2052";
    HGLOBAL loaded = LoadResource(module.get(), info);
    ASSERT_NE(loaded, nullptr);
    const std::string bytes(static_cast<const char*>(LockResource(loaded)),
                            SizeofResource(module.get(), info));
    const std::string committed =
        ReadFileBytes(testing::SourcePath("resources/voice/" + name + ".wav"));
    ASSERT_FALSE(committed.empty()) << "committed clip missing";
    EXPECT_TRUE(ParseWave(bytes).has_value()) << "not a RIFF WAVE with fmt and data";
    EXPECT_TRUE(bytes == committed) << "resource differs from the committed file (" << bytes.size()
                                    << " vs " << committed.size() << " bytes)";
  }
}

class SoundCaptureTest : public ::testing::Test {
 protected:
  // The first sound of a process waits some 300 ms for the audio stack to
  // load; a phrase measured from its first clip would come out that much
  // short, so the stack is woken up once beforehand.
  static void SetUpTestSuite() {
    static bool warm = false;
    if (warm) return;
    warm = true;
    CaptureDir captures;
    Win32Sound().PlayResource("BT1");
    WaitForCaptures(captures, 1, 3000);
    PlaySoundW(nullptr, nullptr, 0);
  }

  void SetUp() override {
    ASSERT_FALSE(CommittedHeard().empty()) << "committed clips not found";
    captures.Clear();
    ASSERT_EQ(captures.TotalBytes(), 0u) << "capture directory not empty";
  }

  void TearDown() override { PlaySoundW(nullptr, nullptr, 0); }

  CaptureDir captures;
};

struct OneClip {
  const char* name;
  int format_tag;
  int rate;
  int bits;
};

void PrintTo(const OneClip& clip, std::ostream* os) { *os << clip.name; }

class OneClipTest : public SoundCaptureTest, public ::testing::WithParamInterface<OneClip> {};

TEST_P(OneClipTest, IsHeardAsRecorded) {
  const OneClip& clip = GetParam();
  const auto source = ParseWave(
      ReadFileBytes(testing::SourcePath(std::string("resources/voice/") + clip.name + ".wav")));
  ASSERT_TRUE(source);
  ASSERT_EQ(source->format_tag, clip.format_tag);

  EXPECT_TRUE(Win32Sound().PlayResource(clip.name));
  ASSERT_TRUE(WaitForCaptures(captures, 1, 3000))
      << "nothing was heard (no capture file: is HOME's .asoundrc in place?)";
  ASSERT_EQ(captures.Seen().size(), 1u);
  const auto heard = captures.Read(captures.Seen()[0]);
  ASSERT_TRUE(heard) << captures.Seen()[0].file << " is not a WAVE file";
  EXPECT_EQ(heard->format_tag, kPcm);
  EXPECT_EQ(heard->channels, 1);
  EXPECT_EQ(heard->rate, clip.rate);
  EXPECT_EQ(heard->bits, clip.bits);

  const Sound heard_sound{heard->data, heard->bits};
  if (clip.format_tag == kPcm) {
    EXPECT_TRUE(SameSound(heard_sound, Heard(*source)))
        << "8-bit samples differ: " << heard->data.size() << " vs " << source->data.size();
  } else {
    // Whole blocks come back decoded, the padding samples of the last included.
    const std::size_t blocks = (source->data.size() + source->block_align - 1) /
                               static_cast<std::size_t>(source->block_align);
    const std::size_t samples_per_block = U16(source->fmt, 18);
    EXPECT_GE(heard->data.size(), blocks * samples_per_block * 2);
    int peak = 0;
    for (std::size_t i = 0; i + 1 < heard->data.size(); i += 2) {
      peak = std::max(peak, std::abs(static_cast<int>(S16(heard->data, i))));
    }
    EXPECT_GT(peak, 1000) << "heard only silence";
    EXPECT_TRUE(SameSound(heard_sound, Heard(*source))) << "decoded samples differ";
  }
  if (heard->data.size() > Heard(*source).samples.size()) {
    std::printf("[ %s ] Wine added %zu bytes of silence (an underrun)\n", clip.name,
                heard->data.size() - Heard(*source).samples.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Clips, OneClipTest,
                         ::testing::Values(OneClip{"B7", kPcm, 11025, 8},
                                           OneClip{"GTIMENOW", kMsAdpcm, 22050, 16},
                                           OneClip{"BT1", kMsAdpcm, 22050, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

class FixedClock : public ClockSource {
 public:
  DateTime LocalNow() override { return {2024, 5, 6, 13, 47, 0, 0}; }
  DateTime UtcNow() override { return {2024, 5, 6, 5, 47, 0, 0}; }
};

// Records when the program asks for each clip, then plays it for real.
class TimedSound : public SoundPlayer {
 public:
  explicit TimedSound(SteadyClock::time_point origin) : origin_(origin) {}
  bool PlayResource(const std::string& name) override {
    calls_ms.push_back(MsBetween(origin_, SteadyClock::now()));
    return sound_.PlayResource(name);
  }
  std::vector<double> calls_ms;

 private:
  SteadyClock::time_point origin_;
  Win32Sound sound_;
};

struct PhraseRun {
  std::vector<std::string> heard;
  std::vector<double> heard_ms;  // from when each capture file appeared
  std::vector<double> calls_ms;  // from when the program started each clip
  double stopped_ms = 0;
  bool stopped = false;
  int cursor = 0;
};

PhraseRun SpeakAt1347(CaptureDir& captures, const std::string& prefix, std::size_t clips) {
  PhraseRun run;
  const auto spoken = SteadyClock::now();
  TimedSound sound(spoken);
  Win32Timer time_baoshi;
  Win32Timer timer1;
  FixedClock clock;
  const int announce_every = 60;
  std::string last_minute;
  voice::Announcer announcer(sound, time_baoshi, timer1, clock, prefix, announce_every,
                             last_minute);
  announcer.Start();
  timer1.SetEnabled(false);  // only the phrase is under test here
  announcer.SpeakTime();
  run.stopped = PumpUntil(captures, 8000, [&] { return !time_baoshi.Enabled(); });
  run.stopped_ms = MsBetween(spoken, SteadyClock::now());
  // The last clip plays on after the stop; nothing else may follow it.
  WaitForCaptures(captures, clips, 1500);
  PumpUntil(captures, 500, [] { return false; });
  for (const Capture& c : captures.Seen()) {
    const auto wave = captures.Read(c);
    run.heard.push_back(wave ? Identify({wave->data, wave->bits}) : c.file + " unreadable");
    run.heard_ms.push_back(MsBetween(captures.Seen()[0].first_seen, c.first_seen));
  }
  run.calls_ms = sound.calls_ms;
  for (double& ms : run.calls_ms) ms -= sound.calls_ms.empty() ? 0 : sound.calls_ms[0];
  run.cursor = announcer.ClipQueue.ClipCursor;
  std::string heard, called;
  for (double ms : run.heard_ms) heard += " " + std::to_string(static_cast<int>(ms + 0.5));
  for (double ms : run.calls_ms) called += " " + std::to_string(static_cast<int>(ms + 0.5));
  std::printf("[ voice %s ] clips started (ms):%s; heard (ms):%s; stop %.0f ms\n", prefix.c_str(),
              called.c_str(), heard.c_str(), run.stopped_ms);
  return run;
}

bool Near(const std::vector<double>& got, const std::vector<double>& want, double tolerance) {
  if (got.size() != want.size()) return false;
  for (std::size_t i = 0; i < got.size(); ++i) {
    if (std::abs(got[i] - want[i]) > tolerance) return false;
  }
  return true;
}

class PhraseTest : public SoundCaptureTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(PhraseTest, ClipsStartOnTheTickTable) {
  const std::string prefix = GetParam();
  const std::vector<std::string> words = {"TIMENOW", "PM", "1", "POINT", "40", "7", "MIN"};
  const std::vector<double> starts_ms = {0, 2000, 3000, 3600, 4200, 5200, 5800};
  constexpr double kStopMs = 6000;
  constexpr double kToleranceMs = 100;
  std::vector<std::string> expected;
  for (const std::string& w : words) expected.push_back(prefix + w);

  PhraseRun run = SpeakAt1347(captures, prefix, words.size());
  if (Near(run.calls_ms, starts_ms, kToleranceMs) && !Near(run.heard_ms, starts_ms, kToleranceMs)) {
    // The program kept time but Wine's sound device opened one clip late (a
    // real-time stall of the machine): hear the phrase once more.
    std::printf("[ voice %s ] a clip was heard late; once more\n", prefix.c_str());
    captures.Clear();
    run = SpeakAt1347(captures, prefix, words.size());
  }
  ASSERT_TRUE(run.stopped) << "Time_Baoshi still running";
  EXPECT_EQ(run.heard, expected);
  ASSERT_EQ(run.calls_ms.size(), starts_ms.size());
  ASSERT_EQ(run.heard_ms.size(), starts_ms.size());
  for (std::size_t i = 0; i < starts_ms.size(); ++i) {
    EXPECT_NEAR(run.calls_ms[i], starts_ms[i], kToleranceMs) << "clip started: " << expected[i];
    EXPECT_NEAR(run.heard_ms[i], starts_ms[i], kToleranceMs) << "clip heard: " << expected[i];
  }
  EXPECT_NEAR(run.stopped_ms, kStopMs, kToleranceMs);
  EXPECT_EQ(run.cursor, 7);
}

INSTANTIATE_TEST_SUITE_P(Voices, PhraseTest, ::testing::Values("B", "G"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace zentick::win32
