#pragma once
// The answer log: every judged answer of every game, kept in an SQLite
// database ("Progress.db") beside the other saves, for the progress screen and
// the teacher's reports.
//
// Answers are held in memory while a game runs and written in one transaction
// when the game ends or every few seconds of play, with prepared statements,
// so that no frame waits on the disk. The database is in write-ahead mode: a
// kill at any moment leaves it readable with every answer up to the last
// commit. A damaged or foreign file is set aside and a fresh log starts; one
// that may not be read, or that a newer release wrote, is left untouched and
// nothing is recorded this run. Each profile keeps its newest
// MaxAnswersPerProfile answers.
#include <cstdint>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "data/sysAnswerRow.h"

struct sqlite3;
struct sqlite3_stmt;

extern const char* const ProgressFile;

// A profile's progress through one level set.
struct TSetProgress {
  std::int32_t LevelsDone = 0;
  std::int32_t BestScore = 0;
};

class TsysProgress {
 public:
  enum class TState {
    Open,        // read and written
    ReadOnly,    // the file may be read but not written: shown, nothing recorded
    KeptUnread,  // the file may not be read: left untouched, nothing recorded
    Newer,       // written by a newer release: left untouched, nothing recorded
    Failed,      // no database could be made in the folder
  };
  using TClock = std::function<std::time_t()>;

  // folder ends in '/'. clock gives the time of each answer (the system's by default).
  explicit TsysProgress(std::string folder, TClock clock = {});
  // Writes what is held and closes the database.
  ~TsysProgress();
  TsysProgress(const TsysProgress&) = delete;
  TsysProgress& operator=(const TsysProgress&) = delete;

  TState State() const { return CurrentState; }
  bool Recording() const { return CurrentState == TState::Open; }
  const std::string& Path() const { return FilePath; }
  // What the player should be told about the file, one sentence each.
  std::vector<std::string> Problems;

  // --- the game's side ---
  // A new game of a profile starts (name in UTF-8); its session number is
  // taken when its first answer is written.
  void BeginSession(const std::string& profile, std::int32_t kind, std::int32_t game, std::int32_t difficulty,
                    const std::string& levelSet = {});
  // The game is over or left: what it recorded is written now.
  void EndSession();
  bool InSession() const { return Current >= 0; }
  // Keeps one answer of the current game; the profile, session and time are
  // filled in here. Nothing happens outside a game.
  void Record(TAnswerRow row);
  void RecordPower(const std::string& power, std::int32_t monsters);
  // Called every logic step: writes what is held once it is FlushSteps old.
  void Step();
  // Writes every held answer in one transaction; false when the database was
  // busy or failed (the answers are kept for the next try).
  bool Flush();
  std::size_t Pending() const { return PendingAnswers.size() + PendingPowers.size(); }

  // --- profiles ---
  // Deletes every answer and game of the profile, for good.
  bool DeleteProfile(const std::string& profile);
  // The profile's answers are kept under its new name.
  bool RenameProfile(const std::string& from, const std::string& to);

  // --- level sets (by the set's name, UTF-8) ---
  // A level of the set finished with that score: levels done rise to
  // levelsDone, the best score to score. Written at once.
  bool RecordSetLevel(const std::string& profile, const std::string& set, std::int32_t levelsDone,
                      std::int32_t score);
  TSetProgress SetProgress(const std::string& profile, const std::string& set);

  // --- reading ---
  // The answers of one profile (every profile when empty) given on or after
  // the day since (YYYY-MM-DD; every day when empty), oldest first, grouped by
  // profile in the order they first played.
  std::vector<TAnswerRow> Answers(const std::string& profile = {}, const std::string& since = {});
  std::vector<TPowerRow> Powers(const std::string& profile = {}, const std::string& since = {});
  std::int64_t AnswerCount(const std::string& profile);

  // Opens an existing log only to read it (the reports): false, and why, when
  // it is missing, damaged, foreign or newer. The file is never changed.
  static bool ReadLog(const std::string& path, const std::string& profile, const std::string& since,
                      std::vector<TAnswerRow>& answers, std::vector<TPowerRow>& powers, std::string& why);

  // The newest answers each profile keeps; older ones are dropped as new ones come.
  std::int64_t MaxAnswersPerProfile = 200000;
  // Steps of play after which held answers are written (five seconds).
  std::int32_t FlushSteps = 300;
  // The schema this build writes; a file of a higher version is left alone.
  static constexpr std::int32_t SchemaVersion = 2;
  // What the first bytes of the file hold in every log of ours ('PLFY').
  static constexpr std::int32_t ApplicationId = 0x504C4659;

 private:
  struct TSession {
    std::string Profile;
    std::int32_t Kind = 0;
    std::int32_t Game = 0;
    std::int32_t Difficulty = 0;
    std::string LevelSet;
    std::string Started;
    std::int64_t Id = 0;  // 0 until it is written
    std::int64_t ProfileRow = 0;  // the profile's row, once the session is written
  };
  struct THeldAnswer {
    TAnswerRow Row;
    std::size_t Session;
  };
  struct THeldPower {
    TPowerRow Row;
    std::size_t Session;
  };

  void Open();
  // Checks the file before SQLite sees it: false when it is not to be used.
  bool Inspect();
  bool OpenConnection(bool readOnly);
  void Close();
  // The file is not a log of ours (or is damaged): moved aside, a fresh one begun.
  void SetAside(const std::string& why, const std::string& sentence);
  bool Prepare();
  bool SessionId(TSession& session);
  std::int64_t ProfileId(const std::string& name, bool create);
  void Trim(const std::string& profile);
  bool Exec(const char* sql);
  // A statement failed: a damaged file is noted once in the log.
  void Failed(const char* what);
  std::string Now() const;

  std::string Folder;
  std::string FilePath;
  TClock Clock;
  TState CurrentState = TState::Failed;
  sqlite3* Db = nullptr;
  sqlite3_stmt* InsertAnswer = nullptr;
  sqlite3_stmt* InsertPower = nullptr;
  std::vector<TSession> Sessions;
  std::ptrdiff_t Current = -1;
  std::vector<THeldAnswer> PendingAnswers;
  std::vector<THeldPower> PendingPowers;
  std::int32_t StepsHeld = 0;
  std::map<std::string, std::int64_t> Counts;  // answers per profile, once looked up
};

// Brings a database to version target, one step after another, each in a
// transaction: steps[i] takes version i to i + 1. False (and the database as
// it was) when a step fails or the database is of a higher version.
bool MigrateProgress(sqlite3* db, const std::vector<const char*>& steps, std::string& why);
// The steps of this build's schema.
const std::vector<const char*>& ProgressMigrations();
