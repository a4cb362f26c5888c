// A level set's progress per profile in the answer log: levels done and the best
// score never go back, rename carries them and delete removes them, the answers
// of a set's game carry its name, and a log written before sets existed opens
// and is brought up to date with its answers kept.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "data/sysProgress.h"
#include "sqliteSupport.h"
#include "testSupport.h"

namespace {

TAnswerRow Row(const std::string& question) {
  TAnswerRow r;
  r.Kind = 1;
  r.Game = 2;
  r.Level = 2;
  r.Difficulty = 1;
  r.Question = r.Answer = r.Given = question;
  r.Correct = true;
  r.Ms = 900;
  return r;
}

TEST(SetProgress, LevelsAndBestScoreOnlyRiseAndBelongToOneProfileAndSet) {
  TTempDir dir;
  TsysProgress log(dir.Path());
  EXPECT_EQ(log.SetProgress("Ada", "Left side").LevelsDone, 0);
  ASSERT_TRUE(log.RecordSetLevel("Ada", "Left side", 2, 1500));
  // A replay of level 1 with a lower score: nothing goes back.
  ASSERT_TRUE(log.RecordSetLevel("Ada", "Left side", 1, 400));
  TSetProgress p = log.SetProgress("Ada", "Left side");
  EXPECT_EQ(p.LevelsDone, 2);
  EXPECT_EQ(p.BestScore, 1500);
  ASSERT_TRUE(log.RecordSetLevel("Ada", "Left side", 2, 2100));
  EXPECT_EQ(log.SetProgress("Ada", "Left side").BestScore, 2100);
  EXPECT_EQ(log.SetProgress("Ada", "Left side").LevelsDone, 2) << "the same level again, level for level";
  EXPECT_EQ(log.SetProgress("Bo", "Left side").LevelsDone, 0);
  EXPECT_EQ(log.SetProgress("Ada", "Right side").LevelsDone, 0);
  EXPECT_FALSE(log.RecordSetLevel("Ada", "", 1, 10)) << "no set, no progress";
  EXPECT_FALSE(log.RecordSetLevel("Ada", "Left side", 0, 10));
}

TEST(SetProgress, RenameCarriesItDeleteRemovesItAndAMergeKeepsTheBetter) {
  TTempDir dir;
  TsysProgress log(dir.Path());
  ASSERT_TRUE(log.RecordSetLevel("Ada", "Left side", 3, 900));
  ASSERT_TRUE(log.RecordSetLevel("Bo", "Left side", 1, 2000));
  ASSERT_TRUE(log.RecordSetLevel("Bo", "Axes", 1, 50));
  ASSERT_TRUE(log.RenameProfile("Ada", "Ada L"));
  EXPECT_EQ(log.SetProgress("Ada", "Left side").LevelsDone, 0);
  EXPECT_EQ(log.SetProgress("Ada L", "Left side").LevelsDone, 3);
  // Renamed onto a name the log already holds: each set keeps the better of the two.
  ASSERT_TRUE(log.RenameProfile("Ada L", "Bo"));
  const TSetProgress merged = log.SetProgress("Bo", "Left side");
  EXPECT_EQ(merged.LevelsDone, 3);
  EXPECT_EQ(merged.BestScore, 2000);
  EXPECT_EQ(log.SetProgress("Bo", "Axes").LevelsDone, 1);
  EXPECT_EQ(QueryNumber(dir.File(ProgressFile), "SELECT count(*) FROM set_progress"), 2);
  ASSERT_TRUE(log.DeleteProfile("Bo"));
  EXPECT_EQ(log.SetProgress("Bo", "Left side").LevelsDone, 0);
  EXPECT_EQ(QueryNumber(dir.File(ProgressFile), "SELECT count(*) FROM set_progress"), 0);
}

TEST(SetProgress, ALogOfTheFirstSchemaOpensWithItsAnswersAndGainsTheSetsTable) {
  TTempDir dir;
  const std::string path = dir.File(ProgressFile);
  {
    // The file as the release before sets wrote it: the first schema only, one answer.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    std::string why;
    ASSERT_TRUE(MigrateProgress(db, {ProgressMigrations()[0]}, why)) << why;
    ASSERT_EQ(sqlite3_exec(db,
                           "INSERT INTO profile(id, name) VALUES(1, 'Ada');"
                           "INSERT INTO session(id, profile, started, kind, game, difficulty) "
                           "VALUES(1, 1, '2026-12-01 10:00:00', 1, 2, 1);"
                           "INSERT INTO answer(profile, session, time, kind, game, level, difficulty, question, "
                           "answer, given, correct, ms, input) VALUES(1, 1, '2026-12-01 10:00:05', 1, 2, 1, 1, "
                           "'(1,2)', '(1,2)', '(1,2)', 1, 800, 'pointer');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
  }
  ASSERT_EQ(QueryNumber(path, "PRAGMA user_version"), 1);
  {
    TsysProgress log(dir.Path());
    ASSERT_EQ(log.State(), TsysProgress::TState::Open);
    EXPECT_TRUE(log.Problems.empty());
    EXPECT_EQ(log.Answers("Ada").size(), 1u) << "the old answers are kept";
    ASSERT_TRUE(log.RecordSetLevel("Ada", "Left side", 1, 300));
    // A set's game: its answers carry the set's name and level.
    log.BeginSession("Ada", 1, 2, 1, "Left side");
    log.Record(Row("(-1,2)"));
    log.EndSession();
    const std::vector<TAnswerRow> rows = log.Answers("Ada");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].LevelSet, "");
    EXPECT_EQ(rows[1].LevelSet, "Left side");
    EXPECT_EQ(rows[1].Level, 2);
  }
  EXPECT_EQ(QueryNumber(path, "PRAGMA user_version"), TsysProgress::SchemaVersion);
  EXPECT_EQ(QueryNumber(path, "SELECT levels_done FROM set_progress"), 1);
  EXPECT_EQ(QueryNumber(path, "SELECT count(*) FROM pragma_integrity_check WHERE integrity_check = 'ok'"), 1);
  // Opened again: nothing more to do, nothing lost.
  TsysProgress again(dir.Path());
  EXPECT_EQ(again.SetProgress("Ada", "Left side").BestScore, 300);
  EXPECT_EQ(again.Answers("Ada").size(), 2u);
}

}  // namespace
