// CLASS LEVELS through the real screens: reached from the tutorial screen by
// keys and by the pointer, its rows (the shipped examples, the sets beside the
// saves and in --levels folders, a bad file listed as such with the checker's
// own words), PLAY opening the set, Esc and the game's EXIT leading back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/sysFiles.h"
#include "data/sysLevelSetFiles.h"
#include "objects/objLabel.h"
#include "gameFlowSupport.h"
#include "objects/objButton.h"
#include "objects/objListbox.h"
#include "render/modInput.h"
#include "screens/frmClassLevels.h"
#include "screens/frmMissions.h"

namespace {

const char* const GoodSet =
    "[set]\ntitle = Room 12 quiz\nauthor = Ms Okafor\n"
    "[level]\ntitle = Left half\ngame = point\nrange = 3\nquadrants = II, III\nquestions = plain\n"
    "monsters = 3\nat-once = 2\nspeed = 3\n"
    "[level]\ntitle = Lines\ngame = line\nrange = 3\nquadrants = I, II, III, IV, axes\nquestions = flat\n"
    "monsters = 2\nat-once = 1\nspeed = 3\n";
const char* const BadSet = "[set]\ntitle = Friday\n[level]\ntitle = A\ngame = point\nrange = 12\nsped = 2\n";

void Write(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class ClassLevels : public GameFlowTest {
 protected:
  void Press(int key, int shift = 0) {
    WaitOutHold();
    Director->Input->KeyDown(key, shift);
    Director->Input->KeyUp(key, shift);
    Tick(2);
  }
  TfrmClassLevels* Screen() { return dynamic_cast<TfrmClassLevels*>(GameFlowTest::Screen(ssClassLevels)); }
  TfrmMissions* Missions() { return dynamic_cast<TfrmMissions*>(GameFlowTest::Screen(ssMissions)); }
  // The row of a file by name; -1 when it is not listed.
  std::int32_t RowOf(const std::string& fileName) {
    for (std::size_t i = 0; i < Screen()->Files.size(); ++i)
      if (Screen()->Files[i].FileName == fileName) return static_cast<std::int32_t>(i);
    return -1;
  }
  // The tutorial screen from the main menu, by Enter on its first button.
  void OpenTutorialByKeys() {
    Press(vkReturn);
    Tick(40);
    ASSERT_NE(Missions(), nullptr);
  }
  void ClickButton(const TobjButton* b) { Click(static_cast<int>(b->X + b->Width / 2), static_cast<int>(b->Y + b->Height / 2)); }
};

TEST_F(ClassLevels, ByKeysFromTheTutorialScreenWithEveryFolderListedAndABadFileExplained) {
  CreateFirstProfile("Ada");
  Write(Res()->SavePath + "levels/room12.txt", GoodSet);
  Write(Res()->SavePath + "levels/friday.txt", BadSet);
  Write(Res()->SavePath + "levels/notes.md", "not a level set");
  const std::string extra = Dir.Path() + "usb/";
  Write(extra + "usb-set.txt", GoodSet);
  Res()->LevelFolders = {extra};

  OpenTutorialByKeys();
  // The ring walks the tutorial screen's controls to CLASS LEVELS (a few Tabs at most).
  for (int i = 0; i < 20 && Missions()->Focus->Current() != Missions()->ClassLevels; ++i) Press(vkTab);
  ASSERT_EQ(Missions()->Focus->Current(), Missions()->ClassLevels);
  Press(vkReturn);
  Tick(40);
  ASSERT_NE(Screen(), nullptr);
  EXPECT_EQ(Missions(), nullptr);

  // Beside the saves first (by name), then the --levels folder, then the examples.
  std::vector<std::string> names;
  for (const TLevelSetFile& f : Screen()->Files) names.push_back(f.FileName);
  const std::vector<std::string> expected = {"friday.txt", "room12.txt", "usb-set.txt", "axes.txt", "left-half.txt",
                                             "origin-lines.txt"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(Screen()->List->LineCount(), 6);
  EXPECT_TRUE(Screen()->Files[3].Example);
  EXPECT_FALSE(Screen()->Files[1].Example);
  EXPECT_EQ(Screen()->List->Lines[1], "Room 12 quiz by Ms Okafor: 0/2 levels done");
  EXPECT_EQ(Screen()->List->Lines[0], "friday.txt cannot be played: 7 faults");

  // The bad file is chosen first; its faults are the checker's, line by line.
  EXPECT_EQ(Screen()->Focus->Current(), Screen()->List);
  EXPECT_EQ(Screen()->List->SelectedIndex, 0);
  std::string checked;
  EXPECT_EQ(CheckLevelSetFile(Res()->SavePath + "levels/friday.txt", checked), 2);
  const std::string shown = TfrmClassLevels::DetailText(Screen()->Files[0], {});
  for (std::size_t at = 0, end; (end = checked.find('\n', at)) != std::string::npos; at = end + 1) {
    std::string line = checked.substr(at, end - at);
    line.replace(0, line.find("friday.txt"), "");
    EXPECT_NE(shown.find(line), std::string::npos) << line;
  }
  // Enter on a bad file plays nothing.
  Press(vkReturn);
  Tick(40);
  ASSERT_NE(Screen(), nullptr);
  EXPECT_EQ(Game(), nullptr);

  // Esc goes back to the tutorial screen.
  Press(vkEscape);
  Tick(40);
  EXPECT_EQ(Screen(), nullptr);
  EXPECT_NE(Missions(), nullptr);
}

TEST_F(ClassLevels, ByThePointerASetIsPlayedAndItsProgressShowsInItsRow) {
  CreateFirstProfile("Ada");
  Write(Res()->SavePath + "levels/room12.txt", GoodSet);
  OpenTutorialByKeys();
  ClickButton(Missions()->ClassLevels);
  Tick(40);
  ASSERT_NE(Screen(), nullptr);
  ASSERT_EQ(RowOf("room12.txt"), 0);
  // A level finished earlier: the row says so, and PLAY opens the next one.
  ASSERT_TRUE(Res()->Progress->RecordSetLevel("Ada", "Room 12 quiz", 1, 700));
  Press(vkEscape);
  Tick(40);
  ClickButton(Missions()->ClassLevels);
  Tick(40);
  ASSERT_NE(Screen(), nullptr);
  EXPECT_EQ(Screen()->List->Lines[0], "Room 12 quiz by Ms Okafor: 1/2 levels done");
  EXPECT_NE(TfrmClassLevels::DetailText(Screen()->Files[0], Screen()->Progress[0]).find("Best score: 700."),
            std::string::npos);
  ClickButton(Screen()->Play);
  Tick(40);
  ASSERT_NE(Game(), nullptr);
  EXPECT_EQ(Screen(), nullptr);
  EXPECT_EQ(Res()->PlayingSetName, "Room 12 quiz");
  EXPECT_EQ(Res()->LevelNumber, 2);
  EXPECT_EQ(Res()->Level.Name, "Lines");
  EXPECT_EQ(Res()->Level.GameType, GameType::DefineTheLine);

  // The game's menu leaves for CLASS LEVELS, not the tutorial screen.
  CloseHelp();
  Press(vkEscape);
  Tick(30);
  ASSERT_NE(GameFlowTest::Screen(ssGameMenu), nullptr);
  Click(640, 550);  // EXIT TO MENU
  Tick(60);
  EXPECT_NE(Screen(), nullptr);
  EXPECT_EQ(Game(), nullptr);
  // The tutorial's own missions again: no set is left in play.
  Press(vkEscape);
  Tick(40);
  ASSERT_NE(Missions(), nullptr);
  EXPECT_EQ(Res()->PlayingSet, nullptr);
}

TEST_F(ClassLevels, AFileOpenedWithThePickerIsKeptBesideTheSavesAndChosen) {
  CreateFirstProfile("Ada");
  Write(Res()->SavePath + "levels/alpha.txt", GoodSet);  // listed before the file to come
  OpenTutorialByKeys();
  ClickButton(Missions()->ClassLevels);
  Tick(40);
  ASSERT_NE(Screen(), nullptr);
  EXPECT_EQ(Screen()->Open, nullptr) << "no OPEN A LEVEL FILE where the platform has no picker";
  Press(vkEscape);
  Tick(40);

  // A picker as the browser's page works: the file arrives a few steps later.
  std::string asked;
  const TFilePicker before = SetFilePicker([&](const std::string& folder) {
    asked = folder;
    return true;
  });
  ClickButton(Missions()->ClassLevels);
  Tick(40);
  ASSERT_NE(Screen()->Open, nullptr);
  ClickButton(Screen()->Open);
  Tick(5);
  EXPECT_EQ(asked, Res()->SavePath + "levels/");
  EXPECT_EQ(Screen()->List->SelectedIndex, 0) << "nothing has arrived yet";
  Write(asked + "quiz.txt", GoodSet);
  NoteFilePicked();
  Tick(2);
  const std::int32_t row = RowOf("quiz.txt");
  ASSERT_EQ(row, 1);
  EXPECT_EQ(Screen()->List->SelectedIndex, row) << "the file just opened is chosen";
  EXPECT_EQ(Screen()->DetailTitle->Caption->Text, "Room 12 quiz");
  SetFilePicker(before);
  // Kept beside the saves: the next visit lists it without the picker.
  Press(vkEscape);
  Tick(40);
  ClickButton(Missions()->ClassLevels);
  Tick(40);
  EXPECT_GE(RowOf("quiz.txt"), 0);
}

TEST(LevelSetFolders, SavesUserDataExtraThenExamplesEachOnce) {
  TTempDir dir;
  const char* old = std::getenv("XDG_DATA_HOME");
  const std::string before = old != nullptr ? old : "";
  setenv("XDG_DATA_HOME", dir.Path().c_str(), 1);
  const std::string saves = dir.Path() + "plotfray/";
  const std::vector<std::string> folders =
      LevelSetFolders(saves, {dir.Path() + "usb", dir.Path() + "usb/", saves + "levels/"}, dir.Path() + "data/");
  if (old != nullptr) setenv("XDG_DATA_HOME", before.c_str(), 1); else unsetenv("XDG_DATA_HOME");
  // The saves are in the user's data folder here: its levels folder is listed once.
  const std::vector<std::string> expected = {saves + "levels/", dir.Path() + "usb/", dir.Path() + "data/levels/"};
  EXPECT_EQ(folders, expected);
}

}  // namespace
