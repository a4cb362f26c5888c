// The auto-player: its solver checked against the questions the game asks, then
// five simulated minutes of arcade play in each game type at each difficulty,
// from the main menu through the arcade screen, starting again from the arcade
// screen whenever a game ends; and a player clicking at random, who loses.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "autoPlayer.h"
#include "core/sysRandom.h"
#include "tables/defLevels.h"
#include "gameBoardSupport.h"
#include "gameFlowSupport.h"

namespace {

constexpr int FiveMinutes = 5 * 60 * 60;

TEST(AutoPlayerSolver, ReadsEveryQuestionTheGameAsksAsTheGameMeantIt) {
  for (std::int32_t type = 1; type <= 3; ++type) {
    for (std::int32_t difficulty = 0; difficulty < 4; ++difficulty) {
      TGameBoard board;
      board.UseArcade(type, difficulty, 10);
      board.Build();
      RandomSeed(static_cast<std::uint32_t>(type * 10 + difficulty));
      const std::int32_t range = board.Range();
      for (int i = 0; i < 150; ++i) {
        TobjMonster* m = board.Spawn(-200, -300);
        const std::string label = m->Label->Text;
        SCOPED_TRACE(label);
        if (type == GameType::QuickQuadrants) {
          std::int32_t q = 0;
          ASSERT_TRUE(TAutoPlayer::SolveQuadrant(label, q));
          EXPECT_EQ(q, QuadrantOf(m->AnswerPoint.X, m->AnswerPoint.Y));
        } else if (type == GameType::WhatsThePoint) {
          TIntPoint p;
          ASSERT_TRUE(TAutoPlayer::SolvePoint(label, p));
          EXPECT_EQ(p.X, m->AnswerPoint.X);
          EXPECT_EQ(p.Y, m->AnswerPoint.Y);
        } else {
          TIntPoint a, b;
          ASSERT_TRUE(TAutoPlayer::SolveLine(label, range, a, b));
          EXPECT_TRUE(a.X != b.X || a.Y != b.Y);
          for (TIntPoint p : {a, b}) {
            EXPECT_LE(std::abs(p.X), range);
            EXPECT_LE(std::abs(p.Y), range);
          }
          EXPECT_TRUE(TmodAI::AnswersLine(m->Slope, m->Intercept, m->AnswerPoint.X, a, b));
        }
        board.Objects()->DeleteObject(m->Index);
        board.Step();
      }
    }
  }
}

TEST(AutoPlayerSolver, RefusesWhatIsNotAQuestion) {
  TIntPoint p, a, b;
  std::int32_t q = 0;
  for (const char* cry : {"AAARGH!", "NI!", "OW.", "", "(1,)", "(,2)", "(1,2", "(X,Z)"}) {
    EXPECT_FALSE(TAutoPlayer::SolvePoint(cry, p)) << cry;
    EXPECT_FALSE(TAutoPlayer::SolveQuadrant(cry, q)) << cry;
    EXPECT_FALSE(TAutoPlayer::SolveLine(cry, 3, a, b)) << cry;
  }
  EXPECT_FALSE(TAutoPlayer::SolveLine("y=1/0x", 3, a, b));
  ASSERT_TRUE(TAutoPlayer::SolveLine("y=-(1/2)x+1", 3, a, b));
  EXPECT_EQ(a.X, -2);
  EXPECT_EQ(a.Y, 2);
  EXPECT_EQ(b.X, 0);
  EXPECT_EQ(b.Y, 1);
}

struct TPlayCase {
  std::int32_t Type;
  std::int32_t Difficulty;
};

std::string CaseName(const ::testing::TestParamInfo<TPlayCase>& info) {
  static const char* Types[3] = {"Quadrants", "Point", "Line"};
  return std::string(Types[info.param.Type - 1]) + DifficultyName(info.param.Difficulty);
}

class AutoPlay : public GameFlowTest, public ::testing::WithParamInterface<TPlayCase> {
 protected:
  // Main menu -> ARCADE -> a difficulty -> a mode.
  void ArcadeFromMainMenu(std::int32_t type, std::int32_t difficulty) {
    Click(510, 395);
    Tick(40);
    ChooseOnArcade(type, difficulty);
  }
  void ChooseOnArcade(std::int32_t type, std::int32_t difficulty) {
    static constexpr int EntryX[4] = {0, 157, 314, 471};
    Click(197 + EntryX[difficulty] + 78, 330);
    Click(302, 435 + 80 * (type - 1));
    Tick(40);
  }
};

TEST_P(AutoPlay, FiveMinutesOfArcadeWithoutAFault) {
  const TPlayCase c = GetParam();
  CreateFirstProfile("Ada");
  RandomSeed(static_cast<std::uint32_t>(1000 + c.Type * 10 + c.Difficulty));
  ArcadeFromMainMenu(c.Type, c.Difficulty);
  ASSERT_NE(Game(), nullptr);
  ASSERT_EQ(Res()->GameType, c.Type);
  ASSERT_EQ(Res()->Difficulty, c.Difficulty);

  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 7);
  int games = 1;
  std::int32_t bestLevel = 0;
  std::int32_t bestScore = 0;
  std::int32_t kills = 0;
  std::string results;
  auto note = [&] {
    bestLevel = std::max(bestLevel, Res()->LevelNumber);
    bestScore = std::max(bestScore, Res()->Score);
  };
  const std::int64_t start = player.Steps;
  while (player.Steps - start < FiveMinutes) {
    ASSERT_TRUE(Game() != nullptr || Screen(ssArcade) != nullptr);
    if (Screen(ssGameOver) != nullptr && !Screen(ssGameOver)->FadingIn) {
      note();
      kills += Res()->TotalKills;
      results += " [level " + std::to_string(Res()->LevelNumber) + ", score " + std::to_string(Res()->Score) + "]";
      Click(640, 519);  // BACK TO ARCADE
      Tick(40);
      ASSERT_NE(Screen(ssArcade), nullptr);
      ChooseOnArcade(c.Type, c.Difficulty);
      ASSERT_NE(Game(), nullptr);
      ++games;
      continue;
    }
    player.Step();
    EXPECT_GE(Res()->Lives, 0);
    EXPECT_LE(Res()->DoomCharge, 100);
  }
  note();
  kills += Res()->TotalKills;
  results += " [level " + std::to_string(Res()->LevelNumber) + ", score " + std::to_string(Res()->Score) + ", playing]";
  std::printf("auto-player %s %s: %d game(s), best level %d, best score %d, kills %d, answers %d, power-ups %d, "
              "Doom %d;%s\n",
              GameTypeName(c.Type).c_str(), DifficultyName(c.Difficulty).c_str(), games, bestLevel, bestScore, kills,
              player.Answers, player.PowerUpsUsed, player.DoomsFired, results.c_str());
  RecordProperty("best_level", bestLevel);
  RecordProperty("best_score", bestScore);
  EXPECT_GT(kills, 20);
  if (c.Difficulty == Difficulty::Easy) {
    EXPECT_GE(bestLevel, 5) << "arcade level 5 on Easy";
  }
}

INSTANTIATE_TEST_SUITE_P(EachTypeAndDifficulty, AutoPlay,
                         ::testing::Values(TPlayCase{1, 0}, TPlayCase{1, 1}, TPlayCase{1, 2}, TPlayCase{1, 3},
                                           TPlayCase{2, 0}, TPlayCase{2, 1}, TPlayCase{2, 2}, TPlayCase{2, 3},
                                           TPlayCase{3, 0}, TPlayCase{3, 1}, TPlayCase{3, 2}, TPlayCase{3, 3}),
                         CaseName);

class RandomPlay : public GameFlowTest, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(RandomPlay, ClickingAtRandomLosesEveryLife) {
  const std::int32_t type = GetParam();
  OpenGame(GameKind::Arcade, type, Difficulty::Easy, 99);
  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Random, 5);
  while (!Res()->GameOver && player.Steps < 4 * FiveMinutes) player.Step();
  Tick(20);
  std::printf("random player %s Easy: %s after %lld steps, level %d, score %d, kills %d\n",
              GameTypeName(type).c_str(), Res()->GameOver ? "game over" : "still playing",
              static_cast<long long>(player.Steps), Res()->LevelNumber, Res()->Score, Res()->TotalKills);
  EXPECT_TRUE(Res()->GameOver) << "random clicks did not lose every life in twenty minutes";
  EXPECT_EQ(Res()->Lives, 0);
  EXPECT_NE(Screen(ssGameOver), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EachType, RandomPlay, ::testing::Values(1, 2, 3));

}  // namespace
