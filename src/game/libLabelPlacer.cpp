#include "game/libLabelPlacer.h"

#include <algorithm>
#include <cmath>

namespace {

// Steps from a label's own place, in half label widths across and label
// heights down, nearest first (for a label about five times as wide as high).
struct TStep {
  std::int32_t Across;
  std::int32_t Down;
};
constexpr std::int32_t AcrossSteps = 4;
constexpr std::int32_t DownSteps = 12;
constexpr std::size_t StepCount = (2 * AcrossSteps + 1) * (2 * DownSteps + 1);

const std::array<TStep, StepCount>& Steps() {
  static const std::array<TStep, StepCount> steps = [] {
    std::array<TStep, StepCount> s{};
    std::size_t n = 0;
    for (std::int32_t j = -DownSteps; j <= DownSteps; ++j)
      for (std::int32_t i = -AcrossSteps; i <= AcrossSteps; ++i) s[n++] = TStep{i, j};
    const auto cost = [](const TStep& t) { return 2.5 * 2.5 * t.Across * t.Across + t.Down * t.Down; };
    std::stable_sort(s.begin(), s.end(), [&](const TStep& a, const TStep& b) { return cost(a) < cost(b); });
    return s;
  }();
  return steps;
}

// Whole-area scan for the rare label that finds nothing near its monster.
constexpr double ScanStepX = 8;

}  // namespace

bool BoxesOverlap(const TLabelBox& a, const TLabelBox& b) {
  return a.X < b.X + b.W && b.X < a.X + a.W && a.Y < b.Y + b.H && b.Y < a.Y + a.H;
}

TlibLabelPlacer::TlibLabelPlacer() { Placed.reserve(128); }

void TlibLabelPlacer::Begin(const TLabelBox& area) {
  Area = area;
  ObstacleCount = 0;
  Placed.clear();
  Tests = 0;
}

void TlibLabelPlacer::AddObstacle(const TLabelBox& box) {
  if (ObstacleCount < MaxObstacles) Obstacles[static_cast<std::size_t>(ObstacleCount++)] = box;
}

TLabelBox TlibLabelPlacer::Inside(TLabelBox box) const {
  box.X = std::max(Area.X, std::min(box.X, Area.X + Area.W - box.W));
  box.Y = std::max(Area.Y, std::min(box.Y, Area.Y + Area.H - box.H));
  return box;
}

bool TlibLabelPlacer::Free(const TLabelBox& box) {
  if (box.X < Area.X || box.Y < Area.Y || box.X + box.W > Area.X + Area.W || box.Y + box.H > Area.Y + Area.H)
    return false;
  // The gap is kept on every side: grown boxes must not even touch.
  const TLabelBox grown{box.X - Gap, box.Y - Gap, box.W + 2 * Gap, box.H + 2 * Gap};
  for (std::int32_t i = 0; i < ObstacleCount; ++i) {
    ++Tests;
    if (BoxesOverlap(grown, Obstacles[static_cast<std::size_t>(i)])) return false;
  }
  if (Own.W > 0 && BoxesOverlap(box, Own)) return false;
  for (const TLabelBox& p : Placed) {
    ++Tests;
    if (BoxesOverlap(grown, p)) return false;
  }
  return true;
}

bool TlibLabelPlacer::Take(const TLabelBox& natural, const TLabelBox& box, double& shiftX, double& shiftY) {
  if (Tests >= Budget || !Free(box)) return false;
  Placed.push_back(box);
  shiftX = box.X - natural.X;
  shiftY = box.Y - natural.Y;
  return true;
}

bool TlibLabelPlacer::Place(const TLabelBox& natural, double previousX, double previousY, double& shiftX,
                            double& shiftY, const TLabelBox& own) {
  Own = own;
  const TLabelBox home = Inside(natural);
  if (Take(natural, home, shiftX, shiftY)) return true;
  if (previousX != 0 || previousY != 0) {
    TLabelBox kept = natural;
    kept.X += previousX;
    kept.Y += previousY;
    if (Take(natural, Inside(kept), shiftX, shiftY)) return true;
  }
  const double across = natural.W / 2 + Gap;
  const double down = natural.H + Gap;
  for (const TStep& s : Steps()) {
    if (Tests >= Budget) return false;
    TLabelBox b = home;
    b.X += s.Across * across;
    b.Y += s.Down * down;
    if (Take(natural, b, shiftX, shiftY)) return true;
  }
  // Nothing near: rows outward from its own, spots outward from its own across each row.
  const std::int32_t rows = static_cast<std::int32_t>(std::floor((Area.H - natural.H) / down)) + 1;
  const std::int32_t homeRow = static_cast<std::int32_t>(std::lround((home.Y - Area.Y) / down));
  const std::int32_t columns = static_cast<std::int32_t>(std::floor((Area.W - natural.W) / ScanStepX)) + 1;
  const std::int32_t homeColumn = static_cast<std::int32_t>(std::lround((home.X - Area.X) / ScanStepX));
  for (std::int32_t r = 0; r < 2 * rows; ++r) {
    const std::int32_t row = homeRow + (r % 2 == 0 ? r / 2 : -(r / 2 + 1));
    if (row < 0 || row >= rows) continue;
    for (std::int32_t c = 0; c < 2 * columns; ++c) {
      if (Tests >= Budget) return false;
      const std::int32_t column = homeColumn + (c % 2 == 0 ? c / 2 : -(c / 2 + 1));
      if (column < 0 || column >= columns) continue;
      const TLabelBox b{Area.X + column * ScanStepX, Area.Y + row * down, natural.W, natural.H};
      if (Take(natural, b, shiftX, shiftY)) return true;
    }
  }
  return false;
}
