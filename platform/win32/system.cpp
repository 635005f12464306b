#include "platform/win32/system.h"

#include <mmsystem.h>

#include <vector>

#include "platform/win32/utf16.h"

namespace zentick::win32 {
namespace {

DateTime FromSystemTime(const SYSTEMTIME& st) {
  return DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

std::map<UINT_PTR, Win32Timer*>& Timers() {
  static std::map<UINT_PTR, Win32Timer*> timers;
  return timers;
}

HWND TimerWindow() {
  static HWND hwnd = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZentickTimers";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
  }();
  return hwnd;
}

UINT_PTR NextTimerId() {
  static UINT_PTR next = 1;
  return next++;
}

}  // namespace

DateTime Win32Clock::LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return FromSystemTime(st);
}

DateTime Win32Clock::UtcNow() {
  SYSTEMTIME st;
  GetSystemTime(&st);
  return FromSystemTime(st);
}

Win32Timer::Win32Timer() : id_(NextTimerId()) { Timers()[id_] = this; }

Win32Timer::~Win32Timer() {
  KillTimer(TimerWindow(), id_);
  Timers().erase(id_);
}

void Win32Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;  // enabling a running timer keeps its phase
  enabled_ = enabled;
  Apply();
}

void Win32Timer::SetInterval(unsigned milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Apply();
}

void Win32Timer::Apply() {
  KillTimer(TimerWindow(), id_);
  if (enabled_ && interval_ > 0) SetTimer(TimerWindow(), id_, interval_, &Win32Timer::TimerProc);
}

void CALLBACK Win32Timer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = Timers().find(id);
  if (it != Timers().end() && it->second->enabled_ && it->second->on_tick_) {
    it->second->on_tick_();
  }
}

void Win32Desktop::SetParent(WindowId child, WindowId parent) {
  ::SetParent(Hwnd(child), Hwnd(parent));
}

void Win32Desktop::SetTopmost(WindowId window, bool topmost) {
  constexpr UINT kFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  HWND w = Hwnd(window);
  SetWindowPos(w, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
  if (topmost || !(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST)) return;
  // Owned windows leave the topmost band with their owner. Windows does so
  // itself; Wine holds an owner and its topmost owned windows there together,
  // so each owned window is let go of, lowered, and given back.
  struct Owned {
    HWND owner;
    std::vector<HWND> windows;
  } owned{w, {}};
  EnumThreadWindows(
      GetWindowThreadProcessId(w, nullptr),
      [](HWND h, LPARAM lp) -> BOOL {
        auto* o = reinterpret_cast<Owned*>(lp);
        if (GetWindow(h, GW_OWNER) == o->owner) o->windows.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&owned));
  for (HWND h : owned.windows) {
    SetWindowLongPtrW(h, GWLP_HWNDPARENT, 0);
    SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
  }
  SetWindowPos(w, HWND_NOTOPMOST, 0, 0, 0, 0, kFlags);
  for (HWND h : owned.windows) {
    SetWindowLongPtrW(h, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(w));
    SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, kFlags);
  }
}

WindowId Win32Desktop::FindProgMan() { return Id(FindWindowW(L"ProgMan", nullptr)); }

WindowId Win32Desktop::FirstChild(WindowId window) {
  return window ? Id(GetWindow(Hwnd(window), GW_CHILD)) : 0;
}

void Win32Desktop::HideApplicationWindow() { ShowWindow(app_, SW_HIDE); }

MonitorPlacement Win32Desktop::PlacementOf(const Rect& window) {
  const RECT r{window.left, window.top, window.right, window.bottom};
  MonitorPlacement p;
  p.on_a_monitor = MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi)) {
    p.nearest_work_area = Rect{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
  }
  return p;
}

std::uint16_t Win32HotKeys::AddAtom(const std::string& name) {
  return GlobalAddAtomW(Widen(name).c_str());
}

void Win32HotKeys::DeleteAtom(std::uint16_t atom) { GlobalDeleteAtom(atom); }

bool Win32HotKeys::Register(WindowId window, std::uint32_t id, unsigned modifiers, unsigned key) {
  return RegisterHotKey(Hwnd(window), static_cast<int>(id), modifiers, key) != FALSE;
}

void Win32HotKeys::Unregister(WindowId window, std::uint32_t id) {
  UnregisterHotKey(Hwnd(window), static_cast<int>(id));
}

void Win32ErrorReport::Show(const std::string& message) {
  if (intercept) {
    intercept(message);
    return;
  }
  MessageBoxW(nullptr, Widen(message).c_str(), Widen(title_).c_str(),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

bool Win32Sound::PlayResource(const std::string& name) {
  return PlaySoundW(Widen(name).c_str(), GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC);
}

}  // namespace zentick::win32
