#include "voice/phrase.h"

#include <string>

namespace zentick::voice {
namespace {

std::string_view PeriodWord(int hour) {
  if (hour <= 6) return "T0";
  if (hour <= 12) return "AM";
  if (hour <= 19) return "PM";
  return "EM";
}

}  // namespace

void BuildPhrase(int hour, int minute, const std::string& prefix, TClipQueue& queue) {
  for (int slot = 0; slot <= 6; ++slot) queue.ClipNames[slot].clear();
  auto put = [&](int slot, std::string_view word, int ticks) {
    queue.ClipNames[slot] = prefix;
    queue.ClipNames[slot] += word;
    queue.ClipTicks[slot] = ticks;
  };

  put(0, "TIMENOW", 10);
  put(1, PeriodWord(hour), 5);
  // Midnight is spoken as 0 and noon as 12.
  const int hour12 = hour > 12 ? hour % 12 : hour;
  // The hour two takes its counting form.
  put(2, hour12 == 2 ? std::string("T2") : std::to_string(hour12), 3);
  put(3, "POINT", 3);
  if (minute == 0) return;

  put(4, std::to_string(minute / 10 * 10), 5);
  if (minute % 10 == 0) {
    put(5, "MIN", 5);
    queue.ClipTicks[6] = 5;
    return;
  }
  put(5, std::to_string(minute % 10), 3);
  put(6, "MIN", 5);
}

}  // namespace zentick::voice
