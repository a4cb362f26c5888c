// Small pictures of the game board shared by the previews, the challenge tiles,
// the end cards and the tutorial pages: the plane with its coloured quadrants,
// grid points and numbers, and the boxes their marks cover.
#include <cmath>
#include <string>

#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "kit/genBoards.h"

using namespace art;
TRGBA QuadrantColor(int quadrant, double alpha) {
  // The game's own quadrant colour, softened a little for the dark pictures.
  return Mix(Hex(QuadrantColour(quadrant), alpha), Hex(0xFFFFFF, alpha), 0.25);
}

TRGBA QuadrantGround(int quadrant) { return Hex(QuadrantFill(quadrant)); }

// Darker, not lighter: the white numeral must still read on it.
TRGBA LitQuadrantGround(int quadrant) { return Mix(QuadrantGround(quadrant), Grey(0), 0.14); }

void DrawBoard(TSurface& s, const TBoard& b, TDiagramMarks* marks) {
  cairo_t* cr = s.Cr();
  const double half = b.Size / 2, cx = b.X + half, cy = b.Y + half;
  cairo_save(cr);
  RoundedRect(cr, b.X, b.Y, b.Size, b.Size, b.Size * 0.04);
  SetColor(cr, Hex(0x081022, 0.92));
  cairo_fill_preserve(cr);
  cairo_clip(cr);
  // Quadrant cells.
  const double qx[4] = {cx, b.X, b.X, cx}, qy[4] = {b.Y, b.Y, cy, cy};
  for (int q = 1; q <= 4; ++q) {
    cairo_rectangle(cr, qx[q - 1], qy[q - 1], half, half);
    SetColor(cr, QuadrantGround(q));
    cairo_fill(cr);
  }
  // Grid lines.
  cairo_set_line_width(cr, 1);
  SetColor(cr, Hex(0xCFE0FF, 0.18));
  for (int i = -b.Range; i <= b.Range; ++i) {
    const double x = std::floor(b.PX(i)) + 0.5, y = std::floor(b.PY(i)) + 0.5;
    cairo_move_to(cr, x, b.PY(b.Range + 0.5));
    cairo_line_to(cr, x, b.PY(-b.Range - 0.5));
    cairo_move_to(cr, b.PX(-b.Range - 0.5), y);
    cairo_line_to(cr, b.PX(b.Range + 0.5), y);
  }
  cairo_stroke(cr);
  // Axes.
  cairo_new_path(cr);
  cairo_move_to(cr, b.X, cy);
  cairo_line_to(cr, b.X + b.Size, cy);
  cairo_move_to(cr, cx, b.Y);
  cairo_line_to(cr, cx, b.Y + b.Size);
  NeonStroke(s, Hex(0xF6EE9A), std::max(1.4, b.Size / 110), std::max(2.0, b.Size / 60), 0.7);
  if (b.Dots)
    for (int i = -b.Range; i <= b.Range; ++i)
      for (int j = -b.Range; j <= b.Range; ++j) {
        const double x = b.PX(i), y = b.PY(j), r = std::max(1.6, b.Size / 90);
        RadialGlow(cr, x, y, r * 3.2, Grey(1, 0.35));
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        SetColor(cr, Grey(1, 0.95));
        cairo_fill(cr);
      }
  if (b.Numerals) {
    TLettering n;
    n.Face = TFace::SerifBold;
    n.Size = b.Size * 0.15;
    n.OutlineWidth = std::max(1.6, n.Size * 0.1);
    n.Outline = Hex(0x050A18, 0.95);
    static const char* const numerals[4] = {"I", "II", "III", "IV"};
    for (int q = 1; q <= 4; ++q) {
      const double x = qx[q - 1] + half / 2, y = qy[q - 1] + half / 2 + n.Size * 0.36;
      Letter(s, numerals[q - 1], x, y, n, true);
      if (marks != nullptr) marks->AddNumber({numerals[q - 1], q, true, TextInk(cr, numerals[q - 1], x, y, n, true)});
    }
  }
  if (b.Numbers) {
    TLettering n;
    n.Face = TFace::SansBold;
    n.Size = std::max(7.5, b.Size / 18);
    n.OutlineWidth = 1.8;
    n.Outline = Hex(0x050A18, 0.95);
    // Each number at its tick: below (or right of) its axis, above (left of)
    // it, further off the axis where a mark lies in the way, and over a line
    // or an arrow (outlined) only where nothing else is free.
    for (int i = -b.Range; i <= b.Range; ++i) {
      if (i == 0) continue;
      const std::string text = std::to_string(i);
      SelectFace(cr, n.Face, n.Size);
      const double w = TextWidth(cr, text);
      const double u = b.Unit(), below = cy + n.Size + 3, above = cy - 4, level = b.PY(i) + n.Size * 0.35;
      const double xs[4][2] = {{b.PX(i), below}, {b.PX(i), above}, {b.PX(i), below + 0.3 * u}, {b.PX(i), above - 0.3 * u}};
      const double ys[4][2] = {{cx + 4, level}, {cx - 4 - w, level}, {cx + 4 + 0.3 * u, level}, {cx - 4 - w - 0.3 * u, level}};
      for (int axis = 0; axis < 2; ++axis) {
        const auto& places = axis == 0 ? xs : ys;
        bool placed = false;
        for (int pass = 0; pass < 2 && !placed; ++pass)
          for (const auto& place : places) {
            const TDiagramBox r = TextInk(cr, text, place[0], place[1], n, axis == 0);
            if (marks != nullptr && !(pass == 0 ? marks->Free(r) : marks->FreeOverStrokes(r))) continue;
            Letter(s, text, place[0], place[1], n, axis == 0);
            if (marks != nullptr) marks->AddNumber({text, i, axis == 0, r});
            placed = true;
            break;
          }
      }
    }
  }
  cairo_restore(cr);
  // Neon frame.
  RoundedRect(cr, b.X + 0.5, b.Y + 0.5, b.Size - 1, b.Size - 1, b.Size * 0.04);
  NeonStroke(s, Hex(0x6FD8FF, 0.9), 1.2, 3, 0.6);
}

TDiagramBox TextInk(cairo_t* cr, const std::string& text, double x, double baseline, const TLettering& t,
                    bool centred) {
  SelectFace(cr, t.Face, t.Size);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  if (centred) x -= TextWidth(cr, text) / 2;
  const double reach = t.OutlineWidth / 2 + 0.5;
  return {x + ext.x_bearing - reach, baseline + ext.y_bearing - reach, x + ext.x_bearing + ext.width + reach,
          baseline + ext.y_bearing + ext.height + reach};
}

TDiagramBox PickedPointBox(double x, double y, double radius) {
  return {x - radius - 1.5, y - radius - 1.5, x + radius + 1.5, y + radius + 1.5};
}

TDiagramBox PointerBox(double x, double y, double scale) { return {x - 1, y - 1, x + 13.5 * scale, y + 20.5 * scale}; }

TDiagramBox QuestionTagBox(cairo_t* cr, const std::string& text, double cx, double bottom, double size) {
  SelectFace(cr, TFace::MonoBold, size);
  const double w = TextWidth(cr, text) + size * 0.9, h = size * 1.45;
  return {cx - w / 2 - 1, bottom - h - 1, cx + w / 2 + 1, bottom + 1};
}

TDiagramBox MonsterBox(double cx, double cy, double size, double aspect) {
  return {cx - 0.75 * size * aspect, cy - 0.75 * size, cx + 0.75 * size * aspect, cy + 0.75 * size};
}

void DrawPickedPoint(TSurface& s, double x, double y, double radius) {
  RadialGlow(s.Cr(), x, y, radius * 2.6, Hex(0xFFFFFF, 0.8));
  cairo_arc(s.Cr(), x, y, radius, 0, 2 * M_PI);
  cairo_set_line_width(s.Cr(), 2);
  SetColor(s.Cr(), Hex(0xFFF6B0));
  cairo_stroke(s.Cr());
}
