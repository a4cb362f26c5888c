// The challenge sheet: game-type backdrops, goal icons, medals and a banner,
// each in its numbered rectangle.
#include <cmath>
#include <functional>
#include <string>

#include "pictures/artMonster.h"
#include "genArt.h"
#include "kit/genBoards.h"
#include "pictures/genChallenge.h"
#include "kit/genWords.h"
#include "kit/sheetLayout.h"

using namespace art;

namespace {

// Strokes the current path in black and keeps the path and the source for the fill.
void Outline(cairo_t* cr, double width, double alpha = 0.95) {
  cairo_save(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, width);
  SetColor(cr, Grey(0, alpha));
  cairo_stroke_preserve(cr);
  cairo_restore(cr);
}

// Game-type backdrops: the board of each mode, small.
void TypeBackdrop(TSurface& s, const TRect& r, int type) {
  TBoard b{r.X + 1.0, r.Y + 1.0, r.W - 2.0, type == 1 ? 1 : 2};
  b.Dots = type != 1;
  DrawBoard(s, b);
  cairo_t* cr = s.Cr();
  if (type == 1) {
    RoundedRect(cr, b.X + 4, b.Y + 4, b.Size / 2 - 7, b.Size / 2 - 7, 5);
    SetColor(cr, LitQuadrantGround(2));
    cairo_fill_preserve(cr);
    NeonStroke(s, Hex(0xFFF6B0), 1.6, 3, 0.9);
  } else if (type == 2) {
    DrawPickedPoint(s, b.PX(1), b.PY(1), 5);
  } else {
    cairo_save(cr);
    cairo_rectangle(cr, b.X, b.Y, b.Size, b.Size);
    cairo_clip(cr);
    cairo_new_path(cr);
    // y = 2x - 1 through the picked points (0, -1) and (1, 1).
    cairo_move_to(cr, b.PX(-1), b.PY(-3));
    cairo_line_to(cr, b.PX(2), b.PY(3));
    NeonStroke(s, Hex(0xFF9A3C), 2, 4, 0.9);
    cairo_restore(cr);
    DrawPickedPoint(s, b.PX(0), b.PY(-1), 4.5);
    DrawPickedPoint(s, b.PX(1), b.PY(1), 4.5);
  }
}

// Goal icons, each on a dark round badge so they read over the backdrops.
void Badge(TSurface& s, double cx, double cy, double r, const TRGBA& rim) {
  RadialGlow(s.Cr(), cx, cy, r + 3, Grey(0, 0.6));
  cairo_arc(s.Cr(), cx, cy, r, 0, 2 * M_PI);
  cairo_pattern_t* p = Linear(0, cy - r, 0, cy + r, Hex(0x1A2A55), Hex(0x070C1E));
  cairo_set_source(s.Cr(), p);
  cairo_fill_preserve(s.Cr());
  cairo_pattern_destroy(p);
  cairo_set_line_width(s.Cr(), 2);
  SetColor(s.Cr(), rim);
  cairo_stroke(s.Cr());
}

void GoalScore(TSurface& s, const TRect& r) {
  const double cx = r.X + r.W / 2.0, cy = r.Y + r.H / 2.0;
  Badge(s, cx, cy, 24, Hex(0xFFD24A));
  cairo_t* cr = s.Cr();
  RadialGlow(cr, cx, cy, 22, Hex(0xFFD24A, 0.5));
  Star(cr, cx, cy + 1, 17, 7.5);
  cairo_pattern_t* p = Linear(0, cy - 16, 0, cy + 14, Hex(0xFFF3A0), Hex(0xFFA61E));
  cairo_set_source(cr, p);
  Outline(cr, 2.4);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  TLettering t;
  t.Size = 10;
  t.Top = t.Bottom = Hex(0x3A1C00);
  Letter(s, "+", cx, cy + 5, t, true);
}

void GoalClock(TSurface& s, const TRect& r) {
  const double cx = r.X + r.W / 2.0, cy = r.Y + r.H / 2.0 + 2;
  Badge(s, cx, cy - 2, 24, Hex(0x7FE3FF));
  cairo_t* cr = s.Cr();
  // Stopwatch: crown, body, face, hands.
  RoundedRect(cr, cx - 4, cy - 24, 8, 6, 1.5);
  SetColor(cr, Hex(0xC8D4E8));
  Outline(cr, 1.8);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 16, 0, 2 * M_PI);
  SetColor(cr, Hex(0xC8D4E8));
  Outline(cr, 2.4);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 12.5, 0, 2 * M_PI);
  cairo_pattern_t* face = Linear(0, cy - 12, 0, cy + 12, Hex(0xFFFFFF), Hex(0xD9E6F5));
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  // A red wedge of time running out.
  cairo_move_to(cr, cx, cy);
  cairo_arc(cr, cx, cy, 12.5, -M_PI / 2, -M_PI / 2 + 1.9);
  cairo_close_path(cr);
  SetColor(cr, Hex(0xFF4D5E, 0.55));
  cairo_fill(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 1.4);
  SetColor(cr, Grey(0.15));
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    cairo_move_to(cr, cx + 10 * std::cos(a), cy + 10 * std::sin(a));
    cairo_line_to(cr, cx + 12 * std::cos(a), cy + 12 * std::sin(a));
  }
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2.2);
  cairo_move_to(cr, cx, cy);
  cairo_line_to(cr, cx + 8 * std::cos(-M_PI / 2 + 1.9), cy + 8 * std::sin(-M_PI / 2 + 1.9));
  SetColor(cr, Hex(0xD0142C));
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, 2, 0, 2 * M_PI);
  SetColor(cr, Grey(0.1));
  cairo_fill(cr);
}

void GoalKills(TSurface& s, const TRect& r) {
  const double cx = r.X + r.W / 2.0, cy = r.Y + r.H / 2.0;
  Badge(s, cx, cy, 24, Hex(0xFF6A7A));
  TMonsterLook look;
  look.Mouth = 1;
  look.Arms = false;
  DrawMonster(s, cx, cy + 1, 20, Hex(0xA8F07A), look);
  // Crosshair over it.
  cairo_t* cr = s.Cr();
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, 15, 0, 2 * M_PI);
  cairo_move_to(cr, cx - 21, cy);
  cairo_line_to(cr, cx - 9, cy);
  cairo_move_to(cr, cx + 9, cy);
  cairo_line_to(cr, cx + 21, cy);
  cairo_move_to(cr, cx, cy - 21);
  cairo_line_to(cr, cx, cy - 9);
  cairo_move_to(cr, cx, cy + 9);
  cairo_line_to(cr, cx, cy + 21);
  cairo_set_line_width(cr, 4);
  SetColor(cr, Grey(0, 0.8));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2);
  SetColor(cr, Hex(0xFF3B4E));
  cairo_stroke(cr);
}

void GoalCombo(TSurface& s, const TRect& r) {
  const double cx = r.X + r.W / 2.0, cy = r.Y + r.H / 2.0;
  Badge(s, cx, cy, 24, Hex(0xFF9A3C));
  cairo_t* cr = s.Cr();
  // A flame.
  cairo_move_to(cr, cx, cy - 20);
  cairo_curve_to(cr, cx + 6, cy - 10, cx + 17, cy - 4, cx + 14, cy + 8);
  cairo_curve_to(cr, cx + 12, cy + 17, cx - 12, cy + 17, cx - 14, cy + 8);
  cairo_curve_to(cr, cx - 16, cy - 1, cx - 8, cy - 6, cx - 7, cy - 13);
  cairo_curve_to(cr, cx - 3, cy - 9, cx - 2, cy - 14, cx, cy - 20);
  cairo_close_path(cr);
  cairo_pattern_t* p = Linear(0, cy - 20, 0, cy + 16, Hex(0xFFF0A0), Hex(0xFF5A1E));
  cairo_set_source(cr, p);
  Outline(cr, 2.2);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  TLettering t;
  t.Size = 15;
  t.Top = Hex(0xFFFFFF);
  t.Bottom = Hex(0xFFE6A0);
  t.OutlineWidth = 2.2;
  t.Outline = Hex(0x2A0A00, 0.95);
  Letter(s, "x5", cx, cy + 11, t, true);
}

void Ribbon(cairo_t* cr, double cx, double top, double disc) {
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, cx + side * 6, disc);
    cairo_line_to(cr, cx + side * 26, top);
    cairo_line_to(cr, cx + side * 10, top);
    cairo_line_to(cr, cx - side * 8, disc - 6);
    cairo_close_path(cr);
    cairo_pattern_t* p = Linear(cx - 26, 0, cx + 26, 0, side < 0 ? Hex(0x2F6BFF) : Hex(0xE0334E),
                                side < 0 ? Hex(0x1B3FA8) : Hex(0x99142C));
    cairo_set_source(cr, p);
    Outline(cr, 2);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    // A light stripe down the ribbon.
    cairo_move_to(cr, cx + side * 18.5, top);
    cairo_line_to(cr, cx + side * 0.5, disc - 4);
    cairo_set_line_width(cr, 2);
    SetColor(cr, Grey(1, 0.55));
    cairo_stroke(cr);
  }
}

}  // namespace

void DrawMedal(TSurface& s, const TRect& r, const TMetal& m, bool wild) {
  cairo_t* cr = s.Cr();
  const double cx = r.X + r.W / 2.0, cy = r.Y + 64, rad = 36;
  Ribbon(cr, cx, r.Y + 3, cy - rad + 10);
  RadialGlow(cr, cx, cy, rad + 9, wild ? Hex(0xFF4FD8, 0.6) : Hex(m.Light, 0.45));
  if (wild) {
    // A spiky rim for the wild one.
    for (int i = 0; i < 32; ++i) {
      const double a = i * M_PI / 16;
      const double rr = i % 2 ? rad - 1 : rad + 5;
      if (i == 0) cairo_move_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
      else cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_pattern_t* spikes = cairo_pattern_create_linear(cx - rad, cy - rad, cx + rad, cy + rad);
    AddStop(spikes, 0, Hex(0x35F0FF));
    AddStop(spikes, 0.5, Hex(0xFF3FD0));
    AddStop(spikes, 1, Hex(0xFFE03A));
    cairo_set_source(cr, spikes);
    Outline(cr, 2.4);
    cairo_fill(cr);
    cairo_pattern_destroy(spikes);
  }
  cairo_arc(cr, cx, cy, rad, 0, 2 * M_PI);
  cairo_pattern_t* disc = cairo_pattern_create_radial(cx - 12, cy - 14, 2, cx, cy, rad);
  if (wild) {
    AddStop(disc, 0, Hex(0xFFFFFF));
    AddStop(disc, 0.35, Hex(0xB05CFF));
    AddStop(disc, 0.8, Hex(0x5A1FC8));
    AddStop(disc, 1, Hex(0x2A0A6A));
  } else {
    AddStop(disc, 0, Hex(0xFFFFFF));
    AddStop(disc, 0.3, Hex(m.Light));
    AddStop(disc, 0.75, Hex(m.Mid));
    AddStop(disc, 1, Hex(m.Dark));
  }
  cairo_set_source(cr, disc);
  Outline(cr, 2.6);
  cairo_fill(cr);
  cairo_pattern_destroy(disc);
  // Inner ring.
  cairo_arc(cr, cx, cy, rad - 6, 0, 2 * M_PI);
  cairo_set_line_width(cr, 2);
  SetColor(cr, wild ? Hex(0x35F0FF, 0.8) : Hex(m.Dark, 0.8));
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, rad - 7.5, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Grey(1, 0.5));
  cairo_stroke(cr);
  if (wild) {
    // A lightning bolt.
    cairo_move_to(cr, cx + 5, cy - 22);
    cairo_line_to(cr, cx - 11, cy + 3);
    cairo_line_to(cr, cx - 1, cy + 3);
    cairo_line_to(cr, cx - 6, cy + 22);
    cairo_line_to(cr, cx + 12, cy - 4);
    cairo_line_to(cr, cx + 2, cy - 4);
    cairo_close_path(cr);
    cairo_pattern_t* bolt = Linear(0, cy - 22, 0, cy + 22, Hex(0xFFFBD0), Hex(0xFFC21E));
    cairo_set_source(cr, bolt);
    Outline(cr, 2.2);
    cairo_fill(cr);
    cairo_pattern_destroy(bolt);
  } else {
    Star(cr, cx, cy + 1, 19, 8);
    cairo_pattern_t* star = Linear(0, cy - 18, 0, cy + 16, Hex(m.Light), Hex(m.Dark));
    cairo_set_source(cr, star);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 1.6);
    SetColor(cr, Hex(m.Dark));
    cairo_stroke_preserve(cr);
    cairo_set_source(cr, star);
    cairo_fill(cr);
    cairo_pattern_destroy(star);
  }
  // Shine.
  cairo_save(cr);
  cairo_arc(cr, cx, cy, rad - 2, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_translate(cr, cx - 12, cy - 16);
  cairo_rotate(cr, -0.6);
  cairo_scale(cr, 16, 7);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, Grey(1, 0.35));
  cairo_fill(cr);
}

namespace {

void Banner(TSurface& s, const TRect& r) {
  cairo_t* cr = s.Cr();
  RoundedRect(cr, r.X + 1, r.Y + 1, r.W - 2, r.H - 2, 10);
  cairo_pattern_t* p = Linear(0, r.Y, 0, r.Y + r.H, Hex(0x1B2F66, 0.92), Hex(0x0A1330, 0.92));
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  NeonStroke(s, Hex(0xFFD24A), 1.4, 2.5, 0.7);
  // Four small medals.
  const std::uint32_t colors[4] = {0xD98A4A, 0xDDE4EE, 0xFFD24A, 0xC060FF};
  for (int i = 0; i < 4; ++i) {
    const double mx = r.X + 19 + 22 * i, my = r.Y + r.H / 2.0 + 2;
    cairo_move_to(cr, mx - 5, my - 16);
    cairo_line_to(cr, mx + 5, my - 16);
    cairo_line_to(cr, mx + 2, my - 6);
    cairo_line_to(cr, mx - 2, my - 6);
    cairo_close_path(cr);
    SetColor(cr, i % 2 ? Hex(0x2F6BFF) : Hex(0xE0334E));
    cairo_fill(cr);
    cairo_arc(cr, mx, my + 2, 10, 0, 2 * M_PI);
    cairo_pattern_t* d = cairo_pattern_create_radial(mx - 3, my - 2, 1, mx, my + 2, 10);
    AddStop(d, 0, Hex(0xFFFFFF));
    AddStop(d, 0.5, Hex(colors[i]));
    AddStop(d, 1, Mix(Hex(colors[i]), Grey(0), 0.45));
    cairo_set_source(cr, d);
    Outline(cr, 1.6);
    cairo_fill(cr);
    cairo_pattern_destroy(d);
  }
  TLettering t;
  t.Size = 17;
  t.Top = Hex(0xFFF6C0);
  t.Bottom = Hex(0xFFB02E);
  t.OutlineWidth = 2.2;
  t.Outline = Hex(0x120800, 0.95);
  const double textX = r.X + 103, room = r.X + r.W - 8 - textX;
  const std::string title = WF(W("WIN ALL %s MEDALS!"), {"48"});
  SelectFace(cr, t.Face, t.Size);
  while (TextWidth(cr, title) > room) SelectFace(cr, t.Face, t.Size -= 0.5);
  Letter(s, title, textX, r.Y + 24, t);
  TLettering small;
  small.Face = TFace::Sans;
  small.Size = 11;
  small.Top = small.Bottom = Hex(0xC8D8F5);
  Letter(s, WF(W("%1$s challenges, %2$s difficulties"), {"12", "4"}), textX, r.Y + 40, small);
}

// Draws one picture on its own surface the size of its rectangle, so that no
// glow reaches a neighbour, and pastes it in.
void Place(TSurface& sheet, int index, const std::function<void(TSurface&, const TRect&)>& draw) {
  const TRect r = ChallengeRect(index);
  TSurface piece(r.W, r.H);
  draw(piece, {0, 0, r.W, r.H});
  sheet.Paint(piece, r.X, r.Y);
}

}  // namespace

std::vector<std::uint32_t> DrawChallengeSheet() {
  TSurface s(ChallengeSheetSize, ChallengeSheetSize);
  for (int type = 1; type <= 3; ++type)
    Place(s, type - 1, [type](TSurface& p, const TRect& r) { TypeBackdrop(p, r, type); });
  Place(s, 3, GoalScore);
  Place(s, 4, GoalClock);
  Place(s, 5, GoalKills);
  Place(s, 6, GoalCombo);
  const TMetal bronze{0xF2B27A, 0xC87533, 0x6E3A12}, silver{0xFFFFFF, 0xB9C2CF, 0x5E6878},
      gold{0xFFF1A0, 0xF2B705, 0x8A5A00};
  Place(s, 8, [&](TSurface& p, const TRect& r) { DrawMedal(p, r, bronze, false); });   // Easy
  Place(s, 9, [&](TSurface& p, const TRect& r) { DrawMedal(p, r, silver, false); });   // Medium
  Place(s, 10, [&](TSurface& p, const TRect& r) { DrawMedal(p, r, gold, false); });    // Hard
  Place(s, 11, [&](TSurface& p, const TRect& r) { DrawMedal(p, r, {}, true); });       // Crazy: the wild one
  Place(s, 15, Banner);
  return s.Pixels();
}

TImage ChallengeSheetPicture() {
  return MakeImage("challenges", ChallengeSheetSize, ChallengeSheetSize, DrawChallengeSheet());
}
