#include "sound/webMusic.h"

#include <vorbis/vorbisfile.h>

#include <cmath>
#include <algorithm>
#include <complex>
#include <cstring>

namespace music {
namespace {

constexpr double Pi = 3.14159265358979323846;

// The low-pass filter before halving the rate: a Blackman-windowed sinc
// cutting at 10 kHz, 10.5 kHz short of the new Nyquist frequency, so nothing
// folds back as a whistle.
std::vector<double> HalfRateFilter() {
  constexpr int Taps = 63;
  const double cutoff = 10000.0 / synth::Rate;  // of the sample rate
  std::vector<double> h(Taps);
  double sum = 0.0;
  for (int i = 0; i < Taps; ++i) {
    const double n = i - (Taps - 1) / 2.0;
    const double sinc = n == 0.0 ? 2.0 * cutoff : std::sin(2.0 * Pi * cutoff * n) / (Pi * n);
    const double w = 0.42 - 0.5 * std::cos(2.0 * Pi * i / (Taps - 1)) + 0.08 * std::cos(4.0 * Pi * i / (Taps - 1));
    h[static_cast<std::size_t>(i)] = sinc * w;
    sum += sinc * w;
  }
  for (double& v : h) v /= sum;  // unity gain at low frequencies
  return h;
}

void Fft(std::vector<std::complex<double>>& a) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> w = std::polar(1.0, -2.0 * Pi / static_cast<double>(len));
    for (std::size_t i = 0; i < n; i += len) {
      std::complex<double> wk = 1.0;
      for (std::size_t k = 0; k < len / 2; ++k, wk *= w) {
        const std::complex<double> u = a[i + k];
        const std::complex<double> v = a[i + k + len / 2] * wk;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

struct TMemory {
  const std::vector<std::uint8_t>* Bytes;
  std::size_t At = 0;
};

std::size_t ReadMemory(void* out, std::size_t size, std::size_t count, void* source) {
  auto* m = static_cast<TMemory*>(source);
  const std::size_t wanted = size * count;
  const std::size_t n = std::min(wanted, m->Bytes->size() - m->At);
  std::memcpy(out, m->Bytes->data() + m->At, n);
  m->At += n;
  return size == 0 ? 0 : n / size;
}

}  // namespace

std::vector<float> WebMono(const TStereo& audio) {
  const std::size_t frames = std::min(audio.L.size(), audio.R.size());
  const std::vector<double> h = HalfRateFilter();
  const auto half = static_cast<std::ptrdiff_t>(h.size() / 2);
  std::vector<float> out;
  out.reserve(frames / 2 + 1);
  for (std::size_t at = 0; at < frames; at += 2) {
    double acc = 0.0;
    for (std::size_t k = 0; k < h.size(); ++k) {
      const std::ptrdiff_t i = static_cast<std::ptrdiff_t>(at) + static_cast<std::ptrdiff_t>(k) - half;
      if (i < 0 || i >= static_cast<std::ptrdiff_t>(frames)) continue;
      const auto s = static_cast<std::size_t>(i);
      acc += h[k] * 0.5 * (static_cast<double>(audio.L[s]) + audio.R[s]);
    }
    out.push_back(static_cast<float>(acc));
  }
  return out;
}

std::vector<std::uint8_t> EncodeOggMono(const std::vector<float>& samples, int rate, float quality, int serial,
                                        long bitrate) {
  return EncodeOggChannels({&samples}, rate, quality, serial, bitrate);
}

std::vector<std::uint8_t> EncodeForWeb(const TStereo& audio, int serial) {
  return EncodeOggMono(WebMono(audio), WebRate, 0.0f, serial, WebBitrate);
}

TDecoded DecodeOgg(const std::vector<std::uint8_t>& bytes) {
  TDecoded decoded;
  TMemory memory{&bytes, 0};
  ov_callbacks callbacks{ReadMemory, nullptr, nullptr, nullptr};
  OggVorbis_File file;
  if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) != 0) return decoded;
  const vorbis_info* info = ov_info(&file, -1);
  const int channels = info != nullptr ? info->channels : 0;
  decoded.Rate = info != nullptr ? static_cast<int>(info->rate) : 0;
  int section = 0;
  for (int guard = 0; guard < 10'000'000 && channels > 0; ++guard) {
    float** pcm = nullptr;
    const long n = ov_read_float(&file, &pcm, 4096, &section);
    if (n <= 0) break;
    for (long i = 0; i < n; ++i) {
      float sum = 0.0f;
      for (int c = 0; c < channels; ++c) sum += pcm[c][i];
      decoded.Mono.push_back(sum / static_cast<float>(channels));
    }
  }
  ov_clear(&file);
  return decoded;
}

std::array<double, BandCount> BandLevels(const std::vector<float>& samples, int rate, std::size_t window) {
  const std::size_t N = window;
  std::array<double, BandCount> power{};
  std::size_t frames = 0;
  std::vector<std::complex<double>> a(N);
  for (std::size_t at = 0; at + N <= samples.size(); at += N, ++frames) {
    for (std::size_t i = 0; i < N; ++i) {
      const double w = 0.5 - 0.5 * std::cos(2.0 * Pi * static_cast<double>(i) / N);
      a[i] = samples[at + i] * w;
    }
    Fft(a);
    for (std::size_t k = 1; k < N / 2; ++k) {
      const double f = static_cast<double>(k) * rate / N;
      for (int b = 0; b < BandCount; ++b) {
        const double c = BandCentres[static_cast<std::size_t>(b)];
        if (f >= c / std::sqrt(2.0) && f < c * std::sqrt(2.0)) power[static_cast<std::size_t>(b)] += std::norm(a[k]);
      }
    }
  }
  // A full-scale sine through the Hann window gives (N / 4)^2 in its bin.
  const double reference = std::pow(N / 4.0, 2.0) * static_cast<double>(frames > 0 ? frames : 1);
  std::array<double, BandCount> db{};
  for (int b = 0; b < BandCount; ++b) {
    const double p = power[static_cast<std::size_t>(b)];
    db[static_cast<std::size_t>(b)] = p > 0.0 ? 10.0 * std::log10(p / reference) : -200.0;
  }
  return db;
}

}  // namespace music
