// The three game-mode previews shown while the pointer rests on a mode button:
// a board of the mode with a monster, its question and the answer being clicked.
#include <cmath>
#include <sstream>
#include <string>

#include "artMonster.h"
#include "genArt.h"
#include "genBoards.h"

using namespace art;

TRGBA QuadrantColor(int quadrant, double alpha) {
  switch (quadrant) {
    case 1: return Hex(0x3F7BFF, alpha);
    case 2: return Hex(0x33CC66, alpha);
    case 3: return Hex(0xE6C83A, alpha);
    default: return Hex(0xFF5470, alpha);
  }
}

void DrawBoard(TSurface& s, const TBoard& b) {
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
    cairo_pattern_t* p = Linear(qx[q - 1], qy[q - 1], qx[q - 1] + half, qy[q - 1] + half, QuadrantColor(q, 0.34),
                                QuadrantColor(q, 0.2));
    cairo_rectangle(cr, qx[q - 1], qy[q - 1], half, half);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
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
  if (b.Numbers) {
    TLettering n;
    n.Face = TFace::SansBold;
    n.Size = std::max(7.0, b.Size / 19);
    n.Top = n.Bottom = Hex(0xDDE8FF, 0.85);
    n.OutlineWidth = 1.6;
    n.Outline = Hex(0x050A18, 0.9);
    for (int i = -b.Range; i <= b.Range; ++i) {
      if (i == 0) continue;
      Letter(s, std::to_string(i), b.PX(i) + 1, cy + n.Size + 3, n, true);
      Letter(s, std::to_string(i), cx + 4 + (i < 0 ? 0 : 2), b.PY(i) + n.Size * 0.35, n);
    }
  }
  cairo_restore(cr);
  // Neon frame.
  RoundedRect(cr, b.X + 0.5, b.Y + 0.5, b.Size - 1, b.Size - 1, b.Size * 0.04);
  NeonStroke(s, Hex(0x6FD8FF, 0.9), 1.2, 3, 0.6);
}

void DrawPickedPoint(TSurface& s, double x, double y, double radius) {
  RadialGlow(s.Cr(), x, y, radius * 2.6, Hex(0xFFFFFF, 0.8));
  cairo_arc(s.Cr(), x, y, radius, 0, 2 * M_PI);
  cairo_set_line_width(s.Cr(), 2);
  SetColor(s.Cr(), Hex(0xFFF6B0));
  cairo_stroke(s.Cr());
}

namespace {

constexpr int PreviewW = 390, PreviewH = 190;

// Words wrapped to a width in the selected face, drawn line by line.
double Paragraph(TSurface& s, const std::string& text, double x, double y, double width, double size,
                 double lineGap, const TRGBA& color) {
  cairo_t* cr = s.Cr();
  SelectFace(cr, TFace::Sans, size);
  std::istringstream words(text);
  std::string word, line;
  TLettering t;
  t.Face = TFace::Sans;
  t.Size = size;
  t.Top = t.Bottom = color;
  auto flush = [&] {
    if (line.empty()) return;
    Letter(s, line, x, y, t);
    y += lineGap;
    line.clear();
  };
  while (words >> word) {
    const std::string trial = line.empty() ? word : line + " " + word;
    SelectFace(cr, TFace::Sans, size);
    if (TextWidth(cr, trial) > width && !line.empty()) {
      flush();
      line = word;
    } else {
      line = trial;
    }
  }
  flush();
  return y;
}

void PreviewBackground(TSurface& s) {
  InkBackground(s, Hex(0x11214D), Hex(0x060B1C));
  GraphPaper(s, Hex(0x6E9BFF, 0.06), Hex(0x6E9BFF, 0.12));
  Vignette(s, 0.5);
}

void Title(TSurface& s, const std::string& name, const TRGBA& color) {
  TLettering t;
  t.Size = 17;
  t.Top = Mix(color, Grey(1), 0.55);
  t.Bottom = color;
  t.OutlineWidth = 2.2;
  t.Outline = Hex(0x03060F, 0.95);
  t.ShadowOffset = 1.5;
  t.ShadowBlur = 1;
  cairo_t* cr = s.Cr();
  SelectFace(cr, t.Face, t.Size);
  while (TextWidth(cr, name) > 180 && t.Size > 11) SelectFace(cr, t.Face, t.Size -= 0.5);
  Letter(s, name, 287, 32, t, true);
}

TImage QuadrantPreview() {
  TSurface s(PreviewW, PreviewH);
  PreviewBackground(s);
  TBoard b{10, 10, 170, 1};
  b.Dots = false;
  DrawBoard(s, b);
  // The answer: the top-left quadrant lights up under the pointer.
  cairo_t* cr = s.Cr();
  RoundedRect(cr, b.X + 4, b.Y + 4, b.Size / 2 - 7, b.Size / 2 - 7, 6);
  SetColor(cr, QuadrantColor(2, 0.35));
  cairo_fill_preserve(cr);
  NeonStroke(s, Hex(0x9BFFBE), 2, 4, 0.9);
  TMonsterLook look;
  look.Head = 1;
  look.LookX = -0.8;
  look.LookY = -0.6;
  DrawMonster(s, 136, 136, 32, Hex(0xFF7A8C), look);
  DrawQuestionTag(s, "(-3, 4)", 136, 106, 12, Hex(0xFFF27A));
  DrawPointer(s, 52, 50, 1.2);
  Title(s, "ROZIR IVIVURUDA", QuadrantColor(2));
  double y = Paragraph(s, "Each monster carries a point. Click the quadrant where the point lies before the monster "
                          "reaches the origin.",
                       196, 58, 184, 12.5, 16, Hex(0xDCE8FF));
  TLettering ex;
  ex.Face = TFace::MonoBold;
  ex.Size = 12;
  ex.Top = ex.Bottom = Hex(0xFFF27A);
  Letter(s, "(-3, 4): x < 0, y > 0", 196, y + 10, ex);
  return MakeImage("preview-quadrants", s);
}

TImage PointPreview() {
  TSurface s(PreviewW, PreviewH);
  PreviewBackground(s);
  TBoard b{10, 10, 170, 3};
  b.Numbers = true;
  DrawBoard(s, b);
  DrawPickedPoint(s, b.PX(2), b.PY(2), 6);
  TMonsterLook look;
  look.Head = 2;
  look.Mouth = 1;
  look.LookX = -0.7;
  look.LookY = 0.5;
  look.Aspect = 1.15;
  DrawMonster(s, b.PX(-1.5), b.PY(-1.6), 28, Hex(0x6FA8FF), look);
  DrawQuestionTag(s, "(-3+5, 2)", b.PX(-1.5), b.PY(-1.6) - 21, 11.5, Hex(0xFFF27A));
  DrawPointer(s, b.PX(2) + 2, b.PY(2) + 2, 1.2);
  Title(s, "VOVE'R UDA ZERIR?", Hex(0x4F9BFF));
  double y = Paragraph(s, "Work out the monster's point, then click that point on the grid.", 196, 58, 184, 12.5, 16,
                       Hex(0xDCE8FF));
  TLettering ex;
  ex.Face = TFace::MonoBold;
  ex.Size = 12;
  ex.Top = ex.Bottom = Hex(0xFFF27A);
  Letter(s, "(-3+5, 2) = (2, 2)", 196, y + 10, ex);
  return MakeImage("preview-points", s);
}

TImage LinePreview() {
  TSurface s(PreviewW, PreviewH);
  PreviewBackground(s);
  TBoard b{10, 10, 170, 3};
  b.Numbers = true;
  DrawBoard(s, b);
  // y = 2x + 3 through the two picked points (-1, 1) and (0, 3).
  cairo_t* cr = s.Cr();
  cairo_save(cr);
  cairo_rectangle(cr, b.X, b.Y, b.Size, b.Size);
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, b.PX(-3.5), b.PY(-4));
  cairo_line_to(cr, b.PX(0.5), b.PY(4));
  NeonStroke(s, Hex(0xFF9A3C), 2.4, 5, 0.9);
  cairo_restore(cr);
  DrawPickedPoint(s, b.PX(-1), b.PY(1), 6);
  DrawPickedPoint(s, b.PX(0), b.PY(3), 6);
  TMonsterLook look;
  look.Head = 3;
  look.Mouth = 3;
  look.LookX = -0.6;
  look.LookY = -0.7;
  DrawMonster(s, b.PX(1.9), b.PY(-1.9), 28, Hex(0xB98CFF), look);
  DrawQuestionTag(s, "y=2x+3", b.PX(1.9), b.PY(-1.9) - 21, 11.5, Hex(0xFFF27A));
  DrawPointer(s, b.PX(0) + 2, b.PY(3) + 2, 1.2);
  Title(s, "DEFINE THE LINE", Hex(0xA07BFF));
  double y = Paragraph(s, "The monster carries a line. Click two grid points that lie on it.", 196, 58, 184, 12.5, 16,
                       Hex(0xDCE8FF));
  TLettering ex;
  ex.Face = TFace::MonoBold;
  ex.Size = 12;
  ex.Top = ex.Bottom = Hex(0xFFF27A);
  Letter(s, "y=2x+3: (-1,1) and (0,3)", 196, y + 10, ex);
  return MakeImage("preview-lines", s);
}

}  // namespace

std::vector<TImage> ModePreviewPictures() { return {QuadrantPreview(), PointPreview(), LinePreview()}; }
