#pragma once
// The monster names, also used for the default high-score entries.
#include <array>

constexpr int MonsterNameCount = 10;
extern const std::array<const char*, 10> MonsterNames;
