#pragma once
// The colours of axes, quadrants and zaps, by index.
#include <array>
#include <cstdint>

// Held as 0xRRGGBB, the form the renderer takes.
constexpr std::int32_t ColourCount = 9;
extern const std::array<std::uint32_t, 9> ColourTable;

// The colour-blind-safe palette of the board, by quadrant 1..4 (entry 0, the
// axes, stays white): green, yellow, red and blue that also differ in
// lightness and in blue against yellow, so they stay apart for the children
// who cannot tell red from green.
extern const std::array<std::uint32_t, 5> ColourBlindQuadrants;

struct TLevel;
// The colour of quadrant 0..4 on the board: the level's own, or the
// colour-blind-safe one when that option is on. White for an index outside the table.
std::uint32_t QuadrantColour(const TLevel& level, bool colourBlind, std::int32_t quadrant);
