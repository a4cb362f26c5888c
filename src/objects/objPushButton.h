#pragma once
// A square picture button that presses in, posts its action and then shrinks
// away, reporting itself gone (ekGame 28) when it has vanished.
#include "objects/objHintLabel.h"

class TobjPushButton : public TobjHintLabel {
 public:
  TobjPushButton(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                 double layer, std::int32_t width, std::int32_t height);

  void HandleEvent(TsysEvent* event) override;
  void ProcessEvents() override;
  void Unhover() override;

  void SetPicture(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern, const TTexCoord& texCoord);
  void SetHighlightPicture(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern,
                           const TTexCoord& texCoord);
  void SetIcon(std::int32_t imageSet, std::int32_t imageIndex, std::int32_t pattern, std::int32_t iconWidth,
               std::int32_t iconHeight);
  // A disabled button ignores the mouse and is shown darkened.
  void SetEnabled(bool enabled);
  void SetHintBoxAlpha(std::int32_t alpha);
  void SetAction(std::int32_t kind, std::uint16_t code, std::intptr_t param, std::int32_t value);
  // Uses the button (also from keyboard shortcuts); a button already shrinking away does nothing.
  void Press();

  TrndGfx* Highlight = nullptr;
  TrndGfx* Overlay = nullptr;
  TrndGfx* Icon = nullptr;
  TrndGfx* Spare = nullptr;
  bool Hovered = false;
  bool PressedShift = false;
  bool MouseDown = false;
  bool Enabled = true;
  bool KeepAfterClick = false;
  bool Shrinking = false;
  bool GoneSent = false;
  double ShrinkSize = 0;
  std::int32_t ShrinkCounter = 3;
  std::int32_t ActionKind = 0;
  std::uint16_t ActionCode = 0;
  std::intptr_t ActionParam = 0;
  std::int32_t ActionValue = 0;

 private:
  void ApplyPressShift(bool pressed);
  // Hovered := the point lies on the square button.
  void HoverAt(double x, double y);
  // Drops the hover and any press in progress.
  void LetGo();
};
