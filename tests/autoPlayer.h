#pragma once
// A player for tests. It looks at what a player sees: the questions over the
// monsters, the grid the map draws (its origin and cell size), the HUD's
// power-up row and Doom bar, and the help page's OK button. It answers with its
// own solver, and acts only through the input module: pointer moves, presses
// and releases on the board (a right click to let go of a lit point), keys
// 1..5 and D. Give it the director; each Step
// does at most one input action and then runs one logic step.
//
// The solver style answers every question it can read, the nearest monster to
// the origin first; the random style clicks random points of the board.
#include <cstdint>
#include <deque>
#include <map>
#include <random>
#include <string>

#include "game/libMaths.h"

class TmodScripting;
class TfrmGame;
class TobjMonster;

class TAutoPlayer {
 public:
  enum class TStyle { Solver, Random };

  TAutoPlayer(TmodScripting* director, TStyle style, std::uint32_t seed);

  // One logic step, after at most one input action.
  void Step();
  // The game screen of the director, or null while none is open.
  TfrmGame* Game() const;

  // Reading questions, as a pupil would: from the label text alone.
  // "(X,-Y)" and the like: the quadrant 1..4.
  static bool SolveQuadrant(const std::string& label, std::int32_t& quadrant);
  // "(-3+5,2)": the point.
  static bool SolvePoint(const std::string& label, TIntPoint& point);
  // "x=2", "y=-1", "y=-(1/2)x+3": two distinct grid points of the line within range.
  static bool SolveLine(const std::string& label, std::int32_t range, TIntPoint& a, TIntPoint& b);

  // Steps between one answer and the next: a child's reaction time.
  std::int32_t ThinkSteps = 18;
  bool UsePowerUps = true;

  std::int64_t Steps = 0;
  std::int32_t Answers = 0;  // questions answered (clicks for a line)
  std::int32_t PowerUpsUsed = 0;
  std::int32_t DoomsFired = 0;

 private:
  struct TAction {
    enum TKind { Move, Down, Up, RightClick, Key } Kind;
    std::int32_t X = 0;
    std::int32_t Y = 0;
  };
  void Plan();
  void PlanClick(double x, double y);
  void PlanKey(std::int32_t key);
  bool PlanAnswer(TfrmGame* game, const TobjMonster* monster);
  // Screen pixel of a plane point, from the map as it is drawn.
  bool PlanePixel(TfrmGame* game, TIntPoint p, double& x, double& y) const;
  void Do(const TAction& action);

  TmodScripting* Director;
  TStyle Style;
  std::mt19937 Rng;
  std::deque<TAction> Queue;
  std::int32_t Wait = 0;
  // The question last answered for each monster, so a verdict on its way is not answered twice.
  std::map<const TobjMonster*, std::string> Answered;
};
