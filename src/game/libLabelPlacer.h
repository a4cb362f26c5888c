#pragma once
// Places the monsters' question labels so that no two overlap, none leaves its
// area and none lies under a fixed panel. Greedy: labels are placed one after
// another, each in the first free spot nearest its own place above its monster;
// a label that stood somewhere last frame keeps that spot while it stays free,
// so crowded labels do not flicker. The work per frame has a fixed budget of box
// tests, and nothing is allocated once the first crowded frame has been seen.
#include <array>
#include <cstdint>
#include <vector>

struct TLabelBox {
  double X = 0;
  double Y = 0;
  double W = 0;
  double H = 0;
};

// True when the two boxes share any area (touching edges do not count).
bool BoxesOverlap(const TLabelBox& a, const TLabelBox& b);

class TlibLabelPlacer {
 public:
  TlibLabelPlacer();

  // A new frame: the area labels must stay inside, no obstacles, no labels.
  void Begin(const TLabelBox& area);
  // A panel no label may lie under (at most MaxObstacles; further ones are ignored).
  void AddObstacle(const TLabelBox& box);
  // Places a label whose own box is natural; previous is the shift it had last
  // frame; own is what the label must leave in sight (its monster), or empty.
  // On success shift is where it goes, relative to natural, and the box is
  // taken. False when no free spot was found within the frame's budget: the
  // label must not be shown this frame.
  bool Place(const TLabelBox& natural, double previousX, double previousY, double& shiftX, double& shiftY,
             const TLabelBox& own = TLabelBox{});

  std::int32_t TestsUsed() const { return Tests; }

  static constexpr double Gap = 2;  // clear pixels between two labels
  static constexpr std::int32_t MaxObstacles = 4;
  // Box tests per frame (a few milliseconds at most); a crowded 50-monster
  // board needs a few thousand.
  static constexpr std::int32_t Budget = 1000000;

 private:
  // Whether box, already inside the area, is clear of obstacles and labels (spends budget).
  bool Free(const TLabelBox& box);
  // box moved inside the area (a box larger than the area keeps its top left corner).
  TLabelBox Inside(TLabelBox box) const;
  bool Take(const TLabelBox& natural, const TLabelBox& box, double& shiftX, double& shiftY);

  TLabelBox Area;
  std::array<TLabelBox, MaxObstacles> Obstacles{};
  std::int32_t ObstacleCount = 0;
  std::vector<TLabelBox> Placed;
  TLabelBox Own;  // the label being placed keeps clear of this too
  std::int32_t Tests = 0;
};
