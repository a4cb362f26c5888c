// A level set from outside: any bytes give either a set whose every level the
// monsters can ask questions in, within the format's limits, or faults that
// each name a line of the file; never both.
#include <cstdint>
#include <string_view>

#include "data/sysLevelSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TLevelSetRead read = ReadLevelSet(text);
  if (!read.Ok()) {
    if (!read.Set.Levels.empty() || !read.Set.Title.empty()) __builtin_trap();
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n' ? 1 : 0;
    for (const TLevelFault& f : read.Faults)
      if (f.Line < 1 || static_cast<std::size_t>(f.Line) > lines || f.Text.empty()) __builtin_trap();
    return 0;
  }
  if (size > LevelSetMaxBytes || read.Set.Title.empty()) __builtin_trap();
  if (read.Set.Levels.empty() || read.Set.Levels.size() > LevelSetMaxLevels) __builtin_trap();
  for (const TSetLevel& level : read.Set.Levels) {
    const TLevel& r = level.Rules;
    const std::int32_t range = r.GridRange[Difficulty::Medium];
    if (level.Title.empty() || level.Lives < 1 || level.Lives > 9 || level.Speed < 1 || level.Speed > 5) __builtin_trap();
    if (range < 1 || range > 10 || r.KillsPerLevel[1] < 1 || r.KillsPerLevel[1] > 100) __builtin_trap();
    if (r.MaxMonsters[1] < 1 || r.MaxMonsters[1] > 15 || r.SpawnInterval[1] < 1 || r.BaseSpeed[1] <= 0) __builtin_trap();
    if (r.SizeWeights[1][0] + r.SizeWeights[1][1] + r.SizeWeights[1][2] <= 0) __builtin_trap();
    if (r.PowerUpAllowed[0] || r.PowerUpAllowed[1]) __builtin_trap();
    if (!LevelCanAsk(r.GameType, r.QuadrantAllowed, range, level.QuestionKinds)) __builtin_trap();
  }
  return 0;
}
