#pragma once
// The browser's copy of the music: the songs fetched after the first frame are
// a large share of the page's download, so they are stored smaller there than
// on the desktop (one channel at half the rate, 17 kbit/s on average). Also
// what checks that copy against the desktop's: a decoder, and the level of
// each octave band of a recording.
#include <array>
#include <cstdint>
#include <vector>

#include "sound/music.h"

namespace music {

// The browser's music archive, beside the desktop's in the data folder.
constexpr const char* WebMusicFile = "Music.asdb.web";

// The rate of the browser's copy, and its average bitrate: the four songs in
// about 0.85 MB, so the page's whole download stays under 10 MB.
constexpr int WebRate = 22050;
constexpr long WebBitrate = 17000;

// The stereo mix at 44.1 kHz as one channel at 22.05 kHz: the channels'
// mean, low-passed below the new Nyquist frequency, every second sample kept.
std::vector<float> WebMono(const TStereo& audio);
// Ogg Vorbis of one channel at the given rate: at the quality, or at an
// average bitrate (bits a second) when one is given.
std::vector<std::uint8_t> EncodeOggMono(const std::vector<float>& samples, int rate, float quality, int serial,
                                        long bitrate = 0);
// The browser's copy of a song, ready to store.
std::vector<std::uint8_t> EncodeForWeb(const TStereo& audio, int serial);

// A decoded recording: its channels' mean and its rate; empty when the bytes
// are no Ogg Vorbis stream.
struct TDecoded {
  std::vector<float> Mono;
  int Rate = 0;
};
TDecoded DecodeOgg(const std::vector<std::uint8_t>& bytes);

// Octave bands centred on 63 Hz .. 8 kHz.
constexpr int BandCount = 8;
constexpr std::array<double, BandCount> BandCentres = {63, 125, 250, 500, 1000, 2000, 4000, 8000};
// The mean power of each band in dB (relative to a full-scale sine), from
// Hann-windowed spectra of window samples (a power of two); -200 for a band
// with no power. Two rates compare frame for frame with windows of the same
// length in time.
std::array<double, BandCount> BandLevels(const std::vector<float>& samples, int rate, std::size_t window = 4096);

}  // namespace music
