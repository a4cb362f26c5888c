#include "data/sysLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/sysCatalogue.h"
#include "testSupport.h"

namespace {

const char* const Header =
    "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "\"Plural-Forms: nplurals=2; plural=(n > 1);\\n\"\n\n";

// A data folder with French and Brazilian catalogues compiled by msgfmt, as
// the build writes them, and a file in lang/ that is no catalogue.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(Dir.File("lang"));
    Compile("fr", "msgid \"OPTIONS\"\nmsgstr \"OPTIONS DU JEU\"\n\n"
                  "msgctxt \"coordinates\"\nmsgid \"(%1$s,%2$s)\"\nmsgstr \"(%1$s ; %2$s)\"\n");
    Compile("pt_BR", "msgid \"OPTIONS\"\nmsgstr \"OPÇÕES\"\n");
    std::ofstream(Dir.File("lang/xx.mo")) << "not a catalogue";
    std::ofstream(Dir.File("lang/notes.txt")) << "not a catalogue either";
  }
  void TearDown() override { SetCatalogue(nullptr); }
  void Compile(const std::string& code, const std::string& entries) {
    const std::string po = Dir.File(code + ".po");
    std::ofstream(po) << Header << entries;
    const std::string command = "msgfmt -o '" + Dir.File("lang/" + code + ".mo") + "' '" + po + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  // StartLanguage with only the given variables set.
  std::string Start(const std::string& saved, std::map<std::string, std::string> env) {
    return StartLanguage(Dir.Path(), saved, [&env](const char* name) -> const char* {
      const auto it = env.find(name);
      return it == env.end() ? nullptr : it->second.c_str();
    });
  }
  TTempDir Dir;
};

TEST_F(LanguageTest, EveryCatalogueIsOfferedByItsOwnNameBesideEnglish) {
  std::vector<std::string> shown;
  for (const TLanguage& l : AvailableLanguages(Dir.Path())) shown.push_back(l.Code + "=" + l.Name);
  EXPECT_EQ(shown, (std::vector<std::string>{"en=English", "fr=Fran\xE7" "ais", "pt_BR=Portugu\xEAs (Brasil)", "xx=xx"}));
  EXPECT_EQ(LanguageName("de"), "Deutsch");
  EXPECT_EQ(LanguageName("es"), "Espa\xF1ol");
  // A data folder without lang/ speaks English only.
  TTempDir empty;
  ASSERT_EQ(AvailableLanguages(empty.Path()).size(), 1u);
  EXPECT_EQ(AvailableLanguages(empty.Path())[0].Code, "en");
}

TEST_F(LanguageTest, TheSavedChoiceComesFirstThenTheSystemsLanguageThenEnglish) {
  // The locale need not be installed: only the variables are read.
  EXPECT_EQ(Start("", {{"LANG", "fr_FR.UTF-8"}}), "fr");
  EXPECT_EQ(Start("", {{"LANG", "pt_BR.UTF-8"}}), "pt_BR");
  EXPECT_EQ(Start("", {{"LANGUAGE", "de:fr"}, {"LANG", "pt_BR.UTF-8"}}), "fr") << "LANGUAGE's list, in order";
  EXPECT_EQ(Start("", {{"LC_ALL", "pt_BR.UTF-8"}, {"LANG", "fr_FR.UTF-8"}}), "pt_BR") << "LC_ALL before LANG";
  EXPECT_EQ(Start("", {{"LC_MESSAGES", "fr_CA.UTF-8"}}), "fr") << "a region without a catalogue: the language";
  EXPECT_EQ(Start("", {{"LANG", "C.UTF-8"}}), "en");
  EXPECT_EQ(Start("", {{"LANG", "de_DE.UTF-8"}}), "en") << "no German catalogue here";
  EXPECT_EQ(Start("", {}), "en");
  EXPECT_EQ(Start("pt_BR", {{"LANG", "fr_FR.UTF-8"}}), "pt_BR") << "the player's choice beats the system's";
  EXPECT_EQ(Start("en", {{"LANG", "fr_FR.UTF-8"}}), "en") << "English chosen stays English";
  EXPECT_EQ(Start("de", {{"LANG", "fr_FR.UTF-8"}}), "fr") << "a saved language whose catalogue went";
}

TEST_F(LanguageTest, UsingALanguageLoadsItsCatalogueAndABadOneLeavesEnglish) {
  ASSERT_TRUE(UseLanguage(Dir.Path(), "fr"));
  EXPECT_EQ(LanguageCode(), "fr");
  EXPECT_STREQ(Tr("OPTIONS"), "OPTIONS DU JEU");
  EXPECT_EQ(PointText("3", "-2"), "(3 ; -2)") << "the school's way of writing a point";
  ASSERT_TRUE(UseLanguage(Dir.Path(), "pt_BR"));
  EXPECT_EQ(LanguageCode(), "pt_BR");
  EXPECT_STREQ(Tr("OPTIONS"), "OP\xC7\xD5" "ES") << "in the game's code page";
  EXPECT_EQ(PointText("3", "-2"), "(3,-2)") << "untranslated: the English way";

  for (const char* bad : {"xx", "de", "../lang/fr", "fr.mo", ""}) {
    SCOPED_TRACE(bad);
    ASSERT_TRUE(UseLanguage(Dir.Path(), "fr"));
    EXPECT_EQ(UseLanguage(Dir.Path(), bad), *bad == 0) << "the empty code is English, asked for";
    EXPECT_EQ(LanguageCode(), "en");
    EXPECT_STREQ(Tr("OPTIONS"), "OPTIONS");
  }
}

}  // namespace
