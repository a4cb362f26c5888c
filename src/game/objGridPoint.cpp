#include "game/objGridPoint.h"

#include <algorithm>

#include "core/sysRound.h"
#include "data/sysResources.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "tables/defSprites.h"
#include "game/libMaths.h"

namespace {

// Halfway and a little more toward white: the hue stays, the numeral reads.
std::uint8_t Lighten(std::uint8_t c) { return static_cast<std::uint8_t>(c + (255 - c) * 11 / 20); }

constexpr double GrowStep = 1.5;
constexpr std::int32_t FlashStep = 15;
constexpr std::int32_t HighlightDotSize = 20;
constexpr std::int32_t TileHighlightSize = 128;
constexpr std::int32_t HighlightFade = 10;  // steps of fade at each end
constexpr double HighlightFadeRate = 19.2;

void Centre(TrndGfx* item, std::int32_t size) {
  item->Width = size;
  item->Height = size;
  item->RelX = -size / 2.0;
  item->RelY = -size / 2.0;
}

}  // namespace

TobjGridPoint::TobjGridPoint(TsysResources* resources, std::int32_t group, std::int32_t objType, double x,
                             double y, double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  EventMask = ekMouse;
  MainItem->SetImage(Sprite::Set, Sprite::GridDot, 0);
  Highlight = AddItem(0, 0);
  Highlight->SetImage(Sprite::Set, Sprite::AnswerHighlight, 0);
  Centre(Highlight, HighlightDotSize);
  Highlight->Visible = false;
  DrawDot();
}

void TobjGridPoint::MakeTile(std::int32_t quadrant) {
  IsTile = true;
  MinSize = 128;
  MaxSize = 150;
  DotSize = MinSize;
  Dim = true;
  MainItem->SetImage(Sprite::Set, Sprite::QuadrantTiles, std::clamp(quadrant, 1, 4) - 1);
  // The numeral stays white whatever the tile's tint: it must read on every quadrant colour.
  if (Numeral == nullptr) Numeral = AddItem(0, 0);
  Numeral->SetImage(Sprite::Set, Sprite::QuadrantNumerals, std::clamp(quadrant, 1, 4) - 1);
  static constexpr std::int32_t Signs[5][2] = {{1, 1}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  const auto& s = Signs[std::clamp(quadrant, 1, 4)];
  SetPoint(s[0], s[1]);
  DrawDot();
}

void TobjGridPoint::SetPoint(std::int32_t x, std::int32_t y) {
  PointX = x;
  PointY = y;
  const std::uint32_t colour = LightenColour(
      64, QuadrantColour(Resources->Level, Resources->Options.ColourBlindPalette != 0, QuadrantOf(x, y)));
  BaseRed = static_cast<std::uint8_t>(colour >> 16);
  BaseGreen = static_cast<std::uint8_t>(colour >> 8);
  BaseBlue = static_cast<std::uint8_t>(colour);
  MainItem->SetColor(DrawnColour());
}

void TobjGridPoint::ShowAnswer(std::int32_t frames, std::uint32_t colour) {
  AnswerTime = frames;
  AnswerLeft = frames;
  if (IsTile && Active) {
    Highlight->SetImage(MainItem->ImageSet, MainItem->ImageIndex, MainItem->GetPattern());
    Centre(Highlight, TileHighlightSize);
  }
  Highlight->SetColorAlpha(colour, 0);
  Highlight->Visible = frames > 0;
}

std::uint32_t TobjGridPoint::DrawnColour() const {
  if (Flashing) return PackRGB(FlashRed, FlashGreen, FlashBlue);
  // A tile's numeral is drawn in its quadrant's colour: a deep red or blue
  // would sink into the dark board, so tiles take a light tint of it.
  if (IsTile) return PackRGB(Lighten(BaseRed), Lighten(BaseGreen), Lighten(BaseBlue));
  return PackRGB(BaseRed, BaseGreen, BaseBlue);
}

void TobjGridPoint::DrawDot() {
  const std::int32_t size = Round32(DotSize);
  Centre(MainItem, size);
  std::int32_t alpha = Round32(DotSize / MaxSize * 255);
  // A resting dot at 115 vanished into its quadrant's tint: the grid a child
  // clicks on must stay in sight.
  if (!IsTile) alpha = std::max(alpha, DotMinAlpha);
  if (Dim) alpha /= 4;
  // A quadrant tile's numeral must read on any quadrant colour, dimmed or not.
  if (IsTile && Active) alpha = std::max(alpha, TileMinAlpha);
  MainItem->SetColorAlpha(DrawnColour(), alpha);
  if (Numeral != nullptr) {
    Centre(Numeral, size);
    Numeral->SetColorAlpha(0xFFFFFF, alpha);
  }
}

void TobjGridPoint::Answer() {
  FlashRed = BaseRed;
  FlashGreen = BaseGreen;
  FlashBlue = BaseBlue;
  Flashing = true;
  FlashRising = true;
  AnswerLeft = 0;
  Highlight->Visible = false;
  PostEvent(pmQueued, ekGame, 16, reinterpret_cast<std::intptr_t>(this), 0);
}

bool TobjGridPoint::Under(double mx, double my) const {
  return X - Width / 2.0 < mx && mx < X + Width / 2.0 && Y - Height / 2.0 < my && my < Y + Height / 2.0;
}

void TobjGridPoint::ReportHover() { PostEvent(pmQueued, ekGame, 24, reinterpret_cast<std::intptr_t>(this), 0); }

void TobjGridPoint::HandleEvent(TsysEvent* event) {
  TobjBase::HandleEvent(event);
  if (event->Kind != ekMouse || Resources->GameOver) return;
  const double mx = static_cast<double>(event->Param) - 512;
  const double my = static_cast<double>(event->Value) - 384;
  switch (event->Code) {
    case 1:
      Hovered = Under(mx, my);
      if (Hovered) PostEvent(pmQueued, ekGame, 24, reinterpret_cast<std::intptr_t>(this), 0);
      break;
    case 3:
      // Under a menu the click is the menu's; the board keeps its hover only.
      // Where it is released counts, also where the keys have since moved the cursor away.
      Hovered = Under(mx, my);
      if (!Hovered || Resources->Paused) break;
      Answer();
      break;
    default:
      break;
  }
}

void TobjGridPoint::ProcessEvents() {
  TobjBase::ProcessEvents();
  if (Resources->GameOver || Resources->Paused) return;

  DotSize += (Selected || Hovered) ? GrowStep : -GrowStep;
  DotSize = std::clamp(DotSize, MinSize, MaxSize);
  if (DotSize <= MinSize) PeakSounded = false;
  if (DotSize >= MaxSize && !PeakSounded) {
    PeakSounded = true;
    PostEvent(pmImmediate, ekSound, 7, 0, 0);
  }

  if (Flashing) {
    if (FlashRising) {
      FlashRed = std::min(FlashRed + FlashStep, 255);
      FlashGreen = std::min(FlashGreen + FlashStep, 255);
      FlashBlue = std::min(FlashBlue + FlashStep, 255);
      if (FlashRed == 255 && FlashGreen == 255 && FlashBlue == 255) FlashRising = false;
    } else {
      FlashRed = std::max(FlashRed - FlashStep, static_cast<std::int32_t>(BaseRed));
      FlashGreen = std::max(FlashGreen - FlashStep, static_cast<std::int32_t>(BaseGreen));
      FlashBlue = std::max(FlashBlue - FlashStep, static_cast<std::int32_t>(BaseBlue));
      if (FlashRed == BaseRed && FlashGreen == BaseGreen && FlashBlue == BaseBlue) Flashing = false;
    }
  }
  DrawDot();

  if (AnswerLeft > 0) {
    --AnswerLeft;
    if (AnswerLeft <= HighlightFade)
      Highlight->SetAlpha(Round32(AnswerLeft * HighlightFadeRate));
    else if (AnswerTime - AnswerLeft <= HighlightFade)
      Highlight->SetAlpha(Round32((AnswerTime - AnswerLeft) * HighlightFadeRate - 1));
    if (AnswerLeft == 0) Highlight->Visible = false;
  }
}
