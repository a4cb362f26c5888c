#include "data/sysAnswerRow.h"

#include <cstdio>
#include <cstdlib>

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
