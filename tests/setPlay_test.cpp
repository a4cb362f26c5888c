// A teacher's level set played by the auto-player through the real game: only
// questions of the level's kinds, only in its quadrants, the level complete on
// exactly its number of kills, the set's next level after LEVEL COMPLETE and
// CLASS LEVELS after the last, with the progress kept in the answer log.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "autoPlayer.h"
#include "data/sysLevelSet.h"
#include "game/libSetPlay.h"
#include "gameFlowSupport.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "screens/frmGameOver.h"

namespace {

constexpr std::int64_t Minute = 60 * 60;

// The kind of question a monster carries, read from its question as a child
// reads it: 1 plain or flat, 2 one sum or through the origin, 3 two sums or any.
std::int32_t KindAsked(const TobjMonster& m, std::int32_t gameType) {
  if (gameType == GameType::QuickQuadrants) return 1;
  if (gameType == GameType::WhatsThePoint) {
    const std::string& q = m.Question;
    const std::size_t comma = q.find(',');
    auto sum = [](const std::string& part) { return part.find_first_of("+-", 1) != std::string::npos; };
    const bool x = sum(q.substr(1, comma - 1));
    const bool y = sum(q.substr(comma + 1, q.size() - comma - 2));
    return y ? (x ? 3 : -1) : (x ? 2 : 1);
  }
  if (!std::isfinite(m.Slope) || m.Slope == 0) return 1;
  return m.Intercept == 0 ? 2 : 3;
}

struct TWatch {
  std::map<std::int32_t, int> Kinds;      // questions asked by kind
  std::map<std::int32_t, int> Quadrants;  // answer points by quadrant index
  int Faults = 0;
  std::string FirstFault;
};

class SetPlay : public GameFlowTest {
 protected:
  // The set chosen as CLASS LEVELS chooses it, then the game opened.
  void OpenSet(const TLevelSet& set, const std::string& name, std::int32_t difficulty = Difficulty::Medium,
               std::int32_t level = 0) {
    if (!Director) CreateFirstProfile("Ada");
    Res()->PlayingSet = std::make_shared<const TLevelSet>(set);
    Res()->PlayingSetName = name;
    Res()->GameKind = GameKind::Mission;
    Res()->Difficulty = difficulty;
    Res()->MissionLevelChoice = level;
    Spy.PostEvent(pmQueued, ekScreen, sidGame, grClassLevels, 0);
    Tick(2);
  }
  TfrmGameOver* Over() { return dynamic_cast<TfrmGameOver*>(Screen(ssGameOver)); }
  void ClickButton(const TobjButton* button) {
    Click(static_cast<int>(button->X + button->Width / 2), static_cast<int>(button->Y + button->Height / 2));
  }

  // Every new monster's question checked against the level; the level's kills
  // when LEVEL COMPLETE first shows (-1 if it never did) and whether it ended.
  struct TLevelResult {
    std::int32_t KillsAtComplete = -1;
    bool Ended = false;
    bool Lost = false;
  };
  TLevelResult PlayLevel(TAutoPlayer& player, const TSetLevel& level, TWatch& watch, std::int64_t budget) {
    TLevelResult result;
    std::set<const TobjMonster*> seen;
    const std::int32_t startKills = Res()->TotalKills;
    const std::int64_t start = player.Steps;
    const std::int32_t range = level.Rules.GridRange[Res()->Difficulty];
    while (player.Steps - start < budget) {
      if (TfrmGameOver* over = Over(); over != nullptr && !over->FadingIn) {
        result.Ended = true;
        result.Lost = Res()->Lives <= 0;
        return result;
      }
      player.Step();
      TfrmGame* game = Game();
      if (game == nullptr) continue;
      if (result.KillsAtComplete < 0 && game->LevelCompleteText != nullptr)
        result.KillsAtComplete = Res()->TotalKills - startKills;
      std::set<const TobjMonster*> now;
      for (TobjMonster* m : Monsters()) {
        now.insert(m);
        if (seen.count(m) != 0 || m->Dying) continue;
        const std::int32_t kind = KindAsked(*m, level.Rules.GameType);
        ++watch.Kinds[kind];
        auto fault = [&](const std::string& what) {
          if (watch.Faults++ == 0) watch.FirstFault = what + ": " + m->Question;
        };
        if (kind < 1 || !level.QuestionKinds[kind - 1]) fault("a question of another kind");
        std::vector<TIntPoint> points = {m->AnswerPoint};
        if (level.Rules.GameType == GameType::DefineTheLine) points.push_back(m->SecondPoint);
        for (TIntPoint p : points) {
          const std::int32_t q = QuadrantOf(p.X, p.Y);
          ++watch.Quadrants[q];
          if (!level.Rules.QuadrantAllowed[q]) fault("an answer in a closed quadrant");
          if (level.Rules.GameType != GameType::QuickQuadrants && (std::abs(p.X) > range || std::abs(p.Y) > range))
            fault("an answer off the grid");
        }
      }
      seen.swap(now);
    }
    return result;
  }

  // Plays the whole set: each level until it is won (at most tries times),
  // then on to the next by the end panel's button. Returns the panels' captions.
  // monsters: each level's "monsters", as the file gives it.
  std::string PlaySet(const TLevelSet& set, const std::vector<std::int32_t>& monsters, TAutoPlayer& player,
                      TWatch& watch, int tries = 6) {
    EXPECT_EQ(monsters.size(), set.Levels.size());
    std::string captions;
    for (std::size_t i = 0; i < set.Levels.size();) {
      const TSetLevel& level = set.Levels[i];
      SCOPED_TRACE("level " + std::to_string(i + 1));
      EXPECT_EQ(Res()->LevelNumber, static_cast<std::int32_t>(i + 1));
      EXPECT_EQ(Res()->GameType, level.Rules.GameType);
      EXPECT_EQ(Res()->Lives, level.Lives) << "the level's own lives";
      const TLevelResult r = PlayLevel(player, level, watch, 20 * Minute);
      if (!r.Ended) {
        ADD_FAILURE() << "no end in twenty minutes";
        return captions;
      }
      TfrmGameOver* over = Over();
      captions += over->Next->Caption->Text + "|";
      if (r.Lost) {
        EXPECT_EQ(over->Next->Caption->Text, "TRY AGAIN");
        if (--tries == 0) {
          ADD_FAILURE() << "the auto-player keeps losing";
          return captions;
        }
      } else {
        // The set's "monsters" kills finish the level, not one more or less.
        EXPECT_EQ(r.KillsAtComplete, i < monsters.size() ? monsters[i] : -1);
        ++i;
      }
      ClickButton(over->Next);
      Tick(30);
    }
    return captions;
  }
};

TLevelSet Shipped(const std::string& name) {
  const TLevelSetRead read = ReadLevelSetFile(std::string(PLOTFRAY_SOURCE_DIR) + "data/levels/" + name);
  EXPECT_TRUE(read.Ok()) << name;
  return read.Set;
}

TEST_F(SetPlay, TheLeftHalfSetIsPlayedThroughLevelByLevelOnlyInQuadrantsTwoAndThree) {
  const TLevelSet set = Shipped("left-half.txt");
  ASSERT_EQ(set.Levels.size(), 3u);
  RandomSeed(32);
  OpenSet(set, "The left half");
  ASSERT_NE(Game(), nullptr);
  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 5);
  player.UsePowerUps = false;  // a blast kills several at once: the count is exact without
  TWatch watch;
  const std::string captions = PlaySet(set, {10, 10, 15}, player, watch);
  EXPECT_EQ(watch.Faults, 0) << watch.FirstFault;
  EXPECT_EQ(watch.Quadrants[1], 0);
  EXPECT_EQ(watch.Quadrants[4], 0);
  EXPECT_GT(watch.Quadrants[2], 0);
  EXPECT_GT(watch.Quadrants[3], 0);
  EXPECT_GT(watch.Quadrants[0], 0) << "the last level opens the axes";
  for (std::int32_t kind = 1; kind <= 3; ++kind) EXPECT_GT(watch.Kinds[kind], 0) << "kind " << kind;
  EXPECT_NE(captions.find("PLAY NEXT LEVEL|"), std::string::npos) << captions;
  EXPECT_NE(captions.find("BACK TO CLASS LEVELS|"), std::string::npos) << captions;
  Tick(40);
  EXPECT_NE(Screen(ssClassLevels), nullptr) << "the last level ends the set";
  EXPECT_EQ(Game(), nullptr);
  const TSetProgress progress = Res()->Progress->SetProgress("Ada", "The left half");
  EXPECT_EQ(progress.LevelsDone, 3);
  EXPECT_GT(progress.BestScore, 0);
  // The answer log: every answer of the set's game under its name and level.
  Res()->Progress->Flush();
  const std::vector<TAnswerRow> rows = Res()->Progress->Answers("Ada");
  ASSERT_FALSE(rows.empty());
  std::set<std::int32_t> levels;
  for (const TAnswerRow& row : rows) {
    EXPECT_EQ(row.LevelSet, "The left half");
    levels.insert(row.Level);
  }
  EXPECT_EQ(levels, (std::set<std::int32_t>{1, 2, 3}));
  std::printf("set %s: %s kinds %d/%d/%d, %lld steps\n", set.Title.c_str(), captions.c_str(), watch.Kinds[1],
              watch.Kinds[2], watch.Kinds[3], static_cast<long long>(player.Steps));
}

TEST_F(SetPlay, TheOriginLinesSetAsksOnlyLinesThroughTheOrigin) {
  const TLevelSet set = Shipped("origin-lines.txt");
  RandomSeed(33);
  OpenSet(set, "Lines through the origin");
  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 6);
  player.UsePowerUps = false;
  TWatch watch;
  PlaySet(set, {8, 10, 12}, player, watch);
  EXPECT_EQ(watch.Faults, 0) << watch.FirstFault;
  EXPECT_GT(watch.Kinds[2], 0);
  EXPECT_EQ(watch.Kinds[1] + watch.Kinds[3], 0);
  EXPECT_EQ(Res()->Progress->SetProgress("Ada", "Lines through the origin").LevelsDone, 3);
}

// Lines on a board with only quadrant II open: every line asked has two
// points there, at every difficulty (the set's rules are the same at each).
class SetPlayLines : public SetPlay, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(SetPlayLines, LinesFollowTheSetsQuadrants) {
  const TLevelSetRead read = ReadLevelSet(
      "[set]\ntitle = Top left\n[level]\ntitle = Lines up there\ngame = line\nrange = 4\nquadrants = II\n"
      "questions = flat, origin, any\nmonsters = 12\nat-once = 3\nspeed = 5\n");
  ASSERT_TRUE(read.Ok());
  RandomSeed(static_cast<std::uint32_t>(40 + GetParam()));
  OpenSet(read.Set, "Top left", GetParam());
  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 7);
  player.UsePowerUps = false;
  TWatch watch;
  PlaySet(read.Set, {12}, player, watch);
  EXPECT_EQ(watch.Faults, 0) << watch.FirstFault;
  for (std::int32_t kind = 1; kind <= 3; ++kind) EXPECT_GT(watch.Kinds[kind], 0) << "kind " << kind;
  EXPECT_EQ(watch.Quadrants[0] + watch.Quadrants[1] + watch.Quadrants[3] + watch.Quadrants[4], 0);
}

INSTANTIATE_TEST_SUITE_P(EachDifficulty, SetPlayLines,
                         ::testing::Values(Difficulty::Easy, Difficulty::Medium, Difficulty::Hard, Difficulty::Crazy));

TEST_F(SetPlay, EqualNumbersAtTheEdgesStillEndTheLevelOnItsLastKill) {
  // As many monsters as may stand at once, one monster alone, and one life.
  const TLevelSetRead read = ReadLevelSet(
      "[set]\ntitle = Edges\n"
      "[level]\ntitle = All at once\ngame = quadrant\nquadrants = I, III\nmonsters = 4\nat-once = 4\nspeed = 3\n"
      "[level]\ntitle = Just one\ngame = point\nrange = 1\nquadrants = axes\nquestions = two-sums\nmonsters = 1\n"
      "at-once = 1\nspeed = 1\nlives = 1\n");
  ASSERT_TRUE(read.Ok());
  RandomSeed(34);
  OpenSet(read.Set, "Edges");
  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 8);
  player.UsePowerUps = false;
  TWatch watch;
  const std::string captions = PlaySet(read.Set, {4, 1}, player, watch);
  EXPECT_EQ(watch.Faults, 0) << watch.FirstFault;
  EXPECT_EQ(captions, "PLAY NEXT LEVEL|BACK TO CLASS LEVELS|");
  EXPECT_EQ(Res()->Progress->SetProgress("Ada", "Edges").LevelsDone, 2);
}

TEST_F(SetPlay, ALevelLostIsTriedAgainWithItsOwnLivesAndKeepsNoProgress) {
  const TLevelSetRead read = ReadLevelSet(
      "[set]\ntitle = Fast\n[level]\ntitle = Too fast\ngame = point\nrange = 10\nquadrants = I\n"
      "questions = plain\nmonsters = 50\nat-once = 15\nspeed = 5\nlives = 2\n");
  ASSERT_TRUE(read.Ok());
  RandomSeed(35);
  OpenSet(read.Set, "Fast");
  EXPECT_EQ(Res()->Lives, 2);
  // Nobody answers: the monsters walk in until both lives are gone.
  ASSERT_TRUE(TickUntil([&] { return Over() != nullptr && !Over()->FadingIn; }, 20 * 60 * 60, "the level was lost"));
  EXPECT_EQ(Over()->Next->Caption->Text, "TRY AGAIN");
  EXPECT_EQ(Res()->Progress->SetProgress("Ada", "Fast").LevelsDone, 0);
  ClickButton(Over()->Next);
  Tick(30);
  ASSERT_NE(Game(), nullptr);
  EXPECT_EQ(Res()->Lives, 2) << "the level's own lives again";
  EXPECT_EQ(Res()->LevelNumber, 1);
  EXPECT_EQ(Res()->Level.Name, "Too fast");
}

}  // namespace
