#include "game/libMissions.h"

#include <algorithm>

#include "tables/defLevels.h"

namespace {

TMissionProgress* ProgressOf(TProfileRecord& profile, std::int32_t gameType) {
  if (gameType < 1 || gameType > GameTypeCount) return nullptr;
  return &profile.MissionProgress[gameType - 1];
}

}  // namespace

TMissionCarry MissionCarryOf(const TProfileRecord& profile, std::int32_t gameType, std::int32_t levelIndex) {
  if (gameType < 1 || gameType > GameTypeCount || levelIndex <= 0) return {};
  const TMissionProgress& progress = profile.MissionProgress[gameType - 1];
  if (levelIndex != progress.LevelsDone) return {};
  // A damaged profile must not start a level in debt.
  return {std::max(progress.MissionScore, 0), std::max(progress.MissionKills, 0)};
}

void RecordMissionLevel(TProfileRecord& profile, std::int32_t gameType, std::int32_t levelNumber,
                        std::int32_t score, std::int32_t kills) {
  TMissionProgress* progress = ProgressOf(profile, gameType);
  if (progress == nullptr) return;
  const bool furthest = levelNumber >= progress->LevelsDone;
  progress->LevelsDone = std::clamp(std::max(progress->LevelsDone, levelNumber), 0, MissionLevelCount);
  if (!furthest) return;
  progress->MissionScore = score;
  progress->MissionKills = kills;
}
