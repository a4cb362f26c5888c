// Playing by keys alone through the real director: the board cursor, answers
// by Enter and Space (two in Define the Line, with the band), the pointer
// moving the cursor too, P pausing, F1 opening a mission level's help, and a
// whole arcade game from the main menu to the high-score table with no mouse.
#include <gtest/gtest.h>

#include "game/modAI.h"
#include "game/objCursor.h"
#include "gameFlowSupport.h"
#include "objects/objLabel.h"
#include "objects/sysFocus.h"
#include "render/modInput.h"

namespace {

class KeyboardPlay : public GameFlowTest {
 protected:
  TobjCursor& Cursor() { return *Game()->Cursor; }
  std::int32_t RangeOf() { return Game()->RangeY; }
  // The first monster that walks and can still be hit; null when none.
  TobjMonster* Walking() {
    for (TobjMonster* m : Monsters())
      if (!m->Dying && m->DrawnPixels == m->TargetPixels) return m;
    return nullptr;
  }
  // Arrows until the cursor is on the plane point (a bounded walk).
  void SteerTo(std::int32_t x, std::int32_t y) {
    for (int i = 0; i < 60 && (Cursor().PointX != x || Cursor().PointY != y); ++i)
      Key(Cursor().PointX < x   ? vkArrowRight
          : Cursor().PointX > x ? vkArrowLeft
          : Cursor().PointY < y ? vkArrowUp
                                : vkArrowDown);
    ASSERT_EQ(Cursor().PointX, x);
    ASSERT_EQ(Cursor().PointY, y);
  }
  void SteerToQuadrant(std::int32_t q) {
    for (int i = 0; i < 4 && Cursor().Quadrant != q; ++i) {
      const bool right = q == 1 || q == 4;
      const bool up = q == 1 || q == 2;
      const bool nowRight = Cursor().Quadrant == 1 || Cursor().Quadrant == 4;
      Key(right != nowRight ? (right ? vkArrowRight : vkArrowLeft) : (up ? vkArrowUp : vkArrowDown));
    }
    ASSERT_EQ(Cursor().Quadrant, q);
  }
  static std::int32_t QuadrantOfAnswer(const TobjMonster* m) {
    if (m->AnswerPoint.X > 0) return m->AnswerPoint.Y > 0 ? 1 : 4;
    return m->AnswerPoint.Y > 0 ? 2 : 3;
  }
};

TEST_F(KeyboardPlay, ArrowsWalkTheGridWithinItsRangeAndEnterAnswersThere) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Medium);
  PastFadeIn();
  NoSpawning();
  ForceSize(1);
  EXPECT_EQ(Cursor().PointX, 0);
  EXPECT_EQ(Cursor().PointY, 0);
  Res()->KeyboardPlay = false;  // as after a mouse click
  Tick();
  EXPECT_TRUE(Cursor().Ring->Visible) << "the ring shows from the first frame, for a mouse player too";
  EXPECT_DOUBLE_EQ(Cursor().Ring->X, Point(0, 0)->X) << "on the origin";

  // Past the edge of the grid the cursor stays on its last point.
  for (int i = 0; i < RangeOf() + 3; ++i) Key(vkArrowUp);
  EXPECT_EQ(Cursor().PointY, RangeOf());
  EXPECT_TRUE(Cursor().Ring->Visible);
  EXPECT_DOUBLE_EQ(Cursor().Ring->Y, Point(0, RangeOf())->Y) << "the ring sits on the point";
  EXPECT_DOUBLE_EQ(Cursor().Ring->X, Point(0, RangeOf())->X);

  TobjMonster* m = Monster(-200, -300);
  SteerTo(m->AnswerPoint.X, m->AnswerPoint.Y);
  Spy.Got.clear();
  Key(vkReturn);
  Tick(2);
  EXPECT_TRUE(Spy.Saw(ekGame, 18)) << "the monster is hit";
  EXPECT_GT(Res()->Score, 0);
  UntilNoMonsters();

  // Space answers too; a point nobody asked for is a miss.
  Spy.Got.clear();
  Key(vkSpace);
  Tick(2);
  EXPECT_TRUE(Spy.Saw(ekGame, 19));
}

TEST_F(KeyboardPlay, DefineTheLineTakesTwoAnswersAndTheBandFollowsTheCursorFromTheFirst) {
  OpenGame(GameKind::Arcade, GameType::DefineTheLine, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  ForceSize(1);
  TobjMonster* m = Monster(-200, -300);
  SteerTo(m->AnswerPoint.X, m->AnswerPoint.Y);
  Key(vkReturn);
  Tick(1);
  ASSERT_NE(Director->AI->FirstPoint, nullptr);
  EXPECT_EQ(Director->AI->FirstPoint, Point(m->AnswerPoint.X, m->AnswerPoint.Y));
  Spy.Got.clear();
  SteerTo(m->SecondPoint.X, m->SecondPoint.Y);
  EXPECT_NE(Director->AI->Band, nullptr) << "the band is drawn from the first point to the cursor";
  Key(vkReturn);
  Tick(2);
  EXPECT_TRUE(Spy.Saw(ekGame, 18));
}

TEST_F(KeyboardPlay, OnQuadrantTilesTheArrowsGoRoundTheQuadrantsAndThePointerMovesTheCursorToo) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  ForceSize(1);
  EXPECT_TRUE(Cursor().OnTiles);
  EXPECT_EQ(Cursor().Quadrant, 1);
  const std::int32_t route[][2] = {{vkArrowLeft, 2}, {vkArrowLeft, 2}, {vkArrowDown, 3}, {vkArrowRight, 4},
                                   {vkArrowDown, 4}, {vkArrowUp, 1}};
  for (const auto& step : route) {
    Key(step[0]);
    EXPECT_EQ(Cursor().Quadrant, step[1]);
  }
  // The pointer over quadrant III's tile takes the cursor there.
  const TobjGridPoint* three = Point(-1, -1, true);
  Move(static_cast<int>(three->X + 512), static_cast<int>(three->Y + 384));
  EXPECT_EQ(Cursor().Quadrant, 3);
  // Off the board it stays where it was.
  Move(20, 20);
  EXPECT_EQ(Cursor().Quadrant, 3);

  TobjMonster* m = Monster(-150, -250);
  SteerToQuadrant(QuadrantOfAnswer(m));
  Spy.Got.clear();
  Key(vkReturn);
  Tick(2);
  EXPECT_TRUE(Spy.Saw(ekGame, 18));
}

TEST_F(KeyboardPlay, PPausesAndResumesAndEscapeFromThePauseOpensTheMenu) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Medium);
  PastFadeIn();
  NoSpawning();
  TobjMonster* m = Monster(-200, -300);
  m->TopSpeed = 2;
  Tick(5);
  Key(vkP);
  ASSERT_TRUE(Res()->Paused);
  ASSERT_NE(Game()->PausePanel, nullptr);
  EXPECT_TRUE(Game()->PausePanel->Visible);
  EXPECT_EQ(Game()->PausePanel->Caption->Text, "PAUSED: PRESS P TO PLAY ON");
  const double x = m->X, y = m->Y;
  const std::int32_t cx = Cursor().PointX;
  Tick(60);
  Key(vkArrowRight);
  EXPECT_EQ(m->X, x) << "the monster stands still while paused";
  EXPECT_EQ(m->Y, y);
  EXPECT_EQ(Cursor().PointX, cx) << "the cursor stays while paused";
  Spy.Got.clear();
  Key(vkReturn);  // Enter plays on; it answers nothing
  EXPECT_FALSE(Spy.Saw(ekGame, 16));
  EXPECT_FALSE(Res()->Paused);
  EXPECT_FALSE(Game()->PausePanel->Visible);
  Tick(10);
  EXPECT_NE(m->X, x) << "the monster walks again";

  Key(vkP);
  Key(vkP);
  EXPECT_FALSE(Res()->Paused) << "P again plays on";

  Key(vkP);
  Key(vkEscape);
  Tick(20);
  EXPECT_NE(Screen(ssGameMenu), nullptr);
  EXPECT_TRUE(Res()->Paused) << "paused by the menu now";
  EXPECT_FALSE(Game()->KeyPaused);
  EXPECT_FALSE(Game()->PausePanel->Visible);
  Key(vkEscape);  // Escape in the menu goes back to the game
  Tick(30);
  EXPECT_EQ(Screen(ssGameMenu), nullptr);
  EXPECT_FALSE(Res()->Paused);
}

TEST_F(KeyboardPlay, F1OpensTheHelpOfAMissionLevelAndEnterClosesIt) {
  OpenGame(GameKind::Mission, GameType::WhatsThePoint, Difficulty::Medium);
  Tick(60);
  if (Screen(ssTutorial) != nullptr) {  // the level's own page opens first
    Key(vkReturn);
    Key(vkReturn);
    Tick(40);
  }
  ASSERT_EQ(Screen(ssTutorial), nullptr);
  Key(vkF1);
  Tick(20);
  ASSERT_NE(Screen(ssTutorial), nullptr);
  EXPECT_TRUE(Res()->Paused);
  Key(vkEscape);
  Tick(40);
  EXPECT_EQ(Screen(ssTutorial), nullptr);
  EXPECT_FALSE(Res()->Paused);
}

TEST_F(KeyboardPlay, AWholeArcadeGameFromTheMainMenuToTheHighScoresWithoutTheMouse) {
  Start();
  Key(vkReturn);  // past the loading screen
  Tick(40);
  ASSERT_NE(Screen(ssProfileCreate), nullptr);
  Type("Ada");
  Director->Input->KeyPress(13);
  Tick(40);
  ASSERT_NE(Screen(ssMainMenu), nullptr);
  TsysFocus& menu = *Screen(ssMainMenu)->Focus;
  EXPECT_TRUE(menu.RingShown()) << "keys were in use: the menu shows its focus at once";
  Key(vkArrowDown);
  Key(vkReturn);  // ARCADE, under TUTORIAL
  Tick(40);
  ASSERT_NE(Screen(ssArcade), nullptr);
  EXPECT_TRUE(Screen(ssArcade)->Focus->RingShown());
  Key(vkReturn);  // the first game mode
  Tick(40);
  ASSERT_NE(Game(), nullptr);
  EXPECT_EQ(Res()->GameType, GameType::QuickQuadrants);

  // Answer by keys until something scores.
  for (int i = 0; i < 4000 && Res()->Score == 0; ++i) {
    if (TobjMonster* m = Walking()) {
      SteerToQuadrant(QuadrantOfAnswer(m));
      Key(vkReturn);
    }
    Tick();
  }
  EXPECT_GT(Res()->Score, 0);

  Key(vkP);
  EXPECT_TRUE(Game()->KeyPaused);
  Key(vkP);
  EXPECT_FALSE(Res()->Paused);
  Key(vkEscape);
  Tick(20);
  ASSERT_NE(Screen(ssGameMenu), nullptr);
  EXPECT_TRUE(Screen(ssGameMenu)->Focus->RingShown());
  Key(vkEscape);
  Tick(30);
  EXPECT_EQ(Screen(ssGameMenu), nullptr);

  // The monsters walk in until the lives run out.
  for (int i = 0; i < 60000 && Screen(ssGameOver) == nullptr; ++i) Tick();
  ASSERT_NE(Screen(ssGameOver), nullptr);
  Tick(30);
  Key(vkReturn);  // HIGH SCORES, the first button of the end screen
  Tick(60);
  EXPECT_NE(Screen(ssScores), nullptr);
}

}  // namespace
