// The drawing helpers under every picture: colour conversion, edge bleeding,
// blur, layers, distance shading and the seeded generator.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "kit/artDraw.h"
#include "data/sysImages.h"
#include "review/genReview.h"

namespace {

std::uint32_t At(const std::vector<std::uint32_t>& px, int w, int x, int y) {
  return px[static_cast<std::size_t>(y) * w + x];
}

TEST(DrawSurface, StraightColoursSurviveTheRoundTripThroughCairo) {
  art::TSurface s(4, 1);
  const std::vector<std::uint32_t> in = {0xFFFF0000, 0x80336699, 0x10FFFFFF, 0xFF000000};
  s.SetPixels(in);
  const std::vector<std::uint32_t> out = s.Pixels();
  for (std::size_t i = 0; i < in.size(); ++i) {
    EXPECT_EQ(out[i] >> 24, in[i] >> 24) << i;
    // Premultiplied storage loses precision at low alpha only.
    const int tolerance = (in[i] >> 24) < 0x20 ? 16 : 2;
    for (int c = 0; c < 3; ++c)
      EXPECT_NEAR(static_cast<int>((out[i] >> (8 * c)) & 0xFF), static_cast<int>((in[i] >> (8 * c)) & 0xFF), tolerance)
          << i << " channel " << c;
  }
}

TEST(DrawSurface, TransparentTexelsNextToAPictureTakeItsColour) {
  art::TSurface s(12, 1);
  std::vector<std::uint32_t> in(12, 0);
  in[0] = 0xFF20C040;
  s.SetPixels(in);
  const std::vector<std::uint32_t> out = s.Pixels();
  // Still invisible, but filtering toward them no longer darkens the edge.
  EXPECT_EQ(out[1], 0x0020C040u);
  EXPECT_EQ(out[3], 0x0020C040u);
  EXPECT_EQ(out[8], 0u);  // only a few texels deep
}

TEST(DrawSurface, BlurSpreadsLightWithoutLosingIt) {
  art::TSurface s(64, 64);
  cairo_rectangle(s.Cr(), 27, 27, 10, 10);
  cairo_set_source_rgba(s.Cr(), 1, 1, 1, 1);
  cairo_fill(s.Cr());
  auto mass = [](const std::vector<std::uint32_t>& px) {
    return std::accumulate(px.begin(), px.end(), 0.0, [](double a, std::uint32_t p) { return a + (p >> 24); });
  };
  const double before = mass(s.Pixels());
  s.Blur(3);
  const std::vector<std::uint32_t> after = s.Pixels();
  EXPECT_NEAR(mass(after), before, before * 0.02);
  EXPECT_LT(At(after, 64, 27, 27) >> 24, 255u);  // the corner softened
  EXPECT_GT(At(after, 64, 22, 32) >> 24, 0u);    // light reached 5 px outside
  EXPECT_EQ(At(after, 64, 2, 2) >> 24, 0u);      // but not across the surface
}

TEST(DrawSurface, BlurIsThreeRoundedBoxPassesEachWayOnEveryLine) {
  // Odd sizes, so that lines go both in groups and one by one.
  constexpr int W = 21, H = 13;
  art::TSurface s(W, H);
  cairo_surface_flush(s.Raw());
  auto* data = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s.Raw()));
  const int stride = cairo_image_surface_get_stride(s.Raw()) / 4;
  std::uint32_t seed = 7;
  std::vector<std::uint32_t> ref(static_cast<std::size_t>(W) * H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const std::uint32_t a = seed >> 24, c = (seed >> 8) & 0xFF;
      const std::uint32_t p = a << 24 | (c * a / 255) << 16 | ((255 - c) * a / 255) << 8 | (a / 3);
      data[y * stride + x] = p;
      ref[static_cast<std::size_t>(y) * W + x] = p;
    }
  cairo_surface_mark_dirty(s.Raw());
  s.Blur(3);  // three boxes of radius 3 each way

  // The plain reference: each channel summed over the box, rounded division.
  const int r = 3, window = 2 * r + 1;
  auto pass = [&](bool horizontal) {
    std::vector<std::uint32_t> out(ref.size());
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        std::uint32_t p = 0;
        for (int c = 0; c < 4; ++c) {
          std::uint32_t sum = 0;
          for (int k = -r; k <= r; ++k) {
            const int xx = horizontal ? x + k : x, yy = horizontal ? y : y + k;
            if (xx >= 0 && xx < W && yy >= 0 && yy < H) sum += (ref[static_cast<std::size_t>(yy) * W + xx] >> (8 * c)) & 0xFF;
          }
          p |= ((sum + window / 2) / window) << (8 * c);
        }
        out[static_cast<std::size_t>(y) * W + x] = p;
      }
    ref = out;
  };
  for (int i = 0; i < 3; ++i) {
    pass(true);
    pass(false);
  }
  cairo_surface_flush(s.Raw());
  int wrong = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) wrong += data[y * stride + x] != ref[static_cast<std::size_t>(y) * W + x] ? 1 : 0;
  EXPECT_EQ(wrong, 0);
}

TEST(DrawSurface, LayersCompositeOnlyTheirRegionEvenAtTheEdges) {
  art::TSurface s(40, 30);
  {
    art::TLayer layer(s, -10, -10, 5, 5, 4);  // sticks out of the surface
    cairo_rectangle(layer.Cr(), 0, 0, 5, 5);
    cairo_set_source_rgba(layer.Cr(), 1, 0, 0, 1);
    cairo_fill(layer.Cr());
    layer.Blur(1);
    layer.Composite();
  }
  const std::vector<std::uint32_t> px = s.Pixels();
  EXPECT_GT(At(px, 40, 1, 1) >> 24, 100u);
  EXPECT_EQ((At(px, 40, 1, 1) >> 16) & 0xFF, 255u);  // red, where it was drawn
  EXPECT_EQ(At(px, 40, 30, 20) >> 24, 0u);
}

TEST(DrawShading, DistanceToARoundedRectangleAndItsNormal) {
  // A 100 x 60 rectangle at (10, 20) with corners of radius 10.
  auto d = [](double x, double y) { return art::RoundedRectDistance(x, y, 10, 20, 100, 60, 10); };
  EXPECT_NEAR(d(60, 50).D, -30, 1e-9);  // the centre: half the height inside
  const art::TShadeInput top = d(60, 18);
  EXPECT_NEAR(top.D, 2, 1e-9);
  EXPECT_EQ(top.Nx, 0);
  EXPECT_EQ(top.Ny, -1);
  const art::TShadeInput left = d(15, 50);
  EXPECT_NEAR(left.D, -5, 1e-9);
  EXPECT_EQ(left.Nx, -1);
  // Outside the bottom-right corner, along the diagonal.
  const art::TShadeInput corner = d(100 + 10 * std::sqrt(0.5) + 3, 70 + 10 * std::sqrt(0.5) + 3);
  EXPECT_NEAR(corner.D, 3 * std::sqrt(2.0), 1e-9);
  EXPECT_NEAR(corner.Nx, std::sqrt(0.5), 1e-9);
  EXPECT_NEAR(corner.Ny, std::sqrt(0.5), 1e-9);
  EXPECT_EQ(art::Inside(-2), 1);
  EXPECT_EQ(art::Inside(2), 0);
  EXPECT_DOUBLE_EQ(art::Inside(0), 0.5);
}

TEST(DrawRandom, SeededSequencesRepeatAndStayInRange) {
  art::TRandom a(7), b(7), c(8);
  bool differs = false;
  for (int i = 0; i < 100; ++i) {
    const std::uint32_t x = a.Next();
    EXPECT_EQ(x, b.Next());
    differs |= x != c.Next();
    const double u = a.Uniform(-2, 3);
    b.Uniform(-2, 3);
    EXPECT_GE(u, -2);
    EXPECT_LT(u, 3);
  }
  EXPECT_TRUE(differs);
}

TEST(DrawColour, HexAndMix) {
  const art::TRGBA c = art::Hex(0xFF8000, 0.5);
  EXPECT_DOUBLE_EQ(c.R, 1);
  EXPECT_NEAR(c.G, 128 / 255.0, 1e-12);
  EXPECT_DOUBLE_EQ(c.B, 0);
  EXPECT_DOUBLE_EQ(c.A, 0.5);
  const art::TRGBA m = art::Mix(art::Grey(0), art::Grey(1, 0), 0.25);
  EXPECT_DOUBLE_EQ(m.R, 0.25);
  EXPECT_DOUBLE_EQ(m.A, 0.75);
}

}  // namespace
