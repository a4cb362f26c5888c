#pragma once
// The game screen. It sets a game up from the values the set-up screens left in
// the resources, builds the board, spawns the monsters, turns the monster
// director's verdicts into score, combos, lives, level progress and power-ups,
// runs the challenge clock and goal, and hands over to the game-over screen or
// the in-game menu. Its units, by concern:
//   frmGame.cpp          building and freeing the screen, the frame, the events
//   frmGameBoard.cpp     setting a game or level up, the board, spawning
//   frmGameScoring.cpp   points, combos, kills, lives, level complete and level-up
//   frmGamePowerUps.cpp  power-ups awarded and used, the Doom Device, answer lines
//   frmGameChallenge.cpp a challenge's goal, target and clock
//   frmGameHud.cpp       the HUD strip left of the board and the challenge text
//   frmGameKeys.cpp      play by keys: the board cursor, pause, help
//   frmGameLabels.cpp    the monsters' questions kept apart and on the board
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/libLabelPlacer.h"
#include "objects/sysForm.h"

class TobjBase;
class TobjButton;
class TobjCursor;
class TobjEffect;
class TobjLabel;
class TobjMap;
class TobjMonster;
class TobjNumber;
class TobjPushButton;
class TrndGfx;

class TfrmGame : public TsysForm {
 public:
  TfrmGame(TsysMainWindow* owner, TsysInterface* iface);
  ~TfrmGame() override;

  void BuildScreen() override;
  void FreeScreen() override;
  void HandleEvent(TsysEvent* event) override;
  // The fade, then the game's per-frame work while neither over nor paused.
  void ProcessEvents() override;

  // --- rules ---
  // A new game of the kind, type and difficulty in the resources (also a restart).
  void StartGame();
  // A mission level again, or the next one: score back to where the level began.
  void RestartLevel();
  // The map, the quadrant tiles and, outside Rozir Ivivuruda, a grid point on every plane point.
  void BuildBoard();
  // Deletes the board, monsters, effects, answer lines and power-up buttons.
  void ClearBoard();
  TobjMonster* SpawnMonster();
  // Mission level complete, or an arcade level-up, once enough kills are in.
  void CheckLevelProgress();
  // One power-up button for every PowerUpScoreStep points earned (at most five held).
  void CheckPowerUpAward();
  // Carries out power-up row 2..6.
  void UsePowerUp(std::int32_t row);
  void ShowMissionHelp();
  // Each game (and each mission level) is a session of the answer log.
  void BeginAnswerLog();

  // --- display (frmGameHud.cpp, frmGamePowerUps.cpp, frmGameChallenge.cpp) ---
  void UpdateHud();
  // A new power-up button, entering at the left edge.
  void AwardPowerUp();
  // Slides the power-up buttons toward their places, every frame while playing.
  void LayoutPowerUps();
  // Presses the button at list position index (keys 1..5 press positions 4..0).
  void PressPowerUpSlot(std::int32_t index);
  void ShowClock();
  // Moves the monsters' questions apart, off the challenge text and inside the
  // board's side of the screen (frmGameLabels.cpp); last in every playing step.
  void PlaceLabels();
  std::int32_t LabelTests() const { return LabelPlacer.TestsUsed(); }

  // --- keys (frmGameKeys.cpp) ---
  // The keys of play: P pauses and resumes, F1 opens a mission level's help,
  // the arrows, Enter and Space drive the board cursor. True when a key was used.
  bool HandleKeys(TsysEvent* event);
  void SetKeyPaused(bool paused);
  // The cursor's ring shown while the keys are in use, every step.
  void StepKeys();
  std::unique_ptr<TobjCursor> Cursor;
  // Paused by P (a menu pauses through the resources alone).
  bool KeyPaused = false;
  TobjLabel* PausePanel = nullptr;

  // The Beat-the-Clock text and its colour for a number of frames left.
  static std::string ClockText(std::int32_t framesLeft, std::int32_t score, std::int32_t target);
  static std::uint32_t ClockColour(std::int32_t framesLeft);
  // The clock's colours in its last minute, each at least 4.5:1 on the box.
  static constexpr std::uint32_t ClockAmber = 0xFFB347;   // under a minute
  static constexpr std::uint32_t ClockOrange = 0xFF8A4C;  // 30 s and less
  static constexpr std::uint32_t ClockRed = 0xFF6A6A;     // 10 s and less
  // The challenge's target at the current difficulty; 0 outside a challenge.
  std::int32_t TargetOfChallenge() const;
  std::int32_t GoalOfChallenge() const;

  // A Define the Line answer shown by the Functional Analyser, fading out at its end.
  struct TAnswerLine {
    TobjBase* Line;
    TobjMonster* Monster;
    std::int32_t FramesLeft;
  };

  std::int32_t BasicCombo = 0;
  std::int32_t TimeCombo = 0;
  std::int32_t TimeComboTimer = 0;
  std::int32_t SpawnCountdown = 0;
  std::int32_t SpawnGap = 0;
  std::int32_t RangeX = 0;
  std::int32_t RangeY = 0;
  std::int32_t PowerUpScoreBase = 0;
  std::vector<TobjPushButton*> PowerUpButtons;  // at most five, in the order awarded
  std::vector<TAnswerLine> AnswerLines;
  bool FirstFrameDone = false;
  TobjMap* Map = nullptr;
  // The mission's "LEVEL COMPLETE!" text: its end opens the game-over screen.
  TobjEffect* LevelCompleteText = nullptr;
  // The newest "Combo Bonus: +" text; a new one replaces it rather than overprinting it.
  TobjEffect* ComboText = nullptr;

  static constexpr std::int32_t MaxPowerUps = 5;
  static constexpr std::int32_t StartLives = 5;
  static constexpr double HudLayer = 7;  // the HUD and its buttons' drawing layer
  // The HUD's MENU posts what Esc posts (ekKeys 1), told apart by this Param:
  // over a level's help page it opens the menu rather than closing the page.
  static constexpr std::intptr_t MenuButtonParam = 1;

  // The HUD objects (all in the screen's group, drawn in screen space).
  struct THud {
    TobjBase* Panel = nullptr;
    TobjButton* MenuButton = nullptr;
    TobjLabel* ScoreLabel = nullptr;
    TobjNumber* Score = nullptr;
    TobjLabel* LevelLabel = nullptr;
    TobjNumber* Level = nullptr;
    std::array<TobjBase*, 5> Lives{};
    TobjBase* BasicComboIcon = nullptr;
    TobjLabel* BasicComboText = nullptr;
    TobjBase* TimeComboIcon = nullptr;
    TobjLabel* TimeComboText = nullptr;
    TobjLabel* DoomLabel = nullptr;
    TobjBase* DoomBar = nullptr;  // the track is its main item
    TrndGfx* DoomFill = nullptr;
    TobjPushButton* DoomButton = nullptr;
    TobjPushButton* HelpButton = nullptr;
    TobjButton* GameOverButton = nullptr;
    TobjLabel* ChallengeText = nullptr;
  } Hud;

 private:
  void BuildHud();
  // The per-frame HUD work: time-combo fade, lost lives fading, button looks.
  void StepHud();
  void SetComboLine(TobjBase* icon, TobjLabel* text, std::string& shown, bool visible, const std::string& line);
  void SetChallengeText(const std::string& markUp, std::uint32_t colour);
  void ShowDoom(bool shown);
  void HideCombos();

  void OpenScreen(std::uint16_t screen);
  void EndGame();
  void MonsterGone(std::int32_t index, std::int32_t value);
  void Score(std::int32_t value);
  void Miss();
  void LifeLost();
  void EffectDone(std::int32_t index);
  void SparkDone(std::int32_t index);
  void PowerUpGone(std::intptr_t button);
  void FireDoomDevice();
  void StepChallenge();
  void StepAnswerLines();
  void AddAnswerLine(TobjMonster* monster);
  // A rising text effect (colour 7) of w x h at (x, y) from the screen centre.
  TobjEffect* RisingText(const std::string& text, std::int32_t w, std::int32_t h, double x, double y);
  void DeleteType(std::int32_t type);
  void UseLevel();

  // Shared by the rules' units.
  static constexpr std::int32_t DoomStep = 5;  // Doom Device charge per kill
  static constexpr std::int32_t DoomFull = 100;
  static constexpr std::int32_t TextColour = 7;  // white rising texts and rings
  static constexpr std::int32_t AnswerLineFade = 10;  // frames an answer line fades out over

  bool Building = false;
  // What the HUD texts show now, so that a text is laid out only when it changes.
  std::string BasicComboShown;
  std::string TimeComboShown;
  std::string ChallengeShown;
  std::uint32_t ChallengeColour = 0xFFFFFF;
  std::int32_t DoomBarWidth = -1;
  TlibLabelPlacer LabelPlacer;
};
