#pragma once
// A teacher's level set played as mission levels: its levels' rules in place of
// the game's own missions, its help texts, lives and the end of the set.
#include <cstdint>

#include "data/sysLevelSet.h"

class TsysResources;

// Whether the mission being played is a level of a teacher's set.
bool SetPlaying(const TsysResources& res);
// The set's level being played (LevelNumber, 1-based); null outside set play
// or past its levels.
const TSetLevel* CurrentSetLevel(const TsysResources& res);
// Puts the set's level index (0-based, clamped into the set) into play: its
// rules, game type and number. False outside set play.
bool UseSetLevel(TsysResources& res, std::int32_t index);
// The lives a mission level starts with: the set level's own, else the game's.
std::int32_t MissionStartLives(const TsysResources& res, std::int32_t gameLives);
// Whether the level being played is the set's last.
bool LastSetLevel(const TsysResources& res);
// The level a set opens at: the first one the player has not finished, or the
// first when all are.
std::int32_t SetStartIndex(const TLevelSet& set, std::int32_t levelsDone);
