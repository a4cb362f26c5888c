#include "pictures/artIcons.h"

#include <cmath>
#include <functional>

using namespace art;

namespace {

const TRGBA Ink = Hex(0x05060C, 0.95);

// Runs draw in a square of `units` units placed at (x, y) with side size.
void InUnits(TSurface& s, double x, double y, double size, double units, const std::function<void(cairo_t*)>& draw) {
  cairo_t* cr = s.Cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, size / units, size / units);
  cairo_new_path(cr);
  draw(cr);
  cairo_restore(cr);
}

// Fills the current path with a vertical gradient and outlines it in ink.
void FillInked(cairo_t* cr, double y0, double y1, const TRGBA& top, const TRGBA& bottom, double line) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, line);
  SetColor(cr, Ink);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* p = Linear(0, y0, 0, y1, top, bottom);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Circle(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
}

// The round dark badge every power-up sits on, with a coloured rim.
void Badge(cairo_t* cr, std::uint32_t rim) {
  Circle(cr, 24, 24, 21.5);
  SetColor(cr, Ink);
  cairo_fill(cr);
  Circle(cr, 24, 24, 20);
  cairo_pattern_t* p = cairo_pattern_create_radial(20, 16, 2, 24, 24, 21);
  AddStop(p, 0, Hex(0x2C4480));
  AddStop(p, 1, Hex(0x0A1230));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Circle(cr, 24, 24, 19.6);
  cairo_set_line_width(cr, 2.2);
  SetColor(cr, Hex(rim));
  cairo_stroke(cr);
  cairo_arc(cr, 24, 24, 17.6, M_PI * 1.05, M_PI * 1.55);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Grey(1, 0.35));
  cairo_stroke(cr);
}

void Bolt(cairo_t* cr, double dx, double dy, double k) {
  const double pts[7][2] = {{30, 7}, {21, 24}, {27.5, 24}, {23, 40}, {38.5, 19.5}, {31.5, 19.5}, {36.5, 7}};
  for (int i = 0; i < 7; ++i) {
    const double px = 24 + (pts[i][0] - 24) * k + dx, py = 24 + (pts[i][1] - 24) * k + dy;
    if (i == 0)
      cairo_move_to(cr, px, py);
    else
      cairo_line_to(cr, px, py);
  }
  cairo_close_path(cr);
}

void QuadrantBlitz(cairo_t* cr) {
  Badge(cr, 0xFFB23A);
  const double x0 = 12, c = 24, x1 = 36;
  cairo_rectangle(cr, x0, x0, x1 - x0, x1 - x0);
  SetColor(cr, Hex(0x2A3C6A));
  cairo_fill(cr);
  cairo_rectangle(cr, c, x0, x1 - c, c - x0);
  cairo_pattern_t* q = Linear(0, x0, 0, c, Hex(0xFFB040), Hex(0xE0501A));
  cairo_set_source(cr, q);
  cairo_fill(cr);
  cairo_pattern_destroy(q);
  cairo_move_to(cr, x0 - 1, c);
  cairo_line_to(cr, x1 + 1, c);
  cairo_move_to(cr, c, x0 - 1);
  cairo_line_to(cr, c, x1 + 1);
  cairo_set_line_width(cr, 1.8);
  SetColor(cr, Grey(1, 0.9));
  cairo_stroke(cr);
  Bolt(cr, 5.5, -6.8, 0.42);
  FillInked(cr, 9, 30, Hex(0xFFFFFF), Hex(0xFFF0A0), 1.8);
}

void FunctionalAnalyser(cairo_t* cr) {
  Badge(cr, 0x5FE1FF);
  // Handle first, the lens over it.
  cairo_move_to(cr, 27.5, 27.5);
  cairo_line_to(cr, 35.5, 35.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 7.5);
  SetColor(cr, Ink);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 4.5);
  SetColor(cr, Hex(0xB06A2C));
  cairo_stroke(cr);
  Circle(cr, 21, 21, 10.5);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Ink);
  cairo_stroke_preserve(cr);
  SetColor(cr, Hex(0xBFF4FF, 0.35));
  cairo_fill(cr);
  // A graph inside the lens: axes and a line through a point.
  cairo_save(cr);
  Circle(cr, 21, 21, 8.5);
  cairo_clip(cr);
  cairo_move_to(cr, 12, 24);
  cairo_line_to(cr, 30, 24);
  cairo_move_to(cr, 17, 12);
  cairo_line_to(cr, 17, 30);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, Grey(1, 0.8));
  cairo_stroke(cr);
  cairo_move_to(cr, 12, 29);
  cairo_line_to(cr, 30, 13);
  cairo_set_line_width(cr, 2.2);
  SetColor(cr, Hex(0xFFB23A));
  cairo_stroke(cr);
  Circle(cr, 23.5, 18.8, 2);
  SetColor(cr, Grey(1));
  cairo_fill(cr);
  cairo_restore(cr);
  Circle(cr, 21, 21, 9.2);
  cairo_set_line_width(cr, 2.6);
  SetColor(cr, Hex(0xE8F4FF));
  cairo_stroke(cr);
  cairo_arc(cr, 21, 21, 6.5, M_PI * 1.1, M_PI * 1.45);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Grey(1, 0.8));
  cairo_stroke(cr);
}

void PlaneWalls(cairo_t* cr) {
  Badge(cr, 0xB8C2D6);
  cairo_move_to(cr, 11, 24);
  cairo_line_to(cr, 37, 24);
  cairo_move_to(cr, 24, 11);
  cairo_line_to(cr, 24, 37);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Grey(1, 0.8));
  cairo_stroke(cr);
  // Two brick walls: down the left side and along the bottom. Each is two
  // courses of bricks, the joints of one course between those of the other.
  auto bricks = [&](double x, double y, double w, double h) {
    cairo_rectangle(cr, x, y, w, h);
    FillInked(cr, y, y + h, Hex(0xF08A4A), Hex(0xB04A1E), 1.6);
    const bool across = w > h;
    const double length = across ? w : h, brick = 5.5;
    cairo_set_line_width(cr, 0.9);
    SetColor(cr, Hex(0x3A1606, 0.9));
    if (across) {
      cairo_move_to(cr, x, y + h / 2);
      cairo_line_to(cr, x + w, y + h / 2);
    } else {
      cairo_move_to(cr, x + w / 2, y);
      cairo_line_to(cr, x + w / 2, y + h);
    }
    for (int course = 0; course < 2; ++course)
      for (double t = course ? brick / 2 : brick; t < length - 1; t += brick) {
        if (across) {
          cairo_move_to(cr, x + t, y + course * h / 2);
          cairo_line_to(cr, x + t, y + (course + 1) * h / 2);
        } else {
          cairo_move_to(cr, x + course * w / 2, y + t);
          cairo_line_to(cr, x + (course + 1) * w / 2, y + t);
        }
      }
    cairo_stroke(cr);
  };
  bricks(9.5, 10, 7, 26);
  bricks(16.5, 31, 22, 7);
}

void Snail(cairo_t* cr, double ox, double oy, double k) {
  cairo_save(cr);
  cairo_translate(cr, ox, oy);
  cairo_scale(cr, k, k);
  // Body: a long foot with the head raised at the left, two eye stalks.
  cairo_move_to(cr, 8, 35);
  cairo_curve_to(cr, 6, 30, 8, 23, 12, 22);
  cairo_curve_to(cr, 15, 21, 16, 26, 17, 30);
  cairo_line_to(cr, 38, 30);
  cairo_curve_to(cr, 42, 30, 42, 35, 38, 35);
  cairo_close_path(cr);
  FillInked(cr, 22, 35, Hex(0xC8FF9A), Hex(0x5FCB3A), 2);
  for (int i = 0; i < 2; ++i) {
    const double tx = 9 + i * 4.5, ty = 14.5 + i;
    cairo_move_to(cr, 11 + i * 2, 23);
    cairo_line_to(cr, tx, ty);
    cairo_set_line_width(cr, 1.6);
    SetColor(cr, Ink);
    cairo_stroke(cr);
    Circle(cr, tx, ty, 2.1);
    FillInked(cr, ty - 2, ty + 2, Hex(0xFFFFFF), Hex(0xDDEEDD), 1.2);
    Circle(cr, tx + 0.4, ty + 0.3, 0.9);
    SetColor(cr, Ink);
    cairo_fill(cr);
  }
  // Shell with a spiral.
  Circle(cr, 28, 21, 10.5);
  cairo_pattern_t* shell = cairo_pattern_create_radial(25, 16, 1, 28, 21, 11);
  AddStop(shell, 0, Hex(0xFFE2A0));
  AddStop(shell, 0.6, Hex(0xF0A040));
  AddStop(shell, 1, Hex(0xB0601A));
  cairo_set_line_width(cr, 2);
  SetColor(cr, Ink);
  cairo_stroke_preserve(cr);
  cairo_set_source(cr, shell);
  cairo_fill(cr);
  cairo_pattern_destroy(shell);
  cairo_move_to(cr, 28, 21);
  for (int i = 1; i <= 40; ++i) {
    const double a = i * 0.32, r = 0.24 * i;
    cairo_line_to(cr, 28 + r * std::cos(a), 21 + r * std::sin(a));
  }
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x6A3008, 0.95));
  cairo_stroke(cr);
  cairo_restore(cr);
}

void VelocityBisector(cairo_t* cr) {
  Badge(cr, 0x7CFF6A);
  Snail(cr, 3.5, 2.5, 0.92);
}

void Snowflake(cairo_t* cr, double cx, double cy, double r, double line) {
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 6; ++i) {
      const double a = i * M_PI / 3 - M_PI / 2, ca = std::cos(a), sa = std::sin(a);
      cairo_move_to(cr, cx, cy);
      cairo_line_to(cr, cx + r * ca, cy + r * sa);
      for (int side = -1; side <= 1; side += 2) {
        const double bx = cx + r * 0.55 * ca, by = cy + r * 0.55 * sa;
        const double b = a + side * 0.75;
        cairo_move_to(cr, bx, by);
        cairo_line_to(cr, bx + r * 0.35 * std::cos(b), by + r * 0.35 * std::sin(b));
      }
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, pass == 0 ? line + 2.2 : line);
    SetColor(cr, pass == 0 ? Hex(0x0A2A5A, 0.95) : Hex(0xFFFFFF));
    cairo_stroke(cr);
  }
}

void TranslationInhibiter(cairo_t* cr) {
  Badge(cr, 0x9FDCFF);
  RadialGlow(cr, 24, 24, 17, Hex(0x8FE0FF, 0.6));
  Snowflake(cr, 24, 24, 14, 2.4);
  Circle(cr, 24, 24, 2.6);
  SetColor(cr, Hex(0xDFF6FF));
  cairo_fill(cr);
}

void RadialBlast(cairo_t* cr) {
  Badge(cr, 0xFF66D6);
  for (int i = 0; i < 2; ++i) {
    Circle(cr, 24, 24, 9.5 + 5.5 * i);
    cairo_set_line_width(cr, 2.2 - 0.6 * i);
    SetColor(cr, i == 0 ? Hex(0xFF9AE6, 0.95) : Hex(0x7FE8FF, 0.8));
    cairo_stroke(cr);
  }
  // Eight arrows flying out.
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4 + M_PI / 8, ca = std::cos(a), sa = std::sin(a);
    const double r0 = 11, r1 = 17.5;
    cairo_move_to(cr, 24 + r0 * ca, 24 + r0 * sa);
    cairo_line_to(cr, 24 + r1 * ca, 24 + r1 * sa);
    cairo_move_to(cr, 24 + (r1 - 3) * ca - 2.2 * sa, 24 + (r1 - 3) * sa + 2.2 * ca);
    cairo_line_to(cr, 24 + r1 * ca, 24 + r1 * sa);
    cairo_line_to(cr, 24 + (r1 - 3) * ca + 2.2 * sa, 24 + (r1 - 3) * sa - 2.2 * ca);
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 3.4);
  SetColor(cr, Ink);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 1.7);
  SetColor(cr, Grey(1));
  cairo_stroke(cr);
  RadialGlow(cr, 24, 24, 10, Hex(0xFFF6C0, 0.9));
  Star(cr, 24, 24, 7.5, 3.2);
  FillInked(cr, 17, 31, Hex(0xFFFFFF), Hex(0xFFD24A), 1.4);
}

void StarBurst(cairo_t* cr, double cx, double cy, double outer, double inner, int points) {
  for (int i = 0; i < 2 * points; ++i) {
    const double a = -M_PI / 2 + i * M_PI / points, r = i % 2 ? inner : outer;
    if (i == 0)
      cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    else
      cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
  }
  cairo_close_path(cr);
}

// A round arcade button of 64 units: metal base, a ring, a glossy dome.
void ButtonBase(cairo_t* cr, bool lit, std::uint32_t glow) {
  if (lit) RadialGlow(cr, 32, 32, 32, Hex(glow, 0.75));
  Circle(cr, 32, 33, 27.5);
  cairo_set_line_width(cr, 2.2);
  SetColor(cr, Ink);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* metal = Linear(0, 5, 0, 60, Hex(0xDDE4F0), Hex(0x4A5468));
  cairo_set_source(cr, metal);
  cairo_fill(cr);
  cairo_pattern_destroy(metal);
}

void Dome(cairo_t* cr, double r, std::uint32_t light, std::uint32_t mid, std::uint32_t dark) {
  Circle(cr, 32, 32, r);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Ink);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(27, 24, 2, 32, 32, r);
  AddStop(p, 0, Hex(light));
  AddStop(p, 0.55, Hex(mid));
  AddStop(p, 1, Hex(dark));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Gloss(cairo_t* cr, double r) {
  cairo_save(cr);
  cairo_translate(cr, 32, 32 - r * 0.5);
  cairo_scale(cr, r * 0.62, r * 0.3);
  Circle(cr, 0, 0, 1);
  cairo_restore(cr);
  cairo_pattern_t* p = Linear(0, 32 - r * 0.8, 0, 32 - r * 0.2, Grey(1, 0.7), Grey(1, 0.05));
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

}  // namespace

void DrawPowerUpIcon(TSurface& s, double x, double y, double size, int frame) {
  InUnits(s, x, y, size, 48, [frame](cairo_t* cr) {
    switch (frame) {
      case 0:
        QuadrantBlitz(cr);
        break;
      case 1:
        FunctionalAnalyser(cr);
        break;
      case 2:
        PlaneWalls(cr);
        break;
      case 3:
        VelocityBisector(cr);
        break;
      case 4:
        TranslationInhibiter(cr);
        break;
      case 5:
        RadialBlast(cr);
        break;
      default:
        break;
    }
  });
}

void DrawPowerUpGlow(TSurface& s, double x, double y, double size) {
  InUnits(s, x, y, size, 48, [](cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_radial(24, 24, 0, 24, 24, 23.5);
    AddStop(p, 0, Grey(1, 1));
    AddStop(p, 0.55, Grey(1, 0.75));
    AddStop(p, 0.8, Grey(1, 0.25));
    AddStop(p, 1, Grey(1, 0));
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
  });
}

void DrawDoomButton(TSurface& s, double x, double y, double size, bool lit) {
  InUnits(s, x, y, size, 64, [lit](cairo_t* cr) {
    ButtonBase(cr, lit, 0xFF7A2A);
    // A hazard ring of yellow and black stripes.
    cairo_save(cr);
    Circle(cr, 32, 32, 24.5);
    Circle(cr, 32, 32, 19.5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    SetColor(cr, lit ? Hex(0xFFD21E) : Hex(0xB09020));
    cairo_paint(cr);
    for (int i = -8; i < 8; ++i) {
      cairo_move_to(cr, 32 + i * 8, 0);
      cairo_line_to(cr, 36 + i * 8, 0);
      cairo_line_to(cr, 36 + i * 8 + 64, 64);
      cairo_line_to(cr, 32 + i * 8 + 64, 64);
      cairo_close_path(cr);
    }
    SetColor(cr, Hex(0x141414));
    cairo_fill(cr);
    cairo_restore(cr);
    Circle(cr, 32, 32, 24.5);
    cairo_set_line_width(cr, 1.4);
    SetColor(cr, Ink);
    cairo_stroke(cr);
    if (lit)
      Dome(cr, 19, 0xFF9A8A, 0xE8202E, 0x78000C);
    else
      Dome(cr, 19, 0xA86870, 0x7A2430, 0x3A0810);
    StarBurst(cr, 32, 32.5, 11, 5.2, 8);
    if (lit)
      FillInked(cr, 21, 44, Hex(0xFFFFFF), Hex(0xFFD24A), 1.6);
    else
      FillInked(cr, 21, 44, Hex(0xB8A890), Hex(0x8A6A40), 1.6);
    Gloss(cr, 19);
  });
}

void DrawHelpButton(TSurface& s, double x, double y, double size, bool lit) {
  InUnits(s, x, y, size, 64, [lit](cairo_t* cr) {
    ButtonBase(cr, lit, 0x5FD0FF);
    if (lit)
      Dome(cr, 23, 0xA8E6FF, 0x2F8CFF, 0x0A2F90);
    else
      Dome(cr, 23, 0x7FB8F0, 0x1F5FC8, 0x0A2060);
  });
  // The question mark goes through the lettering, at the button's scale.
  TLettering t;
  t.Size = size * 0.53;
  t.Top = Hex(0xFFFFFF);
  t.Bottom = lit ? Hex(0xDFF4FF) : Hex(0xC8DCF0);
  t.OutlineWidth = size * 0.035;
  t.Outline = Hex(0x051030, 0.95);
  Letter(s, "?", x + size * 0.5, y + size * 0.69, t, true);
  InUnits(s, x, y, size, 64, [](cairo_t* cr) { Gloss(cr, 23); });
}

void DrawHeart(TSurface& s, double x, double y, double size) {
  InUnits(s, x, y, size, 48, [](cairo_t* cr) {
    auto heart = [&] {
      cairo_move_to(cr, 24, 41);
      cairo_curve_to(cr, 8, 31, 3.5, 21, 7.5, 13);
      cairo_curve_to(cr, 11.5, 5.5, 21.5, 6, 24, 13.5);
      cairo_curve_to(cr, 26.5, 6, 36.5, 5.5, 40.5, 13);
      cairo_curve_to(cr, 44.5, 21, 40, 31, 24, 41);
      cairo_close_path(cr);
    };
    heart();
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 3);
    SetColor(cr, Ink);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(17, 15, 1, 24, 22, 22);
    AddStop(p, 0, Hex(0xFF9AA6));
    AddStop(p, 0.45, Hex(0xF02A44));
    AddStop(p, 1, Hex(0x8A0418));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_save(cr);
    cairo_translate(cr, 15.5, 14.5);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, 5, 2.6);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColor(cr, Grey(1, 0.75));
    cairo_fill(cr);
  });
}

void DrawFlame(TSurface& s, double x, double y, double size) {
  InUnits(s, x, y, size, 16, [](cairo_t* cr) {
    cairo_move_to(cr, 8, 0.8);
    cairo_curve_to(cr, 10, 4, 14.5, 6, 13.6, 10.5);
    cairo_curve_to(cr, 13, 14, 3, 14, 2.4, 10.5);
    cairo_curve_to(cr, 1.8, 7.5, 4.5, 6, 5, 3.5);
    cairo_curve_to(cr, 6.2, 5, 7, 4, 8, 0.8);
    cairo_close_path(cr);
    FillInked(cr, 1, 14, Hex(0xFFF3A0), Hex(0xFF4A1A), 1.3);
    cairo_move_to(cr, 8, 7);
    cairo_curve_to(cr, 9.5, 9, 10.5, 10, 10, 11.5);
    cairo_curve_to(cr, 9.5, 13, 6.5, 13, 6, 11.5);
    cairo_curve_to(cr, 5.6, 10, 7, 9.5, 8, 7);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xFFF8D0));
    cairo_fill(cr);
  });
}

void DrawStopwatch(TSurface& s, double x, double y, double size) {
  InUnits(s, x, y, size, 16, [](cairo_t* cr) {
    cairo_rectangle(cr, 6.6, 0.8, 2.8, 2.4);
    FillInked(cr, 1, 3, Hex(0xE0E8F4), Hex(0xA0AABB), 1);
    Circle(cr, 8, 9.2, 5.8);
    FillInked(cr, 3, 15, Hex(0xFFFFFF), Hex(0xC8D8EC), 1.4);
    cairo_move_to(cr, 8, 9.2);
    cairo_arc(cr, 8, 9.2, 4.6, -M_PI / 2, -M_PI / 2 + 2);
    cairo_close_path(cr);
    SetColor(cr, Hex(0xFF4D5E, 0.7));
    cairo_fill(cr);
    cairo_move_to(cr, 8, 9.2);
    cairo_line_to(cr, 8 + 4 * std::cos(-M_PI / 2 + 2), 9.2 + 4 * std::sin(-M_PI / 2 + 2));
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, Hex(0xB0101E));
    cairo_stroke(cr);
  });
}

void DrawFrozen(TSurface& s, double x, double y, double size) {
  InUnits(s, x, y, size, 64, [](cairo_t* cr) {
    auto block = [&] { RoundedRect(cr, 4, 5, 56, 55, 9); };
    block();
    cairo_pattern_t* ice = Linear(0, 5, 0, 60, Hex(0xCFF6FF, 0.5), Hex(0x6FCBFF, 0.42));
    cairo_set_source(cr, ice);
    cairo_fill(cr);
    cairo_pattern_destroy(ice);
    // Shine streaks across the ice.
    cairo_save(cr);
    block();
    cairo_clip(cr);
    for (int i = 0; i < 2; ++i) {
      const double o = i * 11;
      cairo_move_to(cr, 8 + o, 60);
      cairo_line_to(cr, 16 + o, 60);
      cairo_line_to(cr, 60, 14 + o);
      cairo_line_to(cr, 60, 6 + o);
      cairo_close_path(cr);
    }
    SetColor(cr, Grey(1, 0.22));
    cairo_fill(cr);
    cairo_restore(cr);
    block();
    cairo_set_line_width(cr, 3.6);
    SetColor(cr, Hex(0x0A3A6A, 0.7));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Hex(0xF0FCFF, 0.95));
    cairo_stroke(cr);
    // Icicles under the bottom edge.
    for (int i = 0; i < 4; ++i) {
      const double ix = 14 + i * 12, len = i % 2 ? 3.5 : 5.5;
      cairo_move_to(cr, ix - 3, 59);
      cairo_line_to(cr, ix, std::min(63.0, 59 + len));
      cairo_line_to(cr, ix + 3, 59);
      cairo_close_path(cr);
    }
    SetColor(cr, Hex(0xE6FAFF, 0.95));
    cairo_fill(cr);
    RadialGlow(cr, 51, 13, 10, Hex(0xFFFFFF, 0.7));
    Snowflake(cr, 51, 13, 7, 1.6);
  });
}

void DrawSlowed(TSurface& s, double x, double y, double size) {
  InUnits(s, x, y, size, 64, [](cairo_t* cr) {
    // Sticky goo around the feet, dripping.
    cairo_move_to(cr, 5, 52);
    cairo_curve_to(cr, 14, 48, 50, 48, 59, 52);
    cairo_curve_to(cr, 62, 56, 58, 60, 52, 59);
    cairo_curve_to(cr, 50, 63, 47, 63, 46, 59);
    cairo_line_to(cr, 22, 59);
    cairo_curve_to(cr, 21, 63, 18, 63, 17, 59);
    cairo_curve_to(cr, 8, 60, 2, 56, 5, 52);
    cairo_close_path(cr);
    cairo_set_line_width(cr, 1.6);
    SetColor(cr, Hex(0x0A3A10, 0.7));
    cairo_stroke_preserve(cr);
    cairo_pattern_t* goo = Linear(0, 48, 0, 62, Hex(0xC8FF8A, 0.75), Hex(0x4ACB2A, 0.7));
    cairo_set_source(cr, goo);
    cairo_fill(cr);
    cairo_pattern_destroy(goo);
    // A snail rides on top.
    Snail(cr, 38, -1, 0.55);
  });
}
