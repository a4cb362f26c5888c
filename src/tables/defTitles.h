#pragma once
// The player titles and the score each needs, per game type and difficulty.
#include <array>
#include <cstdint>

struct TTitle {
  const char* Name;
  // Indexed (game type - 1) * 4 + difficulty.
  std::int32_t Threshold[12];
};

constexpr std::int32_t TitleCount = 14;
extern const std::array<TTitle, 14> Titles;
