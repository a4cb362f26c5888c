// The answer log: what a game records and when it reaches the disk, profiles
// deleted and renamed, the size bound, migrations, and the files it must not
// trust (damaged, cut short, another program's, newer, read-only, unreadable,
// killed in the middle of a write).
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "data/sysFiles.h"
#include "data/sysProgress.h"
#include "sqliteSupport.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> LogFileBytes(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

void LogPutFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::filesystem::remove(path);
  ASSERT_TRUE(WriteFileAtomic(path, bytes));
}

// 2025-05-20 10:00:00 UTC, a second more at each answer.
struct TTicking {
  std::time_t Now = 1747735200;
  std::time_t operator()() { return Now++; }
};

TAnswerRow LogRow(const std::string& question, bool correct, std::int32_t ms = 1500) {
  TAnswerRow r;
  r.Kind = 2;
  r.Game = 2;
  r.Level = 3;
  r.Difficulty = 1;
  r.Question = question;
  r.Answer = "(2,1)";
  r.Given = correct ? "(2,1)" : "(1,2)";
  r.Correct = correct;
  r.Ms = ms;
  return r;
}

std::int64_t CountRows(const std::string& path, const char* sql = "SELECT count(*) FROM answer") {
  return QueryNumber(path, sql);
}

std::string IntegrityOf(const std::string& path) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
      result = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
  }
  sqlite3_close(db);
  return result;
}

// Runs body as an ordinary user (root reads every file whatever its permissions).
void AsOrdinaryUser(const TTempDir& dir, const std::function<bool()>& body) {
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && ::setresgid(65534, 65534, 65534) != 0) std::_Exit(3);
        if (::geteuid() == 0 && ::setresuid(65534, 65534, 65534) != 0) std::_Exit(3);
        std::_Exit(body() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ProgressLog, AGameIsWrittenWhenItEndsWithEveryFieldAndReadBackInOrder) {
  TTempDir dir;
  {
    TsysProgress log(dir.Path(), TTicking{});
    ASSERT_EQ(log.State(), TsysProgress::TState::Open);
    EXPECT_TRUE(log.Problems.empty());
    log.Record(LogRow("(0,0)", true));  // before any game: nothing to belong to
    log.BeginSession("Zoë", 2, 2, 1);
    log.Record(LogRow("(-3+5,1)", true, 2400));
    TAnswerRow keys = LogRow("(2,1)", false, 900);
    keys.Keys = true;
    log.Record(keys);
    EXPECT_EQ(log.Pending(), 2u);
    EXPECT_EQ(CountRows(dir.File(ProgressFile)), 0) << "nothing is written while the game runs";
    log.EndSession();
    EXPECT_EQ(log.Pending(), 0u);
    EXPECT_EQ(CountRows(dir.File(ProgressFile)), 2);
    log.BeginSession("Ben", 3, 1, 0);
    log.Record(LogRow("(X,-Y)", true));
    log.BeginSession("Zoë", 1, 3, 2);  // a new game ends the last one
    log.Record(LogRow("y=2x", false));
  }
  std::vector<TAnswerRow> rows;
  std::vector<TPowerRow> powers;
  std::string why;
  ASSERT_TRUE(TsysProgress::ReadLog(dir.File(ProgressFile), "", "", rows, powers, why)) << why;
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].Profile, "Zoë");
  EXPECT_EQ(rows[0].Question, "(-3+5,1)");
  EXPECT_EQ(rows[0].Answer, "(2,1)");
  EXPECT_TRUE(rows[0].Correct);
  EXPECT_EQ(rows[0].Ms, 2400);
  EXPECT_FALSE(rows[0].Keys);
  EXPECT_EQ(rows[0].Kind, 2);
  EXPECT_EQ(rows[0].Level, 3);
  EXPECT_EQ(rows[0].Difficulty, 1);
  EXPECT_EQ(rows[1].Given, "(1,2)");
  EXPECT_FALSE(rows[1].Correct);
  EXPECT_TRUE(rows[1].Keys);
  EXPECT_EQ(rows[0].Session, rows[1].Session);
  // Grouped by player in the order they first played, then by time.
  EXPECT_EQ(rows[2].Profile, "Zoë");
  EXPECT_EQ(rows[2].Question, "y=2x");
  EXPECT_EQ(rows[2].Kind, 1) << "the kind and difficulty are the game's";
  EXPECT_EQ(rows[2].Difficulty, 2);
  EXPECT_NE(rows[2].Session, rows[0].Session);
  EXPECT_EQ(rows[3].Profile, "Ben");
  // The time of each answer, as ISO 8601 with the offset.
  for (const TAnswerRow& r : rows) {
    ASSERT_EQ(r.Time.size(), 25u) << r.Time;
    EXPECT_EQ(r.Time[10], 'T');
    EXPECT_TRUE(r.Time[19] == '+' || r.Time[19] == '-') << r.Time;
    EXPECT_EQ(r.Time[22], ':');
  }
  EXPECT_LT(rows[0].Time, rows[2].Time);
  EXPECT_EQ(IntegrityOf(dir.File(ProgressFile)), "ok");

  // One player, and a day filter.
  rows.clear();
  ASSERT_TRUE(TsysProgress::ReadLog(dir.File(ProgressFile), "Ben", "", rows, powers, why));
  EXPECT_EQ(rows.size(), 1u);
  rows.clear();
  ASSERT_TRUE(TsysProgress::ReadLog(dir.File(ProgressFile), "", "2099-01-01", rows, powers, why));
  EXPECT_TRUE(rows.empty());
}

TEST(ProgressLog, HeldAnswersReachTheDiskAfterAFewSecondsOfPlay) {
  TTempDir dir;
  TsysProgress log(dir.Path(), TTicking{});
  log.FlushSteps = 300;
  log.BeginSession("Ada", 2, 1, 0);
  log.Record(LogRow("(X,Y)", true));
  for (int i = 0; i < 299; ++i) log.Step();
  EXPECT_EQ(CountRows(dir.File(ProgressFile)), 0) << "one step short of five seconds";
  log.Step();
  EXPECT_EQ(CountRows(dir.File(ProgressFile)), 1);
  log.RecordPower("Doom Device", 4);
  log.EndSession();
  EXPECT_EQ(CountRows(dir.File(ProgressFile), "SELECT sum(monsters) FROM power"), 4);
  EXPECT_EQ(CountRows(dir.File(ProgressFile)), 1) << "the power-up is not an answer";
}

TEST(ProgressLog, DeletingAProfileLeavesNoTraceOfItsAnswersRenamingKeepsThem) {
  TTempDir dir;
  TsysProgress log(dir.Path(), TTicking{});
  log.BeginSession("Secret Sam", 2, 1, 0);
  for (int i = 0; i < 20; ++i) log.Record(LogRow("(7,7)", i % 2 == 0));
  log.RecordPower("Doom Device", 3);
  log.BeginSession("Ada", 2, 1, 0);
  log.Record(LogRow("(1,1)", true));
  log.BeginSession("Secret Sam", 2, 1, 0);
  log.Record(LogRow("(7,7)", true));  // held, not yet written
  ASSERT_TRUE(log.DeleteProfile("Secret Sam"));
  EXPECT_FALSE(log.InSession()) << "the deleted player's game records nothing more";
  log.Record(LogRow("(7,7)", true));
  log.Flush();
  EXPECT_EQ(log.Answers("Secret Sam").size(), 0u);
  EXPECT_EQ(log.Powers("Secret Sam").size(), 0u);
  EXPECT_EQ(log.Answers().size(), 1u);
  EXPECT_EQ(CountRows(dir.File(ProgressFile), "SELECT count(*) FROM profile WHERE name = 'Secret Sam'"), 0);
  EXPECT_EQ(CountRows(dir.File(ProgressFile), "SELECT count(*) FROM session"), 1);
  // Nothing of the name is left in the file's bytes either.
  const std::vector<std::uint8_t> bytes = LogFileBytes(dir.File(ProgressFile));
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text.find("Secret Sam"), std::string::npos);
  EXPECT_EQ(text.find("(7,7)"), std::string::npos);

  ASSERT_TRUE(log.RenameProfile("Ada", "Ada Lovelace"));
  log.BeginSession("Ada Lovelace", 2, 1, 0);
  log.Record(LogRow("(2,2)", true));
  log.EndSession();
  EXPECT_EQ(log.Answers("Ada").size(), 0u);
  EXPECT_EQ(log.Answers("Ada Lovelace").size(), 2u);
}

TEST(ProgressLog, EachPlayerKeepsTheNewestAnswersUpToTheBound) {
  TTempDir dir;
  TsysProgress log(dir.Path(), TTicking{});
  log.MaxAnswersPerProfile = 10;
  log.BeginSession("Ada", 2, 1, 0);
  for (int i = 0; i < 8; ++i) log.Record(LogRow("(" + std::to_string(i) + ",0)", true));
  log.BeginSession("Bo", 2, 1, 0);
  for (int i = 0; i < 3; ++i) log.Record(LogRow("(9,9)", true));
  log.BeginSession("Ada", 2, 1, 0);
  for (int i = 8; i < 10; ++i) log.Record(LogRow("(" + std::to_string(i) + ",0)", true));
  log.EndSession();
  EXPECT_EQ(log.Answers("Ada").size(), 10u) << "exactly at the bound, nothing goes";
  log.BeginSession("Ada", 2, 1, 0);
  for (int i = 10; i < 13; ++i) log.Record(LogRow("(" + std::to_string(i) + ",0)", true));
  log.EndSession();
  const std::vector<TAnswerRow> ada = log.Answers("Ada");
  ASSERT_EQ(ada.size(), 10u);
  EXPECT_EQ(ada.front().Question, "(3,0)") << "the oldest went";
  EXPECT_EQ(ada.back().Question, "(12,0)");
  EXPECT_EQ(log.Answers("Bo").size(), 3u) << "another player's answers are not touched";
}

TEST(ProgressLog, MigrationsRunStepByStepAndANewerFileIsLeftAlone) {
  TTempDir dir;
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(dir.File("m.db").c_str(), &db), SQLITE_OK);
  std::string why;
  const std::vector<const char*> steps = {"CREATE TABLE a(x);", "ALTER TABLE a ADD COLUMN y;"};
  ASSERT_TRUE(MigrateProgress(db, {steps[0]}, why)) << why;
  ASSERT_TRUE(MigrateProgress(db, steps, why)) << why;
  EXPECT_EQ(sqlite3_exec(db, "INSERT INTO a(x, y) VALUES(1, 2)", nullptr, nullptr, nullptr), SQLITE_OK);
  const std::vector<const char*> broken = {steps[0], steps[1], "CREATE TABLE a(z);"};
  EXPECT_FALSE(MigrateProgress(db, broken, why));
  EXPECT_FALSE(MigrateProgress(db, {steps[0]}, why)) << "a file of a later version is not taken back";
  sqlite3_close(db);
  EXPECT_EQ(CountRows(dir.File("m.db"), "PRAGMA user_version"), 2) << "the failed step left the version";

  // A log of a newer release: kept as it is, nothing recorded.
  {
    TsysProgress log(dir.Path());
    log.BeginSession("Ada", 2, 1, 0);
    log.Record(LogRow("(1,1)", true));
  }
  ASSERT_EQ(sqlite3_open(dir.File(ProgressFile).c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version = 9", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  const std::vector<std::uint8_t> before = LogFileBytes(dir.File(ProgressFile));
  {
    TsysProgress log(dir.Path());
    EXPECT_EQ(log.State(), TsysProgress::TState::Newer);
    ASSERT_EQ(log.Problems.size(), 1u);
    EXPECT_NE(log.Problems[0].find("newer version"), std::string::npos);
    log.BeginSession("Ada", 2, 1, 0);
    log.Record(LogRow("(1,1)", true));
  }
  EXPECT_EQ(LogFileBytes(dir.File(ProgressFile)), before);
  EXPECT_FALSE(FileExists(dir.File("Progress.db.damaged")));
}

TEST(ProgressLog, DamagedCutShortAndForeignFilesAreSetAsideAndAFreshLogStarts) {
  struct TCase {
    const char* What;
    std::function<void(const std::string& path)> Spoil;
    const char* Told;
  };
  const std::vector<TCase> cases = {
      {"not a database at all", [](const std::string& p) { LogPutFile(p, std::vector<std::uint8_t>(3000, 'x')); },
       "was not a record of answers"},
      {"cut in half",
       [](const std::string& p) {
         std::vector<std::uint8_t> b = LogFileBytes(p);
         b.resize(b.size() / 2);
         LogPutFile(p, b);
       },
       "damaged"},
      {"pages overwritten",
       [](const std::string& p) {
         std::vector<std::uint8_t> b = LogFileBytes(p);
         for (std::size_t i = 4096; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(i * 7);
         LogPutFile(p, b);
       },
       "damaged"},
      {"another program's database",
       [](const std::string& p) {
         std::filesystem::remove(p);
         sqlite3* db = nullptr;
         sqlite3_open(p.c_str(), &db);
         sqlite3_exec(db, "CREATE TABLE recipes(name); INSERT INTO recipes VALUES('soup')", nullptr, nullptr, nullptr);
         sqlite3_close(db);
       },
       "not a record of Plotfray's answers"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TTempDir dir;
    {
      TsysProgress log(dir.Path());
      log.BeginSession("Ada", 2, 1, 0);
      for (int i = 0; i < 400; ++i) log.Record(LogRow("(1,1)", true));
    }
    c.Spoil(dir.File(ProgressFile));
    const std::vector<std::uint8_t> spoilt = LogFileBytes(dir.File(ProgressFile));
    TsysProgress log(dir.Path());
    EXPECT_EQ(log.State(), TsysProgress::TState::Open);
    ASSERT_EQ(log.Problems.size(), 1u);
    EXPECT_NE(log.Problems[0].find(c.Told), std::string::npos) << log.Problems[0];
    EXPECT_NE(log.Problems[0].find("Progress.db.damaged"), std::string::npos) << log.Problems[0];
    EXPECT_EQ(LogFileBytes(dir.File("Progress.db.damaged")), spoilt) << "what was there is kept, byte for byte";
    log.BeginSession("Ada", 2, 1, 0);
    log.Record(LogRow("(2,2)", true));
    log.EndSession();
    EXPECT_EQ(log.Answers().size(), 1u);
    EXPECT_EQ(IntegrityOf(dir.File(ProgressFile)), "ok");
  }
}

TEST(ProgressLog, AFileThatMayNotBeReadOrWrittenIsLeftAsItIs) {
  TTempDir dir;
  {
    TsysProgress log(dir.Path());
    log.BeginSession("Ada", 2, 1, 0);
    log.Record(LogRow("(1,1)", true));
  }
  const std::string path = dir.File(ProgressFile);
  const std::vector<std::uint8_t> before = LogFileBytes(path);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  AsOrdinaryUser(dir, [&] {
    TsysProgress log(dir.Path());
    log.BeginSession("Ada", 2, 1, 0);
    log.Record(LogRow("(2,2)", true));
    log.EndSession();
    return log.State() == TsysProgress::TState::ReadOnly && log.Problems.size() == 1 &&
           log.Problems[0].find("may not be written") != std::string::npos && log.Answers().size() == 1 &&
           !log.Recording();
  });
  EXPECT_EQ(LogFileBytes(path), before);
  std::filesystem::permissions(path, std::filesystem::perms::none);
  AsOrdinaryUser(dir, [&] {
    TsysProgress log(dir.Path());
    log.BeginSession("Ada", 2, 1, 0);
    log.Record(LogRow("(2,2)", true));
    log.EndSession();
    return log.State() == TsysProgress::TState::KeptUnread && log.Problems.size() == 1 &&
           log.Problems[0].find("may not be read") != std::string::npos && log.Answers().empty() &&
           !FileExists(path + ".damaged");
  });
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(LogFileBytes(path), before);
}

// A kill at any moment of play: the log opens whole afterwards and holds
// exactly the answers of the transactions that were committed.
TEST(ProgressLog, AKillDuringPlayLosesAtMostTheAnswersNotYetCommitted) {
  constexpr int Batch = 7;
  for (int delayMs : {5, 20, 60}) {
    SCOPED_TRACE(delayMs);
    TTempDir dir;
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeFds[0]);
      TsysProgress log(dir.Path());
      log.BeginSession("Ada", 2, 1, 0);
      bool told = false;
      // Bounded: the parent kills long before the end.
      for (int round = 0; round < 200000; ++round) {
        for (int i = 0; i < Batch; ++i) log.Record(LogRow("(1,1)", true));
        log.Flush();
        if (!told) {
          told = true;
          const char go = 1;
          if (::write(pipeFds[1], &go, 1) != 1) std::_Exit(2);
        }
      }
      std::_Exit(0);
    }
    ::close(pipeFds[1]);
    char go = 0;
    ASSERT_EQ(::read(pipeFds[0], &go, 1), 1);
    ::close(pipeFds[0]);
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer was still writing when killed";
    TsysProgress log(dir.Path());
    EXPECT_EQ(log.State(), TsysProgress::TState::Open);
    EXPECT_TRUE(log.Problems.empty()) << log.Problems[0];
    const std::size_t kept = log.Answers().size();
    EXPECT_GE(kept, static_cast<std::size_t>(Batch)) << "the first commit was reported before the kill";
    EXPECT_EQ(kept % Batch, 0u) << "only whole transactions";
    EXPECT_EQ(IntegrityOf(dir.File(ProgressFile)), "ok");
  }
}

}  // namespace
