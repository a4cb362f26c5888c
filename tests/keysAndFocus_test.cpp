// What a child playing by keys, or mixing keys and the mouse, meets on the
// real screens: one control marked at a time from the first frame, the ring
// back on the control just used, the arrows reaching every row, hints that
// can be read, the KEYS panel over OPTIONS and the in-game menu, the board
// cursor's jumps, the first point of a line taken back, and MENU over a
// level's help page.
#include <gtest/gtest.h>

#include "game/modAI.h"
#include "game/objCursor.h"
#include "gameFlowSupport.h"
#include "objects/objButton.h"
#include "objects/objCheckBox.h"
#include "objects/objGroupButton.h"
#include "objects/objHintLabelButton.h"
#include "objects/objText.h"
#include "render/modInput.h"
#include "screens/frmArcade.h"
#include "screens/frmChallenge.h"
#include "screens/frmGameMenu.h"
#include "screens/frmKeys.h"
#include "screens/frmMainMenu.h"
#include "screens/frmOptions.h"
#include "screens/frmProfileCreate.h"

namespace {

// Places on the main menu (buttons 230 x 50 from (397, 300), 60 apart) and elsewhere.
constexpr int MenuX = 512;
int MenuY(int row) { return 325 + 60 * row; }
constexpr int OptionsRow = 5;
constexpr int HudMenuX = 128;
constexpr int HudMenuY = 37;

class KeysAndFocus : public GameFlowTest {
 protected:
  TsysFocus& FocusOf(TScreenSlot slot) { return *Screen(slot)->Focus; }
  TfrmMainMenu* MainMenu() { return dynamic_cast<TfrmMainMenu*>(Screen(ssMainMenu)); }
  // A key pressed and let go, as the window reports it, then two steps.
  void Press(int key, int shift = 0) {
    WaitOutHold();
    Director->Input->KeyDown(key, shift);
    Director->Input->KeyUp(key, shift);
    Tick(2);
  }
  // Waits out a screen's fade so that the next screen is open.
  void Settle() { Tick(40); }
};

TEST_F(KeysAndFocus, OneControlIsMarkedAtATimeFromTheFirstFrameAndThePointerMovesTheRing) {
  Start();
  PassLoading();
  auto* create = dynamic_cast<TfrmProfileCreate*>(Screen(ssProfileCreate));
  ASSERT_NE(create, nullptr);
  EXPECT_TRUE(create->Focus->RingShown()) << "the first-run screen shows its ring before any key";
  EXPECT_EQ(create->Focus->Current(), create->NameBox);
  Type("Ada");
  Director->Input->KeyPress(13);
  Settle();

  // The pointer still rests on ARCADE, where the loading screen was clicked.
  ASSERT_NE(MainMenu(), nullptr);
  TobjButton* tutorial = MainMenu()->Buttons[0];
  TobjButton* arcade = MainMenu()->Buttons[1];
  EXPECT_TRUE(FocusOf(ssMainMenu).RingShown()) << "a ring after a start by the mouse too";
  EXPECT_EQ(FocusOf(ssMainMenu).Current(), tutorial);
  EXPECT_FALSE(arcade->Hovered) << "the button under the resting pointer is not marked as well";

  // The pointer moves: the ring goes with it.
  Move(MenuX, MenuY(1) + 5);
  EXPECT_EQ(FocusOf(ssMainMenu).Current(), arcade);
  EXPECT_TRUE(arcade->Hovered);
  EXPECT_FALSE(tutorial->Hovered);

  // A key moves the ring on: the pointer's button lets go of its glow, and keeps it off.
  Press(vkArrowDown);
  Tick(5);
  EXPECT_EQ(FocusOf(ssMainMenu).Current(), MainMenu()->Buttons[2]);
  EXPECT_FALSE(arcade->Hovered) << "two controls marked while Enter acts at the ring";
  // A click where the pointer rests still acts there.
  Director->Input->ButtonDown(0, MenuX, MenuY(1) + 5, 0);
  Tick(2);
  Director->Input->ButtonUp(0, MenuX, MenuY(1) + 5, 0);
  Settle();
  EXPECT_NE(Screen(ssArcade), nullptr);
}

TEST_F(KeysAndFocus, ScreensPutTheRingBackOnTheControlJustUsed) {
  CreateFirstProfile("Ada");
  // OPTIONS by keys, then SAVE by keys: the main menu comes back on OPTIONS.
  for (int i = 0; i < OptionsRow; ++i) Press(vkArrowDown);
  ASSERT_EQ(FocusOf(ssMainMenu).Current(), MainMenu()->Buttons[OptionsRow]);
  Press(vkReturn);
  Settle();
  auto* options = dynamic_cast<TfrmOptions*>(Screen(ssOptions));
  ASSERT_NE(options, nullptr);
  options->Focus->SetFocus(options->Save);
  Press(vkReturn);
  Settle();
  ASSERT_NE(MainMenu(), nullptr);
  EXPECT_EQ(FocusOf(ssMainMenu).Current(), MainMenu()->Buttons[OptionsRow]) << "back on OPTIONS, not on TUTORIAL";

  // A game started from the second mode, lost: the arcade screen comes back on that mode.
  Click(MenuX, MenuY(1));
  Settle();
  auto* arcade = dynamic_cast<TfrmArcade*>(Screen(ssArcade));
  ASSERT_NE(arcade, nullptr);
  Click(302, 515);  // VOVE'R UDA ZERIR?
  ASSERT_TRUE(TickUntil([this] { return Game() != nullptr; }, 60, "no game"));
  PastFadeIn();
  Res()->Lives = 1;
  GamePost(21);
  ASSERT_TRUE(TickUntil([this] { return Screen(ssGameOver) != nullptr; }, 20, "no end panel"));
  Press(vkEscape);
  ASSERT_TRUE(TickUntil([this] { return Screen(ssArcade) != nullptr; }, 80, "not back on the arcade screen"));
  Tick(20);
  arcade = dynamic_cast<TfrmArcade*>(Screen(ssArcade));
  EXPECT_EQ(FocusOf(ssArcade).Current(), arcade->Modes[1]);
}

TEST_F(KeysAndFocus, DownFromEveryDifficultyOfTheArcadeReachesTheGameModesBeforeBack) {
  CreateFirstProfile("Ada");
  Click(MenuX, MenuY(1));
  Settle();
  auto* arcade = dynamic_cast<TfrmArcade*>(Screen(ssArcade));
  ASSERT_NE(arcade, nullptr);
  // EASY, MEDIUM and HARD lie over the modes or near them; CRAZY lies over BACK alone.
  for (int d = 0; d < 3; ++d) {
    SCOPED_TRACE(d);
    arcade->Focus->SetFocus(arcade->Difficulties, d);
    Press(vkArrowDown);
    EXPECT_EQ(arcade->Focus->Current(), arcade->Modes[0]) << "no mode skipped";
  }
  // Down again walks the modes one by one, then BACK.
  Press(vkArrowDown);
  EXPECT_EQ(arcade->Focus->Current(), arcade->Modes[1]);
  Press(vkArrowDown);
  Press(vkArrowDown);
  EXPECT_EQ(arcade->Focus->Current(), arcade->Back);
}

TEST_F(KeysAndFocus, ATopRowChallengeReachedByTheKeysShowsItsWholeHintOverTheRowBelow) {
  CreateFirstProfile("Ada");
  Click(MenuX, MenuY(2));  // CHALLENGES
  Settle();
  auto* challenges = dynamic_cast<TfrmChallenge*>(Screen(ssChallenge));
  ASSERT_NE(challenges, nullptr);
  // Each top-row tile in turn, the pointer away from them all.
  Move(1000, 20);
  for (int t = 0; t < 6; ++t) {
    SCOPED_TRACE(t);
    TobjHintLabelButton* tile = challenges->Tiles[static_cast<std::size_t>(t)].Button;
    challenges->Focus->SetFocus(challenges->Tiles[static_cast<std::size_t>(t == 0 ? 1 : t - 1)].Button);
    Press(t == 0 ? vkArrowLeft : vkArrowRight);
    ASSERT_EQ(challenges->Focus->Current(), tile);
    Tick(10);
    ASSERT_TRUE(tile->HintFill->Visible) << "the focused tile tells its hint";
    // Its hint opens over the second row: the tile must be drawn after every tile there.
    std::int32_t at = -1;
    std::int32_t lastBelow = -1;
    for (std::int32_t i = 0; i < Objects()->LayerSize(4); ++i) {
      const TobjBase* o = Objects()->LayerObject(4, i);
      if (o == tile) at = i;
      for (int b = 6; b < 12; ++b)
        if (o == challenges->Tiles[static_cast<std::size_t>(b)].Button) lastBelow = i;
    }
    EXPECT_GT(at, lastBelow) << "the hint lies under the second row of tiles";
  }
}

TEST_F(KeysAndFocus, TheKeysPanelOpensOverOptionsAndTheGameMenuAndGivesThemBackAsTheyWere) {
  CreateFirstProfile("Ada");
  Click(MenuX, MenuY(OptionsRow));
  Settle();
  auto* options = dynamic_cast<TfrmOptions*>(Screen(ssOptions));
  ASSERT_NE(options, nullptr);
  Click(300, 598);  // Colour-Blind Colours, not saved yet
  ASSERT_TRUE(options->ColourBlind->Checked);
  Click(512, 725);  // KEYS
  Settle();
  auto* keys = dynamic_cast<TfrmKeys*>(Screen(ssKeys));
  ASSERT_NE(keys, nullptr);
  EXPECT_FALSE(options->Save->Visible) << "OPTIONS waits hidden under the panel";
  // Every key of the game is named on it.
  std::string listed;
  for (std::int32_t i = 0; i < Objects()->GroupSize(grKeys); ++i)
    if (auto* label = dynamic_cast<TobjLabel*>(Objects()->GroupObject(grKeys, i))) listed += label->Caption->Text + "|";
  for (const char* key : {"Tab", "Shift+Tab", "Enter", "Esc", "Backspace", "Home", "Page Up", "1 to 5", "D, 6", "P",
                          "F1", "F12"})
    EXPECT_NE(listed.find(key), std::string::npos) << key;
  // Esc closes the panel, not OPTIONS under it.
  Press(vkEscape);
  Settle();
  EXPECT_EQ(Screen(ssKeys), nullptr);
  ASSERT_EQ(Screen(ssOptions), options);
  EXPECT_TRUE(options->Save->Visible);
  EXPECT_TRUE(options->ColourBlind->Checked) << "the unsaved change is still there";
  EXPECT_EQ(options->Focus->Current(), options->Keys) << "the ring is back on KEYS";
  EXPECT_FALSE(Res()->Options.ColourBlindPalette) << "nothing saved by the panel";
  Press(vkEscape);  // CANCEL
  Settle();
  ASSERT_NE(MainMenu(), nullptr);

  // From the in-game menu: the game stays paused under both.
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Medium);
  PastFadeIn();
  Press(vkEscape);
  Settle();
  auto* menu = dynamic_cast<TfrmGameMenu*>(Screen(ssGameMenu));
  ASSERT_NE(menu, nullptr);
  Click(640, 475);  // KEYS
  Settle();
  ASSERT_NE(Screen(ssKeys), nullptr);
  EXPECT_TRUE(Res()->Paused);
  Press(vkEscape);
  Settle();
  EXPECT_EQ(Screen(ssKeys), nullptr);
  EXPECT_EQ(Screen(ssGameMenu), menu) << "the menu is there again";
  EXPECT_TRUE(Res()->Paused);
  EXPECT_TRUE(menu->Buttons[0]->Visible);
}

TEST_F(KeysAndFocus, HomeAndThePageKeysJumpTheBoardCursorWithinTheGridOfEveryDifficulty) {
  for (std::int32_t d = Difficulty::Easy; d <= Difficulty::Crazy; ++d) {
    SCOPED_TRACE(d);
    OpenGame(GameKind::Arcade, GameType::WhatsThePoint, d);
    PastFadeIn();
    NoSpawning();
    TobjCursor& cursor = *Game()->Cursor;
    const std::int32_t range = Game()->RangeY;
    Press(vkPageUp);
    EXPECT_EQ(cursor.PointY, std::min(5, range)) << "five up, or to the top row";
    Press(vkPageUp);
    EXPECT_EQ(cursor.PointY, range);
    Press(vkArrowRight);
    Press(vkHome);
    EXPECT_EQ(cursor.PointX, 0);
    EXPECT_EQ(cursor.PointY, 0) << "Home is the origin";
    Press(vkPageDown);
    EXPECT_EQ(cursor.PointY, -std::min(5, range));
    EXPECT_TRUE(Point(0, cursor.PointY)->Hovered) << "the point it jumped to grows";
    Spy.PostEvent(pmQueued, ekScreen, sidArcade, grGameOver, 7);
    Tick(40);
  }
  // On the quadrant tiles Home is quadrant I and the pages go up and down a row.
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  PastFadeIn();
  TobjCursor& cursor = *Game()->Cursor;
  Press(vkArrowLeft);
  Press(vkPageDown);
  EXPECT_EQ(cursor.Quadrant, 3);
  Press(vkPageUp);
  EXPECT_EQ(cursor.Quadrant, 2);
  Press(vkHome);
  EXPECT_EQ(cursor.Quadrant, 1);
}

TEST_F(KeysAndFocus, BackspaceOrDeleteTakesBackTheFirstPointOfALineAndEscStillOpensTheMenu) {
  OpenGame(GameKind::Arcade, GameType::DefineTheLine, Difficulty::Hard);
  PastFadeIn();
  NoSpawning();
  for (int key : {vkBackspace, vkDelete}) {
    SCOPED_TRACE(key);
    Press(vkArrowRight);
    Press(vkReturn);
    Tick(2);
    ASSERT_NE(Director->AI->FirstPoint, nullptr);
    TobjGridPoint* first = Director->AI->FirstPoint;
    Press(vkArrowUp);
    ASSERT_NE(Director->AI->Band, nullptr) << "the band runs from the first point";
    Press(key);
    Tick(2);
    EXPECT_EQ(Director->AI->FirstPoint, nullptr) << "taken back";
    EXPECT_EQ(Director->AI->Band, nullptr);
    EXPECT_FALSE(first->Selected);
    EXPECT_EQ(Screen(ssGameMenu), nullptr);
  }
  Press(vkEscape);
  Settle();
  EXPECT_NE(Screen(ssGameMenu), nullptr);
}

TEST_F(KeysAndFocus, MenuClickedOverALevelsHelpPageOpensTheMenuAndTheBoardRingHidesUnderPanels) {
  OpenGame(GameKind::Mission, GameType::QuickQuadrants, Difficulty::Medium);
  ASSERT_TRUE(TickUntil([this] { return Screen(ssTutorial) != nullptr; }, 60, "no help page"));
  EXPECT_FALSE(Game()->Cursor->Ring->Visible) << "no board ring under the help page";
  Click(HudMenuX, HudMenuY);
  Settle();
  EXPECT_EQ(Screen(ssTutorial), nullptr);
  EXPECT_NE(Screen(ssGameMenu), nullptr) << "MENU opens the menu, it does not start the level";
  EXPECT_TRUE(Res()->Paused);
  EXPECT_TRUE(Res()->MenuOpen);
  EXPECT_FALSE(Game()->Cursor->Ring->Visible);
  Click(640, 325);  // RETURN TO GAME
  Settle();
  EXPECT_FALSE(Res()->Paused);
  EXPECT_TRUE(Game()->Cursor->Ring->Visible) << "the ring is back in play";
  // Under the end panel as well.
  Res()->Lives = 1;
  GamePost(21);
  Tick(5);
  EXPECT_FALSE(Game()->Cursor->Ring->Visible);
}

TEST_F(KeysAndFocus, OnTheQuadrantTilesTheKeysAndTheRestingPointerNeverMarkTwoTiles) {
  OpenGame(GameKind::Arcade, GameType::QuickQuadrants, Difficulty::Easy);
  PastFadeIn();
  NoSpawning();
  ForceSize(1);
  TobjGridPoint* three = Point(-1, -1, true);
  TobjGridPoint* one = Point(1, 1, true);
  Move(static_cast<int>(three->X + 512), static_cast<int>(three->Y + 384));
  EXPECT_TRUE(three->Hovered);
  Press(vkArrowUp);
  Press(vkArrowRight);
  ASSERT_EQ(Game()->Cursor->Quadrant, 1);
  EXPECT_TRUE(one->Hovered);
  EXPECT_FALSE(three->Hovered) << "the tile under the resting pointer lets go";
  // Enter answers at the ring; a click where the pointer rests answers there.
  TobjMonster* m = Monster(-150, -250);
  m->AnswerPoint = {1, 1};
  Spy.Got.clear();
  Press(vkReturn);
  Tick(2);
  EXPECT_TRUE(Spy.Saw(ekGame, 18)) << "quadrant I answered by Enter";
  UntilNoMonsters();
  TobjMonster* n = Monster(-150, -250);
  n->AnswerPoint = {-1, -1};
  Spy.Got.clear();
  Director->Input->ButtonDown(0, static_cast<int>(three->X + 512), static_cast<int>(three->Y + 384), 0);
  Tick(2);
  Director->Input->ButtonUp(0, static_cast<int>(three->X + 512), static_cast<int>(three->Y + 384), 0);
  Tick(4);
  EXPECT_TRUE(Spy.Saw(ekGame, 18)) << "quadrant III answered by the click where the pointer rests";
}

}  // namespace
