// Scoring and the level flow: a verdict of the monster director becomes points
// and combos, a kill charges the Doom Device and counts toward the level, an
// escape costs a life; enough kills complete a mission level or level an
// arcade game up.
#include <algorithm>
#include <limits>

#include "core/sysCatalogue.h"
#include "core/sysRound.h"
#include "core/sysLog.h"
#include "data/sysResources.h"
#include "game/frmGame.h"
#include "game/libMissions.h"
#include "game/libSetPlay.h"
#include "game/objEffect.h"
#include "game/objMonster.h"
#include "objects/sysObjects.h"
#include "tables/defLevels.h"

namespace {

// Divisors of the basic and time combos by game type 1..3.
constexpr double BasicComboDivisor[3] = {10, 5, 2};
constexpr double TimeComboDivisor[3] = {10, 2.5, 1};

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void TfrmGame::MonsterGone(std::int32_t index, std::int32_t value) {
  TsysResources& res = *Resources();
  TsysObjects* objects = Objects();
  auto* monster = dynamic_cast<TobjMonster*>(objects->ObjectAt(index));
  for (TAnswerLine& line : AnswerLines)
    if (monster != nullptr && line.Monster == monster) line.FramesLeft = std::min(line.FramesLeft, AnswerLineFade);
  if (monster == nullptr) {
    ShowMessage("", Tr("A monster has gone tragically missing."));
    return;
  }
  if (monster->MainItem->Width != 0)
    ShowMessage("", "Monster X Size Non 0: " + std::to_string(monster->MainItem->Width));
  const bool byPower = monster->KilledByPower;
  for (TAnswerLine& line : AnswerLines)
    if (line.Monster == monster) line.Monster = nullptr;
  objects->DeleteObject(index);
  if (value != 1) return;
  ++res.LevelKills;
  ++res.TotalKills;
  if (!byPower && res.DoomCharge < DoomFull) res.DoomCharge = std::min(DoomFull, res.DoomCharge + DoomStep);
  CheckLevelProgress();
  UpdateHud();
}

void TfrmGame::Score(std::int32_t value) {
  TsysResources& res = *Resources();
  const TLevel& level = res.Level;
  const std::int32_t d = res.Difficulty;
  const std::int32_t t = std::clamp(res.GameType, 1, GameTypeCount);
  ++BasicCombo;
  ++TimeCombo;
  TimeComboTimer = level.TimeComboWindow;
  double bonus = 0;
  if (BasicCombo >= level.BasicComboMin) bonus = BasicCombo / BasicComboDivisor[t - 1];
  if (TimeCombo >= level.TimeComboMin) bonus += TimeCombo / TimeComboDivisor[t - 1];
  const std::int64_t comboBonus = Round((d + 1) * bonus * 50);
  const double base = (d + 1) * 100.0 * value * t;
  res.Score = Clamp32(Round(static_cast<double>(res.Score + comboBonus) + base * 0.5));
  if (comboBonus != 0) {
    if (ComboText != nullptr && Objects()->IsAlive(ComboText)) Objects()->DeleteObject(ComboText->Index);
    ComboText = RisingText(Format(Tr("Combo Bonus: +%s"), {std::to_string(comboBonus)}), 300, 50, -14, -350);
  }
  UpdateHud();
}

void TfrmGame::Miss() {
  PostEvent(pmImmediate, ekSound, 6, 0, 0);
  BasicCombo = 0;
  TimeCombo = 0;
  if (Hud.BasicComboIcon != nullptr) Hud.BasicComboIcon->Visible = false;
  if (Hud.TimeComboIcon != nullptr) Hud.TimeComboIcon->Visible = false;
  UpdateHud();
}

void TfrmGame::LifeLost() {
  TsysResources& res = *Resources();
  --res.Lives;
  UpdateHud();
  if (res.Lives > 0) return;
  for (TobjBase* life : Hud.Lives)
    if (life != nullptr) life->SetAlpha(0);
  EndGame();
}

void TfrmGame::CheckLevelProgress() {
  TsysResources& res = *Resources();
  if (res.LevelKills <= res.Level.KillsPerLevel[res.Difficulty]) return;
  res.LevelKills = 0;
  if (res.GameKind == GameKind::Mission) {
    // One "LEVEL COMPLETE!" is enough: its end closes the level.
    if (LevelCompleteText == nullptr) LevelCompleteText = RisingText(Tr("LEVEL COMPLETE!"), 200, 50, 28, -25);
    return;
  }
  ++res.LevelNumber;
  RisingText(Tr("LEVEL UP!"), 200, 50, 28, -25);
  ApplyLevelStep(res.Level);
}

void TfrmGame::ShowMissionHelp() {
  const TsysResources& res = *Resources();
  if (SetPlaying(res)) {
    const TSetLevel* level = CurrentSetLevel(res);
    if (level != nullptr && !level->Help.empty()) PostEvent(pmQueued, ekGame, 45, 0, 0);
    return;
  }
  if (res.LevelNumber < 1 || res.LevelNumber > MissionLevelCount || res.GameType < 1 || res.GameType > GameTypeCount)
    return;
  if (MissionHelpPages[res.GameType - 1][res.LevelNumber - 1].Show) PostEvent(pmQueued, ekGame, 45, 0, 0);
}

void TfrmGame::EffectDone(std::int32_t index) {
  TsysObjects* objects = Objects();
  TobjBase* object = objects->ObjectAt(index);
  if (object == nullptr) return;
  if (object->ObjType == otMonster) ShowMessage("", Tr("It's a monster!"));
  const bool levelComplete = object == LevelCompleteText;
  if (levelComplete) LevelCompleteText = nullptr;
  if (object == ComboText) ComboText = nullptr;
  objects->DeleteObject(index);
  if (levelComplete && Resources()->GameKind == GameKind::Mission) EndGame();
}

void TfrmGame::SparkDone(std::int32_t index) {
  TsysObjects* objects = Objects();
  TobjBase* object = objects->ObjectAt(index);
  if (object == nullptr) return;
  if (object->ObjType == otMonster) ShowMessage("", Tr("It's a monster!"));
  objects->DeleteObject(index);
}

TobjEffect* TfrmGame::RisingText(const std::string& text, std::int32_t w, std::int32_t h, double x, double y) {
  auto* effect = Objects()->Create<TobjEffect>(Group, otEffect, x, y, 4, w, h);
  if (effect == nullptr) return nullptr;
  effect->Start(TobjEffect::ekText, {}, TextColour);
  effect->SetText(text);
  return effect;
}
