// The music archive: four tracks composed here, rendered by the sequencer and
// stored as Ogg Vorbis records.
#include <cstdio>
#include <sstream>
#include <thread>

#include "assetgen.h"
#include "data/ASDbWriter.h"
#include "data/sysFiles.h"
#include "sound/music.h"
#include "sound/webMusic.h"

using namespace music;

namespace {

std::vector<std::string> Split(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

// One section of a song: its chords, one per bar, and its melody.
struct TSection {
  std::vector<std::string> Chords;
  std::string Melody;
  int Harmony = 0;  // scale steps of a second melody voice; 0 = none
};

// ---- 1: a bright four-on-the-floor run in C major -------------------------------

TStereo GridRunner() {
  TArranger a(138, 0.0, {0, 2, 4, 5, 7, 9, 11});
  const std::string melodyA =
      "E5:2 G5:2 C6:4 B5:2 G5:2 E5:4  D5:2 G5:2 B5:4 A5:2 G5:2 D5:4 "
      "C5:2 E5:2 A5:4 G5:2 E5:2 C5:2 D5:2  E5:4 F5:2 E5:2 D5:4 C5:4 "
      "E5:2 G5:2 C6:4 D6:2 C6:2 G5:4  B5:2 A5:2 G5:4 D5:2 G5:2 B5:4 "
      "C6:3 B5:1 A5:4 E5:2 A5:2 G5:4  F5:2 E5:2 D5:2 E5:2 C5:8";
  const std::string melodyB =
      "A5:4 A5:2 G5:2 F5:4 A5:4  B5:4 B5:2 A5:2 G5:4 B5:4 "
      "G5:2 B5:2 E6:4 D6:2 B5:2 G5:4  A5:6 G5:2 E5:4 C5:4 "
      "F5:2 A5:2 C6:4 A5:2 C6:2 F6:4  D6:4 B5:4 G5:4 D6:4 "
      "E6:6 D6:2 C6:4 G5:4  C6:8 r:8";
  const std::string melodyC =
      "E5:8 A5:8  C6:8 A5:4 F5:4  G5:12 E5:4  D5:8 B4:8 "
      "E5:4 A5:4 C6:4 E6:4  D6:8 C6:4 A5:4  G5:8 E5:4 G5:4  B5:8 D6:8";
  const std::string outro = "A5:4 C6:4 A5:4 F5:4  B5:4 D6:4 B5:4 G5:4  C6:16";
  const auto verse = Split("C G Am F C G Am F");
  const auto chorus = Split("F G Em Am F G C C");
  const auto bridge = Split("Am F C G Am F C G");
  const std::vector<TSection> song = {
      {Split("C G Am F"), "", 0}, {verse, melodyA, 0}, {chorus, melodyB, 0},  {verse, melodyA, -2},
      {bridge, melodyC, 0},       {chorus, melodyB, 0}, {verse, melodyA, -2}, {Split("F G C C"), outro, 0},
  };
  int bar = 0;
  for (std::size_t s = 0; s < song.size(); ++s) {
    const TSection& sec = song[s];
    const bool intro = s == 0, bridgeSec = s == 4, last = s + 1 == song.size();
    if (!sec.Melody.empty()) {
      a.ReverbSend = 0.2;
      a.Line(bar, sec.Melody, TInstrument::SquareLead, 0.30, 0.0);
      if (sec.Harmony != 0) a.Line(bar, sec.Melody, TInstrument::SquareLead, 0.14, 0.45, 0, sec.Harmony);
    }
    for (std::size_t i = 0; i < sec.Chords.size(); ++i, ++bar) {
      const std::string& chord = sec.Chords[i];
      const bool fill = i + 1 == sec.Chords.size() && !last;
      if (last && i + 1 == sec.Chords.size()) {
        // The closing hit.
        a.ReverbSend = 0.3;
        a.Chord(bar, "C", "x---------------", TInstrument::Pad, 0.35);
        a.Bass(bar, "C", "1---------------", TInstrument::SawBass, 0.5);
        a.Drum(bar, TDrum::Kick, "x...............", 0.8);
        a.Drum(bar, TDrum::Crash, "x...............", 0.35);
        continue;
      }
      a.ReverbSend = 0.15;
      a.Arp(bar, chord, "0123012301230123", TInstrument::Pluck, intro ? 0.16 : 0.11, 0, 0.5);
      if (bridgeSec) a.Chord(bar, chord, "x---------------", TInstrument::Pad, 0.2);
      a.ReverbSend = 0.0;
      if (!(intro && i < 2)) {
        a.Bass(bar, chord, bridgeSec ? "1-------5-------" : "1.8.1.8.1.8.1.8.", TInstrument::SawBass, 0.42);
        a.Drum(bar, TDrum::Kick, bridgeSec ? "x.......x......." : "x...x...x...x...", 0.8);
      }
      a.Drum(bar, TDrum::HatClosed, "..x...x...x...x.", 0.3);
      a.Drum(bar, TDrum::Shaker, bridgeSec ? "" : "xgxgxgxgxgxgxgxg", 0.22);
      if (!intro && !bridgeSec) a.Drum(bar, TDrum::Snare, fill ? "....x.......x.xx" : "....x.......x...", 0.5);
      if (bridgeSec && i >= 6) a.Drum(bar, TDrum::Snare, i == 7 ? "x.x.x.x.xxxxxxxx" : "x.......x.......", 0.35);
      if (i == 0 && !intro) a.Drum(bar, TDrum::Crash, "x...............", 0.25);
    }
  }
  return a.Finish(a.Time(bar - 1, 0) + 2.5);
}

// ---- 2: a fast minor-key chase over a broken beat -------------------------------

TStereo QuadrantRush() {
  TArranger a(164, 0.0, {0, 2, 4, 6, 7, 9, 11});
  const std::string melodyA =
      "E5:3 G5:3 B5:2 A5:2 G5:2 F#5:2 G5:2  E5:3 G5:3 C6:2 B5:4 G5:4 "
      "D5:3 G5:3 B5:2 D6:4 B5:2 A5:2  A5:6 F#5:2 D5:4 F#5:4 "
      "E5:3 G5:3 B5:2 E6:4 D6:2 B5:2  C6:3 B5:3 G5:2 E5:4 G5:4 "
      "B5:3 A5:3 G5:2 D5:4 G5:2 A5:2  F#5:6 E5:2 D5:4 F#5:4";
  const std::string melodyB =
      "G5:4 E5:4 G5:4 C6:4  A5:4 F#5:4 A5:4 D6:4  B5:6 A5:2 F#5:4 D5:4  E5:12 G5:4 "
      "C6:4 B5:2 C6:2 E6:4 C6:4  D6:4 C6:2 D6:2 F#6:4 D6:4  D#6:8 B5:4 F#5:4  A5:4 F#5:4 D#5:4 B4:4";
  const std::string outro = "E5:3 G5:3 B5:2 E6:8  C6:3 B5:3 G5:2 E5:8  F#5:4 A5:4 D6:8  E6:16";
  const auto verse = Split("Em C G D Em C G D");
  const auto chorus = Split("C D Bm Em C D B7 B7");
  const std::vector<TSection> song = {
      {verse, "", 0},   {verse, melodyA, 0},  {verse, melodyA, -2}, {chorus, melodyB, 0},
      {verse, "", 0},   {verse, melodyA, -2}, {chorus, melodyB, 0}, {Split("C D Em Em"), outro, 0},
  };
  int bar = 0;
  for (std::size_t s = 0; s < song.size(); ++s) {
    const TSection& sec = song[s];
    const bool intro = s == 0, breakSec = s == 4, last = s + 1 == song.size();
    if (!sec.Melody.empty()) {
      a.ReverbSend = 0.18;
      a.Line(bar, sec.Melody, TInstrument::SawLead, 0.26, 0.0);
      if (sec.Harmony != 0) a.Line(bar, sec.Melody, TInstrument::SawLead, 0.12, -0.45, 0, sec.Harmony);
    }
    for (std::size_t i = 0; i < sec.Chords.size(); ++i, ++bar) {
      const std::string& chord = sec.Chords[i];
      const bool fill = i + 1 == sec.Chords.size() && !last;
      if (last && i + 1 == sec.Chords.size()) {
        a.ReverbSend = 0.3;
        a.Chord(bar, "Em", "x---------------", TInstrument::Pad, 0.4);
        a.Bass(bar, "Em", "1---------------", TInstrument::SquareBass, 0.45);
        a.Drum(bar, TDrum::Kick, "x...............", 0.8);
        a.Drum(bar, TDrum::Crash, "x...............", 0.35);
        continue;
      }
      a.ReverbSend = 0.25;
      if (s >= 2 || breakSec) a.Chord(bar, chord, "x---------------", TInstrument::Pad, breakSec ? 0.22 : 0.13);
      a.Arp(bar, chord, "0123210321032103", TInstrument::Pluck, breakSec || intro ? 0.13 : 0.09, 1, 0.6);
      a.ReverbSend = 0.0;
      const bool drums = !(intro && i < 4) && !(breakSec && i < 4);
      if (drums) {
        a.Bass(bar, chord, "1.1.8.1.1.1.8.1.", TInstrument::SquareBass, 0.4);
        a.Drum(bar, TDrum::Kick, i % 2 == 0 ? "x.........x....." : "x.x.......x..x..", 0.85);
        if (breakSec)
          a.Drum(bar, TDrum::Snare, i == 7 ? "xxxxxxxxXXXXXXXX" : i == 6 ? "x.x.x.x.x.x.x.x." : "x.......x.......",
                 0.3);
        else
          a.Drum(bar, TDrum::Snare, fill ? "....x..g.g..x.XX" : "....x..g.g..x..g", 0.5);
      }
      a.Drum(bar, TDrum::HatClosed, breakSec && i < 4 ? "x...x...x...x..." : "xxXxxxXxxxXxxxXx", 0.2);
      if (i == 0 && !intro && !breakSec) a.Drum(bar, TDrum::Crash, "x...............", 0.25);
    }
  }
  return a.Finish(a.Time(bar - 1, 0) + 2.5);
}

// ---- 3: a swinging shuffle in F with bells and a walking bass --------------------

TStereo SlopeShuffle() {
  TArranger a(112, 1.0 / 3.0, {0, 2, 4, 5, 7, 9, 10});
  const std::string melodyA =
      "C5:2 F5:2 A5:4 G5:2 F5:2 A5:4  D5:2 F5:2 A5:4 C6:4 A5:4 "
      "Bb5:4 A5:2 G5:2 D5:4 G5:4  E5:2 G5:2 Bb5:4 A5:2 G5:2 E5:4 "
      "F5:2 A5:2 C6:4 D6:2 C6:2 A5:4  F5:4 D5:2 F5:2 A5:8 "
      "G5:2 Bb5:2 D6:4 C6:2 Bb5:2 G5:4  E5:4 G5:2 E5:2 C5:8";
  const std::string melodyB =
      "D6:4 Bb5:4 F5:4 Bb5:4  C6:4 Bb5:2 G5:2 E5:8  C6:4 A5:2 E5:2 A5:4 C6:4  D6:8 A5:8 "
      "Bb5:2 A5:2 G5:4 D6:4 Bb5:4  A5:2 G5:2 E5:4 G5:4 Bb5:4  A5:4 C6:4 F6:4 C6:4  F5:8 r:8";
  const std::string outro = "Bb5:2 A5:2 G5:4 D6:4 Bb5:4  A5:2 G5:2 E5:4 G5:4 Bb5:4  A5:4 C6:4 F6:8  F5:16";
  const auto verse = Split("F Dm Gm C7 F Dm Gm C7");
  const auto chorus = Split("Bb C7 Am Dm Gm C7 F F");
  const std::vector<TSection> song = {
      {Split("F Dm Gm C7"), "", 0}, {verse, melodyA, 0}, {chorus, melodyB, 0}, {verse, melodyA, 2},
      {verse, "", 0},               {chorus, melodyB, 0}, {Split("Gm C7 F F"), outro, 0},
  };
  // The solo is a run of chord tones that always comes out the same.
  const char* solo[8] = {"0.12.34.5.43.2.1", "2.34.54.3.2.1.0.", "0.2.4.2.5.4.2.1.", "5.4.3.2.3.4.5.6.",
                         "0.12.34.5.43.2.1", "4.5.4.2.1.2.4.5.", "6.5.4.3.2.3.4.2.", "3.2.1.0.1.2.3.4."};
  int bar = 0;
  for (std::size_t s = 0; s < song.size(); ++s) {
    const TSection& sec = song[s];
    const bool intro = s == 0, soloSec = s == 4, last = s + 1 == song.size();
    if (!sec.Melody.empty()) {
      a.ReverbSend = 0.3;
      a.Line(bar, sec.Melody, TInstrument::Bell, 0.42, 0.1);
      if (sec.Harmony != 0) a.Line(bar, sec.Melody, TInstrument::Bell, 0.2, -0.4, -12, sec.Harmony);
    }
    for (std::size_t i = 0; i < sec.Chords.size(); ++i, ++bar) {
      const std::string& chord = sec.Chords[i];
      const std::string& next = i + 1 < sec.Chords.size() ? sec.Chords[i + 1]
                                : s + 1 < song.size()     ? song[s + 1].Chords[0]
                                                          : chord;
      if (last && i + 1 == sec.Chords.size()) {
        a.ReverbSend = 0.35;
        a.Chord(bar, "F", "x---------------", TInstrument::Organ, 0.3);
        a.Bass(bar, "F", "1---------------", TInstrument::UprightBass, 0.55);
        a.Drum(bar, TDrum::Ride, "x...............", 0.4);
        a.Drum(bar, TDrum::Kick, "x...............", 0.5);
        continue;
      }
      a.ReverbSend = 0.2;
      a.Chord(bar, chord, intro ? "x-------x-------" : "..x-..x-..x-..x-", TInstrument::Organ, 0.16);
      if (soloSec) {
        a.ReverbSend = 0.3;
        a.Arp(bar, chord, solo[i], TInstrument::Bell, 0.3, 1, 0.35);
      }
      a.ReverbSend = 0.0;
      a.Bass(bar, chord, "1...3...5...a...", TInstrument::UprightBass, 0.55, next);
      a.Drum(bar, TDrum::Ride, "x...x.x.x...x.x.", 0.22);
      if (!intro) {
        a.Drum(bar, TDrum::Kick, "x.......x.......", 0.5);
        a.Drum(bar, TDrum::Rim, i + 1 == sec.Chords.size() ? "....x.....x.x.x." : "....x.......x...", 0.3);
      }
    }
  }
  return a.Finish(a.Time(bar - 1, 0) + 3.0);
}

// ---- 4: a syncopated funk groove in D dorian ------------------------------------

TStereo OriginFunk() {
  TArranger a(120, 0.08, {0, 2, 4, 5, 7, 9, 11});
  const std::string melodyA =
      "r:2 A4:2 C5:2 D5:2 r:2 F5:2 D5:4  r:4 A5:3 G5:1 F5:2 D5:2 C5:4 "
      "r:2 B4:2 D5:2 F5:2 r:2 G5:2 F5:4  D5:6 r:2 B4:4 C5:4 "
      "r:2 D5:2 F5:2 A5:2 C6:4 A5:2 G5:2  F5:3 G5:3 F5:2 D5:8 "
      "r:2 G5:2 A5:2 B5:2 D6:4 B5:2 A5:2  G5:4 F5:4 E5:4 C5:4";
  const std::string melodyB =
      "D6:6 C6:2 A5:8  G5:4 E5:2 G5:2 C6:8  D6:4 A5:4 F5:4 A5:4  C6:8 r:8 "
      "Bb5:6 A5:2 G5:4 D5:4  C#6:6 A5:2 E5:4 G5:4  F5:4 E5:2 D5:2 A5:8  D5:8 r:8";
  const std::string outro = "r:2 A4:2 C5:2 D5:2 r:2 F5:2 D5:4  r:4 A5:3 G5:1 F5:2 D5:2 C5:4  r:2 B4:2 D5:2 F5:2 G5:8";
  const auto verse = Split("Dm7 Dm7 G7 G7 Dm7 Dm7 G7 G7");
  const auto chorus = Split("Bbmaj7 C Dm7 Dm7 Gm7 A7 Dm7 Dm7");
  const std::vector<TSection> song = {
      {Split("Dm7 Dm7 G7 G7"), "", 0}, {verse, melodyA, 0}, {verse, melodyA, 2}, {chorus, melodyB, 0},
      {Split("Dm7 Dm7 G7 G7"), "", 0}, {verse, melodyA, 2}, {chorus, melodyB, 0}, {Split("Dm7 Dm7 G7 Dm7"), outro, 0},
  };
  int bar = 0;
  for (std::size_t s = 0; s < song.size(); ++s) {
    const TSection& sec = song[s];
    const bool intro = s == 0, breakSec = s == 4, last = s + 1 == song.size();
    if (!sec.Melody.empty()) {
      a.ReverbSend = 0.22;
      a.Line(bar, sec.Melody, TInstrument::Whistle, 0.36, 0.0);
      if (sec.Harmony != 0) a.Line(bar, sec.Melody, TInstrument::Whistle, 0.14, 0.4, -12, sec.Harmony);
    }
    for (std::size_t i = 0; i < sec.Chords.size(); ++i, ++bar) {
      const std::string& chord = sec.Chords[i];
      const bool fill = i + 1 == sec.Chords.size() && !last;
      if (last && i + 1 == sec.Chords.size()) {
        a.ReverbSend = 0.3;
        a.Chord(bar, "Dm7", "x.x---..........", TInstrument::Clav, 0.4);
        a.Chord(bar, "Dm7", "..x-------------", TInstrument::Pad, 0.25);
        a.Bass(bar, "Dm7", "1.8-------------", TInstrument::SlapBass, 0.45);
        a.Drum(bar, TDrum::Kick, "x.x.............", 0.85);
        a.Drum(bar, TDrum::Crash, "..x.............", 0.35);
        continue;
      }
      a.ReverbSend = 0.1;
      a.Chord(bar, chord, breakSec ? "..x...x...x...x." : "..x..x.x..x..x.x", TInstrument::Clav, 0.22);
      if (s == 2 || s == 5) a.Chord(bar, chord, i % 2 == 0 ? "x-.........x-..." : "......x-........", TInstrument::Pad, 0.18);
      a.ReverbSend = 0.0;
      a.Bass(bar, chord, i % 2 == 0 ? "1..8..1.5.8.1.7." : "1..8.1..1.78.5.8", TInstrument::SlapBass, 0.42);
      a.Drum(bar, TDrum::Kick, i % 2 == 0 ? "x.....x...x..x.." : "x.....x.x.....x.", 0.8);
      if (!intro || i >= 2)
        a.Drum(bar, TDrum::Snare, fill ? "....x..g.g..xXXX" : "....x..g.g..x...", 0.45);
      a.Drum(bar, TDrum::HatClosed, "xgxgxgxgxgxgxgxg", 0.28);
      if (!breakSec) a.Drum(bar, TDrum::HatOpen, "..............x.", 0.2);
      if (fill) a.Drum(bar, TDrum::Tom, "............x.x.", 0.4);
      if (i == 0 && !intro) a.Drum(bar, TDrum::Crash, "x...............", 0.22);
    }
  }
  return a.Finish(a.Time(bar - 1, 0) + 2.5);
}

}  // namespace

namespace music {

std::vector<TTrackInfo> Tracks() {
  return {{"GridRunner.ogg", "Grid Runner"},
          {"QuadrantRush.ogg", "Quadrant Rush"},
          {"SlopeShuffle.ogg", "Slope Shuffle"},
          {"OriginFunk.ogg", "Origin Funk"}};
}

TStereo RenderTrack(int index) {
  switch (index) {
    case 0:
      return GridRunner();
    case 1:
      return QuadrantRush();
    case 2:
      return SlopeShuffle();
    case 3:
      return OriginFunk();
    default:
      return {};
  }
}

}  // namespace music

bool GenerateMusic(const TGenContext& ctx) {
  TASDbWriter writer;
  bool ok = true;
  const auto tracks = Tracks();
  // The tracks share nothing, so each is rendered, encoded and packed on a
  // thread of its own; they are stored in track order, so the bytes never
  // depend on timing.
  std::vector<std::vector<std::uint8_t>> encoded(tracks.size());
  std::vector<std::vector<std::uint8_t>> forWeb(tracks.size());
  std::vector<TASDbWriter> packed(tracks.size());
  std::vector<TASDbWriter> packedForWeb(tracks.size());
  std::vector<std::thread> workers;
  for (std::size_t i = 0; i < tracks.size(); ++i)
    workers.emplace_back([&encoded, &forWeb, &packed, &packedForWeb, &tracks, i] {
      const TStereo song = RenderTrack(static_cast<int>(i));
      encoded[i] = EncodeOgg(song, 0.3f, 7001 + static_cast<int>(i));
      forWeb[i] = EncodeForWeb(song, 7101 + static_cast<int>(i));
      // Music records are told apart by their key's extension, not by their type.
      if (!encoded[i].empty()) packed[i].Add(tracks[i].Key, 0, encoded[i]);
      if (!forWeb[i].empty()) packedForWeb[i].Add(tracks[i].Key, 0, forWeb[i]);
    });
  for (std::thread& w : workers) w.join();
  TASDbWriter webWriter;
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    const std::vector<std::uint8_t>& ogg = encoded[i];
    if (ogg.empty() || forWeb[i].empty()) {
      std::fprintf(stderr, "assetgen: cannot encode %s\n", tracks[i].Key.c_str());
      ok = false;
      continue;
    }
    writer.Append(std::move(packed[i]));
    webWriter.Append(std::move(packedForWeb[i]));
    if (!ctx.ReviewDir.empty()) ok = WriteFileAtomic(ctx.ReviewDir + tracks[i].Key, ogg) && ok;
  }
  // The browser build stores this one as its Music.asdb; the name keeps it out
  // of the desktop's data (which installs *.asdb).
  ok = webWriter.Save(ctx.OutDir + WebMusicFile) && ok;
  return writer.Save(ctx.OutDir + "Music.asdb") && ok;
}
