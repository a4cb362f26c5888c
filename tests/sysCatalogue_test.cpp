#include "core/sysCatalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "core/sysCodePage.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A catalogue compiled by GNU msgfmt from the po text, as the build makes them.
class CatalogueTest : public ::testing::Test {
 protected:
  std::vector<std::uint8_t> Compile(const std::string& po, const std::string& flags = "") {
    const std::string source = Dir.File("t.po");
    const std::string out = Dir.File("t.mo");
    std::ofstream(source) << po;
    const std::string command = "msgfmt " + flags + " -o '" + out + "' '" + source + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return ReadAll(out);
  }
  TsysCatalogue Load(const std::string& po, const std::string& flags = "") {
    const std::vector<std::uint8_t> bytes = Compile(po, flags);
    TsysCatalogue c;
    EXPECT_TRUE(c.Load(bytes.data(), bytes.size())) << c.Error();
    return c;
  }
  TTempDir Dir;
};

const char* FrenchHeader =
    "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
    "\"Plural-Forms: nplurals=2; plural=(n > 1);\\n\"\n\n";

TEST_F(CatalogueTest, TranslationsComeBackInTheGamesCodePageWithTheirPluralsAndContexts) {
  const std::string po = std::string(FrenchHeader) +
                         "msgid \"PLAY\"\nmsgstr \"JOUER\"\n\n"
                         "msgid \"Origin\"\nmsgstr \"Origine\"\n\n"
                         "msgctxt \"axis\"\nmsgid \"Origin\"\nmsgstr \"Point d'origine\"\n\n"
                         "msgid \"Slope\"\nmsgstr \"Pente réglée\"\n\n"
                         "msgid \"%d player was read\"\nmsgid_plural \"%d players were read\"\n"
                         "msgstr[0] \"%d joueur a été lu\"\nmsgstr[1] \"%d joueurs ont été lus\"\n\n"
                         "#, fuzzy\nmsgid \"EXIT\"\nmsgstr \"QUITTER\"\n";
  for (const char* flags : {"", "--no-hash", "--endianness=big"}) {
    SCOPED_TRACE(flags);
    const TsysCatalogue c = Load(po, flags);
    ASSERT_NE(c.Find("", "PLAY"), nullptr);
    EXPECT_EQ(*c.Find("", "PLAY"), "JOUER");
    EXPECT_EQ(*c.Find("", "Origin"), "Origine");
    EXPECT_EQ(*c.Find("axis", "Origin"), "Point d'origine");
    EXPECT_EQ(*c.Find("", "Slope"), "Pente r\xE9gl\xE9" "e") << "é is one byte of the font's set";
    EXPECT_EQ(c.Find("", "EXIT"), nullptr) << "a fuzzy entry is not a translation";
    EXPECT_EQ(c.Find("", "Help"), nullptr);
    // French counts 0 and 1 as one: the boundary between the forms is at 2.
    EXPECT_EQ(*c.FindPlural("", "%d player was read", 0), "%d joueur a \xE9t\xE9 lu");
    EXPECT_EQ(*c.FindPlural("", "%d player was read", 1), "%d joueur a \xE9t\xE9 lu");
    EXPECT_EQ(*c.FindPlural("", "%d player was read", 2), "%d joueurs ont \xE9t\xE9 lus");
  }
}

TEST_F(CatalogueTest, ATranslationWithALetterTheFontCannotDrawIsLeftOutAndCounted) {
  const TsysCatalogue c = Load(std::string(FrenchHeader) +
                               "msgid \"Name\"\nmsgstr \"Imię\"\n\n"  // ę is not in the set
                               "msgid \"Euro\"\nmsgstr \"€ and œ\"\n");
  EXPECT_EQ(c.Find("", "Name"), nullptr);
  EXPECT_EQ(c.Dropped(), 1u);
  ASSERT_NE(c.Find("", "Euro"), nullptr);
  EXPECT_EQ(*c.Find("", "Euro"), "\x80 and \x9C");
}

TEST_F(CatalogueTest, TheLookUpFallsBackOnEnglishAndPicksTheFormForN) {
  const std::vector<std::uint8_t> bytes =
      Compile(std::string(FrenchHeader) + "msgid \"PLAY\"\nmsgstr \"JOUER\"\n\n" +
              "msgid \"%d life\"\nmsgid_plural \"%d lives\"\nmsgstr[0] \"%d vie\"\nmsgstr[1] \"%d vies\"\n");
  SetCatalogue(nullptr);
  EXPECT_STREQ(Tr("PLAY"), "PLAY");
  EXPECT_STREQ(TrN("%d life", "%d lives", 0), "%d lives") << "English counts 0 as many";
  auto c = std::make_unique<TsysCatalogue>();
  ASSERT_TRUE(c->Load(bytes.data(), bytes.size()));
  SetCatalogue(std::move(c));
  EXPECT_STREQ(Tr("PLAY"), "JOUER");
  EXPECT_STREQ(Tr("OPTIONS"), "OPTIONS");
  EXPECT_STREQ(TrN("%d life", "%d lives", 0), "%d vie");
  EXPECT_STREQ(TrN("%d life", "%d lives", 5), "%d vies");
  EXPECT_STREQ(TrN("%d tick", "%d ticks", 5), "%d ticks");
  SetCatalogue(nullptr);
}

// Real languages' rules, each against the same rule written in C++.
TEST(PluralRule, EachLanguagesRuleGivesTheFormItsOwnCodeWould) {
  struct TCase {
    const char* Header;
    std::uint32_t (*Form)(std::uint64_t);
  };
  const TCase cases[] = {
      {"Plural-Forms: nplurals=2; plural=(n != 1);", [](std::uint64_t n) -> std::uint32_t { return n != 1; }},
      {"Plural-Forms: nplurals=2; plural=(n > 1);", [](std::uint64_t n) -> std::uint32_t { return n > 1; }},
      {"Plural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || "
       "n%100>=20) ? 1 : 2);",
       [](std::uint64_t n) -> std::uint32_t {
         return n % 10 == 1 && n % 100 != 11 ? 0 : n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 10 || n % 100 >= 20) ? 1 : 2;
       }},
      {"Plural-Forms: nplurals=1; plural=0;", [](std::uint64_t) -> std::uint32_t { return 0; }},
      {"Plural-Forms: nplurals=4; plural=(n==1) ? 0 : (n==2) ? 1 : (n != 8 && n != 11) ? 2 : 3;",
       [](std::uint64_t n) -> std::uint32_t { return n == 1 ? 0 : n == 2 ? 1 : (n != 8 && n != 11) ? 2 : 3; }},
      {"Plural-Forms: nplurals=3; plural=!(n-1) ? 0 : n*2/4 >= 3 ? 2 : 1;",
       [](std::uint64_t n) -> std::uint32_t { return !(n - 1) ? 0 : n * 2 / 4 >= 3 ? 2 : 1; }},
  };
  for (const TCase& c : cases) {
    TsysPluralRule rule;
    ASSERT_TRUE(rule.Parse(c.Header)) << c.Header;
    for (std::uint64_t n = 0; n < 250; ++n) EXPECT_EQ(rule.FormOf(n), c.Form(n)) << c.Header << ", n = " << n;
  }
}

TEST(PluralRule, ABrokenOrHostileRuleKeepsEnglishsRule) {
  const std::string deep = "Plural-Forms: nplurals=2; plural=" + std::string(300, '(') + "n" + std::string(300, ')') + ";";
  for (const std::string& header :
       {std::string("Plural-Forms: nplurals=2; plural=(n != 1;"), std::string("Plural-Forms: nplurals=0; plural=0;"),
        std::string("Plural-Forms: nplurals=2; plural=n ? ;"), std::string("Plural-Forms: plural=n;"),
        std::string("Content-Type: text/plain"), std::string("Plural-Forms: nplurals=2; plural=x;"), deep}) {
    TsysPluralRule rule;
    EXPECT_FALSE(rule.Parse(header)) << header;
    EXPECT_EQ(rule.FormOf(0), 1u) << "English counts 0 as many";
    EXPECT_EQ(rule.FormOf(1), 0u);
    EXPECT_EQ(rule.FormOf(2), 1u);
  }
  TsysPluralRule byZero;
  ASSERT_TRUE(byZero.Parse("Plural-Forms: nplurals=3; plural=n/0 + n%0 + 7;"));
  EXPECT_EQ(byZero.FormOf(5), 2u) << "a form past the last is the last";
}

TEST(Catalogue, BytesThatAreNotACatalogueAreRefusedWithAReason) {
  std::vector<std::uint8_t> good;
  {
    // A one-entry catalogue written by hand: header, two tables, two strings.
    const std::string original = "PLAY";
    const std::string translation = "JOUER";
    auto word = [&](std::uint32_t v) {
      for (int i = 0; i < 4; ++i) good.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    word(0x950412de);
    word(0);
    word(1);
    word(28);
    word(36);
    word(0);
    word(44);
    word(4);
    word(44);
    word(5);
    word(49);
    for (char ch : original) good.push_back(static_cast<std::uint8_t>(ch));
    good.push_back(0);
    for (char ch : translation) good.push_back(static_cast<std::uint8_t>(ch));
    good.push_back(0);
  }
  TsysCatalogue c;
  ASSERT_TRUE(c.Load(good.data(), good.size())) << c.Error();
  ASSERT_NE(c.Find("", "PLAY"), nullptr);
  EXPECT_EQ(*c.Find("", "PLAY"), "JOUER");

  std::map<std::string, std::vector<std::uint8_t>> bad;
  bad["truncated in its header"] = std::vector<std::uint8_t>(good.begin(), good.begin() + 20);
  bad["truncated in its last string"] = std::vector<std::uint8_t>(good.begin(), good.end() - 1);
  bad["foreign magic"] = good;
  bad["foreign magic"][0] = 0x7F;
  bad["a huge count"] = good;
  bad["a huge count"][11] = 0x40;
  bad["a string past the end"] = good;
  bad["a string past the end"][40] = 0xF0;
  bad["a revision from the future"] = good;
  bad["a revision from the future"][6] = 2;
  bad["no NUL after a string"] = good;
  bad["no NUL after a string"][48] = 'X';
  for (const auto& [name, bytes] : bad) {
    TsysCatalogue d;
    EXPECT_FALSE(d.Load(bytes.data(), bytes.size())) << name;
    EXPECT_FALSE(d.Error().empty()) << name;
    EXPECT_EQ(d.Size(), 0u) << name;
  }
  EXPECT_FALSE(c.Load(nullptr, 0));
}

TEST(Format, ValuesGoInOrderOrWhereATranslationNamesThem) {
  EXPECT_EQ(Format("SCORE: %d OF %d", {"120", "500"}), "SCORE: 120 OF 500");
  EXPECT_EQ(Format("%2$s de %1$s", {"Ada", "Zo\xEB"}), "Zo\xEB de Ada");
  EXPECT_EQ(Format("100%% of %s", {"it"}), "100% of it");
  EXPECT_EQ(Format("%s and %s", {"one"}), "one and ") << "a missing value is empty, never read past";
  EXPECT_EQ(Format("50% off %x", {}), "50% off %x");
  EXPECT_EQ(Format("ends in %", {}), "ends in %");
}

TEST(Languages, TheEnvironmentAsksInItsOwnOrderAndCEndsTheList) {
  std::map<std::string, std::string> env;
  const auto get = [&](const char* name) -> const char* {
    const auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  };
  const std::vector<std::string> available = {"de", "es", "fr", "pt_BR"};
  env = {{"LANG", "fr_FR.UTF-8"}};
  EXPECT_EQ(LanguagesAskedFor(get), (std::vector<std::string>{"fr_FR", "fr"}));
  EXPECT_EQ(ChooseLanguage(LanguagesAskedFor(get), available), "fr");
  env = {{"LANG", "pt_BR.UTF-8"}};
  EXPECT_EQ(ChooseLanguage(LanguagesAskedFor(get), available), "pt_BR");
  env = {{"LANG", "pt_PT.UTF-8"}};
  EXPECT_EQ(ChooseLanguage(LanguagesAskedFor(get), available), "") << "Portugal's Portuguese is not Brazil's";
  env = {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "es_ES"}, {"LC_ALL", ""}};
  EXPECT_EQ(ChooseLanguage(LanguagesAskedFor(get), available), "es") << "LC_MESSAGES before LANG";
  env = {{"LANG", "de_DE.UTF-8"}, {"LC_ALL", "C.UTF-8"}};
  EXPECT_EQ(ChooseLanguage(LanguagesAskedFor(get), available), "") << "C asks for English";
  env = {{"LANGUAGE", "sv:es_MX:fr"}, {"LANG", "de_DE.UTF-8"}};
  EXPECT_EQ(ChooseLanguage(LanguagesAskedFor(get), available), "es");
  env = {{"LANGUAGE", "C:fr"}};
  EXPECT_EQ(ChooseLanguage(LanguagesAskedFor(get), available), "") << "C in the list asks for English";
  env = {{"LANGUAGE", "en_GB:fr"}};
  EXPECT_EQ(ChooseLanguage(LanguagesAskedFor(get), available), "") << "English asked for first";
  env = {};
  EXPECT_TRUE(LanguagesAskedFor(get).empty());
}

TEST(CodePage, TextCrossesBetweenUtf8AndTheFontsSetIntactOrNotAtAll) {
  const std::string names = "Zo\xC3\xAB \xC3\x9Cnal, Bego\xC3\xB1" "a, Fran\xC3\xA7ois, Joaqu\xC3\xADn \xE2\x82\xAC";
  const std::optional<std::string> bytes = Utf8ToCodePage(names);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(*bytes, "Zo\xEB \xDCnal, Bego\xF1" "a, Fran\xE7ois, Joaqu\xEDn \x80");
  EXPECT_EQ(CodePageToUtf8(*bytes), names);
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::optional<std::string> back = Utf8ToCodePage(CodePageToUtf8(one));
    // The five bytes Windows-1252 leaves unassigned have no character to come back from.
    if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    ASSERT_TRUE(back.has_value()) << b;
    EXPECT_EQ(*back, one) << b;
  }
  std::size_t at = 99;
  EXPECT_FALSE(Utf8ToCodePage("Imi\xC4\x99", &at).has_value());
  EXPECT_EQ(at, 3u);
  EXPECT_FALSE(Utf8ToCodePage("\xC3").has_value()) << "truncated";
  EXPECT_FALSE(Utf8ToCodePage("\xC0\xAF").has_value()) << "overlong";
  EXPECT_FALSE(Utf8ToCodePage("\xED\xA0\x80").has_value()) << "a surrogate";
  EXPECT_FALSE(Utf8ToCodePage("\xF0\x9F\x98\x80").has_value()) << "outside the set";
}

}  // namespace
