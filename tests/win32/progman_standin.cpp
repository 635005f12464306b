// Test helper: a desktop window of class "ProgMan" with a child and a
// grandchild, as the embedded mode expects; Wine has none of its own.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"ProgMan";
  RegisterClassW(&wc);
  wc.lpszClassName = L"SHELLDLL_DefView";
  RegisterClassW(&wc);
  wc.lpszClassName = L"SysListView32Standin";
  RegisterClassW(&wc);
  HWND progman = CreateWindowExW(WS_EX_NOACTIVATE, L"ProgMan", L"Program Manager", WS_POPUP, 0, 0,
                                 1280, 800, nullptr, nullptr, instance, nullptr);
  HWND view = CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD, 0, 0, 1280, 800, progman,
                              nullptr, instance, nullptr);
  CreateWindowExW(0, L"SysListView32Standin", L"FolderView", WS_CHILD, 0, 0, 1280, 800, view,
                  nullptr, instance, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
