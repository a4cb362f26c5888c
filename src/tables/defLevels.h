#pragma once
// The kinds, types and difficulties of a game, the level record and its tables:
// five missions per game type, and per game type an arcade start level and the
// increment added at every level-up.
#include <array>
#include <cstdint>
#include <string>

// The enumerations are plain 32-bit integers, so they sit in namespaces rather
// than enum classes: the game state stores them as std::int32_t.
namespace GameKind {
enum Value : std::int32_t { Mission = 1, Arcade = 2, Challenge = 3 };
}

namespace GameType {
enum Value : std::int32_t { QuickQuadrants = 1, WhatsThePoint = 2, DefineTheLine = 3 };
}

namespace Difficulty {
enum Value : std::int32_t { Easy = 0, Medium = 1, Hard = 2, Crazy = 3 };
}

namespace ChallengeGoal {
enum Value : std::int32_t { Scoreathon = 1, BeatTheClock = 2, Killenate = 3, ComboToTheMax = 4 };
}

constexpr std::int32_t GameTypeCount = 3;
constexpr std::int32_t DifficultyCount = 4;
constexpr std::int32_t MissionLevelCount = 5;  // per game type

// "Rozir Ivivuruda", "Vove'r uda Zerir?", "Define the Line"; "" outside 1..3.
std::string GameTypeName(std::int32_t gameType);
// "Easy", "Medium", "Hard", "Crazy"; "" outside 0..3.
std::string DifficultyName(std::int32_t difficulty);
// "SCOREATHON!" ... "COMBO TO THE MAX!"; "" outside 1..4.
std::string ChallengeGoalName(std::int32_t goal);

// The rules of one level. Arrays of four are indexed by difficulty.
struct TLevel {
  std::string Name;
  std::int32_t GameType = 0;
  std::int32_t LevelIndex = 0;  // 1..4 for the first four mission levels, else -1
  // Index 0 admits points on the axes, 1..4 the quadrants.
  bool QuadrantAllowed[5] = {};
  std::int32_t QuadrantColour[5] = {};  // ColourTable indices
  bool PowerUpAllowed[8] = {};          // by PowerUpTable row
  std::int32_t BasicComboMin = 0;
  std::int32_t TimeComboMin = 0;
  std::int32_t TimeComboWindow = 0;  // frames
  std::int32_t PowerUpScoreStep[4] = {};
  std::int32_t GridRange[4] = {};
  std::int32_t SpawnInterval[4] = {};  // frames
  double BaseSpeed[4] = {};            // pixels per frame
  double SpeedSpread[4] = {};
  double MaxMonsters[4] = {};
  std::int32_t KillsPerLevel[4] = {};
  std::int32_t SizeWeights[4][3] = {};
};

// Five rows per game type: Rozir Ivivuruda levels 1..5, then Vove'r uda Zerir?,
// then Define the Line. Only the Medium entries are filled: missions are played
// at Medium.
extern const std::array<TLevel, 15> MissionLevels;
// Indexed by game type - 1.
extern const std::array<TLevel, 3> ArcadeStartLevels;
extern const std::array<TLevel, 3> ArcadeLevelSteps;

// A level-up in an arcade game or a challenge: the step row of the level's game
// type is added to every difficulty (the spawn interval never below 5 frames)
// and its power-ups replace the level's. Colours, grid range and combo rules stay.
void ApplyLevelStep(TLevel& level);

// The mission row of a game type (1..3) and level (1..5); nullptr outside.
const TLevel* MissionLevel(std::int32_t gameType, std::int32_t level);

// The help page shown over the game at the start of a mission level.
struct THelpPage {
  std::int32_t ImageSet = 0;
  std::int32_t Page = 0;
  bool Show = false;
};
// [game type - 1][mission level - 1]
extern const THelpPage MissionHelpPages[3][5];
