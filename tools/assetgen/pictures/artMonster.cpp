#include "pictures/artMonster.h"

#include <cmath>

using namespace art;

namespace {

void Eye(cairo_t* cr, double x, double y, double r, const TMonsterLook& look) {
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  SetColor(cr, Grey(1));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, std::max(1.0, r * 0.22));
  SetColor(cr, Grey(0, 0.9));
  cairo_stroke(cr);
  const double px = x + look.LookX * r * 0.35, py = y + look.LookY * r * 0.35;
  cairo_arc(cr, px, py, r * 0.5, 0, 2 * M_PI);
  SetColor(cr, Hex(0x0A0A14));
  cairo_fill(cr);
  cairo_arc(cr, px - r * 0.18, py - r * 0.2, r * 0.16, 0, 2 * M_PI);
  SetColor(cr, Grey(1));
  cairo_fill(cr);
}

}  // namespace

void DrawMonster(TSurface& s, double cx, double cy, double size, const TRGBA& body, const TMonsterLook& look) {
  cairo_t* cr = s.Cr();
  const double h = size, w = size * look.Aspect;
  const double x = cx - w / 2, y = cy - h / 2;
  const double line = std::max(1.2, size * 0.055);
  // Shadow on the ground.
  cairo_save(cr);
  cairo_translate(cr, cx, y + h + size * 0.1);
  cairo_scale(cr, w * 0.6, size * 0.09);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, Grey(0, 0.35));
  cairo_fill(cr);
  const TRGBA dark = Mix(body, Grey(0, body.A), 0.45);
  // Feet.
  for (int side = -1; side <= 1; side += 2) {
    RoundedRect(cr, cx + side * w * 0.22 - w * 0.13, y + h - size * 0.06, w * 0.26, size * 0.16, size * 0.06);
    SetColor(cr, dark);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, line);
    SetColor(cr, Grey(0, 0.9));
    cairo_stroke(cr);
  }
  // Arms.
  if (look.Arms)
    for (int side = -1; side <= 1; side += 2) {
      cairo_save(cr);
      cairo_translate(cr, cx + side * (w / 2 + size * 0.04), cy + size * 0.12);
      cairo_rotate(cr, side * 0.5);
      RoundedRect(cr, -size * 0.06, -size * 0.13, size * 0.12, size * 0.26, size * 0.06);
      cairo_restore(cr);
      SetColor(cr, dark);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, line);
      SetColor(cr, Grey(0, 0.9));
      cairo_stroke(cr);
    }
  // Head decorations behind the body's outline.
  cairo_set_line_width(cr, line);
  if (look.Head == 1) {
    for (int side = -1; side <= 1; side += 2) {
      const double hx = cx + side * w * 0.28;
      cairo_move_to(cr, hx - size * 0.09, y + size * 0.06);
      cairo_line_to(cr, hx + side * size * 0.08, y - size * 0.22);
      cairo_line_to(cr, hx + size * 0.09, y + size * 0.06);
      cairo_close_path(cr);
      SetColor(cr, Mix(body, Grey(1, body.A), 0.5));
      cairo_fill_preserve(cr);
      SetColor(cr, Grey(0, 0.9));
      cairo_stroke(cr);
    }
  } else if (look.Head == 2) {
    for (int side = -1; side <= 1; side += 2) {
      const double ax = cx + side * w * 0.2;
      cairo_move_to(cr, ax, y + 2);
      cairo_curve_to(cr, ax, y - size * 0.12, ax + side * size * 0.12, y - size * 0.18, ax + side * size * 0.14,
                     y - size * 0.26);
      SetColor(cr, Grey(0, 0.9));
      cairo_stroke(cr);
      cairo_arc(cr, ax + side * size * 0.14, y - size * 0.26, size * 0.065, 0, 2 * M_PI);
      SetColor(cr, Mix(body, Grey(1, body.A), 0.6));
      cairo_fill_preserve(cr);
      SetColor(cr, Grey(0, 0.9));
      cairo_stroke(cr);
    }
  } else if (look.Head == 3) {
    cairo_move_to(cr, cx - size * 0.16, y + 2);
    for (int i = 0; i < 3; ++i) {
      cairo_line_to(cr, cx - size * 0.12 + i * size * 0.12, y - size * 0.16 - (i == 1 ? size * 0.05 : 0));
      cairo_line_to(cr, cx - size * 0.06 + i * size * 0.12, y + 2);
    }
    cairo_close_path(cr);
    SetColor(cr, dark);
    cairo_fill_preserve(cr);
    SetColor(cr, Grey(0, 0.9));
    cairo_stroke(cr);
  }
  // Body: rounded block, lit from the top left.
  RoundedRect(cr, x, y, w, h, size * 0.2);
  cairo_pattern_t* shade = cairo_pattern_create_radial(x + w * 0.3, y + h * 0.25, size * 0.05, cx, cy, size * 0.85);
  AddStop(shade, 0, Mix(body, Grey(1, body.A), 0.35));
  AddStop(shade, 0.6, body);
  AddStop(shade, 1, Mix(body, Grey(0, body.A), 0.35));
  cairo_set_source(cr, shade);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(shade);
  cairo_set_line_width(cr, line * 1.2);
  SetColor(cr, Grey(0, 0.92));
  cairo_stroke(cr);
  // A gloss on the upper left.
  RoundedRect(cr, x + w * 0.12, y + h * 0.08, w * 0.45, h * 0.16, h * 0.08);
  SetColor(cr, Grey(1, 0.25));
  cairo_fill(cr);
  // Eyes.
  const double er = size * 0.15;
  Eye(cr, cx - w * 0.2, y + h * 0.38, er, look);
  Eye(cr, cx + w * 0.2, y + h * 0.38, er, look);
  // Mouth.
  const double my = y + h * 0.7, mw = w * 0.42;
  cairo_set_line_width(cr, line);
  switch (look.Mouth) {
    case 1:
      cairo_save(cr);
      cairo_translate(cr, cx, my);
      cairo_scale(cr, size * 0.1, size * 0.12);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_restore(cr);
      SetColor(cr, Hex(0x200810));
      cairo_fill(cr);
      break;
    case 2:
      cairo_move_to(cr, cx - mw / 2, my);
      for (int i = 1; i <= 6; ++i) cairo_line_to(cr, cx - mw / 2 + mw * i / 6, my + (i % 2 ? -size * 0.06 : 0));
      SetColor(cr, Grey(0, 0.95));
      cairo_stroke(cr);
      break;
    default: {
      cairo_move_to(cr, cx - mw / 2, my - size * 0.05);
      cairo_curve_to(cr, cx - mw / 4, my + size * 0.12, cx + mw / 4, my + size * 0.12, cx + mw / 2, my - size * 0.05);
      cairo_close_path(cr);
      SetColor(cr, Hex(0x200810));
      cairo_fill_preserve(cr);
      SetColor(cr, Grey(0, 0.95));
      cairo_stroke(cr);
      // Teeth: two in the grin, two fangs in the smile.
      const double tw = size * 0.07;
      for (int side = -1; side <= 1; side += 2) {
        const double tx = cx + side * mw * (look.Mouth == 3 ? 0.3 : 0.14);
        cairo_move_to(cr, tx - tw / 2, my - size * 0.03);
        cairo_line_to(cr, tx + tw / 2, my - size * 0.03);
        cairo_line_to(cr, tx, my + size * (look.Mouth == 3 ? 0.09 : 0.05));
        cairo_close_path(cr);
        SetColor(cr, Grey(1));
        cairo_fill(cr);
      }
    }
  }
}

void DrawQuestionTag(TSurface& s, const std::string& text, double cx, double bottom, double size, const TRGBA& ink) {
  cairo_t* cr = s.Cr();
  SelectFace(cr, TFace::MonoBold, size);
  const double w = TextWidth(cr, text) + size * 0.9, h = size * 1.45;
  RoundedRect(cr, cx - w / 2, bottom - h, w, h, size * 0.3);
  SetColor(cr, Hex(0x05070F, 0.88));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Mix(ink, Grey(0, 1), 0.4));
  cairo_stroke(cr);
  TLettering t;
  t.Face = TFace::MonoBold;
  t.Size = size;
  t.Top = t.Bottom = ink;
  Letter(s, text, cx, bottom - h * 0.3, t, true);
}

void DrawPointer(TSurface& s, double x, double y, double scale) {
  cairo_t* cr = s.Cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 0, 17);
  cairo_line_to(cr, 4.2, 13);
  cairo_line_to(cr, 7.2, 19.5);
  cairo_line_to(cr, 10, 18.2);
  cairo_line_to(cr, 7.1, 11.8);
  cairo_line_to(cr, 12.5, 11.8);
  cairo_close_path(cr);
  cairo_restore(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, Grey(1));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.4 * scale);
  SetColor(cr, Grey(0));
  cairo_stroke(cr);
}
