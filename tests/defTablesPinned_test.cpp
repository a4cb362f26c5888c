// The game tables, value for value, written out here from the game's rule book
// rather than from the code's own arrays: a changed speed, target or threshold
// shows up here.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "tables/defChallenges.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "tables/defPowerUps.h"
#include "tables/defTitles.h"

namespace {

std::set<int> Allowed(const bool (&flags)[8]) {
  std::set<int> rows;
  for (int i = 0; i < 8; ++i)
    if (flags[i]) rows.insert(i);
  return rows;
}

struct TMissionExpect {
  const char* Name;
  int LevelIndex;
  int Quadrants[5];
  int Colours[5];
  std::set<int> PowerUps;
  int ScoreStep, Grid, Spawn;
  double Speed, MaxMonsters;
  int Kills;
  int Weights[3];
};

// Colours: every board shows quadrant I green (1), II yellow (3), III red (0)
// and IV blue (2), a closed quadrant grey (8), and axes in a colour that is
// no quadrant's nor close to one (level 4's deep blue was IV's blue). The
// written tables gave some levels one colour all over.
const TMissionExpect MissionRows[15] = {
    {"Rozir Ivivuruda - Level 1", 1, {0, 1, 0, 1, 0}, {8, 1, 8, 0, 8}, {}, 0, 1, 100, 0.3, 1, 9, {10, 0, 0}},
    {"Rozir Ivivuruda - Level 2", 2, {1, 1, 0, 1, 0}, {5, 1, 8, 0, 8}, {}, 0, 1, 100, 0.3, 1, 9, {10, 0, 0}},
    {"Rozir Ivivuruda - Level 3", 3, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {}, 0, 1, 100, 0.3, 1, 9, {10, 0, 0}},
    {"Rozir Ivivuruda - Level 4", 4, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {4}, 250, 1, 100, 0.4, 2, 9, {10, 0, 0}},
    {"Rozir Ivivuruda - Level 5", -1, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {3}, 250, 1, 100, 0.4, 2, 9, {10, 0, 0}},
    {"Vove'r uda Zerir? - Level 1", 1, {0, 1, 0, 1, 0}, {8, 1, 8, 0, 8}, {}, 0, 2, 100, 0.2, 1, 9, {10, 0, 0}},
    {"Vove'r uda Zerir? - Level 2", 2, {1, 1, 0, 1, 0}, {5, 1, 8, 0, 8}, {5}, 500, 2, 100, 0.4, 2, 9, {10, 0, 0}},
    {"Vove'r uda Zerir? - Level 3", 3, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {2}, 500, 2, 100, 0.4, 2, 9, {10, 0, 0}},
    {"Vove'r uda Zerir? - Level 4", 4, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {6}, 500, 3, 100, 0.4, 2, 9, {10, 0, 0}},
    {"Vove'r uda Zerir? - Level 5", -1, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {0}, 0, 5, 1, 0.2, 50, 49, {10, 10, 10}},
    {"Define the Line - Level 1", 1, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {}, 0, 3, 100, 0.15, 1, 9, {10, 0, 0}},
    {"Define the Line - Level 2", 2, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {}, 0, 3, 100, 0.075, 1, 9, {0, 10, 0}},
    {"Define the Line - Level 3", 3, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {}, 0, 3, 100, 0.075, 1, 9, {0, 0, 10}},
    {"Define the Line - Level 4", 4, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {6}, 100, 3, 100, 0.075, 1, 9, {10, 10, 10}},
    {"Define the Line - Level 5", -1, {1, 1, 1, 1, 1}, {5, 1, 3, 0, 2}, {0, 2, 3, 4, 5, 6}, 1000, 3, 100, 0.075, 1, 9,
     {5, 3, 2}},
};

TEST(PinnedTables, MissionLevels) {
  ASSERT_EQ(MissionLevels.size(), 15u);
  for (int i = 0; i < 15; ++i) {
    const TMissionExpect& e = MissionRows[i];
    const TLevel& l = MissionLevels[static_cast<std::size_t>(i)];
    SCOPED_TRACE(e.Name);
    EXPECT_EQ(l.Name, e.Name);
    EXPECT_EQ(l.GameType, i / 5 + 1);
    EXPECT_EQ(l.LevelIndex, e.LevelIndex);
    for (int q = 0; q < 5; ++q) {
      EXPECT_EQ(l.QuadrantAllowed[q], e.Quadrants[q] != 0) << "quadrant " << q;
      EXPECT_EQ(l.QuadrantColour[q], e.Colours[q]) << "colour " << q;
    }
    EXPECT_EQ(Allowed(l.PowerUpAllowed), e.PowerUps);
    const bool first = i == 0;
    EXPECT_EQ(l.BasicComboMin, first ? 50 : 5);
    EXPECT_EQ(l.TimeComboMin, first ? 50 : 5);
    EXPECT_EQ(l.TimeComboWindow, 800);
    const int m = 1;
    EXPECT_EQ(l.PowerUpScoreStep[m], e.ScoreStep);
    EXPECT_EQ(l.GridRange[m], e.Grid);
    EXPECT_EQ(l.SpawnInterval[m], e.Spawn);
    EXPECT_DOUBLE_EQ(l.BaseSpeed[m], e.Speed);
    EXPECT_DOUBLE_EQ(l.MaxMonsters[m], e.MaxMonsters);
    EXPECT_EQ(l.KillsPerLevel[m], e.Kills);
    for (int w = 0; w < 3; ++w) EXPECT_EQ(l.SizeWeights[m][w], e.Weights[w]);
    for (int d : {0, 2, 3}) {
      // Only "Vove'r uda Zerir? - Level 4" holds anything outside Medium.
      EXPECT_EQ(l.PowerUpScoreStep[d], i == 8 ? 1 : 0) << "difficulty " << d;
      EXPECT_EQ(l.GridRange[d], 0);
      EXPECT_EQ(l.SpawnInterval[d], 0);
      EXPECT_EQ(l.BaseSpeed[d], 0);
      EXPECT_EQ(l.MaxMonsters[d], 0);
      EXPECT_EQ(l.KillsPerLevel[d], 0);
      for (int w = 0; w < 3; ++w) EXPECT_EQ(l.SizeWeights[d][w], 0);
    }
    for (double spread : l.SpeedSpread) EXPECT_EQ(spread, 0);
  }
}

// One game type's pair of arcade rows, by difficulty Easy..Crazy.
struct TArcadeExpect {
  const char* Name;
  int Colours[5];
  std::set<int> PowerUps;
  int ComboMin, Window;
  int ScoreStep[4], ScoreStepUp[4];
  int Grid[4];
  int Spawn[4], SpawnUp[4];
  double Speed[4], SpeedUp[4];
  double Spread[4], SpreadUp[4];
  double Max[4], MaxUp[4];
  int Weights[4][3], WeightsUp[4][3];
};

const TArcadeExpect ArcadeRows[3] = {
    {"Rozir Ivivuruda", {7, 1, 3, 0, 2}, {0, 2, 3, 4, 5}, 5, 90,
     {1500, 3000, 4500, 6000}, {250, 500, 750, 1000}, {1, 1, 1, 1},
     {100, 80, 60, 40}, {-1, -2, -3, -4},
     {0.3, 0.5, 0.7, 0.9}, {0.025, 0.05, 0.075, 0.1},
     {0.1, 0.15, 0.2, 0.25}, {0.005, 0.01, 0.015, 0.02},
     {2, 3, 4, 5}, {0.25, 0.05, 0.75, 1.0},
     {{100, 3, 3}, {90, 10, 0}, {80, 15, 5}, {70, 20, 10}}, {{10, 10, 5}, {30, 20, 10}, {20, 15, 10}, {5, 10, 15}}},
    {"Vove'r uda Zerir?", {5, 1, 3, 0, 2}, {0, 2, 3, 4, 5, 6}, 3, 120,
     {2000, 4000, 6000, 8000}, {500, 1000, 1500, 2000}, {2, 3, 4, 5},
     {100, 100, 100, 100}, {-1, -2, -3, -4},
     {0.1, 0.2, 0.2, 0.3}, {0.025, 0.05, 0.075, 0.1},
     {0.05, 0.1, 0.15, 0.2}, {0.005, 0.01, 0.01, 0.015},
     {2, 3, 4, 5}, {0.25, 0.25, 0.25, 0.25},
     {{500, 0, 0}, {120, 20, 0}, {80, 25, 15}, {60, 30, 20}}, {{5, 2, 1}, {5, 10, 5}, {5, 10, 10}, {5, 10, 15}}},
    {"Define the Line", {5, 1, 3, 0, 2}, {0, 2, 3, 4, 6}, 3, 120,
     {3000, 6000, 9000, 12000}, {750, 1500, 2250, 3000}, {2, 3, 4, 5},
     {100, 100, 100, 100}, {-1, -2, -3, -4},
     {0.1, 0.2, 0.2, 0.3}, {0.025, 0.05, 0.075, 0.1},
     {0.05, 0.1, 0.1, 0.15}, {0.005, 0.01, 0.01, 0.015},
     {2, 3, 4, 5}, {0.25, 0.25, 0.25, 0.25},
     {{500, 0, 0}, {120, 20, 0}, {80, 25, 15}, {60, 30, 20}}, {{5, 2, 1}, {5, 10, 5}, {5, 10, 10}, {5, 10, 15}}},
};

TEST(PinnedTables, ArcadeStartAndStepRows) {
  for (int t = 0; t < 3; ++t) {
    const TArcadeExpect& e = ArcadeRows[t];
    const TLevel& start = ArcadeStartLevels[static_cast<std::size_t>(t)];
    const TLevel& step = ArcadeLevelSteps[static_cast<std::size_t>(t)];
    SCOPED_TRACE(e.Name);
    for (const TLevel* row : {&start, &step}) {
      EXPECT_EQ(row->Name, e.Name);
      EXPECT_EQ(row->GameType, t + 1);
      EXPECT_EQ(row->LevelIndex, -1);
      for (bool q : row->QuadrantAllowed) EXPECT_TRUE(q);
      EXPECT_EQ(Allowed(row->PowerUpAllowed), e.PowerUps);
    }
    for (int q = 0; q < 5; ++q) EXPECT_EQ(start.QuadrantColour[q], e.Colours[q]) << "colour " << q;
    EXPECT_EQ(start.BasicComboMin, e.ComboMin);
    EXPECT_EQ(start.TimeComboMin, e.ComboMin);
    EXPECT_EQ(start.TimeComboWindow, e.Window);
    for (int d = 0; d < 4; ++d) {
      SCOPED_TRACE("difficulty " + std::to_string(d));
      EXPECT_EQ(start.PowerUpScoreStep[d], e.ScoreStep[d]);
      EXPECT_EQ(step.PowerUpScoreStep[d], e.ScoreStepUp[d]);
      EXPECT_EQ(start.GridRange[d], e.Grid[d]);
      EXPECT_EQ(start.SpawnInterval[d], e.Spawn[d]);
      EXPECT_EQ(step.SpawnInterval[d], e.SpawnUp[d]);
      EXPECT_DOUBLE_EQ(start.BaseSpeed[d], e.Speed[d]);
      EXPECT_DOUBLE_EQ(step.BaseSpeed[d], e.SpeedUp[d]);
      EXPECT_DOUBLE_EQ(start.SpeedSpread[d], e.Spread[d]);
      EXPECT_DOUBLE_EQ(step.SpeedSpread[d], e.SpreadUp[d]);
      EXPECT_DOUBLE_EQ(start.MaxMonsters[d], e.Max[d]);
      EXPECT_DOUBLE_EQ(step.MaxMonsters[d], e.MaxUp[d]);
      EXPECT_EQ(start.KillsPerLevel[d], 10);
      EXPECT_EQ(step.KillsPerLevel[d], 1);
      for (int w = 0; w < 3; ++w) {
        EXPECT_EQ(start.SizeWeights[d][w], e.Weights[d][w]);
        EXPECT_EQ(step.SizeWeights[d][w], e.WeightsUp[d][w]);
      }
    }
  }
}

TEST(PinnedTables, Challenges) {
  struct TRow {
    int GameType, Goal;
    int Target[4];
    int TimeLimit;
  };
  const TRow rows[12] = {
      {1, 1, {12500, 45000, 250000, 3000000}, 0}, {1, 2, {7500, 35000, 200000, 1500000}, 240},
      {2, 1, {15000, 60000, 250000, 350000}, 0},  {2, 2, {10000, 40000, 150000, 275000}, 240},
      {3, 1, {17500, 50000, 350000, 750000}, 0},  {3, 2, {12500, 35000, 200000, 500000}, 240},
      {1, 3, {50, 100, 200, 400}, 0},             {1, 4, {30, 60, 90, 120}, 0},
      {2, 3, {50, 100, 150, 200}, 0},             {2, 4, {20, 40, 60, 100}, 0},
      {3, 3, {50, 75, 100, 200}, 0},              {3, 4, {10, 20, 40, 80}, 0},
  };
  ASSERT_EQ(Challenges.size(), 12u);
  for (int i = 0; i < 12; ++i)
    for (int d = 0; d < 4; ++d) {
      const TChallenge& c = Challenges[static_cast<std::size_t>(i)];
      EXPECT_EQ(c.GameType[d], rows[i].GameType) << i << "/" << d;
      EXPECT_EQ(c.Goal[d], rows[i].Goal) << i << "/" << d;
      EXPECT_EQ(c.Target[d], rows[i].Target[d]) << i << "/" << d;
      EXPECT_EQ(c.TimeLimit[d], rows[i].TimeLimit) << i << "/" << d;
    }
}

TEST(PinnedTables, PowerUpsAndColours) {
  struct TRow {
    const char* Name;
    const char* Description;
    int Frame;
  };
  const TRow rows[7] = {
      {"Zorbex Doom Device", "Zorbex Doom Device", 0},
      {"Plane Walls", "Erects monster proof walls on two sides of the screen.", 2},
      {"Translation Inhibiter", "Stops Monster Movement.", 4},
      {"Radial Blast", "Knocks All Monsters Back.", 5},
      {"Velocity Bisector", "Halves Monster Movement Speed.", 3},
      {"Quadrant Blitz", "Kills All Monsters In One Quadrant.", 0},
      {"Functional Analyser", "Shows The Answers For All Monsters.", 1},
  };
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(std::string(PowerUpTable[static_cast<std::size_t>(i)].Name), rows[i].Name);
    EXPECT_EQ(std::string(PowerUpTable[static_cast<std::size_t>(i)].Description), rows[i].Description);
    EXPECT_EQ(PowerUpTable[static_cast<std::size_t>(i)].IconFrame, rows[i].Frame) << rows[i].Name;
  }
  const unsigned colours[9] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF,
                               0x00FFFF, 0x004EFF, 0xFFFFFF, 0x808080};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(ColourTable[static_cast<std::size_t>(i)], colours[i]) << "colour " << i;
}

TEST(PinnedTables, Titles) {
  struct TRow {
    const char* Name;
    int Threshold[12];  // QQ E M H C, WTP E M H C, DTL E M H C
  };
  const TRow rows[14] = {
      {"Absolute Zero", {1500, 2000, 3000, 5000, 1500, 3500, 7500, 10500, 2400, 5900, 10000, 17500}},
      {"Bell Curve", {3500, 5500, 7000, 13000, 3000, 7500, 17500, 24000, 7800, 13800, 25000, 38000}},
      {"Carmichael Number", {6000, 8500, 14000, 22500, 7000, 12500, 27000, 37000, 18500, 30000, 41500, 70000}},
      {"Fermat Point", {10000, 11500, 18000, 34500, 9500, 17000, 42000, 58000, 24000, 44000, 60000, 120000}},
      {"Digital Root", {12000, 15500, 25000, 41000, 13000, 23000, 60000, 91000, 30000, 60000, 85000, 150000}},
      {"Venn Diagram", {15000, 20500, 31000, 54000, 18000, 31500, 75000, 125000, 36500, 75000, 115000, 212000}},
      {"Orthic Triangle", {17000, 27000, 40000, 65000, 22000, 38000, 95000, 155000, 43000, 98000, 145000, 232000}},
      {"Universal Graph", {19500, 33000, 50000, 78000, 26000, 45500, 112000, 180000, 51000, 120000, 173500, 275000}},
      {"Re-entrant Angle", {25000, 41000, 64000, 93500, 29000, 55000, 135000, 212500, 58500, 145000, 222500, 372000}},
      {"Zenzizenzizenzic", {29000, 46500, 76000, 115000, 35000, 61000, 158000, 245000, 70000, 163000, 267000, 532500}},
      {"Complex Fraction", {34000, 53000, 90000, 137000, 40000, 68000, 183000, 275000, 79000, 183000, 312000, 672000}},
      {"Mean Proportional", {39000, 60000, 104000, 159000, 45000, 75000, 208000, 305000, 88000, 203000, 357000, 812000}},
      {"Omega Constant", {44000, 67000, 118000, 181000, 50000, 82000, 233000, 335000, 97000, 223000, 402000, 952000}},
      {"El Hemisferio", {60000, 74000, 132000, 203000, 55000, 89000, 258000, 365000, 106000, 243000, 450000, 1092000}},
  };
  ASSERT_EQ(Titles.size(), 14u);
  for (int i = 0; i < 14; ++i) {
    EXPECT_EQ(std::string(Titles[static_cast<std::size_t>(i)].Name), rows[i].Name);
    for (int c = 0; c < 12; ++c)
      EXPECT_EQ(Titles[static_cast<std::size_t>(i)].Threshold[c], rows[i].Threshold[c]) << rows[i].Name << " column " << c;
  }
}

}  // namespace
