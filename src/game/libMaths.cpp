#include "game/libMaths.h"

#include <cmath>

std::int32_t QuadrantOf(std::int32_t x, std::int32_t y) {
  if (x > 0 && y > 0) return 1;
  if (x < 0 && y > 0) return 2;
  if (x < 0 && y < 0) return 3;
  if (x > 0 && y < 0) return 4;
  return 0;
}

TVector2 VecAdd(TVector2 a, TVector2 b) { return {a.X + b.X, a.Y + b.Y}; }
TVector2 VecSub(TVector2 a, TVector2 b) { return {a.X - b.X, a.Y - b.Y}; }
TVector2 VecScale(TVector2 v, double k) { return {v.X * k, v.Y * k}; }
TVector2 VecDiv(TVector2 v, double k) { return {v.X / k, v.Y / k}; }
double VecLength(TVector2 v) { return std::sqrt(v.X * v.X + v.Y * v.Y); }

TVector2 VecNormalize(TVector2 v) {
  const double length = VecLength(v);
  if (length == 0) return {0, 0};
  return VecDiv(v, length);
}

TVector2 VecPerp(TVector2 v) { return {-v.Y, v.X}; }
TVector2 VecNegate(TVector2 v) { return {-v.X, -v.Y}; }
double VecDot(TVector2 a, TVector2 b) { return a.X * b.X + a.Y * b.Y; }
double VecDistance(TVector2 a, TVector2 b) { return VecLength(VecSub(b, a)); }

TVector2 VecShorten(TVector2 v, double d) {
  const double length = VecLength(v) - d;
  if (length <= 0) return {0, 0};
  return VecScale(VecNormalize(v), length);
}

TVector2 VecFromPolar(double r, double angle) { return {r * std::cos(angle), r * std::sin(angle)}; }

bool SegmentIntersect(TVector2 p1, TVector2 p2, TVector2 q1, TVector2 q2, TVector2& point) {
  const TVector2 along = VecSub(p2, p1);
  const double den = VecDot(VecSub(q1, q2), VecPerp(along));
  if (den == 0) return false;  // parallel
  const TVector2 w = VecSub(q1, p1);
  const double t = VecDot(w, VecPerp(VecSub(q2, q1))) / den;
  const double u = VecDot(w, VecPerp(along)) / den;
  if (t < 0 || t > 1 || u < 0 || u > 1) return false;
  point = VecAdd(p1, VecScale(along, t));
  return true;
}

double LineSlope(TIntPoint p, TIntPoint q) {
  // In doubles: int32 differences may overflow, and a vertical pair must give
  // infinity or NaN rather than trap.
  return (static_cast<double>(q.Y) - p.Y) / (static_cast<double>(q.X) - p.X);
}

double LineIntercept(TIntPoint p, TIntPoint q) { return p.Y - p.X * LineSlope(p, q); }

void RealToFraction(double value, double tolerance, double& numerator, double& denominator) {
  const double sign = value < 0 ? -1.0 : 1.0;
  const double x = std::fabs(value);
  denominator = 1;
  if (!(x < 1e18)) {  // also NaN and infinity
    numerator = sign * RealToFractionOverflow;
    return;
  }
  if (x == std::trunc(x)) {
    numerator = value;
    return;
  }
  double z = x;
  double previous = 0;
  numerator = std::trunc(x + 0.5);
  // Each step is one convergent; doubles run out of precision long before 64.
  for (int step = 0; step < 64; ++step) {
    z = 1.0 / (z - std::trunc(z));
    const double next = denominator * std::trunc(z) + previous;
    previous = denominator;
    denominator = next;
    numerator = std::trunc(x * denominator + 0.5);
    if (!(denominator < RealToFractionOverflow)) {
      denominator = RealToFractionOverflow;
      break;
    }
    if (std::fabs(x - numerator / denominator) < tolerance || z == std::trunc(z)) break;
  }
  numerator *= sign;
}
