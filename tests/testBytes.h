#pragma once
// Hand-built byte images of files: the tests say byte by byte what a file holds,
// without the code under test.
#include <cstdint>
#include <string>
#include <vector>

struct TByteImage {
  explicit TByteImage(std::size_t size = 0) : Bytes(size, 0) {}
  TByteImage& U8(std::size_t at, std::uint8_t v) {
    Grow(at + 1);
    Bytes[at] = v;
    return *this;
  }
  TByteImage& U16(std::size_t at, std::uint16_t v) {
    Grow(at + 2);
    Bytes[at] = static_cast<std::uint8_t>(v);
    Bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
    return *this;
  }
  TByteImage& I32(std::size_t at, std::int32_t v) {
    Grow(at + 4);
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) Bytes[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
    return *this;
  }
  TByteImage& Raw(std::size_t at, const std::string& s) {
    Grow(at + s.size());
    for (std::size_t i = 0; i < s.size(); ++i) Bytes[at + i] = static_cast<std::uint8_t>(s[i]);
    return *this;
  }
  // A name field: length byte, then the characters.
  TByteImage& Name(std::size_t at, const std::string& s) {
    U8(at, static_cast<std::uint8_t>(s.size()));
    return Raw(at + 1, s);
  }
  std::int32_t GetI32(std::size_t at) const {
    return static_cast<std::int32_t>(Bytes[at] | Bytes[at + 1] << 8 | Bytes[at + 2] << 16 |
                                     static_cast<std::uint32_t>(Bytes[at + 3]) << 24);
  }
  void Grow(std::size_t n) {
    if (Bytes.size() < n) Bytes.resize(n, 0);
  }
  std::vector<std::uint8_t> Bytes;
};
