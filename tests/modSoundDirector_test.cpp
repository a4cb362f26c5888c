// The director and the sound module: created from the platform's audio
// factory, registered in its place, fed the music archive.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/modScripting.h"
#include "core/sysEventHandler.h"
#include "data/ASDbWriter.h"
#include "data/sysFiles.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "render/modGraphics.h"
#include "render/rndRecordingDevice.h"
#include "sndFakeAudio.h"
#include "sound/modSound.h"
#include "testSupport.h"

namespace {

class SoundInDirector : public ::testing::Test {
 protected:
  void Start() {
    TsysPlatform platform;
    platform.Window = &Window;
    platform.Clock = &Clock;
    platform.CreateDevice = [] { return std::make_unique<TrndRecordingDevice>(); };
    platform.CreateAudio = [this]() -> std::unique_ptr<TsndDevice> {
      auto audio = std::make_unique<TFakeAudio>();
      Audio = audio.get();
      return audio;
    };
    WriteStandInCore(Dir.File("data/"));
    Director = std::make_unique<TmodScripting>(platform, Dir.Path(), TScreenFactories{});
  }
  std::ptrdiff_t Place(const TsysEventComponent* c) const {
    const auto& list = Director->Events->Components;
    return std::find(list.begin(), list.end(), c) - list.begin();
  }

  TTempDir Dir;
  TFakeWindow Window;
  TFakeClock Clock;
  TFakeAudio* Audio = nullptr;
  std::unique_ptr<TmodScripting> Director;
};

TEST_F(SoundInDirector, TheSoundModuleComesBetweenTheObjectManagerAndTheGraphicsModule) {
  TMessageCatcher boxes;
  std::filesystem::create_directories(Dir.File("data"));
  std::filesystem::copy_file(std::string(PLOTFRAY_DATA_DIR) + "fxmouseover.sl", Dir.File("data/fxmouseover.sl"));
  Start();
  ASSERT_NE(Director->Sound, nullptr);
  ASSERT_NE(Audio, nullptr);
  EXPECT_TRUE(Director->Sound->IsReady());
  // The data folder holds one bank only: that is told, but no "No Sound :(".
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_EQ(boxes.Messages[0].first, "Game Data Missing");
  EXPECT_NE(boxes.Messages[0].second.find("data/fxdie.sl (missing)"), std::string::npos);
  EXPECT_EQ(boxes.Messages[0].second.find("fxmouseover"), std::string::npos);
  const auto sound = Place(Director->Sound.get());
  EXPECT_EQ(sound, Place(Director->Interface->Objects.get()) + 1);
  EXPECT_EQ(Place(Director->Graphics.get()), sound + 1);

  // Effect requests reach it over the bus; only the one bank given loads.
  EXPECT_EQ(Director->Sound->Bank(6).Count(), 2);
  EXPECT_EQ(Director->Sound->Bank(0).Count(), 0);
  TsysEventComponent poster;
  Director->Events->Register(&poster);
  poster.PostEvent(pmQueued, ekSound, 9, 0, 0);
  poster.PostEvent(pmQueued, ekSound, 1, 0, 0);
  Director->Events->Tick();
  ASSERT_EQ(Audio->Starts.size(), 1u);
  ASSERT_EQ(Audio->Samples.size(), 1u);  // only the wave that played was made
  std::vector<TWaveItem> waves;
  std::string error;
  std::vector<std::uint8_t> bank;
  ASSERT_TRUE(ReadFileBytes(Dir.File("data/fxmouseover.sl"), bank));
  ASSERT_TRUE(ParseWaveBank(bank.data(), bank.size(), waves, error)) << error;
  ASSERT_EQ(waves.size(), 2u);
  EXPECT_EQ(Audio->Samples[static_cast<std::size_t>(Audio->Starts[0].Sample)], waves[1].Wave);
  Director->Events->Unregister(&poster);
  Director->Events->Tick();
}

TEST_F(SoundInDirector, StartupLoadsTheMusicArchiveAndTheFirstFrameStartsATrack) {
  std::filesystem::create_directories(Dir.File("data"));
  TASDbWriter writer;
  for (const char* key : {"a.ogg", "b.ogg", "c.ogg", "d.ogg"}) writer.Add(key, 0, {'O', 'g', 'g', 'S', 0});
  ASSERT_TRUE(writer.Save(Dir.File("data/Music.asdb")));
  Start();
  ASSERT_EQ(Director->Sound->Music()->Count(), 4);
  EXPECT_EQ(Audio->PlayingMusic(), "");
  Director->Events->Tick();
  EXPECT_NE(Audio->PlayingMusic(), "");
}

TEST_F(SoundInDirector, WithoutAnAudioFactoryTheGameRunsSilentWithoutAMessage) {
  TMessageCatcher boxes;
  TsysPlatform platform;
  platform.Window = &Window;
  platform.Clock = &Clock;
  platform.CreateDevice = [] { return std::make_unique<TrndRecordingDevice>(); };
  WriteStandInCore(Dir.File("data/"));
  Director = std::make_unique<TmodScripting>(platform, Dir.Path(), TScreenFactories{});
  ASSERT_NE(Director->Sound, nullptr);
  EXPECT_FALSE(Director->Sound->IsReady());
  for (const auto& m : boxes.Messages) EXPECT_NE(m.first, "No Sound :(");
}

}  // namespace
