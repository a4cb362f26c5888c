#pragma once
// Effect banks: the ".sl" file format and the waves of one bank on a device.
//
// A bank file is a component stream; all integers are little-endian.
//
//   "TPF0"                                   signature, 4 bytes
//   ShortString  class name                  "TWaveCollectionComponent"
//   ShortString  object name                 e.g. "fxdie"
//   property list                            the component's properties
//   0x00                                     end of the (empty) child list
//
//   ShortString    = 1 byte length n, then n bytes (no terminator)
//   property list  = { ShortString name, value } ..., then 0x00 (an empty name)
//   value          = 1 byte tag, then by tag:
//     0x00 Null        nothing              0x01 List        values ..., 0x00
//     0x02 Int8        1 byte, signed       0x03 Int16       2 bytes, signed
//     0x04 Int32       4 bytes, signed      0x05 Extended    10 bytes
//     0x06 String      ShortString          0x07 Ident       ShortString
//     0x08 False       nothing              0x09 True        nothing
//     0x0A Binary      4-byte length n, n bytes
//     0x0B Set         ShortStrings ..., then an empty one
//     0x0C LString     4-byte length n, n bytes
//     0x0D Nil         nothing              0x0E Collection  items ..., 0x00
//     0x0F Single 4    0x10 Currency 8      0x11 Date 8      0x13 Int64 8 bytes
//     0x12 WString     4-byte count n, 2n bytes
//     0x14 UTF8String  4-byte length n, n bytes
//   collection item = [Int8/Int16/Int32 order value] 0x01, property list
//
// The component's collection property ("Waves") lists the waves in play order.
// Each item has the properties "Name" (String or LString), "Looped" (False or
// True), "MaxPlayingCount" (Int8/16/32) and "Wave.WAVE": the Wave object's
// binary property, a Binary value holding a whole RIFF WAVE file of PCM data.
//
// The reader trusts nothing: every length is checked against the bytes that
// are left before anything is copied, nesting is bounded, and any fault makes
// the whole bank unusable.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sound/sndDevice.h"

inline constexpr const char* WaveBankClass = "TWaveCollectionComponent";

// One wave item as stored in a bank file.
struct TWaveItem {
  std::string Name;
  bool Looped = false;
  std::int32_t MaxPlayingCount = 0;
  std::vector<std::uint8_t> Wave;  // a RIFF WAVE file
  std::size_t WaveOffset = 0;      // where Wave starts in the bank's bytes
};

// Parses a bank file. On failure returns false, leaves items empty and says why.
bool ParseWaveBank(const std::uint8_t* data, std::size_t size, std::vector<TWaveItem>& items, std::string& error);

// Where the PCM data of a RIFF WAVE file is, once its chunks have been checked.
struct TRiffWaveInfo {
  std::uint16_t Channels = 0;
  std::uint32_t SampleRate = 0;
  std::uint16_t BitsPerSample = 0;
  std::size_t DataOffset = 0;
  std::size_t DataSize = 0;  // whole frames only
  std::size_t Frames() const { return Channels && BitsPerSample ? DataSize / (Channels * BitsPerSample / 8u) : 0; }
};

// Accepts uncompressed PCM, 8 or 16 bits, 1 or 2 channels, 1 Hz .. 192 kHz,
// with at least one frame.
bool ParseRiffWave(const std::vector<std::uint8_t>& riff, TRiffWaveInfo& info, std::string& error);

// The waves of one bank, with their playing copies. A wave becomes a device
// sample when it first plays: the mixer's copy is about twice the stored
// wave, and a menu plays few of them. Until then a bank read from a file holds
// only where each wave is in it; a bank given as bytes holds the wave itself.
class TsndWaveBank {
 public:
  struct TWave {
    std::string Name;
    bool Looped = false;
    std::int32_t MaxPlayingCount = 0;
    int Sample = -1;  // -1 until the wave first plays, and for good when it could not be made
    bool Unplayable = false;
    std::vector<std::uint8_t> Riff;  // a bank given as bytes: the wave until its sample is made
    std::size_t Offset = 0, Size = 0;  // a bank read from a file: where the wave is in it
    // The wave's buffer and the copies made for overlapping playback, oldest
    // first; a buffer is the voice it last started (0 = never started).
    std::vector<TsndVoice> Buffers;
  };

  explicit TsndWaveBank(TsndDevice* device) : Device(device) {}
  ~TsndWaveBank() { Clear(); }
  TsndWaveBank(const TsndWaveBank&) = delete;
  TsndWaveBank& operator=(const TsndWaveBank&) = delete;

  // Replaces the bank's waves with those of the file, every wave checked. A
  // missing or damaged file leaves the bank empty and logs why.
  bool LoadFromFile(const std::string& path);
  bool LoadFromBytes(const std::uint8_t* data, std::size_t size, const std::string& label);

  // Makes the wave's device sample unless it has one; false when it cannot be
  // made (the file changed since loading, or the device refused it): the wave
  // is then left out with one log line. Play does this on a wave's first play.
  bool Prepare(std::int32_t index);

  std::int32_t Count() const { return static_cast<std::int32_t>(Waves.size()); }
  const TWave& Wave(std::int32_t index) const { return Waves[static_cast<std::size_t>(index)]; }

  // Plays the wave once (looped waves loop) at the volume in hundredths of a
  // decibel, keeping to its MaxPlayingCount; an index outside the bank does nothing.
  void Play(std::int32_t index, std::int32_t centibels);
  // Stops the wave's buffer and all its copies.
  void Stop(std::int32_t index);
  void StopAll();
  // Stops and frees every wave.
  void Clear();

 private:
  bool Load(const std::uint8_t* data, std::size_t size, const std::string& label, bool keepWaves);
  // The wave's RIFF bytes read again from the bank file; empty when they cannot be.
  std::vector<std::uint8_t> ReadAgain(const TWave& wave, std::string& why) const;

  TsndDevice* Device;
  std::vector<TWave> Waves;
  std::string Label;             // the file or the name the bank was loaded under
  std::string Path;              // the file, when the bank was read from one
  std::uint64_t FileLength = 0;  // its length when it was read
};
