#include "windows/bic_skin.h"

namespace zentick {

void BicSkinTarget::SetClockSize(int width, int height) {
  bic_.SetWidth(width);
  bic_.SetHeight(height);
}

void BicSkinTarget::ApplyLayout(const SkinLayout& l) {
  bic_.Center().SetX(l.center_x);
  bic_.Center().SetY(l.center_y);
  const struct {
    clock::THand& hand;
    const HandStyle& style;
  } hands[] = {
      {bic_.HourHand(), l.hour}, {bic_.MinuteHand(), l.minute}, {bic_.SecondHand(), l.second}};
  for (const auto& h : hands) {
    h.hand.SetColor(h.style.color);
    h.hand.SetRadius(h.style.radius);
    h.hand.SetWidth(h.style.width);
  }
}

}  // namespace zentick
