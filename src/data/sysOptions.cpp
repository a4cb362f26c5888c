#include "data/sysOptions.h"

#include <algorithm>
#include <string>

#include "core/sysLog.h"
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
  std::vector<std::uint8_t> bytes;
  bool fromSaveFolder = true;
  std::size_t fileSize = 0;
  const TFileRead read = ReadSaveFile(OptionsFile, bytes, OptionsRecordSize, fromSaveFolder, fileSize);
  Options = TOptionsRecord{};
  if (read == TFileRead::Forbidden) {
    KeepUnread(OptionsFile, "changed options");
    return;
  }
  TDecodeNotes notes;
  if (read == TFileRead::Read && DecodeOptions(bytes.data(), bytes.size(), Options, notes)) {
    if (notes.Repaired > 0) LogLine(std::string(OptionsFile) + ": a switch outside 0..1 was reset");
    if (notes.Repaired > 0 || !fromSaveFolder) SaveOptions(Options);
    return;
  }
  Options = TOptionsRecord{};
  // A missing file is the first run since these options came: the defaults,
  // written only when the player changes one.
  if (read == TFileRead::Missing) return;
  if (SetAsideBadRecord(OptionsFile, read, fileSize, fromSaveFolder, "options record",
                        "the colour and question options are back to how the game starts"))
    SaveOptions(Options);
}

bool TsysResources::SaveOptions(const TOptionsRecord& record) {
  Options = record;
  return WriteSave(OptionsFile, EncodeOptions(Options));
}
