// One colour per quadrant everywhere a board is drawn: the colours are read
// back from the generated pictures (previews, challenge tiles, end cards,
// help pages) and from the boards the game builds for every level.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>

#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "genArt.h"
#include "kit/genBoards.h"
#include "pictures/genChallenge.h"
#include "pages/genGameOver.h"
#include "pages/genTutorials.h"
#include "kit/sheetLayout.h"
#include "contrastSupport.h"

namespace {

double Hue(double r, double g, double b) {
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
  if (d <= 0) return 0;
  double h = mx == r ? std::fmod((g - b) / d, 6.0) : mx == g ? (b - r) / d + 2 : (r - g) / d + 4;
  h *= 60;
  return h < 0 ? h + 360 : h;
}

// The quadrant whose colour a texel's hue is nearest; 0 for texels that are
// too grey or too near white to be a cell's tint (grid points, glows).
int QuadrantByHue(std::uint32_t argb) {
  const double r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  if (std::max({r, g, b}) - std::min({r, g, b}) < 18 || std::min({r, g, b}) > 140) return 0;
  const double h = Hue(r, g, b);
  int best = 0;
  double nearest = 1e9;
  for (int q = 1; q <= 4; ++q) {
    const std::uint32_t c = QuadrantColour(q);
    const double d = std::abs(h - Hue((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF));
    const double around = std::min(d, 360 - d);
    if (around < nearest) nearest = around, best = q;
  }
  return best;
}

// The quadrant colour most tinted texels of one quadrant cell of a board
// show, and what share of them show it.
struct TCellReading {
  int Quadrant = 0;
  double Share = 0;
};

TCellReading ReadCell(const std::vector<std::uint32_t>& px, int width, double x, double y, double size, int q) {
  const double half = size / 2;
  const double cx = q == 1 || q == 4 ? x + half : x, cy = q == 1 || q == 2 ? y : y + half;
  std::array<int, 5> votes{};
  int tinted = 0;
  for (int j = static_cast<int>(cy + 4); j < static_cast<int>(cy + half - 4); ++j)
    for (int i = static_cast<int>(cx + 4); i < static_cast<int>(cx + half - 4); ++i) {
      const int k = QuadrantByHue(px[static_cast<std::size_t>(j) * width + i]);
      if (k == 0) continue;
      ++votes[static_cast<std::size_t>(k)];
      ++tinted;
    }
  TCellReading r;
  r.Quadrant = static_cast<int>(std::max_element(votes.begin() + 1, votes.end()) - votes.begin());
  r.Share = tinted > 0 ? static_cast<double>(votes[static_cast<std::size_t>(r.Quadrant)]) / tinted : 0;
  return r;
}

void ExpectBoardColours(const std::vector<std::uint32_t>& px, int width, double x, double y, double size,
                        const std::string& what, const bool (&open)[5] = {true, true, true, true, true}) {
  for (int q = 1; q <= 4; ++q) {
    if (!open[q]) continue;
    const TCellReading r = ReadCell(px, width, x, y, size, q);
    EXPECT_EQ(r.Quadrant, q) << what << ": quadrant " << q << " reads as " << r.Quadrant;
    EXPECT_GT(r.Share, 0.6) << what << ": quadrant " << q;
  }
}

TEST(QuadrantColours, TheTableNamesFourDifferentColoursAndNoMonsterOfTheOtherGamesWearsOne) {
  for (int a = 1; a <= 4; ++a) {
    EXPECT_EQ(QuadrantByHue(0xFF000000u | ((QuadrantColour(a) >> 1) & 0x7F7F7F)), a) << "a half-bright cell tint";
    for (int b = a + 1; b <= 4; ++b) EXPECT_NE(QuadrantColour(a), QuadrantColour(b));
  }
  for (std::uint32_t c : NeutralMonsterColours)
    for (int q = 1; q <= 4; ++q) EXPECT_NE(c, QuadrantColour(q));
}

TEST(QuadrantColours, EveryLevelsBoardShowsEachOpenQuadrantInItsColour) {
  std::vector<const TLevel*> rows;
  for (const TLevel& l : MissionLevels) rows.push_back(&l);
  for (const TLevel& l : ArcadeStartLevels) rows.push_back(&l);
  for (const TLevel* l : rows) {
    for (int q = 1; q <= 4; ++q) {
      const std::int32_t row = l->QuadrantColour[q];
      ASSERT_GE(row, 0);
      ASSERT_LT(row, ColourCount);
      if (l->QuadrantAllowed[q])
        EXPECT_EQ(ColourTable[static_cast<std::size_t>(row)], QuadrantColour(q)) << l->Name << " quadrant " << q;
      else
        EXPECT_FALSE(IsQuadrantColourRow(row)) << l->Name << ": a closed quadrant looks like another one";
    }
    // Axes never borrow a quadrant's colour, nor one close to it.
    EXPECT_FALSE(LooksLikeQuadrantColourRow(l->QuadrantColour[0])) << l->Name;
  }
}

TEST(QuadrantColours, ReadBackFromThePreviewsTheChallengeTilesAndTheEndCards) {
  const std::vector<TImage> previews = ModePreviewPictures();
  for (const TImage& p : previews)
    ExpectBoardColours(p.Textures[0], p.TextureWidth, PreviewBoard.X, PreviewBoard.Y, PreviewBoard.Size, p.Name);

  const std::vector<std::uint32_t> sheet = DrawChallengeSheet();
  for (int type = 0; type < 3; ++type) {
    const TRect r = ChallengeRect(type);
    ExpectBoardColours(sheet, ChallengeSheetSize, r.X + 1.0, r.Y + 1.0, r.W - 2.0, "challenge tile " + std::to_string(type));
  }

  // Level complete and level failed, for each game type.
  const std::vector<TImage> cards = GameOverPictures(GameOverMissionSet);
  ASSERT_GE(cards.size(), 6u);
  for (int i = 0; i < 6; ++i)
    ExpectBoardColours(cards[static_cast<std::size_t>(i)].Textures[0], GameOverWidth, EndCardBoard.X, EndCardBoard.Y,
                       EndCardBoard.Size, "end card " + std::to_string(i));
}

TEST(QuadrantColours, ReadBackFromEveryHelpPage) {
  for (int type = 1; type <= 3; ++type) {
    const std::vector<TImage> pages = TutorialPictures(type);
    for (int level = 1; level <= 5; ++level) {
      const TLevel& row = *MissionLevel(type, level);
      const TImage& page = pages[static_cast<std::size_t>(level - 1)];
      ExpectBoardColours(page.Textures[0], page.TextureWidth, TutorialPlaneX, TutorialPlaneY, TutorialPlaneSize,
                         row.Name, row.QuadrantAllowed);
    }
  }
}

// The middle colour of a square of a picture.
std::uint32_t MedianOf(const std::vector<std::uint32_t>& px, int width, double x0, double y0, double x1, double y1) {
  std::vector<std::uint32_t> v;
  for (int y = static_cast<int>(y0); y < static_cast<int>(y1); ++y)
    for (int x = static_cast<int>(x0); x < static_cast<int>(x1); ++x)
      v.push_back(px[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF);
  return contrast::MedianColour(v);
}

// The commonest colour of a square of a picture: a ground under lines and marks.
std::uint32_t CommonestOf(const std::vector<std::uint32_t>& px, int width, double x0, double y0, double x1, double y1) {
  std::map<std::uint32_t, int> count;
  for (int y = static_cast<int>(y0); y < static_cast<int>(y1); ++y)
    for (int x = static_cast<int>(x0); x < static_cast<int>(x1); ++x)
      ++count[px[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF];
  return std::max_element(count.begin(), count.end(), [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// The square of quadrant q of a page's plane.
contrast::TInkBox PageQuadrant(int q) {
  const double half = TutorialPlaneSize / 2;
  contrast::TInkBox b;
  b.Left = static_cast<int>(q == 1 || q == 4 ? TutorialPlaneX + half : TutorialPlaneX);
  b.Top = static_cast<int>(q == 1 || q == 2 ? TutorialPlaneY : TutorialPlaneY + half);
  b.Right = static_cast<int>(b.Left + half);
  b.Bottom = static_cast<int>(b.Top + half);
  return b;
}

// The ground of every open quadrant of a help page is the board's own, the
// same colour a child sees in the game.
TEST(QuadrantColours, EveryHelpPagesGroundIsTheBoardsOwn) {
  for (int type = 1; type <= 3; ++type) {
    const std::vector<TImage> pages = TutorialPictures(type);
    for (int level = 1; level <= 5; ++level) {
      const TLevel& row = *MissionLevel(type, level);
      const TImage& page = pages[static_cast<std::size_t>(level - 1)];
      const TTutorialPage content = TutorialPage(type, level);
      for (int q = 1; q <= 4; ++q) {
        // The quadrant game's page lights up its example's quadrant.
        if (!row.QuadrantAllowed[q] || (type == 1 && q == content.Examples[0].Quadrant)) continue;
        const contrast::TInkBox b = PageQuadrant(q);
        const std::uint32_t ground =
            CommonestOf(page.Textures[0], page.TextureWidth, b.Left + 4, b.Top + 4, b.Right - 4, b.Bottom - 4);
        EXPECT_LT(contrast::DifferenceSeen(ground, QuadrantFill(q), contrast::TVision::Normal), 2.5)
            << row.Name << ": quadrant " << q << " reads " << std::hex << ground;
      }
    }
  }
}

// The numerals of the quadrant game's help pages read at 4.5:1 against their
// quadrant's ground in every way of seeing (they read at 1.5 to 2.7:1 when
// they were a faint white).
TEST(QuadrantColours, TheQuadrantPagesNumeralsReadAtFourAndAHalfToOne) {
  for (int level = 1; level <= 5; ++level) {
    TPageFit fit;
    const TTutorialPage content = TutorialPage(1, level);
    const TImage page = TutorialPicture(content, &fit);
    const std::vector<TDiagramNumber>& numerals = fit.Diagram.PlacedNumbers();
    ASSERT_EQ(numerals.size(), 4u);
    for (const TDiagramNumber& n : numerals) {
      const contrast::TInkBox b = PageQuadrant(n.Value);
      const std::uint32_t ground =
          MedianOf(page.Textures[0], page.TextureWidth, b.Left + 4, b.Top + 4, b.Right - 4, b.Bottom - 4);
      for (contrast::TVision v : contrast::Visions) {
        std::vector<double> l;
        for (int y = static_cast<int>(n.Ink.Y0); y < static_cast<int>(n.Ink.Y1); ++y)
          for (int x = static_cast<int>(n.Ink.X0); x < static_cast<int>(n.Ink.X1); ++x)
            l.push_back(contrast::LuminanceSeen(page.Textures[0][static_cast<std::size_t>(y) * page.TextureWidth + x] &
                                                    0xFFFFFF,
                                                v));
        std::sort(l.begin(), l.end());
        const double ratio = contrast::Ratio(l[l.size() * 97 / 100], contrast::LuminanceSeen(ground, v));
        std::printf("  page %d, numeral %s, %s: %.2f:1\n", level, n.Text.c_str(), contrast::VisionName(v), ratio);
        EXPECT_GE(ratio, 4.5) << "page " << level << ", numeral " << n.Text << ", " << contrast::VisionName(v);
      }
    }
  }
}

}  // namespace
