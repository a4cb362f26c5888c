#pragma once
// The challenge sheet, ChallengeSheetSize square, straight ARGB.
#include <cstdint>
#include <vector>

std::vector<std::uint32_t> DrawChallengeSheet();
