// A translation catalogue from outside: any bytes load or are refused without
// reading outside them; every translation kept is in the font's one-byte set,
// and every plural form the rule picks exists.
#include <cstdint>

#include "core/sysCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TsysCatalogue catalogue;
  if (!catalogue.Load(data, size)) {
    if (catalogue.Error().empty() || catalogue.Size() != 0) __builtin_trap();
    return 0;
  }
  const TsysPluralRule& rule = catalogue.Plural();
  for (std::uint64_t n : {0ull, 1ull, 2ull, 5ull, 11ull, 21ull, 101ull, 1000000ull})
    if (rule.FormOf(n) >= rule.Forms()) __builtin_trap();
  return 0;
}
