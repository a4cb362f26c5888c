// The first screens driven headless through the real director, bus, input
// module and widgets, with the generated data and the save files on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/modScripting.h"
#include "core/sysEventHandler.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "objects/objButton.h"
#include "objects/objGroupButton.h"
#include "objects/objLabel.h"
#include "objects/objListbox.h"
#include "objects/objText.h"
#include "objects/sysInterface.h"
#include "render/modGraphics.h"
#include "render/modInput.h"
#include "render/rndRecordingDevice.h"
#include "screens/frmMainMenu.h"
#include "screens/frmProfile.h"
#include "screens/frmProfileCreate.h"
#include "screens/frmScores.h"
#include "flowSupport.h"

namespace {

using ScreensFlow = FlowTest;

TEST_F(ScreensFlow, FirstRunCreatesTheProfileAndGreetsThePlayer) {
  Start();
  ASSERT_NE(Screen(ssLoading), nullptr);
  EXPECT_EQ(Screen(ssLoading)->StatusText()->Text, "LOADING GAME DATA...");
  PassLoading();
  auto* create = dynamic_cast<TfrmProfileCreate*>(Screen(ssProfileCreate));
  ASSERT_NE(create, nullptr);
  EXPECT_EQ(create->Title->Caption->Text, "WELCOME TO PLOTFRAY ");
  EXPECT_EQ(create->Cancel, nullptr) << "no way back without a profile";
  EXPECT_TRUE(create->NameBox->Focused);

  Director->Input->KeyPress(13);  // Enter with an empty name does nothing
  Tick(20);
  EXPECT_EQ(Res()->ProfileCount(), 0);
  Type("Ada*");  // the asterisk is refused
  Director->Input->KeyPress(13);
  Tick(3);
  std::vector<std::uint8_t> profiles = File("Profiles.dat");
  ASSERT_EQ(profiles.size(), 504u);
  EXPECT_EQ(profiles[0], 3);
  EXPECT_EQ(std::string(profiles.begin() + 1, profiles.begin() + 4), "Ada");
  std::vector<std::uint8_t> settings = File("Settings.ini");
  ASSERT_EQ(settings.size(), 24u);
  EXPECT_EQ(settings[16], 0) << "the new profile is the active one";

  Tick(40);
  auto* menu = dynamic_cast<TfrmMainMenu*>(Screen(ssMainMenu));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Greeting->Caption->Text, "Hi Ada! ");
  EXPECT_EQ(Screen(ssLoading), nullptr);
  EXPECT_EQ(Screen(ssProfileCreate), nullptr);
}

TEST_F(ScreensFlow, OptionsSaveTheFrameCounterAndShowIt) {
  CreateFirstProfile("Ada");
  Click(510, 605);  // OPTIONS
  Tick(40);
  ASSERT_NE(Screen(ssOptions), nullptr);
  Click(540, 378);  // the "Show Framerate" check box
  Click(410, 675);  // SAVE
  Tick(3);
  EXPECT_EQ(File("Settings.ini")[3], 1);
  EXPECT_TRUE(Spy.Saw(ekSound, 14)) << "the sound module re-reads its settings";
  EXPECT_TRUE(Spy.Saw(ekSystem, 16)) << "the display settings are applied";
  EXPECT_TRUE(Director->Graphics->ShowFPS);
  Tick(40);
  EXPECT_EQ(Screen(ssOptions), nullptr);
  EXPECT_NE(Screen(ssMainMenu), nullptr);
  Director->Interface->FrameRate = 60;
  Director->Graphics->RenderFrame();
  bool counter = false;
  for (const TDrawCmd& c : Director->Graphics->Frame()) counter |= c.Quad.P[0].X == 614 && c.Quad.P[0].Y == 9;
  EXPECT_TRUE(counter) << "\"FPS:\" is drawn at the top right";
}

TEST_F(ScreensFlow, OptionsCancelTakesPreviewsBackWithoutSaving) {
  CreateFirstProfile("Ada");
  const std::vector<std::uint8_t> before = File("Settings.ini");
  Click(510, 605);
  Tick(40);
  Click(300, 338);  // "Fullscreen"
  Click(620, 675);  // CANCEL
  Tick(40);
  EXPECT_EQ(File("Settings.ini"), before);
  EXPECT_TRUE(Spy.Saw(ekSound, 14));
  EXPECT_FALSE(Spy.Saw(ekSystem, 16));
  EXPECT_NE(Screen(ssMainMenu), nullptr);
}

TEST_F(ScreensFlow, HighScoresShowTheDefaultTableWithTitlesAndTheMenuResetsTheGame) {
  CreateFirstProfile("Ada");
  Click(510, 535);  // HIGH SCORES
  Tick(40);
  auto* scores = dynamic_cast<TfrmScores*>(Screen(ssScores));
  ASSERT_NE(scores, nullptr);
  const TScoreTable& table = Res()->ScoreTables[0];
  EXPECT_EQ(scores->Cells[1][1]->Caption->Text, table[0].Name);
  EXPECT_EQ(scores->Cells[1][2]->Caption->Text, "29000");
  EXPECT_EQ(scores->Cells[1][3]->Caption->Text, "Zenzizenzizenzic");
  EXPECT_EQ(scores->Cells[10][3]->Caption->Text, "Absolute Zero");
  EXPECT_EQ(scores->Cells[10][4]->Caption->Text, "EASY");
  EXPECT_FALSE(scores->Cells[11][0]->Visible);
  // Each choice wears its own colour.
  EXPECT_EQ(scores->GameTypes->Entries[0].LeftItem->Color, 0x00FF00u);
  EXPECT_EQ(scores->GameTypes->Entries[1].LeftItem->Color, 0x007EFFu);
  EXPECT_EQ(scores->Difficulties->Entries[1].RightItem->Color, 0x00F0FFu);

  Click(820, 335);  // CRAZY
  Tick(2);
  EXPECT_EQ(scores->Cells[1][2]->Caption->Text, "115000");

  Res()->GameKind = 3;
  Res()->GameType = 2;
  Res()->ScoreRank = 4;
  Click(505, 675);  // BACK
  Tick(40);
  ASSERT_NE(Screen(ssMainMenu), nullptr);
  EXPECT_EQ(Res()->GameKind, 1);
  EXPECT_EQ(Res()->GameType, 1);
  EXPECT_EQ(Res()->ScoreRank, -1);
}

TEST_F(ScreensFlow, ScoresHighlightTheFreshEntryAndShowAMissedResultUnderTheTable) {
  CreateFirstProfile("Ada");
  Res()->GameType = 2;
  Res()->Difficulty = 1;
  Res()->ScoreRank = 2;
  Director->SwitchScreen(sidScores, grMainMenu, 0);
  Tick(20);
  auto* scores = dynamic_cast<TfrmScores*>(Screen(ssScores));
  ASSERT_NE(scores, nullptr);
  EXPECT_TRUE(scores->Cells[3][1]->Framed);
  EXPECT_EQ(scores->Cells[3][1]->Color, 0x007EFFu);
  EXPECT_FALSE(scores->Cells[2][1]->Framed);

  Res()->ScoreRank = 11;
  Res()->Score = 1234;
  Res()->LevelNumber = 2;
  Res()->TotalKills = 17;
  scores->Refresh();
  EXPECT_TRUE(scores->Cells[11][0]->Visible);
  EXPECT_EQ(scores->Cells[11][0]->Caption->Text, "-");
  EXPECT_EQ(scores->Cells[11][1]->Caption->Text, "Ada");
  EXPECT_EQ(scores->Cells[11][2]->Caption->Text, "1234");
  EXPECT_EQ(scores->Cells[11][3]->Caption->Text, "Absolute Zero");
  EXPECT_EQ(scores->Cells[11][4]->Caption->Text, "MEDIUM");
  scores->Difficulties->SetSelected(0);
  scores->Refresh();
  EXPECT_FALSE(scores->Cells[11][0]->Visible) << "only under its own table";
}

TEST_F(ScreensFlow, ProfileListAddsAndChoosesPlayers) {
  CreateFirstProfile("Ada");
  Click(110, 55);  // CHANGE PROFILE
  Tick(40);
  ASSERT_NE(Screen(ssProfile), nullptr);
  Click(357, 675);  // NEW PROFILE
  Tick(40);
  auto* create = dynamic_cast<TfrmProfileCreate*>(Screen(ssProfileCreate));
  ASSERT_NE(create, nullptr);
  EXPECT_EQ(create->Title->Caption->Text, "ADD PLAYER PROFILE ");
  ASSERT_NE(create->Cancel, nullptr);
  Type("Blaise");
  Click(389, 434);  // OK
  Tick(40);
  EXPECT_EQ(Res()->ProfileCount(), 2);
  EXPECT_EQ(Res()->Settings.ActiveProfile, 1);
  EXPECT_EQ(File("Profiles.dat").size(), 1008u);

  Click(110, 55);
  Tick(40);
  auto* list = dynamic_cast<TfrmProfile*>(Screen(ssProfile));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->List->SelectedIndex, 1) << "the active profile is selected";
  // A double click on the first line chooses it.
  Click(400, 320);
  Click(400, 320);
  Tick(40);
  EXPECT_EQ(Res()->Settings.ActiveProfile, 0);
  EXPECT_EQ(File("Settings.ini")[16], 0);
  ASSERT_NE(Screen(ssMainMenu), nullptr);
  EXPECT_EQ(static_cast<TfrmMainMenu*>(Screen(ssMainMenu))->Greeting->Caption->Text, "Hi Ada! ");

  // Enter chooses the selected line; one click only selects.
  Click(110, 55);
  Tick(40);
  Click(400, 332);
  Tick(40);
  EXPECT_NE(Screen(ssProfile), nullptr);
  Director->Input->KeyUp(0x0D, 0);
  Tick(40);
  EXPECT_EQ(Res()->Settings.ActiveProfile, 1);
}

TEST_F(ScreensFlow, ExitQuitsAtTheEndOfTheFrame) {
  CreateFirstProfile("Ada");
  Click(510, 675);  // EXIT
  Clock.AdvanceMs(20);
  Window.Idle();
  EXPECT_TRUE(Window.Terminated);
}

}  // namespace
