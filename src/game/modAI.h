#pragma once
// The monster director: plays the monsters' side and judges the player's answers.
// Every step it walks the monsters toward the origin, keeps them from walking
// through one another and notices those that arrive. It takes the grid-point
// clicks, hits the monsters they answer, draws zaps and sparks, marks the
// clicked point right or wrong, and reports a
// miss (ekGame 19), one kill (18) or several (20) to the game screen. In Define
// the Line it collects two points and draws a rubber band from the first to the
// pointer. It also carries out the Doom Device and Quadrant Blitz.
#include <cstdint>
#include <string>
#include <vector>

#include "core/sysModule.h"
#include "data/sysAnswerRow.h"
#include "game/libMaths.h"

class TsysInterface;
class TobjGridPoint;
class TobjEffect;
class TobjMonster;

class TmodAI : public TsysModule {
 public:
  TmodAI(TsysMainWindow* owner, TsysInterface* iface);

  void HandleEvent(TsysEvent* event) override;
  // Queued events, then the monsters' walk while the game runs.
  void ProcessEvents() override;

  // Forgets the line being chosen (screens changed, board cleared).
  void ClearSelection();
  void MoveMonsters();
  // Rozir Ivivuruda and Vove'r uda Zerir?: hits every monster this point answers.
  void CheckPoint(TobjGridPoint* point);
  // Define the Line: hits every monster whose line runs through both points.
  void CheckLine(TobjGridPoint* a, TobjGridPoint* b);
  // Whether two distinct points a and b answer a monster's line: the line
  // through them has its slope and intercept, or both lie on its vertical line.
  static bool AnswersLine(double slope, double intercept, std::int32_t answerX, TIntPoint a, TIntPoint b);
  // Hits every monster until all are dying.
  void DoomDevice();
  // Hits every monster whose answer lies in quadrant (0 = on an axis).
  void QuadrantBlitz(std::int32_t quadrant);
  // A lightning zap between a monster and a point, and a spark burst at the monster.
  void Zap(TVector2 monsterPos, TVector2 pointPos, std::int32_t colourIndex, std::int32_t life);

  // The shared services; cleared by the director before they are freed.
  TsysInterface* Interface;
  TobjGridPoint* FirstPoint = nullptr;
  TobjGridPoint* SecondPoint = nullptr;
  TobjEffect* Band = nullptr;

  static constexpr TVector2 Origin{128, 0};

 private:
  bool Stopped() const;
  std::int32_t GameTypeNow() const;
  void SelectLinePoint(TobjGridPoint* point);
  void DrawBand(TobjGridPoint* over);
  void CancelSelection();
  void FadeBand();
  void PostVerdict(std::int32_t kills, std::int32_t sum);
  void PostPowerVerdict(std::int32_t kills);
  // Where an answer mark goes for a clicked point.
  TVector2 ClickedAt(const TobjGridPoint* point) const;
  // The live grid point an event names, or null.
  TobjGridPoint* GridPointOf(std::intptr_t param) const;
  void DropDeadReferences();
  // The answer log: the right answers of monsters an answer hit (noted before
  // the hit changes them), or a miss against the question it was most likely
  // aimed at (libAnswerLog).
  void LogAnswers(const std::string& given, const std::vector<TIntPoint>& points);
  std::vector<TAnswerRow> Judged;
};
