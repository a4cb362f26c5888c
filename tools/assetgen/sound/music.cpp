#include "sound/music.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <stdexcept>

using namespace synth;

namespace music {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Pitch class of the chord root letters.
int PitchClass(const std::string& s, std::size_t& at) {
  static const int Offsets[7] = {9, 11, 0, 2, 4, 5, 7};
  if (s.empty() || s[0] < 'A' || s[0] > 'G') throw std::invalid_argument("bad chord " + s);
  int pc = Offsets[s[0] - 'A'];
  at = 1;
  while (at < s.size() && (s[at] == '#' || s[at] == 'b')) pc += s[at++] == '#' ? 1 : -1;
  return (pc + 12) % 12;
}

// A small stereo room: parallel damped combs into series all-passes per side.
class TReverb {
 public:
  explicit TReverb(int spread) : Spread(spread) {}

  // The room's answer to the whole of in, sample for sample.
  TBuffer Run(const TBuffer& in) const {
    TBuffer out(in.size(), 0.0f);
    // Three combs to a loop: their feedback chains overlap in the processor,
    // and the sum keeps the order of the combs.
    AddCombs(in, out, 1116, 1188, 1277);
    AddCombs(in, out, 1356, 1422, 1491);
    for (float& x : out) x *= 1.0f / 6.0f;
    std::vector<float> line;
    for (int d : {556, 441, 341}) {
      line.assign(static_cast<std::size_t>(d + Spread), 0.0f);
      std::size_t at = 0;
      for (float& x : out) {
        const float b = line[at];
        line[at] = x + b * 0.5f;
        x = b - x * 0.5f;
        if (++at == line.size()) at = 0;
      }
    }
    return out;
  }

 private:
  // One damped comb: a delay line whose feedback passes a one-pole low-pass.
  struct TComb {
    explicit TComb(int delay) : Line(static_cast<std::size_t>(delay), 0.0f) {}
    float Step(float x) {
      const float y = Line[Pos];
      Store = y * 0.7f + Store * 0.3f;
      Line[Pos] = x + Store * 0.8f;
      if (++Pos == Line.size()) Pos = 0;
      return y;
    }
    std::vector<float> Line;
    std::size_t Pos = 0;
    float Store = 0.0f;
  };

  void AddCombs(const TBuffer& in, TBuffer& out, int d0, int d1, int d2) const {
    TComb a(d0 + Spread), b(d1 + Spread), c(d2 + Spread);
    for (std::size_t i = 0; i < in.size(); ++i) {
      const float ya = a.Step(in[i]), yb = b.Step(in[i]), yc = c.Step(in[i]);
      out[i] = ((out[i] + ya) + yb) + yc;
    }
  }

  int Spread;
};

TBuffer Additive(double freq, double seconds, std::initializer_list<std::pair<double, double>> partials,
                 double attack, double decayTime, double release) {
  const auto n = static_cast<std::size_t>((seconds + release) * Rate);
  TBuffer out(n);
  // Each partial is a phasor turned by a fixed step each sample: a sine per
  // sample and partial was most of the song's synthesis. Over a note's few
  // seconds the turning drifts by far less than a 16-bit step.
  struct TPartial {
    double Amp, Re, Im, StepRe, StepIm;
  };
  std::vector<TPartial> live;
  for (const auto& [mul, amp] : partials) {
    if (freq * mul >= 0.45 * Rate) continue;
    const double w = 2.0 * Pi * freq * mul / Rate;
    live.push_back({amp, 1.0, 0.0, std::cos(w), std::sin(w)});
  }
  for (std::size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / Rate;
    double v = 0.0;
    for (TPartial& p : live) {
      v += p.Amp * p.Im;
      const double re = p.Re * p.StepRe - p.Im * p.StepIm;
      p.Im = p.Re * p.StepIm + p.Im * p.StepRe;
      p.Re = re;
    }
    double env = t < attack ? t / attack : std::exp(-(t - attack) / decayTime);
    if (t > seconds) env *= std::max(0.0, 1.0 - (t - seconds) / release);
    out[i] = static_cast<float>(v * env);
  }
  return out;
}

}  // namespace

std::vector<TNote> ParseLine(const std::string& line) {
  std::vector<TNote> notes;
  std::istringstream in(line);
  std::string token;
  while (in >> token) {
    const std::size_t colon = token.find(':');
    if (colon == std::string::npos || colon == 0) throw std::invalid_argument("bad note token " + token);
    TNote n;
    const std::string name = token.substr(0, colon);
    n.Midi = name == "r" ? -1 : NoteMidi(name);
    n.Sixteenths = std::stoi(token.substr(colon + 1));
    if (n.Sixteenths <= 0) throw std::invalid_argument("bad note length " + token);
    notes.push_back(n);
  }
  return notes;
}

TChord ParseChord(const std::string& symbol) {
  std::size_t at = 0;
  TChord c;
  c.Root = 48 + PitchClass(symbol, at);
  const std::string quality = symbol.substr(at);
  if (quality.empty())
    c.Intervals = {0, 4, 7};
  else if (quality == "m")
    c.Intervals = {0, 3, 7};
  else if (quality == "7")
    c.Intervals = {0, 4, 7, 10};
  else if (quality == "m7")
    c.Intervals = {0, 3, 7, 10};
  else if (quality == "maj7")
    c.Intervals = {0, 4, 7, 11};
  else if (quality == "dim")
    c.Intervals = {0, 3, 6};
  else if (quality == "sus4")
    c.Intervals = {0, 5, 7};
  else
    throw std::invalid_argument("bad chord quality " + symbol);
  return c;
}

int DiatonicShift(int midi, int steps, const std::vector<int>& scale) {
  if (scale.empty()) return midi;
  int octave = midi / 12, pc = midi % 12;
  // The nearest scale degree at or below the note.
  int degree = 0;
  for (std::size_t i = 0; i < scale.size(); ++i)
    if (scale[i] <= pc) degree = static_cast<int>(i);
  const int offset = pc - scale[static_cast<std::size_t>(degree)];
  const int count = static_cast<int>(scale.size());
  int d = degree + steps;
  octave += d >= 0 ? d / count : -((-d + count - 1) / count);
  d = ((d % count) + count) % count;
  return octave * 12 + scale[static_cast<std::size_t>(d)] + offset;
}

TBuffer PlayNote(TInstrument inst, int midi, double seconds) {
  const double f = MidiFreq(midi);
  TVoice v;
  v.Freq = f;
  switch (inst) {
    case TInstrument::SquareLead:
      v.Shape = TShape::Square;
      v.Duty = 0.5;
      v.DutySweep = -0.25;
      v.LowPass = 4500;
      v.Attack = 0.006;
      v.Sustain = std::max(0.0, seconds - 0.006);
      v.Decay = 0.09;
      v.VibratoDepth = 0.15;
      v.VibratoRate = 5.5;
      v.VibratoDelay = 0.22;
      return Render(v);
    case TInstrument::SawLead:
      v.Shape = TShape::Saw;
      v.Detune = 9;
      v.LowPass = 3400;
      v.Resonance = 0.2;
      v.Attack = 0.01;
      v.Sustain = std::max(0.0, seconds - 0.01);
      v.Decay = 0.1;
      v.VibratoDepth = 0.22;
      v.VibratoRate = 6;
      v.VibratoDelay = 0.15;
      return Render(v);
    case TInstrument::Bell:
      return Additive(f, seconds, {{1.0, 0.6}, {2.0, 0.25}, {3.0, 0.1}, {4.07, 0.06}}, 0.003, 0.45, 0.08);
    case TInstrument::Whistle: {
      v.Shape = TShape::Sine;
      v.Attack = 0.025;
      v.Sustain = std::max(0.0, seconds - 0.025);
      v.Decay = 0.08;
      v.VibratoDepth = 0.3;
      v.VibratoRate = 5.5;
      v.VibratoDelay = 0.12;
      TBuffer b = Render(v);
      v.Shape = TShape::Triangle;
      v.Freq = f * 2.0;
      MixAtSample(b, Render(v), 0, 0.12);
      return b;
    }
    case TInstrument::SawBass:
      v.Shape = TShape::Saw;
      v.LowPass = 700;
      v.LowPassSweep = -1.0;
      v.Resonance = 0.35;
      v.Attack = 0.004;
      v.Sustain = std::max(0.0, seconds - 0.004);
      v.Decay = 0.05;
      return Render(v);
    case TInstrument::SquareBass:
      v.Shape = TShape::Square;
      v.Duty = 0.5;
      v.LowPass = 1100;
      v.LowPassSweep = -3.0;
      v.Resonance = 0.4;
      v.Attack = 0.003;
      v.Sustain = std::max(0.0, seconds - 0.003);
      v.Decay = 0.03;
      return Render(v);
    case TInstrument::UprightBass: {
      TBuffer b = Additive(f, seconds, {{1.0, 0.8}, {2.0, 0.3}, {3.0, 0.08}}, 0.006, 0.5, 0.06);
      MixAtSample(b, Render([&] {
                    TVoice t;
                    t.Shape = TShape::Noise;
                    t.Freq = f * 8;
                    t.LowPass = 900;
                    t.Attack = 0.001;
                    t.Sustain = 0.0;
                    t.Decay = 0.02;
                    return t;
                  }()),
                  0, 0.15);
      return b;
    }
    case TInstrument::SlapBass:
      v.Shape = TShape::Square;
      v.Duty = 0.3;
      v.LowPass = 2600;
      v.LowPassSweep = -5.0;
      v.Resonance = 0.45;
      v.Attack = 0.002;
      v.Sustain = std::max(0.0, seconds - 0.002);
      v.Punch = 0.6;
      v.Decay = 0.04;
      return Render(v);
    case TInstrument::Pluck:
      v.Shape = TShape::Square;
      v.Duty = 0.25;
      v.LowPass = 3200;
      v.LowPassSweep = -4.0;
      v.Attack = 0.002;
      v.Sustain = 0.0;
      v.Decay = std::min(0.25, seconds + 0.08);
      v.DecayCurve = 2.0;
      return Render(v);
    case TInstrument::Pad:
      v.Shape = TShape::Saw;
      v.Detune = 14;
      v.LowPass = 1400;
      v.Attack = 0.12;
      v.Sustain = std::max(0.0, seconds - 0.12);
      v.Decay = 0.3;
      v.DecayCurve = 1.0;
      return Render(v);
    case TInstrument::Organ:
      return Additive(f, seconds, {{1.0, 0.5}, {2.0, 0.35}, {3.0, 0.15}, {4.0, 0.1}}, 0.008, 30.0, 0.05);
    case TInstrument::Clav:
      v.Shape = TShape::Square;
      v.Duty = 0.15;
      v.LowPass = 3800;
      v.HighPass = 250;
      v.Attack = 0.001;
      v.Sustain = 0.0;
      v.Decay = std::min(0.14, seconds + 0.04);
      v.DecayCurve = 1.8;
      return Render(v);
  }
  return {};
}

TArranger::TArranger(double bpm, double swing, std::vector<int> scale)
    : Bpm(bpm), Swing(swing), Scale(std::move(scale)), DrumCache(10) {}

double TArranger::Time(int bar, double sixteenth) const {
  double steps = bar * 16.0 + sixteenth;
  // Off-beat eighths (step 2 of each beat) are pushed late; the notes between follow.
  const double inBeat = std::fmod(steps, 4.0);
  const double beatStart = steps - inBeat;
  double shaped = inBeat <= 2.0 ? inBeat * (1.0 + Swing) : 2.0 * (1.0 + Swing) + (inBeat - 2.0) * (1.0 - Swing);
  return (beatStart + shaped) * StepSeconds();
}

void TArranger::Place(const TBuffer& sound, double seconds, double gain, double pan) {
  const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * Pi / 4.0;
  const double gl = std::cos(angle) * std::sqrt(2.0) * gain, gr = std::sin(angle) * std::sqrt(2.0) * gain;
  MixAt(Dry.L, sound, seconds, gl);
  MixAt(Dry.R, sound, seconds, gr);
  if (ReverbSend > 0.0) {
    MixAt(Wet.L, sound, seconds, gl * ReverbSend);
    MixAt(Wet.R, sound, seconds, gr * ReverbSend);
  }
}

int TArranger::Line(int bar, const std::string& line, TInstrument inst, double gain, double pan, int transpose,
                    int harmonySteps) {
  double step = 0.0;
  for (const TNote& n : ParseLine(line)) {
    if (n.Midi >= 0) {
      const double start = Time(bar, step), end = Time(bar, step + n.Sixteenths);
      int midi = n.Midi + transpose;
      if (harmonySteps != 0) midi = DiatonicShift(midi, harmonySteps, Scale);
      Place(Note(inst, midi, (end - start) * 0.92), start, gain, pan);
    }
    step += n.Sixteenths;
  }
  return bar + static_cast<int>(std::ceil(step / 16.0));
}

void TArranger::Chord(int bar, const std::string& symbol, const std::string& pattern, TInstrument inst,
                      double gain, int octave) {
  const TChord chord = ParseChord(symbol);
  for (std::size_t s = 0; s < pattern.size(); ++s) {
    if (pattern[s] != 'x') continue;
    std::size_t len = 1;
    while (s + len < pattern.size() && pattern[s + len] == '-') ++len;
    const double start = Time(bar, static_cast<double>(s)), end = Time(bar, static_cast<double>(s + len));
    // Close voicing around middle C, the root kept out of the low register.
    int i = 0;
    for (int interval : chord.Intervals) {
      int midi = chord.Root + 12 + interval + 12 * octave;
      if (midi > 72 + 12 * octave) midi -= 12;
      const double pan = (i++ % 2 == 0 ? -0.25 : 0.25);
      Place(Note(inst, midi, (end - start) * 0.9), start, gain / std::sqrt(chord.Intervals.size()), pan);
    }
  }
}

void TArranger::Bass(int bar, const std::string& symbol, const std::string& pattern, TInstrument inst,
                     double gain, const std::string& nextSymbol) {
  const TChord chord = ParseChord(symbol);
  const int root = chord.Root - 12;
  for (std::size_t s = 0; s < pattern.size(); ++s) {
    const char c = pattern[s];
    int midi = -1;
    if (c == '1') midi = root;
    if (c == '8') midi = root + 12;
    if (c == '3' && chord.Intervals.size() > 1) midi = root + chord.Intervals[1];
    if (c == '5' && chord.Intervals.size() > 2) midi = root + chord.Intervals[2];
    if (c == '7') midi = root + (chord.Intervals.size() > 3 ? chord.Intervals[3] : 10);
    if (c == 'a') {
      const int next = nextSymbol.empty() ? root : ParseChord(nextSymbol).Root - 12;
      midi = next > root ? next - 1 : next + 1;
    }
    if (midi < 0) continue;
    std::size_t len = 1;
    while (s + len < pattern.size() && pattern[s + len] == '-') ++len;
    const double start = Time(bar, static_cast<double>(s)), end = Time(bar, static_cast<double>(s + len));
    Place(Note(inst, midi, (end - start) * 0.85), start, gain, 0.0);
  }
}

void TArranger::Arp(int bar, const std::string& symbol, const std::string& pattern, TInstrument inst, double gain,
                    int octave, double spread) {
  const TChord chord = ParseChord(symbol);
  const int n = static_cast<int>(chord.Intervals.size());
  int placed = 0;
  for (std::size_t s = 0; s < pattern.size(); ++s) {
    if (pattern[s] < '0' || pattern[s] > '9') continue;
    const int k = pattern[s] - '0';
    const int midi = chord.Root + 12 * (1 + octave) + chord.Intervals[static_cast<std::size_t>(k % n)] + 12 * (k / n);
    const double start = Time(bar, static_cast<double>(s)), end = Time(bar, static_cast<double>(s) + 1.0);
    Place(Note(inst, midi, end - start), start, gain, placed++ % 2 == 0 ? -spread : spread);
  }
}

const TBuffer& TArranger::Note(TInstrument inst, int midi, double seconds) {
  const auto key = std::make_tuple(inst, midi, seconds);
  auto found = NoteCache.find(key);
  if (found == NoteCache.end()) found = NoteCache.emplace(key, PlayNote(inst, midi, seconds)).first;
  return found->second;
}

const TBuffer& TArranger::DrumSound(TDrum drum) {
  TBuffer& cached = DrumCache[static_cast<std::size_t>(drum)];
  if (!cached.empty()) return cached;
  TVoice v;
  v.Attack = 0.001;
  v.Sustain = 0.0;
  switch (drum) {
    case TDrum::Kick: {
      v.Shape = TShape::Sine;
      v.Freq = 160;
      v.Slide = -7;
      v.FreqMin = 48;
      v.Sustain = 0.03;
      v.Decay = 0.28;
      cached = Render(v);
      TVoice c;
      c.Shape = TShape::Noise;
      c.Freq = Rate;
      c.LowPass = 4000;
      c.Attack = 0.0005;
      c.Sustain = 0.0;
      c.Decay = 0.006;
      c.Seed = 3;
      MixAtSample(cached, Render(c), 0, 0.4);
      break;
    }
    case TDrum::Snare: {
      v.Shape = TShape::Noise;
      v.Freq = Rate;
      v.LowPass = 8000;
      v.HighPass = 700;
      v.Decay = 0.16;
      v.DecayCurve = 2.0;
      v.Seed = 5;
      cached = Render(v);
      TVoice t;
      t.Shape = TShape::Triangle;
      t.Freq = 200;
      t.Slide = -1.5;
      t.Attack = 0.001;
      t.Sustain = 0.0;
      t.Decay = 0.09;
      MixAtSample(cached, Render(t), 0, 0.7);
      break;
    }
    case TDrum::Clap: {
      v.Shape = TShape::Noise;
      v.Freq = Rate;
      v.LowPass = 2500;
      v.HighPass = 900;
      v.Resonance = 0.4;
      v.Decay = 0.02;
      v.Seed = 7;
      const TBuffer burst = Render(v);
      for (int i = 0; i < 3; ++i) MixAtSample(cached, burst, static_cast<std::size_t>(i * 0.011 * Rate), 0.8);
      v.Decay = 0.13;
      MixAtSample(cached, Render(v), static_cast<std::size_t>(0.033 * Rate), 1.0);
      break;
    }
    case TDrum::HatClosed:
    case TDrum::HatOpen:
    case TDrum::Shaker:
    case TDrum::Ride:
    case TDrum::Crash:
      v.Shape = TShape::Noise;
      v.Freq = Rate;
      v.HighPass = drum == TDrum::Shaker ? 4500 : 7000;
      v.Decay = drum == TDrum::HatClosed ? 0.04
                : drum == TDrum::Shaker  ? 0.05
                : drum == TDrum::HatOpen ? 0.22
                : drum == TDrum::Ride    ? 0.45
                                         : 1.2;
      v.Attack = drum == TDrum::Shaker ? 0.012 : 0.001;
      v.DecayCurve = 2.0;
      v.Seed = 11 + static_cast<std::uint32_t>(drum);
      cached = Render(v);
      if (drum == TDrum::Ride) {
        TBuffer bell = Additive(3100, 0.0, {{1.0, 0.3}, {1.48, 0.2}}, 0.001, 0.2, 0.3);
        MixAtSample(cached, bell, 0, 0.5);
      }
      break;
    case TDrum::Rim:
      v.Shape = TShape::Square;
      v.Freq = 820;
      v.LowPass = 3000;
      v.Decay = 0.03;
      cached = Render(v);
      break;
    case TDrum::Tom:
      v.Shape = TShape::Sine;
      v.Freq = 200;
      v.Slide = -1.5;
      v.Sustain = 0.02;
      v.Decay = 0.3;
      cached = Render(v);
      break;
  }
  return cached;
}

void TArranger::DrumAt(double seconds, TDrum drum, double gain) {
  const double pan = drum == TDrum::HatClosed || drum == TDrum::HatOpen ? 0.3
                     : drum == TDrum::Shaker                             ? -0.35
                     : drum == TDrum::Ride                               ? 0.35
                     : drum == TDrum::Tom                                ? -0.2
                                                                         : 0.0;
  const double send = ReverbSend;
  ReverbSend = drum == TDrum::Snare || drum == TDrum::Clap || drum == TDrum::Crash ? 0.25 : 0.0;
  Place(DrumSound(drum), seconds, gain, pan);
  ReverbSend = send;
}

void TArranger::Drum(int bar, TDrum drum, const std::string& pattern, double gain) {
  for (std::size_t s = 0; s < pattern.size(); ++s) {
    const char c = pattern[s];
    if (c != 'x' && c != 'X' && c != 'g') continue;
    DrumAt(Time(bar, static_cast<double>(s)), drum, gain * (c == 'X' ? 1.3 : c == 'g' ? 0.35 : 1.0));
  }
}

TStereo TArranger::Finish(double endSeconds) {
  const auto n = static_cast<std::size_t>(endSeconds * Rate);
  for (TBuffer* b : {&Dry.L, &Dry.R, &Wet.L, &Wet.R}) b->resize(n, 0.0f);
  const TBuffer roomL = TReverb(0).Run(Wet.L), roomR = TReverb(23).Run(Wet.R);
  for (std::size_t i = 0; i < n; ++i) {
    Dry.L[i] += 0.35f * roomL[i];
    Dry.R[i] += 0.35f * roomR[i];
  }
  // Level to an even loudness, then round off the rare peaks softly.
  double sum = 0.0;
  for (std::size_t i = 0; i < n; ++i) sum += 0.5 * (Dry.L[i] * Dry.L[i] + Dry.R[i] * Dry.R[i]);
  const double rms = std::sqrt(sum / static_cast<double>(std::max<std::size_t>(n, 1)));
  const double gain = rms > 0.0 ? std::pow(10.0, -15.0 / 20.0) / rms : 1.0;
  constexpr double Knee = 0.55, Ceiling = 0.84;
  auto shape = [&](float& s) {
    double x = s * gain;
    const double a = std::fabs(x);
    if (a > Knee) x = std::copysign(Knee + (Ceiling - Knee) * std::tanh((a - Knee) / (Ceiling - Knee)), x);
    s = static_cast<float>(x);
  };
  for (std::size_t i = 0; i < n; ++i) {
    shape(Dry.L[i]);
    shape(Dry.R[i]);
  }
  Fade(Dry.L, 0.005, 0.8);
  Fade(Dry.R, 0.005, 0.8);
  return std::move(Dry);
}

std::vector<std::uint8_t> EncodeOggChannels(const std::vector<const std::vector<float>*>& channels, int rate,
                                            float quality, int serial, long bitrate) {
  std::vector<std::uint8_t> out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  const int count = static_cast<int>(channels.size());
  const int status = bitrate > 0 ? vorbis_encode_init(&vi, count, rate, -1, bitrate, -1)
                                 : vorbis_encode_init_vbr(&vi, count, rate, quality);
  if (count == 0 || status != 0) {
    vorbis_info_clear(&vi);
    return out;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, serial);
  ogg_page og;
  ogg_packet op;
  auto writePage = [&] {
    out.insert(out.end(), og.header, og.header + og.header_len);
    out.insert(out.end(), og.body, og.body + og.body_len);
  };

  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  while (ogg_stream_flush(&os, &og) != 0) writePage();

  auto drain = [&] {
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      while (vorbis_bitrate_flushpacket(&vd, &op) != 0) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og) != 0) writePage();
      }
    }
  };
  std::size_t frames = channels[0]->size();
  for (const std::vector<float>* c : channels) frames = std::min(frames, c->size());
  constexpr std::size_t Chunk = 4096;
  for (std::size_t at = 0; at < frames; at += Chunk) {
    const std::size_t n = std::min(Chunk, frames - at);
    float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
    for (int c = 0; c < count; ++c)
      std::memcpy(buffer[c], channels[static_cast<std::size_t>(c)]->data() + at, n * sizeof(float));
    vorbis_analysis_wrote(&vd, static_cast<int>(n));
    drain();
  }
  vorbis_analysis_wrote(&vd, 0);
  drain();
  while (ogg_stream_flush(&os, &og) != 0) writePage();
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

std::vector<std::uint8_t> EncodeOgg(const TStereo& audio, float quality, int serial) {
  return EncodeOggChannels({&audio.L, &audio.R}, Rate, quality, serial, 0);
}

}  // namespace music
