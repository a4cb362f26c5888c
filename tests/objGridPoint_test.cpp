// Grid points: growing under the pointer, the hover sound, clicks, the flash
// and the answer highlight.
#include <gtest/gtest.h>

#include "tables/defLevels.h"
#include "gameBoardSupport.h"

namespace {

class GridPoint : public ::testing::Test {
 protected:
  GridPoint() {
    Board.UseMission(GameType::WhatsThePoint, 2);  // R = 2, quadrants 0, 1 and 3
    Board.Build();
    P = Board.Point(1, 1);
  }
  void Over(const TobjGridPoint* p, double dx = 0, double dy = 0) { Board.MoveTo(p->X + 512 + dx, p->Y + 384 + dy); }
  TGameBoard Board;
  TobjGridPoint* P = nullptr;
};

TEST_F(GridPoint, EveryMoveInsideTheCellPostsAHover) {
  ASSERT_EQ(P->Width, 128);
  Over(P, -10, 5);
  Over(P, 20, -30);
  Over(P, 63, 0);
  Board.Step();
  EXPECT_EQ(Board.Screen.Count(ekGame, 24), 3);
  EXPECT_EQ(Board.Screen.Last(ekGame, 24)->Param, reinterpret_cast<std::intptr_t>(P));
  Over(P, 64, 0);  // on the edge: outside
  Board.Step();
  EXPECT_EQ(Board.Screen.Count(ekGame, 24), 3);
  EXPECT_FALSE(P->Hovered);
}

TEST_F(GridPoint, GrowsOnceAStepAndSoundsOnceAtItsPeak) {
  Over(P);
  P->SetSelected(true);
  const double before = P->DotSize;
  Board.Step();
  EXPECT_DOUBLE_EQ(P->DotSize - before, 1.5) << "hovered and selected grows only once";
  Board.Step(10);
  EXPECT_EQ(P->DotSize, 20);
  EXPECT_EQ(P->MainItem->Width, 20);
  EXPECT_EQ(P->MainItem->Alpha, 255);
  EXPECT_EQ(Board.Screen.Count(ekSound, 7), 1);
  Board.Step(20);
  EXPECT_EQ(Board.Screen.Count(ekSound, 7), 1) << "held at the peak: no repeat";

  P->SetSelected(false);
  Over(Board.Point(-1, 1));  // an idle point: P is left, nothing else grows
  Board.Step();
  Over(P);
  Board.Step(3);
  EXPECT_EQ(P->DotSize, 20);
  EXPECT_EQ(Board.Screen.Count(ekSound, 7), 1) << "back at the peak without having shrunk away: silent";
  Over(Board.Point(-1, 1));
  Board.Step(5);
  EXPECT_EQ(Board.Screen.Count(ekSound, 7), 1) << "shrinking, not yet at its smallest";
  Board.Step(10);
  EXPECT_EQ(P->DotSize, 9);
  EXPECT_EQ(P->MainItem->Alpha, TobjGridPoint::DotMinAlpha) << "a resting dot stays in sight";
  EXPECT_EQ(Board.Tile(1)->MainItem->Alpha, 54) << "tiles keep their dim look";
  Over(P);
  Board.Step(10);
  EXPECT_EQ(Board.Screen.Count(ekSound, 7), 2);
}

TEST_F(GridPoint, AClickFlashesWhiteAndPostsTheClick) {
  const std::uint32_t base = P->MainItem->Color;
  EXPECT_EQ(base, 0x40FF40) << "quadrant 1 of this level is green, lightened by 64";
  Board.Click(P);
  EXPECT_EQ(Board.Screen.Count(ekGame, 16), 1);
  EXPECT_EQ(Board.Screen.Last(ekGame, 16)->Param, reinterpret_cast<std::intptr_t>(P));
  EXPECT_TRUE(P->Flashing);
  int steps = 0;
  bool white = false;
  while (P->Flashing && steps < 100) {
    white = white || P->MainItem->Color == 0xFFFFFF;
    Board.Step();
    ++steps;
  }
  EXPECT_TRUE(white);
  EXPECT_EQ(P->MainItem->Color, base);
  // 64 to 255 in steps of 15 takes 13 steps up; 255 back to 64 takes 13 down.
  EXPECT_GE(steps, 24);
  EXPECT_LE(steps, 28);
}

TEST_F(GridPoint, InactivePointsAndAStoppedGameIgnoreTheMouse) {
  TobjGridPoint* off = Board.Point(-1, 1);  // quadrant 2: not in this level
  ASSERT_FALSE(off->Active);
  Board.Click(off);
  EXPECT_EQ(Board.Screen.Count(ekGame, 16), 0);
  EXPECT_EQ(Board.Screen.Count(ekGame, 24), 0);
  Board.Res().GameOver = true;
  Board.Click(P);
  EXPECT_EQ(Board.Screen.Count(ekGame, 16), 0);
  EXPECT_DOUBLE_EQ(P->DotSize, 9) << "frozen";
}

TEST_F(GridPoint, TheAnswerHighlightFadesInStaysAndFadesOut) {
  P->ShowAnswer(240, 0x0000FF);
  EXPECT_TRUE(P->Highlight->Visible);
  EXPECT_EQ(P->Highlight->Color, 0x0000FFu);
  Board.Step();
  EXPECT_EQ(P->Highlight->Alpha, 18);
  Board.Step(9);
  EXPECT_EQ(P->Highlight->Alpha, 191);
  Board.Step(200);
  EXPECT_EQ(P->Highlight->Alpha, 191) << "steady in the middle";
  Board.Step(20);
  EXPECT_EQ(P->Highlight->Alpha, 192) << "10 steps left";
  Board.Step(9);
  EXPECT_EQ(P->Highlight->Alpha, 19);
  EXPECT_TRUE(P->Highlight->Visible);
  Board.Step();
  EXPECT_FALSE(P->Highlight->Visible);

  // A click hides it at once.
  P->ShowAnswer(240, 0x0000FF);
  Board.Step(5);
  Board.Click(P);
  EXPECT_FALSE(P->Highlight->Visible);
}

TEST_F(GridPoint, QuadrantTilesAreLargeDimAndHighlightWithTheirOwnPicture) {
  TGameBoard qq;
  qq.UseMission(GameType::QuickQuadrants, 3);
  qq.Build();
  TobjGridPoint* tile = qq.Tile(2);
  ASSERT_NE(tile, nullptr);
  EXPECT_EQ(tile->PointX, -1);
  EXPECT_EQ(tile->PointY, 1);
  EXPECT_EQ(tile->MainItem->Width, 128);
  EXPECT_EQ(tile->MainItem->Alpha, 190) << "dimmed, but never so faint that its numeral cannot be read";
  tile->ShowAnswer(100, 0x0000FF);
  EXPECT_EQ(tile->Highlight->Width, 128);
  EXPECT_EQ(tile->Highlight->ImageIndex, tile->MainItem->ImageIndex);
  EXPECT_EQ(tile->Highlight->GetPattern(), 1);
  // The tiles lie idle under the boards of the other games.
  EXPECT_FALSE(Board.Tile(1)->Active);
}

}  // namespace
