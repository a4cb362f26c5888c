#pragma once
// A recording audio device: remembers every sample made, every start with its
// volume, and the music streams; voices play until the test ends them.
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sound/sndDevice.h"

class TFakeAudio : public TsndDevice {
 public:
  struct TStart {
    int Sample;
    std::int32_t Centibels;
    bool Looped;
    TsndVoice Voice;
  };
  struct TStream {
    std::string Data;  // what the stream was opened on
    bool Playing = false;
    bool Repeat = false;
    bool Closed = false;
    double Volume = 1.0;
  };

  bool Open() override {
    ++Opens;
    if (OpenCounter != nullptr) ++*OpenCounter;
    return OpenResult;
  }

  int CreateSample(const std::vector<std::uint8_t>& riffWave) override {
    if (RejectSamples) return -1;
    Samples.push_back(riffWave);
    return static_cast<int>(Samples.size() - 1);
  }
  void FreeSample(int sample) override { Freed.insert(sample); }
  TsndVoice PlaySample(int sample, std::int32_t centibels, bool looped) override {
    const TsndVoice voice = NextVoice++;
    Starts.push_back({sample, centibels, looped, voice});
    Playing.insert(voice);
    return voice;
  }
  void StopVoice(TsndVoice voice) override {
    if (voice != 0 && Playing.erase(voice) > 0) Stopped.push_back(voice);
  }
  bool VoicePlaying(TsndVoice voice) override { return Playing.count(voice) > 0; }

  TsndMusicState MusicState() override { return Music; }
  TsndMusic OpenMusic(const std::uint8_t* data, std::size_t size) override {
    ++MusicOpens;
    // Only what looks like an Ogg stream opens, as with a real decoder.
    if (size < 4 || std::memcmp(data, "OggS", 4) != 0) return 0;
    const TsndMusic id = NextMusic++;
    Streams[id].Data.assign(reinterpret_cast<const char*>(data), size);
    return id;
  }
  void CloseMusic(TsndMusic music) override {
    Streams[music].Closed = true;
    Streams[music].Playing = false;
  }
  void PlayMusic(TsndMusic music, bool repeat) override {
    // One music stream at a time, as on the mixer.
    for (auto& [id, s] : Streams) s.Playing = false;
    Streams[music].Playing = true;
    Streams[music].Repeat = repeat;
  }
  void StopMusic(TsndMusic music) override { Streams[music].Playing = false; }
  bool MusicPlaying(TsndMusic music) override {
    auto it = Streams.find(music);
    return it != Streams.end() && it->second.Playing;
  }
  void SetMusicVolume(TsndMusic music, double volume) override { Streams[music].Volume = volume; }

  // Ends every effect voice and the music, as when they run out.
  void FinishEffects() { Playing.clear(); }
  void FinishMusic() {
    for (auto& [id, s] : Streams) s.Playing = false;
  }
  // The data of the stream that plays now; empty when none.
  std::string PlayingMusic() const {
    for (const auto& [id, s] : Streams)
      if (s.Playing) return s.Data;
    return "";
  }
  int OpenStreams() const {
    int n = 0;
    for (const auto& [id, s] : Streams) n += s.Closed ? 0 : 1;
    return n;
  }

  bool OpenResult = true;
  bool RejectSamples = false;
  TsndMusicState Music = TsndMusicState::Ready;
  int Opens = 0;
  int* OpenCounter = nullptr;  // outlives the device, which a failed open frees
  int MusicOpens = 0;
  std::vector<std::vector<std::uint8_t>> Samples;
  std::set<int> Freed;
  std::vector<TStart> Starts;
  std::set<TsndVoice> Playing;
  std::vector<TsndVoice> Stopped;
  std::map<TsndMusic, TStream> Streams;

 private:
  TsndVoice NextVoice = 1;
  TsndMusic NextMusic = 1;
};
