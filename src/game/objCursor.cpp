#include "game/objCursor.h"

#include <algorithm>
#include <cmath>

#include "core/sysEvent.h"
#include "data/sysResources.h"
#include "tables/defSprites.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "objects/sysFocus.h"
#include "objects/sysObjects.h"
#include "render/modInput.h"

namespace {

// Over the grid points, under the monsters' questions.
constexpr double RingLayer = 2;
constexpr std::int32_t BandWidth = 3;  // the bright band
constexpr std::int32_t EdgeWidth = 1;  // dark each side of it, so it shows on any quadrant colour
constexpr std::uint32_t BandColour = 0xFFFFFF;
constexpr std::uint32_t EdgeColour = 0x000000;
constexpr std::int32_t EdgeAlpha = 230;
constexpr std::int32_t PointRingMin = 24;
constexpr std::int32_t PointRingMax = 40;
constexpr std::int32_t TileRing = 160;
// The middle of each quadrant tile, in world pixels (as the game screen lays them).
constexpr double TileCentre[4][2] = {{256, -128}, {0, -128}, {0, 128}, {256, 128}};
// The board's origin in world pixels.
constexpr double OriginX = 128;

}  // namespace

TobjCursor::TobjCursor(TsysObjects* objects, TsysResources* resources, std::int32_t group)
    : Objects(objects), Resources(resources), Group(group) {}

void TobjCursor::Place(TobjMap* map, bool quadrants) {
  Map = map;
  OnTiles = quadrants;
  PointX = 0;
  PointY = 0;
  Quadrant = 1;
  Grown = nullptr;
  if (Ring == nullptr || !Objects->IsAlive(Ring)) {
    Ring = Objects->CreateObject(Group, otStatic, 0, 0, RingLayer, 0, 0);
    if (Ring == nullptr) return;
    Ring->MainItem->Visible = false;
    for (int i = 0; i < 8; ++i) {
      TrndGfx* bar = Ring->AddItem(0, 0);
      bar->SetImage(CoreSprite::Set, CoreSprite::White, 0);
      bar->SetColorAlpha(i < 4 ? EdgeColour : BandColour, i < 4 ? EdgeAlpha : 255);
    }
  }
  Ring->SetVisible(false);
  Draw();
}

void TobjCursor::Clear() {
  Map = nullptr;
  Grown = nullptr;
  if (Ring != nullptr && Objects->IsAlive(Ring)) Ring->SetVisible(false);
}

TobjGridPoint* TobjCursor::Target() const {
  if (Map == nullptr) return nullptr;
  for (std::int32_t i = 0; i < Objects->TypeSize(otGridPoint); ++i) {
    auto* point = static_cast<TobjGridPoint*>(Objects->TypeObject(otGridPoint, i));
    if (point->Group != Group || point->IsTile != OnTiles) continue;
    if (OnTiles) {
      if (QuadrantOfTile(point) == Quadrant) return point;
    } else if (point->PointX == PointX && point->PointY == PointY) {
      return point;
    }
  }
  return nullptr;
}

std::int32_t TobjCursor::QuadrantOfTile(const TobjGridPoint* tile) {
  // A tile answers (+-1, +-1): its signs name its quadrant.
  if (tile->PointX > 0) return tile->PointY > 0 ? 1 : 4;
  return tile->PointY > 0 ? 2 : 3;
}

void TobjCursor::Move(int key) {
  if (OnTiles) {
    static constexpr std::int32_t Next[4][4] = {
        // from quadrant 1..4: left, up, right, down
        {2, 1, 1, 4}, {2, 2, 1, 3}, {3, 2, 4, 3}, {3, 1, 4, 4}};
    const std::int32_t way = key - vkArrowLeft;  // 0 left, 1 up, 2 right, 3 down
    Quadrant = Next[Quadrant - 1][way];
  } else {
    switch (key) {
      case vkArrowLeft: --PointX; break;
      case vkArrowRight: ++PointX; break;
      case vkArrowUp: ++PointY; break;
      case vkArrowDown: --PointY; break;
      default: break;
    }
    PointX = std::clamp(PointX, -Map->RangeX, Map->RangeX);
    PointY = std::clamp(PointY, -Map->RangeY, Map->RangeY);
  }
  Arrived();
}

void TobjCursor::Jump(int key) {
  constexpr std::int32_t JumpStep = 5;
  if (OnTiles) {
    // The tiles have no origin: Home is quadrant I, the pages go up and down a row.
    if (key == vkHome) Quadrant = 1;
    if (key == vkPageUp) Quadrant = Quadrant == 3 ? 2 : Quadrant == 4 ? 1 : Quadrant;
    if (key == vkPageDown) Quadrant = Quadrant == 2 ? 3 : Quadrant == 1 ? 4 : Quadrant;
  } else {
    if (key == vkHome) PointX = PointY = 0;
    if (key == vkPageUp) PointY = std::min(PointY + JumpStep, Map->RangeY);
    if (key == vkPageDown) PointY = std::max(PointY - JumpStep, -Map->RangeY);
  }
  Arrived();
}

void TobjCursor::Follow(double screenX, double screenY) {
  // World pixels, as the grid points measure the pointer.
  const double wx = screenX - 512 - OriginX;
  const double wy = screenY - 384;
  const double halfW = (Map->RangeX + 0.5) * Map->CellWidth;
  const double halfH = (Map->RangeY + 0.5) * Map->CellHeight;
  if (std::fabs(wx) > halfW || std::fabs(wy) > halfH) return;  // off the board: the cursor stays
  std::int32_t x = PointX;
  std::int32_t y = PointY;
  std::int32_t q = Quadrant;
  if (OnTiles) {
    if (wx == 0 || wy == 0) return;
    q = wx > 0 ? (wy < 0 ? 1 : 4) : (wy < 0 ? 2 : 3);
  } else {
    x = std::clamp(static_cast<std::int32_t>(std::lround(wx / Map->CellWidth)), -Map->RangeX, Map->RangeX);
    y = std::clamp(static_cast<std::int32_t>(std::lround(-wy / Map->CellHeight)), -Map->RangeY, Map->RangeY);
  }
  if (x == PointX && y == PointY && q == Quadrant) return;
  PointX = x;
  PointY = y;
  Quadrant = q;
  // The pointer already tells the points it passes over; only the ring moves.
  if (Grown != nullptr && Objects->IsAlive(Grown)) Grown->Hovered = false;
  Grown = nullptr;
  Draw();
}

void TobjCursor::Arrived() {
  Grown = nullptr;
  TobjGridPoint* point = Target();
  // One point is marked at a time: the one under a resting pointer lets go too.
  for (std::int32_t i = 0; i < Objects->TypeSize(otGridPoint); ++i) {
    auto* other = static_cast<TobjGridPoint*>(Objects->TypeObject(otGridPoint, i));
    if (other != point && other->Group == Group) other->Hovered = false;
  }
  if (point != nullptr && point->Active) {
    point->Hovered = true;  // it grows as under the pointer
    Grown = point;
    point->ReportHover();
  }
  Draw();
}

bool TobjCursor::HandleEvent(const TsysEvent& event) {
  if (Map == nullptr || !Objects->IsAlive(Map)) return false;
  const int key = static_cast<int>(event.Param);
  if (event.Kind == ekMouse && event.Code == 1) {
    Follow(static_cast<double>(event.Param), event.Value);
    return false;  // the pointer's move belongs to everything else too
  }
  if (event.Kind != ekKeys) return false;
  if (event.Code == 7 && key >= vkArrowLeft && key <= vkArrowDown) {
    Resources->KeyboardPlay = true;
    Move(key);
    return true;
  }
  if (event.Code == 7 && (key == vkHome || key == vkPageUp || key == vkPageDown)) {
    Resources->KeyboardPlay = true;
    Jump(key);
    return true;
  }
  if (event.Code == 8 && (key == vkReturn || key == vkSpace)) {
    Resources->KeyboardPlay = true;
    TobjGridPoint* point = Target();
    if (point != nullptr && point->Active) point->Answer();
    Draw();
    return true;
  }
  return false;
}

void TobjCursor::Step() {
  if (Ring == nullptr || !Objects->IsAlive(Ring)) return;
  // Not under a menu, a help page or an end panel: the board is not what the keys move there.
  const bool shown = Map != nullptr && !Resources->Paused && !Resources->GameOver;
  if (Ring->Visible != shown) Ring->SetVisible(shown);
}

void TobjCursor::Draw() {
  if (Ring == nullptr || !Objects->IsAlive(Ring) || Map == nullptr) return;
  double cx;
  double cy;
  std::int32_t size;
  if (OnTiles) {
    cx = TileCentre[Quadrant - 1][0];
    cy = TileCentre[Quadrant - 1][1];
    size = TileRing;
  } else {
    cx = OriginX + PointX * Map->CellWidth;
    cy = -PointY * Map->CellHeight;
    size = std::clamp(static_cast<std::int32_t>(std::lround(0.9 * std::min(Map->CellWidth, Map->CellHeight))),
                      PointRingMin, PointRingMax);
  }
  Ring->X = cx;
  Ring->Y = cy;
  // Centred: an even frame, so that no bar overshoots the opposite one.
  const std::int32_t half = size / 2;
  PlaceOutlinedRing(Ring, -half, -half, 2 * half, 2 * half, BandWidth, EdgeWidth);
}
