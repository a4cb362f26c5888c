// Challenges: the goal and target of the one being played, its clock, and the
// end of the game when the target is reached or the time is up.
#include <algorithm>
#include <string>

#include "core/sysCatalogue.h"
#include "data/sysResources.h"
#include "game/frmGame.h"
#include "tables/defChallenges.h"

namespace {

std::string Digits2(std::int32_t v) { return (v <= 9 ? "0" : "") + std::to_string(v); }

}  // namespace

void TfrmGame::StepChallenge() {
  TsysResources& res = *Resources();
  bool opened = false;
  if (GoalOfChallenge() == ChallengeGoal::BeatTheClock && res.WorldStepDue) {
    if (res.ChallengeTimeLeft % 10 == 0) ShowClock();
    if (--res.ChallengeTimeLeft <= 0) {
      EndGame();
      opened = true;
    }
  }
  std::int32_t reached = res.Score;
  if (GoalOfChallenge() == ChallengeGoal::Killenate) reached = res.TotalKills;
  if (GoalOfChallenge() == ChallengeGoal::ComboToTheMax) reached = BasicCombo;
  if (reached >= TargetOfChallenge() && res.ChallengeDone == 0) {
    res.ChallengeDone = 1;
    // The clock may have run out in the same frame: the end screen opens once.
    if (!opened) EndGame();
  }
}

std::string TfrmGame::ClockText(std::int32_t framesLeft, std::int32_t score, std::int32_t target) {
  const std::int32_t minutes = framesLeft / 3600;
  const std::int32_t seconds = (framesLeft / 60) % 60;
  // TRANSLATORS: the challenge clock at the top right: score, target, minutes:seconds.
  return Format(Tr("SCORE: %1$s OF %2$s<r>TIME LEFT: %3$s"),
                {std::to_string(score), std::to_string(target), std::to_string(minutes) + ":" + Digits2(seconds)});
}

std::uint32_t TfrmGame::ClockColour(std::int32_t framesLeft) {
  const std::int32_t minutes = framesLeft / 3600;
  const std::int32_t seconds = (framesLeft / 60) % 60;
  if (minutes > 0) return 0xFFFFFF;
  if (seconds <= 10) return ClockRed;
  if (seconds <= 30) return ClockOrange;
  return ClockAmber;
}

void TfrmGame::ShowClock() {
  const TsysResources& res = *Resources();
  SetChallengeText(ClockText(res.ChallengeTimeLeft, res.Score, TargetOfChallenge()),
                   ClockColour(res.ChallengeTimeLeft));
}

std::int32_t TfrmGame::GoalOfChallenge() const {
  const TsysResources& res = *Resources();
  if (res.GameKind != GameKind::Challenge || res.ChallengeIndex < 0 || res.ChallengeIndex >= ChallengeCount) return 0;
  return Challenges[static_cast<std::size_t>(res.ChallengeIndex)].Goal[std::clamp(res.Difficulty, 0, 3)];
}

std::int32_t TfrmGame::TargetOfChallenge() const {
  const TsysResources& res = *Resources();
  if (res.GameKind != GameKind::Challenge || res.ChallengeIndex < 0 || res.ChallengeIndex >= ChallengeCount) return 0;
  return Challenges[static_cast<std::size_t>(res.ChallengeIndex)].Target[std::clamp(res.Difficulty, 0, 3)];
}
