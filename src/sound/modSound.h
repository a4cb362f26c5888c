#pragma once
// The sound module: plays the effect banks and keeps the music going, in answer
// to ekSound events.
#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "core/sysModule.h"
#include "sound/sndDevice.h"
#include "sound/sndSoundSystem.h"
#include "sound/sndWaveBank.h"

class TASDb;
class TsysInterface;

// The effect banks, in bank order.
inline constexpr std::array<const char*, 8> EffectBankFiles = {
    "fxdie.sl", "fxescape.sl", "fxgolose.sl", "fxgowin.sl", "fxkill.sl", "fxmiss.sl", "fxmouseover.sl", "fxpowerups.sl",
};

class TmodSound : public TsysModule {
 public:
  // An empty factory means the build has no audio: the module stays silent
  // without a word. A factory that gives no device, or a device that will not
  // open, brings up the "No Sound :(" box and the module stays silent.
  TmodSound(TsysMainWindow* owner, TsysInterface* iface, const TsndDeviceFactory& createDevice);
  ~TmodSound() override;

  void HandleEvent(TsysEvent* event) override;
  // Starts a random track whenever music is on and none plays.
  void ProcessEvents() override;

  void LoadMusic(const std::string& archivePath);
  void PlayEffect(std::int32_t bank, std::int32_t wave);
  void PlayMusic(std::int32_t index, bool repeat);
  void StopMusic();
  void StopEffects();
  void ApplySettings();

  void SetMusicEnabled(bool on);
  void SetEffectsEnabled(bool on);
  void SetMusicVolume(std::int32_t volume);

  bool IsReady() const { return SoundReady; }
  bool AnyMusicPlaying() const;
  const TsndWaveBank& Bank(std::int32_t index) const { return *EffectBanks[static_cast<std::size_t>(index)]; }
  TSoundSystem* Music() const { return SoundSystem.get(); }

  TsysInterface* Interface;
  bool MusicEnabled = false;
  bool EffectsEnabled = false;
  std::int32_t MusicVolume = 0;
  std::int32_t EffectsVolume = 0;

 private:
  std::unique_ptr<TsndDevice> EffectsDevice;
  std::array<std::unique_ptr<TsndWaveBank>, 8> EffectBanks;
  // Before the tracks, which read from it while they play: it goes after them.
  std::unique_ptr<TASDb> MusicArchive;
  std::unique_ptr<TSoundSystem> SoundSystem;
  bool SoundReady = false;
  // Music failures are logged once each, not every frame the draw hits them.
  std::set<std::string> Reported;
};
