// A periodic window timer: ticks arrive on the UI thread while it is enabled.
#pragma once

#include <functional>

namespace zentick {

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetHandler(std::function<void()> on_tick) = 0;
  // Enabling a running timer does not restart its period.
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // An interval of 0 leaves the timer without ticks.
  virtual void SetInterval(unsigned milliseconds) = 0;
};

}  // namespace zentick
