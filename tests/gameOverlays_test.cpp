// What lies over the game and what the game leaves behind, played through the
// real director, input module and widgets: nothing of the HUD or the board acts
// under the in-game menu, a button that appears under a still pointer takes the
// first click, the end panels of a mission level can be left, the combo lines
// go with the game, and every judged answer leaves its mark where it was given.
#include <gtest/gtest.h>

#include <cmath>

#include "tables/defSprites.h"
#include "game/objAnswerMark.h"
#include "game/objEffect.h"
#include "gameFlowSupport.h"
#include "objects/objButton.h"
#include "objects/objLabel.h"
#include "objects/objPushButton.h"
#include "render/modInput.h"
#include "screens/frmGameMenu.h"

namespace {

constexpr int Esc = 0x1B;
// RETURN TO GAME on the in-game menu, and the HUD's MENU button.
constexpr int ReturnX = 640;
constexpr int ReturnY = 325;
constexpr int HudMenuButtonX = 128;
constexpr int HudMenuButtonY = 37;

class GameOverlays : public GameFlowTest {
 protected:
  // Steps until the first power-up button rests in its place in the tray.
  TobjPushButton* RestingPowerUp() {
    TobjPushButton* b = Game()->PowerUpButtons.at(0);
    TickUntil([b] { return b->X >= Sprite::HudFirstSlotX; }, 120, "the power-up did not come to rest");
    return b;
  }
  // The answer marks on the board now.
  std::vector<TobjEffect*> Marks() {
    std::vector<TobjEffect*> marks;
    for (std::int32_t i = 0; i < Objects()->TypeSize(otEffect); ++i) {
      auto* e = static_cast<TobjEffect*>(Objects()->TypeObject(otEffect, i));
      if (e->Kind == TobjEffect::ekMark) marks.push_back(e);
    }
    return marks;
  }
  // A click, then the steps until the answer is judged: the verdict is posted a
  // step after the point reports the click.
  void Answer(int x, int y) {
    Click(x, y);
    Tick(3);
  }
  void AnswerAt(const TobjGridPoint* p) { Answer(static_cast<int>(p->X + 512), static_cast<int>(p->Y + 384)); }
  // A click as it comes, whether or not a panel holds clicks back.
  void PlainClick(int x, int y) {
    Director->Input->PointerMove(x, y, 0);
    Director->Input->ButtonDown(0, x, y, 0);
    Tick(2);
    Director->Input->ButtonUp(0, x, y, 0);
    Tick(2);
  }
  // A monster standing still far from the board, asking for the point (x, y).
  TobjMonster* Asking(std::int32_t x, std::int32_t y) {
    TobjMonster* m = Monster(-200, -300);
    m->AnswerPoint = {x, y};
    return m;
  }
};

TEST_F(GameOverlays, APowerUpClickedUnderTheMenuIsKeptForLater) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  NoSpawning();
  PastFadeIn();
  TobjPushButton* button = RestingPowerUp();
  ASSERT_TRUE(button->Enabled);
  const int x = static_cast<int>(button->X) + 24;
  const int y = static_cast<int>(button->Y) + 24;
  Key(Esc);
  Tick(20);
  ASSERT_NE(Screen(ssGameMenu), nullptr);
  ASSERT_TRUE(Res()->Paused);
  Spy.Got.clear();
  Click(x, y);
  Key('5');  // its key as well
  Tick(80);
  EXPECT_FALSE(Spy.Saw(ekGame, 27)) << "no power-up used";
  EXPECT_TRUE(Objects()->IsAlive(button));
  EXPECT_FALSE(button->Shrinking);
  EXPECT_FALSE(button->Hovered);
  ASSERT_EQ(Game()->PowerUpButtons.size(), 1u);

  // Back in the game the same button works.
  Click(ReturnX, ReturnY);
  Tick(20);
  ASSERT_FALSE(Res()->Paused);
  Click(x, y);
  EXPECT_TRUE(Spy.Saw(ekGame, 27));
  EXPECT_TRUE(button->Shrinking);
}

TEST_F(GameOverlays, AMenuButtonAppearingUnderAStillPointerTakesTheFirstClick) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  NoSpawning();
  PastFadeIn();
  Move(ReturnX, ReturnY);
  Key(Esc);
  Tick(20);
  auto* menu = dynamic_cast<TfrmGameMenu*>(Screen(ssGameMenu));
  ASSERT_NE(menu, nullptr);
  TobjButton* resume = nullptr;
  for (std::int32_t i = 0; i < Objects()->GroupSize(grGameMenu); ++i)
    if (auto* b = dynamic_cast<TobjButton*>(Objects()->GroupObject(grGameMenu, i)))
      if (b->Caption->Text == "RETURN TO GAME") resume = b;
  ASSERT_NE(resume, nullptr);
  EXPECT_TRUE(resume->Hovered) << "lit under the pointer before it moves";
  // Press and release in one step, without a move, as a quick click arrives.
  Director->Input->ButtonDown(0, ReturnX, ReturnY, 0);
  Director->Input->ButtonUp(0, ReturnX, ReturnY, 0);
  Tick(20);
  EXPECT_EQ(Screen(ssGameMenu), nullptr);
  EXPECT_FALSE(Res()->Paused);
}

TEST_F(GameOverlays, TheEndPanelsOfAMissionLevelAreLeftByEscAndByMenu) {
  OpenGame(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Medium);
  PastFadeIn();
  CloseHelp();
  // LEVEL COMPLETE: Esc.
  Res()->GameOver = true;
  Spy.PostEvent(pmQueued, ekScreen, sidGameOver, 0, 0);
  Tick(20);
  ASSERT_NE(Screen(ssGameOver), nullptr);
  Key(Esc);
  Tick(40);
  EXPECT_EQ(Screen(ssGameOver), nullptr);
  EXPECT_EQ(Screen(ssGame), nullptr);
  EXPECT_NE(Screen(ssMissions), nullptr);

  // LEVEL FAILED: the HUD's MENU button.
  OpenGame(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Medium);
  PastFadeIn();
  CloseHelp();
  Res()->Lives = 0;
  Res()->GameOver = true;
  Spy.PostEvent(pmQueued, ekScreen, sidGameOver, 0, 0);
  Tick(20);
  ASSERT_NE(Screen(ssGameOver), nullptr);
  Click(HudMenuButtonX, HudMenuButtonY);
  Tick(40);
  EXPECT_EQ(Screen(ssGame), nullptr);
  EXPECT_NE(Screen(ssMissions), nullptr);
}

TEST_F(GameOverlays, AChildStillClickingOnTheBoardSeesTheEndPanelBeforeAClickCanUseIt) {
  // BACK TO ARCADE opens where quadrant III's tile was clicked.
  constexpr int BackX = 600;
  constexpr int BackY = 519;
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  NoSpawning();
  PastFadeIn();
  Res()->Lives = 1;
  Move(BackX, BackY);
  // A press under way when the last life goes, released once the panel is up.
  Director->Input->ButtonDown(0, BackX, BackY, 0);
  GamePost(21);
  ASSERT_TRUE(TickUntil([this] { return Screen(ssGameOver) != nullptr; }, 10, "no end panel"));
  Tick(3);
  Director->Input->ButtonUp(0, BackX, BackY, 0);
  Tick(2);
  // Then a click every 0.3 s, as the child went on doing.
  for (int i = 0; i < 3; ++i) {
    Tick(14);
    PlainClick(BackX, BackY);
  }
  EXPECT_NE(Screen(ssGameOver), nullptr) << "the end panel is still there to be read";
  EXPECT_EQ(Screen(ssArcade), nullptr);
  // A moment later a click is a choice again.
  Tick(20);
  Click(BackX, BackY);
  Tick(40);
  EXPECT_EQ(Screen(ssGameOver), nullptr);
  EXPECT_NE(Screen(ssArcade), nullptr);
}

TEST_F(GameOverlays, ALevelsHelpPageIsNotClosedByTheClicksAndEnterThatWereMeantForTheBoard) {
  constexpr int OkX = 640;
  constexpr int OkY = 638;
  OpenGame(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Hard);
  Move(OkX, OkY);
  Director->Input->KeyDown(vkReturn, 0);
  ASSERT_TRUE(TickUntil([this] { return Screen(ssTutorial) != nullptr; }, 40, "no help page"));
  Director->Input->KeyUp(vkReturn, 0);
  Tick(5);
  PlainClick(OkX, OkY);
  Director->Input->KeyDown(vkSpace, 0);
  Director->Input->KeyUp(vkSpace, 0);
  Tick(20);
  EXPECT_NE(Screen(ssTutorial), nullptr) << "the page stays to be read";
  Tick(40);
  Key(vkReturn);
  Tick(30);
  EXPECT_EQ(Screen(ssTutorial), nullptr) << "Enter closes it once it could be seen";
}

TEST_F(GameOverlays, TheComboLinesGoWhenTheGameIsOver) {
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Easy);
  NoSpawning();
  PastFadeIn();
  for (int i = 0; i < 5; ++i) GamePost(18, 0, 1);
  ASSERT_TRUE(Game()->Hud.BasicComboText->Visible);
  ASSERT_TRUE(Game()->Hud.TimeComboText->Visible);
  Res()->Lives = 1;
  GamePost(21);
  ASSERT_TRUE(Res()->GameOver);
  EXPECT_FALSE(Game()->Hud.BasicComboText->Visible);
  EXPECT_FALSE(Game()->Hud.BasicComboIcon->Visible);
  EXPECT_FALSE(Game()->Hud.TimeComboText->Visible);
  // A new game shows them again once earned.
  GamePost(25);
  for (int i = 0; i < 5; ++i) GamePost(18, 0, 1);
  EXPECT_TRUE(Game()->Hud.BasicComboText->Visible);
}

TEST_F(GameOverlays, EveryJudgedAnswerIsMarkedWhereItWasGivenInEachGame) {
  // Rozir Ivivuruda: where the pointer was on the tile, but never over the
  // tile's numeral (the middle 92 x 56 of the tile): beside it instead.
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  NoSpawning();
  PastFadeIn();
  const auto clearOfNumeral = [](const TobjEffect* mark, double tileX, double tileY) {
    return std::abs(mark->X - tileX) >= 46 + 16 || std::abs(mark->Y - tileY) >= 28 + 16;
  };
  // A monster of this game asks for a quadrant: its answer is the quadrant's sign pair.
  Asking(1, 1);
  // Quadrant I's tile spans x 192..320 and y -192..-64 from the screen centre.
  Answer(512 + 306, 384 - 178);  // on quadrant I's tile, at its top right corner
  ASSERT_TRUE(Spy.Saw(ekGame, 18));
  std::vector<TobjEffect*> marks = Marks();
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_TRUE(marks[0]->MarkHit);
  EXPECT_EQ(marks[0]->X, 306);
  EXPECT_EQ(marks[0]->Y, -178);
  UntilNoMonsters();
  Asking(1, 1);
  Spy.Got.clear();
  Answer(512 + 40, 384 + 140);  // on quadrant III's tile (x -64..64, y 64..192), on its numeral
  ASSERT_TRUE(Spy.Saw(ekGame, 19));
  marks = Marks();
  ASSERT_FALSE(marks.empty());
  EXPECT_FALSE(marks.back()->MarkHit);
  EXPECT_EQ(marks.back()->X, 40);
  EXPECT_EQ(marks.back()->Y, 128 + 44) << "just below the numeral, the click being low";
  EXPECT_TRUE(clearOfNumeral(marks.back(), 0, 128));
  UntilNoMonsters();
  Asking(1, 1);
  Answer(512 + 256, 384 - 128);  // the middle of quadrant I's tile
  marks = Marks();
  ASSERT_FALSE(marks.empty());
  EXPECT_TRUE(marks.back()->MarkHit);
  EXPECT_EQ(marks.back()->X, 256);
  EXPECT_TRUE(clearOfNumeral(marks.back(), 256, -128));

  // Vove'r uda Zerir?: on the point clicked, a miss with no monster at all too.
  OpenGame(GameKind::Arcade, GameType::WhatsThePoint, Difficulty::Easy);
  NoSpawning();
  PastFadeIn();
  Asking(2, 1);
  const TobjGridPoint* wrong = Point(1, 2);
  AnswerAt(wrong);
  marks = Marks();
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_FALSE(marks[0]->MarkHit);
  EXPECT_EQ(marks[0]->X, wrong->X);
  EXPECT_EQ(marks[0]->Y, wrong->Y);
  const TobjGridPoint* right = Point(2, 1);
  AnswerAt(right);
  marks = Marks();
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_TRUE(marks[1]->MarkHit);
  EXPECT_EQ(marks[1]->X, right->X);

  // Define the Line: both points of the line, once it is judged.
  OpenGame(GameKind::Arcade, GameType::DefineTheLine, Difficulty::Easy);
  NoSpawning();
  PastFadeIn();
  AnswerAt(Point(1, 1));
  EXPECT_TRUE(Marks().empty()) << "one point is not an answer yet";
  AnswerAt(Point(2, 1));
  marks = Marks();
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_FALSE(marks[0]->MarkHit);
  EXPECT_FALSE(marks[1]->MarkHit);
  EXPECT_EQ(marks[0]->X, Point(1, 1)->X);
  EXPECT_EQ(marks[1]->X, Point(2, 1)->X);
  // The marks go by themselves, well within a second.
  Tick(AnswerMark::HoldSteps + AnswerMark::FadeSteps + 2);
  EXPECT_TRUE(Marks().empty());
}

}  // namespace
