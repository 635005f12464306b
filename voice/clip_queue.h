// The announcement record: the clip names of a phrase, their slot lengths in
// 200 ms ticks, and the playback counters.
#pragma once

#include <array>
#include <string>

namespace zentick::voice {

inline constexpr int kQueueSlots = 16;

struct TClipQueue {
  std::array<std::string, kQueueSlots> ClipNames;
  std::array<int, kQueueSlots> ClipTicks{};
  int ClipCursor = 0;
  int TickCount = 0;
  int TickLimit = 0;
};

}  // namespace zentick::voice
