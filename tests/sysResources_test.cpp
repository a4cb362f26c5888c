#include "data/sysResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include <unistd.h>

#include "core/sysRandom.h"
#include "data/ASDbWriter.h"
#include "data/sysFiles.h"
#include "tables/defMonsters.h"
#include "render/rndRecordingDevice.h"
#include "testBytes.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
  return bytes;
}

void PutFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  ASSERT_TRUE(WriteFileAtomic(path, bytes));
}

class ResourcesTest : public ::testing::Test {
 protected:
  std::unique_ptr<TsysResources> Make() { return std::make_unique<TsysResources>(nullptr, Dir.Path()); }
  std::string Settings() const { return Dir.File("Settings.ini"); }
  std::string Profiles() const { return Dir.File("Profiles.dat"); }
  std::string Scores() const { return Dir.File("Scores.dat"); }
  TTempDir Dir;
};

// Profile i of a file built by hand, with every field set to something that
// tells it apart.
TByteImage ProfileBytes(const std::string& name, std::int32_t seed) {
  TByteImage p(504);
  p.Name(0, name);
  p.I32(20, 0).I32(24, 3).I32(28, 2);
  p.U8(32, 7).U8(33, 8).U8(34, 9);
  for (int t = 0; t < 3; ++t) p.I32(36 + 12 * t, t + 1).I32(40 + 12 * t, seed * 1000 + t).I32(44 + 12 * t, seed + t);
  for (int c = 0; c < 12; ++c) {
    const std::size_t at = 72 + 36 * static_cast<std::size_t>(c);
    p.U8(at + static_cast<std::size_t>(c % 4), 1);
    for (int d = 0; d < 4; ++d) {
      p.I32(at + 4 + 4 * static_cast<std::size_t>(d), seed * 100 + c * 4 + d);
      p.I32(at + 20 + 4 * static_cast<std::size_t>(d), c == 1 ? 200 + d : 0);
    }
  }
  return p;
}

std::vector<std::uint8_t> Concat(const std::vector<TByteImage>& parts) {
  std::vector<std::uint8_t> out;
  for (const TByteImage& p : parts) out.insert(out.end(), p.Bytes.begin(), p.Bytes.end());
  return out;
}

// ---------------------------------------------------------------- settings

TEST_F(ResourcesTest, WithoutASettingsFileTheDefaultsAreUsedAndWritten) {
  auto res = Make();
  EXPECT_EQ(res->SavePath, Dir.Path());
  EXPECT_EQ(res->Settings.Fullscreen, 1);
  EXPECT_EQ(res->Settings.ShowFPS, 0);
  EXPECT_EQ(res->Settings.EffectsVolume, 3000);
  EXPECT_EQ(res->Settings.ActiveProfile, -1);
  const std::vector<std::uint8_t> expected = {1, 1, 1, 0, 1, 1, 0, 0, 0xB8, 0x0B, 0, 0,
                                              45, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  EXPECT_EQ(FileBytes(Settings()), expected);
}

TEST_F(ResourcesTest, SettingsRoundTripByteForByte) {
  TByteImage file(24);
  file.U8(0, 0).U8(1, 1).U8(2, 0).U8(3, 1).U8(4, 0).U8(5, 1).U16(6, 0xBEEF);
  file.I32(8, 4500).I32(12, 0).I32(16, 2).I32(20, 0x0A0B0C0D);
  PutFile(Settings(), file.Bytes);
  PutFile(Profiles(), Concat({ProfileBytes("A", 1), ProfileBytes("B", 2), ProfileBytes("C", 3)}));
  auto res = Make();
  EXPECT_EQ(res->Settings.Fullscreen, 0);
  EXPECT_EQ(res->Settings.ShowFPS, 1);
  EXPECT_EQ(res->Settings.SoundEffectsOn, 0);
  EXPECT_EQ(res->Settings.EffectsVolume, 4500);
  EXPECT_EQ(res->Settings.MusicVolume, 0);
  EXPECT_EQ(res->Settings.ActiveProfile, 2);
  std::filesystem::remove(Settings());
  ASSERT_TRUE(res->SaveSettings(res->Settings));
  EXPECT_EQ(FileBytes(Settings()), file.Bytes) << "reserved bytes are carried through";

  TSettingsRecord changed = res->Settings;
  changed.MusicVolume = 100;
  changed.ActiveProfile = -1;
  ASSERT_TRUE(res->SaveSettings(changed));
  EXPECT_EQ(res->Settings.MusicVolume, 100);
  file.I32(12, 100).I32(16, -1);
  EXPECT_EQ(FileBytes(Settings()), file.Bytes);
}

TEST_F(ResourcesTest, OnlyTheFirstSettingsRecordOfALongerFileIsRead) {
  TByteImage file(24);
  file.U8(0, 0).I32(8, 10).I32(12, 20).I32(16, -1);
  file.I32(24, 77).I32(28, 88);  // trailing bytes
  PutFile(Settings(), file.Bytes);
  auto res = Make();
  EXPECT_EQ(res->Settings.Fullscreen, 0);
  EXPECT_EQ(res->Settings.EffectsVolume, 10);
  EXPECT_EQ(FileBytes(Settings()), file.Bytes) << "a sound file is not rewritten";
  EXPECT_FALSE(FileExists(Settings() + ".damaged"));
}

TEST_F(ResourcesTest, AnEmptySettingsFileGivesTheDefaultsWrittenBack) {
  PutFile(Settings(), {});
  auto res = Make();
  EXPECT_EQ(res->Settings.MusicVolume, 45);
  EXPECT_EQ(FileBytes(Settings()).size(), 24u);
  EXPECT_FALSE(FileExists(Settings() + ".damaged")) << "nothing to keep";
}

TEST_F(ResourcesTest, AShortSettingsFileIsKeptAsideAndTheDefaultsWritten) {
  const std::vector<std::uint8_t> damaged = {0, 0, 0, 1, 0, 0, 0, 0, 1, 2};
  PutFile(Settings(), damaged);
  auto res = Make();
  EXPECT_EQ(res->Settings.Fullscreen, 1);
  EXPECT_EQ(FileBytes(Settings() + ".damaged"), damaged);
  EXPECT_EQ(FileBytes(Settings()).size(), 24u);
}

TEST_F(ResourcesTest, SettingsOutsideTheirRangesTakeTheirDefaultsAndAreWrittenBack) {
  TByteImage file(24);
  file.U8(0, 0).U8(1, 2).U8(2, 0).U8(3, 0xFF).U8(4, 0).U8(5, 7);  // switches 2, 255, 7
  file.I32(8, -5).I32(12, 1000000).I32(16, -1);
  PutFile(Settings(), file.Bytes);
  auto res = Make();
  EXPECT_EQ(res->Settings.Fullscreen, 0) << "a valid switch stays";
  EXPECT_EQ(res->Settings.Antialias, 1);
  EXPECT_EQ(res->Settings.ShowFPS, 0) << "no frame counter out of a damaged file";
  EXPECT_EQ(res->Settings.SoundEffectsOn, 0);
  EXPECT_EQ(res->Settings.MusicOn, 1);
  EXPECT_EQ(res->Settings.EffectsVolume, 3000);
  EXPECT_EQ(res->Settings.MusicVolume, 45);
  EXPECT_EQ(FileBytes(Settings()), EncodeSettings(res->Settings)) << "the repair is kept";
  EXPECT_TRUE(res->SaveFileProblems.empty()) << "nothing was lost";
}

// ---------------------------------------------------------------- profiles

TEST_F(ResourcesTest, ProfilesRoundTripByteForByte) {
  const std::vector<std::uint8_t> file =
      Concat({ProfileBytes("Ada", 1), ProfileBytes("Seventeen Letters", 2), ProfileBytes("\xC9mile", 3)});
  PutFile(Profiles(), file);
  auto res = Make();
  ASSERT_EQ(res->ProfileCount(), 3);
  const TProfileRecord p = res->GetProfile(1);
  EXPECT_EQ(p.Name, "Seventeen Letters");
  EXPECT_EQ(p.MissionDifficulty, 0);
  EXPECT_EQ(p.ArcadeDifficulty, 3);
  EXPECT_EQ(p.ChallengeDifficulty, 2);
  EXPECT_EQ(p.MissionProgress[2].LevelsDone, 3);
  EXPECT_EQ(p.MissionProgress[2].MissionScore, 2002);
  EXPECT_EQ(p.MissionProgress[0].MissionKills, 2);
  EXPECT_TRUE(p.ChallengeRecords[5].Completed[1]);
  EXPECT_FALSE(p.ChallengeRecords[5].Completed[0]);
  EXPECT_EQ(p.ChallengeRecords[11].Best[3], 200 + 44 + 3);
  EXPECT_EQ(p.ChallengeRecords[1].BestTime[2], 202);
  EXPECT_EQ(res->GetProfile(3).Name, "") << "out of range: the default record";
  EXPECT_EQ(res->GetProfile(-1).ArcadeDifficulty, 1);

  std::filesystem::remove(Profiles());
  ASSERT_TRUE(res->SaveProfiles());
  EXPECT_EQ(FileBytes(Profiles()), file);
}

TEST_F(ResourcesTest, AddedProfilesAreWrittenInCreationOrder) {
  auto res = Make();
  EXPECT_EQ(res->ProfileCount(), 0);
  EXPECT_FALSE(FileExists(Profiles())) << "no profiles, no file";
  TProfileRecord a;
  a.Name = "A name much longer than seventeen";
  res->AddProfile(a);
  TProfileRecord b;
  b.Name = "Bo";
  b.ChallengeRecords[0].Completed[3] = true;
  res->AddProfile(b);
  ASSERT_TRUE(res->SaveProfiles());
  TByteImage first(504);
  first.Name(0, "A name much longe").I32(20, 1).I32(24, 1).I32(28, 1);  // cut to 17 characters
  TByteImage second(504);
  second.Name(0, "Bo").I32(20, 1).I32(24, 1).I32(28, 1).U8(72 + 3, 1);
  EXPECT_EQ(FileBytes(Profiles()), Concat({first, second}));
}

TEST_F(ResourcesTest, ADamagedProfilesFileKeepsItsWholeProfilesAndIsSetAside) {
  std::vector<std::uint8_t> file = Concat({ProfileBytes("One", 1), ProfileBytes("Two", 2)});
  file.insert(file.end(), 100, 0x5A);
  PutFile(Profiles(), file);
  auto res = Make();
  ASSERT_EQ(res->ProfileCount(), 2);
  EXPECT_EQ(res->GetProfile(1).Name, "Two");
  EXPECT_EQ(FileBytes(Profiles() + ".damaged"), file) << "the damaged file is kept whole";
  EXPECT_EQ(FileBytes(Profiles()), std::vector<std::uint8_t>(file.begin(), file.begin() + 1008));

  // A second damaged file does not replace the first one kept.
  std::vector<std::uint8_t> again = ProfileBytes("Three", 3).Bytes;
  again.push_back(1);
  PutFile(Profiles(), again);
  auto res2 = Make();
  EXPECT_EQ(res2->ProfileCount(), 1);
  EXPECT_EQ(FileBytes(Profiles() + ".damaged"), file);
  EXPECT_EQ(FileBytes(Profiles() + ".damaged.2"), again);
}

TEST_F(ResourcesTest, SaveFilesThatCannotBeReadAreMovedAsideNotWrittenOverAndThePlayerIsTold) {
  // Each exists, but reading it fails.
  for (const std::string& path : {Settings(), Profiles(), Scores()}) std::filesystem::create_directory(path);
  auto res = Make();
  EXPECT_EQ(res->ProfileCount(), 0);
  EXPECT_EQ(res->ScoreTables[0][0].Score, 29000) << "as if missing: the defaults";
  for (const std::string& path : {Settings(), Profiles(), Scores()})
    EXPECT_TRUE(std::filesystem::is_directory(path + ".damaged")) << path;
  EXPECT_EQ(FileBytes(Settings()).size(), 24u);
  EXPECT_EQ(FileBytes(Scores()).size(), 4800u);
  ASSERT_EQ(res->SaveFileProblems.size(), 3u);
  EXPECT_NE(res->SaveFileProblems[1].find("Profiles.dat.damaged"), std::string::npos) << res->SaveFileProblems[1];
  res->AddProfile(TProfileRecord{});
  EXPECT_TRUE(res->SaveProfiles());
  EXPECT_EQ(FileBytes(Profiles()).size(), 504u);
}

// Runs body as a user that the files' permissions hold back (root reads
// everything), in a child process; the exit code is the result.
template <class TBody>
void AsPlainUser(const TTempDir& dir, TBody body) {
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::all);
  EXPECT_EXIT(
      {
        if (::geteuid() == 0 && ::setresgid(65534, 65534, 65534) != 0) std::_Exit(3);
        if (::geteuid() == 0 && ::setresuid(65534, 65534, 65534) != 0) std::_Exit(3);
        std::_Exit(body() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(ResourcesTest, ASaveFileThatMayNotBeReadIsLeftInPlaceNeverWrittenOverAndTold) {
  const std::vector<std::uint8_t> profiles = Concat({ProfileBytes("Ada", 1), ProfileBytes("Bo", 2)});
  TByteImage settings(24);
  settings.I32(8, 100).I32(12, 10).I32(16, 1);
  PutFile(Profiles(), profiles);
  PutFile(Settings(), settings.Bytes);
  std::filesystem::permissions(Profiles(), std::filesystem::perms::none);
  std::filesystem::permissions(Settings(), std::filesystem::perms::owner_write | std::filesystem::perms::others_write);
  AsPlainUser(Dir, [this] {
    TMessageCatcher boxes;
    auto res = Make();
    TProfileRecord p;
    p.Name = "New";
    res->AddProfile(p);
    TSettingsRecord s = res->Settings;
    s.MusicVolume = 99;
    const bool problemsTold = res->SaveFileProblems.size() == 2 &&
                              res->SaveFileProblems[0].find("Settings.ini may not be read") == 0 &&
                              res->SaveFileProblems[1].find("Profiles.dat may not be read") == 0;
    const bool writesRefused = !res->SaveProfiles() && !res->SaveSettings(s);
    return problemsTold && writesRefused && res->ProfileCount() == 1 && boxes.Messages.empty() &&
           !FileExists(Profiles() + ".damaged") && !FileExists(Settings() + ".damaged");
  });
  // Nothing was lost: once it may be read again, the profiles are all there.
  EXPECT_EQ(FileBytes(Profiles()), profiles);
  EXPECT_EQ(FileBytes(Settings()), settings.Bytes);
  std::filesystem::permissions(Profiles(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  std::filesystem::permissions(Settings(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  auto res = Make();
  EXPECT_EQ(res->ProfileCount(), 2);
  EXPECT_EQ(res->Settings.ActiveProfile, 1);
  EXPECT_TRUE(res->SaveFileProblems.empty());
}

TEST_F(ResourcesTest, RecordsThatCannotBeProfilesAreSetAsideAndTheGoodOnesKept) {
  struct TCase {
    const char* What;
    std::function<void(TByteImage&)> Spoil;
  };
  const std::vector<TCase> cases = {
      {"an empty name", [](TByteImage& p) { p.Name(0, ""); }},
      {"a control byte in the name", [](TByteImage& p) { p.Name(0, std::string("Ad\x01" "a")); }},
      {"a name longer than its field", [](TByteImage& p) { p.U8(0, 200); }},
      {"a difficulty of 9", [](TByteImage& p) { p.I32(20, 9); }},
      {"a difficulty of -1", [](TByteImage& p) { p.I32(28, -1); }},
      {"99 levels done", [](TByteImage& p) { p.I32(36 + 12, 99); }},
      {"a negative mission score", [](TByteImage& p) { p.I32(40, -3); }},
      {"a challenge flag of 2", [](TByteImage& p) { p.U8(72 + 36 * 4 + 1, 2); }},
      {"a negative best time", [](TByteImage& p) { p.I32(72 + 36 * 11 + 20, -60); }},
  };
  for (const TCase& c : cases) {
    std::filesystem::remove(Profiles() + ".damaged");
    TByteImage bad = ProfileBytes("Bad", 2);
    c.Spoil(bad);
    const std::vector<std::uint8_t> file = Concat({ProfileBytes("Ada", 1), bad, ProfileBytes("Cy", 3)});
    PutFile(Profiles(), file);
    auto res = Make();
    ASSERT_EQ(res->ProfileCount(), 2) << c.What;
    EXPECT_EQ(res->GetProfile(1).Name, "Cy") << c.What;
    EXPECT_EQ(FileBytes(Profiles() + ".damaged"), file) << c.What;
    EXPECT_EQ(FileBytes(Profiles()), Concat({ProfileBytes("Ada", 1), ProfileBytes("Cy", 3)})) << c.What;
    ASSERT_EQ(res->SaveFileProblems.size(), 1u) << c.What;
    EXPECT_NE(res->SaveFileProblems[0].find("2 players were read whole"), std::string::npos)
        << res->SaveFileProblems[0];
  }
}

TEST_F(ResourcesTest, AHugeOrRandomProfilesFileIsCutToTheProfilesItReallyHolds) {
  // 100 MB of zeros after one good profile: only the first records are looked at.
  {
    PutFile(Profiles(), ProfileBytes("Ada", 1).Bytes);
    std::filesystem::resize_file(Profiles(), 100u << 20);
    auto res = Make();
    EXPECT_EQ(res->ProfileCount(), 1);
    EXPECT_EQ(std::filesystem::file_size(Profiles() + ".damaged"), 100u << 20) << "kept whole";
    EXPECT_EQ(FileBytes(Profiles()), ProfileBytes("Ada", 1).Bytes);
  }
  // More good profiles than the most a file may hold: the first ones are kept.
  {
    std::filesystem::remove(Profiles() + ".damaged");
    std::vector<TByteImage> many;
    for (std::size_t i = 0; i < MaxProfileCount + 3; ++i) many.push_back(ProfileBytes("P" + std::to_string(i), 1));
    PutFile(Profiles(), Concat(many));
    auto res = Make();
    ASSERT_EQ(res->ProfileCount(), static_cast<std::int32_t>(MaxProfileCount));
    EXPECT_EQ(res->GetProfile(static_cast<std::int32_t>(MaxProfileCount) - 1).Name,
              "P" + std::to_string(MaxProfileCount - 1));
    EXPECT_EQ(FileBytes(Profiles()).size(), MaxProfilesFileSize);
    EXPECT_TRUE(FileExists(Profiles() + ".damaged"));
  }
  // Random bytes whose size is a whole number of records are no profiles.
  {
    std::filesystem::remove(Profiles() + ".damaged");
    RandomSeed(7);
    std::vector<std::uint8_t> noise(504 * 64);
    for (std::uint8_t& b : noise) b = static_cast<std::uint8_t>(Random(256));
    PutFile(Profiles(), noise);
    auto res = Make();
    EXPECT_EQ(res->ProfileCount(), 0);
    EXPECT_EQ(FileBytes(Profiles() + ".damaged"), noise);
    EXPECT_TRUE(FileBytes(Profiles()).empty());
  }
}

TEST_F(ResourcesTest, AnActiveProfileThatIsNotInTheListIsRepairedAtLoading) {
  // Two profiles, the second active, the file cut inside the second.
  TByteImage settings(24);
  settings.U8(0, 0).I32(8, 3000).I32(12, 45).I32(16, 1);
  std::vector<std::uint8_t> file = Concat({ProfileBytes("Ada", 1), ProfileBytes("Bo", 2)});
  file.resize(504 + 300);
  PutFile(Settings(), settings.Bytes);
  PutFile(Profiles(), file);
  {
    TMessageCatcher boxes;
    auto res = Make();
    ASSERT_EQ(res->ProfileCount(), 1);
    EXPECT_EQ(res->Settings.ActiveProfile, 0) << "the first profile";
    EXPECT_EQ(res->GetActiveProfile().Name, "Ada");
    EXPECT_EQ(FileBytes(Settings()), settings.I32(16, 0).Bytes) << "the repair is saved";
    TProfileRecord p = res->GetActiveProfile();
    p.MissionProgress[0].LevelsDone = 2;  // what RESET and the game do
    res->SetActiveProfile(p);
    EXPECT_TRUE(boxes.Messages.empty());
  }
  // No profile at all: none is active, so the game asks for a new one.
  std::filesystem::remove(Profiles());
  PutFile(Settings(), settings.I32(16, 5).Bytes);
  auto res = Make();
  EXPECT_EQ(res->Settings.ActiveProfile, -1);
  EXPECT_EQ(FileBytes(Settings())[16], 0xFF);
}

TEST_F(ResourcesTest, ANameNeverCarriesControlBytesIntoTheSaves) {
  auto res = Make();
  TProfileRecord p;
  p.Name = std::string("\x01" "Ad\n" "a\x7F" " and more than seventeen");
  res->AddProfile(p);
  EXPECT_EQ(res->GetProfile(0).Name, "Ada and more than");
  TSettingsRecord s = res->Settings;
  s.ActiveProfile = 0;
  res->SaveSettings(s);
  // Even a name put in behind the reader's back is cleaned on its way into the scores.
  res->Profiles[0].Name = std::string("Bo\tb", 4);
  res->GameType = 1;
  res->Difficulty = 0;
  res->Score = 999999;
  ASSERT_TRUE(res->AddScore(res->Score));
  EXPECT_EQ(res->ScoreTables[0][0].Name, "Bob");
  auto again = Make();
  EXPECT_EQ(again->ScoreTables[0][0].Name, "Bob");
  EXPECT_EQ(again->ScoreTables[0][1].Score, 29000) << "the other rows are still there";
  EXPECT_TRUE(again->SaveFileProblems.empty());
}

TEST_F(ResourcesTest, TheActiveProfileIsCheckedOnEveryUse) {
  TMessageCatcher messages;
  auto res = Make();
  res->AddProfile(TProfileRecord{});
  EXPECT_EQ(res->GetActiveProfile().Name, "Profile Error!");
  TProfileRecord named;
  named.Name = "Lost";
  res->SetActiveProfile(named);
  ASSERT_EQ(messages.Messages.size(), 1u);
  EXPECT_EQ(messages.Messages[0].first, "");
  EXPECT_EQ(messages.Messages[0].second, "Error: Active Profile Is Invalid");
  EXPECT_EQ(res->GetProfile(0).Name, "");
  TSettingsRecord s = res->Settings;
  s.ActiveProfile = 0;
  res->SaveSettings(s);
  res->SetActiveProfile(named);
  EXPECT_EQ(res->GetActiveProfile().Name, "Lost");
  EXPECT_EQ(messages.Messages.size(), 1u);
}

// ---------------------------------------------------------------- progress

class ProgressTest : public ResourcesTest {
 protected:
  void SetUp() override {
    Res = Make();
    TProfileRecord p;
    p.Name = "Player";
    Res->AddProfile(TProfileRecord{});
    Res->AddProfile(p);
    TSettingsRecord s = Res->Settings;
    s.ActiveProfile = 1;
    Res->SaveSettings(s);
    Res->GameKind = GameKind::Challenge;
  }
  // A beat-the-clock finish of challenge 1 (target 7500 at Easy, 240 s).
  void FinishClock(std::int32_t score, std::int32_t secondsLeft) {
    Res->ChallengeIndex = 1;
    Res->Difficulty = Difficulty::Easy;
    Res->Score = score;
    Res->ChallengeTimeLeft = secondsLeft * 60 + 59;  // part seconds do not count
    Res->RecordProgress();
  }
  TChallengeRecord Saved(int challenge) {
    TsysResources reread(nullptr, Dir.Path());
    return reread.GetActiveProfile().ChallengeRecords[challenge];
  }
  std::unique_ptr<TsysResources> Res;
};

TEST_F(ProgressTest, ABeatTheClockFinishKeepsTheShortestTime) {
  FinishClock(8000, 30);
  EXPECT_EQ(Saved(1).BestTime[0], 210);
  EXPECT_TRUE(Saved(1).Completed[0]);
  EXPECT_EQ(Saved(1).Best[0], 8000);
  FinishClock(7600, 40);
  EXPECT_EQ(Saved(1).BestTime[0], 200) << "a faster finish replaces it";
  EXPECT_EQ(Saved(1).Best[0], 8000) << "the best result stays";
  FinishClock(9000, 20);
  EXPECT_EQ(Saved(1).BestTime[0], 200) << "a slower one does not";
  EXPECT_EQ(Saved(1).Best[0], 9000);
  EXPECT_EQ(Saved(1).BestTime[1], 0) << "other difficulties untouched";
}

TEST_F(ProgressTest, AMissedTargetRecordsTheBestResultButNoCompletion) {
  FinishClock(7499, 100);
  const TChallengeRecord r = Saved(1);
  EXPECT_EQ(r.Best[0], 7499);
  EXPECT_FALSE(r.Completed[0]);
  EXPECT_EQ(r.BestTime[0], 0);
}

TEST_F(ProgressTest, KillAndComboChallengesAreMeasuredByKillsAndCombo) {
  Res->Difficulty = Difficulty::Hard;
  Res->Score = 999999;
  Res->ChallengeIndex = 6;  // kills, 200 at Hard
  Res->TotalKills = 200;
  Res->HighestCombo = 3;
  Res->RecordProgress();
  Res->ChallengeIndex = 7;  // combo, 90 at Hard
  Res->RecordProgress();
  EXPECT_EQ(Saved(6).Best[2], 200);
  EXPECT_TRUE(Saved(6).Completed[2]);
  EXPECT_EQ(Saved(7).Best[2], 3);
  EXPECT_FALSE(Saved(7).Completed[2]);
  EXPECT_EQ(Saved(7).BestTime[2], 0) << "only clock challenges keep a time";
}

TEST_F(ProgressTest, AnArcadeGameRewritesTheProfilesFileUnchanged) {
  FinishClock(8000, 30);
  const std::vector<std::uint8_t> before = FileBytes(Profiles());
  std::filesystem::remove(Profiles());
  Res->GameKind = GameKind::Arcade;
  Res->Score = 100000;
  Res->RecordProgress();
  EXPECT_EQ(FileBytes(Profiles()), before);
}

TEST_F(ProgressTest, AChallengeThatDoesNotExistRecordsNothingButStillSaves) {
  Res->ChallengeIndex = 12;
  Res->Score = 1;
  std::filesystem::remove(Profiles());
  Res->RecordProgress();
  EXPECT_TRUE(FileExists(Profiles()));
  Res->ChallengeIndex = 0;
  Res->Difficulty = 4;
  Res->RecordProgress();
  EXPECT_EQ(Saved(0).Best[0], 0);
}

// ---------------------------------------------------------------- scores

const std::int32_t ListedScores[12][10] = {
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

std::size_t Entry(int table, int row) { return static_cast<std::size_t>((table * 10 + row) * 40); }

TEST_F(ResourcesTest, TheDefaultScoresFileHoldsTheListedValuesAndTitles) {
  RandomSeed(7);
  auto res = Make();
  TByteImage file;
  file.Bytes = FileBytes(Scores());
  ASSERT_EQ(file.Bytes.size(), 4800u);
  for (int t = 0; t < 12; ++t)
    for (int r = 0; r < 10; ++r) {
      const std::size_t at = Entry(t, r);
      SCOPED_TRACE("table " + std::to_string(t) + " row " + std::to_string(r));
      EXPECT_EQ(file.GetI32(at + 20), ListedScores[t][9 - r]);
      // The listed defaults are the thresholds of the first ten titles.
      EXPECT_EQ(file.GetI32(at + 24), 9 - r);
      EXPECT_EQ(file.GetI32(at + 28), t % 4);
      EXPECT_EQ(file.GetI32(at + 32), 10 - r);
      EXPECT_EQ(file.GetI32(at + 36), (10 - r) * 15);
      const std::string name(file.Bytes.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                             file.Bytes.begin() + static_cast<std::ptrdiff_t>(at) + 1 + file.Bytes[at]);
      EXPECT_NE(std::find_if(MonsterNames.begin(), MonsterNames.end(), [&](const char* n) { return name == n; }),
                MonsterNames.end())
          << name;
      EXPECT_EQ(name, res->ScoreTables[static_cast<std::size_t>(t)][static_cast<std::size_t>(r)].Name);
    }
  // The names are drawn, not fixed: a different seed gives different tables.
  std::filesystem::remove(Scores());
  RandomSeed(8);
  auto other = Make();
  int differing = 0;
  for (int t = 0; t < 12; ++t)
    for (int r = 0; r < 10; ++r) differing += other->ScoreTables[t][r].Name != res->ScoreTables[t][r].Name;
  EXPECT_GT(differing, 50);
}

TEST_F(ResourcesTest, ScoresRoundTripByteForByte) {
  TByteImage file(4800);
  for (int t = 0; t < 12; ++t)
    for (int r = 0; r < 10; ++r) {
      const std::size_t at = Entry(t, r);
      file.Name(at, r == 3 ? "Seventeen Letters" : "P" + std::to_string(t * 10 + r));
      file.I32(at + 20, 100000 - t * 1000 - r * 10).I32(at + 24, r).I32(at + 28, t % 4);
      file.I32(at + 32, 20 - r).I32(at + 36, t + r);
    }
  PutFile(Scores(), file.Bytes);
  auto res = Make();
  EXPECT_EQ(res->ScoreTables[5][3].Name, "Seventeen Letters");
  EXPECT_EQ(res->ScoreTables[5][4].Score, 100000 - 5000 - 40);
  EXPECT_EQ(res->ScoreTables[11][9].Kills, 20);
  std::filesystem::remove(Scores());
  ASSERT_TRUE(res->SaveScores());
  EXPECT_EQ(FileBytes(Scores()), file.Bytes);
}

class AddScoreTest : public ResourcesTest {
 protected:
  void SetUp() override {
    Res = Make();
    TProfileRecord p;
    p.Name = "Newcomer";
    Res->AddProfile(p);
    TSettingsRecord s = Res->Settings;
    s.ActiveProfile = 0;
    Res->SaveSettings(s);
    Res->GameType = GameType::QuickQuadrants;
    Res->Difficulty = Difficulty::Easy;
    Res->LevelNumber = 12;
    Res->TotalKills = 170;
  }
  bool Add(std::int32_t score) {
    Res->Score = score;
    return Res->AddScore(score);
  }
  std::unique_ptr<TsysResources> Res;
};

TEST_F(AddScoreTest, AScoreEqualToAnEntryGoesBelowIt) {
  TByteImage before;
  before.Bytes = FileBytes(Scores());
  ASSERT_TRUE(Add(29000));
  EXPECT_EQ(Res->ScoreRank, 1);
  const TScoreTable& t = Res->ScoreTables[0];
  EXPECT_EQ(t[0].Score, 29000);
  EXPECT_NE(t[0].Name, "Newcomer");
  EXPECT_EQ(t[1].Name, "Newcomer");
  EXPECT_EQ(t[1].Title, 9);
  EXPECT_EQ(t[2].Score, 25000);
  EXPECT_EQ(t[9].Score, 3500) << "the last row falls off";

  // On disk: rows 1..8 moved down one, the new row written in row 1, other tables alike.
  TByteImage expected = before;
  for (int r = 9; r >= 2; --r)
    std::copy_n(before.Bytes.begin() + static_cast<std::ptrdiff_t>(Entry(0, r - 1)), 40,
                expected.Bytes.begin() + static_cast<std::ptrdiff_t>(Entry(0, r)));
  std::fill_n(expected.Bytes.begin() + static_cast<std::ptrdiff_t>(Entry(0, 1)), 40, 0);
  expected.Name(Entry(0, 1), "Newcomer").I32(Entry(0, 1) + 20, 29000).I32(Entry(0, 1) + 24, 9);
  expected.I32(Entry(0, 1) + 28, 0).I32(Entry(0, 1) + 32, 12).I32(Entry(0, 1) + 36, 170);
  EXPECT_EQ(FileBytes(Scores()), expected.Bytes);
}

TEST_F(AddScoreTest, ATopScoreEntersRowZeroOfItsOwnTable) {
  Res->GameType = GameType::DefineTheLine;
  Res->Difficulty = Difficulty::Crazy;
  ASSERT_TRUE(Add(1092000));
  EXPECT_EQ(Res->ScoreRank, 0);
  EXPECT_EQ(Res->ScoreTables[11][0].Title, 13);
  EXPECT_EQ(Res->ScoreTables[11][0].Difficulty, 3);
  EXPECT_EQ(Res->ScoreTables[11][1].Score, 532500);
  EXPECT_EQ(Res->ScoreTables[0][0].Score, 29000) << "other tables untouched";
}

TEST_F(AddScoreTest, AScoreBelowAFullTableLeavesTheFileUntouched) {
  // A marker the program would never write: any save would replace it.
  const std::vector<std::uint8_t> marker = {'u', 'n', 't', 'o', 'u', 'c', 'h', 'e', 'd'};
  PutFile(Scores(), marker);
  EXPECT_FALSE(Add(1500)) << "equal to the last row is not enough";
  EXPECT_EQ(Res->ScoreRank, 11);
  EXPECT_FALSE(Add(0));
  EXPECT_EQ(FileBytes(Scores()), marker);
  EXPECT_EQ(Res->ScoreTables[0][9].Score, 1500);
}

TEST_F(AddScoreTest, UnknownGameTypesAndDifficultiesCountAsTheFirstTable) {
  Res->GameType = 0;
  Res->Difficulty = 9;
  ASSERT_TRUE(Add(40000));
  EXPECT_EQ(Res->ScoreRank, 0);
  EXPECT_EQ(Res->ScoreTables[0][0].Score, 40000);
  EXPECT_EQ(Res->ScoreTables[0][0].Difficulty, 0);
}

TEST(TitleIndex, TheHighestTitleNotAboveTheScore) {
  EXPECT_EQ(TsysResources::TitleIndex(1, 0, 0), 0) << "below every title";
  EXPECT_EQ(TsysResources::TitleIndex(1, 0, 3499), 0);
  EXPECT_EQ(TsysResources::TitleIndex(1, 0, 3500), 1);
  EXPECT_EQ(TsysResources::TitleIndex(2, 2, 257999), 12);
  EXPECT_EQ(TsysResources::TitleIndex(2, 2, 258000), 13);
  EXPECT_EQ(TsysResources::TitleIndex(3, 3, 2000000000), 13);
  EXPECT_EQ(TsysResources::TitleName(3, 1, 98000), "Orthic Triangle");
  EXPECT_EQ(TsysResources::TitleName(7, -2, 60000), "El Hemisferio") << "unknown: the first column";
}

TEST_F(ResourcesTest, AnEmptyScoresFileGivesEmptyTablesLeftAsTheyAreAndSaysSo) {
  PutFile(Scores(), {});
  SetLogFile(Dir.File("log.txt"));
  auto res = Make();
  SetLogFile("");
  EXPECT_EQ(res->ScoreTables[0][0].Score, 0);
  EXPECT_EQ(res->ScoreTables[11][9].Name, "");
  EXPECT_TRUE(FileBytes(Scores()).empty());
  const std::vector<std::uint8_t> log = FileBytes(Dir.File("log.txt"));
  EXPECT_NE(std::string(log.begin(), log.end()).find("Scores.dat is empty"), std::string::npos);
}

TEST_F(ResourcesTest, AShortScoresFileKeepsItsWholeEntriesAndIsSetAside) {
  TByteImage file;
  for (int i = 0; i < 25; ++i) file.Name(static_cast<std::size_t>(i) * 40, "E" + std::to_string(i)).I32(i * 40 + 20, 1000 - i);
  file.Grow(25 * 40 + 30);  // a torn 26th entry
  PutFile(Scores(), file.Bytes);
  auto res = Make();
  EXPECT_EQ(res->ScoreTables[2][4].Name, "E24");
  EXPECT_EQ(res->ScoreTables[2][4].Score, 976);
  EXPECT_EQ(res->ScoreTables[2][5].Name, "") << "the torn entry is not taken";
  EXPECT_EQ(res->ScoreTables[2][5].Score, 0);
  EXPECT_EQ(FileBytes(Scores() + ".damaged"), file.Bytes);
  std::vector<std::uint8_t> repaired(file.Bytes.begin(), file.Bytes.begin() + 1000);
  repaired.resize(4800, 0);
  EXPECT_EQ(FileBytes(Scores()), repaired);
}

TByteImage PlausibleScoresFile() {
  TByteImage file(4800);
  for (int t = 0; t < 12; ++t)
    for (int r = 0; r < 10; ++r)
      file.Name(Entry(t, r), "P" + std::to_string(t * 10 + r)).I32(Entry(t, r) + 20, 5000 - r * 100).I32(Entry(t, r) + 28, t % 4);
  return file;
}

TEST_F(ResourcesTest, AnImpossibleScoresRowCostsThatRowAloneAndTheFileIsKeptAside) {
  const std::vector<std::pair<const char*, std::function<void(TByteImage&)>>> cases = {
      {"a negative score", [](TByteImage& f) { f.I32(Entry(3, 4) + 20, -1); }},
      {"a negative level", [](TByteImage& f) { f.I32(Entry(3, 4) + 32, -7); }},
      {"negative kills", [](TByteImage& f) { f.I32(Entry(3, 4) + 36, -2); }},
  };
  for (const auto& [what, spoil] : cases) {
    std::filesystem::remove(Scores() + ".damaged");
    TByteImage bad = PlausibleScoresFile();
    spoil(bad);
    PutFile(Scores(), bad.Bytes);
    auto res = Make();
    for (int t = 0; t < 12; ++t)
      for (int r = 0; r < 10; ++r) {
        // Rows below the impossible one move up; the last row of its table is empty.
        const int from = t == 3 && r >= 4 ? r + 1 : r;
        const std::string name = t == 3 && r == 9 ? "" : "P" + std::to_string(t * 10 + from);
        ASSERT_EQ(res->ScoreTables[t][r].Name, name) << what << ": table " << t << " row " << r;
        ASSERT_EQ(res->ScoreTables[t][r].Score, name.empty() ? 0 : 5000 - from * 100) << what;
      }
    EXPECT_EQ(FileBytes(Scores() + ".damaged"), bad.Bytes) << what << " is kept aside";
    EXPECT_EQ(FileBytes(Scores()), EncodeScores(res->ScoreTables)) << what;
    ASSERT_EQ(res->SaveFileProblems.size(), 1u) << what;
    EXPECT_NE(res->SaveFileProblems[0].find("119 high scores were read whole"), std::string::npos)
        << res->SaveFileProblems[0];
  }
}

// The message counts the scores kept, not the empty rows read with them.
TEST_F(ResourcesTest, ADamagedScoresFileCountsItsRealScoresOnly) {
  TByteImage file(4800);
  for (int r = 0; r < 4; ++r) file.Name(Entry(0, r), "P" + std::to_string(r)).I32(Entry(0, r) + 20, 900 - r * 100);
  file.I32(Entry(5, 0) + 20, -3);  // one impossible row
  PutFile(Scores(), file.Bytes);
  auto res = Make();
  ASSERT_EQ(res->SaveFileProblems.size(), 1u);
  EXPECT_NE(res->SaveFileProblems[0].find("4 high scores were read whole"), std::string::npos)
      << res->SaveFileProblems[0];
  EXPECT_TRUE(IsEmptyScore(res->ScoreTables[0][4]));
  EXPECT_FALSE(IsEmptyScore(res->ScoreTables[0][3]));
}

TEST_F(ResourcesTest, ScoresNamesAreCleanedAndTablesPutInOrderWithoutLosingARow) {
  TByteImage file = PlausibleScoresFile();
  file.Name(Entry(0, 0), std::string("Ad\na", 4));     // a control byte
  file.I32(Entry(7, 6) + 20, 9000);                    // above every row of its table
  file.Name(Entry(1, 1), "\xC9mile ~").I32(Entry(1, 9) + 20, 0);  // printable bytes and a zero score are fine
  PutFile(Scores(), file.Bytes);
  auto res = Make();
  EXPECT_EQ(res->ScoreTables[0][0].Name, "Ada");
  EXPECT_EQ(res->ScoreTables[7][0].Name, "P76");
  EXPECT_EQ(res->ScoreTables[7][0].Score, 9000);
  EXPECT_EQ(res->ScoreTables[7][1].Name, "P70") << "the others keep their order";
  EXPECT_EQ(res->ScoreTables[7][7].Name, "P77");
  EXPECT_EQ(res->ScoreTables[1][1].Name, "\xC9mile ~");
  EXPECT_EQ(res->ScoreTables[1][9].Score, 0);
  EXPECT_FALSE(FileExists(Scores() + ".damaged")) << "nothing was lost";
  EXPECT_TRUE(res->SaveFileProblems.empty());
}

TEST_F(ResourcesTest, AScoresFileOfNoiseGivesTheDefaultTables) {
  RandomSeed(11);
  TByteImage noise(4800);
  for (std::uint8_t& b : noise.Bytes) b = static_cast<std::uint8_t>(Random(256));
  PutFile(Scores(), noise.Bytes);
  auto res = Make();
  const TScoreTables defaults = TsysResources::DefaultScoreTables();
  for (int t = 0; t < 12; ++t)
    for (int r = 0; r < 10; ++r) ASSERT_EQ(res->ScoreTables[t][r].Score, defaults[t][r].Score);
  EXPECT_EQ(FileBytes(Scores() + ".damaged"), noise.Bytes);
  EXPECT_EQ(FileBytes(Scores()), EncodeScores(res->ScoreTables));
  ASSERT_EQ(res->SaveFileProblems.size(), 1u);
}

// ---------------------------------------------------------------- save folder

TEST(SaveFolder, AProgramFolderThatCannotBeWrittenFallsBackToTheUserDataFolder) {
  TTempDir home;
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  const std::string savedXdg = oldXdg != nullptr ? oldXdg : "";
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome != nullptr ? oldHome : "";
  ::setenv("XDG_DATA_HOME", (home.Path() + "xdg").c_str(), 1);
  {
    TsysResources res(nullptr, home.File("no-such-folder/"));
    EXPECT_EQ(res.SavePath, home.Path() + "xdg/plotfray/");
    EXPECT_EQ(res.DataPath, home.File("no-such-folder/")) << "data archives are still read from the program folder";
    EXPECT_EQ(FileBytes(res.SavePath + "Settings.ini").size(), 24u);
    EXPECT_EQ(FileBytes(res.SavePath + "Scores.dat").size(), 4800u);
    res.AddProfile(TProfileRecord{});
    EXPECT_TRUE(res.SaveProfiles());
    EXPECT_EQ(FileBytes(res.SavePath + "Profiles.dat").size(), 504u);
  }
  ::unsetenv("XDG_DATA_HOME");
  ::setenv("HOME", home.Path().c_str(), 1);
  EXPECT_EQ(ChooseSaveFolder(home.File("no-such-folder")), home.Path() + ".local/share/plotfray/");
  if (oldXdg != nullptr) ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
  if (oldHome != nullptr) ::setenv("HOME", savedHome.c_str(), 1);
}

// ---------------------------------------------------------------- archives

TImage Picture(const std::string& name, std::int32_t w, std::int32_t h, std::int32_t textures, std::uint32_t seed) {
  TImage image;
  image.Name = name;
  image.PatternWidth = w;
  image.PatternHeight = h;
  image.VisibleWidth = w;
  image.VisibleHeight = h;
  image.TextureWidth = w;
  image.TextureHeight = h;
  image.PatternCount = textures;
  for (int t = 0; t < textures; ++t) {
    image.Textures.emplace_back();
    for (int i = 0; i < w * h; ++i) image.Textures.back().push_back(seed * 0x01000193u + static_cast<std::uint32_t>(i));
  }
  return image;
}

TEST_F(ResourcesTest, AnArchiveBecomesAnImageSetOfItsImageRecordsInOrder) {
  TASDbWriter writer;
  writer.AddImage(Picture("Font", 8, 8, 1, 1));
  writer.Add("readme.txt", 2, {'h', 'i'});
  writer.AddImage(Picture("Loading", 4, 2, 2, 2));
  ASSERT_TRUE(writer.Save(Dir.File("core.asdb")));
  TrndRecordingDevice device;
  device.KeepPixels = true;
  auto res = Make();
  res->SetDevice(&device);
  const std::int32_t first = res->LoadArchive(Dir.File("core.asdb"));
  EXPECT_EQ(first, 0);
  const TImageSet* set = res->ImageSet(first);
  ASSERT_NE(set, nullptr);
  ASSERT_EQ(set->Count(), 2) << "other record types are skipped";
  EXPECT_EQ(set->Image(0)->Name, "Font");
  EXPECT_EQ(set->Image(1)->Name, "Loading");
  const TImage* loading = set->Image(1);
  ASSERT_EQ(loading->DeviceTextures.size(), 2u) << "uploaded to the attached device";
  for (std::size_t t = 0; t < 2; ++t)
    EXPECT_EQ(device.Pixels[loading->DeviceTextures[t]], Picture("Loading", 4, 2, 2, 2).Textures[t]);
  EXPECT_TRUE(loading->Textures.empty()) << "the pixels are kept by the device alone";
  EXPECT_EQ(loading->TextureCount, 2);
  EXPECT_EQ(res->LoadArchive(Dir.File("core.asdb")), 1) << "each load is a new set";
}

TEST_F(ResourcesTest, AMissingOrUnreadableArchiveGivesAnEmptySetIsNotedAndNothingIsWritten) {
  auto res = Make();
  EXPECT_EQ(res->LoadArchive(Dir.File("screens.asdb")), 0);
  EXPECT_EQ(res->ImageSet(0)->Count(), 0);
  EXPECT_FALSE(FileExists(Dir.File("screens.asdb"))) << "the data folder is only read";
  EXPECT_EQ(res->LoadArchive(Dir.File("no-folder/x.asdb")), 1) << "still a set";
  EXPECT_EQ(res->ImageSetCount(), 2);
  EXPECT_EQ(res->ImageSet(2), nullptr);
  PutFile(Dir.File("junk.asdb"), {'n', 'o', 't', ' ', 'a', 'n', ' ', 'a', 'r', 'c', 'h', 'i', 'v', 'e'});
  EXPECT_EQ(res->LoadArchive(Dir.File("junk.asdb")), 2);
  EXPECT_EQ(res->UnreadableData, (std::vector<std::string>{"screens.asdb (missing)", "no-folder/x.asdb (missing)",
                                                           "junk.asdb (cannot be read)"}));
}

TEST_F(ResourcesTest, TemporaryFilesLeftByAKilledSaveAreRemoved) {
  auto first = Make();  // writes the settings and the scores
  first.reset();
  const std::vector<std::uint8_t> settings = FileBytes(Settings());
  for (const std::string& path : {Settings(), Profiles(), Scores()}) PutFile(path + ".tmp", {1, 2, 3});
  PutFile(Dir.File("Other.tmp"), {4});
  auto res = Make();
  for (const std::string& path : {Settings(), Profiles(), Scores()}) EXPECT_FALSE(FileExists(path + ".tmp")) << path;
  EXPECT_TRUE(FileExists(Dir.File("Other.tmp"))) << "only the game's own leftovers go";
  EXPECT_EQ(FileBytes(Settings()), settings);
}

TEST_F(ResourcesTest, NumberedNamesContinuePastTheFilesOfEarlierRuns) {
  const std::string prefix = Dir.File("plotfray-shot-");
  EXPECT_EQ(FirstFreeNumberedName(prefix, ".png"), prefix + "1.png");
  PutFile(prefix + "1.png", {1});
  PutFile(prefix + "2.png", {1});
  EXPECT_EQ(FirstFreeNumberedName(prefix, ".png"), prefix + "3.png");
}

TEST(SaveFailure, ThePlayerIsToldOnceWhenNothingCanBeSaved) {
  TTempDir home;
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  const std::string savedXdg = oldXdg != nullptr ? oldXdg : "";
  // A user data folder under a plain file cannot be made, and the program
  // folder does not exist: there is nowhere to save.
  PutFile(home.File("file"), {1});
  ::setenv("XDG_DATA_HOME", home.File("file").c_str(), 1);
  {
    TMessageCatcher catcher;
    TsysResources res(nullptr, home.File("no-such-folder/"));
    EXPECT_FALSE(res.SaveProfiles());
    EXPECT_FALSE(res.SaveScores());
    TSettingsRecord s = res.Settings;
    EXPECT_FALSE(res.SaveSettings(s));
    ASSERT_EQ(catcher.Messages.size(), 1u) << "told once, not at every save";
    EXPECT_EQ(catcher.Messages[0].first, "Cannot Save");
    EXPECT_NE(catcher.Messages[0].second.find(home.File("no-such-folder/")), std::string::npos);
  }
  if (oldXdg != nullptr)
    ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
  else
    ::unsetenv("XDG_DATA_HOME");
}

TEST_F(ResourcesTest, TheFirstBadImageEndsTheArchiveAndTheImagesBeforeItStay) {
  TASDbWriter writer;
  writer.AddImage(Picture("Good", 2, 2, 1, 1));
  std::vector<std::uint8_t> bad = EncodeImagePayload(Picture("Bad", 2, 2, 1, 2));
  bad.pop_back();  // one byte short of its texels
  writer.Add("Bad", 1, bad);
  writer.AddImage(Picture("After", 2, 2, 1, 3));
  ASSERT_TRUE(writer.Save(Dir.File("sprites.asdb")));
  auto res = Make();
  const TImageSet* set = res->ImageSet(res->LoadArchive(Dir.File("sprites.asdb")));
  ASSERT_EQ(set->Count(), 1);
  EXPECT_EQ(set->Image(0)->Name, "Good");
}

TEST_F(ResourcesTest, SettingTheGeometryKeepsThePatternCountToTheTiles) {
  TASDbWriter writer;
  TImage sheet = Picture("Sheet", 136, 68, 2, 1);  // two textures of 136 x 68
  sheet.PatternCount = 2;
  writer.AddImage(sheet);
  ASSERT_TRUE(writer.Save(Dir.File("s.asdb")));
  auto res = Make();
  res->LoadArchive(Dir.File("s.asdb"));
  res->SetImageGeometry(0, 0, TPointSize{68, 68}, TPointSize{60, 64});
  const TImage* img = res->ImageSet(0)->Image(0);
  EXPECT_EQ(img->PatternWidth, 68);
  EXPECT_EQ(img->VisibleWidth, 60);
  EXPECT_EQ(img->VisibleHeight, 64);
  EXPECT_EQ(img->PatternCount, 4) << "two tiles per texture, two textures";
  res->SetImageGeometry(0, 0, TPointSize{0, 68}, TPointSize{0, 0});
  EXPECT_EQ(img->PatternCount, 0);
  res->SetImageGeometry(0, 5, TPointSize{1, 1}, TPointSize{1, 1});  // no such image: ignored
  res->SetImageGeometry(3, 0, TPointSize{1, 1}, TPointSize{1, 1});
}

TEST_F(ResourcesTest, ADeferredArchiveReadsEachPictureWhenFirstLookedAtAndAgainAfterARelease) {
  TASDbWriter writer;
  writer.AddImage(Picture("Sheet", 136, 68, 1, 4));
  writer.Add("readme.txt", 2, {'h', 'i'});
  writer.AddImage(Picture("Page", 4, 2, 2, 5));
  ASSERT_TRUE(writer.Save(Dir.File("sprites.asdb")));
  TrndRecordingDevice device;
  device.KeepPixels = true;
  auto res = Make();
  res->SetDevice(&device);
  TImageSet* set = res->ImageSet(res->LoadArchive(Dir.File("sprites.asdb"), true));
  ASSERT_EQ(set->Count(), 2) << "listed from the table";
  EXPECT_EQ(set->PendingCount(), 2);
  EXPECT_TRUE(device.Pixels.empty()) << "nothing read or uploaded yet";
  // Sizes the program sets before the picture is read outlast the reading.
  res->SetImageGeometry(0, 0, TPointSize{68, 68}, TPointSize{60, 64});
  EXPECT_EQ(set->Listed(0)->Name, "Sheet");
  EXPECT_TRUE(set->Listed(0)->Pending);

  const TImage* page = set->Image(1);
  ASSERT_EQ(page->DeviceTextures.size(), 2u);
  for (std::size_t t = 0; t < 2; ++t)
    EXPECT_EQ(device.Pixels[page->DeviceTextures[t]], Picture("Page", 4, 2, 2, 5).Textures[t]);
  EXPECT_TRUE(page->Textures.empty()) << "the pixels are kept by the device alone";
  EXPECT_EQ(set->PendingCount(), 1) << "only the picture looked at is read";

  const TImage* sheet = set->Image(0);
  EXPECT_EQ(sheet->TextureWidth, 136);
  EXPECT_EQ(sheet->VisibleWidth, 60);
  EXPECT_EQ(sheet->PatternCount, 2) << "two tiles of 68 on the texture";

  const TTextureId first = page->DeviceTextures[0];
  set->Release(1);
  EXPECT_TRUE(page->DeviceTextures.empty());
  EXPECT_EQ(device.Pixels.count(first), 0u) << "the texture is freed";
  EXPECT_EQ(set->PendingCount(), 1);
  ASSERT_EQ(set->Image(1)->DeviceTextures.size(), 2u) << "read again";
  EXPECT_EQ(device.Pixels[page->DeviceTextures[1]], Picture("Page", 4, 2, 2, 5).Textures[1]);
  EXPECT_TRUE(res->UnreadableData.empty());
}

TEST_F(ResourcesTest, ADeferredArchiveIsCheckedAtOnceAndADamagedPictureStaysBlankAndIsToldOnce) {
  TrndRecordingDevice device;
  TrndRecordingDevice second;
  auto res = Make();
  res->LoadArchive(Dir.File("missing.asdb"), true);
  PutFile(Dir.File("junk.asdb"), {'n', 'o', 't', ' ', 'a', 'n', ' ', 'a', 'r', 'c', 'h', 'i', 'v', 'e'});
  res->LoadArchive(Dir.File("junk.asdb"), true);
  EXPECT_EQ(res->UnreadableData, (std::vector<std::string>{"missing.asdb (missing)", "junk.asdb (cannot be read)"}));

  TASDbWriter writer;
  std::vector<std::uint8_t> bad = EncodeImagePayload(Picture("Bad", 2, 2, 1, 2));
  bad.pop_back();  // one byte short of its texels
  writer.Add("Bad", 1, bad);
  writer.Add("Worse", 1, bad);
  writer.AddImage(Picture("Good", 2, 2, 1, 3));
  ASSERT_TRUE(writer.Save(Dir.File("sprites.asdb")));
  res->SetDevice(&device);
  TImageSet* set = res->ImageSet(res->LoadArchive(Dir.File("sprites.asdb"), true));
  ASSERT_EQ(set->Count(), 3);
  TMessageCatcher catcher;
  EXPECT_TRUE(set->Image(0)->DeviceTextures.empty());
  EXPECT_TRUE(set->Image(1)->DeviceTextures.empty());
  EXPECT_TRUE(set->Image(0)->DeviceTextures.empty()) << "not read again at every look";
  EXPECT_EQ(set->Image(2)->DeviceTextures.size(), 1u) << "the pictures after a damaged one still come";
  ASSERT_EQ(catcher.Messages.size(), 1u);
  EXPECT_NE(catcher.Messages[0].second.find("\"Bad\""), std::string::npos);

  // A renderer rebuilt leaves the unread pictures unread.
  res->SetDevice(&second);
  EXPECT_EQ(set->Listed(2)->DeviceTextures.size(), 1u);
  EXPECT_TRUE(catcher.Messages.size() == 1u);
}

// A platform that keeps files in memory stores each one when told: it must be
// told of every save and every file set aside, once, after the file is whole.
TEST_F(ResourcesTest, EveryFinishedSaveAndEveryFileSetAsideIsToldToTheObserver) {
  std::vector<std::pair<std::string, std::size_t>> told;
  TFileChangeObserver before = SetFileChangeObserver([&](const std::string& path) {
    std::vector<std::uint8_t> bytes;
    told.emplace_back(path, ReadFileBytes(path, bytes) ? bytes.size() : 0);
  });
  std::vector<std::uint8_t> file = ProfileBytes("One", 1).Bytes;
  file.insert(file.end(), 7, 0x5A);
  PutFile(Profiles(), file);
  told.clear();
  {
    auto res = Make();
    const std::vector<std::pair<std::string, std::size_t>> atStart = {
        {Settings(), 24}, {Profiles() + ".damaged", file.size()}, {Profiles(), 504},
        // the new settings pointed at no player; the one read back becomes the active one
        {Settings(), 24}, {Scores(), 4800}};
    EXPECT_EQ(told, atStart);
    told.clear();
    res->AddProfile(TProfileRecord{});
    EXPECT_TRUE(res->SaveProfiles());
    const std::vector<std::pair<std::string, std::size_t>> afterSave = {{Profiles(), 1008}};
    EXPECT_EQ(told, afterSave);
  }
  told.clear();
  EXPECT_FALSE(WriteFileAtomic(Dir.File("no-such-folder/file"), {1, 2}));
  EXPECT_TRUE(told.empty()) << "a write that failed stores nothing";
  SetFileChangeObserver(std::move(before));
}

}  // namespace
