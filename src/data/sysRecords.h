#pragma once
// The records of the three save files and their byte layouts: the settings
// (24 bytes), the profiles (504 bytes each) and the high-score tables (12 tables
// of 10 entries of 40 bytes). All little-endian; padding is written as zeros.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr std::size_t SettingsRecordSize = 24;
constexpr std::size_t ProfileRecordSize = 504;
constexpr std::size_t ScoreEntrySize = 40;
constexpr std::size_t ScoreTableCount = 12;
constexpr std::size_t ScoreRowCount = 10;
constexpr std::size_t ScoresFileSize = ScoreTableCount * ScoreRowCount * ScoreEntrySize;  // 4800
constexpr std::size_t MaxNameLength = 17;
// The most profiles a "Profiles.dat" may hold: far above any school's players,
// far below a file that would take seconds and hundreds of megabytes to list.
constexpr std::size_t MaxProfileCount = 2000;
constexpr std::size_t MaxProfilesFileSize = MaxProfileCount * ProfileRecordSize;  // 1 008 000

// The 24-byte settings record of "Settings.ini".
struct TSettingsRecord {
  std::uint8_t Fullscreen = 1;
  std::uint8_t Antialias = 1;
  std::uint8_t BlendingEffects = 1;
  std::uint8_t ShowFPS = 0;
  std::uint8_t SoundEffectsOn = 1;
  std::uint8_t MusicOn = 1;
  std::uint16_t Reserved6 = 0;
  std::int32_t EffectsVolume = 3000;  // 0..4500
  std::int32_t MusicVolume = 45;      // 0..100
  std::int32_t ActiveProfile = -1;
  std::int32_t Reserved20 = 0;
};

struct TMissionProgress {
  std::int32_t LevelsDone = 0;
  std::int32_t MissionScore = 0;
  std::int32_t MissionKills = 0;
};

struct TChallengeRecord {
  bool Completed[4] = {false, false, false, false};
  std::int32_t Best[4] = {0, 0, 0, 0};
  std::int32_t BestTime[4] = {0, 0, 0, 0};  // seconds; 0 = none yet
};

// One player's profile: a 504-byte record of "Profiles.dat".
struct TProfileRecord {
  std::string Name;  // up to 17 characters
  std::int32_t MissionDifficulty = 1;
  std::int32_t ArcadeDifficulty = 1;
  std::int32_t ChallengeDifficulty = 1;
  std::uint8_t Reserved32[3] = {0, 0, 0};
  TMissionProgress MissionProgress[3];     // by game type - 1
  TChallengeRecord ChallengeRecords[12];  // by challenge index
};

// One row of a high-score table.
struct TScoreEntry {
  std::string Name;  // up to 17 characters
  std::int32_t Score = 0;
  std::int32_t Title = 0;  // index into the title table
  std::int32_t Difficulty = 0;
  std::int32_t Level = 0;
  std::int32_t Kills = 0;
};
// A row no game has filled: no name and nothing scored.
inline bool IsEmptyScore(const TScoreEntry& e) {
  return e.Name.empty() && e.Score == 0 && e.Level == 0 && e.Kills == 0;
}
using TScoreTable = std::array<TScoreEntry, ScoreRowCount>;  // row 0 is the best
// Table (game type - 1) * 4 + difficulty.
using TScoreTables = std::array<TScoreTable, ScoreTableCount>;

// What a decoder had to put right. Repaired: values brought back into their
// range (or names cleaned) rather than handed to the game. Rejected: whole
// records that could not have been written by the game, left out; Why says what
// was wrong with the first of them.
struct TDecodeNotes {
  std::int32_t Repaired = 0;
  std::int32_t Rejected = 0;
  std::string Why;
};

// A name as the game keeps it: control bytes dropped, at most 17 characters.
std::string CleanName(const std::string& name);

std::vector<std::uint8_t> EncodeSettings(const TSettingsRecord& settings);
// Reads the first record; false when fewer than 24 bytes are given. Switches
// other than 0/1 and volumes outside 0..4500 and 0..100 take their defaults.
bool DecodeSettings(const std::uint8_t* data, std::size_t size, TSettingsRecord& settings, TDecodeNotes& notes);

void AppendProfile(std::vector<std::uint8_t>& out, const TProfileRecord& profile);
std::vector<std::uint8_t> EncodeProfiles(const std::vector<TProfileRecord>& profiles);
// Reads every whole record that is a plausible profile (a name of 1..17
// characters without control bytes, difficulties 0..3, levels done 0..5, no
// negative counter, challenge flags 0/1); the others are rejected. Returns the
// number of bytes left over (0 for a sound file).
std::size_t DecodeProfiles(const std::uint8_t* data, std::size_t size, std::vector<TProfileRecord>& profiles,
                           TDecodeNotes& notes);

std::vector<std::uint8_t> EncodeScores(const TScoreTables& tables);
// Reads the whole entries present, in file order (at most 120), and zeroes the
// rest; returns the number of whole entries read. Names are cleaned; a row with
// a negative score, level or kill count is rejected and the rows below it move
// up; a table out of order is sorted, best first.
std::size_t DecodeScores(const std::uint8_t* data, std::size_t size, TScoreTables& tables, TDecodeNotes& notes);
