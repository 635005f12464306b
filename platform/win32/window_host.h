// Thin shells that own the clock's system windows and turn their messages
// into calls on the portable behaviour classes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/types.h"
#include "platform/window.h"

namespace zentick::win32 {

struct WindowSpec {
  const wchar_t* class_name;
  std::wstring caption;
  DWORD style;
  DWORD ex_style;
  Rect design;  // position and outer size before anything moves it
};

class WindowHost : public Window {
 public:
  // `owner` gives the owner's handle when the window is created (may be null).
  WindowHost(WindowSpec spec, std::function<HWND()> owner);
  ~WindowHost() override;
  WindowHost(const WindowHost&) = delete;
  WindowHost& operator=(const WindowHost&) = delete;

  WindowId Id() override;
  Rect Bounds() override;
  void SetLeft(int left) override;
  void SetTop(int top) override;
  void SetSize(int width, int height) override;
  void Show() override;
  void MoveTo(Point top_left) override { MoveTo(top_left.x, top_left.y); }

  HWND Handle() { return reinterpret_cast<HWND>(Id()); }
  HWND HandleIfCreated() const { return hwnd_; }

  // Every message goes here first; return true when handled.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> on_message;
  std::function<void()> on_created;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  void MoveTo(int left, int top);

  WindowSpec spec_;
  std::function<HWND()> owner_;
  HWND hwnd_ = nullptr;
  Rect pending_;
};

}  // namespace zentick::win32
