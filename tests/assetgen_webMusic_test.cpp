// The browser's copy of the music: one channel at half the rate, nothing above
// the new Nyquist frequency folded back, and the songs' octave-band levels
// kept from the bass to 4 kHz.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>

#include "data/ASDb.h"
#include "data/sysFiles.h"
#include "sound/sndWaveBank.h"
#include "sound/webMusic.h"

namespace {

music::TStereo Tones(std::size_t frames, double leftHz, double rightHz) {
  music::TStereo s;
  s.L.resize(frames);
  s.R.resize(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / synth::Rate;
    s.L[i] = static_cast<float>(0.5 * std::sin(2 * M_PI * leftHz * t));
    s.R[i] = rightHz > 0 ? static_cast<float>(0.5 * std::sin(2 * M_PI * rightHz * t)) : 0.0f;
  }
  return s;
}

double Rms(const std::vector<float>& v, std::size_t from) {
  double sum = 0;
  for (std::size_t i = from; i < v.size(); ++i) sum += static_cast<double>(v[i]) * v[i];
  return std::sqrt(sum / static_cast<double>(v.size() - from));
}

TEST(WebMusic, TheMixBecomesOneChannelAtHalfTheRateWithoutFoldingBack) {
  // One second and a sample: an odd length keeps its last sample.
  const music::TStereo left = Tones(44101, 1000, 0);
  const std::vector<float> mono = music::WebMono(left);
  ASSERT_EQ(mono.size(), 22051u);
  // The left channel alone at 0.5 becomes 0.25 in the mean: RMS 0.25 / sqrt 2.
  EXPECT_NEAR(Rms(mono, 100), 0.25 / std::sqrt(2.0), 0.003);

  // 15 kHz would fold back to 7.05 kHz at the new rate: it is filtered out.
  const std::vector<float> high = music::WebMono(Tones(44100, 15000, 15000));
  EXPECT_LT(Rms(high, 100), 0.5 / std::sqrt(2.0) / 100) << "at least 40 dB down";
  // 10 kHz, the filter's corner, still passes at about half its level or more.
  EXPECT_GT(Rms(music::WebMono(Tones(44100, 8000, 8000)), 100), 0.5 / std::sqrt(2.0) * 0.7);
}

TEST(WebMusic, EncodedAndDecodedATestSignalKeepsItsBandLevels) {
  // A tone at the centre of each band from 125 Hz to 4 kHz, ten seconds.
  std::vector<float> signal(22050 * 10);
  for (std::size_t i = 0; i < signal.size(); ++i)
    for (int b = 1; b <= 6; ++b)
      signal[i] += static_cast<float>(0.08 * std::sin(2 * M_PI * music::BandCentres[b] * i / 22050.0 + b));
  const std::vector<std::uint8_t> ogg = music::EncodeOggMono(signal, music::WebRate, 0.0f, 1, music::WebBitrate);
  ASSERT_FALSE(ogg.empty());
  const music::TDecoded decoded = music::DecodeOgg(ogg);
  ASSERT_EQ(decoded.Rate, music::WebRate);
  ASSERT_GE(decoded.Mono.size(), signal.size());
  const auto before = music::BandLevels(signal, 22050);
  const auto after = music::BandLevels(decoded.Mono, decoded.Rate);
  for (int b = 1; b <= 6; ++b) EXPECT_NEAR(after[b], before[b], 1.0) << music::BandCentres[b] << " Hz";
  EXPECT_TRUE(music::DecodeOgg({'O', 'g', 'g', 'S', 0}).Mono.empty()) << "no stream, nothing decoded";
}

// The generated archives: every song in both, as long in both, and as loud in
// each octave band up to 4 kHz (printed, for the record).
TEST(WebMusic, TheBrowsersSongsKeepTheDesktopsLevels) {
  TASDb desktop;
  TASDb web;
  desktop.OpenMode = web.OpenMode = opReadOnly;
  desktop.SetFileName(std::string(PLOTFRAY_DATA_DIR) + "Music.asdb");
  web.SetFileName(std::string(PLOTFRAY_DATA_DIR) + music::WebMusicFile);
  ASSERT_TRUE(desktop.EnsureOpen());
  ASSERT_TRUE(web.EnsureOpen());
  ASSERT_EQ(web.RecordCount(), desktop.RecordCount());
  for (int i = 0; i < desktop.RecordCount(); ++i) {
    const std::string key = desktop.RecordKey(i);
    ASSERT_EQ(web.RecordKey(i), key);
    std::vector<std::uint8_t> a;
    std::vector<std::uint8_t> b;
    ASSERT_TRUE(desktop.ReadRecord(key, a));
    ASSERT_TRUE(web.ReadRecord(key, b));
    EXPECT_LT(b.size() * 4, a.size()) << key << ": under a quarter of the desktop's bytes";
    const music::TDecoded x = music::DecodeOgg(a);
    const music::TDecoded y = music::DecodeOgg(b);
    ASSERT_GT(x.Rate, 0);
    ASSERT_EQ(y.Rate, music::WebRate);
    EXPECT_NEAR(static_cast<double>(y.Mono.size()) / y.Rate, static_cast<double>(x.Mono.size()) / x.Rate, 0.05);
    const auto lx = music::BandLevels(x.Mono, x.Rate);
    const auto ly = music::BandLevels(y.Mono, y.Rate);
    std::string line = key + " (" + std::to_string(a.size()) + " -> " + std::to_string(b.size()) + " bytes), dB:";
    for (int k = 0; k < music::BandCount; ++k) {
      char cell[64];
      std::snprintf(cell, sizeof cell, " %g Hz %.1f/%.1f", music::BandCentres[k], lx[k], ly[k]);
      line += cell;
      if (music::BandCentres[k] <= 4000) {
        EXPECT_NEAR(ly[k], lx[k], 1.5) << key << " " << music::BandCentres[k] << " Hz";
      }
    }
    std::printf("%s\n", line.c_str());
  }
}

// The browser's effect banks: the same waves in the same order, each at half
// the rate but a loop, and each bank's waves together as loud in each octave
// band up to 4 kHz as the desktop's (printed, for the record).
std::vector<float> WebFxSamples(const std::vector<std::uint8_t>& riff, const TRiffWaveInfo& info) {
  std::vector<float> out(info.Frames());
  for (std::size_t i = 0; i < out.size(); ++i) {
    const std::size_t at = info.DataOffset + 2 * i;
    out[i] = static_cast<float>(static_cast<std::int16_t>(riff[at] | riff[at + 1] << 8)) / 32768.0f;
  }
  return out;
}

TEST(WebMusic, TheBrowsersEffectsAreTheDesktopsAtHalfTheRate) {
  std::set<std::string> banks;
  for (const auto& entry : std::filesystem::directory_iterator(PLOTFRAY_DATA_DIR))
    if (entry.path().extension() == ".sl") banks.insert(entry.path().filename().string());
  ASSERT_EQ(banks.size(), 8u);
  for (const std::string& file : banks) {
    std::vector<std::uint8_t> desktopBytes, webBytes;
    ASSERT_TRUE(ReadFileBytes(std::string(PLOTFRAY_DATA_DIR) + file, desktopBytes));
    ASSERT_TRUE(ReadFileBytes(std::string(PLOTFRAY_DATA_DIR) + file + ".web", webBytes)) << file;
    std::vector<TWaveItem> desktop, web;
    std::string error;
    ASSERT_TRUE(ParseWaveBank(desktopBytes.data(), desktopBytes.size(), desktop, error)) << error;
    ASSERT_TRUE(ParseWaveBank(webBytes.data(), webBytes.size(), web, error)) << file << ": " << error;
    ASSERT_EQ(web.size(), desktop.size()) << file;
    std::vector<float> all, allWeb;
    for (std::size_t i = 0; i < desktop.size(); ++i) {
      EXPECT_EQ(web[i].Name, desktop[i].Name);
      EXPECT_EQ(web[i].Looped, desktop[i].Looped);
      EXPECT_EQ(web[i].MaxPlayingCount, desktop[i].MaxPlayingCount);
      TRiffWaveInfo a, b;
      ASSERT_TRUE(ParseRiffWave(desktop[i].Wave, a, error)) << error;
      ASSERT_TRUE(ParseRiffWave(web[i].Wave, b, error)) << error;
      ASSERT_EQ(b.Channels, 1u);
      if (desktop[i].Looped) {
        EXPECT_EQ(web[i].Wave, desktop[i].Wave) << "a loop keeps its seam";
        continue;
      }
      ASSERT_EQ(b.SampleRate, static_cast<std::uint32_t>(music::WebRate)) << web[i].Name;
      EXPECT_EQ(b.Frames(), (a.Frames() + 1) / 2) << web[i].Name;
      const std::vector<float> x = WebFxSamples(desktop[i].Wave, a);
      const std::vector<float> y = WebFxSamples(web[i].Wave, b);
      all.insert(all.end(), x.begin(), x.end());
      allWeb.insert(allWeb.end(), y.begin(), y.end());
    }
    // Short banks are repeated up to a second of sound so that the spectra have frames.
    const std::size_t once = all.size(), onceWeb = allWeb.size();
    for (int r = 0; r < 64 && all.size() < 2 * 44100 && once > 0; ++r) {
      all.insert(all.end(), all.begin(), all.begin() + static_cast<std::ptrdiff_t>(once));
      allWeb.insert(allWeb.end(), allWeb.begin(), allWeb.begin() + static_cast<std::ptrdiff_t>(onceWeb));
    }
    // Windows of the same length in time, so that both see the same stretches.
    const auto lx = music::BandLevels(all, 44100, 8192);
    const auto ly = music::BandLevels(allWeb, music::WebRate, 4096);
    std::string line = file + " (" + std::to_string(desktopBytes.size()) + " -> " +
                       std::to_string(webBytes.size()) + " bytes), dB:";
    for (int k = 0; k < music::BandCount; ++k) {
      char cell[64];
      std::snprintf(cell, sizeof cell, " %g Hz %.1f/%.1f", music::BandCentres[k], lx[k], ly[k]);
      line += cell;
      // A band with next to nothing in it may differ by more and not be heard.
      if (music::BandCentres[k] <= 4000 && lx[k] > -70) {
        EXPECT_NEAR(ly[k], lx[k], 1.5) << file << " " << music::BandCentres[k] << " Hz";
      }
    }
    std::printf("%s\n", line.c_str());
    EXPECT_LT(webBytes.size() * 10, desktopBytes.size() * 6) << file << ": under six tenths of the desktop's bytes";
  }
}

}  // namespace
