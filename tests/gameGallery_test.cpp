// Pictures of the game being played, drawn by the real SDL device through the
// real director: the auto-player plays each game type (and a challenge against
// the clock, and a mission level) until a moment with zaps on the board, and
// the frame is written to build/screens/ (copies are kept in docs/screenshots/).
// Skipped while the game's sprites are not in the data. PLOTFRAY_GALLERY_DATA
// may name another data folder to draw from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "autoPlayer.h"
#include "contrastSupport.h"
#include "core/sysRandom.h"
#include "drawnScreenSupport.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"
#include "game/frmGame.h"
#include "game/objMonster.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/sysObjects.h"
#include "screens/frmGameOver.h"
#include "screens/frmTutorial.h"

namespace {

class GameGallery : public DrawnScreenTest {
 protected:
  void SetUp() override {
    if (const char* other = std::getenv("PLOTFRAY_GALLERY_DATA")) DataFolder = other;
    DrawnScreenTest::SetUp();
    if (HasFatalFailure()) return;
    StartAsNewPlayer();
  }
  bool HaveSprites() { return HaveImage(Sprite::Set, Sprite::HudPanel) && HaveImage(Sprite::Set, Sprite::LifeIcon); }
  void Open(std::int32_t kind, std::int32_t type, std::int32_t difficulty, std::int32_t missionLevel = 1) {
    OpenGame(kind, type, difficulty, missionLevel);
  }
  // The end card's rounded corners show the board, not the plain panel under
  // the card: each corner looks the same with the card and panel taken away.
  void ExpectCardCornersShowTheBoard(const char* screen) {
    auto* over = static_cast<TfrmGameOver*>(Director->Screen(ssGameOver));
    ASSERT_NE(over, nullptr);
    const std::vector<std::uint32_t> with = Capture();
    const bool panel = over->Panel->Visible, picture = over->Picture->Visible;
    over->Panel->Visible = false;
    over->Picture->Visible = false;
    const std::vector<std::uint32_t> without = Capture();
    over->Panel->Visible = panel;
    over->Picture->Visible = picture;
    for (const auto& [x, y] : {std::pair{401, 205}, {878, 205}, {401, 562}, {878, 562}}) {
      const std::size_t i = static_cast<std::size_t>(y) * 1024 + static_cast<std::size_t>(x);
      EXPECT_EQ(with[i] & 0xFFFFFF, without[i] & 0xFFFFFF) << screen << ": corner " << x << "," << y;
    }
  }
  // Plays for a while, then on until zaps fly among at least two monsters.
  void PlayAndShoot(const std::string& name, int warmUp) {
    TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 3);
    player.ThinkSteps = 40;  // slow enough for the board to fill up
    player.UsePowerUps = false;
    for (int i = 0; i < warmUp; ++i) player.Step();
    TsysObjects* objects = Director->Interface->Objects.get();
    const auto walking = [&] {
      int n = 0;
      for (std::int32_t k = 0; k < objects->TypeSize(otMonster); ++k) {
        const auto* m = static_cast<const TobjMonster*>(objects->TypeObject(otMonster, k));
        n += !m->Dying && m->DrawnPixels == m->TargetPixels;
      }
      return n;
    };
    // The player looks away until the board has filled up, then answers one.
    const int full = std::min(3, static_cast<int>(std::ceil(Res()->Level.MaxMonsters[Res()->Difficulty])));
    for (int i = 0; i < 1500 && (walking() < full || Res()->Paused); ++i) Tick();
    for (int i = 0; i < 300 && objects->TypeSize(otSpark) == 0; ++i) player.Step();
    Tick(3);  // the zaps flicker on, the sparks spread
    Shot(name);
    Director->SwitchScreen(sidArcade, grGameMenu, 7);
    Tick(20);
  }
  // From an end screen back to the set-up screens, as its back button goes.
  void Leave() {
    Director->SwitchScreen(sidArcade, grGameOver, 7);
    for (int i = 0; i < 200 && (Director->Screen(ssGameOver) != nullptr || Director->Screen(ssGame) != nullptr); ++i)
      Tick();
  }
};

TEST_F(GameGallery, EachGameType) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  Open(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Medium);
  PlayAndShoot("play-quadrants", 1500);
  Open(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Medium);
  PlayAndShoot("play-point", 1500);
  Open(GameKind::Arcade, GameType::DefineTheLine, Difficulty::Easy);
  PlayAndShoot("play-line", 1500);
  Open(GameKind::Challenge, 3, Difficulty::Easy);  // beat the clock, Vove'r uda Zerir?
  PlayAndShoot("play-challenge", 1200);
  Open(GameKind::Mission, GameType::DefineTheLine, Difficulty::Medium);
  PlayAndShoot("play-mission", 600);
}

// The last level of Vove'r uda Zerir? in the middle of its wave of fifty, every
// question on its own spot.
TEST_F(GameGallery, TheFiftyMonsterWave) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  Open(GameKind::Mission, GameType::WhatsThePoint, Difficulty::Medium, 4);
  for (int i = 0; i < 200 && (Director->Screen(ssTutorial) == nullptr || Director->Screen(ssTutorial)->FadingIn); ++i)
    Tick();
  ASSERT_NE(Director->Screen(ssTutorial), nullptr);
  Click(640, 638, 20);  // OK
  ASSERT_EQ(Director->Screen(ssTutorial), nullptr);
  TsysObjects* objects = Director->Interface->Objects.get();
  int steps = 0;
  for (; steps < 600 && objects->TypeSize(otMonster) < 40; ++steps) Tick();
  ASSERT_GE(objects->TypeSize(otMonster), 40) << "the wave did not come within " << steps << " steps";
  Tick(20);  // the last of them grow to their size
  Shot("play-point-wave");
}

// The screens over the game as real play reaches them: the help page that
// opens a mission level, the in-game menu over a busy board, and the three end
// screens after a mission level won, an arcade game lost and a challenge done.
TEST_F(GameGallery, ScreensOverPlay) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  Open(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Medium, 3);  // level 4: the first power-up
  for (int i = 0; i < 200 && (Director->Screen(ssTutorial) == nullptr || Director->Screen(ssTutorial)->FadingIn); ++i)
    Tick();
  ASSERT_NE(Director->Screen(ssTutorial), nullptr);
  Move(640, 638);  // over OK
  Tick(2);
  Shot("help-page");
  {
    // Nothing of the board shows through the help panel: without the board
    // the panel's pixels stay the same.
    const std::vector<std::uint32_t> over = Capture();
    TsysObjects* objects = Director->Interface->Objects.get();
    std::vector<TobjBase*> board;
    for (std::int32_t type : {otMap, otGridPoint})
      for (std::int32_t k = 0; k < objects->TypeSize(type); ++k) board.push_back(objects->TypeObject(type, k));
    ASSERT_FALSE(board.empty());
    for (TobjBase* o : board) o->Visible = false;
    const std::vector<std::uint32_t> alone = Capture();
    for (TobjBase* o : board) o->Visible = true;
    int through = 0;
    for (int y = 90; y < 668; ++y)
      for (int x = 381; x < 899; ++x) {
        const std::size_t i = static_cast<std::size_t>(y) * 1024 + static_cast<std::size_t>(x);
        through += (over[i] & 0xFFFFFF) != (alone[i] & 0xFFFFFF);
      }
    EXPECT_EQ(through, 0) << "pixels of the board show through the help panel";
    // The page is round at its corners: outside them the panel shows, not a
    // square backing of the page's own.
    auto* help = dynamic_cast<TfrmTutorial*>(Director->Screen(ssTutorial));
    ASSERT_NE(help, nullptr);
    help->Page->Visible = false;
    const std::vector<std::uint32_t> bare = Capture();
    help->Page->Visible = true;
    for (const auto& [x, y] : {std::pair{385, 94}, {894, 94}, {385, 603}, {894, 603}}) {
      const std::size_t i = static_cast<std::size_t>(y) * 1024 + static_cast<std::size_t>(x);
      EXPECT_EQ(over[i] & 0xFFFFFF, bare[i] & 0xFFFFFF) << "help page corner " << x << "," << y;
    }
  }

  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 5);
  player.ThinkSteps = 40;
  for (int i = 0; i < 900; ++i) player.Step();
  Press(0x1B);
  Tick(30);
  ASSERT_NE(Director->Screen(ssGameMenu), nullptr);
  Move(640, 400);
  Tick(2);
  Shot("game-menu");
  Click(640, 325);  // RETURN TO GAME
  Tick(10);
  ASSERT_TRUE(PlayUntilShown(player, ssGameOver, 20000));
  Tick(60);  // the stars settle
  Shot("game-over-mission");
  ExpectCardCornersShowTheBoard("game-over-mission");

  Leave();
  Open(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Medium);
  TAutoPlayer loser(Director.get(), TAutoPlayer::TStyle::Random, 9);
  ASSERT_TRUE(PlayUntilShown(loser, ssGameOver, 200000));
  Tick(60);
  Shot("game-over-arcade");
  ExpectCardCornersShowTheBoard("game-over-arcade");

  Leave();
  Open(GameKind::Challenge, 3, Difficulty::Easy);  // beat the clock, Vove'r uda Zerir?
  TAutoPlayer winner(Director.get(), TAutoPlayer::TStyle::Solver, 11);
  ASSERT_TRUE(PlayUntilShown(winner, ssGameOver, 20 * 3600));
  EXPECT_EQ(Res()->ChallengeDone, 1);
  Tick(60);
  Shot("game-over-challenge");
  ExpectCardCornersShowTheBoard("game-over-challenge");
}

// Every text of the game screen that the player must read stands out from
// what lies behind it by 4.5:1 at least: the HUD's captions and combo lines,
// and the challenge clock in each of its colours, over a busy board.
TEST_F(GameGallery, HudTextsAndTheClockInEveryColourReadAgainstWhatIsBehindThem) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  Open(GameKind::Challenge, 3, Difficulty::Easy);  // beat the clock, Vove'r uda Zerir?
  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 4);
  player.UsePowerUps = false;
  for (int i = 0; i < 900; ++i) player.Step();
  TfrmGame* game = player.Game();
  ASSERT_NE(game, nullptr);
  game->BasicCombo = game->TimeCombo = 12;
  game->TimeComboTimer = Res()->Level.TimeComboWindow;
  game->UpdateHud();
  Tick();

  struct TText {
    const char* Name;
    TrndText* Item;
  };
  const TText hud[] = {
      {"MENU", game->Hud.MenuButton->Caption},
      {"SCORE", game->Hud.ScoreLabel->Caption},
      {"LEVEL", game->Hud.LevelLabel->Caption},
      {"basic combo", game->Hud.BasicComboText->Caption},
      {"time combo", game->Hud.TimeComboText->Caption},
      {"ZORBEX DOOM DEVICE", game->Hud.DoomLabel->Caption},
  };
  for (const TText& t : hud) {
    const contrast::TMeasure m = contrast::MeasureText(Director->Graphics.get(), t.Item);
    EXPECT_GT(m.GlyphPixels, 20) << t.Name << ": the text is drawn";
    EXPECT_GE(m.Ratio, 4.5) << t.Name;
    std::printf("  %-20s %.2f:1\n", t.Name, m.Ratio);
  }
  for (int seconds : {150, 45, 20, 5}) {
    Res()->ChallengeTimeLeft = seconds * 60;
    game->ShowClock();
    const contrast::TMeasure m = contrast::MeasureText(Director->Graphics.get(), game->Hud.ChallengeText->Caption);
    EXPECT_GT(m.GlyphPixels, 20) << seconds << " s left";
    EXPECT_GE(m.Ratio, 4.5) << "the clock with " << seconds << " s left";
    std::printf("  clock at %3d s       %.2f:1\n", seconds, m.Ratio);
  }
}

// A question sits on its plate at every size of a growing monster: no letter
// lies outside the plate drawn under it.
TEST_F(GameGallery, AGrowingMonstersQuestionStaysOnItsPlate) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  Open(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Crazy);
  Tick(20);
  auto* game = dynamic_cast<TfrmGame*>(Director->Screen(ssGame));
  ASSERT_NE(game, nullptr);
  for (double& m : Res()->Level.MaxMonsters) m = 0;
  for (int i = 0; i < 3; ++i) Res()->Level.SizeWeights[Difficulty::Crazy][i] = i == 2;
  TobjMonster* m = game->SpawnMonster();
  m->X = 200;
  m->Y = 0;
  m->TopSpeed = 0;
  for (int i = 0; i < 200 && m->Question.size() < 13; ++i) m->GenerateQuestion();
  ASSERT_GE(m->Question.size(), 13u) << m->Question;
  for (int p : {12, 24, 36, 47, 96}) {
    SCOPED_TRACE("drawn at " + std::to_string(p) + ": " + m->Question);
    m->DrawnPixels = p - 1;
    m->TargetPixels = p;
    Tick();
    ASSERT_EQ(m->DrawnPixels, p);
    const contrast::TInkBox ink = contrast::InkBox(Director->Graphics.get(), m->Label);
    ASSERT_GT(ink.Pixels, 0);
    const double k = m->LabelPlate->Scale;
    const double left = m->X + 512 + m->LabelPlate->RelX, top = m->Y + 384 + m->LabelPlate->RelY;
    const double right = left + m->LabelPlate->Width * k, bottom = top + m->LabelPlate->Height * k;
    EXPECT_GE(ink.Left, std::floor(left)) << "plate " << left << ".." << right;
    EXPECT_LE(ink.Right, std::ceil(right)) << "plate " << left << ".." << right;
    EXPECT_GE(ink.Top, std::floor(top));
    EXPECT_LE(ink.Bottom, std::ceil(bottom));
  }
}

}  // namespace
