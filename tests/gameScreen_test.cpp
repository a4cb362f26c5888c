// The game screen's rules through the real director and bus: scoring and combos,
// the Doom Device, lives, level progress, challenge goals and the clock, and the
// power-up buttons. Monsters are the game's own; answers are real clicks on the
// board, keys are real key presses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tables/defChallenges.h"
#include "tables/defLevels.h"
#include "tables/defPowerUps.h"
#include "game/objEffect.h"
#include "gameFlowSupport.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objNumber.h"
#include "objects/objPushButton.h"
#include "screens/frmGameOver.h"

namespace {

class GameScreen : public GameFlowTest {
 protected:
  // A text effect showing that text, or null.
  TobjEffect* TextEffect(const std::string& text) {
    for (std::int32_t i = 0; i < Objects()->TypeSize(otEffect); ++i) {
      auto* e = static_cast<TobjEffect*>(Objects()->TypeObject(otEffect, i));
      if (e->Kind == TobjEffect::ekText && e->Caption->Text == text) return e;
    }
    return nullptr;
  }
  // Kills a monster as an answer does and lets it shrink away.
  void Kill(TobjMonster* m) {
    m->Hit(false);
    for (int i = 0; i < 200 && Objects()->IsAlive(m); ++i) Tick();
  }
  // Waits for a mission level's help page, closes it with OK and stops the spawning.
  bool PassHelpPage(const std::string& when) {
    if (!TickUntil([this] { return Screen(ssTutorial) != nullptr && !Screen(ssTutorial)->FadingIn; }, 60,
                   "no help page " + when))
      return false;
    Click(640, 638);  // OK
    if (!TickUntil([this] { return Screen(ssTutorial) == nullptr && !Res()->Paused; }, 60, "the help page stayed"))
      return false;
    NoSpawning();
    ForceSize(1);
    return true;
  }
  // Waits for the end screen to open and settle, then clicks its lower button.
  bool ClickEndScreen(const std::string& caption) {
    if (!TickUntil([this] { return Screen(ssGameOver) != nullptr && !Screen(ssGameOver)->FadingIn; }, 300,
                   "no end screen offering " + caption))
      return false;
    const auto* over = dynamic_cast<TfrmGameOver*>(Screen(ssGameOver));
    EXPECT_EQ(over->Next->Caption->Text, caption);
    Click(640, 489);
    const bool back = TickUntil([this] { return Screen(ssGameOver) == nullptr && !Res()->GameOver; }, 60,
                                caption + " did not take the player back to the game");
    Tick(2);  // the game's own event, posted as the end screen closed
    return back;
  }
};

TEST_F(GameScreen, EasyQuadrantsLargeMonsterScores150Then100Then50) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  ForceSize(3);
  EXPECT_EQ(Objects()->TypeSize(otGridPoint), 4) << "a quadrant game's board is its four tiles, no dots";
  TobjMonster* m = Monster(-150, -250);
  ASSERT_EQ(m->Size, 3);
  const std::int32_t expected[3] = {150, 250, 300};
  for (int hit = 0; hit < 3; ++hit) {
    const TIntPoint answer = m->AnswerPoint;
    ClickPoint(Point(answer.X, answer.Y, true));
    Tick(2);
    EXPECT_EQ(Res()->Score, expected[hit]) << "hit " << hit;
    TickUntil([m] { return m->DrawnPixels == m->TargetPixels; }, 300, "the hit monster did not settle at its new size");
  }
  UntilNoMonsters();
  EXPECT_EQ(Res()->TotalKills, 1);
  EXPECT_EQ(Game()->BasicCombo, 3) << "each hit counts toward the combo";
  EXPECT_EQ(TextEffect("Combo Bonus: +0"), nullptr);
}

TEST_F(GameScreen, MediumPointFifthStraightAnswerPays300ComboBonusAndAMissResetsBothCombos) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Medium);
  PastFadeIn();
  NoSpawning();
  ForceSize(1);
  std::vector<TobjMonster*> five;
  for (int i = 0; i < 5; ++i) {
    TobjMonster* m = Game()->SpawnMonster();
    // Distinct answers: one click must answer one monster.
    auto taken = [&](const TobjMonster* n) {
      return std::any_of(five.begin(), five.end(), [&](const TobjMonster* o) {
        return o->AnswerPoint.X == n->AnswerPoint.X && o->AnswerPoint.Y == n->AnswerPoint.Y;
      });
    };
    for (int tries = 0; tries < 1000 && taken(m); ++tries) m->GenerateQuestion();
    ASSERT_FALSE(taken(m)) << "no question of its own for monster " << i;
    m->X = -200 + 100 * i;
    m->Y = -300;
    m->TopSpeed = 0;
    five.push_back(m);
  }
  Tick(60);
  // Basic combo pays from 3 (this start level), time combo too: 200 a hit,
  // then 180, 240 and 300 of combo bonus.
  const std::int32_t expected[5] = {200, 400, 780, 1220, 1720};
  for (int i = 0; i < 5; ++i) {
    ClickPoint(Point(five[i]->AnswerPoint.X, five[i]->AnswerPoint.Y));
    Tick(2);
    EXPECT_EQ(Res()->Score, expected[i]) << "answer " << i + 1;
  }
  EXPECT_NE(TextEffect("Combo Bonus: +300"), nullptr);
  EXPECT_EQ(TextEffect("Combo Bonus: +240"), nullptr) << "the newest combo text replaces the one still rising";
  EXPECT_EQ(Game()->BasicCombo, 5);
  EXPECT_EQ(Game()->TimeCombo, 5);
  EXPECT_TRUE(Game()->Hud.BasicComboText->Visible);
  EXPECT_EQ(Game()->Hud.BasicComboText->Caption->Text, "Basic Combo x 5!");
  EXPECT_EQ(Game()->Hud.Score->Value, 1720);

  // A point nobody asked for.
  UntilNoMonsters();
  Spy.Got.clear();
  ClickPoint(Point(0, 0));
  Tick(2);
  EXPECT_TRUE(Spy.Saw(ekSound, 6)) << "the miss sound";
  EXPECT_EQ(Game()->BasicCombo, 0);
  EXPECT_EQ(Game()->TimeCombo, 0);
  EXPECT_FALSE(Game()->Hud.BasicComboIcon->Visible);
  EXPECT_FALSE(Game()->Hud.BasicComboText->Visible);
  EXPECT_EQ(Res()->Score, 1720);
}

TEST_F(GameScreen, TimeComboLapsesAfterItsWindowAndItsTextFadesWithIt) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  GamePost(18, 0, 1);
  const std::int32_t window = Res()->Level.TimeComboWindow;
  ASSERT_EQ(window, 120);
  EXPECT_EQ(Game()->TimeCombo, 1);
  Tick(window - 2);  // the kill's own step already counted one
  EXPECT_EQ(Game()->TimeCombo, 1) << "still inside the window";
  EXPECT_GT(Game()->Hud.TimeComboText->Caption->Alpha, 0);
  Tick();
  EXPECT_EQ(Game()->TimeCombo, 0);
  EXPECT_EQ(Game()->TimeComboTimer, 0);
  EXPECT_EQ(Game()->Hud.TimeComboText->Caption->Alpha, 0);
  EXPECT_EQ(Game()->BasicCombo, 1) << "only the time combo lapses";
}

TEST_F(GameScreen, EachGameTypePaysItsOwnCombosFromTheirThresholdAndTheBestComboIsTheBasicOne) {
  // Easy, one small monster a kill: 50 * type a kill, and a combo's bonus of
  // 50 * (basic / 10, 5 or 2 + time / 10, 2.5 or 1) once each reaches the level's minimum
  // (5 for Rozir Ivivuruda, 3 otherwise). The last kill comes after the time combo lapsed.
  struct TCase {
    std::int32_t Type;
    std::vector<std::int32_t> Scores;
  };
  for (const TCase& c : {TCase{GameType::QuickQuadrants, {50, 100, 150, 200, 300, 410, 495}},
                         TCase{GameType::WhatsThePoint, {100, 200, 390, 610, 760}},
                         TCase{GameType::DefineTheLine, {150, 300, 675, 1125, 1400}}}) {
    SCOPED_TRACE(GameTypeName(c.Type));
    Director.reset();
    OpenGame(GameKind::Arcade, c.Type, Difficulty::Easy);
    PastFadeIn();
    NoSpawning();
    TfrmGame* game = Game();
    const std::int32_t least = c.Type == GameType::QuickQuadrants ? 5 : 3;
    const std::size_t straight = c.Scores.size() - 1;
    for (std::size_t i = 0; i < straight; ++i) {
      GamePost(18, 0, 1);
      const auto n = static_cast<std::int32_t>(i + 1);
      EXPECT_EQ(Res()->Score, c.Scores[i]) << "kill " << n;
      EXPECT_EQ(game->Hud.BasicComboText->Visible, n >= least) << "kill " << n;
      EXPECT_EQ(game->Hud.TimeComboText->Visible, n >= least) << "kill " << n;
      EXPECT_EQ(game->Hud.BasicComboIcon->Visible, n >= least) << "kill " << n;
    }
    EXPECT_EQ(game->Hud.BasicComboText->Caption->Text, "Basic Combo x " + std::to_string(straight) + "!");
    EXPECT_EQ(game->Hud.TimeComboText->Caption->Text, "Time Combo x " + std::to_string(straight) + "!");
    Tick(Res()->Level.TimeComboWindow);
    ASSERT_EQ(game->TimeCombo, 0);
    GamePost(18, 0, 1);
    EXPECT_EQ(Res()->Score, c.Scores.back()) << "the basic combo alone";
    EXPECT_FALSE(game->Hud.TimeComboText->Visible);
    EXPECT_EQ(Res()->HighestCombo, static_cast<std::int32_t>(straight + 1));
    GamePost(19);
    GamePost(18, 0, 1);
    EXPECT_EQ(Res()->HighestCombo, static_cast<std::int32_t>(straight + 1)) << "a miss keeps the best combo";
  }
}

TEST_F(GameScreen, DoomChargeGrowsByFiveForOrdinaryKillsOnlyAndFiresOnlyWhenFull) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  ForceSize(1);
  EXPECT_EQ(Res()->DoomCharge, 100);
  EXPECT_TRUE(Game()->Hud.DoomButton->Visible);
  Res()->DoomCharge = 90;
  Kill(Monster(-100, -250));
  EXPECT_EQ(Res()->DoomCharge, 95);
  Kill(Monster(-100, -250));
  EXPECT_EQ(Res()->DoomCharge, 100);
  Kill(Monster(-100, -250));
  EXPECT_EQ(Res()->DoomCharge, 100) << "never above 100";

  // Not full: D does nothing.
  Res()->DoomCharge = 95;
  Monster(-150, -250);
  Monster(300, 250);
  Spy.Got.clear();
  Key('D');
  Tick(2);
  EXPECT_FALSE(Spy.Saw(ekGame, 40));
  EXPECT_EQ(Objects()->TypeSize(otMonster), 2);
  const std::vector<TobjMonster*> standing = Monsters();
  EXPECT_FALSE(std::any_of(standing.begin(), standing.end(), [](TobjMonster* m) { return m->Dying; }));

  // Full: every monster dies, the charge is spent and power kills add nothing.
  Res()->DoomCharge = 100;
  Key('6');
  Tick(2);
  EXPECT_TRUE(Spy.Saw(ekGame, 40));
  EXPECT_EQ(Res()->DoomCharge, 0);
  const std::int32_t kills = Res()->TotalKills;
  UntilNoMonsters();
  EXPECT_EQ(Res()->TotalKills, kills + 2);
  EXPECT_EQ(Res()->DoomCharge, 0);

  // A level without the Doom Device ignores it even when full.
  Res()->DoomCharge = 100;
  Res()->Level.PowerUpAllowed[0] = false;
  Monster(-150, -250);
  Spy.Got.clear();
  Key('D');
  Tick(2);
  EXPECT_FALSE(Spy.Saw(ekGame, 40));
  EXPECT_EQ(Res()->DoomCharge, 100);
}

TEST_F(GameScreen, LivesRunOutIntoGameOverAndLostLifeIconsFade) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  TfrmGame* game = Game();
  for (int life = 5; life >= 1; --life) {
    TobjMonster* m = Monster(0, 0);
    m->Hit(true);  // reached the origin
    UntilNoMonsters();
    Tick(2);
    EXPECT_EQ(Res()->Lives, life - 1);
    if (life == 5) {
      const std::int32_t alpha = game->Hud.Lives[4]->Alpha;
      EXPECT_LT(alpha, 255);
      Tick();
      EXPECT_EQ(game->Hud.Lives[4]->Alpha, std::max(alpha - 8, 0)) << "8 a frame";
      EXPECT_EQ(game->Hud.Lives[3]->Alpha, 255);
      // Gone for good: a later score must not light the lost life again.
      Tick(40);
      GamePost(18, 0, 1);
      EXPECT_EQ(game->Hud.Lives[4]->Alpha, 0);
      EXPECT_EQ(game->Hud.Lives[3]->Alpha, 255);
    }
    if (life > 1) {
      EXPECT_FALSE(Res()->GameOver);
      EXPECT_FALSE(Spy.Saw(ekScreen, sidGameOver));
    }
  }
  EXPECT_TRUE(Res()->GameOver);
  EXPECT_TRUE(Spy.Saw(ekScreen, sidGameOver));
  EXPECT_EQ(Res()->TotalKills, 0) << "an escape is no kill";
  for (TobjBase* icon : game->Hud.Lives) EXPECT_EQ(icon->Alpha, 0);
  EXPECT_NE(Screen(ssGameOver), nullptr);
}

TEST_F(GameScreen, ArcadeLevelUpAppliesTheStepRowFromTheNextSpawnOn) {
  // On Medium: every value comes from the chosen difficulty's column.
  const std::int32_t d = Difficulty::Medium;
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, d);
  PastFadeIn();
  NoSpawning();
  ForceSize(1);
  const TLevel before = Res()->Level;
  ASSERT_EQ(before.KillsPerLevel[d], 10);
  for (int k = 0; k < 10; ++k) Kill(Monster(-150, -250));
  EXPECT_EQ(Res()->LevelNumber, 1) << "ten kills are not yet enough";
  Kill(Monster(-150, -250));
  EXPECT_EQ(Res()->LevelNumber, 2);
  EXPECT_EQ(Res()->LevelKills, 0);
  EXPECT_NE(TextEffect("LEVEL UP!"), nullptr);
  const TLevel& now = Res()->Level;
  EXPECT_EQ(now.KillsPerLevel[d], 11);
  EXPECT_EQ(now.SpawnInterval[d], before.SpawnInterval[d] - 2);
  EXPECT_DOUBLE_EQ(now.BaseSpeed[d], before.BaseSpeed[d] + 0.05);
  EXPECT_EQ(now.PowerUpScoreStep[d], before.PowerUpScoreStep[d] + 500);
  EXPECT_EQ(now.SizeWeights[d][0], 1 + 30) << "forced weights plus the step";
  EXPECT_EQ(Game()->Hud.Level->Value, 2);

  // The next spawn takes the new values: speed and the gap to the one after.
  Res()->Level.MaxMonsters[d] = 1;
  Game()->SpawnCountdown = 1;
  Tick();
  ASSERT_EQ(Objects()->TypeSize(otMonster), 1);
  EXPECT_GE(Monsters()[0]->TopSpeed, now.BaseSpeed[d]);
  EXPECT_EQ(Game()->SpawnGap, now.SpawnInterval[d]);
  EXPECT_GE(Game()->SpawnCountdown, now.SpawnInterval[d]);
  EXPECT_LE(Game()->SpawnCountdown, now.SpawnInterval[d] + now.SpawnInterval[d] / 2);
  // Each monster's speed is drawn from the level's spread above its base speed.
  std::vector<double> speeds;
  for (int i = 0; i < 6; ++i) speeds.push_back(Game()->SpawnMonster()->TopSpeed);
  for (double v : speeds) {
    EXPECT_GE(v, now.BaseSpeed[d]);
    EXPECT_LE(v, now.BaseSpeed[d] + now.SpeedSpread[d]);
  }
  EXPECT_GT(*std::max_element(speeds.begin(), speeds.end()), *std::min_element(speeds.begin(), speeds.end()));
}

TEST_F(GameScreen, MissionLevelCompletesOnTheTenthKillAndTheEndScreenFollowsItsText) {
  OpenGame(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Medium);
  Tick(20);
  EXPECT_NE(Screen(ssTutorial), nullptr) << "the level's help page opens first";
  EXPECT_TRUE(Res()->Paused);
  Click(640, 638);  // OK
  Tick(20);
  ASSERT_EQ(Screen(ssTutorial), nullptr);
  ASSERT_FALSE(Res()->Paused);
  NoSpawning();
  ForceSize(1);
  EXPECT_FALSE(Game()->Hud.DoomButton->Visible) << "the first level has no Doom Device";
  EXPECT_FALSE(Game()->Hud.DoomBar->Visible);
  // The first level opens quadrants I and III only: a click on a closed one is no answer, not even a miss.
  for (const TIntPoint q : {TIntPoint{1, 1}, TIntPoint{-1, 1}, TIntPoint{-1, -1}, TIntPoint{1, -1}})
    EXPECT_EQ(Point(q.X, q.Y, true)->Active, q.X * q.Y > 0) << q.X << "," << q.Y;
  Game()->BasicCombo = 2;
  Spy.Got.clear();
  ClickPoint(Point(-1, 1, true));
  Tick(2);
  EXPECT_FALSE(Spy.Saw(ekSound, 6));
  EXPECT_EQ(Game()->BasicCombo, 2);
  for (int k = 0; k < 9; ++k) Kill(Monster(-150, -250));
  EXPECT_EQ(TextEffect("LEVEL COMPLETE!"), nullptr);
  Kill(Monster(-150, -250));
  EXPECT_NE(TextEffect("LEVEL COMPLETE!"), nullptr);
  EXPECT_EQ(Res()->LevelNumber, 1) << "a mission level does not level up";
  Spy.Got.clear();
  int steps = 0;
  while (!Spy.Saw(ekScreen, sidGameOver) && steps < 200) {
    Tick();
    ++steps;
  }
  EXPECT_GE(steps, 80) << "the end screen waits for the text to run out";
  EXPECT_LE(steps, 110);
  EXPECT_TRUE(Res()->GameOver);
}

TEST_F(GameScreen, AMissionBeginsAtTheNextLevelAndTryAgainOrNextLevelStartItAfreshFromTheCarriedScore) {
  CreateFirstProfile("Ada");
  TProfileRecord profile = Res()->GetActiveProfile();
  // As the end of level 2 left the mode's progress.
  profile.MissionProgress[1].LevelsDone = 2;
  profile.MissionProgress[1].MissionScore = 1200;
  profile.MissionProgress[1].MissionKills = 20;
  Res()->SetActiveProfile(profile);
  OpenGame(GameKind::Mission, GameType::WhatsThePoint, Difficulty::Medium);
  TfrmGame* game = Game();
  const auto expectFreshLevel = [&](std::int32_t level, std::int32_t score, std::int32_t kills) {
    EXPECT_EQ(Res()->LevelNumber, level);
    EXPECT_EQ(Res()->Level.Name, "Vove'r uda Zerir? - Level " + std::to_string(level));
    EXPECT_EQ(game->Hud.Level->Value, level);
    EXPECT_EQ(Res()->Score, score);
    EXPECT_EQ(game->Hud.Score->Value, score);
    EXPECT_EQ(Res()->TotalKills, kills);
    EXPECT_EQ(Res()->LevelKills, 0);
    EXPECT_EQ(Res()->Lives, 5);
    EXPECT_EQ(game->BasicCombo, 0);
    EXPECT_EQ(game->TimeCombo, 0);
    EXPECT_FALSE(game->Hud.BasicComboText->Visible);
    EXPECT_EQ(Objects()->TypeSize(otMonster), 0);
    // The level offers a power-up: it starts with one (and the carried score may have earned more).
    EXPECT_FALSE(game->PowerUpButtons.empty());
  };
  expectFreshLevel(3, 1200, 20);
  EXPECT_EQ(Res()->DoomCharge, 100);
  ASSERT_TRUE(PassHelpPage("at the start"));

  // Lost: TRY AGAIN plays the level again from what it started with.
  Res()->Score = 2500;
  Res()->TotalKills = 26;
  Res()->LevelKills = 6;
  game->BasicCombo = 4;
  game->TimeCombo = 4;
  Res()->Lives = 1;
  Monster(0, 0)->Hit(true);  // reached the origin
  ASSERT_TRUE(ClickEndScreen("TRY AGAIN"));
  expectFreshLevel(3, 1200, 20);
  ASSERT_TRUE(PassHelpPage("after TRY AGAIN"));

  // Won: PLAY NEXT LEVEL goes on from the score and kills the level ended with.
  Res()->Score = 3000;
  Res()->Lives = 3;
  game->BasicCombo = 4;
  for (int k = 0; k < 10; ++k) Kill(Monster(-150, -250));
  ASSERT_TRUE(ClickEndScreen("PLAY NEXT LEVEL"));
  expectFreshLevel(4, 3000, 30);
  EXPECT_EQ(Res()->GetActiveProfile().MissionProgress[1].LevelsDone, 3);
  ASSERT_TRUE(PassHelpPage("on the next level"));
}

TEST_F(GameScreen, ChallengeGoalsEndTheGameWhenReachedAndTheClockWhenItRunsOut) {
  struct TCase {
    std::int32_t Index;
    std::int32_t Goal;
    std::int32_t Played;  // the difficulty
  };
  // Each at another difficulty: the target is the chosen difficulty's.
  for (const TCase c : {TCase{0, ChallengeGoal::Scoreathon, Difficulty::Easy},
                        TCase{6, ChallengeGoal::Killenate, Difficulty::Hard},
                        TCase{7, ChallengeGoal::ComboToTheMax, Difficulty::Medium},
                        TCase{1, ChallengeGoal::BeatTheClock, Difficulty::Crazy}}) {
    SCOPED_TRACE(c.Index);
    Director.reset();
    Spy.Got.clear();
    OpenGame(GameKind::Challenge, c.Index, c.Played);
    PastFadeIn();
    NoSpawning();
    ASSERT_EQ(Res()->ChallengeIndex, c.Index);
    const bool twoLines = c.Goal == ChallengeGoal::BeatTheClock || c.Goal == ChallengeGoal::ComboToTheMax;
    EXPECT_EQ(Game()->Hud.ChallengeText->Height, twoLines ? 43 : 29);
    ASSERT_EQ(Res()->GameType, Challenges[static_cast<std::size_t>(c.Index)].GameType[c.Played]);
    const std::int32_t target = Challenges[static_cast<std::size_t>(c.Index)].Target[c.Played];
    auto reach = [&](std::int32_t v) {
      if (c.Goal == ChallengeGoal::Killenate)
        Res()->TotalKills = v;
      else if (c.Goal == ChallengeGoal::ComboToTheMax)
        Game()->BasicCombo = v;
      else
        Res()->Score = v;
    };
    reach(target - 1);
    Tick(3);
    EXPECT_FALSE(Res()->GameOver);
    EXPECT_EQ(Res()->ChallengeDone, 0);
    reach(target);
    Tick();
    EXPECT_TRUE(Res()->GameOver);
    EXPECT_EQ(Res()->ChallengeDone, 1);
    Tick();
    EXPECT_EQ(Spy.Count(ekScreen, sidGameOver), 1);
  }
  // The clock alone: the goal not reached.
  Director.reset();
  Spy.Got.clear();
  OpenGame(GameKind::Challenge, 3, Difficulty::Easy);
  PastFadeIn();
  const std::int32_t left = Res()->ChallengeTimeLeft;
  EXPECT_GT(left, 240 * 60 - 20) << "four minutes, counted from the first frame";
  Tick(10);
  EXPECT_EQ(Res()->ChallengeTimeLeft, left - 10);
  Res()->ChallengeTimeLeft = 2;
  Tick();
  EXPECT_FALSE(Res()->GameOver);
  Tick();
  EXPECT_TRUE(Res()->GameOver);
  EXPECT_EQ(Res()->ChallengeDone, 0);
  Tick();
  EXPECT_EQ(Spy.Count(ekScreen, sidGameOver), 1);

  // The goal reached in the frame the clock runs out: done, and one end screen.
  Director.reset();
  Spy.Got.clear();
  OpenGame(GameKind::Challenge, 3, Difficulty::Easy);
  PastFadeIn();
  Res()->ChallengeTimeLeft = 1;
  Res()->Score = Challenges[3].Target[0];
  Tick(3);
  EXPECT_TRUE(Res()->GameOver);
  EXPECT_EQ(Res()->ChallengeDone, 1);
  EXPECT_EQ(Spy.Count(ekScreen, sidGameOver), 1);

  // Under the menu the clock stands still.
  Director.reset();
  OpenGame(GameKind::Challenge, 3, Difficulty::Easy);
  PastFadeIn();
  Key(0x1B);
  ASSERT_TRUE(TickUntil([this] { return Screen(ssGameMenu) != nullptr; }, 30, "Esc opened no menu"));
  const std::int32_t still = Res()->ChallengeTimeLeft;
  Tick(100);
  EXPECT_EQ(Res()->ChallengeTimeLeft, still);
}

TEST_F(GameScreen, ClockReadsMinutesAndTwoDigitSecondsInItsColours) {
  EXPECT_EQ(TfrmGame::ClockText(240 * 60, 0, 7500), "SCORE: 0 OF 7500<r>TIME LEFT: 4:00");
  EXPECT_EQ(TfrmGame::ClockColour(240 * 60), 0xFFFFFFu);
  EXPECT_EQ(TfrmGame::ClockText(61 * 60, 10, 7500), "SCORE: 10 OF 7500<r>TIME LEFT: 1:01");
  EXPECT_EQ(TfrmGame::ClockColour(60 * 60), 0xFFFFFFu);
  // Warmer as time runs out: amber, orange, red (each readable on the dark box).
  EXPECT_EQ(TfrmGame::ClockColour(59 * 60), TfrmGame::ClockAmber);
  EXPECT_EQ(TfrmGame::ClockColour(31 * 60), TfrmGame::ClockAmber);
  EXPECT_EQ(TfrmGame::ClockColour(30 * 60), TfrmGame::ClockOrange);
  EXPECT_EQ(TfrmGame::ClockColour(11 * 60), TfrmGame::ClockOrange);
  EXPECT_EQ(TfrmGame::ClockColour(10 * 60), TfrmGame::ClockRed);
  EXPECT_EQ(TfrmGame::ClockColour(1), TfrmGame::ClockRed);

  // On the screen: the text box of a running challenge, every tenth frame.
  OpenGame(GameKind::Challenge, 1, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  TobjLabel* text = Game()->Hud.ChallengeText;
  ASSERT_TRUE(text->Visible);
  EXPECT_EQ(text->Height, 43);
  Res()->ChallengeTimeLeft = 12 * 60 + 10;
  Tick();
  EXPECT_EQ(text->Caption->Text, "SCORE: 0 OF 7500<r>TIME LEFT: 0:12");
  EXPECT_EQ(text->Caption->Color, TfrmGame::ClockOrange);
  Res()->ChallengeTimeLeft = 9 * 60;
  Tick();
  EXPECT_EQ(text->Caption->Text, "SCORE: 0 OF 7500<r>TIME LEFT: 0:09");
  EXPECT_EQ(text->Caption->Color, TfrmGame::ClockRed);

  // A score between two clock ticks shows at once.
  TobjMonster* m = Monster(-150, -250);
  ASSERT_TRUE(TickUntil([this] { return Res()->ChallengeTimeLeft % 10 == 9; }, 10, "the clock did not run"));
  ClickPoint(Point(m->AnswerPoint.X, m->AnswerPoint.Y, true));
  Tick(2);  // eight steps in all: the clock's next tick is still to come
  ASSERT_GT(Res()->Score, 0);
  EXPECT_EQ(text->Caption->Text.rfind("SCORE: " + std::to_string(Res()->Score) + " OF 7500<r>", 0), 0u)
      << text->Caption->Text;
}

// The largest score shows whole in the HUD strip, ten digits inside its left
// edge; an everyday score keeps full-size digits.
TEST_F(GameScreen, TheLargestScoreShowsWholeInsideTheStrip) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  TfrmGame* game = Game();
  Res()->Score = 2147483647;
  game->UpdateHud();
  const TobjNumber* score = game->Hud.Score;
  ASSERT_NE(score, nullptr);
  int shown = 0;
  for (const TrndGfx* d : score->Digits) {
    if (!d->Visible) continue;
    ++shown;
    EXPECT_GE(score->X + d->RelX, 10) << "a digit cut at the screen's edge";
    EXPECT_LE(score->X + d->RelX + d->Width, 240) << "past the strip's rim";
  }
  EXPECT_EQ(shown, 10);
  Res()->Score = 3750;
  game->UpdateHud();
  EXPECT_EQ(score->Digits[0]->Width, 26);
}

TEST_F(GameScreen, PowerUpAwardsStopAtFiveButtonsWhileTheBaseStillAdvances) {
  // Each difficulty pays out at its own step.
  for (std::int32_t d = Difficulty::Crazy; d >= Difficulty::Easy; --d) {
    SCOPED_TRACE(d);
    OpenGame(GameKind::Arcade, GameType::QuickQuadrants, d);
    PastFadeIn();
    NoSpawning();
    TfrmGame* game = Game();
    ASSERT_EQ(game->PowerUpButtons.size(), 1u) << "a game starts with one";
    const std::int32_t step = ArcadeStartLevels[0].PowerUpScoreStep[static_cast<std::size_t>(d)];
    if (d > Difficulty::Easy) {
      ASSERT_NE(step, ArcadeStartLevels[0].PowerUpScoreStep[0]);
    }
    for (int n = 1; n <= 6; ++n) {
      Res()->Score = n * step;  // reaching the step is not enough: it must be passed
      GamePost(19);             // a miss refreshes the HUD
      EXPECT_EQ(game->PowerUpScoreBase, (n - 1) * step);
      EXPECT_EQ(game->PowerUpButtons.size(), static_cast<std::size_t>(std::min(n, 5)));
      Res()->Score = n * step + 1;
      GamePost(19);
      EXPECT_EQ(game->PowerUpScoreBase, n * step);
      EXPECT_EQ(game->PowerUpButtons.size(), static_cast<std::size_t>(std::min(n + 1, 5)));
    }
    Res()->Score = 6 * step;  // not above the next step
    GamePost(19);
    EXPECT_EQ(game->PowerUpScoreBase, 6 * step);
    for (TobjPushButton* b : game->PowerUpButtons) {
      EXPECT_GE(b->ActionParam, 2);
      EXPECT_LE(b->ActionParam, 5) << "Rozir Ivivuruda offers no Functional Analyser";
      // Each button shows its own power-up's icon.
      EXPECT_EQ(b->MainItem->GetPattern(), PowerUpTable[static_cast<std::size_t>(b->ActionParam)].IconFrame);
    }
  }
}

TEST_F(GameScreen, ButtonsSlideInKeysPressPositionsFromTheRightAndAFreedPlaceIsTaken) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  TfrmGame* game = Game();
  TobjPushButton* first = game->PowerUpButtons.at(0);
  Tick(60);
  EXPECT_EQ(first->X, 200);
  game->AwardPowerUp();
  TobjPushButton* second = game->PowerUpButtons.at(1);
  EXPECT_EQ(second->X, -48);
  int steps = 0;
  while (second->X < 0) {
    EXPECT_FALSE(second->Enabled) << "not clickable outside the strip";
    EXPECT_FALSE(second->Visible) << "not shown cut by the screen's edge";
    Tick();
    ASSERT_LT(++steps, 100) << "the power-up did not slide into the strip";
  }
  EXPECT_EQ(steps, 8);
  Tick();
  EXPECT_TRUE(second->Enabled);
  EXPECT_TRUE(second->Visible);
  Tick(40);
  EXPECT_EQ(second->X, 150);

  // With two buttons keys 1..3 find nothing; 4 presses the second, 5 the first.
  for (int key : {'1', '2', '3'}) Key(key);
  EXPECT_FALSE(first->Shrinking);
  EXPECT_FALSE(second->Shrinking);
  Spy.Got.clear();
  Key('4');
  EXPECT_TRUE(second->Shrinking);
  EXPECT_FALSE(first->Shrinking);
  ASSERT_TRUE(Spy.Saw(ekGame, 27));
  EXPECT_EQ(Spy.Last(ekGame, 27)->Param, second->ActionParam);

  game->AwardPowerUp();
  TobjPushButton* third = game->PowerUpButtons.at(2);
  Key('5');
  EXPECT_TRUE(first->Shrinking);
  Tick(80);  // both pressed buttons have shrunk away and reported it
  ASSERT_EQ(game->PowerUpButtons.size(), 1u);
  EXPECT_EQ(game->PowerUpButtons[0], third);
  EXPECT_FALSE(Objects()->IsAlive(first));
  Tick(40);
  EXPECT_EQ(third->X, 200) << "the last button slid on to the first place";

  // Two awarded at once come in one behind the other, never on top.
  game->AwardPowerUp();
  game->AwardPowerUp();
  TobjPushButton* fourth = game->PowerUpButtons.at(1);
  TobjPushButton* fifth = game->PowerUpButtons.at(2);
  for (int i = 0; i < 40; ++i) {
    Tick();
    EXPECT_TRUE(fifth->X == -48 || fifth->X <= fourth->X - 50) << "step " << i << ": " << fifth->X;
  }
  EXPECT_EQ(fourth->X, 150);
  EXPECT_EQ(fifth->X, 100);
}

TEST_F(GameScreen, AButtonThatRunsOutUnderTheMenuLeavesItsPlace) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  TfrmGame* game = Game();
  Tick(60);
  Key('5');
  Key(0x1B);  // Esc: the menu over the game
  Tick(20);
  ASSERT_TRUE(Res()->Paused);
  ASSERT_NE(Screen(ssGameMenu), nullptr);
  Tick(80);
  EXPECT_TRUE(game->PowerUpButtons.empty());
}

TEST_F(GameScreen, EachPowerUpActsOnTheMonsters) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  ForceSize(1);
  TobjMonster* a = Monster(-100, -250);
  TobjMonster* b = Monster(300, 200);
  a->TopSpeed = b->TopSpeed = 0.4;

  GamePost(27, 2);  // Translation Inhibiter
  EXPECT_EQ(a->Status, TobjMonster::StatusStopped);
  EXPECT_EQ(b->TopSpeed, 0);
  EXPECT_GE(a->StatusTime, 238);

  GamePost(27, 4);  // Velocity Bisector: half of the speed before the stop
  EXPECT_EQ(b->Status, TobjMonster::StatusHalved);
  EXPECT_DOUBLE_EQ(b->TopSpeed, 0.2);

  GamePost(27, 3);  // Radial Blast
  const double len = std::hypot(a->Push.X, a->Push.Y);
  EXPECT_NEAR(len, 8, 0.11);
  EXPECT_LT(a->Push.X, 0) << "away from the origin";
  EXPECT_GT(b->Push.Y, 0);
  bool ring = false;
  for (std::int32_t i = 0; i < Objects()->TypeSize(otEffect); ++i)
    ring = ring || static_cast<TobjEffect*>(Objects()->TypeObject(otEffect, i))->Kind == TobjEffect::ekBlastRing;
  EXPECT_TRUE(ring);

  GamePost(27, 6);  // Functional Analyser: the answers light up
  EXPECT_GT(Point(a->AnswerPoint.X, a->AnswerPoint.Y)->AnswerLeft, 0);
  EXPECT_GT(Point(b->AnswerPoint.X, b->AnswerPoint.Y)->AnswerLeft, 0);

  // Quadrant Blitz: the quadrant with more monsters.
  a->AnswerPoint = {1, 1};
  b->AnswerPoint = {-1, -2};
  TobjMonster* c = Monster(-200, 250);
  c->AnswerPoint = {-2, -1};
  GamePost(27, 5);
  Tick();
  EXPECT_FALSE(a->Dying);
  EXPECT_TRUE(b->Dying);
  EXPECT_TRUE(c->Dying);
  EXPECT_TRUE(b->KilledByPower);
}

TEST_F(GameScreen, DefineTheLineAnalyserDrawsAnswerLinesThatGoAndBlitzDoesNothing) {
  OpenGame(GameKind::Arcade, GameType::DefineTheLine, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  TobjMonster* m = Monster(-100, -250);
  TobjMonster* n = Monster(300, 250);
  GamePost(27, 5);
  Tick();
  EXPECT_FALSE(m->Dying);
  EXPECT_FALSE(n->Dying);
  // Nor is it ever awarded here, even by a level that allows it.
  Res()->Level.PowerUpAllowed[5] = true;
  for (int i = 0; i < 20; ++i) Game()->AwardPowerUp();
  for (const TobjPushButton* b : Game()->PowerUpButtons) EXPECT_NE(b->ActionParam, 5);
  GamePost(27, 6);
  ASSERT_EQ(Game()->AnswerLines.size(), 2u);
  TobjBase* line = Game()->AnswerLines[0].Line;
  EXPECT_EQ(line->MainItem->Alpha, 96);
  // The line lies on the monster's answer: its centre line passes through both points.
  TPointD c0, c1, c2, c3;
  line->MainItem->GetCorner(0, c0);
  line->MainItem->GetCorner(1, c1);
  line->MainItem->GetCorner(2, c2);
  line->MainItem->GetCorner(3, c3);
  const double cell = Game()->Map->CellWidth;
  const TVector2 e1{(c0.X + c3.X) / 2, (c0.Y + c3.Y) / 2};
  const TVector2 e2{(c1.X + c2.X) / 2, (c1.Y + c2.Y) / 2};
  for (TIntPoint p : {m->AnswerPoint, m->SecondPoint}) {
    const TVector2 at{128 + p.X * cell, -p.Y * cell};
    const double cross = (e2.X - e1.X) * (at.Y - e1.Y) - (e2.Y - e1.Y) * (at.X - e1.X);
    EXPECT_NEAR(cross / VecDistance(e1, e2), 0, 0.01) << p.X << "," << p.Y;
  }
  // Its monster gone, the line fades out at once.
  m->Hit(false);
  ASSERT_TRUE(TickUntil([&] { return !Objects()->IsAlive(m); }, 300, "the answered monster did not go"));
  EXPECT_EQ(Game()->AnswerLines.size(), 2u);
  Tick(10);
  EXPECT_EQ(Game()->AnswerLines.size(), 1u);
  EXPECT_FALSE(Objects()->IsAlive(line));
  Tick(360);
  EXPECT_TRUE(Game()->AnswerLines.empty());
}

TEST_F(GameScreen, InternalProblemsAreToldAndTheGameCarriesOn) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  TMessageCatcher catcher;
  GamePost(17, 100000, 1);
  ASSERT_EQ(catcher.Messages.size(), 1u);
  EXPECT_EQ(catcher.Messages[0].first, "");
  EXPECT_EQ(catcher.Messages[0].second, "A monster has gone tragically missing.");
  EXPECT_EQ(Res()->TotalKills, 0);
  TobjMonster* m = Monster(-100, -250);
  GamePost(22, m->Index);
  ASSERT_EQ(catcher.Messages.size(), 2u);
  EXPECT_EQ(catcher.Messages[1].second, "It's a monster!");
  Tick();
  EXPECT_EQ(Objects()->TypeSize(otMonster), 0);
}

TEST_F(GameScreen, StartingAComboChallengeRecordsNoComboOfAnEarlierGame) {
  CreateFirstProfile("Ada");
  Res()->HighestCombo = 50;  // left by an earlier game
  OpenGame(GameKind::Challenge, 9, Difficulty::Easy);
  PastFadeIn();
  const TProfileRecord p = Res()->GetActiveProfile();
  EXPECT_EQ(p.ChallengeRecords[9].Best[0], 0);
  EXPECT_FALSE(p.ChallengeRecords[9].Completed[0]);
}

TEST_F(GameScreen, EscOpensTheMenuOverAStillGameAndRestartBeginsAgain) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Easy);
  PastFadeIn();
  Tick(200);
  ASSERT_GT(Objects()->TypeSize(otMonster), 0);
  TobjMonster* m = Monsters()[0];
  Key(0x1B);
  Tick(20);
  ASSERT_NE(Screen(ssGameMenu), nullptr);
  EXPECT_TRUE(Res()->Paused);
  EXPECT_TRUE(Res()->MenuOpen);
  const double x = m->X;
  const double y = m->Y;
  const std::uint32_t tint = Game()->Map->Backdrop[0]->Color;
  Tick(100);
  EXPECT_EQ(m->X, x);
  EXPECT_EQ(m->Y, y);
  EXPECT_EQ(Game()->Map->Backdrop[0]->Color, tint) << "a still board under the menu: its frames can be skipped";
  // What a game changes as it goes; RESTART starts all of it afresh.
  TfrmGame* game = Game();
  Res()->Score = 900;
  Res()->Lives = 2;
  Res()->LevelNumber = 3;
  ApplyLevelStep(Res()->Level);
  Res()->DoomCharge = 20;
  Res()->TotalKills = 30;
  Res()->LevelKills = 4;
  Res()->MissionStartScore = 500;
  Res()->MissionStartKills = 12;
  game->BasicCombo = 7;
  game->TimeCombo = 7;
  for (int i = 0; i < 3; ++i) game->AwardPowerUp();
  Click(640, 400);  // RESTART
  Tick(20);
  EXPECT_EQ(Screen(ssGameMenu), nullptr);
  EXPECT_FALSE(Res()->Paused);
  EXPECT_EQ(Res()->Score, 0);
  EXPECT_EQ(Objects()->TypeSize(otMonster), 0);
  EXPECT_EQ(Res()->Lives, 5);
  EXPECT_EQ(Res()->LevelNumber, 1);
  EXPECT_EQ(game->Hud.Level->Value, 1);
  const TLevel& start = ArcadeStartLevels[GameType::WhatsThePoint - 1];
  EXPECT_EQ(Res()->Level.KillsPerLevel[0], start.KillsPerLevel[0]) << "the first level's values again";
  EXPECT_EQ(Res()->Level.SpawnInterval[0], start.SpawnInterval[0]);
  EXPECT_EQ(Res()->DoomCharge, 100);
  EXPECT_EQ(Res()->TotalKills, 0);
  EXPECT_EQ(Res()->LevelKills, 0);
  EXPECT_EQ(Res()->MissionStartScore, 0);
  EXPECT_EQ(Res()->MissionStartKills, 0);
  EXPECT_EQ(game->BasicCombo, 0);
  EXPECT_EQ(game->TimeCombo, 0);
  EXPECT_EQ(game->PowerUpButtons.size(), 1u) << "a new game starts with one power-up";
  EXPECT_TRUE(Game()->Hud.Score->Digits[0]->Visible) << "the score reads 0";
  EXPECT_FALSE(Game()->Hud.Score->Digits[1]->Visible);
}

TEST_F(GameScreen, AClickOnTheMenuDoesNotAnswerTheGridPointUnderIt) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Crazy);
  PastFadeIn();
  NoSpawning();
  // The grid point under RETURN TO GAME (530..750 x 300..350 on the screen).
  TobjGridPoint* under = nullptr;
  for (std::int32_t i = 0; i < Objects()->TypeSize(otGridPoint) && under == nullptr; ++i) {
    auto* p = static_cast<TobjGridPoint*>(Objects()->TypeObject(otGridPoint, i));
    const double sx = p->X + 512, sy = p->Y + 384;
    if (!p->IsTile && sx > 540 && sx < 740 && sy > 305 && sy < 345) under = p;
  }
  ASSERT_NE(under, nullptr);
  // A monster whose answer is that point, and a combo a miss would end.
  TobjMonster* m = Monster(-200, -200);
  m->AnswerPoint.X = under->PointX;
  m->AnswerPoint.Y = under->PointY;
  Game()->BasicCombo = 5;
  const std::int32_t score = Res()->Score;
  Key(0x1B);
  Tick(20);
  ASSERT_NE(Screen(ssGameMenu), nullptr);
  Click(static_cast<int>(under->X + 512), static_cast<int>(under->Y + 384));  // RETURN TO GAME
  Tick(20);
  EXPECT_EQ(Screen(ssGameMenu), nullptr);
  EXPECT_FALSE(Res()->Paused);
  EXPECT_FALSE(under->Flashing) << "the click was the menu's, not the board's";
  EXPECT_FALSE(m->Dying);
  EXPECT_EQ(Res()->Score, score);
  EXPECT_EQ(Game()->BasicCombo, 5);
}

}  // namespace
