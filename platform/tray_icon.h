// The notification-area icon.
#pragma once

namespace zentick {

class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
};

}  // namespace zentick
