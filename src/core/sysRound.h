#pragma once
// The one rounding helper: to the nearest integer, halves to the even neighbour.
#include <cmath>
#include <cstdint>

inline std::int64_t Round(double value) {
  // std::nearbyint follows the current rounding mode, which we never change from
  // round-to-nearest-even.
  const double r = std::nearbyint(value);
  if (!(r > -9.2e18 && r < 9.2e18)) return r > 0 ? INT64_MAX : (r < 0 ? INT64_MIN : 0);
  return static_cast<std::int64_t>(r);
}

inline std::int32_t Round32(double value) {
  const std::int64_t r = Round(value);
  if (r > INT32_MAX) return INT32_MAX;
  if (r < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(r);
}
