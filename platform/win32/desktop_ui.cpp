#include "platform/win32/desktop_ui.h"

#include <shellapi.h>

#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"
#include "windows/about_box.h"
#include "windows/event_guard.h"
#include "windows/menu.h"

namespace zentick::win32 {
namespace {

COLORREF Ref(Color c) { return static_cast<COLORREF>(c); }

struct MenuDeleter {
  void operator()(HMENU m) const { DestroyMenu(m); }
};

// The about box window: painted from the portable layout, closed by a click.
class AboutWindow {
 public:
  AboutWindow(AppShell& shell, ErrorReport& report) : box_(shell), report_(report) {}

  void RunModal(HWND owner, const std::function<void(HWND)>& on_shown) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (!GetClassInfoW(instance, L"TFrm_About", &wc)) {
      wc.lpfnWndProc = &AboutWindow::Proc;
      wc.hInstance = instance;
      wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
      wc.lpszClassName = L"TFrm_About";
      RegisterClassW(&wc);
    }
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD ex = WS_EX_DLGMODALFRAME;
    RECT r{0, 0, AboutLayout::kClient.width, AboutLayout::kClient.height};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    hwnd_ = CreateWindowExW(ex, L"TFrm_About", Widen(AboutLayout::kCaption).c_str(), style, x, y, w,
                            h, owner, nullptr, instance, this);
    if (!hwnd_) return;
    const bool owner_enabled = owner && IsWindowEnabled(owner);
    if (owner_enabled) EnableWindow(owner, FALSE);
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    if (on_shown) on_shown(hwnd_);
    MSG msg;
    while (hwnd_) {
      const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
      if (got <= 0) {
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (owner_enabled) EnableWindow(owner, TRUE);
    if (hwnd_) DestroyWindow(hwnd_);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
      SetWindowLongPtrW(
          hwnd, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    }
    auto* self = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        self->Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;
      case WM_LBUTTONUP: {
        bool close = false;
        Guarded(self->report_, [&] { close = self->box_.Image1Click(); });
        if (close) PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
      }
      case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
      case WM_DESTROY:
        self->hwnd_ = nullptr;
        PostMessageW(nullptr, WM_NULL, 0, 0);  // wakes the modal loop
        return 0;
      default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
  }

  void Paint(HDC target) {
    const int w = AboutLayout::kClient.width, h = AboutLayout::kClient.height;
    // Everything is drawn off screen and copied once: no flicker.
    OwnedDc dc(CreateCompatibleDC(target));
    OwnedBitmap canvas(CreateCompatibleBitmap(target, w, h));
    Selection canvas_sel(dc.get(), canvas.get());
    Owned<HBRUSH, GdiObjectDeleter> bg(CreateSolidBrush(Ref(AboutLayout::kBackground)));
    RECT all{0, 0, w, h};
    FillRect(dc.get(), &all, bg.get());

    HINSTANCE instance = GetModuleHandleW(nullptr);
    OwnedBitmap art(static_cast<HBITMAP>(
        LoadImageW(instance, L"ABOUTART", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (art) {
      BITMAP bm{};
      GetObjectW(art.get(), sizeof(bm), &bm);
      OwnedDc art_dc(CreateCompatibleDC(target));
      Selection art_sel(art_dc.get(), art.get());
      // The picture's own bottom-left colour is its see-through colour.
      const COLORREF key = GetPixel(art_dc.get(), 0, bm.bmHeight - 1);
      const Rect& p = AboutLayout::kPicture;
      TransparentBlt(dc.get(), p.left, p.top, p.Width(), p.Height(), art_dc.get(), 0, 0, bm.bmWidth,
                     bm.bmHeight, key);
    }
    SetBkMode(dc.get(), TRANSPARENT);

    {
      const std::wstring word = Widen(AboutLayout::kWordmarkText);
      const Rect& m = AboutLayout::kWordmark;
      // 56 pixels high, or less where the font at hand would overrun its box.
      Owned<HFONT, GdiObjectDeleter> mark;
      for (int height = 56; height >= 24; height -= 2) {
        mark.Reset(CreateFontW(-height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                               DEFAULT_PITCH, L"GungsuhChe"));
        Selection probe(dc.get(), mark.get());
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), word.c_str(), static_cast<int>(word.size()), &extent);
        if (extent.cx <= m.Width()) break;
      }
      Selection font(dc.get(), mark.get());
      RECT shadow{AboutLayout::kWordmarkShadow.x, AboutLayout::kWordmarkShadow.y,
                  AboutLayout::kWordmarkShadow.x + m.Width(),
                  AboutLayout::kWordmarkShadow.y + m.Height()};
      SetTextColor(dc.get(), Ref(AboutLayout::kShadow));
      DrawTextW(dc.get(), word.c_str(), -1, &shadow, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
      RECT front{m.left, m.top, m.right, m.bottom};
      SetTextColor(dc.get(), Ref(AboutLayout::kMaroon));
      DrawTextW(dc.get(), word.c_str(), -1, &front, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    }
    // 13 pixels a line, so the eight lines fill the 104-pixel block.
    Owned<HFONT, GdiObjectDeleter> text_font(
        CreateFontW(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_TT_PRECIS,
                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH,
                    Widen(AboutLayout::kBaseFont).c_str()));
    {
      Selection font(dc.get(), text_font.get());
      std::string text;
      for (const auto& line : AboutLines()) text += line + "\r\n";
      const std::wstring wide = Widen(text);
      const Rect& t = AboutLayout::kText;
      RECT box{t.left, t.top, t.right, t.bottom};
      SetTextColor(dc.get(), Ref(AboutLayout::kMaroon));
      DrawTextW(dc.get(), wide.c_str(), -1, &box, DT_LEFT | DT_TOP | DT_WORDBREAK);
    }
    BitBlt(target, 0, 0, w, h, dc.get(), 0, 0, SRCCOPY);
  }

  AboutBox box_;
  ErrorReport& report_;
  HWND hwnd_ = nullptr;
};

}  // namespace

int Win32MenuPopper::Track(const MenuModel& model) {
  Owned<HMENU, MenuDeleter> menu(CreatePopupMenu());
  for (const MenuItem& item : model.items) {
    if (item.Separator()) {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu.get(), MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED),
                  static_cast<UINT_PTR>(item.command), Widen(item.caption).c_str());
    }
  }
  if (choose) return choose(menu.get());
  HWND owner = owner_.Handle();
  POINT at{};
  GetCursorPos(&at);
  // Without this a menu opened from the tray stays open when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const int chosen = static_cast<int>(TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return chosen;
}

void Win32AppShell::OpenLink(const std::string& target) {
  if (on_link) {
    on_link(target);
    return;
  }
  ShellExecuteW(application_, nullptr, Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32AppShell::ShowAboutModal() {
  AboutWindow about(*this, report_);
  about.RunModal(face_.Handle(), on_about_shown);
}

void Win32AppShell::CloseMainWindow() { PostMessageW(face_.Handle(), WM_CLOSE, 0, 0); }

}  // namespace zentick::win32
