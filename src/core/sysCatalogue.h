#pragma once
// A translation catalogue: the compiled message catalogues (.mo) that GNU
// gettext's msgfmt writes from po/LANG.po, read by the game itself so that a
// language works the same on the desktop and in the browser, and where the
// system has no locale for it. Every text a player sees is looked up here by
// its English words; a text the catalogue lacks is shown in English.
//
// Translations arrive in UTF-8 and are kept in the game's one-byte code page;
// one with a character the font cannot draw is left out (and counted).
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The plural rule of a language, as its catalogue's header writes it
// ("nplurals=2; plural=(n != 1);"): C's integer expressions in n.
class TsysPluralRule {
 public:
  // False, keeping English's rule, when the text is not such a rule.
  bool Parse(std::string_view header);
  // Which of the translation's forms serves n (0 .. Forms()-1).
  std::uint32_t FormOf(std::uint64_t n) const;
  std::uint32_t Forms() const { return FormCount; }

  struct TNode;

 private:
  std::uint32_t FormCount = 2;
  std::shared_ptr<const TNode> Expression;  // none: n != 1
};

class TsysCatalogue {
 public:
  // Reads a compiled catalogue; false (and Error()) on bytes that are not one.
  bool Load(const std::uint8_t* data, std::size_t size);
  const std::string& Error() const { return LoadError; }

  // The translation of msgid in context (empty for none), or nullptr.
  const std::string* Find(std::string_view context, std::string_view msgid) const;
  // The form for n of a text with a plural, or nullptr.
  const std::string* FindPlural(std::string_view context, std::string_view singular, std::uint64_t n) const;

  std::size_t Size() const { return Entries.size(); }
  // Translations left out: not UTF-8, or a character outside the font's set.
  std::size_t Dropped() const { return DroppedCount; }
  const TsysPluralRule& Plural() const { return Rule; }

 private:
  // Key: context, byte 4, msgid (as msgfmt stores it); value: the forms.
  std::unordered_map<std::string, std::vector<std::string>> Entries;
  TsysPluralRule Rule;
  std::size_t DroppedCount = 0;
  std::string LoadError;
};

// The catalogue the texts are looked up in, and its language's code ("fr",
// "pt_BR"); none means English.
void SetCatalogue(std::unique_ptr<TsysCatalogue> catalogue, std::string code = "");
const TsysCatalogue* Catalogue();
// The code of the language the game speaks: "en" for English, else the code
// of the catalogue in use. What pictures with words are loaded for.
const std::string& LanguageCode();

// The text in the player's language (msgid when it has no translation).
const char* Tr(const char* msgid);
// The same for a text that also has another meaning: context tells them apart.
const char* TrC(const char* context, const char* msgid);
// The form for n of a text with a plural ("1 player was read", "%d players were read").
const char* TrN(const char* singular, const char* plural, std::uint64_t n);
// A text held in a string, such as a table's name marked with TrMark.
std::string Tr(const std::string& msgid);
// Marks a text for the catalogue where it is written (a table's entry) and
// leaves it in English; it is looked up with Tr where it is shown.
constexpr const char* TrMark(const char* msgid) { return msgid; }
// {0}, {1}... in a text kept in English (the log, the teacher's report) take
// the values in order.
std::string Fill(std::string text, std::initializer_list<std::string> values);
// A point as the player's language writes it: "(3,-2)", "(3 ; -2)".
std::string PointText(const std::string& x, const std::string& y);

// Fills a printf-like pattern: %s and %d take the next value, %1$s (or %1$d)
// the first, %% is a per cent sign. A translation may reorder the values.
std::string Format(const char* pattern, const std::vector<std::string>& values);

// The languages the environment asks for, best first: LANGUAGE's list, then
// the first of LC_ALL, LC_MESSAGES and LANG that is set; "fr_FR.UTF-8" gives
// "fr_FR" and then "fr". "C" and "POSIX" ask for English and end the list.
std::vector<std::string> LanguagesAskedFor(const std::function<const char*(const char*)>& getenv);
// The first language asked for that is available; empty for English.
std::string ChooseLanguage(const std::vector<std::string>& asked, const std::vector<std::string>& available);
