#include "pages/tutContent.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "kit/artDraw.h"
#include "kit/genWords.h"
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
std::string Point(TIntPoint p) { return PointWords(p.X, p.Y); }

enum class TWay { Right, Left, Up, Down };

// "3 steps right"; brief: "3 right", as a worked example's short line says it.
std::string Walked(std::int64_t n, TWay way, bool brief = false) {
  if (brief) {
    switch (way) {
      case TWay::Right:
        return WF(WC("a walk said short", "%s right"), {Num(n)});
      case TWay::Left:
        return WF(WC("a walk said short", "%s left"), {Num(n)});
      case TWay::Up:
        return WF(WC("a walk said short", "%s up"), {Num(n)});
      default:
        return WF(WC("a walk said short", "%s down"), {Num(n)});
    }
  }
  switch (way) {
    case TWay::Right:
      return WF(WN("%d step right", "%d steps right", n), {Num(n)});
    case TWay::Left:
      return WF(WN("%d step left", "%d steps left", n), {Num(n)});
    case TWay::Up:
      return WF(WN("%d step up", "%d steps up", n), {Num(n)});
    default:
      return WF(WN("%d step down", "%d steps down", n), {Num(n)});
  }
}

// One walk after another: "2 steps right, 1 step up".
std::string Then(const std::string& first, const std::string& second) {
  return WF(WC("one walk, then another", "%1$s, %2$s"), {first, second});
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
  if (items.empty()) return "";
  std::string out = items[0];
  for (std::size_t i = 1; i + 1 < items.size(); ++i) out += ", " + items[i];
  if (items.size() > 1) out = WF(WC("the last two of a list", "%1$s and %2$s"), {out, items.back()});
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
  const char* const sides[5] = {"", WMark("Right and up is quadrant %s"), WMark("Left and up is quadrant %s"),
                                WMark("Left and down is quadrant %s"), WMark("Right and down is quadrant %s")};
  e.Steps = {c.X > 0 ? W("*X* is positive: go right") : W("*-X* is negative: go left"),
             c.Y > 0 ? W("*Y* is positive: go up") : W("*-Y* is negative: go down"),
             WF(W(sides[e.Quadrant]), {QuadrantNumeral(e.Quadrant)})};
  return e;
}

// ---------------------------------------------------------------- Vove'r uda Zerir?

// A point read back from the dot: how far across, then how far up or down.
std::string ReadBack(TIntPoint p, bool brief = false) {
  const std::string across = Walked(std::abs(p.X), p.X > 0 ? TWay::Right : TWay::Left, brief);
  const std::string up = Walked(std::abs(p.Y), p.Y > 0 ? TWay::Up : TWay::Down, brief);
  if (p.X == 0 && p.Y == 0) return WF(W("%s is the origin"), {Point(p)});
  if (p.Y == 0) return WF(W("%1$s is %2$s, on the x axis"), {Point(p), across});
  if (p.X == 0) return WF(W("%1$s is %2$s, on the y axis"), {Point(p), up});
  return WF(W("%1$s is %2$s, then %3$s"), {Point(p), across, up});
}

std::string Move(std::int32_t v, bool isX) {
  const std::string equation = std::string(isX ? "x" : "y") + Eq + Num(v);
  if (v == 0) return WF(isX ? W("%s: stay on the y axis") : W("%s: stay on the x axis"), {equation});
  const TWay way = isX ? (v > 0 ? TWay::Right : TWay::Left) : (v > 0 ? TWay::Up : TWay::Down);
  return WF(WC("an equation, then what it means", "%1$s: %2$s"), {equation, Walked(std::abs(v), way)});
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
  e.Label = PointWords(a, b);
  if (size >= 3)
    e.Steps.push_back(WF(WC("two sums worked out", "%1$s and %2$s"), {a + Eq + Num(p.X), b + Eq + Num(p.Y)}));
  else if (size >= 2)
    e.Steps.push_back(a + Eq + Num(p.X));
  // Where the page first teaches the walk, it starts it at the origin.
  if (prev == nullptr) e.Steps.push_back(WF(W("Start at the origin %s"), {Point({0, 0})}));
  e.Steps.push_back(Move(p.X, true));
  e.Steps.push_back(Move(p.Y, false));
  // The dot read back, as a child checks the click.
  e.Steps.push_back(WF(W("Check: %s"), {ReadBack(p, true)}));
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

std::string SlopeWalk(TFraction m, bool brief = false) {
  return Then(Walked(m.Den, TWay::Right, brief), Walked(std::llabs(m.Num), m.Num > 0 ? TWay::Up : TWay::Down, brief));
}

// The same slope walked backwards, for a point left of where the walk starts.
std::string SlopeWalkBack(TFraction m, bool brief = false) {
  return Then(Walked(m.Den, TWay::Left, brief), Walked(std::llabs(m.Num), m.Num > 0 ? TWay::Down : TWay::Up, brief));
}

// The two points to click, said in the middle of a line.
std::string PickLater(const TTutorialExample& e) {
  return WF(W("pick %1$s and %2$s"), {Point(e.Answer[0]), Point(e.Answer[1])});
}

// A slope as a number: 3, -2, 1/2, -1/3.
std::string SlopeValue(TFraction m) {
  return m.Den == 1 ? Num(m.Num) : (m.Num < 0 ? "-" : "") + Num(std::llabs(m.Num)) + "/" + Num(m.Den);
}

TTutorialExample LineExample(TIntPoint p, TIntPoint s, std::int32_t range) {
  TTutorialExample e;
  e.Label = LineLabel(p, s);
  e.Answer = ShownPoints(p, s, range);
  const std::string pick = WF(W("Pick %1$s and %2$s"), {Point(e.Answer[0]), Point(e.Answer[1])});
  const double slope = LineSlope(p, s);
  if (Vertical(slope)) {
    e.Steps = {WF(W("Every point has %s"), {"x" + Eq + Num(p.X)}), pick};
    e.Summary = pick;
  } else if (slope == 0) {
    e.Steps = {WF(W("Every point has %s"), {"y" + Eq + Num(p.Y)}), pick};
    e.Summary = pick;
  } else {
    const TFraction m = Fraction(slope);
    const std::int64_t b = Round(LineIntercept(p, s));
    const TIntPoint start{0, static_cast<std::int32_t>(b)};
    const TIntPoint other = e.Answer[0].X == 0 ? e.Answer[1] : e.Answer[0];
    // The walk starts on the y axis; a point left of it is reached going back.
    const bool back = other.X < 0;
    if (b == 0)
      e.Steps.push_back(WF(W("It goes through the origin %s"), {Point({0, 0})}));
    else
      e.Steps.push_back(WF(W("y-intercept %1$s: start at %2$s"), {Num(b), Point(start)}));
    e.Steps.push_back(back ? WF(W("Slope %1$s (up \xC3\xB7 right): back: %2$s"), {SlopeValue(m), SlopeWalkBack(m)})
                           : WF(W("Slope %1$s (up \xC3\xB7 right): %2$s"), {SlopeValue(m), SlopeWalk(m)}));
    e.Steps.push_back(pick);
    e.HasWalk = true;
    e.WalkFrom = start;
    e.Run = other.X - start.X;
    e.Rise = other.Y - start.Y;
    e.Summary = WF(W("Walk %1$s from %2$s: %3$s"),
                   {back ? SlopeWalkBack(m, true) : SlopeWalk(m, true), Point(start), PickLater(e)});
  }
  return e;
}

std::function<bool(TIntPoint, TIntPoint)> Any() {
  return [](TIntPoint, TIntPoint) { return true; };
}

// ---------------------------------------------------------------- the pages

std::string Kicker(const TLevel& l, std::int32_t level) {
  return WF(W("%1$s  \xC2\xB7  LEVEL %2$s"), {UpperWords(W(GameTypeName(l.GameType).c_str())), Num(level)});
}

std::string EarnMore(const TLevel& l) {
  const std::int64_t step = l.PowerUpScoreStep[M];
  return WF(WN("You earn another power-up every %d point.", "You earn another power-up every %d points.", step),
            {Num(step)});
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

std::string PowerUpName(std::int32_t row) { return W(PowerUpTable[static_cast<std::size_t>(row)].Name); }

// What changed in pace since the level before: faster monsters, more at once.
std::string Pace(const TLevel& l, const TLevel* prev) {
  const bool faster = prev != nullptr && l.BaseSpeed[M] > prev->BaseSpeed[M];
  const bool more = prev != nullptr && l.MaxMonsters[M] > prev->MaxMonsters[M];
  const std::int64_t crowd = l.MaxMonsters[M];
  if (faster && more)
    return WF(WN("The monsters are faster now, and up to %d can come at once.",
                 "The monsters are faster now, and up to %d can come at once.", crowd),
              {Num(crowd)});
  if (faster) return W("The monsters are faster now.");
  if (more) return WF(WN("Now up to %d can come at once.", "Now up to %d can come at once.", crowd), {Num(crowd)});
  return W("Watch out: the monsters keep coming.");
}

std::int64_t QuadrantCount(const TLevel& l) {
  std::int64_t n = 0;
  for (std::int32_t q = 1; q <= 4; ++q) n += l.QuadrantAllowed[q] ? 1 : 0;
  return n;
}

// "*(-X, Y)* is left and up, so it is in quadrant II."
std::string SidesSentence(const TTutorialExample& e) {
  const char* const sides[5] = {"", WMark("*%1$s* is right and up, so it is in quadrant %2$s."),
                                WMark("*%1$s* is left and up, so it is in quadrant %2$s."),
                                WMark("*%1$s* is left and down, so it is in quadrant %2$s."),
                                WMark("*%1$s* is right and down, so it is in quadrant %2$s.")};
  return WF(W(sides[e.Quadrant]), {e.Label, QuadrantNumeral(e.Quadrant)});
}

void QuickQuadrants(TTutorialPage& page, const TLevel& l, const TLevel* prev) {
  const TTutorialExample& e = page.Examples[0];
  switch (page.Level) {
    case 1:
      page.Headline = W("FOUR QUADRANTS");
      page.Sentences = {W("The x axis and the y axis cut the plane into four quadrants."),
                        WF(W("Each monster carries a point like *%s*."), {e.Label}),
                        W("X and Y stand for positive numbers. X is right and -X is left; Y is up and -Y is down."),
                        W("Click the quadrant the point is in, or press Enter on it, before the monster reaches the origin."),
                        WF(WN("In this level the points are in quadrant %s.",
                              "In this level the points are in quadrants %s.", QuadrantCount(l)),
                           {QuadrantList(l)})};
      break;
    case 2:
      page.Headline = W("BUILD A COMBO");
      page.Sentences = {
          WF(WN("The points are still in quadrant %s.", "The points are still in quadrants %s.", QuadrantCount(l)),
             {QuadrantList(l)}),
          SidesSentence(e),
          WF(WN("Get %d right in a row for a *combo bonus*.", "Get %d right in a row for a *combo bonus*.",
                l.BasicComboMin),
             {Num(l.BasicComboMin)}),
          W("Answer quickly for a *time combo* too."), W("A wrong answer ends your combo, so look before you answer.")};
      break;
    case 3:
      page.Headline = W("ALL FOUR QUADRANTS");
      page.Sentences = {W("Now the monsters can come from all four quadrants."),
                        W("The quadrants are numbered I to IV, going anticlockwise from the top right."),
                        WF(W("*%s* is left and up: quadrant II."), {QuadrantLabel(-1, 1)}),
                        WF(W("*%s* is right and down: quadrant IV."), {QuadrantLabel(1, -1)})};
      break;
    case 4:
      page.Headline = W("YOUR FIRST POWER-UP");
      page.Sentences = {Pace(l, prev), WF(W("You start with a power-up: the *%s*."), {PowerUpName(page.PowerUps[0])}),
                        W("Click it at the bottom left, or press the key under it, and every monster walks at half speed for a while."),
                        EarnMore(l)};
      break;
    default:
      page.Headline = W("THE RADIAL BLAST");
      page.Sentences = {WF(W("This is the last level of %s."), {W(GameTypeName(l.GameType).c_str())}),
                        WF(W("Your new power-up is the *%s*."), {PowerUpName(page.PowerUps[0])}),
                        W("It knocks every monster back, away from the origin."), W("Save it for when they get close!"),
                        EarnMore(l)};
  }
}

void WhatsThePoint(TTutorialPage& page, const TLevel& l) {
  const TTutorialExample& e = page.Examples[0];
  const std::string low = Num(-page.Range), high = Num(page.Range);
  const TIntPoint p = e.Answer[0];
  switch (page.Level) {
    case 1: {
      page.Headline = W("READING A POINT");
      const std::int64_t n = QuadrantCount(l);
      page.Sentences = {WF(W("Each monster shows a point *%s*: click that grid point, or press Enter on it."),
                           {PointWords("x", "y")}),
                        WF(W("Start at the origin %s. Go x steps right, or left if x is negative."), {Point({0, 0})}),
                        W("Then go y steps up, or down if y is negative."),
                        WF(W("Check a dot by reading it back: %s."), {ReadBack(p)}),
                        WF(WN("Here the points are in quadrant %1$s, from %2$s to %3$s.",
                              "Here the points are in quadrants %1$s, from %2$s to %3$s.", n),
                           {QuadrantList(l), low, high})};
      break;
    }
    case 2: {
      page.Headline = W("POINTS ON THE AXES");
      const bool onY = p.X == 0;
      page.Sentences = {
          W("Some points now sit on an axis: a point on an axis is in no quadrant."),
          onY ? WF(W("*%1$s* has %2$s, so it is on the y axis."), {e.Label, "x" + Eq + "0"})
              : WF(W("*%1$s* has %2$s, so it is on the x axis."), {e.Label, "y" + Eq + "0"}),
          onY ? WF(W("A point with %s sits on the x axis."), {"y" + Eq + "0"})
              : WF(W("A point with %s sits on the y axis."), {"x" + Eq + "0"}),
          WF(W("New power-up: *%s* zaps all the monsters in the quadrant, or on the axes, with the most of them."),
             {PowerUpName(page.PowerUps[0])}),
          EarnMore(l)};
      break;
    }
    case 3:
      page.Headline = W("ALL FOUR QUADRANTS");
      page.Sentences = {W("Points can now be in all four quadrants."), W("In quadrant II, x is negative and y is positive."),
                        W("In quadrant IV, x is positive and y is negative."),
                        WF(W("New power-up: the *%s* stops every monster for a while."), {PowerUpName(page.PowerUps[0])}),
                        EarnMore(l)};
      break;
    case 4:
      page.Headline = W("A BIGGER GRID");
      page.Sentences = {
          WF(W("The grid now runs from %1$s to %2$s."), {low, high}),
          W("The points are closer together, so count your steps carefully."),
          WF(W("New power-up: the *%s* lights up the answer of every monster."), {PowerUpName(page.PowerUps[0])}),
          EarnMore(l)};
      break;
    default: {
      page.Headline = W("SUMS AND THE DOOM DEVICE");
      const std::int64_t coming = l.KillsPerLevel[M] + 1;
      page.Sentences = {WF(W("Some monsters carry sums, like *%s*."), {e.Label}),
                        WF(W("Work out each sum first: %s."), {e.Steps[0]}),
                        WF(WN("The grid runs from %1$s to %2$s, and %3$s monster is coming!",
                              "The grid runs from %1$s to %2$s, and %3$s monsters are coming!", coming),
                           {low, high, Num(coming)}),
                        W("When the Doom bar is full, press *D* or *6* to zap every monster at once."),
                        W("Each monster you stop charges it up again.")};
    }
  }
}

TIntPoint WalkEnd(const TTutorialExample& e) { return {e.WalkFrom.X + e.Run, e.WalkFrom.Y + e.Rise}; }

bool Upright(const TTutorialExample& e) { return e.Answer[0].X == e.Answer[1].X; }

void DefineTheLine(TTutorialPage& page, const TLevel& l) {
  const std::vector<TTutorialExample>& e = page.Examples;
  switch (page.Level) {
    case 1: {
      page.Headline = W("LINES ACROSS AND UP");
      auto every = [](const TTutorialExample& x) {
        return Upright(x) ? WF(W("*%1$s* goes straight up and down: every point on it has %2$s."),
                               {x.Label, "x" + Eq + Num(x.Answer[0].X)})
                          : WF(W("*%1$s* goes straight across: every point on it has %2$s."),
                               {x.Label, "y" + Eq + Num(x.Answer[0].Y)});
      };
      page.Sentences = {W("Each monster carries a line: click two grid points on it, or press Enter on each."),
                        every(e[0]), every(e[1]), W("*x=0* is the y axis itself, and *y=0* is the x axis."),
                        W("Wrong first point? Click it again, right-click, or press Backspace to start over.")};
      break;
    }
    case 2: {
      page.Headline = W("LINES THROUGH THE ORIGIN");
      const TFraction m = Fraction(LineSlope(e[0].Answer[0], e[0].Answer[1]));
      const TIntPoint q = WalkEnd(e[0]);
      page.Sentences = {
          W("The number before x is the *slope*: up \xC3\xB7 right, the steps up for each step right."),
          WF(W("*%1$s* has slope %2$s: %3$s from %4$s, so %5$s is on the line too."),
             {e[0].Label, SlopeValue(m), SlopeWalk(m), Point({0, 0}), Point(q)}),
          WF(W("No number before x means 1: *%1$s*. A lone minus means -1: *%2$s*."), {e[2].Label, e[3].Label}),
          WF(W("A minus slope goes down: *%1$s* goes %2$s."),
             {e[1].Label, SlopeWalk(Fraction(LineSlope(e[1].Answer[0], e[1].Answer[1])))})};
      break;
    }
    case 3: {
      page.Headline = W("SLOPE AND INTERCEPT");
      const auto walk = [](const TTutorialExample& x) {
        return SlopeWalk(Fraction(LineSlope(x.Answer[0], x.Answer[1])));
      };
      const auto to = [](const TTutorialExample& x) { return Point(WalkEnd(x)); };
      page.Sentences = {
          W("The number at the end is the *y-intercept*: the line crosses the y axis there."),
          W("The number before x is still the slope: up \xC3\xB7 right."),
          WF(W("From %1$s, *%2$s* goes %3$s, to %4$s."), {Point(e[0].WalkFrom), e[0].Label, walk(e[0]), to(e[0])}),
          WF(e[1].WalkFrom.Y < 0 ? W("*%1$s* crosses below the origin, at %2$s: %3$s is %4$s.")
                                 : W("*%1$s* crosses above the origin, at %2$s: %3$s is %4$s."),
             {e[1].Label, Point(e[1].WalkFrom), walk(e[1]), to(e[1])}),
          W("Click the two points you found: both are on the line.")};
      break;
    }
    case 4:
      page.Headline = W("ALL KINDS OF LINES");
      page.Sentences = {
          W("Now all three kinds of line come: the slope is still up \xC3\xB7 right."),
          WF(Upright(e[0]) ? W("*%s* goes straight up and down.") : W("*%s* goes straight across."), {e[0].Label}),
          WF(W("*%1$s* goes through the origin, and *%2$s* crosses the y axis at %3$s."),
             {e[1].Label, e[2].Label, PointWords(0, Round(LineIntercept(e[2].Answer[0], e[2].Answer[1])))}),
          WF(W("New power-up: the *%s* draws every monster's line for a while."), {PowerUpName(page.PowerUps[0])}),
          EarnMore(l)};
      break;
    default: {
      page.Headline = W("THE FINAL TEST");
      std::vector<std::string> names;
      for (std::int32_t r : page.PowerUps)
        if (r != 0) names.push_back(PowerUpName(r));
      page.Sentences = {W("This is the last level: every kind of line, and lots of power-ups."),
                        W("Your *Doom Device* is charged: press *D* or *6* to zap every monster at once."),
                        WF(W("You can win these power-ups: %s."), {List(names)}), EarnMore(l)};
    }
  }
}

}  // namespace

std::string QuadrantLabel(std::int32_t x, std::int32_t y) { return PointWords(x > 0 ? "X" : "-X", y > 0 ? "Y" : "-Y"); }

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
          page.Examples.back().Summary = PickLater(page.Examples.back());
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
