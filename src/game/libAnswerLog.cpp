#include "game/libAnswerLog.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <numeric>

#include "core/sysRound.h"
#include "data/sysResources.h"
#include "game/objMonster.h"
#include "objects/sysObjects.h"
#include "tables/defLevels.h"

namespace {

// Where the monsters walk to, in world pixels.
constexpr TVector2 Origin{128, 0};

std::string Point(TIntPoint p) { return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")"; }

double Urgency(const TobjMonster& m) { return VecDistance({m.X, m.Y}, Origin); }

bool OnLine(const TobjMonster& m, TIntPoint p) {
  const TIntPoint a = m.AnswerPoint;
  const TIntPoint b = m.SecondPoint;
  return static_cast<std::int64_t>(b.X - a.X) * (p.Y - a.Y) == static_cast<std::int64_t>(b.Y - a.Y) * (p.X - a.X);
}

}  // namespace

std::string QuadrantAnswer(std::int32_t quadrant) {
  static const char* const numerals[5] = {"", "I", "II", "III", "IV"};
  return quadrant >= 1 && quadrant <= 4 ? numerals[quadrant] : "";
}

std::string LineThrough(TIntPoint a, TIntPoint b) {
  if (a.X == b.X) return "x=" + std::to_string(a.X);
  if (a.Y == b.Y) return "y=" + std::to_string(a.Y);
  std::int64_t dy = b.Y - a.Y;
  std::int64_t dx = b.X - a.X;
  if (dx < 0) dx = -dx, dy = -dy;
  const std::int64_t g = std::gcd(std::llabs(dy), dx);
  dy /= g;
  dx /= g;
  std::string label = "y=";
  if (dy < 0) label += "-";
  if (dx == 1)
    label += (std::llabs(dy) == 1 ? "" : std::to_string(std::llabs(dy))) + "x";
  else
    label += "(" + std::to_string(std::llabs(dy)) + "/" + std::to_string(dx) + ")x";
  // The intercept a.Y - slope * a.X, as num / den in lowest terms.
  std::int64_t num = a.Y * dx - dy * a.X;
  std::int64_t den = dx;
  const std::int64_t h = std::gcd(std::llabs(num), den);
  if (num == 0) return label;
  num /= h;
  den /= h;
  label += num < 0 ? "-" : "+";
  label += std::to_string(std::llabs(num));
  if (den != 1) label += "/" + std::to_string(den);
  return label;
}

TAnswerRow AnswerOf(const TobjMonster& monster, const TsysResources& res) {
  TAnswerRow row;
  row.Kind = res.GameKind;
  row.Game = res.Level.GameType;
  row.Level = res.GameKind == GameKind::Challenge ? res.ChallengeIndex + 1 : res.LevelNumber;
  row.Difficulty = res.Difficulty;
  row.Question = monster.Question;
  switch (row.Game) {
    case GameType::QuickQuadrants:
      row.Answer = QuadrantAnswer(QuadrantOf(monster.AnswerPoint.X, monster.AnswerPoint.Y));
      break;
    case GameType::WhatsThePoint: row.Answer = Point(monster.AnswerPoint); break;
    default: row.Answer = monster.Question; break;
  }
  // Steps of play since the question could be read, at 60 a second.
  row.Ms = monster.ReadableSteps > 0 ? static_cast<std::int32_t>(Round(monster.ReadableSteps * 1000.0 / 60.0)) : 0;
  row.Keys = res.KeyboardPlay;
  return row;
}

TobjMonster* MissTarget(const TsysObjects& objects, std::int32_t game, const std::vector<TIntPoint>& given) {
  TobjMonster* best = nullptr;
  double bestScore = std::numeric_limits<double>::infinity();
  double bestUrgency = std::numeric_limits<double>::infinity();
  for (std::int32_t i = 0; i < objects.TypeSize(otMonster); ++i) {
    auto* m = dynamic_cast<TobjMonster*>(objects.TypeObject(otMonster, i));
    if (m == nullptr || m->Dying || m->Question.empty()) continue;
    double score = 0;
    if (game == GameType::WhatsThePoint && !given.empty()) {
      const double dx = m->AnswerPoint.X - given[0].X;
      const double dy = m->AnswerPoint.Y - given[0].Y;
      score = dx * dx + dy * dy;
    } else if (game == GameType::DefineTheLine) {
      for (const TIntPoint& p : given)
        if (OnLine(*m, p)) score -= 1;
    }
    const double urgency = Urgency(*m);
    if (score < bestScore || (score == bestScore && urgency < bestUrgency)) {
      best = m;
      bestScore = score;
      bestUrgency = urgency;
    }
  }
  return best;
}
