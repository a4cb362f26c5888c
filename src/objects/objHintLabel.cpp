#include "objects/objHintLabel.h"

#include <algorithm>

#include "objects/objSheet.h"

TobjHintLabel::TobjHintLabel(TsysResources* resources, std::int32_t group, std::int32_t objType, double x,
                             double y, double layer, std::int32_t width, std::int32_t height)
    : TobjLabel(resources, group, objType, x, y, layer, width, height) {
  EventMask = ekMouse;
  HintFill = AddSheetPicture(this, Sheet::HintFill, 0, 0, Width, Height);
  const TSheetRect* pieces[8] = {&Sheet::HintTopLeft,    &Sheet::HintTop,         &Sheet::HintTopRight,
                                 &Sheet::HintLeft,       &Sheet::HintRight,       &Sheet::HintBottomLeft,
                                 &Sheet::HintBottom,     &Sheet::HintBottomRight};
  for (int i = 0; i < 8; ++i) HintFrame[static_cast<std::size_t>(i)] = AddSheetPicture(this, *pieces[i], 0, 0, 0, 0);
  HintText = AddText();
  HintPicture = AddItem(0, 0);
  HintPicture->SetColorAlpha(0xFFFFFF, 255);
  for (TrndGfx* item : HintItems()) item->Visible = false;
  SetHint(0, 0, TPointI{Width, Height});
  SetColor(WidgetTint);
}

std::array<TrndGfx*, 11> TobjHintLabel::HintItems() const {
  return {HintFill,     HintFrame[0], HintFrame[1], HintFrame[2], HintFrame[3], HintFrame[4],
          HintFrame[5], HintFrame[6], HintFrame[7], HintText,     HintPicture};
}

void TobjHintLabel::SetHint(double hx, double hy, TPointI size) {
  const std::int32_t sw = size.X;
  const std::int32_t sh = size.Y;
  HintText->RelX = hx;
  HintText->RelY = hy;
  HintText->Width = sw;
  HintText->Height = sh;
  HintText->Layout();  // a new size needs a new render target
  PlaceSheetPicture(HintFill, Sheet::HintFill, hx + 10, hy + 7, sw - 20, sh - 14);
  PlaceSheetPicture(HintFrame[0], Sheet::HintTopLeft, hx, hy, 10, 25);
  PlaceSheetPicture(HintFrame[1], Sheet::HintTop, hx + 10, hy, sw - 20, 7);
  PlaceSheetPicture(HintFrame[2], Sheet::HintTopRight, hx + sw - 10, hy, 10, 25);
  PlaceSheetPicture(HintFrame[3], Sheet::HintLeft, hx, hy + 25, 10, sh - 50);
  PlaceSheetPicture(HintFrame[4], Sheet::HintRight, hx + sw - 10, hy + 25, 10, sh - 50);
  PlaceSheetPicture(HintFrame[5], Sheet::HintBottomLeft, hx, hy + sh - 25, 10, 25);
  PlaceSheetPicture(HintFrame[6], Sheet::HintBottom, hx + 10, hy + sh - 7, sw - 20, 7);
  PlaceSheetPicture(HintFrame[7], Sheet::HintBottomRight, hx + sw - 10, hy + sh - 25, 10, 25);
}

void TobjHintLabel::SetHintPicture(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern,
                                   TPointD position, TPointI size) {
  HintPicture->SetImage(imageSet, imageIndex, pattern);
  HintPicture->TexCoord = TTexCoord{};
  HintPicture->TexCoord.Pattern = pattern;
  HintPicture->RelX = position.X;
  HintPicture->RelY = position.Y;
  HintPicture->Width = size.X;
  HintPicture->Height = size.Y;
  HasHintPicture = true;
}

void TobjHintLabel::SetHintPictureWhite() { HintPicture->SetColor(0xFFFFFF); }

void TobjHintLabel::ShowHint(bool show) {
  for (TrndGfx* item : HintItems()) item->Visible = show;
  HintPicture->Visible = show && HasHintPicture;
}

void TobjHintLabel::SetHintAlpha(std::int32_t alpha) {
  for (TrndGfx* item : HintItems()) item->SetAlpha(alpha);
}

void TobjHintLabel::RaiseHint() {
  const auto items = HintItems();
  std::stable_partition(Items.begin(), Items.end(), [&items](const std::unique_ptr<TrndGfx>& item) {
    return std::find(items.begin(), items.end(), item.get()) == items.end();
  });
}

void TobjHintLabel::ShiftHint(double dx, double dy) {
  for (TrndGfx* item : HintItems()) ShiftItem(item, dx, dy);
}

void TobjHintLabel::HandleEvent(TsysEvent* event) {
  TobjLabel::HandleEvent(event);
  if (!Visible || !Active || event->Kind != ekMouse || event->Code != 1) return;
  MouseOver = Contains(static_cast<double>(event->Param), event->Value);
  HintFor(MouseOver);
}

void TobjHintLabel::HintFor(bool shown) {
  if (!HintEnabled) return;
  if (shown) {
    if (HintFading || HintAlpha == HintMaxAlpha) return;
    SetHintAlpha(0);
    ShowHint(true);
    HintFading = true;
    HintAlpha = 0;
  } else {
    ShowHint(false);
    HintFading = false;
    SetHintAlpha(0);
    HintAlpha = 0;
  }
}

void TobjHintLabel::Unhover() {
  if (!MouseOver) return;
  MouseOver = false;
  HintFor(false);
}

void TobjHintLabel::ProcessEvents() {
  TobjLabel::ProcessEvents();
  if (!HintFading) return;
  // Counted wider than a byte: 240 + 30 must reach the top, not wrap.
  HintAlpha += 30;
  if (HintAlpha >= HintMaxAlpha) {
    HintAlpha = HintMaxAlpha;
    HintFading = false;
  }
  SetHintAlpha(HintAlpha);
}
