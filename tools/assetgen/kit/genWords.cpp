#include "kit/genWords.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "core/sysCatalogue.h"
#include "core/sysCodePage.h"

namespace {

// A translation comes in the font's code page; the text written here is UTF-8.
std::string Drawn(const std::string* translated, const char* msgid) {
  return translated != nullptr ? CodePageToUtf8(*translated) : std::string(msgid);
}

}  // namespace

std::string W(const char* msgid) { return WC("", msgid); }

std::string WC(const char* context, const char* msgid) {
  const TsysCatalogue* c = Catalogue();
  return Drawn(c != nullptr ? c->Find(context, msgid) : nullptr, msgid);
}

std::string WN(const char* singular, const char* plural, std::int64_t n) {
  const TsysCatalogue* c = Catalogue();
  const std::uint64_t count = static_cast<std::uint64_t>(n < 0 ? -n : n);
  const std::string* found = c != nullptr ? c->FindPlural("", singular, count) : nullptr;
  return Drawn(found, count == 1 ? singular : plural);
}

std::string WF(const std::string& pattern, const std::vector<std::string>& values) {
  return Format(pattern.c_str(), values);
}

std::string PointWords(const std::string& x, const std::string& y) {
  // The game's monsters write their points with this same entry; on a page a
  // point never breaks across two lines.
  std::string point = WF(WC("coordinates", "(%1$s, %2$s)"), {x, y});
  for (std::size_t at; (at = point.find(' ')) != std::string::npos;) point.replace(at, 1, "\xC2\xA0");
  return point;
}

std::string PointWords(std::int64_t x, std::int64_t y) { return PointWords(std::to_string(x), std::to_string(y)); }

std::string UpperWords(const std::string& utf8) {
  const std::optional<std::string> bytes = Utf8ToCodePage(utf8);
  if (!bytes) {
    std::string out = utf8;
    for (char& c : out)
      if (static_cast<unsigned char>(c) < 0x80) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
  }
  std::string upper = *bytes;
  for (char& c : upper) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80)
      c = static_cast<char>(std::toupper(b));
    else if (b >= 0xE0 && b <= 0xFE && b != 0xF7)  // à..þ but ÷
      c = static_cast<char>(b - 0x20);
    else if (b == 0x9A || b == 0x9C || b == 0x9E)  // š, œ, ž
      c = static_cast<char>(b - 0x10);
    else if (b == 0xFF)  // ÿ
      c = static_cast<char>(0x9F);
  }
  return CodePageToUtf8(upper);
}

bool UseLanguage(const std::string& moPath, std::string& why) {
  if (moPath.empty()) {
    SetCatalogue(nullptr);
    return true;
  }
  std::ifstream in(moPath, std::ios::binary);
  std::vector<std::uint8_t> bytes;
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  auto catalogue = std::make_unique<TsysCatalogue>();
  if (bytes.empty() || !catalogue->Load(bytes.data(), bytes.size())) {
    why = bytes.empty() ? "cannot be read" : catalogue->Error();
    SetCatalogue(nullptr);
    return false;
  }
  SetCatalogue(std::move(catalogue));
  return true;
}
