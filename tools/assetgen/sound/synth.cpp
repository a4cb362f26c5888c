#include "sound/synth.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace synth {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Band-limited step correction for a discontinuity at phase 0 (PolyBLEP).
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double Wrap(double phase) { return phase - std::floor(phase); }

// One oscillator with its phase and, for noise, its held value.
struct TOsc {
  double Phase = 0.0;
  double NoisePhase = 0.0;
  float Held = 0.0f;

  float Step(TShape shape, double freq, double duty, TNoise& noise) {
    const double dt = std::min(freq / Rate, 0.5);
    double v = 0.0;
    switch (shape) {
      case TShape::Sine:
        v = std::sin(2.0 * Pi * Phase);
        break;
      case TShape::Triangle:
        v = Phase < 0.5 ? 4.0 * Phase - 1.0 : 3.0 - 4.0 * Phase;
        break;
      case TShape::Saw:
        v = 2.0 * Phase - 1.0 - PolyBlep(Phase, dt);
        break;
      case TShape::Square:
        v = (Phase < duty ? 1.0 : -1.0) + PolyBlep(Phase, dt) - PolyBlep(Wrap(Phase + 1.0 - duty), dt);
        break;
      case TShape::Noise:
        NoisePhase += freq * 8.0 / Rate;
        if (NoisePhase >= 1.0 || Held == 0.0f) {
          NoisePhase -= std::floor(NoisePhase);
          Held = noise.Next();
        }
        v = Held;
        break;
    }
    Phase = Wrap(Phase + dt);
    return static_cast<float>(v);
  }
};

}  // namespace

void TLowPass::Set(double cutoffHz, double resonance) {
  cutoffHz = std::clamp(cutoffHz, 10.0, 0.45 * Rate);
  resonance = std::clamp(resonance, 0.0, 0.95);
  G = std::tan(Pi * cutoffHz / Rate);
  K = 1.414 * (1.0 - resonance) + 0.08 * resonance;
  A1 = 1.0 / (1.0 + G * (G + K));
  A2 = G * A1;
  A3 = G * A2;
}

float TLowPass::Step(float x) {
  const double v3 = x - Ic2;
  const double v1 = A1 * Ic1 + A2 * v3;
  const double v2 = Ic2 + A2 * Ic1 + A3 * v3;
  Ic1 = 2.0 * v1 - Ic1;
  Ic2 = 2.0 * v2 - Ic2;
  return static_cast<float>(v2);
}

TBuffer Render(const TVoice& voice) {
  const std::size_t count = static_cast<std::size_t>(std::max(0.0, voice.Length()) * Rate);
  TBuffer out(count);
  TNoise noise(voice.Seed);
  TOsc osc, osc2;
  TLowPass lp;
  const bool useLowPass = voice.LowPass > 0.0;
  double hpPrevIn = 0.0, hpPrevOut = 0.0;
  const double hpCoef =
      voice.HighPass > 0.0 ? 1.0 / (1.0 + 2.0 * Pi * voice.HighPass / Rate) : 0.0;
  const double detuneMul = std::pow(2.0, voice.Detune / 1200.0);
  double octaves = 0.0;
  const double fMinOct = std::log2(std::max(1.0, voice.FreqMin) / voice.Freq);
  const double fMaxOct = std::log2(std::max(voice.FreqMax, 1.0) / voice.Freq);
  double lastExponent = 0.0, freq = voice.Freq;
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / Rate;
    octaves += (voice.Slide + voice.SlideAccel * t) / Rate;
    octaves = std::clamp(octaves, std::min(fMinOct, 0.0), std::max(fMaxOct, 0.0));
    double semis = 0.0;
    if (voice.ArpTime > 0.0 && !voice.ArpSteps.empty()) {
      const auto step = static_cast<std::size_t>(t / voice.ArpTime);
      if (step > 0) semis += voice.ArpSteps[std::min(step, voice.ArpSteps.size()) - 1];
    }
    if (voice.VibratoDepth > 0.0 && t > voice.VibratoDelay) {
      const double fadeIn = std::min(1.0, (t - voice.VibratoDelay) / 0.08);
      semis += voice.VibratoDepth * fadeIn * std::sin(2.0 * Pi * voice.VibratoRate * (t - voice.VibratoDelay));
    }
    // Most notes hold one pitch for many samples: the power is taken only when it moves.
    const double exponent = octaves + semis / 12.0;
    if (i == 0 || exponent != lastExponent) {
      lastExponent = exponent;
      freq = voice.Freq * std::exp2(exponent);
    }
    const double duty = std::clamp(voice.Duty + voice.DutySweep * t, 0.05, 0.95);
    double v = osc.Step(voice.Shape, freq, duty, noise);
    if (voice.Detune != 0.0) v = 0.5 * (v + osc2.Step(voice.Shape, freq * detuneMul, duty, noise));

    if (useLowPass) {
      if (i % 16 == 0) lp.Set(voice.LowPass * std::exp2(voice.LowPassSweep * t), voice.Resonance);
      v = lp.Step(static_cast<float>(v));
    }
    if (hpCoef > 0.0) {
      const double y = hpCoef * (hpPrevOut + v - hpPrevIn);
      hpPrevIn = v;
      hpPrevOut = y;
      v = y;
    }

    double env = 0.0;
    if (t < voice.Attack) {
      env = t / voice.Attack;
    } else if (t < voice.Attack + voice.Sustain) {
      env = 1.0 + voice.Punch * (1.0 - (t - voice.Attack) / voice.Sustain);
    } else if (voice.Decay > 0.0) {
      const double left = std::max(0.0, 1.0 - (t - voice.Attack - voice.Sustain) / voice.Decay);
      // pow is exact for these two, and they are the common curves.
      env = voice.DecayCurve == 1.0   ? left
            : voice.DecayCurve == 2.0 ? left * left
                                      : std::pow(left, voice.DecayCurve);
    }
    out[i] = static_cast<float>(v * env * voice.Gain);
  }
  return out;
}

int NoteMidi(const std::string& name) {
  if (name.empty()) throw std::invalid_argument("empty note");
  if (std::isdigit(static_cast<unsigned char>(name[0]))) return std::stoi(name);
  static const int Offsets[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  if (letter < 'A' || letter > 'G') throw std::invalid_argument("bad note " + name);
  int semis = Offsets[letter - 'A'];
  std::size_t at = 1;
  while (at < name.size() && (name[at] == '#' || name[at] == 'b')) semis += name[at++] == '#' ? 1 : -1;
  if (at >= name.size()) throw std::invalid_argument("note without octave " + name);
  const int octave = std::stoi(name.substr(at));
  return 12 * (octave + 1) + semis;
}

double MidiFreq(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

double NoteFreq(const std::string& name) { return MidiFreq(NoteMidi(name)); }

void MixAtSample(TBuffer& dst, const TBuffer& src, std::size_t at, double gain) {
  if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
  for (std::size_t i = 0; i < src.size(); ++i) dst[at + i] += static_cast<float>(src[i] * gain);
}

void MixAt(TBuffer& dst, const TBuffer& src, double seconds, double gain) {
  MixAtSample(dst, src, static_cast<std::size_t>(std::max(0.0, seconds) * Rate + 0.5), gain);
}

double Peak(const TBuffer& buf) {
  double peak = 0.0;
  for (float s : buf) peak = std::max(peak, static_cast<double>(std::fabs(s)));
  return peak;
}

double Rms(const TBuffer& buf) {
  if (buf.empty()) return 0.0;
  double sum = 0.0;
  for (float s : buf) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / static_cast<double>(buf.size()));
}

void Normalise(TBuffer& buf, double peak) {
  const double p = Peak(buf);
  if (p <= 0.0) return;
  const double k = peak / p;
  for (float& s : buf) s = static_cast<float>(s * k);
}

double LoudestWindowRms(const TBuffer& buf) {
  const std::size_t window = Rate / 20;
  if (buf.size() <= window) return Rms(buf);
  double sum = 0.0, loudest = 0.0;
  for (std::size_t i = 0; i < buf.size(); ++i) {
    sum += static_cast<double>(buf[i]) * buf[i];
    if (i >= window) sum -= static_cast<double>(buf[i - window]) * buf[i - window];
    if (i + 1 >= window) loudest = std::max(loudest, sum);
  }
  return std::sqrt(std::max(0.0, loudest) / static_cast<double>(window));
}

void Level(TBuffer& buf, double targetRms, double peakCeiling) {
  const double rms = LoudestWindowRms(buf), peak = Peak(buf);
  if (rms <= 0.0 || peak <= 0.0) return;
  const double k = std::min(targetRms / rms, peakCeiling / peak);
  for (float& s : buf) s = static_cast<float>(s * k);
}

void Fade(TBuffer& buf, double inSeconds, double outSeconds) {
  const std::size_t n = buf.size();
  const std::size_t in = std::min(n, static_cast<std::size_t>(inSeconds * Rate));
  const std::size_t out = std::min(n, static_cast<std::size_t>(outSeconds * Rate));
  for (std::size_t i = 0; i < in; ++i) buf[i] *= static_cast<float>(i) / static_cast<float>(in);
  for (std::size_t i = 0; i < out; ++i) buf[n - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

void TrimTail(TBuffer& buf, double threshold) {
  std::size_t end = buf.size();
  while (end > 0 && std::fabs(buf[end - 1]) < threshold) --end;
  buf.resize(std::min(buf.size(), end + static_cast<std::size_t>(0.01 * Rate)));
}

void Echo(TBuffer& buf, double delaySeconds, double feedback, double mix) {
  const auto delay = static_cast<std::size_t>(delaySeconds * Rate);
  if (delay == 0) return;
  // Room for the repeats to die away.
  std::size_t tail = 0;
  for (double level = mix; level > 0.01 && tail < 8 * delay; level *= feedback) tail += delay;
  const std::size_t dry = buf.size();
  buf.resize(dry + tail, 0.0f);
  TBuffer wet(buf.size(), 0.0f);
  for (std::size_t i = delay; i < buf.size(); ++i)
    wet[i] = static_cast<float>((i - delay < dry ? buf[i - delay] : 0.0f) + feedback * wet[i - delay]);
  for (std::size_t i = 0; i < buf.size(); ++i) buf[i] += static_cast<float>(mix * wet[i]);
}

std::vector<std::int16_t> ToPcm16(const TBuffer& buf) {
  std::vector<std::int16_t> out(buf.size());
  for (std::size_t i = 0; i < buf.size(); ++i)
    out[i] = static_cast<std::int16_t>(std::lrint(std::clamp(static_cast<double>(buf[i]), -1.0, 32767.0 / 32768.0) * 32768.0));
  return out;
}

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate, int channels) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out(44 + dataBytes);
  std::size_t at = 0;
  auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at++] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  auto put16 = [&](std::uint16_t v) {
    out[at++] = static_cast<std::uint8_t>(v);
    out[at++] = static_cast<std::uint8_t>(v >> 8);
  };
  auto tag = [&](const char* s) {
    for (int i = 0; i < 4; ++i) out[at++] = static_cast<std::uint8_t>(s[i]);
  };
  tag("RIFF");
  put32(36 + dataBytes);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);
  put16(static_cast<std::uint16_t>(channels));
  put32(static_cast<std::uint32_t>(sampleRate));
  put32(static_cast<std::uint32_t>(sampleRate * channels * 2));
  put16(static_cast<std::uint16_t>(channels * 2));
  put16(16);
  tag("data");
  put32(dataBytes);
  for (std::int16_t s : samples) put16(static_cast<std::uint16_t>(s));
  return out;
}

}  // namespace synth
