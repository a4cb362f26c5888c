// The three game-mode previews shown while the pointer rests on a mode button:
// a board of the mode with a monster, its question and the answer being clicked.
#include <cmath>
#include <sstream>
#include <string>

#include "artMonster.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "genArt.h"
#include "genBoards.h"

using namespace art;

TRGBA QuadrantColor(int quadrant, double alpha) {
  // The game's own quadrant colour, softened a little for the dark pictures.
  return Mix(Hex(QuadrantColour(quadrant), alpha), Hex(0xFFFFFF, alpha), 0.25);
}

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
    // Each number below (or right of) its axis, or above (left of) it, or a
    // little aside, where a mark of the picture lies in the way.
    for (int i = -b.Range; i <= b.Range; ++i) {
      if (i == 0) continue;
      const std::string text = std::to_string(i);
      SelectFace(cr, n.Face, n.Size);
      const double w = TextWidth(cr, text);
      const double u = b.Unit(), below = cy + n.Size + 3, above = cy - 4, level = b.PY(i) + n.Size * 0.35;
      const double xs[6][2] = {{b.PX(i) + 1, below},           {b.PX(i) + 1, above},
                               {b.PX(i) + 1 + 0.4 * u, below}, {b.PX(i) + 1 - 0.4 * u, below},
                               {b.PX(i) + 1 + 0.4 * u, above}, {b.PX(i) + 1 - 0.4 * u, above}};
      const double ys[6][2] = {{cx + 4 + (i < 0 ? 0 : 2), level},           {cx - 4 - w, level},
                               {cx + 4 + (i < 0 ? 0 : 2), level - 0.4 * u}, {cx - 4 - w, level - 0.4 * u},
                               {cx + 6 + 0.3 * u, level},                  {cx - 4 - w - 0.3 * u, level}};
      for (int axis = 0; axis < 2; ++axis) {
        const auto& places = axis == 0 ? xs : ys;
        for (const auto& place : places) {
          const TDiagramBox r = TextInk(cr, text, place[0], place[1], n, axis == 0);
          if (marks != nullptr && !marks->Free(r)) continue;
          Letter(s, text, place[0], place[1], n, axis == 0);
          if (marks != nullptr) marks->AddNumber({text, i, axis == 0, r});
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
  TBoard b{PreviewBoard.X, PreviewBoard.Y, PreviewBoard.Size, 1};
  b.Dots = false;
  DrawBoard(s, b);
  // The answer: the top-left quadrant lights up under the pointer.
  cairo_t* cr = s.Cr();
  RoundedRect(cr, b.X + 4, b.Y + 4, b.Size / 2 - 7, b.Size / 2 - 7, 6);
  SetColor(cr, QuadrantColor(2, 0.35));
  cairo_fill_preserve(cr);
  NeonStroke(s, Hex(0xFFF6B0), 2, 4, 0.9);
  TMonsterLook look;
  look.Head = 1;
  look.LookX = -0.8;
  look.LookY = -0.6;
  // The quadrant game's monsters wear a colour no quadrant has.
  DrawMonster(s, 136, 136, 32, Hex(LightenColour(64, NeutralMonsterColours[0])), look);
  DrawQuestionTag(s, "(-X,Y)", 136, 106, 12, Hex(0xFFF27A));
  DrawPointer(s, 52, 50, 1.2);
  Title(s, "ROZIR IVIVURUDA", Hex(0x4FDB7A));
  double y = Paragraph(s, "Each monster carries a point like (-X,Y), where X and Y are positive numbers. Click the "
                          "quadrant the point is in before the monster reaches the origin.",
                       196, 58, 184, 12.5, 16, Hex(0xDCE8FF));
  TLettering ex;
  ex.Face = TFace::MonoBold;
  ex.Size = 12;
  ex.Top = ex.Bottom = Hex(0xFFF27A);
  Letter(s, "(-X,Y): left, up = II", 196, y + 10, ex);
  return MakeImage("preview-quadrants", s);
}

TImage PointPreview(TDiagramMarks& marks) {
  TSurface s(PreviewW, PreviewH);
  PreviewBackground(s);
  cairo_t* cr = s.Cr();
  TBoard b{PreviewBoard.X, PreviewBoard.Y, PreviewBoard.Size, 3};
  b.Numbers = true;
  // The marks are known before the board, so that its numbers keep clear of them.
  const double mx = b.PX(-1.7), my = b.PY(-2.45), size = 28, tagBottom = my - 21;
  const std::string question = "(-3+5,2)";
  marks.AddBox(PickedPointBox(b.PX(2), b.PY(2), 6), "the picked point");
  marks.AddBox(PointerBox(b.PX(2) + 2, b.PY(2) + 2, 1.2), "the pointer");
  marks.AddBox(MonsterBox(mx, my, size, 1.15), "the monster");
  marks.AddBox(QuestionTagBox(cr, question, mx, tagBottom, 11.5), "the question");
  DrawBoard(s, b, &marks);
  DrawPickedPoint(s, b.PX(2), b.PY(2), 6);
  TMonsterLook look;
  look.Head = 2;
  look.Mouth = 1;
  look.LookX = -0.7;
  look.LookY = 0.5;
  look.Aspect = 1.15;
  // Its answer (2,2) is in quadrant I, and a point monster wears its answer's colour.
  DrawMonster(s, mx, my, size, Hex(LightenColour(64, QuadrantColour(1))), look);
  DrawQuestionTag(s, question, mx, tagBottom, 11.5, Hex(0xFFF27A));
  DrawPointer(s, b.PX(2) + 2, b.PY(2) + 2, 1.2);
  Title(s, "VOVE'R UDA ZERIR?", Hex(0x4F9BFF));
  double y = Paragraph(s, "Work out the monster's point, then click that point on the grid.", 196, 58, 184, 12.5, 16,
                       Hex(0xDCE8FF));
  TLettering ex;
  ex.Face = TFace::MonoBold;
  ex.Size = 12;
  ex.Top = ex.Bottom = Hex(0xFFF27A);
  Letter(s, question + " = (2,2)", 196, y + 10, ex);
  return MakeImage("preview-points", s);
}

TImage LinePreview(TDiagramMarks& marks) {
  TSurface s(PreviewW, PreviewH);
  PreviewBackground(s);
  cairo_t* cr = s.Cr();
  TBoard b{PreviewBoard.X, PreviewBoard.Y, PreviewBoard.Size, 3};
  b.Numbers = true;
  // y = 2x + 3 through the two picked points (-1, 1) and (0, 3).
  const std::string question = "y=2x+3";
  const double mx = b.PX(2.0), my = b.PY(-2.45), size = 28, tagBottom = my - 21;
  marks.AddStroke({b.PX(-3.5), b.PY(-4), b.PX(0.5), b.PY(4), 4}, "the line");
  marks.AddBox(PickedPointBox(b.PX(-1), b.PY(1), 6), "a picked point");
  marks.AddBox(PickedPointBox(b.PX(0), b.PY(3), 6), "a picked point");
  marks.AddBox(PointerBox(b.PX(-1) + 2, b.PY(1) + 2, 1.2), "the pointer");
  marks.AddBox(MonsterBox(mx, my, size, 1), "the monster");
  marks.AddBox(QuestionTagBox(cr, question, mx, tagBottom, 11.5), "the question");
  DrawBoard(s, b, &marks);
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
  DrawMonster(s, mx, my, size, Hex(LightenColour(64, NeutralMonsterColours[3])), look);
  DrawQuestionTag(s, question, mx, tagBottom, 11.5, Hex(0xFFF27A));
  DrawPointer(s, b.PX(-1) + 2, b.PY(1) + 2, 1.2);
  Title(s, "DEFINE THE LINE", Hex(0xA07BFF));
  double y = Paragraph(s, "The monster carries a line. Click two grid points that lie on it.", 196, 58, 184, 12.5, 16,
                       Hex(0xDCE8FF));
  TLettering ex;
  ex.Face = TFace::MonoBold;
  ex.Size = 12;
  ex.Top = ex.Bottom = Hex(0xFFF27A);
  Letter(s, question + ": (-1,1) and (0,3)", 196, y + 10, ex);
  return MakeImage("preview-lines", s);
}

}  // namespace

std::vector<TImage> ModePreviewPictures(std::vector<TDiagramMarks>* marks) {
  std::vector<TDiagramMarks> own(3);
  std::vector<TImage> out = {QuadrantPreview(), PointPreview(own[1]), LinePreview(own[2])};
  if (marks != nullptr) *marks = std::move(own);
  return out;
}
