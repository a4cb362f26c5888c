#pragma once
// Small pictures of the game board: the coordinate plane with coloured
// quadrants, grid points and axes. Used by the mode previews and the challenge
// tiles.
#include "kit/artDraw.h"
#include "kit/diagramMarks.h"

struct TBoard {
  double X, Y, Size;  // the board's square on the surface
  int Range;          // grid points from -Range to Range
  bool Dots = true;
  bool Numbers = false;
  bool Numerals = false;  // I..IV in the middle of each quadrant, white and outlined
  // Surface position of a plane point; half a cell of margin around the grid
  // keeps the edge points and their numbers inside.
  double Unit() const { return Size / (2.0 * Range + 1); }
  double PX(double px) const { return X + Size / 2 + px * Unit(); }
  double PY(double py) const { return Y + Size / 2 - py * Unit(); }
};

// Quadrant colours of the pictures (1 top right, 2 top left, 3 bottom left, 4
// bottom right): the game's quadrant colours, softened for dark pictures (for
// zaps and glows).
art::TRGBA QuadrantColor(int quadrant, double alpha = 1.0);
// The opaque ground of a quadrant, as the game's board fills it.
art::TRGBA QuadrantGround(int quadrant);
// A quadrant picked under the pointer: its ground, a little deeper (the
// picture rims it in light).
art::TRGBA LitQuadrantGround(int quadrant);
// With marks, each number goes where none of them lies, and is noted there.
void DrawBoard(art::TSurface& s, const TBoard& b, TDiagramMarks* marks = nullptr);
// Where the mode previews and the level end cards put their boards.
struct TBoardPlace {
  double X, Y, Size;
};
constexpr TBoardPlace PreviewBoard{10, 10, 170};
constexpr TBoardPlace EndCardBoard{34, 100, 146};

// The boxes that text and the pictures' marks cover.
TDiagramBox TextInk(cairo_t* cr, const std::string& text, double x, double baseline, const art::TLettering& t,
                    bool centred);
TDiagramBox PickedPointBox(double x, double y, double radius);
TDiagramBox PointerBox(double x, double y, double scale);
TDiagramBox QuestionTagBox(cairo_t* cr, const std::string& text, double cx, double bottom, double size);
TDiagramBox MonsterBox(double cx, double cy, double size, double aspect);
// A grid point picked by the player: a bright ring with a glow.
void DrawPickedPoint(art::TSurface& s, double x, double y, double radius);
