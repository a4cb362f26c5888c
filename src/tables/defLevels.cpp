#include "tables/defLevels.h"

#include <algorithm>
#include <initializer_list>

#include "core/sysCatalogue.h"
#include "tables/defColours.h"

namespace {

// The rows below keep the colours they were written with; every board then
// shows each open quadrant in its own colour and the closed ones grey, so a
// quadrant has one colour in every level. An axis colour that is some
// quadrant's colour, or close to one, would point at that quadrant, so it
// turns neutral.
void PaintQuadrants(TLevel& l) {
  if (LooksLikeQuadrantColourRow(l.QuadrantColour[0])) l.QuadrantColour[0] = NeutralAxisRow;
  for (std::size_t q = 1; q <= 4; ++q)
    l.QuadrantColour[q] = l.QuadrantAllowed[q] ? QuadrantColourRow[q] : ClosedQuadrantRow;
}

constexpr std::int32_t M = Difficulty::Medium;

struct TMissionRow {
  const char* Name;
  std::int32_t GameType;
  std::int32_t LevelIndex;
  std::array<bool, 5> Allowed;
  std::array<std::int32_t, 5> Colour;
  std::initializer_list<std::int32_t> PowerUps;
  std::int32_t PowerUpScoreStep;
  std::int32_t GridRange;
  std::int32_t SpawnInterval;
  double BaseSpeed;
  double MaxMonsters;
  std::int32_t KillsPerLevel;
  std::array<std::int32_t, 3> SizeWeights;
};

TLevel Mission(const TMissionRow& row) {
  TLevel l;
  l.Name = row.Name;
  l.GameType = row.GameType;
  l.LevelIndex = row.LevelIndex;
  for (int i = 0; i < 5; ++i) {
    l.QuadrantAllowed[i] = row.Allowed[i];
    l.QuadrantColour[i] = row.Colour[i];
  }
  for (std::int32_t p : row.PowerUps) l.PowerUpAllowed[p] = true;
  l.BasicComboMin = 5;
  l.TimeComboMin = 5;
  l.TimeComboWindow = 800;
  l.PowerUpScoreStep[M] = row.PowerUpScoreStep;
  l.GridRange[M] = row.GridRange;
  l.SpawnInterval[M] = row.SpawnInterval;
  l.BaseSpeed[M] = row.BaseSpeed;
  l.MaxMonsters[M] = row.MaxMonsters;
  l.KillsPerLevel[M] = row.KillsPerLevel;
  for (int i = 0; i < 3; ++i) l.SizeWeights[M][i] = row.SizeWeights[i];
  PaintQuadrants(l);
  return l;
}

constexpr std::array<bool, 5> kOnlyOneAndThree = {false, true, false, true, false};
constexpr std::array<bool, 5> kAxesOneThree = {true, true, false, true, false};
constexpr std::array<bool, 5> kAll = {true, true, true, true, true};

std::array<TLevel, 15> BuildMissionLevels() {
  const char* qq = "Rozir Ivivuruda - Level ";
  const char* wtp = "Vove'r uda Zerir? - Level ";
  const char* dtl = "Define the Line - Level ";
  auto name = [](const char* prefix, int n) { return std::string(prefix) + std::to_string(n); };
  std::array<std::string, 15> names;
  for (int i = 0; i < 5; ++i) {
    names[i] = name(qq, i + 1);
    names[5 + i] = name(wtp, i + 1);
    names[10 + i] = name(dtl, i + 1);
  }
  std::array<TLevel, 15> rows = {
      Mission({names[0].c_str(), 1, 1, kOnlyOneAndThree, {8, 1, 8, 1, 8}, {}, 0, 1, 100, 0.3, 1, 9, {10, 0, 0}}),
      Mission({names[1].c_str(), 1, 2, kAxesOneThree, {0, 0, 8, 0, 8}, {}, 0, 1, 100, 0.3, 1, 9, {10, 0, 0}}),
      Mission({names[2].c_str(), 1, 3, kAll, {5, 5, 5, 5, 5}, {}, 0, 1, 100, 0.3, 1, 9, {10, 0, 0}}),
      Mission({names[3].c_str(), 1, 4, kAll, {6, 6, 6, 6, 6}, {4}, 250, 1, 100, 0.4, 2, 9, {10, 0, 0}}),
      Mission({names[4].c_str(), 1, -1, kAll, {2, 2, 2, 2, 2}, {3}, 250, 1, 100, 0.4, 2, 9, {10, 0, 0}}),
      Mission({names[5].c_str(), 2, 1, kOnlyOneAndThree, {8, 1, 8, 0, 8}, {}, 0, 2, 100, 0.2, 1, 9, {10, 0, 0}}),
      Mission({names[6].c_str(), 2, 2, kAxesOneThree, {5, 1, 8, 0, 8}, {5}, 500, 2, 100, 0.4, 2, 9, {10, 0, 0}}),
      Mission({names[7].c_str(), 2, 3, kAll, {5, 1, 3, 0, 2}, {2}, 500, 2, 100, 0.4, 2, 9, {10, 0, 0}}),
      Mission({names[8].c_str(), 2, 4, kAll, {5, 1, 3, 0, 2}, {6}, 500, 3, 100, 0.4, 2, 9, {10, 0, 0}}),
      Mission({names[9].c_str(), 2, -1, kAll, {5, 1, 3, 0, 2}, {0}, 0, 5, 1, 0.2, 50, 49, {10, 10, 10}}),
      Mission({names[10].c_str(), 3, 1, kAll, {3, 3, 3, 3, 3}, {}, 0, 3, 100, 0.15, 1, 9, {10, 0, 0}}),
      Mission({names[11].c_str(), 3, 2, kAll, {3, 3, 3, 3, 3}, {}, 0, 3, 100, 0.075, 1, 9, {0, 10, 0}}),
      Mission({names[12].c_str(), 3, 3, kAll, {3, 3, 3, 3, 3}, {}, 0, 3, 100, 0.075, 1, 9, {0, 0, 10}}),
      Mission({names[13].c_str(), 3, 4, kAll, {3, 3, 3, 3, 3}, {6}, 100, 3, 100, 0.075, 1, 9, {10, 10, 10}}),
      Mission({names[14].c_str(), 3, -1, kAll, {3, 3, 3, 3, 3}, {0, 2, 3, 4, 5, 6}, 1000, 3, 100, 0.075, 1, 9,
               {5, 3, 2}}),
  };
  // The very first level keeps its combos out of reach.
  rows[0].BasicComboMin = 50;
  rows[0].TimeComboMin = 50;
  // The one mission row with values outside its Medium entries.
  for (std::int32_t d : {Difficulty::Easy, Difficulty::Hard, Difficulty::Crazy}) rows[8].PowerUpScoreStep[d] = 1;
  return rows;
}

// One arcade row; the arrays are given Easy, Medium, Hard, Crazy.
struct TArcadeRow {
  std::int32_t GameType;
  std::array<std::int32_t, 5> Colour;
  std::initializer_list<std::int32_t> PowerUps;
  std::int32_t ComboMin;
  std::int32_t TimeComboWindow;
  std::array<std::int32_t, 4> PowerUpScoreStep;
  std::array<std::int32_t, 4> GridRange;
  std::array<std::int32_t, 4> SpawnInterval;
  std::array<double, 4> BaseSpeed;
  std::array<double, 4> SpeedSpread;
  std::array<double, 4> MaxMonsters;
  std::array<std::int32_t, 4> KillsPerLevel;
  std::array<std::array<std::int32_t, 3>, 4> SizeWeights;
};

TLevel Arcade(const TArcadeRow& row) {
  TLevel l;
  l.Name = GameTypeName(row.GameType);
  l.GameType = row.GameType;
  l.LevelIndex = -1;
  for (int i = 0; i < 5; ++i) {
    l.QuadrantAllowed[i] = true;
    l.QuadrantColour[i] = row.Colour[i];
  }
  for (std::int32_t p : row.PowerUps) l.PowerUpAllowed[p] = true;
  l.BasicComboMin = row.ComboMin;
  l.TimeComboMin = row.ComboMin;
  l.TimeComboWindow = row.TimeComboWindow;
  for (int d = 0; d < 4; ++d) {
    l.PowerUpScoreStep[d] = row.PowerUpScoreStep[d];
    l.GridRange[d] = row.GridRange[d];
    l.SpawnInterval[d] = row.SpawnInterval[d];
    l.BaseSpeed[d] = row.BaseSpeed[d];
    l.SpeedSpread[d] = row.SpeedSpread[d];
    l.MaxMonsters[d] = row.MaxMonsters[d];
    l.KillsPerLevel[d] = row.KillsPerLevel[d];
    for (int i = 0; i < 3; ++i) l.SizeWeights[d][i] = row.SizeWeights[d][i];
  }
  return l;
}

TLevel ArcadeStart(const TArcadeRow& row) {
  TLevel l = Arcade(row);
  PaintQuadrants(l);
  return l;
}

}  // namespace

std::string GameTypeName(std::int32_t gameType) {
  switch (gameType) {
    case GameType::QuickQuadrants: return TrMark("Rozir Ivivuruda");
    case GameType::WhatsThePoint: return TrMark("Vove'r uda Zerir?");
    case GameType::DefineTheLine: return TrMark("Define the Line");
    default: return "";
  }
}

std::string DifficultyName(std::int32_t difficulty) {
  switch (difficulty) {
    case Difficulty::Easy: return TrMark("Easy");
    case Difficulty::Medium: return TrMark("Medium");
    case Difficulty::Hard: return TrMark("Hard");
    case Difficulty::Crazy: return TrMark("Crazy");
    default: return "";
  }
}

std::string ChallengeGoalName(std::int32_t goal) {
  switch (goal) {
    case ChallengeGoal::Scoreathon: return TrMark("SCOREATHON!");
    case ChallengeGoal::BeatTheClock: return TrMark("BEAT THE CLOCK!");
    case ChallengeGoal::Killenate: return TrMark("KILLENATE THEM!");
    case ChallengeGoal::ComboToTheMax: return TrMark("COMBO TO THE MAX!");
    default: return "";
  }
}

const std::array<TLevel, 15> MissionLevels = BuildMissionLevels();

// Columns marked "not applied" in the step rows (colours, grid range, combo
// thresholds) stay 0: level-up never reads them.
const std::array<TLevel, 3> ArcadeStartLevels = {
    ArcadeStart({1, {7, 1, 1, 1, 1}, {0, 2, 3, 4, 5}, 5, 90,
            {1500, 3000, 4500, 6000}, {1, 1, 1, 1}, {100, 80, 60, 40},
            {0.3, 0.5, 0.7, 0.9}, {0.1, 0.15, 0.2, 0.25}, {2, 3, 4, 5}, {10, 10, 10, 10},
            {{{100, 3, 3}, {90, 10, 0}, {80, 15, 5}, {70, 20, 10}}}}),
    ArcadeStart({2, {5, 1, 3, 0, 2}, {0, 2, 3, 4, 5, 6}, 3, 120,
            {2000, 4000, 6000, 8000}, {2, 3, 4, 5}, {100, 100, 100, 100},
            {0.1, 0.2, 0.2, 0.3}, {0.05, 0.1, 0.15, 0.2}, {2, 3, 4, 5}, {10, 10, 10, 10},
            {{{500, 0, 0}, {120, 20, 0}, {80, 25, 15}, {60, 30, 20}}}}),
    ArcadeStart({3, {3, 3, 3, 3, 3}, {0, 2, 3, 4, 6}, 3, 120,
            {3000, 6000, 9000, 12000}, {2, 3, 4, 5}, {100, 100, 100, 100},
            {0.1, 0.2, 0.2, 0.3}, {0.05, 0.1, 0.1, 0.15}, {2, 3, 4, 5}, {10, 10, 10, 10},
            {{{500, 0, 0}, {120, 20, 0}, {80, 25, 15}, {60, 30, 20}}}}),
};

const std::array<TLevel, 3> ArcadeLevelSteps = {
    Arcade({1, {0, 0, 0, 0, 0}, {0, 2, 3, 4, 5}, 0, 0,
            {250, 500, 750, 1000}, {0, 0, 0, 0}, {-1, -2, -3, -4},
            {0.025, 0.05, 0.075, 0.1}, {0.005, 0.01, 0.015, 0.02}, {0.25, 0.05, 0.75, 1.0}, {1, 1, 1, 1},
            {{{10, 10, 5}, {30, 20, 10}, {20, 15, 10}, {5, 10, 15}}}}),
    Arcade({2, {0, 0, 0, 0, 0}, {0, 2, 3, 4, 5, 6}, 0, 0,
            {500, 1000, 1500, 2000}, {0, 0, 0, 0}, {-1, -2, -3, -4},
            {0.025, 0.05, 0.075, 0.1}, {0.005, 0.01, 0.01, 0.015}, {0.25, 0.25, 0.25, 0.25}, {1, 1, 1, 1},
            {{{5, 2, 1}, {5, 10, 5}, {5, 10, 10}, {5, 10, 15}}}}),
    Arcade({3, {0, 0, 0, 0, 0}, {0, 2, 3, 4, 6}, 0, 0,
            {750, 1500, 2250, 3000}, {0, 0, 0, 0}, {-1, -2, -3, -4},
            {0.025, 0.05, 0.075, 0.1}, {0.005, 0.01, 0.01, 0.015}, {0.25, 0.25, 0.25, 0.25}, {1, 1, 1, 1},
            {{{5, 2, 1}, {5, 10, 5}, {5, 10, 10}, {5, 10, 15}}}}),
};

void ApplyLevelStep(TLevel& level) {
  if (level.GameType < 1 || level.GameType > GameTypeCount) return;
  const TLevel& step = ArcadeLevelSteps[static_cast<std::size_t>(level.GameType - 1)];
  for (int i = 0; i < 8; ++i) level.PowerUpAllowed[i] = step.PowerUpAllowed[i];
  for (int d = 0; d < DifficultyCount; ++d) {
    level.SpawnInterval[d] = std::max(level.SpawnInterval[d] + step.SpawnInterval[d], 5);
    level.BaseSpeed[d] += step.BaseSpeed[d];
    level.SpeedSpread[d] += step.SpeedSpread[d];
    level.MaxMonsters[d] += step.MaxMonsters[d];
    level.KillsPerLevel[d] += step.KillsPerLevel[d];
    level.PowerUpScoreStep[d] += step.PowerUpScoreStep[d];
    for (int i = 0; i < 3; ++i) level.SizeWeights[d][i] += step.SizeWeights[d][i];
  }
}

const TLevel* MissionLevel(std::int32_t gameType, std::int32_t level) {
  if (gameType < 1 || gameType > GameTypeCount || level < 1 || level > MissionLevelCount) return nullptr;
  return &MissionLevels[static_cast<std::size_t>((gameType - 1) * MissionLevelCount + level - 1)];
}

const THelpPage MissionHelpPages[3][5] = {
    {{4, 0, true}, {4, 1, true}, {4, 2, true}, {4, 3, true}, {4, 4, true}},
    {{5, 0, true}, {5, 1, true}, {5, 2, true}, {5, 3, true}, {5, 4, true}},
    {{6, 0, true}, {6, 1, true}, {6, 2, true}, {6, 3, true}, {6, 4, true}},
};
