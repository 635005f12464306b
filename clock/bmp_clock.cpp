#include "clock/bmp_clock.h"

#include <utility>

namespace zentick::clock {

namespace {

template <typename T>
void AssignAndRepaint(TBmpClock& owner, T& field, T v) {
  if (field == v) return;
  field = v;
  owner.Repaint();
}

WindowShape ShapeOf(TThemeStyle style) {
  switch (style) {
    case TThemeStyle::tsCircle:
      return WindowShape::kEllipse;
    case TThemeStyle::tsRoundRect:
      return WindowShape::kRoundRect;
    case TThemeStyle::tsNone:
    case TThemeStyle::tsAuto:
      break;
  }
  return WindowShape::kRectangle;
}

}  // namespace

void TCenter::SetX(int v) { AssignAndRepaint(owner_, x_, v); }
void TCenter::SetY(int v) { AssignAndRepaint(owner_, y_, v); }

void THand::SetRadius(int v) { AssignAndRepaint(owner_, radius_, v); }
void THand::SetBackRadius(int v) { AssignAndRepaint(owner_, back_radius_, v); }
void THand::SetWidth(int v) { AssignAndRepaint(owner_, width_, v); }
void THand::SetColor(zentick::Color v) { AssignAndRepaint(owner_, color_, v); }

void TCenterPoint::SetPointSize(int v) { AssignAndRepaint(owner_, point_size_, v); }
void TCenterPoint::SetPenSize(int v) { AssignAndRepaint(owner_, pen_size_, v); }
void TCenterPoint::SetFillColor(zentick::Color v) { AssignAndRepaint(owner_, fill_color_, v); }
void TCenterPoint::SetPenColor(zentick::Color v) { AssignAndRepaint(owner_, pen_color_, v); }

TBmpClock::TBmpClock(Timer& ClockTimer, ClockSource& clock, ClockWindow& window, Raster picture)
    : clock_timer_(ClockTimer), clock_(clock), window_(window), picture_(std::move(picture)) {
  clock_timer_.SetInterval(interval_);
  clock_timer_.SetHandler([this] { TimerTick(); });
  clock_timer_.SetEnabled(true);
  local_gmt_ = DetectLocalGMT(clock_);
}

TBmpClock::~TBmpClock() {
  destroying_ = true;
  clock_timer_.SetEnabled(false);
  clock_timer_.SetHandler(nullptr);
}

void TBmpClock::Loaded() { tracking_.Seed(clock_.LocalNow()); }

void TBmpClock::Repaint() {
  if (window_.Exists()) Paint();
}

void TBmpClock::Paint() {
  if (destroying_) return;
  buffer_.Resize(width_, height_);
  const Rect client{0, 0, width_, height_};
  canvas_.brush = color_;
  canvas_.pen.color = color_;
  // The pen width is whatever the previous paint left on the canvas.
  Rectangle(buffer_, client, canvas_.pen, canvas_.brush);
  switch (back_ground_style_) {
    case TBgStyle::bgColor:
      canvas_.brush = back_ground_color_;
      Rectangle(buffer_, client, canvas_.pen, canvas_.brush);
      break;
    case TBgStyle::bgPicture:
      PaintPicture();
      break;
  }

  const HandAngles angles =
      HandAnglesOf(ShownTimeOf(clock_.LocalNow(), gmt_, local_gmt_), sec_jump_);
  angle_ = angles.hour;
  if (hour_hand_enabled_) DrawHand(hour_hand_);
  angle_ = angles.minute;
  if (minute_hand_enabled_) DrawHand(minute_hand_);
  angle_ = angles.second;
  if (second_hand_enabled_) DrawHand(second_hand_);
  if (center_point_) DrawCenterMark();

  window_.Blit(buffer_.View());

  if (width_ != last_width_ || height_ != last_height_) {
    last_width_ = width_;
    last_height_ = height_;
    UpdateWindowRegion();  // paints once more, finding the size unchanged
  }
}

void TBmpClock::PaintPicture() {
  // An empty picture has nothing to place (and would never advance the tiling).
  if (picture_.Empty()) return;
  work_image_ = picture_;
  switch (picture_style_) {
    case TPictureStyle::psNone:
      PlaceWorkImage();
      break;
    case TPictureStyle::psStretch:
      work_image_.Resize(width_, height_);
      StretchDraw(work_image_, {0, 0, width_, height_}, picture_);
      PlaceWorkImage();
      break;
    case TPictureStyle::psTile:
      work_image_.Resize(width_, height_);
      if (trans_parent_) {
        Tile(work_image_, picture_);
        PlaceWorkImage();
      } else {
        Tile(buffer_, picture_);
      }
      break;
  }
}

void TBmpClock::PlaceWorkImage() {
  if (trans_parent_) {
    // The key colour shows the canvas's brush, which is still Color.
    BrushCopy(buffer_, {0, 0, width_, height_}, work_image_, trans_parent_color_, canvas_.brush);
  } else {
    Draw(buffer_, work_image_, {0, 0});
  }
}

Point TBmpClock::Pivot() const {
  return HandPivot(auto_center_, width_, height_, center_.X(), center_.Y());
}

void TBmpClock::DrawHand(const THand& hand) {
  canvas_.pen = {hand.Color(), hand.Width()};
  const Segment seg = HandSegment(Pivot(), angle_, hand.Radius(), hand.BackRadius(), round_hole_);
  Line(buffer_, seg.start, seg.tip, canvas_.pen);
}

void TBmpClock::DrawCenterMark() {
  canvas_.pen = {center_mark_.PenColor(), center_mark_.PenSize()};
  canvas_.brush = center_mark_.FillColor();
  RoundRect(buffer_, CenterMarkBox(Pivot(), center_mark_.PointSize()), width_, height_, canvas_.pen,
            canvas_.brush);
}

void TBmpClock::UpdateWindowRegion() {
  window_.SetRegion(ShapeOf(theme_style_), width_, height_, round_x_, round_y_);
  Repaint();
}

void TBmpClock::TimerTick() {
  tracking_.Decode(clock_.LocalNow());
  if (window_.Exists()) Paint();
  tracking_.Fire(
      [this](std::uint16_t v) {
        if (OnSecond) OnSecond(*this, v);
      },
      [this](std::uint16_t v) {
        if (OnMinute) OnMinute(*this, v);
      },
      [this](std::uint16_t v) {
        if (OnHour) OnHour(*this, v);
      },
      [this] {
        if (OnTime) OnTime(*this);
      });
}

void TBmpClock::SetWidth(int v) {
  if (v == width_) return;
  width_ = v;
  window_.Resize(width_, height_);
  Repaint();
}

void TBmpClock::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  window_.Resize(width_, height_);
  Repaint();
}

void TBmpClock::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  clock_timer_.SetEnabled(v);
  active_ = v;
  Repaint();
}

void TBmpClock::SetPicture(const Raster& v) {
  if (v.Empty()) return;
  picture_ = v;
  width_ = picture_.Width();
  height_ = picture_.Height();
  window_.Resize(width_, height_);
  Repaint();
}

void TBmpClock::SetInterval(std::uint16_t v) {
  if (v == interval_) return;
  interval_ = v;
  clock_timer_.SetInterval(v);
  Repaint();
}

void TBmpClock::SetActive(bool v) {
  if (v == active_) return;
  active_ = v;
  clock_timer_.SetEnabled(v);
  Repaint();
}

void TBmpClock::SetVersionInfo(const std::string& v) {
  if (v == version_info_) return;
  window_.ShowInfoBox(kVersionLineShown, kVersionCaption);
  version_info_ = kVersionLineShown;
}

void TBmpClock::SetAutoCenter(bool v) {
  if (v == auto_center_) return;
  if (v) {
    center_.SetX(width_ / 2);
    center_.SetY(height_ / 2);
  }
  auto_center_ = v;
  Repaint();
}

void TBmpClock::SetThemeStyle(TThemeStyle v) {
  if (v == theme_style_) return;
  theme_style_ = v;
  UpdateWindowRegion();
}

void TBmpClock::SetRoundX(int v) {
  if (v == round_x_) return;
  round_x_ = v;
  UpdateWindowRegion();
}

void TBmpClock::SetRoundY(int v) {
  if (v == round_y_) return;
  round_y_ = v;
  UpdateWindowRegion();
}

void ApplyBicForm(TBmpClock& bic) {
  bic.SetColor(kKeyColor);
  bic.SetTransParentColor(kClBlack);
  bic.SetActive(true);
  bic.SetBackGroundStyle(TBgStyle::bgColor);
  bic.SetBackGroundColor(kKeyColor);
  bic.SetAutoCenter(false);
  bic.Center().SetX(64);
  bic.Center().SetY(64);
  const struct {
    THand& hand;
    int radius, back_radius, width;
    zentick::Color color;
  } hands[] = {{bic.HourHand(), 25, 6, 2, kClGreen},
               {bic.MinuteHand(), 30, 6, 2, kClBlue},
               {bic.SecondHand(), 38, 11, 1, kClRed}};
  for (const auto& h : hands) {
    h.hand.SetBackRadius(h.back_radius);
    h.hand.SetColor(h.color);
    h.hand.SetRadius(h.radius);
    h.hand.SetWidth(h.width);
  }
  bic.CenterMark().SetPointSize(3);
  bic.CenterMark().SetPenSize(1);
  bic.CenterMark().SetFillColor(kClRed);
  bic.CenterMark().SetPenColor(kClRed);
  bic.SetLocalGMT(8);
  bic.SetGMT(8);
  bic.SetWidth(25);
  bic.SetHeight(17);
  bic.Loaded();
}

}  // namespace zentick::clock
