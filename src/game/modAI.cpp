#include "game/modAI.h"

#include <algorithm>
#include <cmath>

#include "core/sysRandom.h"
#include "core/sysRound.h"
#include "data/sysResources.h"
#include "data/sysProgress.h"
#include "game/ColorLib.h"
#include "game/libAnswerLog.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "game/objAnswerMark.h"
#include "game/objEffect.h"
#include "game/objGridPoint.h"
#include "game/objMonster.h"
#include "game/objSpark.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"

namespace {

constexpr std::int32_t AnswerZapLife = 20;
constexpr std::int32_t SparkCount = 75;
constexpr std::int32_t SparkLife = 30;
constexpr double SparkSpeed = 2.5;
constexpr double ZapHalfWidth = 32;
constexpr double BandHalfWidth = 2;
// A quadrant tile's numeral lies within this much of the tile's middle (at
// its largest), and an answer mark within this much of its own.
constexpr double TileNumeralHalfWidth = 46;
constexpr double TileNumeralHalfHeight = 28;
constexpr double MarkHalf = 16;
constexpr std::int32_t BandColour = 7;  // white
constexpr std::int32_t BandFadeFrom = 192;
constexpr double PushDecay = 0.1;
// A monster takes at most three hits; the powers never need more passes.
constexpr int MaxPowerPasses = 8;

TVector2 PositionOf(const TobjBase* object) { return {object->X, object->Y}; }

std::int32_t QuadrantColourIndex(const TLevel& level, std::int32_t x, std::int32_t y) {
  return level.QuadrantColour[QuadrantOf(x, y)];
}

}  // namespace

TmodAI::TmodAI(TsysMainWindow* owner, TsysInterface* iface) : TsysModule(owner), Interface(iface) {
  EventMask = 0x7FFF;
  Judged.reserve(16);
}

void TmodAI::LogAnswers(const std::string& given, const std::vector<TIntPoint>& points) {
  TsysResources& res = *Interface->Resources;
  TsysProgress* log = res.Progress.get();
  if (log == nullptr || !log->InSession()) return;
  if (Judged.empty()) {
    // Nothing hit: the question on screen the child most likely meant, if any.
    if (TobjMonster* target = MissTarget(*Interface->Objects, GameTypeNow(), points)) {
      TAnswerRow row = AnswerOf(*target, res);
      row.Given = given;
      row.Correct = false;
      log->Record(std::move(row));
    }
    return;
  }
  for (TAnswerRow& row : Judged) {
    // A right line is the line asked for, whichever two of its points were given.
    row.Given = GameTypeNow() == GameType::DefineTheLine ? row.Answer : given;
    row.Correct = true;
    log->Record(std::move(row));
  }
  Judged.clear();
}

bool TmodAI::Stopped() const {
  const TsysResources* res = Interface->Resources.get();
  return res->GameOver || res->Paused;
}

std::int32_t TmodAI::GameTypeNow() const { return Interface->Resources->Level.GameType; }

void TmodAI::ClearSelection() {
  FirstPoint = nullptr;
  SecondPoint = nullptr;
  Band = nullptr;
}

TobjGridPoint* TmodAI::GridPointOf(std::intptr_t param) const {
  const auto* object = reinterpret_cast<const TobjBase*>(param);
  if (object == nullptr || !Interface->Objects->IsAlive(object) || object->ObjType != otGridPoint) return nullptr;
  return dynamic_cast<TobjGridPoint*>(const_cast<TobjBase*>(object));
}

void TmodAI::DropDeadReferences() {
  // The board may have been cleared without a word to us (the screen closed).
  const TsysObjects* objects = Interface->Objects.get();
  if (FirstPoint != nullptr && !objects->IsAlive(FirstPoint)) FirstPoint = nullptr;
  if (SecondPoint != nullptr && !objects->IsAlive(SecondPoint)) SecondPoint = nullptr;
  if (Band != nullptr && !objects->IsAlive(Band)) Band = nullptr;
}

void TmodAI::HandleEvent(TsysEvent* event) {
  TsysModule::HandleEvent(event);
  // At shutdown the objects go before this module; they may still post.
  if (Interface == nullptr || !Interface->Objects) return;
  DropDeadReferences();
  // Dropping the selection is always safe, and a board cleared while the game
  // is stopped (a restart from the game-over screen) must not leave it behind.
  if (event->Kind == ekGame && (event->Code == 38 || event->Code == 48)) {
    ClearSelection();
    return;
  }
  if (Stopped()) return;
  if (event->Kind == ekGame) {
    switch (event->Code) {
      case 16:
        if (TobjGridPoint* point = GridPointOf(event->Param)) {
          if (GameTypeNow() == GameType::DefineTheLine)
            SelectLinePoint(point);
          else
            CheckPoint(point);
        }
        break;
      case 24:
        if (GameTypeNow() == GameType::DefineTheLine && FirstPoint != nullptr)
          if (TobjGridPoint* point = GridPointOf(event->Param)) DrawBand(point);
        break;
      case 40:
        DoomDevice();
        break;
      case 41:
        QuadrantBlitz(static_cast<std::int32_t>(event->Param));
        break;
      case 49:  // Backspace or Delete: the first point of a line taken back
        CancelSelection();
        break;
      default:
        break;
    }
  } else if (event->Kind == ekMouse && event->Code == 5) {
    CancelSelection();
  }
}

void TmodAI::ProcessEvents() {
  TsysModule::ProcessEvents();
  if (Interface == nullptr || !Interface->Objects || Stopped()) return;
  // The director runs before the screens in every step: the pace it sets holds for the game screen too.
  Interface->Resources->AdvancePace();
  if (Interface->Resources->WorldStepDue) MoveMonsters();
}

void TmodAI::MoveMonsters() {
  const TsysObjects* objects = Interface->Objects.get();
  const std::int32_t count = objects->TypeSize(otMonster);
  for (std::int32_t i = count - 1; i >= 0; --i) {
    auto* m = dynamic_cast<TobjMonster*>(objects->TypeObject(otMonster, i));
    if (m == nullptr || m->Dying || m->DrawnPixels != m->TargetPixels) continue;
    const TVector2 position = PositionOf(m);

    const TVector2 want = VecScale(VecNormalize(VecSub(Origin, position)), m->Acceleration / m->Steering);
    m->Velocity = VecAdd(m->Velocity, want);
    if (VecLength(m->Velocity) > m->TopSpeed) m->Velocity = VecScale(VecNormalize(m->Velocity), m->TopSpeed);
    m->Push = VecShorten(m->Push, PushDecay);
    // A pushed monster is carried by the push alone until it has died away.
    TVector2 proposed = VecLength(m->Push) == 0 ? VecAdd(position, m->Velocity) : position;
    proposed = VecAdd(proposed, m->Push);

    const TobjBase* crowding = nullptr;
    for (std::int32_t j = 0; j < count; ++j) {
      const TobjBase* n = objects->TypeObject(otMonster, j);
      if (n == nullptr || n == m) continue;
      if (n->X - n->Width <= proposed.X && proposed.X <= n->X + n->Width && n->Y - n->Height - 16 <= proposed.Y &&
          proposed.Y <= n->Y + n->Height)
        crowding = n;
    }
    if (crowding != nullptr) {
      const bool selfFarther = VecDistance(position, Origin) >= VecDistance(PositionOf(crowding), Origin);
      auto* farther = selfFarther ? m : dynamic_cast<TobjMonster*>(const_cast<TobjBase*>(crowding));
      if (farther != nullptr) farther->Blocked = true;
    } else {
      m->Blocked = false;
    }
    if (m->Blocked) {
      m->Velocity = {0, 0};
      proposed = position;
      m->Blocked = false;
    }
    m->X = proposed.X;
    m->Y = proposed.Y;

    if (m->X >= 121 && m->X <= 135 && m->Y >= -7 && m->Y <= 7) m->Hit(true);

    const std::int32_t h = m->DrawnPixels / 2;
    bool held = false;
    if (m->X < h - 256) m->X = h - 256, held = true;
    if (m->Y < h - 384) m->Y = h - 384, held = true;
    if (m->X > 512 - h) m->X = 512 - h, held = true;
    if (m->Y > 384 - h) m->Y = 384 - h, held = true;
    if (held) m->Push = {0, 0};
  }
}

void TmodAI::PostVerdict(std::int32_t kills, std::int32_t sum) {
  if (kills == 0)
    PostEvent(pmQueued, ekGame, 19, 0, sum);
  else if (kills == 1)
    PostEvent(pmQueued, ekGame, 18, 0, sum);
  else
    PostEvent(pmQueued, ekGame, 20, kills, sum);
}

void TmodAI::PostPowerVerdict(std::int32_t kills) {
  if (kills == 1)
    PostEvent(pmQueued, ekGame, 18, 0, 1);
  else if (kills > 1)
    PostEvent(pmQueued, ekGame, 20, kills, kills);
}

void TmodAI::CheckPoint(TobjGridPoint* point) {
  const TsysObjects* objects = Interface->Objects.get();
  const TLevel& level = Interface->Resources->Level;
  const std::int32_t colour = QuadrantColourIndex(level, point->PointX, point->PointY);
  std::int32_t kills = 0;
  std::int32_t sum = 0;
  Judged.clear();
  for (std::int32_t i = 0; i < objects->TypeSize(otMonster); ++i) {
    auto* m = dynamic_cast<TobjMonster*>(objects->TypeObject(otMonster, i));
    if (m == nullptr || m->AnswerPoint.X != point->PointX || m->AnswerPoint.Y != point->PointY) continue;
    const bool wasDying = m->Dying;
    if (!wasDying) Judged.push_back(AnswerOf(*m, *Interface->Resources));
    sum += m->Size;
    m->Hit(false);
    Zap(PositionOf(m), PositionOf(point), colour, AnswerZapLife);
    if (!wasDying) ++kills;
  }
  PostVerdict(kills, sum);
  const TIntPoint given{point->PointX, point->PointY};
  LogAnswers(GameTypeNow() == GameType::QuickQuadrants
                 ? QuadrantAnswer(QuadrantOf(given.X, given.Y))
                 : "(" + std::to_string(given.X) + "," + std::to_string(given.Y) + ")",
             {given});
  MarkAnswer(Interface->Objects.get(), grGame, ClickedAt(point), kills > 0);
  if (kills > 0) PostEvent(pmImmediate, ekSound, 5, 0, 0);
}

TVector2 TmodAI::ClickedAt(const TobjGridPoint* point) const {
  const TVector2 centre = PositionOf(point);
  // A dot is marked on itself; a quadrant tile is large, so where the pointer
  // was (an answer given by keys is marked on the tile itself).
  const TsysResources& res = *Interface->Resources;
  if (!point->IsTile) return centre;
  TVector2 at = centre;
  const TVector2 pointer{res.PointerX - 512.0, res.PointerY - 384.0};
  if (res.PointerKnown && !res.KeyboardPlay && std::abs(pointer.X - point->X) <= point->Width / 2.0 &&
      std::abs(pointer.Y - point->Y) <= point->Height / 2.0)
    at = pointer;
  // Never over the tile's numeral: above it, or below where the click was low.
  const double dx = at.X - centre.X, dy = at.Y - centre.Y;
  if (std::abs(dx) < TileNumeralHalfWidth + MarkHalf && std::abs(dy) < TileNumeralHalfHeight + MarkHalf)
    at.Y = centre.Y + (dy > 0 ? 1 : -1) * (TileNumeralHalfHeight + MarkHalf);
  return at;
}

bool TmodAI::AnswersLine(double slope, double intercept, std::int32_t answerX, TIntPoint a, TIntPoint b) {
  if (!std::isfinite(slope)) return a.X == answerX && b.X == answerX && a.Y != b.Y;
  // The same exact computation as the monster's: equal lines give equal reals.
  return slope == LineSlope(a, b) && intercept == LineIntercept(a, b);
}

void TmodAI::CheckLine(TobjGridPoint* a, TobjGridPoint* b) {
  PostEvent(pmImmediate, ekSound, 5, 0, 0);
  const TsysObjects* objects = Interface->Objects.get();
  const TLevel& level = Interface->Resources->Level;
  const TIntPoint pa{a->PointX, a->PointY};
  const TIntPoint pb{b->PointX, b->PointY};
  std::int32_t kills = 0;
  std::int32_t sum = 0;
  Judged.clear();
  for (std::int32_t i = 0; i < objects->TypeSize(otMonster); ++i) {
    auto* m = dynamic_cast<TobjMonster*>(objects->TypeObject(otMonster, i));
    if (m == nullptr) continue;
    if (!AnswersLine(m->Slope, m->Intercept, m->AnswerPoint.X, pa, pb)) continue;
    const bool wasDying = m->Dying;
    if (!wasDying) Judged.push_back(AnswerOf(*m, *Interface->Resources));
    sum += m->Size;
    m->Hit(false);
    // A monster already on its way out (answered, or escaping with a life lost)
    // is zapped again but earns nothing more.
    if (!wasDying) ++kills;
    Zap(PositionOf(m), PositionOf(a), QuadrantColourIndex(level, pa.X, pa.Y), AnswerZapLife);
    Zap(PositionOf(m), PositionOf(b), QuadrantColourIndex(level, pb.X, pb.Y), AnswerZapLife);
  }
  PostVerdict(kills, sum);
  LogAnswers(LineThrough(pa, pb), {pa, pb});
  for (const TobjGridPoint* point : {a, b}) MarkAnswer(Interface->Objects.get(), grGame, ClickedAt(point), kills > 0);
}

void TmodAI::SelectLinePoint(TobjGridPoint* point) {
  if (FirstPoint == nullptr) {
    Band = Interface->Objects->Create<TobjEffect>(grGame, otEffect, 0, 0, 2, 512, 512);
    if (Band != nullptr) Band->SetVisible(false);
    FirstPoint = point;
    point->SetSelected(true);
    return;
  }
  if (point == FirstPoint) {
    FadeBand();
    point->SetSelected(false);
    FirstPoint = nullptr;
    Band = nullptr;
    return;
  }
  SecondPoint = point;
  point->SetSelected(true);
  CheckLine(FirstPoint, SecondPoint);
  FadeBand();
  FirstPoint->SetSelected(false);
  SecondPoint->SetSelected(false);
  FirstPoint = nullptr;
  SecondPoint = nullptr;
  Band = nullptr;
}

void TmodAI::DrawBand(TobjGridPoint* over) {
  if (Band == nullptr) return;
  const TVector2 f = PositionOf(FirstPoint);
  const TVector2 q = PositionOf(over);
  const TVector2 n = VecScale(VecPerp(VecNormalize(VecSub(f, q))), BandHalfWidth);
  Band->Start(TobjEffect::ekLine, {VecAdd(f, n), VecAdd(q, n), VecSub(q, n), VecSub(f, n)}, BandColour);
}

void TmodAI::FadeBand() {
  if (Band == nullptr) return;
  Band->Main->SetAlpha(BandFadeFrom);
  Band->Fade(false);
}

void TmodAI::CancelSelection() {
  if (FirstPoint != nullptr) FirstPoint->SetSelected(false);
  FirstPoint = nullptr;
  SecondPoint = nullptr;
  FadeBand();
  Band = nullptr;
}

void TmodAI::DoomDevice() {
  PostEvent(pmImmediate, ekSound, 8, 2, 0);
  PostEvent(pmImmediate, ekSound, 5, 0, 0);
  const TsysObjects* objects = Interface->Objects.get();
  std::int32_t kills = 0;
  for (int pass = 0; pass < MaxPowerPasses; ++pass) {
    bool any = false;
    for (std::int32_t i = 0; i < objects->TypeSize(otMonster); ++i) {
      auto* m = dynamic_cast<TobjMonster*>(objects->TypeObject(otMonster, i));
      if (m == nullptr || m->Dying) continue;
      any = true;
      m->Hit(false);
      m->KilledByPower = true;
      ++kills;
      Zap(PositionOf(m), Origin, Random(ColourCount), m->Size * 10 + 10);
    }
    if (!any) break;
  }
  PostPowerVerdict(kills);
  if (TsysProgress* log = Interface->Resources->Progress.get()) log->RecordPower("Doom Device", kills);
}

void TmodAI::QuadrantBlitz(std::int32_t quadrant) {
  PostEvent(pmImmediate, ekSound, 5, 0, 0);
  const TsysObjects* objects = Interface->Objects.get();
  const TLevel& level = Interface->Resources->Level;
  std::int32_t kills = 0;
  for (int pass = 0; pass < MaxPowerPasses; ++pass) {
    bool any = false;
    for (std::int32_t i = 0; i < objects->TypeSize(otMonster); ++i) {
      auto* m = dynamic_cast<TobjMonster*>(objects->TypeObject(otMonster, i));
      if (m == nullptr || m->Dying || QuadrantOf(m->AnswerPoint.X, m->AnswerPoint.Y) != quadrant) continue;
      any = true;
      // A shrinking monster of Rozir Ivivuruda takes a new question; the zaps
      // come from the points of the one it was blitzed for.
      const TIntPoint answer = m->AnswerPoint;
      m->Hit(false);
      // Only a monster the blitz finished counts as killed by it: one that
      // shrank and lives on still charges the Doom Device when answered.
      if (m->Dying) m->KilledByPower = true;
      ++kills;
      for (std::int32_t g = 0; g < objects->TypeSize(otGridPoint); ++g) {
        const auto* point = dynamic_cast<const TobjGridPoint*>(objects->TypeObject(otGridPoint, g));
        // Only points that can be clicked: the quadrant tiles of the other
        // games lie idle under the board.
        if (point == nullptr || !point->Active || point->PointX != answer.X || point->PointY != answer.Y) continue;
        Zap(PositionOf(m), PositionOf(point), QuadrantColourIndex(level, answer.X, answer.Y), m->Size * 10 + 10);
      }
    }
    if (!any) break;
  }
  PostPowerVerdict(kills);
  if (TsysProgress* log = Interface->Resources->Progress.get()) log->RecordPower("Quadrant Blitz", kills);
}

void TmodAI::Zap(TVector2 monsterPos, TVector2 pointPos, std::int32_t colourIndex, std::int32_t life) {
  TsysObjects* objects = Interface->Objects.get();
  colourIndex = std::clamp(colourIndex, 0, ColourCount - 1);
  const TVector2 n = VecScale(VecPerp(VecNormalize(VecSub(pointPos, monsterPos))), ZapHalfWidth);
  const double layer = Round(VecDistance(monsterPos, pointPos)) > 384 ? 4 : 5;
  if (auto* zap = objects->Create<TobjEffect>(grGame, otEffect, 0, 0, layer, 768, 1024)) {
    zap->Start(TobjEffect::ekZap,
               {VecAdd(monsterPos, n), VecAdd(pointPos, n), VecSub(pointPos, n), VecSub(monsterPos, n)}, colourIndex);
    zap->Life = life;
  }
  if (auto* sparks = objects->Create<TobjSpark>(grGame, otSpark, monsterPos.X, monsterPos.Y, 5, 4, 4))
    sparks->Burst(monsterPos, SparkCount, LightenColour(64, ColourTable[static_cast<std::size_t>(colourIndex)]),
                  SparkLife, SparkSpeed);
}
