#include "data/sysResources.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/sysCatalogue.h"
#include "core/sysLog.h"
#include "core/sysRandom.h"
#include "data/ImagePayload.h"
#include "data/sysFiles.h"
#include "data/sysSlowScores.h"
#include "data/sysFolders.h"
#include "tables/defChallenges.h"
#include "tables/defMonsters.h"
#include "tables/defTitles.h"

namespace {

const char* const SettingsFile = "Settings.ini";
const char* const ProfilesFile = "Profiles.dat";
const char* const ScoresFile = "Scores.dat";

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// The challenge values a finished game is measured by.
std::int32_t ChallengeResult(std::int32_t goal, const TsysResources& r) {
  switch (goal) {
    case ChallengeGoal::Scoreathon:
    case ChallengeGoal::BeatTheClock: return r.Score;
    case ChallengeGoal::Killenate: return r.TotalKills;
    case ChallengeGoal::ComboToTheMax: return r.HighestCombo;
    default: return 0;
  }
}

}  // namespace

std::string ChooseSaveFolder(const std::string& dataPath) {
  const std::string programFolder = WithSlash(dataPath);
  if (FolderWritable(programFolder)) {
    LogLine("saves are kept in the program folder " + programFolder);
    return programFolder;
  }
  const std::string folder = UserSaveFolder();
  if (folder.empty()) {
    LogLine("the program folder " + programFolder + " cannot be written, nor the user's data folder: saves will fail");
    return programFolder;
  }
  LogLine("the program folder " + programFolder + " cannot be written; saves are kept in " + folder);
  return folder;
}

TsysResources::TsysResources(TsysMainWindow* owner, std::string dataPath, std::string saveFolder)
    : DataPath(std::move(dataPath)), Owner(owner) {
  // The data folder is only ever read.
  Archive.OpenMode = opReadOnly;
  SavePath = saveFolder.empty() ? ChooseSaveFolder(DataPath) : WithSlash(std::move(saveFolder));
  // A save cut short by a kill leaves its temporary file behind; the file it was
  // to replace is whole, so the leftover goes.
  for (const char* name : {SettingsFile, ProfilesFile, ScoresFile, OptionsFile, SlowScoresFile}) {
    const std::string leftover = SavePath + name + ".tmp";
    if (FileExists(leftover) && std::remove(leftover.c_str()) == 0)
      LogLine("removed " + leftover + ", left by a save that was cut short");
  }
  ReadSettings();
  ReadOptions();
  ReadProfiles();
  RepairActiveProfile(std::find(KeptUnread.begin(), KeptUnread.end(), ProfilesFile) == KeptUnread.end());
  ReadScores();
  ReadSlowScores();
  Progress = std::make_unique<TsysProgress>(SavePath);
  for (const std::string& problem : Progress->Problems) NoteProblem([problem] { return problem; });
  TargetQueue.reserve(64);
  Zoom = 1.0;
  GameOver = false;
  MenuOpen = false;
  CompletedChallenge = -1;
}

TsysResources::~TsysResources() {
  ClearQueue();
  ImageSets.clear();
  ClearRenderTargets();
}

TImageSet* TsysResources::ImageSet(std::int32_t index) const {
  if (index < 0 || index >= ImageSetCount()) return nullptr;
  return ImageSets[static_cast<std::size_t>(index)].get();
}

std::int32_t TsysResources::AddImageSet() {
  ImageSets.push_back(std::make_unique<TImageSet>(Device));
  return ImageSetCount() - 1;
}

void TsysResources::SetDevice(TrndDevice* device) {
  Device = device;
  for (auto& set : ImageSets) set->SetDevice(device);
}

void TsysResources::ReloadTextures() {
  for (auto& set : ImageSets) set->ReloadTextures();
}

TTextureId TsysResources::CreateRenderTarget(std::int32_t width, std::int32_t height, std::int32_t) {
  // Without a device (before start-up hands it over) there is nothing to draw into yet.
  if (Device == nullptr) return 0;
  TTextureId id = Device->CreateRenderTarget(width, height);
  if (id == 0) {
    ShowMessage("", "TsysResources Error: Render Target Failed to create.");
    return 0;
  }
  Targets.push_back(id);
  return id;
}

void TsysResources::FreeRenderTarget(TTextureId texture) {
  auto it = std::find(Targets.begin(), Targets.end(), texture);
  if (it == Targets.end()) return;
  Targets.erase(it);
  if (Device != nullptr) Device->FreeTexture(texture);
}

void TsysResources::ClearRenderTargets() {
  if (Device != nullptr)
    for (TTextureId id : Targets) Device->FreeTexture(id);
  Targets.clear();
}

void TsysResources::QueueTargetPaint(TrndGfx* item) { TargetQueue.push_back(item); }

void TsysResources::UnqueueTargetPaint(TrndGfx* item) {
  TargetQueue.erase(std::remove(TargetQueue.begin(), TargetQueue.end(), item), TargetQueue.end());
}

TrndGfx* TsysResources::QueuedItem(std::int32_t i) const {
  if (i < 0 || i >= QueuedCount()) return nullptr;
  return TargetQueue[static_cast<std::size_t>(i)];
}

// ---- save files

TsysResources::TFileRead TsysResources::ReadSaveFile(const std::string& name, std::vector<std::uint8_t>& bytes,
                                                     std::size_t limit, bool& fromSaveFolder, std::size_t& fileSize) {
  fromSaveFolder = true;
  fileSize = 0;
  std::string path = SavePath + name;
  if (!FileExists(path)) {
    // Saves made while the program folder was writable are carried over.
    const std::string old = WithSlash(DataPath) + name;
    if (SavePath == WithSlash(DataPath) || !FileExists(old)) return TFileRead::Missing;
    LogLine("taking " + name + " from the program folder " + WithSlash(DataPath));
    fromSaveFolder = false;
    path = old;
  }
  if (!ReadFilePrefix(path, bytes, limit, fileSize)) {
    const int why = errno;
    LogLine("cannot read " + path + ": " + std::strerror(why));
    return why == EACCES || why == EPERM ? TFileRead::Forbidden : TFileRead::Unreadable;
  }
  return TFileRead::Read;
}

std::string TsysResources::SetAside(const std::string& name, const std::string& why) const {
  const std::string path = SavePath + name;
  std::string aside = path + ".damaged";
  for (int n = 2; FileExists(aside) && n < 1000; ++n) aside = path + ".damaged." + std::to_string(n);
  if (std::rename(path.c_str(), aside.c_str()) == 0) {
    NoteFileChanged(aside);
    LogLine(path + " " + why + "; the file is kept as " + aside);
    return aside;
  }
  LogLine(path + " " + why + "; it could not be moved aside (" + std::strerror(errno) + ") and is left as it is");
  return "";
}

void TsysResources::KeepUnread(const std::string& name, const std::string& lost) {
  KeptUnread.push_back(name);
  // TRANSLATORS: a file's name, then what is not kept, such as "new high scores".
  NoteProblem([name, lost] {
    return Format(Tr("%1$s may not be read (its permissions forbid it). It is left as it is and not "
                     "written over, so %2$s will not be kept until the game is allowed to read it."),
                  {name, Tr(lost)});
  });
}

void TsysResources::NoteSetAside(const std::string& name, const std::string& aside, std::function<std::string()> kept) {
  NoteProblem([name, aside, kept = std::move(kept)] {
    // TRANSLATORS: a file's name, then what became of it, such as "3 players were read whole".
    std::string text = Format(Tr("%1$s was damaged; %2$s."), {name, kept()});
    if (!aside.empty())
      text += " " + Format(Tr("The damaged file is kept as %s."), {aside.substr(aside.rfind('/') + 1)});
    return text;
  });
}

void TsysResources::NoteProblem(std::function<std::string()> sentence) {
  SaveFileProblems.push_back(sentence());
  ProblemSentences.push_back(std::move(sentence));
}

std::vector<std::string> TsysResources::SaveFileProblemsNow() const {
  std::vector<std::string> now;
  for (const auto& sentence : ProblemSentences) now.push_back(sentence());
  return now;
}

bool TsysResources::SetAsideBadRecord(const std::string& name, TFileRead read, std::size_t fileSize,
                                      bool fromSaveFolder, const std::string& record, const std::string& kept) {
  if (!fromSaveFolder) return true;
  std::string why;
  if (read == TFileRead::Unreadable) why = "cannot be read";
  if (read == TFileRead::Read && fileSize > 0)
    why = "holds " + std::to_string(fileSize) + " bytes, less than one " + record;
  if (why.empty()) return true;
  const std::string aside = SetAside(name, why);
  NoteSetAside(name, aside, [kept] { return std::string(Tr(kept)); });
  return !aside.empty();
}

bool TsysResources::ReadRecordFile(
    const TRecordFile& file, const std::function<bool(const std::vector<std::uint8_t>&, TDecodeNotes&)>& decode,
    const std::function<void()>& reset) {
  std::vector<std::uint8_t> bytes;
  bool fromSaveFolder = true;
  std::size_t fileSize = 0;
  const TFileRead read = ReadSaveFile(file.Name, bytes, file.Size, fromSaveFolder, fileSize);
  TDecodeNotes notes;
  if (read == TFileRead::Forbidden) {
    reset();
    KeepUnread(file.Name, TrMark("changed options"));
    return false;
  }
  if (read == TFileRead::Read && decode(bytes, notes)) {
    if (notes.Repaired == 1) LogLine(std::string(file.Name) + ": 1 value outside its range was replaced by its default");
    if (notes.Repaired > 1)
      LogLine(std::string(file.Name) + ": " + std::to_string(notes.Repaired) +
              " values outside their ranges were replaced by their defaults");
    return notes.Repaired > 0 || !fromSaveFolder;
  }
  // Missing, empty, short or unreadable: the defaults, written unless a
  // damaged file could not be moved out of the way.
  reset();
  if (read == TFileRead::Missing && !file.WriteWhenMissing) return false;
  return SetAsideBadRecord(file.Name, read, fileSize, fromSaveFolder, file.Record, file.Kept);
}

void TsysResources::ReadSettings() {
  const TRecordFile file{SettingsFile, SettingsRecordSize, "settings record",
                         TrMark("the options are back to how the game starts"), true};
  if (ReadRecordFile(
          file,
          [this](const std::vector<std::uint8_t>& bytes, TDecodeNotes& notes) {
            return DecodeSettings(bytes.data(), bytes.size(), Settings, notes);
          },
          [this] { Settings = TSettingsRecord{}; }))
    SaveSettings(Settings);
}

void TsysResources::ReadProfiles() {
  Profiles.clear();
  std::vector<std::uint8_t> bytes;
  bool fromSaveFolder = true;
  std::size_t fileSize = 0;
  const TFileRead read = ReadSaveFile(ProfilesFile, bytes, MaxProfilesFileSize, fromSaveFolder, fileSize);
  if (read == TFileRead::Missing) return;
  if (read == TFileRead::Forbidden) return KeepUnread(ProfilesFile, TrMark("new players and their progress"));
  if (read == TFileRead::Unreadable) {
    // Never written over: the next save would replace every profile in it.
    if (fromSaveFolder)
      NoteSetAside(ProfilesFile, SetAside(ProfilesFile, "cannot be read"),
                   [] { return std::string(Tr("no player could be read")); });
    return;
  }
  TDecodeNotes notes;
  const std::size_t leftOver = DecodeProfiles(bytes.data(), bytes.size(), Profiles, notes);
  std::string damage;
  if (fileSize > MaxProfilesFileSize)
    damage = "holds " + std::to_string(fileSize) + " bytes, more than " + std::to_string(MaxProfileCount) +
             " profiles; only the first " + std::to_string(MaxProfileCount) + " records were looked at";
  else if (leftOver != 0)
    damage = "ends in " + std::to_string(leftOver) + " bytes that are not a whole profile";
  if (notes.Rejected > 0)
    damage += (damage.empty() ? "" : "; ") + std::to_string(notes.Rejected) +
              " records are not profiles (" + notes.Why + ")";
  if (!damage.empty()) {
    damage += "; kept " + std::to_string(Profiles.size()) + " whole profiles";
    // The repaired file is written only once the damaged one is safe.
    const std::string aside = fromSaveFolder ? SetAside(ProfilesFile, damage) : "";
    if (!fromSaveFolder) LogLine(std::string(ProfilesFile) + " " + damage);
    if (!fromSaveFolder || !aside.empty()) SaveProfiles();
    NoteSetAside(ProfilesFile, aside, [n = Profiles.size()] {
      return n == 0 ? std::string(Tr("no player could be read from it"))
                    : Format(TrN("%s player was read whole", "%s players were read whole", n), {std::to_string(n)});
    });
  } else if (!fromSaveFolder) {
    SaveProfiles();
  }
}

void TsysResources::RepairActiveProfile(bool profilesRead) {
  const std::int32_t active = Settings.ActiveProfile;
  if (active >= -1 && active < ProfileCount() && (active >= 0 || ProfileCount() == 0)) return;
  TSettingsRecord repaired = Settings;
  repaired.ActiveProfile = ProfileCount() > 0 ? 0 : -1;
  LogLine(std::string(SettingsFile) + ": the active profile " + std::to_string(active) + " is not one of the " +
          std::to_string(ProfileCount()) + " profiles; " +
          (ProfileCount() > 0 ? "the first profile is made active" : "none is active"));
  // Kept in memory only while the profiles could not be read: they are still there.
  if (profilesRead)
    SaveSettings(repaired);
  else
    Settings = repaired;
}

void TsysResources::ReadScores() {
  std::vector<std::uint8_t> bytes;
  bool fromSaveFolder = true;
  std::size_t fileSize = 0;
  const TFileRead read = ReadSaveFile(ScoresFile, bytes, ScoresFileSize, fromSaveFolder, fileSize);
  TDecodeNotes notes;
  if (read == TFileRead::Forbidden) {
    ScoreTables = DefaultScoreTables();
    return KeepUnread(ScoresFile, TrMark("new high scores"));
  }
  if (read == TFileRead::Read && fileSize == 0) {
    DecodeScores(bytes.data(), 0, ScoreTables, notes);
    LogLine(SavePath + ScoresFile + " is empty; the high-score tables start empty");
    return;
  }
  if (read == TFileRead::Read) {
    const std::size_t entries = DecodeScores(bytes.data(), bytes.size(), ScoreTables, notes);
    std::string damage;
    std::function<std::string()> kept;
    if (notes.Rejected * 2 > static_cast<std::int32_t>(entries)) {
      // Mostly rows no game could have written: not high scores at all.
      ScoreTables = DefaultScoreTables();
      damage = "does not hold high scores (" + std::to_string(notes.Rejected) + " of its " + std::to_string(entries) +
               " rows are impossible; " + notes.Why + ")";
      kept = [] { return std::string(Tr("the high scores are back to how the game starts")); };
    } else {
      if (fileSize < ScoresFileSize)
        damage = "holds " + std::to_string(fileSize) + " bytes, less than the 4800 of the tables";
      if (notes.Rejected > 0)
        damage += (damage.empty() ? "" : "; ") + std::to_string(notes.Rejected) + " rows are impossible (" +
                  notes.Why + ")";
      // Only real scores are counted: an empty row read whole is no score kept.
      std::size_t good = 0;
      for (const TScoreTable& table : ScoreTables)
        for (const TScoreEntry& e : table) good += !IsEmptyScore(e);
      kept = [good] {
        return Format(TrN("%s high score was read whole", "%s high scores were read whole", good), {std::to_string(good)});
      };
      if (!damage.empty()) damage += "; kept " + std::to_string(good) + (good == 1 ? " whole score" : " whole scores");
    }
    if (notes.Repaired > 0)
      LogLine(std::string(ScoresFile) + ": " + std::to_string(notes.Repaired) + " values were put right");
    if (!damage.empty()) {
      const std::string aside = fromSaveFolder ? SetAside(ScoresFile, damage) : "";
      if (!fromSaveFolder) LogLine(std::string(ScoresFile) + " " + damage);
      if (!fromSaveFolder || !aside.empty()) SaveScores();
      NoteSetAside(ScoresFile, aside, kept);
    } else if (!fromSaveFolder) {
      SaveScores();
    }
    return;
  }
  ScoreTables = DefaultScoreTables();
  if (read == TFileRead::Unreadable && fromSaveFolder) {
    const std::string aside = SetAside(ScoresFile, "cannot be read");
    NoteSetAside(ScoresFile, aside, [] { return std::string(Tr("the high scores are back to how the game starts")); });
    if (aside.empty()) return;
  }
  SaveScores();
}

bool TsysResources::SaveSettings(const TSettingsRecord& record) {
  Settings = record;
  return WriteSave(SettingsFile, EncodeSettings(Settings));
}

bool TsysResources::SaveProfiles() { return WriteSave(ProfilesFile, EncodeProfiles(Profiles)); }

bool TsysResources::SaveScores() { return WriteSave(ScoresFile, EncodeScores(ScoreTables)); }

bool TsysResources::WriteSave(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  if (std::find(KeptUnread.begin(), KeptUnread.end(), name) != KeptUnread.end()) {
    LogLine("not writing " + SavePath + name + ": it could not be read and is kept as it is");
    return false;
  }
  const bool ok = WriteFileAtomic(SavePath + name, bytes);
  if (ok || SaveFailureTold) return ok;
  SaveFailureTold = true;
  ShowMessage(Tr("Cannot Save"),
              Format(Tr("Plotfray cannot write %1$s in %2$s, so new players, scores and settings will be lost when "
                        "the game ends.\n\nMake that folder writable (or free some disk space) and start the game "
                        "again to keep them."),
                     {name, SavePath}));
  return false;
}

void TsysResources::NoteUnreadableData(const std::string& path, const std::string& why) {
  std::string name = path;
  if (name.compare(0, DataPath.size(), DataPath) == 0) name.erase(0, DataPath.size());
  LogLine("cannot read " + path + " (" + why + ")");
  UnreadableData.push_back(name + " (" + why + ")");
}

// ---- profiles

TProfileRecord TsysResources::GetProfile(std::int32_t i) const {
  if (i < 0 || i >= ProfileCount()) return TProfileRecord{};
  return Profiles[static_cast<std::size_t>(i)];
}

TProfileRecord TsysResources::GetActiveProfile() const {
  if (Settings.ActiveProfile < 0 || Settings.ActiveProfile >= ProfileCount()) {
    TProfileRecord r;
    r.Name = "Profile Error!";
    return r;
  }
  return Profiles[static_cast<std::size_t>(Settings.ActiveProfile)];
}

void TsysResources::SetActiveProfile(const TProfileRecord& record) {
  if (Settings.ActiveProfile < 0 || Settings.ActiveProfile >= ProfileCount()) {
    ShowMessage("", "Error: Active Profile Is Invalid");
    return;
  }
  Profiles[static_cast<std::size_t>(Settings.ActiveProfile)] = record;
}

void TsysResources::AddProfile(const TProfileRecord& record) {
  Profiles.push_back(record);
  // What is saved must read back: a name never carries control bytes.
  Profiles.back().Name = CleanName(record.Name);
}

std::int32_t TsysResources::FindProfile(const std::string& name) const {
  auto lower = [](std::string text) {
    for (char& c : text)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
  };
  const std::string wanted = lower(name);
  for (std::int32_t i = 0; i < ProfileCount(); ++i)
    if (lower(Profiles[static_cast<std::size_t>(i)].Name) == wanted) return i;
  return -1;
}

bool TsysResources::DeleteProfile(std::int32_t index) {
  if (index < 0 || index >= ProfileCount()) return false;
  const std::string name = Profiles[static_cast<std::size_t>(index)].Name;
  Profiles.erase(Profiles.begin() + index);
  const bool saved = SaveProfiles();
  // An older file may hold two players of one name: their answers are one log.
  if (Progress && FindProfile(name) < 0) Progress->DeleteProfile(CodePageToUtf8(name));
  TSettingsRecord settings = Settings;
  if (settings.ActiveProfile == index || settings.ActiveProfile >= ProfileCount())
    settings.ActiveProfile = ProfileCount() > 0 ? 0 : -1;
  else if (settings.ActiveProfile > index)
    --settings.ActiveProfile;
  SaveSettings(settings);
  LogLine("deleted the profile " + name + "; " + std::to_string(ProfileCount()) + " left");
  return saved;
}

bool TsysResources::RenameProfile(std::int32_t index, const std::string& name) {
  if (index < 0 || index >= ProfileCount()) return false;
  TProfileRecord& profile = Profiles[static_cast<std::size_t>(index)];
  const std::string old = profile.Name;
  profile.Name = CleanName(name);
  const bool saved = SaveProfiles();
  if (Progress) Progress->RenameProfile(CodePageToUtf8(old), CodePageToUtf8(profile.Name));
  return saved;
}

void TsysResources::RecordProgress() {
  TProfileRecord profile = GetActiveProfile();
  const bool validChallenge = ChallengeIndex >= 0 && ChallengeIndex < ChallengeCount && Difficulty >= 0 &&
                              Difficulty < DifficultyCount;
  if (GameKind == GameKind::Challenge && !validChallenge)
    LogLine("challenge " + std::to_string(ChallengeIndex) + " at difficulty " + std::to_string(Difficulty) +
            " does not exist; no challenge result recorded");
  if (GameKind == GameKind::Challenge && validChallenge) {
    const auto d = static_cast<std::size_t>(Difficulty);
    const TChallenge& challenge = Challenges[static_cast<std::size_t>(ChallengeIndex)];
    TChallengeRecord& record = profile.ChallengeRecords[ChallengeIndex];
    const std::int32_t goal = challenge.Goal[d];
    const std::int32_t result = ChallengeResult(goal, *this);
    // A slowed game reaches the goal as well, but its result is no best to
    // beat at full speed: only the medal is kept.
    const bool fullSpeed = GameSpeed == SpeedFull;
    if (fullSpeed && result > record.Best[d]) record.Best[d] = result;
    if (result >= challenge.Target[d]) {
      record.Completed[d] = true;
      if (fullSpeed && goal == ChallengeGoal::BeatTheClock) {
        const std::int32_t taken = challenge.TimeLimit[d] - ChallengeTimeLeft / 60;
        if (record.BestTime[d] == 0 || record.BestTime[d] > taken) record.BestTime[d] = taken;
      }
    }
  }
  SetActiveProfile(profile);
  SaveProfiles();
}

// ---- the pace of a game

void TsysResources::ResetPace(std::int32_t speed) {
  GameSpeed = speed == SpeedHalf || speed == SpeedThreeQuarters ? speed : SpeedFull;
  PaceOwed = 0;
  WorldStepDue = true;
}

void TsysResources::AdvancePace() {
  PaceOwed += GameSpeed;
  WorldStepDue = PaceOwed >= SpeedFull;
  if (WorldStepDue) PaceOwed -= SpeedFull;
}

// ---- high scores

std::int32_t TsysResources::ScoreTableIndex(std::int32_t gameType, std::int32_t difficulty) {
  if (gameType < 2 || gameType > 3) gameType = 1;
  if (difficulty < 1 || difficulty > 3) difficulty = 0;
  return (gameType - 1) * 4 + difficulty;
}

std::int32_t TsysResources::TitleIndex(std::int32_t gameType, std::int32_t difficulty, std::int32_t score) {
  const auto column = static_cast<std::size_t>(ScoreTableIndex(gameType, difficulty));
  std::int32_t title = 0;
  for (std::int32_t i = 0; i < TitleCount; ++i)
    if (Titles[static_cast<std::size_t>(i)].Threshold[column] <= score) title = i;
  return title;
}

std::string TsysResources::TitleName(std::int32_t gameType, std::int32_t difficulty, std::int32_t score) {
  return Titles[static_cast<std::size_t>(TitleIndex(gameType, difficulty, score))].Name;
}

TScoreTables TsysResources::DefaultScoreTables() {
  static constexpr std::int32_t DefaultScores[12][10] = {
      {1500, 3500, 6000, 10000, 12000, 15000, 17000, 19500, 25000, 29000},
      {2000, 5500, 8500, 11500, 15500, 20500, 27000, 33000, 41000, 46500},
      {3000, 7000, 14000, 18000, 25000, 31000, 40000, 50000, 64000, 76000},
      {5000, 13000, 22500, 34500, 41000, 54000, 65000, 78000, 93500, 115000},
      {1500, 3000, 7000, 9500, 13000, 18000, 22000, 26000, 29000, 35000},
      {3500, 7500, 12500, 17000, 23000, 31500, 38000, 45500, 55000, 61000},
      {7500, 17500, 27000, 42000, 60000, 75000, 95000, 112000, 135000, 158000},
      {10500, 24000, 37000, 58000, 91000, 125000, 155000, 180000, 212500, 245000},
      {2400, 7800, 18500, 24000, 30000, 36500, 43000, 51000, 58500, 70000},
      {5900, 13800, 30000, 44000, 60000, 75000, 98000, 120000, 145000, 163000},
      {10000, 25000, 41500, 60000, 85000, 115000, 145000, 173500, 222500, 267000},
      {17500, 38000, 70000, 120000, 150000, 212000, 232000, 275000, 372000, 532500},
  };
  TScoreTables tables;
  for (std::int32_t t = 0; t < 12; ++t)
    for (std::int32_t r = 0; r < 10; ++r) {
      TScoreEntry& e = tables[static_cast<std::size_t>(t)][static_cast<std::size_t>(r)];
      e.Name = MonsterNames[static_cast<std::size_t>(Random(MonsterNameCount))];
      e.Score = DefaultScores[t][9 - r];
      e.Difficulty = t % 4;
      e.Title = TitleIndex(t / 4 + 1, e.Difficulty, e.Score);
      e.Level = 10 - r;
      e.Kills = e.Level * 15;
    }
  return tables;
}

bool TsysResources::AddScore(std::int32_t value) {
  // A slowed game's score goes to the tables of its speed, never to the usual ones.
  TScoreTable& table = TablesOfSpeed(GameSpeed)[static_cast<std::size_t>(ScoreTableIndex(GameType, Difficulty))];
  std::size_t row = 0;
  while (row < table.size() && table[row].Score >= value) ++row;
  if (row == table.size()) {
    ScoreRank = 11;
    return false;
  }
  ScoreRank = static_cast<std::int32_t>(row);
  std::move_backward(table.begin() + static_cast<std::ptrdiff_t>(row), table.end() - 1, table.end());
  TScoreEntry& e = table[row];
  e.Name = CleanName(GetActiveProfile().Name);
  e.Score = Score;
  e.Title = TitleIndex(GameType, Difficulty, Score);
  e.Difficulty = ScoreTableIndex(GameType, Difficulty) % 4;
  e.Level = LevelNumber;
  e.Kills = TotalKills;
  if (SlowScoreBlock(GameSpeed) < 0)
    SaveScores();
  else
    SaveSlowScores();
  return true;
}

// ---- image archives

std::int32_t TsysResources::LoadArchive(const std::string& fileName, bool deferred) {
  const std::int32_t index = AddImageSet();
  TImageSet* set = ImageSet(index);
  set->MipMapping = true;
  set->Source = fileName;
  Archive.SetFileName(fileName);
  if (!FileExists(fileName)) {
    NoteUnreadableData(fileName, "missing");
    return index;
  }
  if (deferred) {
    if (!Archive.EnsureOpen()) {
      NoteUnreadableData(fileName, "cannot be read");
      return index;
    }
    for (std::int32_t i = 0; i < Archive.RecordCount(); ++i)
      if (Archive.RecordType(i) == 1) set->AddPending(Archive.RecordKey(i), i);
    SpeakPictureLanguage(index);
    return index;
  }
  // One read of the whole file; every record is then taken from memory.
  if (!Archive.Hold() || !Archive.EnsureOpen()) {
    Archive.Release();
    NoteUnreadableData(fileName, "cannot be read");
    return index;
  }
  std::vector<std::uint8_t> payload;
  for (std::int32_t i = 0; i < Archive.RecordCount(); ++i) {
    if (Archive.RecordType(i) != 1) continue;
    auto image = std::make_unique<TImage>();
    image->Name = Archive.RecordKey(i);
    image->RecordIndex = i;
    payload.clear();  // keeps its room: the next picture is unpacked into it
    if (!Archive.ReadRecordAt(i, image->Name, payload)) {
      LogLine(fileName + ": image \"" + image->Name + "\" cannot be read; the rest of the archive is skipped");
      NoteUnreadableData(fileName, "damaged");
      break;
    }
    std::string why;
    const std::uint8_t* texels = nullptr;
    if (!ParseImagePayload(payload.data(), payload.size(), *image, why, &texels)) {
      LogLine(fileName + ": image \"" + image->Name + "\": " + why + "; the rest of the archive is skipped");
      NoteUnreadableData(fileName, "damaged");
      break;
    }
    set->Add(std::move(image), texels);
  }
  Archive.Release();
  SpeakPictureLanguage(index);
  return index;
}

void TsysResources::SetImageGeometry(std::int32_t set, std::int32_t image, TPointSize patternSize,
                                     TPointSize visibleSize) {
  TImageSet* s = ImageSet(set);
  // A pending image keeps the sizes when it is read.
  TImage* img = s != nullptr ? s->Listed(image) : nullptr;
  if (img == nullptr) return;
  img->PatternWidth = patternSize.Width;
  img->PatternHeight = patternSize.Height;
  img->VisibleWidth = visibleSize.Width;
  img->VisibleHeight = visibleSize.Height;
  img->GeometryFixed = true;
  img->PatternCount = img->PatternsPerTexture() * img->TextureCount;
  MarkSceneChanged();
}
