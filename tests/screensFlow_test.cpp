// The first screens driven headless through the real director, bus, input
// module and widgets, with the generated data and the save files on disk.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/modScripting.h"
#include "core/sysEventHandler.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "objects/objSheet.h"
#include "tables/defColours.h"
#include "objects/objButton.h"
#include "objects/objGroupButton.h"
#include "objects/objLabel.h"
#include "objects/objListbox.h"
#include "objects/objText.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "render/modGraphics.h"
#include "render/modInput.h"
#include "render/rndRecordingDevice.h"
#include "screens/frmMainMenu.h"
#include "screens/frmProfile.h"
#include "screens/frmProfileCreate.h"
#include "screens/frmScores.h"
#include "sndFakeAudio.h"
#include "sound/modSound.h"
#include "flowSupport.h"

namespace {

using ScreensFlow = FlowTest;

TEST_F(ScreensFlow, FirstRunCreatesTheProfileAndGreetsThePlayer) {
  Start();
  ASSERT_NE(Screen(ssLoading), nullptr);
  EXPECT_EQ(Screen(ssLoading)->StatusText()->Text, "CLICK TO CONTINUE") << "start-up ends with the data loaded";
  PassLoading();
  auto* create = dynamic_cast<TfrmProfileCreate*>(Screen(ssProfileCreate));
  ASSERT_NE(create, nullptr);
  EXPECT_EQ(create->Title->Caption->Text, "WELCOME TO PLOTFRAY ");
  EXPECT_EQ(create->Cancel, nullptr) << "no way back without a profile";
  EXPECT_TRUE(create->NameBox->Focused);

  Director->Input->KeyPress(13);  // Enter with an empty name does nothing
  Tick(20);
  EXPECT_EQ(Res()->ProfileCount(), 0);
  EXPECT_EQ(create->Notice->Caption->Text, "Type your name in the box first, then press OK.");
  Click(512, 434);  // nor does OK, and the box keeps the keys
  Tick(20);
  EXPECT_EQ(Res()->ProfileCount(), 0);
  ASSERT_NE(Screen(ssProfileCreate), nullptr);
  EXPECT_TRUE(create->NameBox->Focused);
  EXPECT_TRUE(Window.TextInput) << "typed keys still reach the box";
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

TEST_F(ScreensFlow, ADamagedProfilesFileNeverShowsAProfileErrorAndIsToldOnce) {
  // Two players, the second active, the file cut inside the second.
  TSettingsRecord settings;
  settings.Fullscreen = 0;
  settings.ActiveProfile = 1;
  ASSERT_TRUE(WriteFileAtomic(Dir.File("Settings.ini"), EncodeSettings(settings)));
  TProfileRecord ada;
  ada.Name = "Ada";
  TProfileRecord bo;
  bo.Name = "Bo";
  std::vector<std::uint8_t> profiles = EncodeProfiles({ada, bo});
  profiles.resize(504 + 200);
  ASSERT_TRUE(WriteFileAtomic(Dir.File("Profiles.dat"), profiles));
  TMessageCatcher boxes;
  Start();
  PassLoading();
  auto* menu = dynamic_cast<TfrmMainMenu*>(Screen(ssMainMenu));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Greeting->Caption->Text, "Hi Ada! ");
  Click(510, 325);  // TUTORIAL
  Tick(40);
  ASSERT_NE(Screen(ssMissions), nullptr);
  Click(767, 595);  // RESET of Define the Line
  Tick(2);
  ASSERT_EQ(boxes.Messages.size(), 1u) << "the damage is told once, and RESET raises no error";
  EXPECT_EQ(boxes.Messages[0].first, "Saved Games Not Read");
  EXPECT_EQ(File("Profiles.dat"), EncodeProfiles({ada})) << "RESET saved the profile that is left";
}

TEST_F(ScreensFlow, NamesAreTrimmedAndANameOfSpacesOnlyIsRefused) {
  Start();
  PassLoading();
  Type("    ");
  Director->Input->KeyPress(13);
  Tick(20);
  EXPECT_EQ(Res()->ProfileCount(), 0) << "spaces are no name";
  ASSERT_NE(Screen(ssProfileCreate), nullptr);
  Type("Bo  ");
  Director->Input->KeyPress(13);
  Tick(40);
  ASSERT_EQ(Res()->ProfileCount(), 1);
  EXPECT_EQ(Res()->GetProfile(0).Name, "Bo");
  ASSERT_NE(Screen(ssMainMenu), nullptr);
  EXPECT_EQ(static_cast<TfrmMainMenu*>(Screen(ssMainMenu))->Greeting->Caption->Text, "Hi Bo! ");
}

TEST_F(ScreensFlow, OptionsSaveTheFrameCounterAndShowIt) {
  CreateFirstProfile("Ada");
  Click(510, 605);  // OPTIONS
  Tick(40);
  ASSERT_NE(Screen(ssOptions), nullptr);
  Click(540, 378);  // the "Show Framerate" check box
  Click(357, 725);  // SAVE
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
  Click(667, 725);  // CANCEL
  Tick(40);
  EXPECT_EQ(File("Settings.ini"), before);
  EXPECT_TRUE(Spy.Saw(ekSound, 14));
  EXPECT_FALSE(Spy.Saw(ekSystem, 16));
  EXPECT_NE(Screen(ssMainMenu), nullptr);
}

TEST_F(ScreensFlow, OptionsMusicVolumeFollowsTheKnobAndCancelTakesItBack) {
  CreateFirstProfile("Ada", true);
  ASSERT_TRUE(Director->Sound->IsReady());
  const std::vector<std::uint8_t> before = File("Settings.ini");
  Click(510, 605);  // OPTIONS
  Tick(40);
  DragMusicKnobTo(287 + 154 + 9);  // knob at 154: value (154 - 6) / 1.85 = 80
  EXPECT_EQ(Director->Sound->MusicVolume, 80) << "the music follows the knob while it is dragged";
  Click(667, 725);  // CANCEL
  Tick(3);
  EXPECT_EQ(Director->Sound->MusicVolume, 45) << "cancel takes the previewed volume back";
  Tick(40);
  EXPECT_EQ(File("Settings.ini"), before);
}

TEST_F(ScreensFlow, OptionsSaveWritesTheVolumesAndFullScreen) {
  CreateFirstProfile("Ada", true);
  Click(510, 605);  // OPTIONS
  Tick(40);
  DragMusicKnobTo(287 + 154 + 9);  // 80
  Click(700, 520);  // the sound volume track right of its knob: one page up, 3000 + 900
  Click(300, 338);  // "Fullscreen", on by default: off
  Click(357, 725);  // SAVE
  Tick(3);
  const std::vector<std::uint8_t> saved = File("Settings.ini");
  ASSERT_EQ(saved.size(), 24u);
  EXPECT_EQ(saved[0], 0) << "full screen off";
  EXPECT_EQ(std::vector<std::uint8_t>(saved.begin() + 8, saved.begin() + 16),
            (std::vector<std::uint8_t>{0x3C, 0x0F, 0, 0, 80, 0, 0, 0}))
      << "sound volume 3900 and music volume 80, little-endian";
  EXPECT_EQ(saved[16], 0) << "the active profile is carried over";
  EXPECT_TRUE(Spy.Saw(ekSystem, 16)) << "the display settings are applied";
  EXPECT_EQ(Director->Sound->MusicVolume, 80);
  EXPECT_EQ(Director->Sound->EffectsVolume, 3900);
}

TEST_F(ScreensFlow, HighScoresShowTheDefaultTableWithTitlesAndTheMenuResetsTheGame) {
  CreateFirstProfile("Ada");
  Click(510, 505);  // HIGH SCORES
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
  // Each game type's tab is captioned in its colour; the tabs themselves and
  // the difficulties are controls, in the controls' colour.
  EXPECT_EQ(scores->GameTypes->Entries[0].CaptionItem->Color, GameTypeColours[0]);
  EXPECT_EQ(scores->GameTypes->Entries[1].CaptionItem->Color, GameTypeColours[1]);
  EXPECT_EQ(scores->GameTypes->Entries[1].LeftItem->Color, WidgetTint);
  EXPECT_EQ(scores->Difficulties->Entries[1].RightItem->Color, WidgetTint);

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
  EXPECT_EQ(scores->Cells[3][1]->Color, GameTypeColours[1]) << "in its game type's colour";
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

TEST_F(ScreensFlow, QuickClicksOnTheProfileListSelectAndChooseTheLineClicked) {
  CreateFirstProfile("Ada");
  Res()->AddProfile(Res()->GetProfile(0));
  Res()->Profiles[1].Name = "Blaise";
  TSettingsRecord settings = Res()->Settings;
  settings.ActiveProfile = 1;
  Res()->SaveSettings(settings);
  Click(110, 55);  // CHANGE PROFILE
  Tick(40);
  auto* list = dynamic_cast<TfrmProfile*>(Screen(ssProfile));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->List->SelectedIndex, 1);
  QuickClick(400, 320);  // the first line
  EXPECT_EQ(list->List->SelectedIndex, 0) << "a quick click moves the selection";
  QuickClick(400, 320);
  Tick(40);
  EXPECT_EQ(Res()->Settings.ActiveProfile, 0) << "a quick double click chooses the line clicked";
}

TEST_F(ScreensFlow, HighScoreRowsKeepTheColoursOfTheirEntries) {
  CreateFirstProfile("Ada");
  Click(510, 505);  // HIGH SCORES
  Tick(40);
  auto* scores = dynamic_cast<TfrmScores*>(Screen(ssScores));
  ASSERT_NE(scores, nullptr);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(scores->GameTypes->Entries[i].CaptionItem->Color, GameTypeColours[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(scores->GameTypes->Entries[i].LeftItem->Color, WidgetTint) << i;
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(scores->Difficulties->Entries[i].RightItem->Color, WidgetTint) << i;
  // The heading row wears the shown game type's colour.
  EXPECT_EQ(scores->Cells[0][1]->Color, GameTypeColours[0]);
}

TEST_F(ScreensFlow, TheProfileListOpensOnTheActiveProfileInViewAndScrollsWithTheWheel) {
  CreateFirstProfile("Ada");
  for (int i = 1; i < 30; ++i) {
    TProfileRecord p;
    p.Name = "Player " + std::to_string(i);
    Res()->AddProfile(p);
  }
  TSettingsRecord settings = Res()->Settings;
  settings.ActiveProfile = 27;
  Res()->SaveSettings(settings);
  Click(110, 55);  // CHANGE PROFILE
  Tick(40);
  auto* screen = dynamic_cast<TfrmProfile*>(Screen(ssProfile));
  ASSERT_NE(screen, nullptr);
  TobjListbox* list = screen->List;
  EXPECT_EQ(list->SelectedIndex, 27);
  EXPECT_TRUE(list->SelectionBar->Visible);
  EXPECT_EQ(list->SelectionBar->Height, 12) << "the active profile shows whole and highlighted";
  const double before = list->ScrolledBy;
  Director->Input->WheelUp(500, 450);
  Tick(2);
  EXPECT_LT(list->ScrolledBy, before);
}

TEST_F(ScreensFlow, CreditTextsStayClearOfTheirPanelBorders) {
  CreateFirstProfile("Ada");
  Click(912, 55);  // CREDITS
  Tick(40);
  ASSERT_NE(Screen(ssCredits), nullptr);
  TsysObjects* objects = Director->Interface->Objects.get();
  std::vector<TobjLabel*> panels;
  std::vector<TobjLabel*> texts;
  for (std::int32_t i = 0; i < objects->Count(); ++i) {
    auto* label = dynamic_cast<TobjLabel*>(objects->ObjectAt(i));
    if (label == nullptr || label->Group != grCredits) continue;
    (label->Framed && label->Caption->Segments.empty() ? panels : texts).push_back(label);
  }
  ASSERT_GE(panels.size(), 7u);
  int checked = 0;
  for (TobjLabel* text : texts) {
    // The smallest panel the text starts in.
    TobjLabel* panel = nullptr;
    for (TobjLabel* p : panels)
      if (p->Contains(text->X, text->Y) && (panel == nullptr || p->Width * p->Height < panel->Width * panel->Height))
        panel = p;
    if (panel == nullptr || panel->Width >= 480) continue;
    const TrndText* c = text->Caption;
    for (const TTextSeg& seg : c->Segments) {
      std::size_t shown = seg.Text.find_last_not_of(' ');
      shown = shown == std::string::npos ? 0 : shown + 1;
      const double right = text->X + c->RelX + seg.X + static_cast<double>(shown) * c->CharWidth;
      EXPECT_LE(right, panel->X + panel->Width - 8) << "'" << seg.Text << "' runs into its panel's right border";
      EXPECT_LE(text->Y + c->RelY + seg.Y + c->CharHeight, panel->Y + panel->Height - 6) << "'" << seg.Text << "'";
      ++checked;
    }
  }
  EXPECT_GE(checked, 12);
}

TEST_F(ScreensFlow, ExitQuitsAtTheEndOfTheFrame) {
  CreateFirstProfile("Ada");
  Click(510, 675);  // EXIT
  Clock.AdvanceMs(20);
  Window.Idle();
  EXPECT_TRUE(Window.Terminated);
}

}  // namespace
