// The auto-player through the real screens from the main menu, as a child
// would go: every mission level of the three modes one after the other, every
// challenge on Easy, an arcade game lost into the high-score tables, and a
// challenge left through the in-game menu. Nothing is set behind the screens'
// backs; the saved bytes are read back after each game.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "autoPlayer.h"
#include "tables/defChallenges.h"
#include "tables/defLevels.h"
#include "gameFlowSupport.h"
#include "objects/objButton.h"
#include "objects/objHintLabelButton.h"
#include "objects/objLabel.h"
#include "screens/frmChallenge.h"
#include "screens/frmGameOver.h"
#include "screens/frmMissions.h"
#include "screens/frmScores.h"
#include "screens/frmTutorial.h"

namespace {

constexpr std::int64_t Minute = 60 * 60;

class Campaign : public GameFlowTest {
 protected:
  // The main menu's buttons: TUTORIAL, ARCADE, CHALLENGES.
  void OpenMenuRow(int row) {
    Click(510, 325 + 60 * row);
    Tick(40);
  }
  // A mode button of the arcade and missions screens.
  void ClickMode(int type) {
    Click(302, 435 + 80 * (type - 1));
    Tick(20);
  }
  void ClickChallengeTile(int challenge) {
    Click(196 + 128 * (challenge % 6), 441 + 128 * (challenge / 6));
    Tick(20);
  }
  TfrmGameOver* Over() { return dynamic_cast<TfrmGameOver*>(Screen(ssGameOver)); }
  // Plays until the end screen has faded in; false when the budget ran out first.
  bool PlayToTheEndScreen(TAutoPlayer& player, std::int64_t budget) {
    const std::int64_t start = player.Steps;
    while (player.Steps - start < budget) {
      if (TfrmGameOver* over = Over(); over != nullptr && !over->FadingIn) return true;
      player.Step();
    }
    return false;
  }
  void ClickButton(const TobjButton* button) {
    Click(static_cast<int>(button->X + button->Width / 2), static_cast<int>(button->Y + button->Height / 2));
  }
};

class MissionCampaign : public Campaign, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(MissionCampaign, AutoPlayerCompletesTheFiveLevelsOneAfterTheOther) {
  const std::int32_t type = GetParam();
  CreateFirstProfile("Ada");
  RandomSeed(static_cast<std::uint32_t>(500 + type));
  OpenMenuRow(0);
  ASSERT_NE(Screen(ssMissions), nullptr);
  ClickMode(type);
  ASSERT_NE(Game(), nullptr);
  EXPECT_EQ(Res()->GameKind, GameKind::Mission);

  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 11);
  std::string results;
  std::int32_t tries = 0;
  std::int32_t carried = 0;
  for (std::int32_t level = 1; level <= 5;) {
    SCOPED_TRACE("level " + std::to_string(level));
    if (tries == 0) {
      // Each level opens with its own help page over the paused board.
      for (int i = 0; i < 60 && Screen(ssTutorial) == nullptr; ++i) Tick();
      auto* help = dynamic_cast<TfrmTutorial*>(Screen(ssTutorial));
      ASSERT_NE(help, nullptr);
      EXPECT_TRUE(Res()->Paused);
      EXPECT_EQ(help->Page->MainItem->ImageSet, 3 + type);
      EXPECT_EQ(help->Page->MainItem->ImageIndex, level - 1);
    }
    ASSERT_TRUE(PlayToTheEndScreen(player, 15 * Minute)) << "no end in fifteen minutes";
    EXPECT_EQ(Res()->LevelNumber, level);
    ++tries;
    TfrmGameOver* over = Over();
    if (Res()->Lives <= 0) {
      EXPECT_EQ(over->Next->Caption->Text, "TRY AGAIN");
      results += " [level " + std::to_string(level) + " lost]";
      ASSERT_LT(tries, 12) << "the auto-player keeps losing" << results;
      ClickButton(over->Next);
      Tick(20);
      continue;
    }
    const std::vector<std::uint8_t> profile = File("Profiles.dat");
    EXPECT_EQ(I32(profile, LevelsDoneAt(type)), level) << "progress saved";
    EXPECT_EQ(I32(profile, LevelsDoneAt(type) + 4), Res()->Score);
    EXPECT_EQ(I32(profile, LevelsDoneAt(type) + 8), Res()->TotalKills);
    EXPECT_GT(Res()->Score, carried) << "the score carries on from the level before";
    carried = Res()->Score;
    results += " [level " + std::to_string(level) + ": score " + std::to_string(Res()->Score) + ", lives " +
               std::to_string(Res()->Lives) + "]";
    if (level < 5) {
      EXPECT_EQ(over->Next->Caption->Text, "PLAY NEXT LEVEL");
    } else {
      EXPECT_EQ(over->Next->Caption->Text, "BACK TO TUTORIALS");
    }
    ClickButton(over->Next);
    Tick(20);
    tries = 0;
    ++level;
  }
  std::printf("auto-player missions of %s:%s, %lld steps\n", GameTypeName(type).c_str(), results.c_str(),
              static_cast<long long>(player.Steps));

  Tick(40);
  auto* missions = dynamic_cast<TfrmMissions*>(Screen(ssMissions));
  ASSERT_NE(missions, nullptr) << "back on the missions screen";
  for (std::size_t j = 0; j < 5; ++j) {
    EXPECT_TRUE(missions->Segments[static_cast<std::size_t>(type - 1)][j]->Visible) << j;
    for (std::int32_t other = 1; other <= 3; ++other)
      if (other != type) {
        EXPECT_FALSE(missions->Segments[static_cast<std::size_t>(other - 1)][j]->Visible);
      }
  }
}

INSTANTIATE_TEST_SUITE_P(EachMode, MissionCampaign, ::testing::Values(1, 2, 3));

class ChallengeCampaign : public Campaign, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(ChallengeCampaign, AutoPlayerCompletesItOnEasyAndItsMedalShows) {
  const std::int32_t challenge = GetParam();
  const TChallenge& row = Challenges[static_cast<std::size_t>(challenge)];
  CreateFirstProfile("Ada");
  RandomSeed(static_cast<std::uint32_t>(700 + challenge));
  OpenMenuRow(2);
  ASSERT_NE(Screen(ssChallenge), nullptr);
  Click(231, 330);  // EASY
  ClickChallengeTile(challenge);
  ASSERT_NE(Game(), nullptr);
  ASSERT_EQ(Res()->ChallengeIndex, challenge);
  ASSERT_EQ(Res()->Difficulty, 0);

  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 13);
  ASSERT_TRUE(PlayToTheEndScreen(player, 20 * Minute)) << "no end in twenty minutes";
  std::printf("auto-player challenge %d (game type %d, goal %d, target %d) on Easy: %s in %.1f s, score %d, kills %d, "
              "best combo %d, lives %d, %d s left\n",
              challenge, row.GameType[0], row.Goal[0], row.Target[0], Res()->ChallengeDone ? "done" : "failed",
              static_cast<double>(player.Steps) / 60.0, Res()->Score, Res()->TotalKills, Res()->HighestCombo,
              Res()->Lives, Res()->ChallengeTimeLeft / 60);
  ASSERT_EQ(Res()->ChallengeDone, 1);

  std::int32_t achieved = Res()->Score;
  if (row.Goal[0] == ChallengeGoal::Killenate) achieved = Res()->TotalKills;
  if (row.Goal[0] == ChallengeGoal::ComboToTheMax) achieved = Res()->HighestCombo;
  EXPECT_GE(achieved, row.Target[0]);
  TfrmGameOver* over = Over();
  EXPECT_EQ(over->ResultLabel->Caption->Text, std::to_string(achieved));
  EXPECT_EQ(over->Next->Caption->Text, "RETURN TO CHALLENGES");
  EXPECT_EQ(over->Other, nullptr) << "no PLAY AGAIN once completed";

  const std::vector<std::uint8_t> profile = File("Profiles.dat");
  const std::size_t at = ChallengeAt(challenge);
  EXPECT_EQ(profile[at], 1) << "completed on Easy";
  EXPECT_EQ(profile[at + 1], 0);
  EXPECT_EQ(I32(profile, at + 4), achieved);
  const std::int32_t limit = row.TimeLimit[0];
  EXPECT_EQ(I32(profile, at + 20), limit > 0 ? limit - Res()->ChallengeTimeLeft / 60 : 0)
      << "a best time only against the clock";

  ClickButton(over->Next);
  for (int i = 0; i < 200 && Screen(ssChallenge) == nullptr; ++i) Tick();
  auto* challenges = dynamic_cast<TfrmChallenge*>(Screen(ssChallenge));
  ASSERT_NE(challenges, nullptr);
  for (int i = 0; i < 200 && (challenges->FadingIn || challenges->Animation.Running); ++i) Tick();
  for (std::int32_t i = 0; i < ChallengeCount; ++i)
    EXPECT_EQ(challenges->Tiles[static_cast<std::size_t>(i)].Medal->Visible, i == challenge) << i;
  EXPECT_EQ(challenges->Tiles[static_cast<std::size_t>(challenge)].Medal->Width, 96);
  EXPECT_NE(challenges->Tiles[static_cast<std::size_t>(challenge)].Button->HintText->Text.find("<b>COMPLETED</b>"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(EachChallenge, ChallengeCampaign, ::testing::Range(0, 12));

TEST_F(Campaign, ArcadeLostIntoTheHighScoreTablesWithItsTitle) {
  CreateFirstProfile("Ada");
  RandomSeed(31);
  OpenMenuRow(1);
  Click(275, 330);  // EASY
  ClickMode(1);
  ASSERT_NE(Game(), nullptr);
  const std::vector<std::uint8_t> before = File("Scores.dat");
  ASSERT_EQ(before.size(), 4800u);

  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Random, 3);
  ASSERT_TRUE(PlayToTheEndScreen(player, 30 * Minute));
  EXPECT_EQ(Res()->Lives, 0);
  const std::int32_t score = Res()->Score;
  const std::int32_t rank = Res()->ScoreRank;
  std::printf("random player, arcade Rozir Ivivuruda Easy: score %d, level %d, kills %d, rank %d\n", score,
              Res()->LevelNumber, Res()->TotalKills, rank);
  ASSERT_GE(rank, 0);
  ASSERT_LT(rank, 10) << "this seed's game is good enough for the table";

  // The entry went in at its rank; the rows below moved down one.
  const std::vector<std::uint8_t> scores = File("Scores.dat");
  const std::size_t table = 0;  // Rozir Ivivuruda, Easy
  const std::size_t at = (table * 10 + static_cast<std::size_t>(rank)) * 40;
  EXPECT_EQ(scores[at], 3);
  EXPECT_EQ(std::string(scores.begin() + static_cast<long>(at) + 1, scores.begin() + static_cast<long>(at) + 4), "Ada");
  EXPECT_EQ(I32(scores, at + 20), score);
  EXPECT_EQ(I32(scores, at + 32), Res()->LevelNumber);
  EXPECT_EQ(I32(scores, at + 36), Res()->TotalKills);
  const std::size_t tableEnd = (table + 1) * 400;
  EXPECT_TRUE(std::equal(before.begin() + static_cast<long>(at), before.begin() + static_cast<long>(tableEnd) - 40,
                         scores.begin() + static_cast<long>(at) + 40));
  EXPECT_TRUE(std::equal(before.begin() + static_cast<long>(tableEnd), before.end(),
                         scores.begin() + static_cast<long>(tableEnd)))
      << "other tables untouched";
  TfrmGameOver* over = Over();
  const std::string title = over->TitleLabel->Caption->Text;
  EXPECT_FALSE(title.empty());

  Click(640, 454);  // HIGH SCORES
  Tick(40);
  auto* tables = dynamic_cast<TfrmScores*>(Screen(ssScores));
  ASSERT_NE(tables, nullptr);
  const std::size_t row = static_cast<std::size_t>(rank) + 1;
  EXPECT_EQ(tables->Cells[row][1]->Caption->Text, "Ada");
  EXPECT_TRUE(tables->Cells[row][1]->Framed) << "the fresh entry is highlighted";
  EXPECT_EQ(tables->Cells[row][3]->Caption->Text, title);
}

TEST_F(Campaign, ChallengeLeftThroughTheMenuKeepsItsKillsOnlyWhileItWasRunning) {
  CreateFirstProfile("Ada");
  RandomSeed(41);
  OpenMenuRow(2);
  Click(231, 330);  // EASY
  ClickChallengeTile(6);  // KILLENATE THEM! on Rozir Ivivuruda
  ASSERT_NE(Game(), nullptr);
  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 17);
  while (Res()->TotalKills < 12 && player.Steps < 10 * Minute) player.Step();
  ASSERT_GE(Res()->TotalKills, 12) << "the auto-player did not kill twelve in ten minutes";
  ASSERT_FALSE(Res()->GameOver);

  Key(27);  // Esc
  Tick(20);
  ASSERT_NE(Screen(ssGameMenu), nullptr);
  const std::int32_t kills = Res()->TotalKills;
  Tick(60);
  EXPECT_EQ(Res()->TotalKills, kills) << "the game stands still under the menu";
  Click(640, 550);  // EXIT TO MENU
  Tick(40);
  EXPECT_EQ(I32(File("Profiles.dat"), ChallengeAt(6) + 4), kills) << "the kills of the unfinished game count";
  EXPECT_EQ(File("Profiles.dat")[ChallengeAt(6)], 0) << "but it is not completed";
  EXPECT_EQ(Game(), nullptr);
  EXPECT_NE(Screen(ssChallenge), nullptr);
}

}  // namespace
