// "Options.ini" from outside: switches come out 0 or 1, the speed 100, 75 or
// 50, the key repeat one of its three; a record of this layout read and written
// again gives the same bytes unless a value was brought back into range, and a
// later layout's bytes past this one's are written back as they came.
#include <cstdint>
#include <cstring>

#include "data/sysOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TOptionsRecord options;
  TDecodeNotes notes;
  if (!DecodeOptions(data, size, options, notes)) {
    if (size >= OptionsRecordSize) __builtin_trap();
    return 0;
  }
  if (options.ColourBlindPalette > 1 || options.LargeLabels > 1 || options.KeyRepeat >= RepeatSettingCount) __builtin_trap();
  if (options.GameSpeed != SpeedFull && options.GameSpeed != SpeedThreeQuarters && options.GameSpeed != SpeedHalf)
    __builtin_trap();
  const std::vector<std::uint8_t> written = EncodeOptions(options);
  if (written.size() < OptionsRecordSize) __builtin_trap();
  // Unrepaired, this layout comes back as its first 8 bytes, a later one whole.
  const std::size_t kept = data[2] > OptionsVersion ? size : OptionsRecordSize;
  if (notes.Repaired == 0 && data[2] >= OptionsVersion &&
      (written.size() != kept || std::memcmp(written.data(), data, kept) != 0))
    __builtin_trap();
  TOptionsRecord again;
  TDecodeNotes notesAgain;
  if (!DecodeOptions(written.data(), written.size(), again, notesAgain) || notesAgain.Repaired != 0) __builtin_trap();
  if (EncodeOptions(again) != written) __builtin_trap();
  return 0;
}
