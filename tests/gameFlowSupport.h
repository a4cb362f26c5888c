#pragma once
// The game screen opened through the real director, with a profile and the
// generated data: the set-up screens' choices are written into the resources
// and the game is asked for, as a set-up screen asks for it.
#include <cstdint>
#include <vector>

#include "core/sysRandom.h"
#include "flowSupport.h"
#include "game/frmGame.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "game/objMonster.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"

class GameFlowTest : public FlowTest {
 protected:
  // A mission level opens with its help page over the game: the child closes it first.
  void CloseHelp() {
    Tick(5);
    for (int i = 0; i < 3 && Screen(ssTutorial) != nullptr; ++i) {
      Director->Input->KeyDown(0x1B, 0);
      Director->Input->KeyUp(0x1B, 0);
      Tick(30);
    }
  }
  // A profile, then a game of that kind; for a challenge, type is the challenge index.
  void OpenGame(std::int32_t kind, std::int32_t type, std::int32_t difficulty, std::uint32_t seed = 1) {
    if (!Director) CreateFirstProfile("Ada");
    RandomSeed(seed);
    Res()->GameKind = kind;
    Res()->GameType = type;
    Res()->Difficulty = difficulty;
    Res()->MissionLevelChoice = -1;
    Spy.PostEvent(pmQueued, ekScreen, sidGame, grArcade, 0);
    Tick(2);
  }
  // Past the game's fade-in (15 steps), before the first spawn (30 steps later).
  void PastFadeIn() { Tick(16); }
  TfrmGame* Game() { return dynamic_cast<TfrmGame*>(Screen(ssGame)); }
  TsysObjects* Objects() { return Director->Interface->Objects.get(); }
  // No monster comes by itself: the tests spawn their own.
  void NoSpawning() {
    for (double& m : Res()->Level.MaxMonsters) m = 0;
  }
  void ForceSize(std::int32_t size) {
    for (std::int32_t i = 0; i < 3; ++i) Res()->Level.SizeWeights[Res()->Difficulty][i] = i + 1 == size ? 1 : 0;
  }
  // A monster of the game's own spawning, standing still at (x, y) from the centre once grown.
  TobjMonster* Monster(double x, double y) {
    TobjMonster* m = Game()->SpawnMonster();
    m->X = x;
    m->Y = y;
    m->TopSpeed = 0;
    TickUntil([m] { return m->DrawnPixels >= m->TargetPixels; }, 300, "the monster did not grow to its size");
    m->Velocity = {0, 0};
    return m;
  }
  std::vector<TobjMonster*> Monsters() {
    std::vector<TobjMonster*> list;
    for (std::int32_t i = 0; i < Objects()->TypeSize(otMonster); ++i)
      list.push_back(static_cast<TobjMonster*>(Objects()->TypeObject(otMonster, i)));
    return list;
  }
  TobjGridPoint* Point(std::int32_t x, std::int32_t y, bool tile = false) {
    for (std::int32_t i = 0; i < Objects()->TypeSize(otGridPoint); ++i) {
      auto* p = static_cast<TobjGridPoint*>(Objects()->TypeObject(otGridPoint, i));
      if (p->IsTile == tile && p->PointX == x && p->PointY == y) return p;
    }
    return nullptr;
  }
  // A real click on a grid point or tile: pointer move, press, release.
  void ClickPoint(const TobjGridPoint* p) { Click(static_cast<int>(p->X + 512), static_cast<int>(p->Y + 384)); }
  void Key(int key) {
    WaitOutHold();
    Director->Input->KeyDown(key, 0);
    Director->Input->KeyUp(key, 0);
    Tick(2);
  }
  // Steps until every monster has shrunk away (or the limit).
  void UntilNoMonsters(int limit = 400) {
    for (int i = 0; i < limit && Objects()->TypeSize(otMonster) > 0; ++i) Tick();
  }
  // The game's own post, as the monster director or a button would send it.
  void GamePost(std::uint16_t code, std::intptr_t param = 0, std::int32_t value = 0) {
    Spy.PostEvent(pmQueued, ekGame, code, param, value);
    Tick();
  }
};
