// The board as children with every kind of colour vision see it, drawn by the
// real SDL device: the quadrant game's numerals read at 4.5:1, the four
// quadrant colours stay apart in normal vision, greyscale, deuteranopia and
// protanopia (in both palettes), a quadrant keeps its colour whatever the
// backdrop behind the board, and the band drawn from the first point of a
// line stands out from every background. Skipped while the game's sprites are
// not in the data.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "contrastSupport.h"
#include "drawnScreenSupport.h"
#include "game/frmGame.h"
#include "game/modAI.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "objects/sysObjects.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"

namespace {

using contrast::TVision;

// The board's square on the screen.
constexpr int BoardLeft = 384, BoardTop = 128, BoardSize = 512;

struct TSampleRect {
  int X, Y, W, H;
};

std::vector<std::uint32_t> Pixels(const std::vector<std::uint32_t>& frame, const TSampleRect& r) {
  std::vector<std::uint32_t> out;
  for (int y = r.Y; y < r.Y + r.H; ++y)
    for (int x = r.X; x < r.X + r.W; ++x) out.push_back(frame[static_cast<std::size_t>(y) * 1024 + x] & 0xFFFFFF);
  return out;
}

// A strip of quadrant q (1..4) along the middle of its outer side, clear of the
// quadrant tile, the numeral plates and the axes: its colour is the quadrant's.
TSampleRect FillSample(int q) {
  const int half = BoardSize / 2;
  const bool right = q == 1 || q == 4, top = q == 1 || q == 2;
  const int x = right ? BoardLeft + BoardSize - 30 : BoardLeft + 6;
  const int y = (top ? BoardTop : BoardTop + half) + half / 2 - 20;
  return {x, y, 24, 40};
}

class BoardColours : public DrawnScreenTest {
 protected:
  void SetUp() override {
    DrawnScreenTest::SetUp();
    if (HasFatalFailure()) return;
    StartAsNewPlayer();
  }
  bool HaveSprites() { return HaveImage(Sprite::Set, Sprite::QuadrantTiles); }
  // A board of that game type with no monster on it, after its fade-in.
  TfrmGame* Board(std::int32_t kind, std::int32_t type, std::int32_t missionLevel = 1) {
    OpenGame(kind, type, Difficulty::Medium, missionLevel);
    // A mission level opens with its help page: OK closes it.
    if (kind == GameKind::Mission) {
      for (int i = 0; i < 200 && Director->Screen(ssTutorial) == nullptr; ++i) Tick();
      for (int i = 0; i < 20 && Director->Screen(ssTutorial) != nullptr; ++i) {
        Tick(20);
        Press(0x0D);
        Tick(20);
      }
    }
    auto* game = dynamic_cast<TfrmGame*>(Director->Screen(ssGame));
    if (game == nullptr) return nullptr;
    for (double& m : Res()->Level.MaxMonsters) m = 0;
    Move(100, 700);  // the pointer rests on the HUD, over no tile
    Tick(40);
    return game;
  }
  std::array<std::uint32_t, 5> Fills(const std::vector<std::uint32_t>& frame) {
    std::array<std::uint32_t, 5> out{};
    for (int q = 1; q <= 4; ++q) out[static_cast<std::size_t>(q)] = contrast::MedianColour(Pixels(frame, FillSample(q)));
    return out;
  }
  void SetBackdropTint(TobjMap* map, double r, double g, double b) {
    map->TintRed = r;
    map->TintGreen = g;
    map->TintBlue = b;
    map->TintPhase = 1;
    Res()->Paused = false;
    Tick();  // the map applies its tint in its step
  }
};

// Every pair of quadrants looks different, by at least `apart` (CIE76), in
// every way of seeing.
void ExpectApart(const std::array<std::uint32_t, 5>& fills, double apart, const char* what) {
  for (TVision v : contrast::Visions)
    for (int a = 1; a <= 4; ++a)
      for (int b = a + 1; b <= 4; ++b) {
        const double d = contrast::DifferenceSeen(fills[static_cast<std::size_t>(a)], fills[static_cast<std::size_t>(b)], v);
        std::printf("  %s, %s: quadrants %d and %d %.1f apart\n", what, contrast::VisionName(v), a, b, d);
        EXPECT_GE(d, apart) << what << ", " << contrast::VisionName(v) << ": quadrants " << a << " and " << b;
      }
}

TEST_F(BoardColours, TheFourQuadrantsStayApartInEveryWayOfSeeingInBothPalettes) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  for (const bool colourBlind : {false, true}) {
    Res()->Options.ColourBlindPalette = colourBlind ? 1 : 0;
    for (std::int32_t type : {GameType::QuickQuadrants, GameType::WhatsThePoint}) {
      ASSERT_NE(Board(GameKind::Arcade, type), nullptr);
      const auto fills = Fills(Capture());
      ExpectApart(fills, 10, colourBlind ? "colour-blind palette" : "usual palette");
    }
  }
}

// The quadrant fills are opaque: the colour-cycling backdrop behind the board
// does not tint them, and a quadrant is the same colour in every game type.
TEST_F(BoardColours, AQuadrantKeepsItsColourOnEveryBackdropAndInEveryGame) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  std::array<std::uint32_t, 5> first{};
  bool haveFirst = false;
  for (std::int32_t type : {GameType::QuickQuadrants, GameType::WhatsThePoint, GameType::DefineTheLine}) {
    TfrmGame* game = Board(GameKind::Mission, type, 3);
    ASSERT_NE(game, nullptr);
    ASSERT_NE(game->Map, nullptr);
    SetBackdropTint(game->Map, 255, 0, 0);
    const auto red = Fills(Capture());
    SetBackdropTint(game->Map, 0, 255, 0);
    const auto green = Fills(Capture());
    for (int q = 1; q <= 4; ++q) {
      const std::size_t i = static_cast<std::size_t>(q);
      const double d = contrast::DifferenceSeen(red[i], green[i], TVision::Normal);
      std::printf("  game type %d, quadrant %d: %06X on red, %06X on green (%.1f apart)\n", type, q, red[i], green[i], d);
      EXPECT_LT(d, 2.5) << "game type " << type << ", quadrant " << q << " changes with the backdrop";
      if (haveFirst) {
        EXPECT_LT(contrast::DifferenceSeen(first[i], red[i], TVision::Normal), 2.5)
            << "quadrant " << q << " of game type " << type << " is another colour than in the quadrant game";
      }
    }
    if (!haveFirst) first = red;
    haveFirst = true;
  }
}

// The quadrant game's numerals read at 4.5:1 against their tiles, in every way
// of seeing and in both palettes: the numeral is the tile's lightest part, the
// tile's body beside it what it is read against.
TEST_F(BoardColours, TheQuadrantGamesNumeralsReadAtFourAndAHalfToOne) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  for (const bool colourBlind : {false, true}) {
    Res()->Options.ColourBlindPalette = colourBlind ? 1 : 0;
    ASSERT_NE(Board(GameKind::Arcade, GameType::QuickQuadrants), nullptr);
    const std::vector<std::uint32_t> frame = Capture();
    TsysObjects* objects = Director->Interface->Objects.get();
    int tiles = 0;
    for (std::int32_t i = 0; i < objects->TypeSize(otGridPoint); ++i) {
      const auto* tile = static_cast<const TobjGridPoint*>(objects->TypeObject(otGridPoint, i));
      if (!tile->IsTile) continue;
      ++tiles;
      const int q = QuadrantOf(tile->PointX, tile->PointY);
      const int cx = static_cast<int>(512 + tile->X), cy = static_cast<int>(384 + tile->Y);
      std::vector<std::uint32_t> numeral = Pixels(frame, {cx - 42, cy - 26, 84, 52});
      std::vector<std::uint32_t> body = Pixels(frame, {cx - 58, cy - 20, 12, 40});
      const std::vector<std::uint32_t> right = Pixels(frame, {cx + 46, cy - 20, 12, 40});
      body.insert(body.end(), right.begin(), right.end());
      const std::uint32_t ground = contrast::MedianColour(body);
      for (TVision v : contrast::Visions) {
        // The numeral's ink: the lightest few per cent of its box.
        std::vector<double> l;
        for (std::uint32_t p : numeral) l.push_back(contrast::LuminanceSeen(p, v));
        std::sort(l.begin(), l.end());
        const double ink = l[l.size() * 97 / 100];
        const double ratio = contrast::Ratio(ink, contrast::LuminanceSeen(ground, v));
        std::printf("  %s, %s: numeral of quadrant %d %.2f:1\n", colourBlind ? "colour-blind" : "usual",
                    contrast::VisionName(v), q, ratio);
        EXPECT_GE(ratio, 4.5) << (colourBlind ? "colour-blind palette, " : "usual palette, ")
                              << contrast::VisionName(v) << ": quadrant " << q;
      }
    }
    EXPECT_EQ(tiles, 4);
  }
}

// The numerals on their plates at the corners of the point and line games'
// boards read at 4.5:1 too, in every way of seeing and in both palettes.
TEST_F(BoardColours, TheBoardsCornerNumeralsReadAtFourAndAHalfToOne) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  for (const bool colourBlind : {false, true}) {
    Res()->Options.ColourBlindPalette = colourBlind ? 1 : 0;
    TfrmGame* game = Board(GameKind::Arcade, GameType::WhatsThePoint);
    ASSERT_NE(game, nullptr);
    ASSERT_NE(game->Map, nullptr);
    for (int q = 0; q < 4; ++q) {
      TrndText* numeral = game->Map->QuadrantNumerals[static_cast<std::size_t>(q)];
      ASSERT_NE(numeral, nullptr);
      for (TVision v : contrast::Visions) {
        const contrast::TMeasure m = contrast::MeasureText(Director->Graphics.get(), numeral, v);
        EXPECT_GT(m.GlyphPixels, 20);
        EXPECT_GE(m.Ratio, 4.5) << (colourBlind ? "colour-blind palette, " : "usual palette, ")
                                << contrast::VisionName(v) << ": numeral " << q + 1;
      }
    }
  }
}

// The band from the first point of a line to the pointer is plain to see over
// each quadrant and along an axis: most of its pixels differ from what is
// behind them by 3:1 at least.
TEST_F(BoardColours, TheBandFromTheFirstPointStandsOutOnEveryBackground) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  TfrmGame* game = Board(GameKind::Arcade, GameType::DefineTheLine);
  ASSERT_NE(game, nullptr);
  TsysObjects* objects = Director->Interface->Objects.get();
  const auto screenOf = [&](std::int32_t x, std::int32_t y) -> std::pair<int, int> {
    for (std::int32_t i = 0; i < objects->TypeSize(otGridPoint); ++i) {
      const auto* p = static_cast<const TobjGridPoint*>(objects->TypeObject(otGridPoint, i));
      if (!p->IsTile && p->PointX == x && p->PointY == y) return {static_cast<int>(512 + p->X), static_cast<int>(384 + p->Y)};
    }
    return {-1, -1};
  };
  const int r = game->RangeX;
  struct TCase {
    const char* Name;
    TIntPoint From, To;
  };
  const TCase cases[] = {{"quadrant I", {1, 1}, {r, r}},       {"quadrant II", {-1, 1}, {-r, r}},
                         {"quadrant III", {-1, -1}, {-r, -r}}, {"quadrant IV", {1, -1}, {r, -r}},
                         {"the x axis", {-r, 0}, {-1, 0}},     {"the y axis", {0, 1}, {0, r}}};
  for (const TCase& c : cases) {
    const auto [fx, fy] = screenOf(c.From.X, c.From.Y);
    const auto [tx, ty] = screenOf(c.To.X, c.To.Y);
    ASSERT_GE(fx, 0);
    ASSERT_GE(tx, 0);
    // Away from both points, whose grown dots lie over the band's ends.
    Move(100, 700);
    Tick(30);
    const std::vector<std::uint32_t> without = Capture();
    Click(fx, fy);
    Move(tx, ty);
    Tick(30);
    const std::vector<std::uint32_t> with = Capture();
    std::vector<double> ratios;
    const int x0 = std::min(fx, tx), x1 = std::max(fx, tx), y0 = std::min(fy, ty), y1 = std::max(fy, ty);
    const double len = std::hypot(tx - fx, ty - fy);
    for (int y = y0 - 8; y <= y1 + 8; ++y)
      for (int x = x0 - 8; x <= x1 + 8; ++x) {
        // The middle of the band, between the two points' dots.
        const double t = ((x - fx) * (tx - fx) + (y - fy) * (ty - fy)) / (len * len);
        const double off = std::abs((x - fx) * (ty - fy) - (y - fy) * (tx - fx)) / len;
        if (t < 0.3 || t > 0.7 || off > 8) continue;
        const std::size_t i = static_cast<std::size_t>(y) * 1024 + x;
        if ((with[i] & 0xFFFFFF) == (without[i] & 0xFFFFFF)) continue;
        ratios.push_back(contrast::RatioSeen(with[i] & 0xFFFFFF, without[i] & 0xFFFFFF, TVision::Normal));
      }
    ASSERT_GT(ratios.size(), 20u) << c.Name << ": the band is drawn";
    std::sort(ratios.begin(), ratios.end());
    const double seen = ratios[ratios.size() / 2];
    std::printf("  band over %-12s %.2f:1 (%zu pixels)\n", c.Name, seen, ratios.size());
    EXPECT_GE(seen, 3.0) << "the band over " << c.Name;
    Click(fx, fy);  // the first point again drops it, and the band with it
    Tick(40);
  }
}

}  // namespace
