// The clip catalogue and the rule that turns a time of day into the phrase
// of clips that speaks it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "voice/clip_queue.h"

namespace zentick::voice {

// One pacing tick of the playback timer.
inline constexpr int kTickMs = 200;

struct ClipWord {
  std::string_view word;
  // The shortest slot the word gets in any phrase; a recording must end
  // before it. Empty for a word no phrase uses.
  std::optional<int> shortest_slot_ticks;
};

// Every clip exists once per voice: the voice letter followed by the word.
inline constexpr std::array<std::string_view, 2> kVoicePrefixes = {"B", "G"};

inline constexpr std::array<ClipWord, 26> kWords = {{
    {"TIMENOW", 10}, {"T0", 5},
    {"AM", 5},       {"PM", 5},
    {"EM", 5},       {"0", 3},
    {"1", 3},        {"2", 3},
    {"3", 3},        {"4", 3},
    {"5", 3},        {"6", 3},
    {"7", 3},        {"8", 3},
    {"9", 3},        {"10", 3},
    {"11", 3},       {"12", 3},
    {"20", 5},       {"30", 5},
    {"40", 5},       {"50", 5},
    {"T2", 3},       {"POINT", 3},
    {"MIN", 5},      {"T1", std::nullopt},
}};

// Fills slots 0 to 6 of the queue's names and their ticks for hour 0-23 and
// minute 0-59; slot 7 stays empty so that every phrase ends there. The
// counters are left to the player.
void BuildPhrase(int hour, int minute, const std::string& prefix, TClipQueue& queue);

}  // namespace zentick::voice
