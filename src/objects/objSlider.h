#pragma once
// A horizontal slider: drag the knob, or click the track to page by a fifth of the range.
#include "objects/objBase.h"

class TobjSlider : public TobjBase {
 public:
  TobjSlider(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y, double layer,
             std::int32_t width, std::int32_t height);

  void HandleEvent(TsysEvent* event) override;

  void SetRange(std::int32_t min, std::int32_t max);
  // Clamped to the range; places the knob and writes the value text.
  void SetValue(std::int32_t value);
  void SetAction(std::int32_t kind, std::uint16_t code);
  // A tenth of the range up (direction 1) or down (-1), posted at once.
  void Nudge(std::int32_t direction);

  TrndGfx* LeftCap = nullptr;
  TrndGfx* RightCap = nullptr;
  TrndGfx* Knob = nullptr;
  TrndText* ValueText = nullptr;
  bool KnobHovered = false;
  bool Dragging = false;
  std::int32_t ActionKind = 0;
  std::uint16_t ActionCode = 0;
  std::int32_t Min = 0;
  std::int32_t Max = 100;
  std::int32_t Value = 0;
  bool LiveUpdate = false;

 private:
  // Knob pixels per unit of value; 0 when the range or the track is empty.
  double PixelsPerUnit() const;
  void KnobToValue();
  void PostAction();
};
