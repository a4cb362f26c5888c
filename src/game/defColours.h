#pragma once
// The colours of axes, quadrants and zaps, by index.
#include <array>
#include <cstdint>

// Held as 0xRRGGBB, the form the renderer takes.
constexpr std::int32_t ColourCount = 9;
extern const std::array<std::uint32_t, 9> ColourTable;
