#include "platform/win32/tray.h"

#include <shellapi.h>

namespace zentick::win32 {
namespace {

NOTIFYICONDATAW Data(HWND owner) {
  NOTIFYICONDATAW d{};
  d.cbSize = sizeof(d);
  d.hWnd = owner;
  d.uID = 1;
  return d;
}

}  // namespace

bool Win32Tray::Add() {
  NOTIFYICONDATAW d = Data(owner_.Handle());
  d.uFlags = NIF_MESSAGE | NIF_ICON;
  d.uCallbackMessage = kTrayCallback;
  d.hIcon = icon_;
  return Shell_NotifyIconW(NIM_ADD, &d) != FALSE;
}

void Win32Tray::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (visible) {
    Add();
  } else {
    NOTIFYICONDATAW d = Data(owner_.Handle());
    Shell_NotifyIconW(NIM_DELETE, &d);
  }
}

void Win32Tray::TaskbarCreated() {
  if (visible_) Add();
}

}  // namespace zentick::win32
