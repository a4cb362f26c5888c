// The image archives as files: every set the build made holds its pictures at
// the indices and sizes the game reads, the loading screen keeps its status line
// readable, and the same source always gives the same bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>

#include "assetgen.h"
#include "data/sysResources.h"
#include "tables/defSprites.h"
#include "genArt.h"
#include "kit/sheetLayout.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The data folder the build generated.
const std::string Built = PLOTFRAY_DATA_DIR;

// The archives as the game reads them: through its own archive reader and image loader.
class LoadedSet {
 public:
  LoadedSet(const std::string& folder, const std::string& name) : Res(nullptr, Scratch.Path()) {
    SetIndex = Res.LoadArchive(folder + name);
    Set = Res.ImageSet(SetIndex);
  }
  std::int32_t Count() const { return Set != nullptr ? Set->Count() : -1; }
  const TImage* Image(std::int32_t index) const { return Set->Image(index); }
  // What the director does to the monster and power-up pictures after loading.
  void ForceGeometry(std::int32_t index, std::int32_t size) {
    Res.SetImageGeometry(SetIndex, index, TPointSize{size, size}, TPointSize{size, size});
  }
  // A multi-pattern picture: pattern size, count, and every pattern inside a texture.
  void ExpectPatterns(std::int32_t index, int w, int h, int count) const {
    const TImage* p = Set->Image(index);
    ASSERT_NE(p, nullptr) << index;
    SCOPED_TRACE(p->Name);
    EXPECT_EQ(p->PatternWidth, w);
    EXPECT_EQ(p->PatternHeight, h);
    EXPECT_GE(p->PatternCount, count);
    std::int32_t t = 0, x = 0, y = 0;
    for (std::int32_t i = 0; i < count; ++i) {
      ASSERT_TRUE(p->PatternOrigin(i, t, x, y)) << i;
      EXPECT_LE(x + w, p->TextureWidth);
      EXPECT_LE(y + h, p->TextureHeight);
    }
  }
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
  TTempDir Scratch;  // the resources object's own folder
  TsysResources Res;
  std::int32_t SetIndex = -1;
  TImageSet* Set = nullptr;
};

TEST(ImageArchives, EverySetHoldsItsPicturesWhereAndHowBigTheGameExpects) {
  const LoadedSet core(Built, "core.asdb");
  ASSERT_EQ(core.Count(), 8);
  core.ExpectSize(2, 512, 1024);  // font sheet: codes 32..127 above, 128..255 under them
  core.ExpectSize(3, 450, 232);  // loading panel
  for (std::int32_t i = 4; i < 8; ++i) core.ExpectSize(i, 512, 384);

  const LoadedSet screens(Built, "screens.asdb");
  ASSERT_EQ(screens.Count(), 9);
  for (std::int32_t i = 0; i < 4; ++i) screens.ExpectSize(i, 512, 384);
  screens.ExpectSize(8, 300, 60);  // corner picture

  const LoadedSet interfaces(Built, "interfaces.asdb");
  ASSERT_EQ(interfaces.Count(), 5);
  interfaces.ExpectSize(0, WidgetSheetWidth, WidgetSheetHeight);
  for (std::int32_t i = 1; i < 4; ++i) interfaces.ExpectSize(i, 390, 190);
  interfaces.ExpectSize(4, ChallengeSheetSize, ChallengeSheetSize);

  // Sprites: the fixed pictures with the geometry the code forces or reads,
  // and every picture the game's table names, at the sizes it gives.
  LoadedSet sprites(Built, "sprites.asdb");
  ASSERT_EQ(sprites.Count(), Sprite::Count);
  sprites.ForceGeometry(Sprite::Monsters, Sprite::MonsterSize);
  sprites.ForceGeometry(Sprite::PowerUps, Sprite::PowerUpSize);
  sprites.ExpectPatterns(Sprite::Monsters, 68, 68, Sprite::MonsterPatterns);
  EXPECT_EQ(sprites.Image(Sprite::Monsters)->PatternCount, Sprite::MonsterPatterns);
  sprites.ExpectPatterns(Sprite::PowerUps, 48, 48, Sprite::PowerUpFrames);
  sprites.ExpectPatterns(Sprite::ZapLong, Sprite::ZapLongWidth, Sprite::ZapHeight, Sprite::ZapPatterns);
  sprites.ExpectPatterns(Sprite::ZapShort, Sprite::ZapShortWidth, Sprite::ZapHeight, Sprite::ZapPatterns);
  sprites.ExpectSize(Sprite::BlastRing, Sprite::BlastRingSize, Sprite::BlastRingSize);
  sprites.ExpectSize(Sprite::DoomRing, Sprite::DoomRingSize, Sprite::DoomRingSize);
  sprites.ExpectPatterns(Sprite::Backdrop, Sprite::BackdropSize, Sprite::BackdropSize, Sprite::BackdropPatterns);
  sprites.ExpectSize(Sprite::GridDot, Sprite::GridDotSize, Sprite::GridDotSize);
  sprites.ExpectSize(Sprite::AnswerHighlight, Sprite::GridDotSize, Sprite::GridDotSize);
  sprites.ExpectPatterns(Sprite::QuadrantTiles, Sprite::QuadrantTileSize, Sprite::QuadrantTileSize, 4);
  sprites.ExpectPatterns(Sprite::Status, Sprite::StatusSize, Sprite::StatusSize, 2);
  sprites.ExpectSize(Sprite::HudPanel, Sprite::HudPanelWidth, Sprite::HudPanelHeight);
  sprites.ExpectSize(Sprite::LifeIcon, Sprite::LifeIconSize, Sprite::LifeIconSize);
  sprites.ExpectPatterns(Sprite::ComboIcons, Sprite::ComboIconSize, Sprite::ComboIconSize, 2);
  sprites.ExpectPatterns(Sprite::DoomBar, Sprite::DoomBarWidth, Sprite::DoomBarHeight, 2);
  sprites.ExpectPatterns(Sprite::DoomButton, Sprite::ButtonSize, Sprite::ButtonSize, 2);
  sprites.ExpectPatterns(Sprite::HelpButton, Sprite::ButtonSize, Sprite::ButtonSize, 2);
  sprites.ExpectSize(Sprite::PushHighlight, Sprite::ButtonSize, Sprite::ButtonSize);

  // The spark dot the effects cut from the font sheet.
  const TImage* font = core.Image(CoreSprite::FontSheet);
  for (int y = CoreSprite::SparkY; y < CoreSprite::SparkY + 2; ++y)
    for (int x = CoreSprite::SparkX; x < CoreSprite::SparkX + 2; ++x)
      EXPECT_EQ(font->Textures[0][static_cast<std::size_t>(y) * font->TextureWidth + x], 0xFFFFFFFFu) << x << "," << y;

  // Five tutorial pages per game type, and the end-of-game pictures.
  for (const char* name : {"TutsQQ.asdb", "TutsWTP.asdb", "TutsDTL.asdb"}) {
    const LoadedSet pages(Built, name);
    ASSERT_EQ(pages.Count(), 5) << name;
    for (std::int32_t i = 0; i < 5; ++i) pages.ExpectSize(i, 512, 512);
  }
  const std::pair<const char*, int> endings[3] = {{"GoTuts.asdb", 9}, {"GoArcade.asdb", 2}, {"GoChallenge.asdb", 3}};
  for (const auto& [name, count] : endings) {
    const LoadedSet ends(Built, name);
    ASSERT_EQ(ends.Count(), count) << name;
    for (std::int32_t i = 0; i < count; ++i) ends.ExpectSize(i, 480, 360);
  }
}

TEST(ImageArchives, GeneratingAgainGivesTheSameBytes) {
  TTempDir again;
  TGenContext ctx;
  ctx.OutDir = again.Path();
  ASSERT_TRUE(GenerateImageArchives(ctx));
  for (const char* name : {"core", "screens", "interfaces", "sprites", "TutsQQ", "TutsWTP", "TutsDTL", "GoTuts",
                           "GoArcade", "GoChallenge"}) {
    const auto a = ReadFile(Built + name + ".asdb");
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
