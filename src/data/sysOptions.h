#pragma once
// The options added after the settings record: a colour-blind-safe palette for
// the quadrants, larger questions on the monsters, the game speed and the pace
// of a held key. They live in a file of their own, "Options.ini" beside
// "Settings.ini", so that the settings file keeps its layout; little-endian
// like the others.
//
// The record grows by layout versions, each keeping every byte of the one
// before and adding its fields after them:
//   byte 0  ColourBlindPalette  0 or 1
//   byte 1  LargeLabels         0 or 1
//   byte 2  Version             0 in the first files (bytes 0-1 and six zeros), 2 with the speed, 3 now
//   byte 3  GameSpeed           percent: 100, 75 or 50
//   byte 4  KeyRepeat           0 usual, 1 slow, 2 off
//   bytes 5-7                   reserved, carried through
//   bytes 8-15 Language         from version 3: the language's code in ASCII
//                               ("fr", "pt_BR"), padded with zeros; all zeros
//                               follows the system's language
// A later version appends its fields from byte 16 and raises the version. A file of a later version is read for the fields known
// here, and its bytes past them are written back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/sysRecords.h"

// The bytes of this layout; a file may be longer (a later layout). A file of
// the first layouts holds only the first 8.
constexpr std::size_t OptionsRecordSize = 16;
constexpr std::size_t OptionsFirstSize = 8;
constexpr std::size_t LanguageCodeSize = 8;
// The most of a file that is read: room for the fields later layouts add.
constexpr std::size_t OptionsReadLimit = 64;
constexpr std::uint8_t OptionsVersion = 3;
// The layout that brought the game speed and key repeat (bytes 3 and 4).
constexpr std::uint8_t SpeedLayoutVersion = 2;
extern const char* const OptionsFile;

// How fast the game's world runs, in percent of its usual pace.
enum : std::uint8_t { SpeedFull = 100, SpeedThreeQuarters = 75, SpeedHalf = 50 };
// How a held arrow or Tab repeats.
enum : std::uint8_t { RepeatUsual = 0, RepeatSlow = 1, RepeatOff = 2, RepeatSettingCount = 3 };

struct TOptionsRecord {
  std::uint8_t ColourBlindPalette = 0;  // 0 the usual quadrant colours, 1 the colour-blind-safe ones
  std::uint8_t LargeLabels = 0;         // 0 the usual question size, 1 larger
  std::uint8_t Version = OptionsVersion;
  std::uint8_t GameSpeed = SpeedFull;
  std::uint8_t KeyRepeat = RepeatUsual;
  std::uint8_t Reserved[3] = {0, 0, 0};
  std::string Language;  // empty: the system's language
  // The bytes of a later layout past this one's, kept so that saving loses nothing.
  std::vector<std::uint8_t> Later;
  bool operator==(const TOptionsRecord&) const = default;
};

// Logic steps before a held key repeats, and between its repeats, for each
// KeyRepeat setting; 0 steps between means it does not repeat.
struct TKeyRepeatPace {
  std::int32_t Delay;
  std::int32_t Interval;
};
TKeyRepeatPace KeyRepeatPace(std::uint8_t setting);

std::vector<std::uint8_t> EncodeOptions(const TOptionsRecord& options);
// Reads the record; false when fewer than 8 bytes are given. A file of an
// earlier layout gets the later fields' defaults. A value outside its range is
// set back to its default and counted in notes.
bool DecodeOptions(const std::uint8_t* data, std::size_t size, TOptionsRecord& options, TDecodeNotes& notes);
