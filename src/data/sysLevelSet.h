#pragma once
// A level set a teacher writes: a small UTF-8 text of [set] and [level]
// sections with key = value lines. The reader is strict: any fault rejects the
// whole file, and every fault is listed with its line, in plain words, so the
// teacher can mend them all at once. A set that loads maps each level onto the
// game's own level record, plus what that record does not hold.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tables/defLevels.h"

constexpr std::size_t LevelSetMaxBytes = 64 * 1024;
constexpr std::size_t LevelSetMaxLevels = 20;

struct TLevelFault {
  std::int32_t Line = 0;  // 1-based
  std::string Text;
};

struct TSetLevel {
  // Grid range, quadrants, power-ups, spawn interval and speed, monsters at
  // once, kills to finish and the size weights (which choose the kinds of
  // question) for every difficulty; Name is the level's title.
  TLevel Rules;
  // By monster size 1..3: plain, one-sum, two-sums for points; flat, origin,
  // any for lines. The quadrant game asks its one kind.
  bool QuestionKinds[3] = {};
  std::int32_t Lives = 5;
  std::int32_t Speed = 0;  // as written, 1..5
  // Texts in the game's Windows-1252 bytes, ready to draw.
  std::string Title;
  std::string Help;  // empty: no help page
};

struct TLevelSet {
  std::string Title;   // Windows-1252
  std::string Author;  // Windows-1252, may be empty
  std::vector<TSetLevel> Levels;
};

struct TLevelSetRead {
  TLevelSet Set;                    // empty unless Faults is
  std::vector<TLevelFault> Faults;  // in line order
  bool Ok() const { return Faults.empty(); }
};

// The set in text (the file's whole bytes).
TLevelSetRead ReadLevelSet(std::string_view text);
// The set in a file; a file that cannot be read or is over 64 KB is a fault.
TLevelSetRead ReadLevelSetFile(const std::string& path);

// What --check-levels prints for the file at path: "PATH: ok, N levels", or one
// "PATH:LINE: what is wrong" line per fault. Returns the exit code, 0 or 2.
int CheckLevelSetFile(const std::string& path, std::string& out);

// A line a monster may ask: two of its grid points, both open to be clicked.
struct TLineChoice {
  std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};
// Every line of a kind (1 flat, 2 through the origin, 3 any other) on a grid of
// that range with two grid points in the allowed quadrants (by quadrant index,
// 0 the axes). The checker and the monsters of a part-closed board share it.
std::vector<TLineChoice> AskableLines(std::int32_t kind, std::int32_t range, const bool quadrants[5]);

// Whether a level of the game type with those quadrants, range and question
// kinds (by size) has any question to ask under the monsters' rules.
bool LevelCanAsk(std::int32_t gameType, const bool quadrants[5], std::int32_t range, const bool kinds[3]);
