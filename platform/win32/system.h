// Small adapters over user32, kernel32 and winmm: clocks, timers, the desktop,
// the hot key, the error report and sounds.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "platform/clock_source.h"
#include "platform/desktop.h"
#include "platform/error_report.h"
#include "platform/hot_keys.h"
#include "platform/sound.h"
#include "platform/timer.h"

namespace zentick::win32 {

inline HWND Hwnd(WindowId id) { return reinterpret_cast<HWND>(id); }
inline WindowId Id(HWND hwnd) { return reinterpret_cast<WindowId>(hwnd); }

class Win32Clock : public ClockSource {
 public:
  DateTime LocalNow() override;
  DateTime UtcNow() override;
};

// Timers live on one hidden message-only window, so they tick whether or not
// the window they belong to exists yet.
class Win32Timer : public Timer {
 public:
  Win32Timer();
  ~Win32Timer() override;
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;
  void SetHandler(std::function<void()> on_tick) override { on_tick_ = std::move(on_tick); }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }
  void SetInterval(unsigned milliseconds) override;

 private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  void Apply();
  UINT_PTR id_;
  bool enabled_ = false;
  unsigned interval_ = 1000;
  std::function<void()> on_tick_;
};

class Win32Desktop : public Desktop {
 public:
  explicit Win32Desktop(HWND application_window) : app_(application_window) {}
  void SetParent(WindowId child, WindowId parent) override;
  void SetTopmost(WindowId window, bool topmost) override;
  WindowId FindProgMan() override;
  WindowId FirstChild(WindowId window) override;
  void HideApplicationWindow() override;
  MonitorPlacement PlacementOf(const Rect& window) override;

 private:
  HWND app_;
};

class Win32HotKeys : public HotKeys {
 public:
  std::uint16_t AddAtom(const std::string& name) override;
  void DeleteAtom(std::uint16_t atom) override;
  bool Register(WindowId window, std::uint32_t id, unsigned modifiers, unsigned key) override;
  void Unregister(WindowId window, std::uint32_t id) override;
};

class Win32ErrorReport : public ErrorReport {
 public:
  explicit Win32ErrorReport(std::string title) : title_(std::move(title)) {}
  void Show(const std::string& message) override;
  // Tests count the reports instead of blocking on a message box.
  std::function<void(const std::string&)> intercept;

 private:
  std::string title_;
};

class Win32Sound : public SoundPlayer {
 public:
  bool PlayResource(const std::string& name) override;
};

}  // namespace zentick::win32
