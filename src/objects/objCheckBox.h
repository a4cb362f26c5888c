#pragma once
// A check box with a caption bar; a click toggles it and posts the new state.
#include "objects/objBase.h"

class TobjCheckBox : public TobjBase {
 public:
  TobjCheckBox(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
               double layer, std::int32_t width, std::int32_t height);

  void HandleEvent(TsysEvent* event) override;
  void Unhover() override;

  // No event is posted.
  void SetChecked(bool checked);
  void SetAction(std::int32_t kind, std::uint16_t code);
  // Flips the box and posts the new state, as a click does.
  void Toggle();

  TrndGfx* Box = nullptr;
  TrndGfx* RightCap = nullptr;
  TrndText* CheckCaption = nullptr;
  bool Checked = false;
  bool MouseOver = false;
  std::int32_t ActionKind = 0;
  std::uint16_t ActionCode = 0;

 private:
  void UpdateBox();
};
