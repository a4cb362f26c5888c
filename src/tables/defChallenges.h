#pragma once
// The twelve challenges: per difficulty a game type, a goal, a target and a time limit.
#include <array>
#include <cstdint>

struct TChallenge {
  std::int32_t GameType[4];
  std::int32_t Goal[4];       // ChallengeGoal
  std::int32_t Target[4];
  std::int32_t TimeLimit[4];  // seconds; 0 = none
};

constexpr std::int32_t ChallengeCount = 12;
extern const std::array<TChallenge, 12> Challenges;
