// Quadrants told apart without colour: a game frame drawn by the real SDL
// device is measured as it looks in greyscale and to children with
// deuteranopia or protanopia. Each quadrant's numeral must stand out from
// what is round it (contrast of at least 3:1) and the four numerals must
// differ in shape. The colour-blind palette itself must stay apart under both
// simulations. Skipped while the game's sprites are not in the data.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/sysRandom.h"
#include "drawnScreenSupport.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"
#include "game/frmGame.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "objects/sysObjects.h"

namespace {

using TMatrix = std::array<std::array<double, 3>, 3>;
// Full-severity dichromacy on linear RGB.
constexpr TMatrix Deuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
constexpr TMatrix Protanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr TMatrix Unchanged = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

double Linear(std::uint32_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::array<double, 3> Simulated(std::uint32_t argb, const TMatrix& m) {
  const double l[3] = {Linear(argb >> 16 & 255), Linear(argb >> 8 & 255), Linear(argb & 255)};
  std::array<double, 3> out{};
  for (int i = 0; i < 3; ++i) out[i] = std::clamp(m[i][0] * l[0] + m[i][1] * l[1] + m[i][2] * l[2], 0.0, 1.0);
  return out;
}

// Relative luminance: the grey the pixel becomes in a greyscale picture.
double Luminance(std::uint32_t argb, const TMatrix& m) {
  const auto c = Simulated(argb, m);
  return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
}

struct TBox {
  int X, Y, W, H;
};

// The contrast between the light and the dark of a box (5th and 95th
// percentiles of luminance, so a stray pixel decides nothing), and the box's
// shape: which pixels are on the light side of the middle.
struct TMeasure {
  double Contrast = 0;
  std::vector<bool> Shape;
};

TMeasure Measure(const std::vector<std::uint32_t>& pixels, const TBox& b, const TMatrix& m) {
  std::vector<double> l;
  for (int y = b.Y; y < b.Y + b.H; ++y)
    for (int x = b.X; x < b.X + b.W; ++x) l.push_back(Luminance(pixels[static_cast<std::size_t>(y * 1024 + x)], m));
  std::vector<double> sorted = l;
  std::sort(sorted.begin(), sorted.end());
  const double dark = sorted[sorted.size() / 20];
  const double light = sorted[sorted.size() * 19 / 20];
  TMeasure out;
  out.Contrast = (light + 0.05) / (dark + 0.05);
  for (double v : l) out.Shape.push_back(v > (dark + light) / 2);
  return out;
}

int Differing(const std::vector<bool>& a, const std::vector<bool>& b) {
  int n = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
  return n;
}

class QuadrantLegibility : public DrawnScreenTest {
 protected:
  void SetUp() override {
    DrawnScreenTest::SetUp();
    if (HasFatalFailure()) return;
    StartAsNewPlayer();
  }
  bool HaveSprites() { return HaveImage(Sprite::Set, Sprite::QuadrantTiles); }
  // An arcade board with no monster on it, after its fade-in.
  TfrmGame* Board(std::int32_t type) {
    OpenGame(GameKind::Arcade, type, Difficulty::Medium);
    auto* game = dynamic_cast<TfrmGame*>(Director->Screen(ssGame));
    if (game == nullptr) return nullptr;
    for (double& m : Res()->Level.MaxMonsters) m = 0;
    Tick(40);
    return game;
  }
  // Every quadrant legible and unlike the others, in each way of seeing.
  void ExpectTellable(const std::vector<std::uint32_t>& pixels, const std::array<TBox, 4>& boxes,
                      int minDiffering) {
    const std::pair<const char*, const TMatrix*> views[] = {
        {"greyscale", &Unchanged}, {"deuteranopia", &Deuteranopia}, {"protanopia", &Protanopia}};
    for (const auto& [name, matrix] : views) {
      std::array<TMeasure, 4> m;
      for (int q = 0; q < 4; ++q) {
        m[static_cast<std::size_t>(q)] = Measure(pixels, boxes[static_cast<std::size_t>(q)], *matrix);
        EXPECT_GE(m[static_cast<std::size_t>(q)].Contrast, 3.0) << name << ", quadrant " << q + 1;
      }
      for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
          EXPECT_GE(Differing(m[static_cast<std::size_t>(a)].Shape, m[static_cast<std::size_t>(b)].Shape),
                    minDiffering)
              << name << ": quadrants " << a + 1 << " and " << b + 1 << " look alike";
    }
  }
};

TEST_F(QuadrantLegibility, TheBoardsNumeralsReadInGreyscaleAndToColourBlindEyes) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  for (const bool colourBlind : {false, true}) {
    Res()->Options.ColourBlindPalette = colourBlind ? 1 : 0;
    TfrmGame* game = Board(GameType::WhatsThePoint);
    ASSERT_NE(game, nullptr);
    ASSERT_NE(game->Map, nullptr);
    std::array<TBox, 4> boxes{};
    for (int q = 0; q < 4; ++q) {
      const TrndText* numeral = game->Map->QuadrantNumerals[static_cast<std::size_t>(q)];
      ASSERT_NE(numeral, nullptr);
      boxes[static_cast<std::size_t>(q)] = {static_cast<int>(512 + game->Map->X + numeral->RelX),
                                            static_cast<int>(384 + game->Map->Y + numeral->RelY), numeral->Width,
                                            numeral->Height};
    }
    SCOPED_TRACE(colourBlind ? "colour-blind palette" : "usual colours");
    ExpectTellable(Capture(), boxes, 40);
  }
}

TEST_F(QuadrantLegibility, TheQuadrantTilesNumeralsReadInGreyscaleAndToColourBlindEyes) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  TfrmGame* game = Board(GameType::QuickQuadrants);
  ASSERT_NE(game, nullptr);
  std::array<TBox, 4> boxes{};
  TsysObjects* objects = Director->Interface->Objects.get();
  for (std::int32_t i = 0; i < objects->TypeSize(otGridPoint); ++i) {
    const auto* tile = static_cast<const TobjGridPoint*>(objects->TypeObject(otGridPoint, i));
    if (!tile->IsTile) continue;
    const int q = tile->PointX > 0 ? (tile->PointY > 0 ? 1 : 4) : (tile->PointY > 0 ? 2 : 3);
    // The numeral's middle part of the tile.
    boxes[static_cast<std::size_t>(q - 1)] = {static_cast<int>(512 + tile->X) - 40,
                                              static_cast<int>(384 + tile->Y) - 30, 80, 60};
  }
  ExpectTellable(Capture(), boxes, 200);
}

TEST(QuadrantPalette, TheColourBlindPaletteStaysApartWhereGreenYellowAndRedRunTogether) {
  const auto distance = [](std::uint32_t a, std::uint32_t b, const TMatrix& m) {
    const auto x = Simulated(a, m);
    const auto y = Simulated(b, m);
    double d = 0;
    for (int i = 0; i < 3; ++i) {
      // Back to display values: distance as the eye is shown it, 0..255 a channel.
      const auto enc = [](double c) { return 255 * (c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055); };
      d += std::pow(enc(x[static_cast<std::size_t>(i)]) - enc(y[static_cast<std::size_t>(i)]), 2);
    }
    return std::sqrt(d);
  };
  for (const TMatrix* m : {&Deuteranopia, &Protanopia})
    for (int a = 1; a <= 4; ++a)
      for (int b = a + 1; b <= 4; ++b)
        EXPECT_GE(distance(ColourBlindQuadrants[static_cast<std::size_t>(a)],
                           ColourBlindQuadrants[static_cast<std::size_t>(b)], *m),
                  90)
            << "quadrants " << a << " and " << b;
  // The measure is one that plain green and yellow fail.
  EXPECT_LT(distance(0x00FF00, 0xFFFF00, Deuteranopia), 90);
  EXPECT_LT(distance(0x00FF00, 0xFFFF00, Protanopia), 90);
}

}  // namespace
