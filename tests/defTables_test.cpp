#include <gtest/gtest.h>

#include <string>

#include "tables/defChallenges.h"
#include "tables/defLevels.h"
#include "tables/defTitles.h"

namespace {

TEST(MissionLevels, RowsRunByGameTypeThenLevelWithTheLastLevelMarkedMinusOne) {
  const char* prefixes[3] = {"Rozir Ivivuruda - Level ", "Vove'r uda Zerir? - Level ", "Define the Line - Level "};
  for (std::int32_t type = 1; type <= 3; ++type)
    for (std::int32_t level = 1; level <= 5; ++level) {
      const TLevel* row = MissionLevel(type, level);
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(row->Name, prefixes[type - 1] + std::to_string(level));
      EXPECT_EQ(row->GameType, type);
      EXPECT_EQ(row->LevelIndex, level == 5 ? -1 : level);
    }
  EXPECT_EQ(MissionLevel(0, 1), nullptr);
  EXPECT_EQ(MissionLevel(1, 6), nullptr);
  EXPECT_EQ(MissionLevel(4, 1), nullptr);
}

TEST(MissionLevels, OnlyTheMediumEntriesArePlayable) {
  for (const TLevel& row : MissionLevels) {
    SCOPED_TRACE(row.Name);
    EXPECT_GT(row.SpawnInterval[Difficulty::Medium], 0);
    EXPECT_GT(row.BaseSpeed[Difficulty::Medium], 0);
    EXPECT_GT(row.KillsPerLevel[Difficulty::Medium], 0);
    for (std::int32_t d : {Difficulty::Easy, Difficulty::Hard, Difficulty::Crazy}) {
      EXPECT_EQ(row.SpawnInterval[d], 0);
      EXPECT_EQ(row.GridRange[d], 0);
      EXPECT_EQ(row.BaseSpeed[d], 0);
    }
    for (double spread : row.SpeedSpread) EXPECT_EQ(spread, 0);
    EXPECT_FALSE(row.PowerUpAllowed[1]) << "row 1 is never offered";
    EXPECT_FALSE(row.PowerUpAllowed[7]);
  }
  EXPECT_EQ(MissionLevel(2, 4)->PowerUpScoreStep[Difficulty::Easy], 1);
  EXPECT_EQ(MissionLevel(1, 1)->BasicComboMin, 50);
  EXPECT_EQ(MissionLevel(1, 2)->BasicComboMin, 5);
}

TEST(ArcadeLevels, StartAndStepRowsCarryTheGameTypeName) {
  for (std::int32_t type = 1; type <= 3; ++type) {
    for (const TLevel* row : {&ArcadeStartLevels[type - 1], &ArcadeLevelSteps[type - 1]}) {
      EXPECT_EQ(row->Name, GameTypeName(type));
      EXPECT_EQ(row->GameType, type);
      EXPECT_EQ(row->LevelIndex, -1);
      for (bool allowed : row->QuadrantAllowed) EXPECT_TRUE(allowed);
      for (int d = 0; d < 4; ++d) {
        EXPECT_LT(ArcadeLevelSteps[type - 1].SpawnInterval[d], 0) << "levels speed up";
        EXPECT_GT(ArcadeStartLevels[type - 1].SpawnInterval[d], 0);
      }
    }
  }
  EXPECT_EQ(ArcadeLevelSteps[0].MaxMonsters[Difficulty::Medium], 0.05);
}

TEST(Challenges, EveryRowKeepsOneGameTypeGoalAndTimeLimitAcrossDifficulties) {
  for (const TChallenge& c : Challenges)
    for (int d = 1; d < 4; ++d) {
      EXPECT_EQ(c.GameType[d], c.GameType[0]);
      EXPECT_EQ(c.Goal[d], c.Goal[0]);
      EXPECT_EQ(c.TimeLimit[d], c.TimeLimit[0]);
      EXPECT_GT(c.Target[d], c.Target[d - 1]) << "harder difficulties ask for more";
    }
  for (const TChallenge& c : Challenges)
    EXPECT_EQ(c.TimeLimit[0] != 0, c.Goal[0] == ChallengeGoal::BeatTheClock) << "only clock challenges are timed";
}

TEST(Titles, ThresholdsRiseWithTheTitleInEveryColumn) {
  for (int column = 0; column < 12; ++column)
    for (int t = 1; t < TitleCount; ++t)
      EXPECT_GT(Titles[t].Threshold[column], Titles[t - 1].Threshold[column]) << "title " << t << " column " << column;
}

}  // namespace
