#include "test_support.h"

#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/win32/files.h"
#include "platform/win32/utf16.h"

namespace zentick::win32::testing {

std::string SourcePath(const std::string& relative) {
  std::string p = std::string("Z:") + ZENTICK_SOURCE_DIR + "/" + relative;
  for (char& c : p) {
    if (c == '/') c = '\\';
  }
  return p;
}

AppFolder::AppFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  dir_ = Narrow(temp) + "zentick-test-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++counter) + "\\";
  CreateDirectoryW(Widen(dir_).c_str(), nullptr);
  CreateDirectoryW(Widen(dir_ + "Skins").c_str(), nullptr);
  WIN32_FIND_DATAW fd;
  const std::string skins = SourcePath("Skins") + "\\";
  HANDLE find = FindFirstFileW(Widen(skins + "*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const std::string name = Narrow(fd.cFileName);
        CopyFileW(Widen(skins + name).c_str(), Widen(dir_ + "Skins\\" + name).c_str(), FALSE);
      }
    } while (FindNextFileW(find, &fd));
    FindClose(find);
  }
}

AppFolder::~AppFolder() {
  std::wstring from = Widen(dir_.substr(0, dir_.size() - 1));
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  SHFileOperationW(&op);
}

void AppFolder::WriteIni(const std::string& content) const {
  Win32FileSystem fs;
  fs.ReplaceAll(dir_ + "Zentick.ini", content);
}

std::string AppFolder::ReadIni() const {
  Win32FileSystem fs;
  return fs.ReadAll(dir_ + "Zentick.ini").value_or("");
}

int ColourDistance(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int shift : {0, 8, 16}) {
    const int x = static_cast<int>((a >> shift) & 0xFF);
    const int y = static_cast<int>((b >> shift) & 0xFF);
    d = std::max(d, x > y ? x - y : y - x);
  }
  return d;
}

void Pump(int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  MSG msg;
  while (GetTickCount64() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  }
}

}  // namespace zentick::win32::testing
