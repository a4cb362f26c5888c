// The questions monsters carry, checked as properties over every level a game
// can be played at: each mission level, and the arcade start level of each game
// type at every difficulty, fresh and after ten level-ups. Each label is read
// back by a parser of this file's own and must agree with the answer the game
// will accept. A wrong question a child could be shown is the worst bug this
// game can have.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <numeric>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/sysRandom.h"
#include "tables/defLevels.h"
#include "game/libMaths.h"
#include "gameBoardSupport.h"
#include "lineLabelText.h"
#include "render/rndItems.h"

namespace {

constexpr int MonstersPerLevel = 10000;

// ------------------------------------------------------------- small parsers

// Reads an optionally signed decimal integer at s[i]; advances i.
std::optional<long> ReadInt(const std::string& s, std::size_t& i, bool allowSign) {
  std::size_t j = i;
  bool negative = false;
  if (allowSign && j < s.size() && (s[j] == '-' || s[j] == '+')) negative = s[j++] == '-';
  const std::size_t digits = j;
  long v = 0;
  while (j < s.size() && s[j] >= '0' && s[j] <= '9') v = v * 10 + (s[j++] - '0');
  if (j == digits || j - digits > 6) return std::nullopt;
  i = j;
  return negative ? -v : v;
}

// "-3", "-3+5" or "-3-2" as its value; the first number in *first.
std::optional<long> EvalExpression(const std::string& s, long* first, bool* plain) {
  std::size_t i = 0;
  auto a = ReadInt(s, i, true);
  if (!a) return std::nullopt;
  *first = *a;
  *plain = i == s.size();
  if (*plain) return a;
  if (s[i] != '+' && s[i] != '-') return std::nullopt;
  auto b = ReadInt(s, i, true);
  if (!b || i != s.size()) return std::nullopt;
  return *a + *b;
}

struct TRational {
  long Num = 0;
  long Den = 1;  // > 0
};

// "3", "-1/2": a fraction with a positive denominator.
std::optional<TRational> ReadRational(const std::string& s, std::size_t& i, bool allowSign) {
  auto n = ReadInt(s, i, allowSign);
  if (!n) return std::nullopt;
  TRational r{*n, 1};
  if (i < s.size() && s[i] == '/') {
    ++i;
    auto d = ReadInt(s, i, false);
    if (!d || *d <= 0) return std::nullopt;
    r.Den = *d;
  }
  return r;
}

// A line as a child reads its label: x = c, or y = k x + c.
struct TParsedLine {
  bool Vertical = false;
  long VerticalX = 0;
  TRational Slope;  // 0 for y = c
  TRational Intercept;
  bool Contains(long x, long y) const {
    if (Vertical) return x == VerticalX;
    // y = (sn/sd) x + (in/id)  <=>  y sd id = sn x id + in sd
    return y * Slope.Den * Intercept.Den == Slope.Num * x * Intercept.Den + Intercept.Num * Slope.Den;
  }
};

std::optional<TParsedLine> ParseLine(const std::string& label) {
  const std::string s = PlainLineLabel(label);
  TParsedLine line;
  std::size_t i = 2;
  if (s.size() < 3 || s[1] != '=') return std::nullopt;
  if (s[0] == 'x') {
    auto c = ReadInt(s, i, true);
    if (!c || i != s.size()) return std::nullopt;
    line.Vertical = true;
    line.VerticalX = *c;
    return line;
  }
  if (s[0] != 'y') return std::nullopt;
  if (s.find('x') == std::string::npos) {
    auto c = ReadInt(s, i, true);
    if (!c || i != s.size()) return std::nullopt;
    line.Intercept = {*c, 1};
    return line;
  }
  auto k = ReadRational(s, i, true);
  if (!k || i >= s.size() || s[i] != 'x') return std::nullopt;
  line.Slope = *k;
  ++i;
  if (i == s.size()) return line;
  if (s[i] != '+' && s[i] != '-') return std::nullopt;
  const bool negative = s[i] == '-';
  ++i;
  auto c = ReadRational(s, i, false);
  if (!c || i != s.size()) return std::nullopt;
  line.Intercept = {negative ? -c->Num : c->Num, c->Den};
  return line;
}

// ------------------------------------------------------------- the levels

struct TLevelCase {
  std::string Name;
  bool Mission;
  std::int32_t GameType;
  std::int32_t LevelOrDifficulty;
  std::int32_t LevelUps;
};

std::vector<TLevelCase> AllLevels() {
  std::vector<TLevelCase> cases;
  for (std::int32_t type = 1; type <= 3; ++type)
    for (std::int32_t level = 1; level <= 5; ++level)
      cases.push_back({"mission " + std::to_string(type) + "." + std::to_string(level), true, type, level, 0});
  for (std::int32_t type = 1; type <= 3; ++type)
    for (std::int32_t d = 0; d < 4; ++d)
      for (std::int32_t ups : {0, 10})
        cases.push_back({"arcade " + std::to_string(type) + " " + DifficultyName(d) + " +" + std::to_string(ups), false,
                         type, d, ups});
  return cases;
}

void UseLevel(TGameBoard& board, const TLevelCase& c) {
  if (c.Mission)
    board.UseMission(c.GameType, c.LevelOrDifficulty);
  else
    board.UseArcade(c.GameType, c.LevelOrDifficulty, c.LevelUps);
}

// Whether a slope is one the rules allow for lines of range r: a whole number
// from 1 to r, or one over a whole number from 2 to r, of either sign.
bool AllowedSlope(const TRational& k, long r) {
  const long n = std::labs(k.Num);
  if (k.Den == 1) return n >= 1 && n <= r;
  return n == 1 && k.Den >= 2 && k.Den <= r;
}

// One distinct line question and what the monster keeps of it.
struct TLineSeen {
  double Slope;
  double Intercept;
  std::int32_t AnswerX;
  std::int32_t Range;
};

class MonsterQuestions : public ::testing::Test {
 protected:
  MonsterQuestions() : Board(false) {}

  // Sets a monster up MonstersPerLevel times on every level of a game type.
  template <class Check>
  void ForEachMonster(std::int32_t gameType, Check check) {
    RandomSeed(20240613u + static_cast<std::uint32_t>(gameType));
    for (const TLevelCase& c : AllLevels()) {
      if (c.GameType != gameType) continue;
      SCOPED_TRACE(c.Name);
      UseLevel(Board, c);
      TobjMonster* m = Board.Spawn(0, 0);
      const TLevel& level = Board.Res().Level;
      const std::int32_t d = Board.Res().Difficulty;
      std::set<std::int32_t> sizes;
      for (int i = 0; i < MonstersPerLevel; ++i) {
        m->Setup();
        sizes.insert(m->Size);
        // The whole label is drawn: the fixed-width font has 9 pixels a character.
        ASSERT_LE(static_cast<int>(m->Question.size()) * FontMetrics(10).CharWidth, TobjMonster::LabelWidth)
            << m->Question;
        ASSERT_EQ(m->Label->Text, m->Question);
        ASSERT_GE(m->TopSpeed, level.BaseSpeed[d]);
        ASSERT_LE(m->TopSpeed, level.BaseSpeed[d] + level.SpeedSpread[d] + 1e-9);
        check(*m, level, level.GridRange[d]);
        if (HasFatalFailure()) return;
      }
      // Every size the level weighs appears, and no other.
      std::set<std::int32_t> weighted;
      for (std::int32_t s = 0; s < 3; ++s)
        if (level.SizeWeights[d][s] > 0) weighted.insert(s + 1);
      EXPECT_EQ(sizes, weighted);
      Board.Objects()->DeleteObject(m->Index);
      Board.Step();
    }
  }

  TGameBoard Board;
};

TEST_F(MonsterQuestions, QuadrantLabelsMatchTheirAnswersInAllowedQuadrants) {
  std::set<std::string> labels;
  ForEachMonster(GameType::QuickQuadrants, [&](const TobjMonster& m, const TLevel& level, std::int32_t) {
    const std::string& q = m.Question;
    ASSERT_TRUE(q == "(X,Y)" || q == "(-X,Y)" || q == "(-X,-Y)" || q == "(X,-Y)") << q;
    const bool xNegative = q[1] == '-';
    const bool yNegative = q[q.size() - 3] == '-';
    ASSERT_EQ(m.AnswerPoint.X, xNegative ? -1 : 1) << q;
    ASSERT_EQ(m.AnswerPoint.Y, yNegative ? -1 : 1) << q;
    ASSERT_TRUE(level.QuadrantAllowed[QuadrantOf(m.AnswerPoint.X, m.AnswerPoint.Y)]) << q;
    labels.insert(q);
  });
  EXPECT_EQ(labels.size(), 4u) << "every quadrant is asked somewhere";
}

TEST_F(MonsterQuestions, PointLabelsEvaluateToTheirAnswersOnTheGridInAllowedQuadrants) {
  std::set<std::int32_t> quadrants;
  ForEachMonster(GameType::WhatsThePoint, [&](const TobjMonster& m, const TLevel& level, std::int32_t r) {
    const std::string& q = m.Question;
    ASSERT_TRUE(q.size() >= 5 && q.front() == '(' && q.back() == ')') << q;
    const std::size_t comma = q.find(',');
    ASSERT_NE(comma, std::string::npos) << q;
    long firstA = 0;
    long firstB = 0;
    bool plainA = false;
    bool plainB = false;
    const auto a = EvalExpression(q.substr(1, comma - 1), &firstA, &plainA);
    const auto b = EvalExpression(q.substr(comma + 1, q.size() - comma - 2), &firstB, &plainB);
    ASSERT_TRUE(a && b) << q;
    ASSERT_EQ(*a, m.AnswerPoint.X) << q;
    ASSERT_EQ(*b, m.AnswerPoint.Y) << q;
    ASSERT_LE(std::abs(m.AnswerPoint.X), r) << q;
    ASSERT_LE(std::abs(m.AnswerPoint.Y), r) << q;
    ASSERT_TRUE(level.QuadrantAllowed[QuadrantOf(m.AnswerPoint.X, m.AnswerPoint.Y)]) << q;
    // Small monsters show plain points, medium ones a sum for x, large ones two sums.
    ASSERT_EQ(plainA, m.Size == 1) << q;
    ASSERT_EQ(plainB, m.Size < 3) << q;
    if (!plainA) {
      ASSERT_TRUE(firstA >= -2 * r && firstA <= -1) << q;
    }
    if (!plainB) {
      ASSERT_TRUE(firstB >= -2 * r && firstB <= -1) << q;
    }
    quadrants.insert(QuadrantOf(m.AnswerPoint.X, m.AnswerPoint.Y));
  });
  EXPECT_EQ(quadrants.size(), 5u) << "points on the axes and in all four quadrants are asked";
}

TEST_F(MonsterQuestions, LineLabelsDescribeTheLineThroughBothAnswerPoints) {
  std::map<std::string, TLineSeen> lines;
  std::set<std::int32_t> kinds;
  ForEachMonster(GameType::DefineTheLine, [&](const TobjMonster& m, const TLevel&, std::int32_t r) {
    const std::string& q = m.Question;
    const auto line = ParseLine(q);
    ASSERT_TRUE(line) << q;
    const TIntPoint p = m.AnswerPoint;
    const TIntPoint s = m.SecondPoint;
    ASSERT_FALSE(p.X == s.X && p.Y == s.Y) << q;
    for (const TIntPoint& pt : {p, s}) {
      ASSERT_TRUE(line->Contains(pt.X, pt.Y)) << q << " misses (" << pt.X << "," << pt.Y << ")";
      ASSERT_LE(std::abs(pt.X), r) << q << ": a point off the grid";
      ASSERT_LE(std::abs(pt.Y), r) << q << ": a point off the grid";
    }
    switch (m.Size) {
      case 1:
        ASSERT_TRUE(line->Vertical || line->Slope.Num == 0) << q;
        break;
      case 2:
        ASSERT_FALSE(line->Vertical) << q;
        ASSERT_EQ(line->Intercept.Num, 0) << q;
        ASSERT_TRUE(AllowedSlope(line->Slope, r)) << q;
        break;
      case 3:
        ASSERT_FALSE(line->Vertical) << q;
        ASSERT_TRUE(AllowedSlope(line->Slope, r)) << q;
        ASSERT_EQ(line->Intercept.Den, 1) << q;
        ASSERT_NE(line->Intercept.Num, 0) << q;
        ASSERT_LE(std::labs(line->Intercept.Num), r) << q;
        break;
      default:
        FAIL() << "size " << m.Size;
    }
    kinds.insert(m.Size * 10 + (line->Vertical ? 1 : 0));
    lines.emplace(q + "/" + std::to_string(r), TLineSeen{m.Slope, m.Intercept, m.AnswerPoint.X, r});
  });
  EXPECT_TRUE(kinds.count(10) && kinds.count(11) && kinds.count(20) && kinds.count(30))
      << "horizontal, vertical, through the origin and off it";

  // Every line is answered by every pair of distinct grid points on it, and by
  // no other pair: the director compares reals, so this is where a line that
  // reads right but cannot be answered would show.
  for (const auto& [label, seen] : lines) {
    const auto line = ParseLine(label.substr(0, label.find('/') == std::string::npos ? label.size() : label.rfind('/')));
    ASSERT_TRUE(line) << label;
    const std::int32_t r = seen.Range;
    for (std::int32_t ax = -r; ax <= r; ++ax)
      for (std::int32_t ay = -r; ay <= r; ++ay)
        for (std::int32_t bx = -r; bx <= r; ++bx)
          for (std::int32_t by = -r; by <= r; ++by) {
            if (ax == bx && ay == by) continue;
            const bool onLine = line->Contains(ax, ay) && line->Contains(bx, by);
            const bool accepted = TmodAI::AnswersLine(seen.Slope, seen.Intercept, seen.AnswerX, {ax, ay}, {bx, by});
            ASSERT_EQ(accepted, onLine) << label << " with (" << ax << "," << ay << ") and (" << bx << "," << by
                                        << ")";
          }
  }
}

// ------------------------------------------------------------- the rules in detail

TEST(MonsterQuestionRules, ExpressionsAlwaysAddUpAndUseTheDocumentedForms) {
  RandomSeed(7);
  std::set<std::string> forZero;
  for (int i = 0; i < 2000; ++i) forZero.insert(PointExpression(0, 2));
  EXPECT_EQ(forZero, (std::set<std::string>{"-4+4", "-3+3", "-2+2", "-1+1"}));
  // A negative value is never reached by adding 0.
  for (int i = 0; i < 2000; ++i) {
    const std::string text = PointExpression(-2, 2);
    ASSERT_EQ(text.find("+0"), std::string::npos) << text;
  }
  for (std::int32_t r = 1; r <= 5; ++r)
    for (std::int32_t v = -r; v <= r; ++v)
      for (int i = 0; i < 50; ++i) {
        long first = 0;
        bool plain = true;
        const std::string text = PointExpression(v, r);
        ASSERT_EQ(EvalExpression(text, &first, &plain), v) << text;
        ASSERT_FALSE(plain);
      }
}

TEST(MonsterQuestionRules, LineLabelsFollowTheWrittenForms) {
  EXPECT_EQ(LineLabel({2, 0}, {2, 1}), "x=2");
  EXPECT_EQ(LineLabel({-3, -1}, {-2, -1}), "y=-1");
  EXPECT_EQ(LineLabel({0, 3}, {1, 5}), "y=2x+3");
  // Fractions in brackets, so 1/2x cannot read as 1 over 2x; a slope of one
  // is not written.
  EXPECT_EQ(LineLabel({0, 0}, {2, -1}), "y=-(1/2)x");
  EXPECT_EQ(LineLabel({3, -1}, {0, -2}), "y=(1/3)x-2");
  EXPECT_EQ(LineLabel({0, 0}, {1, 1}), "y=x");
  EXPECT_EQ(LineLabel({0, 0}, {-1, 1}), "y=-x");
  EXPECT_EQ(LineLabel({-1, -4}, {0, -1}), "y=3x-1");
}

TEST(MonsterQuestionRules, LinesThroughTheOriginOnRangeThreeUseOnlyTheAllowedSlopes) {
  TGameBoard board(false);
  board.UseMission(GameType::DefineTheLine, 2);  // all medium: through the origin, R = 3
  RandomSeed(99);
  TobjMonster* m = board.Spawn(0, 0);
  std::set<std::string> labels;
  for (int i = 0; i < 5000; ++i) {
    m->Setup();
    labels.insert(m->Question);
  }
  EXPECT_EQ(labels, (std::set<std::string>{"y=x", "y=-x", "y=2x", "y=-2x", "y=3x", "y=-3x", "y=(1/2)x", "y=-(1/2)x",
                                            "y=(1/3)x", "y=-(1/3)x"}));
}

TEST(MonsterQuestionRules, HorizontalAndVerticalLinesAtTheEdgeKeepBothPointsOnTheGrid) {
  TGameBoard board(false);
  board.UseMission(GameType::DefineTheLine, 1);  // all small, R = 3
  RandomSeed(5);
  TobjMonster* m = board.Spawn(0, 0);
  int atEdge = 0;
  for (int i = 0; i < 3000; ++i) {
    m->Setup();
    const bool edge = m->AnswerPoint.X == 3 || m->AnswerPoint.Y == 3;
    atEdge += edge;
    ASSERT_LE(std::abs(m->SecondPoint.X), 3) << m->Question;
    ASSERT_LE(std::abs(m->SecondPoint.Y), 3) << m->Question;
    const int dx = std::abs(m->SecondPoint.X - m->AnswerPoint.X);
    const int dy = std::abs(m->SecondPoint.Y - m->AnswerPoint.Y);
    ASSERT_EQ(dx + dy, 1) << "neighbours on the same line";
  }
  EXPECT_GT(atEdge, 100) << "the edge is drawn often enough to matter";
}

TEST(MonsterQuestionRules, LevelUpsAddTheStepRowButKeepTheSpawnIntervalAtFiveOrMore) {
  TLevel level = ArcadeStartLevels[0];
  for (int i = 0; i < 100; ++i) ApplyLevelStep(level);
  EXPECT_EQ(level.SpawnInterval[Difficulty::Crazy], 5);
  EXPECT_EQ(level.KillsPerLevel[Difficulty::Easy], 110);
  EXPECT_NEAR(level.BaseSpeed[Difficulty::Medium], 0.5 + 100 * 0.05, 1e-9);
  EXPECT_EQ(level.SizeWeights[Difficulty::Hard][2], 5 + 100 * 10);
  EXPECT_EQ(level.GridRange[Difficulty::Hard], 1) << "the grid never grows";
  EXPECT_EQ(level.QuadrantColour[0], 7) << "colours are not taken from the step";
}

}  // namespace
