#include "tables/defColours.h"

#include <algorithm>
#include <cmath>

#include "tables/defLevels.h"

const std::array<std::uint32_t, 5> ColourBlindQuadrants = {
    0xFFFFFF,  // the axes
    0x009E73,  // I: bluish green
    0xF0E442,  // II: yellow
    0xD55E00,  // III: vermilion
    0x0072B2,  // IV: blue
};

std::uint32_t QuadrantColour(const TLevel& level, bool colourBlind, std::int32_t quadrant) {
  if (quadrant < 0 || quadrant > 4) return 0xFFFFFF;
  if (colourBlind) return ColourBlindQuadrants[static_cast<std::size_t>(quadrant)];
  const std::int32_t index = level.QuadrantColour[quadrant];
  return index >= 0 && index < ColourCount ? ColourTable[static_cast<std::size_t>(index)] : 0xFFFFFF;
}

const std::array<std::uint32_t, 9> ColourTable = {
    0xFF0000,  // red
    0x00FF00,  // green
    0x0000FF,  // blue
    0xFFFF00,  // yellow
    0xFF00FF,  // magenta
    0x00FFFF,  // cyan
    0x004EFF,  // deep blue
    0xFFFFFF,  // white
    0x808080,  // grey
};

const std::array<std::uint32_t, 7> NeutralMonsterColours = {
    0xFF00FF,  // magenta
    0x00FFFF,  // cyan
    0xFFFFFF,  // white
    0x9040FF,  // violet
    0xFF60A0,  // pink
    0xFF00FF,  // magenta
    0x00FFFF,  // cyan
};

std::uint32_t QuadrantColour(std::int32_t quadrant) {
  if (quadrant < 1 || quadrant > 4) return 0xFFFFFF;
  return ColourTable[static_cast<std::size_t>(QuadrantColourRow[static_cast<std::size_t>(quadrant)])];
}

bool IsQuadrantColourRow(std::int32_t row) {
  for (std::int32_t q = 1; q <= 4; ++q)
    if (QuadrantColourRow[static_cast<std::size_t>(q)] == row) return true;
  return false;
}

const std::array<std::uint32_t, 5> QuadrantFills = {
    ClosedQuadrantFill,
    0x056316,  // I: green
    0x777213,  // II: yellow, deepened to mustard
    0x741621,  // III: crimson
    0x0E1C5E,  // IV: blue
};

const std::array<std::uint32_t, 5> ColourBlindQuadrantFills = {
    ClosedQuadrantFill,
    0x036050,  // I: bluish green
    0x757231,  // II: yellow
    0x5D2F14,  // III: vermilion, deepened
    0x062442,  // IV: blue
};

std::uint32_t QuadrantFill(const TLevel& level, bool colourBlind, std::int32_t quadrant) {
  if (quadrant < 1 || quadrant > 4) return ClosedQuadrantFill;
  const std::size_t q = static_cast<std::size_t>(quadrant);
  // A quadrant shown in its own colour takes its own ground; a closed one the grey.
  if (level.QuadrantColour[q] != QuadrantColourRow[q]) return ClosedQuadrantFill;
  return colourBlind ? ColourBlindQuadrantFills[q] : QuadrantFills[q];
}

std::uint32_t QuadrantFill(std::int32_t quadrant) {
  return quadrant >= 1 && quadrant <= 4 ? QuadrantFills[static_cast<std::size_t>(quadrant)] : ClosedQuadrantFill;
}

namespace {

// Hue in degrees of a saturated colour; negative for a grey.
double HueOf(std::uint32_t c) {
  const double r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
  if (d < 64) return -1;
  double h = mx == r ? std::fmod((g - b) / d, 6.0) : mx == g ? (b - r) / d + 2 : (r - g) / d + 4;
  h *= 60;
  return h < 0 ? h + 360 : h;
}

}  // namespace

bool LooksLikeQuadrantColourRow(std::int32_t row) {
  if (row < 0 || row >= ColourCount) return false;
  if (IsQuadrantColourRow(row)) return true;
  const double h = HueOf(ColourTable[static_cast<std::size_t>(row)]);
  if (h < 0) return false;
  for (std::int32_t q = 1; q <= 4; ++q) {
    const double d = std::abs(h - HueOf(QuadrantColour(q)));
    if (std::min(d, 360 - d) < 25) return true;
  }
  return false;
}
