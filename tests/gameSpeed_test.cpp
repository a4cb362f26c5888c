// GAME SPEED at every difficulty, through the real director: the monsters'
// walk, spawning, the challenge clock and the time combo's window all run at
// the chosen pace; a slowed game's score goes to tables of its own (never to
// "Scores.dat") and its challenge result keeps only the medal. And OPTIONS,
// every one of whose controls is saved from itself.
#include <gtest/gtest.h>

#include "data/sysOptions.h"
#include "data/sysSlowScores.h"
#include "gameFlowSupport.h"
#include "objects/objCheckBox.h"
#include "objects/objGroupButton.h"
#include "render/modInput.h"
#include "objects/objLabel.h"
#include "screens/frmGameOver.h"
#include "screens/frmOptions.h"
#include "screens/frmScores.h"
#include "tables/defChallenges.h"

namespace {

constexpr std::int32_t Speeds[3] = {SpeedFull, SpeedThreeQuarters, SpeedHalf};

class GameSpeed : public GameFlowTest {
 protected:
  void OpenAt(std::int32_t speed, std::int32_t kind, std::int32_t type, std::int32_t difficulty, std::uint32_t seed = 3) {
    if (!Director) CreateFirstProfile("Ada");
    Res()->Options.GameSpeed = static_cast<std::uint8_t>(speed);
    OpenGame(kind, type, difficulty, seed);
  }
  void Leave() {
    Spy.PostEvent(pmQueued, ekScreen, sidArcade, grGameOver, 7);
    Tick(40);
  }
  // The first challenge of that goal.
  static std::int32_t ChallengeOf(std::int32_t goal) {
    for (std::int32_t c = 0; c < ChallengeCount; ++c)
      if (Challenges[static_cast<std::size_t>(c)].Goal[0] == goal) return c;
    return -1;
  }
};

TEST_F(GameSpeed, TheMonstersWalkAtTheChosenPaceOnEveryDifficulty) {
  // Where a monster stands after 40 steps at a slowed speed is where it stands
  // after 40 * speed / 100 steps at full speed, exactly.
  for (std::int32_t d = Difficulty::Easy; d <= Difficulty::Crazy; ++d) {
    double fullX[41] = {};
    double fullY[41] = {};
    for (const std::int32_t speed : Speeds) {
      SCOPED_TRACE(testing::Message() << "difficulty " << d << ", speed " << speed);
      OpenAt(speed, GameKind::Arcade, GameType::WhatsThePoint, d, 11);
      PastFadeIn();
      NoSpawning();
      TobjMonster* m = Monster(-200, -300);
      m->TopSpeed = 1.5;
      for (int step = 0; step <= 40; ++step) {
        if (speed == SpeedFull) {
          fullX[step] = m->X;
          fullY[step] = m->Y;
        }
        if (step < 40) Tick();
      }
      const int walked = 40 * speed / 100;
      EXPECT_DOUBLE_EQ(m->X, fullX[walked]);
      EXPECT_DOUBLE_EQ(m->Y, fullY[walked]);
      if (speed != SpeedFull) {
        EXPECT_NE(m->X, fullX[40]) << "slower than at full speed";
      }
      Leave();
    }
  }
}

TEST_F(GameSpeed, SpawningTheClockAndTheComboWindowStretchTogetherOnEveryDifficulty) {
  const std::int32_t clock = ChallengeOf(ChallengeGoal::BeatTheClock);
  ASSERT_GE(clock, 0);
  for (std::int32_t d = Difficulty::Easy; d <= Difficulty::Crazy; ++d) {
    std::int32_t firstSpawnAtFull = 0;
    for (const std::int32_t speed : Speeds) {
      SCOPED_TRACE(testing::Message() << "difficulty " << d << ", speed " << speed);
      // The first monster comes after the same number of world steps.
      OpenAt(speed, GameKind::Arcade, GameType::QuickQuadrants, d);
      PastFadeIn();
      std::int32_t steps = 0;
      for (; steps < 400 && Objects()->TypeSize(otMonster) == 0; ++steps) Tick();
      ASSERT_GT(Objects()->TypeSize(otMonster), 0) << "no monster came";
      if (speed == SpeedFull) firstSpawnAtFull = steps;
      // The screen's fade-in (a few steps of its own pace) is all that may differ.
      EXPECT_NEAR(steps, firstSpawnAtFull * 100.0 / speed, 3.0);

      // The time combo lapses after its window of world steps.
      NoSpawning();
      GamePost(18, 0, 1);
      ASSERT_EQ(Game()->TimeCombo, 1);
      const std::int32_t window = Res()->Level.TimeComboWindow;
      std::int32_t lasted = 0;
      for (; lasted < 4 * window && Game()->TimeCombo > 0; ++lasted) Tick();
      EXPECT_NEAR(lasted, window * 100.0 / speed, 2.0);
      Leave();

      // The challenge clock counts world steps: 120 steps take 120 * speed / 100 off it.
      OpenAt(speed, GameKind::Challenge, clock, d);
      PastFadeIn();
      NoSpawning();
      const std::int32_t before = Res()->ChallengeTimeLeft;
      EXPECT_GT(before, 0);
      Tick(120);
      EXPECT_EQ(before - Res()->ChallengeTimeLeft, 120 * speed / 100);
      Leave();
    }
  }
}

TEST_F(GameSpeed, ASlowedArcadeScoreEntersTheTablesOfItsSpeedAndNeverScoresDat) {
  CreateFirstProfile("Ada");
  const std::vector<std::uint8_t> scores = File("Scores.dat");
  ASSERT_EQ(scores.size(), ScoresFileSize);
  for (const std::int32_t speed : {SpeedThreeQuarters, SpeedHalf}) {
    for (std::int32_t d = Difficulty::Easy; d <= Difficulty::Crazy; ++d) {
      SCOPED_TRACE(testing::Message() << "difficulty " << d << ", speed " << speed);
      OpenAt(speed, GameKind::Arcade, GameType::DefineTheLine, d);
      PastFadeIn();
      NoSpawning();
      Res()->Score = 1000 + 100 * d + speed;
      Res()->Lives = 1;
      GamePost(21);
      ASSERT_TRUE(TickUntil([this] { return Screen(ssGameOver) != nullptr; }, 20, "no end panel"));
      Tick(5);
      EXPECT_EQ(Res()->ScoreRank, 0) << "an empty slowed table takes any score first";
      auto* over = dynamic_cast<TfrmGameOver*>(Screen(ssGameOver));
      ASSERT_NE(over, nullptr);
      ASSERT_NE(over->SpeedLabel, nullptr) << "the end card tells the speed";
      EXPECT_EQ(over->SpeedLabel->Caption->Text, speed == SpeedHalf ? "At 50 % speed" : "At 75 % speed");
      const std::vector<std::uint8_t> slow = File("SlowScores.dat");
      ASSERT_EQ(slow.size(), SlowScoresFileSize);
      const std::size_t at = static_cast<std::size_t>(SlowScoreBlock(speed)) * ScoresFileSize +
                             static_cast<std::size_t>(TsysResources::ScoreTableIndex(3, d)) * 10 * ScoreEntrySize;
      EXPECT_EQ(I32(slow, at + 20), 1000 + 100 * d + speed) << "in its speed's block and its difficulty's table";
      EXPECT_EQ(slow[at], 3);
      EXPECT_EQ(File("Scores.dat"), scores) << "the usual tables never see a slowed score";
      Leave();
    }
  }
  // Both blocks are read back at the next start.
  Director.reset();
  Start();
  EXPECT_EQ(Res()->SlowScoreTables[0][TsysResources::ScoreTableIndex(3, 2)][0].Score, 1000 + 200 + 75);
  EXPECT_EQ(Res()->SlowScoreTables[1][TsysResources::ScoreTableIndex(3, 3)][0].Score, 1000 + 300 + 50);
}

TEST_F(GameSpeed, TheHighScoreScreenShowsEachSpeedsTablesAndLeavesEmptyRowsBlank) {
  CreateFirstProfile("Ada");
  Res()->Options.GameSpeed = SpeedHalf;
  Res()->GameType = 2;
  Res()->Difficulty = Difficulty::Hard;
  TScoreEntry& slow = Res()->SlowScoreTables[1][TsysResources::ScoreTableIndex(2, Difficulty::Hard)][0];
  slow.Name = "Bo";
  slow.Score = 777;
  slow.Difficulty = Difficulty::Hard;
  Click(512, 505);  // HIGH SCORES
  Tick(40);
  auto* scores = dynamic_cast<TfrmScores*>(Screen(ssScores));
  ASSERT_NE(scores, nullptr);
  EXPECT_EQ(scores->Speeds->SelectedIndex, 2) << "the speed being played is shown first";
  EXPECT_EQ(scores->Cells[1][1]->Caption->Text, "Bo");
  EXPECT_EQ(scores->Cells[1][2]->Caption->Text, "777");
  EXPECT_EQ(scores->Cells[2][2]->Caption->Text, "") << "a row nobody reached is blank, not 0";
  EXPECT_EQ(scores->Cells[2][4]->Caption->Text, "");
  // 100 % shows the usual table of the same game type and difficulty.
  scores->Speeds->Choose(0);
  Tick(2);
  const TScoreEntry& usual = Res()->ScoreTables[static_cast<std::size_t>(TsysResources::ScoreTableIndex(2, 2))][0];
  EXPECT_EQ(scores->Cells[1][1]->Caption->Text, usual.Name);
  EXPECT_EQ(scores->Cells[1][2]->Caption->Text, std::to_string(usual.Score));
  scores->Speeds->Choose(1);
  Tick(2);
  EXPECT_EQ(scores->Cells[1][2]->Caption->Text, "") << "75 % has its own, still empty, tables";
}

TEST_F(GameSpeed, ASlowedChallengeKeepsItsMedalButNoBestToBeatAtFullSpeed) {
  const std::int32_t clock = ChallengeOf(ChallengeGoal::BeatTheClock);
  for (std::int32_t d = Difficulty::Easy; d <= Difficulty::Crazy; ++d) {
    SCOPED_TRACE(d);
    OpenAt(SpeedHalf, GameKind::Challenge, clock, d);
    PastFadeIn();
    NoSpawning();
    Res()->Score = Challenges[static_cast<std::size_t>(clock)].Target[d];
    Tick(3);
    ASSERT_TRUE(Res()->GameOver) << "the target reached ends the challenge";
    ASSERT_TRUE(TickUntil([this] { return Screen(ssGameOver) != nullptr; }, 20, "no end panel"));
    const TChallengeRecord& record = Res()->GetActiveProfile().ChallengeRecords[clock];
    EXPECT_TRUE(record.Completed[d]) << "the medal is earned";
    EXPECT_EQ(record.Best[d], 0) << "the best score is a full-speed one";
    EXPECT_EQ(record.BestTime[d], 0);
    Spy.PostEvent(pmQueued, ekScreen, sidChallenge, grGameOver, 7);
    Tick(40);
  }
  // At full speed the same result is a best as well.
  OpenAt(SpeedFull, GameKind::Challenge, clock, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  Res()->Score = Challenges[static_cast<std::size_t>(clock)].Target[0];
  ASSERT_TRUE(TickUntil([this] { return Screen(ssGameOver) != nullptr; }, 20, "no end panel"));
  EXPECT_EQ(Res()->GetActiveProfile().ChallengeRecords[clock].Best[0], Challenges[static_cast<std::size_t>(clock)].Target[0]);
  EXPECT_GT(Res()->GetActiveProfile().ChallengeRecords[clock].BestTime[0], 0);
}

// Every control of OPTIONS, changed alone, lands in its own byte and nowhere else.
TEST_F(GameSpeed, EveryControlOfOptionsIsSavedFromItselfAndTheKeyRepeatIsUsedAtOnce) {
  CreateFirstProfile("Ada");
  struct TControl {
    const char* Name;
    int X, Y;
    const char* File;
    std::size_t Byte;
    std::uint8_t Value;
  };
  const TControl controls[] = {
      {"Fullscreen", 300, 338, "Settings.ini", 0, 0},
      {"Antialiasing", 540, 338, "Settings.ini", 1, 0},
      {"Blending Effects", 300, 378, "Settings.ini", 2, 0},
      {"Show Framerate", 540, 378, "Settings.ini", 3, 1},
      {"Enable Music", 300, 463, "Settings.ini", 5, 0},
      {"Enable Sound Effects", 540, 463, "Settings.ini", 4, 0},
      {"Colour-Blind Colours", 300, 598, "Options.ini", 0, 1},
      {"Larger Questions", 540, 598, "Options.ini", 1, 1},
      {"Game Speed 75 %", 583, 637, "Options.ini", 3, 75},
      {"Game Speed 50 %", 687, 637, "Options.ini", 3, 50},
      {"Key Repeat SLOW", 583, 672, "Options.ini", 4, RepeatSlow},
      {"Key Repeat OFF", 687, 672, "Options.ini", 4, RepeatOff},
  };
  for (const TControl& c : controls) {
    SCOPED_TRACE(c.Name);
    std::vector<std::uint8_t> settings = File("Settings.ini");
    std::vector<std::uint8_t> options = File("Options.ini");  // written once an option changes
    Click(512, 625);  // OPTIONS
    Tick(40);
    ASSERT_NE(Screen(ssOptions), nullptr);
    Click(c.X, c.Y);
    Click(357, 725);  // SAVE
    Tick(40);
    ASSERT_NE(Screen(ssMainMenu), nullptr);
    const bool inOptions = std::string(c.File) == "Options.ini";
    if (inOptions && options.empty()) options = EncodeOptions(TOptionsRecord{});
    std::vector<std::uint8_t>& expected = inOptions ? options : settings;
    expected[c.Byte] = c.Value;
    EXPECT_EQ(File("Settings.ini"), settings);
    EXPECT_EQ(File("Options.ini"), options);
  }
  EXPECT_EQ(Director->Input->KeyRepeat, RepeatOff) << "the saved key repeat is the one the keys follow";
  // And the saved choices are what OPTIONS shows next time.
  Click(512, 625);
  Tick(40);
  auto* screen = dynamic_cast<TfrmOptions*>(Screen(ssOptions));
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->GameSpeed->SelectedIndex, 2);
  EXPECT_EQ(screen->KeyRepeat->SelectedIndex, 2);
}

}  // namespace
