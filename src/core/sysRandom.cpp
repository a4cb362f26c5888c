#include "core/sysRandom.h"

#include <random>

namespace {

// mt19937's output sequence is fixed by the standard, so a seed gives the same
// numbers with every compiler; the distributions below are our own for the same reason.
std::mt19937& Generator() {
  static std::mt19937 generator(5489u);
  return generator;
}

}  // namespace

void RandomSeed(std::uint32_t seed) { Generator().seed(seed); }

std::int32_t Random(std::int32_t n) {
  if (n <= 0) return 0;
  const std::uint64_t draw = Generator()();
  return static_cast<std::int32_t>((draw * static_cast<std::uint64_t>(n)) >> 32);
}

double RandomReal() { return static_cast<double>(Generator()()) / 4294967296.0; }
