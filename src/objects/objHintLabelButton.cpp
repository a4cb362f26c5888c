#include "objects/objHintLabelButton.h"

#include "objects/objSheet.h"

TobjHintLabelButton::TobjHintLabelButton(TsysResources* resources, std::int32_t group, std::int32_t objType,
                                         double x, double y, double layer, std::int32_t width, std::int32_t height)
    : TobjHintLabel(resources, group, objType, x, y, layer, width, height) {
  EventMask = ekMouse;
  Opacity = MainItem->Alpha;
  Tint = MainItem->Color;
  OwnItemCount = ItemCount();
}

void TobjHintLabelButton::SetAction(std::int32_t kind, std::uint16_t code, std::intptr_t param,
                                    std::int32_t value) {
  ActionKind = kind;
  ActionCode = code;
  ActionParam = param;
  ActionValue = value;
}

void TobjHintLabelButton::SetOpacity(std::int32_t alpha) {
  Opacity = alpha;
  for (auto& item : Items) item->SetAlpha(alpha);
}

void TobjHintLabelButton::SetTint(std::uint32_t color) {
  Tint = color;
  for (auto& item : Items)
    if (!item->IsText()) item->SetColor(color);
}

TrndGfx* TobjHintLabelButton::ScreenPicture() const {
  TrndGfx* item = Item(OwnItemCount);
  return item != nullptr && !item->IsText() ? item : nullptr;
}

void TobjHintLabelButton::Light(bool on) {
  const std::uint32_t colour = on ? LightenRGB(Tint, 96) : Tint;
  MainItem->SetColor(colour);
  for (TrndGfx* piece : Frame) piece->SetColor(colour);
  if (TrndGfx* picture = ScreenPicture()) picture->SetColor(on ? colour : 0xFFFFFF);
}

bool TobjHintLabelButton::Click() {
  // Kind 0 would reach every component on the bus, so it counts as no action too.
  if (ActionKind == -1 || ActionKind == 0) return false;
  RequestSound(this, 9);
  PostEvent(pmQueued, ActionKind, ActionCode, ActionParam, ActionValue);
  return true;
}

void TobjHintLabelButton::Unhover() {
  TobjHintLabel::Unhover();
  if (!Hovered || MouseDown) return;
  Light(false);
  Hovered = false;
}

void TobjHintLabelButton::HandleEvent(TsysEvent* event) {
  TobjHintLabel::HandleEvent(event);
  if (!Visible || event->Kind != ekMouse) return;
  switch (event->Code) {
    case 1:
      if (Contains(static_cast<double>(event->Param), event->Value)) {
        if (!Hovered) {
          RequestSound(this, 7);
          Light(true);
        }
        Hovered = true;
      } else if (Hovered) {
        Light(false);
        Hovered = false;
      }
      break;
    case 2:
      // A press where the pointer has stood since the keys moved on is its press too.
      if (!MouseDown && !Hovered && Contains(static_cast<double>(event->Param), event->Value)) {
        Hovered = true;
        Light(true);
      }
      if (Hovered && !MouseDown) {
        PressedShift = true;
        X += 1;
        Y += 1;
      }
      MouseDown = true;
      break;
    case 3:
      // Kind 0 would reach every component on the bus, so it counts as no action too.
      if (Hovered) Click();
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
