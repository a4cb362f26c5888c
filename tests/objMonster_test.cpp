// Monsters: hits and deaths, the shrink-and-requestion of Rozir Ivivuruda, the
// statuses of the power-ups, and what they report to the game screen.
#include <gtest/gtest.h>

#include "core/sysRandom.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "gameBoardSupport.h"

namespace {

class Monster : public ::testing::Test {
 protected:
  Monster() { RandomSeed(42); }
  TGameBoard Board;
};

TEST_F(Monster, AMediumQuadrantMonsterNeedsTwoClicksAndChangesItsQuestion) {
  Board.UseMission(GameType::QuickQuadrants, 3);  // all quadrants
  Board.Build();
  Board.ForceSize(2);
  TobjMonster* m = Board.SpawnGrown(-150, -250);
  ASSERT_EQ(m->DrawnPixels, 64);
  const TIntPoint first = m->AnswerPoint;
  const std::string firstQuestion = m->Question;

  Board.Click(Board.Tile(QuadrantOf(first.X, first.Y)));
  Board.Step();
  ASSERT_NE(Board.Screen.Last(ekGame, 18), nullptr);
  EXPECT_EQ(Board.Screen.Last(ekGame, 18)->Value, 2) << "the size before the hit";
  EXPECT_FALSE(m->Dying);
  EXPECT_EQ(m->Size, 1);
  EXPECT_EQ(m->TargetPixels, 48);
  EXPECT_FALSE(m->AnswerPoint.X == first.X && m->AnswerPoint.Y == first.Y) << "a different quadrant";
  EXPECT_NE(m->Question, firstQuestion);
  EXPECT_EQ(Board.Screen.Count(ekSound, 1), 0) << "no death groan yet";
  Board.Step(8);
  EXPECT_EQ(m->DrawnPixels, 48) << "shrinks by 2 a step";

  Board.Click(Board.Tile(QuadrantOf(m->AnswerPoint.X, m->AnswerPoint.Y)));
  Board.Step();
  EXPECT_TRUE(m->Dying);
  EXPECT_EQ(Board.Screen.Count(ekSound, 1), 1);
  EXPECT_EQ(Board.Screen.Last(ekGame, 18)->Value, 1);
}

TEST_F(Monster, WithASingleAllowedQuadrantAShrunkMonsterKeepsItsQuestion) {
  Board.UseMission(GameType::QuickQuadrants, 3);
  for (int i = 0; i < 5; ++i) Board.Res().Level.QuadrantAllowed[i] = i == 3;
  Board.ForceSize(3);
  TobjMonster* m = Board.Spawn(0, 0);
  ASSERT_EQ(m->Question, "(-X,-Y)");
  m->Hit(false);
  m->Hit(false);
  EXPECT_EQ(m->Size, 1);
  EXPECT_EQ(m->Question, "(-X,-Y)");
  EXPECT_FALSE(m->Dying);
}

TEST_F(Monster, AnEscapingMonsterHitAgainKeepsEscapingAndItsCry) {
  Board.UseMission(GameType::QuickQuadrants, 3);
  Board.ForceSize(3);
  TobjMonster* m = Board.Spawn(0, 0);
  m->Hit(true);
  const std::string cry = m->Question;
  EXPECT_TRUE(cry == "WOOHOO!" || cry == "YAAAY!" || cry == "WIENER!" || cry == "JAVOL!" || cry == "NI!") << cry;
  m->Hit(false);
  EXPECT_EQ(m->Size, 2);
  EXPECT_EQ(m->TargetPixels, 0);
  EXPECT_TRUE(m->Escaped);
  EXPECT_EQ(m->Question, cry) << "no new question on a monster that can no longer be answered";
}

TEST_F(Monster, GrowsInShrinksAwayAndReportsItsEndOnce) {
  Board.UseMission(GameType::WhatsThePoint, 3);
  TobjMonster* m = Board.Spawn(-200, -300);
  m->TopSpeed = 0;
  Board.Step(46);
  EXPECT_EQ(m->DrawnPixels, 47) << "one pixel a step from 1";
  EXPECT_EQ(m->Label->Scale, 1) << "the question is full size while the body grows";
  Board.Step();
  EXPECT_EQ(m->DrawnPixels, 48);
  EXPECT_EQ(m->Label->Scale, 1);
  EXPECT_EQ(m->MainItem->Width, 48);
  EXPECT_EQ(m->MainItem->RelX, -24);

  m->Hit(false);
  const std::string cry = m->Question;
  EXPECT_TRUE(cry == "AAARGH!" || cry == "CURSES!" || cry == "NOOOOO!" || cry == "OW." || cry == "BAH!") << cry;
  EXPECT_EQ(Board.Screen.Count(ekSound, 1), 1);
  Board.Screen.DeleteDone = false;
  Board.Step(23);
  EXPECT_EQ(Board.Screen.Count(ekGame, 17), 0);
  Board.Step();
  ASSERT_EQ(Board.Screen.Count(ekGame, 17), 1) << "gone after 24 steps of 2 pixels";
  EXPECT_EQ(Board.Screen.Last(ekGame, 17)->Param, m->Index);
  EXPECT_EQ(Board.Screen.Last(ekGame, 17)->Value, 1) << "answered";
  Board.Step(10);
  EXPECT_EQ(Board.Screen.Count(ekGame, 17), 1);
  EXPECT_EQ(Board.Screen.Count(ekGame, 21), 0) << "no life lost";
}

TEST_F(Monster, StopThenHalveKeepsHalfOfTheSpeedFromBeforeTheStop) {
  Board.UseMission(GameType::WhatsThePoint, 3);
  TobjMonster* m = Board.Spawn(0, 0);
  ASSERT_DOUBLE_EQ(m->TopSpeed, 0.4);
  m->Stop(240);
  EXPECT_EQ(m->TopSpeed, 0);
  EXPECT_EQ(m->Status, TobjMonster::StatusStopped);
  EXPECT_TRUE(m->StatusPicture->Visible);
  Board.Step(100);
  m->Halve(360);
  EXPECT_DOUBLE_EQ(m->TopSpeed, 0.2);
  EXPECT_EQ(m->StatusTime, 360) << "a new status restarts the clock";
  Board.Step(350);
  EXPECT_EQ(m->StatusPicture->Alpha, 255);
  Board.Step();
  EXPECT_EQ(m->StatusPicture->Alpha, 230) << "fades over the last 10 steps";
  Board.Step(9);
  EXPECT_EQ(m->Status, 0);
  EXPECT_DOUBLE_EQ(m->TopSpeed, 0.4);
  EXPECT_FALSE(m->StatusPicture->Visible);

  // Halved, then stopped: the speed from before both comes back.
  m->Halve(100);
  m->Stop(50);
  EXPECT_EQ(m->TopSpeed, 0);
  Board.Step(50);
  EXPECT_DOUBLE_EQ(m->TopSpeed, 0.4);

  // Paused, the clock stands still.
  m->Halve(20);
  Board.Res().Paused = true;
  Board.Step(30);
  EXPECT_EQ(m->StatusTime, 20);
}

TEST_F(Monster, AllSizeWeightsZeroIsReportedNotGuessed) {
  Board.UseMission(GameType::WhatsThePoint, 3);
  for (auto& w : Board.Res().Level.SizeWeights[Difficulty::Medium]) w = 0;
  TMessageCatcher messages;
  TobjMonster* m = Board.Spawn(0, 0);
  EXPECT_EQ(m->Size, 0);
  ASSERT_EQ(messages.Messages.size(), 1u);
  EXPECT_EQ(messages.Messages[0].second, "Invalid Monster Size: 0");
}

TEST_F(Monster, ColoursFollowTheAnswerQuadrantInVoverUdaZerir) {
  Board.UseMission(GameType::WhatsThePoint, 3);  // colours 5,1,3,0,2
  for (int i = 0; i < 40; ++i) {
    TobjMonster* m = Board.Spawn(0, 0);
    const std::uint32_t expected[5] = {0x40FFFF, 0x40FF40, 0xFFFF40, 0xFF4040, 0x4040FF};
    EXPECT_EQ(m->MainItem->Color, expected[QuadrantOf(m->AnswerPoint.X, m->AnswerPoint.Y)]) << m->Question;
  }
}

// A monster whose question has no quadrant of its own never wears a quadrant's
// colour: in the quadrant game it would give the answer away, in the line game
// it would name a quadrant that has nothing to do with the line.
TEST_F(Monster, OtherGamesNeverDressAMonsterInAQuadrantColour) {
  for (std::int32_t type : {GameType::QuickQuadrants, GameType::DefineTheLine})
    for (std::int32_t level = 1; level <= 5; ++level) {
      Board.UseMission(type, level);
      for (int i = 0; i < 30; ++i) {
        TobjMonster* m = Board.Spawn(0, 0);
        for (std::int32_t q = 1; q <= 4; ++q)
          EXPECT_NE(m->MainItem->Color, LightenColour(64, QuadrantColour(q))) << type << "/" << level << " " << q;
      }
    }
}

}  // namespace

namespace {

TEST_F(Monster, WithLargerQuestionsTheLabelUsesTheBiggerFontAndItsPlateGrowsWithIt) {
  Board.UseMission(GameType::WhatsThePoint, 5);
  Board.Res().Options.LargeLabels = 1;
  TobjMonster* large = Board.Spawn(0, 0);
  Board.Res().Options.LargeLabels = 0;
  TobjMonster* usual = Board.Spawn(0, 0);
  EXPECT_EQ(usual->Label->FontSize, 10) << "the default size stays";
  EXPECT_EQ(usual->LabelW, TobjMonster::LabelWidth);
  EXPECT_EQ(large->Label->FontSize, 14);
  EXPECT_GT(large->LabelW, TobjMonster::LabelWidth);
  EXPECT_GT(large->LabelH, TobjMonster::LabelHeight);
  // The longest question, "(-10+15,-10+15)", fits the larger label with its plate's padding.
  EXPECT_LE(15 * FontMetrics(14).CharWidth + 6, large->LabelW);
  for (const TobjMonster* m : {large, usual}) {
    const auto text = static_cast<std::int32_t>(m->Question.size()) * FontMetrics(m->Label->FontSize).CharWidth;
    EXPECT_GE(m->LabelPlate->Width, text) << m->Question << ": the plate covers the question";
    EXPECT_LT(m->LabelPlate->Width, text + 12) << m->Question;
  }
}

}  // namespace
