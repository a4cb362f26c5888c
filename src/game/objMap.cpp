#include "game/objMap.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/sysRandom.h"
#include "core/sysRound.h"
#include "data/sysResources.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "tables/defSprites.h"

namespace {

constexpr double TintStep = 0.2;
constexpr std::int32_t BackdropAlpha = 128;
constexpr std::int32_t GridLineAlpha = 64;
constexpr std::uint32_t GroundColour = 0x0A1430;
constexpr std::int32_t TickLength = 24;
// Numbers and axis names: light on the dark board, with a shadow to lift them.
constexpr std::uint32_t LabelColour = 0xFFFFFF;
// Each quadrant's numeral, on a dark plate in the cell at its outer corner, so
// that quadrants are told apart by more than their colour.
constexpr std::int32_t NumeralSize = 16;
constexpr std::int32_t PlateWidth = 46;
constexpr std::int32_t PlateHeight = 26;
constexpr std::uint32_t PlateColour = 0x0A1230;  // the game's navy
constexpr std::int32_t PlateAlpha = 200;
constexpr const char* Numerals[5] = {"", "I", "II", "III", "IV"};


}  // namespace

TobjMap::TobjMap(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                 double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  EventMask = ekGame | ekMouse;
  MainItem->Visible = false;
}

TrndGfx* TobjMap::AddPlain(double x, double y, std::int32_t w, std::int32_t h, std::uint32_t colour,
                           std::int32_t alpha) {
  TrndGfx* item = AddItem(0, 0);
  item->SetImage(CoreSprite::Set, CoreSprite::White, 0);
  item->RelX = x;
  item->RelY = y;
  item->Width = w;
  item->Height = h;
  item->SetColorAlpha(colour, alpha);
  return item;
}

TrndText* TobjMap::AddLabel(const std::string& text, std::int32_t size, double x, double y, std::int32_t w,
                            std::int32_t h) {
  TrndText* item = AddText();
  item->RelX = x;
  item->RelY = y;
  item->Width = w;
  item->Height = h;
  item->SetColor(LabelColour);
  item->SetText(text, size, false, true, false, false, false);
  Labels.push_back(item);
  return item;
}

void TobjMap::Build(std::int32_t rangeX, std::int32_t rangeY) {
  while (ItemCount() > 1) DeleteItem(ItemCount() - 1);
  MainItem->Visible = false;
  Backdrop.fill(nullptr);
  Ground = nullptr;
  Cells.clear();
  LinesX.clear();
  LinesY.clear();
  Labels.clear();
  QuadrantNumerals.fill(nullptr);
  Ready = false;
  // A range below 1 would divide by zero; no level has one.
  RangeX = std::max(rangeX, 1);
  RangeY = std::max(rangeY, 1);
  const TLevel& level = Resources->Level;
  const bool colourBlind = Resources->Options.ColourBlindPalette != 0;
  const auto colourOf = [&level, colourBlind](std::int32_t q) { return QuadrantColour(level, colourBlind, q); };

  // The navy ground of the whole board area: the cycling tint colours only
  // the backdrop's lines, as the title's graph paper is navy with light lines.
  Ground = AddPlain(-256, -384, 768, 768, GroundColour, 255);
  const std::int32_t pattern = 1 + Random(4);
  const std::uint32_t firstTint = PackRGB(128 + Random(128), 128 + Random(128), 128 + Random(128));
  for (std::int32_t i = 0; i < 6; ++i) {
    for (std::int32_t j = 0; j < 6; ++j) {
      TrndGfx* tile = AddItem(0, 0);
      tile->SetImage(Sprite::Set, Sprite::Backdrop, pattern);
      tile->RelX = i * 128 - 256;
      tile->RelY = j * 128 - 384;
      tile->Width = 128;
      tile->Height = 128;
      tile->SetColorAlpha(firstTint, BackdropAlpha);
      Backdrop[static_cast<std::size_t>(i * 6 + j)] = tile;
    }
  }
  AppliedTint = firstTint;

  CellWidth = 512 / (2 * RangeX);
  CellHeight = 512 / (2 * RangeY);
  const std::int32_t cw = static_cast<std::int32_t>(CellWidth);
  const std::int32_t ch = static_cast<std::int32_t>(CellHeight);

  for (std::int32_t i = 0; i < 2 * RangeX; ++i) {
    for (std::int32_t j = 0; j < 2 * RangeY; ++j) {
      std::int32_t q;
      if (i >= RangeX)
        q = j < RangeY ? 1 : 4;
      else
        q = j < RangeY ? 2 : 3;
      // Opaque: the colour-cycling backdrop would tint a see-through cell.
      Cells.push_back(AddPlain((i - RangeX) * CellWidth + 128, (j - RangeY) * CellHeight, cw, ch,
                               QuadrantFill(level, colourBlind, q), 255));
    }
  }

  const std::uint32_t lineColour = LightenColour(32, colourOf(0));
  for (std::int32_t i = 0; i <= 2 * RangeX; ++i) {
    const bool axis = i == RangeX;
    const std::int32_t thick = axis ? 3 : 1;
    const double x = (i - RangeX) * CellWidth + 128 - (axis ? 1 : 0);
    LinesX.push_back(AddPlain(x, -RangeY * CellHeight, thick, 2 * RangeY * ch, lineColour, axis ? 255 : GridLineAlpha));
    // The tick crosses the x axis where this vertical line meets it.
    AddPlain(x, -TickLength / 2, thick, TickLength, lineColour, 255);
  }
  for (std::int32_t i = 0; i <= 2 * RangeY; ++i) {
    const bool axis = i == RangeY;
    const std::int32_t thick = axis ? 3 : 1;
    const double y = (i - RangeY) * CellHeight - (axis ? 1 : 0);
    LinesY.push_back(AddPlain(-RangeX * CellWidth + 128, y, 2 * RangeX * cw, thick, lineColour, axis ? 255 : GridLineAlpha));
    AddPlain(128 - TickLength / 2, y, TickLength, thick, lineColour, 255);
  }

  if (level.GameType != GameType::QuickQuadrants) {
    for (std::int32_t i = 0; i <= 2 * RangeX; ++i) {
      if (i == RangeX)
        AddLabel("0", 8, 117, -6, 30, 12);
      else
        AddLabel(std::to_string(i - RangeX), 10, (i - RangeX) * CellWidth - 11 + 128, 12, 30, 12);
    }
    for (std::int32_t i = 0; i <= 2 * RangeY; ++i)
      if (i != RangeY) AddLabel(std::to_string(RangeY - i), 10, 140, (i - RangeY) * CellHeight - 7, 30, 12);
  }

  if (level.GameType != GameType::QuickQuadrants) {
    // Quadrant q's outer corner cell: x and y of its middle, plane y upwards.
    static constexpr double Sx[5] = {0, 1, -1, -1, 1};
    static constexpr double Sy[5] = {0, -1, -1, 1, 1};
    for (std::int32_t q = 1; q <= 4; ++q) {
      const double cx = 128 + Sx[q] * (RangeX - 0.5) * CellWidth;
      const double cy = Sy[q] * (RangeY - 0.5) * CellHeight;
      AddPlain(cx - PlateWidth / 2.0, cy - PlateHeight / 2.0, PlateWidth, PlateHeight, PlateColour, PlateAlpha);
      TrndText* numeral = AddText();
      numeral->RelX = cx - PlateWidth / 2.0;
      numeral->RelY = cy - PlateHeight / 2.0;
      numeral->Width = PlateWidth;
      numeral->Height = PlateHeight;
      numeral->SetColor(LabelColour);
      numeral->SetText(Numerals[q], NumeralSize, true, true, false, true, true);
      QuadrantNumerals[static_cast<std::size_t>(q - 1)] = numeral;
    }
  }

  AddLabel("-x", 14, 128 - (RangeX * CellWidth + 40), -11, 30, 18);
  AddLabel("+x", 14, RangeX * CellWidth + 15 + 128, -11, 30, 18);
  AddLabel("-y", 14, 113, RangeY * CellHeight + 15, 30, 18);
  AddLabel("+y", 14, 118, -(RangeY * CellHeight + 40), 30, 18);
  Ready = true;
}

TVector2 TobjMap::PlaneToScreen(TVector2 point) const {
  return {X + point.X * CellWidth, Y + point.Y * CellHeight};
}

void TobjMap::ProcessEvents() {
  TobjBase::ProcessEvents();
  // Paused too: a menu over a still board lets the idle frames be skipped.
  if (Resources->GameOver || Resources->Paused) return;
  switch (TintPhase) {
    case 1:
      TintBlue -= TintStep;
      TintRed += TintStep;
      if (TintRed >= 255) {
        TintRed = 255;
        TintBlue = 0;
        TintPhase = 2;
      }
      break;
    case 2:
      TintRed -= TintStep;
      TintGreen += TintStep;
      if (TintGreen >= 255) {
        TintGreen = 255;
        TintRed = 0;
        TintPhase = 3;
      }
      break;
    default:
      TintGreen -= TintStep;
      TintRed += TintStep;
      if (TintRed >= 255) {
        TintRed = 255;
        TintGreen = 0;
        TintPhase = 1;
      }
      break;
  }
  ApplyTint();
}

void TobjMap::ApplyTint() {
  const std::uint32_t tint = PackRGB(std::clamp(Round32(TintRed), 0, 255), std::clamp(Round32(TintGreen), 0, 255),
                                     std::clamp(Round32(TintBlue), 0, 255));
  if (tint == AppliedTint) return;
  AppliedTint = tint;
  for (TrndGfx* tile : Backdrop)
    if (tile != nullptr) tile->SetColor(tint);
}
