#pragma once
// Small pictures of the game board: the coordinate plane with coloured
// quadrants, grid points and axes. Used by the mode previews and the challenge
// tiles.
#include "artDraw.h"

struct TBoard {
  double X, Y, Size;  // the board's square on the surface
  int Range;          // grid points from -Range to Range
  bool Dots = true;
  bool Numbers = false;
  // Surface position of a plane point; half a cell of margin around the grid
  // keeps the edge points and their numbers inside.
  double Unit() const { return Size / (2.0 * Range + 1); }
  double PX(double px) const { return X + Size / 2 + px * Unit(); }
  double PY(double py) const { return Y + Size / 2 - py * Unit(); }
};

// Quadrant colours of the pictures (1 top right, 2 top left, 3 bottom left, 4
// bottom right).
art::TRGBA QuadrantColor(int quadrant, double alpha = 1.0);
void DrawBoard(art::TSurface& s, const TBoard& b);
// A grid point picked by the player: a bright ring with a glow.
void DrawPickedPoint(art::TSurface& s, double x, double y, double radius);
