#pragma once
// A small synthesiser for the effects and the music: band-limited oscillators,
// envelopes, pitch slides, vibrato, arpeggio, a resonant low-pass and a
// high-pass, and the buffer helpers that mix, shape and encode the results.
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr int Rate = 44100;

using TBuffer = std::vector<float>;

enum class TShape { Square, Saw, Sine, Triangle, Noise };

// One synthesised voice, in the manner of the classic arcade effect makers.
// Times in seconds, pitches in Hz, slides in octaves per second.
struct TVoice {
  TShape Shape = TShape::Square;
  double Attack = 0.005;
  double Sustain = 0.1;
  double Punch = 0.0;  // extra level at the start of the sustain, fading over it
  double Decay = 0.15;
  double DecayCurve = 1.5;  // 1 = linear, higher = a quicker, more natural fall
  double Freq = 440.0;
  double FreqMin = 20.0;   // a downward slide stops here
  double FreqMax = 12000.0;  // an upward slide stops here
  double Slide = 0.0;
  double SlideAccel = 0.0;  // octaves per second per second
  double VibratoDepth = 0.0;  // semitones
  double VibratoRate = 0.0;   // Hz
  double VibratoDelay = 0.0;  // seconds before the vibrato fades in
  // Pitch steps: after each ArpTime seconds the pitch moves by the next entry
  // of ArpSteps (semitones, relative to the start pitch).
  double ArpTime = 0.0;
  std::vector<double> ArpSteps;
  double Duty = 0.5;  // square only, 0.05 .. 0.95
  double DutySweep = 0.0;  // per second
  double LowPass = 0.0;  // cutoff Hz, 0 = open
  double LowPassSweep = 0.0;  // octaves per second
  double Resonance = 0.0;  // 0 .. 0.95
  double HighPass = 0.0;  // cutoff Hz, 0 = off
  double Detune = 0.0;  // cents; non-zero adds a second oscillator this far above
  double Gain = 1.0;
  std::uint32_t Seed = 1;  // noise

  double Length() const { return Attack + Sustain + Decay; }
};

// Renders the voice: Length() seconds at Rate.
TBuffer Render(const TVoice& voice);

// The pitch of a note name such as "C4", "F#5", "Bb3" (A4 = 440 Hz); MIDI numbers too.
double NoteFreq(const std::string& name);
double MidiFreq(double midi);
int NoteMidi(const std::string& name);

// Adds src into dst starting at the time offset, scaled; dst grows as needed.
void MixAt(TBuffer& dst, const TBuffer& src, double seconds, double gain = 1.0);
// Sample-accurate variant.
void MixAtSample(TBuffer& dst, const TBuffer& src, std::size_t at, double gain = 1.0);
// Scales so that the largest magnitude equals peak.
void Normalise(TBuffer& buf, double peak);
// The loudest 50 ms of the buffer, as RMS: how loud a short effect is heard.
double LoudestWindowRms(const TBuffer& buf);
// Scales so that the loudest 50 ms reach the RMS target, unless that would
// push the peak past the ceiling.
void Level(TBuffer& buf, double targetRms, double peakCeiling);
// Linear fade-in and fade-out at the ends, so a wave never starts or stops on a step.
void Fade(TBuffer& buf, double inSeconds, double outSeconds);
// Trims trailing near-silence (keeps a short tail).
void TrimTail(TBuffer& buf, double threshold = 1e-4);
// A short feedback echo.
void Echo(TBuffer& buf, double delaySeconds, double feedback, double mix);

double Peak(const TBuffer& buf);
double Rms(const TBuffer& buf);

// Float to 16-bit with rounding and clamping.
std::vector<std::int16_t> ToPcm16(const TBuffer& buf);
// A RIFF WAVE file of 16-bit PCM; interleaved when channels is 2.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate, int channels);

// A resonant state-variable low-pass, kept between samples.
class TLowPass {
 public:
  void Set(double cutoffHz, double resonance);
  float Step(float x);

 private:
  double G = 1.0, K = 2.0, A1 = 0, A2 = 0, A3 = 0;
  double Ic1 = 0, Ic2 = 0;
};

// A deterministic noise source.
class TNoise {
 public:
  explicit TNoise(std::uint32_t seed) : State(seed ? seed : 1) {}
  // -1 .. 1
  float Next() {
    State ^= State << 13;
    State ^= State >> 17;
    State ^= State << 5;
    return static_cast<float>(static_cast<double>(State) / 2147483648.0 - 1.0);
  }

 private:
  std::uint32_t State;
};

}  // namespace synth
