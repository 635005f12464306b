// Checks the committed voice clips against the catalogue: the formats the
// player expects and lengths that end before each word's shortest slot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "voice/phrase.h"

namespace zentick::voice {
namespace {

const std::filesystem::path kClipDir =
    std::filesystem::path(ZENTICK_SOURCE_DIR) / "resources/voice";
constexpr int kMarginMs = 40;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned U16(const std::string& s, size_t at) {
  return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
int S16(const std::string& s, size_t at) { return static_cast<std::int16_t>(U16(s, at)); }
std::uint32_t U32(const std::string& s, size_t at) { return U16(s, at) | U16(s, at + 2) << 16; }

struct Riff {
  std::vector<std::string> order;
  std::map<std::string, std::string> chunks;
};

// Splits a RIFF WAVE file into its chunks; records a failure if the layout
// does not add up.
Riff ParseRiff(const std::string& file) {
  Riff riff;
  EXPECT_GE(file.size(), 12u);
  if (file.size() < 12) return riff;
  EXPECT_EQ(file.substr(0, 4), "RIFF");
  EXPECT_EQ(file.substr(8, 4), "WAVE");
  EXPECT_EQ(U32(file, 4), file.size() - 8);
  size_t pos = 12;
  while (pos + 8 <= file.size()) {
    const std::string id = file.substr(pos, 4);
    const std::uint32_t size = U32(file, pos + 4);
    EXPECT_LE(pos + 8 + size, file.size()) << id;
    EXPECT_EQ(riff.chunks.count(id), 0u) << "duplicate " << id;
    riff.order.push_back(id);
    riff.chunks[id] = file.substr(pos + 8, size);
    pos += 8 + size + (size & 1);
  }
  EXPECT_EQ(pos, file.size()) << "trailing bytes";
  return riff;
}

// Checks the 8-bit PCM layout and returns the length in milliseconds.
double CheckPcm8(const Riff& riff) {
  EXPECT_EQ(riff.order, (std::vector<std::string>{"fmt ", "data"}));
  const std::string& fmt = riff.chunks.at("fmt ");
  EXPECT_EQ(fmt.size(), 16u);
  if (fmt.size() < 16) return 0;
  EXPECT_EQ(U16(fmt, 0), 1u);      // PCM
  EXPECT_EQ(U16(fmt, 2), 1u);      // mono
  EXPECT_EQ(U32(fmt, 4), 11025u);  // sample rate
  EXPECT_EQ(U32(fmt, 8), 11025u);  // bytes per second
  EXPECT_EQ(U16(fmt, 12), 1u);     // block align
  EXPECT_EQ(U16(fmt, 14), 8u);     // bits
  const std::string& data = riff.chunks.at("data");
  int peak = 0;
  for (char c : data) peak = std::max(peak, std::abs(static_cast<unsigned char>(c) - 128));
  // Audible, and never hard against the rails.
  EXPECT_GE(peak, 64);
  EXPECT_LT(peak, 127);
  return 1000.0 * data.size() / 11025;
}

// Checks the MS ADPCM layout and returns the length in milliseconds.
double CheckMsAdpcm(const Riff& riff) {
  for (const char* id : {"fmt ", "fact", "data", "LIST"}) {
    EXPECT_EQ(riff.chunks.count(id), 1u) << id;
    if (!riff.chunks.count(id)) return 0;
  }
  EXPECT_EQ(riff.order.front(), "fmt ");
  const std::string& fmt = riff.chunks.at("fmt ");
  EXPECT_EQ(fmt.size(), 50u);
  if (fmt.size() < 50) return 0;
  EXPECT_EQ(U16(fmt, 0), 2u);  // MS ADPCM
  EXPECT_EQ(U16(fmt, 2), 1u);  // mono
  EXPECT_EQ(U32(fmt, 4), 22050u);
  EXPECT_NEAR(U32(fmt, 8), 22050.0 * 512 / 1012, 1.0);
  EXPECT_EQ(U16(fmt, 12), 512u);   // block align
  EXPECT_EQ(U16(fmt, 14), 4u);     // bits
  EXPECT_EQ(U16(fmt, 16), 32u);    // extension size
  EXPECT_EQ(U16(fmt, 18), 1012u);  // samples per block
  EXPECT_EQ(U16(fmt, 20), 7u);     // coefficient pairs
  const std::pair<int, int> kCoefs[] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                        {240, 0}, {460, -208}, {392, -232}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(std::make_pair(S16(fmt, 22 + 4 * i), S16(fmt, 24 + 4 * i)), kCoefs[i]) << i;
  }

  EXPECT_EQ(riff.chunks.at("fact").size(), 4u);
  const std::uint32_t samples = U32(riff.chunks.at("fact"), 0);
  const std::string& data = riff.chunks.at("data");
  EXPECT_EQ(data.size(), (samples + 1011) / 1012 * 512) << "blocks for " << samples << " samples";
  for (size_t block = 0; block < data.size(); block += 512) {
    EXPECT_LT(static_cast<unsigned char>(data[block]), 7u) << "predictor of block " << block / 512;
  }
  EXPECT_EQ(riff.chunks.at("LIST").substr(0, 4), "INFO");
  return 1000.0 * samples / 22050;
}

TEST(VoiceClipsTest, EveryClipHasItsVoiceFormatAndEndsBeforeItsShortestSlot) {
  std::set<std::string> expected;
  for (std::string_view prefix : kVoicePrefixes) {
    for (const ClipWord& w : kWords) {
      const std::string name = std::string(prefix) + std::string(w.word);
      expected.insert(name);
      SCOPED_TRACE(name);
      const std::string file = ReadFile(kClipDir / (name + ".wav"));
      ASSERT_FALSE(file.empty());
      const Riff riff = ParseRiff(file);
      const bool adpcm = prefix == "G" || name == "BT1";
      const double length_ms = adpcm ? CheckMsAdpcm(riff) : CheckPcm8(riff);
      if (w.shortest_slot_ticks) {
        EXPECT_LE(length_ms, *w.shortest_slot_ticks * kTickMs - kMarginMs);
        EXPECT_GE(length_ms, 150.0);
      } else {
        EXPECT_NEAR(length_ms, 190.0, 20.0);
      }
    }
  }
  EXPECT_EQ(ReadFile(kClipDir / "BT1.wav"), ReadFile(kClipDir / "GT1.wav"));

  std::set<std::string> present;
  for (const auto& entry : std::filesystem::directory_iterator(kClipDir)) {
    if (entry.path().extension() == ".wav") present.insert(entry.path().stem().string());
  }
  EXPECT_EQ(present, expected);
}

TEST(VoiceClipsTest, ResourceScriptNamesEachClipOnceInChinese) {
  std::ifstream rc(kClipDir / "clips.rc");
  ASSERT_TRUE(rc);
  const std::regex clip_line(R"re(^([A-Z0-9]+) WAVE "voice/([A-Z0-9]+)\.wav"$)re");
  bool language_first = false;
  std::multiset<std::string> named;
  std::string line;
  while (std::getline(rc, line)) {
    if (line.empty() || line.rfind("//", 0) == 0) continue;
    if (named.empty() && !language_first) {
      EXPECT_EQ(line, "LANGUAGE 4, 2");
      language_first = true;
      continue;
    }
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, clip_line)) << line;
    EXPECT_EQ(m[1], m[2]);
    named.insert(m[1]);
  }
  EXPECT_TRUE(language_first);
  std::multiset<std::string> expected;
  for (std::string_view prefix : kVoicePrefixes) {
    for (const ClipWord& w : kWords) expected.insert(std::string(prefix) + std::string(w.word));
  }
  EXPECT_EQ(named, expected);
}

}  // namespace
}  // namespace zentick::voice
