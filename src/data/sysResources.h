#pragma once
// The one store of persistent and shared state: settings, profiles, high scores,
// the state of the game being played, the image sets and the render targets.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/ASDb.h"
#include "data/sysImages.h"
#include "data/sysLanguageArt.h"
#include "data/sysOptions.h"
#include "data/sysLevelSet.h"
#include "data/sysProgress.h"
#include "data/sysRecords.h"
#include "tables/defLevels.h"
#include "core/rndDevice.h"
#include "core/rndDrawn.h"

class TsysMainWindow;
class TrndGfx;

struct TPointSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// The folder the save files live in: dataPath when it can be written, else
// $XDG_DATA_HOME/plotfray/ (default ~/.local/share/plotfray/), created as needed.
// Always ends in '/'.
std::string ChooseSaveFolder(const std::string& dataPath);

template <std::size_t N = 32>
constexpr std::array<std::int32_t, N> FilledWith(std::int32_t v) {
  std::array<std::int32_t, N> a{};
  for (auto& x : a) x = v;
  return a;
}

class TsysResources {
 public:
  // saveFolder: where the save files live; empty to choose it from dataPath
  // (ChooseSaveFolder).
  TsysResources(TsysMainWindow* owner, std::string dataPath, std::string saveFolder = {});
  ~TsysResources();
  TsysResources(const TsysResources&) = delete;
  TsysResources& operator=(const TsysResources&) = delete;

  std::string DataPath;  // the program folder, with trailing '/'
  // Where "Settings.ini", "Profiles.dat" and "Scores.dat" are kept: DataPath,
  // or the fallback folder when DataPath cannot be written.
  std::string SavePath;

  // --- settings ---
  TSettingsRecord Settings;
  // Takes the record and writes the file; false (and a log line) when it could not.
  bool SaveSettings(const TSettingsRecord& record);
  // The later options ("Options.ini", data/sysOptions.h), kept and saved the same way.
  TOptionsRecord Options;
  bool SaveOptions(const TOptionsRecord& record);

  // --- profiles ---
  std::int32_t ProfileCount() const { return static_cast<std::int32_t>(Profiles.size()); }
  TProfileRecord GetProfile(std::int32_t i) const;
  TProfileRecord GetActiveProfile() const;
  void SetActiveProfile(const TProfileRecord& record);
  void AddProfile(const TProfileRecord& record);
  bool SaveProfiles();
  // Challenge bookkeeping for the game that ended, then the active profile is
  // written back and the file saved (in every kind of game).
  void RecordProgress();
  std::vector<TProfileRecord> Profiles;

  // --- the answer log ("Progress.db", data/sysProgress.h) ---
  std::unique_ptr<TsysProgress> Progress;
  // Takes a profile out of the list, with its answers, and saves; the active
  // profile stays the same player, or becomes the first one left when it was
  // the one deleted (none when no profile is left).
  bool DeleteProfile(std::int32_t index);
  // Renames a profile (its answers keep it) and saves. High-score rows keep
  // the name they were won under.
  bool RenameProfile(std::int32_t index, const std::string& name);
  // The index of a profile of that name, ignoring the case of letters; -1 for none.
  std::int32_t FindProfile(const std::string& name) const;

  // --- high scores ---
  TScoreTables ScoreTables;
  // Enters the current game into its table when Value beats a row (a score equal
  // to a row goes below it); sets ScoreRank (11 = not entered) and saves.
  bool AddScore(std::int32_t value);
  // The highest title whose threshold is not above score; 0 when none is.
  static std::int32_t TitleIndex(std::int32_t gameType, std::int32_t difficulty, std::int32_t score);
  static std::string TitleName(std::int32_t gameType, std::int32_t difficulty, std::int32_t score);
  // Table (game type - 1) * 4 + difficulty; a game type outside 2..3 counts as 1,
  // a difficulty outside 1..3 as 0.
  static std::int32_t ScoreTableIndex(std::int32_t gameType, std::int32_t difficulty);
  // The tables a missing "Scores.dat" starts with; names drawn with Random.
  static TScoreTables DefaultScoreTables();
  bool SaveScores();
  // The tables of slowed games (data/sysSlowScores.h): 75 % speed, then 50 %.
  std::array<TScoreTables, 2> SlowScoreTables;
  // The tables a game at that speed enters: "Scores.dat"'s at full speed.
  TScoreTables& TablesOfSpeed(std::int32_t speed);
  const TScoreTables& TablesOfSpeed(std::int32_t speed) const;
  bool SaveSlowScores();

  // --- what could not be read or saved ---
  // Data files that could not be read, each as "data/x.asdb (missing)"; the
  // director tells the player once loading is over.
  std::vector<std::string> UnreadableData;
  // Notes a data file (a full path or one relative to DataPath) and logs it.
  void NoteUnreadableData(const std::string& path, const std::string& why);
  // Save files that could not be read whole, each said in a sentence for the
  // player: what happened and what was kept. Told once loading is over.
  std::vector<std::string> SaveFileProblems;
  // The same sentences as they read in the language in use now: the saves are
  // read before the language is chosen (it is one of the options).
  std::vector<std::string> SaveFileProblemsNow() const;

  // --- image archives ---
  // Appends a new image set holding the archive's image records in record order
  // and returns its index. The archive is only read, never created. A missing or
  // unreadable archive leaves the set empty; the first image that cannot be read
  // or parsed ends the loading of that archive. Both are noted in UnreadableData.
  // Deferred, only the archive's table is read now and each picture is read the
  // first time it is looked at (TImageSet::Image); a picture found damaged then
  // stays blank and the player is told.
  std::int32_t LoadArchive(const std::string& fileName, bool deferred = false);
  // The pictures with words are shown in that language (data/sysLanguageArt.h;
  // "en" or empty for English): those of archives loaded already from when
  // they are next shown, those of archives loaded later from the start.
  void UsePictureLanguage(const std::string& dataFolder, const std::string& language);
  // Sets an image's tile and visible size; its pattern count follows the tiles.
  void SetImageGeometry(std::int32_t set, std::int32_t image, TPointSize patternSize, TPointSize visibleSize);

  // --- camera ---
  // Drawn: moving the camera marks the scene changed.
  TDrawn<double> CameraX = 0;
  TDrawn<double> CameraY = 0;
  TDrawn<double> Zoom = 1.0;

  // --- pointer ---
  // Where the pointer was last seen, in client pixels (set by the input module):
  // a widget that appears under a still pointer knows at once that it is hovered.
  bool PointerKnown = false;
  std::int32_t PointerX = 0;
  std::int32_t PointerY = 0;
  // Whether the control under the pointer shows it: false once the keys have
  // moved the focus elsewhere, until the pointer moves or presses again.
  bool PointerHoverShown = true;
  // Where the focus of each menu screen (by screen id) was when it was left,
  // in reading order; -1 for none. A screen opened again starts there.
  std::array<std::int32_t, 32> ReturnPlaces = FilledWith(-1);

  // --- state of the game being played ---
  bool GameOver = false;
  bool Paused = false;
  bool MenuOpen = false;
  // The keys are being used to move about the screens: each screen shows its
  // focus at once. A mouse click clears it.
  bool KeyboardPlay = false;
  std::int32_t GameKind = 0;
  std::int32_t GameType = 0;
  std::int32_t Difficulty = 0;
  std::int32_t Score = 0;
  std::int32_t Lives = 0;
  TLevel Level;  // a copy of the current level, changed by level-ups
  std::int32_t LevelNumber = 0;
  std::int32_t LevelKills = 0;
  std::int32_t TotalKills = 0;
  std::int32_t ScoreRank = 0;  // row reached in the high scores, 11 = none
  std::int32_t MissionStartScore = 0;
  std::int32_t MissionStartKills = 0;
  std::int32_t DoomCharge = 0;
  std::int32_t ChallengeIndex = 0;
  std::int32_t HighestCombo = 0;
  std::int32_t ChallengeTimeLeft = 0;  // logic steps
  std::int32_t ChallengeDone = 0;
  std::int32_t CompletedChallenge = -1;
  std::int32_t MissionLevelChoice = 0;
  // A teacher's level set chosen on CLASS LEVELS, played as mission levels
  // (game/libSetPlay.h); null when the missions are the game's own.
  std::shared_ptr<const TLevelSet> PlayingSet;
  // Its name in UTF-8, under which its progress and answers are kept.
  std::string PlayingSetName;
  // Folders of level sets given by --levels, searched besides the usual ones.
  std::vector<std::string> LevelFolders;
  // The game's pace in percent of the usual (GAME SPEED, fixed when a game
  // starts): the monsters' walk and spawning, the challenge clock and the time
  // combo's window all run at it, by moving on only in some logic steps.
  std::int32_t GameSpeed = 100;
  // Whether the game's world moves in this logic step (three of four at 75 %,
  // every other at 50 %); AdvancePace decides it once a running step.
  bool WorldStepDue = true;
  void AdvancePace();
  void ResetPace(std::int32_t speed);

  // --- images and render targets ---
  std::int32_t ImageSetCount() const { return static_cast<std::int32_t>(ImageSets.size()); }
  TImageSet* ImageSet(std::int32_t index) const;
  // Appends a new image set; returns its index.
  std::int32_t AddImageSet();
  void SetDevice(TrndDevice* device);
  // The device lost every texture: the image sets upload their pictures again.
  void ReloadTextures();
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

  TASDb Archive;  // reused for every image archive

 private:
  void ReadSettings();
  void ReadOptions();  // in data/sysOptions.cpp
  void ReadProfiles();
  void ReadScores();
  void ReadSlowScores();  // in data/sysSlowScores.cpp
  // An active profile that is not in the list becomes the first one (none when
  // the list is empty), so that no screen meets a missing player.
  void RepairActiveProfile(bool profilesRead);
  // Forbidden: the file is there but may not be read (its permissions).
  enum class TFileRead { Missing, Read, Unreadable, Forbidden };
  // Reads at most limit bytes of a save file from SavePath, or from DataPath
  // when only that holds one; fromSaveFolder tells which, fileSize the whole size.
  TFileRead ReadSaveFile(const std::string& name, std::vector<std::uint8_t>& bytes, std::size_t limit,
                         bool& fromSaveFolder, std::size_t& fileSize);
  // Moves a damaged or unreadable save file of SavePath out of the way under a
  // new name and returns that name; empty when it could not be moved.
  std::string SetAside(const std::string& name, const std::string& why) const;
  // A save file that may not be read is left as it is and never written over in
  // this run (a write would replace what it holds); the player is told.
  void KeepUnread(const std::string& name, const std::string& lost);
  // Tells the player that a damaged save file was kept aside and what was kept.
  // kept says what was kept, in the language in use when it is called.
  void NoteSetAside(const std::string& name, const std::string& aside, std::function<std::string()> kept);
  // Adds a sentence for the player, composed again each time it is told.
  void NoteProblem(std::function<std::string()> sentence);
  std::vector<std::function<std::string()>> ProblemSentences;
  // A save file of one fixed-size record (settings, options) and what its reader says.
  struct TRecordFile {
    const char* Name;
    std::size_t Size;
    const char* Record;  // "settings record": named when the file is too short
    const char* Kept;    // what the player keeps when the file is set aside
    bool WriteWhenMissing;  // a first run writes the defaults at once
  };
  // Reads a one-record file: decode fills the record and counts its repairs;
  // on a file that cannot be decoded, reset gives the defaults and the file is
  // set aside. True when the record should be written back: repaired, read from
  // the data folder, or set aside. A file that may not be read is kept unread.
  bool ReadRecordFile(const TRecordFile& file,
                      const std::function<bool(const std::vector<std::uint8_t>&, TDecodeNotes&)>& decode,
                      const std::function<void()>& reset);
  // A one-record file that could not be decoded: moved aside (and told) when
  // it holds something. False when it could not be moved, so it is not written over.
  bool SetAsideBadRecord(const std::string& name, TFileRead read, std::size_t fileSize, bool fromSaveFolder,
                         const std::string& record, const std::string& kept);

  // Writes a save file unless it is kept unread; the first failure of a run is
  // told to the player.
  bool WriteSave(const std::string& name, const std::vector<std::uint8_t>& bytes);

  // Points the set's pictures that the language draws anew at its archive.
  void SpeakPictureLanguage(std::int32_t setIndex);  // in data/sysLanguageArt.cpp

  TsysMainWindow* Owner;
  TsysLanguageArt LanguageArt;
  std::int32_t PaceOwed = 0;  // hundredths of a world step carried to the next logic step
  bool SaveFailureTold = false;
  std::vector<std::string> KeptUnread;  // save files not to be written this run
  std::vector<std::unique_ptr<TImageSet>> ImageSets;
  std::vector<TTextureId> Targets;
  std::vector<TrndGfx*> TargetQueue;
};
