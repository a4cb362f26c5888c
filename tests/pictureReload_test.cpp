// Pictures live on the device alone once uploaded; a new device, or one that
// lost its textures, gets every one of them back from the archives.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "app/modScripting.h"
#include "core/sysEventHandler.h"
#include "data/ASDbWriter.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "render/modGraphics.h"
#include "render/modInput.h"
#include "render/rndRecordingDevice.h"
#include "testSupport.h"

namespace {

TImage Picture(const std::string& name, std::int32_t side, std::int32_t textures, std::uint32_t seed) {
  TImage image;
  image.Name = name;
  image.PatternWidth = image.VisibleWidth = image.TextureWidth = side;
  image.PatternHeight = image.VisibleHeight = image.TextureHeight = side;
  image.PatternCount = textures;
  for (int t = 0; t < textures; ++t) {
    image.Textures.emplace_back();
    for (int i = 0; i < side * side; ++i) image.Textures.back().push_back(seed * 0x9E3779B9u + static_cast<std::uint32_t>(i * (t + 1)));
  }
  return image;
}

// A 2 x 2 picture of grey levels (pixel format 10), converted when it is read.
std::vector<std::uint8_t> GreyPayload() {
  std::vector<std::uint8_t> p = {10};
  for (std::int32_t v : {2, 2, 2, 2, 1, 2, 2, 1}) {
    for (int i = 0; i < 4; ++i) p.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  for (std::uint8_t level : {0x00, 0x40, 0x80, 0xFF}) p.push_back(level);
  return p;
}
const std::vector<std::vector<std::uint32_t>> GreyPixels = {{0xFF000000u, 0xFF404040u, 0xFF808080u, 0xFFFFFFFFu}};

// What the device holds for an image, texture by texture.
std::vector<std::vector<std::uint32_t>> OnDevice(TrndRecordingDevice& device, const TImage& image) {
  std::vector<std::vector<std::uint32_t>> pixels;
  for (TTextureId id : image.DeviceTextures) pixels.push_back(device.Pixels[id]);
  return pixels;
}

class PictureReload : public ::testing::Test {
 protected:
  PictureReload() {
    TASDbWriter writer;
    writer.AddImage(Picture("Sheet", 8, 2, 1));
    writer.AddImage(Picture("Sheet", 4, 1, 2));  // the same key twice: each keeps its own record
    writer.AddImage(Picture("Icon", 2, 1, 3));
    writer.Add("Grey", 1, GreyPayload());
    EXPECT_TRUE(writer.Save(Dir.File("set.asdb")));
    First.KeepPixels = true;
    Second.KeepPixels = true;
  }
  void ExpectEveryPictureOn(TrndRecordingDevice& device, const TImageSet& set) {
    EXPECT_EQ(OnDevice(device, *set.Image(0)), Picture("Sheet", 8, 2, 1).Textures);
    EXPECT_EQ(OnDevice(device, *set.Image(1)), Picture("Sheet", 4, 1, 2).Textures);
    EXPECT_EQ(OnDevice(device, *set.Image(2)), Picture("Icon", 2, 1, 3).Textures);
    EXPECT_EQ(OnDevice(device, *set.Image(3)), GreyPixels);
  }
  TTempDir Dir;
  TrndRecordingDevice First;
  TrndRecordingDevice Second;
  TMessageCatcher Messages;
};

TEST_F(PictureReload, ANewDeviceGetsEveryPictureFromTheArchiveWithTheGeometryKept) {
  TsysResources res(nullptr, Dir.Path());
  res.SetDevice(&First);
  const TImageSet* set = res.ImageSet(res.LoadArchive(Dir.File("set.asdb")));
  ASSERT_EQ(set->Count(), 4);
  ExpectEveryPictureOn(First, *set);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(set->Image(i)->Textures.empty()) << "on the device alone: " << i;
  res.SetImageGeometry(0, 0, TPointSize{4, 4}, TPointSize{4, 4});

  res.SetDevice(&Second);
  EXPECT_EQ(First.LiveTextures(), 0) << "the old device gave every texture back";
  ExpectEveryPictureOn(Second, *set);
  EXPECT_EQ(set->Image(0)->PatternWidth, 4) << "the geometry set after loading stays";
  EXPECT_EQ(set->Image(0)->PatternCount, 8);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(set->Image(i)->Textures.empty());
  EXPECT_TRUE(Messages.Messages.empty());
}

TEST_F(PictureReload, ADeviceThatLostItsTexturesGetsThemAgainUnderNewIds) {
  TsysResources res(nullptr, Dir.Path());
  res.SetDevice(&First);
  const TImageSet* set = res.ImageSet(res.LoadArchive(Dir.File("set.asdb")));
  const TTextureId before = set->Image(2)->DeviceTextures[0];
  First.LoseEverything();  // nobody listens: the textures are simply gone
  EXPECT_EQ(First.LiveTextures(), 0);
  res.ReloadTextures();
  EXPECT_EQ(First.LiveTextures(), 5);
  EXPECT_NE(set->Image(2)->DeviceTextures[0], before);
  ExpectEveryPictureOn(First, *set);
}

TEST_F(PictureReload, AnArchiveGoneOrChangedLeavesThePicturesBlankAndSaysSo) {
  TsysResources res(nullptr, Dir.Path());
  res.SetDevice(&First);
  const TImageSet* set = res.ImageSet(res.LoadArchive(Dir.File("set.asdb")));
  std::filesystem::remove(Dir.File("set.asdb"));
  res.SetDevice(&Second);
  EXPECT_EQ(Second.LiveTextures(), 0);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(set->Image(i)->DeviceTextures.empty());
  ASSERT_EQ(Messages.Messages.size(), 1u);
  EXPECT_NE(Messages.Messages[0].second.find("4 pictures could not be read again"), std::string::npos);

  // Same keys, other pictures: a picture of another size is not taken for the old one.
  TASDbWriter writer;
  writer.AddImage(Picture("Sheet", 8, 2, 1));
  writer.AddImage(Picture("Sheet", 5, 1, 2));
  writer.AddImage(Picture("Other", 2, 1, 3));
  ASSERT_TRUE(writer.Save(Dir.File("set.asdb")));
  res.SetDevice(&First);
  EXPECT_EQ(OnDevice(First, *set->Image(0)), Picture("Sheet", 8, 2, 1).Textures);
  EXPECT_TRUE(set->Image(1)->DeviceTextures.empty()) << "other size";
  EXPECT_TRUE(set->Image(2)->DeviceTextures.empty()) << "other key";
}

TEST_F(PictureReload, PicturesWithoutAnArchiveKeepTheirPixels) {
  TsysResources res(nullptr, Dir.Path());
  TImageSet* set = res.ImageSet(res.AddImageSet());
  set->Add(std::make_unique<TImage>(Picture("Made", 2, 1, 4)));
  res.SetDevice(&First);
  EXPECT_EQ(set->Image(0)->Textures, Picture("Made", 2, 1, 4).Textures);
  res.SetDevice(&Second);
  EXPECT_EQ(OnDevice(Second, *set->Image(0)), Picture("Made", 2, 1, 4).Textures);
}

// The whole program on the generated data: the device is lost while the game is
// in the background; back in front, every picture and every text is drawn again.
TEST(PictureReloadFlow, ADeviceLostInTheBackgroundDrawsEveryPictureAgain) {
  TTempDir dir;
  std::filesystem::create_directory_symlink(PLOTFRAY_DATA_DIR, dir.Path() + "data");
  TFakeWindow window;
  TFakeClock clock;
  TrndRecordingDevice* device = nullptr;
  TsysPlatform platform;
  platform.Window = &window;
  platform.Clock = &clock;
  platform.CreateDevice = [&]() -> std::unique_ptr<TrndDevice> {
    auto made = std::make_unique<TrndRecordingDevice>();
    made->KeepPixels = true;
    device = made.get();
    return made;
  };
  auto director = std::make_unique<TmodScripting>(platform, dir.Path(), DefaultScreenFactories());
  TsysResources* res = director->Interface->Resources.get();
  ASSERT_GE(res->ImageSetCount(), 4);

  // Every picture as its archive holds it, read without a device.
  TsysResources plain(nullptr, dir.Path());
  std::map<std::pair<int, int>, std::vector<std::vector<std::uint32_t>>> expected;
  int pictures = 0;
  for (int s = 0; s < res->ImageSetCount(); ++s) {
    const TImageSet* set = plain.ImageSet(plain.LoadArchive(res->ImageSet(s)->Source));
    ASSERT_EQ(set->Count(), res->ImageSet(s)->Count());
    for (int i = 0; i < set->Count(); ++i, ++pictures) expected[{s, i}] = set->Image(i)->Textures;
  }
  ASSERT_GT(pictures, 5);

  director->Input->ButtonDown(0, 500, 400, 0);
  director->Input->ButtonUp(0, 500, 400, 0);
  for (int i = 0; i < 40; ++i) director->Events->Tick();
  director->Graphics->RenderFrame();
  const std::size_t quads = device->Scene.size();
  ASSERT_GT(quads, 10u);

  director->Deactivate();
  device->LoseEverything();
  director->Activate();
  director->Graphics->RenderFrame();
  director->Graphics->Present();

  for (int s = 0; s < res->ImageSetCount(); ++s)
    for (int i = 0; i < res->ImageSet(s)->Count(); ++i)
      EXPECT_EQ(OnDevice(*device, *res->ImageSet(s)->Image(i)), (expected[{s, i}])) << "set " << s << " image " << i;
  EXPECT_EQ(device->Scene.size(), quads) << "every picture and text of the screen is drawn again";
  for (const TRecordedQuad& q : device->Scene) {
    int w = 0;
    int h = 0;
    EXPECT_TRUE(device->TextureSize(q.Texture, w, h)) << "a quad drawn with a texture the device no longer has";
  }
}

}  // namespace
