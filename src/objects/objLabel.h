#pragma once
// A text on the screen, optionally inside a nine-piece frame.
#include <array>

#include "objects/objBase.h"

class TobjLabel : public TobjBase {
 public:
  TobjLabel(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y, double layer,
            std::int32_t width, std::int32_t height);

  // Shows or hides the fill and the eight frame pieces; a framed caption keeps
  // 10 pixels from the left edge and is centred vertically.
  void SetFramed(bool framed);

  TrndText* Caption = nullptr;
  // Corners and edges: top-left, top, top-right, left, right, bottom-left, bottom, bottom-right.
  std::array<TrndGfx*, 8> Frame{};
  bool Framed = false;
};
