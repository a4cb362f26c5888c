#include "sound/modSound.h"

#include <algorithm>

#include "core/sysCatalogue.h"
#include "core/sysLog.h"
#include "core/sysRandom.h"
#include "data/ASDb.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"

namespace {

const char* const NoSoundCaption = TrMark("No Sound :(");
const char* const NoSoundText =
    TrMark("Note: Your audio output device may have exploded, as we are having trouble making it work. Or maybe "
           "someone stole it... Either way, we're sorry, but sound is unavailable.");

}  // namespace

TmodSound::TmodSound(TsysMainWindow* owner, TsysInterface* iface, const TsndDeviceFactory& createDevice)
    : TsysModule(owner), Interface(iface) {
  EventMask = ekSound;
  SoundReady = false;
  if (!createDevice) {
    LogLine("sound: no audio output in this build; the game runs silent");
    return;
  }
  EffectsDevice = createDevice();
  if (!EffectsDevice || !EffectsDevice->Open()) {
    EffectsDevice.reset();
    ShowMessage(Tr(NoSoundCaption), Tr(NoSoundText));
    return;
  }
  for (std::size_t i = 0; i < EffectBanks.size(); ++i) {
    EffectBanks[i] = std::make_unique<TsndWaveBank>(EffectsDevice.get());
    const std::string path = Interface->DataFolder + EffectBankFiles[i];
    if (!EffectBanks[i]->LoadFromFile(path))
      Interface->Resources->NoteUnreadableData(path, FileExists(path) ? "cannot be read" : "missing");
  }
  SoundSystem = std::make_unique<TSoundSystem>(EffectsDevice.get());
  SoundSystem->OnLoad = [](TSoundSystem*, std::int32_t, const std::string&) {};
  // Logged rather than ignored, once per message: a missing or damaged track
  // should be findable in the log without flooding it every frame.
  SoundSystem->OnError = [this](TSoundSystem*, const std::string& message) {
    if (Reported.insert(message).second) LogLine("music: " + message);
  };
  SoundSystem->Start();
  MusicArchive = std::make_unique<TASDb>();
  MusicArchive->OpenMode = opReadOnly;  // the data folder is only ever read
  ApplySettings();
  SoundReady = true;
}

TmodSound::~TmodSound() {
  for (auto& bank : EffectBanks) bank.reset();
  MusicArchive.reset();
  if (SoundSystem) StopMusic();
  SoundSystem.reset();
  EffectsDevice.reset();
}

void TmodSound::HandleEvent(TsysEvent* event) {
  TsysModule::HandleEvent(event);
  if (!SoundReady || event->Kind != ekSound) return;
  auto randomWave = [this](std::int32_t bank) { return Random(EffectBanks[static_cast<std::size_t>(bank)]->Count()); };
  switch (event->Code) {
    case 1:
    case 2:
    case 3:
      PlayEffect(event->Code - 1, randomWave(event->Code - 1));
      break;
    case 4:
      if (event->Param >= 0 && event->Param <= 3) PlayEffect(3, static_cast<std::int32_t>(event->Param));
      break;
    case 5:
      PlayEffect(4, randomWave(4));
      break;
    case 6:
      PlayEffect(5, randomWave(5));
      break;
    case 7:
      PlayEffect(6, 0);
      break;
    case 8:
      if (event->Param >= 0 && event->Param <= 5) PlayEffect(7, static_cast<std::int32_t>(event->Param));
      break;
    case 9:
      PlayEffect(6, 1);
      break;
    case 10:
      SetMusicEnabled(event->Param != 0);
      break;
    case 11:
      SetEffectsEnabled(event->Param != 0);
      break;
    case 12:
      SetMusicVolume(event->Value);
      break;
    case 13:
      EffectsVolume = event->Value;
      PlayEffect(4, 1);
      break;
    case 14:
      ApplySettings();
      break;
    default:
      break;
  }
}

void TmodSound::ProcessEvents() {
  TsysModule::ProcessEvents();
  if (SoundReady && MusicEnabled && !AnyMusicPlaying()) PlayMusic(Random(4), false);
  if (EffectsDevice) EffectsDevice->RestWhenSilent();
}

void TmodSound::PlayEffect(std::int32_t bank, std::int32_t wave) {
  if (!SoundReady || !EffectsEnabled || bank < 0 || bank >= static_cast<std::int32_t>(EffectBanks.size())) return;
  // The device range: full volume at most, -100 dB at least, whatever the settings file says.
  const std::int32_t centibels = std::clamp(EffectsVolume - 4500, -10000, 0);
  EffectBanks[static_cast<std::size_t>(bank)]->Play(wave, centibels);
}

void TmodSound::PlayMusic(std::int32_t index, bool repeat) {
  if (!SoundReady || !MusicEnabled || index < 0 || index >= SoundSystem->Count()) return;
  SoundSystem->Play(index, repeat);
  SoundSystem->SetVolume(index, MusicVolume);
}

void TmodSound::StopMusic() {
  for (std::int32_t i = 0; i < SoundSystem->Count(); ++i) SoundSystem->Stop(i);
}

void TmodSound::StopEffects() {
  for (auto& bank : EffectBanks)
    if (bank) bank->StopAll();
}

bool TmodSound::AnyMusicPlaying() const {
  if (!SoundSystem) return false;
  for (std::int32_t i = 0; i < SoundSystem->Count(); ++i)
    if (SoundSystem->IsPlaying(i)) return true;
  return false;
}

void TmodSound::SetMusicEnabled(bool on) {
  MusicEnabled = on;
  if (!on) StopMusic();
}

void TmodSound::SetEffectsEnabled(bool on) {
  EffectsEnabled = on;
  if (!on) StopEffects();
}

void TmodSound::SetMusicVolume(std::int32_t volume) {
  MusicVolume = volume;
  for (std::int32_t i = 0; i < SoundSystem->Count(); ++i)
    if (SoundSystem->IsPlaying(i)) SoundSystem->SetVolume(i, volume);
}

void TmodSound::ApplySettings() {
  const TSettingsRecord& settings = Interface->Resources->Settings;
  SetEffectsEnabled(settings.SoundEffectsOn != 0);
  EffectsVolume = settings.EffectsVolume;
  SetMusicEnabled(settings.MusicOn != 0);
  SetMusicVolume(settings.MusicVolume);
}
