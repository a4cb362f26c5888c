#include "sound/sndWaveBank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/sysFiles.h"
#include "sound/genWaveBank.h"
#include "sndFakeAudio.h"
#include "sound/synth.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> Tone(std::size_t samples, std::int16_t level = 1000) {
  std::vector<std::int16_t> pcm(samples);
  for (std::size_t i = 0; i < samples; ++i) pcm[i] = static_cast<std::int16_t>(i % 2 ? level : -level);
  return synth::EncodeWav(pcm, 22050, 1);
}

TWaveItem Item(const std::string& name, std::int32_t maxPlaying, bool looped = false, std::size_t samples = 16) {
  TWaveItem item;
  item.Name = name;
  item.MaxPlayingCount = maxPlaying;
  item.Looped = looped;
  item.Wave = Tone(samples);
  return item;
}

bool Parse(const std::vector<std::uint8_t>& bytes, std::vector<TWaveItem>& items, std::string& error) {
  return ParseWaveBank(bytes.data(), bytes.size(), items, error);
}

// Bytes of a stream put together by hand.
struct TStream {
  std::vector<std::uint8_t> B;
  TStream& Raw(std::initializer_list<int> bytes) {
    for (int b : bytes) B.push_back(static_cast<std::uint8_t>(b));
    return *this;
  }
  TStream& Str(const std::string& s) {
    B.push_back(static_cast<std::uint8_t>(s.size()));
    B.insert(B.end(), s.begin(), s.end());
    return *this;
  }
  TStream& U32(std::uint32_t v) { return Raw({int(v & 255), int(v >> 8 & 255), int(v >> 16 & 255), int(v >> 24)}); }
  TStream& Bytes(const std::vector<std::uint8_t>& v) {
    B.insert(B.end(), v.begin(), v.end());
    return *this;
  }
  TStream& Header() { return Raw({'T', 'P', 'F', '0'}).Str("TWaveCollectionComponent").Str("fxtest"); }
  TStream& WaveItem(const std::string& name, const std::vector<std::uint8_t>& wave) {
    Raw({0x01}).Str("Name").Raw({0x06}).Str(name).Str("Wave.WAVE").Raw({0x0A}).U32(static_cast<std::uint32_t>(wave.size()));
    return Bytes(wave).Raw({0x00});
  }
};

// Collects the log lines written while it lives.
class TLogCapture {
 public:
  TLogCapture() { SetLogFile(Dir.File("log.txt")); }
  ~TLogCapture() { SetLogFile(""); }
  std::string Text() const {
    std::ifstream in(Dir.File("log.txt"));
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  TTempDir Dir;
};

}  // namespace

TEST(WaveBankFile, WhatTheWriterWritesTheReaderReadsBackUnchanged) {
  std::vector<TWaveItem> written = {Item("groan", 4), Item("hum", 0, true, 40), Item("wide", 300), Item("huge", 70000),
                                    Item("negative", -1)};
  const auto bytes = EncodeWaveBank("fxtest", written);
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "TPF0");
  std::vector<TWaveItem> read;
  std::string error;
  ASSERT_TRUE(Parse(bytes, read, error)) << error;
  ASSERT_EQ(read.size(), written.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].Name, written[i].Name);
    EXPECT_EQ(read[i].Looped, written[i].Looped);
    EXPECT_EQ(read[i].MaxPlayingCount, written[i].MaxPlayingCount);
    EXPECT_EQ(read[i].Wave, written[i].Wave);
  }
}

TEST(WaveBankFile, EveryTruncationIsRejectedWithoutReadingPastTheEnd) {
  const auto bytes = EncodeWaveBank("fxtest", {Item("a", 1), Item("b", 2)});
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    // A copy of exactly n bytes, so a sanitizer sees any read past it.
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    std::vector<TWaveItem> items;
    std::string error;
    EXPECT_FALSE(ParseWaveBank(cut.data(), cut.size(), items, error)) << "length " << n;
    EXPECT_TRUE(items.empty());
    EXPECT_FALSE(error.empty());
  }
}

TEST(WaveBankFile, HostileHeadersAndLengthsAreRejected) {
  std::vector<TWaveItem> items;
  std::string error;
  auto bytes = EncodeWaveBank("fxtest", {Item("a", 1)});

  auto badSignature = bytes;
  badSignature[3] = '1';
  EXPECT_FALSE(Parse(badSignature, items, error));

  auto otherClass = TStream().Raw({'T', 'P', 'F', '0'}).Str("TSomethingElse").Str("x").Raw({0, 0}).B;
  EXPECT_FALSE(Parse(otherClass, items, error));
  EXPECT_NE(error.find("TSomethingElse"), std::string::npos);

  // A binary length of 4 GB over a few bytes fails at once instead of allocating.
  auto huge = TStream().Header().Str("Waves").Raw({0x0E, 0x01}).Str("Wave.WAVE").Raw({0x0A}).U32(0xFFFFFFFFu)
                  .Raw({1, 2, 3}).B;
  EXPECT_FALSE(Parse(huge, items, error));
  EXPECT_NE(error.find("past the end"), std::string::npos);

  // Lists nested thousands deep are refused before the recursion goes deep.
  TStream deep;
  deep.Header().Str("Junk");
  for (int i = 0; i < 100000; ++i) deep.Raw({0x01});
  EXPECT_FALSE(Parse(deep.B, items, error));
  EXPECT_NE(error.find("too deep"), std::string::npos);

  auto noCollection = TStream().Header().Str("Tag").Raw({0x02, 7}).Raw({0, 0}).B;
  EXPECT_FALSE(Parse(noCollection, items, error));

  auto unknownTag = TStream().Header().Str("Tag").Raw({0x77}).Raw({0, 0}).B;
  EXPECT_FALSE(Parse(unknownTag, items, error));

  auto wrongType = TStream().Header().Str("Waves").Raw({0x0E, 0x01}).Str("Looped").Raw({0x06}).Str("yes").B;
  EXPECT_FALSE(Parse(wrongType, items, error));

  auto withoutWave = TStream().Header().Str("Waves").Raw({0x0E, 0x01}).Str("Name").Raw({0x06}).Str("a").Raw({0, 0, 0, 0}).B;
  EXPECT_FALSE(Parse(withoutWave, items, error));
  EXPECT_TRUE(items.empty());
}

TEST(WaveBankFile, OtherPropertiesOfEveryKindAreSkippedAndItemOrderValuesAccepted) {
  const auto wave = Tone(8);
  TStream s;
  s.Header();
  s.Str("Tag").Raw({0x04, 1, 2, 3, 4});
  s.Str("Ratio").Raw({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});
  s.Str("Caption").Raw({0x0C}).U32(3).Raw({'a', 'b', 'c'});
  s.Str("Wide").Raw({0x12}).U32(2).Raw({'h', 0, 'i', 0});
  s.Str("Flags").Raw({0x0B}).Str("fa").Str("fb").Raw({0x00});
  s.Str("Items").Raw({0x01, 0x02, 5, 0x06}).Str("x").Raw({0x01, 0x09, 0x00, 0x00});
  s.Str("Big").Raw({0x13, 1, 2, 3, 4, 5, 6, 7, 8});
  s.Str("Data").Raw({0x0A}).U32(2).Raw({9, 9});
  s.Str("Waves").Raw({0x0E});
  s.Raw({0x02, 0x00}).WaveItem("first", wave);  // an order value before the item
  s.WaveItem("second", wave);
  s.Raw({0x00});
  s.Str("Trailing").Raw({0x0D});
  s.Raw({0x00, 0x00});
  std::vector<TWaveItem> items;
  std::string error;
  ASSERT_TRUE(Parse(s.B, items, error)) << error;
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].Name, "first");
  EXPECT_EQ(items[1].Name, "second");
  EXPECT_EQ(items[1].MaxPlayingCount, 0);
  EXPECT_FALSE(items[1].Looped);
}

TEST(WaveBankFile, AWaveThatIsNotPlayablePcmSpoilsTheBank) {
  auto bad = Tone(8);
  bad[20] = 3;  // format tag: IEEE float
  std::vector<TWaveItem> items;
  std::string error;
  EXPECT_FALSE(Parse(TStream().Header().Str("Waves").Raw({0x0E}).WaveItem("ok", Tone(8)).WaveItem("bad", bad).Raw({0, 0, 0}).B,
                     items, error));
  EXPECT_NE(error.find("wave 1"), std::string::npos);
  EXPECT_TRUE(items.empty());
}

TEST(RiffWave, ChunksAreWalkedAndCheckedAgainstTheFile) {
  TRiffWaveInfo info;
  std::string error;
  auto wav = Tone(10);
  ASSERT_TRUE(ParseRiffWave(wav, info, error)) << error;
  EXPECT_EQ(info.Channels, 1);
  EXPECT_EQ(info.SampleRate, 22050u);
  EXPECT_EQ(info.BitsPerSample, 16);
  EXPECT_EQ(info.DataOffset, 44u);
  EXPECT_EQ(info.Frames(), 10u);

  // An odd-sized chunk before the data is padded to an even length.
  std::vector<std::uint8_t> padded(wav.begin(), wav.begin() + 36);
  for (int b : std::initializer_list<int>{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0}) padded.push_back(static_cast<std::uint8_t>(b));
  padded.insert(padded.end(), wav.begin() + 36, wav.end());
  const std::uint32_t riffSize = static_cast<std::uint32_t>(padded.size() - 8);
  for (int i = 0; i < 4; ++i) padded[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
  ASSERT_TRUE(ParseRiffWave(padded, info, error)) << error;
  EXPECT_EQ(info.DataOffset, 56u);
  EXPECT_EQ(info.Frames(), 10u);

  auto longData = wav;
  longData[40] = 0xFF;  // data chunk claims more than is there
  EXPECT_FALSE(ParseRiffWave(longData, info, error));

  auto longRiff = wav;
  longRiff[7] = 0x7F;
  EXPECT_FALSE(ParseRiffWave(longRiff, info, error));

  auto badAlign = wav;
  badAlign[32] = 4;  // block align of a stereo file in a mono one
  EXPECT_FALSE(ParseRiffWave(badAlign, info, error));

  auto empty = synth::EncodeWav({}, 22050, 1);
  EXPECT_FALSE(ParseRiffWave(empty, info, error));
  EXPECT_EQ(error, "no samples");

  std::vector<std::uint8_t> tiny = {'R', 'I', 'F', 'F'};
  EXPECT_FALSE(ParseRiffWave(tiny, info, error));
}

TEST(WaveBank, AWaveBecomesASampleAtItsFirstPlayAndADamagedBankLoadsNone) {
  TFakeAudio audio;
  TsndWaveBank bank(&audio);
  const auto bytes = EncodeWaveBank("fxtest", {Item("a", 1), Item("b", 2, true, 30)});
  ASSERT_TRUE(bank.LoadFromBytes(bytes.data(), bytes.size(), "test"));
  ASSERT_EQ(bank.Count(), 2);
  EXPECT_TRUE(audio.Samples.empty());  // nothing is made before it plays
  EXPECT_EQ(bank.Wave(1).Name, "b");
  EXPECT_TRUE(bank.Wave(1).Looped);
  EXPECT_EQ(bank.Wave(0).Buffers.size(), 1u);
  bank.Play(1, 0);
  bank.Play(1, 0);
  ASSERT_EQ(audio.Samples.size(), 1u);  // made once, kept for the next plays
  EXPECT_EQ(audio.Samples[0], Tone(30));
  EXPECT_EQ(audio.Starts.size(), 2u);
  EXPECT_TRUE(bank.Wave(1).Riff.empty());  // the bank's copy went once the sample was made

  TLogCapture log;
  auto damaged = bytes;
  damaged.resize(damaged.size() - 30);
  EXPECT_FALSE(bank.LoadFromBytes(damaged.data(), damaged.size(), "damaged.sl"));
  EXPECT_EQ(bank.Count(), 0);
  EXPECT_EQ(audio.Freed, (std::set<int>{0}));  // the played wave went with the reload
  EXPECT_NE(log.Text().find("damaged.sl is damaged"), std::string::npos);

  // A wave the device refuses is left out at its first play, told once; the others play.
  audio.RejectSamples = true;
  ASSERT_TRUE(bank.LoadFromBytes(bytes.data(), bytes.size(), "undecodable.sl"));
  bank.Play(0, 0);
  bank.Play(0, 0);
  EXPECT_EQ(audio.Starts.size(), 2u);
  const std::string text = log.Text();
  const std::string line = "undecodable.sl: wave a cannot be played (the device does not take it)";
  ASSERT_NE(text.find(line), std::string::npos);
  EXPECT_EQ(text.find(line, text.find(line) + 1), std::string::npos);
  EXPECT_FALSE(bank.Prepare(0));
  audio.RejectSamples = false;
  bank.Play(1, 0);
  EXPECT_EQ(audio.Starts.size(), 3u);

  EXPECT_FALSE(bank.LoadFromFile("/nonexistent/fxnone.sl"));
  EXPECT_NE(log.Text().find("fxnone.sl cannot be opened"), std::string::npos);
}

TEST(WaveBank, ABankFileIsCheckedAtLoadingAndEachWaveReadAgainAtItsFirstPlay) {
  TTempDir dir;
  const std::string path = dir.File("fxfile.sl");
  const auto bytes = EncodeWaveBank("fxfile", {Item("a", 0, false, 20), Item("b", 0, false, 24), Item("c", 0, false, 28)});
  WriteFileAtomic(path, bytes);
  TFakeAudio audio;
  TsndWaveBank bank(&audio);
  ASSERT_TRUE(bank.LoadFromFile(path));
  ASSERT_EQ(bank.Count(), 3);
  for (std::int32_t i = 0; i < 3; ++i) EXPECT_TRUE(bank.Wave(i).Riff.empty()) << i;  // only where each wave is
  bank.Play(1, 0);
  ASSERT_EQ(audio.Samples.size(), 1u);
  EXPECT_EQ(audio.Samples[0], Tone(24));
  bank.Play(2, 0);
  ASSERT_EQ(audio.Samples.size(), 2u);
  EXPECT_EQ(audio.Samples[1], Tone(28));

  // Changed on the disk since loading: the wave is left out, told, and the
  // waves already made go on playing.
  TLogCapture log;
  WriteFileAtomic(path, EncodeWaveBank("fxfile", {Item("a", 0, false, 60)}));
  bank.Play(0, 0);
  bank.Play(1, 0);
  EXPECT_EQ(audio.Samples.size(), 2u);
  EXPECT_EQ(audio.Starts.size(), 3u);
  EXPECT_NE(log.Text().find("fxfile.sl: wave a cannot be played (it changed since loading)"), std::string::npos);

  // The same length but other bytes: the wave is checked again before the device has it.
  WriteFileAtomic(path, bytes);
  ASSERT_TRUE(bank.LoadFromFile(path));
  auto scrambled = bytes;
  for (std::size_t i = bank.Wave(0).Offset; i < bank.Wave(0).Offset + 12; ++i) scrambled[i] = 0x5A;
  WriteFileAtomic(path, scrambled);
  EXPECT_FALSE(bank.Prepare(0));
  EXPECT_NE(log.Text().find("wave a cannot be played (it changed since loading: not a RIFF WAVE file)"),
            std::string::npos);

  std::filesystem::remove(path);
  EXPECT_FALSE(bank.Prepare(1));
  EXPECT_NE(log.Text().find("fxfile.sl: wave b cannot be played (it cannot be opened)"), std::string::npos);
  EXPECT_EQ(audio.Samples.size(), 2u);
}

class WaveBankPlay : public ::testing::Test {
 protected:
  void Load(std::vector<TWaveItem> items) {
    const auto bytes = EncodeWaveBank("fxtest", items);
    ASSERT_TRUE(Bank.LoadFromBytes(bytes.data(), bytes.size(), "test"));
  }
  TFakeAudio Audio;
  TsndWaveBank Bank{&Audio};
};

TEST_F(WaveBankPlay, UnlimitedWavesAddACopyForEachOverlap) {
  Load({Item("a", 0)});
  for (int i = 0; i < 5; ++i) Bank.Play(0, -100);
  EXPECT_EQ(Bank.Wave(0).Buffers.size(), 5u);
  EXPECT_EQ(Audio.Playing.size(), 5u);
  EXPECT_TRUE(Audio.Stopped.empty());
  for (const auto& start : Audio.Starts) EXPECT_EQ(start.Centibels, -100);
}

TEST_F(WaveBankPlay, ALimitedWaveCutsItsOldestCopyAndMovesItToTheEnd) {
  Load({Item("a", 2)});
  Bank.Play(0, 0);
  Bank.Play(0, 0);
  ASSERT_EQ(Audio.Starts.size(), 2u);
  const TsndVoice first = Audio.Starts[0].Voice, second = Audio.Starts[1].Voice;
  Bank.Play(0, 0);  // both copies busy, no third copy allowed
  EXPECT_EQ(Bank.Wave(0).Buffers.size(), 2u);
  EXPECT_EQ(Audio.Stopped, std::vector<TsndVoice>{first});
  EXPECT_EQ(Bank.Wave(0).Buffers.back(), Audio.Starts[2].Voice);
  Bank.Play(0, 0);  // now the second voice is the oldest
  EXPECT_EQ(Audio.Stopped, (std::vector<TsndVoice>{first, second}));
  EXPECT_EQ(Audio.Playing.size(), 2u);
}

TEST_F(WaveBankPlay, AFinishedBufferIsReusedBeforeAnyCopyIsMade) {
  Load({Item("a", 0), Item("b", 3)});
  Bank.Play(0, 0);
  Audio.FinishEffects();
  Bank.Play(0, 0);
  EXPECT_EQ(Bank.Wave(0).Buffers.size(), 1u);
  Bank.Play(1, 0);
  Bank.Play(1, 0);
  Audio.FinishEffects();
  Bank.Play(1, 0);
  EXPECT_EQ(Bank.Wave(1).Buffers.size(), 2u);
  EXPECT_EQ(Bank.Wave(1).Buffers.front(), Audio.Starts.back().Voice);
}

TEST_F(WaveBankPlay, ALoopedWaveRestartsItsOneBufferAndStopStopsEveryCopy) {
  Load({Item("loop", 0, true), Item("a", 0)});
  Bank.Play(0, -300);
  Bank.Play(0, -200);
  EXPECT_EQ(Bank.Wave(0).Buffers.size(), 1u);
  ASSERT_EQ(Audio.Starts.size(), 2u);
  EXPECT_TRUE(Audio.Starts[1].Looped);
  EXPECT_EQ(Audio.Starts[1].Centibels, -200);
  EXPECT_EQ(Audio.Stopped, std::vector<TsndVoice>{Audio.Starts[0].Voice});

  Bank.Play(1, 0);
  Bank.Play(1, 0);
  Bank.Stop(1);
  EXPECT_EQ(Audio.Playing, std::set<TsndVoice>{Audio.Starts[1].Voice});
  Bank.StopAll();
  EXPECT_TRUE(Audio.Playing.empty());
  Bank.Play(5, 0);
  Bank.Play(-1, 0);
  EXPECT_EQ(Audio.Starts.size(), 4u);
}
