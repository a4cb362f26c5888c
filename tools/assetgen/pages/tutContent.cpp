#include "pages/tutContent.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "kit/artDraw.h"
#include "core/sysRandom.h"
#include "core/sysRound.h"
#include "tables/defLevels.h"
#include "tables/defPowerUps.h"
#include "game/objMonster.h"

const char* const KeptEquals = "\xC2\xA0=\xC2\xA0";

namespace {

constexpr std::int32_t M = Difficulty::Medium;
const std::string Eq = KeptEquals;

std::string Num(std::int64_t v) { return std::to_string(v); }
std::string Steps(std::int64_t n) { return Num(n) + (n == 1 ? " step" : " steps"); }
std::string Point(TIntPoint p) { return "(" + Num(p.X) + "," + Num(p.Y) + ")"; }

// "2 steps right, 1 step up" said short: "2 right, 1 up".
std::string Short(std::string walk) {
  for (const char* word : {" steps", " step"})
    for (std::size_t at; (at = walk.find(word)) != std::string::npos;) walk.erase(at, std::string(word).size());
  return walk;
}

// The game's random grid value and its draws, from a generator of our own seed.
class TDraw {
 public:
  explicit TDraw(std::uint32_t seed) : Rnd(seed) {}
  std::int32_t Below(std::int32_t n) {
    return n <= 0 ? 0 : static_cast<std::int32_t>(Rnd.Next() % static_cast<std::uint32_t>(n));
  }
  std::int32_t Grid(std::int32_t range) { return -range + Below(2 * range + 1); }

 private:
  art::TRandom Rnd;
};

std::vector<std::int32_t> AllowedQuadrants(const TLevel& l, bool withAxes) {
  std::vector<std::int32_t> out;
  for (std::int32_t q = withAxes ? 0 : 1; q <= 4; ++q)
    if (l.QuadrantAllowed[q]) out.push_back(q);
  return out;
}

std::string List(const std::vector<std::string>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += i + 1 == items.size() ? " and " : ", ";
    out += items[i];
  }
  return out;
}

std::string QuadrantList(const TLevel& l) {
  std::vector<std::string> names;
  for (std::int32_t q : AllowedQuadrants(l, false)) names.push_back(QuadrantNumeral(q));
  return List(names);
}

// Sizes a level's monsters can have: 1, 2, 3 where the weight is above 0.
std::vector<std::int32_t> Sizes(const TLevel& l) {
  std::vector<std::int32_t> out;
  for (std::int32_t s = 0; s < 3; ++s)
    if (l.SizeWeights[M][s] > 0) out.push_back(s + 1);
  return out;
}

// ---------------------------------------------------------------- Rozir Ivivuruda

TIntPoint Corner(std::int32_t quadrant) {
  const TIntPoint corners[5] = {{0, 0}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
  return corners[quadrant];
}

// Shows a quadrant the level opens; otherwise the next one after the previous
// page's, so the pages do not repeat themselves.
std::int32_t ExampleQuadrant(std::int32_t level) {
  const TLevel& l = *MissionLevel(GameType::QuickQuadrants, level);
  const TLevel* prev = level > 1 ? MissionLevel(GameType::QuickQuadrants, level - 1) : nullptr;
  std::vector<std::int32_t> fresh;
  for (std::int32_t q : AllowedQuadrants(l, false))
    if (prev == nullptr || !prev->QuadrantAllowed[q]) fresh.push_back(q);
  if (!fresh.empty()) {
    // The one with the most minus signs teaches the most.
    return *std::max_element(fresh.begin(), fresh.end(), [](std::int32_t a, std::int32_t b) {
      const TIntPoint ca = Corner(a), cb = Corner(b);
      return (ca.X < 0) + (ca.Y < 0) < (cb.X < 0) + (cb.Y < 0);
    });
  }
  const std::int32_t before = ExampleQuadrant(level - 1);
  for (std::int32_t i = 1; i <= 4; ++i) {
    const std::int32_t q = (before - 1 + i) % 4 + 1;
    if (l.QuadrantAllowed[q]) return q;
  }
  return before;
}

TTutorialExample QuadrantExample(std::int32_t quadrant) {
  TTutorialExample e;
  const TIntPoint c = Corner(quadrant);
  e.Label = QuadrantLabel(c.X, c.Y);
  e.Answer = {c};
  e.Quadrant = QuadrantOf(c.X, c.Y);
  // Written as the monsters write them: X and Y, capitals, stand for positive numbers.
  e.Steps = {c.X > 0 ? "*X* is positive: go right" : "*-X* is negative: go left",
             c.Y > 0 ? "*Y* is positive: go up" : "*-Y* is negative: go down",
             std::string(c.X > 0 ? "Right" : "Left") + " and " + (c.Y > 0 ? "up" : "down") + " is quadrant " +
                 QuadrantNumeral(e.Quadrant)};
  return e;
}

// ---------------------------------------------------------------- Vove'r uda Zerir?

// A point read back from the dot: how far across, then how far up or down.
std::string ReadBack(TIntPoint p) {
  const std::string across = Steps(std::abs(p.X)) + (p.X > 0 ? " right" : " left");
  const std::string up = Steps(std::abs(p.Y)) + (p.Y > 0 ? " up" : " down");
  if (p.X == 0 && p.Y == 0) return Point(p) + " is the origin";
  if (p.Y == 0) return Point(p) + " is " + across + ", on the x axis";
  if (p.X == 0) return Point(p) + " is " + up + ", on the y axis";
  return Point(p) + " is " + across + ", then " + up;
}

std::string Move(std::int32_t v, bool isX) {
  if (v == 0) return std::string(isX ? "x" : "y") + Eq + "0: stay on the " + (isX ? "y" : "x") + " axis";
  const char* way = isX ? (v > 0 ? "right" : "left") : (v > 0 ? "up" : "down");
  return std::string(isX ? "x" : "y") + Eq + Num(v) + ": " + Steps(std::abs(v)) + " " + way;
}

TTutorialExample PointExample(std::int32_t level) {
  const TLevel& l = *MissionLevel(GameType::WhatsThePoint, level);
  const TLevel* prev = level > 1 ? MissionLevel(GameType::WhatsThePoint, level - 1) : nullptr;
  const std::int32_t range = l.GridRange[M];
  TDraw d(200 + static_cast<std::uint32_t>(level));
  // The game's draw: two grid values until the level allows their quadrant.
  // Of those, the page wants one that shows what is new in this level.
  auto wanted = [&](TIntPoint p) {
    const std::int32_t q = QuadrantOf(p.X, p.Y);
    if (!l.QuadrantAllowed[q]) return false;
    // Different distances across and up, so x and y cannot be mixed up.
    const bool clear = std::abs(p.X) != std::abs(p.Y);
    if (prev == nullptr) return p.X != 0 && p.Y != 0 && clear;
    if (!prev->QuadrantAllowed[q]) return clear;  // a new quadrant, or the axes but not the origin
    if (range > prev->GridRange[M])
      return std::max(std::abs(p.X), std::abs(p.Y)) > prev->GridRange[M] && p.X != 0 && p.Y != 0 && clear;
    return false;
  };
  TIntPoint p{};
  for (int tries = 0; tries < 10000; ++tries) {
    p = {d.Grid(range), d.Grid(range)};
    if (wanted(p)) break;
  }
  TTutorialExample e;
  e.Answer = {p};
  e.Quadrant = QuadrantOf(p.X, p.Y);
  const std::int32_t size = Sizes(l).back();
  // Sums are written by the monsters' own code, from the game's generator.
  RandomSeed(400 + static_cast<std::uint32_t>(level));
  const std::string a = size >= 2 ? PointExpression(p.X, range) : Num(p.X);
  const std::string b = size >= 3 ? PointExpression(p.Y, range) : Num(p.Y);
  e.Label = "(" + a + "," + b + ")";
  if (size >= 3)
    e.Steps.push_back(a + Eq + Num(p.X) + " and " + b + Eq + Num(p.Y));
  else if (size >= 2)
    e.Steps.push_back(a + Eq + Num(p.X));
  // Where the page first teaches the walk, it starts it at the origin.
  if (prev == nullptr) e.Steps.push_back("Start at the origin (0,0)");
  e.Steps.push_back(Move(p.X, true));
  e.Steps.push_back(Move(p.Y, false));
  // The dot read back, as a child checks the click.
  e.Steps.push_back("Check: " + Short(ReadBack(p)));
  return e;
}

// ---------------------------------------------------------------- Define the Line

struct TFraction {
  std::int64_t Num = 0, Den = 1;
};

TFraction Fraction(double v) {
  double n = 0, d = 1;
  RealToFraction(v, 0.005, n, d);
  return {Round(n), Round(d)};
}

bool Vertical(double slope) { return !std::isfinite(slope); }

// The game's rules for a line through the origin (size 2) or off it (size 3);
// true when the pair is one the monsters could carry.
bool LineAllowed(TIntPoint p, TIntPoint s, std::int32_t size, std::int32_t range, TDraw& d) {
  if ((p.X == s.X && p.Y == s.Y) || p.X == s.X || p.Y == s.Y) return false;
  const double slope = LineSlope(p, s), intercept = LineIntercept(p, s);
  if (std::llabs(Round(slope)) == 1 && d.Below(2) == 0) return false;
  if (size == 2 && Round(intercept) != 0) return false;
  if (size == 3 && Round(intercept) == 0) return false;
  const TFraction f = Fraction(slope);
  if (std::llabs(f.Den) > 1 && std::llabs(f.Num) != 1) return false;
  if (std::llabs(f.Den) > range) return false;
  if (std::llabs(f.Den) == 1 && std::llabs(f.Num) > range) return false;
  if (size == 3) {
    const TFraction c = Fraction(intercept);
    if (std::llabs(c.Den) != 1 || std::llabs(c.Num) > range) return false;
  }
  return true;
}

enum class TLineKind { Vertical, Horizontal, ThroughOrigin, OffOrigin };

// A line of the kind asked for, drawn by the game's rules for that size.
std::pair<TIntPoint, TIntPoint> DrawLine(TDraw& d, std::int32_t range, TLineKind kind,
                                         const std::function<bool(TIntPoint, TIntPoint)>& nice) {
  for (int tries = 0; tries < 100000; ++tries) {
    if (kind == TLineKind::Vertical || kind == TLineKind::Horizontal) {
      const TIntPoint p{d.Grid(range), d.Grid(range)};
      const bool horizontal = d.Below(2) == 1;
      const TIntPoint s = horizontal ? TIntPoint{p.X + 1, p.Y} : TIntPoint{p.X, p.Y + 1};
      if (horizontal == (kind == TLineKind::Horizontal) && nice(p, s)) return {p, s};
      continue;
    }
    const std::int32_t size = kind == TLineKind::ThroughOrigin ? 2 : 3;
    const TIntPoint p = size == 2 ? TIntPoint{0, 0} : TIntPoint{d.Grid(range), d.Grid(range)};
    const TIntPoint s{d.Grid(range), d.Grid(range)};
    if (LineAllowed(p, s, size, range, d) && nice(p, s)) return {p, s};
  }
  return {};
}

// Two grid points of the line inside the range, the easiest ones to find:
// where it meets an axis and one step along.
std::vector<TIntPoint> ShownPoints(TIntPoint p, TIntPoint s, std::int32_t range) {
  auto inside = [range](TIntPoint q) { return std::abs(q.X) <= range && std::abs(q.Y) <= range; };
  const double slope = LineSlope(p, s);
  if (Vertical(slope)) return {{p.X, -1}, {p.X, 1}};
  if (slope == 0) return {{0, p.Y}, {1, p.Y}};
  const TFraction m = Fraction(slope);
  const std::int64_t b = Round(LineIntercept(p, s));
  std::vector<TIntPoint> out;
  for (std::int64_t k : {0, 1, -1, 2, -2, 3, -3}) {
    const TIntPoint q{static_cast<std::int32_t>(k * m.Den), static_cast<std::int32_t>(b + k * m.Num)};
    if (inside(q)) out.push_back(q);
    if (out.size() == 2) break;
  }
  std::sort(out.begin(), out.end(), [](TIntPoint a, TIntPoint c) { return a.X < c.X; });
  return out;
}

std::string SlopeWalk(TFraction m) {
  return Steps(m.Den) + " right, " + Steps(std::llabs(m.Num)) + (m.Num > 0 ? " up" : " down");
}

// The same slope walked backwards, for a point left of where the walk starts.
std::string SlopeWalkBack(TFraction m) {
  return Steps(m.Den) + " left, " + Steps(std::llabs(m.Num)) + (m.Num > 0 ? " down" : " up");
}

std::string LowerFirst(std::string s) {
  if (!s.empty()) s[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[0])));
  return s;
}

// A slope as a number: 3, -2, 1/2, -1/3.
std::string SlopeValue(TFraction m) {
  return m.Den == 1 ? Num(m.Num) : (m.Num < 0 ? "-" : "") + Num(std::llabs(m.Num)) + "/" + Num(m.Den);
}

TTutorialExample LineExample(TIntPoint p, TIntPoint s, std::int32_t range) {
  TTutorialExample e;
  e.Label = LineLabel(p, s);
  e.Answer = ShownPoints(p, s, range);
  const std::string pick = "Pick " + Point(e.Answer[0]) + " and " + Point(e.Answer[1]);
  const double slope = LineSlope(p, s);
  if (Vertical(slope)) {
    e.Steps = {"Every point has x" + Eq + Num(p.X), pick};
    e.Summary = pick;
  } else if (slope == 0) {
    e.Steps = {"Every point has y" + Eq + Num(p.Y), pick};
    e.Summary = pick;
  } else {
    const TFraction m = Fraction(slope);
    const std::int64_t b = Round(LineIntercept(p, s));
    const TIntPoint start{0, static_cast<std::int32_t>(b)};
    const TIntPoint other = e.Answer[0].X == 0 ? e.Answer[1] : e.Answer[0];
    // The walk starts on the y axis; a point left of it is reached going back.
    const bool back = other.X < 0;
    if (b == 0)
      e.Steps.push_back("It goes through the origin (0,0)");
    else
      e.Steps.push_back("y-intercept " + Num(b) + ": start at " + Point(start));
    e.Steps.push_back("Slope " + SlopeValue(m) + " (up \xC3\xB7 right): " +
                      (back ? "back: " + SlopeWalkBack(m) : SlopeWalk(m)));
    e.Steps.push_back(pick);
    e.HasWalk = true;
    e.WalkFrom = start;
    e.Run = other.X - start.X;
    e.Rise = other.Y - start.Y;
    e.Summary = "Walk " + Short(back ? SlopeWalkBack(m) : SlopeWalk(m)) + " from " + Point(start) + ": " +
                LowerFirst(pick);
  }
  return e;
}

std::function<bool(TIntPoint, TIntPoint)> Any() {
  return [](TIntPoint, TIntPoint) { return true; };
}

// ---------------------------------------------------------------- the pages

std::string Kicker(const TLevel& l, std::int32_t level) {
  std::string name = GameTypeName(l.GameType);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name + "  \xC2\xB7  LEVEL " + Num(level);
}

std::string EarnMore(const TLevel& l) {
  return "You earn another power-up every " + Num(l.PowerUpScoreStep[M]) + " points.";
}

// The power-up rows a level awards as buttons; Quadrant Blitz does nothing
// with lines, so Define the Line pages leave it out.
std::vector<std::int32_t> PowerUpRows(const TLevel& l) {
  std::vector<std::int32_t> rows;
  for (std::int32_t r = 0; r < PowerUpCount; ++r) {
    if (r == 1 || !l.PowerUpAllowed[r]) continue;
    if (r == 5 && l.GameType == GameType::DefineTheLine) continue;
    rows.push_back(r);
  }
  return rows;
}

std::string PowerUpName(std::int32_t row) { return PowerUpTable[static_cast<std::size_t>(row)].Name; }

// What changed in pace since the level before: faster monsters, more at once.
std::string Pace(const TLevel& l, const TLevel* prev) {
  const bool faster = prev != nullptr && l.BaseSpeed[M] > prev->BaseSpeed[M];
  const bool more = prev != nullptr && l.MaxMonsters[M] > prev->MaxMonsters[M];
  const std::string crowd = "up to " + Num(static_cast<std::int64_t>(l.MaxMonsters[M])) + " can come at once";
  if (faster && more) return "The monsters are faster now, and " + crowd + ".";
  if (faster) return "The monsters are faster now.";
  if (more) return "Now " + crowd + ".";
  return "Watch out: the monsters keep coming.";
}

std::string Sides(TIntPoint c) { return std::string(c.X > 0 ? "right" : "left") + " and " + (c.Y > 0 ? "up" : "down"); }

void QuickQuadrants(TTutorialPage& page, const TLevel& l, const TLevel* prev) {
  const TTutorialExample& e = page.Examples[0];
  switch (page.Level) {
    case 1:
      page.Headline = "FOUR QUADRANTS";
      page.Sentences = {"The x axis and the y axis cut the plane into four quadrants.",
                        "Each monster carries a point like *" + e.Label + "*.",
                        "X and Y stand for positive numbers. X is right and -X is left; Y is up and -Y is down.",
                        "Click the quadrant the point is in, or press Enter on it, before the monster reaches the origin.",
                        "In this level the points are in quadrants " + QuadrantList(l) + "."};
      break;
    case 2:
      page.Headline = "BUILD A COMBO";
      page.Sentences = {
          "The points are still in quadrants " + QuadrantList(l) + ".",
          "*" + e.Label + "* is " + Sides(e.Answer[0]) + ", so it is in quadrant " + QuadrantNumeral(e.Quadrant) + ".",
          "Get " + Num(l.BasicComboMin) + " right in a row for a *combo bonus*.",
          "Answer quickly for a *time combo* too.", "A wrong answer ends your combo, so look before you answer."};
      break;
    case 3:
      page.Headline = "ALL FOUR QUADRANTS";
      page.Sentences = {"Now the monsters can come from all four quadrants.",
                        "The quadrants are numbered I to IV, going anticlockwise from the top right.",
                        "*(-X,Y)* is left and up: quadrant II.", "*(X,-Y)* is right and down: quadrant IV."};
      break;
    case 4:
      page.Headline = "YOUR FIRST POWER-UP";
      page.Sentences = {Pace(l, prev), "You start with a power-up: the *" + PowerUpName(page.PowerUps[0]) + "*.",
                        "Click it at the bottom left, or press the key under it, and every monster walks at half speed for a while.", EarnMore(l)};
      break;
    default:
      page.Headline = "THE RADIAL BLAST";
      page.Sentences = {"This is the last level of " + GameTypeName(l.GameType) + ".",
                        "Your new power-up is the *" + PowerUpName(page.PowerUps[0]) + "*.",
                        "It knocks every monster back, away from the origin.", "Save it for when they get close!",
                        EarnMore(l)};
  }
}

void WhatsThePoint(TTutorialPage& page, const TLevel& l) {
  const TTutorialExample& e = page.Examples[0];
  const std::string range = "from " + Num(-page.Range) + " to " + Num(page.Range);
  const TIntPoint p = e.Answer[0];
  switch (page.Level) {
    case 1:
      page.Headline = "READING A POINT";
      page.Sentences = {"Each monster shows a point *(x,y)*: click that grid point, or press Enter on it.",
                        "Start at the origin (0,0). Go x steps right, or left if x is negative.",
                        "Then go y steps up, or down if y is negative.",
                        "Check a dot by reading it back: " + ReadBack(p) + ".",
                        "Here the points are in quadrants " + QuadrantList(l) + ", " + range + "."};
      break;
    case 2: {
      page.Headline = "POINTS ON THE AXES";
      const bool onY = p.X == 0;
      page.Sentences = {
          "Some points now sit on an axis: a point on an axis is in no quadrant.",
          "*" + e.Label + "* has " + (onY ? "x" : "y") + Eq + "0, so it is on the " + (onY ? "y" : "x") + " axis.",
          std::string("A point with ") + (onY ? "y" : "x") + Eq + "0 sits on the " + (onY ? "x" : "y") + " axis.",
          "New power-up: *" + PowerUpName(page.PowerUps[0]) +
              "* zaps all the monsters in the quadrant, or on the axes, with the most of them.",
          EarnMore(l)};
      break;
    }
    case 3:
      page.Headline = "ALL FOUR QUADRANTS";
      page.Sentences = {"Points can now be in all four quadrants.", "In quadrant II, x is negative and y is positive.",
                        "In quadrant IV, x is positive and y is negative.",
                        "New power-up: the *" + PowerUpName(page.PowerUps[0]) + "* stops every monster for a while.",
                        EarnMore(l)};
      break;
    case 4:
      page.Headline = "A BIGGER GRID";
      page.Sentences = {
          "The grid now runs " + range + ".", "The points are closer together, so count your steps carefully.",
          "New power-up: the *" + PowerUpName(page.PowerUps[0]) + "* lights up the answer of every monster.",
          EarnMore(l)};
      break;
    default: {
      page.Headline = "SUMS AND THE DOOM DEVICE";
      const std::string a = e.Label.substr(1, e.Label.find(',') - 1);
      page.Sentences = {"Some monsters carry sums, like *" + e.Label + "*.",
                        "Work out each sum first: " + a + Eq + Num(p.X) + ".",
                        "The grid runs " + range + ", and " + Num(l.KillsPerLevel[M] + 1) + " monsters are coming!",
                        "When the Doom bar is full, press *D* or *6* to zap every monster at once.",
                        "Each monster you stop charges it up again."};
    }
  }
}

TIntPoint WalkEnd(const TTutorialExample& e) { return {e.WalkFrom.X + e.Run, e.WalkFrom.Y + e.Rise}; }

std::string LineKindWords(const TTutorialExample& e) {
  return e.Answer[0].X == e.Answer[1].X ? "goes straight up and down" : "goes straight across";
}

void DefineTheLine(TTutorialPage& page, const TLevel& l) {
  const std::vector<TTutorialExample>& e = page.Examples;
  switch (page.Level) {
    case 1:
      page.Headline = "LINES ACROSS AND UP";
      page.Sentences = {"Each monster carries a line: click two grid points on it, or press Enter on each.",
                        "*" + e[0].Label + "* " + LineKindWords(e[0]) + ": every point on it has x" + Eq +
                            Num(e[0].Answer[0].X) + ".",
                        "*" + e[1].Label + "* " + LineKindWords(e[1]) + ": every point on it has y" + Eq +
                            Num(e[1].Answer[0].Y) + ".",
                        "*x=0* is the y axis itself, and *y=0* is the x axis.",
                        "Wrong first point? Click it again, right-click, or press Backspace to start over."};
      break;
    case 2: {
      page.Headline = "LINES THROUGH THE ORIGIN";
      const TFraction m = Fraction(LineSlope(e[0].Answer[0], e[0].Answer[1]));
      const TIntPoint q = WalkEnd(e[0]);
      page.Sentences = {
          "The number before x is the *slope*: up \xC3\xB7 right, the steps up for each step right.",
          "*" + e[0].Label + "* has slope " + SlopeValue(m) + ": " + SlopeWalk(m) + " from (0,0), so " +
              Point(q) + " is on the line too.",
          "No number before x means 1: *" + e[2].Label + "*. A lone minus means -1: *" + e[3].Label + "*.",
          "A minus slope goes down: *" + e[1].Label + "* goes " +
              SlopeWalk(Fraction(LineSlope(e[1].Answer[0], e[1].Answer[1]))) + "."};
      break;
    }
    case 3: {
      page.Headline = "SLOPE AND INTERCEPT";
      const auto walk = [](const TTutorialExample& x) {
        return SlopeWalk(Fraction(LineSlope(x.Answer[0], x.Answer[1])));
      };
      const auto to = [](const TTutorialExample& x) { return Point(WalkEnd(x)); };
      page.Sentences = {
          "The number at the end is the *y-intercept*: the line crosses the y axis there.",
          "The number before x is still the slope: up \xC3\xB7 right.",
          "From " + Point(e[0].WalkFrom) + ", *" + e[0].Label + "* goes " + walk(e[0]) + ", to " + to(e[0]) + ".",
          "*" + e[1].Label + "* crosses " + (e[1].WalkFrom.Y < 0 ? "below" : "above") + " the origin, at " +
              Point(e[1].WalkFrom) + ": " + walk(e[1]) + " is " + to(e[1]) + ".",
          "Click the two points you found: both are on the line."};
      break;
    }
    case 4:
      page.Headline = "ALL KINDS OF LINES";
      page.Sentences = {
          "Now all three kinds of line come: the slope is still up \xC3\xB7 right.",
          "*" + e[0].Label + "* " + LineKindWords(e[0]) + ".",
          "*" + e[1].Label + "* goes through the origin, and *" + e[2].Label + "* crosses the y axis at (0," +
              Num(Round(LineIntercept(e[2].Answer[0], e[2].Answer[1]))) + ").",
          "New power-up: the *" + PowerUpName(page.PowerUps[0]) + "* draws every monster's line for a while.",
          EarnMore(l)};
      break;
    default: {
      page.Headline = "THE FINAL TEST";
      std::vector<std::string> names;
      for (std::int32_t r : page.PowerUps)
        if (r != 0) names.push_back(PowerUpName(r));
      page.Sentences = {"This is the last level: every kind of line, and lots of power-ups.",
                        "Your *Doom Device* is charged: press *D* or *6* to zap every monster at once.",
                        "You can win these power-ups: " + List(names) + ".", EarnMore(l)};
    }
  }
}

}  // namespace

std::string QuadrantLabel(std::int32_t x, std::int32_t y) {
  return std::string("(") + (x > 0 ? "X" : "-X") + "," + (y > 0 ? "Y" : "-Y") + ")";
}

std::string QuadrantNumeral(std::int32_t quadrant) {
  static const char* const numerals[5] = {"", "I", "II", "III", "IV"};
  return quadrant >= 1 && quadrant <= 4 ? numerals[quadrant] : "";
}

TTutorialPage TutorialPage(std::int32_t gameType, std::int32_t level) {
  TTutorialPage page;
  const TLevel* row = MissionLevel(gameType, level);
  if (row == nullptr) return page;
  const TLevel& l = *row;
  page.GameType = gameType;
  page.Level = level;
  page.Kicker = Kicker(l, level);
  page.Range = l.GridRange[M];
  for (int i = 0; i < 5; ++i) {
    page.QuadrantAllowed[i] = l.QuadrantAllowed[i];
    page.QuadrantColour[i] = l.QuadrantColour[i];
  }
  page.PowerUps = PowerUpRows(l);
  page.KillsToWin = l.KillsPerLevel[M] + 1;
  const TLevel* prev = level > 1 ? MissionLevel(gameType, level - 1) : nullptr;
  if (prev != nullptr && l.BasicComboMin < prev->BasicComboMin) page.ComboMin = l.BasicComboMin;
  const std::vector<std::int32_t> sizes = Sizes(l);
  TDraw d(300 + static_cast<std::uint32_t>(level));
  const std::int32_t r = page.Range;
  // Small numbers read best: keep the examples near the middle where the level allows.
  auto near = [](TIntPoint p, TIntPoint s) {
    return std::abs(p.X) + std::abs(p.Y) + std::abs(s.X) + std::abs(s.Y) <= 6;
  };
  auto negative = [](TIntPoint p, TIntPoint s) { return LineSlope(p, s) < 0; };
  auto positive = [](TIntPoint p, TIntPoint s) { return LineSlope(p, s) > 0; };
  switch (gameType) {
    case GameType::QuickQuadrants:
      page.Examples = {QuadrantExample(ExampleQuadrant(level))};
      QuickQuadrants(page, l, level > 1 ? MissionLevel(gameType, level - 1) : nullptr);
      break;
    case GameType::WhatsThePoint:
      page.Examples = {PointExample(level)};
      WhatsThePoint(page, l);
      break;
    default: {
      auto kindOf = [](std::int32_t size) {
        return size == 2 ? TLineKind::ThroughOrigin : size == 3 ? TLineKind::OffOrigin : TLineKind::Vertical;
      };
      auto add = [&](TLineKind kind, const std::function<bool(TIntPoint, TIntPoint)>& nice) {
        const auto [p, s] = DrawLine(d, r, kind, nice);
        page.Examples.push_back(LineExample(p, s, r));
      };
      if (level == 1) {
        add(TLineKind::Vertical, [](TIntPoint p, TIntPoint) { return p.X != 0; });
        add(TLineKind::Horizontal, [](TIntPoint p, TIntPoint) { return p.Y != 0; });
      } else if (level == 2) {
        add(TLineKind::ThroughOrigin, [&](TIntPoint p, TIntPoint s) {
          const TFraction m = Fraction(LineSlope(p, s));
          return positive(p, s) && m.Den == 1 && m.Num > 1;
        });
        add(TLineKind::ThroughOrigin,
            [&](TIntPoint p, TIntPoint s) { return negative(p, s) && Fraction(LineSlope(p, s)).Den > 1; });
        // Slopes 1 and -1, written with no number: told in a row of their own.
        for (const std::int32_t rise : {1, -1}) {
          add(TLineKind::ThroughOrigin, [rise](TIntPoint p, TIntPoint s) { return LineSlope(p, s) == rise; });
          page.Examples.back().OnPlane = false;
          page.Examples.back().Summary = LowerFirst(page.Examples.back().Steps.back());
        }
      } else if (level == 3) {
        // One line with a fraction slope, one below the origin, each walked
        // from where it crosses the y axis to a point right of it.
        const auto rightward = [r](TIntPoint p, TIntPoint s) {
          const std::vector<TIntPoint> shown = ShownPoints(p, s, r);
          return shown.size() == 2 && shown[0].X >= 0 && shown[1].X >= 0;
        };
        add(TLineKind::OffOrigin, [&](TIntPoint p, TIntPoint s) {
          return positive(p, s) && Fraction(LineSlope(p, s)).Den > 1 && LineIntercept(p, s) > 0 && rightward(p, s);
        });
        add(TLineKind::OffOrigin, [&](TIntPoint p, TIntPoint s) {
          const TFraction m = Fraction(LineSlope(p, s));
          return positive(p, s) && m.Den == 1 && m.Num > 1 && LineIntercept(p, s) < 0 && near(p, s) &&
                 rightward(p, s);
        });
      } else if (level == 4) {
        for (std::int32_t size : sizes) add(kindOf(size), Any());
      } else {
        add(kindOf(sizes.back()), [&](TIntPoint p, TIntPoint s) { return negative(p, s); });
      }
      DefineTheLine(page, l);
    }
  }
  return page;
}
