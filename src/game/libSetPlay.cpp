#include "game/libSetPlay.h"

#include <algorithm>

#include "core/sysLog.h"
#include "data/sysResources.h"

bool SetPlaying(const TsysResources& res) {
  return res.GameKind == GameKind::Mission && res.PlayingSet != nullptr && !res.PlayingSet->Levels.empty();
}

const TSetLevel* CurrentSetLevel(const TsysResources& res) {
  if (!SetPlaying(res)) return nullptr;
  const auto& levels = res.PlayingSet->Levels;
  if (res.LevelNumber < 1 || res.LevelNumber > static_cast<std::int32_t>(levels.size())) return nullptr;
  return &levels[static_cast<std::size_t>(res.LevelNumber - 1)];
}

bool UseSetLevel(TsysResources& res, std::int32_t index) {
  if (!SetPlaying(res)) return false;
  const auto count = static_cast<std::int32_t>(res.PlayingSet->Levels.size());
  if (index < 0 || index >= count) {
    LogLine("level set: level " + std::to_string(index + 1) + " does not exist; playing the first");
    index = 0;
  }
  const TSetLevel& level = res.PlayingSet->Levels[static_cast<std::size_t>(index)];
  res.Level = level.Rules;
  res.GameType = level.Rules.GameType;
  res.LevelNumber = index + 1;
  return true;
}

std::int32_t MissionStartLives(const TsysResources& res, std::int32_t gameLives) {
  const TSetLevel* level = CurrentSetLevel(res);
  return level != nullptr ? level->Lives : gameLives;
}

bool LastSetLevel(const TsysResources& res) {
  return SetPlaying(res) && res.LevelNumber >= static_cast<std::int32_t>(res.PlayingSet->Levels.size());
}

std::int32_t SetStartIndex(const TLevelSet& set, std::int32_t levelsDone) {
  const auto count = static_cast<std::int32_t>(set.Levels.size());
  return levelsDone >= 0 && levelsDone < count ? levelsDone : 0;
}
