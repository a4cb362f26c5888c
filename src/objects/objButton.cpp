#include "objects/objButton.h"

#include <algorithm>

#include "data/sysResources.h"
#include "objects/objSheet.h"

TobjButton::TobjButton(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                       double layer, std::int32_t width, std::int32_t height)
    : TobjHintLabel(resources, group, objType, x, y, layer, width, height) {
  EventMask = ekMouse;
  HintEnabled = false;
  LeftCap = AddSheetPicture(this, Sheet::ButtonLeft, 0, 0, 25, 50);
  RightCap = AddSheetPicture(this, Sheet::ButtonRight, Width - 25, 0, 25, 50);
  PlaceSheetPicture(MainItem, Sheet::ButtonMiddle, 25, 0, Width - 50, 50);
  MainItem->Visible = true;
  // The caps go right after the middle piece: the caption and the hint are drawn over the bar.
  std::stable_partition(Items.begin() + 1, Items.end(), [this](const std::unique_ptr<TrndGfx>& item) {
    return item.get() == LeftCap || item.get() == RightCap;
  });
  SetColor(WidgetTint);
}

void TobjButton::SetAction(std::int32_t kind, std::uint16_t code, std::intptr_t param, std::int32_t value) {
  ActionKind = kind;
  ActionCode = code;
  ActionParam = param;
  ActionValue = value;
}

void TobjButton::Click() {
  if (ActionKind != 0) PostEvent(pmQueued, ActionKind, ActionCode, ActionParam, ActionValue);
}

void TobjButton::SetButtonAlpha(std::int32_t alpha) {
  alpha = std::clamp(alpha, 0, 255);
  HintMaxAlpha = alpha;
  for (TrndGfx* piece : {LeftCap, MainItem, RightCap}) piece->SetColorAlpha(Color, alpha);
  HintFill->SetColorAlpha(Color, alpha);
  for (TrndGfx* piece : HintFrame) piece->SetColorAlpha(Color, alpha);
}

void TobjButton::ShowLook(bool hovered) {
  SetSheetPicture(LeftCap, hovered ? Sheet::ButtonHoverLeft : Sheet::ButtonLeft);
  SetSheetPicture(MainItem, hovered ? Sheet::ButtonHoverMiddle : Sheet::ButtonMiddle);
  SetSheetPicture(RightCap, hovered ? Sheet::ButtonHoverRight : Sheet::ButtonRight);
}

void TobjButton::HoverAt(double x, double y, bool sound) {
  if (Contains(x, y)) {
    if (!Hovered) {
      if (sound) RequestSound(this, 7);
      ShowLook(true);
    }
    Hovered = true;
  } else if (Hovered) {
    ShowLook(false);
    Hovered = false;
  }
}

void TobjButton::Unhover() {
  TobjHintLabel::Unhover();
  if (!Hovered || MouseDown) return;
  ShowLook(false);
  Hovered = false;
}

void TobjButton::ProcessEvents() {
  TobjHintLabel::ProcessEvents();
  // While pressed the button is shifted: its hover stays as the press found it.
  // Once the keys have moved the focus, the pointer lights nothing until it moves.
  if (!Visible || MouseDown || Resources == nullptr || !Resources->PointerKnown || !Resources->PointerHoverShown)
    return;
  HoverAt(Resources->PointerX, Resources->PointerY, false);
}

void TobjButton::HandleEvent(TsysEvent* event) {
  TobjHintLabel::HandleEvent(event);
  if (!Visible || event->Kind != ekMouse) return;
  switch (event->Code) {
    case 1:
      HoverAt(static_cast<double>(event->Param), event->Value, true);
      break;
    case 2:
      // A press where the pointer stood still since the button appeared is its press too.
      if (!MouseDown) HoverAt(static_cast<double>(event->Param), event->Value, true);
      if (Hovered && !MouseDown) {
        PressedShift = true;
        X += 1;
        Y += 1;
      }
      MouseDown = true;
      break;
    case 3:
      if (Hovered) {
        RequestSound(this, 9);
        Click();
        event->Handled = true;
      }
      if (PressedShift) {
        X -= 1;
        Y -= 1;
        PressedShift = false;
      }
      MouseDown = false;
      break;
    default:
      break;
  }
}
