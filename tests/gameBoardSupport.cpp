#include "gameBoardSupport.h"

#include <gtest/gtest.h>

#include "tables/defLevels.h"
#include "game/libMaths.h"
#include "game/sysGameObjects.h"
#include "objects/sysScreenIds.h"

void TBoardScreen::HandleEvent(TsysEvent* e) {
  if (e->Sender == Input) return;
  Got.push_back({e->Kind, e->Code, e->Param, e->Value});
  if (!DeleteDone || e->Kind != ekGame) return;
  if (e->Code == 17 || e->Code == 22 || e->Code == 47) Objects->DeleteObject(static_cast<std::int32_t>(e->Param));
}

int TBoardScreen::Count(std::int32_t kind, std::uint16_t code) const {
  int n = 0;
  for (const TGameEvent& g : Got) n += g.Kind == kind && g.Code == code;
  return n;
}

const TGameEvent* TBoardScreen::Last(std::int32_t kind, std::uint16_t code) const {
  for (auto it = Got.rbegin(); it != Got.rend(); ++it)
    if (it->Kind == kind && it->Code == code) return &*it;
  return nullptr;
}

TGameBoard::TGameBoard(bool withDevice)
    : Iface(nullptr, &Bus, Dir.Path()), AI(nullptr, &Iface), Screen(Iface.Objects.get(), &Input),
      HasDevice(withDevice) {
  AddGameObjectFactories(Iface.Objects->Factories);
  if (withDevice) Iface.Resources->SetDevice(&Device);
  // The director's order: input, monster director, object manager; the game
  // screen comes after the modules.
  Bus.Register(&Input);
  Bus.Register(&AI);
  Bus.Register(Iface.Objects.get());
  Bus.Register(&Screen);
}

TGameBoard::~TGameBoard() {
  Iface.Objects->DeleteAll();
  AI.Interface = nullptr;
  if (HasDevice) Iface.Resources->SetDevice(nullptr);
}

void TGameBoard::UseDevice(TrndDevice* device) {
  Iface.Resources->SetDevice(device);
  HasDevice = true;
}

void TGameBoard::UseMission(std::int32_t gameType, std::int32_t level) {
  TsysResources& res = Res();
  res.GameKind = GameKind::Mission;
  res.GameType = gameType;
  res.Difficulty = Difficulty::Medium;
  res.Level = *MissionLevel(gameType, level);
  res.LevelNumber = level;
}

void TGameBoard::UseArcade(std::int32_t gameType, std::int32_t difficulty, std::int32_t levelUps) {
  TsysResources& res = Res();
  res.GameKind = GameKind::Arcade;
  res.GameType = gameType;
  res.Difficulty = difficulty;
  res.Level = ArcadeStartLevels[static_cast<std::size_t>(gameType - 1)];
  for (std::int32_t i = 0; i < levelUps; ++i) ApplyLevelStep(res.Level);
  res.LevelNumber = 1 + levelUps;
}

std::int32_t TGameBoard::Range() const { return Iface.Resources->Level.GridRange[Iface.Resources->Difficulty]; }

void TGameBoard::ForceSize(std::int32_t size) {
  for (std::int32_t i = 0; i < 3; ++i) Res().Level.SizeWeights[Res().Difficulty][i] = i + 1 == size ? 1 : 0;
}

void TGameBoard::Build() {
  const TLevel& level = Res().Level;
  const std::int32_t range = Range();
  Map = Objects()->Create<TobjMap>(grGame, otMap, 0, 0, 0, 512, 512);
  Map->Build(range, range);
  const double tileAt[4][2] = {{256, -128}, {0, -128}, {0, 128}, {256, 128}};
  for (std::int32_t q = 1; q <= 4; ++q) {
    auto* tile = Objects()->Create<TobjGridPoint>(grGame, otGridPoint, tileAt[q - 1][0], tileAt[q - 1][1], 1, 255, 255);
    tile->MakeTile(q);
    if (level.GameType != GameType::QuickQuadrants) tile->Active = false;
  }
  if (level.GameType != GameType::QuickQuadrants) {
    for (std::int32_t x = -range; x <= range; ++x) {
      for (std::int32_t y = -range; y <= range; ++y) {
        const TVector2 at = Map->PlaneToScreen({static_cast<double>(x), static_cast<double>(-y)});
        auto* point = Objects()->Create<TobjGridPoint>(grGame, otGridPoint, at.X + 128, at.Y, 1,
                                                       static_cast<std::int32_t>(Map->CellWidth),
                                                       static_cast<std::int32_t>(Map->CellHeight));
        point->SetPoint(x, y);
      }
    }
  }
  for (std::int32_t i = 0; i < Objects()->TypeSize(otGridPoint); ++i) {
    auto* point = static_cast<TobjGridPoint*>(Objects()->TypeObject(otGridPoint, i));
    if (!level.QuadrantAllowed[QuadrantOf(point->PointX, point->PointY)]) point->Active = false;
  }
}

TobjMonster* TGameBoard::Spawn(double x, double y) {
  auto* m = Objects()->Create<TobjMonster>(grGame, otMonster, -2000, -2000, 3, 68, 68);
  m->Setup();
  m->X = x;
  m->Y = y;
  return m;
}

TobjMonster* TGameBoard::SpawnGrown(double x, double y) {
  TobjMonster* m = Spawn(x, y);
  // Grown monsters already walk; keep this one where it was put.
  const double speed = m->TopSpeed;
  m->TopSpeed = 0;
  for (int i = 0; i < 300 && m->DrawnPixels < m->TargetPixels; ++i) Step();
  EXPECT_EQ(m->DrawnPixels, m->TargetPixels) << "the monster did not grow to its size";
  m->TopSpeed = speed;
  m->X = x;
  m->Y = y;
  m->Velocity = {0, 0};
  return m;
}

void TGameBoard::GiveLine(TobjMonster* m, TIntPoint p, TIntPoint q) {
  m->AnswerPoint = p;
  m->SecondPoint = q;
  m->Slope = LineSlope(p, q);
  m->Intercept = LineIntercept(p, q);
  m->Question = LineLabel(p, q);
}

TobjGridPoint* TGameBoard::Point(std::int32_t x, std::int32_t y) const {
  for (std::int32_t i = 0; i < Objects()->TypeSize(otGridPoint); ++i) {
    auto* point = static_cast<TobjGridPoint*>(Objects()->TypeObject(otGridPoint, i));
    if (!point->IsTile && point->PointX == x && point->PointY == y) return point;
  }
  return nullptr;
}

TobjGridPoint* TGameBoard::Tile(std::int32_t quadrant) const {
  std::int32_t seen = 0;
  for (std::int32_t i = 0; i < Objects()->TypeSize(otGridPoint); ++i) {
    auto* point = static_cast<TobjGridPoint*>(Objects()->TypeObject(otGridPoint, i));
    if (point->IsTile && ++seen == quadrant) return point;
  }
  return nullptr;
}

std::vector<TobjMonster*> TGameBoard::Monsters() const {
  std::vector<TobjMonster*> list;
  for (std::int32_t i = 0; i < Objects()->TypeSize(otMonster); ++i)
    list.push_back(static_cast<TobjMonster*>(Objects()->TypeObject(otMonster, i)));
  return list;
}

void TGameBoard::Step(int n) {
  for (int i = 0; i < n; ++i) Bus.Tick();
}

void TGameBoard::Post(std::int32_t kind, std::uint16_t code, std::intptr_t param, std::int32_t value) {
  Input.PostEvent(pmQueued, kind, code, param, value);
  Step();
}

void TGameBoard::MoveTo(double x, double y) {
  Input.PostEvent(pmQueued, ekMouse, 1, static_cast<std::intptr_t>(x), static_cast<std::int32_t>(y));
  Step();
}

void TGameBoard::Release(double x, double y) {
  Input.PostEvent(pmQueued, ekMouse, 3, static_cast<std::intptr_t>(x), static_cast<std::int32_t>(y));
  Step();
}

void TGameBoard::RightRelease(double x, double y) {
  Input.PostEvent(pmQueued, ekMouse, 5, static_cast<std::intptr_t>(x), static_cast<std::int32_t>(y));
  Step();
}

void TGameBoard::Click(const TobjGridPoint* point) {
  const double x = point->X + 512;
  const double y = point->Y + 384;
  MoveTo(x, y);
  Release(x, y);
  Step();
}
