#include "data/sysLanguage.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/sysCatalogue.h"
#include "core/sysLog.h"
#include "data/sysFiles.h"

namespace {

struct TKnownLanguage {
  const char* Code;
  const char* Name;
};

// Windows-1252 bytes: the font draws them as they are.
constexpr TKnownLanguage Known[] = {
    {"de", "Deutsch"},          {"en", "English"},
    {"es", "Espa\xF1ol"},       {"fr", "Fran\xE7" "ais"},
    {"pt_BR", "Portugu\xEAs (Brasil)"},
};

// A code is a language and a region of letters and one underscore: nothing
// from outside becomes part of a path unchecked.
bool PlainCode(const std::string& code) {
  if (code.empty() || code.size() > 12) return false;
  return std::all_of(code.begin(), code.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
  });
}

std::vector<std::string> CatalogueCodes(const std::string& dataFolder) {
  std::vector<std::string> codes;
  std::error_code ec;
  std::filesystem::directory_iterator it(dataFolder + LanguageFolder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::filesystem::path& p = it->path();
    if (p.extension() != ".mo") continue;
    const std::string code = p.stem().string();
    if (PlainCode(code) && code != "en") codes.push_back(code);
  }
  std::sort(codes.begin(), codes.end());
  return codes;
}

}  // namespace

std::string LanguageName(const std::string& code) {
  for (const TKnownLanguage& k : Known)
    if (code == k.Code) return k.Name;
  return code;
}

std::vector<TLanguage> AvailableLanguages(const std::string& dataFolder) {
  std::vector<TLanguage> out{{"en", LanguageName("en")}};
  for (const std::string& code : CatalogueCodes(dataFolder)) out.push_back({code, LanguageName(code)});
  std::sort(out.begin(), out.end(), [](const TLanguage& a, const TLanguage& b) { return a.Name < b.Name; });
  return out;
}

bool UseLanguage(const std::string& dataFolder, const std::string& code) {
  if (code.empty() || code == "en") {
    SetCatalogue(nullptr);
    return true;
  }
  if (!PlainCode(code)) {
    LogLine("language '" + code + "' is not a language code; the game speaks English");
    SetCatalogue(nullptr);
    return false;
  }
  const std::string path = dataFolder + LanguageFolder + code + ".mo";
  std::vector<std::uint8_t> bytes;
  if (!ReadFileBytes(path, bytes)) {
    LogLine("cannot read " + path + "; the game speaks English");
    SetCatalogue(nullptr);
    return false;
  }
  auto catalogue = std::make_unique<TsysCatalogue>();
  if (!catalogue->Load(bytes.data(), bytes.size())) {
    LogLine(path + " is not a message catalogue (" + catalogue->Error() + "); the game speaks English");
    SetCatalogue(nullptr);
    return false;
  }
  if (catalogue->Dropped() > 0)
    LogLine(path + ": " + std::to_string(catalogue->Dropped()) + " translations the font cannot draw are left in English");
  SetCatalogue(std::move(catalogue), code);
  return true;
}

std::string StartLanguage(const std::string& dataFolder, const std::string& saved,
                          const std::function<const char*(const char*)>& getenv) {
  std::vector<std::string> available;
  for (const TLanguage& l : AvailableLanguages(dataFolder)) available.push_back(l.Code);
  if (!saved.empty() && std::find(available.begin(), available.end(), saved) != available.end()) return saved;
  const std::string chosen = ChooseLanguage(LanguagesAskedFor(getenv), available);
  return chosen.empty() ? "en" : chosen;
}
