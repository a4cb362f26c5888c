#include "data/sysAnswerRow.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The Windows-1252 characters of 0x80..0x9F (0: none).
constexpr unsigned HighRow[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string CodePageToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 4);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80 && c < 0xA0)
      AppendUtf8(out, HighRow[c - 0x80] != 0 ? HighRow[c - 0x80] : '?');
    else
      AppendUtf8(out, c);
  }
  return out;
}

std::string Utf8ToCodePage(const std::string& text) {
  std::string out;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    unsigned code = 0;
    std::size_t len = 1;
    if (s[i] < 0x80) {
      code = s[i];
    } else if ((s[i] & 0xE0) == 0xC0 && i + 1 < n && (s[i + 1] & 0xC0) == 0x80) {
      code = ((s[i] & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu);
      len = 2;
    } else if ((s[i] & 0xF0) == 0xE0 && i + 2 < n && (s[i + 1] & 0xC0) == 0x80 && (s[i + 2] & 0xC0) == 0x80) {
      code = ((s[i] & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
      len = 3;
    } else if ((s[i] & 0xF8) == 0xF0 && i + 3 < n) {
      len = 4;
    }
    i += len;
    char c = '?';
    if (code != 0 && code < 0x80) c = static_cast<char>(code);
    if (code >= 0xA0 && code <= 0xFF) c = static_cast<char>(code);
    for (unsigned k = 0; k < 32; ++k)
      if (code > 0xFF && HighRow[k] == code) c = static_cast<char>(0x80 + k);
    out += c;
  }
  return out;
}

std::string IsoLocalTime(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[96];
  const long offset = local.tm_gmtoff / 60;
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, offset < 0 ? '-' : '+',
                std::labs(offset) / 60, std::labs(offset) % 60);
  return text;
}

const char* KindWord(std::int32_t kind) {
  switch (kind) {
    case 1: return "mission";
    case 2: return "arcade";
    case 3: return "challenge";
    default: return "";
  }
}

std::int32_t KindOfWord(const std::string& word) {
  for (std::int32_t k = 1; k <= 3; ++k)
    if (word == KindWord(k)) return k;
  return 0;
}
