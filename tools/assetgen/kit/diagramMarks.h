#pragma once
// What a diagram draws over its board, kept so that nothing is laid over the
// numbers it teaches: the marks (arrows, lines, rings, pointer, tags, axis
// names) are noted as they are drawn, and each axis number then takes the
// first of its places that no mark and no other number touches.
#include <string>
#include <vector>

struct TDiagramBox {
  double X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
  bool Meets(const TDiagramBox& o) const { return X0 < o.X1 && o.X0 < X1 && Y0 < o.Y1 && o.Y0 < Y1; }
};

// A straight mark of some thickness: an arrow's shaft, a line.
struct TDiagramStroke {
  double X0 = 0, Y0 = 0, X1 = 0, Y1 = 0, Half = 0;  // Half: half the drawn width, glow included
  bool Meets(const TDiagramBox& b) const;
};

struct TDiagramNumber {
  std::string Text;
  int Value = 0;
  bool OnXAxis = true;
  TDiagramBox Ink;
};

class TDiagramMarks {
 public:
  void AddBox(const TDiagramBox& b, const std::string& what) { Boxes.push_back({b, what}); }
  void AddStroke(const TDiagramStroke& s, const std::string& what) { Strokes.push_back({s, what}); }
  // The first mark the box meets, or "" when it is clear of them all.
  std::string MarkAt(const TDiagramBox& b) const;
  // The first box mark (ring, pointer, tag, name) the box meets, or "".
  std::string BoxAt(const TDiagramBox& b) const;
  // Clear of every box mark (rings, pointer, tags, names); strokes aside.
  bool ClearOfBoxes(const TDiagramBox& b) const;
  // Clear of every mark and every number placed so far.
  bool Free(const TDiagramBox& b) const;
  // Clear of every box mark and every number placed so far: it may lie over a
  // line or an arrow (a number drawn over one, outlined, still reads).
  bool FreeOverStrokes(const TDiagramBox& b) const;
  void AddNumber(const TDiagramNumber& n) { Numbers.push_back(n); }
  const std::vector<TDiagramNumber>& PlacedNumbers() const { return Numbers; }

 private:
  std::vector<std::pair<TDiagramBox, std::string>> Boxes;
  std::vector<std::pair<TDiagramStroke, std::string>> Strokes;
  std::vector<TDiagramNumber> Numbers;
};
