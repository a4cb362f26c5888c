#include "data/sysOptions.h"

#include <algorithm>
#include <string>

#include "core/sysCatalogue.h"
#include "data/sysResources.h"

const char* const OptionsFile = "Options.ini";

namespace {

std::uint8_t Switch(std::uint8_t v, TDecodeNotes& notes) {
  if (v <= 1) return v;
  ++notes.Repaired;
  return 0;
}

std::uint8_t Speed(std::uint8_t v, TDecodeNotes& notes) {
  if (v == SpeedFull || v == SpeedThreeQuarters || v == SpeedHalf) return v;
  ++notes.Repaired;
  return SpeedFull;
}

std::uint8_t Repeat(std::uint8_t v, TDecodeNotes& notes) {
  if (v < RepeatSettingCount) return v;
  ++notes.Repaired;
  return RepeatUsual;
}

// A language code is letters and an underscore, padded with zeros; anything
// else is set back to the system's language.
std::string Language(const std::uint8_t* p, TDecodeNotes& notes) {
  std::string code;
  std::size_t i = 0;
  for (; i < LanguageCodeSize && p[i] != 0; ++i) {
    const char c = static_cast<char>(p[i]);
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_')) break;
    code.push_back(c);
  }
  const bool padded = std::all_of(p + i, p + LanguageCodeSize, [](std::uint8_t b) { return b == 0; });
  if (padded) return code;
  ++notes.Repaired;
  return "";
}

}  // namespace

TKeyRepeatPace KeyRepeatPace(std::uint8_t setting) {
  switch (setting) {
    case RepeatSlow: return {36, 12};  // 0.6 s, then 5 a second
    case RepeatOff: return {0, 0};
    default: return {18, 5};           // 0.3 s, then 12 a second
  }
}

std::vector<std::uint8_t> EncodeOptions(const TOptionsRecord& o) {
  // A file of a later layout keeps its version; every other is written in this one.
  std::vector<std::uint8_t> out = {o.ColourBlindPalette, o.LargeLabels, std::max(o.Version, OptionsVersion),
                                   o.GameSpeed,          o.KeyRepeat,   o.Reserved[0],
                                   o.Reserved[1],        o.Reserved[2]};
  for (std::size_t i = 0; i < LanguageCodeSize; ++i)
    out.push_back(i < o.Language.size() ? static_cast<std::uint8_t>(o.Language[i]) : 0);
  if (o.Version > OptionsVersion)
    for (const std::uint8_t b : o.Later) out.push_back(b);
  return out;
}

bool DecodeOptions(const std::uint8_t* p, std::size_t size, TOptionsRecord& o, TDecodeNotes& notes) {
  if (p == nullptr || size < OptionsFirstSize) return false;
  o = TOptionsRecord{};
  o.ColourBlindPalette = Switch(p[0], notes);
  o.LargeLabels = Switch(p[1], notes);
  // The first layout had nothing past its two switches: the rest keep their defaults.
  if (p[2] < SpeedLayoutVersion) return true;
  o.Version = p[2];
  o.GameSpeed = Speed(p[3], notes);
  o.KeyRepeat = Repeat(p[4], notes);
  std::copy(p + 5, p + OptionsFirstSize, std::begin(o.Reserved));
  // The speed's layout ends here; the language then follows the system.
  if (o.Version < OptionsVersion) {
    o.Version = OptionsVersion;
    return true;
  }
  if (size < OptionsRecordSize) {
    ++notes.Repaired;
    return true;
  }
  o.Language = Language(p + OptionsFirstSize, notes);
  if (o.Version > OptionsVersion) o.Later.assign(p + OptionsRecordSize, p + size);
  return true;
}

// The resources' side: read as the settings are read.

void TsysResources::ReadOptions() {
  // A missing file is the first run since these options came: the defaults,
  // written only when the player changes one.
  const TRecordFile file{OptionsFile, OptionsReadLimit, "options record",
                         TrMark("the colour, question, speed and key options are back to how the game starts"), false};
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
