#include "objects/objNumber.h"

#include <algorithm>
#include <cmath>

#include "objects/objSheet.h"

TobjNumber::TobjNumber(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                       double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  Space = csScreen;
  MainItem->Visible = false;
  for (int k = 0; k < DigitCount; ++k) {
    TrndGfx* digit = AddSheetPicture(this, Sheet::NumberDigit[0], -26.0 * (k + 1), 0, 26, 31);
    digit->Visible = false;
    Digits[static_cast<std::size_t>(k)] = digit;
  }
  SetColor(WidgetTint);
}

void TobjNumber::SetValue(std::int32_t value) {
  for (TrndGfx* digit : Digits) {
    SetSheetPicture(digit, Sheet::NumberDigit[0]);
    digit->Visible = ShowZeros;
  }
  Value = value;
  // The sheet has no minus sign; a negative value would index outside the digit table.
  std::int32_t rest = value > 0 ? value : 0;
  int shown = ShowZeros ? DigitCount : 0;
  for (int k = 0; k < DigitCount && rest != 0; ++k) {
    TrndGfx* digit = Digits[static_cast<std::size_t>(k)];
    SetSheetPicture(digit, Sheet::NumberDigit[rest % 10]);
    digit->Visible = true;
    rest /= 10;
    shown = std::max(shown, k + 1);
  }
  const double w = FitWidth > 0 && shown * 26.0 > FitWidth ? FitWidth / shown : 26.0;
  const double h = 31.0 * w / 26.0;
  for (int k = 0; k < DigitCount; ++k) {
    TrndGfx* digit = Digits[static_cast<std::size_t>(k)];
    digit->Width = static_cast<std::int32_t>(std::lround(w));
    digit->Height = static_cast<std::int32_t>(std::lround(h));
    digit->RelX = -w * (k + 1);
    // Narrower digits stand on the same line as full ones.
    digit->RelY = 31 - digit->Height;
  }
}
