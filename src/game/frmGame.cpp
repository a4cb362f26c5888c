#include "game/frmGame.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/sysLog.h"
#include "core/sysRandom.h"
#include "core/sysRound.h"
#include "data/sysResources.h"
#include "tables/defChallenges.h"
#include "tables/defColours.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"
#include "game/libMaths.h"
#include "game/libMissions.h"
#include "game/objEffect.h"
#include "game/objCursor.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "game/objMonster.h"
#include "objects/objPushButton.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"

namespace {

constexpr std::int32_t FirstSpawnDelay = 30;
constexpr std::int32_t SpawnTries = 100;
constexpr std::int32_t DoomStep = 5;
constexpr std::int32_t DoomFull = 100;
constexpr std::int32_t TextColour = 7;  // white
constexpr std::int32_t StopFrames = 240;
constexpr std::int32_t HalveFrames = 360;
constexpr double BlastPush = 8;
constexpr std::int32_t AnswerFrames = 240;
constexpr std::int32_t AnswerLineFrames = 360;
constexpr std::int32_t AnswerLineFade = 10;
constexpr std::int32_t AnswerLineAlpha = 96;
constexpr double AnswerLineHalfWidth = 3;
constexpr double TileAt[4][2] = {{256, -128}, {0, -128}, {0, 128}, {256, 128}};
// Divisors of the basic and time combos by game type 1..3.
constexpr double BasicComboDivisor[3] = {10, 5, 2};
constexpr double TimeComboDivisor[3] = {10, 2.5, 1};

const TVector2 Origin{128, 0};

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

TfrmGame::TfrmGame(TsysMainWindow* owner, TsysInterface* iface) : TsysForm(owner, iface, grGame, sidGame, true) {
  EventMask |= ekSystem | ekKeys | ekGame | ekMouse;
  KeyFocus = false;  // the keys steer the board cursor instead
  Cursor = std::make_unique<TobjCursor>(Objects(), Resources(), Group);
}

TfrmGame::~TfrmGame() = default;

void TfrmGame::FreeScreen() {
  const TsysResources* res = Resources();
  if (Map != nullptr || !PowerUpButtons.empty() || Hud.Panel != nullptr)
    LogLine("game screen closed: kind " + std::to_string(res->GameKind) + ", " + GameTypeName(res->GameType) + ", " +
            DifficultyName(res->Difficulty) + ", level " + std::to_string(res->LevelNumber) + ", score " +
            std::to_string(res->Score) + ", kills " + std::to_string(res->TotalKills));
  TsysForm::FreeScreen();
  PowerUpButtons.clear();
  AnswerLines.clear();
  Map = nullptr;
  LevelCompleteText = nullptr;
  ComboText = nullptr;
  Hud = THud{};
  Cursor->Clear();
  Cursor->Ring = nullptr;
  PausePanel = nullptr;
  KeyPaused = false;
}

// ---------------------------------------------------------------------------
// Setting a game up

void TfrmGame::BuildScreen() {
  TsysResources& res = *Resources();
  Building = true;
  PowerUpButtons.clear();
  AnswerLines.clear();
  Map = nullptr;
  // Values from the set-up screens or a damaged profile must not index outside the tables.
  if (res.Difficulty < Difficulty::Easy || res.Difficulty > Difficulty::Crazy) {
    LogLine("game: difficulty " + std::to_string(res.Difficulty) + " is out of range; playing Medium");
    res.Difficulty = Difficulty::Medium;
  }
  if (res.GameKind == GameKind::Challenge) {
    if (res.GameType < 0 || res.GameType >= ChallengeCount) {
      LogLine("game: challenge " + std::to_string(res.GameType) + " does not exist; playing the first");
      res.GameType = 0;
    }
    res.ChallengeIndex = res.GameType;
    res.GameType = Challenges[static_cast<std::size_t>(res.ChallengeIndex)].GameType[res.Difficulty];
  }
  if (res.GameType < 1 || res.GameType > GameTypeCount) {
    LogLine("game: game type " + std::to_string(res.GameType) + " does not exist; playing Rozir Ivivuruda");
    res.GameType = GameType::QuickQuadrants;
  }
  if (res.GameKind == GameKind::Mission) {
    const TProfileRecord profile = res.GetActiveProfile();
    std::int32_t index = res.MissionLevelChoice;
    if (index == -1) index = profile.MissionProgress[static_cast<std::size_t>(res.GameType - 1)].LevelsDone;
    if (index < 0 || index >= MissionLevelCount) index = 0;
    res.Level = *MissionLevel(res.GameType, index + 1);
    res.LevelNumber = index + 1;
    // The mode's own numbers: whatever an earlier game of another kind or mode
    // left in the session must not start this level.
    const TMissionCarry carry = MissionCarryOf(profile, res.GameType, index);
    res.MissionStartScore = carry.Score;
    res.MissionStartKills = carry.Kills;
  }
  BuildHud();
  res.Score = 0;
  res.TotalKills = 0;
  res.LevelKills = 0;
  res.ChallengeTimeLeft = 0;
  // A combo of an earlier game would otherwise be recorded for this challenge
  // by the bookkeeping at its start.
  res.HighestCombo = 0;
  PowerUpScoreBase = 0;
  StartGame();
  Building = false;
}

void TfrmGame::StartGame() {
  TsysResources& res = *Resources();
  ClearBoard();
  switch (res.GameKind) {
    case GameKind::Mission:
      res.GameOver = false;
      res.Score = res.MissionStartScore;
      res.Lives = StartLives;
      res.LevelKills = 0;
      res.TotalKills = res.MissionStartKills;
      res.DoomCharge = DoomFull;
      FirstFrameDone = false;
      break;
    case GameKind::Challenge:
      res.RecordProgress();
      [[fallthrough]];
    default:
      res.Level = ArcadeStartLevels[static_cast<std::size_t>(res.GameType - 1)];
      res.GameOver = false;
      res.Score = 0;
      res.Lives = StartLives;
      res.LevelNumber = 1;
      res.LevelKills = 0;
      res.TotalKills = 0;
      res.MissionStartScore = 0;
      res.MissionStartKills = 0;
      res.DoomCharge = DoomFull;
      if (res.GameKind == GameKind::Challenge) {
        const TChallenge& c = Challenges[static_cast<std::size_t>(res.ChallengeIndex)];
        res.ChallengeTimeLeft = c.TimeLimit[res.Difficulty] * 60;
        res.HighestCombo = 0;
        res.ChallengeDone = 0;
        res.CompletedChallenge = -1;
      }
      break;
  }
  // Points carried in from earlier levels were paid out there.
  PowerUpScoreBase = res.Score;
  BasicCombo = 0;
  TimeCombo = 0;
  TimeComboTimer = 0;
  UpdateHud();
  SpawnCountdown = FirstSpawnDelay;
  res.GameOver = false;
  if (PowerUpButtons.size() < MaxPowerUps) AwardPowerUp();
  UseLevel();
}

void TfrmGame::RestartLevel() {
  TsysResources& res = *Resources();
  ClearBoard();
  if (const TLevel* level = MissionLevel(res.GameType, res.LevelNumber)) {
    res.Level = *level;
  } else {
    LogLine("game: mission level " + std::to_string(res.LevelNumber) + " does not exist; the level is played again");
    res.LevelNumber = std::clamp(res.LevelNumber, 1, MissionLevelCount);
    res.Level = *MissionLevel(res.GameType, res.LevelNumber);
  }
  FirstFrameDone = false;
  res.Score = res.MissionStartScore;
  PowerUpScoreBase = res.Score;
  res.GameOver = false;
  res.Lives = StartLives;
  BasicCombo = 0;
  TimeCombo = 0;
  TimeComboTimer = 0;
  UpdateHud();
  SpawnCountdown = FirstSpawnDelay;
  UseLevel();
  if (PowerUpButtons.size() < MaxPowerUps) AwardPowerUp();
}

void TfrmGame::UseLevel() {
  const TsysResources& res = *Resources();
  RangeX = RangeY = res.Level.GridRange[res.Difficulty];
  SpawnGap = res.Level.SpawnInterval[res.Difficulty];
  BuildBoard();
  ShowDoom(res.Level.PowerUpAllowed[0]);
  UpdateHud();
}

void TfrmGame::DeleteType(std::int32_t type) {
  TsysObjects* objects = Objects();
  while (objects->TypeSize(type) > 0) objects->DeleteObject(objects->TypeObject(type, 0)->Index);
}

void TfrmGame::ClearBoard() {
  TsysObjects* objects = Objects();
  for (std::int32_t type : {otSpark, otMonster, otMap, otGridPoint, otEffect}) DeleteType(type);
  for (const TAnswerLine& line : AnswerLines)
    if (objects->IsAlive(line.Line)) objects->DeleteObject(line.Line->Index);
  AnswerLines.clear();
  for (std::int32_t i = objects->TypeSize(otPushButton) - 1; i >= 0; --i) {
    auto* button = dynamic_cast<TobjPushButton*>(objects->TypeObject(otPushButton, i));
    if (button != nullptr && !button->KeepAfterClick) objects->DeleteObject(button->Index);
  }
  PowerUpButtons.clear();
  Map = nullptr;
  Cursor->Clear();
  LevelCompleteText = nullptr;
  ComboText = nullptr;
  if (!Building) PostEvent(pmImmediate, ekGame, 48, 0, 0);
}

void TfrmGame::BuildBoard() {
  const TsysResources& res = *Resources();
  const TLevel& level = res.Level;
  TsysObjects* objects = Objects();
  const bool quadrants = level.GameType == GameType::QuickQuadrants;
  Map = objects->Create<TobjMap>(Group, otMap, 0, 0, 0, 512, 512);
  if (Map == nullptr) return;
  Map->Build(RangeX, RangeY);
  for (std::int32_t q = 1; q <= 4; ++q) {
    auto* tile = objects->Create<TobjGridPoint>(Group, otGridPoint, TileAt[q - 1][0], TileAt[q - 1][1], 1, 255, 255);
    if (tile == nullptr) continue;
    tile->MakeTile(q);
    if (!quadrants) tile->Active = false;
  }
  if (!quadrants) {
    for (std::int32_t x = -RangeX; x <= RangeX; ++x) {
      for (std::int32_t y = -RangeY; y <= RangeY; ++y) {
        const TVector2 at = Map->PlaneToScreen({static_cast<double>(x), static_cast<double>(-y)});
        auto* point = objects->Create<TobjGridPoint>(Group, otGridPoint, at.X + 128, at.Y, 1,
                                                     static_cast<std::int32_t>(Map->CellWidth),
                                                     static_cast<std::int32_t>(Map->CellHeight));
        if (point != nullptr) point->SetPoint(x, y);
      }
    }
  }
  for (std::int32_t i = 0; i < objects->TypeSize(otGridPoint); ++i) {
    auto* point = static_cast<TobjGridPoint*>(objects->TypeObject(otGridPoint, i));
    if (!level.QuadrantAllowed[QuadrantOf(point->PointX, point->PointY)]) point->Active = false;
  }
  Cursor->Place(Map, quadrants);
}

// ---------------------------------------------------------------------------
// Per frame

void TfrmGame::ProcessEvents() {
  TsysForm::ProcessEvents();
  StepKeys();
  TsysResources& res = *Resources();
  if (res.GameOver || res.Paused || Closing) return;

  if (res.GameKind == GameKind::Mission && !FirstFrameDone) {
    FirstFrameDone = true;
    ShowMissionHelp();
  }

  if (--TimeComboTimer <= 0) {
    TimeComboTimer = 0;
    TimeCombo = 0;
  }

  LayoutPowerUps();
  StepHud();

  if (!FadingIn) {
    --SpawnCountdown;
    if (SpawnCountdown <= 0 && Objects()->TypeSize(otMonster) < res.Level.MaxMonsters[res.Difficulty]) {
      SpawnMonster();
      SpawnGap = res.Level.SpawnInterval[res.Difficulty];
      SpawnCountdown = SpawnGap + Random(SpawnGap / 2);
    }
  }

  if (res.GameKind == GameKind::Challenge) StepChallenge();
  StepAnswerLines();
  PlaceLabels();
}

void TfrmGame::StepChallenge() {
  TsysResources& res = *Resources();
  bool opened = false;
  if (GoalOfChallenge() == ChallengeGoal::BeatTheClock) {
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

void TfrmGame::StepAnswerLines() {
  TsysObjects* objects = Objects();
  for (auto it = AnswerLines.begin(); it != AnswerLines.end();) {
    --it->FramesLeft;
    if (it->FramesLeft <= AnswerLineFade && objects->IsAlive(it->Line))
      it->Line->MainItem->SetAlpha(std::max(it->FramesLeft, 0) * 9);
    if (it->FramesLeft <= 0) {
      if (objects->IsAlive(it->Line)) objects->DeleteObject(it->Line->Index);
      it = AnswerLines.erase(it);
    } else {
      ++it;
    }
  }
}

TobjMonster* TfrmGame::SpawnMonster() {
  TsysObjects* objects = Objects();
  auto* monster = objects->Create<TobjMonster>(Group, otMonster, -4000, -4000, 3, 68, 68);
  if (monster == nullptr) return nullptr;
  monster->Setup();
  const double h = monster->PixelSize / 2;
  const double g = 1024 - 256 - 2 * h;
  const double l = 768 - 2 * h;
  const double gh = g / 2;
  const double lh = l / 2;
  const std::int32_t gi = static_cast<std::int32_t>(g);
  const std::int32_t li = static_cast<std::int32_t>(l);
  double x = 0;
  double y = 0;
  for (std::int32_t attempt = 0; attempt < SpawnTries; ++attempt) {
    switch (Random(4)) {
      case 0:
        x = Random(gi) - gh;
        y = -lh + 16;
        break;
      case 1:
        x = Random(gi) - gh;
        y = lh - 8;
        break;
      case 2:
        x = -gh + 8;
        y = Random(li) - lh;
        break;
      default:
        x = gh - 8;
        y = Random(li) - lh;
        break;
    }
    x += 128;
    bool free = true;
    for (std::int32_t i = 0; i < objects->TypeSize(otMonster) && free; ++i) {
      const TobjBase* q = objects->TypeObject(otMonster, i);
      if (q == monster) continue;
      if (x + h > q->X - gh && x - h < q->X + gh && y + h > q->Y - lh && y - h < q->Y + lh) free = false;
    }
    if (free) break;
  }
  monster->X = x;
  monster->Y = y;
  return monster;
}

// ---------------------------------------------------------------------------
// Events

void TfrmGame::OpenScreen(std::uint16_t screen) { PostEvent(pmQueued, ekScreen, screen, 0, 0); }

void TfrmGame::EndGame() {
  Resources()->GameOver = true;
  // A combo of a game that is over is no longer running.
  HideCombos();
  OpenScreen(sidGameOver);
}

void TfrmGame::HandleEvent(TsysEvent* event) {
  TsysForm::HandleEvent(event);
  if (HandleKeys(event)) return;
  TsysResources& res = *Resources();
  // A button that ran out while a menu lay over the game would otherwise keep
  // its place in the row for the rest of the level.
  if (event->Kind == ekGame && event->Code == 28) {
    PowerUpGone(event->Param);
    return;
  }
  if (res.Paused) return;
  if (res.GameOver) {
    if (event->Kind == ekGame && event->Code == 25) StartGame();
    if (event->Kind == ekGame && event->Code == 44) res.GameOver = false;
    return;
  }
  if (event->Kind == ekKeys && event->Code == 1) {
    if (!res.MenuOpen) {
      res.MenuOpen = true;
      OpenScreen(sidGameMenu);
      res.Paused = true;
    }
    return;
  }
  if (event->Kind != ekGame) return;
  switch (event->Code) {
    case 46:
      if (!res.MenuOpen) {
        res.MenuOpen = true;
        OpenScreen(sidTutorial);
        res.Paused = true;
      }
      break;
    case 17: MonsterGone(static_cast<std::int32_t>(event->Param), event->Value); break;
    case 18:
    case 20: Score(event->Value); break;
    case 19: Miss(); break;
    case 21: LifeLost(); break;
    case 22: EffectDone(static_cast<std::int32_t>(event->Param)); break;
    case 25: StartGame(); break;
    case 27: UsePowerUp(static_cast<std::int32_t>(event->Param)); break;
    case 29:
    case 30:
    case 31:
    case 32:
    case 33: PressPowerUpSlot(4 - (event->Code - 29)); break;
    case 37:
      ++res.LevelNumber;
      RestartLevel();
      break;
    case 38:
      res.TotalKills = res.MissionStartKills;
      res.LevelKills = 0;
      RestartLevel();
      break;
    case 39: FireDoomDevice(); break;
    case 44: res.GameOver = false; break;
    case 47: SparkDone(static_cast<std::int32_t>(event->Param)); break;
    default: break;
  }
}

void TfrmGame::MonsterGone(std::int32_t index, std::int32_t value) {
  TsysResources& res = *Resources();
  TsysObjects* objects = Objects();
  auto* monster = dynamic_cast<TobjMonster*>(objects->ObjectAt(index));
  for (TAnswerLine& line : AnswerLines)
    if (monster != nullptr && line.Monster == monster) line.FramesLeft = std::min(line.FramesLeft, AnswerLineFade);
  if (monster == nullptr) {
    ShowMessage("", "A monster has gone tragically missing.");
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
    ComboText = RisingText("Combo Bonus: +" + std::to_string(comboBonus), 300, 50, -14, -350);
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

void TfrmGame::EffectDone(std::int32_t index) {
  TsysObjects* objects = Objects();
  TobjBase* object = objects->ObjectAt(index);
  if (object == nullptr) return;
  if (object->ObjType == otMonster) ShowMessage("", "It's a monster!");
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
  if (object->ObjType == otMonster) ShowMessage("", "It's a monster!");
  objects->DeleteObject(index);
}

void TfrmGame::PowerUpGone(std::intptr_t param) {
  TsysObjects* objects = Objects();
  auto* object = reinterpret_cast<TobjBase*>(param);
  if (object == nullptr || !objects->IsAlive(object)) return;
  const auto it = std::find(PowerUpButtons.begin(), PowerUpButtons.end(), object);
  if (it == PowerUpButtons.end()) return;
  PowerUpButtons.erase(it);
  if (object->ObjType == otMonster) ShowMessage("", "It's a monster!");
  objects->DeleteObject(object->Index);
}

void TfrmGame::FireDoomDevice() {
  TsysResources& res = *Resources();
  if (!res.Level.PowerUpAllowed[0] || res.DoomCharge != DoomFull) return;
  if (auto* rings = Objects()->Create<TobjEffect>(Group, otEffect, 96, -32, 4, 64, 64))
    rings->Start(TobjEffect::ekDoomRings, {}, TextColour);
  res.DoomCharge = 0;
  UpdateHud();
  PostEvent(pmQueued, ekGame, 40, 0, 0);
}

TobjEffect* TfrmGame::RisingText(const std::string& text, std::int32_t w, std::int32_t h, double x, double y) {
  auto* effect = Objects()->Create<TobjEffect>(Group, otEffect, x, y, 4, w, h);
  if (effect == nullptr) return nullptr;
  effect->Start(TobjEffect::ekText, {}, TextColour);
  effect->SetText(text);
  return effect;
}

void TfrmGame::CheckLevelProgress() {
  TsysResources& res = *Resources();
  if (res.LevelKills <= res.Level.KillsPerLevel[res.Difficulty]) return;
  res.LevelKills = 0;
  if (res.GameKind == GameKind::Mission) {
    // One "LEVEL COMPLETE!" is enough: its end closes the level.
    if (LevelCompleteText == nullptr) LevelCompleteText = RisingText("LEVEL COMPLETE!", 200, 50, 28, -25);
    return;
  }
  ++res.LevelNumber;
  RisingText("LEVEL UP!", 200, 50, 28, -25);
  ApplyLevelStep(res.Level);
}

void TfrmGame::ShowMissionHelp() {
  const TsysResources& res = *Resources();
  if (res.LevelNumber < 1 || res.LevelNumber > MissionLevelCount || res.GameType < 1 || res.GameType > GameTypeCount)
    return;
  if (MissionHelpPages[res.GameType - 1][res.LevelNumber - 1].Show) PostEvent(pmQueued, ekGame, 45, 0, 0);
}

// ---------------------------------------------------------------------------
// Power-ups

void TfrmGame::CheckPowerUpAward() {
  TsysResources& res = *Resources();
  const TLevel& level = res.Level;
  bool any = false;
  for (std::int32_t r = 2; r < 8; ++r) any = any || level.PowerUpAllowed[r];
  if (!any) return;
  const std::int32_t step = level.PowerUpScoreStep[res.Difficulty];
  if (static_cast<std::int64_t>(step) < static_cast<std::int64_t>(res.Score) - PowerUpScoreBase) {
    PowerUpScoreBase += step;
    if (PowerUpButtons.size() < MaxPowerUps) AwardPowerUp();
  }
}

void TfrmGame::UsePowerUp(std::int32_t row) {
  TsysResources& res = *Resources();
  TsysObjects* objects = Objects();
  std::vector<TobjMonster*> monsters;
  for (std::int32_t i = 0; i < objects->TypeSize(otMonster); ++i)
    if (auto* m = dynamic_cast<TobjMonster*>(objects->TypeObject(otMonster, i))) monsters.push_back(m);
  switch (row) {
    case 2:
      PostEvent(pmImmediate, ekSound, 8, 5, 0);
      for (TobjMonster* m : monsters) m->Stop(StopFrames);
      break;
    case 3:
      PostEvent(pmImmediate, ekSound, 8, 3, 0);
      if (auto* ring = objects->Create<TobjEffect>(Group, otEffect, 0, 0, 4, 1024, 768))
        ring->Start(TobjEffect::ekBlastRing, {}, TextColour);
      for (TobjMonster* m : monsters) m->Push = VecScale(VecNormalize(VecSub({m->X, m->Y}, Origin)), BlastPush);
      break;
    case 4:
      PostEvent(pmImmediate, ekSound, 8, 4, 0);
      for (TobjMonster* m : monsters) m->Halve(HalveFrames);
      break;
    case 5: {
      if (res.Level.GameType == GameType::DefineTheLine) break;
      // Monsters already on their way out cannot be hit again: a quadrant of
      // only those would waste the blitz.
      std::int32_t count[5] = {};
      for (const TobjMonster* m : monsters)
        if (!m->Dying) ++count[QuadrantOf(m->AnswerPoint.X, m->AnswerPoint.Y)];
      std::int32_t best = 0;
      for (std::int32_t q = 1; q < 5; ++q)
        if (count[q] > count[best] || (count[q] == count[best] && Random(3) == 1)) best = q;
      if (count[best] > 0) PostEvent(pmImmediate, ekGame, 41, best, 0);
      break;
    }
    case 6:
      PostEvent(pmImmediate, ekSound, 8, 0, 0);
      for (TobjMonster* m : monsters) {
        if (res.Level.GameType == GameType::DefineTheLine) {
          AddAnswerLine(m);
          continue;
        }
        for (std::int32_t g = 0; g < objects->TypeSize(otGridPoint); ++g) {
          auto* point = dynamic_cast<TobjGridPoint*>(objects->TypeObject(otGridPoint, g));
          if (point == nullptr || point->PointX != m->AnswerPoint.X || point->PointY != m->AnswerPoint.Y) continue;
          if (res.Level.GameType == GameType::QuickQuadrants || point->Active)
            point->ShowAnswer(AnswerFrames, ColourTable[2]);
        }
      }
      break;
    default:
      break;
  }
}

void TfrmGame::AddAnswerLine(TobjMonster* monster) {
  if (Map == nullptr) return;
  const double w = Map->CellWidth;
  const double h = Map->CellHeight;
  const double k = monster->Slope;
  const double c = monster->Intercept;
  TVector2 a;
  TVector2 b;
  if (!std::isfinite(k)) {
    a = {w * monster->AnswerPoint.X, -256};
    b = {w * monster->AnswerPoint.X, 256};
  } else if (k == 0) {
    a = {-256, c * h};
    b = {256, c * h};
  } else {
    const double x1 = (-2000 - c * w) / k;
    const double x2 = (2000 - c * w) / k;
    a = {x1, k * x1 + c * w};
    b = {x2, k * x2 + c * w};
    // Each end outside the middle is cut back to the edge of the map square it crosses.
    const auto clip = [](TVector2& end, TVector2 other) {
      TVector2 at;
      if (end.X < -100 && SegmentIntersect(end, other, {-256, -256}, {-256, 256}, at)) end = at;
      if (end.X > 100 && SegmentIntersect(end, other, {256, -256}, {256, 256}, at)) end = at;
      if (end.Y < -100 && SegmentIntersect(end, other, {-256, -256}, {256, -256}, at)) end = at;
      if (end.Y > 100 && SegmentIntersect(end, other, {-256, 256}, {256, 256}, at)) end = at;
    };
    clip(a, b);
    clip(b, a);
  }
  a = {a.X + 128, -a.Y};
  b = {b.X + 128, -b.Y};
  TobjBase* line = Objects()->CreateObject(Group, otStatic, 0, 0, 2, 512, 512);
  if (line == nullptr) return;
  const TVector2 n = VecScale(VecPerp(VecNormalize(VecSub(b, a))), AnswerLineHalfWidth);
  TrndGfx* quad = line->MainItem;
  quad->SetImage(CoreSprite::Set, CoreSprite::White, 0);
  quad->DrawMode = 4;
  const TVector2 corners[4] = {VecAdd(a, n), VecAdd(b, n), VecSub(b, n), VecSub(a, n)};
  for (int i = 0; i < 4; ++i) quad->SetCorner(i, TPointD{corners[i].X, corners[i].Y});
  quad->SetColorAlpha(monster->MainItem->Color, AnswerLineAlpha);
  AnswerLines.push_back({line, monster, AnswerLineFrames});
}

// ---------------------------------------------------------------------------
// Challenges

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
