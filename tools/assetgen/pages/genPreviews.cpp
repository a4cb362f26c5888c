// The three game-mode previews shown while the pointer rests on a mode button:
// a board of the mode with a monster, its question and the answer being clicked.
#include <cmath>
#include <sstream>
#include <string>

#include "pictures/artMonster.h"
#include "game/ColorLib.h"
#include "tables/defColours.h"
#include "genArt.h"
#include "kit/genBoards.h"
#include "kit/genWords.h"
#include "tables/defLevels.h"

using namespace art;

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

TImage QuadrantPreview(TDiagramMarks& marks) {
  TSurface s(PreviewW, PreviewH);
  PreviewBackground(s);
  cairo_t* cr = s.Cr();
  TBoard b{PreviewBoard.X, PreviewBoard.Y, PreviewBoard.Size, 1};
  b.Dots = false;
  DrawBoard(s, b);
  const double half = b.Size / 2;
  // The answer: the top-left quadrant lights up under the pointer.
  RoundedRect(cr, b.X + 4, b.Y + 4, half - 7, half - 7, 6);
  SetColor(cr, LitQuadrantGround(2));
  cairo_fill_preserve(cr);
  NeonStroke(s, Hex(0xFFF6B0), 2, 4, 0.9);
  // Each quadrant's numeral in its outer corner, white and outlined as the
  // game's tiles show them.
  TLettering n;
  n.Face = TFace::SerifBold;
  n.Size = 19;
  n.OutlineWidth = 2;
  n.Outline = Hex(0x050A18, 0.95);
  const double cornerX[4] = {b.X + b.Size - 22, b.X + 22, b.X + 22, b.X + b.Size - 22};
  const double cornerY[4] = {b.Y + 27, b.Y + 27, b.Y + b.Size - 12, b.Y + b.Size - 12};
  for (int q = 1; q <= 4; ++q) {
    const std::string numeral = q == 1 ? "I" : q == 2 ? "II" : q == 3 ? "III" : "IV";
    Letter(s, numeral, cornerX[q - 1], cornerY[q - 1], n, true);
    marks.AddNumber({numeral, q, true, TextInk(cr, numeral, cornerX[q - 1], cornerY[q - 1], n, true)});
  }
  // The monster walks toward the origin inside the quadrant its point names.
  const double mx = b.X + half * 0.72, my = b.Y + half * 0.78, size = 26, tagBottom = my - 19;
  const std::string question = PointWords("-X", "Y");
  TMonsterLook look;
  look.Head = 1;
  look.LookX = -0.8;
  look.LookY = -0.6;
  // The quadrant game's monsters wear a colour no quadrant has.
  DrawMonster(s, mx, my, size, Hex(LightenColour(64, NeutralMonsterColours[0])), look);
  marks.AddBox(MonsterBox(mx, my, size, 1), "the monster");
  DrawQuestionTag(s, question, mx, tagBottom, 10, Hex(0xFFF27A));
  marks.AddBox(QuestionTagBox(cr, question, mx, tagBottom, 10), "the question");
  const double px = b.X + 16, py = b.Y + half * 0.62;
  DrawPointer(s, px, py, 1.15);
  marks.AddBox(PointerBox(px, py, 1.15), "the pointer");
  Title(s, UpperWords(W(GameTypeName(GameType::QuickQuadrants).c_str())), Hex(GameTypeColours[0]));
  double y = Paragraph(s,
                       WF(W("Each monster carries a point like %s, where X and Y are positive numbers. Click the "
                            "quadrant the point is in, or press Enter on it, before the monster reaches the origin."),
                          {question}),
                       196, 58, 184, 12.5, 16, Hex(0xDCE8FF));
  TLettering ex;
  ex.Face = TFace::MonoBold;
  ex.Size = 12;
  ex.Top = ex.Bottom = Hex(0xFFF27A);
  Letter(s, WF(W("%s: left, up = II"), {question}), 196, y + 10, ex);
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
  const std::string question = PointWords("-3+5", "2");
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
  Title(s, UpperWords(W(GameTypeName(GameType::WhatsThePoint).c_str())), Hex(GameTypeColours[1]));
  double y = Paragraph(s, W("Work out the monster's point, then click it on the grid or press Enter there."), 196, 58, 184, 12.5, 16,
                       Hex(0xDCE8FF));
  TLettering ex;
  ex.Face = TFace::MonoBold;
  ex.Size = 12;
  ex.Top = ex.Bottom = Hex(0xFFF27A);
  Letter(s, question + " = " + PointWords(2, 2), 196, y + 10, ex);
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
  Title(s, UpperWords(W(GameTypeName(GameType::DefineTheLine).c_str())), Hex(GameTypeColours[2]));
  double y = Paragraph(s, W("The monster carries a line. Click two grid points on it, or press Enter on each."), 196, 58, 184, 12.5, 16,
                       Hex(0xDCE8FF));
  TLettering ex;
  ex.Face = TFace::MonoBold;
  ex.Size = 12;
  ex.Top = ex.Bottom = Hex(0xFFF27A);
  Letter(s, WF(W("%1$s: %2$s and %3$s"), {question, PointWords(-1, 1), PointWords(0, 3)}), 196, y + 10, ex);
  return MakeImage("preview-lines", s);
}

}  // namespace

std::vector<TImage> ModePreviewPictures(std::vector<TDiagramMarks>* marks) {
  std::vector<TDiagramMarks> own(3);
  std::vector<TImage> out = {QuadrantPreview(own[0]), PointPreview(own[1]), LinePreview(own[2])};
  if (marks != nullptr) *marks = std::move(own);
  return out;
}
