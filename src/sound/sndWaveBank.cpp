#include "sound/sndWaveBank.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "core/sysLog.h"

namespace {

// Value tags of the component stream.
enum : std::uint8_t {
  vaNull = 0x00,
  vaList = 0x01,
  vaInt8 = 0x02,
  vaInt16 = 0x03,
  vaInt32 = 0x04,
  vaExtended = 0x05,
  vaString = 0x06,
  vaIdent = 0x07,
  vaFalse = 0x08,
  vaTrue = 0x09,
  vaBinary = 0x0A,
  vaSet = 0x0B,
  vaLString = 0x0C,
  vaNil = 0x0D,
  vaCollection = 0x0E,
  vaSingle = 0x0F,
  vaCurrency = 0x10,
  vaDate = 0x11,
  vaWString = 0x12,
  vaInt64 = 0x13,
  vaUTF8String = 0x14,
};

// Lists and collections nest; a hostile file must not drive the recursion deep.
constexpr int MaxDepth = 16;

class TReader {
 public:
  TReader(const std::uint8_t* data, std::size_t size) : Data(data), Size(size) {}

  bool Fail(const std::string& why) {
    if (Error.empty()) Error = why + " at byte " + std::to_string(Pos);
    return false;
  }
  std::size_t Left() const { return Size - Pos; }

  bool Byte(std::uint8_t& v) {
    if (Left() < 1) return Fail("unexpected end");
    v = Data[Pos++];
    return true;
  }
  bool Skip(std::size_t n) {
    if (Left() < n) return Fail("length past the end");
    Pos += n;
    return true;
  }
  bool U32(std::uint32_t& v) {
    if (Left() < 4) return Fail("unexpected end");
    v = static_cast<std::uint32_t>(Data[Pos]) | static_cast<std::uint32_t>(Data[Pos + 1]) << 8 |
        static_cast<std::uint32_t>(Data[Pos + 2]) << 16 | static_cast<std::uint32_t>(Data[Pos + 3]) << 24;
    Pos += 4;
    return true;
  }
  bool Bytes(std::size_t n, std::string& out) {
    if (Left() < n) return Fail("length past the end");
    out.assign(reinterpret_cast<const char*>(Data + Pos), n);
    Pos += n;
    return true;
  }
  bool ShortString(std::string& out) {
    std::uint8_t n = 0;
    return Byte(n) && Bytes(n, out);
  }
  // A 4-byte length followed by that many bytes (Binary, LString, UTF8String).
  bool LongBlock(const std::uint8_t*& start, std::size_t& n) {
    std::uint32_t len = 0;
    if (!U32(len)) return false;
    if (len > Left()) return Fail("length past the end");
    start = Data + Pos;
    n = len;
    Pos += len;
    return true;
  }

  bool Integer(std::uint8_t tag, std::int32_t& v) {
    std::uint8_t b[4] = {};
    std::size_t n = tag == vaInt8 ? 1 : tag == vaInt16 ? 2 : tag == vaInt32 ? 4 : 0;
    if (n == 0) return Fail("integer expected");
    if (Left() < n) return Fail("unexpected end");
    std::memcpy(b, Data + Pos, n);
    Pos += n;
    if (n == 1) v = static_cast<std::int8_t>(b[0]);
    if (n == 2) v = static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | b[1] << 8));
    if (n == 4) v = static_cast<std::int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24);
    return true;
  }

  // Skips any value whose tag has been read.
  bool SkipValue(std::uint8_t tag, int depth) {
    if (depth > MaxDepth) return Fail("nesting too deep");
    switch (tag) {
      case vaNull:
      case vaFalse:
      case vaTrue:
      case vaNil:
        return true;
      case vaInt8:
        return Skip(1);
      case vaInt16:
        return Skip(2);
      case vaInt32:
      case vaSingle:
        return Skip(4);
      case vaInt64:
      case vaCurrency:
      case vaDate:
        return Skip(8);
      case vaExtended:
        return Skip(10);
      case vaString:
      case vaIdent: {
        std::uint8_t n = 0;
        return Byte(n) && Skip(n);
      }
      case vaBinary:
      case vaLString:
      case vaUTF8String: {
        const std::uint8_t* start = nullptr;
        std::size_t n = 0;
        return LongBlock(start, n);
      }
      case vaWString: {
        std::uint32_t count = 0;
        if (!U32(count)) return false;
        if (count > Left() / 2) return Fail("length past the end");
        return Skip(static_cast<std::size_t>(count) * 2);
      }
      case vaSet:
        for (;;) {
          std::uint8_t n = 0;
          if (!Byte(n)) return false;
          if (n == 0) return true;
          if (!Skip(n)) return false;
        }
      case vaList:
        for (;;) {
          std::uint8_t t = 0;
          if (!Byte(t)) return false;
          if (t == vaNull) return true;
          if (!SkipValue(t, depth + 1)) return false;
        }
      case vaCollection:
        for (;;) {
          std::uint8_t t = 0;
          if (!Byte(t)) return false;
          if (t == vaNull) return true;
          if (t == vaInt8 || t == vaInt16 || t == vaInt32) {
            std::int32_t order = 0;
            if (!Integer(t, order) || !Byte(t)) return false;
          }
          if (t != vaList) return Fail("collection item expected");
          if (!SkipProperties(depth + 1)) return false;
        }
      default:
        return Fail("unknown value tag " + std::to_string(tag));
    }
  }

  bool SkipProperties(int depth) {
    if (depth > MaxDepth) return Fail("nesting too deep");
    for (;;) {
      std::string name;
      if (!ShortString(name)) return false;
      if (name.empty()) return true;
      std::uint8_t tag = 0;
      if (!Byte(tag) || !SkipValue(tag, depth + 1)) return false;
    }
  }

  bool ReadItem(TWaveItem& item) {
    bool haveWave = false;
    for (;;) {
      std::string name;
      if (!ShortString(name)) return false;
      if (name.empty()) break;
      std::uint8_t tag = 0;
      if (!Byte(tag)) return false;
      if (name == "Name" && (tag == vaString || tag == vaLString || tag == vaUTF8String)) {
        if (tag == vaString) {
          if (!ShortString(item.Name)) return false;
        } else {
          const std::uint8_t* start = nullptr;
          std::size_t n = 0;
          if (!LongBlock(start, n)) return false;
          item.Name.assign(reinterpret_cast<const char*>(start), n);
        }
      } else if (name == "Looped" && (tag == vaFalse || tag == vaTrue)) {
        item.Looped = tag == vaTrue;
      } else if (name == "MaxPlayingCount" && (tag == vaInt8 || tag == vaInt16 || tag == vaInt32)) {
        if (!Integer(tag, item.MaxPlayingCount)) return false;
      } else if ((name == "Wave.WAVE" || name == "WAVE") && tag == vaBinary) {
        const std::uint8_t* start = nullptr;
        std::size_t n = 0;
        if (!LongBlock(start, n)) return false;
        item.Wave.assign(start, start + n);
        item.WaveOffset = static_cast<std::size_t>(start - Data);
        haveWave = true;
      } else if (name == "Name" || name == "Looped" || name == "MaxPlayingCount" || name == "Wave.WAVE" ||
                 name == "WAVE") {
        return Fail("property " + name + " has the wrong type");
      } else if (!SkipValue(tag, 2)) {
        return false;
      }
    }
    if (!haveWave) return Fail("wave item without wave data");
    return true;
  }

  bool ReadCollection(std::vector<TWaveItem>& items) {
    for (;;) {
      std::uint8_t tag = 0;
      if (!Byte(tag)) return false;
      if (tag == vaNull) return true;
      if (tag == vaInt8 || tag == vaInt16 || tag == vaInt32) {
        std::int32_t order = 0;
        if (!Integer(tag, order) || !Byte(tag)) return false;
      }
      if (tag != vaList) return Fail("collection item expected");
      TWaveItem item;
      if (!ReadItem(item)) return false;
      items.push_back(std::move(item));
    }
  }

  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Pos = 0;
  std::string Error;
};

std::uint16_t U16At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t U32At(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

bool ParseWaveBank(const std::uint8_t* data, std::size_t size, std::vector<TWaveItem>& items, std::string& error) {
  items.clear();
  TReader r(data, size);
  std::string signature, className, objectName;
  bool ok = r.Bytes(4, signature) && (signature == "TPF0" || r.Fail("not a component stream"));
  ok = ok && r.ShortString(className) && (className == WaveBankClass || r.Fail("component class " + className));
  ok = ok && r.ShortString(objectName);
  bool haveCollection = false;
  while (ok) {
    std::string name;
    std::uint8_t tag = 0;
    if (!r.ShortString(name)) {
      ok = false;
      break;
    }
    if (name.empty()) break;
    if (!r.Byte(tag)) {
      ok = false;
      break;
    }
    if (tag == vaCollection && !haveCollection) {
      haveCollection = true;
      ok = r.ReadCollection(items);
    } else {
      ok = r.SkipValue(tag, 1);
    }
  }
  std::uint8_t children = 0xFF;
  ok = ok && r.Byte(children) && (children == vaNull || r.Fail("child components"));
  ok = ok && (haveCollection || r.Fail("no wave collection"));
  if (ok) {
    std::string why;
    for (std::size_t i = 0; i < items.size() && ok; ++i) {
      TRiffWaveInfo info;
      if (!ParseRiffWave(items[i].Wave, info, why)) ok = r.Fail("wave " + std::to_string(i) + ": " + why);
    }
  }
  if (!ok) {
    items.clear();
    error = r.Error;
  }
  return ok;
}

bool ParseRiffWave(const std::vector<std::uint8_t>& riff, TRiffWaveInfo& info, std::string& error) {
  info = TRiffWaveInfo{};
  const std::size_t size = riff.size();
  if (size < 12 || std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0) {
    error = "not a RIFF WAVE file";
    return false;
  }
  const std::uint32_t riffSize = U32At(riff, 4);
  if (riffSize < 4 || riffSize > size - 8) {
    error = "RIFF size past the end";
    return false;
  }
  const std::size_t end = 8 + static_cast<std::size_t>(riffSize);
  std::size_t pos = 12;
  bool haveFormat = false, haveData = false;
  while (end - pos >= 8) {
    const std::uint8_t* id = riff.data() + pos;
    const std::uint32_t chunkSize = U32At(riff, pos + 4);
    pos += 8;
    if (chunkSize > end - pos) {
      error = "chunk past the end";
      return false;
    }
    if (std::memcmp(id, "fmt ", 4) == 0) {
      if (chunkSize < 16) {
        error = "short format chunk";
        return false;
      }
      const std::uint16_t formatTag = U16At(riff, pos);
      info.Channels = U16At(riff, pos + 2);
      info.SampleRate = U32At(riff, pos + 4);
      const std::uint16_t blockAlign = U16At(riff, pos + 12);
      info.BitsPerSample = U16At(riff, pos + 14);
      if (formatTag != 1 || (info.BitsPerSample != 8 && info.BitsPerSample != 16) || info.Channels < 1 ||
          info.Channels > 2 || info.SampleRate < 1 || info.SampleRate > 192000 ||
          blockAlign != info.Channels * info.BitsPerSample / 8) {
        error = "unsupported sample format";
        return false;
      }
      haveFormat = true;
    } else if (std::memcmp(id, "data", 4) == 0 && !haveData) {
      info.DataOffset = pos;
      info.DataSize = chunkSize;
      haveData = true;
    }
    pos += chunkSize;
    if (chunkSize % 2 != 0 && pos < end) ++pos;  // chunks are word-aligned
  }
  if (!haveFormat || !haveData) {
    error = haveFormat ? "no data chunk" : "no format chunk";
    return false;
  }
  const std::size_t frameBytes = info.Channels * info.BitsPerSample / 8u;
  info.DataSize -= info.DataSize % frameBytes;
  if (info.DataSize == 0) {
    error = "no samples";
    return false;
  }
  return true;
}

bool TsndWaveBank::LoadFromFile(const std::string& path) {
  Clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    LogLine("effect bank " + path + " cannot be opened; its sounds are left out");
    return false;
  }
  // Banks are small; anything near this size is not one of ours.
  constexpr std::streamoff MaxBankBytes = 64 << 20;
  in.seekg(0, std::ios::end);
  const std::streamoff length = in.tellg();
  if (length < 0 || length > MaxBankBytes) {
    LogLine("effect bank " + path + " is too large; its sounds are left out");
    return false;
  }
  in.seekg(0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), length)) {
    LogLine("effect bank " + path + " cannot be read; its sounds are left out");
    return false;
  }
  if (!Load(bytes.data(), bytes.size(), path, false)) return false;
  Path = path;
  FileLength = static_cast<std::uint64_t>(length);
  return true;
}

bool TsndWaveBank::LoadFromBytes(const std::uint8_t* data, std::size_t size, const std::string& label) {
  Clear();
  return Load(data, size, label, true);
}

bool TsndWaveBank::Load(const std::uint8_t* data, std::size_t size, const std::string& label, bool keepWaves) {
  std::vector<TWaveItem> items;
  std::string error;
  if (!ParseWaveBank(data, size, items, error)) {
    LogLine("effect bank " + label + " is damaged (" + error + "); its sounds are left out");
    return false;
  }
  Label = label;
  Waves.reserve(items.size());
  for (TWaveItem& item : items) {
    TWave wave;
    wave.Name = std::move(item.Name);
    wave.Looped = item.Looped;
    wave.MaxPlayingCount = item.MaxPlayingCount;
    wave.Offset = item.WaveOffset;
    wave.Size = item.Wave.size();
    if (keepWaves) wave.Riff = std::move(item.Wave);
    wave.Buffers.push_back(0);
    Waves.push_back(std::move(wave));
  }
  return true;
}

std::vector<std::uint8_t> TsndWaveBank::ReadAgain(const TWave& wave, std::string& why) const {
  std::vector<std::uint8_t> riff;
  std::ifstream in(Path, std::ios::binary);
  if (!in) {
    why = "it cannot be opened";
    return riff;
  }
  in.seekg(0, std::ios::end);
  if (static_cast<std::uint64_t>(in.tellg()) != FileLength) {
    why = "it changed since loading";
    return riff;
  }
  riff.resize(wave.Size);
  in.seekg(static_cast<std::streamoff>(wave.Offset));
  if (!in.read(reinterpret_cast<char*>(riff.data()), static_cast<std::streamsize>(riff.size()))) {
    why = "it cannot be read";
    riff.clear();
  }
  return riff;
}

bool TsndWaveBank::Prepare(std::int32_t index) {
  if (index < 0 || index >= Count()) return false;
  TWave& wave = Waves[static_cast<std::size_t>(index)];
  if (wave.Sample >= 0) return true;
  if (wave.Unplayable) return false;
  // Whatever happens, the wave is made at most once: a failure is told once.
  wave.Unplayable = true;
  std::string why;
  std::vector<std::uint8_t> riff = std::move(wave.Riff);
  wave.Riff = {};
  if (riff.empty()) riff = ReadAgain(wave, why);
  TRiffWaveInfo info;
  if (!riff.empty() && !ParseRiffWave(riff, info, why)) why = "it changed since loading: " + why;
  if (why.empty()) {
    wave.Sample = Device->CreateSample(riff);
    if (wave.Sample < 0) why = "the device does not take it";
  }
  if (!why.empty()) {
    LogLine("effect bank " + Label + ": wave " + wave.Name + " cannot be played (" + why + "); it is left out");
    return false;
  }
  wave.Unplayable = false;
  return true;
}

void TsndWaveBank::Play(std::int32_t index, std::int32_t centibels) {
  if (!Prepare(index)) return;  // also an index outside the bank
  TWave& wave = Waves[static_cast<std::size_t>(index)];
  std::size_t slot = 0;
  if (!wave.Looped) {
    std::size_t n = wave.Buffers.size();
    while (slot < n && Device->VoicePlaying(wave.Buffers[slot])) ++slot;
    if (slot == n) {
      if (wave.MaxPlayingCount <= 0 || static_cast<std::int32_t>(n) < wave.MaxPlayingCount) {
        wave.Buffers.push_back(0);
      } else {
        // The oldest copy is cut off and becomes the newest.
        TsndVoice oldest = wave.Buffers.front();
        wave.Buffers.erase(wave.Buffers.begin());
        wave.Buffers.push_back(oldest);
      }
      slot = wave.Buffers.size() - 1;
    }
  }
  Device->StopVoice(wave.Buffers[slot]);
  wave.Buffers[slot] = Device->PlaySample(wave.Sample, centibels, wave.Looped);
}

void TsndWaveBank::Stop(std::int32_t index) {
  if (index < 0 || index >= Count()) return;
  for (TsndVoice& voice : Waves[static_cast<std::size_t>(index)].Buffers) {
    Device->StopVoice(voice);
    voice = 0;
  }
}

void TsndWaveBank::StopAll() {
  for (std::int32_t i = 0; i < Count(); ++i) Stop(i);
}

void TsndWaveBank::Clear() {
  StopAll();
  for (const TWave& wave : Waves)
    if (wave.Sample >= 0) Device->FreeSample(wave.Sample);
  Waves.clear();
  Waves.shrink_to_fit();
  Label.clear();
  Path.clear();
  FileLength = 0;
}
