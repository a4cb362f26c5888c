#include "sound/genWaveBank.h"

#include <stdexcept>

namespace {

void ShortString(std::vector<std::uint8_t>& out, const std::string& s) {
  if (s.size() > 255) throw std::length_error("short string too long: " + s);
  out.push_back(static_cast<std::uint8_t>(s.size()));
  out.insert(out.end(), s.begin(), s.end());
}

void U32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The smallest integer tag that holds the value, as the stream writers do.
void Integer(std::vector<std::uint8_t>& out, std::int32_t v) {
  if (v >= -128 && v <= 127) {
    out.push_back(0x02);
    out.push_back(static_cast<std::uint8_t>(v));
  } else if (v >= -32768 && v <= 32767) {
    out.push_back(0x03);
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  } else {
    out.push_back(0x04);
    U32(out, static_cast<std::uint32_t>(v));
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeWaveBank(const std::string& objectName, const std::vector<TWaveItem>& items) {
  std::vector<std::uint8_t> out = {'T', 'P', 'F', '0'};
  ShortString(out, WaveBankClass);
  ShortString(out, objectName);
  ShortString(out, "Waves");
  out.push_back(0x0E);  // collection
  for (const TWaveItem& item : items) {
    out.push_back(0x01);  // item
    ShortString(out, "Name");
    out.push_back(0x06);
    ShortString(out, item.Name);
    ShortString(out, "Looped");
    out.push_back(item.Looped ? 0x09 : 0x08);
    ShortString(out, "MaxPlayingCount");
    Integer(out, item.MaxPlayingCount);
    ShortString(out, "Wave.WAVE");
    out.push_back(0x0A);
    U32(out, static_cast<std::uint32_t>(item.Wave.size()));
    out.insert(out.end(), item.Wave.begin(), item.Wave.end());
    out.push_back(0x00);  // end of the item's properties
  }
  out.push_back(0x00);  // end of the collection
  out.push_back(0x00);  // end of the component's properties
  out.push_back(0x00);  // no child components
  return out;
}
