// Parenting and stacking of windows on the desktop, and the desktop's own windows.
#pragma once

#include "platform/types.h"

namespace zentick {

// Where a window stands relative to the monitors.
struct MonitorPlacement {
  bool on_a_monitor = true;  // some part of it lies on some monitor
  Rect nearest_work_area;    // the work area of the monitor nearest to it
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual void SetParent(WindowId child, WindowId parent) = 0;  // parent 0: top level
  virtual void SetTopmost(WindowId window, bool topmost) = 0;   // no move, no resize
  virtual WindowId FindProgMan() = 0;                           // 0 when there is none
  virtual WindowId FirstChild(WindowId window) = 0;             // 0 for none
  virtual void HideApplicationWindow() = 0;
  virtual MonitorPlacement PlacementOf(const Rect& window) = 0;
};

}  // namespace zentick
