// The archive side of the music player and the module: kept apart because it
// is the only part that reads the music archive.
#include <new>

#include "data/ASDb.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "sound/modSound.h"
#include "sound/sndSoundSystem.h"

bool TSoundSystem::LoadFromArchive(TASDb& db) {
  if (Device == nullptr || !db.EnsureOpen()) return false;
  bool result = false;
  for (std::int32_t i = 0; i < db.RecordCount(); ++i) {
    const std::string key = db.RecordKey(i);
    if (KindOfFile(key) != 0) result = LoadSound(key, db);
  }
  return result;
}

bool TSoundSystem::LoadSound(const std::string& key, TASDb& db) {
  for (const auto& track : Tracks)
    if (track->HasData() && track->Name == key) return true;
  std::vector<std::uint8_t> data;
  try {
    if (!db.ReadRecord(key, data)) {
      Report("Error while loading " + key + " !");
      return false;
    }
  } catch (const std::bad_alloc&) {
    Report("Internal error. Memorystream not assigned !");
    return false;
  }
  if (!AddTrack(key, std::move(data))) return false;
  // Checked whole; from now on read only while it plays. The archive outlives
  // the tracks (the module owns both).
  TSoundData* track = Tracks.back().get();
  track->Reload = [&db, key](std::vector<std::uint8_t>& out) { return db.ReadRecord(key, out); };
  track->Release();
  return true;
}

void TmodSound::LoadMusic(const std::string& archivePath) {
  if (!SoundReady) return;
  MusicArchive->SetFileName(archivePath);
  if (!FileExists(archivePath))
    Interface->Resources->NoteUnreadableData(archivePath, "missing");
  else if (!MusicArchive->EnsureOpen())
    Interface->Resources->NoteUnreadableData(archivePath, "cannot be read");
  SoundSystem->Clear();
  SoundSystem->LoadFromArchive(*MusicArchive);
}
