#include "pictures/genIcons.h"

#include <cairo-svg.h>

#include <cmath>
#include <cstdio>

#include "kit/artDraw.h"

using namespace art;

namespace {

constexpr std::uint32_t AxisBlue = 0xDDEBFF;
constexpr std::uint32_t LineAmber = 0xFFB23B;
constexpr std::uint32_t PointTeal = 0x3BE8D8;
constexpr std::uint32_t MonsterGreen = 0x7FE08A;

// The drawing is laid out on a 256-unit square; u converts units to pixels.
struct TIconGrid {
  double U;
  // A coordinate on the centre of a pixel, so that a one-pixel line stays sharp.
  double Snap(double units) const { return (std::floor(units * U) + 0.5) / U; }
};

void StrokeGlow(cairo_t* cr, const TRGBA& c, double width, double glow) {
  // A halo of widening, fading strokes stands in for a blur, which an SVG
  // cannot carry.
  constexpr int Steps = 6;
  for (int i = Steps; i >= 1; --i) {
    TRGBA halo = c;
    halo.A = c.A * 0.1;
    SetColor(cr, halo);
    cairo_set_line_width(cr, width + glow * i / Steps);
    cairo_stroke_preserve(cr);
  }
  SetColor(cr, c);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void Tile(cairo_t* cr, double x, double w, double r) {
  RoundedRect(cr, x, x, w, w, r);
  cairo_pattern_t* fill = Linear(0, x, 0, x + w, Hex(0x1D3878), Hex(0x060D26));
  cairo_set_source(cr, fill);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(fill);
}

void Paper(cairo_t* cr, const TIconGrid& g, bool minor) {
  cairo_set_line_width(cr, std::max(1.0 / g.U, 1.2));
  if (minor) {
    SetColor(cr, Hex(0x7FA8FF, 0.10));
    for (int k = 16; k < 256; k += 16) {
      if (k % 64 == 0) continue;
      cairo_move_to(cr, k, 0);
      cairo_line_to(cr, k, 256);
      cairo_move_to(cr, 0, k);
      cairo_line_to(cr, 256, k);
    }
    cairo_stroke(cr);
  }
  SetColor(cr, Hex(0x7FA8FF, minor ? 0.22 : 0.3));
  for (int k = 64; k < 256; k += 128) {
    cairo_move_to(cr, g.Snap(k), 0);
    cairo_line_to(cr, g.Snap(k), 256);
    cairo_move_to(cr, 0, g.Snap(k));
    cairo_line_to(cr, 256, g.Snap(k));
  }
  cairo_stroke(cr);
}

void Point(cairo_t* cr, double x, double y, double r, bool glowing) {
  if (glowing) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, r * 2.4);
    AddStop(glow, 0, Hex(PointTeal, 0.7));
    AddStop(glow, 1, Hex(PointTeal, 0));
    cairo_arc(cr, x, y, r * 2.4, 0, 2 * M_PI);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
  }
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  SetColor(cr, Mix(Hex(PointTeal), Hex(0xFFFFFF), 0.45));
  cairo_fill_preserve(cr);
  SetColor(cr, Hex(0x04121A, 0.9));
  cairo_set_line_width(cr, r * 0.3);
  cairo_stroke(cr);
}

// A square monster with horns, big eyes looking toward the origin and a grin.
void Monster(cairo_t* cr, double cx, double cy, double h, bool face) {
  const double w = h * 1.05, x = cx - w / 2, y = cy - h / 2;
  const double line = h * 0.06;
  // Horns first, so the body covers their roots.
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, cx + side * w * 0.18, y + h * 0.08);
    cairo_line_to(cr, cx + side * w * 0.42, y - h * 0.22);
    cairo_line_to(cr, cx + side * w * 0.40, y + h * 0.12);
    cairo_close_path(cr);
  }
  SetColor(cr, Hex(0xFFF2D0));
  cairo_fill_preserve(cr);
  SetColor(cr, Hex(0x0A1A10));
  cairo_set_line_width(cr, line * 0.8);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  // Feet.
  for (int side = -1; side <= 1; side += 2) {
    RoundedRect(cr, cx + side * w * 0.25 - w * 0.13, y + h * 0.86, w * 0.26, h * 0.22, h * 0.08);
    SetColor(cr, Mix(Hex(MonsterGreen), Hex(0x000000), 0.35));
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x0A1A10));
    cairo_set_line_width(cr, line * 0.8);
    cairo_stroke(cr);
  }
  RoundedRect(cr, x, y, w, h, h * 0.22);
  cairo_pattern_t* body = Linear(0, y, 0, y + h, Mix(Hex(MonsterGreen), Hex(0xFFFFFF), 0.35),
                                 Mix(Hex(MonsterGreen), Hex(0x000000), 0.25));
  cairo_set_source(cr, body);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(body);
  SetColor(cr, Hex(0x0A1A10));
  cairo_set_line_width(cr, line);
  cairo_stroke(cr);
  // Eyes, pupils turned down and right, toward the origin.
  const double er = h * (face ? 0.17 : 0.2);
  for (int side = -1; side <= 1; side += 2) {
    const double ex = cx + side * w * 0.21, ey = cy - h * 0.12;
    cairo_arc(cr, ex, ey, er, 0, 2 * M_PI);
    SetColor(cr, Hex(0xFFFFFF));
    cairo_fill_preserve(cr);
    SetColor(cr, Hex(0x0A1A10));
    cairo_set_line_width(cr, line * 0.6);
    cairo_stroke(cr);
    cairo_arc(cr, ex + er * 0.38, ey + er * 0.32, er * 0.5, 0, 2 * M_PI);
    SetColor(cr, Hex(0x0A0A14));
    cairo_fill(cr);
  }
  if (!face) return;
  // A wide grin with two teeth.
  const double mx = cx, my = cy + h * 0.2, mw = w * 0.52;
  cairo_move_to(cr, mx - mw / 2, my - h * 0.03);
  cairo_curve_to(cr, mx - mw / 4, my + h * 0.2, mx + mw / 4, my + h * 0.2, mx + mw / 2, my - h * 0.03);
  cairo_close_path(cr);
  SetColor(cr, Hex(0x3A0A12));
  cairo_fill_preserve(cr);
  SetColor(cr, Hex(0x0A1A10));
  cairo_set_line_width(cr, line * 0.7);
  cairo_stroke(cr);
  for (int side = -1; side <= 1; side += 2) {
    const double tx = mx + side * mw * 0.2;
    cairo_move_to(cr, tx - h * 0.05, my + h * 0.01);
    cairo_line_to(cr, tx + h * 0.05, my + h * 0.01);
    cairo_line_to(cr, tx, my + h * 0.1);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xFFFFFF));
    cairo_fill(cr);
  }
}

}  // namespace

void DrawIcon(cairo_t* cr, int size) {
  const TIconGrid g{size / 256.0};
  const bool tiny = size < 32;   // axes, line and a point: nothing finer reads
  const bool small = size < 64;  // no fine grid, no mouth
  cairo_save(cr);
  cairo_scale(cr, g.U, g.U);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

  // The tile nearly fills small icons; large ones keep a margin like their neighbours.
  const double inset = tiny ? 0.5 / g.U : 12;
  Tile(cr, inset, 256 - 2 * inset, tiny ? 52 : 44);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  cairo_new_path(cr);
  cairo_pattern_t* shine = cairo_pattern_create_radial(70, 50, 0, 70, 50, 170);
  AddStop(shine, 0, Hex(0x5FA0FF, 0.28));
  AddStop(shine, 1, Hex(0x5FA0FF, 0));
  cairo_set_source(cr, shine);
  cairo_paint(cr);
  cairo_pattern_destroy(shine);
  if (!tiny) Paper(cr, g, !small);
  cairo_restore(cr);
  // The rim: a light edge and a darker inner line, as on the game's panels.
  SetColor(cr, Hex(0x8FE4FF, 0.9));
  cairo_set_line_width(cr, std::max(1.0 / g.U, 3.0));
  cairo_stroke(cr);

  // Axes through the middle, a little short of the rim, with arrowheads.
  const double o = tiny ? g.Snap(128) : 128;
  const double reach = tiny ? 92 : 96;
  const double axisWidth = std::max(tiny ? 1.0 / g.U : 1.5 / g.U, 5.0);
  cairo_move_to(cr, o - reach, o);
  cairo_line_to(cr, o + reach, o);
  cairo_move_to(cr, o, o + reach);
  cairo_line_to(cr, o, o - reach);
  if (tiny) {
    SetColor(cr, Hex(AxisBlue));
    cairo_set_line_width(cr, axisWidth);
    cairo_stroke(cr);
  } else {
    StrokeGlow(cr, Hex(AxisBlue, 0.95), axisWidth, 18);
    const double a = 14;
    cairo_move_to(cr, o + reach - a, o - a * 0.7);
    cairo_line_to(cr, o + reach + 2, o);
    cairo_line_to(cr, o + reach - a, o + a * 0.7);
    cairo_move_to(cr, o - a * 0.7, o - reach + a);
    cairo_line_to(cr, o, o - reach - 2);
    cairo_line_to(cr, o + a * 0.7, o - reach + a);
    SetColor(cr, Hex(AxisBlue));
    cairo_set_line_width(cr, axisWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
  }

  // A line through two plotted points, rising to the right.
  const double x0 = 84, y0 = 212, x1 = 204, y1 = 44;
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  const double lineWidth = std::max(2.0 / g.U, 9.0);
  if (tiny) {
    SetColor(cr, Hex(LineAmber));
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
  } else {
    StrokeGlow(cr, Hex(LineAmber), lineWidth, 26);
  }
  const double px = 180, py = 77.6;  // on the line, in the first quadrant
  Point(cr, px, py, tiny ? 1.7 / g.U : 12, !tiny);
  if (!tiny) Point(cr, 108, 178.4, 12, true);

  if (!tiny) Monster(cr, 70, small ? 72 : 76, small ? 62 : 58, !small);
  cairo_restore(cr);
}

bool GenerateIcons(const std::string& dir) {
  bool ok = true;
  for (int size : IconSizes) {
    TSurface s(size, size);
    DrawIcon(s.Cr(), size);
    cairo_surface_flush(s.Raw());
    const std::string path = dir + "icon-" + std::to_string(size) + ".png";
    if (cairo_surface_write_to_png(s.Raw(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
      ok = false;
    }
  }
  const std::string svgPath = dir + "icon.svg";
  cairo_surface_t* svg = cairo_svg_surface_create(svgPath.c_str(), 256, 256);
  cairo_t* cr = cairo_create(svg);
  DrawIcon(cr, 256);
  cairo_destroy(cr);
  cairo_surface_finish(svg);
  if (cairo_surface_status(svg) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "assetgen: cannot write %s\n", svgPath.c_str());
    ok = false;
  }
  cairo_surface_destroy(svg);
  return ok;
}
