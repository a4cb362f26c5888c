#include "data/sysProgress.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/sysCatalogue.h"
#include "core/sysLog.h"
#include "data/sysFiles.h"
#include "data/sysProgressSql.h"

const char* const ProgressFile = "Progress.db";

namespace {
using namespace progress;

// Held answers beyond this (a database busy for minutes) are dropped, oldest first.
constexpr std::size_t MaxHeld = 20000;

const char* const SchemaV1 = R"(
CREATE TABLE profile(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);
CREATE TABLE session(id INTEGER PRIMARY KEY, profile INTEGER NOT NULL REFERENCES profile(id),
  started TEXT NOT NULL, kind INTEGER NOT NULL, game INTEGER NOT NULL, difficulty INTEGER NOT NULL,
  level_set TEXT);
CREATE TABLE answer(id INTEGER PRIMARY KEY, profile INTEGER NOT NULL REFERENCES profile(id),
  session INTEGER NOT NULL REFERENCES session(id), time TEXT NOT NULL, kind INTEGER NOT NULL,
  game INTEGER NOT NULL, level INTEGER NOT NULL, difficulty INTEGER NOT NULL, level_set TEXT,
  question TEXT NOT NULL, answer TEXT NOT NULL, given TEXT NOT NULL,
  correct INTEGER NOT NULL CHECK(correct IN (0, 1)), ms INTEGER NOT NULL,
  input TEXT NOT NULL CHECK(input IN ('pointer', 'keys')));
CREATE INDEX answer_by_profile ON answer(profile, id);
CREATE TABLE power(id INTEGER PRIMARY KEY, profile INTEGER NOT NULL REFERENCES profile(id),
  session INTEGER NOT NULL REFERENCES session(id), time TEXT NOT NULL, power TEXT NOT NULL,
  monsters INTEGER NOT NULL);
CREATE INDEX power_by_profile ON power(profile, id);
)";

// Each profile's progress through the teachers' level sets, by set name.
const char* const SchemaV2 = R"(
CREATE TABLE set_progress(profile INTEGER NOT NULL REFERENCES profile(id), level_set TEXT NOT NULL,
  levels_done INTEGER NOT NULL, best_score INTEGER NOT NULL, PRIMARY KEY(profile, level_set));
)";

std::string FileName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

bool IsDamage(int code) { return (code & 0xFF) == SQLITE_CORRUPT || (code & 0xFF) == SQLITE_NOTADB; }

}  // namespace

const std::vector<const char*>& ProgressMigrations() {
  static const std::vector<const char*> steps = {SchemaV1, SchemaV2};
  return steps;
}

bool MigrateProgress(sqlite3* db, const std::vector<const char*>& steps, std::string& why) {
  bool ok = true;
  const std::int64_t version = Pragma(db, "PRAGMA user_version", ok);
  if (!ok) {
    why = sqlite3_errmsg(db);
    return false;
  }
  if (version > static_cast<std::int64_t>(steps.size())) {
    why = "its schema version " + std::to_string(version) + " is newer than " + std::to_string(steps.size());
    return false;
  }
  for (auto v = static_cast<std::size_t>(version); v < steps.size(); ++v) {
    const std::string sql = std::string("BEGIN IMMEDIATE;") + steps[v] +
                            "PRAGMA application_id = " + std::to_string(TsysProgress::ApplicationId) +
                            "; PRAGMA user_version = " + std::to_string(v + 1) + "; COMMIT;";
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      why = "step to version " + std::to_string(v + 1) + " failed: " + (error != nullptr ? error : "?");
      sqlite3_free(error);
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      return false;
    }
  }
  return true;
}

TsysProgress::TsysProgress(std::string folder, TClock clock) : Folder(std::move(folder)), Clock(std::move(clock)) {
  if (!Folder.empty() && Folder.back() != '/') Folder += '/';
  FilePath = Folder + ProgressFile;
  PendingAnswers.reserve(256);
  Open();
}

TsysProgress::~TsysProgress() {
  Flush();
  Close();
}

std::string TsysProgress::Now() const { return IsoLocalTime(Clock ? Clock() : std::time(nullptr)); }

void TsysProgress::Open() {
  if (!Inspect()) return;
  struct stat st {};
  const bool exists = ::stat(FilePath.c_str(), &st) == 0;
  const bool readOnly = exists && ::access(FilePath.c_str(), W_OK) != 0;
  if (!OpenConnection(readOnly)) return;
  if (readOnly) {
    CurrentState = TState::ReadOnly;
    LogLine(FilePath + " may not be written: no answers are recorded this run");
    Problems.push_back(Fill("{0} may not be written (its permissions forbid it), so the answers of this run are not "
                            "recorded. The progress screen still shows what it holds.",
                            {ProgressFile}));
  }
}

bool TsysProgress::Inspect() {
  const int fd = ::open(FilePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) return true;
  if (fd < 0) {
    const bool forbidden = errno == EACCES || errno == EPERM;
    LogLine("cannot read " + FilePath + ": " + std::strerror(errno) + "; it is left as it is");
    CurrentState = forbidden ? TState::KeptUnread : TState::Failed;
    Problems.push_back(Fill("{0} may not be read (its permissions forbid it). It is left as it is, and no answers "
                            "are recorded until the game is allowed to read it.",
                            {ProgressFile}));
    return false;
  }
  char header[100] = {};
  const ssize_t got = ::read(fd, header, sizeof header);
  ::close(fd);
  // An empty file is an empty database to SQLite: a first run cut short.
  if (got == 0) return true;
  if (got < 16 || std::memcmp(header, "SQLite format 3", 16) != 0) {
    SetAside("is not an SQLite database",
             "{0} was not a record of answers (or was damaged beyond reading); it is kept as {1}, and a new record "
             "of answers starts now.");
    return CurrentState == TState::Open;
  }
  return true;
}

bool TsysProgress::OpenConnection(bool readOnly) {
  Close();
  const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  if (sqlite3_open_v2(FilePath.c_str(), &Db, flags, nullptr) != SQLITE_OK) {
    LogLine("cannot open " + FilePath + ": " + (Db != nullptr ? sqlite3_errmsg(Db) : "out of memory"));
    Close();
    CurrentState = TState::Failed;
    Problems.push_back(Fill("{0} cannot be made in {1}, so no answers are recorded.", {ProgressFile, Folder}));
    return false;
  }
  sqlite3_extended_result_codes(Db, 1);
  // A second copy of the game writing at the same moment makes a write wait
  // for the next try, never the frame.
  sqlite3_busy_timeout(Db, 0);
  bool ok = true;
  const std::int64_t app = Pragma(Db, "PRAGMA application_id", ok);
  const std::int64_t version = Pragma(Db, "PRAGMA user_version", ok);
  const std::int64_t tables = Pragma(Db, "SELECT count(*) FROM sqlite_master", ok);
  if (!ok) {
    const int code = sqlite3_extended_errcode(Db);
    if (IsDamage(code) || code == SQLITE_OK) {
      SetAside(std::string("cannot be read (") + sqlite3_errmsg(Db) + ")",
               "{0} was damaged, so the answers recorded before could not be read; a new record of answers starts "
               "now. The damaged file is kept as {1}.");
      return CurrentState == TState::Open;
    }
    LogLine("cannot read " + FilePath + ": " + sqlite3_errmsg(Db));
    Close();
    CurrentState = TState::Failed;
    Problems.push_back(Fill("{0} cannot be read just now, so no answers are recorded this run.", {ProgressFile}));
    return false;
  }
  if (app != ApplicationId && !(app == 0 && tables == 0 && version == 0)) {
    SetAside("belongs to another program (application id " + std::to_string(app) + ")",
             "{0} was not a record of Plotfray's answers; it is kept as {1}, and a new record of answers starts now.");
    return CurrentState == TState::Open;
  }
  if (version > SchemaVersion) {
    LogLine(FilePath + " has schema version " + std::to_string(version) + ", newer than " +
            std::to_string(SchemaVersion) + "; it is left as it is");
    Close();
    CurrentState = TState::Newer;
    Problems.push_back(Fill("{0} was written by a newer version of Plotfray. It is left as it is, and this version "
                            "records no answers in it.",
                            {ProgressFile}));
    return false;
  }
  if (tables > 0) {
    bool intact = false;
    {
      // Ended before a set-aside closes the connection: an open statement keeps it open.
      TStatement check(Db, "PRAGMA quick_check(1)");
      intact = check && check.Step() == SQLITE_ROW && check.ColumnText(0) == "ok";
    }
    if (!intact) {
      SetAside("fails its integrity check", "{0} was damaged, so the answers recorded before could not be read; a new "
                                            "record of answers starts now. The damaged file is kept as {1}.");
      return CurrentState == TState::Open;
    }
  }
  if (!readOnly) {
#ifdef __EMSCRIPTEN__
    // The browser's files have no shared memory for a write-ahead log; each
    // commit is stored to the browser's storage as a whole file.
    Exec("PRAGMA journal_mode = DELETE");
#else
    Exec("PRAGMA journal_mode = WAL");
#endif
    Exec("PRAGMA synchronous = NORMAL");
    // A deleted profile's answers leave no trace in the file.
    Exec("PRAGMA secure_delete = ON");
    std::string why;
    if (!MigrateProgress(Db, ProgressMigrations(), why)) {
      LogLine(FilePath + ": " + why);
      Close();
      CurrentState = TState::Failed;
      Problems.push_back(Fill("{0} cannot be made in {1}, so no answers are recorded.", {ProgressFile, Folder}));
      return false;
    }
    if (!Prepare()) {
      Failed("preparing the statements");
      Close();
      CurrentState = TState::Failed;
      return false;
    }
  }
  CurrentState = TState::Open;
  return true;
}

void TsysProgress::Close() {
  sqlite3_finalize(InsertAnswer);
  sqlite3_finalize(InsertPower);
  InsertAnswer = nullptr;
  InsertPower = nullptr;
  // close_v2: a statement still open somewhere frees the connection when it ends.
  if (Db != nullptr) sqlite3_close_v2(Db);
  Db = nullptr;
}

void TsysProgress::SetAside(const std::string& why, const std::string& sentence) {
  Close();
  std::string aside = FilePath + ".damaged";
  for (int n = 2; FileExists(aside) && n < 1000; ++n) aside = FilePath + ".damaged." + std::to_string(n);
  if (std::rename(FilePath.c_str(), aside.c_str()) != 0) {
    LogLine(FilePath + " " + why + "; it could not be moved aside (" + std::strerror(errno) + ") and is left as it is");
    CurrentState = TState::Failed;
    Problems.push_back(Fill("{0} is damaged and could not be moved aside, so it is left as it is and no answers are "
                            "recorded this run.",
                            {ProgressFile}));
    return;
  }
  // Its journal belongs to it: left behind, it would be played into the new file.
  for (const char* suffix : {"-wal", "-journal"}) {
    const std::string from = FilePath + suffix;
    if (FileExists(from)) std::rename(from.c_str(), (aside + suffix).c_str());
  }
  std::remove((FilePath + "-shm").c_str());
  NoteFileChanged(aside);
  LogLine(FilePath + " " + why + "; the file is kept as " + aside);
  Problems.push_back(Fill(sentence, {ProgressFile, FileName(aside)}));
  if (!OpenConnection(false)) return;
}

bool TsysProgress::Exec(const char* sql) {
  if (Db == nullptr) return false;
  if (sqlite3_exec(Db, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  Failed(sql);
  return false;
}

void TsysProgress::Failed(const char* what) {
  if (Db == nullptr) return;
  LogLine(FilePath + ": " + what + ": " + sqlite3_errmsg(Db));
}

bool TsysProgress::Prepare() {
  const char* answer =
      "INSERT INTO answer(profile, session, time, kind, game, level, difficulty, level_set, question, answer, given, "
      "correct, ms, input) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)";
  const char* power = "INSERT INTO power(profile, session, time, power, monsters) VALUES(?1, ?2, ?3, ?4, ?5)";
  return sqlite3_prepare_v3(Db, answer, -1, SQLITE_PREPARE_PERSISTENT, &InsertAnswer, nullptr) == SQLITE_OK &&
         sqlite3_prepare_v3(Db, power, -1, SQLITE_PREPARE_PERSISTENT, &InsertPower, nullptr) == SQLITE_OK;
}

// ---- the game's side

void TsysProgress::BeginSession(const std::string& profile, std::int32_t kind, std::int32_t game,
                                std::int32_t difficulty, const std::string& levelSet) {
  EndSession();
  if (!Recording()) return;
  TSession s;
  s.Profile = profile;
  s.Kind = kind;
  s.Game = game;
  s.Difficulty = difficulty;
  s.LevelSet = levelSet;
  s.Started = Now();
  Sessions.push_back(std::move(s));
  Current = static_cast<std::ptrdiff_t>(Sessions.size()) - 1;
}

void TsysProgress::EndSession() {
  if (Current < 0) return;
  Current = -1;
  Flush();
}

void TsysProgress::Record(TAnswerRow row) {
  if (Current < 0 || !Recording()) return;
  if (PendingAnswers.size() >= MaxHeld) {
    LogLine(FilePath + " has been busy too long: the oldest answer held is dropped");
    PendingAnswers.erase(PendingAnswers.begin());
  }
  row.Time = Now();
  PendingAnswers.push_back(THeldAnswer{std::move(row), static_cast<std::size_t>(Current)});
}

void TsysProgress::RecordPower(const std::string& power, std::int32_t monsters) {
  if (Current < 0 || !Recording() || monsters <= 0 || PendingPowers.size() >= MaxHeld) return;
  TPowerRow row;
  row.Time = Now();
  row.Power = power;
  row.Monsters = monsters;
  PendingPowers.push_back(THeldPower{std::move(row), static_cast<std::size_t>(Current)});
}

void TsysProgress::Step() {
  if (Pending() == 0) return;
  if (++StepsHeld >= FlushSteps) Flush();
}

std::int64_t TsysProgress::ProfileId(const std::string& name, bool create) {
  if (create) {
    TStatement add(Db, "INSERT OR IGNORE INTO profile(name) VALUES(?1)");
    add.Text(1, name);
    if (!add || add.Step() != SQLITE_DONE) return 0;
  }
  TStatement find(Db, "SELECT id FROM profile WHERE name = ?1");
  find.Text(1, name);
  return find && find.Step() == SQLITE_ROW ? find.Column(0) : 0;
}

bool TsysProgress::SessionId(TSession& session) {
  if (session.Id != 0) return true;
  const std::int64_t profile = ProfileId(session.Profile, true);
  if (profile == 0) return false;
  TStatement add(Db, "INSERT INTO session(profile, started, kind, game, difficulty, level_set) "
                     "VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
  add.Int(1, profile);
  add.Text(2, session.Started);
  add.Int(3, session.Kind);
  add.Int(4, session.Game);
  add.Int(5, session.Difficulty);
  add.TextOrNull(6, session.LevelSet);
  if (!add || add.Step() != SQLITE_DONE) return false;
  session.Id = sqlite3_last_insert_rowid(Db);
  session.ProfileRow = profile;
  return true;
}

bool TsysProgress::Flush() {
  if (Pending() == 0) return true;
  StepsHeld = 0;
  if (!Recording()) {
    PendingAnswers.clear();
    PendingPowers.clear();
    return false;
  }
  const int begun = sqlite3_exec(Db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  if (begun != SQLITE_OK) {
    // Busy with another copy of the game: the answers wait for the next try.
    Failed("beginning a write");
    return false;
  }
  std::vector<std::size_t> fresh;  // sessions given a number in this transaction
  std::vector<std::string> touched;
  bool ok = true;
  auto sessionOf = [&](std::size_t i) -> TSession* {
    TSession& s = Sessions[i];
    if (s.Id == 0) {
      if (!SessionId(s)) return nullptr;
      fresh.push_back(i);
    }
    if (std::find(touched.begin(), touched.end(), s.Profile) == touched.end()) touched.push_back(s.Profile);
    return &s;
  };
  for (const THeldAnswer& held : PendingAnswers) {
    TSession* s = sessionOf(held.Session);
    const std::int64_t profile = s != nullptr ? s->ProfileRow : 0;
    if (profile == 0) {
      ok = false;
      break;
    }
    const TAnswerRow& r = held.Row;
    sqlite3_stmt* q = InsertAnswer;
    sqlite3_bind_int64(q, 1, profile);
    sqlite3_bind_int64(q, 2, s->Id);
    sqlite3_bind_text(q, 3, r.Time.data(), static_cast<int>(r.Time.size()), SQLITE_STATIC);
    sqlite3_bind_int(q, 4, s->Kind);
    sqlite3_bind_int(q, 5, r.Game);
    sqlite3_bind_int(q, 6, r.Level);
    sqlite3_bind_int(q, 7, s->Difficulty);
    if (s->LevelSet.empty())
      sqlite3_bind_null(q, 8);
    else
      sqlite3_bind_text(q, 8, s->LevelSet.data(), static_cast<int>(s->LevelSet.size()), SQLITE_STATIC);
    sqlite3_bind_text(q, 9, r.Question.data(), static_cast<int>(r.Question.size()), SQLITE_STATIC);
    sqlite3_bind_text(q, 10, r.Answer.data(), static_cast<int>(r.Answer.size()), SQLITE_STATIC);
    sqlite3_bind_text(q, 11, r.Given.data(), static_cast<int>(r.Given.size()), SQLITE_STATIC);
    sqlite3_bind_int(q, 12, r.Correct ? 1 : 0);
    sqlite3_bind_int(q, 13, r.Ms);
    sqlite3_bind_text(q, 14, r.Keys ? "keys" : "pointer", -1, SQLITE_STATIC);
    const int rc = sqlite3_step(q);
    sqlite3_reset(q);
    if (rc != SQLITE_DONE) {
      ok = false;
      break;
    }
  }
  for (std::size_t i = 0; ok && i < PendingPowers.size(); ++i) {
    const THeldPower& held = PendingPowers[i];
    TSession* s = sessionOf(held.Session);
    const std::int64_t profile = s != nullptr ? s->ProfileRow : 0;
    sqlite3_stmt* q = InsertPower;
    sqlite3_bind_int64(q, 1, profile);
    sqlite3_bind_int64(q, 2, s != nullptr ? s->Id : 0);
    sqlite3_bind_text(q, 3, held.Row.Time.data(), static_cast<int>(held.Row.Time.size()), SQLITE_STATIC);
    sqlite3_bind_text(q, 4, held.Row.Power.data(), static_cast<int>(held.Row.Power.size()), SQLITE_STATIC);
    sqlite3_bind_int(q, 5, held.Row.Monsters);
    const int rc = profile != 0 ? sqlite3_step(q) : SQLITE_ERROR;
    sqlite3_reset(q);
    ok = rc == SQLITE_DONE;
  }
  if (ok) ok = sqlite3_exec(Db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  if (!ok) {
    Failed("writing the answers");
    sqlite3_exec(Db, "ROLLBACK", nullptr, nullptr, nullptr);
    for (std::size_t i : fresh) Sessions[i].Id = 0;
    return false;
  }
  for (const THeldAnswer& held : PendingAnswers) {
    auto count = Counts.find(Sessions[held.Session].Profile);
    if (count != Counts.end()) ++count->second;
  }
  PendingAnswers.clear();
  PendingPowers.clear();
  for (const std::string& profile : touched) Trim(profile);
  NoteFileChanged(FilePath);
  return true;
}

void TsysProgress::Trim(const std::string& profile) {
  auto known = Counts.find(profile);
  if (known == Counts.end()) known = Counts.emplace(profile, AnswerCount(profile)).first;
  if (known->second <= MaxAnswersPerProfile) return;
  TStatement drop(Db, "DELETE FROM answer WHERE profile = ?1 AND id <= (SELECT id FROM answer WHERE profile = ?1 "
                      "ORDER BY id DESC LIMIT 1 OFFSET ?2)");
  drop.Int(1, ProfileId(profile, false));
  drop.Int(2, MaxAnswersPerProfile);
  if (drop && drop.Step() == SQLITE_DONE)
    known->second = MaxAnswersPerProfile;
  else
    Failed("dropping the oldest answers");
}

// ---- profiles

bool TsysProgress::DeleteProfile(const std::string& profile) {
  // What is held of the profile goes too, and its game is over.
  auto of = [&](std::size_t session) { return Sessions[session].Profile == profile; };
  std::erase_if(PendingAnswers, [&](const THeldAnswer& h) { return of(h.Session); });
  std::erase_if(PendingPowers, [&](const THeldPower& h) { return of(h.Session); });
  if (Current >= 0 && of(static_cast<std::size_t>(Current))) Current = -1;
  for (TSession& s : Sessions)
    if (s.Profile == profile) s.Id = 0, s.Profile.clear();
  Counts.erase(profile);
  if (!Recording()) {
    LogLine(FilePath + " cannot be written: the answers of " + profile + " stay in it");
    return false;
  }
  const std::int64_t id = ProfileId(profile, false);
  if (id == 0) return true;
  bool ok = Exec("BEGIN IMMEDIATE");
  for (const char* sql : {"DELETE FROM answer WHERE profile = ?1", "DELETE FROM power WHERE profile = ?1",
                          "DELETE FROM session WHERE profile = ?1", "DELETE FROM set_progress WHERE profile = ?1",
                          "DELETE FROM profile WHERE id = ?1"}) {
    TStatement s(Db, sql);
    s.Int(1, id);
    ok = ok && s && s.Step() == SQLITE_DONE;
  }
  ok = ok && Exec("COMMIT");
  if (!ok) {
    Failed("deleting a profile's answers");
    sqlite3_exec(Db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
  }
  // The deleted rows leave the write-ahead log as well.
  sqlite3_wal_checkpoint_v2(Db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
  NoteFileChanged(FilePath);
  return true;
}

bool TsysProgress::RenameProfile(const std::string& from, const std::string& to) {
  if (from == to) return true;
  Flush();
  for (TSession& s : Sessions)
    if (s.Profile == from) s.Profile = to;
  Counts.erase(from);
  Counts.erase(to);
  if (!Recording()) return false;
  const std::int64_t id = ProfileId(from, false);
  if (id == 0) return true;
  const std::int64_t existing = ProfileId(to, false);
  bool ok = Exec("BEGIN IMMEDIATE");
  if (existing == 0) {
    TStatement s(Db, "UPDATE profile SET name = ?2 WHERE id = ?1");
    s.Int(1, id);
    s.Text(2, to);
    ok = ok && s && s.Step() == SQLITE_DONE;
  } else {
    // A log kept under that name by a profile that is no more: the same
    // child's, since the game never holds two players of one name.
    for (const char* sql : {"UPDATE answer SET profile = ?2 WHERE profile = ?1",
                            "UPDATE power SET profile = ?2 WHERE profile = ?1",
                            "UPDATE session SET profile = ?2 WHERE profile = ?1",
                            "INSERT INTO set_progress(profile, level_set, levels_done, best_score) "
                            "SELECT ?2, level_set, levels_done, best_score FROM set_progress WHERE profile = ?1 "
                            "ON CONFLICT(profile, level_set) DO UPDATE SET "
                            "levels_done = max(levels_done, excluded.levels_done), "
                            "best_score = max(best_score, excluded.best_score)",
                            "DELETE FROM set_progress WHERE profile = ?1", "DELETE FROM profile WHERE id = ?1"}) {
      TStatement s(Db, sql);
      s.Int(1, id);
      s.Int(2, existing);
      ok = ok && s && s.Step() == SQLITE_DONE;
    }
  }
  ok = ok && Exec("COMMIT");
  if (!ok) {
    Failed("renaming a profile");
    sqlite3_exec(Db, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
  }
  const std::int64_t now = existing != 0 ? existing : id;
  for (TSession& s : Sessions)
    if (s.Profile == to && s.Id != 0) s.ProfileRow = now;
  NoteFileChanged(FilePath);
  return true;
}


// ---- level sets

bool TsysProgress::RecordSetLevel(const std::string& profile, const std::string& set, std::int32_t levelsDone,
                                  std::int32_t score) {
  if (!Recording() || set.empty() || levelsDone < 1) return false;
  const std::int64_t id = ProfileId(profile, true);
  if (id == 0) return false;
  // Levels done and the best score never go back: a replay of the first level
  // does not undo the rest.
  TStatement s(Db, "INSERT INTO set_progress(profile, level_set, levels_done, best_score) VALUES(?1, ?2, ?3, ?4) "
                   "ON CONFLICT(profile, level_set) DO UPDATE SET "
                   "levels_done = max(levels_done, excluded.levels_done), "
                   "best_score = max(best_score, excluded.best_score)");
  s.Int(1, id);
  s.Text(2, set);
  s.Int(3, levelsDone);
  s.Int(4, std::max(score, 0));
  if (!s || s.Step() != SQLITE_DONE) {
    Failed("recording a level set's progress");
    return false;
  }
  NoteFileChanged(FilePath);
  return true;
}

TSetProgress TsysProgress::SetProgress(const std::string& profile, const std::string& set) {
  TSetProgress out;
  if (Db == nullptr) return out;
  TStatement s(Db, "SELECT sp.levels_done, sp.best_score FROM set_progress sp JOIN profile p ON p.id = sp.profile "
                   "WHERE p.name = ?1 AND sp.level_set = ?2");
  s.Text(1, profile);
  s.Text(2, set);
  if (s && s.Step() == SQLITE_ROW) {
    out.LevelsDone = static_cast<std::int32_t>(s.Column(0));
    out.BestScore = static_cast<std::int32_t>(s.Column(1));
  }
  return out;
}
