#pragma once
// Small maths of the game: quadrants, 2D vectors, segments, grid lines, fractions.
#include <cstdint>

struct TVector2 {
  double X = 0;
  double Y = 0;
};

// An integer point of the grid.
struct TIntPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// 0 on an axis or the origin, 1 for x>0 y>0, 2 for x<0 y>0, 3 for x<0 y<0, 4 for x>0 y<0.
std::int32_t QuadrantOf(std::int32_t x, std::int32_t y);

TVector2 VecAdd(TVector2 a, TVector2 b);
TVector2 VecSub(TVector2 a, TVector2 b);
TVector2 VecScale(TVector2 v, double k);
TVector2 VecDiv(TVector2 v, double k);
double VecLength(TVector2 v);
// The zero vector stays the zero vector.
TVector2 VecNormalize(TVector2 v);
TVector2 VecPerp(TVector2 v);  // (-Y, X)
TVector2 VecNegate(TVector2 v);
double VecDot(TVector2 a, TVector2 b);
double VecDistance(TVector2 a, TVector2 b);
// v's direction, with its length cut by d (not below 0).
TVector2 VecShorten(TVector2 v, double d);
TVector2 VecFromPolar(double r, double angle);

// True, with the crossing point, when segment p1-p2 crosses segment q1-q2.
bool SegmentIntersect(TVector2 p1, TVector2 p2, TVector2 q1, TVector2 q2, TVector2& point);

// Slope of the line through p and q; a vertical pair gives an infinite or NaN result.
double LineSlope(TIntPoint p, TIntPoint q);
double LineIntercept(TIntPoint p, TIntPoint q);

// A fraction within tolerance of value, by continued-fraction convergents; the
// sign goes on the numerator. Far outside the game's range (or not finite) the
// numerator is RealToFractionOverflow.
constexpr double RealToFractionOverflow = 9999999999999999999.0;
void RealToFraction(double value, double tolerance, double& numerator, double& denominator);
