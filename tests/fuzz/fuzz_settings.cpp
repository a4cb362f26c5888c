// "Settings.ini" from outside: switches come out 0 or 1 and volumes inside
// their ranges; a record read and written again gives the same bytes, unless a
// value had to be brought back into range.
#include <cstdint>
#include <cstring>

#include "data/sysRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TSettingsRecord settings;
  TDecodeNotes notes;
  if (!DecodeSettings(data, size, settings, notes)) {
    if (size >= SettingsRecordSize) __builtin_trap();
    return 0;
  }
  for (std::uint8_t v : {settings.Fullscreen, settings.Antialias, settings.BlendingEffects, settings.ShowFPS,
                         settings.SoundEffectsOn, settings.MusicOn})
    if (v > 1) __builtin_trap();
  if (settings.EffectsVolume < 0 || settings.EffectsVolume > 4500 || settings.MusicVolume < 0 ||
      settings.MusicVolume > 100)
    __builtin_trap();
  const std::vector<std::uint8_t> written = EncodeSettings(settings);
  if (written.size() != SettingsRecordSize) __builtin_trap();
  if (notes.Repaired == 0 && std::memcmp(written.data(), data, SettingsRecordSize) != 0) __builtin_trap();
  TSettingsRecord again;
  TDecodeNotes notesAgain;
  if (!DecodeSettings(written.data(), written.size(), again, notesAgain) || notesAgain.Repaired != 0) __builtin_trap();
  if (EncodeSettings(again) != written) __builtin_trap();
  return 0;
}
