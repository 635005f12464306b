// The notification-area icon of the face window.
#pragma once

#include <windows.h>

#include "platform/tray_icon.h"
#include "platform/win32/window_host.h"

namespace zentick::win32 {

inline constexpr UINT kTrayCallback = WM_APP + 1;

class Win32Tray : public TrayIcon {
 public:
  Win32Tray(WindowHost& owner, HICON icon) : owner_(owner), icon_(icon) {}
  ~Win32Tray() override { SetVisible(false); }
  Win32Tray(const Win32Tray&) = delete;
  Win32Tray& operator=(const Win32Tray&) = delete;
  void SetVisible(bool visible) override;
  bool Visible() const override { return visible_; }
  // Explorer restarted: its notification area is new and empty.
  void TaskbarCreated();

 private:
  bool Add();
  WindowHost& owner_;
  HICON icon_;
  bool visible_ = false;
};

}  // namespace zentick::win32
