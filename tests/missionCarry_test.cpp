// The score and kills a mission level starts from: each game type carries its
// own from level to level, in the same run and after the program starts again,
// and a game of another mode or kind never lends it its numbers.
#include <gtest/gtest.h>

#include "game/libMissions.h"
#include "gameFlowSupport.h"

namespace {

class MissionCarry : public GameFlowTest {
 protected:
  // The level being played ends won with these numbers, as the game leaves it.
  void LevelWon(std::int32_t score, std::int32_t kills) {
    Res()->Score = score;
    Res()->TotalKills = kills;
    Res()->LevelKills = 0;
    Res()->GameOver = true;
    Spy.PostEvent(pmQueued, ekScreen, sidGameOver, 0, 0);
    Tick(20);
  }
  // Out of the end panel and back to the missions screen.
  void LeaveToMissions() {
    Spy.PostEvent(pmQueued, ekForm, sidGameOver, sidMissions, 7);
    Tick(40);
  }
  void RestartProgram() {
    Director.reset();
    Start();
    PassLoading();
  }
};

TEST_F(MissionCarry, EachModeStartsFromItsOwnNumbersInOneRunAndAfterARestart) {
  OpenGame(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Medium);
  PastFadeIn();
  CloseHelp();
  ASSERT_EQ(Res()->LevelNumber, 1);
  LevelWon(1000, 10);
  ASSERT_NE(Screen(ssGameOver), nullptr);
  LeaveToMissions();
  ASSERT_NE(Screen(ssMissions), nullptr);

  // Level 1 of another mode starts from nothing, and its end saves its own numbers.
  OpenGame(GameKind::Mission, GameType::WhatsThePoint, Difficulty::Medium);
  PastFadeIn();
  CloseHelp();
  EXPECT_EQ(Res()->LevelNumber, 1);
  EXPECT_EQ(Res()->Score, 0);
  EXPECT_EQ(Res()->TotalKills, 0);
  LevelWon(300, 10);
  LeaveToMissions();
  const TProfileRecord profile = Res()->GetActiveProfile();
  EXPECT_EQ(profile.MissionProgress[0].MissionScore, 1000);
  EXPECT_EQ(profile.MissionProgress[1].MissionScore, 300);
  EXPECT_EQ(profile.MissionProgress[1].MissionKills, 10);

  // An arcade game in between lends nothing either.
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Medium);
  PastFadeIn();
  Res()->Score = 5100;
  OpenGame(GameKind::Mission, GameType::DefineTheLine, Difficulty::Medium);
  PastFadeIn();
  CloseHelp();
  EXPECT_EQ(Res()->Score, 0);

  // After a restart each mode resumes at its next level with its saved numbers.
  RestartProgram();
  OpenGame(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Medium);
  PastFadeIn();
  CloseHelp();
  EXPECT_EQ(Res()->LevelNumber, 2);
  EXPECT_EQ(Res()->Score, 1000);
  EXPECT_EQ(Res()->TotalKills, 10);
  // Trying the level again goes back to the numbers it started from.
  Res()->Score = 1400;
  Res()->TotalKills = 14;
  Res()->Lives = 0;
  GamePost(38);
  EXPECT_EQ(Res()->Score, 1000);
  EXPECT_EQ(Res()->TotalKills, 10);
}

TEST_F(MissionCarry, CarriedPointsAwardNoPowerUpsOfTheirOwn) {
  CreateFirstProfile("Ada");
  TProfileRecord profile = Res()->GetActiveProfile();
  // Level 4 of Rozir Ivivuruda awards a power-up every 250 points.
  profile.MissionProgress[0] = {3, 1000, 30};
  Res()->SetActiveProfile(profile);
  OpenGame(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Medium);
  NoSpawning();
  PastFadeIn();
  CloseHelp();
  Tick(30);
  ASSERT_EQ(Res()->LevelNumber, 4);
  EXPECT_EQ(Res()->Score, 1000);
  EXPECT_EQ(Game()->PowerUpButtons.size(), 1u) << "the one a level starts with";
  // Points earned in the level still pay out.
  Res()->Score = 1260;
  Game()->UpdateHud();
  EXPECT_EQ(Game()->PowerUpButtons.size(), 2u);
}

TEST(MissionCarryOf, StartsTheNextLevelFromTheSavedNumbersAndEverythingElseFromNothing) {
  TProfileRecord profile;
  profile.MissionProgress[1] = {2, 1800, 20};
  EXPECT_EQ(MissionCarryOf(profile, 2, 2).Score, 1800);
  EXPECT_EQ(MissionCarryOf(profile, 2, 2).Kills, 20);
  EXPECT_EQ(MissionCarryOf(profile, 2, 0).Score, 0) << "level 1";
  EXPECT_EQ(MissionCarryOf(profile, 2, 1).Score, 0) << "a replay: the saved numbers are of a later level";
  EXPECT_EQ(MissionCarryOf(profile, 1, 0).Score, 0) << "another mode";
  EXPECT_EQ(MissionCarryOf(profile, 4, 2).Score, 0);
  profile.MissionProgress[1].MissionScore = -5;
  EXPECT_EQ(MissionCarryOf(profile, 2, 2).Score, 0);

  // A replay keeps the levels reached and the numbers of the furthest level.
  RecordMissionLevel(profile, 2, 1, 400, 10);
  EXPECT_EQ(profile.MissionProgress[1].LevelsDone, 2);
  EXPECT_EQ(profile.MissionProgress[1].MissionKills, 20);
  RecordMissionLevel(profile, 2, 3, 2600, 30);
  EXPECT_EQ(profile.MissionProgress[1].LevelsDone, 3);
  EXPECT_EQ(profile.MissionProgress[1].MissionScore, 2600);
  EXPECT_EQ(profile.MissionProgress[1].MissionKills, 30);
  EXPECT_EQ(profile.MissionProgress[0].MissionScore, 0);
}

}  // namespace
