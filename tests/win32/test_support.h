// Shared helpers of the Win32 adapter tests: a temporary application folder
// and a message pump.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace zentick::win32::testing {

// The repo's folder as a Windows path (the tests run under Wine).
std::string SourcePath(const std::string& relative);

// A fresh application folder with Skins\ copied in; removed at the end.
class AppFolder {
 public:
  AppFolder();
  ~AppFolder();
  AppFolder(const AppFolder&) = delete;
  AppFolder& operator=(const AppFolder&) = delete;
  const std::string& Dir() const { return dir_; }  // ends in a backslash
  std::string Exe() const { return dir_ + "Zentick.exe"; }
  void WriteIni(const std::string& content) const;
  std::string ReadIni() const;

 private:
  std::string dir_;
};

// The largest difference of the red, green and blue bytes of two pixels.
int ColourDistance(std::uint32_t a, std::uint32_t b);

// Dispatches messages for about `ms` milliseconds.
void Pump(int ms);

}  // namespace zentick::win32::testing
