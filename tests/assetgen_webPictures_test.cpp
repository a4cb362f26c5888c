// The browser's copies of the picture archives: the pictures with words leave
// the English archives for lang/en.asdb, blank pictures of the same size stay
// in their place, and the game reading the copies shows what it shows from
// the desktop's archives.
#include "web/webPictures.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/ASDb.h"
#include "data/ASDbWriter.h"
#include "data/sysLanguageArt.h"
#include "data/sysResources.h"
#include "testSupport.h"

namespace {

TImage WebSplitPicture(const std::string& name, std::int32_t width, std::int32_t height, std::uint32_t seed) {
  TImage image;
  image.Name = name;
  image.PatternWidth = image.VisibleWidth = image.TextureWidth = width;
  image.PatternHeight = image.VisibleHeight = image.TextureHeight = height;
  image.PatternCount = 1;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | (seed * 2654435761u + i * 40503u);
  image.Textures = {pixels};
  return image;
}

std::vector<std::uint8_t> WebSplitRecord(const std::string& file, const std::string& key) {
  TASDb archive;
  archive.OpenMode = opReadOnly;
  archive.SetFileName(file);
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(archive.ReadRecord(key, bytes)) << file << " " << key;
  return bytes;
}

class WebPictures : public ::testing::Test {
 protected:
  WebPictures() {
    TASDbWriter tuts;
    tuts.AddImage(WebSplitPicture("page-1", 8, 4, 1));  // words
    tuts.AddImage(WebSplitPicture("page-2", 4, 4, 2));
    tuts.AddImage(WebSplitPicture("page-3", 6, 2, 3));  // words
    tuts.Add("notes", 7, {1, 2, 3});  // not a picture: copied as it is
    EXPECT_TRUE(tuts.Save(Dir.File("TutsQQ.asdb")));
    TASDbWriter core;
    core.AddImage(WebSplitPicture("loading-panel", 5, 3, 4));  // words
    EXPECT_TRUE(core.Save(Dir.File("core.asdb")));
    std::filesystem::create_directories(Dir.File("lang"));
  }
  TTempDir Dir;
};

TEST_F(WebPictures, TheWordsMoveOutAndBlankPicturesOfTheSameSizeStay) {
  ASSERT_TRUE(WriteWebPictures(Dir.Path(), {{"TutsQQ", "page-1"}, {"TutsQQ", "page-3"}, {"core", "loading-panel"}}));
  TASDb web;
  web.OpenMode = opReadOnly;
  web.SetFileName(Dir.File("TutsQQ.asdb.web"));
  ASSERT_TRUE(web.EnsureOpen());
  ASSERT_EQ(web.RecordCount(), 4);
  const char* keys[4] = {"page-1", "page-2", "page-3", "notes"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(web.RecordKey(i), keys[i]);
  EXPECT_EQ(web.RecordType(3), 7);
  EXPECT_EQ(WebSplitRecord(Dir.File("TutsQQ.asdb.web"), "notes"), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(WebSplitRecord(Dir.File("TutsQQ.asdb.web"), "page-2"), WebSplitRecord(Dir.File("TutsQQ.asdb"), "page-2"));
  // The pictures with words, byte for byte, keyed as a language's are.
  const std::string english = Dir.File(LanguageArchiveName("en") + ".web");
  for (const auto& [archive, name] : std::vector<std::pair<std::string, std::string>>{
           {"TutsQQ", "page-1"}, {"TutsQQ", "page-3"}, {"core", "loading-panel"}})
    EXPECT_EQ(WebSplitRecord(english, LanguageRecordKey(archive, name)), WebSplitRecord(Dir.File(archive + ".asdb"), name));

  // The game reads the copies under the desktop's names: the same pictures.
  TTempDir served;
  std::filesystem::create_directories(served.File("lang"));
  std::filesystem::copy_file(Dir.File("TutsQQ.asdb.web"), served.File("TutsQQ.asdb"));
  TsysResources desktop(nullptr, Dir.Path()), browser(nullptr, served.Path());
  desktop.UsePictureLanguage(Dir.Path(), "en");
  const TImageSet* before = desktop.ImageSet(desktop.LoadArchive(Dir.File("TutsQQ.asdb"), true));
  // Without the English archive the places are blank, of the same size.
  browser.UsePictureLanguage(served.Path(), "en");
  const TImageSet* blank = browser.ImageSet(browser.LoadArchive(served.File("TutsQQ.asdb"), true));
  ASSERT_EQ(blank->Count(), 3);
  for (std::int32_t i : {0, 2}) {
    const TImage* image = blank->Image(i);
    ASSERT_EQ(image->Textures.size(), 1u);
    EXPECT_EQ(image->TextureWidth, before->Image(i)->TextureWidth);
    EXPECT_EQ(image->VisibleHeight, before->Image(i)->VisibleHeight);
    EXPECT_EQ(image->Textures[0], std::vector<std::uint32_t>(image->Textures[0].size(), 0u)) << i;
  }
  std::filesystem::copy_file(english, served.File(LanguageArchiveName("en")));
  TsysResources later(nullptr, served.Path());
  later.UsePictureLanguage(served.Path(), "en");
  const TImageSet* after = later.ImageSet(later.LoadArchive(served.File("TutsQQ.asdb"), true));
  ASSERT_EQ(after->Count(), before->Count());
  for (std::int32_t i = 0; i < before->Count(); ++i) EXPECT_EQ(after->Image(i)->Textures, before->Image(i)->Textures) << i;
}

TEST_F(WebPictures, APictureWithWordsTheArchiveLacksIsAFault) {
  EXPECT_FALSE(WriteWebPictures(Dir.Path(), {{"TutsQQ", "page-1"}, {"TutsQQ", "page-9"}}));
  EXPECT_FALSE(WriteWebPictures(Dir.Path(), {{"GoTuts", "end-0"}})) << "no such archive";
}

}  // namespace
