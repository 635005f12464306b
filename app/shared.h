// The program-wide values every window reaches, kept together in one place.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/settings_file.h"

namespace zentick {

inline constexpr const char* kAppTitle = "青枫迷你时钟";

struct Shared {
  std::string AppDir;                      // the exe's folder, ending in a backslash
  std::unique_ptr<SettingsFile> Settings;  // the one SettingsFile on AppDir + "Zentick.ini"
  std::string SkinName;
  std::string VoicePrefix;
  int AnnounceEvery = 0;
  bool MouseEnabled = true;
  std::uint32_t HotkeyAtom = 0;
  std::string LastMinute;

  SettingsFile& Ini() { return *Settings; }
};

// The directory part of a path, with the trailing backslash it must end in.
std::string DirectoryWithBackslash(const std::string& exe_path);

}  // namespace zentick
