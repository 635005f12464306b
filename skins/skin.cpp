#include "skins/skin.h"

namespace zentick {
namespace {

constexpr std::string_view kSection = "Settings";
// 62 stands for "half the image", whether read or defaulted.
constexpr int kCentreMark = 62;

HandStyle ReadHand(const SettingsFile& f, const std::string& prefix, HandStyle defaults) {
  HandStyle h;
  h.color = static_cast<Color>(
      f.ReadInteger(kSection, prefix + "Color", static_cast<int>(defaults.color)));
  h.radius = f.ReadInteger(kSection, prefix + "Radius", defaults.radius);
  h.width = f.ReadInteger(kSection, prefix + "Width", defaults.width);
  return h;
}

}  // namespace

std::string DescriptorName(const std::string& skin_name) {
  const std::size_t dot = skin_name.rfind('.');
  return (dot == std::string::npos ? std::string() : skin_name.substr(0, dot + 1)) + "ini";
}

SkinLayout ReadSkinLayout(const SettingsFile& descriptor, int image_width, int image_height) {
  SkinLayout s;
  const int cx = descriptor.ReadInteger(kSection, "CenterX", kCentreMark);
  s.center_x = cx == kCentreMark ? image_width / 2 : cx;
  const int cy = descriptor.ReadInteger(kSection, "CenterY", kCentreMark);
  s.center_y = cy == kCentreMark ? image_height / 2 : cy;
  s.hour = ReadHand(descriptor, "Hour", {kClBlack, 26, 3});
  s.minute = ReadHand(descriptor, "Minute", {kClBlack, 36, 2});
  s.second = ReadHand(descriptor, "Second", {kClRed, 50, 1});
  return s;
}

}  // namespace zentick
