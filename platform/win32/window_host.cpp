#include "platform/win32/window_host.h"

namespace zentick::win32 {

WindowHost::WindowHost(WindowSpec spec, std::function<HWND()> owner)
    : spec_(std::move(spec)), owner_(std::move(owner)), pending_(spec_.design) {}

WindowHost::~WindowHost() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

WindowId WindowHost::Id() {
  if (!hwnd_) {
    HWND owner = owner_ ? owner_() : nullptr;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(instance, spec_.class_name, &wc)) {
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &WindowHost::Proc;
      wc.hInstance = instance;
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
      wc.lpszClassName = spec_.class_name;
      RegisterClassExW(&wc);
    }
    hwnd_ = CreateWindowExW(spec_.ex_style, spec_.class_name, spec_.caption.c_str(), spec_.style,
                            pending_.left, pending_.top, pending_.Width(), pending_.Height(), owner,
                            nullptr, instance, this);
    if (hwnd_ && on_created) on_created();
  }
  return reinterpret_cast<WindowId>(hwnd_);
}

Rect WindowHost::Bounds() {
  if (!hwnd_) return pending_;
  RECT r{};
  GetWindowRect(hwnd_, &r);
  // A child of another window (embedded) reports its place in screen terms
  // here and is placed in its parent's terms, as a window's Left and Top are.
  if (HWND parent = GetParent(hwnd_); parent && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_CHILD)) {
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return Rect{r.left, r.top, r.right, r.bottom};
}

void WindowHost::MoveTo(int left, int top) {
  const Rect b = Bounds();
  pending_ = Rect{left, top, left + b.Width(), top + b.Height()};
  if (hwnd_) {
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }
}

void WindowHost::SetLeft(int left) { MoveTo(left, Bounds().top); }

void WindowHost::SetTop(int top) { MoveTo(Bounds().left, top); }

void WindowHost::SetSize(int width, int height) {
  const Rect b = Bounds();
  pending_ = Rect{b.left, b.top, b.left + width, b.top + height};
  if (hwnd_) {
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }
}

void WindowHost::Show() { ShowWindow(Handle(), SW_SHOWNOACTIVATE); }

LRESULT CALLBACK WindowHost::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    reinterpret_cast<WindowHost*>(cs->lpCreateParams)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<WindowHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && self->on_message) {
    LRESULT result = 0;
    if (self->on_message(msg, wp, lp, result)) return result;
  }
  if (self && msg == WM_NCDESTROY) self->hwnd_ = nullptr;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace zentick::win32
