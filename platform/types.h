// Value types shared by the portable logic and the platform adapters.
#pragma once

#include <cstdint>

namespace zentick {

// 0x00BBGGRR, red in the low byte, as stored in the settings and skin files.
using Color = std::uint32_t;

inline constexpr Color kClBlack = 0;
inline constexpr Color kClRed = 255;
inline constexpr Color kClGreen = 32768;
inline constexpr Color kClBlue = 16711680;
inline constexpr Color kClWhite = 16777215;
inline constexpr Color kClFuchsia = 16711935;
inline constexpr Color kKeyColor = 8421631;  // the hands window's transparency key

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A broken-down clock reading with milliseconds.
struct DateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// An opaque system window handle; 0 is "no window".
using WindowId = std::uintptr_t;

}  // namespace zentick
