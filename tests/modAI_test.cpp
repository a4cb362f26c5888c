// The monster director on a real bus: clicks arrive as input events at the grid
// points, verdicts leave as game events to a stand-in for the game screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "core/sysRandom.h"
#include "tables/defLevels.h"
#include "game/objEffect.h"
#include "gameBoardSupport.h"

namespace {

class MonsterDirector : public ::testing::Test {
 protected:
  MonsterDirector() { RandomSeed(1234); }
  // Runs the step that brings the director's verdict to the game screen.
  void Settle() { Board.Step(); }
  int Verdicts() const {
    return Board.Screen.Count(ekGame, 18) + Board.Screen.Count(ekGame, 19) + Board.Screen.Count(ekGame, 20);
  }
  std::vector<TobjEffect*> Effects() const {
    std::vector<TobjEffect*> list;
    for (std::int32_t i = 0; i < Board.CountOf(otEffect); ++i)
      list.push_back(static_cast<TobjEffect*>(Board.Objects()->TypeObject(otEffect, i)));
    return list;
  }
  TGameBoard Board;
};

TEST_F(MonsterDirector, OneClickKillsEveryMonsterWithThatAnswer) {
  Board.UseMission(GameType::WhatsThePoint, 5);  // R = 5, all sizes
  Board.Build();
  // Grown, so that they are still there to look at while they shrink away.
  TobjMonster* a = Board.SpawnGrown(-150, -300);
  Board.ForceSize(3);
  TobjMonster* b = Board.SpawnGrown(400, 300);
  TobjMonster* other = Board.SpawnGrown(-200, 300);
  a->AnswerPoint = {2, -1};
  b->AnswerPoint = {2, -1};
  other->AnswerPoint = {-2, 1};
  const std::int32_t sum = a->Size + b->Size;

  Board.Click(Board.Point(2, -1));
  Settle();
  const TGameEvent* verdict = Board.Screen.Last(ekGame, 20);
  ASSERT_NE(verdict, nullptr);
  EXPECT_EQ(verdict->Param, 2);
  EXPECT_EQ(verdict->Value, sum);
  EXPECT_EQ(Verdicts(), 1);
  EXPECT_TRUE(a->Dying && b->Dying);
  EXPECT_FALSE(other->Dying);
  EXPECT_EQ(Board.Screen.Count(ekSound, 5), 1) << "one kill sound for the click";
  EXPECT_EQ(Board.CountOf(otEffect), 3) << "a zap to each monster and the mark where the click was";
  EXPECT_EQ(Board.CountOf(otSpark), 2) << "a burst at each monster";

  // A single match is code 18 with the monster's size.
  Board.Click(Board.Point(-2, 1));
  Settle();
  ASSERT_NE(Board.Screen.Last(ekGame, 18), nullptr);
  EXPECT_EQ(Board.Screen.Last(ekGame, 18)->Value, other->Size);
}

TEST_F(MonsterDirector, APointOnlyADyingMonsterMatchesIsAMissThatStillZaps) {
  Board.UseMission(GameType::WhatsThePoint, 3);
  Board.Build();
  TobjMonster* m = Board.SpawnGrown(-100, 200);
  m->AnswerPoint = {1, 1};
  m->Hit(false);
  ASSERT_TRUE(m->Dying);
  const int kills = Board.Screen.Count(ekSound, 5);

  Board.Click(Board.Point(1, 1));
  Settle();
  ASSERT_NE(Board.Screen.Last(ekGame, 19), nullptr);
  EXPECT_EQ(Board.Screen.Last(ekGame, 19)->Value, m->Size) << "the sizes of what was matched";
  EXPECT_EQ(Verdicts(), 1);
  EXPECT_EQ(Board.CountOf(otEffect), 2) << "zapped again, and the miss marked";
  EXPECT_EQ(Board.Screen.Count(ekSound, 5), kills) << "no kill sound for a miss";

  // A point nobody answers is a miss of value 0.
  Board.Click(Board.Point(-2, -2));
  Settle();
  EXPECT_EQ(Board.Screen.Count(ekGame, 19), 2);
  EXPECT_EQ(Board.Screen.Last(ekGame, 19)->Value, 0);
}

TEST_F(MonsterDirector, ClicksOnInactivePointsAndOnPointsGoneSinceAreIgnored) {
  Board.UseMission(GameType::WhatsThePoint, 1);  // quadrants 1 and 3 only
  Board.Build();
  TobjMonster* m = Board.Spawn(-100, 200);
  m->AnswerPoint = {-1, 1};
  Board.Click(Board.Point(-1, 1));  // quadrant 2: not in this level
  Settle();
  EXPECT_EQ(Verdicts(), 0);
  EXPECT_FALSE(m->Dying);

  // A click reported by a point that is deleted before the director sees it.
  TobjGridPoint* p = Board.Point(1, 1);
  Board.Input.PostEvent(pmQueued, ekGame, 16, reinterpret_cast<std::intptr_t>(p), 0);
  Board.Objects()->DeleteObject(p->Index);
  Settle();
  EXPECT_EQ(Verdicts(), 0);
}

class LineSelection : public MonsterDirector {
 protected:
  LineSelection() {
    Board.UseMission(GameType::DefineTheLine, 4);  // R = 3
    Board.Build();
  }
};

TEST_F(LineSelection, TwoPointsOnTheLineKillItsMonster) {
  TobjMonster* m = Board.SpawnGrown(-150, -250);
  TGameBoard::GiveLine(m, {0, 1}, {1, 3});  // y=2x+1
  TobjMonster* other = Board.SpawnGrown(400, 250);
  TGameBoard::GiveLine(other, {0, 0}, {1, 1});

  Board.Click(Board.Point(-1, -1));
  ASSERT_EQ(Board.AI.FirstPoint, Board.Point(-1, -1));
  EXPECT_TRUE(Board.Point(-1, -1)->Selected);
  Board.Click(Board.Point(1, 3));
  Settle();
  ASSERT_NE(Board.Screen.Last(ekGame, 18), nullptr);
  EXPECT_EQ(Board.Screen.Last(ekGame, 18)->Value, m->Size);
  EXPECT_TRUE(m->Dying);
  EXPECT_FALSE(other->Dying);
  EXPECT_FALSE(Board.Point(-1, -1)->Selected || Board.Point(1, 3)->Selected);
  EXPECT_EQ(Board.AI.FirstPoint, nullptr);
  // Two zaps for the monster, and the band fading away.
  int zaps = 0;
  for (TobjEffect* e : Effects()) zaps += e->Kind == TobjEffect::ekZap;
  EXPECT_EQ(zaps, 2);

  // Two points off every line: a miss, after the kill sound that every line plays.
  const int sounds = Board.Screen.Count(ekSound, 5);
  Board.Click(Board.Point(-3, 2));
  Board.Click(Board.Point(2, -3));
  Settle();
  EXPECT_EQ(Board.Screen.Count(ekGame, 19), 1);
  EXPECT_EQ(Board.Screen.Count(ekSound, 5), sounds + 1);
}

TEST_F(LineSelection, AVerticalLineIsAnsweredByAnyTwoPointsWithItsX) {
  TobjMonster* m = Board.SpawnGrown(-150, -250);
  TGameBoard::GiveLine(m, {2, 0}, {2, 1});
  ASSERT_EQ(m->Question, "x=2");
  TobjMonster* elsewhere = Board.Spawn(400, 250);
  TGameBoard::GiveLine(elsewhere, {-1, 0}, {-1, 1});
  Board.Click(Board.Point(2, -3));
  Board.Click(Board.Point(2, 2));
  Settle();
  EXPECT_TRUE(m->Dying);
  EXPECT_FALSE(elsewhere->Dying);
  EXPECT_EQ(Board.Screen.Count(ekGame, 18), 1);
}

TEST_F(LineSelection, ADyingMonsterIsZappedAgainButEarnsNoKill) {
  TobjMonster* m = Board.SpawnGrown(-150, -250);
  TGameBoard::GiveLine(m, {0, 0}, {1, 1});
  m->Hit(true);  // reached the origin: a life is lost for it
  Board.Click(Board.Point(-2, -2));
  Board.Click(Board.Point(3, 3));
  Settle();
  EXPECT_EQ(Board.Screen.Count(ekGame, 18), 0);
  EXPECT_EQ(Board.Screen.Count(ekGame, 19), 1);
  EXPECT_TRUE(m->Escaped) << "still escaping";
}

TEST_F(LineSelection, TheSameFirstPointTwiceOrARightClickCancels) {
  TobjMonster* m = Board.Spawn(-150, -250);
  TGameBoard::GiveLine(m, {0, 1}, {1, 3});
  TobjGridPoint* a = Board.Point(0, 1);

  Board.Click(a);
  ASSERT_EQ(Board.CountOf(otEffect), 1) << "the band";
  TobjEffect* band = Board.AI.Band;
  ASSERT_NE(band, nullptr);
  EXPECT_FALSE(band->Visible) << "hidden until the pointer goes over another point";
  Board.MoveTo(Board.Point(1, 3)->X + 512, Board.Point(1, 3)->Y + 384);
  Board.Step();
  EXPECT_TRUE(band->Visible);
  EXPECT_EQ(band->Kind, TobjEffect::ekLine);
  // A 6-pixel band from the first point to the one under the pointer (a
  // pixel past it at each end).
  TPointD c0;
  TPointD c3;
  band->Main->GetCorner(0, c0);
  band->Main->GetCorner(3, c3);
  EXPECT_NEAR(std::hypot(c0.X - c3.X, c0.Y - c3.Y), 6.0, 1e-9);
  EXPECT_NEAR(std::hypot((c0.X + c3.X) / 2 - a->X, (c0.Y + c3.Y) / 2 - a->Y), 1.0, 1e-9);

  Board.Click(a);
  Settle();
  EXPECT_EQ(Verdicts(), 0);
  EXPECT_FALSE(m->Dying);
  EXPECT_FALSE(a->Selected);
  EXPECT_EQ(Board.AI.FirstPoint, nullptr);
  EXPECT_EQ(Board.AI.Band, nullptr);
  EXPECT_TRUE(band->Fading);
  Board.Step(30);
  EXPECT_EQ(Board.CountOf(otEffect), 0) << "the faded band is gone";

  Board.Click(a);
  ASSERT_EQ(Board.AI.FirstPoint, a);
  Board.RightRelease(700, 300);
  EXPECT_EQ(Board.AI.FirstPoint, nullptr);
  EXPECT_FALSE(a->Selected);
  // A band the pointer never stretched fades out and goes all the same.
  Board.Step(30);
  EXPECT_EQ(Board.CountOf(otEffect), 0);
  Board.Click(Board.Point(1, 3));
  Settle();
  EXPECT_EQ(Verdicts(), 0) << "the right click forgot the first point";
}

TEST_F(LineSelection, ABoardClearedWhileTheGameIsStoppedDropsTheSelection) {
  Board.Click(Board.Point(0, 1));
  ASSERT_NE(Board.AI.FirstPoint, nullptr);
  Board.Res().GameOver = true;
  Board.Post(ekGame, 48);
  Board.Step();
  EXPECT_EQ(Board.AI.FirstPoint, nullptr);
  EXPECT_EQ(Board.AI.Band, nullptr);
}

// ------------------------------------------------------------- walking

class Walking : public MonsterDirector {
 protected:
  Walking() {
    Board.UseMission(GameType::WhatsThePoint, 3);  // speed 0.4, size 1 (48 pixels)
    Board.Build();
  }
};

TEST_F(Walking, GrownMonstersWalkToTheOriginAndEscapeThere) {
  TobjMonster* m = Board.Spawn(-150, 0);
  const double start = m->X;
  Board.Step(10);
  EXPECT_EQ(m->X, start) << "a growing monster does not walk";
  m = Board.SpawnGrown(100, 0);
  Board.Step();
  EXPECT_GT(m->X, 100);
  EXPECT_LE(m->X - 100, 0.4 + 1e-9) << "no faster than its top speed";
  for (int i = 0; i < 200 && !m->Dying; ++i) Board.Step();
  ASSERT_TRUE(m->Escaped);
  EXPECT_GE(m->X, 121);
  EXPECT_LT(m->X, 121 + 0.4) << "escapes at its first step within 7 pixels of the origin";
  EXPECT_EQ(Board.Screen.Count(ekSound, 2), 1);
  Board.Step(30);
  EXPECT_EQ(Board.Screen.Count(ekGame, 21), 1) << "a life is lost";
  ASSERT_NE(Board.Screen.Last(ekGame, 17), nullptr);
  EXPECT_EQ(Board.Screen.Last(ekGame, 17)->Value, 0);
}

TEST_F(Walking, TheFartherOfTwoCrowdedMonstersWaits) {
  TobjMonster* near = Board.SpawnGrown(-50, 0);
  TobjMonster* far = Board.SpawnGrown(-97, 0);
  near->X = -50;
  near->Y = 0;
  near->Velocity = {0.4, 0};
  far->Velocity = {0.4, 0};
  Board.Step();
  EXPECT_EQ(far->X, -97) << "its step lands in its neighbour's box";
  EXPECT_EQ(far->Velocity.X, 0);
  EXPECT_GT(near->X, -50);
  // Once the nearer one has walked out of reach the other follows.
  for (int i = 0; i < 60; ++i) Board.Step();
  EXPECT_GT(far->X, -97);
}

TEST_F(Walking, APushedMonsterDoesNotWalkUntilThePushHasDied) {
  TobjMonster* m = Board.SpawnGrown(-100, 0);
  m->Push = {-1, 0};
  double x = m->X;
  int pushed = 0;
  for (;;) {
    Board.Step();
    if (m->Push.X == 0 && m->Push.Y == 0) break;
    EXPECT_NEAR(m->X - x, m->Push.X, 1e-12) << "carried by the push alone, step " << pushed;
    x = m->X;
    ASSERT_LT(++pushed, 20);
  }
  EXPECT_GE(pushed, 9) << "0.1 pixel less push every step";
  EXPECT_GT(m->X, x) << "walking again once the push is gone";

  // A push into the edge of the play area stops at the edge and is dropped.
  m->X = -230;
  m->Push = {-8, 0};
  Board.Step();
  EXPECT_EQ(m->X, 24 - 256);
  EXPECT_EQ(m->Push.X, 0);
}

TEST_F(Walking, NothingMovesWhileTheGameIsPausedOrStopped) {
  TobjMonster* m = Board.SpawnGrown(-100, 50);
  m->AnswerPoint = {1, 1};
  Board.Res().Paused = true;
  Board.Step(20);
  EXPECT_EQ(m->X, -100);
  Board.Click(Board.Point(1, 1));
  Settle();
  Board.Post(ekGame, 40);
  Board.Step();
  EXPECT_EQ(Verdicts(), 0);
  EXPECT_FALSE(m->Dying);
  Board.Res().Paused = false;
  Board.Res().GameOver = true;
  Board.Step(20);
  EXPECT_EQ(m->X, -100);
}

// ------------------------------------------------------------- powers

TEST_F(MonsterDirector, TheDoomDeviceHitsUntilEveryMonsterDies) {
  Board.UseMission(GameType::QuickQuadrants, 3);
  Board.Build();
  Board.ForceSize(3);
  TobjMonster* large = Board.SpawnGrown(-150, -250);
  Board.ForceSize(1);
  TobjMonster* small = Board.SpawnGrown(400, 250);
  Board.Post(ekGame, 40);
  Settle();
  // A large monster of Rozir Ivivuruda takes three hits, each counted.
  const TGameEvent* verdict = Board.Screen.Last(ekGame, 20);
  ASSERT_NE(verdict, nullptr);
  EXPECT_EQ(verdict->Param, 4);
  EXPECT_EQ(verdict->Value, 4);
  EXPECT_TRUE(large->Dying && small->Dying);
  EXPECT_TRUE(large->KilledByPower && small->KilledByPower);
  std::multiset<std::int32_t> lives;
  for (TobjEffect* e : Effects()) lives.insert(e->Life);
  EXPECT_EQ(lives, (std::multiset<std::int32_t>{20, 20, 20, 30})) << "size * 10 + 10 after each hit";
  EXPECT_EQ(Board.Screen.Count(ekSound, 8), 1);
  EXPECT_EQ(Board.Screen.Last(ekSound, 8)->Param, 2);

  // With one monster left it is code 18 of value 1; with none, nothing.
  Board.Step(60);
  Board.Spawn(0, 0);
  Board.Post(ekGame, 40);
  Settle();
  ASSERT_NE(Board.Screen.Last(ekGame, 18), nullptr);
  EXPECT_EQ(Board.Screen.Last(ekGame, 18)->Value, 1);
  Board.Step(60);
  Board.Screen.Clear();
  Board.Post(ekGame, 40);
  Settle();
  EXPECT_EQ(Verdicts(), 0);
}

TEST_F(MonsterDirector, QuadrantBlitzHitsTheMonstersOfOneQuadrantFromTheirPoints) {
  Board.UseMission(GameType::WhatsThePoint, 3);  // R = 2
  Board.Build();
  TobjMonster* in1 = Board.SpawnGrown(-150, -250);
  TobjMonster* alsoIn1 = Board.SpawnGrown(300, -250);
  TobjMonster* in2 = Board.SpawnGrown(-150, 250);
  TobjMonster* onAxis = Board.SpawnGrown(300, 250);
  in1->AnswerPoint = {1, 1};
  alsoIn1->AnswerPoint = {2, 1};
  in2->AnswerPoint = {-1, 1};
  onAxis->AnswerPoint = {0, 2};
  Board.Post(ekGame, 41, 1);
  Settle();
  ASSERT_NE(Board.Screen.Last(ekGame, 20), nullptr);
  EXPECT_EQ(Board.Screen.Last(ekGame, 20)->Param, 2);
  EXPECT_TRUE(in1->Dying && alsoIn1->Dying && in1->KilledByPower);
  EXPECT_FALSE(in2->Dying || onAxis->Dying);
  // One zap each, from the grid point of its answer.
  ASSERT_EQ(Board.CountOf(otEffect), 2);
  TPointD from;
  Effects()[0]->Main->GetCorner(1, from);
  TPointD to;
  Effects()[0]->Main->GetCorner(2, to);
  EXPECT_NEAR((from.X + to.X) / 2, Board.Point(1, 1)->X, 1e-9);

  Board.Screen.Clear();
  Board.Post(ekGame, 41, 3);
  Settle();
  EXPECT_EQ(Verdicts(), 0) << "an empty quadrant: nothing";
  Board.Post(ekGame, 41, 0);
  Settle();
  EXPECT_TRUE(onAxis->Dying);
  EXPECT_EQ(Board.Screen.Last(ekGame, 18)->Value, 1);
}

TEST_F(MonsterDirector, AMonsterTheBlitzOnlyShrankStillChargesTheDoomDevice) {
  Board.UseMission(GameType::QuickQuadrants, 3);
  Board.Build();
  Board.ForceSize(2);
  TobjMonster* m = Board.Spawn(-150, -250);
  const std::int32_t quadrant = QuadrantOf(m->AnswerPoint.X, m->AnswerPoint.Y);
  Board.Post(ekGame, 41, quadrant);
  Settle();
  EXPECT_EQ(Board.Screen.Last(ekGame, 18)->Value, 1);
  EXPECT_FALSE(m->Dying);
  EXPECT_EQ(m->Size, 1);
  EXPECT_NE(QuadrantOf(m->AnswerPoint.X, m->AnswerPoint.Y), quadrant) << "a new question elsewhere";
  EXPECT_FALSE(m->KilledByPower);
}

}  // namespace
