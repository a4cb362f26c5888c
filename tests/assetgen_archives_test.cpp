// The image archives as files: every set holds its pictures at the indices and
// sizes the game reads, the loading screen keeps its status line readable, and
// the same source always gives the same bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "assetgen.h"
#include "data/sysResources.h"
#include "genArt.h"
#include "sheetLayout.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ImageArchivesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Dir = new TTempDir;
    TGenContext ctx;
    ctx.OutDir = Dir->Path();
    ASSERT_TRUE(GenerateImageArchives(ctx));
  }
  static void TearDownTestSuite() {
    delete Dir;
    Dir = nullptr;
  }
  static TTempDir* Dir;
};
TTempDir* ImageArchivesTest::Dir = nullptr;

// The archives as the game reads them: through its own archive reader and image loader.
class LoadedSet {
 public:
  LoadedSet(const std::string& folder, const std::string& name) : Res(nullptr, folder) {
    Set = Res.ImageSet(Res.LoadArchive(folder + name));
  }
  std::int32_t Count() const { return Set != nullptr ? Set->Count() : -1; }
  void ExpectSize(std::int32_t index, int w, int h) const {
    const TImage* p = Set->Image(index);
    ASSERT_NE(p, nullptr) << index;
    SCOPED_TRACE(p->Name);
    EXPECT_EQ(p->PatternWidth, w);
    EXPECT_EQ(p->PatternHeight, h);
    EXPECT_EQ(p->PatternCount, 1);
    ASSERT_EQ(p->Textures.size(), 1u);
    EXPECT_EQ(p->Textures[0].size(), static_cast<std::size_t>(p->TextureWidth) * p->TextureHeight);
  }

 private:
  TsysResources Res;
  TImageSet* Set = nullptr;
};

TEST_F(ImageArchivesTest, EverySetHoldsItsPicturesWhereAndHowBigTheGameExpects) {
  const LoadedSet core(Dir->Path(), "core.asdb");
  ASSERT_EQ(core.Count(), 8);
  core.ExpectSize(2, 512, 512);  // font sheet
  core.ExpectSize(3, 450, 232);  // loading panel
  for (std::int32_t i = 4; i < 8; ++i) core.ExpectSize(i, 512, 384);

  const LoadedSet screens(Dir->Path(), "screens.asdb");
  ASSERT_EQ(screens.Count(), 9);
  for (std::int32_t i = 0; i < 4; ++i) screens.ExpectSize(i, 512, 384);
  screens.ExpectSize(8, 300, 60);  // corner picture

  const LoadedSet interfaces(Dir->Path(), "interfaces.asdb");
  ASSERT_EQ(interfaces.Count(), 5);
  interfaces.ExpectSize(0, WidgetSheetWidth, WidgetSheetHeight);
  for (std::int32_t i = 1; i < 4; ++i) interfaces.ExpectSize(i, 390, 190);
  interfaces.ExpectSize(4, ChallengeSheetSize, ChallengeSheetSize);

  // Archives of later pictures exist and are empty.
  for (const char* name : {"sprites", "TutsQQ", "TutsWTP", "TutsDTL", "GoTuts", "GoArcade", "GoChallenge"}) {
    const std::vector<std::uint8_t> file = ReadFile(Dir->File(std::string(name) + ".asdb"));
    EXPECT_EQ(file.size(), 12u) << name;
    EXPECT_EQ(LoadedSet(Dir->Path(), std::string(name) + ".asdb").Count(), 0) << name;
  }
}

TEST_F(ImageArchivesTest, GeneratingTwiceGivesTheSameBytes) {
  TTempDir again;
  TGenContext ctx;
  ctx.OutDir = again.Path();
  ASSERT_TRUE(GenerateImageArchives(ctx));
  for (const char* name : {"core", "screens", "interfaces", "sprites"}) {
    const auto a = ReadFile(Dir->File(std::string(name) + ".asdb"));
    const auto b = ReadFile(again.File(std::string(name) + ".asdb"));
    EXPECT_GT(a.size(), 0u);
    EXPECT_TRUE(a == b) << name;
  }
}

// Relative luminance 0..1 of a straight ARGB texel over black.
double Luminance(std::uint32_t p) {
  const double a = (p >> 24) / 255.0;
  return a * (0.2126 * ((p >> 16) & 0xFF) + 0.7152 * ((p >> 8) & 0xFF) + 0.0722 * (p & 0xFF)) / 255.0;
}

TEST(LoadingScreen, StatusLineBandStaysLightAndThePanelIsOpaque) {
  // Black status text is drawn at (272, 728), 480 x 20 over the bottom quarters.
  const std::vector<TImage> quarters = LoadingBackdropQuarters();
  ASSERT_EQ(quarters.size(), 4u);
  double darkest = 1;
  for (int y = 728; y < 748; ++y)
    for (int x = 272; x < 752; ++x) {
      const TImage& q = quarters[2 + x / 512];
      const std::uint32_t p = q.Textures[0][static_cast<std::size_t>(y - 384) * 512 + x % 512];
      EXPECT_EQ(p >> 24, 255u);
      darkest = std::min(darkest, Luminance(p));
    }
  EXPECT_GT(darkest, 0.6);
  // Every backdrop quarter covers the screen fully.
  for (const std::vector<TImage>& set : {quarters, MenuBackdropQuarters()})
    for (const TImage& q : set)
      for (std::uint32_t p : q.Textures[0]) ASSERT_EQ(p >> 24, 255u) << q.Name;
}

}  // namespace
