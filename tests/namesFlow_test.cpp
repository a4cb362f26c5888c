// Names in the letters of Western European languages: typed, shown, saved in
// the profile file's one-byte code page and read back as typed; a character a
// name cannot hold is refused with a word on the screen, never dropped unseen.
#include <gtest/gtest.h>

#include <string>

#include "app/modScripting.h"
#include "core/sysMainWindow.h"
#include "data/sysResources.h"
#include "objects/objLabel.h"
#include "objects/objText.h"
#include "objects/sysScreenIds.h"
#include "render/modInput.h"
#include "screens/frmMainMenu.h"
#include "screens/frmProfile.h"
#include "screens/frmProfileCreate.h"
#include "flowSupport.h"

namespace {

using NamesFlow = FlowTest;

// The name field of the first record of Profiles.dat: a length byte, then the letters.
std::string FirstSavedName(const std::vector<std::uint8_t>& file) {
  if (file.empty() || file[0] > 17 || file.size() < 1u + file[0]) return "?";
  return std::string(file.begin() + 1, file.begin() + 1 + file[0]);
}

TEST_F(NamesFlow, AccentedNamesAreSavedAndReadBackAsTyped) {
  // As the window hands them over: the Windows-1252 byte of each letter.
  const std::string names[] = {"Zo\xEB \xDCnal", "Bego\xF1" "a", "Fran\xE7ois", "Joaqu\xEDn", "\xC9lo\xEFse \x8C\x9C\xDF"};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Start();
    PassLoading();
    Type(name);
    Director->Input->KeyPress(13);
    Tick(40);
    ASSERT_EQ(Res()->ProfileCount(), 1);
    EXPECT_EQ(Res()->GetActiveProfile().Name, name);
    EXPECT_EQ(FirstSavedName(File("Profiles.dat")), name) << "one byte a letter, as the file always was";
    auto* menu = dynamic_cast<TfrmMainMenu*>(Screen(ssMainMenu));
    ASSERT_NE(menu, nullptr);
    EXPECT_NE(menu->Greeting->Caption->Text.find(name), std::string::npos) << menu->Greeting->Caption->Text;

    // The next start reads it back whole.
    Director.reset();
    Start();
    EXPECT_EQ(Res()->GetActiveProfile().Name, name);
    Director.reset();
    std::filesystem::remove(Dir.File("Profiles.dat"));
    std::filesystem::remove(Dir.File("Settings.ini"));
  }
}

TEST_F(NamesFlow, ACharacterANameCannotHoldIsRefusedWithAWord) {
  Start();
  PassLoading();
  auto* create = dynamic_cast<TfrmProfileCreate*>(Screen(ssProfileCreate));
  ASSERT_NE(create, nullptr);
  Type("Ana");
  Director->Input->KeyPress('*');
  Tick(3);
  EXPECT_EQ(create->NameBox->GetText(), "Ana");
  EXPECT_EQ(create->Notice->Caption->Text, "A name cannot hold \"*\"; use letters, digits and spaces.");

  // A letter outside the game's set (a Polish one, say) arrives as the substitute.
  Director->Input->KeyPress(UnwritableCharacter);
  Tick(3);
  EXPECT_EQ(create->NameBox->GetText(), "Ana");
  EXPECT_EQ(create->Notice->Caption->Text, "The game has no letter for that character.");

  // The signs × and ÷ sit among the letters of the code page, and are no letters.
  Director->Input->KeyPress(0xD7);
  Tick(3);
  EXPECT_EQ(create->NameBox->GetText(), "Ana");
  EXPECT_NE(create->Notice->Caption->Text.find("\xD7"), std::string::npos);

  // Letters go on being typed after a refusal; Enter and Backspace say nothing.
  create->Notice->Caption->SetText("", 8, true, true, false, true, true);
  Type("\xEF");
  Director->Input->KeyPress(8);
  Tick(3);
  EXPECT_EQ(create->Notice->Caption->Text, "");
  EXPECT_EQ(create->NameBox->GetText().substr(0, 4), "Ana\xEF");
}

TEST_F(NamesFlow, TheRenameDialogRefusesWithAWordToo) {
  CreateFirstProfile("Ana");
  Click(110, 55);  // CHANGE PROFILE
  Tick(40);
  auto* profiles = dynamic_cast<TfrmProfile*>(Screen(ssProfile));
  ASSERT_NE(profiles, nullptr);
  Click(396, 617);  // RENAME
  Tick(20);
  ASSERT_NE(profiles->NameBox, nullptr);
  ASSERT_NE(profiles->DialogNotice, nullptr);
  Director->Input->KeyPress(UnwritableCharacter);
  Tick(3);
  EXPECT_EQ(profiles->DialogNotice->Caption->Text,
            "The game has no letter for that character.");
}

}  // namespace
