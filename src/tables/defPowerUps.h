#pragma once
// The power-ups. Row 0 is the Doom Device (a charge bar, not a button), row 1 is
// never offered, rows 2..6 are awarded as buttons.
#include <array>
#include <cstdint>

struct TPowerUp {
  const char* Name;
  const char* Description;
  std::int32_t IconFrame;  // frame of the 48x48 power-up icon picture
};

constexpr std::int32_t PowerUpCount = 7;
extern const std::array<TPowerUp, 7> PowerUpTable;
