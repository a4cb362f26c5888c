#include "sound/modSound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/sysEventHandler.h"
#include "core/sysRandom.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "sound/genWaveBank.h"
#include "objects/sysInterface.h"
#include "sndFakeAudio.h"
#include "sound/synth.h"
#include "testSupport.h"

namespace {

// Waves per bank, as the game's banks have them.
constexpr int BankSizes[8] = {4, 3, 2, 4, 3, 2, 2, 6};

std::vector<std::uint8_t> Bank(int bank, int count) {
  std::vector<TWaveItem> items;
  for (int w = 0; w < count; ++w) {
    TWaveItem item;
    item.Name = "b" + std::to_string(bank) + "w" + std::to_string(w);
    item.MaxPlayingCount = 2;
    item.Wave = synth::EncodeWav(std::vector<std::int16_t>(8 + w, static_cast<std::int16_t>(100 + bank)), 22050, 1);
    items.push_back(item);
  }
  return EncodeWaveBank(EffectBankFiles[static_cast<std::size_t>(bank)], items);
}

std::vector<std::uint8_t> Ogg(const std::string& tag) {
  std::string s = "OggS" + tag;
  return {s.begin(), s.end()};
}

class SoundModule : public ::testing::Test {
 protected:
  SoundModule() {
    std::filesystem::create_directories(Dir.File("data"));
    for (int b = 0; b < 8; ++b) WriteFileAtomic(Dir.File("data/") + EffectBankFiles[b], Bank(b, BankSizes[b]));
    SetLogFile(Dir.File("log.txt"));
    RandomSeed(1234);
  }
  ~SoundModule() override {
    Sound.reset();
    SetLogFile("");
  }

  void Create() {
    Sound = std::make_unique<TmodSound>(&Window, &Iface, [this]() -> std::unique_ptr<TsndDevice> {
      if (NoDevice) return nullptr;
      auto audio = std::make_unique<TFakeAudio>();
      audio->OpenResult = DeviceOpens;
      audio->Music = MusicState;
      audio->OpenCounter = &Opens;
      Audio = audio.get();
      return audio;
    });
  }
  void AddTracks(int n) {
    for (int i = 0; i < n; ++i) ASSERT_TRUE(Sound->Music()->AddTrack("t" + std::to_string(i) + ".ogg", Ogg(std::to_string(i))));
  }
  void Post(std::uint16_t code, std::intptr_t param = 0, std::int32_t value = 0) {
    TsysEvent e;
    e.Kind = ekSound;
    e.Code = code;
    e.Param = param;
    e.Value = value;
    Sound->HandleEvent(&e);
  }
  // Bank and wave of the n-th effect started, told by the wave's bytes: its
  // level is the bank, its length the wave.
  std::pair<int, int> Started(std::size_t n) const {
    const auto& riff = Audio->Samples.at(static_cast<std::size_t>(Audio->Starts.at(n).Sample));
    for (int b = 0; b < 8; ++b)
      for (int w = 0; w < BankSizes[b]; ++w)
        if (riff == synth::EncodeWav(std::vector<std::int16_t>(8 + w, static_cast<std::int16_t>(100 + b)), 22050, 1))
          return {b, w};
    return {-1, -1};
  }
  std::string Log() const { return ReadText(Dir.File("log.txt")); }
  TSettingsRecord& Settings() { return Iface.Resources->Settings; }

  TTempDir Dir;
  TFakeWindow Window;
  TsysEventHandler Events{&Window};
  TsysInterface Iface{&Window, &Events, Dir.Path()};
  std::unique_ptr<TmodSound> Sound;
  TFakeAudio* Audio = nullptr;
  int Opens = 0;
  bool NoDevice = false;
  bool DeviceOpens = true;
  TsndMusicState MusicState = TsndMusicState::Ready;
};

TEST_F(SoundModule, EachEffectCodePlaysItsBankAndTheRightWave) {
  Create();
  ASSERT_TRUE(Sound->IsReady());
  for (int b = 0; b < 8; ++b) ASSERT_EQ(Sound->Bank(b).Count(), BankSizes[b]);

  // Random waves come from the one generator, uniformly over the bank.
  RandomSeed(99);
  std::vector<int> expected;
  for (int code : {1, 2, 3, 5, 6}) {
    const int bank = code <= 3 ? code - 1 : code - 1;
    for (int i = 0; i < 6; ++i) expected.push_back(Random(BankSizes[bank]));
  }
  RandomSeed(99);
  std::size_t n = 0;
  for (int code : {1, 2, 3, 5, 6}) {
    const int bank = code - 1;
    for (int i = 0; i < 6; ++i, ++n) {
      Post(static_cast<std::uint16_t>(code));
      EXPECT_EQ(Started(n), std::make_pair(bank, expected[n])) << "code " << code;
    }
  }

  const struct {
    std::uint16_t Code;
    std::intptr_t Param;
    int Bank, Wave;
  } chosen[] = {{4, 0, 3, 0}, {4, 3, 3, 3}, {8, 0, 7, 0}, {8, 2, 7, 2}, {8, 5, 7, 5}, {7, 0, 6, 0}, {9, 0, 6, 1}, {7, 4, 6, 0}};
  for (const auto& c : chosen) {
    Post(c.Code, c.Param);
    EXPECT_EQ(Started(n++), std::make_pair(c.Bank, c.Wave)) << "code " << c.Code << " param " << c.Param;
  }
}

TEST_F(SoundModule, ParamsOutsideTheWinAndPowerUpWavesPlayNothing) {
  Create();
  Post(4, 4);
  Post(4, 5);
  Post(4, -1);
  Post(8, 6);
  Post(8, -1);
  Post(0);
  Post(15);
  EXPECT_TRUE(Audio->Starts.empty());
  TsysEvent other;
  other.Kind = ekGame;
  other.Code = 1;
  Sound->HandleEvent(&other);
  EXPECT_TRUE(Audio->Starts.empty());
}

TEST_F(SoundModule, EffectsVolumeRunsFromMinus45DecibelsToFull) {
  Settings().EffectsVolume = 0;
  Create();
  Post(7);
  ASSERT_EQ(Audio->Starts.size(), 1u);
  EXPECT_EQ(Audio->Starts[0].Centibels, -4500);

  // The slider's code plays the kill bank's second wave at the new volume.
  Post(13, 0, 4500);
  ASSERT_EQ(Audio->Starts.size(), 2u);
  EXPECT_EQ(Started(1), std::make_pair(4, 1));
  EXPECT_EQ(Audio->Starts[1].Centibels, 0);
  Post(13, 0, 1200);
  EXPECT_EQ(Audio->Starts[2].Centibels, -3300);
  Post(9);
  EXPECT_EQ(Audio->Starts[3].Centibels, -3300);

  // A settings file with an impossible volume cannot make effects louder than full.
  Post(13, 0, 99999);
  EXPECT_EQ(Audio->Starts[4].Centibels, 0);
  Post(13, 0, -99999);
  EXPECT_EQ(Audio->Starts[5].Centibels, -10000);
  EXPECT_DOUBLE_EQ(LinearVolume(-4500), std::pow(10.0, -45.0 / 20.0));
  EXPECT_DOUBLE_EQ(LinearVolume(0), 1.0);
}

TEST_F(SoundModule, SwitchingEffectsOffStopsThemAndKeepsThemSilent) {
  Create();
  Post(1);
  Post(5);
  EXPECT_EQ(Audio->Playing.size(), 2u);
  Post(11, 0);
  EXPECT_TRUE(Audio->Playing.empty());
  Post(1);
  Post(13, 0, 3000);
  EXPECT_EQ(Audio->Starts.size(), 2u);
  Post(11, 1);
  Post(6);
  EXPECT_EQ(Audio->Starts.size(), 3u);
}

TEST_F(SoundModule, MusicStartsARandomTrackAtItsVolumeAndFollowsTheSwitch) {
  Settings().MusicVolume = 45;
  Create();
  AddTracks(4);
  RandomSeed(5);
  const int first = Random(4);
  RandomSeed(5);
  Sound->ProcessEvents();
  EXPECT_EQ(Audio->PlayingMusic(), "OggS" + std::to_string(first));
  ASSERT_TRUE(Sound->Music()->IsPlaying(first));
  const TsndMusic stream = Sound->Music()->Track(first)->Stream;
  EXPECT_DOUBLE_EQ(Audio->Streams[stream].Volume, 0.45);
  EXPECT_FALSE(Audio->Streams[stream].Repeat);

  // Nothing new starts while a track plays.
  Sound->ProcessEvents();
  EXPECT_EQ(Audio->OpenStreams(), 1);

  Post(12, 0, 80);
  EXPECT_DOUBLE_EQ(Audio->Streams[stream].Volume, 0.8);

  Post(10, 0);
  EXPECT_EQ(Audio->PlayingMusic(), "");
  EXPECT_TRUE(Audio->Streams[stream].Closed);
  Sound->ProcessEvents();
  EXPECT_EQ(Audio->PlayingMusic(), "");

  Post(10, 1);
  EXPECT_EQ(Audio->PlayingMusic(), "");  // not before the next frame
  Sound->ProcessEvents();
  EXPECT_NE(Audio->PlayingMusic(), "");
  EXPECT_DOUBLE_EQ(Audio->Streams.rbegin()->second.Volume, 0.8);
}

TEST_F(SoundModule, WhenATrackEndsTheNextFrameStartsAnotherAndOldStreamsAreReleased) {
  Create();
  AddTracks(4);
  for (int round = 0; round < 10; ++round) {
    Sound->ProcessEvents();
    ASSERT_NE(Audio->PlayingMusic(), "");
    Audio->FinishMusic();
  }
  // A track holds at most one stream: the finished ones are closed on replay.
  EXPECT_LE(Audio->OpenStreams(), 4);
}

TEST_F(SoundModule, FewerThanFourTracksStillPlayAfterSilentDraws) {
  Create();
  AddTracks(1);
  RandomSeed(77);
  std::vector<int> draws;
  for (int i = 0; i < 40; ++i) draws.push_back(Random(4));
  const auto firstZero = std::find(draws.begin(), draws.end(), 0) - draws.begin();
  ASSERT_GT(firstZero, 0);  // the seed gives at least one silent frame first
  RandomSeed(77);
  for (int frame = 0; frame < firstZero; ++frame) {
    Sound->ProcessEvents();
    EXPECT_EQ(Audio->PlayingMusic(), "") << "frame " << frame;
  }
  Sound->ProcessEvents();
  EXPECT_EQ(Audio->PlayingMusic(), "OggS0");
  EXPECT_EQ(Log().find("Unable to play"), std::string::npos);
}

TEST_F(SoundModule, WithoutAnyDeviceTheNoSoundBoxComesUpAndNothingPlays) {
  for (int variant = 0; variant < 2; ++variant) {
    TMessageCatcher boxes;
    NoDevice = variant == 0;
    DeviceOpens = false;
    Create();
    ASSERT_EQ(boxes.Messages.size(), 1u);
    EXPECT_EQ(boxes.Messages[0].first, "No Sound :(");
    EXPECT_EQ(boxes.Messages[0].second,
              "Note: Your audio output device may have exploded, as we are having trouble making it work. Or maybe "
              "someone stole it... Either way, we're sorry, but sound is unavailable.");
    EXPECT_FALSE(Sound->IsReady());
    EXPECT_EQ(Opens, variant);  // the failed device is gone, not asked again
    // No event has an effect, and no frame draws a random number.
    RandomSeed(3);
    const int next = Random(1000);
    RandomSeed(3);
    for (std::uint16_t code = 1; code <= 14; ++code) Post(code, 1, 100);
    Sound->ProcessEvents();
    EXPECT_EQ(Random(1000), next);
    Sound.reset();
  }
}

TEST_F(SoundModule, ABuildWithoutAudioIsSilentWithoutAMessageBox) {
  TMessageCatcher boxes;
  Sound = std::make_unique<TmodSound>(&Window, &Iface, TsndDeviceFactory{});
  EXPECT_FALSE(Sound->IsReady());
  EXPECT_TRUE(boxes.Messages.empty());
  Post(1);
  Sound->ProcessEvents();
}

TEST_F(SoundModule, WhenTheMusicSideFailsEffectsStillPlay) {
  for (TsndMusicState state : {TsndMusicState::NoLibrary, TsndMusicState::NoDevice}) {
    MusicState = state;
    Create();
    EXPECT_TRUE(Sound->IsReady());
    EXPECT_FALSE(Sound->Music()->HasDevice());
    EXPECT_FALSE(Sound->Music()->AddTrack("t.ogg", Ogg("0")));
    Sound->ProcessEvents();
    EXPECT_EQ(Audio->MusicOpens, 0);
    Post(5);
    EXPECT_EQ(Audio->Starts.size(), 1u);
    Sound.reset();
  }
  const std::string log = Log();
  EXPECT_NE(log.find("music: Error initializing sound. The music library was not loaded !"), std::string::npos);
  EXPECT_NE(log.find("music: Error initializing sound. Device Open failed !"), std::string::npos);
}

TEST_F(SoundModule, ADamagedBankIsSkippedWithALogLineAndTheOthersPlay) {
  auto damaged = Bank(2, 2);
  damaged[damaged.size() / 2] = 0x77;
  damaged.resize(damaged.size() - 5);
  WriteFileAtomic(Dir.File("data/fxgolose.sl"), damaged);
  std::filesystem::remove(Dir.File("data/fxmiss.sl"));
  Create();
  EXPECT_EQ(Sound->Bank(2).Count(), 0);
  EXPECT_EQ(Sound->Bank(5).Count(), 0);
  EXPECT_NE(Log().find("fxgolose.sl is damaged"), std::string::npos);
  EXPECT_NE(Log().find("fxmiss.sl cannot be opened"), std::string::npos);
  Post(3);
  Post(6);
  EXPECT_TRUE(Audio->Starts.empty());
  EXPECT_TRUE(Audio->Samples.empty());  // a wave becomes a sample when it first plays
  Post(1);
  Post(4, 2);
  ASSERT_EQ(Audio->Starts.size(), 2u);
  EXPECT_EQ(Audio->Samples.size(), 2u);
  EXPECT_EQ(Started(1), std::make_pair(3, 2));
}

TEST_F(SoundModule, ADamagedMusicTrackIsSkippedWithALogLineAndTheOthersPlay) {
  Create();
  EXPECT_FALSE(Sound->Music()->AddTrack("bad.ogg", {'j', 'u', 'n', 'k'}));
  EXPECT_FALSE(Sound->Music()->AddTrack("empty.ogg", {}));
  AddTracks(2);
  EXPECT_EQ(Sound->Music()->Count(), 2);
  EXPECT_NE(Log().find("music: Error while loading bad.ogg !"), std::string::npos);
  for (int frame = 0; frame < 30 && Audio->PlayingMusic().empty(); ++frame) Sound->ProcessEvents();
  EXPECT_NE(Audio->PlayingMusic(), "");
}

TEST_F(SoundModule, Code14ReadsTheFourSettingsAgain) {
  Create();
  AddTracks(4);
  Sound->ProcessEvents();
  ASSERT_NE(Audio->PlayingMusic(), "");
  Post(5);
  Settings().SoundEffectsOn = 0;
  Settings().MusicOn = 0;
  Settings().EffectsVolume = 100;
  Settings().MusicVolume = 10;
  Post(14);
  EXPECT_TRUE(Audio->Playing.empty());
  EXPECT_EQ(Audio->PlayingMusic(), "");
  EXPECT_FALSE(Sound->EffectsEnabled);
  EXPECT_FALSE(Sound->MusicEnabled);
  EXPECT_EQ(Sound->EffectsVolume, 100);
  EXPECT_EQ(Sound->MusicVolume, 10);
  Settings().SoundEffectsOn = 1;
  Post(14);
  Post(5);
  EXPECT_EQ(Audio->Starts.back().Centibels, -4400);
}

TEST_F(SoundModule, SoundEventsArriveThroughTheBus) {
  Create();
  class TPoster : public TsysEventComponent {} poster;
  Events.Register(&poster);
  Events.Register(Sound.get());
  poster.PostEvent(pmQueued, ekSound, 8, 3, 0);
  poster.PostEvent(pmImmediate, ekSound, 9, 0, 0);
  EXPECT_EQ(Audio->Starts.size(), 1u);  // the immediate one
  Events.Tick();
  ASSERT_EQ(Audio->Starts.size(), 2u);
  EXPECT_EQ(Started(0), std::make_pair(6, 1));
  EXPECT_EQ(Started(1), std::make_pair(7, 3));
  Events.Unregister(Sound.get());
  Events.Unregister(&poster);
  Events.Tick();
}

TEST_F(SoundModule, StopEffectsAndStopMusicLeaveNothingPlayingOrOpen) {
  Create();
  AddTracks(2);
  Sound->ProcessEvents();
  Post(1);
  Post(8, 2);
  Sound->StopEffects();
  EXPECT_TRUE(Audio->Playing.empty());
  Sound->StopMusic();
  EXPECT_EQ(Audio->PlayingMusic(), "");
  EXPECT_EQ(Audio->OpenStreams(), 0);
}

TEST(SoundSystem, KindsOfFileComeFromTheExtension) {
  const std::pair<const char*, int> kinds[] = {
      {"a.mod", 1}, {"a.XM", 1}, {"a.s3m", 1}, {"song.It", 1}, {"a.mp2", 2}, {"a.MP3", 2}, {"t.ogg", 3},
      {"t.wav", 4}, {"t.aiff", 5}, {"t.flac", 6}, {"t.spx", 7}, {"t.txt", 0}, {"ogg", 0}, {"x.ogg.bak", 0},
      {"", 0}};
  for (const auto& [name, kind] : kinds) EXPECT_EQ(TSoundSystem::KindOfFile(name), kind) << name;
}

TEST(SoundSystem, PlayReportsBadIndicesAndVolumesAreClamped) {
  TFakeAudio audio;
  TSoundSystem system(&audio);
  std::vector<std::string> errors;
  std::vector<std::pair<int, std::string>> loads;
  system.OnError = [&](TSoundSystem*, const std::string& m) { errors.push_back(m); };
  system.OnLoad = [&](TSoundSystem*, std::int32_t i, const std::string& n) { loads.emplace_back(i, n); };
  ASSERT_TRUE(system.Start());
  ASSERT_TRUE(system.AddTrack("a.ogg", Ogg("a")));
  ASSERT_TRUE(system.AddTrack("b.ogg", Ogg("b")));
  EXPECT_EQ(loads, (std::vector<std::pair<int, std::string>>{{0, "a.ogg"}, {1, "b.ogg"}}));
  EXPECT_EQ(system.Track(1)->Kind, 3);
  EXPECT_EQ(system.Track(1)->Index, 1);

  system.Play(7, false);
  system.Play(-1, false);
  EXPECT_EQ(errors, (std::vector<std::string>{"Unable to play sound no.:  7", "Unable to play sound no.:  -1"}));
  EXPECT_FALSE(system.IsPlaying(7));

  system.MaxVolume = 30;
  system.Play(0, true);
  const TsndMusic stream = system.Track(0)->Stream;
  EXPECT_TRUE(audio.Streams[stream].Repeat);
  EXPECT_DOUBLE_EQ(audio.Streams[stream].Volume, 0.3);
  const std::pair<int, double> volumes[] = {{150, 1.0}, {100, 1.0}, {99, 0.99}, {98, 0.98}, {0, 0.0}, {-5, 0.0}};
  for (const auto& [set, expect] : volumes) {
    system.SetVolume(0, set);
    EXPECT_DOUBLE_EQ(audio.Streams[stream].Volume, expect) << set;
  }
  // Playing again while it plays changes nothing; after it finished, a fresh stream replaces the old one.
  system.Play(0, true);
  EXPECT_EQ(system.Track(0)->Stream, stream);
  audio.FinishMusic();
  system.Play(0, false);
  EXPECT_NE(system.Track(0)->Stream, stream);
  EXPECT_TRUE(audio.Streams[stream].Closed);
  system.Stop(0);
  EXPECT_EQ(system.Track(0)->Stream, 0u);
  EXPECT_EQ(audio.OpenStreams(), 0);
  system.Stop(9);
  system.SetVolume(9, 10);
}

}  // namespace
