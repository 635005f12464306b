// The skin package: where a skin's files lie and how its descriptor places
// and colours the hands.
#pragma once

#include <string>

#include "app/settings_file.h"
#include "platform/types.h"

namespace zentick {

struct HandStyle {
  Color color = 0;
  int radius = 0;
  int width = 0;
  friend bool operator==(const HandStyle&, const HandStyle&) = default;
};

struct SkinLayout {
  int center_x = 0;
  int center_y = 0;
  HandStyle hour;
  HandStyle minute;
  HandStyle second;
  friend bool operator==(const SkinLayout&, const SkinLayout&) = default;
};

// The hands window's clock control, as skins and start-up set it.
class SkinTarget {
 public:
  virtual ~SkinTarget() = default;
  virtual void SetClockSize(int width, int height) = 0;
  virtual void ApplyLayout(const SkinLayout& layout) = 0;
  virtual void SetSecJump(bool jump) = 0;
};

// "Default.png" -> "Default.ini"; the last dot is kept; no dot gives "ini".
std::string DescriptorName(const std::string& skin_name);

// Every key is applied on every load, so no value survives from another skin.
SkinLayout ReadSkinLayout(const SettingsFile& descriptor, int image_width, int image_height);

}  // namespace zentick
