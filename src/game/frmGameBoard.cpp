// Setting a game up: a new game or a restarted mission level, the level's
// rules, the board of map, quadrant tiles and grid points, and where a new
// monster enters.
#include <algorithm>

#include "core/sysLog.h"
#include "core/sysRandom.h"
#include "data/sysResources.h"
#include "game/frmGame.h"
#include "game/libMissions.h"
#include "game/libSetPlay.h"
#include "game/objCursor.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "game/objMonster.h"
#include "objects/objPushButton.h"
#include "objects/sysObjects.h"
#include "tables/defChallenges.h"
#include "tables/defLevels.h"

namespace {

constexpr std::int32_t FirstSpawnDelay = 30;
constexpr std::int32_t SpawnTries = 100;
constexpr double TileAt[4][2] = {{256, -128}, {0, -128}, {0, 128}, {256, 128}};

}  // namespace

void TfrmGame::StartGame() {
  TsysResources& res = *Resources();
  ClearBoard();
  switch (res.GameKind) {
    case GameKind::Mission:
      res.GameOver = false;
      res.Score = res.MissionStartScore;
      res.Lives = MissionStartLives(res, StartLives);
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
  res.ResetPace(res.Options.GameSpeed);
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
  BeginAnswerLog();
}

void TfrmGame::BeginAnswerLog() {
  TsysResources& res = *Resources();
  if (res.Progress)
    res.Progress->BeginSession(CodePageToUtf8(res.GetActiveProfile().Name), res.GameKind, res.GameType, res.Difficulty,
                               SetPlaying(res) ? res.PlayingSetName : std::string());
}

void TfrmGame::RestartLevel() {
  TsysResources& res = *Resources();
  ClearBoard();
  if (SetPlaying(res)) {
    UseSetLevel(res, res.LevelNumber - 1);
  } else if (const TLevel* level = MissionLevel(res.GameType, res.LevelNumber)) {
    res.Level = *level;
  } else {
    LogLine("game: mission level " + std::to_string(res.LevelNumber) + " does not exist; the level is played again");
    res.LevelNumber = std::clamp(res.LevelNumber, 1, MissionLevelCount);
    res.Level = *MissionLevel(res.GameType, res.LevelNumber);
  }
  res.ResetPace(res.Options.GameSpeed);
  FirstFrameDone = false;
  res.Score = res.MissionStartScore;
  PowerUpScoreBase = res.Score;
  res.GameOver = false;
  res.Lives = MissionStartLives(res, StartLives);
  BasicCombo = 0;
  TimeCombo = 0;
  TimeComboTimer = 0;
  UpdateHud();
  SpawnCountdown = FirstSpawnDelay;
  UseLevel();
  if (PowerUpButtons.size() < MaxPowerUps) AwardPowerUp();
  BeginAnswerLog();
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
