#pragma once
// A framed hint label that acts as a big picture button; the screen adds its
// pictures with AddPicture after creating it.
#include "objects/objHintLabel.h"
#include "objects/objSheet.h"

class TobjHintLabelButton : public TobjHintLabel {
 public:
  TobjHintLabelButton(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                      double layer, std::int32_t width, std::int32_t height);

  void HandleEvent(TsysEvent* event) override;
  void Unhover() override;

  void SetAction(std::int32_t kind, std::uint16_t code, std::intptr_t param, std::int32_t value);
  // Posts the action as a click does; false when the button has none.
  bool Click();
  virtual void SetOpacity(std::int32_t alpha);
  virtual void SetTint(std::uint32_t color);
  // The first picture the screen added (lit while hovered); null before it added any.
  TrndGfx* ScreenPicture() const;

  bool Hovered = false;
  bool PressedShift = false;
  bool MouseDown = false;
  std::int32_t Opacity = 255;
  std::uint32_t Tint = WidgetTint;
  std::int32_t ActionKind = 0;
  std::uint16_t ActionCode = 0;
  std::intptr_t ActionParam = 0;
  std::int32_t ActionValue = 0;

 private:
  void Light(bool on);
  std::int32_t OwnItemCount = 0;
};
