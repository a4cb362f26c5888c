// Effect-bank files are outside bytes: the reader must reject anything damaged
// without crashing, reading past the input or allocating more than it holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sound/sndWaveBank.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<TWaveItem> items;
  std::string error;
  if (ParseWaveBank(data, size, items, error)) {
    std::size_t total = 0;
    for (const TWaveItem& item : items) {
      total += item.Wave.size();
      TRiffWaveInfo info;
      // Every wave of an accepted bank is playable PCM that lies inside its item.
      if (!ParseRiffWave(item.Wave, info, error) || info.DataOffset + info.DataSize > item.Wave.size()) __builtin_trap();
    }
    if (total > size) __builtin_trap();
  } else if (!items.empty()) {
    __builtin_trap();
  }
  return 0;
}
