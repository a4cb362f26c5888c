#include "tables/defChallenges.h"

#include "tables/defLevels.h"

namespace {

// Game type, goal and time limit are the same at every difficulty.
constexpr TChallenge Row(std::int32_t gameType, std::int32_t goal, std::array<std::int32_t, 4> target,
                         std::int32_t timeLimit) {
  return TChallenge{{gameType, gameType, gameType, gameType},
                    {goal, goal, goal, goal},
                    {target[0], target[1], target[2], target[3]},
                    {timeLimit, timeLimit, timeLimit, timeLimit}};
}

using G = ChallengeGoal::Value;

}  // namespace

const std::array<TChallenge, 12> Challenges = {
    Row(1, G::Scoreathon, {12500, 45000, 250000, 3000000}, 0),
    Row(1, G::BeatTheClock, {7500, 35000, 200000, 1500000}, 240),
    Row(2, G::Scoreathon, {15000, 60000, 250000, 350000}, 0),
    Row(2, G::BeatTheClock, {10000, 40000, 150000, 275000}, 240),
    Row(3, G::Scoreathon, {17500, 50000, 350000, 750000}, 0),
    Row(3, G::BeatTheClock, {12500, 35000, 200000, 500000}, 240),
    Row(1, G::Killenate, {50, 100, 200, 400}, 0),
    Row(1, G::ComboToTheMax, {30, 60, 90, 120}, 0),
    Row(2, G::Killenate, {50, 100, 150, 200}, 0),
    Row(2, G::ComboToTheMax, {20, 40, 60, 100}, 0),
    Row(3, G::Killenate, {50, 75, 100, 200}, 0),
    Row(3, G::ComboToTheMax, {10, 20, 40, 80}, 0),
};
