#pragma once
// The one store of persistent and shared state: settings, profiles, high scores,
// the state of the game being played, the image sets and the render targets.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/sysImages.h"
#include "render/rndDevice.h"

class TsysMainWindow;
class TrndGfx;

// The 24-byte settings record of "Settings.ini".
struct TSettingsRecord {
  std::uint8_t Fullscreen = 1;
  std::uint8_t Antialias = 1;
  std::uint8_t BlendingEffects = 1;
  std::uint8_t ShowFPS = 0;
  std::uint8_t SoundEffectsOn = 1;
  std::uint8_t MusicOn = 1;
  std::uint16_t Reserved6 = 0;
  std::int32_t EffectsVolume = 3000;
  std::int32_t MusicVolume = 45;
  std::int32_t ActiveProfile = -1;
  std::int32_t Reserved20 = 0;
};

struct TPointSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

struct TMissionProgress {
  std::int32_t LevelsDone = 0;
  std::int32_t MissionScore = 0;
  std::int32_t MissionKills = 0;
};

struct TChallengeRecord {
  bool Completed[4] = {false, false, false, false};
  std::int32_t Best[4] = {0, 0, 0, 0};
  std::int32_t BestTime[4] = {0, 0, 0, 0};
};

// One player's profile: a 504-byte record of "Profiles.dat".
struct TProfileRecord {
  std::string Name;  // up to 17 characters
  std::int32_t MissionDifficulty = 1;
  std::int32_t ArcadeDifficulty = 1;
  std::int32_t ChallengeDifficulty = 1;
  std::uint8_t Reserved32[3] = {0, 0, 0};
  TMissionProgress MissionProgress[3];
  TChallengeRecord ChallengeRecords[12];
};

class TsysResources {
 public:
  TsysResources(TsysMainWindow* owner, std::string dataPath);
  ~TsysResources();
  TsysResources(const TsysResources&) = delete;
  TsysResources& operator=(const TsysResources&) = delete;

  std::string DataPath;

  // --- settings ---
  TSettingsRecord Settings;
  void SaveSettings(const TSettingsRecord& record);

  // --- profiles ---
  std::int32_t ProfileCount() const { return static_cast<std::int32_t>(Profiles.size()); }
  TProfileRecord GetProfile(std::int32_t i) const;
  TProfileRecord GetActiveProfile() const;
  void SetActiveProfile(const TProfileRecord& record);
  void AddProfile(const TProfileRecord& record);
  bool SaveProfiles();
  void RecordProgress();
  std::vector<TProfileRecord> Profiles;

  // --- image archives ---
  std::int32_t LoadArchive(const std::string& fileName);
  void SetImageGeometry(std::int32_t set, std::int32_t image, TPointSize patternSize, TPointSize visibleSize);

  // --- camera ---
  double CameraX = 0;
  double CameraY = 0;
  double Zoom = 1.0;

  // --- state of the game being played ---
  bool GameOver = false;
  bool Paused = false;
  bool MenuOpen = false;
  std::int32_t GameKind = 0;
  std::int32_t GameType = 0;
  std::int32_t Difficulty = 0;
  std::int32_t Score = 0;
  std::int32_t Lives = 0;
  std::int32_t LevelNumber = 0;
  std::int32_t LevelKills = 0;
  std::int32_t TotalKills = 0;
  std::int32_t ScoreRank = 0;
  std::int32_t MissionStartScore = 0;
  std::int32_t MissionStartKills = 0;
  std::int32_t DoomCharge = 0;
  std::int32_t ChallengeIndex = 0;
  std::int32_t HighestCombo = 0;
  std::int32_t ChallengeTimeLeft = 0;
  std::int32_t ChallengeDone = 0;
  std::int32_t CompletedChallenge = -1;
  std::int32_t MissionLevelChoice = 0;

  // --- images and render targets ---
  std::int32_t ImageSetCount() const { return static_cast<std::int32_t>(ImageSets.size()); }
  TImageSet* ImageSet(std::int32_t index) const;
  // Appends a new image set; returns its index.
  std::int32_t AddImageSet();
  void SetDevice(TrndDevice* device);
  TrndDevice* Device = nullptr;

  // A render target of the given size; 0 (and a message) when it could not be made.
  TTextureId CreateRenderTarget(std::int32_t width, std::int32_t height, std::int32_t format);
  void FreeRenderTarget(TTextureId texture);
  void ClearRenderTargets();

  void QueueTargetPaint(TrndGfx* item);
  // Takes an item off the queue (an item that is freed or re-queued).
  void UnqueueTargetPaint(TrndGfx* item);
  std::int32_t QueuedCount() const { return static_cast<std::int32_t>(TargetQueue.size()); }
  TrndGfx* QueuedItem(std::int32_t i) const;
  void ClearQueue() { TargetQueue.clear(); }

 private:
  TsysMainWindow* Owner;
  std::vector<std::unique_ptr<TImageSet>> ImageSets;
  std::vector<TTextureId> Targets;
  std::vector<TrndGfx*> TargetQueue;
};
