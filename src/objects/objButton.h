#pragma once
// The menu button: three bar pieces with a caption; a click posts its action
// and stops the release from reaching anything delivered after it.
#include "objects/objHintLabel.h"

class TobjButton : public TobjHintLabel {
 public:
  TobjButton(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y, double layer,
             std::int32_t width, std::int32_t height);

  void HandleEvent(TsysEvent* event) override;
  // The hint's fade, and the hover of a button that appeared (or was shown)
  // under a pointer that has not moved since.
  void ProcessEvents() override;

  void SetAction(std::int32_t kind, std::uint16_t code, std::intptr_t param, std::int32_t value);
  // Posts the action as a click would (without sound).
  void Click();
  void SetButtonAlpha(std::int32_t alpha);
  void Unhover() override;

  TrndGfx* LeftCap = nullptr;
  TrndGfx* RightCap = nullptr;
  bool Hovered = false;
  bool PressedShift = false;
  bool MouseDown = false;
  std::int32_t ActionKind = 0;
  std::uint16_t ActionCode = 0;
  std::intptr_t ActionParam = 0;
  std::int32_t ActionValue = 0;

 private:
  void ShowLook(bool hovered);
  // Hovered := the point lies on the button; entering asks for the hover sound when sound is set.
  void HoverAt(double x, double y, bool sound);
};
