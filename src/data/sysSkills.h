#pragma once
// What the answers say about each skill: the skills the questions exercise,
// read from the question and its answer alone (so a report merged from other
// computers is judged the same way), how each skill is going, the weakest one
// and the tutorial level that teaches it, and the little picture of each skill
// that the progress screen and the report both draw.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/sysAnswerRow.h"

enum TSkill : std::int32_t {
  skQuadrant1,
  skQuadrant2,
  skQuadrant3,
  skQuadrant4,
  skAxes,
  skPlainPoint,
  skOneSum,
  skTwoSums,
  skLevelLine,     // x=a or y=b
  skThroughOrigin,
  skWholeSlope,
  skFractionSlope,
  skIntercept,
  SkillCount
};

// The skills' three groups, in the order they are shown.
enum TSkillGroup : std::int32_t { sgQuadrants, sgPoints, sgLines, SkillGroupCount };
TSkillGroup GroupOf(TSkill skill);

// One bit per skill (1u << skill): a question of a sloped line exercises two.
std::uint32_t SkillsOf(std::int32_t game, const std::string& question, const std::string& answer);
// "Quadrant II", "Points with one sum", "Lines with a fraction slope".
std::string SkillName(TSkill skill);
// The first tutorial level whose monsters ask it: a game type and a level 1..5.
struct TTutorialPlace {
  std::int32_t Game = 0;
  std::int32_t Level = 0;
};
TTutorialPlace TutorialFor(TSkill skill);

// A session's share of right answers in one skill.
struct TSessionMark {
  std::int64_t Session = 0;
  std::int32_t Right = 0;
  std::int32_t All = 0;
};

struct TSkillStats {
  std::int32_t Right = 0;
  std::int32_t All = 0;
  std::int32_t MedianMs = 0;  // of every answer in the skill, right or wrong
  std::vector<TSessionMark> LastSessions;  // the newest ten at most, oldest first
};

struct TProgressSummary {
  std::array<TSkillStats, SkillCount> Skills;
  std::int32_t Right = 0;
  std::int32_t All = 0;
  std::int32_t Sessions = 0;
  // The skill with the lowest share of right answers among those answered at
  // least MinForWeakest times (SkillCount when none has been).
  TSkill Weakest = SkillCount;
};
constexpr std::int32_t MinForWeakest = 5;
constexpr std::size_t SessionsShown = 10;

// The rows of one player, oldest first.
TProgressSummary Summarise(const std::vector<TAnswerRow>& rows);

// The picture of a skill, in a box of 100 x 100 with y downwards: the plane's
// axes, a shaded quadrant, a dot, a line, a short text.
struct TPictureMark {
  enum TKind { Box, Line, Dot, Label } Kind = Box;
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // Box: corners; Line: ends; Dot and Label: X1, Y1
  double Width = 1;                        // Line: thickness; Dot: radius
  std::uint32_t Colour = 0xFFFFFF;
  std::string Text;  // Label: centred on X1, Y1
};
std::vector<TPictureMark> SkillPicture(TSkill skill);

// A number of milliseconds as seconds to a tenth: "2.4 s".
std::string SecondsText(std::int32_t ms);

// The line under the pictures: the weakest skill in plain words and the
// tutorial level that teaches it, or what to do while nothing is known yet.
std::string WeakestLine(const TProgressSummary& summary);
