#include "core/sysCodePage.h"

namespace {

// The characters Windows-1252 puts in 0x80..0x9F; 0 where it has none.
constexpr std::uint32_t High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::uint8_t CodePageByteOf(std::uint32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<std::uint8_t>(code);
  for (std::uint32_t i = 0; i < 32; ++i)
    if (High[i] == code && code != 0) return static_cast<std::uint8_t>(0x80 + i);
  return 0;
}

std::uint32_t CodePointOfByte(std::uint8_t byte) {
  if (byte >= 0x80 && byte < 0xA0 && High[byte - 0x80] != 0) return High[byte - 0x80];
  return byte;
}

std::uint32_t DecodeUtf8(std::string_view text, std::size_t& length) {
  length = 0;
  if (text.empty()) return 0;
  const auto b = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = b(0);
  std::size_t n = 0;
  std::uint32_t code = 0;
  if (lead < 0x80) {
    length = 1;
    return lead;
  }
  if ((lead & 0xE0) == 0xC0) {
    n = 2;
    code = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    n = 3;
    code = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    n = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() < n) return 0;
  for (std::size_t i = 1; i < n; ++i) {
    if ((b(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (b(i) & 0x3Fu);
  }
  // Overlong forms and surrogates are not characters.
  static constexpr std::uint32_t Least[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < Least[n] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  length = n;
  return code;
}

std::optional<std::string> Utf8ToCodePage(std::string_view utf8, std::size_t* badAt) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    std::size_t length = 0;
    const std::uint32_t code = DecodeUtf8(utf8.substr(at), length);
    const std::uint8_t byte = length == 0 ? 0 : CodePageByteOf(code);
    if (byte == 0 && code != 0) {
      if (badAt != nullptr) *badAt = at;
      return std::nullopt;
    }
    if (length == 0) {
      if (badAt != nullptr) *badAt = at;
      return std::nullopt;
    }
    out.push_back(static_cast<char>(byte));
    at += length;
  }
  return out;
}

std::string CodePageToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char c : bytes) {
    const std::uint32_t code = CodePointOfByte(static_cast<std::uint8_t>(c));
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return out;
}

std::string DisplayUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 0;
    DecodeUtf8(text.substr(at), length);
    if (length == 0) return CodePageToUtf8(text);
    at += length;
  }
  return std::string(text);
}
