#pragma once
// The audio device on SDL2_mixer: effect samples as chunks on mixer channels,
// music from memory through the mixer's music stream.
#include <SDL.h>
#include <SDL_mixer.h>

#include <map>
#include <vector>

#include "sound/sndDevice.h"

// The mixer's channel volume (0..128) for a volume in hundredths of a decibel.
// Anything above -100 dB stays audible (at least 1), as quiet sounds should.
int MixerVolume(std::int32_t centibels);

class TplatAudio : public TsndDevice {
 public:
  static constexpr int Channels = 32;

  TplatAudio() = default;
  ~TplatAudio() override;
  TplatAudio(const TplatAudio&) = delete;
  TplatAudio& operator=(const TplatAudio&) = delete;

  bool Open() override;

  int CreateSample(const std::vector<std::uint8_t>& riffWave) override;
  void FreeSample(int sample) override;
  TsndVoice PlaySample(int sample, std::int32_t centibels, bool looped) override;
  void StopVoice(TsndVoice voice) override;
  bool VoicePlaying(TsndVoice voice) override;

  TsndMusicState MusicState() override { return Music; }
  TsndMusic OpenMusic(const std::uint8_t* data, std::size_t size) override;
  void CloseMusic(TsndMusic music) override;
  void PlayMusic(TsndMusic music, bool repeat) override;
  void StopMusic(TsndMusic music) override;
  bool MusicPlaying(TsndMusic music) override;
  void SetMusicVolume(TsndMusic music, double volume) override;
  // Pauses the output after RestAfterSteps steps in which nothing played; a
  // sound or music that starts resumes it first, so its beginning is heard.
  void RestWhenSilent() override;
  static constexpr int RestAfterSteps = 30;
  bool OutputPaused() const { return Paused; }

  // The mixer channel a voice plays on; -1 when it no longer plays.
  int ChannelOf(TsndVoice voice) const;
  // The mixer's volume (0..128) of a playing voice, -1 when it does not play;
  // and of the music stream.
  int VolumeOf(TsndVoice voice) const;
  int MusicVolumeNow() const;

 private:
  struct TMusic {
    Mix_Music* Stream = nullptr;
    double Volume = 1.0;
  };

  void Wake();

  bool SubsystemUp = false;
  bool MixerUp = false;
  bool DecodersUp = false;
  TsndMusicState Music = TsndMusicState::NoDevice;
  std::vector<Mix_Chunk*> Samples;
  // Which voice each channel last started: a channel is reused by later
  // voices, so "is my voice playing" means "my channel plays and is still mine".
  std::vector<TsndVoice> ChannelVoice;
  TsndVoice NextVoice = 1;
  std::map<TsndMusic, TMusic> Musics;
  TsndMusic Current = 0;
  TsndMusic NextMusic = 1;
  // The output the mixer opened; 0 when it cannot be found (never paused then).
  SDL_AudioDeviceID Output = 0;
  bool Paused = false;
  int SilentSteps = 0;
};
