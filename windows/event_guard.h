// Runs an event handler so that an error ends that handler, is shown in the
// standard error report, and never crosses into the window system.
#pragma once

#include <exception>
#include <utility>

#include "platform/error_report.h"

namespace zentick {

template <typename Handler>
bool Guarded(ErrorReport& report, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const std::exception& e) {
    report.Show(e.what());
  } catch (...) {
    report.Show("Unknown error");
  }
  return false;
}

}  // namespace zentick
