#include "platform/win32/program.h"

#include "platform/win32/program_parts.h"
#include "platform/win32/utf16.h"
#include "windows/event_guard.h"

namespace zentick::win32 {
namespace {

constexpr DWORD kHandsStyle = 0x96000000;  // popup, visible, clip siblings and children
constexpr DWORD kHandsExStyle = 0x10000;   // control parent
constexpr Rect kHandsDesign{0, 0, 104, 19};

HWND CreateApplicationWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = L"TApplication";
  RegisterClassW(&wc);
  // Never shown: it owns the face window, which keeps the clock off the taskbar.
  return CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, Widen(kAppTitle).c_str(),
                         WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                         0, 0, 0, nullptr, nullptr, instance, nullptr);
}

HICON LoadAppIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                       size, size, LR_DEFAULTCOLOR));
}

}  // namespace

Program::Parts::Parts(std::string exe)
    : exe_path(std::move(exe)),
      report(kAppTitle),
      application(CreateApplicationWindow()),
      desktop(application.get()),
      face_host({L"TAlphaClock", Widen(kAppTitle), WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                 WS_EX_TOOLWINDOW, kFaceDesignBounds},
                [this] { return application.get(); }),
      hands_host({L"TFrmZentick", Widen(kAppTitle), kHandsStyle, kHandsExStyle, kHandsDesign},
                 [this] { return face_host.Handle(); }),
      icon(LoadAppIcon(GetSystemMetrics(SM_CXSMICON))),
      tray(face_host, icon.get()),
      surface(face_host),
      bic_window(hands_host),
      bic(bic_timer, clock, bic_window, LoadBuiltInPicture()),
      bic_skin(bic),
      announcer(sound, time_baoshi, timer1, clock, shared.VoicePrefix, shared.AnnounceEvery,
                shared.LastMinute),
      menus(hands_host),
      shell(application.get(), face_host, report),
      hands(shared, {hands_host, desktop, hot_keys, report, files, ansi, images, bic_skin, tray},
            exe_path),
      face(shared, {face_host, desktop, tray, surface, images, report, shell, menus, announcer},
           hands, exe_path),
      taskbar_created(RegisterWindowMessageW(L"TaskbarCreated")) {
  clock::ApplyBicForm(bic);
  hands_host.on_created = [this] {
    HWND h = hands_host.HandleIfCreated();
    bic_window.ApplyPendingRegion();
    // Exactly these styles, whatever CreateWindowEx added on its own.
    SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(kHandsStyle));
    SetWindowLongW(h, GWL_EXSTYLE, kHandsExStyle | WS_EX_LAYERED);
    SetLayeredWindowAttributes(h, kKeyColor, 255, LWA_COLORKEY | LWA_ALPHA);
  };
  face_host.on_message = [this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    using Button = FaceWindow::Button;
    auto cursor = [] {
      POINT pt{};
      GetCursorPos(&pt);
      return Point{pt.x, pt.y};
    };
    auto press = [&](Button b) {
      // The face keeps the mouse while a button is down, so a fast drag never loses it.
      SetCapture(face_host.HandleIfCreated());
      Guarded(report, [&] { face.FormMouseDown(b, cursor()); });
      return true;
    };
    auto release = [&](Button b) {
      if (!(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) ReleaseCapture();
      Guarded(report, [&] { face.FormMouseUp(b); });
      return true;
    };
    switch (msg) {
      case WM_LBUTTONDOWN:
        return press(Button::kLeft);
      case WM_RBUTTONDOWN:
        return press(Button::kRight);
      case WM_MBUTTONDOWN:
        return press(Button::kMiddle);
      case WM_LBUTTONUP:
        return release(Button::kLeft);
      case WM_MBUTTONUP:
        return release(Button::kMiddle);
      case WM_RBUTTONUP:
        release(Button::kRight);
        Guarded(report, [this] { face.FormContextMenu(); });
        return true;
      case WM_MOUSEMOVE:
        Guarded(report, [&] { face.FormMouseMove(cursor()); });
        return true;
      case WM_CAPTURECHANGED:
        if (face.DraggingFace) Guarded(report, [this] { face.FormMouseUp(Button::kLeft); });
        return true;
      case kTrayCallback:
        if (LOWORD(lp) == WM_RBUTTONUP) Guarded(report, [this] { face.TrayRightClick(); });
        return true;
      case WM_MOVE:
        Guarded(report, [this] { face.FormMove(); });
        return true;
      case WM_MOUSEACTIVATE:
        // A desktop clock takes no focus from the user's work; activated, the
        // face would also be raised over its hands under Wine.
        result = MA_NOACTIVATE;
        return true;
      case WM_KEYUP:
        Guarded(report, [this] { face.FormKeyUp(); });
        return true;
      case WM_ERASEBKGND:
        result = 1;  // the layered update is the face's only picture
        return true;
      case WM_DESTROY:
        PostQuitMessage(0);
        return true;
      default:
        if (msg == taskbar_created && taskbar_created != 0) {
          tray.TaskbarCreated();
          return true;
        }
        return false;
    }
  };
  hands_host.on_message = [this](UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hands_host.HandleIfCreated(), &ps);
        EndPaint(hands_host.HandleIfCreated(), &ps);
        bic_window.MarkStale();
        Guarded(report, [this] { bic.Paint(); });
        return true;
      }
      case WM_HOTKEY:
        Guarded(report, [this, wp] { hands.WMHotKey(static_cast<std::uint32_t>(wp)); });
        return true;
      case WM_CLOSE:
        Guarded(report, [this] { hands.FormClose(); });
        ShowWindow(hands_host.HandleIfCreated(), SW_HIDE);
        return true;
      case WM_ERASEBKGND:
        result = 1;
        return true;
      default:
        return false;
    }
  };
}

Program::Program(std::string exe_path) : parts_(std::make_unique<Parts>(std::move(exe_path))) {}

Program::~Program() {
  if (parts_) parts_->hands.ReleaseHotKey();
}

void Program::Start() {
  Parts& p = *parts_;
  Guarded(p.report, [&p] { p.face.FormCreate(); });
  // The minute check runs from start-up, so the chosen period is announced.
  p.announcer.Start();
}

void Program::ShowFace() { ShowWindow(parts_->face_host.Handle(), SW_SHOWNOACTIVATE); }

int Program::Run() {
  ShowFace();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  parts_->hands.ReleaseHotKey();
  return static_cast<int>(msg.wParam);
}

HWND Program::Application() const { return parts_->application.get(); }
HWND Program::Face() const { return parts_->face_host.HandleIfCreated(); }
HWND Program::Hands() const { return parts_->hands_host.HandleIfCreated(); }

std::string ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) {
      buffer.resize(n);
      return Narrow(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace zentick::win32
