#pragma once
// What a mission level starts from and what its end leaves in the profile.
// Each game type keeps its own score and kills between levels, in the session
// and in the profile alike: one mode's numbers never start another's level.
#include <cstdint>

#include "data/sysRecords.h"

struct TMissionCarry {
  std::int32_t Score = 0;
  std::int32_t Kills = 0;
};

// The score and kills that level index (0-based) of a game type starts from:
// the mode's saved numbers for the level after the furthest one completed,
// nothing for the first level and for a replay of an earlier one (the saved
// numbers belong to a later level than the replayed one).
TMissionCarry MissionCarryOf(const TProfileRecord& profile, std::int32_t gameType, std::int32_t levelIndex);

// A completed level (1-based) of a game type, with the score and total kills
// it ended on. Levels done never go back; the saved numbers are those of the
// furthest level, so that the next level starts where the mode stands.
void RecordMissionLevel(TProfileRecord& profile, std::int32_t gameType, std::int32_t levelNumber,
                        std::int32_t score, std::int32_t kills);
