// The sprite set as the build made it, read through the game's reader: tinted
// pieces carry no colour of their own, every monster is its own creature, zaps
// join their ends, glows fade out before the edges of their patterns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "archiveSupport.h"
#include "tables/defSprites.h"
#include "pictures/genWidgets.h"

namespace {

// Texel of pattern p of an image.
std::uint32_t At(const TImage& image, int pattern, int x, int y) {
  std::int32_t t = 0, ox = 0, oy = 0;
  if (!image.PatternOrigin(pattern, t, ox, oy)) return 0;
  return image.Textures[static_cast<std::size_t>(t)][static_cast<std::size_t>(oy + y) * image.TextureWidth + ox + x];
}

int Alpha(std::uint32_t p) { return static_cast<int>(p >> 24); }
// Grey level 0..255 of a straight texel (the blue channel stands for grey:
// the HUD panel's greys lean to navy, and keep their blue).
int Level(std::uint32_t p) { return static_cast<int>(p & 0xFF); }

const TImage& Picture(int index) {
  const std::vector<const TImage*>& sprites = BuiltArchive("sprites.asdb");
  EXPECT_EQ(static_cast<int>(sprites.size()), Sprite::Count);
  static const TImage none;
  return index < static_cast<int>(sprites.size()) ? *sprites[static_cast<std::size_t>(index)] : none;
}

TEST(SpriteSet, TintedPicturesAreWhiteAndGrey) {
  // The game multiplies these by a colour; a hue of their own would show
  // through every tint (a yellow rim turns green under a cyan tint).
  for (int index : {Sprite::Monsters, Sprite::Backdrop, Sprite::GridDot, Sprite::AnswerHighlight, Sprite::QuadrantTiles,
                    Sprite::PushHighlight}) {
    const TImage& image = Picture(index);
    SCOPED_TRACE(image.Name);
    int coloured = 0;
    for (std::uint32_t p : image.Textures[0]) {
      if (Alpha(p) < 8) continue;
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (std::max({r, g, b}) - std::min({r, g, b}) > 3) ++coloured;
    }
    EXPECT_EQ(coloured, 0);
  }
}

// The HUD panel is tinted like the widgets and leans to navy as they do: each
// texel is a grey given its navy lean.
TEST(SpriteSet, TheHudPanelLeansToNavyAsTheWidgetsDo) {
  const TImage& panel = Picture(Sprite::HudPanel);
  int other = 0;
  for (std::uint32_t p : panel.Textures[0]) {
    if (Alpha(p) < 8) continue;
    const std::uint32_t grey = (p & 0xFF000000u) | (p & 0xFF) * 0x010101u;
    const std::uint32_t lean = NavyTone(grey);
    for (int c = 0; c < 3; ++c)
      if (std::abs(static_cast<int>((lean >> (8 * c)) & 0xFF) - static_cast<int>((p >> (8 * c)) & 0xFF)) > 1) {
        ++other;
        break;
      }
  }
  EXPECT_EQ(other, 0);
}

// The numerals drawn over the quadrant tiles are white with a dark outline,
// one per quadrant and each different.
TEST(SpriteSet, TheTileNumeralsAreWhiteOnADarkOutline) {
  const TImage& numerals = Picture(Sprite::QuadrantNumerals);
  ASSERT_EQ(numerals.PatternCount, 4);
  for (int q = 0; q < 4; ++q) {
    int white = 0, dark = 0;
    for (int y = 0; y < numerals.PatternHeight; ++y)
      for (int x = 0; x < numerals.PatternWidth; ++x) {
        const std::uint32_t t = At(numerals, q, x, y);
        if (Alpha(t) < 250) continue;
        white += Level(t) > 235 && ((t >> 16) & 0xFF) > 235;
        dark += ((t >> 16) & 0xFF) < 40 && Level(t) < 60;
      }
    EXPECT_GT(white, 200) << "numeral " << q + 1;
    EXPECT_GT(dark, 100) << "numeral " << q + 1 << "'s outline";
  }
}

TEST(SpriteSet, EveryPatternKeepsItsOuterTexelsClear) {
  // Patterns share textures; anything on a pattern's edge bleeds into its
  // neighbour when the texture is filtered, and a ring's square edge would show.
  for (int index : {Sprite::Monsters, Sprite::PowerUps, Sprite::BlastRing, Sprite::DoomRing, Sprite::GridDot,
                    Sprite::AnswerHighlight, Sprite::Status, Sprite::LifeIcon, Sprite::DoomButton, Sprite::HelpButton,
                    Sprite::PushHighlight}) {
    const TImage& image = Picture(index);
    SCOPED_TRACE(image.Name);
    for (int p = 0; p < image.PatternCount; ++p) {
      int worst = 0;
      for (int i = 0; i < image.PatternWidth; ++i)
        worst = std::max({worst, Alpha(At(image, p, i, 0)), Alpha(At(image, p, i, image.PatternHeight - 1))});
      for (int i = 0; i < image.PatternHeight; ++i)
        worst = std::max({worst, Alpha(At(image, p, 0, i)), Alpha(At(image, p, image.PatternWidth - 1, i))});
      EXPECT_LE(worst, 2) << "pattern " << p;
    }
  }
}

TEST(Monsters, NoTwoLookAlikeAndEachHasAReadableFace) {
  const TImage& sheet = Picture(Sprite::Monsters);
  ASSERT_EQ(sheet.PatternCount, Sprite::MonsterPatterns);
  const int n = Sprite::MonsterSize * Sprite::MonsterSize;
  // Under a tint only coverage and grey level remain: compare those.
  std::vector<std::vector<int>> looks(Sprite::MonsterPatterns, std::vector<int>(static_cast<std::size_t>(n)));
  for (int p = 0; p < Sprite::MonsterPatterns; ++p) {
    int white = 0, ink = 0;
    for (int y = 0; y < Sprite::MonsterSize; ++y)
      for (int x = 0; x < Sprite::MonsterSize; ++x) {
        const std::uint32_t t = At(sheet, p, x, y);
        looks[static_cast<std::size_t>(p)][static_cast<std::size_t>(y * Sprite::MonsterSize + x)] =
            Alpha(t) * Level(t) / 255 + 256 * (Alpha(t) > 128);
        if (Alpha(t) == 255 && Level(t) >= 245) ++white;
        if (Alpha(t) >= 240 && Level(t) <= 20) ++ink;
      }
    // White eyes or teeth and dark pupils and outlines: the face survives any tint.
    EXPECT_GE(white, 25) << "pattern " << p;
    EXPECT_GE(ink, 150) << "pattern " << p;
  }
  for (int a = 0; a < Sprite::MonsterPatterns; ++a)
    for (int b = a + 1; b < Sprite::MonsterPatterns; ++b) {
      int differ = 0;
      for (int i = 0; i < n; ++i)
        if (std::abs(looks[static_cast<std::size_t>(a)][static_cast<std::size_t>(i)] -
                     looks[static_cast<std::size_t>(b)][static_cast<std::size_t>(i)]) > 40)
          ++differ;
      EXPECT_GT(differ, n / 20) << "patterns " << a << " and " << b << " look alike";
    }
}

TEST(Zaps, EveryFlickerFrameJoinsTheMiddleOfBothEnds) {
  // The strip is stretched from the monster to the grid point along x, 64
  // pixels across: the bolt must start and end on the strip's middle line.
  for (int index : {Sprite::ZapLong, Sprite::ZapShort}) {
    const TImage& zap = Picture(index);
    SCOPED_TRACE(zap.Name);
    for (int p = 0; p < Sprite::ZapPatterns; ++p)
      for (int x : {0, zap.PatternWidth - 1}) {
        int best = 0, at = -1;
        for (int y = 0; y < zap.PatternHeight; ++y)
          if (Alpha(At(zap, p, x, y)) > best) best = Alpha(At(zap, p, x, y)), at = y;
        EXPECT_GE(best, 200) << "pattern " << p << " x " << x;
        EXPECT_NEAR(at, Sprite::ZapHeight / 2, 2) << "pattern " << p << " x " << x;
      }
    // Eight different flickers in each row.
    for (int row : {0, 8, 16})
      for (int f = 1; f < 8; ++f) {
        int differ = 0;
        for (int y = 0; y < zap.PatternHeight; ++y)
          for (int x = 0; x < zap.PatternWidth; ++x)
            differ += std::abs(Alpha(At(zap, row, x, y)) - Alpha(At(zap, row + f, x, y))) > 64;
        EXPECT_GT(differ, zap.PatternWidth) << "row " << row << " frame " << f;
      }
  }
}

TEST(Rings, ARingIsBrighterOnItsCircleThanInItsMiddle) {
  for (int index : {Sprite::BlastRing, Sprite::DoomRing}) {
    const TImage& ring = Picture(index);
    SCOPED_TRACE(ring.Name);
    const int c = ring.PatternWidth / 2;
    int edge = 0;
    for (int x = c; x < ring.PatternWidth; ++x) edge = std::max(edge, Alpha(At(ring, 0, x, c)));
    EXPECT_GE(edge, 220);
    EXPECT_LE(Alpha(At(ring, 0, c, c)), edge / 4);
  }
}

TEST(Backdrop, TilesAreLinesOverTheBoardsGroundAndDiffer) {
  // Drawn edge to edge at half alpha over the board's navy ground: lines on
  // nothing, so the cycling tint colours the lines only.
  const TImage& tiles = Picture(Sprite::Backdrop);
  ASSERT_EQ(tiles.PatternCount, Sprite::BackdropPatterns);
  for (int p = 0; p < Sprite::BackdropPatterns; ++p) {
    int clear = 0, lines = 0;
    for (int y = 0; y < Sprite::BackdropSize; ++y)
      for (int x = 0; x < Sprite::BackdropSize; ++x) {
        clear += Alpha(At(tiles, p, x, y)) == 0;
        lines += Alpha(At(tiles, p, x, y)) > 128;
      }
    EXPECT_GT(clear, Sprite::BackdropSize * Sprite::BackdropSize / 2) << p;
    EXPECT_GT(lines, 100) << p;
    for (int q = 0; q < p; ++q) {
      int differ = 0;
      for (int y = 0; y < Sprite::BackdropSize; ++y)
        for (int x = 0; x < Sprite::BackdropSize; ++x) differ += At(tiles, p, x, y) != At(tiles, q, x, y);
      EXPECT_GT(differ, 500) << p << " and " << q;
    }
  }
}

TEST(StatusPictures, LeaveTheMonstersFaceToBeSeen) {
  // Drawn over the whole monster: ice may veil the face, the snail and its goo keep off it.
  const TImage& status = Picture(Sprite::Status);
  int ice = 0, slowed = 0, n = 0;
  for (int y = 20; y < 44; ++y)
    for (int x = 16; x < 48; ++x, ++n) {
      ice += Alpha(At(status, Sprite::StatusStopped, x, y));
      slowed = std::max(slowed, Alpha(At(status, Sprite::StatusSlowed, x, y)));
    }
  EXPECT_GT(ice / n, 40);   // the ice is there ...
  EXPECT_LT(ice / n, 160);  // ... and see-through
  EXPECT_LE(slowed, 8);
}

TEST(DoomBar, TheFillLooksTheSameWhereverItIsCutOrStretched) {
  // The bar is drawn as wide as the charge: away from its rounded ends every
  // column must have the same shape, or the bar would change as it fills.
  const TImage& bar = Picture(Sprite::DoomBar);
  for (int x = 16; x < Sprite::DoomBarWidth - 16; ++x)
    for (int y = 0; y < Sprite::DoomBarHeight; ++y)
      ASSERT_NEAR(Alpha(At(bar, Sprite::DoomBarFill, x, y)), Alpha(At(bar, Sprite::DoomBarFill, 128, y)), 3)
          << x << "," << y;
  // The empty track shows where the full bar will reach.
  EXPECT_GT(Alpha(At(bar, Sprite::DoomBarTrack, Sprite::DoomBarWidth - 4, Sprite::DoomBarHeight / 2)), 200);
}

}  // namespace

namespace {

// Every power-up button rests wholly over the panel's tray: at each column it
// covers, the tray's dark shelf lies under its top edge.
TEST(HudPanel, TheTrayHoldsEveryPowerUpButton) {
  const TImage& panel = Picture(Sprite::HudPanel);
  ASSERT_EQ(panel.TextureWidth, Sprite::HudPanelWidth);
  const auto level = [&](int x, int y) {
    const std::uint32_t t = panel.Textures[0][static_cast<std::size_t>(y) * panel.TextureWidth + x];
    return Alpha(t) * Level(t) / 255;
  };
  for (int slot = 0; slot < 5; ++slot) {
    const int left = Sprite::HudFirstSlotX - Sprite::HudSlotPitch * slot;
    ASSERT_GE(left, 0) << "slot " << slot << " starts off the screen";
    for (int x = left; x < left + Sprite::HudSlotSize; ++x) {
      const int shelf = level(x, Sprite::HudSlotY - 3);
      const int body = level(x, Sprite::HudTrayY - 8);
      EXPECT_LT(shelf + 20, body) << "slot " << slot << ", column " << x << " lies past the tray";
    }
  }
}

}  // namespace
