// One system window as the behaviour classes see it: where it is, and showing it.
#pragma once

#include "platform/types.h"

namespace zentick {

class Window {
 public:
  virtual ~Window() = default;
  // The system window's handle, created (hidden) on first request.
  virtual WindowId Id() = 0;
  virtual Rect Bounds() = 0;
  // Each assignment moves the window at once, as a window's Left and Top do.
  virtual void SetLeft(int left) = 0;
  virtual void SetTop(int top) = 0;
  virtual void SetSize(int width, int height) = 0;
  // One move to a new top-left corner, as a drag makes it.
  virtual void MoveTo(Point top_left) = 0;
  virtual void Show() = 0;
};

}  // namespace zentick
