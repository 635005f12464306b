#include "voice/phrase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

namespace zentick::voice {
namespace {

// The phrase as "WORD:ticks" items without the voice letter, up to the first
// empty slot; anything left after that slot is appended after a "|".
std::string Describe(const TClipQueue& queue, const std::string& prefix) {
  std::string text;
  int slot = 0;
  for (; slot < kQueueSlots && !queue.ClipNames[slot].empty(); ++slot) {
    const std::string& name = queue.ClipNames[slot];
    if (!text.empty()) text += ' ';
    text += name.rfind(prefix, 0) == 0 ? name.substr(prefix.size()) : "?" + name;
    text += ':' + std::to_string(queue.ClipTicks[slot]);
  }
  for (; slot < kQueueSlots; ++slot) {
    if (!queue.ClipNames[slot].empty()) text += " | " + queue.ClipNames[slot];
  }
  return text;
}

struct PhraseCase {
  int hour;
  int minute;
  const char* phrase;
};

constexpr PhraseCase kPhrases[] = {
    {0, 0, "TIMENOW:10 T0:5 0:3 POINT:3"},
    {2, 5, "TIMENOW:10 T0:5 T2:3 POINT:3 0:5 5:3 MIN:5"},
    {7, 30, "TIMENOW:10 AM:5 7:3 POINT:3 30:5 MIN:5"},
    {12, 10, "TIMENOW:10 AM:5 12:3 POINT:3 10:5 MIN:5"},
    {13, 47, "TIMENOW:10 PM:5 1:3 POINT:3 40:5 7:3 MIN:5"},
    {14, 2, "TIMENOW:10 PM:5 T2:3 POINT:3 0:5 2:3 MIN:5"},
    {20, 0, "TIMENOW:10 EM:5 8:3 POINT:3"},
    {23, 59, "TIMENOW:10 EM:5 11:3 POINT:3 50:5 9:3 MIN:5"},
    {12, 0, "TIMENOW:10 AM:5 12:3 POINT:3"},
    {12, 59, "TIMENOW:10 AM:5 12:3 POINT:3 50:5 9:3 MIN:5"},
    {13, 0, "TIMENOW:10 PM:5 1:3 POINT:3"},
    {6, 59, "TIMENOW:10 T0:5 6:3 POINT:3 50:5 9:3 MIN:5"},
    {7, 0, "TIMENOW:10 AM:5 7:3 POINT:3"},
    {19, 59, "TIMENOW:10 PM:5 7:3 POINT:3 50:5 9:3 MIN:5"},
    {10, 5, "TIMENOW:10 AM:5 10:3 POINT:3 0:5 5:3 MIN:5"},
    {10, 15, "TIMENOW:10 AM:5 10:3 POINT:3 10:5 5:3 MIN:5"},
    {10, 12, "TIMENOW:10 AM:5 10:3 POINT:3 10:5 2:3 MIN:5"},
    {22, 11, "TIMENOW:10 EM:5 10:3 POINT:3 10:5 1:3 MIN:5"},
};

TEST(BuildPhraseTest, WorkedTimesForBothVoices) {
  for (const std::string prefix : {"B", "G"}) {
    for (const PhraseCase& c : kPhrases) {
      TClipQueue queue;
      BuildPhrase(c.hour, c.minute, prefix, queue);
      EXPECT_EQ(Describe(queue, prefix), c.phrase) << prefix << ' ' << c.hour << ':' << c.minute;
    }
  }
}

TEST(BuildPhraseTest, WholeTensSayMinInSlotFiveAndLeaveSlotSixEmpty) {
  for (int minute : {10, 20, 30, 40, 50}) {
    TClipQueue queue;
    queue.ClipTicks[6] = 99;
    BuildPhrase(9, minute, "G", queue);
    EXPECT_EQ(Describe(queue, "G"),
              "TIMENOW:10 AM:5 9:3 POINT:3 " + std::to_string(minute) + ":5 MIN:5");
    EXPECT_EQ(queue.ClipTicks[6], 5) << minute;
  }
}

TEST(BuildPhraseTest, ShorterPhraseLeavesNothingOfTheEarlierOne) {
  TClipQueue queue;
  BuildPhrase(10, 47, "B", queue);
  BuildPhrase(10, 0, "B", queue);
  EXPECT_EQ(Describe(queue, "B"), "TIMENOW:10 AM:5 10:3 POINT:3");
  BuildPhrase(10, 47, "B", queue);
  BuildPhrase(10, 30, "B", queue);
  EXPECT_EQ(Describe(queue, "B"), "TIMENOW:10 AM:5 10:3 POINT:3 30:5 MIN:5");
}

TEST(BuildPhraseTest, UsesThePrefixExactlyAsGivenAndLeavesTheCountersAlone) {
  TClipQueue queue;
  queue.ClipCursor = 3;
  queue.TickCount = 4;
  queue.TickLimit = 5;
  BuildPhrase(13, 47, "xy", queue);
  EXPECT_EQ(Describe(queue, "xy"), "TIMENOW:10 PM:5 1:3 POINT:3 40:5 7:3 MIN:5");
  EXPECT_EQ(queue.ClipCursor, 3);
  EXPECT_EQ(queue.TickCount, 4);
  EXPECT_EQ(queue.TickLimit, 5);
}

// Every time of day against the catalogue: only catalogue words, never the
// tone, all the others, each never in a slot shorter than its shortest slot,
// and the phrase always ends in an empty slot.
TEST(BuildPhraseTest, EveryTimeOfDayAgreesWithTheCatalogue) {
  std::map<std::string, int> catalogue;
  for (const ClipWord& w : kWords)
    catalogue[std::string(w.word)] = w.shortest_slot_ticks.value_or(0);
  ASSERT_EQ(catalogue.size(), 26u);

  for (std::string_view prefix : kVoicePrefixes) {
    std::map<std::string, int> shortest_seen;
    TClipQueue queue;
    for (int hour = 0; hour < 24; ++hour) {
      for (int minute = 0; minute < 60; ++minute) {
        BuildPhrase(hour, minute, std::string(prefix), queue);
        const auto end = std::find(queue.ClipNames.begin(), queue.ClipNames.end(), "");
        const int clips = static_cast<int>(end - queue.ClipNames.begin());
        EXPECT_EQ(clips, minute == 0 ? 4 : minute % 10 == 0 ? 6 : 7) << hour << ':' << minute;
        EXPECT_TRUE(std::all_of(end, queue.ClipNames.end(), [](auto& n) { return n.empty(); }));
        for (int slot = 0; slot < clips; ++slot) {
          const std::string& name = queue.ClipNames[slot];
          ASSERT_EQ(name.substr(0, prefix.size()), prefix) << name;
          const std::string word = name.substr(prefix.size());
          ASSERT_TRUE(catalogue.count(word)) << name << " at " << hour << ':' << minute;
          auto [it, fresh] = shortest_seen.try_emplace(word, queue.ClipTicks[slot]);
          if (!fresh) it->second = std::min(it->second, queue.ClipTicks[slot]);
        }
      }
    }
    EXPECT_EQ(shortest_seen.count("T1"), 0u) << prefix;
    EXPECT_EQ(shortest_seen.size(), 25u) << prefix;
    for (const auto& [word, ticks] : shortest_seen) {
      EXPECT_EQ(ticks, catalogue[word]) << prefix << word;
    }
  }
}

}  // namespace
}  // namespace zentick::voice
