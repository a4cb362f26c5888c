#pragma once
// The music: a small sequencer that plays note lines, chord patterns and drum
// patterns on synthesised instruments into a stereo mix, and the Ogg Vorbis
// encoder that stores the result.
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "sound/synth.h"

namespace music {

struct TStereo {
  synth::TBuffer L, R;
  double Seconds() const { return static_cast<double>(L.size()) / synth::Rate; }
};

// A note of a line: MIDI number (-1 = rest) and length in sixteenths.
struct TNote {
  int Midi = -1;
  int Sixteenths = 0;
};
// "E5:2 G5:2 r:4 C6:8": note name or r, a colon, the length in sixteenths.
std::vector<TNote> ParseLine(const std::string& line);

// A chord symbol: root with optional # or b, then "", "m", "7", "m7", "maj7",
// "dim" or "sus4". Root is in octave 3.
struct TChord {
  int Root = 48;
  std::vector<int> Intervals;  // semitones above the root, the root first
};
TChord ParseChord(const std::string& symbol);

// Moves a note by scale steps within the scale (pitch classes of the key).
int DiatonicShift(int midi, int steps, const std::vector<int>& scale);

enum class TInstrument {
  SquareLead, SawLead, Bell, Whistle,                 // melodies
  SawBass, SquareBass, UprightBass, SlapBass,         // bass
  Pluck, Pad, Organ, Clav,                            // chords
};

enum class TDrum { Kick, Snare, Clap, HatClosed, HatOpen, Rim, Ride, Shaker, Tom, Crash };

// Places the parts of a song on a time grid of bars and sixteenths and mixes
// them in stereo. Swing delays the off-beat eighths (0 = straight, 1/3 = shuffle).
class TArranger {
 public:
  TArranger(double bpm, double swing, std::vector<int> scale);

  double StepSeconds() const { return 15.0 / Bpm; }
  double Time(int bar, double sixteenth) const;

  // A line of notes from the start of the bar; returns the bar after it.
  int Line(int bar, const std::string& line, TInstrument inst, double gain, double pan, int transpose = 0,
           int harmonySteps = 0);
  // One bar of a chord: pattern of 16 steps, 'x' plays the chord, '-' holds it.
  void Chord(int bar, const std::string& symbol, const std::string& pattern, TInstrument inst, double gain,
             int octave = 0);
  // One bar of bass: per step '1' root, '3' '5' '7' chord tones, '8' root an
  // octave up, 'a' the note a semitone under the next chord's root, '-' hold.
  void Bass(int bar, const std::string& symbol, const std::string& pattern, TInstrument inst, double gain,
            const std::string& nextSymbol = "");
  // One bar of arpeggio: per step a digit, the chord tone (4 and up repeat an
  // octave higher), '.' rest. Alternate notes lean left and right.
  void Arp(int bar, const std::string& symbol, const std::string& pattern, TInstrument inst, double gain,
           int octave, double spread);
  // One bar of a drum: per step 'x' hit, 'X' accent, 'g' ghost, '.' nothing.
  void Drum(int bar, TDrum drum, const std::string& pattern, double gain);
  void DrumAt(double seconds, TDrum drum, double gain);

  // Sends a share of the next parts to the reverb.
  double ReverbSend = 0.0;

  // Adds the reverb, levels the mix and ends it with a short fade.
  TStereo Finish(double endSeconds);

 private:
  void Place(const synth::TBuffer& sound, double seconds, double gain, double pan);
  const synth::TBuffer& DrumSound(TDrum drum);
  // PlayNote, rendered once per instrument, pitch and length: a song repeats
  // the same few notes hundreds of times, and a note is a pure function of these.
  const synth::TBuffer& Note(TInstrument inst, int midi, double seconds);

  double Bpm;
  double Swing;
  std::vector<int> Scale;
  TStereo Dry;
  TStereo Wet;
  std::vector<synth::TBuffer> DrumCache;
  std::map<std::tuple<TInstrument, int, double>, synth::TBuffer> NoteCache;
};

// Renders one note of an instrument.
synth::TBuffer PlayNote(TInstrument inst, int midi, double seconds);

// The four tracks of the music archive, in archive order.
struct TTrackInfo {
  std::string Key;  // archive key, ending ".ogg"
  std::string Title;
};
std::vector<TTrackInfo> Tracks();
TStereo RenderTrack(int index);

// Ogg Vorbis of equally long channels at a rate: at the quality (-0.1 .. 1.0),
// or at an average bitrate (bits a second) when one is given. The serial
// number makes the stream identical on every run.
std::vector<std::uint8_t> EncodeOggChannels(const std::vector<const std::vector<float>*>& channels, int rate,
                                            float quality, int serial, long bitrate);
// The same of a stereo buffer at the songs' rate, by quality.
std::vector<std::uint8_t> EncodeOgg(const TStereo& audio, float quality, int serial);

}  // namespace music
