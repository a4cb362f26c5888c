// One colour per quadrant everywhere a board is drawn: the colours are read
// back from the generated pictures (previews, challenge tiles, end cards,
// help pages) and from the boards the game builds for every level.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "genArt.h"
#include "kit/genBoards.h"
#include "pictures/genChallenge.h"
#include "pages/genGameOver.h"
#include "pages/genTutorials.h"
#include "kit/sheetLayout.h"

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

}  // namespace
