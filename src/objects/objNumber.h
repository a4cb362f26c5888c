#pragma once
// A row of picture digits that grows to the left of the object's position.
#include <array>

#include "objects/objBase.h"

class TobjNumber : public TobjBase {
 public:
  // Enough for every 32-bit value: a score is never shown cut.
  static constexpr int DigitCount = 10;

  TobjNumber(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y, double layer,
             std::int32_t width, std::int32_t height);

  // Shows the decimal digits of the value, units at x = -26; a negative value
  // shows as 0. Digits that would reach further left than FitWidth are all
  // drawn narrower (and lower), so the whole number fits.
  void SetValue(std::int32_t value);

  std::array<TrndGfx*, DigitCount> Digits{};
  std::int32_t Value = 0;
  bool ShowZeros = false;
  double FitWidth = 0;  // 0: no limit
};
