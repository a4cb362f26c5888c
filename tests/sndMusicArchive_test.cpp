// The music archive: tracks are loaded from archive records by key.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/sysEventHandler.h"
#include "data/ASDb.h"
#include "data/ASDbWriter.h"
#include "data/sysFiles.h"
#include "objects/sysInterface.h"
#include "sndFakeAudio.h"
#include "sound/modSound.h"
#include "sound/sndSoundSystem.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// Frames of an Ogg stream, from the granule position of its last page.
std::int64_t OggFrames(const std::vector<std::uint8_t>& ogg) {
  std::size_t last = std::string::npos;
  for (std::size_t at = 0; at + 27 <= ogg.size(); ++at)
    if (ogg[at] == 'O' && ogg[at + 1] == 'g' && ogg[at + 2] == 'g' && ogg[at + 3] == 'S') last = at;
  if (last == std::string::npos) return -1;
  std::int64_t granule = 0;
  for (int i = 7; i >= 0; --i) granule = granule << 8 | ogg[last + 6 + i];
  return granule;
}

class MusicArchive : public ::testing::Test {
 protected:
  MusicArchive() { SetLogFile(Dir.File("log.txt")); }
  ~MusicArchive() override { SetLogFile(""); }
  TTempDir Dir;
  TFakeAudio Audio;
};

TEST_F(MusicArchive, SoundRecordsLoadInOrderAndTheRestAreSkipped) {
  TASDbWriter writer;
  writer.Add("one.ogg", 0, Bytes("OggS1"));
  writer.Add("readme.txt", 0, Bytes("not music"));
  writer.Add("TWO.OGG", 7, Bytes("OggS2"));
  writer.Add("one.ogg", 0, Bytes("OggS-duplicate"));
  writer.Add("noise.wav", 0, Bytes("RIFF-not-for-this-decoder"));
  const std::uint8_t iv[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  writer.AddEncrypted("locked.ogg", 0, Bytes("OggS3"), "secret", iv);
  writer.Add("three.ogg", 0, Bytes("OggS4"));
  ASSERT_TRUE(writer.Save(Dir.File("Music.asdb")));

  TSoundSystem system(&Audio);
  std::vector<std::string> errors;
  system.OnError = [&](TSoundSystem*, const std::string& m) { errors.push_back(m); };
  ASSERT_TRUE(system.Start());
  TASDb db;
  db.SetFileName(Dir.File("Music.asdb"));
  EXPECT_TRUE(system.LoadFromArchive(db));
  ASSERT_EQ(system.Count(), 3);
  EXPECT_EQ(system.Track(0)->Name, "one.ogg");
  EXPECT_EQ(system.Track(1)->Name, "TWO.OGG");
  EXPECT_EQ(system.Track(2)->Name, "three.ogg");
  // Checked at loading, then held only while playing: the first of two equal keys.
  EXPECT_TRUE(system.Track(0)->Data.empty());
  EXPECT_TRUE(system.Track(0)->HasData());
  system.Play(0, false);
  EXPECT_EQ(system.Track(0)->Data, Bytes("OggS1"));
  EXPECT_EQ(Audio.PlayingMusic(), "OggS1");
  system.Stop(0);
  EXPECT_TRUE(system.Track(0)->Data.empty()) << "given back when it stops";
  EXPECT_EQ(errors, (std::vector<std::string>{"Error while loading noise.wav !", "Error while loading locked.ogg !"}));

  // Loading again adds nothing: every name is there already.
  EXPECT_TRUE(system.LoadFromArchive(db));
  EXPECT_EQ(system.Count(), 3);
}

TEST_F(MusicArchive, ATruncatedArchiveKeepsTheTracksBeforeTheDamage) {
  TASDbWriter writer;
  writer.Add("a.ogg", 0, Bytes("OggSa"));
  writer.Add("b.ogg", 0, std::vector<std::uint8_t>(5000, 'O'));
  std::vector<std::uint8_t> file = writer.Build();
  ASSERT_TRUE(WriteFileAtomic(Dir.File("Music.asdb"), file));
  TSoundSystem system(&Audio);
  ASSERT_TRUE(system.Start());
  TASDb db;
  db.SetFileName(Dir.File("Music.asdb"));
  system.LoadFromArchive(db);
  const int whole = system.Count();
  // Chop the end of the stored data: the record no longer reads.
  file.resize(file.size() - 10);
  ASSERT_TRUE(WriteFileAtomic(Dir.File("Cut.asdb"), file));
  TSoundSystem cut(&Audio);
  ASSERT_TRUE(cut.Start());
  TASDb cutDb;
  cutDb.SetFileName(Dir.File("Cut.asdb"));
  cut.LoadFromArchive(cutDb);
  EXPECT_LE(cut.Count(), whole);
  EXPECT_LE(cut.Count(), 1);
}

TEST_F(MusicArchive, TheModuleLoadsTheMusicArchiveAndPlaysFromIt) {
  std::filesystem::create_directories(Dir.File("data"));
  TASDbWriter writer;
  writer.Add("x.ogg", 0, Bytes("OggSx"));
  writer.Add("y.ogg", 0, Bytes("OggSy"));
  ASSERT_TRUE(writer.Save(Dir.File("data/Music.asdb")));
  TFakeWindow window;
  TsysEventHandler events(&window);
  TsysInterface iface(&window, &events, Dir.Path());
  TFakeAudio* audio = nullptr;
  TmodSound sound(&window, &iface, [&]() -> std::unique_ptr<TsndDevice> {
    auto a = std::make_unique<TFakeAudio>();
    audio = a.get();
    return a;
  });
  sound.LoadMusic(Dir.File("data/Music.asdb"));
  ASSERT_EQ(sound.Music()->Count(), 2);
  for (int frame = 0; frame < 40 && audio->PlayingMusic().empty(); ++frame) sound.ProcessEvents();
  EXPECT_NE(audio->PlayingMusic(), "");
  // Loading again replaces the list instead of adding to it.
  sound.LoadMusic(Dir.File("data/Music.asdb"));
  EXPECT_EQ(sound.Music()->Count(), 2);
  EXPECT_EQ(audio->PlayingMusic(), "");

  // A missing archive leaves no music, and the game goes on.
  sound.LoadMusic(Dir.File("data/None.asdb"));
  EXPECT_EQ(sound.Music()->Count(), 0);
  sound.ProcessEvents();
  EXPECT_EQ(audio->PlayingMusic(), "");
}

TEST_F(MusicArchive, TheBuiltArchiveHoldsFourOggTracksOfOneToTwoMinutes) {
  TASDb db;
  db.OpenMode = opReadOnly;
  db.SetFileName(std::string(PLOTFRAY_DATA_DIR) + "Music.asdb");
  ASSERT_TRUE(db.EnsureOpen());
  ASSERT_EQ(db.RecordCount(), 4);
  std::set<std::size_t> sizes;
  for (int i = 0; i < 4; ++i) {
    const std::string key = db.RecordKey(i);
    EXPECT_EQ(TSoundSystem::KindOfFile(key), 3) << key;
    std::vector<std::uint8_t> ogg;
    ASSERT_TRUE(db.ReadRecord(key, ogg)) << key;
    const double seconds = static_cast<double>(OggFrames(ogg)) / 44100.0;
    EXPECT_GE(seconds, 60.0) << key;
    EXPECT_LE(seconds, 120.0) << key;
    sizes.insert(ogg.size());
  }
  EXPECT_EQ(sizes.size(), 4u);
}

}  // namespace
