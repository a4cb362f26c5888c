#include "objects/objPushButton.h"

#include <algorithm>

#include "core/sysRound.h"
#include "data/sysResources.h"
#include "objects/objSheet.h"

namespace {

// The disabled look: the overlay darkens the button by half.
constexpr std::uint32_t DisabledShade = 0x80000000;

}  // namespace

TobjPushButton::TobjPushButton(TsysResources* resources, std::int32_t group, std::int32_t objType, double x,
                               double y, double layer, std::int32_t width, std::int32_t height)
    : TobjHintLabel(resources, group, objType, x, y, layer, width, height) {
  EventMask = ekMouse;
  Caption->Visible = false;
  MainItem->RelX = 0;
  MainItem->RelY = 0;
  MainItem->Width = Width;
  MainItem->Height = Height;
  MainItem->Visible = true;
  Highlight = AddSheetPicture(this, Sheet::PushHighlight, 0, 0, Width, Height);
  Highlight->SetAlpha(48);
  Highlight->Visible = false;
  Overlay = AddSheetPicture(this, Sheet::PushHighlight, 0, 0, Width, Height);
  Overlay->SetAlpha(128);
  Overlay->Visible = false;
  Icon = AddItem(0, 0);
  Icon->Width = 32;
  Icon->Height = 32;
  Icon->RelX = (Width - 32) / 2.0;
  Icon->RelY = (Height - 32) / 2.0;
  Icon->Visible = false;
  Spare = AddSheetPicture(this, Sheet::PushSpare, 0, 0, 59, 59);
  Spare->Visible = false;
  RaiseHint();
  ShrinkSize = Height;
  SetColor(WidgetTint);
}

void TobjPushButton::SetPicture(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern,
                                const TTexCoord& texCoord) {
  MainItem->SetImage(imageSet, imageIndex, pattern);
  MainItem->TexCoord = texCoord;
}

void TobjPushButton::SetHighlightPicture(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern,
                                         const TTexCoord& texCoord) {
  for (TrndGfx* item : {Highlight, Overlay}) {
    item->SetImage(imageSet, imageIndex, pattern);
    item->TexCoord = texCoord;
  }
}

void TobjPushButton::SetIcon(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern,
                             std::int32_t iconWidth, std::int32_t iconHeight) {
  Icon->SetImage(imageSet, imageIndex, pattern);
  Icon->TexCoord = TTexCoord{};
  Icon->TexCoord.Pattern = pattern;
  Icon->Width = iconWidth;
  Icon->Height = iconHeight;
  Icon->RelX = (Width - iconWidth) / 2.0;
  Icon->RelY = (Height - iconHeight) / 2.0;
}

void TobjPushButton::SetEnabled(bool enabled) {
  Enabled = enabled;
  if (!enabled)
    for (auto& c : Overlay->VertexColors) c = DisabledShade;
  Overlay->Visible = !enabled;
}

void TobjPushButton::SetHintBoxAlpha(std::int32_t alpha) {
  alpha = std::clamp(alpha, 0, 255);
  HintMaxAlpha = alpha;
  HintFill->SetColorAlpha(0xFFFFFF, alpha);
  for (TrndGfx* piece : HintFrame) piece->SetColorAlpha(0xFFFFFF, alpha);
}

void TobjPushButton::SetAction(std::int32_t kind, std::uint16_t code, std::intptr_t param, std::int32_t value) {
  ActionKind = kind;
  ActionCode = code;
  ActionParam = param;
  ActionValue = value;
}

void TobjPushButton::ApplyPressShift(bool pressed) {
  if (pressed == PressedShift) return;
  const double d = pressed ? 2 : -2;
  X += d;
  Y += d;
  for (TrndGfx* item : {MainItem, Highlight, Icon}) {
    item->Width -= static_cast<std::int32_t>(2 * d);
    item->Height -= static_cast<std::int32_t>(2 * d);
  }
  // The hint stays where it was.
  ShiftHint(-d, -d);
  PressedShift = pressed;
}

void TobjPushButton::Press() {
  if (Shrinking) return;
  if (!KeepAfterClick) {
    Shrinking = true;
    Highlight->Visible = false;
    HintEnabled = false;
    ShowHint(false);
  }
  if (ActionKind != 0) PostEvent(pmQueued, ActionKind, ActionCode, ActionParam, ActionValue);
  MouseDown = false;
  ApplyPressShift(false);
}

void TobjPushButton::HoverAt(double x, double y) {
  Hovered = X <= x && x <= X + Height && Y <= y && y <= Y + Height;
  Highlight->Visible = Hovered;
}

void TobjPushButton::Unhover() {
  TobjHintLabel::Unhover();
  if (!Hovered || MouseDown) return;
  Hovered = false;
  Highlight->Visible = false;
}

void TobjPushButton::LetGo() {
  if (!Hovered && !MouseDown && !PressedShift) return;
  Hovered = false;
  Highlight->Visible = false;
  ApplyPressShift(false);
  MouseDown = false;
}

void TobjPushButton::HandleEvent(TsysEvent* event) {
  TobjHintLabel::HandleEvent(event);
  if (event->Kind != ekMouse) return;
  // Under a menu or the help page the game is paused: a power-up pushed there
  // would be spent on a game that ignores it.
  if (Resources != nullptr && (Resources->Paused || Resources->GameOver)) {
    LetGo();
    return;
  }
  if (!Visible || !Enabled || Shrinking) return;
  const double x = static_cast<double>(event->Param);
  const double y = event->Value;
  switch (event->Code) {
    case 1:
      HoverAt(x, y);
      break;
    case 2:
      // The pointer may not have moved since the button came under it.
      if (!MouseDown) HoverAt(x, y);
      if (Hovered && !MouseDown) ApplyPressShift(true);
      MouseDown = true;
      break;
    case 3:
      if (Hovered) {
        Press();
      } else {
        // Released elsewhere: the button comes back up and can be pressed again.
        ApplyPressShift(false);
        MouseDown = false;
      }
      break;
    default:
      break;
  }
}

void TobjPushButton::ProcessEvents() {
  TobjHintLabel::ProcessEvents();
  if (!Shrinking) return;
  if (--ShrinkCounter > 0) return;
  ShrinkCounter = 3;
  ShrinkSize -= 2;
  if (ShrinkSize >= 0) {
    const std::int32_t size = Round32(ShrinkSize);
    Width = size;
    Height = size;
    X += 1;
    Y += 1;
    MainItem->Width = size;
    MainItem->Height = size;
    return;
  }
  ShrinkSize = 0;
  if (GoneSent) return;
  GoneSent = true;
  // The receiver may delete this button before the post returns.
  PostEvent(pmImmediate, ekGame, 28, reinterpret_cast<std::intptr_t>(this), static_cast<std::int32_t>(ActionParam));
}
