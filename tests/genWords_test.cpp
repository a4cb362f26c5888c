// The pictures with words are drawn in each language through the game's own
// catalogue: every tutorial page is translated whole, writes its points the
// way that language's schools do, and still fits its boxes.
#include "kit/genWords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>

#include "pages/genTutorials.h"
#include "pages/tutContent.h"
#include "testSupport.h"

namespace {

const char* const Languages[] = {"es", "fr", "de", "pt_BR"};

// No-break spaces read as spaces.
std::string Plain(std::string text) {
  for (std::size_t at; (at = text.find("\xC2\xA0")) != std::string::npos;) text.replace(at, 2, " ");
  return text;
}

std::string Catalogue(const std::string& language) {
  return std::string(PLOTFRAY_BINARY_DIR) + "catalogues/" + language + ".mo";
}

// English again whatever a test did.
class GeneratorWords : public ::testing::Test {
 protected:
  ~GeneratorWords() override {
    std::string why;
    UseLanguage("", why);
  }
  void Use(const std::string& language) {
    std::string why;
    ASSERT_TRUE(UseLanguage(language.empty() ? "" : Catalogue(language), why)) << language << ": " << why;
  }
};

TEST_F(GeneratorWords, EveryTutorialPageIsTranslatedWholeAndFitsItsBoxes) {
  std::vector<TTutorialPage> english;
  for (int i = 0; i < 15; ++i) english.push_back(TutorialPage(i / 5 + 1, i % 5 + 1));
  for (const char* language : Languages) {
    Use(language);
    for (int i = 0; i < 15; ++i) {
      const TTutorialPage page = TutorialPage(i / 5 + 1, i % 5 + 1);
      SCOPED_TRACE(std::string(language) + " " + english[i].Headline);
      EXPECT_NE(page.Headline, english[i].Headline);
      ASSERT_EQ(page.Sentences.size(), english[i].Sentences.size());
      for (std::size_t s = 0; s < page.Sentences.size(); ++s) EXPECT_NE(page.Sentences[s], english[i].Sentences[s]);
      // An equation alone ("-3+5 = 2") is the same in every language; a step that says something is not.
      const std::vector<std::string>& said = english[i].Examples[0].Steps;
      for (const TTutorialExample& e : page.Examples)
        for (const std::string& step : e.Steps) {
          if (step.find(':') == std::string::npos) continue;
          EXPECT_EQ(std::find(said.begin(), said.end(), step), said.end()) << step;
        }
      TPageFit fit;
      TutorialPicture(page, &fit);
      EXPECT_TRUE(fit.Fits) << "sentences end at " << fit.SentencesBottom << ", steps at " << fit.StepsBottom
                            << ", the card at " << fit.CardBottom;
    }
  }
}

TEST_F(GeneratorWords, PointsAreWrittenTheWaySchoolsOfTheLanguageWriteThem) {
  const std::pair<const char*, const char*> written[] = {
      {"", "(3, -2)"}, {"es", "(3, -2)"}, {"fr", "(3 ; -2)"}, {"de", "(3 | -2)"}, {"pt_BR", "(3, -2)"}};
  for (const auto& [language, point] : written) {
    Use(language);
    EXPECT_EQ(Plain(PointWords(3, -2)), point) << language;
    EXPECT_EQ(PointWords(3, -2).find(' '), std::string::npos) << "a point breaks across lines";
    // The quadrant questions and the worked points of the pages too.
    EXPECT_EQ(QuadrantLabel(1, -1), PointWords("X", "-Y")) << language;
    EXPECT_EQ(TutorialPage(2, 1).Examples[0].Label,
              PointWords(TutorialPage(2, 1).Examples[0].Answer[0].X, TutorialPage(2, 1).Examples[0].Answer[0].Y))
        << language;
  }
}

// "GOAL: %d MONSTER(S)": French and Brazilian Portuguese say 0 in the
// singular, Spanish and German in the plural; 1 and 2 are the same in all.
TEST_F(GeneratorWords, PluralsFollowEachLanguagesRuleAtItsBoundaries) {
  const struct {
    const char* Language;
    bool ZeroIsSingular;
  } rules[] = {{"es", false}, {"fr", true}, {"de", false}, {"pt_BR", true}};
  for (const auto& rule : rules) {
    Use(rule.Language);
    const std::string one = WN("GOAL: %d MONSTER", "GOAL: %d MONSTERS", 1);
    const std::string two = WN("GOAL: %d MONSTER", "GOAL: %d MONSTERS", 2);
    EXPECT_EQ(WN("GOAL: %d MONSTER", "GOAL: %d MONSTERS", 0), rule.ZeroIsSingular ? one : two) << rule.Language;
    EXPECT_EQ(one.find("MONSTERS"), std::string::npos) << rule.Language;
    if (std::string(rule.Language) != "de") {
      EXPECT_NE(one, two) << rule.Language;  // "Monster" is both in German
    }
  }
}

TEST_F(GeneratorWords, CapitalsKeepTheirAccents) {
  EXPECT_EQ(UpperWords("Define the Line"), "DEFINE THE LINE");
  EXPECT_EQ(UpperWords("d\xC3\xA9" "fi \xC3\xA0 r\xC3\xA9ussir"), "D\xC3\x89" "FI \xC3\x80 R\xC3\x89USSIR");
  EXPECT_EQ(UpperWords("\xC3\xBC\xC3\xB1\xC3\xA7\xC3\xA3\xC5\x93"), "\xC3\x9C\xC3\x91\xC3\x87\xC3\x83\xC5\x92");
  // The division sign is no letter; a German sharp s has no capital of its own here.
  EXPECT_EQ(UpperWords("\xC3\xB7\xC3\x9F"), "\xC3\xB7\xC3\x9F");
}

TEST_F(GeneratorWords, ACatalogueThatCannotBeReadLeavesTheWordsEnglish) {
  TTempDir dir;
  std::ofstream(dir.File("xx.mo"), std::ios::binary) << "no catalogue";
  std::string why;
  EXPECT_FALSE(UseLanguage(dir.File("xx.mo"), why));
  EXPECT_FALSE(why.empty());
  EXPECT_FALSE(UseLanguage(dir.File("missing.mo"), why));
  EXPECT_EQ(W("FOUR QUADRANTS"), "FOUR QUADRANTS");
  EXPECT_EQ(Plain(PointWords(3, -2)), "(3, -2)");
}

}  // namespace
