// The coordinate map: the layout for each grid range, numbers and axis names,
// and the backdrop's colour cycle.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/sysRandom.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "gameBoardSupport.h"

namespace {

std::set<std::string> LabelTexts(const TobjMap* map) {
  std::set<std::string> texts;
  for (const TrndText* t : map->Labels) texts.insert(t->Text);
  return texts;
}

TEST(Map, CellsLinesAndNumbersFollowTheRange) {
  TGameBoard board;
  board.UseMission(GameType::DefineTheLine, 1);  // R = 3
  board.Build();
  const TobjMap* map = board.Map;
  EXPECT_EQ(map->CellWidth, 85) << "512 div 6";
  ASSERT_EQ(map->Cells.size(), 36u);
  // The cells cover 510 pixels, not 512: from -255 to 255 around the origin at 128.
  EXPECT_EQ(map->Cells.front()->RelX, -255 + 128);
  EXPECT_EQ(map->Cells.front()->RelY, -255);
  EXPECT_EQ(map->Cells.back()->RelX + map->Cells.back()->Width, 255 + 128);
  EXPECT_EQ(map->Cells.back()->RelY + map->Cells.back()->Height, 255);
  ASSERT_EQ(map->LinesX.size(), 7u);
  ASSERT_EQ(map->LinesY.size(), 7u);
  // The axes are three pixels thick and opaque; the other lines faint hairlines.
  EXPECT_EQ(map->LinesX[3]->Width, 3);
  EXPECT_EQ(map->LinesX[3]->RelX, 127);
  EXPECT_EQ(map->LinesX[3]->Alpha, 255);
  EXPECT_EQ(map->LinesX[0]->Width, 1);
  EXPECT_EQ(map->LinesX[0]->Alpha, 64);
  EXPECT_EQ(map->LinesY[6]->RelY, 255);
  EXPECT_EQ(LabelTexts(map), (std::set<std::string>{"-3", "-2", "-1", "0", "1", "2", "3", "-x", "+x", "-y", "+y"}));
  // 7 on the x axis, 6 on the y axis (its 0 is the x axis's), 4 axis names.
  EXPECT_EQ(map->Labels.size(), 17u);

  const TVector2 at = map->PlaneToScreen({2, -1});
  EXPECT_EQ(at.X, 170);
  EXPECT_EQ(at.Y, -85);
}

TEST(Map, QuadrantMapsShowOnlyTheAxisNames) {
  TGameBoard board;
  board.UseMission(GameType::QuickQuadrants, 1);  // R = 1
  board.Build();
  EXPECT_EQ(board.Map->CellWidth, 256);
  EXPECT_EQ(LabelTexts(board.Map), (std::set<std::string>{"-x", "+x", "-y", "+y"}));
  EXPECT_EQ(board.Map->Labels[1]->RelX, 256 + 15 + 128) << "+x just right of the square";
}

TEST(Map, CellColoursComeFromTheLevelsQuadrantColours) {
  TGameBoard board;
  board.UseMission(GameType::QuickQuadrants, 1);  // colours 8,1,8,0,8
  board.Build();
  // i >= R and j < R is quadrant 1 (upper right): its green ground, opaque.
  const TrndGfx* quadrant1 = board.Map->Cells[1 * 2 + 0];
  const TrndGfx* quadrant2 = board.Map->Cells[0 * 2 + 0];
  EXPECT_EQ(quadrant1->Color, QuadrantFills[1]);
  EXPECT_EQ(quadrant1->Alpha, 255) << "no backdrop shows through a quadrant";
  EXPECT_EQ(quadrant2->Color, ClosedQuadrantFill) << "quadrant II is closed in this level";
  EXPECT_EQ(QuadrantFill(board.Res().Level, true, 1), ColourBlindQuadrantFills[1]);
}

TEST(Map, TheBackdropCyclesBetweenRedAndGreenWhileTheGameRuns) {
  RandomSeed(3);
  TGameBoard board;
  board.UseMission(GameType::WhatsThePoint, 1);
  board.Build();
  TobjMap* map = board.Map;
  ASSERT_EQ(map->TintPhase, 3);
  board.Step(5);
  EXPECT_EQ(map->Backdrop[0]->Color, 0x817F00u) << "(129, 127, 0): red rises as green falls";
  for (const TrndGfx* tile : map->Backdrop) EXPECT_EQ(tile->Color, map->Backdrop[0]->Color);
  // Phase 3 ends when red is full, after about (255 - 128) / 0.2 steps.
  int steps = 5;
  while (map->TintPhase == 3 && steps < 5000) {
    board.Step();
    ++steps;
  }
  EXPECT_NEAR(steps, 635, 1);
  EXPECT_EQ(map->Backdrop[0]->Color, 0xFF0000u);
  board.Step();
  EXPECT_EQ(map->TintPhase, 2) << "phase 1 starts with red full and ends at once";
  steps = 0;
  while (map->TintPhase == 2 && steps < 5000) {
    board.Step();
    ++steps;
  }
  EXPECT_NEAR(steps, 1275, 1);
  EXPECT_EQ(map->TintPhase, 3);
  EXPECT_EQ(map->Backdrop[0]->Color, 0x00FF00u);
  board.Res().GameOver = true;
  board.Step(100);
  EXPECT_EQ(map->Backdrop[0]->Color, 0x00FF00u) << "frozen while the game is stopped";
}

TEST(Map, BuildingAgainReplacesTheLayout) {
  TGameBoard board;
  board.UseMission(GameType::DefineTheLine, 1);
  board.Build();
  const std::int32_t items = board.Map->ItemCount();
  board.Map->Build(5, 5);
  EXPECT_EQ(board.Map->CellWidth, 51);
  EXPECT_EQ(board.Map->Cells.size(), 100u);
  EXPECT_GT(board.Map->ItemCount(), items);
  EXPECT_FALSE(board.Map->MainItem->Visible);
}

}  // namespace
