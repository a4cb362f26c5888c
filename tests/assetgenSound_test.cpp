// The generator's synthesiser, effect banks, sequencer and encoder.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "data/sysFiles.h"
#include "sound/genSounds.h"
#include "sound/music.h"
#include "sound/modSound.h"
#include "sound/sndWaveBank.h"
#include "sound/synth.h"

namespace {

// A coarse fingerprint of a sound: length, brightness and loudness shape.
std::vector<double> Fingerprint(const synth::TBuffer& b) {
  std::vector<double> f;
  f.push_back(static_cast<double>(b.size()) / synth::Rate);
  std::size_t crossings = 0;
  for (std::size_t i = 1; i < b.size(); ++i) crossings += (b[i - 1] < 0) != (b[i] < 0) ? 1 : 0;
  f.push_back(static_cast<double>(crossings) / static_cast<double>(b.size()));
  for (int seg = 0; seg < 8; ++seg) {
    synth::TBuffer part(b.begin() + static_cast<std::ptrdiff_t>(b.size() * seg / 8),
                        b.begin() + static_cast<std::ptrdiff_t>(b.size() * (seg + 1) / 8));
    f.push_back(synth::Rms(part));
  }
  return f;
}

double Distance(const std::vector<double>& a, const std::vector<double>& b) {
  double d = std::fabs(a[0] - b[0]) / std::max(a[0], b[0]) + std::fabs(a[1] - b[1]) / std::max(a[1], b[1]);
  for (std::size_t i = 2; i < a.size(); ++i) d += std::fabs(a[i] - b[i]);
  return d;
}

}  // namespace

TEST(Synth, NotesSlidesAndLevelsComeOutAsAsked) {
  EXPECT_DOUBLE_EQ(synth::NoteFreq("A4"), 440.0);
  EXPECT_NEAR(synth::NoteFreq("C4"), 261.6256, 1e-3);
  EXPECT_EQ(synth::NoteMidi("F#5"), 78);
  EXPECT_EQ(synth::NoteMidi("Bb3"), 58);
  EXPECT_THROW(synth::NoteMidi("H2"), std::invalid_argument);
  EXPECT_THROW(synth::NoteMidi("C"), std::invalid_argument);

  // A sine sliding down two octaves per second from 880 Hz stops at its floor.
  synth::TVoice v;
  v.Shape = synth::TShape::Sine;
  v.Freq = 880;
  v.Slide = -2;
  v.FreqMin = 220;
  v.Attack = 0.001;
  v.Sustain = 2.0;
  v.Decay = 0.0;
  const synth::TBuffer b = synth::Render(v);
  ASSERT_EQ(b.size(), static_cast<std::size_t>(2.001 * synth::Rate));
  auto crossingsPerSecond = [&](double from, double to) {
    int n = 0;
    for (auto i = static_cast<std::size_t>(from * synth::Rate); i < static_cast<std::size_t>(to * synth::Rate); ++i)
      n += (b[i] < 0) != (b[i + 1] < 0) ? 1 : 0;
    return n / (to - from) / 2.0;
  };
  EXPECT_NEAR(crossingsPerSecond(0.0, 0.05), 850, 40);
  EXPECT_NEAR(crossingsPerSecond(1.5, 2.0), 220, 5);

  synth::TBuffer quiet(1000, 0.01f);
  quiet[10] = 0.5f;
  synth::Level(quiet, 0.2, 0.89);  // the peak caps the gain
  EXPECT_NEAR(synth::Peak(quiet), 0.89, 1e-6);
  synth::Fade(quiet, 0.001, 0.001);
  EXPECT_EQ(quiet.front(), 0.0f);
  EXPECT_EQ(quiet.back(), 0.0f);
  const auto pcm = synth::ToPcm16({1.5f, -1.5f, 0.5f});
  EXPECT_EQ(pcm, (std::vector<std::int16_t>{32767, -32768, 16384}));
}

TEST(EffectBanks, EveryBankHasTheWavesTheGameCallsFor) {
  const auto banks = MakeEffectBanks();
  ASSERT_EQ(banks.size(), 8u);
  const std::size_t least[8] = {3, 2, 1, 4, 2, 1, 2, 6};
  for (std::size_t b = 0; b < 8; ++b) {
    EXPECT_EQ(banks[b].File, EffectBankFiles[b]);
    EXPECT_GE(banks[b].Waves.size(), least[b]) << banks[b].File;
  }
  EXPECT_EQ(banks[3].Waves.size(), 4u);  // chosen by Param 0..3
  EXPECT_EQ(banks[6].Waves.size(), 2u);  // hover, click
  EXPECT_EQ(banks[7].Waves.size(), 6u);  // chosen by Param 0..5
}

TEST(EffectBanks, WavesAreCleanShortAndDistinct) {
  std::vector<std::pair<std::string, std::vector<double>>> prints;
  for (const TEffectBank& bank : MakeEffectBanks()) {
    for (const TEffectWave& w : bank.Waves) {
      const std::string name = bank.File + "/" + w.Name;
      const double seconds = static_cast<double>(w.Samples.size()) / synth::Rate;
      EXPECT_GT(seconds, 0.02) << name;
      EXPECT_LT(seconds, bank.File == "fxmouseover.sl" ? 0.1 : 4.0) << name;
      EXPECT_LE(synth::Peak(w.Samples), 0.891) << name;  // -1 dBFS: no clipping
      const double loud = 20.0 * std::log10(synth::LoudestWindowRms(w.Samples));
      EXPECT_GT(loud, -24.0) << name;
      EXPECT_LT(loud, -7.0) << name;
      // No click: both ends sit on silence.
      EXPECT_LT(std::fabs(w.Samples.front()), 1e-3) << name;
      EXPECT_LT(std::fabs(w.Samples.back()), 1e-3) << name;
      // It rises from silence no faster than over 2 ms, and dies away the same way.
      const std::size_t ramp = synth::Rate / 500;
      for (std::size_t i = 0; i < ramp; ++i) {
        EXPECT_LE(std::fabs(w.Samples[i]), (i + 1.0) / ramp) << name << " sample " << i;
        EXPECT_LE(std::fabs(w.Samples[w.Samples.size() - 1 - i]), (i + 1.0) / ramp) << name << " from the end " << i;
      }
      prints.emplace_back(name, Fingerprint(w.Samples));
    }
  }
  for (std::size_t i = 0; i < prints.size(); ++i)
    for (std::size_t j = i + 1; j < prints.size(); ++j)
      EXPECT_GT(Distance(prints[i].second, prints[j].second), 0.1) << prints[i].first << " vs " << prints[j].first;
}

TEST(EffectBanks, TheBuiltBankFilesReadBackWithEveryWave) {
  const auto banks = MakeEffectBanks();
  for (const TEffectBank& bank : banks) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(std::string(PLOTFRAY_DATA_DIR) + bank.File, bytes)) << bank.File;
    std::vector<TWaveItem> items;
    std::string error;
    ASSERT_TRUE(ParseWaveBank(bytes.data(), bytes.size(), items, error)) << bank.File << ": " << error;
    ASSERT_EQ(items.size(), bank.Waves.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(items[i].Name, bank.Waves[i].Name);
      TRiffWaveInfo info;
      ASSERT_TRUE(ParseRiffWave(items[i].Wave, info, error));
      EXPECT_EQ(info.BitsPerSample, 16);
      EXPECT_EQ(info.SampleRate, static_cast<std::uint32_t>(synth::Rate));
      EXPECT_EQ(info.Frames(), bank.Waves[i].Samples.size());
    }
  }
}

TEST(Sequencer, LinesChordsAndScalesParse) {
  const auto line = music::ParseLine("E5:2 r:4  Bb4:10");
  ASSERT_EQ(line.size(), 3u);
  EXPECT_EQ(line[0].Midi, 76);
  EXPECT_EQ(line[1].Midi, -1);
  EXPECT_EQ(line[2].Sixteenths, 10);
  EXPECT_THROW(music::ParseLine("E5"), std::invalid_argument);
  EXPECT_THROW(music::ParseLine("E5:0"), std::invalid_argument);

  EXPECT_EQ(music::ParseChord("Am").Intervals, (std::vector<int>{0, 3, 7}));
  EXPECT_EQ(music::ParseChord("Bbmaj7").Root, 58);
  EXPECT_EQ(music::ParseChord("C#m7").Intervals, (std::vector<int>{0, 3, 7, 10}));
  EXPECT_THROW(music::ParseChord("Cadd9"), std::invalid_argument);

  const std::vector<int> major = {0, 2, 4, 5, 7, 9, 11};
  EXPECT_EQ(music::DiatonicShift(64, -2, major), 60);  // E4 a third down: C4
  EXPECT_EQ(music::DiatonicShift(60, -2, major), 57);  // C4: A3, across the octave
  EXPECT_EQ(music::DiatonicShift(71, 2, major), 74);   // B4: D5
  EXPECT_EQ(music::DiatonicShift(61, 2, major), 65);   // a note off the scale keeps its offset

  // A shuffle pushes the off-beat eighth to two thirds of the beat.
  music::TArranger straight(120, 0.0, major), shuffle(120, 1.0 / 3.0, major);
  EXPECT_DOUBLE_EQ(straight.Time(1, 2), 2.0 + 0.25);
  EXPECT_NEAR(shuffle.Time(1, 2), 2.0 + 1.0 / 3.0, 1e-12);
  EXPECT_DOUBLE_EQ(shuffle.Time(1, 4), 2.5);
}

TEST(Sequencer, ABellIsItsPartialsUnderItsEnvelopeToTheLastSample) {
  // The partials are turned sample by sample; after seconds they must still be
  // where the sine of the elapsed time puts them.
  const double f = synth::MidiFreq(81), seconds = 3.0;
  const synth::TBuffer bell = music::PlayNote(music::TInstrument::Bell, 81, seconds);
  ASSERT_EQ(bell.size(), static_cast<std::size_t>((seconds + 0.08) * synth::Rate));
  const double partials[4][2] = {{1.0, 0.6}, {2.0, 0.25}, {3.0, 0.1}, {4.07, 0.06}};
  double worst = 0.0;
  for (std::size_t i = 0; i < bell.size(); i += 997) {
    const double t = static_cast<double>(i) / synth::Rate;
    double v = 0.0;
    for (const auto& p : partials) v += p[1] * std::sin(2.0 * M_PI * f * p[0] * t);
    double env = t < 0.003 ? t / 0.003 : std::exp(-(t - 0.003) / 0.45);
    if (t > seconds) env *= std::max(0.0, 1.0 - (t - seconds) / 0.08);
    worst = std::max(worst, std::fabs(bell[i] - v * env));
  }
  EXPECT_LT(worst, 1e-6);
}

TEST(Sequencer, OggEncodingIsDeterministicAndComplete) {
  music::TStereo s;
  s.L.resize(synth::Rate / 2);
  for (std::size_t i = 0; i < s.L.size(); ++i) s.L[i] = 0.4f * static_cast<float>(std::sin(i * 0.06));
  s.R = s.L;
  const auto a = music::EncodeOgg(s, 0.2f, 42), b = music::EncodeOgg(s, 0.2f, 42);
  ASSERT_GT(a.size(), 100u);
  EXPECT_EQ(a, b);
  EXPECT_EQ(std::string(a.begin(), a.begin() + 4), "OggS");
  // The last page carries the end-of-stream flag and the whole length in frames.
  std::size_t last = 0;
  for (std::size_t at = 0; at + 27 <= a.size(); ++at)
    if (a[at] == 'O' && a[at + 1] == 'g' && a[at + 2] == 'g' && a[at + 3] == 'S') last = at;
  EXPECT_TRUE(a[last + 5] & 0x04);
  std::int64_t granule = 0;
  for (int i = 7; i >= 0; --i) granule = granule << 8 | a[last + 6 + i];
  EXPECT_EQ(granule, static_cast<std::int64_t>(s.L.size()));
}
