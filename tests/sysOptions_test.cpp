// The options file beside the settings: its record, its reading with the care
// the settings get (damage set aside, defaults, a log line), and a settings
// file that keeps its bytes whatever the new options do.
#include "data/sysOptions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/sysLog.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> OptionsBytes(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

class OptionsFileTest : public ::testing::Test {
 protected:
  std::unique_ptr<TsysResources> Make() { return std::make_unique<TsysResources>(nullptr, Dir.Path()); }
  std::string Options() const { return Dir.File("Options.ini"); }
  std::string Settings() const { return Dir.File("Settings.ini"); }
  // The log lines written while f runs.
  template <class F>
  std::string Logged(F f) {
    const std::string log = Dir.File("log.txt");
    SetLogFile(log);
    f();
    SetLogFile("");
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  TTempDir Dir;
};

TEST(OptionsRecord, EightBytesRoundTripAndSwitchesOutsideZeroOrOneAreReset) {
  TOptionsRecord o;
  o.ColourBlindPalette = 1;
  o.LargeLabels = 1;
  o.Reserved[5] = 0x5A;  // reserved bytes are carried, not zeroed
  const std::vector<std::uint8_t> bytes = EncodeOptions(o);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 1, 0, 0, 0, 0, 0, 0x5A}));
  TOptionsRecord back;
  TDecodeNotes notes;
  ASSERT_TRUE(DecodeOptions(bytes.data(), bytes.size(), back, notes));
  EXPECT_EQ(back, o);
  EXPECT_EQ(notes.Repaired, 0);

  const std::vector<std::uint8_t> odd = {2, 255, 0, 0, 0, 0, 0, 0};
  ASSERT_TRUE(DecodeOptions(odd.data(), odd.size(), back, notes));
  EXPECT_EQ(back.ColourBlindPalette, 0);
  EXPECT_EQ(back.LargeLabels, 0);
  EXPECT_EQ(notes.Repaired, 2);
  EXPECT_FALSE(DecodeOptions(odd.data(), 7, back, notes)) << "short of a record";
}

TEST_F(OptionsFileTest, WithoutTheFileTheDefaultsAreUsedAndSavingLeavesTheSettingsFileAsItWas) {
  auto res = Make();
  EXPECT_EQ(res->Options, TOptionsRecord{});
  EXPECT_FALSE(FileExists(Options())) << "written only when an option changes";
  const std::vector<std::uint8_t> settings = OptionsBytes(Settings());
  ASSERT_EQ(settings.size(), SettingsRecordSize);

  TOptionsRecord o;
  o.LargeLabels = 1;
  ASSERT_TRUE(res->SaveOptions(o));
  EXPECT_EQ(OptionsBytes(Options()), (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(OptionsBytes(Settings()), settings) << "the settings file keeps its bytes";

  res.reset();
  res = Make();
  EXPECT_EQ(res->Options.LargeLabels, 1) << "read back at the next start";
  EXPECT_EQ(OptionsBytes(Settings()), settings);
}

TEST_F(OptionsFileTest, AShortFileIsSetAsideLoggedAndReplacedByTheDefaults) {
  const std::vector<std::uint8_t> damaged = {1, 1, 0};
  ASSERT_TRUE(WriteFileAtomic(Options(), damaged));
  std::unique_ptr<TsysResources> res;
  const std::string log = Logged([&] { res = Make(); });
  EXPECT_EQ(res->Options, TOptionsRecord{});
  EXPECT_EQ(OptionsBytes(Options() + ".damaged"), damaged) << "kept for whoever wants to look";
  EXPECT_EQ(OptionsBytes(Options()), EncodeOptions(TOptionsRecord{}));
  EXPECT_NE(log.find("Options.ini holds 3 bytes"), std::string::npos) << log;
}

TEST_F(OptionsFileTest, ASwitchOutOfRangeIsResetLoggedAndWrittenBack) {
  ASSERT_TRUE(WriteFileAtomic(Options(), {9, 1, 0, 0, 0, 0, 0, 0}));
  std::unique_ptr<TsysResources> res;
  const std::string log = Logged([&] { res = Make(); });
  EXPECT_EQ(res->Options.ColourBlindPalette, 0);
  EXPECT_EQ(res->Options.LargeLabels, 1) << "the other switch is kept";
  EXPECT_EQ(OptionsBytes(Options()), (std::vector<std::uint8_t>{0, 1, 0, 0, 0, 0, 0, 0}));
  EXPECT_NE(log.find("Options.ini: 1 value outside its range was replaced by its default"), std::string::npos) << log;
}

}  // namespace
