#pragma once
// Colour helpers. Colours are 0xRRGGBB.
#include <cstdint>

std::uint32_t PackRGB(std::int32_t r, std::int32_t g, std::int32_t b);
// Exchanges the low and the high byte of a 24-bit colour; bits above 24 are kept.
std::uint32_t SwapRedBlue(std::uint32_t c);
// Adds amount (may be negative) to each of the three bytes, clamped to 0..255.
std::uint32_t LightenColour(std::int32_t amount, std::uint32_t c);
