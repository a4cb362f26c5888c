// The title pictures, previews and sheets as the screens show them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "pictures/artMonster.h"
#include "genArt.h"
#include "pictures/genChallenge.h"
#include "review/genReview.h"
#include "pictures/genWidgets.h"
#include "kit/genBoards.h"
#include "kit/sheetLayout.h"

namespace {

std::uint32_t Alpha(const TImage& image, int x, int y) {
  return image.Textures[0][static_cast<std::size_t>(y) * image.TextureWidth + x] >> 24;
}

// The strongest alpha along the picture's outer frame of texels.
std::uint32_t BorderAlpha(const TImage& image) {
  std::uint32_t worst = 0;
  for (int x = 0; x < image.TextureWidth; ++x)
    worst = std::max({worst, Alpha(image, x, 0), Alpha(image, x, image.TextureHeight - 1)});
  for (int y = 0; y < image.TextureHeight; ++y)
    worst = std::max({worst, Alpha(image, 0, y), Alpha(image, image.TextureWidth - 1, y)});
  return worst;
}

TEST(TitlePictures, CornerPictureAndLoadingPanelFitInsideTheirFrames) {
  // Drawn over the backdrop: nothing may be cut off at the picture's edges.
  const TImage corner = CornerPicture();
  EXPECT_EQ(corner.TextureWidth, 300);
  EXPECT_EQ(corner.TextureHeight, 60);
  EXPECT_LT(BorderAlpha(corner), 8u);
  const TImage panel = LoadingPanelPicture();
  EXPECT_LT(BorderAlpha(panel), 8u);
  // A solid panel: the name and the tag line sit on an opaque middle.
  for (int x = 20; x < 430; x += 10)
    for (int y = 20; y < 212; y += 8) ASSERT_GT(Alpha(panel, x, y), 230u) << x << "," << y;
}

TEST(ModePreviews, ThreeOpaqueAndDifferentBoards) {
  const std::vector<TImage> previews = ModePreviewPictures();
  ASSERT_EQ(previews.size(), 3u);
  std::set<std::vector<std::uint32_t>> distinct;
  for (const TImage& p : previews) {
    EXPECT_EQ(p.TextureWidth, 390);
    EXPECT_EQ(p.TextureHeight, 190);
    EXPECT_TRUE(std::all_of(p.Textures[0].begin(), p.Textures[0].end(), [](std::uint32_t t) { return t >> 24 == 255; }))
        << p.Name;
    distinct.insert(p.Textures[0]);
  }
  EXPECT_EQ(distinct.size(), 3u);
}

// The previews of the point and line games teach with the numbers of their
// boards: the monster, its question, the rings, the pointer and the line keep
// off every one of them, and every number is there.
TEST(ModePreviews, NothingDrawnCoversTheBoardsNumbers) {
  std::vector<TDiagramMarks> marks;
  ModePreviewPictures(&marks);
  ASSERT_EQ(marks.size(), 3u);
  for (int i = 1; i < 3; ++i) {
    const std::vector<TDiagramNumber>& numbers = marks[static_cast<std::size_t>(i)].PlacedNumbers();
    EXPECT_EQ(numbers.size(), 12u) << "preview " << i << ": -3..3 on both axes";
    for (const TDiagramNumber& n : numbers)
      EXPECT_EQ(marks[static_cast<std::size_t>(i)].BoxAt(n.Ink), "") << "preview " << i << " covers " << n.Text;
  }
}

// The quadrant game's preview shows the numeral of every quadrant, and its
// monster stands in the quadrant its question names, (-X,Y) in II: nothing of
// the picture lies over a numeral.
TEST(ModePreviews, TheQuadrantPreviewShowsTheNumeralsAndItsMonsterInTheQuadrantItAsksFor) {
  std::vector<TDiagramMarks> marks;
  ModePreviewPictures(&marks);
  ASSERT_EQ(marks.size(), 3u);
  const TDiagramMarks& m = marks[0];
  ASSERT_EQ(m.PlacedNumbers().size(), 4u);
  const double half = PreviewBoard.Size / 2;
  const TDiagramBox quadrant[5] = {{},
                                   {PreviewBoard.X + half, PreviewBoard.Y, PreviewBoard.X + 2 * half, PreviewBoard.Y + half},
                                   {PreviewBoard.X, PreviewBoard.Y, PreviewBoard.X + half, PreviewBoard.Y + half},
                                   {PreviewBoard.X, PreviewBoard.Y + half, PreviewBoard.X + half, PreviewBoard.Y + 2 * half},
                                   {PreviewBoard.X + half, PreviewBoard.Y + half, PreviewBoard.X + 2 * half,
                                    PreviewBoard.Y + 2 * half}};
  for (const TDiagramNumber& n : m.PlacedNumbers()) {
    const TDiagramBox& q = quadrant[n.Value];
    EXPECT_TRUE(n.Ink.X0 >= q.X0 && n.Ink.X1 <= q.X1 && n.Ink.Y0 >= q.Y0 && n.Ink.Y1 <= q.Y1) << n.Text;
    EXPECT_EQ(m.MarkAt(n.Ink), "") << n.Text << " is covered";
  }
  // The monster's body lies inside quadrant II.
  const TDiagramBox& ii = quadrant[2];
  bool inside = false;
  for (double x = ii.X0 + 1; x < ii.X1; x += 2)
    for (double y = ii.Y0 + 1; y < ii.Y1; y += 2)
      if (m.MarkAt({x, y, x + 1, y + 1}) == "the monster") inside = true;
  EXPECT_TRUE(inside) << "the monster is not in quadrant II";
  for (int q : {1, 3, 4})
    for (double x = quadrant[q].X0 + 1; x < quadrant[q].X1; x += 2)
      for (double y = quadrant[q].Y0 + 1; y < quadrant[q].Y1; y += 2)
        ASSERT_NE(m.MarkAt({x, y, x + 1, y + 1}), "the monster") << "the monster reaches into quadrant " << q;
}

// Visible texels of a sheet that lie outside every rectangle cut from it.
int StrayTexels(const std::vector<std::uint32_t>& px, int w, int h, const std::vector<TRect>& rects) {
  int stray = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if ((px[static_cast<std::size_t>(y) * w + x] >> 24) <= 2) continue;  // too faint to see
      const bool inside = std::any_of(rects.begin(), rects.end(), [&](const TRect& r) {
        return x >= r.X && x < r.X + r.W && y >= r.Y && y < r.Y + r.H;
      });
      stray += inside ? 0 : 1;
    }
  return stray;
}

TEST(PictureSheets, NoGlowSpillsOutOfItsRectangle) {
  // A spill would show along the edge of the neighbouring piece once the
  // texture is filtered.
  std::vector<TRect> challenge;
  for (const TChallengeRect& r : ChallengeRects()) challenge.push_back(r.Rect);
  const std::vector<std::uint32_t> sheet = DrawChallengeSheet();
  EXPECT_EQ(StrayTexels(sheet, ChallengeSheetSize, ChallengeSheetSize, challenge), 0);
  // Icons and medals stand free on the tiles: their glows fade out before the
  // edge of their rectangle instead of being cut there.
  for (int index : {3, 4, 5, 6, 8, 9, 10, 11}) {
    const TRect r = ChallengeRect(index);
    std::uint32_t edge = 0;
    for (int i = 0; i < r.W; ++i)
      for (int y : {r.Y, r.Y + r.H - 1}) edge = std::max(edge, sheet[static_cast<std::size_t>(y) * ChallengeSheetSize + r.X + i] >> 24);
    for (int i = 0; i < r.H; ++i)
      for (int x : {r.X, r.X + r.W - 1}) edge = std::max(edge, sheet[static_cast<std::size_t>(r.Y + i) * ChallengeSheetSize + x] >> 24);
    EXPECT_LE(edge, 24u) << index;
  }
  std::vector<TRect> widgets;
  for (const TSheetFrame& f : WidgetFrames())
    for (const TSheetPiece& p : f.Pieces) {
      TRect r = p.Sheet;
      if (p.StretchX()) r = {r.X - 1, r.Y, r.W + 2, r.H};
      if (p.StretchY()) r = {r.X, r.Y - 1, r.W, r.H + 2};
      widgets.push_back(r);
    }
  EXPECT_EQ(StrayTexels(DrawWidgetSheet(), WidgetSheetWidth, WidgetSheetHeight, widgets), 0);
}

TEST(Monsters, EveryLookFitsItsPatternAndKeepsAReadableFace) {
  // Monster sheets hold 68 x 68 patterns; a body of 40 with horns, antennae,
  // arms, feet and shadow must stay inside, and the eyes must stay white
  // even on a dark grey body (the tint cannot lighten them).
  for (int mouth = 0; mouth < 4; ++mouth)
    for (int head = 0; head < 4; ++head) {
      SCOPED_TRACE(testing::Message() << "mouth " << mouth << " head " << head);
      art::TSurface s(68, 68);
      TMonsterLook look;
      look.Mouth = mouth;
      look.Head = head;
      look.Aspect = 1.1;
      DrawMonster(s, 34, 36, 40, art::Grey(0.3), look);
      const TImage image = art::MakeImage("monster", s);
      EXPECT_EQ(BorderAlpha(image), 0u);
      // The left eye's white, beside its pupil.
      const std::uint32_t eye = image.Textures[0][static_cast<std::size_t>(36 - 20 + 15) * 68 + 34 - 9 - 4];
      EXPECT_EQ(eye >> 24, 255u);
      EXPECT_GT(eye & 0xFF, 230u);
    }
}

TEST(Mockup, AFramedPanelPutTogetherFromTheSheetIsWholeAndTinted) {
  const TImage font = FontSheetPicture();
  const TImage sheet = WidgetSheetPicture();
  TMockup m(font, sheet);
  m.Widget("label frame", 100, 100, 280, 480, 0xCCCC00, 255);
  const std::vector<std::uint32_t> px = m.Screen().Pixels();
  auto at = [&](int x, int y) { return px[static_cast<std::size_t>(y) * 1024 + x]; };
  // Over the black screen: every texel inside the frame is lit, yellow (no
  // blue under the tint), and the rim is brighter than the fill.
  for (int y = 106; y < 574; y += 3)
    for (int x = 106; x < 374; x += 3) {
      const std::uint32_t p = at(x, y);
      ASSERT_GT((p >> 16) & 0xFF, 20u) << x << "," << y;
      ASSERT_EQ(p & 0xFF, 0u) << x << "," << y;
    }
  EXPECT_GT((at(102, 340) >> 16) & 0xFF, (at(240, 340) >> 16) & 0xFF);
  EXPECT_GT((at(240, 102) >> 16) & 0xFF, (at(240, 340) >> 16) & 0xFF);
}

}  // namespace
