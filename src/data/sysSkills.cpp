#include "data/sysSkills.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/sysCatalogue.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"

namespace {

constexpr const char* Numerals[5] = {"", "I", "II", "III", "IV"};

std::uint32_t Bit(TSkill s) { return 1u << static_cast<std::uint32_t>(s); }

// "(2,-1)" as two integers; false for anything else.
bool ParsePoint(const std::string& text, int& x, int& y) {
  if (text.size() < 5 || text.front() != '(' || text.back() != ')') return false;
  char tail = 0;
  return std::sscanf(text.c_str(), "(%d,%d%c", &x, &y, &tail) == 3 && tail == ')';
}

// The number of the two coordinates written as a sum: "(-3+5,2)" has one.
int SumsIn(const std::string& question) {
  if (question.size() < 2 || question.front() != '(' || question.back() != ')') return 0;
  const std::string inner = question.substr(1, question.size() - 2);
  const std::size_t comma = inner.find(',');
  if (comma == std::string::npos) return 0;
  int sums = 0;
  for (const std::string& part : {inner.substr(0, comma), inner.substr(comma + 1)})
    if (part.find_first_of("+-", 1) != std::string::npos) ++sums;
  return sums;
}

std::uint32_t QuadrantSkill(int x, int y) {
  if (x == 0 || y == 0) return Bit(skAxes);
  if (x > 0) return Bit(y > 0 ? skQuadrant1 : skQuadrant4);
  return Bit(y > 0 ? skQuadrant2 : skQuadrant3);
}

std::uint32_t LineSkills(const std::string& line) {
  if (line.rfind("x=", 0) == 0) return Bit(skLevelLine);
  if (line.rfind("y=", 0) != 0) return 0;
  const std::size_t x = line.find('x', 2);
  if (x == std::string::npos) return Bit(skLevelLine);
  std::uint32_t skills = line.find('(') != std::string::npos ? Bit(skFractionSlope) : Bit(skWholeSlope);
  skills |= x + 1 < line.size() ? Bit(skIntercept) : Bit(skThroughOrigin);
  return skills;
}

// The first mission level of a game type whose rules pass the test.
template <class T>
TTutorialPlace FirstLevel(std::int32_t game, T test) {
  for (std::int32_t level = 1; level <= MissionLevelCount; ++level)
    if (const TLevel* l = MissionLevel(game, level); l != nullptr && test(*l)) return {game, level};
  return {game, 1};
}

std::int32_t Median(std::vector<std::int32_t>& values) {
  if (values.empty()) return 0;
  const std::size_t mid = values.size() / 2;
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(mid), values.end());
  const std::int32_t upper = values[mid];
  if (values.size() % 2 == 1) return upper;
  const std::int32_t lower = *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(mid));
  return static_cast<std::int32_t>((static_cast<std::int64_t>(lower) + upper + 1) / 2);
}

}  // namespace

TSkillGroup GroupOf(TSkill skill) {
  if (skill <= skAxes) return sgQuadrants;
  if (skill <= skTwoSums) return sgPoints;
  return sgLines;
}

std::uint32_t SkillsOf(std::int32_t game, const std::string& question, const std::string& answer) {
  switch (game) {
    case GameType::QuickQuadrants:
      for (std::int32_t q = 1; q <= 4; ++q)
        if (answer == Numerals[q]) return Bit(static_cast<TSkill>(skQuadrant1 + q - 1));
      return 0;
    case GameType::WhatsThePoint: {
      int x = 0;
      int y = 0;
      if (!ParsePoint(answer, x, y)) return 0;
      static constexpr TSkill Forms[3] = {skPlainPoint, skOneSum, skTwoSums};
      return QuadrantSkill(x, y) | Bit(Forms[SumsIn(question)]);
    }
    case GameType::DefineTheLine: return LineSkills(answer.empty() ? question : answer);
    default: return 0;
  }
}

std::string SkillName(TSkill skill) {
  switch (skill) {
    case skQuadrant1: return Tr("Quadrant I");
    case skQuadrant2: return Tr("Quadrant II");
    case skQuadrant3: return Tr("Quadrant III");
    case skQuadrant4: return Tr("Quadrant IV");
    case skAxes: return Tr("Points on the axes");
    case skPlainPoint: return Tr("Plain points");
    case skOneSum: return Tr("Points with one sum");
    case skTwoSums: return Tr("Points with two sums");
    case skLevelLine: return Tr("Lines x=a and y=b");
    case skThroughOrigin: return Tr("Lines through the origin");
    case skWholeSlope: return Tr("Lines with a whole slope");
    case skFractionSlope: return Tr("Lines with a fraction slope");
    case skIntercept: return Tr("Lines with an intercept");
    default: return "";
  }
}

TTutorialPlace TutorialFor(TSkill skill) {
  constexpr std::int32_t M = Difficulty::Medium;
  switch (skill) {
    case skQuadrant1:
    case skQuadrant2:
    case skQuadrant3:
    case skQuadrant4: {
      const std::int32_t q = skill - skQuadrant1 + 1;
      return FirstLevel(GameType::QuickQuadrants, [q](const TLevel& l) { return l.QuadrantAllowed[q]; });
    }
    case skAxes: return FirstLevel(GameType::WhatsThePoint, [](const TLevel& l) { return l.QuadrantAllowed[0]; });
    case skPlainPoint:
    case skOneSum:
    case skTwoSums: {
      const std::int32_t size = skill - skPlainPoint;
      return FirstLevel(GameType::WhatsThePoint, [size](const TLevel& l) { return l.SizeWeights[M][size] > 0; });
    }
    case skLevelLine:
      return FirstLevel(GameType::DefineTheLine, [](const TLevel& l) { return l.SizeWeights[M][0] > 0; });
    case skThroughOrigin:
    case skWholeSlope:
    case skFractionSlope:
      return FirstLevel(GameType::DefineTheLine, [](const TLevel& l) { return l.SizeWeights[M][1] > 0; });
    case skIntercept:
      return FirstLevel(GameType::DefineTheLine, [](const TLevel& l) { return l.SizeWeights[M][2] > 0; });
    default: return {};
  }
}

TProgressSummary Summarise(const std::vector<TAnswerRow>& rows) {
  TProgressSummary out;
  std::array<std::vector<std::int32_t>, SkillCount> times;
  std::int64_t lastSession = 0;
  bool first = true;
  for (const TAnswerRow& row : rows) {
    if (first || row.Session != lastSession) ++out.Sessions;
    first = false;
    lastSession = row.Session;
    ++out.All;
    if (row.Correct) ++out.Right;
    const std::uint32_t skills = SkillsOf(row.Game, row.Question, row.Answer);
    for (std::int32_t s = 0; s < SkillCount; ++s) {
      if ((skills & Bit(static_cast<TSkill>(s))) == 0) continue;
      TSkillStats& stats = out.Skills[static_cast<std::size_t>(s)];
      ++stats.All;
      if (row.Correct) ++stats.Right;
      times[static_cast<std::size_t>(s)].push_back(row.Ms);
      if (stats.LastSessions.empty() || stats.LastSessions.back().Session != row.Session)
        stats.LastSessions.push_back(TSessionMark{row.Session, 0, 0});
      ++stats.LastSessions.back().All;
      if (row.Correct) ++stats.LastSessions.back().Right;
    }
  }
  for (std::int32_t s = 0; s < SkillCount; ++s) {
    TSkillStats& stats = out.Skills[static_cast<std::size_t>(s)];
    stats.MedianMs = Median(times[static_cast<std::size_t>(s)]);
    if (stats.LastSessions.size() > SessionsShown)
      stats.LastSessions.erase(stats.LastSessions.begin(),
                               stats.LastSessions.end() - static_cast<std::ptrdiff_t>(SessionsShown));
    if (stats.All < MinForWeakest) continue;
    if (out.Weakest == SkillCount) {
      out.Weakest = static_cast<TSkill>(s);
      continue;
    }
    const TSkillStats& w = out.Skills[static_cast<std::size_t>(out.Weakest)];
    // Shares compared without rounding; on a tie, the skill met more often.
    const std::int64_t mine = static_cast<std::int64_t>(stats.Right) * w.All;
    const std::int64_t theirs = static_cast<std::int64_t>(w.Right) * stats.All;
    if (mine < theirs || (mine == theirs && stats.All > w.All)) out.Weakest = static_cast<TSkill>(s);
  }
  return out;
}

std::vector<TPictureMark> SkillPicture(TSkill skill) {
  using M = TPictureMark;
  constexpr std::uint32_t Axis = 0xC8D0E0;
  constexpr std::uint32_t Ink = 0xFFFFFF;
  constexpr std::uint32_t LineInk = 0x40E0FF;
  std::vector<M> marks;
  auto box = [&](double x1, double y1, double x2, double y2, std::uint32_t c) { marks.push_back({M::Box, x1, y1, x2, y2, 1, c, ""}); };
  auto line = [&](double x1, double y1, double x2, double y2, double w, std::uint32_t c) { marks.push_back({M::Line, x1, y1, x2, y2, w, c, ""}); };
  auto dot = [&](double x, double y, std::uint32_t c) { marks.push_back({M::Dot, x, y, 0, 0, 5, c, ""}); };
  auto label = [&](double x, double y, const char* text, std::uint32_t c) { marks.push_back({M::Label, x, y, 0, 0, 1, c, text}); };
  const TSkillGroup group = GroupOf(skill);
  if (group == sgQuadrants && skill != skAxes) {
    const std::int32_t q = skill - skQuadrant1 + 1;
    const bool right = q == 1 || q == 4;
    const bool up = q == 1 || q == 2;
    const double x = right ? 52 : 4;
    const double y = up ? 4 : 52;
    box(x, y, x + 44, y + 44, QuadrantColour(q));
    // Dark on the light quadrants, white on the blue one.
    label(x + 22, y + 22, Numerals[q], q == 4 ? 0xFFFFFF : 0x000000);
  }
  line(50, 2, 50, 98, skill == skAxes ? 4 : 2, skill == skAxes ? Ink : Axis);
  line(2, 50, 98, 50, skill == skAxes ? 4 : 2, skill == skAxes ? Ink : Axis);
  switch (skill) {
    case skAxes:
      dot(50, 22, Ink);
      dot(78, 50, Ink);
      break;
    case skPlainPoint:
      dot(74, 26, Ink);
      label(50, 84, "(2,2)", Ink);
      break;
    case skOneSum:
      dot(74, 26, Ink);
      label(50, 84, "(1+1,2)", Ink);
      break;
    case skTwoSums:
      dot(74, 26, Ink);
      label(50, 84, "(1+1,3-1)", Ink);
      break;
    case skLevelLine:
      line(74, 4, 74, 96, 3, LineInk);
      line(4, 26, 96, 26, 3, LineInk);
      break;
    case skThroughOrigin:
      line(14, 86, 86, 14, 3, LineInk);
      dot(50, 50, Ink);
      break;
    case skWholeSlope:
      line(30, 90, 70, 10, 3, LineInk);
      label(78, 78, "2x", Ink);
      break;
    case skFractionSlope:
      line(6, 72, 94, 28, 3, LineInk);
      label(72, 80, "(1/2)x", Ink);
      break;
    case skIntercept:
      line(6, 78, 80, 4, 3, LineInk);
      dot(50, 34, Ink);
      label(76, 80, "+2", Ink);
      break;
    default:
      break;
  }
  return marks;
}

std::string SecondsText(std::int32_t ms) {
  // TRANSLATORS: seconds with one decimal, such as "2.5 s"; write your language's decimal sign.
  return Format(Tr("%1$s.%2$s s"), {std::to_string(ms / 1000), std::to_string((ms % 1000) / 100)});
}

std::string WeakestLine(const TProgressSummary& summary) {
  if (summary.Weakest == SkillCount) {
    if (summary.All == 0) return Tr("No answers yet: play a game, and how each skill is going shows here.");
    return Tr("Answer a few more questions, and the skill that needs the most practice is named here.");
  }
  const TSkillStats& s = summary.Skills[static_cast<std::size_t>(summary.Weakest)];
  const TTutorialPlace place = TutorialFor(summary.Weakest);
  // TRANSLATORS: the skill, right answers, all answers, the game's name, the level.
  return Format(Tr("%1$s: %2$s of %3$s right. Tutorial: %4$s level %5$s."),
                {SkillName(summary.Weakest), std::to_string(s.Right), std::to_string(s.All),
                 Tr(GameTypeName(place.Game)), std::to_string(place.Level)});
}
