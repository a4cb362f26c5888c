#include "platform/platAudio.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/sysLog.h"

namespace {

// The mixer keeps the id of the output it opened to itself. It is the only
// output this program opens, and SDL numbers opened outputs from 2 on.
SDL_AudioDeviceID OpenedOutput() {
  for (SDL_AudioDeviceID id = 2; id < 64; ++id)
    if (SDL_GetAudioDeviceStatus(id) != SDL_AUDIO_STOPPED) return id;
  return 0;
}

}  // namespace

int MixerVolume(std::int32_t centibels) {
  if (centibels <= -10000) return 0;
  const long v = std::lround(LinearVolume(std::min(centibels, 0)) * MIX_MAX_VOLUME);
  return static_cast<int>(std::clamp(v, 1L, static_cast<long>(MIX_MAX_VOLUME)));
}

TplatAudio::~TplatAudio() {
  if (MixerUp) {
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (auto& [id, music] : Musics) Mix_FreeMusic(music.Stream);
    for (Mix_Chunk* chunk : Samples)
      if (chunk != nullptr) Mix_FreeChunk(chunk);
    Mix_CloseAudio();
  }
  if (DecodersUp) Mix_Quit();
  if (SubsystemUp) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TplatAudio::Open() {
  if (MixerUp) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    LogLine(std::string("sound: no audio subsystem: ") + SDL_GetError());
    return false;
  }
  SubsystemUp = true;
  // SDL converts to this format if the hardware wants another one.
  if (Mix_OpenAudioDevice(44100, AUDIO_S16SYS, 2, 1024, nullptr, 0) != 0) {
    LogLine(std::string("sound: cannot open the audio output: ") + Mix_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SubsystemUp = false;
    return false;
  }
  MixerUp = true;
  Output = OpenedOutput();
  Mix_AllocateChannels(Channels);
  ChannelVoice.assign(Channels, 0);
  const int decoders = Mix_Init(MIX_INIT_OGG);
  DecodersUp = decoders != 0;
  Music = (decoders & MIX_INIT_OGG) != 0 ? TsndMusicState::Ready : TsndMusicState::NoLibrary;
  if (Music != TsndMusicState::Ready) LogLine(std::string("sound: no Ogg Vorbis decoder: ") + Mix_GetError());
  return true;
}

int TplatAudio::CreateSample(const std::vector<std::uint8_t>& riffWave) {
  if (!MixerUp || riffWave.empty()) return -1;
  SDL_RWops* rw = SDL_RWFromConstMem(riffWave.data(), static_cast<int>(riffWave.size()));
  Mix_Chunk* chunk = rw != nullptr ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (chunk == nullptr) {
    LogLine(std::string("sound: a wave cannot be decoded: ") + Mix_GetError());
    return -1;
  }
  // The mixer converts into a buffer sized for the worst case of its
  // converter; the sound keeps only the bytes it has.
  if (chunk->allocated != 0 && chunk->alen > 0)
    if (void* fitted = SDL_realloc(chunk->abuf, chunk->alen)) chunk->abuf = static_cast<Uint8*>(fitted);
  Samples.push_back(chunk);
  return static_cast<int>(Samples.size() - 1);
}

void TplatAudio::FreeSample(int sample) {
  if (sample < 0 || sample >= static_cast<int>(Samples.size()) || Samples[sample] == nullptr) return;
  // Freeing a chunk halts every channel that plays it.
  Mix_FreeChunk(Samples[sample]);
  Samples[sample] = nullptr;
}

TsndVoice TplatAudio::PlaySample(int sample, std::int32_t centibels, bool looped) {
  if (sample < 0 || sample >= static_cast<int>(Samples.size()) || Samples[sample] == nullptr) return 0;
  int channel = -1;
  for (int c = 0; c < Channels && channel < 0; ++c)
    if (Mix_Playing(c) == 0) channel = c;
  if (channel < 0) {
    // Every channel busy: the sound that has played longest gives way.
    channel = Mix_GroupOldest(-1);
    if (channel < 0) return 0;
    Mix_HaltChannel(channel);
  }
  Wake();
  // The volume is set before the start so no sample plays at the old one.
  Mix_Volume(channel, MixerVolume(centibels));
  if (Mix_PlayChannel(channel, Samples[sample], looped ? -1 : 0) < 0) return 0;
  ChannelVoice[static_cast<std::size_t>(channel)] = NextVoice;
  return NextVoice++;
}

int TplatAudio::ChannelOf(TsndVoice voice) const {
  if (voice == 0) return -1;
  for (int c = 0; c < static_cast<int>(ChannelVoice.size()); ++c)
    if (ChannelVoice[static_cast<std::size_t>(c)] == voice) return Mix_Playing(c) != 0 ? c : -1;
  return -1;
}

int TplatAudio::VolumeOf(TsndVoice voice) const {
  const int channel = ChannelOf(voice);
  return channel >= 0 ? Mix_Volume(channel, -1) : -1;
}

int TplatAudio::MusicVolumeNow() const { return MixerUp ? Mix_VolumeMusic(-1) : 0; }

void TplatAudio::StopVoice(TsndVoice voice) {
  const int channel = ChannelOf(voice);
  if (channel >= 0) Mix_HaltChannel(channel);
}

bool TplatAudio::VoicePlaying(TsndVoice voice) { return ChannelOf(voice) >= 0; }

TsndMusic TplatAudio::OpenMusic(const std::uint8_t* data, std::size_t size) {
  if (!MixerUp || Music != TsndMusicState::Ready || data == nullptr || size == 0 || size > 0x7FFFFFFF) return 0;
  SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
  Mix_Music* stream = rw != nullptr ? Mix_LoadMUS_RW(rw, 1) : nullptr;
  if (stream == nullptr) return 0;
  Musics[NextMusic] = TMusic{stream, 1.0};
  return NextMusic++;
}

void TplatAudio::CloseMusic(TsndMusic music) {
  auto it = Musics.find(music);
  if (it == Musics.end()) return;
  if (Current == music) {
    Mix_HaltMusic();
    Current = 0;
  }
  Mix_FreeMusic(it->second.Stream);
  Musics.erase(it);
}

void TplatAudio::PlayMusic(TsndMusic music, bool repeat) {
  auto it = Musics.find(music);
  if (it == Musics.end()) return;
  Wake();
  // The mixer has one music stream; a new start replaces the old one.
  Mix_VolumeMusic(static_cast<int>(std::lround(it->second.Volume * MIX_MAX_VOLUME)));
  if (Mix_PlayMusic(it->second.Stream, repeat ? -1 : 1) != 0) {
    LogLine(std::string("sound: music does not start: ") + Mix_GetError());
    Current = 0;
    return;
  }
  Current = music;
}

void TplatAudio::StopMusic(TsndMusic music) {
  if (Current != music || music == 0) return;
  Mix_HaltMusic();
  Current = 0;
}

bool TplatAudio::MusicPlaying(TsndMusic music) { return music != 0 && Current == music && Mix_PlayingMusic() != 0; }

void TplatAudio::SetMusicVolume(TsndMusic music, double volume) {
  auto it = Musics.find(music);
  if (it == Musics.end()) return;
  it->second.Volume = std::clamp(volume, 0.0, 1.0);
  if (Current == music) Mix_VolumeMusic(static_cast<int>(std::lround(it->second.Volume * MIX_MAX_VOLUME)));
}

void TplatAudio::RestWhenSilent() {
  if (!MixerUp || Output == 0) return;
  if (Mix_Playing(-1) != 0 || Mix_PlayingMusic() != 0) {
    SilentSteps = 0;
    return;
  }
  // Not at the first silent step: quick clicks would pause and resume it each time.
  if (Paused || ++SilentSteps < RestAfterSteps) return;
  SDL_PauseAudioDevice(Output, 1);
  Paused = true;
}

void TplatAudio::Wake() {
  SilentSteps = 0;
  if (!Paused) return;
  SDL_PauseAudioDevice(Output, 0);
  Paused = false;
}
