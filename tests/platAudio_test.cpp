// The SDL2_mixer device, run on SDL's dummy audio driver (set by ctest).
#include "platform/platAudio.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "core/sysEventHandler.h"
#include "core/sysRandom.h"
#include "data/sysResources.h"
#include "sound/music.h"
#include "objects/sysInterface.h"
#include "sound/modSound.h"
#include "sound/synth.h"
#include "testSupport.h"

namespace {

// ctest's environment list reaches the tests with only its first entry, so the
// audio driver is asked for here too (an explicit setting still wins).
const bool DummyAudio = setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;

std::vector<std::uint8_t> Beep(double seconds) {
  synth::TVoice v;
  v.Shape = synth::TShape::Sine;
  v.Sustain = seconds;
  v.Decay = 0.0;
  return synth::EncodeWav(synth::ToPcm16(synth::Render(v)), synth::Rate, 1);
}

std::vector<std::uint8_t> ShortOgg(double seconds) {
  music::TStereo s;
  s.L.resize(static_cast<std::size_t>(seconds * synth::Rate));
  for (std::size_t i = 0; i < s.L.size(); ++i) s.L[i] = 0.3f * static_cast<float>(std::sin(i * 0.05));
  s.R = s.L;
  return music::EncodeOgg(s, 0.1f, 1);
}

// Waits for the audio thread, at most a second.
template <typename F>
bool Eventually(F condition) {
  for (int i = 0; i < 100; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

}  // namespace

TEST(PlatformAudio, HundredthsOfADecibelBecomeMixerVolumes) {
  ASSERT_TRUE(DummyAudio);
  EXPECT_EQ(MixerVolume(0), 128);
  EXPECT_EQ(MixerVolume(500), 128);
  EXPECT_EQ(MixerVolume(-600), 64);    // -6 dB is half
  EXPECT_EQ(MixerVolume(-2000), 13);   // -20 dB is a tenth
  EXPECT_EQ(MixerVolume(-4500), 1);    // quietest setting: faint, not silent
  EXPECT_EQ(MixerVolume(-10000), 0);
}

TEST(PlatformAudio, SamplesPlayOnChannelsThatTrackTheirOwnVoices) {
  TplatAudio audio;
  ASSERT_TRUE(audio.Open());
  EXPECT_EQ(audio.MusicState(), TsndMusicState::Ready);
  EXPECT_EQ(audio.CreateSample({'n', 'o', 'p', 'e'}), -1);
  const int longOne = audio.CreateSample(Beep(2.0));
  const int shortOne = audio.CreateSample(Beep(0.03));
  ASSERT_GE(longOne, 0);
  ASSERT_GE(shortOne, 0);

  const TsndVoice a = audio.PlaySample(longOne, -4500, false);
  const TsndVoice b = audio.PlaySample(longOne, 0, false);
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  EXPECT_NE(audio.ChannelOf(a), audio.ChannelOf(b));
  EXPECT_EQ(audio.VolumeOf(a), 1);
  EXPECT_EQ(audio.VolumeOf(b), 128);

  audio.StopVoice(a);
  EXPECT_FALSE(audio.VoicePlaying(a));
  EXPECT_TRUE(audio.VoicePlaying(b));
  // The freed channel goes to a new voice; the old voice stays stopped.
  const TsndVoice c = audio.PlaySample(shortOne, -600, false);
  EXPECT_FALSE(audio.VoicePlaying(a));
  EXPECT_EQ(audio.VolumeOf(c), 64);
  EXPECT_TRUE(Eventually([&] { return !audio.VoicePlaying(c); }));  // ends by itself
  EXPECT_TRUE(audio.VoicePlaying(b));

  const TsndVoice loop = audio.PlaySample(shortOne, 0, true);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(audio.VoicePlaying(loop));
  audio.FreeSample(shortOne);
  EXPECT_FALSE(audio.VoicePlaying(loop));
  EXPECT_EQ(audio.PlaySample(shortOne, 0, false), 0u);
  EXPECT_EQ(audio.PlaySample(99, 0, false), 0u);
}

TEST(PlatformAudio, WhenEveryChannelIsBusyTheOldestGivesWay) {
  TplatAudio audio;
  ASSERT_TRUE(audio.Open());
  const int s = audio.CreateSample(Beep(3.0));
  std::vector<TsndVoice> voices;
  for (int i = 0; i < TplatAudio::Channels; ++i) voices.push_back(audio.PlaySample(s, 0, false));
  const TsndVoice extra = audio.PlaySample(s, 0, false);
  ASSERT_NE(extra, 0u);
  EXPECT_TRUE(audio.VoicePlaying(extra));
  int stillPlaying = 0;
  for (TsndVoice v : voices) stillPlaying += audio.VoicePlaying(v) ? 1 : 0;
  EXPECT_EQ(stillPlaying, TplatAudio::Channels - 1);
}

TEST(PlatformAudio, MusicPlaysFromMemoryWithItsVolume) {
  TplatAudio audio;
  ASSERT_TRUE(audio.Open());
  const auto junk = std::vector<std::uint8_t>{'O', 'g', 'g', 'S', 0, 0};
  EXPECT_EQ(audio.OpenMusic(junk.data(), junk.size()), 0u);
  const auto ogg = ShortOgg(0.3);
  const TsndMusic m = audio.OpenMusic(ogg.data(), ogg.size());
  ASSERT_NE(m, 0u);
  audio.SetMusicVolume(m, 0.5);
  audio.PlayMusic(m, false);
  EXPECT_TRUE(audio.MusicPlaying(m));
  EXPECT_EQ(audio.MusicVolumeNow(), 64);
  audio.SetMusicVolume(m, 0.25);
  EXPECT_EQ(audio.MusicVolumeNow(), 32);
  EXPECT_TRUE(Eventually([&] { return !audio.MusicPlaying(m); }));  // played once, then done

  const TsndMusic again = audio.OpenMusic(ogg.data(), ogg.size());
  audio.PlayMusic(again, true);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_TRUE(audio.MusicPlaying(again));  // repeating outlasts the track
  audio.StopMusic(again);
  EXPECT_FALSE(audio.MusicPlaying(again));
  audio.CloseMusic(again);
  audio.CloseMusic(m);
}

// The output pauses only after RestAfterSteps silent steps in a row, and a
// sound or music resumes it before it starts, so its beginning is mixed.
TEST(PlatformAudio, TheOutputRestsWhileNothingPlaysAndWakesForTheNextSound) {
  TplatAudio audio;
  ASSERT_TRUE(audio.Open());
  const int beep = audio.CreateSample(Beep(0.05));
  const int longOne = audio.CreateSample(Beep(2.0));
  ASSERT_GE(beep, 0);
  auto silentSteps = [&](int n) {
    for (int i = 0; i < n; ++i) audio.RestWhenSilent();
  };
  silentSteps(TplatAudio::RestAfterSteps - 1);
  EXPECT_FALSE(audio.OutputPaused()) << "one step short";
  silentSteps(1);
  EXPECT_TRUE(audio.OutputPaused());

  // An effect while paused: the output runs again and mixes it to its end.
  const TsndVoice v = audio.PlaySample(beep, 0, false);
  ASSERT_NE(v, 0u);
  EXPECT_FALSE(audio.OutputPaused());
  EXPECT_TRUE(audio.VoicePlaying(v));
  EXPECT_TRUE(Eventually([&] { return !audio.VoicePlaying(v); })) << "a paused output would hold it forever";

  // A sound that plays keeps the output up, however long it lasts.
  const TsndVoice held = audio.PlaySample(longOne, 0, false);
  silentSteps(3 * TplatAudio::RestAfterSteps);
  EXPECT_FALSE(audio.OutputPaused());
  audio.StopVoice(held);
  silentSteps(TplatAudio::RestAfterSteps);
  EXPECT_TRUE(audio.OutputPaused());

  // Music starting again wakes it the same way, and plays through.
  const auto ogg = ShortOgg(0.2);
  const TsndMusic m = audio.OpenMusic(ogg.data(), ogg.size());
  ASSERT_NE(m, 0u);
  audio.PlayMusic(m, false);
  EXPECT_FALSE(audio.OutputPaused());
  silentSteps(2 * TplatAudio::RestAfterSteps);
  EXPECT_FALSE(audio.OutputPaused()) << "music plays";
  EXPECT_TRUE(Eventually([&] { return !audio.MusicPlaying(m); }));
  silentSteps(TplatAudio::RestAfterSteps);
  EXPECT_TRUE(audio.OutputPaused());
  audio.CloseMusic(m);
}

TEST(PlatformAudio, AnAudioDriverThatIsNotThereGivesNoDevice) {
  const char* before = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = before != nullptr ? before : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  {
    TplatAudio audio;
    EXPECT_FALSE(audio.Open());
    EXPECT_EQ(audio.CreateSample(Beep(0.01)), -1);
    EXPECT_EQ(audio.PlaySample(0, 0, false), 0u);
  }
  if (before != nullptr)
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  else
    unsetenv("SDL_AUDIODRIVER");
  TplatAudio audio;
  EXPECT_TRUE(audio.Open());
}

TEST(PlatformAudio, TheModulePlaysTheGeneratedBanksOnTheRealDevice) {
  TFakeWindow window;
  TsysEventHandler events(&window);
  TsysInterface iface(&window, &events, std::string(PLOTFRAY_DATA_DIR) + "../");
  TplatAudio* audio = nullptr;
  TmodSound sound(&window, &iface, [&]() -> std::unique_ptr<TsndDevice> {
    auto device = std::make_unique<TplatAudio>();
    audio = device.get();
    return device;
  });
  ASSERT_TRUE(sound.IsReady());
  for (int b = 0; b < 8; ++b) EXPECT_GT(sound.Bank(b).Count(), 0) << EffectBankFiles[b];
  RandomSeed(1);
  sound.PlayEffect(7, 2);
  const TsndVoice doom = sound.Bank(7).Wave(2).Buffers.back();
  EXPECT_TRUE(audio->VoicePlaying(doom));
  EXPECT_EQ(audio->VolumeOf(doom), MixerVolume(iface.Resources->Settings.EffectsVolume - 4500));
  sound.StopEffects();
  EXPECT_FALSE(audio->VoicePlaying(doom));
}
