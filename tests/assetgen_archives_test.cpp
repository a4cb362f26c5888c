// The image archives as files: every set holds its pictures at the indices and
// sizes the game reads, the loading screen keeps its status line readable, and
// the same source always gives the same bytes.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "assetgen.h"
#include "genArt.h"
#include "sheetLayout.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int32_t I32(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(b.at(at + i)) << (8 * i);
  return static_cast<std::int32_t>(v);
}

// What the game learns from an image record's header.
struct TPictureInfo {
  std::string Key;
  int Format = 0, PatternW = 0, PatternH = 0, Count = 0, TextureW = 0, TextureH = 0, Textures = 0;
  std::size_t Bytes = 0;
};

// Reads an archive the way the format lays it out (header, table, records,
// zlib data, image payload header).
std::vector<TPictureInfo> ReadArchive(const std::string& path) {
  const std::vector<std::uint8_t> file = ReadFile(path);
  std::vector<TPictureInfo> out;
  if (file.size() < 12 || std::memcmp(file.data(), "ASDb", 4) != 0) {
    ADD_FAILURE() << path << " is no archive";
    return out;
  }
  const int count = I32(file, 4);
  std::size_t at = static_cast<std::size_t>(I32(file, 8));
  for (int r = 0; r < count; ++r) {
    TPictureInfo info;
    const int keyLength = I32(file, at);
    info.Key.assign(file.begin() + static_cast<long>(at) + 4, file.begin() + static_cast<long>(at) + 4 + keyLength);
    const auto position = static_cast<std::size_t>(I32(file, at + 4 + static_cast<std::size_t>(keyLength)));
    at += 8 + static_cast<std::size_t>(keyLength);
    EXPECT_EQ(file.at(position) | (file.at(position + 1) << 8), 1) << info.Key << ": image record";
    uLongf unpacked = static_cast<uLongf>(I32(file, position + 2));
    const auto stored = static_cast<uLong>(I32(file, position + 6));
    std::vector<std::uint8_t> data(unpacked);
    EXPECT_EQ(uncompress(data.data(), &unpacked, file.data() + position + 44, stored), Z_OK) << info.Key;
    info.Format = data.at(0);
    info.PatternW = I32(data, 1);
    info.PatternH = I32(data, 5);
    info.Count = I32(data, 17);
    info.TextureW = I32(data, 21);
    info.TextureH = I32(data, 25);
    info.Textures = I32(data, 29);
    info.Bytes = data.size();
    out.push_back(info);
  }
  return out;
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

void ExpectSize(const std::vector<TPictureInfo>& set, std::size_t index, int w, int h) {
  ASSERT_LT(index, set.size());
  const TPictureInfo& p = set[index];
  SCOPED_TRACE(p.Key);
  EXPECT_EQ(p.Format, 5);
  EXPECT_EQ(p.PatternW, w);
  EXPECT_EQ(p.PatternH, h);
  EXPECT_EQ(p.Count, 1);
  EXPECT_EQ(p.Textures, 1);
  EXPECT_EQ(p.Bytes, 33u + 4u * static_cast<std::size_t>(p.TextureW) * p.TextureH);
}

TEST_F(ImageArchivesTest, EverySetHoldsItsPicturesWhereAndHowBigTheGameExpects) {
  const auto core = ReadArchive(Dir->File("core.asdb"));
  ASSERT_EQ(core.size(), 8u);
  ExpectSize(core, 2, 512, 512);  // font sheet
  ExpectSize(core, 3, 450, 232);  // loading panel
  for (std::size_t i = 4; i < 8; ++i) ExpectSize(core, i, 512, 384);

  const auto screens = ReadArchive(Dir->File("screens.asdb"));
  ASSERT_EQ(screens.size(), 9u);
  for (std::size_t i = 0; i < 4; ++i) ExpectSize(screens, i, 512, 384);
  ExpectSize(screens, 8, 300, 60);  // corner picture

  const auto interfaces = ReadArchive(Dir->File("interfaces.asdb"));
  ASSERT_EQ(interfaces.size(), 5u);
  ExpectSize(interfaces, 0, WidgetSheetWidth, WidgetSheetHeight);
  for (std::size_t i = 1; i < 4; ++i) ExpectSize(interfaces, i, 390, 190);
  ExpectSize(interfaces, 4, ChallengeSheetSize, ChallengeSheetSize);

  // Archives of later pictures exist and are empty.
  for (const char* name : {"sprites", "TutsQQ", "TutsWTP", "TutsDTL", "GoTuts", "GoArcade", "GoChallenge"}) {
    const std::vector<std::uint8_t> file = ReadFile(Dir->File(std::string(name) + ".asdb"));
    ASSERT_EQ(file.size(), 12u) << name;
    EXPECT_EQ(I32(file, 4), 0) << name;
    EXPECT_EQ(I32(file, 8), 12) << name;
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
