#pragma once
// The options added after the settings record: a colour-blind-safe palette for
// the quadrants and larger questions on the monsters. They live in a file of
// their own, "Options.ini" beside "Settings.ini", so that the settings file
// keeps its layout; an 8-byte record, little-endian like the others.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/sysRecords.h"

constexpr std::size_t OptionsRecordSize = 8;
extern const char* const OptionsFile;

struct TOptionsRecord {
  std::uint8_t ColourBlindPalette = 0;  // 0 the usual quadrant colours, 1 the colour-blind-safe ones
  std::uint8_t LargeLabels = 0;         // 0 the usual question size, 1 larger
  std::uint8_t Reserved[6] = {0, 0, 0, 0, 0, 0};
  bool operator==(const TOptionsRecord&) const = default;
};

std::vector<std::uint8_t> EncodeOptions(const TOptionsRecord& options);
// Reads the first record; false when fewer than 8 bytes are given. A switch
// other than 0 or 1 is set back to 0 and counted in notes.
bool DecodeOptions(const std::uint8_t* data, std::size_t size, TOptionsRecord& options, TDecodeNotes& notes);
