// The answer log in the whole program: the auto-player's games recorded answer
// for answer, a miss recorded against the question it was aimed at, the
// progress screen reached by keys and its EXPORT, and the profile list's
// DELETE and RENAME, with the 2001st profile refused.
#include <gtest/gtest.h>

#include <set>

#include "autoPlayer.h"
#include "core/sysRandom.h"
#include "data/sysReport.h"
#include "gameFlowSupport.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objListbox.h"
#include "objects/objText.h"
#include "render/modInput.h"
#include "screens/frmMainMenu.h"
#include "screens/frmProfile.h"
#include "screens/frmProfileCreate.h"
#include "screens/frmProgress.h"

namespace {

struct TRecordCase {
  std::int32_t Type;
  std::int32_t Difficulty;
};

std::string RecordCaseName(const ::testing::TestParamInfo<TRecordCase>& info) {
  static const char* Types[3] = {"Quadrants", "Point", "Line"};
  return std::string(Types[info.param.Type - 1]) + DifficultyName(info.param.Difficulty);
}

class ProgressPlay : public GameFlowTest, public ::testing::WithParamInterface<TRecordCase> {};

// Every monster the solver's clicks hit is one right answer in the log, no
// more and no less, with the question it carried and its answer.
TEST_P(ProgressPlay, TheLogHoldsExactlyTheAnswersTheAutoPlayerGave) {
  const TRecordCase c = GetParam();
  OpenGame(GameKind::Arcade, c.Type, c.Difficulty, static_cast<std::uint32_t>(50 + c.Type * 10 + c.Difficulty));
  ASSERT_NE(Game(), nullptr);
  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 3);
  player.UsePowerUps = false;  // what a power-up stops is no answer
  Spy.Got.clear();
  constexpr int Steps = 90 * 60;
  for (int i = 0; i < Steps && Game() != nullptr && !Res()->GameOver; ++i) player.Step();
  Tick(2);
  std::int64_t kills = 0;
  for (const auto& seen : Spy.Got) {
    if (seen.Kind != ekGame) continue;
    if (seen.Code == 18) kills += 1;
    if (seen.Code == 20) kills += seen.Param;
  }
  ASSERT_GT(kills, 10) << "the auto-player answered too little to tell";
  Res()->Progress->EndSession();
  const std::vector<TAnswerRow> rows = Res()->Progress->Answers("Ada");
  EXPECT_EQ(static_cast<std::int64_t>(rows.size()), kills);
  std::set<std::int64_t> sessions;
  for (const TAnswerRow& r : rows) {
    SCOPED_TRACE(r.Question);
    sessions.insert(r.Session);
    EXPECT_TRUE(r.Correct);
    EXPECT_EQ(r.Given, r.Answer);
    EXPECT_EQ(r.Kind, GameKind::Arcade);
    EXPECT_EQ(r.Game, c.Type);
    EXPECT_EQ(r.Difficulty, c.Difficulty);
    EXPECT_FALSE(r.Keys);
    EXPECT_GE(r.Ms, 0);
    EXPECT_LT(r.Ms, 120000);
    // The answer is the one the question asks, read as a child reads it.
    if (c.Type == GameType::QuickQuadrants) {
      std::int32_t q = 0;
      ASSERT_TRUE(TAutoPlayer::SolveQuadrant(r.Question, q));
      static const char* Numerals[5] = {"", "I", "II", "III", "IV"};
      EXPECT_EQ(r.Answer, Numerals[q]);
    } else if (c.Type == GameType::WhatsThePoint) {
      TIntPoint p;
      ASSERT_TRUE(TAutoPlayer::SolvePoint(r.Question, p));
      EXPECT_EQ(r.Answer, "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")");
    } else {
      EXPECT_EQ(r.Answer, r.Question);
    }
  }
  EXPECT_EQ(sessions.size(), 1u) << "one game, one session";
  EXPECT_GT(player.Answers, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryGameAndDifficulty, ProgressPlay,
                         ::testing::Values(TRecordCase{1, 0}, TRecordCase{1, 1}, TRecordCase{1, 2}, TRecordCase{1, 3},
                                           TRecordCase{2, 0}, TRecordCase{2, 1}, TRecordCase{2, 2}, TRecordCase{2, 3},
                                           TRecordCase{3, 0}, TRecordCase{3, 1}, TRecordCase{3, 2}, TRecordCase{3, 3}),
                         RecordCaseName);

class ProgressFlow : public GameFlowTest {
 protected:
  TobjGridPoint* PointAt(std::int32_t x, std::int32_t y) {
    for (std::int32_t i = 0; i < Objects()->TypeSize(otGridPoint); ++i) {
      auto* p = dynamic_cast<TobjGridPoint*>(Objects()->TypeObject(otGridPoint, i));
      if (p != nullptr && p->Active && p->PointX == x && p->PointY == y) return p;
    }
    return nullptr;
  }
  void Key(int vk) {
    Director->Input->KeyDown(vk, 0);
    Tick(1);
    Director->Input->KeyUp(vk, 0);
    Tick(2);
  }
  // Answers recorded for a player as the game records them.
  void Played(const std::string& name, std::int32_t game, const std::vector<std::pair<std::string, bool>>& answers) {
    TsysProgress& log = *Res()->Progress;
    log.BeginSession(name, GameKind::Arcade, game, 1);
    for (const auto& [question, right] : answers) {
      TAnswerRow r;
      r.Game = game;
      r.Level = 1;
      r.Question = question;
      r.Answer = question;
      r.Given = right ? question : "y=0";
      r.Correct = right;
      r.Ms = 2000;
      log.Record(r);
    }
    log.EndSession();
  }
};

TEST_F(ProgressFlow, AMissIsRecordedAgainstTheQuestionItWasAimedAtAndAHitByKeysSaysSo) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  ForceSize(1);
  TobjMonster* near = Monster(-100, 0);
  TobjMonster* far = Monster(300, -300);
  near->AnswerPoint = {1, 1};
  far->AnswerPoint = {-2, 2};
  near->Question = "(1,1)";
  far->Question = "(-2,2)";
  Tick(30);  // both questions read for half a second
  Res()->KeyboardPlay = false;  // the pointer
  // (-1,2) lies next to the far monster's answer: the miss was meant for it.
  ASSERT_NE(PointAt(-1, 2), nullptr);
  PointAt(-1, 2)->Answer();
  Tick(2);
  Res()->KeyboardPlay = true;
  PointAt(1, 1)->Answer();
  Tick(2);
  Res()->Progress->EndSession();
  const std::vector<TAnswerRow> rows = Res()->Progress->Answers();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Question, "(-2,2)");
  EXPECT_EQ(rows[0].Answer, "(-2,2)");
  EXPECT_EQ(rows[0].Given, "(-1,2)");
  EXPECT_FALSE(rows[0].Correct);
  EXPECT_FALSE(rows[0].Keys);
  EXPECT_GE(rows[0].Ms, 500) << "read for at least the thirty steps waited";
  EXPECT_EQ(rows[1].Question, "(1,1)");
  EXPECT_TRUE(rows[1].Correct);
  EXPECT_TRUE(rows[1].Keys);
  EXPECT_GT(rows[1].Ms, rows[0].Ms);
}

TEST_F(ProgressFlow, TheProgressScreenOpensByKeysShowsTheSkillsAndExportsTheReports) {
  CreateFirstProfile("Ada");
  Played("Ada", GameType::DefineTheLine,
         {{"y=(1/2)x", false}, {"y=(1/3)x", false}, {"y=-(1/2)x", true}, {"y=(1/4)x", false}, {"y=(1/5)x", false},
          {"x=2", true}, {"x=3", true}, {"y=2x", true}});
  Played("Ada", GameType::QuickQuadrants, {{"(X,Y)", true}});
  // Down the column of the main menu to PROGRESS, then Enter.
  auto* menu = dynamic_cast<TfrmMainMenu*>(Screen(ssMainMenu));
  ASSERT_NE(menu, nullptr);
  for (int i = 0; i < 8 && menu->Focus->Current() != menu->Buttons[4]; ++i) Key(vkArrowDown);
  ASSERT_EQ(menu->Focus->Current(), menu->Buttons[4]);
  EXPECT_EQ(menu->Buttons[4]->Caption->Text, "PROGRESS");
  Key(vkReturn);
  Tick(40);
  auto* progress = dynamic_cast<TfrmProgress*>(Screen(ssProgress));
  ASSERT_NE(progress, nullptr) << "PROGRESS is the fifth button";
  EXPECT_EQ(progress->Shown.All, 9);
  EXPECT_EQ(progress->Shown.Sessions, 2);
  EXPECT_EQ(progress->Shown.Skills[skFractionSlope].All, 5);
  EXPECT_EQ(progress->Shown.Skills[skFractionSlope].Right, 1);
  EXPECT_EQ(progress->Shown.Skills[skLevelLine].Right, 2);
  EXPECT_EQ(progress->Weakest->Caption->Text,
            "Lines with a fraction slope: 1 of 5 right. Tutorial: Define the Line level 2.");

  Click(397, 717);  // EXPORT
  Tick(2);
  const std::string notice = progress->Notice->Caption->Text;
  EXPECT_NE(notice.find(Res()->SavePath), std::string::npos) << notice;
  std::vector<std::uint8_t> csv;
  ASSERT_TRUE(ReadFileBytes(Res()->SavePath + "plotfray-report-" + IsoLocalTime(std::time(nullptr)).substr(0, 10) +
                                ".csv",
                            csv));
  std::vector<TAnswerRow> rows;
  std::string why;
  ASSERT_TRUE(ReadCsvReport(std::string(csv.begin(), csv.end()), rows, why)) << why;
  EXPECT_EQ(rows.size(), 9u);
  EXPECT_NE(notice.find(".html"), std::string::npos);

  Key(0x1B);  // Esc goes back
  Tick(40);
  EXPECT_NE(Screen(ssMainMenu), nullptr);
}

TEST_F(ProgressFlow, DeleteAsksFirstThenTakesTheProfileAndItsAnswersButNotItsHighScores) {
  CreateFirstProfile("Ada");
  TProfileRecord bo;
  bo.Name = "Bo";
  Res()->AddProfile(bo);
  Res()->SaveProfiles();
  TSettingsRecord s = Res()->Settings;
  s.ActiveProfile = 1;
  Res()->SaveSettings(s);
  Played("Bo", GameType::DefineTheLine, {{"x=1", true}});
  Played("Ada", GameType::DefineTheLine, {{"x=2", true}});
  Res()->ScoreTables[0][0].Name = "Bo";
  Res()->SaveScores();
  Click(110, 55);  // CHANGE PROFILE
  Tick(40);
  auto* profiles = dynamic_cast<TfrmProfile*>(Screen(ssProfile));
  ASSERT_NE(profiles, nullptr);
  ASSERT_EQ(profiles->List->SelectedIndex, 1);
  Click(629, 617);  // DELETE
  ASSERT_FALSE(profiles->Dialog.empty());
  EXPECT_NE(profiles->DialogText->Caption->Text.find("Delete the player Bo?"), std::string::npos);
  EXPECT_NE(profiles->DialogText->Caption->Text.find("high scores stay"), std::string::npos);
  Click(622, 503);  // KEEP
  EXPECT_TRUE(profiles->Dialog.empty());
  EXPECT_EQ(Res()->ProfileCount(), 2) << "kept";
  Click(629, 617);  // DELETE
  Click(402, 503);  // DELETE, for good
  EXPECT_EQ(Res()->ProfileCount(), 1);
  EXPECT_EQ(Res()->GetProfile(0).Name, "Ada");
  EXPECT_EQ(Res()->Settings.ActiveProfile, 0) << "the first one left";
  EXPECT_EQ(File("Profiles.dat").size(), 504u);
  EXPECT_TRUE(Res()->Progress->Answers("Bo").empty());
  EXPECT_EQ(Res()->Progress->Answers("Ada").size(), 1u);
  EXPECT_EQ(Res()->ScoreTables[0][0].Name, "Bo") << "a high score is a record of the past";
  ASSERT_EQ(profiles->List->LineCount(), 1);

  // The last one gone: a new player is asked for, as on a first run.
  Click(629, 617);
  Click(402, 503);
  Tick(40);
  EXPECT_EQ(Res()->ProfileCount(), 0);
  EXPECT_EQ(Res()->Settings.ActiveProfile, -1);
  auto* create = dynamic_cast<TfrmProfileCreate*>(Screen(ssProfileCreate));
  ASSERT_NE(create, nullptr);
  EXPECT_EQ(create->Cancel, nullptr);
}

TEST_F(ProgressFlow, RenameKeepsTheAnswersAndRefusesANameInUse) {
  CreateFirstProfile("Ada");
  TProfileRecord bo;
  bo.Name = "Bo";
  Res()->AddProfile(bo);
  Res()->SaveProfiles();
  Played("Ada", GameType::DefineTheLine, {{"x=1", true}, {"x=2", false}});
  Click(110, 55);
  Tick(40);
  auto* profiles = dynamic_cast<TfrmProfile*>(Screen(ssProfile));
  ASSERT_NE(profiles, nullptr);
  profiles->List->SelectLine(0);
  Click(396, 617);  // RENAME
  ASSERT_NE(profiles->NameBox, nullptr);
  Type("bo");
  Director->Input->KeyPress(13);
  Tick(2);
  EXPECT_NE(profiles->DialogNotice->Caption->Text.find("already a player called Bo"), std::string::npos);
  EXPECT_EQ(Res()->GetProfile(0).Name, "Ada");
  for (int i = 0; i < 2; ++i) {
    Director->Input->KeyDown(8, 0);
    Director->Input->KeyUp(8, 0);
    Tick(1);
  }
  Type("Ada L");
  Director->Input->KeyPress(13);
  Tick(2);
  EXPECT_TRUE(profiles->Dialog.empty());
  EXPECT_EQ(Res()->GetProfile(0).Name, "Ada L");
  const std::vector<std::uint8_t> saved = File("Profiles.dat");
  ASSERT_GE(saved.size(), 6u);
  EXPECT_EQ(std::string(saved.begin() + 1, saved.begin() + 6), "Ada L");
  EXPECT_EQ(Res()->Progress->Answers("Ada L").size(), 2u);
  EXPECT_TRUE(Res()->Progress->Answers("Ada").empty());
  EXPECT_NE(Screen(ssProfile), nullptr) << "Enter in the dialog did not choose a profile";
}

TEST_F(ProgressFlow, The2001stProfileIsRefusedWhenItIsMadeAndThe2000thIsNot) {
  CreateFirstProfile("Ada");
  TProfileRecord p;
  for (int i = 1; i < 1999; ++i) {
    p.Name = "P" + std::to_string(i);
    Res()->AddProfile(p);
  }
  Res()->SaveProfiles();
  ASSERT_EQ(Res()->ProfileCount(), 1999);
  for (const char* name : {"Last", "OneTooMany"}) {
    Spy.PostEvent(pmQueued, ekScreen, sidProfileCreate, grMainMenu, 0);
    Tick(40);
    auto* create = dynamic_cast<TfrmProfileCreate*>(Screen(ssProfileCreate));
    ASSERT_NE(create, nullptr);
    Type(name);
    Click(389, 434);  // OK
    Tick(2);
    if (std::string(name) == "Last") {
      EXPECT_EQ(Res()->ProfileCount(), 2000);
      Tick(40);
    } else {
      EXPECT_EQ(Res()->ProfileCount(), 2000);
      EXPECT_NE(create->Notice->Caption->Text.find("2000 players"), std::string::npos);
      EXPECT_EQ(File("Profiles.dat").size(), 2000u * 504u);
    }
  }
}

TEST_F(ProgressFlow, ANameAlreadyTakenIsRefusedAtCreation) {
  CreateFirstProfile("Ada");
  Spy.PostEvent(pmQueued, ekScreen, sidProfileCreate, grMainMenu, 0);
  Tick(40);
  auto* create = dynamic_cast<TfrmProfileCreate*>(Screen(ssProfileCreate));
  ASSERT_NE(create, nullptr);
  Type("ADA");
  Click(389, 434);  // OK
  Tick(2);
  EXPECT_EQ(Res()->ProfileCount(), 1);
  EXPECT_NE(create->Notice->Caption->Text.find("already a player called Ada"), std::string::npos);
}

}  // namespace
