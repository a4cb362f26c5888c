// The widget and challenge sheets against the rectangles the widgets cut.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "pictures/genChallenge.h"
#include "pictures/genWidgets.h"
#include "kit/sheetLayout.h"

namespace {

const std::vector<std::uint32_t>& Widgets() {
  static const std::vector<std::uint32_t> sheet = DrawWidgetSheet();
  return sheet;
}

const std::vector<std::uint32_t>& Challenges() {
  static const std::vector<std::uint32_t> sheet = DrawChallengeSheet();
  return sheet;
}

int Channel(std::uint32_t p, int c) { return static_cast<int>((p >> (8 * c)) & 0xFF); }

// Largest channel difference of two straight colours, weighted by alpha so
// that the colour of invisible texels does not count.
int Difference(std::uint32_t a, std::uint32_t b) {
  int worst = std::abs(Channel(a, 3) - Channel(b, 3));
  for (int c = 0; c < 3; ++c)
    worst = std::max(worst, std::abs(Channel(a, c) * Channel(a, 3) - Channel(b, c) * Channel(b, 3)) / 255);
  return worst;
}

bool Visible(const std::vector<std::uint32_t>& px, int width, const TRect& r) {
  for (int y = r.Y; y < r.Y + r.H; ++y)
    for (int x = r.X; x < r.X + r.W; ++x)
      if (Channel(px[static_cast<std::size_t>(y) * width + x], 3) > 0) return true;
  return false;
}

bool Inside(const TRect& r, int width, int height) {
  return r.X >= 0 && r.Y >= 0 && r.W > 0 && r.H > 0 && r.X + r.W <= width && r.Y + r.H <= height;
}

bool Overlap(const TRect& a, const TRect& b) {
  return a.X < b.X + b.W && b.X < a.X + a.W && a.Y < b.Y + b.H && b.Y < a.Y + a.H;
}

// A piece's rectangle grown by the copies made for filtering at its ends.
TRect WithPads(const TSheetPiece& p) {
  TRect r = p.Sheet;
  if (p.StretchX()) r = {r.X - 1, r.Y, r.W + 2, r.H};
  if (p.StretchY()) r = {r.X, r.Y - 1, r.W, r.H + 2};
  return r;
}

std::vector<TSheetPiece> AllPieces() {
  std::vector<TSheetPiece> all;
  for (const TSheetFrame& f : WidgetFrames()) all.insert(all.end(), f.Pieces.begin(), f.Pieces.end());
  return all;
}

TEST(WidgetSheet, EveryRectangleLiesInsideTheSheetAndHoldsVisiblePixels) {
  for (const TSheetPiece& p : AllPieces()) {
    SCOPED_TRACE(p.Name);
    ASSERT_TRUE(Inside(WithPads(p), WidgetSheetWidth, WidgetSheetHeight));
    EXPECT_TRUE(Visible(Widgets(), WidgetSheetWidth, p.Sheet));
  }
  // The push button's stock highlight falls on the digits; it must still be on the sheet.
  EXPECT_TRUE(Inside(PushHighlightRect, WidgetSheetWidth, WidgetSheetHeight));
  EXPECT_TRUE(Inside(SparePushRect, WidgetSheetWidth, WidgetSheetHeight));
  // The progress pictures keep to the free area below the widgets.
  for (const TRect& r : {ProgressBarRect, ProgressSegmentRect, ProgressMarkerRect}) EXPECT_GE(r.Y, 170);
}

TEST(WidgetSheet, PiecesAndTheirFilterPadsDoNotOverlap) {
  const std::vector<TSheetPiece> all = AllPieces();
  for (std::size_t i = 0; i < all.size(); ++i)
    for (std::size_t j = i + 1; j < all.size(); ++j)
      EXPECT_FALSE(Overlap(WithPads(all[i]), WithPads(all[j]))) << all[i].Name << " / " << all[j].Name;
}

// A widget whose pieces include one of fixed height from top to bottom (a
// button, a bar) is always that high.
bool FixedHeight(const TSheetFrame& f) {
  for (const TSheetPiece& p : f.Pieces)
    if (p.Place.Y.PerSize == 0 && p.Place.Y.Offset == 0 && p.Place.H.PerSize == 0 && p.Place.H.Offset == f.DrawHeight)
      return true;
  return false;
}

TEST(WidgetSheet, PiecesTileTheirWidgetExactly) {
  // At the drawing size and at sizes the screens use, every texel of a widget
  // is covered by exactly one piece.
  for (const TSheetFrame& f : WidgetFrames()) {
    std::vector<std::pair<int, int>> sizes = {{f.DrawWidth, f.DrawHeight}};
    if (f.Pieces.size() > 1) sizes.insert(sizes.end(), {{280, 480}, {410, 210}, {455, 345}, {150, 50}});
    for (auto [w, h] : sizes) {
      if (FixedHeight(f)) h = f.DrawHeight;
      std::vector<int> cover(static_cast<std::size_t>(w) * h, 0);
      for (const TSheetPiece& p : f.Pieces) {
        const int px = p.Place.X.At(w), py = p.Place.Y.At(h), pw = p.Place.W.At(w), ph = p.Place.H.At(h);
        ASSERT_TRUE(px >= 0 && py >= 0 && pw >= 0 && ph >= 0 && px + pw <= w && py + ph <= h)
            << f.Name << " " << p.Name << " at " << w << " x " << h;
        for (int y = py; y < py + ph; ++y)
          for (int x = px; x < px + pw; ++x) ++cover[static_cast<std::size_t>(y) * w + x];
      }
      EXPECT_EQ(std::count(cover.begin(), cover.end(), 1), static_cast<long>(cover.size()))
          << f.Name << " at " << w << " x " << h;
    }
  }
}

TEST(WidgetSheet, StretchedPiecesAreUniformAlongTheStretch) {
  for (const TSheetFrame& f : WidgetFrames()) {
    const std::vector<std::uint32_t> look = DrawWidgetLook(f);
    const int w = f.DrawWidth, h = f.DrawHeight;
    auto at = [&](int x, int y) { return look[static_cast<std::size_t>(y) * w + x]; };
    for (const TSheetPiece& p : f.Pieces) {
      SCOPED_TRACE(testing::Message() << f.Name << ": " << p.Name);
      const int px = p.Place.X.At(w), py = p.Place.Y.At(h), pw = p.Place.W.At(w), ph = p.Place.H.At(h);
      // In the drawing, the whole span the piece stands for equals the one
      // line that was cut...
      int worst = 0;
      if (p.StretchX())
        for (int y = py; y < py + ph; ++y)
          for (int x = px; x < px + pw; ++x) worst = std::max(worst, Difference(at(x, y), at(px, y)));
      if (p.StretchY())
        for (int y = py; y < py + ph; ++y)
          for (int x = px; x < px + pw; ++x) worst = std::max(worst, Difference(at(x, y), at(x, py)));
      EXPECT_LE(worst, 3);
      // ... and on the sheet the texels beside it along the stretch repeat it,
      // so linear filtering at its ends samples the same colour.
      const TRect r = p.Sheet;
      auto sheet = [&](int x, int y) { return Widgets()[static_cast<std::size_t>(y) * WidgetSheetWidth + x]; };
      for (int y = r.Y; y < r.Y + r.H; ++y)
        for (int x = r.X; x < r.X + r.W; ++x) {
          if (p.StretchX()) {
            EXPECT_EQ(Difference(sheet(x - 1, y), sheet(x, y)), 0);
            EXPECT_EQ(Difference(sheet(x + 1, y), sheet(x, y)), 0);
          }
          if (p.StretchY()) {
            EXPECT_EQ(Difference(sheet(x, y - 1), sheet(x, y)), 0);
            EXPECT_EQ(Difference(sheet(x, y + 1), sheet(x, y)), 0);
          }
        }
    }
  }
}

// Widgets are multiplied by their colour: every texel is a grey given the one
// navy lean of its brightness (its blue is the grey), so the control tint
// turns dark parts navy and light parts its own neon, and no texel shifts a
// tint some other way.
TEST(WidgetSheet, EveryTexelIsAGreyWithItsNavyLean) {
  int other = 0, navy = 0;
  for (std::uint32_t p : Widgets()) {
    if (Channel(p, 3) <= 8) continue;
    const std::uint32_t grey = (p & 0xFF000000u) | static_cast<std::uint32_t>(Channel(p, 0)) * 0x010101u;
    if (Difference(NavyTone(grey), p) > 1) ++other;
    navy += Channel(p, 0) > 20 && Channel(p, 0) < 140 && Channel(p, 2) * 10 < Channel(p, 0) * 6;
  }
  EXPECT_EQ(other, 0);
  EXPECT_GT(navy, 1000) << "the dark parts lean to blue";
  // Dark greys lean to blue, white stays white.
  EXPECT_EQ(NavyTone(0xFFFFFFFFu), 0xFFFFFFFFu);
  const std::uint32_t dark = NavyTone(0xFF4D4D4Du);
  EXPECT_EQ(dark & 0xFF, 0x4Du);
  EXPECT_LT((dark >> 16) & 0xFF, 0x4Du * 6 / 10);
}

TEST(WidgetSheet, TheTenDigitsAreDifferentPictures) {
  std::set<std::vector<std::uint32_t>> seen;
  for (int d = 0; d < 10; ++d) {
    const TRect r = DigitRect(d);
    EXPECT_EQ(r.Y, 97);
    EXPECT_EQ(r.W, 26);
    EXPECT_EQ(r.H, 31);
    std::vector<std::uint32_t> px;
    for (int y = r.Y; y < r.Y + r.H; ++y)
      for (int x = r.X; x < r.X + r.W; ++x) px.push_back(Widgets()[static_cast<std::size_t>(y) * WidgetSheetWidth + x]);
    seen.insert(px);
  }
  EXPECT_EQ(seen.size(), 10u);
}

TEST(ChallengeSheet, RectanglesLieInsideHoldPicturesAndDoNotOverlap) {
  const auto& rects = ChallengeRects();
  EXPECT_EQ(rects.size(), 12u);
  for (std::size_t i = 0; i < rects.size(); ++i) {
    SCOPED_TRACE(rects[i].Index);
    ASSERT_TRUE(Inside(rects[i].Rect, ChallengeSheetSize, ChallengeSheetSize));
    EXPECT_TRUE(Visible(Challenges(), ChallengeSheetSize, rects[i].Rect));
    for (std::size_t j = i + 1; j < rects.size(); ++j) EXPECT_FALSE(Overlap(rects[i].Rect, rects[j].Rect));
  }
  EXPECT_EQ(ChallengeRect(7).W, 0);  // unused numbers give nothing
}

// Mean colour of the visible texels in the middle of a rectangle.
struct TMean {
  double R = 0, G = 0, B = 0;
};
TMean MeanColour(const TRect& r) {
  TMean m;
  double n = 0;
  for (int y = r.Y + r.H / 2; y < r.Y + r.H * 3 / 4; ++y)
    for (int x = r.X + r.W / 4; x < r.X + r.W * 3 / 4; ++x) {
      const std::uint32_t p = Challenges()[static_cast<std::size_t>(y) * ChallengeSheetSize + x];
      const double a = Channel(p, 3) / 255.0;
      m.R += Channel(p, 2) * a;
      m.G += Channel(p, 1) * a;
      m.B += Channel(p, 0) * a;
      n += a;
    }
  m.R /= n;
  m.G /= n;
  m.B /= n;
  return m;
}

TEST(ChallengeSheet, MedalsGoBronzeSilverGoldThenWild) {
  const TMean bronze = MeanColour(ChallengeRect(8)), silver = MeanColour(ChallengeRect(9)),
              gold = MeanColour(ChallengeRect(10)), wild = MeanColour(ChallengeRect(11));
  auto spread = [](const TMean& m) { return std::max({m.R, m.G, m.B}) - std::min({m.R, m.G, m.B}); };
  // Silver is the grey one; bronze and gold are warm, gold the yellower; the
  // wild one leans to blue and purple.
  EXPECT_LT(spread(silver), spread(bronze));
  EXPECT_LT(spread(silver), spread(gold));
  EXPECT_GT(bronze.R, bronze.B + 40);
  EXPECT_GT(gold.R, gold.B + 40);
  EXPECT_GT(gold.G / gold.R, bronze.G / bronze.R);
  EXPECT_GT(wild.B, wild.G);
}

}  // namespace
