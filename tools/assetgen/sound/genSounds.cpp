// The effect banks: every wave is synthesised here, levelled and written as a
// bank file (and, for review, as a WAVE file).
#include "sound/genSounds.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "assetgen.h"
#include "data/sysFiles.h"
#include "sound/genWaveBank.h"
#include "sound/webMusic.h"

using namespace synth;

namespace {

// Every wave starts and ends on silence. Levels are set by how loud the
// loudest moment sounds (dB of the loudest 50 ms, RMS), with the peak kept
// under -1 dBFS; quieter targets are for sounds heard constantly.
TBuffer Finish(TBuffer b, double loudDb, double fadeOut = 0.015) {
  TrimTail(b);
  Level(b, std::pow(10.0, loudDb / 20.0), 0.89);
  Fade(b, 0.002, fadeOut);
  return b;
}

TEffectWave Wave(std::string name, std::int32_t maxPlaying, TBuffer samples) {
  TEffectWave w;
  w.Name = std::move(name);
  w.MaxPlayingCount = maxPlaying;
  w.Samples = std::move(samples);
  return w;
}

// Plays a note list on one voice: each note a name and a length in beats.
void Notes(TBuffer& out, TVoice v, const std::vector<std::pair<const char*, double>>& seq, double start,
           double beat, double gain = 1.0, double legato = 0.85) {
  double t = start;
  for (const auto& [note, beats] : seq) {
    if (note[0] != 'r') {
      v.Freq = NoteFreq(note);
      v.Sustain = std::max(0.0, beat * beats * legato - v.Attack);
      MixAt(out, Render(v), t, gain);
    }
    t += beat * beats;
  }
}

TVoice Click(double hp, double length, std::uint32_t seed) {
  TVoice v;
  v.Shape = TShape::Noise;
  v.Freq = Rate;
  v.Attack = 0.0005;
  v.Sustain = 0.0;
  v.Decay = length;
  v.DecayCurve = 2.0;
  v.HighPass = hp;
  v.Seed = seed;
  return v;
}

// ---- bank 0: a monster is answered: groans and pops --------------------------

TEffectBank DieBank() {
  TEffectBank bank{"fxdie.sl", {}};
  {  // a falling, wobbling groan after a quick pop
    TBuffer b;
    TVoice pop;
    pop.Shape = TShape::Sine;
    pop.Freq = 760;
    pop.Slide = -9;
    pop.Attack = 0.001;
    pop.Sustain = 0.01;
    pop.Decay = 0.06;
    MixAt(b, Render(pop), 0.0, 0.8);
    TVoice g;
    g.Shape = TShape::Saw;
    g.Freq = 210;
    g.Slide = -1.5;
    g.VibratoDepth = 0.7;
    g.VibratoRate = 7;
    g.LowPass = 1500;
    g.LowPassSweep = -1.2;
    g.Resonance = 0.35;
    g.Attack = 0.02;
    g.Sustain = 0.14;
    g.Decay = 0.34;
    g.DecayCurve = 1.3;
    g.Detune = 12;
    MixAt(b, Render(g), 0.03, 1.0);
    bank.Waves.push_back(Wave("groan", 4, Finish(b, -11)));
  }
  {  // a double bubble pop
    TBuffer b;
    TVoice p;
    p.Shape = TShape::Sine;
    p.Freq = 320;
    p.Slide = 7;
    p.Attack = 0.002;
    p.Sustain = 0.025;
    p.Decay = 0.07;
    MixAt(b, Render(p), 0.0, 1.0);
    MixAt(b, Render(Click(2500, 0.012, 11)), 0.0, 0.25);
    p.Freq = 480;
    p.Decay = 0.09;
    MixAt(b, Render(p), 0.085, 0.8);
    MixAt(b, Render(Click(3000, 0.01, 12)), 0.085, 0.2);
    bank.Waves.push_back(Wave("pop", 4, Finish(b, -11)));
  }
  {  // "uh-oh": two falling syllables
    TBuffer b;
    TVoice o;
    o.Shape = TShape::Square;
    o.Duty = 0.25;
    o.Freq = 392;
    o.Slide = -0.8;
    o.LowPass = 2200;
    o.Resonance = 0.2;
    o.Attack = 0.01;
    o.Sustain = 0.07;
    o.Decay = 0.05;
    MixAt(b, Render(o), 0.0, 0.8);
    o.Freq = 262;
    o.Slide = -1.8;
    o.Sustain = 0.12;
    o.Decay = 0.22;
    o.VibratoDepth = 0.5;
    o.VibratoRate = 9;
    o.VibratoDelay = 0.05;
    MixAt(b, Render(o), 0.15, 0.9);
    bank.Waves.push_back(Wave("uh-oh", 4, Finish(b, -11)));
  }
  {  // a wet squelch that sinks away
    TBuffer b;
    TVoice n;
    n.Shape = TShape::Noise;
    n.Freq = 3000;
    n.LowPass = 2400;
    n.LowPassSweep = -4;
    n.Resonance = 0.6;
    n.Attack = 0.004;
    n.Sustain = 0.04;
    n.Decay = 0.22;
    n.Seed = 21;
    MixAt(b, Render(n), 0.0, 0.9);
    TVoice s;
    s.Shape = TShape::Sine;
    s.Freq = 240;
    s.Slide = -3;
    s.Attack = 0.003;
    s.Sustain = 0.05;
    s.Decay = 0.2;
    MixAt(b, Render(s), 0.0, 0.8);
    bank.Waves.push_back(Wave("squelch", 4, Finish(b, -11)));
  }
  return bank;
}

// ---- bank 1: a monster reaches the origin: cheeky cheers ---------------------

TEffectBank EscapeBank() {
  TEffectBank bank{"fxescape.sl", {}};
  {  // the playground taunt
    TBuffer b;
    TVoice v;
    v.Shape = TShape::Square;
    v.Duty = 0.35;
    v.LowPass = 3500;
    v.Attack = 0.008;
    v.Decay = 0.05;
    v.VibratoDepth = 0.25;
    v.VibratoRate = 6;
    v.VibratoDelay = 0.1;
    Notes(b, v, {{"G5", 1.5}, {"E5", 0.5}, {"A5", 1}, {"G5", 1}, {"E5", 2}}, 0.0, 0.12, 1.0);
    v.Shape = TShape::Triangle;
    Notes(b, v, {{"G4", 1.5}, {"E4", 0.5}, {"A4", 1}, {"G4", 1}, {"E4", 2}}, 0.0, 0.12, 0.5);
    bank.Waves.push_back(Wave("taunt", 2, Finish(b, -12, 0.04)));
  }
  {  // "woo-hoo!"
    TBuffer b;
    TVoice w;
    w.Shape = TShape::Saw;
    w.Freq = 300;
    w.Slide = 3.5;
    w.FreqMax = 620;
    w.LowPass = 1800;
    w.Resonance = 0.4;
    w.Attack = 0.03;
    w.Sustain = 0.12;
    w.Decay = 0.06;
    MixAt(b, Render(w), 0.0, 0.9);
    w.Freq = 420;
    w.Slide = 4;
    w.FreqMax = 950;
    w.Sustain = 0.2;
    w.Decay = 0.2;
    w.VibratoDepth = 0.5;
    w.VibratoRate = 7;
    w.VibratoDelay = 0.15;
    w.LowPass = 2600;
    MixAt(b, Render(w), 0.22, 1.0);
    bank.Waves.push_back(Wave("woohoo", 2, Finish(b, -12, 0.03)));
  }
  {  // a kazoo "ta-da!"
    TBuffer b;
    TVoice k;
    k.Shape = TShape::Square;
    k.Duty = 0.12;
    k.VibratoDepth = 0.3;
    k.VibratoRate = 11;
    k.LowPass = 4000;
    k.Resonance = 0.3;
    k.Attack = 0.01;
    k.Decay = 0.06;
    Notes(b, k, {{"C5", 0.5}, {"E5", 0.5}, {"G5", 0.5}, {"r", 0.5}, {"C6", 3}}, 0.0, 0.1, 1.0, 0.8);
    bank.Waves.push_back(Wave("tada", 2, Finish(b, -12, 0.05)));
  }
  return bank;
}

// ---- bank 2: the game is lost --------------------------------------------------

TEffectBank LoseBank() {
  TEffectBank bank{"fxgolose.sl", {}};
  {  // the sad trombone
    TBuffer b;
    TVoice t;
    t.Shape = TShape::Saw;
    t.LowPass = 900;
    t.Resonance = 0.45;
    t.Attack = 0.04;
    t.Decay = 0.08;
    t.Detune = 8;
    Notes(b, t, {{"G3", 1}, {"F#3", 1}, {"F3", 1}}, 0.0, 0.42, 1.0, 0.9);
    t.Freq = NoteFreq("E3");
    t.Sustain = 0.9;
    t.Decay = 0.5;
    t.VibratoDepth = 0.45;
    t.VibratoRate = 5.5;
    t.VibratoDelay = 0.2;
    t.Slide = -0.12;
    MixAt(b, Render(t), 1.26, 1.0);
    bank.Waves.push_back(Wave("sad trombone", 1, Finish(b, -11, 0.1)));
  }
  {  // a falling minor arpeggio that runs out of steam
    TBuffer b;
    TVoice v;
    v.Shape = TShape::Triangle;
    v.Attack = 0.005;
    v.Decay = 0.25;
    Notes(b, v, {{"E5", 1}, {"C5", 1}, {"A4", 1}, {"F4", 1}, {"D4", 1}, {"B3", 3}}, 0.0, 0.16, 1.0, 0.6);
    v.Shape = TShape::Square;
    v.Duty = 0.2;
    v.LowPass = 1800;
    Notes(b, v, {{"E4", 1}, {"C4", 1}, {"A3", 1}, {"F3", 1}, {"D3", 1}, {"B2", 3}}, 0.0, 0.16, 0.35, 0.6);
    bank.Waves.push_back(Wave("falling", 1, Finish(b, -11, 0.1)));
  }
  return bank;
}

// ---- bank 3: the game is won ----------------------------------------------------

TBuffer Fanfare(const std::vector<std::pair<const char*, double>>& lead,
                const std::vector<std::pair<const char*, double>>& harmony,
                const std::vector<std::pair<const char*, double>>& bass, double beat, bool sparkle,
                std::uint32_t seed) {
  TBuffer b;
  TVoice l;
  l.Shape = TShape::Square;
  l.Duty = 0.3;
  l.LowPass = 5000;
  l.Attack = 0.006;
  l.Decay = 0.12;
  l.VibratoDepth = 0.2;
  l.VibratoRate = 6;
  l.VibratoDelay = 0.25;
  Notes(b, l, lead, 0.0, beat, 0.55, 0.9);
  TVoice h = l;
  h.Shape = TShape::Triangle;
  Notes(b, h, harmony, 0.0, beat, 0.45, 0.9);
  TVoice bs;
  bs.Shape = TShape::Saw;
  bs.LowPass = 700;
  bs.Attack = 0.005;
  bs.Decay = 0.1;
  Notes(b, bs, bass, 0.0, beat, 0.45, 0.8);
  if (sparkle) {
    TVoice s;
    s.Shape = TShape::Sine;
    s.Attack = 0.001;
    s.Sustain = 0.0;
    s.Decay = 0.18;
    s.DecayCurve = 2;
    const char* bells[] = {"C7", "G6", "E7", "C7", "G7", "E7"};
    for (int i = 0; i < 6; ++i) {
      s.Freq = NoteFreq(bells[i]);
      MixAt(b, Render(s), beat * (4 + 0.5 * i), 0.18);
    }
    MixAt(b, Render(Click(6000, 0.5, seed)), beat * 4, 0.06);
  }
  Echo(b, beat * 0.75, 0.3, 0.25);
  return b;
}

TEffectBank WinBank() {
  TEffectBank bank{"fxgowin.sl", {}};
  // 0: level complete, a bright run up to a held chord
  bank.Waves.push_back(Wave("level complete", 1,
                            Finish(Fanfare({{"C5", 1}, {"E5", 1}, {"G5", 1}, {"C6", 5}},
                                           {{"r", 3}, {"E5", 5}}, {{"C3", 1}, {"r", 2}, {"C3", 5}}, 0.13, false, 0),
                                   -10, 0.15)));
  // 1: challenge complete, a call and a bigger answer
  bank.Waves.push_back(Wave(
      "challenge complete", 1,
      Finish(Fanfare({{"G4", 1}, {"G4", 0.5}, {"G4", 0.5}, {"C5", 2}, {"E5", 1}, {"D5", 1}, {"G5", 6}},
                     {{"r", 4}, {"G4", 1}, {"B4", 1}, {"D5", 6}},
                     {{"C3", 2}, {"G2", 2}, {"G2", 2}, {"G3", 6}}, 0.14, true, 31),
             -10, 0.2)));
  // 2: high score, two fast runs and a trill
  bank.Waves.push_back(Wave(
      "high score", 1,
      Finish(Fanfare({{"C5", 0.5}, {"E5", 0.5}, {"G5", 0.5}, {"C6", 0.5}, {"D5", 0.5}, {"F5", 0.5}, {"A5", 0.5},
                      {"D6", 0.5}, {"E6", 0.5}, {"D6", 0.5}, {"E6", 0.5}, {"D6", 0.5}, {"E6", 0.5}, {"G6", 5}},
                     {{"r", 4}, {"F5", 2}, {"C6", 1}, {"B5", 1}, {"C6", 5}},
                     {{"C3", 2}, {"D3", 2}, {"G2", 2}, {"C3", 5}}, 0.11, true, 41),
             -10, 0.2)));
  // 3: whole mission complete, a short march with a drum roll
  {
    TBuffer b = Fanfare({{"G4", 1},
                         {"C5", 1},
                         {"E5", 1},
                         {"G5", 2},
                         {"E5", 1},
                         {"G5", 3},
                         {"A5", 1},
                         {"G5", 1},
                         {"F5", 1},
                         {"E5", 1},
                         {"D5", 1},
                         {"C6", 6}},
                        {{"r", 3}, {"C5", 2}, {"C5", 1}, {"E5", 3}, {"F5", 1}, {"E5", 1}, {"D5", 1},
                         {"C5", 1}, {"B4", 1}, {"E5", 6}},
                        {{"C3", 3}, {"C3", 3}, {"C3", 3}, {"F2", 2}, {"G2", 2}, {"C3", 6}}, 0.15, true, 51);
    TVoice snare = Click(1200, 0.05, 61);
    for (int i = 0; i < 16; ++i) MixAt(b, Render(snare), 0.15 * 13 + i * 0.0375, 0.12 + 0.012 * i);
    TVoice kick;
    kick.Shape = TShape::Sine;
    kick.Freq = 140;
    kick.Slide = -5;
    kick.FreqMin = 45;
    kick.Attack = 0.002;
    kick.Sustain = 0.02;
    kick.Decay = 0.3;
    for (double beatAt : {0.0, 3.0, 6.0, 9.0, 19.0}) MixAt(b, Render(kick), 0.15 * beatAt, 0.5);
    bank.Waves.push_back(Wave("mission complete", 1, Finish(b, -10, 0.25)));
  }
  return bank;
}

// ---- bank 4: zaps -----------------------------------------------------------------

TEffectBank KillBank() {
  TEffectBank bank{"fxkill.sl", {}};
  {  // a classic falling zap
    TBuffer b;
    TVoice z;
    z.Shape = TShape::Square;
    z.Duty = 0.5;
    z.DutySweep = -2;
    z.Freq = 1700;
    z.Slide = -10;
    z.FreqMin = 160;
    z.Attack = 0.001;
    z.Sustain = 0.03;
    z.Decay = 0.15;
    z.LowPass = 7000;
    MixAt(b, Render(z), 0.0, 1.0);
    MixAt(b, Render(Click(3000, 0.02, 71)), 0.0, 0.3);
    bank.Waves.push_back(Wave("zap", 4, Finish(b, -12)));
  }
  {  // a bright laser, also the volume sample
    TBuffer b;
    TVoice z;
    z.Shape = TShape::Saw;
    z.Freq = 2400;
    z.Slide = -7;
    z.FreqMin = 200;
    z.LowPass = 6500;
    z.LowPassSweep = -3;
    z.Resonance = 0.5;
    z.Attack = 0.001;
    z.Sustain = 0.04;
    z.Decay = 0.18;
    z.Detune = 20;
    MixAt(b, Render(z), 0.0, 1.0);
    bank.Waves.push_back(Wave("laser", 4, Finish(b, -12)));
  }
  {  // pew-pew
    TBuffer b;
    TVoice z;
    z.Shape = TShape::Square;
    z.Duty = 0.25;
    z.Freq = 1300;
    z.Slide = -12;
    z.FreqMin = 250;
    z.Attack = 0.001;
    z.Sustain = 0.015;
    z.Decay = 0.07;
    MixAt(b, Render(z), 0.0, 0.9);
    z.Freq = 1700;
    MixAt(b, Render(z), 0.075, 1.0);
    bank.Waves.push_back(Wave("pew-pew", 4, Finish(b, -12)));
  }
  return bank;
}

// ---- bank 5: misses -----------------------------------------------------------

TEffectBank MissBank() {
  TEffectBank bank{"fxmiss.sl", {}};
  {  // a low, wobbling "bzzt"
    TBuffer b;
    TVoice z;
    z.Shape = TShape::Square;
    z.Duty = 0.4;
    z.Freq = 98;
    z.Detune = 90;
    z.VibratoDepth = 0.6;
    z.VibratoRate = 18;
    z.LowPass = 1400;
    z.Attack = 0.005;
    z.Sustain = 0.2;
    z.Decay = 0.1;
    MixAt(b, Render(z), 0.0, 1.0);
    bank.Waves.push_back(Wave("buzz", 2, Finish(b, -13)));
  }
  {  // "nuh-uh": two flat steps down
    TBuffer b;
    TVoice v;
    v.Shape = TShape::Square;
    v.Duty = 0.3;
    v.LowPass = 1500;
    v.Attack = 0.005;
    v.Decay = 0.05;
    v.Detune = 30;
    Notes(b, v, {{"A3", 1}, {"Eb3", 1.6}}, 0.0, 0.11, 1.0, 0.9);
    bank.Waves.push_back(Wave("nuh-uh", 2, Finish(b, -13)));
  }
  return bank;
}

// ---- bank 6: pointer over a control, and a click -------------------------------

TEffectBank MouseBank() {
  TEffectBank bank{"fxmouseover.sl", {}};
  {
    TVoice t;
    t.Shape = TShape::Sine;
    t.Freq = 1900;
    t.Slide = 2;
    t.Attack = 0.001;
    t.Sustain = 0.004;
    t.Decay = 0.03;
    t.DecayCurve = 2;
    bank.Waves.push_back(Wave("hover tick", 3, Finish(Render(t), -22, 0.005)));
  }
  {
    TBuffer b;
    TVoice c;
    c.Shape = TShape::Square;
    c.Freq = 950;
    c.Slide = -5;
    c.LowPass = 5000;
    c.Attack = 0.001;
    c.Sustain = 0.006;
    c.Decay = 0.035;
    c.DecayCurve = 2;
    MixAt(b, Render(c), 0.0, 0.8);
    MixAt(b, Render(Click(2500, 0.012, 81)), 0.0, 0.5);
    bank.Waves.push_back(Wave("click", 3, Finish(b, -19, 0.005)));
  }
  return bank;
}

// ---- bank 7: power-ups ----------------------------------------------------------

TEffectBank PowerUpBank() {
  TEffectBank bank{"fxpowerups.sl", {}};
  {  // Functional Analyser: computing bleeps, then a rising confirmation
    TBuffer b;
    TVoice v;
    v.Shape = TShape::Square;
    v.Duty = 0.5;
    v.LowPass = 4000;
    v.Attack = 0.002;
    v.Decay = 0.02;
    Notes(b, v,
          {{"A5", 1}, {"E6", 1}, {"C6", 1}, {"G6", 1}, {"D6", 1}, {"A6", 1}, {"E6", 1}, {"C7", 1}}, 0.0, 0.055, 0.6,
          0.7);
    TVoice s;
    s.Shape = TShape::Sine;
    s.Freq = NoteFreq("A5");
    s.Slide = 2.2;
    s.VibratoDepth = 0.3;
    s.VibratoRate = 14;
    s.Attack = 0.01;
    s.Sustain = 0.22;
    s.Decay = 0.15;
    MixAt(b, Render(s), 0.44, 0.8);
    Echo(b, 0.09, 0.35, 0.3);
    bank.Waves.push_back(Wave("functional analyser", 1, Finish(b, -11, 0.05)));
  }
  {  // spare slot: a general power-up chime
    TBuffer b;
    TVoice v;
    v.Shape = TShape::Triangle;
    v.Attack = 0.003;
    v.Decay = 0.15;
    Notes(b, v, {{"C5", 1}, {"E5", 1}, {"G5", 1}, {"C6", 1}, {"E6", 3}}, 0.0, 0.06, 1.0, 0.8);
    v.Shape = TShape::Square;
    v.Duty = 0.25;
    v.LowPass = 3000;
    Notes(b, v, {{"C5", 1}, {"E5", 1}, {"G5", 1}, {"C6", 1}, {"E6", 3}}, 0.0, 0.06, 0.3, 0.8);
    bank.Waves.push_back(Wave("power-up", 1, Finish(b, -12, 0.05)));
  }
  {  // Doom Device: a big blast with a sinking boom
    TBuffer b;
    TVoice n;
    n.Shape = TShape::Noise;
    n.Freq = Rate;
    n.LowPass = 6000;
    n.LowPassSweep = -2.6;
    n.Attack = 0.004;
    n.Sustain = 0.12;
    n.Punch = 0.4;
    n.Decay = 1.3;
    n.DecayCurve = 2.2;
    n.Seed = 91;
    MixAt(b, Render(n), 0.0, 1.0);
    TVoice boom;
    boom.Shape = TShape::Sine;
    boom.Freq = 120;
    boom.Slide = -1.6;
    boom.FreqMin = 32;
    boom.Attack = 0.003;
    boom.Sustain = 0.15;
    boom.Decay = 0.9;
    MixAt(b, Render(boom), 0.0, 1.1);
    TVoice crunch;
    crunch.Shape = TShape::Square;
    crunch.Freq = 70;
    crunch.Slide = -1;
    crunch.LowPass = 600;
    crunch.Attack = 0.002;
    crunch.Sustain = 0.05;
    crunch.Decay = 0.4;
    MixAt(b, Render(crunch), 0.0, 0.35);
    bank.Waves.push_back(Wave("doom device", 1, Finish(b, -8, 0.1)));
  }
  {  // Radial Blast: a whoomp that rushes outward
    TBuffer b;
    TVoice n;
    n.Shape = TShape::Noise;
    n.Freq = Rate;
    n.LowPass = 250;
    n.LowPassSweep = 4.5;
    n.Resonance = 0.55;
    n.Attack = 0.01;
    n.Sustain = 0.25;
    n.Decay = 0.5;
    n.Seed = 101;
    MixAt(b, Render(n), 0.0, 1.0);
    TVoice r;
    r.Shape = TShape::Sine;
    r.Freq = 110;
    r.Slide = 3;
    r.FreqMax = 900;
    r.Attack = 0.005;
    r.Sustain = 0.2;
    r.Decay = 0.35;
    MixAt(b, Render(r), 0.0, 0.6);
    Echo(b, 0.11, 0.3, 0.25);
    bank.Waves.push_back(Wave("radial blast", 1, Finish(b, -10, 0.08)));
  }
  {  // Velocity Bisector: everything slows down
    TBuffer b;
    TVoice v;
    v.Shape = TShape::Saw;
    v.Freq = 880;
    v.Slide = -1.4;
    v.Detune = 15;
    v.VibratoDepth = 0.8;
    v.VibratoRate = 5;
    v.LowPass = 3500;
    v.LowPassSweep = -1.5;
    v.Resonance = 0.4;
    v.Attack = 0.01;
    v.Sustain = 0.5;
    v.Decay = 0.5;
    MixAt(b, Render(v), 0.0, 1.0);
    v.Shape = TShape::Square;
    v.Freq = 440;
    v.Duty = 0.3;
    MixAt(b, Render(v), 0.0, 0.4);
    bank.Waves.push_back(Wave("velocity bisector", 1, Finish(b, -11, 0.08)));
  }
  {  // Translation Inhibiter: a crystalline freeze
    TBuffer b;
    TVoice t;
    t.Shape = TShape::Sine;
    t.Attack = 0.001;
    t.Sustain = 0.0;
    t.Decay = 0.35;
    t.DecayCurve = 2.5;
    const char* notes[] = {"E7", "B6", "G#6", "E6", "B6", "G#7", "E7", "B7"};
    for (int i = 0; i < 8; ++i) {
      t.Freq = NoteFreq(notes[i]);
      MixAt(b, Render(t), 0.045 * i, 0.5);
      t.Freq *= 2.76;  // an inharmonic partial gives the glassy ring
      MixAt(b, Render(t), 0.045 * i, 0.12);
    }
    TVoice n;
    n.Shape = TShape::Noise;
    n.Freq = Rate;
    n.HighPass = 5000;
    n.Attack = 0.05;
    n.Sustain = 0.2;
    n.Decay = 0.6;
    n.Seed = 111;
    MixAt(b, Render(n), 0.0, 0.12);
    TVoice d;
    d.Shape = TShape::Triangle;
    d.Freq = 1200;
    d.Slide = -2;
    d.Attack = 0.01;
    d.Sustain = 0.1;
    d.Decay = 0.5;
    MixAt(b, Render(d), 0.05, 0.3);
    bank.Waves.push_back(Wave("translation inhibiter", 1, Finish(b, -11, 0.08)));
  }
  return bank;
}

}  // namespace

std::vector<TEffectBank> MakeEffectBanks() {
  return {DieBank(), EscapeBank(), LoseBank(), WinBank(), KillBank(), MissBank(), MouseBank(), PowerUpBank()};
}

bool GenerateSoundBanks(const TGenContext& ctx) {
  bool ok = true;
  for (const TEffectBank& bank : MakeEffectBanks()) {
    std::vector<TWaveItem> items, webItems;
    const std::string stem = bank.File.substr(0, bank.File.find('.'));
    int index = 0;
    for (const TEffectWave& w : bank.Waves) {
      TWaveItem item;
      item.Name = w.Name;
      item.Looped = w.Looped;
      item.MaxPlayingCount = w.MaxPlayingCount;
      item.Wave = EncodeWav(ToPcm16(w.Samples), Rate, 1);
      if (!ctx.ReviewDir.empty()) {
        char name[64];
        std::snprintf(name, sizeof name, "%s_%d_", stem.c_str(), index);
        std::string file = ctx.ReviewDir + name + w.Name + ".wav";
        for (char& c : file)
          if (c == ' ') c = '_';
        ok = WriteFileAtomic(file, item.Wave) && ok;
      }
      // The browser's copy at half the rate, as its music: a loop keeps the
      // full rate, since the filter would put a click at its seam.
      TWaveItem web = item;
      if (!w.Looped) web.Wave = EncodeWav(ToPcm16(music::WebMono({w.Samples, w.Samples})), music::WebRate, 1);
      webItems.push_back(std::move(web));
      items.push_back(std::move(item));
      ++index;
    }
    if (!WriteFileAtomic(ctx.OutDir + bank.File, EncodeWaveBank(stem, items)) ||
        !WriteFileAtomic(ctx.OutDir + bank.File + WebSuffix, EncodeWaveBank(stem, webItems))) {
      std::fprintf(stderr, "assetgen: cannot write %s\n", bank.File.c_str());
      ok = false;
    }
  }
  return ok;
}
