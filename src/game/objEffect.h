#pragma once
// Short-lived visual feedback: the lightning zap between a grid point and a
// monster, the rubber-band line of Define the Line, rising texts, the Doom
// Device's rings, the Radial Blast's ring, and the mark a judged answer leaves
// (objAnswerMark.cpp). When done it posts ekGame 22 so that the game screen
// deletes it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/libMaths.h"
#include "objects/objBase.h"

class TobjEffect : public TobjBase {
 public:
  enum : std::int32_t { ekZap = 1, ekLine = 2, ekText = 3, ekDoomRings = 4, ekBlastRing = 5, ekMark = 6 };

  TobjEffect(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y, double layer,
             std::int32_t width, std::int32_t height);

  // Corners are relative to the object's position; the colour is a ColourTable index.
  void Start(std::int32_t kind, const std::array<TVector2, 4>& corners, std::int32_t colourIndex);
  // Starts the alpha fade of a line, up to opaque or down to nothing.
  void Fade(bool fadeIn);
  // The text of a text effect (plain, size 14, bold, centred in the object on a
  // dark plate that fades with it).
  void SetText(const std::string& text);
  // A tick (hit) or a cross (miss) centred on the object (objAnswerMark.cpp).
  void StartMark(bool hit);

  // The animation, every step while the game runs.
  void ProcessEvents() override;

  std::int32_t Kind = 0;
  std::array<TVector2, 4> Corners{};
  TrndGfx* Main = nullptr;
  TrndGfx* Second = nullptr;
  TrndGfx* Third = nullptr;
  TrndText* Caption = nullptr;
  std::int32_t Row = 0;
  std::int32_t FrameCount = 8;
  std::int32_t FirstFrame = 0;
  std::int32_t Age = 0;
  std::int32_t Life = 0;
  bool Fading = false;
  bool FadeIn = false;
  bool Finished = false;
  bool MarkHit = false;
  // Where a text's plate sits before the text rises.
  double PlateY = 0;
  // The mark's outline and colour strokes, in drawing order.
  std::vector<TrndGfx*> MarkStrokes;

 private:
  void Finish();
  void StepZap();
  void StepLine();
  void StepText();
  void StepDoomRings();
  void StepBlastRing();
  void StepMark();
};
