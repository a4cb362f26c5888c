#pragma once
// Reading a saved database from outside the game, as a teacher's tool would.
#include <sqlite3.h>

#include <cstdint>
#include <string>

// The first column of the first row of sql, read-only; -1 when it cannot be read.
inline std::int64_t QueryNumber(const std::string& path, const char* sql) {
  sqlite3* db = nullptr;
  std::int64_t n = -1;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
      n = sqlite3_column_int64(s, 0);
    sqlite3_finalize(s);
  }
  sqlite3_close(db);
  return n;
}
