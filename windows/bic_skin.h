// The hands window's clock control BIC as skins and start-up set it.
#pragma once

#include "clock/bmp_clock.h"
#include "skins/skin.h"

namespace zentick {

class BicSkinTarget : public SkinTarget {
 public:
  explicit BicSkinTarget(clock::TBmpClock& bic) : bic_(bic) {}
  void SetClockSize(int width, int height) override;
  void ApplyLayout(const SkinLayout& layout) override;
  void SetSecJump(bool jump) override { bic_.SetSecJump(jump); }

 private:
  clock::TBmpClock& bic_;
};

}  // namespace zentick
