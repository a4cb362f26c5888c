#include "tables/defColours.h"

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
