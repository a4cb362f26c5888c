// The screens around the game driven headless through the real director, bus,
// input module and widgets on the generated data: arcade set-up, missions,
// challenges, the help page, the in-game menu and the end of a game. The game
// screen opens underneath, but these tests do not play it: where a flow reaches
// it, they check that it was asked for, then set the game's values the way it
// leaves them and post what it posts (gameScreen_test.cpp plays it).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "flowSupport.h"
#include "game/frmGame.h"
#include "tables/defChallenges.h"
#include "tables/defLevels.h"
#include "objects/objSheet.h"
#include "tables/defColours.h"
#include "objects/objButton.h"
#include "objects/objGroupButton.h"
#include "objects/objHintLabelButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "render/modGraphics.h"
#include "screens/frmArcade.h"
#include "screens/frmChallenge.h"
#include "screens/frmGameMenu.h"
#include "screens/frmGameOver.h"
#include "screens/frmMissions.h"
#include "screens/frmScores.h"
#include "screens/frmTutorial.h"

namespace {

// Where the profile record keeps things (first profile of the file).
constexpr std::size_t MissionDifficultyAt = 20;
constexpr std::size_t ArcadeDifficultyAt = 24;
constexpr std::size_t ChallengeDifficultyAt = 28;
// A high-score entry of Scores.dat.
std::size_t ScoreEntryAt(int type, int difficulty, int row) {
  return static_cast<std::size_t>(((type - 1) * 4 + difficulty) * 10 + row) * 40;
}

class MenusFlow : public FlowTest {
 protected:
  void StartWithProfile() { CreateFirstProfile("Ada"); }
  // The main menu's buttons.
  void Open(int menuRow) {
    Click(510, 325 + 60 * menuRow);
    Tick(40);
  }
  // What the game screen posts to open a screen over itself.
  void GameOpens(std::uint16_t screen) {
    Spy.PostEvent(pmQueued, ekScreen, screen, 0, 0);
    Tick(20);
  }
  // From the main menu through a set-up screen into a game: the director closes the
  // backdrop and the set-up screen, as it will for the real game screen.
  void StartGame(int menuRow, int x, int y) {
    Open(menuRow);
    Click(x, y);
    Tick(20);
    ExpectGameAskedFor();
  }
  // A set-up screen's choice has faded it out and asked for the game screen.
  void ExpectGameAskedFor() {
    const TSpy::TSeen* asked = Spy.Last(ekScreen, sidGame);
    ASSERT_NE(asked, nullptr) << "no request for the game screen";
    EXPECT_EQ(Screen(ssBackground), nullptr) << "the game replaces the backdrop";
    EXPECT_EQ(Screen(ssArcade), nullptr);
    EXPECT_EQ(Screen(ssMissions), nullptr);
    EXPECT_EQ(Screen(ssChallenge), nullptr);
  }
  TProfileRecord& Profile() { return Res()->Profiles[0]; }
  template <class T>
  T* As(TScreenSlot slot) {
    return dynamic_cast<T*>(Screen(slot));
  }
  // The end of a mission level as the game leaves it.
  void MissionLevelEnds(int type, int level, int lives, int score, int totalKills) {
    Res()->GameKind = GameKind::Mission;
    Res()->GameType = type;
    Res()->LevelNumber = level;
    Res()->Level = *MissionLevel(type, level);
    Res()->Lives = lives;
    Res()->Score = score;
    Res()->TotalKills = totalKills;
    Res()->LevelKills = 0;
    Res()->GameOver = true;
    GameOpens(sidGameOver);
  }
  // The end of a challenge as the game leaves it: the index in ChallengeIndex,
  // the challenge's game type in GameType.
  void ChallengeEnds(int challenge, int difficulty, int score, int kills, int combo, int secondsLeft, bool done,
                     int lives) {
    Res()->GameKind = GameKind::Challenge;
    Res()->ChallengeIndex = challenge;
    Res()->GameType = Challenges[static_cast<std::size_t>(challenge)].GameType[difficulty];
    Res()->Difficulty = difficulty;
    Res()->Score = score;
    Res()->TotalKills = kills;
    Res()->HighestCombo = combo;
    Res()->ChallengeTimeLeft = secondsLeft * 60;
    Res()->ChallengeDone = done ? 1 : 0;
    Res()->Lives = lives;
    Res()->GameOver = true;
    GameOpens(sidGameOver);
  }
};

TEST_F(MenusFlow, ArcadeKeepsTheDifficultyEvenOnBackPreviewsEachModeAndStartsTheChosenOne) {
  StartWithProfile();
  Open(1);  // ARCADE
  auto* arcade = As<TfrmArcade>(ssArcade);
  ASSERT_NE(arcade, nullptr);
  EXPECT_NE(Screen(ssBackground), nullptr);
  EXPECT_EQ(arcade->Difficulties->SelectedIndex, 1) << "a new profile plays at MEDIUM";
  // Difficulties are controls, in the controls' colour (every other hue left is a quadrant's).
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_EQ(arcade->Difficulties->Entries[i].MiddleItem->Color, WidgetTint) << "entry " << i;
  EXPECT_EQ(Res()->GameKind, GameKind::Arcade);

  Click(590, 330);  // HARD
  EXPECT_EQ(Res()->Difficulty, 2);
  Click(507, 675);  // BACK
  Tick(2);
  EXPECT_EQ(I32(File("Profiles.dat"), ArcadeDifficultyAt), 2) << "stored even on BACK";
  Tick(40);
  ASSERT_NE(Screen(ssMainMenu), nullptr);
  EXPECT_EQ(Screen(ssArcade), nullptr);

  Open(1);
  arcade = As<TfrmArcade>(ssArcade);
  ASSERT_NE(arcade, nullptr);
  EXPECT_EQ(arcade->Difficulties->SelectedIndex, 2);

  // Resting on a mode button shows its own preview, always in the same place.
  for (int mode = 2; mode >= 0; --mode) {
    Move(300, 435 + 80 * mode);
    Tick(10);
    for (int other = 0; other < 3; ++other) {
      TobjButton* b = arcade->Modes[static_cast<std::size_t>(other)];
      EXPECT_EQ(b->HintPicture->Visible, other == mode) << "mode " << mode << ", button " << other;
    }
    const TobjButton* b = arcade->Modes[static_cast<std::size_t>(mode)];
    EXPECT_EQ(b->HintPicture->ImageSet, 3);
    EXPECT_EQ(b->HintPicture->ImageIndex, mode + 1);
    EXPECT_EQ(b->X + b->HintPicture->RelX, 427);
    EXPECT_EQ(b->Y + b->HintPicture->RelY, 420);
    EXPECT_EQ(b->HintPicture->Alpha, 255) << "faded in";
  }

  Click(300, 515);  // VOVE'R UDA ZERIR?
  Tick(20);
  ExpectGameAskedFor();
  EXPECT_EQ(Res()->GameKind, GameKind::Arcade);
  EXPECT_EQ(Res()->GameType, 2);
  EXPECT_EQ(Res()->Difficulty, 2);
}

TEST_F(MenusFlow, ArcadeGameOverEntersTheScoreWithItsTitleAndTheTablesHighlightIt) {
  StartWithProfile();
  Open(1);
  Click(300, 435);  // ROZIR IVIVURUDA at MEDIUM
  Tick(20);
  ExpectGameAskedFor();
  const std::vector<std::uint8_t> before = File("Scores.dat");

  Res()->Score = 47000;
  Res()->LevelNumber = 6;
  Res()->TotalKills = 70;
  Res()->Lives = 0;
  Res()->GameOver = true;
  GameOpens(sidGameOver);
  auto* over = As<TfrmGameOver>(ssGameOver);
  ASSERT_NE(over, nullptr);

  const std::vector<std::uint8_t> scores = File("Scores.dat");
  ASSERT_EQ(scores.size(), 4800u);
  const std::size_t at = ScoreEntryAt(1, 1, 0);
  EXPECT_EQ(scores[at], 3);
  EXPECT_EQ(std::string(scores.begin() + static_cast<long>(at) + 1, scores.begin() + static_cast<long>(at) + 4),
            "Ada");
  EXPECT_EQ(I32(scores, at + 20), 47000);
  EXPECT_EQ(I32(scores, at + 24), 9) << "Zenzizenzizenzic: 46500 on Medium";
  EXPECT_EQ(I32(scores, at + 28), 1);
  EXPECT_EQ(I32(scores, at + 32), 6);
  EXPECT_EQ(I32(scores, at + 36), 70);
  // The old best moved down a row; the old last row is gone.
  EXPECT_TRUE(std::equal(before.begin() + static_cast<long>(at), before.begin() + static_cast<long>(at) + 360,
                         scores.begin() + static_cast<long>(at) + 40));
  EXPECT_EQ(Res()->ScoreRank, 0);
  EXPECT_EQ(over->TitleLabel->Caption->Text, "Zenzizenzizenzic");
  EXPECT_EQ(over->Picture->MainItem->ImageSet, 8);
  EXPECT_EQ(over->Picture->MainItem->ImageIndex, 0);
  Tick(10);
  EXPECT_EQ(Spy.Count(ekSound, 4), 1) << "the jingle plays once";
  EXPECT_EQ(Spy.Last(ekSound, 4)->Param, 2) << "the high-score variant";

  Click(640, 454);  // HIGH SCORES
  Tick(40);
  auto* tables = As<TfrmScores>(ssScores);
  ASSERT_NE(tables, nullptr);
  EXPECT_EQ(Screen(ssGameOver), nullptr);
  EXPECT_NE(Screen(ssBackground), nullptr);
  EXPECT_EQ(tables->Cells[1][1]->Caption->Text, "Ada");
  EXPECT_TRUE(tables->Cells[1][1]->Framed) << "the fresh entry is highlighted";
  EXPECT_EQ(tables->Cells[1][3]->Caption->Text, "Zenzizenzizenzic");
  EXPECT_FALSE(tables->Cells[2][1]->Framed);
}

// A row nobody has filled is shown empty: no score of 0, no title, no difficulty.
TEST_F(MenusFlow, AnEmptyHighScoreRowShowsEmpty) {
  StartWithProfile();
  Res()->GameType = 1;
  Res()->Difficulty = 0;
  TScoreTable& table = Res()->ScoreTables[0];
  for (std::size_t r = 3; r < table.size(); ++r) table[r] = TScoreEntry{};
  Open(3);  // HIGH SCORES
  auto* tables = As<TfrmScores>(ssScores);
  ASSERT_NE(tables, nullptr);
  EXPECT_EQ(tables->Cells[3][1]->Caption->Text, table[2].Name);
  EXPECT_EQ(tables->Cells[3][2]->Caption->Text, std::to_string(table[2].Score));
  for (int c = 1; c < TfrmScores::Columns; ++c) EXPECT_EQ(tables->Cells[4][c]->Caption->Text, "") << "column " << c;
  EXPECT_EQ(tables->Cells[4][0]->Caption->Text, "4") << "the row keeps its place number";
}

TEST_F(MenusFlow, ArcadeScoreTooLowLeavesTheTablesAndStillShowsTheTitle) {
  StartWithProfile();
  Open(1);
  Click(275, 330);  // EASY
  Click(300, 595);  // DEFINE THE LINE
  Tick(20);
  ExpectGameAskedFor();
  EXPECT_EQ(Res()->GameType, 3);
  EXPECT_EQ(Res()->Difficulty, 0);
  const std::vector<std::uint8_t> before = File("Scores.dat");
  Res()->Score = 1000;
  Res()->Lives = 0;
  Res()->GameOver = true;
  GameOpens(sidGameOver);
  auto* over = As<TfrmGameOver>(ssGameOver);
  ASSERT_NE(over, nullptr);
  EXPECT_EQ(File("Scores.dat"), before);
  EXPECT_EQ(Res()->ScoreRank, 11);
  EXPECT_EQ(over->TitleLabel->Caption->Text, "Absolute Zero ");
  EXPECT_EQ(over->Picture->MainItem->ImageIndex, 1);
  Tick(5);
  EXPECT_EQ(Spy.Count(ekSound, 3), 1) << "the losing jingle";
  EXPECT_EQ(Spy.Count(ekSound, 4), 0);

  Click(640, 519);  // back to the arcade screen
  Tick(40);
  EXPECT_NE(Screen(ssArcade), nullptr);
  EXPECT_NE(Screen(ssBackground), nullptr);
  EXPECT_EQ(Screen(ssGameOver), nullptr);
}

TEST_F(MenusFlow, MissionsShowProgressAndStartTheNextOrAReachedLevel) {
  StartWithProfile();
  Profile().MissionProgress[0].LevelsDone = 2;
  Profile().MissionProgress[1].LevelsDone = 5;
  Open(0);  // TUTORIAL
  auto* missions = As<TfrmMissions>(ssMissions);
  ASSERT_NE(missions, nullptr);
  EXPECT_EQ(missions->Title->Caption->Text, "TUTORIAL");
  EXPECT_EQ(Res()->GameKind, GameKind::Mission);
  EXPECT_EQ(Res()->Difficulty, 1);
  for (int j = 0; j < 5; ++j) {
    EXPECT_EQ(missions->Segments[0][static_cast<std::size_t>(j)]->Visible, j < 2) << j;
    EXPECT_TRUE(missions->Segments[1][static_cast<std::size_t>(j)]->Visible) << j;
    EXPECT_FALSE(missions->Segments[2][static_cast<std::size_t>(j)]->Visible) << j;
  }

  struct THover {
    int X, Y, Mode, Level;
  };
  const THover hovers[] = {
      {507, 430, 1, 1},   // a completed level
      {557, 430, 1, 2},   // the next level
      {607, 430, -1, -1}, // beyond the next
      {457, 590, 3, 0},   // nothing done: the first level is the next
      {507, 590, -1, -1},
      {670, 510, 2, 4},   // all done: every level
      {682, 510, -1, -1}, // past the last segment
      {557, 470, -1, -1}, // between two bars
  };
  for (const THover& h : hovers) {
    Move(h.X, h.Y);
    EXPECT_EQ(missions->HoveredMode, h.Mode) << h.X << ", " << h.Y;
    EXPECT_EQ(missions->HoveredLevel, h.Level) << h.X << ", " << h.Y;
    EXPECT_EQ(missions->Marker->Visible, h.Mode != -1);
    if (h.Mode != -1) {
      EXPECT_EQ(missions->Marker->X, missions->Segments[static_cast<std::size_t>(h.Mode - 1)][static_cast<std::size_t>(h.Level)]->X);
      EXPECT_EQ(missions->Marker->Y, missions->Segments[static_cast<std::size_t>(h.Mode - 1)][static_cast<std::size_t>(h.Level)]->Y);
    }
  }

  // A mode's preview opens over the bars: their heading names it while it shows.
  EXPECT_EQ(missions->BarsHeading->Caption->Text, "PROGRESS");
  Move(300, 520);  // on the second mode's button
  Tick(15);
  ASSERT_TRUE(missions->Modes[1]->HintText->Visible);
  EXPECT_EQ(missions->BarsHeading->Caption->Text, "PREVIEW");
  Move(300, 700);
  Tick(15);
  EXPECT_EQ(missions->BarsHeading->Caption->Text, "PROGRESS");

  Click(607, 430);  // a level not reached yet
  Tick(20);
  EXPECT_EQ(Spy.Last(ekScreen, sidGame), nullptr);
  EXPECT_EQ(Res()->MissionLevelChoice, -1);

  Click(607, 510);  // replay level 4 of Vove'r uda Zerir?
  Tick(20);
  ExpectGameAskedFor();
  EXPECT_EQ(Res()->MissionLevelChoice, 3);
  EXPECT_EQ(Res()->GameKind, GameKind::Mission);
  EXPECT_EQ(Res()->GameType, 2);
  EXPECT_EQ(Res()->Difficulty, 1);
  EXPECT_EQ(I32(File("Profiles.dat"), MissionDifficultyAt), 1);
}

TEST_F(MenusFlow, MissionModeButtonPlaysTheNextLevelAndResetClearsOnlyThatMode) {
  StartWithProfile();
  Profile().MissionProgress[0] = TMissionProgress{3, 900, 27};
  Profile().MissionProgress[2] = TMissionProgress{1, 300, 10};
  Open(0);
  auto* missions = As<TfrmMissions>(ssMissions);
  ASSERT_NE(missions, nullptr);

  Move(767, 595);
  Tick(10);
  EXPECT_TRUE(missions->Resets[2]->HintText->Visible) << "RESET explains itself";
  Click(767, 595);  // RESET of Define the Line
  Tick(2);
  const std::vector<std::uint8_t> profile = File("Profiles.dat");
  EXPECT_EQ(I32(profile, LevelsDoneAt(3)), 0);
  EXPECT_EQ(I32(profile, LevelsDoneAt(3) + 4), 0);
  EXPECT_EQ(I32(profile, LevelsDoneAt(3) + 8), 0);
  EXPECT_EQ(I32(profile, LevelsDoneAt(1)), 3);
  EXPECT_EQ(I32(profile, LevelsDoneAt(1) + 4), 900);
  EXPECT_EQ(I32(profile, LevelsDoneAt(1) + 8), 27);
  for (int j = 0; j < 5; ++j) {
    EXPECT_FALSE(missions->Segments[2][static_cast<std::size_t>(j)]->Visible);
    EXPECT_EQ(missions->Segments[0][static_cast<std::size_t>(j)]->Visible, j < 3);
  }
  EXPECT_NE(Screen(ssMissions), nullptr) << "RESET stays on the screen";

  Click(300, 595);  // DEFINE THE LINE
  Tick(20);
  ExpectGameAskedFor();
  EXPECT_EQ(Res()->GameType, 3);
  EXPECT_EQ(Res()->MissionLevelChoice, -1) << "the next level of the mode";
}

TEST_F(MenusFlow, MissionLevelWithItsHelpPageThenCompletedPlaysTheNextLevelCarryingTheScore) {
  StartWithProfile();
  StartGame(0, 300, 435);  // ROZIR IVIVURUDA: level 1

  // The game asks for the help page of level 1 at its start.
  Res()->LevelNumber = 1;
  Res()->Paused = true;
  Res()->MenuOpen = true;
  GameOpens(sidTutorial);
  auto* help = As<TfrmTutorial>(ssTutorial);
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->Page->Visible);
  EXPECT_EQ(help->Page->MainItem->ImageSet, 4);
  EXPECT_EQ(help->Page->MainItem->ImageIndex, 0);
  Click(640, 638);  // OK
  Tick(20);
  EXPECT_EQ(Screen(ssTutorial), nullptr);
  EXPECT_FALSE(Res()->Paused);
  EXPECT_FALSE(Res()->MenuOpen);

  MissionLevelEnds(1, 1, 4, 1200, 10);
  auto* over = As<TfrmGameOver>(ssGameOver);
  ASSERT_NE(over, nullptr);
  std::vector<std::uint8_t> profile = File("Profiles.dat");
  EXPECT_EQ(I32(profile, LevelsDoneAt(1)), 1);
  EXPECT_EQ(I32(profile, LevelsDoneAt(1) + 4), 1200);
  EXPECT_EQ(I32(profile, LevelsDoneAt(1) + 8), 10);
  EXPECT_EQ(Res()->MissionStartScore, 1200);
  EXPECT_EQ(Res()->MissionStartKills, 10);
  EXPECT_EQ(over->Next->Caption->Text, "PLAY NEXT LEVEL");
  EXPECT_EQ(over->Picture->MainItem->ImageSet, 7);
  EXPECT_EQ(over->Picture->MainItem->ImageIndex, 0);
  Tick(3);
  ASSERT_EQ(Spy.Count(ekSound, 4), 1);
  EXPECT_EQ(Spy.Last(ekSound, 4)->Param, 0);

  Click(640, 489);  // PLAY NEXT LEVEL
  Tick(20);
  EXPECT_EQ(Screen(ssGameOver), nullptr);
  EXPECT_TRUE(Spy.Saw(ekGame, 37)) << "the game plays the next level";
  EXPECT_FALSE(Res()->GameOver);

  // Level 2 starts from the carried score and ends.
  MissionLevelEnds(1, 2, 5, 2650, 21);
  profile = File("Profiles.dat");
  EXPECT_EQ(I32(profile, LevelsDoneAt(1)), 2);
  EXPECT_EQ(I32(profile, LevelsDoneAt(1) + 4), 2650);
  EXPECT_EQ(I32(profile, LevelsDoneAt(2)), 0) << "other modes untouched";
}

TEST_F(MenusFlow, LastMissionLevelLeadsBackToTutorialsFailingOffersTryAgainAndReplaysKeepProgress) {
  StartWithProfile();
  Profile().MissionProgress[1].LevelsDone = 4;
  StartGame(0, 300, 515);

  // A replay of level 2 does not take back the four levels already reached.
  MissionLevelEnds(2, 2, 3, 800, 9);
  EXPECT_EQ(I32(File("Profiles.dat"), LevelsDoneAt(2)), 4);
  Click(640, 489);
  Tick(20);

  // Failing stores nothing and offers the level again.
  const std::vector<std::uint8_t> before = File("Profiles.dat");
  MissionLevelEnds(2, 5, 0, 5000, 40);
  auto* over = As<TfrmGameOver>(ssGameOver);
  ASSERT_NE(over, nullptr);
  EXPECT_EQ(over->Next->Caption->Text, "TRY AGAIN");
  EXPECT_EQ(over->Picture->MainItem->ImageIndex, 4);
  EXPECT_EQ(File("Profiles.dat"), before);
  Tick(3);
  EXPECT_EQ(Spy.Count(ekSound, 3), 1);
  Click(640, 489);
  Tick(20);
  EXPECT_TRUE(Spy.Saw(ekGame, 38));
  EXPECT_FALSE(Res()->GameOver);

  // The last level completes the mission.
  MissionLevelEnds(2, 5, 1, 9000, 90);
  over = As<TfrmGameOver>(ssGameOver);
  ASSERT_NE(over, nullptr);
  EXPECT_EQ(over->Next->Caption->Text, "BACK TO TUTORIALS");
  EXPECT_EQ(over->Picture->MainItem->ImageIndex, 7);
  EXPECT_EQ(I32(File("Profiles.dat"), LevelsDoneAt(2)), 5);
  Tick(3);
  EXPECT_EQ(Spy.Last(ekSound, 4)->Param, 3) << "the whole-mission jingle";
  Click(640, 489);
  Tick(40);
  auto* missions = As<TfrmMissions>(ssMissions);
  ASSERT_NE(missions, nullptr);
  EXPECT_NE(Screen(ssBackground), nullptr);
  for (int j = 0; j < 5; ++j) EXPECT_TRUE(missions->Segments[1][static_cast<std::size_t>(j)]->Visible);
}

TEST(ChallengeHints, TellGoalTargetStatusBestAndTimeInMinutes) {
  TProfileRecord profile;
  EXPECT_EQ(ChallengeHintText(1, 0, profile),
            "<b>ROZIR IVIVURUDA</b><r><r>Type         : <b>BEAT THE CLOCK!</b><r>Target Score : <b>7500</b>"
            "<r>Time Limit   : <b>4:00 Min</b><r><r>Status       : <b>NOT COMPLETED</b>"
            "<r>Best Score   : <b>0</b><r>Best Time    : <b>--:-- Min</b>");
  profile.ChallengeRecords[1].Completed[0] = true;
  profile.ChallengeRecords[1].Best[0] = 7720;
  profile.ChallengeRecords[1].BestTime[0] = 187;
  const std::string done = ChallengeHintText(1, 0, profile);
  EXPECT_NE(done.find("Status       : <b>COMPLETED</b>"), std::string::npos);
  EXPECT_NE(done.find("Best Score   : <b>7720</b>"), std::string::npos);
  EXPECT_NE(done.find("Best Time    : <b>3:07 Min</b>"), std::string::npos);
  EXPECT_EQ(ChallengeHintText(1, 1, profile).find("COMPLETED</b>"),
            ChallengeHintText(1, 1, profile).find("NOT COMPLETED") + 4)
      << "completed at Easy only";

  profile.ChallengeRecords[10].Best[3] = 123;
  const std::string kills = ChallengeHintText(10, 3, profile);
  EXPECT_EQ(kills.rfind("<b>DEFINE THE LINE</b><r><r>Type         : <b>KILLENATE THEM!</b>", 0), 0u);
  EXPECT_NE(kills.find("Target Kills : <b>200</b>"), std::string::npos);
  EXPECT_NE(kills.find("Best Kills   : <b>123</b>"), std::string::npos);
  EXPECT_EQ(kills.find("Time"), std::string::npos);
  const std::string combo = ChallengeHintText(9, 2, profile);
  EXPECT_NE(combo.find("COMBO TO THE MAX!</b><r>Target Combo : <b>60</b>"), std::string::npos);
  EXPECT_NE(combo.find("Best Combo   : <b>"), std::string::npos);
  EXPECT_NE(ChallengeHintText(2, 3, profile).find("SCOREATHON!</b><r>Target Score : <b>350000</b>"),
            std::string::npos);

  EXPECT_EQ(MinutesSeconds(240), "4:00");
  EXPECT_EQ(MinutesSeconds(187), "3:07");
  EXPECT_EQ(MinutesSeconds(59), "0:59");
  EXPECT_EQ(ChallengeHintText(12, 0, profile), "");
  EXPECT_EQ(ChallengeHintText(0, 4, profile), "");
}

TEST_F(MenusFlow, ChallengeTilesFollowTheDifficultyAndStartTheirChallenge) {
  StartWithProfile();
  Profile().ChallengeDifficulty = 0;
  Profile().ChallengeRecords[6].Completed[0] = true;
  Profile().ChallengeRecords[6].Best[0] = 55;
  Open(2);  // CHALLENGES
  auto* challenges = As<TfrmChallenge>(ssChallenge);
  ASSERT_NE(challenges, nullptr);
  EXPECT_EQ(challenges->Difficulties->SelectedIndex, 0);
  EXPECT_EQ(Res()->GameKind, GameKind::Challenge);
  for (int i = 0; i < 12; ++i) {
    const TfrmChallenge::TTile& tile = challenges->Tiles[static_cast<std::size_t>(i)];
    EXPECT_EQ(tile.Medal->Visible, i == 6) << i;
    // Every hint box stays on the screen.
    const double left = tile.Button->X + tile.Button->HintText->RelX;
    EXPECT_GE(left, 0) << i;
    EXPECT_LE(left + tile.Button->HintText->Width, 1024) << i;
    EXPECT_GE(tile.Button->Y + tile.Button->HintText->RelY, 0) << i;
    // It covers neither the difficulty buttons nor BACK, and, the pointer on
    // its tile, lies over the tiles around it: its tile is drawn last of them.
    TobjHintLabelButton* b = tile.Button;
    Move(static_cast<int>(b->X) + 60, static_cast<int>(b->Y) + 60);
    Tick(2);
    const double top = b->Y + b->HintText->RelY, bottom = top + b->HintText->Height;
    const double right = left + b->HintText->Width;
    const auto covers = [&](const TobjBase* o) {
      return left < o->X + o->Width && o->X < right && top < o->Y + o->Height && o->Y < bottom;
    };
    EXPECT_FALSE(covers(challenges->Difficulties)) << i;
    EXPECT_FALSE(covers(challenges->Back)) << i;
    const std::int32_t layer = static_cast<std::int32_t>(b->GetLayer());
    const TsysObjects* objects = Director->Interface->Objects.get();
    EXPECT_EQ(objects->LayerObject(layer, objects->LayerSize(layer) - 1), b) << i;
    for (const TfrmChallenge::TTile& other : challenges->Tiles)
      if (other.Button != b && covers(other.Button)) {
        EXPECT_GE(b->GetLayer(), other.Button->GetLayer()) << i;
      }
  }
  const TSheetRect easyMedal = ChallengeSheetRect(8);
  EXPECT_EQ(challenges->Tiles[6].Medal->TexCoord.SrcX, easyMedal.X);
  EXPECT_EQ(challenges->Tiles[6].Medal->TexCoord.SrcY, easyMedal.Y);
  EXPECT_NE(challenges->Tiles[0].Button->HintText->Text.find("<b>12500</b>"), std::string::npos);

  Click(420, 330);  // MEDIUM: targets, status and medals change at once
  EXPECT_EQ(Res()->Difficulty, 1);
  EXPECT_FALSE(challenges->Tiles[6].Medal->Visible);
  EXPECT_NE(challenges->Tiles[0].Button->HintText->Text.find("<b>45000</b>"), std::string::npos);
  EXPECT_NE(challenges->Tiles[6].Button->HintText->Text.find("NOT COMPLETED"), std::string::npos);

  Move(324, 569);  // tile 7, second row
  Tick(10);
  EXPECT_TRUE(challenges->Tiles[7].Button->HintText->Visible);
  Click(324, 569);
  Tick(20);
  ExpectGameAskedFor();
  EXPECT_EQ(Res()->GameKind, GameKind::Challenge);
  EXPECT_EQ(Res()->ChallengeIndex, 7) << "the game takes the challenge index from the game type";
  EXPECT_EQ(Res()->GameType, Challenges[7].GameType[1]);
  EXPECT_EQ(I32(File("Profiles.dat"), ChallengeDifficultyAt), 1);
}

TEST_F(MenusFlow, CompletedChallengeRecordsBestAndTimeAndItsMedalGrowsOnReturn) {
  StartWithProfile();
  Profile().ChallengeDifficulty = 0;
  StartGame(2, 324, 441);  // tile 1: BEAT THE CLOCK! on Rozir Ivivuruda

  ChallengeEnds(1, 0, 8000, 60, 12, 30, true, 3);
  auto* over = As<TfrmGameOver>(ssGameOver);
  ASSERT_NE(over, nullptr);
  std::vector<std::uint8_t> profile = File("Profiles.dat");
  EXPECT_EQ(profile[ChallengeAt(1)], 1) << "completed at Easy";
  EXPECT_EQ(profile[ChallengeAt(1) + 1], 0);
  EXPECT_EQ(I32(profile, ChallengeAt(1) + 4), 8000);
  EXPECT_EQ(I32(profile, ChallengeAt(1) + 20), 210) << "240 seconds less the 30 left";
  EXPECT_EQ(over->TargetLabel->Caption->Text, "7500");
  EXPECT_EQ(over->ResultLabel->Caption->Text, "8000");
  EXPECT_EQ(over->Other, nullptr) << "no PLAY AGAIN once completed";
  EXPECT_EQ(over->Next->Caption->Text, "RETURN TO CHALLENGES");
  EXPECT_EQ(over->Picture->MainItem->ImageSet, 9);
  EXPECT_EQ(over->Picture->MainItem->ImageIndex, 2);
  EXPECT_EQ(Res()->CompletedChallenge, 1);
  Tick(3);
  EXPECT_EQ(Spy.Last(ekSound, 4)->Param, 1);

  Click(640, 519);  // RETURN TO CHALLENGES
  for (int i = 0; i < 40 && Screen(ssChallenge) == nullptr; ++i) Tick();
  auto* challenges = As<TfrmChallenge>(ssChallenge);
  ASSERT_NE(challenges, nullptr);
  EXPECT_NE(Screen(ssBackground), nullptr);
  EXPECT_EQ(Res()->CompletedChallenge, -1) << "the animation runs once";
  TrndGfx* medal = challenges->Tiles[1].Medal;
  EXPECT_TRUE(medal->Visible);
  EXPECT_NE(challenges->Tiles[1].Button->HintText->Text.find("3:30 Min"), std::string::npos);
  for (int i = 0; challenges->FadingIn; ++i) {
    EXPECT_EQ(medal->Width, 1) << "waits for the fade-in";
    Tick();
    ASSERT_LT(i, 100) << "the challenges screen did not finish fading in";
  }
  EXPECT_EQ(medal->Width, 5) << "the first step comes with the end of the fade-in";
  int largest = 0;
  int steps = 0;
  while (challenges->Animation.Running && steps < 100) {
    Tick();
    ++steps;
    largest = std::max(largest, medal->Width.Get());
    EXPECT_EQ(medal->Width, medal->Height);
    EXPECT_DOUBLE_EQ(medal->RelX, (108 - medal->Width) / 2.0 + 6);
  }
  EXPECT_EQ(largest, 117) << "grows past its size";
  EXPECT_EQ(medal->Width, 96) << "then settles";
  EXPECT_DOUBLE_EQ(medal->RelX, 12);
  EXPECT_EQ(steps, 34) << "29 steps up, six down, the first one already taken";

  // A slower finish keeps the best time; a faster one replaces it.
  Click(324, 441);
  Tick(20);
  ExpectGameAskedFor();
  ChallengeEnds(1, 0, 7600, 60, 12, 20, true, 2);
  EXPECT_EQ(I32(File("Profiles.dat"), ChallengeAt(1) + 20), 210);
  EXPECT_EQ(I32(File("Profiles.dat"), ChallengeAt(1) + 4), 8000) << "the best score stays";
  Click(640, 519);
  Tick(40);
  Click(324, 441);
  Tick(20);
  ChallengeEnds(1, 0, 7900, 60, 12, 40, true, 2);
  EXPECT_EQ(I32(File("Profiles.dat"), ChallengeAt(1) + 20), 200);
  Click(640, 519);
  Tick(40);
  Click(324, 441);
  Tick(20);
  ChallengeEnds(1, 0, 7500, 60, 12, 0, true, 2);
  over = As<TfrmGameOver>(ssGameOver);
  ASSERT_NE(over, nullptr);
  EXPECT_EQ(over->Picture->MainItem->ImageIndex, 0) << "completed as the clock ran out";
  EXPECT_EQ(I32(File("Profiles.dat"), ChallengeAt(1) + 20), 200);
}

TEST_F(MenusFlow, LeavingThroughTheMenuRecordsTheChallengeOnlyIfTheGameWasNotOver) {
  StartWithProfile();
  Profile().ChallengeDifficulty = 0;
  StartGame(2, 196, 569);  // tile 6: KILLENATE THEM! on Rozir Ivivuruda
  // A failed challenge offers another go.
  ChallengeEnds(6, 0, 4000, 30, 4, 0, false, 0);
  auto* over = As<TfrmGameOver>(ssGameOver);
  ASSERT_NE(over, nullptr);
  EXPECT_EQ(I32(File("Profiles.dat"), ChallengeAt(6) + 4), 30) << "best kills";
  EXPECT_EQ(File("Profiles.dat")[ChallengeAt(6)], 0);
  EXPECT_EQ(over->Picture->MainItem->ImageIndex, 1);
  ASSERT_NE(over->Other, nullptr);
  EXPECT_EQ(over->Other->Caption->Text, "PLAY AGAIN");
  Click(640, 454);
  Tick(20);
  EXPECT_TRUE(Spy.Saw(ekGame, 25));
  EXPECT_FALSE(Res()->GameOver);

  // Esc during the game, then EXIT TO MENU: the unfinished game counts.
  Res()->TotalKills = 45;
  Res()->Paused = true;
  Res()->MenuOpen = true;
  GameOpens(sidGameMenu);
  auto* menu = As<TfrmGameMenu>(ssGameMenu);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Buttons[3]->ActionParam, sidChallenge);
  Click(640, 550);
  Tick(3);
  EXPECT_EQ(I32(File("Profiles.dat"), ChallengeAt(6) + 4), 45);
  EXPECT_TRUE(Spy.Saw(ekForm, sidGame)) << "the game screen fades out too";
  Tick(30);
  EXPECT_EQ(Screen(ssGameMenu), nullptr);
  EXPECT_NE(Screen(ssChallenge), nullptr);
  EXPECT_NE(Screen(ssBackground), nullptr);

  // Over already: leaving records nothing more.
  Click(196, 569);
  Tick(20);
  ExpectGameAskedFor();
  Res()->ChallengeIndex = 6;
  Res()->TotalKills = 49;
  Res()->GameOver = true;
  GameOpens(sidGameMenu);
  const std::vector<std::uint8_t> before = File("Profiles.dat");
  Click(640, 550);
  Tick(30);
  EXPECT_EQ(File("Profiles.dat"), before);
}

TEST_F(MenusFlow, GameMenuResumesRestartsAndLeavesToTheSetUpScreenOfItsKind) {
  StartWithProfile();
  StartGame(1, 300, 435);
  const auto openMenu = [this](int kind) {
    Res()->GameKind = kind;
    // The arcade game below turned into another kind: no help page for it.
    if (auto* game = As<TfrmGame>(ssGame)) game->FirstFrameDone = true;
    Res()->Paused = true;
    Res()->MenuOpen = true;
    GameOpens(sidGameMenu);
    return As<TfrmGameMenu>(ssGameMenu);
  };
  TfrmGameMenu* menu = openMenu(GameKind::Mission);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Buttons[3]->ActionParam, sidMissions);
  Click(640, 325);  // RETURN TO GAME
  Tick(20);
  EXPECT_EQ(Screen(ssGameMenu), nullptr);
  EXPECT_FALSE(Res()->Paused);
  EXPECT_FALSE(Res()->MenuOpen);
  EXPECT_FALSE(Spy.Saw(ekGame, 25));

  menu = openMenu(GameKind::Arcade);
  ASSERT_NE(menu, nullptr);
  Click(640, 400);  // RESTART
  Tick(20);
  EXPECT_TRUE(Spy.Saw(ekGame, 25));
  EXPECT_FALSE(Res()->Paused);
  EXPECT_FALSE(Res()->MenuOpen);

  menu = openMenu(0);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Buttons[3]->ActionKind, 0) << "no set-up screen to go back to";
  Click(640, 325);
  Tick(20);

  menu = openMenu(GameKind::Arcade);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Buttons[3]->ActionParam, sidArcade);
  Click(640, 550);  // EXIT TO MENU
  Tick(40);
  EXPECT_NE(Screen(ssArcade), nullptr);
  EXPECT_NE(Screen(ssBackground), nullptr);
}

TEST_F(MenusFlow, HelpPageShowsTheLevelsPageAndNothingElse) {
  StartWithProfile();
  StartGame(0, 300, 515);
  const auto help = [this](int type, int level) {
    Res()->GameType = type;
    Res()->LevelNumber = level;
    GameOpens(sidTutorial);
    return As<TfrmTutorial>(ssTutorial);
  };
  TfrmTutorial* page = help(2, 3);
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->Page->Visible);
  EXPECT_EQ(page->Page->MainItem->ImageSet, 5);
  EXPECT_EQ(page->Page->MainItem->ImageIndex, 2);
  // The page may not be in the data: the frame is drawn all the same.
  Director->Graphics->RenderFrame();
  EXPECT_FALSE(Director->Graphics->Frame().empty());
  Click(640, 638);
  Tick(20);

  for (auto [type, level] : {std::pair{0, 1}, std::pair{4, 1}, std::pair{1, 0}, std::pair{3, 6}}) {
    page = help(type, level);
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->Page->Visible) << type << ", " << level;
    Click(640, 638);
    Tick(20);
    EXPECT_EQ(Screen(ssTutorial), nullptr);
  }
}

TEST_F(MenusFlow, GameOverOfAnUnknownKindShowsOnlyItsPanel) {
  StartWithProfile();
  StartGame(1, 300, 435);
  const std::vector<std::uint8_t> profiles = File("Profiles.dat");
  const std::vector<std::uint8_t> scores = File("Scores.dat");
  Res()->GameKind = 0;
  GameOpens(sidGameOver);
  auto* over = As<TfrmGameOver>(ssGameOver);
  ASSERT_NE(over, nullptr);
  EXPECT_FALSE(over->Picture->Visible);
  EXPECT_EQ(over->Next, nullptr);
  EXPECT_EQ(File("Profiles.dat"), profiles);
  EXPECT_EQ(File("Scores.dat"), scores);
  Tick(5);
  EXPECT_FALSE(Spy.Saw(ekSound, 3));
  EXPECT_FALSE(Spy.Saw(ekSound, 4));
}

TEST_F(MenusFlow, OpeningAScreenThatIsStillOpenReplacesItCleanly) {
  StartWithProfile();
  Open(1);
  ASSERT_NE(Screen(ssBackground), nullptr);
  const std::int32_t pieces = Director->Interface->Objects->GroupSize(grBackground);
  ASSERT_GT(pieces, 0);
  // Leaving a game opens the backdrop; here it was never closed.
  Director->SwitchScreen(sidArcade, grGameMenu, 7);
  Tick(20);
  EXPECT_EQ(Director->Interface->Objects->GroupSize(grBackground), pieces);
  EXPECT_GT(Director->Interface->Objects->GroupSize(grArcade), 0);
  int screens = 0;
  for (TsysEventComponent* c : Director->Events->Components)
    screens += c == Screen(ssBackground) || c == Screen(ssArcade);
  EXPECT_EQ(screens, 2);
}

}  // namespace
