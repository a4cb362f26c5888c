#include "game/libMaths.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/ColorLib.h"

namespace {

TEST(QuadrantOf, PointsOnAnAxisOrTheOriginAreQuadrantZero) {
  EXPECT_EQ(QuadrantOf(0, 5), 0);
  EXPECT_EQ(QuadrantOf(-3, 0), 0);
  EXPECT_EQ(QuadrantOf(0, 0), 0);
}

TEST(QuadrantOf, QuadrantsAreNumberedCounterClockwiseFromUpperRight) {
  EXPECT_EQ(QuadrantOf(1, 1), 1);
  EXPECT_EQ(QuadrantOf(-1, 4), 2);
  EXPECT_EQ(QuadrantOf(-2, -7), 3);
  EXPECT_EQ(QuadrantOf(2, -1), 4);
}

struct TFraction {
  double Num;
  double Den;
};

TFraction Fraction(double value) {
  TFraction f{};
  RealToFraction(value, 0.005, f.Num, f.Den);
  return f;
}

TEST(RealToFraction, FindsTheSmallFractionsOfGridSlopes) {
  auto half = Fraction(0.5);
  EXPECT_EQ(half.Num, 1);
  EXPECT_EQ(half.Den, 2);
  auto twoThirds = Fraction(-0.6666667);
  EXPECT_EQ(twoThirds.Num, -2) << "the sign goes on the numerator";
  EXPECT_EQ(twoThirds.Den, 3);
  auto three = Fraction(3);
  EXPECT_EQ(three.Num, 3);
  EXPECT_EQ(three.Den, 1);
  auto minusFour = Fraction(-4);
  EXPECT_EQ(minusFour.Num, -4);
  EXPECT_EQ(minusFour.Den, 1);
  auto sevenFifths = Fraction(1.4);
  EXPECT_EQ(sevenFifths.Num, 7);
  EXPECT_EQ(sevenFifths.Den, 5);
  auto third = Fraction(1.0 / 3.0);
  EXPECT_EQ(third.Num, 1);
  EXPECT_EQ(third.Den, 3);
}

TEST(RealToFraction, StopsAtTheFirstConvergentWithinTolerance) {
  double num = 0, den = 0;
  RealToFraction(M_PI, 0.005, num, den);
  EXPECT_EQ(num, 22);
  EXPECT_EQ(den, 7);
  RealToFraction(M_PI, 1e-6, num, den);
  EXPECT_EQ(num, 355);
  EXPECT_EQ(den, 113);
}

TEST(RealToFraction, ValuesFarOutsideTheGameGiveTheOverflowMarkerWithoutLooping) {
  double num = 0, den = 0;
  RealToFraction(INFINITY, 0.005, num, den);
  EXPECT_EQ(num, RealToFractionOverflow);
  RealToFraction(-1e300, 0.005, num, den);
  EXPECT_EQ(num, -RealToFractionOverflow);
  RealToFraction(NAN, 0.005, num, den);
  EXPECT_EQ(num, RealToFractionOverflow);
  // A tolerance that can never be met still ends.
  RealToFraction(0.1, 0, num, den);
  EXPECT_TRUE(std::isfinite(num) && std::isfinite(den));
  EXPECT_NEAR(num / den, 0.1, 1e-12);
}

TEST(Vectors, NormalizingTheZeroVectorGivesTheZeroVector) {
  const TVector2 z = VecNormalize({0, 0});
  EXPECT_EQ(z.X, 0);
  EXPECT_EQ(z.Y, 0);
  const TVector2 n = VecNormalize({3, -4});
  EXPECT_DOUBLE_EQ(n.X, 0.6);
  EXPECT_DOUBLE_EQ(n.Y, -0.8);
}

TEST(Vectors, ShortenKeepsTheDirectionAndNeverReverses) {
  const TVector2 s = VecShorten({6, 8}, 5);
  EXPECT_DOUBLE_EQ(s.X, 3);
  EXPECT_DOUBLE_EQ(s.Y, 4);
  const TVector2 gone = VecShorten({6, 8}, 15);
  EXPECT_EQ(gone.X, 0);
  EXPECT_EQ(gone.Y, 0);
}

TEST(Vectors, PerpendicularTurnsAQuarterCounterClockwise) {
  const TVector2 p = VecPerp({2, 1});
  EXPECT_EQ(p.X, -1);
  EXPECT_EQ(p.Y, 2);
  EXPECT_EQ(VecDot(p, {2, 1}), 0);
  EXPECT_DOUBLE_EQ(VecDistance({1, 1}, {4, 5}), 5);
  const TVector2 polar = VecFromPolar(2, M_PI / 2);
  EXPECT_NEAR(polar.X, 0, 1e-12);
  EXPECT_NEAR(polar.Y, 2, 1e-12);
}

TEST(SegmentIntersect, CrossingSegmentsGiveTheirCrossingPoint) {
  TVector2 at{};
  ASSERT_TRUE(SegmentIntersect({0, 0}, {4, 4}, {0, 4}, {4, 0}, at));
  EXPECT_DOUBLE_EQ(at.X, 2);
  EXPECT_DOUBLE_EQ(at.Y, 2);
  ASSERT_TRUE(SegmentIntersect({-2, 1}, {6, 1}, {1, -3}, {1, 5}, at));
  EXPECT_DOUBLE_EQ(at.X, 1);
  EXPECT_DOUBLE_EQ(at.Y, 1);
}

TEST(SegmentIntersect, SegmentsThatMissOrRunParallelDoNotCross) {
  TVector2 at{99, 99};
  EXPECT_FALSE(SegmentIntersect({0, 0}, {1, 1}, {3, 0}, {0, 3}, at)) << "the lines cross beyond the first segment";
  EXPECT_FALSE(SegmentIntersect({0, 0}, {4, 0}, {5, -1}, {5, 1}, at)) << "beyond the end";
  EXPECT_FALSE(SegmentIntersect({0, 0}, {4, 0}, {0, 1}, {4, 1}, at)) << "parallel";
  EXPECT_EQ(at.X, 99) << "the point is left alone when there is no crossing";
  EXPECT_TRUE(SegmentIntersect({0, 0}, {4, 0}, {4, -1}, {4, 1}, at)) << "touching the end counts";
}

TEST(Lines, SlopeAndInterceptOfTwoGridPoints) {
  EXPECT_DOUBLE_EQ(LineSlope({1, 5}, {3, 9}), 2);
  EXPECT_DOUBLE_EQ(LineIntercept({1, 5}, {3, 9}), 3);
  EXPECT_DOUBLE_EQ(LineSlope({-2, 1}, {2, -1}), -0.5);
  EXPECT_DOUBLE_EQ(LineIntercept({-2, 1}, {2, -1}), 0);
  EXPECT_TRUE(std::isinf(LineSlope({2, 0}, {2, 3}))) << "a vertical pair";
  EXPECT_TRUE(std::isnan(LineSlope({2, 3}, {2, 3}))) << "the same point twice";
}

TEST(Colours, PackAndSwapRedAndBlue) {
  EXPECT_EQ(PackRGB(0x12, 0x34, 0x56), 0x123456u);
  EXPECT_EQ(SwapRedBlue(0x123456u), 0x563412u);
  EXPECT_EQ(SwapRedBlue(0xAA123456u), 0xAA563412u) << "bits above the colour are kept";
}

TEST(Colours, LightenClampsEachChannelOnItsOwn) {
  EXPECT_EQ(LightenColour(0, 0x004EFFu), 0x004EFFu);
  EXPECT_EQ(LightenColour(100, 0x004EFFu), 0x64B2FFu) << "blue is already full";
  EXPECT_EQ(LightenColour(-100, 0x80C810u), 0x1C6400u) << "negative amounts darken, down to 0";
  EXPECT_EQ(LightenColour(300, 0x000000u), 0xFFFFFFu);
}

}  // namespace
