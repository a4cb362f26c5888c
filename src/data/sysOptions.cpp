#include "data/sysOptions.h"

#include <algorithm>
#include <string>

#include "data/sysResources.h"

const char* const OptionsFile = "Options.ini";

namespace {

std::uint8_t Switch(std::uint8_t v, TDecodeNotes& notes) {
  if (v <= 1) return v;
  ++notes.Repaired;
  return 0;
}

}  // namespace

std::vector<std::uint8_t> EncodeOptions(const TOptionsRecord& o) {
  std::vector<std::uint8_t> out(OptionsRecordSize, 0);
  out[0] = o.ColourBlindPalette;
  out[1] = o.LargeLabels;
  std::copy(std::begin(o.Reserved), std::end(o.Reserved), out.begin() + 2);
  return out;
}

bool DecodeOptions(const std::uint8_t* p, std::size_t size, TOptionsRecord& o, TDecodeNotes& notes) {
  if (p == nullptr || size < OptionsRecordSize) return false;
  o.ColourBlindPalette = Switch(p[0], notes);
  o.LargeLabels = Switch(p[1], notes);
  std::copy(p + 2, p + OptionsRecordSize, std::begin(o.Reserved));
  return true;
}

// The resources' side: read as the settings are read.

void TsysResources::ReadOptions() {
  // A missing file is the first run since these options came: the defaults,
  // written only when the player changes one.
  const TRecordFile file{OptionsFile, OptionsRecordSize, "options record",
                         "the colour and question options are back to how the game starts", false};
  if (ReadRecordFile(
          file,
          [this](const std::vector<std::uint8_t>& bytes, TDecodeNotes& notes) {
            return DecodeOptions(bytes.data(), bytes.size(), Options, notes);
          },
          [this] { Options = TOptionsRecord{}; }))
    SaveOptions(Options);
}

bool TsysResources::SaveOptions(const TOptionsRecord& record) {
  Options = record;
  return WriteSave(OptionsFile, EncodeOptions(Options));
}
