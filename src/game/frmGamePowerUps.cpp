// Power-ups and the Doom Device: a button is awarded for every step of points
// earned in the level (at most five held), slides into the HUD's tray and,
// pressed, stops, pushes back, halves or blitzes the monsters or shows their
// answers; the Doom Device fires when its bar is full.
#include <algorithm>
#include <cmath>

#include "core/sysCatalogue.h"
#include "core/sysRandom.h"
#include "core/sysLog.h"
#include "data/sysResources.h"
#include "game/frmGame.h"
#include "game/libMaths.h"
#include "game/objEffect.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "game/objMonster.h"
#include "objects/objPushButton.h"
#include "objects/sysObjects.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "tables/defPowerUps.h"
#include "tables/defSprites.h"

namespace {

constexpr std::int32_t StopFrames = 240;
constexpr std::int32_t HalveFrames = 360;
constexpr double BlastPush = 8;
constexpr std::int32_t AnswerFrames = 240;
constexpr std::int32_t AnswerLineFrames = 360;
constexpr std::int32_t AnswerLineAlpha = 96;
constexpr double AnswerLineHalfWidth = 3;
// The tray of the HUD: buttons enter at the left edge and slide right to rest.
constexpr double PowerUpY = Sprite::HudSlotY;
constexpr double PowerUpStart = -48;
// The first (rightmost) button's place: five buttons fit the panel's tray.
constexpr double PowerUpRest = Sprite::HudFirstSlotX;
constexpr double PowerUpGapX = Sprite::HudSlotPitch;
constexpr double PowerUpSlide = 6;
constexpr std::int32_t PowerUpSize = Sprite::HudSlotSize;
constexpr std::uint32_t White = 0xFFFFFF;

const TVector2 Origin{128, 0};

}  // namespace

void TfrmGame::CheckPowerUpAward() {
  TsysResources& res = *Resources();
  const TLevel& level = res.Level;
  bool any = false;
  for (std::int32_t r = 2; r < 8; ++r) any = any || level.PowerUpAllowed[r];
  if (!any) return;
  const std::int32_t step = level.PowerUpScoreStep[res.Difficulty];
  if (static_cast<std::int64_t>(step) < static_cast<std::int64_t>(res.Score) - PowerUpScoreBase) {
    PowerUpScoreBase += step;
    if (PowerUpButtons.size() < MaxPowerUps) AwardPowerUp();
  }
}

void TfrmGame::AwardPowerUp() {
  const TsysResources& res = *Resources();
  std::vector<std::int32_t> rows;
  for (std::int32_t r = 2; r < PowerUpCount; ++r) {
    if (!res.Level.PowerUpAllowed[r]) continue;
    // Quadrant Blitz has nothing to hit in Define the Line: no button for it there.
    if (r == 5 && res.Level.GameType == GameType::DefineTheLine) continue;
    rows.push_back(r);
  }
  if (rows.empty()) return;
  const std::int32_t r = rows[static_cast<std::size_t>(Random(static_cast<std::int32_t>(rows.size())))];
  const TPowerUp& power = PowerUpTable[static_cast<std::size_t>(r)];
  auto* b = Objects()->Create<TobjPushButton>(Group, otPushButton, PowerUpStart, PowerUpY, HudLayer, PowerUpSize,
                                              PowerUpSize);
  if (b == nullptr) return;
  b->SetHighlightPicture(Sprite::Set, Sprite::PushHighlight, 0, TTexCoord{});
  TTexCoord icon;
  icon.Pattern = power.IconFrame;  // the coordinates' own pattern is the one shown
  b->SetPicture(Sprite::Set, Sprite::PowerUps, power.IconFrame, icon);
  b->SetIcon(Sprite::Set, Sprite::PowerUps, Sprite::PowerUpGlow, PowerUpSize, PowerUpSize);
  b->MainItem->SetColor(White);
  b->Icon->SetColorAlpha(White, 32);
  b->Icon->Visible = true;
  b->SetAction(ekGame, 27, r, 0);
  // The hint box opens above the button, inside the strip at the place it comes to rest.
  const double rest = PowerUpRest - PowerUpGapX * static_cast<double>(PowerUpButtons.size());
  b->SetHint(std::clamp(-76.0, 4 - rest, 252 - 200 - rest), -106, TPointI{200, 100});
  b->HintText->SetMarkUpAt(
      std::string("<b>") + Tr(power.Name) + "</b><r><r>" + Tr(power.Description) + "<r>" +
          Tr("Click it, or press the key under it."),
      8, false, false, true, false, false, TPointD{12, 12});
  b->HintEnabled = true;
  b->SetEnabled(false);
  b->Visible = false;
  PowerUpButtons.push_back(b);
}

void TfrmGame::LayoutPowerUps() {
  for (std::size_t i = 0; i < PowerUpButtons.size(); ++i) {
    TobjPushButton* b = PowerUpButtons[i];
    b->MainItem->SetAlpha(255);
    b->Icon->SetAlpha(64);
    b->Icon->Visible = !b->Shrinking;
    const bool clickable = b->X >= 0;
    if (clickable != b->Enabled) b->SetEnabled(clickable);
    // It comes in from under the screen's edge: never shown cut by it.
    b->Visible = b->X >= 0;
    double limit = PowerUpRest - PowerUpGapX * static_cast<double>(i);
    if (i > 0) limit = std::min(limit, PowerUpButtons[i - 1]->X - PowerUpGapX);
    if (b->X < limit) b->X = std::min(b->X + PowerUpSlide, limit);
  }
}

void TfrmGame::PressPowerUpSlot(std::int32_t index) {
  if (index < 0 || index >= static_cast<std::int32_t>(PowerUpButtons.size())) return;
  TobjPushButton* b = PowerUpButtons[static_cast<std::size_t>(index)];
  if (!b->Shrinking) b->Press();
}

void TfrmGame::UsePowerUp(std::int32_t row) {
  TsysResources& res = *Resources();
  TsysObjects* objects = Objects();
  std::vector<TobjMonster*> monsters;
  for (std::int32_t i = 0; i < objects->TypeSize(otMonster); ++i)
    if (auto* m = dynamic_cast<TobjMonster*>(objects->TypeObject(otMonster, i))) monsters.push_back(m);
  switch (row) {
    case 2:
      PostEvent(pmImmediate, ekSound, 8, 5, 0);
      for (TobjMonster* m : monsters) m->Stop(StopFrames);
      break;
    case 3:
      PostEvent(pmImmediate, ekSound, 8, 3, 0);
      if (auto* ring = objects->Create<TobjEffect>(Group, otEffect, 0, 0, 4, 1024, 768))
        ring->Start(TobjEffect::ekBlastRing, {}, TextColour);
      for (TobjMonster* m : monsters) m->Push = VecScale(VecNormalize(VecSub({m->X, m->Y}, Origin)), BlastPush);
      break;
    case 4:
      PostEvent(pmImmediate, ekSound, 8, 4, 0);
      for (TobjMonster* m : monsters) m->Halve(HalveFrames);
      break;
    case 5: {
      if (res.Level.GameType == GameType::DefineTheLine) break;
      // Monsters already on their way out cannot be hit again: a quadrant of
      // only those would waste the blitz.
      std::int32_t count[5] = {};
      for (const TobjMonster* m : monsters)
        if (!m->Dying) ++count[QuadrantOf(m->AnswerPoint.X, m->AnswerPoint.Y)];
      std::int32_t best = 0;
      for (std::int32_t q = 1; q < 5; ++q)
        if (count[q] > count[best] || (count[q] == count[best] && Random(3) == 1)) best = q;
      if (count[best] > 0) PostEvent(pmImmediate, ekGame, 41, best, 0);
      break;
    }
    case 6:
      PostEvent(pmImmediate, ekSound, 8, 0, 0);
      for (TobjMonster* m : monsters) {
        if (res.Level.GameType == GameType::DefineTheLine) {
          AddAnswerLine(m);
          continue;
        }
        for (std::int32_t g = 0; g < objects->TypeSize(otGridPoint); ++g) {
          auto* point = dynamic_cast<TobjGridPoint*>(objects->TypeObject(otGridPoint, g));
          if (point == nullptr || point->PointX != m->AnswerPoint.X || point->PointY != m->AnswerPoint.Y) continue;
          if (res.Level.GameType == GameType::QuickQuadrants || point->Active)
            point->ShowAnswer(AnswerFrames, ColourTable[2]);
        }
      }
      break;
    default:
      break;
  }
}

void TfrmGame::AddAnswerLine(TobjMonster* monster) {
  if (Map == nullptr) return;
  const double w = Map->CellWidth;
  const double h = Map->CellHeight;
  const double k = monster->Slope;
  const double c = monster->Intercept;
  TVector2 a;
  TVector2 b;
  if (!std::isfinite(k)) {
    a = {w * monster->AnswerPoint.X, -256};
    b = {w * monster->AnswerPoint.X, 256};
  } else if (k == 0) {
    a = {-256, c * h};
    b = {256, c * h};
  } else {
    const double x1 = (-2000 - c * w) / k;
    const double x2 = (2000 - c * w) / k;
    a = {x1, k * x1 + c * w};
    b = {x2, k * x2 + c * w};
    // Each end outside the middle is cut back to the edge of the map square it crosses.
    const auto clip = [](TVector2& end, TVector2 other) {
      TVector2 at;
      if (end.X < -100 && SegmentIntersect(end, other, {-256, -256}, {-256, 256}, at)) end = at;
      if (end.X > 100 && SegmentIntersect(end, other, {256, -256}, {256, 256}, at)) end = at;
      if (end.Y < -100 && SegmentIntersect(end, other, {-256, -256}, {256, -256}, at)) end = at;
      if (end.Y > 100 && SegmentIntersect(end, other, {-256, 256}, {256, 256}, at)) end = at;
    };
    clip(a, b);
    clip(b, a);
  }
  a = {a.X + 128, -a.Y};
  b = {b.X + 128, -b.Y};
  TobjBase* line = Objects()->CreateObject(Group, otStatic, 0, 0, 2, 512, 512);
  if (line == nullptr) return;
  const TVector2 n = VecScale(VecPerp(VecNormalize(VecSub(b, a))), AnswerLineHalfWidth);
  TrndGfx* quad = line->MainItem;
  quad->SetImage(CoreSprite::Set, CoreSprite::White, 0);
  quad->DrawMode = 4;
  const TVector2 corners[4] = {VecAdd(a, n), VecAdd(b, n), VecSub(b, n), VecSub(a, n)};
  for (int i = 0; i < 4; ++i) quad->SetCorner(i, TPointD{corners[i].X, corners[i].Y});
  quad->SetColorAlpha(monster->MainItem->Color, AnswerLineAlpha);
  AnswerLines.push_back({line, monster, AnswerLineFrames});
}

void TfrmGame::StepAnswerLines() {
  TsysObjects* objects = Objects();
  for (auto it = AnswerLines.begin(); it != AnswerLines.end();) {
    --it->FramesLeft;
    if (it->FramesLeft <= AnswerLineFade && objects->IsAlive(it->Line))
      it->Line->MainItem->SetAlpha(std::max(it->FramesLeft, 0) * 9);
    if (it->FramesLeft <= 0) {
      if (objects->IsAlive(it->Line)) objects->DeleteObject(it->Line->Index);
      it = AnswerLines.erase(it);
    } else {
      ++it;
    }
  }
}

void TfrmGame::PowerUpGone(std::intptr_t param) {
  TsysObjects* objects = Objects();
  auto* object = reinterpret_cast<TobjBase*>(param);
  if (object == nullptr || !objects->IsAlive(object)) return;
  const auto it = std::find(PowerUpButtons.begin(), PowerUpButtons.end(), object);
  if (it == PowerUpButtons.end()) return;
  PowerUpButtons.erase(it);
  if (object->ObjType == otMonster) ShowMessage("", Tr("It's a monster!"));
  objects->DeleteObject(object->Index);
}

void TfrmGame::FireDoomDevice() {
  TsysResources& res = *Resources();
  if (!res.Level.PowerUpAllowed[0] || res.DoomCharge != DoomFull) return;
  if (auto* rings = Objects()->Create<TobjEffect>(Group, otEffect, 96, -32, 4, 64, 64))
    rings->Start(TobjEffect::ekDoomRings, {}, TextColour);
  res.DoomCharge = 0;
  UpdateHud();
  PostEvent(pmQueued, ekGame, 40, 0, 0);
}
