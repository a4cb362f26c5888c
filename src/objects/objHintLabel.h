#pragma once
// A label that fades in a hint box while the pointer rests on it.
#include <array>

#include "objects/objLabel.h"

class TobjHintLabel : public TobjLabel {
 public:
  TobjHintLabel(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                double layer, std::int32_t width, std::int32_t height);

  void HandleEvent(TsysEvent* event) override;
  void ProcessEvents() override;

  // Places the hint box at (hx, hy) relative to the label, size.w x size.h.
  void SetHint(double hx, double hy, TPointI size);
  void SetHintPicture(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern, TPointD position,
                      TPointI size);
  void SetHintPictureWhite();
  void ShowHint(bool show);
  // Fades the hint in, or takes it away, as the pointer coming and going does
  // (the keyboard's focus uses it too).
  void HintFor(bool shown);
  void SetHintAlpha(std::int32_t alpha);
  void Unhover() override;

  TrndGfx* HintFill = nullptr;
  // Same order as the label's frame.
  std::array<TrndGfx*, 8> HintFrame{};
  TrndText* HintText = nullptr;
  TrndGfx* HintPicture = nullptr;
  bool MouseOver = false;
  bool HintEnabled = true;
  bool HasHintPicture = false;
  std::int32_t HintMaxAlpha = 255;
  std::int32_t HintAlpha = 0;
  bool HintFading = false;

 protected:
  // Moves the hint box's items behind everything added after it, so that a
  // widget's own pieces never cover its hint.
  void RaiseHint();
  // Moves the hint's fill, frame, text and picture by (dx, dy).
  void ShiftHint(double dx, double dy);
  // The items that SetHintAlpha and ShowHint act on.
  std::array<TrndGfx*, 11> HintItems() const;
};
