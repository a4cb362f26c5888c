#pragma once
// The languages the game speaks: English, built in, and one compiled catalogue
// per language in the data folder's lang/ (fr.mo, pt_BR.mo), which the build
// writes from po/LANG.po. The player's choice is kept in Options.ini; until
// there is one, the game follows the system's (or the browser's) language.
#include <functional>
#include <string>
#include <vector>

struct TLanguage {
  std::string Code;  // "en", "fr", "pt_BR"
  std::string Name;  // named in itself, in the game's code page: "Fran\xE7" "ais"
};

// The data folder's place for the catalogues.
constexpr const char* LanguageFolder = "lang/";

// The language's name in itself; the code for a language the game does not know.
std::string LanguageName(const std::string& code);
// English and every language with a catalogue in the data folder, in the
// order of their names.
std::vector<TLanguage> AvailableLanguages(const std::string& dataFolder);
// Makes code's catalogue the one texts are looked up in ("en" or "": English).
// False, with English kept, when its catalogue is missing or cannot be read.
bool UseLanguage(const std::string& dataFolder, const std::string& code);
// The language to start in: the saved choice when it is available, else the
// first the environment asks for that is (LANGUAGE, LC_ALL, LC_MESSAGES, LANG;
// in the browser LANG carries the browser's language), else English.
std::string StartLanguage(const std::string& dataFolder, const std::string& saved,
                          const std::function<const char*(const char*)>& getenv);
