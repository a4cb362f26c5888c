// The answer log's reading half: the rows the progress screen and the reports
// are made of, from the open log or from a file opened only to be read.
#include "data/sysFiles.h"
#include "data/sysProgress.h"
#include "data/sysProgressSql.h"

namespace progress {

std::int64_t Pragma(sqlite3* db, const char* sql, bool& ok) {
  TStatement s(db, sql);
  if (!s || s.Step() != SQLITE_ROW) {
    ok = false;
    return 0;
  }
  return s.Column(0);
}

// The rows of the answer log, filtered as the reports ask.
bool ReadRows(sqlite3* db, const std::string& profile, const std::string& since, std::vector<TAnswerRow>* answers,
              std::vector<TPowerRow>* powers) {
  int rc = SQLITE_DONE;
  if (answers != nullptr) {
  TStatement a(db,
               "SELECT p.name, a.session, a.time, a.kind, a.game, a.level, a.difficulty, a.level_set, a.question, "
               "a.answer, a.given, a.correct, a.ms, a.input FROM answer a JOIN profile p ON p.id = a.profile "
               "WHERE (?1 IS NULL OR p.name = ?1) AND (?2 IS NULL OR a.time >= ?2) ORDER BY a.profile, a.id");
  if (!a) return false;
  a.TextOrNull(1, profile);
  a.TextOrNull(2, since);
  while ((rc = a.Step()) == SQLITE_ROW) {
    TAnswerRow r;
    r.Profile = a.ColumnText(0);
    r.Session = a.Column(1);
    r.Time = a.ColumnText(2);
    r.Kind = static_cast<std::int32_t>(a.Column(3));
    r.Game = static_cast<std::int32_t>(a.Column(4));
    r.Level = static_cast<std::int32_t>(a.Column(5));
    r.Difficulty = static_cast<std::int32_t>(a.Column(6));
    r.LevelSet = a.ColumnText(7);
    r.Question = a.ColumnText(8);
    r.Answer = a.ColumnText(9);
    r.Given = a.ColumnText(10);
    r.Correct = a.Column(11) != 0;
    r.Ms = static_cast<std::int32_t>(a.Column(12));
    r.Keys = a.ColumnText(13) == "keys";
    answers->push_back(std::move(r));
  }
  if (rc != SQLITE_DONE) return false;
  }
  if (powers == nullptr) return true;
  TStatement p(db,
               "SELECT p.name, w.session, w.time, w.power, w.monsters FROM power w JOIN profile p ON p.id = w.profile "
               "WHERE (?1 IS NULL OR p.name = ?1) AND (?2 IS NULL OR w.time >= ?2) ORDER BY w.profile, w.id");
  if (!p) return false;
  p.TextOrNull(1, profile);
  p.TextOrNull(2, since);
  while ((rc = p.Step()) == SQLITE_ROW)
    powers->push_back(TPowerRow{p.ColumnText(0), p.Column(1), p.ColumnText(2), p.ColumnText(3),
                                static_cast<std::int32_t>(p.Column(4))});
  return rc == SQLITE_DONE;
}

}  // namespace progress

using namespace progress;

// ---- reading

std::vector<TAnswerRow> TsysProgress::Answers(const std::string& profile, const std::string& since) {
  std::vector<TAnswerRow> rows;
  Flush();
  if (Db == nullptr) return rows;
  if (!ReadRows(Db, profile, since, &rows, nullptr)) Failed("reading the answers");
  return rows;
}

std::vector<TPowerRow> TsysProgress::Powers(const std::string& profile, const std::string& since) {
  std::vector<TPowerRow> rows;
  Flush();
  if (Db == nullptr) return rows;
  if (!ReadRows(Db, profile, since, nullptr, &rows)) Failed("reading the power-ups");
  return rows;
}

std::int64_t TsysProgress::AnswerCount(const std::string& profile) {
  if (Db == nullptr) return 0;
  TStatement s(Db, "SELECT count(*) FROM answer WHERE profile = (SELECT id FROM profile WHERE name = ?1)");
  s.Text(1, profile);
  return s && s.Step() == SQLITE_ROW ? s.Column(0) : 0;
}

bool TsysProgress::ReadLog(const std::string& path, const std::string& profile, const std::string& since,
                           std::vector<TAnswerRow>& answers, std::vector<TPowerRow>& powers, std::string& why) {
  if (!FileExists(path)) {
    why = path + " does not exist: no answers have been recorded there yet";
    return false;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    why = "cannot open " + path + ": " + (db != nullptr ? sqlite3_errmsg(db) : "out of memory");
    sqlite3_close(db);
    return false;
  }
  bool ok = true;
  const std::int64_t app = Pragma(db, "PRAGMA application_id", ok);
  const std::int64_t version = Pragma(db, "PRAGMA user_version", ok);
  if (!ok)
    why = "cannot read " + path + ": " + sqlite3_errmsg(db);
  else if (app != ApplicationId)
    why = path + " is not a record of Plotfray's answers";
  else if (version > SchemaVersion)
    why = path + " was written by a newer version of Plotfray";
  else if (!ReadRows(db, profile, since, &answers, &powers))
    why = "cannot read " + path + ": " + sqlite3_errmsg(db);
  const bool read = why.empty();
  sqlite3_close(db);
  return read;
}
