// The machine's local and UTC clocks, to the millisecond.
#pragma once

#include "platform/types.h"

namespace zentick {

class ClockSource {
 public:
  virtual ~ClockSource() = default;
  virtual DateTime LocalNow() = 0;
  virtual DateTime UtcNow() = 0;
};

}  // namespace zentick
