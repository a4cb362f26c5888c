#pragma once
// The challenge sheet, ChallengeSheetSize square, straight ARGB.
#include <cstdint>
#include <vector>

#include "kit/artDraw.h"
#include "kit/sheetLayout.h"

std::vector<std::uint32_t> DrawChallengeSheet();

// A medal on its ribbon in a rectangle of about 120 x 120 (ribbon on top).
struct TMetal {
  std::uint32_t Light, Mid, Dark;
};
constexpr TMetal GoldMetal{0xFFF1A0, 0xF2B705, 0x8A5A00};
void DrawMedal(art::TSurface& s, const TRect& r, const TMetal& m, bool wild);
