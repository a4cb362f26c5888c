#pragma once
// The coordinate plane of a game: a colour-cycling tiled backdrop on a navy
// ground, the square of quadrant cells, grid lines and axes with tick marks,
// numbers and axis names.
// It also turns plane coordinates into positions on the screen.
#include <array>
#include <cstdint>
#include <vector>

#include "game/libMaths.h"
#include "objects/objBase.h"

class TobjMap : public TobjBase {
 public:
  TobjMap(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y, double layer,
          std::int32_t width, std::int32_t height);

  // Lays out every render item for a grid running from -range to range; numbers
  // are shown unless the current level is Rozir Ivivuruda.
  void Build(std::int32_t rangeX, std::int32_t rangeY);
  // (X + x * CellWidth, Y + y * CellHeight): pass (x, -y) to put plane y upwards.
  TVector2 PlaneToScreen(TVector2 point) const;
  // The tint cycle, every step while the game runs.
  void ProcessEvents() override;

  double CellWidth = 0;
  double CellHeight = 0;
  std::int32_t RangeX = 0;
  std::int32_t RangeY = 0;
  TrndGfx* Ground = nullptr;  // navy, under the backdrop
  std::array<TrndGfx*, 36> Backdrop{};
  std::vector<TrndGfx*> Cells;
  std::vector<TrndGfx*> LinesX;  // vertical lines, left to right
  std::vector<TrndGfx*> LinesY;  // horizontal lines, top to bottom
  std::vector<TrndText*> Labels;  // numbers and axis names
  // The numerals I..IV of the quadrants (boards without quadrant tiles).
  std::array<TrndText*, 4> QuadrantNumerals{};
  double TintRed = 128;
  double TintGreen = 128;
  double TintBlue = 0;
  std::int32_t TintPhase = 3;
  bool Ready = false;

 private:
  TrndGfx* AddPlain(double x, double y, std::int32_t w, std::int32_t h, std::uint32_t colour, std::int32_t alpha);
  TrndText* AddLabel(const std::string& text, std::int32_t size, double x, double y, std::int32_t w,
                     std::int32_t h);
  void ApplyTint();
  std::uint32_t AppliedTint = 0xFFFFFFFF;
};
