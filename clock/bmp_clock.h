// TBmpClock, the analog clock control: its properties and their setters, the paint
// pipeline through an off-screen raster, its timer, time events and window shape.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "clock/raster.h"
#include "clock/time_geometry.h"
#include "platform/clock_source.h"
#include "platform/clock_window.h"
#include "platform/timer.h"
#include "platform/types.h"

namespace zentick::clock {

enum class TBgStyle { bgPicture, bgColor };
enum class TPictureStyle { psNone, psStretch, psTile };
enum class TThemeStyle { tsNone, tsCircle, tsRoundRect, tsAuto };

// The version line the control carries, and the line and caption of its information box.
inline constexpr char kVersionLine[] =
    "Zentick BmpClock 1.0 - Copyright (c) the Zentick authors. All rights reserved.";
inline constexpr char kVersionLineShown[] =
    "Zentick BmpClock 1.1 - Copyright (c) the Zentick authors. All rights reserved.";
inline constexpr char kVersionCaption[] = "About Zentick BmpClock 1.0";

class TBmpClock;

// The pivot used when AutoCenter is off.
class TCenter {
 public:
  explicit TCenter(TBmpClock& owner) : owner_(owner) {}
  int X() const { return x_; }
  int Y() const { return y_; }
  void SetX(int v);
  void SetY(int v);

 private:
  TBmpClock& owner_;
  int x_ = 50;
  int y_ = 50;
};

class THand {
 public:
  THand(TBmpClock& owner, int radius, int back_radius, int width, zentick::Color color)
      : owner_(owner), radius_(radius), back_radius_(back_radius), width_(width), color_(color) {}
  int Radius() const { return radius_; }
  int BackRadius() const { return back_radius_; }
  int Width() const { return width_; }
  zentick::Color Color() const { return color_; }
  void SetRadius(int v);
  void SetBackRadius(int v);
  void SetWidth(int v);
  void SetColor(zentick::Color v);

 private:
  TBmpClock& owner_;
  int radius_;
  int back_radius_;
  int width_;
  zentick::Color color_;
};

// The mark over the pivot, drawn as a disc.
class TCenterPoint {
 public:
  explicit TCenterPoint(TBmpClock& owner) : owner_(owner) {}
  int PointSize() const { return point_size_; }
  int PenSize() const { return pen_size_; }
  zentick::Color FillColor() const { return fill_color_; }
  zentick::Color PenColor() const { return pen_color_; }
  void SetPointSize(int v);
  void SetPenSize(int v);
  void SetFillColor(zentick::Color v);
  void SetPenColor(zentick::Color v);

 private:
  TBmpClock& owner_;
  int point_size_ = 4;
  int pen_size_ = 1;
  zentick::Color fill_color_ = kClBlack;
  zentick::Color pen_color_ = kClWhite;
};

class TBmpClock {
 public:
  using THour = std::function<void(TBmpClock& Sender, std::uint16_t Hour)>;
  using TMinute = std::function<void(TBmpClock& Sender, std::uint16_t Minute)>;
  using TSecond = std::function<void(TBmpClock& Sender, std::uint16_t Second)>;
  using TNotifyEvent = std::function<void(TBmpClock& Sender)>;

  // The timer runs from construction on; nothing is painted until the window exists.
  // `picture` is the built-in picture, decoded by the caller.
  TBmpClock(Timer& ClockTimer, ClockSource& clock, ClockWindow& window, Raster picture);
  // Stops and detaches the timer first; a paint during destruction does nothing.
  ~TBmpClock();
  TBmpClock(const TBmpClock&) = delete;
  TBmpClock& operator=(const TBmpClock&) = delete;

  // After the form's values: the events then report only real changes.
  void Loaded();
  void Paint();
  void TimerTick();
  // Paints at once when the window exists; does nothing before.
  void Repaint();
  void UpdateWindowRegion();

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int v);
  void SetHeight(int v);
  zentick::Color Color() const { return color_; }
  void SetColor(zentick::Color v) { Assign(color_, v); }
  bool Enabled() const { return enabled_; }
  // The enabled-changed handling: the timer and Active follow.
  void SetEnabled(bool v);

  const Raster& Picture() const { return picture_; }
  // An empty picture is ignored; any other is copied and sizes the control.
  void SetPicture(const Raster& v);
  zentick::Color TransParentColor() const { return trans_parent_color_; }
  void SetTransParentColor(zentick::Color v) { Assign(trans_parent_color_, v); }
  bool TransParent() const { return trans_parent_; }
  void SetTransParent(bool v) { Assign(trans_parent_, v); }
  std::uint16_t Interval() const { return interval_; }
  void SetInterval(std::uint16_t v);
  bool Active() const { return active_; }
  void SetActive(bool v);
  const std::string& VersionInfo() const { return version_info_; }
  // Any new value shows the information box once and leaves the shown version line.
  void SetVersionInfo(const std::string& v);
  TBgStyle BackGroundStyle() const { return back_ground_style_; }
  void SetBackGroundStyle(TBgStyle v) { Assign(back_ground_style_, v); }
  zentick::Color BackGroundColor() const { return back_ground_color_; }
  void SetBackGroundColor(zentick::Color v) { Assign(back_ground_color_, v); }
  bool CenterPoint() const { return center_point_; }
  void SetCenterPoint(bool v) { Assign(center_point_, v); }
  bool AutoCenter() const { return auto_center_; }
  // Turning it on moves Center to the middle, so turning it off again keeps the pivot.
  void SetAutoCenter(bool v);
  bool HourHandEnabled() const { return hour_hand_enabled_; }
  void SetHourHandEnabled(bool v) { Assign(hour_hand_enabled_, v); }
  bool MinuteHandEnabled() const { return minute_hand_enabled_; }
  void SetMinuteHandEnabled(bool v) { Assign(minute_hand_enabled_, v); }
  bool SecondHandEnabled() const { return second_hand_enabled_; }
  void SetSecondHandEnabled(bool v) { Assign(second_hand_enabled_, v); }
  TCenter& Center() { return center_; }
  THand& HourHand() { return hour_hand_; }
  THand& MinuteHand() { return minute_hand_; }
  THand& SecondHand() { return second_hand_; }
  TCenterPoint& CenterMark() { return center_mark_; }
  TPictureStyle PictureStyle() const { return picture_style_; }
  void SetPictureStyle(TPictureStyle v) { Assign(picture_style_, v); }
  TThemeStyle ThemeStyle() const { return theme_style_; }
  void SetThemeStyle(TThemeStyle v);
  int RoundX() const { return round_x_; }
  void SetRoundX(int v);
  int RoundY() const { return round_y_; }
  void SetRoundY(int v);
  bool RoundHole() const { return round_hole_; }
  void SetRoundHole(bool v) { Assign(round_hole_, v); }
  bool SecJump() const { return sec_jump_; }
  void SetSecJump(bool v) { Assign(sec_jump_, v); }
  std::int8_t LocalGMT() const { return local_gmt_; }
  void SetLocalGMT(std::int8_t v) { Assign(local_gmt_, v); }
  std::int8_t GMT() const { return gmt_; }
  void SetGMT(std::int8_t v) { Assign(gmt_, v); }

  THour OnHour;
  TMinute OnMinute;
  TSecond OnSecond;
  TNotifyEvent OnTime;

  // Inner state, for the host and the tests.
  const Raster& Buffer() const { return buffer_; }
  double Angle() const { return angle_; }
  int LastWidth() const { return last_width_; }
  int LastHeight() const { return last_height_; }
  const TimeTracking& Tracking() const { return tracking_; }

 private:
  struct CanvasState {
    Pen pen{kClBlack, 1};
    zentick::Color brush = kClWhite;
  };

  template <typename T>
  void Assign(T& field, const T& v) {
    if (field == v) return;
    field = v;
    Repaint();
  }
  void PaintPicture();
  void PlaceWorkImage();
  void DrawHand(const THand& hand);
  void DrawCenterMark();
  Point Pivot() const;

  Timer& clock_timer_;
  ClockSource& clock_;
  ClockWindow& window_;
  bool destroying_ = false;

  int width_ = 100;
  int height_ = 100;
  int last_width_ = 100;
  int last_height_ = 100;
  zentick::Color color_ = kClWhite;  // what the system's window colour usually is
  bool enabled_ = true;

  Raster picture_;
  Raster work_image_;
  Raster buffer_;
  CanvasState canvas_;  // what the buffer's canvas keeps from one paint to the next

  zentick::Color trans_parent_color_ = kClFuchsia;
  bool trans_parent_ = false;
  std::uint16_t interval_ = 100;
  bool active_ = true;
  std::string version_info_ = kVersionLine;
  TBgStyle back_ground_style_ = TBgStyle::bgPicture;
  zentick::Color back_ground_color_ = kClBlack;
  bool center_point_ = true;
  bool auto_center_ = true;
  bool hour_hand_enabled_ = true;
  bool minute_hand_enabled_ = true;
  bool second_hand_enabled_ = true;
  TPictureStyle picture_style_ = TPictureStyle::psNone;
  TThemeStyle theme_style_ = TThemeStyle::tsNone;
  int round_x_ = 25;
  int round_y_ = 25;
  bool round_hole_ = false;
  bool sec_jump_ = false;
  std::int8_t local_gmt_ = 0;
  std::int8_t gmt_ = 8;

  TCenter center_{*this};
  THand hour_hand_{*this, 25, 6, 2, kClGreen};
  THand minute_hand_{*this, 30, 6, 2, kClBlue};
  THand second_hand_{*this, 38, 11, 1, kClRed};
  TCenterPoint center_mark_{*this};

  TimeTracking tracking_;
  double angle_ = 0;
};

// Gives the hands window's clock the values of its form, then runs Loaded.
void ApplyBicForm(TBmpClock& bic);

}  // namespace zentick::clock
