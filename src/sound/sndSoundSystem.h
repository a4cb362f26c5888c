#pragma once
// The music player: tracks of the music archive played from memory, one output
// stream per playing track; a track's bytes are read when it starts and given
// back when it stops.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sound/sndDevice.h"

class TASDb;
class TSoundSystem;

// One music track.
class TSoundData {
 public:
  TSoundData(TsndDevice* device, std::int32_t kind, std::string name, std::int32_t index,
             std::vector<std::uint8_t> data);
  ~TSoundData();
  TSoundData(const TSoundData&) = delete;
  TSoundData& operator=(const TSoundData&) = delete;

  // Nothing when the track has no data or plays already. A stream left from
  // an earlier, finished play is released first; false when the device could
  // not open the data.
  bool Play(bool repeat);
  bool IsPlaying();
  void Stop();
  // 0 .. 100; reaches the stream at once when there is one.
  void SetVolume(std::int32_t volume);
  // Gives the bytes back when they can be read again and no stream uses them.
  void Release();

  bool HasData() const { return !Data.empty() || static_cast<bool>(Reload); }

  TsndDevice* Device;
  std::vector<std::uint8_t> Data;  // the whole record; only while it plays when Reload is set
  // Reads the record again into the vector: set for a track of an archive, whose
  // bytes are then held only from Play to Stop.
  std::function<bool(std::vector<std::uint8_t>&)> Reload;
  std::string Name;
  std::int32_t Kind;
  std::int32_t Index;
  TsndMusic Stream = 0;
  std::int32_t Volume = 100;
};

class TSoundSystem {
 public:
  using TLoadHandler = std::function<void(TSoundSystem* sender, std::int32_t index, const std::string& name)>;
  using TErrorHandler = std::function<void(TSoundSystem* sender, const std::string& message)>;

  // The device may be null: the system then exists without music.
  explicit TSoundSystem(TsndDevice* device);
  ~TSoundSystem();
  TSoundSystem(const TSoundSystem&) = delete;
  TSoundSystem& operator=(const TSoundSystem&) = delete;

  // Checks the device's music side and reports through OnError when it cannot
  // play music; afterwards the system has no device. True when music can play.
  bool Start();

  std::int32_t Count() const { return static_cast<std::int32_t>(Tracks.size()); }
  TSoundData* Track(std::int32_t index) const;
  bool HasDevice() const { return Device != nullptr; }

  // Loads every record of the archive whose key names a sound file; the result
  // of the last load, false when nothing was loaded.
  bool LoadFromArchive(TASDb& db);
  // Reads the record into a new track unless a track of that name is loaded.
  bool LoadSound(const std::string& key, TASDb& db);
  // Appends a track holding the bytes after checking that the device can open
  // them; reports and skips data it cannot.
  bool AddTrack(const std::string& key, std::vector<std::uint8_t> data);
  void Clear();

  void Play(std::int32_t index, bool repeat);
  void Stop(std::int32_t index);
  bool IsPlaying(std::int32_t index) const;
  void SetVolume(std::int32_t index, std::int32_t volume);

  // 1 module, 2 MPEG audio, 3 Ogg Vorbis, 4 WAVE, 5 AIFF, 6 FLAC, 7 Speex,
  // 0 anything else; by the upper-cased extension.
  static std::int32_t KindOfFile(const std::string& name);

  std::int32_t MaxVolume = 0;
  TLoadHandler OnLoad;
  TErrorHandler OnError;

 private:
  void Report(const std::string& message);

  TsndDevice* Device;
  std::vector<std::unique_ptr<TSoundData>> Tracks;
};
