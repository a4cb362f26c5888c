// The end-of-game pictures the build made, under the screen's widgets: the
// places of its buttons and value labels stay calm, and each label has its
// caption beside it.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "archiveSupport.h"
#include "pages/genGameOver.h"

namespace {

// Relative luminance 0..1 of an opaque texel.
double Luminance(std::uint32_t p) {
  return (0.2126 * ((p >> 16) & 0xFF) + 0.7152 * ((p >> 8) & 0xFF) + 0.0722 * (p & 0xFF)) / 255.0;
}

struct TStats {
  double Mean = 0, Max = 0, Spread = 0;
};

TStats Region(const TImage& image, TRect r) {
  r.W = std::min(r.W, image.TextureWidth - r.X);
  TStats s;
  double sum = 0, sq = 0;
  int n = 0;
  for (int y = r.Y; y < r.Y + r.H; ++y)
    for (int x = r.X; x < r.X + r.W; ++x) {
      const double l = Luminance(image.Textures[0][static_cast<std::size_t>(y) * image.TextureWidth + x]);
      sum += l;
      sq += l * l;
      s.Max = std::max(s.Max, l);
      ++n;
    }
  s.Mean = sum / n;
  s.Spread = std::sqrt(std::max(0.0, sq / n - s.Mean * s.Mean));
  return s;
}

TEST(GameOverPictures, ButtonPlacesStayCalmAndLabelsHaveCaptionsAndDarkSlots) {
  for (int set : {GameOverMissionSet, GameOverArcadeSet, GameOverChallengeSet}) {
    const char* archive = set == GameOverMissionSet  ? "GoTuts.asdb"
                          : set == GameOverArcadeSet ? "GoArcade.asdb"
                                                     : "GoChallenge.asdb";
    std::vector<TImage> pictures;
    for (const TImage* image : BuiltArchive(archive)) pictures.push_back(*image);
    ASSERT_EQ(pictures.size(), set == GameOverMissionSet ? 9u : set == GameOverArcadeSet ? 2u : 3u);
    std::set<std::vector<std::uint32_t>> distinct;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
      const TImage& p = pictures[i];
      SCOPED_TRACE(testing::Message() << "set " << set << " image " << i);
      ASSERT_EQ(p.TextureWidth, GameOverWidth);
      ASSERT_EQ(p.TextureHeight, GameOverHeight);
      // Opaque inside the rounded frame; the corners outside it are clear, so
      // no dark square shows there over the board.
      const auto alpha = [&](int x, int y) { return p.Textures[0][static_cast<std::size_t>(y) * p.TextureWidth + x] >> 24; };
      const int r = static_cast<int>(GameOverCornerRadius) + 1;  // its edge is smoothed
      for (int y = 0; y < p.TextureHeight; ++y)
        for (int x = 0; x < p.TextureWidth; ++x) {
          const bool inCorner = (x < r || x >= p.TextureWidth - r) && (y < r || y >= p.TextureHeight - r);
          if (!inCorner) {
            ASSERT_EQ(alpha(x, y), 255u) << x << "," << y;
          }
        }
      for (int cx : {0, p.TextureWidth - 3})
        for (int cy : {0, p.TextureHeight - 3})
          for (int k = 0; k < 3; ++k) EXPECT_EQ(alpha(cx + k, cy + k), 0u) << "corner " << cx << "," << cy;
      distinct.insert(p.Textures[0]);
      // Under a button: nothing bright, nothing busy.
      for (const TRect& b : GameOverButtons(set, static_cast<int>(i))) {
        const TStats s = Region(p, b);
        EXPECT_LT(s.Max, 0.45) << b.X << "," << b.Y;
        EXPECT_LT(s.Spread, 0.06) << b.X << "," << b.Y;
      }
      for (const TGameOverLabel& label : GameOverLabels(set)) {
        // White values are written here: a dark, even slot.
        const TRect value{label.Rect.X + 2, label.Rect.Y + 4, label.Rect.W - 20, label.Rect.H - 8};
        const TStats slot = Region(p, value);
        EXPECT_LT(slot.Mean, 0.08) << label.Caption;
        EXPECT_LT(slot.Max, 0.3) << label.Caption;
        // The caption ends just left of the label, in the label's row.
        const TStats caption = Region(p, {label.Rect.X - 60, label.Rect.Y, 52, label.Rect.H});
        EXPECT_GT(caption.Max, 0.85) << label.Caption;
      }
    }
    EXPECT_EQ(distinct.size(), pictures.size());
  }
}

// The failed challenge's missed dart flies clear of the title above it: none
// of its shaft or fletching colours among the title's rows.
TEST(GameOverPictures, TheMissedDartStaysOffTheTitle) {
  const std::vector<const TImage*> pictures = BuiltArchive("GoChallenge.asdb");
  ASSERT_EQ(pictures.size(), 3u);
  const TImage& failed = *pictures[1];
  const auto near = [](std::uint32_t p, std::uint32_t c) {
    for (int shift : {0, 8, 16})
      if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((c >> shift) & 0xFF)) > 24) return false;
    return true;
  };
  int dartTexels = 0;
  int titleRowsDart = 0;
  for (int y = 0; y < failed.TextureHeight / 2; ++y)
    for (int x = 0; x < failed.TextureWidth; ++x) {
      const std::uint32_t p = failed.Textures[0][static_cast<std::size_t>(y) * failed.TextureWidth + x];
      if (!near(p, 0x5FE1FF) && !near(p, 0xB06A2C)) continue;
      ++dartTexels;
      titleRowsDart += y < 56;  // the title's baseline is at 48, its outline and shadow reach 54
    }
  EXPECT_GT(dartTexels, 40) << "the dart is drawn at all";
  EXPECT_EQ(titleRowsDart, 0);
}

TEST(GameOverPictures, LayoutMatchesTheScreen) {
  // Screen positions of the widgets less the picture's own (400, 204).
  const TRect mission = GameOverButtons(GameOverMissionSet, 0)[0];
  EXPECT_EQ(mission.X + 400, 530);
  EXPECT_EQ(mission.Y + 204, 464);
  const std::vector<TRect> failed = GameOverButtons(GameOverChallengeSet, 1);
  ASSERT_EQ(failed.size(), 2u);
  EXPECT_EQ(failed[0].Y + 204, 429);
  EXPECT_EQ(failed[1].Y + 204, 494);
  EXPECT_EQ(GameOverButtons(GameOverChallengeSet, 2).size(), 1u);
  const std::vector<TGameOverLabel> labels = GameOverLabels(GameOverChallengeSet);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].Rect.X + 400, 649);
  EXPECT_EQ(labels[0].Rect.Y + 204, 361);
  EXPECT_EQ(labels[1].Rect.Y + 204, 391);
  EXPECT_EQ(GameOverLabels(GameOverArcadeSet)[0].Rect.Y + 204, 369);
  // The arcade screen's two buttons: to the high scores, and back.
  const std::vector<TRect> arcade = GameOverButtons(GameOverArcadeSet, 0);
  ASSERT_EQ(arcade.size(), 2u);
  EXPECT_EQ(arcade[0].Y + 204, 429);
  EXPECT_EQ(arcade[1].Y + 204, 494);
  EXPECT_EQ(arcade[1].X + 400, 510);
}

}  // namespace
