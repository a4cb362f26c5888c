#pragma once
// The audio device the sound module plays through. The SDL2_mixer implementation
// lives in src/platform; tests use a recording fake.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// A started playback of an effect sample; 0 = none. Never reused by a device.
using TsndVoice = std::uint64_t;
// An opened music stream; 0 = none.
using TsndMusic = std::uint64_t;

// What became of the music side when the device opened.
enum class TsndMusicState { Ready, NoLibrary, NoDevice };

class TsndDevice {
 public:
  virtual ~TsndDevice() = default;

  // Opens the output; false when there is no usable audio output at all.
  virtual bool Open() = 0;

  // Effects. A sample is made from a whole RIFF WAVE file; -1 when it cannot be.
  virtual int CreateSample(const std::vector<std::uint8_t>& riffWave) = 0;
  virtual void FreeSample(int sample) = 0;
  // Starts the sample from its beginning at the volume in hundredths of a
  // decibel (0 = full, negative = quieter), pan centred; 0 when it did not start.
  virtual TsndVoice PlaySample(int sample, std::int32_t centibels, bool looped) = 0;
  virtual void StopVoice(TsndVoice voice) = 0;
  virtual bool VoicePlaying(TsndVoice voice) = 0;

  // Music. The bytes given to OpenMusic must stay valid until CloseMusic.
  virtual TsndMusicState MusicState() = 0;
  virtual TsndMusic OpenMusic(const std::uint8_t* data, std::size_t size) = 0;
  virtual void CloseMusic(TsndMusic music) = 0;
  virtual void PlayMusic(TsndMusic music, bool repeat) = 0;
  virtual void StopMusic(TsndMusic music) = 0;
  virtual bool MusicPlaying(TsndMusic music) = 0;
  // 0.0 .. 1.0, linear.
  virtual void SetMusicVolume(TsndMusic music, double volume) = 0;

  // Called on every logic step: an output that has played nothing for a while
  // may pause (no mixing of silence) until the next sound or music starts.
  virtual void RestWhenSilent() {}
};

// Makes the platform's device; an empty factory means the build has no audio.
using TsndDeviceFactory = std::function<std::unique_ptr<TsndDevice>()>;

// Linear gain of a volume in hundredths of a decibel: 10^(cb / 2000).
double LinearVolume(std::int32_t centibels);
