// The pictures with words come from the chosen language's archive, picture by
// picture; whatever it lacks or cannot give is shown from the English archive.
#include "data/sysLanguageArt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/ASDbWriter.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "render/rndRecordingDevice.h"
#include "testSupport.h"

namespace {

constexpr std::uint32_t Red = 0xFFFF0000u, Green = 0xFF00FF00u, Blue = 0xFF0000FFu;
constexpr std::uint32_t Yellow = 0xFFFFFF00u, White = 0xFFFFFFFFu, Grey = 0xFF808080u;

TImage Solid(const std::string& name, std::uint32_t colour) {
  TImage image;
  image.Name = name;
  image.PatternWidth = image.VisibleWidth = image.TextureWidth = 2;
  image.PatternHeight = image.VisibleHeight = image.TextureHeight = 2;
  image.PatternCount = 1;
  image.Textures = {std::vector<std::uint32_t>(4, colour)};
  return image;
}

std::uint32_t ColourOf(const TImage* image) {
  return image != nullptr && !image->Textures.empty() ? image->Textures[0][0] : 0;
}

class LanguagePictures : public ::testing::Test {
 protected:
  LanguagePictures() {
    TASDbWriter tuts;
    tuts.AddImage(Solid("page-1", Red));
    tuts.AddImage(Solid("page-2", Green));
    tuts.AddImage(Solid("page-3", Blue));
    EXPECT_TRUE(tuts.Save(Dir.File("TutsQQ.asdb")));
    TASDbWriter ends;
    ends.AddImage(Solid("page-1", Grey));  // the same picture name in another archive
    EXPECT_TRUE(ends.Save(Dir.File("GoTuts.asdb")));
    std::filesystem::create_directories(Dir.File("lang"));
    SetLogFile(Dir.File("log.txt"));
  }
  ~LanguagePictures() override { SetLogFile(""); }

  // French draws pages 1 and 3 anew; page 2 has no words that change.
  void WriteFrench(bool damagedPage3 = false) {
    TASDbWriter fr;
    fr.AddImage(Solid(LanguageRecordKey("TutsQQ", "page-1"), Yellow));
    if (damagedPage3)
      fr.Add(LanguageRecordKey("TutsQQ", "page-3"), 1, {5, 1, 2, 3});  // an image record that is no picture
    else
      fr.AddImage(Solid(LanguageRecordKey("TutsQQ", "page-3"), White));
    EXPECT_TRUE(fr.Save(Dir.File(LanguageArchiveName("fr"))));
  }

  std::vector<std::uint32_t> Colours(const std::string& language, const std::string& archive, bool deferred) {
    TsysResources res(nullptr, Dir.Path());
    res.UsePictureLanguage(Dir.Path(), language);
    const TImageSet* set = res.ImageSet(res.LoadArchive(Dir.File(archive), deferred));
    std::vector<std::uint32_t> out;
    for (std::int32_t i = 0; i < set->Count(); ++i) out.push_back(ColourOf(set->Image(i)));
    return out;
  }

  TTempDir Dir;
  TMessageCatcher Messages;
};

TEST_F(LanguagePictures, TheChosenLanguagesPicturesStandInAndTheRestStayEnglish) {
  WriteFrench();
  for (bool deferred : {true, false}) {
    SCOPED_TRACE(deferred ? "read when first looked at" : "read at once");
    EXPECT_EQ(Colours("fr", "TutsQQ.asdb", deferred), (std::vector<std::uint32_t>{Yellow, Green, White}));
    // Keyed by archive: another archive's picture of the same name stays its own.
    EXPECT_EQ(Colours("fr", "GoTuts.asdb", deferred), (std::vector<std::uint32_t>{Grey}));
    EXPECT_EQ(Colours("", "TutsQQ.asdb", deferred), (std::vector<std::uint32_t>{Red, Green, Blue})) << "English";
  }
  EXPECT_TRUE(Messages.Messages.empty());
}

TEST_F(LanguagePictures, ALanguageWithoutAnArchiveIsShownInEnglishAndLogged) {
  WriteFrench();
  EXPECT_EQ(Colours("de", "TutsQQ.asdb", true), (std::vector<std::uint32_t>{Red, Green, Blue}));
  EXPECT_NE(ReadText(Dir.File("log.txt")).find("lang/de.asdb is missing"), std::string::npos);
}

TEST_F(LanguagePictures, ADamagedLanguageArchiveIsLoggedAndEveryPictureShownInEnglish) {
  std::ofstream(Dir.File(LanguageArchiveName("fr")), std::ios::binary) << "not an archive at all, only words";
  for (bool deferred : {true, false})
    EXPECT_EQ(Colours("fr", "TutsQQ.asdb", deferred), (std::vector<std::uint32_t>{Red, Green, Blue}));
  const std::string log = ReadText(Dir.File("log.txt"));
  EXPECT_NE(log.find("lang/fr.asdb cannot be read (damaged): the pictures with words are shown in English"),
            std::string::npos)
      << log;
  // The English pictures are all there: nothing for the player to be told.
  EXPECT_TRUE(Messages.Messages.empty());
}

TEST_F(LanguagePictures, ADamagedPictureOfTheLanguageFallsBackToItsEnglishPictureAlone) {
  WriteFrench(true);
  for (bool deferred : {true, false})
    EXPECT_EQ(Colours("fr", "TutsQQ.asdb", deferred), (std::vector<std::uint32_t>{Yellow, Green, Blue}));
  EXPECT_NE(ReadText(Dir.File("log.txt")).find("\"TutsQQ/page-3\""), std::string::npos);
  EXPECT_TRUE(Messages.Messages.empty());
}

// OPTIONS changes the language while the archives are loaded: every picture
// follows when next shown, back to English where the new language has none.
TEST_F(LanguagePictures, ChangingTheLanguageChangesThePicturesAlreadyLoaded) {
  WriteFrench();
  TASDbWriter de;
  de.AddImage(Solid(LanguageRecordKey("TutsQQ", "page-2"), Grey));
  ASSERT_TRUE(de.Save(Dir.File(LanguageArchiveName("de"))));
  for (bool deferred : {true, false}) {
    SCOPED_TRACE(deferred ? "read when first looked at" : "read at once");
    TsysResources res(nullptr, Dir.Path());
    res.UsePictureLanguage(Dir.Path(), "fr");
    const TImageSet* set = res.ImageSet(res.LoadArchive(Dir.File("TutsQQ.asdb"), deferred));
    auto colours = [set] {
      std::vector<std::uint32_t> out;
      for (std::int32_t i = 0; i < set->Count(); ++i) out.push_back(ColourOf(set->Image(i)));
      return out;
    };
    EXPECT_EQ(colours(), (std::vector<std::uint32_t>{Yellow, Green, White}));
    res.UsePictureLanguage(Dir.Path(), "de");
    EXPECT_EQ(colours(), (std::vector<std::uint32_t>{Red, Grey, Blue}));
    res.UsePictureLanguage(Dir.Path(), "en");
    EXPECT_EQ(colours(), (std::vector<std::uint32_t>{Red, Green, Blue}));
    res.UsePictureLanguage(Dir.Path(), "fr");
    EXPECT_EQ(colours(), (std::vector<std::uint32_t>{Yellow, Green, White}));
  }
}

// The device gives its textures away; the language's picture comes back, not the English one.
TEST_F(LanguagePictures, ANewDeviceGetsTheLanguagesPictureBack) {
  WriteFrench();
  TrndRecordingDevice first, second;
  first.KeepPixels = second.KeepPixels = true;
  TsysResources res(nullptr, Dir.Path());
  res.UsePictureLanguage(Dir.Path(), "fr");
  res.SetDevice(&first);
  TImageSet* set = res.ImageSet(res.LoadArchive(Dir.File("TutsQQ.asdb"), true));
  ASSERT_EQ(set->Count(), 3);
  for (std::int32_t i = 0; i < 3; ++i) set->Image(i);
  res.SetDevice(&second);
  const std::uint32_t expected[3] = {Yellow, Green, White};
  for (std::int32_t i = 0; i < 3; ++i) {
    const TImage* image = set->Image(i);
    ASSERT_EQ(image->DeviceTextures.size(), 1u) << i;
    EXPECT_EQ(second.Pixels[image->DeviceTextures[0]][0], expected[i]) << i;
  }
}

// The browser's data: the English archive holds blank pictures where the
// pictures with words were, and lang/en.asdb holds them, as a language's
// archive holds its own. An archive the folder lacks is asked for.
class EnglishWordsApart : public LanguagePictures {
 protected:
  EnglishWordsApart() {
    TASDbWriter tuts;
    tuts.AddImage(Solid("page-1", 0));
    tuts.AddImage(Solid("page-2", Green));
    tuts.AddImage(Solid("page-3", 0));
    EXPECT_TRUE(tuts.Save(Dir.File("TutsQQ.asdb")));
    TASDbWriter en;
    en.AddImage(Solid(LanguageRecordKey("TutsQQ", "page-1"), Red));
    en.AddImage(Solid(LanguageRecordKey("TutsQQ", "page-3"), Blue));
    EXPECT_TRUE(en.Save(Dir.File(LanguageArchiveName("en"))));
    Previous = SetDataFetcher([this](const std::string& relative) {
      Asked.push_back(relative);
      return true;
    });
  }
  ~EnglishWordsApart() override { SetDataFetcher(Previous); }

  std::vector<std::string> Asked;
  TDataFetcher Previous;
};

TEST_F(EnglishWordsApart, EnglishAndEachLanguageComeFromTheirOwnArchives) {
  WriteFrench();
  for (bool deferred : {true, false}) {
    SCOPED_TRACE(deferred ? "read when first looked at" : "read at once");
    EXPECT_EQ(Colours("", "TutsQQ.asdb", deferred), (std::vector<std::uint32_t>{Red, Green, Blue}));
    EXPECT_EQ(Colours("en", "TutsQQ.asdb", deferred), (std::vector<std::uint32_t>{Red, Green, Blue}));
    EXPECT_EQ(Colours("fr", "TutsQQ.asdb", deferred), (std::vector<std::uint32_t>{Yellow, Green, White}));
  }
  EXPECT_TRUE(Asked.empty()) << Asked.front();
  EXPECT_TRUE(Messages.Messages.empty());
}

TEST_F(EnglishWordsApart, WhatTheLanguageLacksComesFromTheEnglishArchive) {
  TASDbWriter fr;  // page 3's words are the same in French
  fr.AddImage(Solid(LanguageRecordKey("TutsQQ", "page-1"), Yellow));
  ASSERT_TRUE(fr.Save(Dir.File(LanguageArchiveName("fr"))));
  for (bool deferred : {true, false})
    EXPECT_EQ(Colours("fr", "TutsQQ.asdb", deferred), (std::vector<std::uint32_t>{Yellow, Green, Blue}));
  // A language without an archive: English meanwhile, and the archive asked for.
  EXPECT_EQ(Colours("de", "TutsQQ.asdb", true), (std::vector<std::uint32_t>{Red, Green, Blue}));
  EXPECT_EQ(Asked, (std::vector<std::string>{"lang/de.asdb"}));
}

TEST_F(EnglishWordsApart, AnArchiveThatArrivesLaterIsShownWhenTheLanguageIsUsedAgain) {
  WriteFrench();
  std::filesystem::remove(Dir.File(LanguageArchiveName("en")));
  TsysResources res(nullptr, Dir.Path());
  res.UsePictureLanguage(Dir.Path(), "fr");
  const TImageSet* set = res.ImageSet(res.LoadArchive(Dir.File("TutsQQ.asdb"), true));
  auto colours = [set] {
    std::vector<std::uint32_t> out;
    for (std::int32_t i = 0; i < set->Count(); ++i) out.push_back(ColourOf(set->Image(i)));
    return out;
  };
  EXPECT_EQ(colours(), (std::vector<std::uint32_t>{Yellow, Green, White}));
  EXPECT_TRUE(Asked.empty()) << "French has its own pictures: English is not needed";
  // English chosen while its archive is not there: asked for, blank meanwhile.
  res.UsePictureLanguage(Dir.Path(), "en");
  EXPECT_EQ(Asked, (std::vector<std::string>{"lang/en.asdb"}));
  EXPECT_EQ(colours(), (std::vector<std::uint32_t>{0, Green, 0}));
  TASDbWriter en;
  en.AddImage(Solid(LanguageRecordKey("TutsQQ", "page-1"), Red));
  en.AddImage(Solid(LanguageRecordKey("TutsQQ", "page-3"), Blue));
  ASSERT_TRUE(en.Save(Dir.File(LanguageArchiveName("en"))));
  res.UsePictureLanguage(Dir.Path(), "en");  // what the arrival does
  EXPECT_EQ(colours(), (std::vector<std::uint32_t>{Red, Green, Blue}));
  EXPECT_EQ(Asked.size(), 1u);
}

}  // namespace
