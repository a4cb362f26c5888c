#pragma once
// The answer log's own helpers around SQLite, shared by its writing and reading halves.
#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/sysAnswerRow.h"

namespace progress {

// A statement prepared for one use, finalized on leaving.
class TStatement {
 public:
  TStatement(sqlite3* db, const char* sql) {
    if (db != nullptr && sqlite3_prepare_v2(db, sql, -1, &S, nullptr) != SQLITE_OK) S = nullptr;
  }
  ~TStatement() { sqlite3_finalize(S); }
  TStatement(const TStatement&) = delete;
  TStatement& operator=(const TStatement&) = delete;
  sqlite3_stmt* operator*() const { return S; }
  explicit operator bool() const { return S != nullptr; }
  void Text(int i, const std::string& v) { sqlite3_bind_text(S, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT); }
  void TextOrNull(int i, const std::string& v) {
    if (v.empty())
      sqlite3_bind_null(S, i);
    else
      Text(i, v);
  }
  void Int(int i, std::int64_t v) { sqlite3_bind_int64(S, i, v); }
  int Step() { return sqlite3_step(S); }
  std::int64_t Column(int i) const { return sqlite3_column_int64(S, i); }
  std::string ColumnText(int i) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(S, i));
    return t != nullptr ? std::string(t, static_cast<std::size_t>(sqlite3_column_bytes(S, i))) : std::string();
  }

 private:
  sqlite3_stmt* S = nullptr;
};

// The first column of a one-row query; ok turns false when there is none.
std::int64_t Pragma(sqlite3* db, const char* sql, bool& ok);
// The rows of the answer log (into whichever of answers and powers is given),
// of one profile or all (empty), from the day since or all (empty).
bool ReadRows(sqlite3* db, const std::string& profile, const std::string& since, std::vector<TAnswerRow>* answers,
              std::vector<TPowerRow>* powers);

}  // namespace progress
