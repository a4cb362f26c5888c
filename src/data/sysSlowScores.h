#pragma once
// The high scores of games played slower than the usual pace, kept apart from
// "Scores.dat" (whose layout does not change) in "SlowScores.dat": the tables
// of 75 % speed, then those of 50 %, each a block in the layout of
// "Scores.dat" (12 tables of 10 entries of 40 bytes). The slowed tables start
// empty; the file is written when a slowed game first enters one.
#include <cstddef>
#include <cstdint>

#include "data/sysRecords.h"

extern const char* const SlowScoresFile;
constexpr std::size_t SlowSpeedCount = 2;
constexpr std::size_t SlowScoresFileSize = SlowSpeedCount * ScoresFileSize;  // 9600

// The block of a slowed speed: 0 for 75 %, 1 for 50 %; -1 for the usual pace
// (whose tables are "Scores.dat").
std::int32_t SlowScoreBlock(std::int32_t speed);
