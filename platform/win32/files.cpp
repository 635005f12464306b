#include "platform/win32/files.h"

#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"

namespace zentick::win32 {

std::optional<std::string> Win32FileSystem::ReadAll(const std::string& path) {
  OwnedFile f(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (f.get() == INVALID_HANDLE_VALUE) {
    f.Release();
    return std::nullopt;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(f.get(), &size) || size.QuadPart > (1 << 24)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size())) {
    return std::nullopt;
  }
  return bytes;
}

bool Win32FileSystem::Exists(const std::string& path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::ReplaceAll(const std::string& path, std::string_view bytes) {
  const std::wstring target = Widen(path);
  const DWORD attrs = GetFileAttributesW(target.c_str());
  // A read-only settings file is the user's way of freezing it.
  if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) return false;

  const std::wstring temp = target + L".tmp";
  {
    OwnedFile f(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f.get() == INVALID_HANDLE_VALUE) {
      f.Release();
      return false;
    }
    DWORD written = 0;
    const bool ok =
        WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(f.get());
    if (!ok) {
      f.Reset();
      DeleteFileW(temp.c_str());
      return false;
    }
  }
  if (!MoveFileExW(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temp.c_str());
    return false;
  }
  return true;
}

std::string Win32AnsiCodec::ToUtf8(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
  return Narrow(wide);
}

std::optional<std::string> Win32AnsiCodec::FromUtf8(std::string_view utf8) {
  if (GetACP() == CP_UTF8) return std::string(utf8);
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) return std::string();
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, &lossy);
  if (lossy) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

}  // namespace zentick::win32
