#include "objects/objSlider.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/sysRound.h"
#include "objects/objSheet.h"

TobjSlider::TobjSlider(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                       double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  Space = csScreen;
  EventMask = ekMouse;
  PlaceSheetPicture(MainItem, Sheet::SliderTrack, 10, 0, Width - 20, Height);
  LeftCap = AddSheetPicture(this, Sheet::SliderLeft, 0, 0, 10, 30);
  RightCap = AddSheetPicture(this, Sheet::SliderRight, Width - 10, 0, 10, 30);
  Knob = AddSheetPicture(this, Sheet::SliderKnob, 6, 6, 18, 18);
  ValueText = AddText();
  ValueText->RelX = Width + 5;
  ValueText->RelY = 0;
  ValueText->Width = 100;
  ValueText->Height = 30;
  ValueText->SetText("0", 12, true, true, false, false, true);
  ValueText->Visible = false;
  SetColor(WidgetTint);
}

double TobjSlider::PixelsPerUnit() const {
  if (Max == Min || Width <= 30) return 0;
  return static_cast<double>(Width - 30) / (static_cast<double>(Max) - Min);
}

void TobjSlider::SetValue(std::int32_t value) {
  Value = std::clamp(value, std::min(Min, Max), std::max(Min, Max));
  ValueText->SetPlainText(std::to_string(Value));
  // Measured from Min, so that a range not starting at 0 also fits the track.
  Knob->RelX = (static_cast<double>(Value) - Min) * PixelsPerUnit() + 6;
  Knob->RelY = 6;
}

void TobjSlider::SetRange(std::int32_t min, std::int32_t max) {
  Min = min;
  Max = max;
  if (Value < Min)
    SetValue(Min);
  else if (Value > Max)
    SetValue(Max);
}

void TobjSlider::SetAction(std::int32_t kind, std::uint16_t code) {
  ActionKind = kind;
  ActionCode = code;
}

void TobjSlider::KnobToValue() {
  const double perUnit = PixelsPerUnit();
  if (perUnit == 0) return;
  SetValue(Round32((Knob->RelX - 6) / perUnit + Min));
}

void TobjSlider::Nudge(std::int32_t direction) {
  const std::int64_t step = std::max<std::int64_t>(1, Round((static_cast<double>(Max) - Min) / 10.0));
  const std::int64_t target = std::int64_t{Value} + (direction < 0 ? -step : step);
  const std::int32_t before = Value;
  SetValue(static_cast<std::int32_t>(std::clamp<std::int64_t>(target, INT32_MIN, INT32_MAX)));
  if (Value != before) PostAction();
}

void TobjSlider::PostAction() {
  if (ActionKind != 0) PostEvent(pmQueued, ActionKind, ActionCode, reinterpret_cast<std::intptr_t>(this), Value);
}

void TobjSlider::HandleEvent(TsysEvent* event) {
  TobjBase::HandleEvent(event);
  if (event->Kind != ekMouse) return;
  if (!Visible) {
    // A hidden slider takes no input; a drag in progress ends without a post.
    Dragging = false;
    KnobHovered = false;
    return;
  }
  const double x = static_cast<double>(event->Param);
  const double y = event->Value;
  switch (event->Code) {
    case 1: {
      if (Dragging) {
        Knob->RelX = std::clamp(x - X - 9, 6.0, std::max(6.0, static_cast<double>(Width - 24)));
        Knob->RelY = 6;
        KnobToValue();
        if (LiveUpdate) PostAction();
      }
      const double kx = X + static_cast<double>(Round(Knob->RelX));
      const double ky = Y + static_cast<double>(Round(Knob->RelY));
      KnobHovered = kx <= x && x <= kx + 18 && ky <= y && y <= ky + 18;
      SetSheetPicture(Knob, KnobHovered || Dragging ? Sheet::SliderKnobHover : Sheet::SliderKnob);
      break;
    }
    case 2:
      if (KnobHovered) {
        Dragging = true;
        SetSheetPicture(Knob, Sheet::SliderKnobHover);
      }
      break;
    case 3:
      if (Dragging) {
        if (!LiveUpdate) PostAction();
      } else if (!KnobHovered && Contains(x, y)) {
        const std::int64_t step = Round((static_cast<double>(Max) - Min) / 100.0 * 20.0);
        const std::int64_t target = x - X >= Knob->RelX ? std::int64_t{Value} + step : std::int64_t{Value} - step;
        SetValue(static_cast<std::int32_t>(std::clamp<std::int64_t>(target, INT32_MIN, INT32_MAX)));
      }
      Dragging = false;
      SetSheetPicture(Knob, Sheet::SliderKnob);
      break;
    default:
      break;
  }
}
