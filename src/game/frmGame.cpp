// The game screen as a whole: what it builds and frees, the per-frame work
// while a game runs, and the events it turns into rules (the rules themselves
// live in frmGameBoard, frmGameScoring, frmGamePowerUps and frmGameChallenge).
#include "game/frmGame.h"

#include "core/sysLog.h"
#include "core/sysRandom.h"
#include "data/sysResources.h"
#include "game/libMissions.h"
#include "game/libSetPlay.h"
#include "game/objCursor.h"
#include "game/objMonster.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "tables/defChallenges.h"
#include "tables/defLevels.h"

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
  if (res->Progress) res->Progress->EndSession();
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
  if (SetPlaying(res)) {
    // A teacher's set keeps no score between runs: each starts from nothing.
    UseSetLevel(res, res.MissionLevelChoice);
    res.MissionStartScore = 0;
    res.MissionStartKills = 0;
  } else if (res.GameKind == GameKind::Mission) {
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

  // At a slower game speed the combo's window, spawning and the clock stand
  // still in the steps the monsters do.
  const bool due = res.WorldStepDue;
  if (due && --TimeComboTimer <= 0) {
    TimeComboTimer = 0;
    TimeCombo = 0;
  }

  LayoutPowerUps();
  StepHud();

  if (!FadingIn && due) {
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




// ---------------------------------------------------------------------------
// Events

void TfrmGame::OpenScreen(std::uint16_t screen) { PostEvent(pmQueued, ekScreen, screen, 0, 0); }

void TfrmGame::EndGame() {
  Resources()->GameOver = true;
  if (Resources()->Progress) Resources()->Progress->EndSession();
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
