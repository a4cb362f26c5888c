#include "sound/sndSoundSystem.h"

#include <algorithm>
#include <cctype>

TSoundData::TSoundData(TsndDevice* device, std::int32_t kind, std::string name, std::int32_t index,
                       std::vector<std::uint8_t> data)
    : Device(device), Data(std::move(data)), Name(std::move(name)), Kind(kind), Index(index) {}

TSoundData::~TSoundData() {
  if (Stream != 0) {
    Device->StopMusic(Stream);
    Device->CloseMusic(Stream);
  }
}

bool TSoundData::Play(bool repeat) {
  if (!HasData() || IsPlaying()) return true;
  if (Stream != 0) {
    // A finished play still holds its stream; a track never holds two.
    Device->CloseMusic(Stream);
    Stream = 0;
  }
  if (Data.empty() && (!Reload || !Reload(Data))) return false;
  Stream = Device->OpenMusic(Data.data(), Data.size());
  if (Stream == 0) {
    Release();
    return false;
  }
  SetVolume(Volume);
  Device->PlayMusic(Stream, repeat);
  return true;
}

bool TSoundData::IsPlaying() { return Stream != 0 && Device->MusicPlaying(Stream); }

void TSoundData::Stop() {
  if (Stream != 0 && IsPlaying()) {
    Device->StopMusic(Stream);
    Device->CloseMusic(Stream);
    Stream = 0;
    Release();
  }
}

void TSoundData::Release() {
  if (!Reload || Stream != 0) return;
  Data.clear();
  Data.shrink_to_fit();
}

void TSoundData::SetVolume(std::int32_t volume) {
  Volume = volume;
  if (Stream == 0) return;
  volume = std::clamp(volume, 0, 100);
  if (volume > 99) volume = 100;
  Device->SetMusicVolume(Stream, volume / 100.0);
}

TSoundSystem::TSoundSystem(TsndDevice* device) : Device(device) {}

TSoundSystem::~TSoundSystem() { Clear(); }

bool TSoundSystem::Start() {
  const TsndMusicState state = Device != nullptr ? Device->MusicState() : TsndMusicState::NoDevice;
  if (state == TsndMusicState::Ready) return true;
  Device = nullptr;
  Report(state == TsndMusicState::NoLibrary ? "Error initializing sound. The music library was not loaded !"
                                            : "Error initializing sound. Device Open failed !");
  return false;
}

TSoundData* TSoundSystem::Track(std::int32_t index) const {
  return index >= 0 && index < Count() ? Tracks[static_cast<std::size_t>(index)].get() : nullptr;
}

bool TSoundSystem::AddTrack(const std::string& key, std::vector<std::uint8_t> data) {
  if (Device == nullptr) return false;
  // Open it once now, so a damaged record is found while loading, not later.
  const TsndMusic probe = data.empty() ? 0 : Device->OpenMusic(data.data(), data.size());
  if (probe == 0) {
    Report("Error while loading " + key + " !");
    return false;
  }
  Device->CloseMusic(probe);
  const std::int32_t index = Count();
  Tracks.push_back(std::make_unique<TSoundData>(Device, KindOfFile(key), key, index, std::move(data)));
  if (OnLoad) OnLoad(this, index, key);
  return true;
}

void TSoundSystem::Clear() { Tracks.clear(); }

void TSoundSystem::Play(std::int32_t index, bool repeat) {
  TSoundData* track = Track(index);
  if (track == nullptr) {
    Report("Unable to play sound no.:  " + std::to_string(index));
    return;
  }
  if (!track->HasData()) {
    Report("Unable to play sound " + track->Name);
    return;
  }
  track->SetVolume(MaxVolume);
  if (!track->Play(repeat)) Report("Unable to play sound " + track->Name);
}

void TSoundSystem::Stop(std::int32_t index) {
  if (TSoundData* track = Track(index)) track->Stop();
}

bool TSoundSystem::IsPlaying(std::int32_t index) const {
  TSoundData* track = Track(index);
  return track != nullptr && track->IsPlaying();
}

void TSoundSystem::SetVolume(std::int32_t index, std::int32_t volume) {
  if (TSoundData* track = Track(index)) track->SetVolume(volume);
}

std::int32_t TSoundSystem::KindOfFile(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return 0;
  std::string ext = name.substr(dot);
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (ext == ".MOD" || ext == ".XM" || ext == ".S3M" || ext == ".IT") return 1;
  if (ext == ".MP2" || ext == ".MP3") return 2;
  if (ext == ".OGG") return 3;
  if (ext == ".WAV") return 4;
  if (ext == ".AIFF") return 5;
  if (ext == ".FLAC") return 6;
  if (ext == ".SPX") return 7;
  return 0;
}

void TSoundSystem::Report(const std::string& message) {
  if (OnError) OnError(this, message);
}
