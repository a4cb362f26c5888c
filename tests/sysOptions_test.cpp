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

TEST(OptionsRecord, EightBytesRoundTripAndValuesOutsideTheirRangesAreReset) {
  TOptionsRecord o;
  o.ColourBlindPalette = 1;
  o.LargeLabels = 1;
  o.GameSpeed = SpeedThreeQuarters;
  o.KeyRepeat = RepeatOff;
  o.Reserved[2] = 0x5A;  // reserved bytes are carried, not zeroed
  const std::vector<std::uint8_t> bytes = EncodeOptions(o);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 1, 3, 75, 2, 0, 0, 0x5A, 0, 0, 0, 0, 0, 0, 0, 0}));
  TOptionsRecord back;
  TDecodeNotes notes;
  ASSERT_TRUE(DecodeOptions(bytes.data(), bytes.size(), back, notes));
  EXPECT_EQ(back, o);
  EXPECT_EQ(notes.Repaired, 0);

  // Every speed and repeat setting there is, and the ones next to them that are not.
  for (const std::uint8_t speed : {SpeedHalf, SpeedThreeQuarters, SpeedFull}) {
    const std::vector<std::uint8_t> good = {0, 0, 2, speed, RepeatSlow, 0, 0, 0};
    TDecodeNotes none;
    ASSERT_TRUE(DecodeOptions(good.data(), good.size(), back, none));
    EXPECT_EQ(back.GameSpeed, speed);
    EXPECT_EQ(back.KeyRepeat, RepeatSlow);
    EXPECT_EQ(none.Repaired, 0);
  }
  const std::vector<std::uint8_t> odd = {2, 255, 2, 74, 3, 0, 0, 0};
  ASSERT_TRUE(DecodeOptions(odd.data(), odd.size(), back, notes));
  EXPECT_EQ(back.ColourBlindPalette, 0);
  EXPECT_EQ(back.LargeLabels, 0);
  EXPECT_EQ(back.GameSpeed, SpeedFull);
  EXPECT_EQ(back.KeyRepeat, RepeatUsual);
  EXPECT_EQ(notes.Repaired, 4);
  EXPECT_FALSE(DecodeOptions(odd.data(), 7, back, notes)) << "short of a record";
}

TEST(OptionsRecord, AFileOfTheFirstLayoutLoadsAndOneOfALaterLayoutKeepsWhatItAdded) {
  // The first files: two switches and six zeros, whatever stands where the speed now is.
  const std::vector<std::uint8_t> first = {1, 0, 0, 0, 0, 0, 0, 0};
  TOptionsRecord o;
  TDecodeNotes notes;
  ASSERT_TRUE(DecodeOptions(first.data(), first.size(), o, notes));
  EXPECT_EQ(o.ColourBlindPalette, 1);
  EXPECT_EQ(o.GameSpeed, SpeedFull) << "a first-layout file has no speed: full speed";
  EXPECT_EQ(o.KeyRepeat, RepeatUsual);
  EXPECT_EQ(notes.Repaired, 0) << "an older layout is not damage";
  EXPECT_EQ(EncodeOptions(o), (std::vector<std::uint8_t>{1, 0, 3, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})) << "written in this layout";

  // A later game's file: version 4 with a field of four bytes after this layout's.
  const std::vector<std::uint8_t> later = {0, 1, 4, 50, 1, 0, 0, 0, 'p', 't', '_', 'B', 'R', 0, 0, 0, 7, 7, 7, 7};
  ASSERT_TRUE(DecodeOptions(later.data(), later.size(), o, notes));
  EXPECT_EQ(o.LargeLabels, 1);
  EXPECT_EQ(o.GameSpeed, SpeedHalf);
  EXPECT_EQ(o.KeyRepeat, RepeatSlow);
  EXPECT_EQ(o.Language, "pt_BR");
  o.GameSpeed = SpeedFull;
  std::vector<std::uint8_t> expected = later;
  expected[3] = 100;
  EXPECT_EQ(EncodeOptions(o), expected) << "the later layout's version and bytes survive a save here";
}

TEST(OptionsRecord, TheLanguageIsKeptFromVersionThreeAndAnythingButACodeFollowsTheSystem) {
  // A version 2 file (the speed's layout) keeps its speed and gets no language.
  const std::vector<std::uint8_t> speedLayout = {0, 0, 2, 75, 1, 0, 0, 0};
  TOptionsRecord o;
  TDecodeNotes notes;
  ASSERT_TRUE(DecodeOptions(speedLayout.data(), speedLayout.size(), o, notes));
  EXPECT_EQ(o.GameSpeed, SpeedThreeQuarters) << "a version 2 file is not the first layout";
  EXPECT_EQ(o.KeyRepeat, RepeatSlow);
  EXPECT_EQ(o.Language, "");
  EXPECT_EQ(notes.Repaired, 0);

  o.Language = "fr";
  const std::vector<std::uint8_t> bytes = EncodeOptions(o);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0, 0, 3, 75, 1, 0, 0, 0, 'f', 'r', 0, 0, 0, 0, 0, 0}));
  TOptionsRecord back;
  ASSERT_TRUE(DecodeOptions(bytes.data(), bytes.size(), back, notes));
  EXPECT_EQ(back, o);

  // A code that fills all eight bytes is whole; one with a stray byte, or a
  // character no code has, or a version 3 file cut short, follows the system.
  struct TCase {
    std::vector<std::uint8_t> Tail;
    const char* Language;
    int Repaired;
  };
  const TCase cases[] = {
      {{'a', 'b', 'c', '_', 'D', 'E', 'F', 'G'}, "abc_DEFG", 0},
      {{'d', 'e', 0, 'x', 0, 0, 0, 0}, "", 1},
      {{'f', 'r', '/', 0, 0, 0, 0, 0}, "", 1},
      {{'.', '.', 0, 0, 0, 0, 0, 0}, "", 1},
      {{'e', 's'}, "", 1},
  };
  for (const TCase& c : cases) {
    std::vector<std::uint8_t> file = {0, 0, 3, 100, 0, 0, 0, 0};
    file.insert(file.end(), c.Tail.begin(), c.Tail.end());
    TDecodeNotes n;
    ASSERT_TRUE(DecodeOptions(file.data(), file.size(), back, n));
    EXPECT_EQ(back.Language, c.Language) << file.size();
    EXPECT_EQ(n.Repaired, c.Repaired) << c.Language;
  }
}

TEST(OptionsRecord, EachKeyRepeatSettingHoldsLongerAndRepeatsLessOftenThanTheOneBefore) {
  const TKeyRepeatPace usual = KeyRepeatPace(RepeatUsual);
  const TKeyRepeatPace slow = KeyRepeatPace(RepeatSlow);
  const TKeyRepeatPace off = KeyRepeatPace(RepeatOff);
  EXPECT_EQ(usual.Delay, 18) << "about 0.3 s";
  EXPECT_EQ(usual.Interval, 5) << "12 steps a second";
  EXPECT_GT(slow.Delay, usual.Delay);
  EXPECT_GT(slow.Interval, usual.Interval);
  EXPECT_EQ(off.Interval, 0) << "a held key moves once";
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
  EXPECT_EQ(OptionsBytes(Options()), (std::vector<std::uint8_t>{0, 1, 3, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
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
  EXPECT_EQ(OptionsBytes(Options()), (std::vector<std::uint8_t>{0, 1, 3, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_NE(log.find("Options.ini: 1 value outside its range was replaced by its default"), std::string::npos) << log;
}

}  // namespace
