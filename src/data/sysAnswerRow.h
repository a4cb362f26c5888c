#pragma once
// One judged answer as the progress log, the progress screen and the teacher's
// reports all see it, and the few conversions they share.
#include <cstdint>
#include <ctime>
#include <string>

// The player's names are kept in the game's single-byte code page; the log and
// the reports hold UTF-8 (CodePageToUtf8).
#include "core/sysCodePage.h"

struct TAnswerRow {
  std::string Profile;  // the player's name, UTF-8
  // The game it was given in: a number of the log it came from (a merged
  // report numbers the sessions of each file anew).
  std::int64_t Session = 0;
  std::string Time;  // ISO 8601 with the local offset: 2025-05-20T10:13:22+02:00
  std::int32_t Kind = 0;  // 1 mission, 2 arcade, 3 challenge (later kinds take new numbers)
  std::int32_t Game = 0;  // game type 1..3
  // The level number; in a challenge, the challenge's number 1..12.
  std::int32_t Level = 0;
  std::int32_t Difficulty = 0;  // 0..3
  // The title of a teacher's level set the level came from; empty for the game's own.
  std::string LevelSet;
  std::string Question;  // as shown over the monster
  std::string Answer;    // the right one: a quadrant (II), a point ((2,-1)) or the line (y=2x+3)
  std::string Given;     // what the child gave, in the same form
  bool Correct = false;
  std::int32_t Ms = 0;  // from the moment the question could be read to the answer
  bool Keys = false;    // given by keys; else by the pointer
};

// A monster stopped by the Doom Device or a power-up: kept apart from the
// answers, since the child answered nothing.
struct TPowerRow {
  std::string Profile;
  std::int64_t Session = 0;
  std::string Time;
  std::string Power;  // "Doom Device", "Quadrant Blitz"
  std::int32_t Monsters = 0;
};

// The local time of t as ISO 8601 with its offset from UTC.
std::string IsoLocalTime(std::time_t t);
// "mission", "arcade", "challenge"; "" for another number.
const char* KindWord(std::int32_t kind);
// The kind a word names; 0 for none.
std::int32_t KindOfWord(const std::string& word);
