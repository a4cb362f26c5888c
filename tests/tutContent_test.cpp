// The tutorial pages teach what their level asks: each worked example comes
// from the level's own row, is read back from its label the way a player reads
// it, and is checked with the game's maths helpers.
#include "pages/tutContent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <sstream>

#include "tables/defLevels.h"
#include "tables/defPowerUps.h"
#include "game/libMaths.h"
#include "pages/genTutorials.h"
#include "lineLabelText.h"

namespace {

constexpr std::int32_t Medium = Difficulty::Medium;

// An expression as the monsters write it: a number, or a number plus or minus
// another. Sets `sum` when it is a sum, and its first number in `first`.
bool Evaluate(const std::string& text, std::int64_t& value, bool& sum, std::int64_t& first) {
  static const std::regex form(R"(^(-?\d+)(([+-])(\d+))?$)");
  std::smatch m;
  if (!std::regex_match(text, m, form)) return false;
  first = std::stoll(m[1]);
  sum = m[2].matched;
  value = first;
  if (sum) value += (m[3] == "+" ? 1 : -1) * std::stoll(m[4]);
  return true;
}

// A rational a / b.
struct TRatio {
  std::int64_t A = 0, B = 1;
};

bool ParseRatio(const std::string& text, TRatio& r) {
  static const std::regex form(R"(^([+-]?\d+)(/(\d+))?$)");
  std::smatch m;
  if (!std::regex_match(text, m, form)) return false;
  r.A = std::stoll(m[1]);
  r.B = m[2].matched ? std::stoll(m[3]) : 1;
  return r.B > 0;
}

// A line label: "x=c", "y=c" or "y=<slope>x<intercept>".
struct TLineForm {
  bool Vertical = false;
  TRatio Slope, Intercept;
};

bool ParseLine(const std::string& printed, TLineForm& line) {
  const std::string label = PlainLineLabel(printed);
  std::smatch m;
  static const std::regex vertical(R"(^x=(-?\d+)$)"), flat(R"(^y=(-?\d+)$)"),
      sloped(R"(^y=(-?\d+(?:/\d+)?)x([+-]\d+(?:/\d+)?)?$)");
  if (std::regex_match(label, m, vertical)) {
    line.Vertical = true;
    line.Intercept = {std::stoll(m[1]), 1};  // the x of every point
    return true;
  }
  if (std::regex_match(label, m, flat)) {
    line.Slope = {0, 1};
    line.Intercept = {std::stoll(m[1]), 1};
    return true;
  }
  if (!std::regex_match(label, m, sloped)) return false;
  if (!ParseRatio(m[1], line.Slope)) return false;
  line.Intercept = {0, 1};
  return !m[2].matched || ParseRatio(m[2], line.Intercept);
}

bool OnLine(const TLineForm& l, TIntPoint p) {
  if (l.Vertical) return p.X == l.Intercept.A;
  // y = (a/b) x + c/d, multiplied out by b*d.
  return p.Y * l.Slope.B * l.Intercept.B == l.Slope.A * p.X * l.Intercept.B + l.Intercept.A * l.Slope.B;
}

int Words(const std::string& s) {
  std::istringstream in(s);
  std::string w;
  int n = 0;
  while (in >> w) ++n;
  return n;
}

class TutorialPages : public ::testing::TestWithParam<int> {
 protected:
  int Type() const { return GetParam() / 5 + 1; }
  int Level() const { return GetParam() % 5 + 1; }
};

TEST_P(TutorialPages, PromiseOnlyWhatTheirLevelHas) {
  const TLevel& row = *MissionLevel(Type(), Level());
  const TTutorialPage page = TutorialPage(Type(), Level());
  SCOPED_TRACE(row.Name);
  EXPECT_EQ(page.Range, row.GridRange[Medium]);
  EXPECT_EQ(page.KillsToWin, row.KillsPerLevel[Medium] + 1);
  for (int q = 0; q < 5; ++q) {
    EXPECT_EQ(page.QuadrantAllowed[q], row.QuadrantAllowed[q]) << q;
    EXPECT_EQ(page.QuadrantColour[q], row.QuadrantColour[q]) << q;
  }
  // Power-ups shown are ones the level hands out; every button it hands out
  // that works in this game type is shown.
  for (std::int32_t r : page.PowerUps)
    EXPECT_TRUE(row.PowerUpAllowed[r]) << PowerUpTable[static_cast<std::size_t>(r)].Name;
  for (std::int32_t r = 2; r <= 6; ++r) {
    if (!row.PowerUpAllowed[r] || (r == 5 && Type() == GameType::DefineTheLine)) continue;
    EXPECT_NE(std::find(page.PowerUps.begin(), page.PowerUps.end(), r), page.PowerUps.end()) << r;
  }
  // Three to five short sentences and a headline.
  EXPECT_FALSE(page.Headline.empty());
  EXPECT_GE(page.Sentences.size(), 3u);
  EXPECT_LE(page.Sentences.size(), 5u);
  for (const std::string& s : page.Sentences) EXPECT_LE(Words(s), 22) << s;
  // Every "from A to B" in the text is the level's range.
  const std::regex range(R"(from (-?\d+) to (-?\d+))");
  for (const std::string& s : page.Sentences)
    for (std::sregex_iterator it(s.begin(), s.end(), range), end; it != end; ++it) {
      EXPECT_EQ(std::stoi((*it)[1]), -page.Range) << s;
      EXPECT_EQ(std::stoi((*it)[2]), page.Range) << s;
    }
}

TEST_P(TutorialPages, WorkedExamplesAreRightAndComeFromTheLevelsRules) {
  const TLevel& row = *MissionLevel(Type(), Level());
  const TTutorialPage page = TutorialPage(Type(), Level());
  SCOPED_TRACE(row.Name);
  ASSERT_FALSE(page.Examples.empty());
  const std::int32_t r = row.GridRange[Medium];
  const bool sums = row.SizeWeights[Medium][1] > 0 || row.SizeWeights[Medium][2] > 0;
  for (const TTutorialExample& e : page.Examples) {
    SCOPED_TRACE(e.Label);
    EXPECT_FALSE(e.Steps.empty());
    if (Type() == GameType::QuickQuadrants) {
      std::smatch m;
      ASSERT_TRUE(std::regex_match(e.Label, m, std::regex("^\\((-?)X,\xC2\xA0(-?)Y\\)$")));
      const int x = m[1].length() ? -1 : 1, y = m[2].length() ? -1 : 1;
      ASSERT_EQ(e.Answer.size(), 1u);
      EXPECT_EQ(e.Answer[0].X, x);
      EXPECT_EQ(e.Answer[0].Y, y);
      EXPECT_EQ(e.Quadrant, QuadrantOf(x, y));
      EXPECT_TRUE(row.QuadrantAllowed[QuadrantOf(x, y)]);
    } else if (Type() == GameType::WhatsThePoint) {
      std::smatch m;
      ASSERT_TRUE(std::regex_match(e.Label, m, std::regex("^\\(([^,]+),\xC2\xA0([^,]+)\\)$")));
      std::int64_t x = 0, y = 0, firstX = 0, firstY = 0;
      bool sumX = false, sumY = false;
      ASSERT_TRUE(Evaluate(m[1], x, sumX, firstX));
      ASSERT_TRUE(Evaluate(m[2], y, sumY, firstY));
      ASSERT_EQ(e.Answer.size(), 1u);
      EXPECT_EQ(e.Answer[0].X, x);
      EXPECT_EQ(e.Answer[0].Y, y);
      EXPECT_LE(std::abs(x), r);
      EXPECT_LE(std::abs(y), r);
      EXPECT_TRUE(row.QuadrantAllowed[QuadrantOf(e.Answer[0].X, e.Answer[0].Y)]);
      EXPECT_EQ(e.Quadrant, QuadrantOf(e.Answer[0].X, e.Answer[0].Y));
      // Sums only where the level sends monsters that carry them, and always
      // the monsters' kind: a negative number of at most 2R, then the rest.
      if (!sums) {
        EXPECT_FALSE(sumX || sumY);
      }
      if (sumY) {
        EXPECT_TRUE(sumX);
      }
      for (auto [isSum, first] : {std::pair{sumX, firstX}, std::pair{sumY, firstY}})
        if (isSum) {
          EXPECT_GE(first, -2 * r);
          EXPECT_LE(first, -1);
        }
    } else {
      TLineForm line;
      ASSERT_TRUE(ParseLine(e.Label, line));
      ASSERT_EQ(e.Answer.size(), 2u);
      const TIntPoint a = e.Answer[0], b = e.Answer[1];
      EXPECT_FALSE(a.X == b.X && a.Y == b.Y);
      for (const TIntPoint& p : e.Answer) {
        EXPECT_TRUE(OnLine(line, p)) << p.X << "," << p.Y;
        EXPECT_LE(std::abs(p.X), r);
        EXPECT_LE(std::abs(p.Y), r);
      }
      // The game judges a click by the slope and intercept of the two points.
      const double slope = LineSlope(a, b);
      if (line.Vertical) {
        EXPECT_FALSE(std::isfinite(slope));
      } else {
        EXPECT_DOUBLE_EQ(slope, static_cast<double>(line.Slope.A) / line.Slope.B);
        EXPECT_DOUBLE_EQ(LineIntercept(a, b), static_cast<double>(line.Intercept.A) / line.Intercept.B);
        double num = 0, den = 0;
        RealToFraction(slope, 0.005, num, den);
        EXPECT_EQ(std::llround(num) * line.Slope.B, line.Slope.A * std::llround(den));
      }
      // The kind of line must be one the level's monster sizes carry:
      // across or up (size 1), through the origin (2), off it (3).
      const bool straight = line.Vertical || line.Slope.A == 0;
      const int size = straight ? 1 : line.Intercept.A == 0 ? 2 : 3;
      EXPECT_GT(row.SizeWeights[Medium][size - 1], 0) << "size " << size;
      if (size >= 2) {
        // Slopes the monsters use: whole numbers up to R, or 1 over a number up to R.
        EXPECT_LE(line.Slope.B, r);
        if (line.Slope.B > 1) {
          EXPECT_EQ(std::abs(line.Slope.A), 1);
        } else {
          EXPECT_LE(std::abs(line.Slope.A), r);
        }
      }
      if (size == 3) {
        EXPECT_EQ(line.Intercept.B, 1);
        EXPECT_LE(std::abs(line.Intercept.A), r);
      }
    }
  }
}

TEST_P(TutorialPages, TextFitsItsBoxes) {
  TPageFit fit;
  const TImage image = TutorialPicture(TutorialPage(Type(), Level()), &fit);
  EXPECT_EQ(image.TextureWidth, TutorialPageSize);
  EXPECT_EQ(image.TextureHeight, TutorialPageSize);
  EXPECT_TRUE(fit.Fits) << "sentences end at " << fit.SentencesBottom << ", steps at " << fit.StepsBottom;
  // Round at its corners like its frame: clear outside them.
  for (int cx : {0, TutorialPageSize - 3})
    for (int cy : {0, TutorialPageSize - 3})
      for (int k = 0; k < 3; ++k)
        EXPECT_EQ(image.Textures[0][static_cast<std::size_t>(cy + k) * TutorialPageSize + cx + k] >> 24, 0u)
            << "corner " << cx << "," << cy;
}

// The diagram teaches with its numbers: every number of both axes is there,
// each at its own tick (moved only off the axis, never along it toward the
// next one), none under or over a ring, the pointer, a tag or an axis name,
// and no two overlap. A number may lie over a line or an arrow: it is drawn
// over it, outlined.
TEST_P(TutorialPages, EveryAxisNumberIsAtItsTickAndClearOfTheMarks) {
  const TTutorialPage page = TutorialPage(Type(), Level());
  TPageFit fit;
  TutorialPicture(page, &fit);
  const std::vector<TDiagramNumber>& numbers = fit.Diagram.PlacedNumbers();
  const double unit = TutorialPlaneSize / (2.0 * page.Range + 1);
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    EXPECT_EQ(fit.Diagram.BoxAt(numbers[i].Ink), "") << "covers " << numbers[i].Text;
    if (Type() != GameType::QuickQuadrants) {
      const TDiagramBox& ink = numbers[i].Ink;
      const double along = numbers[i].OnXAxis ? (ink.X0 + ink.X1) / 2 : (ink.Y0 + ink.Y1) / 2;
      const double tick = numbers[i].OnXAxis ? TutorialPlaneX + TutorialPlaneSize / 2 + numbers[i].Value * unit
                                             : TutorialPlaneY + TutorialPlaneSize / 2 - numbers[i].Value * unit;
      // The ink of a digit and its minus sign is not quite centred on its pen.
      EXPECT_LE(std::abs(along - tick), 2.5) << numbers[i].Text << (numbers[i].OnXAxis ? " on x" : " on y")
                                             << " is off its tick";
    }
    for (std::size_t j = i + 1; j < numbers.size(); ++j)
      EXPECT_FALSE(numbers[i].Ink.Meets(numbers[j].Ink)) << numbers[i].Text << " and " << numbers[j].Text;
  }
  if (Type() == GameType::QuickQuadrants) {
    EXPECT_EQ(numbers.size(), 4u) << "the four numerals";
    return;
  }
  auto shown = [&](int value, bool onX) {
    return std::any_of(numbers.begin(), numbers.end(),
                       [&](const TDiagramNumber& n) { return n.Value == value && n.OnXAxis == onX; });
  };
  for (int v = -page.Range; v <= page.Range; ++v) {
    if (v == 0) continue;
    EXPECT_TRUE(shown(v, true)) << "x number " << v;
    EXPECT_TRUE(shown(v, false)) << "y number " << v;
  }
}

INSTANTIATE_TEST_SUITE_P(AllFifteen, TutorialPages, ::testing::Range(0, 15));

TEST(DiagramMarks, AStrokeMeetsWhatItCrossesOrPassesWithinHalfItsWidth) {
  const TDiagramBox box{10, 10, 20, 20};
  EXPECT_TRUE((TDiagramStroke{0, 0, 30, 30, 1}.Meets(box))) << "straight through";
  EXPECT_TRUE((TDiagramStroke{12, 12, 14, 14, 1}.Meets(box))) << "wholly inside";
  EXPECT_TRUE((TDiagramStroke{0, 22, 30, 22, 3}.Meets(box))) << "passing within its half width";
  EXPECT_FALSE((TDiagramStroke{0, 22, 30, 22, 1.5}.Meets(box))) << "passing just clear";
  EXPECT_TRUE((TDiagramStroke{15, 40, 15, 23, 4}.Meets(box))) << "ending short, but its end is wide";
  EXPECT_FALSE((TDiagramStroke{15, 40, 15, 25, 4}.Meets(box)));
  EXPECT_FALSE((TDiagramStroke{0, 40, 40, 30, 2}.Meets(box))) << "well away";
  TDiagramMarks marks;
  marks.AddStroke({0, 22, 30, 22, 3}, "a line");
  marks.AddBox({18, 0, 30, 9}, "a ring");
  EXPECT_EQ(marks.MarkAt(box), "a line");
  EXPECT_EQ(marks.MarkAt({25, 5, 26, 6}), "a ring");
  EXPECT_TRUE(marks.Free({40, 40, 45, 45}));
  marks.AddNumber({"2", 2, true, {40, 40, 45, 45}});
  EXPECT_FALSE(marks.Free({44, 44, 50, 50})) << "numbers keep apart too";
}

// Slopes of 1/2 and 1/3 are asked from the second line level on: the pages
// there walk one, in the notation the monsters print.
TEST(TutorialTeaching, FractionSlopesAreWalkedInTheMonstersNotation) {
  for (int level : {2, 3}) {
    const TTutorialPage page = TutorialPage(GameType::DefineTheLine, level);
    SCOPED_TRACE(page.Headline);
    const std::regex walk(R"((y=-?\(1/(\d)\)x([+-]\d)?)\*? (goes|means) (\d) steps right, 1 step (up|down))");
    const std::regex said(R"((-?\(1/(\d)\)) means (\d) steps right, 1 step (up|down))");
    bool taught = false;
    for (const std::string& s : page.Sentences) {
      std::smatch m;
      if (std::regex_search(s, m, walk)) {
        taught = true;
        EXPECT_EQ(m[2], m[5]) << s << ": a slope of 1/n walks n steps right";
        EXPECT_EQ(m[1].str().find("=-") != std::string::npos, m[6] == "down") << s;
      } else if (std::regex_search(s, m, said)) {
        taught = true;
        EXPECT_EQ(m[2], m[3]) << s;
        EXPECT_EQ(m[1].str()[0] == '-', m[4] == "down") << s;
      }
      EXPECT_EQ(s.find("1x"), std::string::npos) << s;
      EXPECT_FALSE(std::regex_search(s, std::regex(R"(\d/\dx)"))) << s << ": reads as 1 over 2x";
    }
    EXPECT_TRUE(taught);
  }
}

// A worked line whose shown point lies left of the y axis is reached by
// walking the slope backwards from where the line crosses it; the page says
// so, and the walk it gives lands on that point.
TEST(TutorialTeaching, APointLeftOfTheYAxisIsReachedByWalkingBack) {
  int checked = 0;
  for (int level = 2; level <= 5; ++level) {
    const TTutorialPage page = TutorialPage(GameType::DefineTheLine, level);
    for (const TTutorialExample& e : page.Examples) {
      if (e.Answer.size() != 2 || e.Answer[0].X == e.Answer[1].X || e.Answer[0].Y == e.Answer[1].Y) continue;
      const double b = LineIntercept(e.Answer[0], e.Answer[1]);
      std::string steps;
      for (const std::string& s : e.Steps) steps += s + "\n";
      std::smatch m;
      const bool back = std::regex_search(steps, m, std::regex(R"(back: (\d) steps? left, (\d) steps? (up|down))"));
      if (e.Answer[0].X >= 0) {
        EXPECT_FALSE(back) << e.Label;
        continue;
      }
      ++checked;
      ASSERT_TRUE(back) << e.Label << " shows " << e.Answer[0].X << "," << e.Answer[0].Y << "\n" << steps;
      const int left = std::stoi(m[1]), rise = std::stoi(m[2]) * (m[3] == "up" ? 1 : -1);
      EXPECT_TRUE(LineSlope({0, static_cast<std::int32_t>(b)}, {-left, static_cast<std::int32_t>(b) + rise}) ==
                  LineSlope(e.Answer[0], e.Answer[1]))
          << e.Label << ": the walk back leaves the line";
      EXPECT_EQ(-left, e.Answer[0].X) << e.Label;
      EXPECT_EQ(b + rise, e.Answer[0].Y) << e.Label;
    }
  }
  EXPECT_GT(checked, 0) << "no page needs the walk back";
  // And the level 3 text says it too, where its picture shows such a point.
  const TTutorialPage three = TutorialPage(GameType::DefineTheLine, 3);
  if (three.Examples[0].Answer[0].X < 0) {
    EXPECT_TRUE(std::any_of(three.Sentences.begin(), three.Sentences.end(),
                            [](const std::string& s) { return s.find("or go back: ") != std::string::npos; }));
  }
}

TEST(TutorialLabels, QuadrantQuestionsAreWrittenTheWayTheMonstersWriteThem) {
  EXPECT_EQ(QuadrantLabel(1, 1), "(X,\xC2\xA0Y)");
  EXPECT_EQ(QuadrantLabel(-1, 1), "(-X,\xC2\xA0Y)");
  EXPECT_EQ(QuadrantLabel(-1, -1), "(-X,\xC2\xA0-Y)");
  EXPECT_EQ(QuadrantLabel(1, -1), "(X,\xC2\xA0-Y)");
}

}  // namespace
