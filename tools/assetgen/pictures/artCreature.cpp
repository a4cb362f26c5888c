#include "pictures/artCreature.h"

#include <algorithm>
#include <cmath>
#include <functional>

using namespace art;
using namespace creature;

namespace {

// Everything is drawn in the units of a 68 x 68 pattern.
constexpr double Units = 68;
constexpr double LineW = 2.3;  // outline, outside the fill
const TRGBA Ink = Grey(0.02, 0.97);
constexpr double BodyLight = 0.97, BodyMid = 0.78, BodyDark = 0.5;
constexpr double FeetGrey = 0.55, HornGrey = 0.93, InnerGrey = 0.5;

using TPath = std::function<void(cairo_t*)>;

// A part with its outline: the path is stroked twice as wide in ink, then filled
// over, so the ink shows only outside and parts drawn later tuck behind nothing.
void Part(cairo_t* cr, const TPath& path, const TRGBA& fill, double line = LineW) {
  cairo_new_path(cr);
  path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 2 * line);
  SetColor(cr, Ink);
  cairo_stroke_preserve(cr);
  SetColor(cr, fill);
  cairo_fill(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle = 0) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

// A rounded rectangle with a radius per corner: top left, top right, bottom right, bottom left.
void RoundedRect4(cairo_t* cr, double x, double y, double w, double h, double tl, double tr, double br, double bl) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - tr, y + tr, tr, -M_PI / 2, 0);
  cairo_arc(cr, x + w - br, y + h - br, br, 0, M_PI / 2);
  cairo_arc(cr, x + bl, y + h - bl, bl, M_PI / 2, M_PI);
  cairo_arc(cr, x + tl, y + tl, tl, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

// A triangle wound the same way as the rounded rectangles, so unions fill whole.
void Triangle(cairo_t* cr, double ax, double ay, double bx, double by, double cx, double cy) {
  const double area = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
  cairo_move_to(cr, ax, ay);
  if (area >= 0) {
    cairo_line_to(cr, bx, by);
    cairo_line_to(cr, cx, cy);
  } else {
    cairo_line_to(cr, cx, cy);
    cairo_line_to(cr, bx, by);
  }
  cairo_close_path(cr);
}

// A small white spike (claw, tooth) outlined in ink.
void WhiteSpike(cairo_t* cr, double ax, double ay, double bx, double by, double cx, double cy, double line) {
  cairo_new_path(cr);
  Triangle(cr, ax, ay, bx, by, cx, cy);
  SetColor(cr, Grey(1));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, line);
  SetColor(cr, Ink);
  cairo_stroke(cr);
}

struct TGeo {
  double X, Y, W, H;
  double Cx() const { return X + W / 2; }
  double Cy() const { return Y + H / 2; }
  double Bottom() const { return Y + H; }
  double Room() const { return std::max(4.0, Y - 2.5); }  // above the head, inside the pattern
};

TGeo Layout(const TCreature& c) {
  TGeo g;
  g.H = c.Height;
  g.W = std::min(57.0, c.Height * c.Aspect);
  double bottom = 61;
  if (c.Feet == Legs) bottom = 57;
  if (c.Feet == Hover || c.Shape == Ghost) bottom = 63;
  g.X = (Units - g.W) / 2;
  g.Y = bottom - g.H;
  return g;
}

// ---------------------------------------------------------------- body

void FluffyPath(cairo_t* cr, const TGeo& g) {
  const double r = 0.34 * std::min(g.W, g.H), inset = 2.4, bump = 3.3;
  RoundedRect(cr, g.X + inset, g.Y + inset, g.W - 2 * inset, g.H - 2 * inset, r);
  // Bumps along the outline: straight runs and corner arcs.
  const double x0 = g.X + inset, y0 = g.Y + inset, x1 = g.X + g.W - inset, y1 = g.Y + g.H - inset;
  const double ri = r;
  auto bumpAt = [&](double x, double y) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, bump, 0, 2 * M_PI);
  };
  const double step = 5.6;
  for (double x = x0 + ri; x <= x1 - ri + 0.1;
       x += (x1 - x0 - 2 * ri) / std::max(1.0, std::round((x1 - x0 - 2 * ri) / step))) {
    bumpAt(x, y0);
    bumpAt(x, y1);
    if (x1 - x0 - 2 * ri < 1) break;
  }
  for (double y = y0 + ri; y <= y1 - ri + 0.1;
       y += (y1 - y0 - 2 * ri) / std::max(1.0, std::round((y1 - y0 - 2 * ri) / step))) {
    bumpAt(x0, y);
    bumpAt(x1, y);
    if (y1 - y0 - 2 * ri < 1) break;
  }
  const double cxs[4] = {x1 - ri, x1 - ri, x0 + ri, x0 + ri}, cys[4] = {y0 + ri, y1 - ri, y1 - ri, y0 + ri};
  const double starts[4] = {-M_PI / 2, 0, M_PI / 2, M_PI};
  for (int k = 0; k < 4; ++k)
    for (int i = 1; i < 3; ++i) {
      const double a = starts[k] + i * (M_PI / 2) / 3;
      bumpAt(cxs[k] + ri * std::cos(a), cys[k] + ri * std::sin(a));
    }
}

void BodyPath(cairo_t* cr, const TCreature& c, const TGeo& g) {
  const double m = std::min(g.W, g.H);
  switch (c.Shape) {
    case Soft:
      RoundedRect(cr, g.X, g.Y, g.W, g.H, 0.44 * m);
      break;
    case Robot:
      RoundedRect(cr, g.X, g.Y, g.W, g.H, 0.11 * m);
      break;
    case Dome: {
      const double top = std::min(g.W / 2, g.H * 0.6);
      RoundedRect4(cr, g.X, g.Y, g.W, g.H, top, top, 0.14 * m, 0.14 * m);
      break;
    }
    case Ghost: {
      const int n = 3;
      const double rs = g.W / (2 * n), top = std::min(g.W / 2, g.H * 0.5);
      const double yb = g.Bottom() - rs;
      cairo_new_sub_path(cr);
      cairo_move_to(cr, g.X + g.W, g.Y + top);
      cairo_line_to(cr, g.X + g.W, yb);
      for (int i = 0; i < n; ++i) cairo_arc(cr, g.X + g.W - (2 * i + 1) * rs, yb, rs, 0, M_PI);
      cairo_line_to(cr, g.X, g.Y + top);
      cairo_arc(cr, g.X + top, g.Y + top, top, M_PI, 1.5 * M_PI);
      cairo_arc(cr, g.X + g.W - top, g.Y + top, top, 1.5 * M_PI, 2 * M_PI);
      cairo_close_path(cr);
      break;
    }
    case Pear: {
      const double X = g.X, Y = g.Y, W = g.W, H = g.H;
      cairo_new_sub_path(cr);
      cairo_move_to(cr, X + 0.27 * W, Y);
      cairo_line_to(cr, X + 0.73 * W, Y);
      cairo_curve_to(cr, X + 0.92 * W, Y, X + 0.9 * W, Y + 0.3 * H, X + W, Y + 0.7 * H);
      cairo_curve_to(cr, X + 1.03 * W, Y + 0.95 * H, X + 0.95 * W, Y + H, X + 0.8 * W, Y + H);
      cairo_line_to(cr, X + 0.2 * W, Y + H);
      cairo_curve_to(cr, X + 0.05 * W, Y + H, X - 0.03 * W, Y + 0.95 * H, X, Y + 0.7 * H);
      cairo_curve_to(cr, X + 0.1 * W, Y + 0.3 * H, X + 0.08 * W, Y, X + 0.27 * W, Y);
      cairo_close_path(cr);
      break;
    }
    case Fluffy:
      FluffyPath(cr, g);
      break;
    case Spiky: {
      RoundedRect(cr, g.X, g.Y, g.W, g.H, 0.22 * m);
      const int n = 4;
      const double base = g.W * 0.7 / n, left = g.X + g.W * 0.15, tall = std::min(8.0, g.Room() * 0.7);
      for (int i = 0; i < n; ++i) {
        const double bx = left + i * base;
        Triangle(cr, bx, g.Y + 3, bx + base * 0.55, g.Y - tall * (i % 2 ? 0.8 : 1.0), bx + base, g.Y + 3);
      }
      for (int side = -1; side <= 1; side += 2) {
        const double ex = side < 0 ? g.X + 2 : g.X + g.W - 2;
        for (int i = 0; i < 2; ++i) {
          const double y = g.Y + g.H * (0.3 + 0.22 * i);
          Triangle(cr, ex, y, ex + side * 5, y + 2.5, ex, y + 6);
        }
      }
      break;
    }
    default:
      RoundedRect(cr, g.X, g.Y, g.W, g.H, 0.24 * m);
      break;
  }
}

void Body(cairo_t* cr, const TCreature& c, const TGeo& g) {
  cairo_new_path(cr);
  BodyPath(cr, c, g);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 2 * LineW);
  SetColor(cr, Ink);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* shade =
      cairo_pattern_create_radial(g.X + 0.32 * g.W, g.Y + 0.22 * g.H, 2, g.Cx(), g.Cy(), 0.78 * std::max(g.W, g.H));
  AddStop(shade, 0, Grey(BodyLight));
  AddStop(shade, 0.55, Grey(BodyMid));
  AddStop(shade, 1, Grey(BodyDark));
  cairo_set_source(cr, shade);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
}

// ---------------------------------------------------------------- feet, arms, head

void DrawFeet(cairo_t* cr, const TCreature& c, const TGeo& g) {
  const double b = g.Bottom();
  switch (c.Feet) {
    case Hover:
      return;
    case ThreeStubs:
      for (int i = -1; i <= 1; ++i) {
        const double fw = std::max(8.0, 0.2 * g.W);
        Part(
            cr, [&](cairo_t* k) { RoundedRect(k, g.Cx() + i * 0.3 * g.W - fw / 2, b - 4, fw, 8.5, 3.5); },
            Grey(FeetGrey));
      }
      return;
    case BigFeet:
      for (int side = -1; side <= 1; side += 2)
        Part(
            cr, [&](cairo_t* k) { Ellipse(k, g.Cx() + side * 0.24 * g.W, b + 0.5, std::max(6.5, 0.17 * g.W), 4.2); },
            Grey(FeetGrey));
      return;
    case Legs:
      for (int side = -1; side <= 1; side += 2) {
        const double lx = g.Cx() + side * 0.2 * g.W;
        Part(
            cr, [&](cairo_t* k) { RoundedRect(k, lx - 2.6, b - 3, 5.2, 8, 2); }, Grey(FeetGrey));
        Part(
            cr, [&](cairo_t* k) { Ellipse(k, lx + side * 1.5, b + 5.5, 5.2, 2.8); }, Grey(FeetGrey));
      }
      return;
    default:
      for (int side = -1; side <= 1; side += 2) {
        const double fw = std::max(10.0, 0.26 * g.W), fx = g.Cx() + side * 0.22 * g.W - fw / 2;
        Part(
            cr, [&](cairo_t* k) { RoundedRect(k, fx, b - 4, fw, 8.5, 3.8); }, Grey(FeetGrey));
        if (c.Feet == Claws)
          for (int i = 0; i < 3; ++i) {
            const double tx = fx + fw * (0.2 + 0.3 * i);
            WhiteSpike(cr, tx - 1.6, b + 2.5, tx, b + 5.6, tx + 1.6, b + 2.5, 0.8);
          }
      }
  }
}

// An arm from the shoulder (sx, sy) to the hand (hx, hy), kept inside the pattern.
void Arm(cairo_t* cr, double sx, double sy, double hx, double hy, bool claws) {
  const double reach = claws ? 8 : 5.5;  // claws stick out past the hand
  hx = std::clamp(hx, reach, Units - reach);
  hy = std::clamp(hy, 5.5, Units - 5.5);
  auto limb = [&](cairo_t* k) {
    cairo_move_to(k, sx, sy);
    cairo_line_to(k, hx, hy);
  };
  cairo_new_path(cr);
  limb(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 5.6 + 2 * LineW);
  SetColor(cr, Ink);
  cairo_stroke(cr);
  limb(cr);
  cairo_set_line_width(cr, 5.6);
  SetColor(cr, Grey(BodyMid * 0.9));
  cairo_stroke(cr);
  if (claws) {
    const double dx = hx - sx, dy = hy - sy, len = std::hypot(dx, dy);
    const double ux = dx / len, uy = dy / len;
    for (int i = -1; i <= 1; ++i) {
      const double px = hx + ux * 2.6 - uy * i * 2.2, py = hy + uy * 2.6 + ux * i * 2.2;
      WhiteSpike(cr, px - uy * 1.2, py + ux * 1.2, px + ux * 3, py + uy * 3, px + uy * 1.2, py - ux * 1.2, 0.8);
    }
  }
}

void ArmsBehind(cairo_t* cr, const TCreature& c, const TGeo& g) {
  const double l = g.X + 2, r = g.X + g.W - 2, mid = g.Y + 0.55 * g.H;
  switch (c.Arms) {
    case Down:
      Arm(cr, l, mid, l - 5, mid + 9, false);
      Arm(cr, r, mid, r + 5, mid + 9, false);
      break;
    case Raised:
      Arm(cr, l, mid - 2, l - 5, g.Y + 2, false);
      Arm(cr, r, mid - 2, r + 5, g.Y + 2, false);
      break;
    case Waving:
      Arm(cr, l, mid - 2, l - 6, g.Y + 1, false);
      Arm(cr, r, mid, r + 5, mid + 9, false);
      break;
    case ClawsOut:
      Arm(cr, l, mid, l - 7, mid - 2, true);
      Arm(cr, r, mid, r + 7, mid - 2, true);
      break;
    default:
      break;
  }
}

void ArmsInFront(cairo_t* cr, const TCreature& c, const TGeo& g) {
  if (c.Arms != TinyArms) return;
  const double y = g.Y + 0.8 * g.H;
  for (int side = -1; side <= 1; side += 2) {
    const double sx = g.Cx() + side * 0.3 * g.W;
    Part(
        cr, [&](cairo_t* k) { Ellipse(k, sx, y, 4.2, 2.6, side * -0.5); }, Grey(BodyMid * 0.9), 1.2);
  }
}

void HeadBehind(cairo_t* cr, const TCreature& c, const TGeo& g) {
  const double room = g.Room(), cx = g.Cx(), top = g.Y;
  switch (c.Head) {
    case Horns:
      for (int side = -1; side <= 1; side += 2) {
        const double hx = cx + side * 0.28 * g.W;
        Part(
            cr,
            [&](cairo_t* k) { Triangle(k, hx - 4.6, top + 5, hx + side * 3.5, top - room * 0.9, hx + 4.6, top + 5); },
            Grey(HornGrey));
      }
      break;
    case Curled:
      // Bull horns: out from the temples, then up to a point.
      for (int side = -1; side <= 1; side += 2)
        Part(
            cr,
            [&](cairo_t* k) {
              const double bx = cx + side * 0.3 * g.W;
              cairo_move_to(k, bx - side * 3, top + 5);
              cairo_curve_to(k, bx + side * 3, top - 1, bx + side * 7, top - room * 0.35, bx + side * 9,
                             top - room * 0.95);
              cairo_curve_to(k, bx + side * 11, top - room * 0.3, bx + side * 9, top + 3, bx + side * 5, top + 7);
              cairo_close_path(k);
            },
            Grey(HornGrey));
      break;
    case Antennae:
    case Antenna: {
      const int n = c.Head == Antennae ? 2 : 1;
      for (int i = 0; i < n; ++i) {
        const double side = n == 1 ? 0 : (i == 0 ? -1 : 1);
        const double ax = cx + side * 0.18 * g.W, tx = cx + side * 0.32 * g.W + (n == 1 ? 3 : 0);
        const double ty = top - room * 0.72;
        cairo_new_path(cr);
        cairo_move_to(cr, ax, top + 3);
        cairo_curve_to(cr, ax, top - room * 0.3, tx - side * 2 - (n == 1 ? 4 : 0), top - room * 0.4, tx, ty);
        cairo_set_line_width(cr, 2);
        SetColor(cr, Ink);
        cairo_stroke(cr);
        Part(
            cr, [&](cairo_t* k) { Ellipse(k, tx, ty, 3.6, 3.6); }, Grey(HornGrey), 1.4);
      }
      break;
    }
    case Tuft:
      Part(
          cr,
          [&](cairo_t* k) {
            for (int i = -1; i <= 1; ++i)
              Triangle(k, cx + i * 5 - 3.5, top + 4, cx + i * 6.5, top - room * (i == 0 ? 0.85 : 0.65),
                       cx + i * 5 + 3.5, top + 4);
          },
          Grey(BodyMid * 0.85));
      break;
    case CatEars:
    case RoundEars:
      for (int side = -1; side <= 1; side += 2) {
        const double ex = cx + side * 0.32 * g.W;
        if (c.Head == CatEars) {
          Part(
              cr, [&](cairo_t* k) { Triangle(k, ex - 6, top + 6, ex + side * 2, top - room * 0.8, ex + 6, top + 6); },
              Grey(BodyMid));
          cairo_new_path(cr);
          Triangle(cr, ex - 3, top + 4, ex + side * 1.5, top - room * 0.45, ex + 3, top + 4);
          SetColor(cr, Grey(InnerGrey));
          cairo_fill(cr);
        } else {
          const double r = std::min(6.5, room * 0.55 + 2);
          Part(
              cr, [&](cairo_t* k) { Ellipse(k, ex, top + 1, r, r); }, Grey(BodyMid));
          cairo_new_path(cr);
          Ellipse(cr, ex, top, r * 0.55, r * 0.55);
          SetColor(cr, Grey(InnerGrey));
          cairo_fill(cr);
        }
      }
      break;
    case Unicorn:
      Part(
          cr, [&](cairo_t* k) { Triangle(k, cx - 4.8, top + 4, cx + 1.5, top - room * 0.95, cx + 4.8, top + 4); },
          Grey(HornGrey));
      cairo_set_line_width(cr, 1.1);
      SetColor(cr, Grey(0.35));
      for (int i = 1; i <= 3; ++i) {
        const double t = i / 4.0, y = top + 4 - t * (room * 0.95 + 4), half = 4.8 * (1 - t);
        cairo_move_to(cr, cx - half + t * 1.5, y + 1);
        cairo_line_to(cr, cx + half + t * 1.5, y - 1.2);
      }
      cairo_stroke(cr);
      break;
    case Crown:
      Part(
          cr,
          [&](cairo_t* k) {
            for (int i = 0; i < 5; ++i) {
              const double bx = g.X + g.W * (0.14 + 0.145 * i);
              Triangle(k, bx, top + 4, bx + g.W * 0.0725, top - room * 0.55, bx + g.W * 0.145, top + 4);
            }
          },
          Grey(HornGrey));
      for (int i = 0; i < 5; ++i)
        Part(
            cr, [&](cairo_t* k) { Ellipse(k, g.X + g.W * (0.2125 + 0.145 * i), top - room * 0.55, 1.7, 1.7); }, Grey(1),
            0.9);
      break;
    case Sprout: {
      cairo_new_path(cr);
      cairo_move_to(cr, cx, top + 2);
      cairo_curve_to(cr, cx, top - room * 0.3, cx + 2, top - room * 0.45, cx + 1, top - room * 0.6);
      cairo_set_line_width(cr, 2);
      SetColor(cr, Ink);
      cairo_stroke(cr);
      for (int side = -1; side <= 1; side += 2)
        Part(
            cr, [&](cairo_t* k) { Ellipse(k, cx + 1 + side * 5, top - room * 0.62, 5, 2.6, side * -0.45); },
            Grey(BodyLight), 1.3);
      break;
    }
    case Bunny:
      for (int side = -1; side <= 1; side += 2) {
        const double ex = cx + side * 0.2 * g.W, ry = room * 0.5 + 3;
        Part(
            cr, [&](cairo_t* k) { Ellipse(k, ex, top + 3 - ry * 0.75, 4.6, ry, side * 0.22); }, Grey(BodyMid));
        cairo_new_path(cr);
        Ellipse(cr, ex, top + 3 - ry * 0.75, 2.2, ry * 0.7, side * 0.22);
        SetColor(cr, Grey(InnerGrey));
        cairo_fill(cr);
      }
      break;
    case Mohawk:
      Part(
          cr,
          [&](cairo_t* k) {
            const double hs[4] = {0.55, 0.9, 0.8, 0.5};
            for (int i = 0; i < 4; ++i) {
              const double bx = cx - 11 + i * 5.5;
              Triangle(k, bx, top + 4, bx + 6, top - room * hs[i], bx + 6.5, top + 4);
            }
          },
          Grey(BodyMid * 0.7));
      break;
    case Bolts:
      for (int side = -1; side <= 1; side += 2) {
        const double ex = side < 0 ? g.X - 4.5 : g.X + g.W - 1.5, y = g.Y + 0.62 * g.H;
        Part(
            cr, [&](cairo_t* k) { RoundedRect(k, ex, y - 2.2, 6, 4.4, 1); }, Grey(0.85), 1.3);
        Part(
            cr, [&](cairo_t* k) { RoundedRect(k, side < 0 ? ex - 1.5 : ex + 4.5, y - 3.6, 3, 7.2, 1); }, Grey(0.85),
            1.3);
      }
      break;
    case Propeller: {
      const double capR = std::min(0.24 * g.W, room + 3);
      cairo_new_path(cr);
      cairo_move_to(cr, cx, top + 1 - capR * 0.6);
      cairo_line_to(cr, cx, top - room * 0.8);
      cairo_set_line_width(cr, 1.8);
      SetColor(cr, Ink);
      cairo_stroke(cr);
      for (int side = -1; side <= 1; side += 2)
        Part(
            cr, [&](cairo_t* k) { Ellipse(k, cx + side * 5, top - room * 0.8, 5, 1.7, side * 0.15); },
            Grey(side < 0 ? 0.95 : 0.6), 1.1);
      break;
    }
    default:
      break;
  }
}

// Pieces that sit on the head, in front of the body's outline.
void HeadInFront(cairo_t* cr, const TCreature& c, const TGeo& g) {
  if (c.Head != Propeller) return;
  const double capR = std::min(0.24 * g.W, g.Room() + 3), cx = g.Cx(), top = g.Y + 2;
  auto cap = [&](cairo_t* k) {
    cairo_new_sub_path(k);
    cairo_arc(k, cx, top, capR, M_PI, 2 * M_PI);
    cairo_close_path(k);
  };
  Part(cr, cap, Grey(0.62), 1.6);
  cairo_save(cr);
  cap(cr);
  cairo_clip(cr);
  SetColor(cr, Grey(0.95));
  for (int i = -1; i <= 1; i += 2) {
    cairo_rectangle(cr, cx + i * capR * 0.45 - 2, top - capR, 4, capR);
  }
  cairo_fill(cr);
  cairo_restore(cr);
}

// ---------------------------------------------------------------- markings

void DrawMarks(cairo_t* cr, const TCreature& c, const TGeo& g, double eyeY) {
  cairo_save(cr);
  cairo_new_path(cr);
  BodyPath(cr, c, g);
  cairo_clip(cr);
  cairo_new_path(cr);
  const double X = g.X, Y = g.Y, W = g.W, H = g.H;
  switch (c.Marks) {
    case Belly:
    case Symbol:
      Ellipse(cr, g.Cx(), Y + 0.8 * H, 0.3 * W, 0.24 * H);
      SetColor(cr, Grey(1, 0.8));
      cairo_fill(cr);
      if (c.Marks == Symbol) {
        TLettering t;
        t.Size = 0.27 * H;
        t.Top = t.Bottom = Grey(0.3);
        cairo_restore(cr);
        cairo_save(cr);
        SelectFace(cr, t.Face, t.Size);
        cairo_text_extents_t e;
        cairo_text_extents(cr, c.Symbol, &e);
        cairo_move_to(cr, g.Cx() - e.x_bearing - e.width / 2, Y + 0.84 * H - e.y_bearing - e.height / 2);
        SetColor(cr, Grey(0.28));
        cairo_show_text(cr, c.Symbol);
      }
      break;
    case Spots: {
      const double px[5] = {0.12, 0.86, 0.8, 0.16, 0.5}, py[5] = {0.18, 0.2, 0.86, 0.82, 0.98};
      const double pr[5] = {0.09, 0.07, 0.1, 0.075, 0.08};
      for (int i = 0; i < 5; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, X + px[i] * W, Y + py[i] * H, pr[i] * W, 0, 2 * M_PI);
      }
      SetColor(cr, Grey(0.45, 0.75));
      cairo_fill(cr);
      break;
    }
    case Stripes:
      for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
          const double y = Y + H * (0.2 + 0.27 * i), ex = side < 0 ? X - 1 : X + W + 1;
          Triangle(cr, ex, y - 2.8, ex - side * 0.22 * W, y + 0.6, ex, y + 2.8);
        }
      SetColor(cr, Grey(0.3, 0.8));
      cairo_fill(cr);
      break;
    case Blush:
      for (int side = -1; side <= 1; side += 2)
        Ellipse(cr, g.Cx() + side * 0.3 * W, eyeY + 0.2 * H, 0.09 * W, 0.05 * H);
      SetColor(cr, Grey(0.4, 0.5));
      cairo_fill(cr);
      break;
    case Freckles:
      for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
          cairo_new_sub_path(cr);
          cairo_arc(cr, g.Cx() + side * (0.26 + 0.06 * i) * W, eyeY + 0.2 * H + (i == 1 ? -1.6 : 0), 1, 0, 2 * M_PI);
        }
      SetColor(cr, Grey(0.3, 0.85));
      cairo_fill(cr);
      break;
    case Stitches: {
      const double y = Y + 0.14 * H;
      cairo_move_to(cr, X + 0.18 * W, y + 1);
      cairo_line_to(cr, X + 0.82 * W, y - 1);
      for (int i = 0; i < 6; ++i) {
        const double x = X + (0.24 + 0.105 * i) * W, yy = y + 1 - 2 * (x - X - 0.18 * W) / (0.64 * W);
        cairo_move_to(cr, x - 0.6, yy - 2.4);
        cairo_line_to(cr, x + 0.6, yy + 2.4);
      }
      cairo_set_line_width(cr, 1.2);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColor(cr, Grey(0.15, 0.9));
      cairo_stroke(cr);
      break;
    }
    case Mask:
      RoundedRect(cr, X - 2, eyeY - 0.15 * H, W + 4, 0.3 * H, 0.12 * H);
      SetColor(cr, Grey(0.32, 0.9));
      cairo_fill(cr);
      break;
    case Rivets:
      for (int i = 0; i < 4; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, X + (i % 2 ? W - 4.5 : 4.5), Y + (i / 2 ? H - 4.5 : 4.5), 1.4, 0, 2 * M_PI);
      }
      SetColor(cr, Grey(0.3));
      cairo_fill(cr);
      for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, g.Cx() - 0.16 * W, Y + 0.86 * H + i * 2.6 - 2.6);
        cairo_line_to(cr, g.Cx() + 0.16 * W, Y + 0.86 * H + i * 2.6 - 2.6);
      }
      cairo_set_line_width(cr, 1.2);
      SetColor(cr, Grey(0.35));
      cairo_stroke(cr);
      break;
    default:
      break;
  }
  cairo_restore(cr);
  // A gloss on the upper left.
  cairo_save(cr);
  cairo_new_path(cr);
  BodyPath(cr, c, g);
  cairo_clip(cr);
  cairo_new_path(cr);
  Ellipse(cr, X + 0.3 * W, Y + 0.12 * H, 0.2 * W, 0.055 * H, -0.15);
  SetColor(cr, Grey(1, 0.4));
  cairo_fill(cr);
  cairo_restore(cr);
}

// ---------------------------------------------------------------- face

void Brow(cairo_t* cr, double ex, double ey, double r, int side, int mood) {
  // side: -1 the left eye, +1 the right; the inner end is toward the middle.
  double inner = 0, outer = 0;
  if (mood == Angry) {
    inner = 0.25;
    outer = -0.35;
  } else if (mood == Worried) {
    inner = -0.4;
    outer = 0.05;
  } else if (mood == Surprised) {
    inner = outer = -0.5;
  } else {
    return;
  }
  cairo_new_path(cr);
  cairo_move_to(cr, ex + side * r * 1.05, ey - r * (1.3 - outer));
  cairo_line_to(cr, ex - side * r * 1.05, ey - r * (1.3 - inner));
  cairo_set_line_width(cr, std::max(2.2, r * 0.42));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, Ink);
  cairo_stroke(cr);
}

void Eye(cairo_t* cr, double ex, double ey, double r, int side, const TCreature& c, bool square = false) {
  if (c.Mood == Happy) {
    cairo_new_path(cr);
    cairo_arc(cr, ex, ey + r * 0.35, r * 0.75, M_PI * 1.1, M_PI * 1.9);
    cairo_set_line_width(cr, std::max(2.2, r * 0.42));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, Ink);
    cairo_stroke(cr);
    return;
  }
  auto shape = [&](cairo_t* k) {
    if (square)
      RoundedRect(k, ex - r, ey - r, 2 * r, 2 * r, r * 0.3);
    else
      Ellipse(k, ex, ey, r, r * 1.06);
  };
  Part(cr, shape, Grey(1), std::max(1.2, r * 0.16));
  const double pr = r * (c.Mood == Surprised ? 0.3 : 0.52);
  const double px = ex + c.LookX * (r - pr) * 0.75, py = ey + c.LookY * (r - pr) * 0.75;
  cairo_new_path(cr);
  if (square)
    RoundedRect(cr, px - pr, py - pr, 2 * pr, 2 * pr, pr * 0.25);
  else
    cairo_arc(cr, px, py, pr, 0, 2 * M_PI);
  SetColor(cr, Grey(0.03));
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_arc(cr, px - pr * 0.35, py - pr * 0.4, std::max(0.8, pr * 0.32), 0, 2 * M_PI);
  SetColor(cr, Grey(1));
  cairo_fill(cr);
  if (c.Mood == Sleepy || c.Mood == Angry) {
    // A lid over the top: flat when sleepy, slanted toward the middle when angry.
    cairo_save(cr);
    shape(cr);
    cairo_clip(cr);
    cairo_new_path(cr);
    if (c.Mood == Sleepy) {
      cairo_rectangle(cr, ex - r - 1, ey - r - 1, 2 * r + 2, r * 0.95);
    } else {
      cairo_move_to(cr, ex + side * (r + 1), ey - r - 1);
      cairo_line_to(cr, ex - side * (r + 1), ey - r - 1);
      cairo_line_to(cr, ex - side * (r + 1), ey - r * 0.05);
      cairo_line_to(cr, ex + side * (r + 1), ey - r * 0.75);
      cairo_close_path(cr);
    }
    SetColor(cr, Grey(BodyMid * 0.9));
    cairo_fill_preserve(cr);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_new_path(cr);
    if (c.Mood == Sleepy) {
      cairo_move_to(cr, ex - r, ey - r + r * 0.95);
      cairo_line_to(cr, ex + r, ey - r + r * 0.95);
    } else {
      cairo_move_to(cr, ex + side * r, ey - r * 0.72);
      cairo_line_to(cr, ex - side * r, ey - r * 0.08);
    }
    cairo_set_line_width(cr, std::max(1.6, r * 0.25));
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, Ink);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  // Eyes on stalks sit at the top of the pattern: no room for brows.
  if (c.Eyes != Stalks) Brow(cr, ex, ey, r, side, c.Mood);
}

double EyeLine(const TCreature& c, const TGeo& g) {
  if (c.Eyes == Stalks) return g.Y - g.Room() * 0.6;
  if (c.Shape == Dome) return g.Y + 0.42 * g.H;
  return g.Y + 0.37 * g.H;
}

void DrawEyes(cairo_t* cr, const TCreature& c, const TGeo& g) {
  const double ey = EyeLine(c, g), cx = g.Cx();
  const double r = std::min(0.15 * g.H, 0.19 * g.W);
  switch (c.Eyes) {
    case TwoBig: {
      const double rb = std::min(0.2 * g.H, 0.23 * g.W);
      Eye(cr, cx - rb * 1.02, ey, rb, -1, c);
      Eye(cr, cx + rb * 1.02, ey, rb, 1, c);
      break;
    }
    case One:
      Eye(cr, cx, ey, std::min(0.25 * g.H, 0.3 * g.W), -1, c);
      break;
    case Three: {
      const double rs = r * 0.85;
      Eye(cr, cx - 0.25 * g.W, ey + 1, rs, -1, c);
      Eye(cr, cx + 0.25 * g.W, ey + 1, rs, 1, c);
      Eye(cr, cx, ey - 0.16 * g.H, rs * 0.9, -1, c);
      break;
    }
    case Wonky:
      Eye(cr, cx - 0.2 * g.W, ey, r * 1.25, -1, c);
      Eye(cr, cx + 0.24 * g.W, ey + 1.5, r * 0.8, 1, c);
      break;
    case Glasses: {
      const double rg = r * 0.9;
      Eye(cr, cx - 0.22 * g.W, ey, rg, -1, c);
      Eye(cr, cx + 0.22 * g.W, ey, rg, 1, c);
      cairo_new_path(cr);
      for (int side = -1; side <= 1; side += 2) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + side * 0.22 * g.W, ey, rg * 1.38, 0, 2 * M_PI);
      }
      cairo_move_to(cr, cx - 0.22 * g.W + rg * 1.38, ey - 1);
      cairo_line_to(cr, cx + 0.22 * g.W - rg * 1.38, ey - 1);
      cairo_move_to(cr, cx - 0.22 * g.W - rg * 1.38, ey - 1);
      cairo_line_to(cr, g.X + 0.5, ey - 2.5);
      cairo_move_to(cr, cx + 0.22 * g.W + rg * 1.38, ey - 1);
      cairo_line_to(cr, g.X + g.W - 0.5, ey - 2.5);
      cairo_set_line_width(cr, 1.8);
      SetColor(cr, Ink);
      cairo_stroke(cr);
      break;
    }
    case Square:
      Eye(cr, cx - 0.22 * g.W, ey, r * 0.95, -1, c, true);
      Eye(cr, cx + 0.22 * g.W, ey, r * 0.95, 1, c, true);
      break;
    case Stalks:
      for (int side = -1; side <= 1; side += 2) {
        const double sx = cx + side * 0.2 * g.W, tx = cx + side * 0.3 * g.W;
        cairo_new_path(cr);
        cairo_move_to(cr, sx, g.Y + 4);
        cairo_curve_to(cr, sx, ey + 6, tx, ey + 6, tx, ey);
        cairo_set_line_width(cr, 3.2 + 2 * 1.2);
        SetColor(cr, Ink);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 3.2);
        SetColor(cr, Grey(BodyMid));
        cairo_stroke(cr);
        Eye(cr, tx, ey, std::min(r, g.Room() * 0.45), side, c);
      }
      break;
    default:
      Eye(cr, cx - 0.22 * g.W, ey, r, -1, c);
      Eye(cr, cx + 0.22 * g.W, ey, r, 1, c);
  }
}

void Tooth(cairo_t* cr, double x, double y, double w, double h) {
  WhiteSpike(cr, x - w / 2, y, x, y + h, x + w / 2, y, 0.7);
}

void MouthShape(cairo_t* cr, const TCreature& c, const TGeo& g) {
  const double cx = g.Cx();
  const double my = c.Eyes == Stalks ? g.Y + 0.5 * g.H : (c.Shape == Dome ? g.Y + 0.74 * g.H : g.Y + 0.7 * g.H);
  const double mw = std::min(22.0, 0.46 * g.W), s = g.H;
  const TRGBA inside = Grey(0.07);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  auto grinPath = [&](cairo_t* k, double w, double depth) {
    cairo_move_to(k, cx - w / 2, my - s * 0.04);
    cairo_curve_to(k, cx - w / 4, my + depth, cx + w / 4, my + depth, cx + w / 2, my - s * 0.04);
    cairo_close_path(k);
  };
  switch (c.Mouth) {
    case Oh:
      Part(
          cr, [&](cairo_t* k) { Ellipse(k, cx, my + 1, s * 0.09, s * 0.12); }, inside, 1.2);
      cairo_new_path(cr);
      Ellipse(cr, cx, my + s * 0.08, s * 0.06, s * 0.035);
      SetColor(cr, Grey(0.6));
      cairo_fill(cr);
      break;
    case Zigzag:
      cairo_new_path(cr);
      cairo_move_to(cr, cx - mw / 2, my);
      for (int i = 1; i <= 6; ++i) cairo_line_to(cr, cx - mw / 2 + mw * i / 6, my + (i % 2 ? -s * 0.06 : 0));
      cairo_set_line_width(cr, 2.2);
      SetColor(cr, Ink);
      cairo_stroke(cr);
      break;
    case Toothy: {
      const double w = mw * 1.15;
      Part(
          cr, [&](cairo_t* k) { grinPath(k, w, s * 0.2); }, inside, 1.3);
      cairo_save(cr);
      cairo_new_path(cr);
      grinPath(cr, w, s * 0.2);
      cairo_clip(cr);
      for (int i = 0; i < 5; ++i) Tooth(cr, cx - w * 0.4 + i * w * 0.2, my - s * 0.06, w * 0.17, s * 0.1);
      cairo_restore(cr);
      break;
    }
    case Tongue:
      Part(
          cr, [&](cairo_t* k) { grinPath(k, mw, s * 0.14); }, inside, 1.3);
      Part(
          cr,
          [&](cairo_t* k) {
            cairo_move_to(k, cx - s * 0.02, my + s * 0.03);
            cairo_line_to(k, cx + s * 0.14, my + s * 0.03);
            cairo_curve_to(k, cx + s * 0.15, my + s * 0.2, cx - s * 0.01, my + s * 0.2, cx - s * 0.02, my + s * 0.03);
            cairo_close_path(k);
          },
          Grey(0.62), 1.1);
      cairo_new_path(cr);
      cairo_move_to(cr, cx + s * 0.06, my + s * 0.05);
      cairo_line_to(cr, cx + s * 0.065, my + s * 0.12);
      cairo_set_line_width(cr, 0.9);
      SetColor(cr, Grey(0.25));
      cairo_stroke(cr);
      break;
    case Buck:
      cairo_new_path(cr);
      cairo_move_to(cr, cx - mw * 0.4, my - s * 0.02);
      cairo_curve_to(cr, cx - mw * 0.15, my + s * 0.06, cx + mw * 0.15, my + s * 0.06, cx + mw * 0.4, my - s * 0.02);
      cairo_set_line_width(cr, 2);
      SetColor(cr, Ink);
      cairo_stroke(cr);
      for (int side = -1; side <= 1; side += 2)
        Part(
            cr,
            [&](cairo_t* k) {
              RoundedRect(k, cx + (side < 0 ? -s * 0.085 : s * 0.005), my + s * 0.035, s * 0.08, s * 0.1, 1);
            },
            Grey(1), 0.9);
      break;
    case Smirk:
      cairo_new_path(cr);
      cairo_move_to(cr, cx - mw * 0.4, my + s * 0.02);
      cairo_curve_to(cr, cx - mw * 0.1, my + s * 0.08, cx + mw * 0.25, my + s * 0.06, cx + mw * 0.45, my - s * 0.07);
      cairo_set_line_width(cr, 2.2);
      SetColor(cr, Ink);
      cairo_stroke(cr);
      Tooth(cr, cx + mw * 0.12, my + s * 0.045, s * 0.07, s * 0.07);
      break;
    case Roar: {
      auto open = [&](cairo_t* k) { RoundedRect(k, cx - mw * 0.55, my - s * 0.09, mw * 1.1, s * 0.24, s * 0.09); };
      Part(cr, open, inside, 1.4);
      cairo_save(cr);
      cairo_new_path(cr);
      open(cr);
      cairo_clip(cr);
      cairo_new_path(cr);
      Ellipse(cr, cx, my + s * 0.15, mw * 0.3, s * 0.07);
      SetColor(cr, Grey(0.6));
      cairo_fill(cr);
      for (int i = 0; i < 4; ++i) Tooth(cr, cx - mw * 0.4 + i * mw * 0.27, my - s * 0.1, mw * 0.2, s * 0.09);
      for (int i = 0; i < 3; ++i) {
        const double tx = cx - mw * 0.27 + i * mw * 0.27;
        WhiteSpike(cr, tx - mw * 0.09, my + s * 0.16, tx + mw * 0.09, my + s * 0.16, tx, my + s * 0.08, 0.7);
      }
      cairo_restore(cr);
      break;
    }
    case Tiny:
      cairo_new_path(cr);
      cairo_arc(cr, cx, my - s * 0.05, s * 0.08, M_PI * 0.2, M_PI * 0.8);
      cairo_set_line_width(cr, 2.1);
      SetColor(cr, Ink);
      cairo_stroke(cr);
      break;
    case Clenched: {
      auto teeth = [&](cairo_t* k) { RoundedRect(k, cx - mw * 0.5, my - s * 0.06, mw, s * 0.15, s * 0.05); };
      Part(cr, teeth, Grey(1), 1.3);
      cairo_new_path(cr);
      cairo_move_to(cr, cx - mw * 0.5, my + s * 0.015);
      cairo_line_to(cr, cx + mw * 0.5, my + s * 0.015);
      for (int i = 1; i < 5; ++i) {
        cairo_move_to(cr, cx - mw * 0.5 + mw * i / 5, my - s * 0.06);
        cairo_line_to(cr, cx - mw * 0.5 + mw * i / 5, my + s * 0.09);
      }
      cairo_set_line_width(cr, 1);
      SetColor(cr, Ink);
      cairo_stroke(cr);
      break;
    }
    case Catlike:
      cairo_new_path(cr);
      cairo_move_to(cr, cx - s * 0.14, my - s * 0.03);
      cairo_curve_to(cr, cx - s * 0.12, my + s * 0.05, cx - s * 0.02, my + s * 0.05, cx, my - s * 0.01);
      cairo_curve_to(cr, cx + s * 0.02, my + s * 0.05, cx + s * 0.12, my + s * 0.05, cx + s * 0.14, my - s * 0.03);
      cairo_set_line_width(cr, 2.1);
      SetColor(cr, Ink);
      cairo_stroke(cr);
      cairo_new_path(cr);
      Triangle(cr, cx - s * 0.035, my - s * 0.07, cx + s * 0.035, my - s * 0.07, cx, my - s * 0.025);
      SetColor(cr, Ink);
      cairo_fill(cr);
      break;
    default: {  // a grin with two teeth, or two fangs at the corners
      Part(
          cr, [&](cairo_t* k) { grinPath(k, mw, s * 0.14); }, inside, 1.3);
      const bool fangs = c.Mouth == Fangs;
      for (int side = -1; side <= 1; side += 2)
        Tooth(cr, cx + side * mw * (fangs ? 0.3 : 0.13), my - s * 0.035, s * 0.075, s * (fangs ? 0.12 : 0.07));
    }
  }
}

// A soft shadow on the ground under the feet.
void GroundShadow(cairo_t* cr, const TGeo& g) {
  cairo_new_path(cr);
  Ellipse(cr, g.Cx(), std::min(Units - 4.5, g.Bottom() + 4.5), g.W * 0.5, 2.6);
  cairo_pattern_t* p = cairo_pattern_create_radial(g.Cx(), g.Bottom() + 4.5, 0, g.Cx(), g.Bottom() + 4.5, g.W * 0.5);
  AddStop(p, 0, Grey(0, 0.35));
  AddStop(p, 1, Grey(0, 0));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

}  // namespace

const std::vector<TCreature>& CreatureRecipes() {
  // Shape, aspect, height, eyes, mood, mouth, head, feet, arms, marks, symbol, look x, look y.
  static const std::vector<TCreature> recipes = {
      // Small: round, big-eyed and friendly.
      {Soft, 1.0, 42, Two, Plain, Grin, Antennae, Stubs, Down, Blush, "", 0.2, 0.3},
      {Box, 1.15, 40, TwoBig, Plain, Oh, Tuft, Stubs, Raised, Clean, "", 0, -0.3},
      {Ghost, 0.95, 46, Two, Happy, Tiny, Bare, Hover, Waving, Blush, "", 0, 0},
      {Dome, 1.1, 40, One, Plain, Toothy, Antenna, BigFeet, Down, Spots, "", -0.3, 0.3},
      {Soft, 0.9, 44, Glasses, Plain, Buck, RoundEars, Stubs, Down, Symbol, "\xCF\x80", 0.3, 0.2},
      {Box, 1.25, 38, Two, Sleepy, Zigzag, CatEars, Stubs, NoArms, Stripes, "", 0, 0.5},
      {Fluffy, 1.0, 42, TwoBig, Surprised, Oh, Bare, BigFeet, TinyArms, Clean, "", 0, 0},
      {Pear, 1.0, 44, Wonky, Plain, Tongue, Tuft, Stubs, Down, Freckles, "", 0.5, 0.1},
      {Robot, 1.05, 42, Square, Plain, Clenched, Bolts, Legs, Down, Rivets, "", -0.4, 0.2},
      {Soft, 1.2, 38, Three, Plain, Tiny, Sprout, Stubs, Raised, Belly, "", 0.2, 0.4},
      {Dome, 0.95, 44, Two, Plain, Catlike, Bunny, Stubs, NoArms, Blush, "", -0.2, 0.3},
      {Box, 1.0, 42, One, Plain, Fangs, Horns, Stubs, Down, Clean, "", 0.4, 0.3},
      {Ghost, 1.1, 42, TwoBig, Worried, Oh, Bare, Hover, Raised, Spots, "", -0.3, -0.2},
      {Fluffy, 1.15, 40, Two, Sleepy, Tiny, RoundEars, Stubs, NoArms, Belly, "", 0, 0.5},
      {Pear, 0.95, 44, Two, Happy, Tongue, Antennae, BigFeet, Waving, Clean, "", 0, 0},
      {Soft, 1.05, 42, Stalks, Plain, Grin, Bare, Stubs, Down, Spots, "", 0.4, 0.4},
      {Box, 1.1, 40, TwoBig, Plain, Buck, Propeller, Stubs, Waving, Freckles, "", -0.5, -0.1},
      {Spiky, 1.0, 42, Two, Surprised, Zigzag, Bare, Claws, Down, Clean, "", 0, 0},
      {Dome, 1.2, 38, Wonky, Plain, Smirk, Mohawk, Stubs, TinyArms, Stripes, "", 0.5, 0.3},
      {Soft, 1.0, 44, One, Happy, Tiny, Unicorn, BigFeet, Raised, Blush, "", 0, 0},
      // Medium: bolder, with more teeth and horns.
      {Box, 1.1, 44, Two, Angry, Fangs, Horns, Claws, ClawsOut, Stripes, "", 0.2, 0.4},
      {Fluffy, 1.05, 44, TwoBig, Plain, Toothy, CatEars, BigFeet, Down, Clean, "", -0.4, 0.4},
      {Robot, 1.0, 44, Square, Surprised, Clenched, Antennae, Legs, ClawsOut, Rivets, "", 0, 0},
      {Pear, 1.1, 46, Three, Plain, Roar, Tuft, Claws, Down, Spots, "", 0.3, 0.3},
      {Ghost, 1.0, 46, One, Worried, Zigzag, Horns, Hover, Waving, Stitches, "", -0.4, 0.3},
      {Soft, 1.25, 40, Glasses, Plain, Smirk, Mohawk, Stubs, TinyArms, Symbol, "+", 0.4, 0.3},
      {Spiky, 1.1, 44, Two, Angry, Roar, Bare, Claws, ClawsOut, Belly, "", 0, 0.5},
      {Dome, 1.0, 46, Stalks, Plain, Tongue, Bare, Legs, Raised, Stripes, "", -0.3, 0.5},
      {Box, 0.9, 48, Wonky, Sleepy, Buck, Bolts, Stubs, Down, Stitches, "", 0.2, 0.4},
      {Soft, 1.1, 44, TwoBig, Happy, Toothy, Bunny, BigFeet, Waving, Symbol, "\xC3\x97", 0, 0},
      {Pear, 1.05, 46, One, Angry, Fangs, Crown, Claws, Down, Mask, "", 0.3, 0.4},
      {Fluffy, 1.2, 42, Two, Surprised, Oh, Horns, Stubs, Raised, Spots, "", 0, 0},
      {Robot, 1.15, 42, Two, Plain, Catlike, Propeller, Legs, Down, Rivets, "", -0.5, 0.3},
      {Box, 1.0, 46, Three, Worried, Zigzag, Antenna, ThreeStubs, Waving, Freckles, "", 0.4, -0.2},
      // Large: big, loud and toothy.
      {Box, 1.2, 46, Two, Angry, Roar, Curled, Claws, ClawsOut, Stripes, "", 0, 0.5},
      {Spiky, 1.15, 46, One, Angry, Toothy, Unicorn, Claws, TinyArms, Belly, "", 0.3, 0.4},
      {Fluffy, 1.1, 48, TwoBig, Angry, Fangs, Horns, BigFeet, ClawsOut, Mask, "", -0.3, 0.4},
      {Dome, 1.2, 44, Three, Angry, Clenched, Crown, Legs, Raised, Spots, "", 0.4, 0.4},
      {Robot, 1.2, 46, Square, Angry, Roar, Bolts, Legs, ClawsOut, Rivets, "", 0, 0.4},
      {Pear, 1.2, 46, Wonky, Angry, Toothy, Mohawk, Claws, Down, Stitches, "", -0.4, 0.5},
      {Ghost, 1.15, 48, Two, Angry, Roar, Horns, Hover, ClawsOut, Spots, "", 0.3, 0.5},
      {Soft, 1.3, 42, Stalks, Angry, Fangs, Bare, ThreeStubs, ClawsOut, Symbol, "\xE2\x88\x91", 0, 0.5},
      {Spiky, 1.0, 50, Glasses, Angry, Clenched, Curled, Claws, Down, Symbol, "\xE2\x88\x9A", 0.3, 0.4},
      {Box, 1.3, 44, One, Angry, Roar, Crown, Claws, Raised, Stripes, "", 0, 0.5},
  };
  return recipes;
}

void DrawCreature(TSurface& s, double x, double y, double size, const TCreature& c) {
  cairo_t* cr = s.Cr();
  cairo_save(cr);
  // Two texels of every 68 stay clear all round: patterns share a texture,
  // and filtering would pull a neighbour's edge in.
  const double margin = size * 2 / Units;
  cairo_translate(cr, x + margin, y + margin);
  cairo_scale(cr, (size - 2 * margin) / Units, (size - 2 * margin) / Units);
  const TGeo g = Layout(c);
  GroundShadow(cr, g);
  DrawFeet(cr, c, g);
  ArmsBehind(cr, c, g);
  HeadBehind(cr, c, g);
  Body(cr, c, g);
  DrawMarks(cr, c, g, EyeLine(c, g));
  HeadInFront(cr, c, g);
  ArmsInFront(cr, c, g);
  DrawEyes(cr, c, g);
  MouthShape(cr, c, g);
  cairo_restore(cr);
}
