#include "game/ColorLib.h"

#include <algorithm>

std::uint32_t PackRGB(std::int32_t r, std::int32_t g, std::int32_t b) {
  return static_cast<std::uint32_t>(r) * 65536u + static_cast<std::uint32_t>(g) * 256u + static_cast<std::uint32_t>(b);
}

std::uint32_t SwapRedBlue(std::uint32_t c) {
  return (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

std::uint32_t LightenColour(std::int32_t amount, std::uint32_t c) {
  auto channel = [amount](std::uint32_t v) {
    const std::int64_t lit = static_cast<std::int64_t>(v & 0xFFu) + amount;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(lit, 0, 255));
  };
  return (channel(c >> 16) << 16) | (channel(c >> 8) << 8) | channel(c);
}
