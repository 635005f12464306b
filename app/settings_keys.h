// Every key of Zentick.ini with its section, type and default, in one place.
#pragma once

#include <string_view>

namespace zentick {

struct IntKey {
  std::string_view section;
  std::string_view name;
  int fallback;
};
struct BoolKey {
  std::string_view section;
  std::string_view name;
  bool fallback;
};
struct StringKey {
  std::string_view section;
  std::string_view name;
  std::string_view fallback;
};

namespace keys {
inline constexpr IntKey kLeft{"MainForm", "Left", 200};
inline constexpr IntKey kTop{"MainForm", "Top", 200};
inline constexpr StringKey kVoiceType{"Options", "VoiceType", "G"};
inline constexpr StringKey kBmpFilename{"Options", "BmpFilename", "Default.png"};
inline constexpr IntKey kAlphaBlendValue{"Options", "AlphaBlendValue", 255};
inline constexpr BoolKey kEnableMouse{"Options", "EnableMouse", true};
inline constexpr BoolKey kEmbeddedDesktop{"Options", "EmbeddedDesktop", false};
inline constexpr BoolKey kStayOnTop{"Options", "StayOnTop", false};
inline constexpr BoolKey kSecondJump{"Options", "SecondJump", true};
inline constexpr IntKey kGivetime{"Options", "Givetime", 1};
inline constexpr IntKey kTailorMinutes{"Options", "TailorMinutes", 20};
inline constexpr BoolKey kTrayIconVisible{"Options", "TrayIconVisible", true};
// Read as AutoRun, written as Autorun: one entry, since names ignore case.
inline constexpr BoolKey kAutoRunRead{"Options", "AutoRun", false};
inline constexpr BoolKey kAutorunWrite{"Options", "Autorun", false};
}  // namespace keys

}  // namespace zentick
