// The tutorial pages: a headline, a few sentences, a diagram of the plane with
// the worked example, the example worked step by step beside a monster that
// carries it, and the level's power-ups.
#include "pages/genTutorials.h"
#include "kit/genWords.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "pictures/artIcons.h"
#include "kit/artKit.h"
#include "pictures/artMonster.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "tables/defPowerUps.h"
#include "genArt.h"
#include "kit/diagramMarks.h"
#include "kit/genBoards.h"

using namespace art;

namespace {

// The game type's own colour, as its mode button wears it.
std::uint32_t Accent(int gameType) { return GameTypeColours[static_cast<std::size_t>(std::clamp(gameType, 1, 3) - 1)]; }

const TRGBA Ink = Hex(0xE4ECFF);
const TRGBA Highlight = Hex(0xFFE36A);
// Colours of the example lines, and of the x and y moves to a point (and the
// runs and rises of a line's staircase): no line wears a move's colour.
const std::uint32_t LineColours[3] = {0xFFF27A, 0xFF7FD0, 0xC8A0FF};
constexpr std::uint32_t MoveX = 0xFFB23A, MoveY = 0x5FE1FF;

// A board colour from the colour table, made pleasant on the dark page.
TRGBA Tone(std::int32_t row, double alpha) {
  const std::uint32_t c = ColourTable[static_cast<std::size_t>(std::clamp(row, 0, 8))];
  return Mix(Hex(c, alpha), Hex(0xFFFFFF, alpha), 0.25);
}

// The ground of quadrant 1..4 as the board shows it: its own opaque colour
// when the level opens it, the closed grey otherwise.
TRGBA Ground(const TTutorialPage& page, int q) {
  return Hex(page.QuadrantAllowed[q] && page.QuadrantColour[q] == QuadrantColourRow[static_cast<std::size_t>(q)]
                 ? QuadrantFill(q)
                 : ClosedQuadrantFill);
}

// The axes' colour: the level's axis colour, lightened.
TRGBA AxisTone(const TTutorialPage& page) { return Mix(Tone(page.QuadrantColour[0], 1), Grey(1), 0.3); }

// Half the drawn width of an arrow (its head) and of a line (its glow).
constexpr double ArrowHalf = 5.0, LineHalf = 3.5;

struct TPlane {
  double X, Y, Size;
  int Range;
  double Unit() const { return Size / (2.0 * Range + 1); }
  double PX(double px) const { return X + Size / 2 + px * Unit(); }
  double PY(double py) const { return Y + Size / 2 - py * Unit(); }
};

void Arrow(TSurface& s, double x0, double y0, double x1, double y1, std::uint32_t colour) {
  cairo_t* cr = s.Cr();
  const double len = std::hypot(x1 - x0, y1 - y0);
  if (len < 1) return;
  const double ux = (x1 - x0) / len, uy = (y1 - y0) / len, head = std::min(9.0, len * 0.45);
  cairo_new_path(cr);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1 - ux * head * 0.6, y1 - uy * head * 0.6);
  NeonStroke(s, Hex(colour), 2.6, 3, 0.7);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x1 - ux * head - uy * head * 0.55, y1 - uy * head + ux * head * 0.55);
  cairo_line_to(cr, x1 - ux * head + uy * head * 0.55, y1 - uy * head - ux * head * 0.55);
  cairo_close_path(cr);
  SetColor(cr, Hex(colour));
  cairo_fill(cr);
}

// The plane as the level's board shows it: its quadrant colours, greyed where
// the level does not go, grid lines, axes and grid points. Numbers come last,
// once the example's marks are known (DrawPlaneLabels).
void DrawPlaneGround(TSurface& s, const TPlane& b, const TTutorialPage& page) {
  cairo_t* cr = s.Cr();
  const bool quadrants = page.GameType == 1;
  const double half = b.Size / 2, cx = b.X + half, cy = b.Y + half;
  cairo_save(cr);
  RoundedRect(cr, b.X, b.Y, b.Size, b.Size, 10);
  SetColor(cr, Hex(0x060C1E, 0.95));
  cairo_fill_preserve(cr);
  cairo_clip(cr);
  const double qx[5] = {0, cx, b.X, b.X, cx}, qy[5] = {0, b.Y, b.Y, cy, cy};
  for (int q = 1; q <= 4; ++q) {
    const bool open = page.QuadrantAllowed[q];
    cairo_rectangle(cr, qx[q], qy[q], half, half);
    SetColor(cr, Ground(page, q));
    cairo_fill(cr);
    if (!open) {
      // Hatched: no questions from here in this level.
      cairo_save(cr);
      cairo_rectangle(cr, qx[q], qy[q], half, half);
      cairo_clip(cr);
      for (double d = -half; d < half * 2; d += 9) {
        cairo_move_to(cr, qx[q] + d, qy[q]);
        cairo_line_to(cr, qx[q] + d + half, qy[q] + half);
      }
      cairo_set_line_width(cr, 1);
      SetColor(cr, Grey(0, 0.35));
      cairo_stroke(cr);
      cairo_restore(cr);
    }
  }
  if (!quadrants) {
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0xCFE0FF, 0.16));
    for (int i = -b.Range; i <= b.Range; ++i) {
      cairo_move_to(cr, std::floor(b.PX(i)) + 0.5, b.Y);
      cairo_line_to(cr, std::floor(b.PX(i)) + 0.5, b.Y + b.Size);
      cairo_move_to(cr, b.X, std::floor(b.PY(i)) + 0.5);
      cairo_line_to(cr, b.X + b.Size, std::floor(b.PY(i)) + 0.5);
    }
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, b.X, cy);
  cairo_line_to(cr, b.X + b.Size, cy);
  cairo_move_to(cr, cx, b.Y);
  cairo_line_to(cr, cx, b.Y + b.Size);
  NeonStroke(s, AxisTone(page), 1.8, 3, 0.6);
  if (!quadrants)
    for (int i = -b.Range; i <= b.Range; ++i)
      for (int j = -b.Range; j <= b.Range; ++j) {
        const bool open = page.QuadrantAllowed[QuadrantOf(i, j)];
        cairo_arc(cr, b.PX(i), b.PY(j), std::max(1.5, b.Unit() * 0.07), 0, 2 * M_PI);
        SetColor(cr, Grey(1, open ? 0.85 : 0.3));
        cairo_fill(cr);
      }
  cairo_restore(cr);
  RoundedRect(cr, b.X + 0.5, b.Y + 0.5, b.Size - 1, b.Size - 1, 10);
  NeonStroke(s, Hex(0x6FD8FF, 0.85), 1.2, 3, 0.5);
}

// White with a dark outline: it reads on every quadrant's ground.
TLettering NumberStyle(const TPlane& b) {
  TLettering t;
  t.Size = std::clamp(b.Unit() * 0.42, 8.5, 11.0);
  t.Top = t.Bottom = Hex(0xFFFFFF);
  t.OutlineWidth = 2.0;
  t.Outline = Hex(0x050A18, 0.95);
  return t;
}

// Where the numbers of the axes go when nothing is in the way.
std::vector<TDiagramBox> UsualNumberPlaces(cairo_t* cr, const TPlane& b) {
  std::vector<TDiagramBox> out;
  const TLettering t = NumberStyle(b);
  const double cx = b.X + b.Size / 2, cy = b.Y + b.Size / 2;
  for (int i = -b.Range; i <= b.Range; ++i) {
    if (i == 0) continue;
    out.push_back(TextInk(cr, std::to_string(i), b.PX(i), cy + t.Size + 5, t, true));
    out.push_back(TextInk(cr, std::to_string(i), cx + 7, b.PY(i) + t.Size * 0.35, t, false));
  }
  return out;
}

// The axis names, the numbers of both axes and (for the quadrant game) the
// quadrant numerals. Each number takes the first of its places that no mark
// and no other number touches, and is left out only where none is free.
void DrawPlaneLabels(TSurface& s, const TPlane& b, const TTutorialPage& page, TDiagramMarks& marks) {
  cairo_t* cr = s.Cr();
  const double half = b.Size / 2, cx = b.X + half, cy = b.Y + half;
  const TRGBA axis = AxisTone(page);
  TLettering axisName;
  axisName.Size = 11;
  axisName.Top = axisName.Bottom = axis;
  axisName.OutlineWidth = 1.5;
  axisName.Outline = Hex(0x050A18, 0.95);
  // "x" above the right end of the x axis, "y" left of the top of the y axis:
  // the numbers' usual places are below the one and right of the other.
  Letter(s, "x", b.X + b.Size - 11, cy - 5, axisName);
  marks.AddBox(TextInk(cr, "x", b.X + b.Size - 11, cy - 5, axisName, false), "the x axis name");
  SelectFace(cr, axisName.Face, axisName.Size);
  const double yx = cx - 6 - TextWidth(cr, "y");
  Letter(s, "y", yx, b.Y + 13, axisName);
  marks.AddBox(TextInk(cr, "y", yx, b.Y + 13, axisName, false), "the y axis name");
  if (page.GameType == 1) {
    // White with a dark outline, as the game's tiles show them: they read on
    // every quadrant's ground.
    TLettering n;
    n.Face = TFace::SerifBold;
    n.Size = b.Size * 0.16;
    n.Top = n.Bottom = Grey(1);
    n.OutlineWidth = 2.5;
    n.Outline = Hex(0x050A18, 0.95);
    const double qx[5] = {0, cx, b.X, b.X, cx}, qy[5] = {0, b.Y, b.Y, cy, cy};
    for (int q = 1; q <= 4; ++q) {
      const double x = qx[q] + half / 2, y = qy[q] + half / 2 + n.Size * 0.36;
      Letter(s, QuadrantNumeral(q), x, y, n, true);
      marks.AddNumber({QuadrantNumeral(q), q, true, TextInk(cr, QuadrantNumeral(q), x, y, n, true)});
    }
    return;
  }
  const TLettering t = NumberStyle(b);
  const double u = b.Unit();
  const TDiagramBox inside{b.X + 2, b.Y + 2, b.X + b.Size - 2, b.Y + b.Size - 2};
  auto within = [&](const TDiagramBox& r) {
    return r.X0 >= inside.X0 && r.Y0 >= inside.Y0 && r.X1 <= inside.X1 && r.Y1 <= inside.Y1;
  };
  for (int i = -b.Range; i <= b.Range; ++i) {
    if (i == 0) continue;
    const std::string text = std::to_string(i);
    SelectFace(cr, t.Face, t.Size);
    const double w = TextWidth(cr, text);
    // Every number stays at its tick: on the x axis below or above it, then
    // further off the axis; never slid along toward the next tick. Where a
    // line or an arrow runs through every such place, over it, outlined.
    const double below = cy + t.Size + 5, above = cy - 7;
    bool placed = false;
    for (int pass = 0; pass < 2 && !placed; ++pass)
      for (double y : {below, above, below + 0.3 * u, above - 0.3 * u, below + 0.55 * u, above - 0.55 * u}) {
        const TDiagramBox r = TextInk(cr, text, b.PX(i), y, t, true);
        if (!within(r) || !(pass == 0 ? marks.Free(r) : marks.FreeOverStrokes(r))) continue;
        Letter(s, text, b.PX(i), y, t, true);
        marks.AddNumber({text, i, true, r});
        placed = true;
        break;
      }
    // On the y axis right or left of its tick, then further off the axis.
    const double right = cx + 7, left = cx - 7 - w, base = b.PY(i) + t.Size * 0.35;
    placed = false;
    for (int pass = 0; pass < 2 && !placed; ++pass)
      for (double x : {right, left, right + 0.3 * u, left - 0.3 * u, right + 0.55 * u, left - 0.55 * u}) {
        const TDiagramBox r = TextInk(cr, text, x, base, t, false);
        if (!within(r) || !(pass == 0 ? marks.Free(r) : marks.FreeOverStrokes(r))) continue;
        Letter(s, text, x, base, t);
        marks.AddNumber({text, i, false, r});
        placed = true;
        break;
      }
  }
}

// The segment of a line inside the plane's square.
bool LineInPlane(const TPlane& b, TIntPoint p, TIntPoint q, double& x0, double& y0, double& x1, double& y1) {
  const double e = b.Range + 0.5;
  if (p.X == q.X) {
    x0 = x1 = p.X;
    y0 = -e;
    y1 = e;
    return true;
  }
  const double m = static_cast<double>(q.Y - p.Y) / (q.X - p.X), c = p.Y - m * p.X;
  double lo = -e, hi = e;
  if (m != 0) {
    const double a = (-e - c) / m, z = (e - c) / m;
    lo = std::max(lo, std::min(a, z));
    hi = std::min(hi, std::max(a, z));
  }
  if (lo >= hi) return false;
  x0 = lo;
  y0 = m * lo + c;
  x1 = hi;
  y1 = m * hi + c;
  return true;
}

void PickPoint(TSurface& s, TDiagramMarks& marks, double x, double y, double radius) {
  DrawPickedPoint(s, x, y, radius);
  marks.AddBox(PickedPointBox(x, y, radius), "a picked point");
}

// The pointer on the first of the points whose pointer would cover no usual
// place of an axis number (or on the first point, when every one would).
void PointAtOneOf(TSurface& s, TDiagramMarks& marks, const TPlane& b, const std::vector<TIntPoint>& points,
                  const std::vector<TDiagramBox>& numbers, double scale) {
  if (points.empty()) return;
  TIntPoint chosen = points[0];
  for (const TIntPoint& p : points) {
    const TDiagramBox box = PointerBox(b.PX(p.X) + 3, b.PY(p.Y) + 3, scale);
    const bool clear = box.X1 <= b.X + b.Size - 2 && box.Y1 <= b.Y + b.Size - 2 &&
                       std::none_of(numbers.begin(), numbers.end(), [&](const TDiagramBox& n) { return n.Meets(box); });
    if (clear) {
      chosen = p;
      break;
    }
  }
  const double x = b.PX(chosen.X) + 3, y = b.PY(chosen.Y) + 3;
  DrawPointer(s, x, y, scale);
  marks.AddBox(PointerBox(x, y, scale), "the pointer");
}

// A small tag near a point of the plane, on the first side where it covers no
// ring, pointer or other tag and, where it can, no usual place of a number.
bool PlaceTag(TSurface& s, TDiagramMarks& marks, const TPlane& b, const std::vector<TDiagramBox>& numbers,
              const std::string& text, double ax, double ay, double size, const TRGBA& ink, const std::string& what,
              bool besideFirst = false) {
  cairo_t* cr = s.Cr();
  SelectFace(cr, TFace::MonoBold, size);
  const double w = TextWidth(cr, text) + size * 0.9, h = size * 1.45;
  const double gap = 8;
  // Beside the point first (level with it), where the tag names the point itself.
  const double beside[][2] = {{-(w / 2 + gap), h / 2}, {w / 2 + gap, h / 2}, {-(w / 2 + gap), -gap},
                              {-(w / 2 + gap), h + gap}, {w / 2 + gap, -gap},  {w / 2 + gap, h + gap},
                              {0, -gap - 4},             {0, h + gap + 4}};
  const double around[][2] = {{w / 2 + gap, -gap},      {-(w / 2 + gap), -gap},      {w / 2 + gap, h + gap},
                              {-(w / 2 + gap), h + gap}, {0, -gap - 4},               {0, h + gap + 4},
                              {w / 2 + gap, h / 2},      {-(w / 2 + gap), h / 2}};
  const auto& offsets = besideFirst ? beside : around;
  for (int pass = 0; pass < 2; ++pass)
    for (const auto& o : offsets) {
      const double cx = std::clamp(ax + o[0], b.X + w / 2 + 3, b.X + b.Size - w / 2 - 3);
      const double bottom = std::clamp(ay + o[1], b.Y + h + 3, b.Y + b.Size - 3);
      const TDiagramBox r{cx - w / 2 - 1, bottom - h - 1, cx + w / 2 + 1, bottom + 1};
      const bool roomy = std::none_of(numbers.begin(), numbers.end(), [&](const TDiagramBox& n) { return n.Meets(r); });
      if (!marks.ClearOfBoxes(r) || (!roomy && pass == 0)) continue;
      DrawQuestionTag(s, text, cx, bottom, size, ink);
      marks.AddBox(r, what);
      return true;
    }
  return false;
}

// A sloped line's staircase: across its run (the x arrow), then up or down its
// rise (the y arrow), as the point pages walk to a point. Where an earlier
// staircase already runs along the same row, this one rises first.
struct TStair {
  double Y, X0, X1;
};

void DrawStaircase(TSurface& s, TDiagramMarks& marks, const TPlane& b, const TTutorialExample& e,
                   std::vector<TStair>& runs) {
  const TIntPoint from = e.WalkFrom, to{from.X + e.Run, from.Y + e.Rise};
  const double lo = std::min(from.X, to.X), hi = std::max(from.X, to.X);
  const bool shared = std::any_of(runs.begin(), runs.end(), [&](const TStair& r) {
    return r.Y == from.Y && r.X0 < hi && lo < r.X1;
  });
  const TIntPoint corner = shared ? TIntPoint{from.X, to.Y} : TIntPoint{to.X, from.Y};
  const auto arrow = [&](TIntPoint p, TIntPoint q, std::uint32_t colour, const char* what) {
    Arrow(s, b.PX(p.X), b.PY(p.Y), b.PX(q.X), b.PY(q.Y), colour);
    marks.AddStroke({b.PX(p.X), b.PY(p.Y), b.PX(q.X), b.PY(q.Y), ArrowHalf}, what);
  };
  if (shared) {
    arrow(from, corner, MoveY, "a staircase's rise");
    arrow(corner, to, MoveX, "a staircase's run");
    runs.push_back({static_cast<double>(to.Y), lo, hi});
  } else {
    arrow(from, corner, MoveX, "a staircase's run");
    arrow(corner, to, MoveY, "a staircase's rise");
    runs.push_back({static_cast<double>(from.Y), lo, hi});
  }
}

void DrawExampleOnPlane(TSurface& s, const TPlane& b, const TTutorialPage& page, TDiagramMarks& marks) {
  cairo_t* cr = s.Cr();
  const TTutorialExample& e = page.Examples[0];
  const std::vector<TDiagramBox> numbers = UsualNumberPlaces(cr, b);
  if (page.GameType == 1) {
    // The quadrant lit, and the pointer below and right of its numeral.
    const TIntPoint c = e.Answer[0];
    const double half = b.Size / 2, x = c.X > 0 ? b.X + half : b.X, y = c.Y > 0 ? b.Y : b.Y + half;
    RoundedRect(cr, x + 5, y + 5, half - 10, half - 10, 8);
    SetColor(cr, Mix(Ground(page, e.Quadrant), Grey(0), 0.14));
    cairo_fill_preserve(cr);
    NeonStroke(s, Hex(0xFFF27A), 2, 4, 0.9);
    const double px = x + half * 0.74, py = y + half * 0.68;
    DrawPointer(s, px, py, 1.3);
    marks.AddBox(PointerBox(px, py, 1.3), "the pointer");
    return;
  }
  if (page.GameType == 2) {
    const TIntPoint p = e.Answer[0];
    Arrow(s, b.PX(0), b.PY(0), b.PX(p.X), b.PY(0), MoveX);
    marks.AddStroke({b.PX(0), b.PY(0), b.PX(p.X), b.PY(0), ArrowHalf}, "the x move");
    Arrow(s, b.PX(p.X), b.PY(0), b.PX(p.X), b.PY(p.Y), MoveY);
    marks.AddStroke({b.PX(p.X), b.PY(0), b.PX(p.X), b.PY(p.Y), ArrowHalf}, "the y move");
    PickPoint(s, marks, b.PX(p.X), b.PY(p.Y), std::max(5.0, b.Unit() * 0.22));
    PointAtOneOf(s, marks, b, {p}, numbers, 1.2);
    // The dot read back: its coordinates beside it.
    PlaceTag(s, marks, b, numbers, PointWords(p.X, p.Y), b.PX(p.X),
             b.PY(p.Y), 9.5, Hex(0xFFF27A), "the dot's coordinates");
    return;
  }
  std::vector<TStair> runs;
  std::vector<TIntPoint> picked;
  for (std::size_t i = 0; i < page.Examples.size(); ++i) {
    const TTutorialExample& ex = page.Examples[i];
    double x0, y0, x1, y1;
    if (!ex.OnPlane || !LineInPlane(b, ex.Answer[0], ex.Answer[1], x0, y0, x1, y1)) continue;
    cairo_save(cr);
    RoundedRect(cr, b.X, b.Y, b.Size, b.Size, 10);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, b.PX(x0), b.PY(y0));
    cairo_line_to(cr, b.PX(x1), b.PY(y1));
    NeonStroke(s, Hex(LineColours[i % 3]), 2.4, 4, 0.85);
    cairo_restore(cr);
    marks.AddStroke({b.PX(x0), b.PY(y0), b.PX(x1), b.PY(y1), LineHalf}, "the line " + ex.Label);
  }
  for (const TTutorialExample& ex : page.Examples)
    if (ex.OnPlane && ex.HasWalk) DrawStaircase(s, marks, b, ex, runs);
  for (const TTutorialExample& ex : page.Examples) {
    if (!ex.OnPlane) continue;
    for (const TIntPoint& q : ex.Answer) {
      PickPoint(s, marks, b.PX(q.X), b.PY(q.Y), std::max(4.5, b.Unit() * 0.16));
      picked.push_back(q);
    }
  }
  // The pointer on the first example's second point, or another where that
  // one would hide a number.
  std::vector<TIntPoint> order = {e.Answer[1], e.Answer[0]};
  order.insert(order.end(), picked.begin(), picked.end());
  PointAtOneOf(s, marks, b, order, numbers, 1.15);
  // Each line's name beside it, where it covers no other mark, and where it
  // can, none of the numbers' usual places either.
  for (std::size_t i = 0; i < page.Examples.size(); ++i) {
    const TTutorialExample& ex = page.Examples[i];
    double x0, y0, x1, y1;
    if (!ex.OnPlane || !LineInPlane(b, ex.Answer[0], ex.Answer[1], x0, y0, x1, y1)) continue;
    SelectFace(cr, TFace::MonoBold, 10);
    const double w = TextWidth(cr, ex.Label) + 9, h = 14.5;
    const bool vertical = ex.Answer[0].X == ex.Answer[1].X;
    bool placed = false;
    for (int pass = 0; pass < 3 && !placed; ++pass)
      for (double t : {0.88, 0.12, 0.75, 0.25, 0.62, 0.38, 0.5}) {
        for (double side : {1.0, -1.0}) {
          double px = b.PX(x0 + (x1 - x0) * t) + (vertical ? side * (w / 2 + 7) : 0);
          double py = b.PY(y0 + (y1 - y0) * t) + (vertical ? h / 2 : side > 0 ? -7 : h + 7);
          px = std::clamp(px, b.X + w / 2 + 3, b.X + b.Size - w / 2 - 3);
          py = std::clamp(py, b.Y + h + 3, b.Y + b.Size - 3);
          const TDiagramBox r{px - w / 2 - 1, py - h - 1, px + w / 2 + 1, py + 1};
          // A name may lie on a line (its own, usually), never on a ring,
          // the pointer or another name.
          const bool clear = marks.ClearOfBoxes(r) || pass == 2;
          const bool roomy = std::none_of(numbers.begin(), numbers.end(), [&](const TDiagramBox& n) { return n.Meets(r); });
          if (!clear || (!roomy && pass == 0)) continue;
          DrawQuestionTag(s, ex.Label, px, py, 10, Hex(LineColours[i % 3]));
          marks.AddBox(r, "the name " + ex.Label);
          placed = true;
          break;
        }
        if (placed) break;
      }
  }
  // Where slope and intercept are first taught, the intercept is named where
  // the line crosses the y axis.
  if (page.Level == 3 && e.HasWalk && e.WalkFrom.Y != 0)
    PlaceTag(s, marks, b, numbers, W("y-intercept"), b.PX(0), b.PY(e.WalkFrom.Y), 8.5, Hex(0xFFFFFF),
             "the y-intercept's name", true);
}

// A monster's colour as the game gives it: a point's monster takes its
// answer's quadrant colour, the others one that no quadrant has.
std::uint32_t MonsterColour(const TTutorialPage& page, const TTutorialExample& e) {
  if (page.GameType == 2) return ColourTable[static_cast<std::size_t>(std::clamp(page.QuadrantColour[e.Quadrant], 0, 8))];
  return NeutralMonsterColours[static_cast<std::size_t>(page.GameType + page.Level) % NeutralMonsterColours.size()];
}

// The worked example: a monster carrying the question, and the steps.
double ExampleBox(TSurface& s, const TTutorialPage& page, double x, double y, double w, double h, double scale) {
  const std::uint32_t accent = Accent(page.GameType);
  Card(s, x, y, w, h, 10, accent);
  TLettering head;
  head.Size = 11.5;
  head.Top = head.Bottom = Hex(accent);
  Letter(s, page.Examples.size() > 1 ? W("WORKED EXAMPLES") : W("WORKED EXAMPLE"), x + 14, y + 22, head);
  double bottom = y + 22;
  if (page.Examples.size() == 1) {
    const TTutorialExample& e = page.Examples[0];
    // A monster carries the question, the way it walks onto the board.
    const int pattern = (page.GameType * 7 + page.Level * 5) % 20;
    const std::uint32_t colour = LightenColour(64, MonsterColour(page, e));
    const double column = 96, size = 60, mx = x + 8 + (column - size) / 2, my = y + h - size - 12;
    DrawTintedCreature(s, mx, my, size, pattern, colour);
    cairo_t* cr = s.Cr();
    double tagSize = 12;
    SelectFace(cr, TFace::MonoBold, tagSize);
    while (TextWidth(cr, e.Label) + tagSize * 0.9 > column - 4 && tagSize > 8)
      SelectFace(cr, TFace::MonoBold, tagSize -= 0.5);
    DrawQuestionTag(s, e.Label, x + 8 + column / 2, my + 2, tagSize, Hex(0xFFF27A));
    double ty = y + 48;
    const double tx = x + 8 + column + 18;
    for (std::size_t i = 0; i < e.Steps.size(); ++i) {
      const std::string& step = e.Steps[i];
      std::uint32_t bullet = accent;
      if (page.GameType == 2 && step.rfind(std::string("x") + KeptEquals, 0) == 0) bullet = MoveX;
      if (page.GameType == 2 && step.rfind(std::string("y") + KeptEquals, 0) == 0) bullet = MoveY;
      cairo_arc(cr, tx - 9, ty - 4.5, 3, 0, 2 * M_PI);
      SetColor(cr, Hex(bullet));
      cairo_fill(cr);
      ty = RichParagraph(s, step, tx, ty, x + w - tx - 10, 13 * scale, 17 * scale, Ink, Highlight) + 4;
    }
    bottom = ty - 4 - 17 * scale + 4;
  } else {
    // One row per example: the question, and how to find the two points to
    // click (in a wide box the walk too).
    const bool wide = w > 360;
    // A monster beside the rows where the box has room for it.
    const bool monster = wide && page.Examples.size() <= 2;
    double ty = y + 44;
    cairo_t* cr = s.Cr();
    const double right = x + w - (monster ? 96 : 10);
    for (std::size_t i = 0; i < page.Examples.size(); ++i) {
      const TTutorialExample& e = page.Examples[i];
      SelectFace(cr, TFace::MonoBold, 12);
      const double tagW = TextWidth(cr, e.Label) + 11;
      DrawQuestionTag(s, e.Label, x + 14 + tagW / 2, ty + 4, 12,
                      e.OnPlane ? Hex(LineColours[i % 3]) : Hex(0xDCE8FF));
      const double tx = x + 24 + tagW;
      const double after = RichParagraph(s, wide ? e.Summary : e.Steps.back(), tx, ty, right - tx, 13 * scale,
                                         16 * scale, Ink, Highlight);
      bottom = after - 16 * scale + 4;
      ty = after + 9;
    }
    // Room to spare: a monster carrying the first line.
    if (monster) {
      const std::uint32_t colour = LightenColour(64, MonsterColour(page, page.Examples[0]));
      const double size = 60, mx = x + w - size - 22, my = y + h - size - 14;
      DrawTintedCreature(s, mx, my, size, 20 + page.Level, colour);
      DrawQuestionTag(s, page.Examples[0].Label, mx + size / 2, my + 2, 12, Hex(0xFFF27A));
    }
  }
  return bottom;
}

// Combos, the first time they pay: the HUD's combo lines as the player will see them.
void ComboCard(TSurface& s, const TTutorialPage& page, double x, double y, double w, double h) {
  const std::uint32_t accent = Accent(page.GameType);
  Card(s, x, y, w, h, 10, accent);
  TLettering head;
  head.Size = 11.5;
  head.Top = head.Bottom = Hex(accent);
  Letter(s, W("COMBOS"), x + 14, y + 22, head);
  const std::string n = std::to_string(page.ComboMin);
  DrawFlame(s, x + 12, y + 36, 24);
  // One line each, as the HUD shows them: the spaces do not break.
  const auto kept = [](std::string text) {
    for (std::size_t at; (at = text.find(' ')) != std::string::npos;) text.replace(at, 1, "\xC2\xA0");
    return "*" + text + "*";
  };
  RichParagraph(s, kept(WF(W("Basic Combo x %s!"), {n})), x + 42, y + 54, w - 46, 12, 15, Ink, Highlight);
  DrawStopwatch(s, x + 12, y + 70, 24);
  RichParagraph(s, kept(WF(W("Time Combo x %s!"), {n})), x + 42, y + 88, w - 46, 12, 15, Ink, Highlight);
  RichParagraph(s, W("Each one adds bonus points."), x + 14, y + 122, w - 24, 12.5, 15, Ink, Highlight);
}

// Returns the baseline of its last line of words.
double PowerUpCard(TSurface& s, const TTutorialPage& page, double x, double y, double w, double h, double scale) {
  const std::uint32_t accent = Accent(page.GameType);
  Card(s, x, y, w, h, 10, accent);
  TLettering head;
  head.Size = 11.5;
  head.Top = head.Bottom = Hex(accent);
  const bool many = page.PowerUps.size() > 1;
  Letter(s, many ? W("POWER-UPS") : page.PowerUps[0] == 0 ? W("DOOM DEVICE") : W("NEW POWER-UP"), x + 14, y + 22, head);
  if (!many) {
    const std::int32_t row = page.PowerUps[0];
    const double icon = 58;
    if (row == 0) {
      DrawDoomButton(s, x + 10, y + 32, icon, true);
    } else {
      DrawPowerUpGlow(s, x + 10, y + 32, icon);
      DrawPowerUpIcon(s, x + 10, y + 32, icon, PowerUpTable[static_cast<std::size_t>(row)].IconFrame);
    }
    const std::string name = row == 0 ? W("Press D or 6") : W(PowerUpTable[static_cast<std::size_t>(row)].Name);
    RichParagraph(s, "*" + name + "*", x + 76, y + 56, w - 84, 13 * scale, 16 * scale, Ink, Highlight);
    // The blitz counts the axes as one more group: a point on an axis is in no quadrant.
    const std::string what = row == 0   ? W("Zaps every monster on the board when its bar is full.")
                             : row == 5 ? W("Kills all monsters in one quadrant, or all on the axes.")
                                        : W(PowerUpTable[static_cast<std::size_t>(row)].Description);
    return RichParagraph(s, what, x + 14, y + 108, w - 24, 12.5 * scale, 16 * scale, Ink, Highlight) - 16 * scale;
  }
  // Several: the Doom button, then a row of icons.
  double ix = x + 12;
  const double iy = y + 36;
  for (std::int32_t row : page.PowerUps) {
    if (row == 0) continue;
    DrawPowerUpGlow(s, ix, iy, 38);
    DrawPowerUpIcon(s, ix, iy, 38, PowerUpTable[static_cast<std::size_t>(row)].IconFrame);
    ix += 41;
  }
  if (std::find(page.PowerUps.begin(), page.PowerUps.end(), 0) != page.PowerUps.end()) {
    DrawDoomButton(s, x + 10, y + 84, 50, true);
    return RichParagraph(s, W("*Doom Device:* press *D* or *6*"), x + 66, y + 106, w - 72, 12 * scale, 15 * scale, Ink,
                         Highlight) -
           15 * scale;
  }
  return y + 36 + 38;
}

}  // namespace

namespace {

// The page with its texts at scale times their usual size.
TImage DrawPage(const TTutorialPage& page, TPageFit* fit, double scale) {
  TSurface s(TutorialPageSize, TutorialPageSize);
  const std::uint32_t accent = Accent(page.GameType);
  NightPage(s, accent);
  TPageFit f;
  // Heading.
  TLettering kicker;
  kicker.Size = 12.5;
  kicker.Top = kicker.Bottom = Mix(Hex(accent), Grey(1), 0.25);
  kicker.OutlineWidth = 1.2;
  kicker.Outline = Hex(0x03060F, 0.9);
  Letter(s, page.Kicker, 24, 32, kicker);
  {
    const std::string goal = WF(WN("GOAL: %d MONSTER", "GOAL: %d MONSTERS", page.KillsToWin),
                                {std::to_string(page.KillsToWin)});
    cairo_t* cr = s.Cr();
    SelectFace(cr, TFace::SansBold, 11);
    const double w = TextWidth(cr, goal) + 20, gx = TutorialPageSize - 20 - w;
    RoundedRect(cr, gx, 17, w, 21, 10.5);
    SetColor(cr, Hex(0x0A1230, 0.9));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, Hex(0xFFD24A, 0.9));
    cairo_stroke(cr);
    TLettering g;
    g.Size = 11;
    g.Top = g.Bottom = Hex(0xFFE9A0);
    Letter(s, goal, gx + 10, 32, g);
  }
  Title(s, page.Headline, 24, 70, 28, TutorialPageSize - 48, Hex(0xFFF6C0), Hex(0xFFB02E), false);
  // Sentences on the left, the plane on the right.
  const TPlane plane{TutorialPlaneX, TutorialPlaneY, TutorialPlaneSize, page.Range};
  const double textX = 40, textW = plane.X - textX - 14;
  double y = 106;
  cairo_t* cr = s.Cr();
  for (const std::string& sentence : page.Sentences) {
    cairo_arc(cr, 29, y - 4.5, 3.2, 0, 2 * M_PI);
    SetColor(cr, Hex(accent));
    cairo_fill(cr);
    y = RichParagraph(s, sentence, textX, y, textW, 13.5 * scale, 18 * scale, Ink, Highlight) + 7;
  }
  f.SentencesBottom = y - 7 - 18 * scale + 4;
  DrawPlaneGround(s, plane, page);
  DrawExampleOnPlane(s, plane, page, f.Diagram);
  DrawPlaneLabels(s, plane, page, f.Diagram);
  // The example and the power-ups along the bottom.
  const double boxY = 342, boxH = 150;
  const bool side = !page.PowerUps.empty() || page.ComboMin > 0;
  const double boxW = side ? 290 : TutorialPageSize - 44;
  f.StepsBottom = ExampleBox(s, page, 22, boxY, boxW, boxH, scale);
  const double cardX = 22 + boxW + 10, cardW = TutorialPageSize - 44 - boxW - 10;
  double cardBottom = boxY;
  if (!page.PowerUps.empty())
    cardBottom = PowerUpCard(s, page, cardX, boxY, cardW, boxH, scale);
  else if (page.ComboMin > 0)
    ComboCard(s, page, cardX, boxY, cardW, boxH);
  f.CardBottom = cardBottom;
  f.Fits = f.SentencesBottom <= boxY - 6 && f.StepsBottom <= boxY + boxH - 8 && f.CardBottom <= boxY + boxH - 8;
  if (fit != nullptr) *fit = f;
  // Round like its frame: no dark square shows past the corners on the screen.
  CutCorners(s);
  return MakeImage("page-" + std::to_string(page.Level), s);
}

}  // namespace

TImage TutorialPicture(const TTutorialPage& page, TPageFit* fit) {
  // A language that needs more words gets smaller letters, down to a size a
  // child still reads easily; past it the page is drawn at that size (and does
  // not fit, which the tests tell).
  constexpr double Scales[] = {1.0, 0.95, 0.9, 0.86, 0.82};
  TPageFit f;
  TImage image;
  for (double scale : Scales) {
    f = TPageFit{};
    image = DrawPage(page, &f, scale);
    if (f.Fits) break;
  }
  if (fit != nullptr) *fit = std::move(f);
  return image;
}

std::vector<TImage> TutorialPictures(int gameType) {
  std::vector<TImage> pages;
  for (int level = 1; level <= 5; ++level) pages.push_back(TutorialPicture(TutorialPage(gameType, level)));
  return pages;
}
