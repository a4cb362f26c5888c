#include "kit/diagramMarks.h"

#include <algorithm>
#include <cmath>

namespace {

double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

bool Crosses(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy) {
  auto side = [](double px, double py, double qx, double qy, double rx, double ry) {
    return (qx - px) * (ry - py) - (qy - py) * (rx - px);
  };
  const double d1 = side(cx, cy, dx, dy, ax, ay), d2 = side(cx, cy, dx, dy, bx, by);
  const double d3 = side(ax, ay, bx, by, cx, cy), d4 = side(ax, ay, bx, by, dx, dy);
  return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

}  // namespace

bool TDiagramStroke::Meets(const TDiagramBox& b) const {
  // Inside the box, crossing an edge, or within Half of one.
  if (X0 > b.X0 && X0 < b.X1 && Y0 > b.Y0 && Y0 < b.Y1) return true;
  const double cx[4] = {b.X0, b.X1, b.X1, b.X0}, cy[4] = {b.Y0, b.Y0, b.Y1, b.Y1};
  for (int i = 0; i < 4; ++i) {
    const int j = (i + 1) % 4;
    if (Crosses(X0, Y0, X1, Y1, cx[i], cy[i], cx[j], cy[j])) return true;
    if (SegmentDistance(cx[i], cy[i], X0, Y0, X1, Y1) < Half) return true;
  }
  for (const auto& [px, py] : {std::pair{X0, Y0}, std::pair{X1, Y1}}) {
    const double ex = std::max({b.X0 - px, 0.0, px - b.X1}), ey = std::max({b.Y0 - py, 0.0, py - b.Y1});
    if (std::hypot(ex, ey) < Half) return true;
  }
  return false;
}

std::string TDiagramMarks::MarkAt(const TDiagramBox& b) const {
  for (const auto& [box, what] : Boxes)
    if (box.Meets(b)) return what;
  for (const auto& [stroke, what] : Strokes)
    if (stroke.Meets(b)) return what;
  return "";
}

std::string TDiagramMarks::BoxAt(const TDiagramBox& b) const {
  for (const auto& [box, what] : Boxes)
    if (box.Meets(b)) return what;
  return "";
}

bool TDiagramMarks::ClearOfBoxes(const TDiagramBox& b) const {
  return std::none_of(Boxes.begin(), Boxes.end(), [&](const auto& box) { return box.first.Meets(b); });
}

bool TDiagramMarks::Free(const TDiagramBox& b) const {
  if (!MarkAt(b).empty()) return false;
  return std::none_of(Numbers.begin(), Numbers.end(), [&](const TDiagramNumber& n) { return n.Ink.Meets(b); });
}

bool TDiagramMarks::FreeOverStrokes(const TDiagramBox& b) const {
  if (!ClearOfBoxes(b)) return false;
  return std::none_of(Numbers.begin(), Numbers.end(), [&](const TDiagramNumber& n) { return n.Ink.Meets(b); });
}
