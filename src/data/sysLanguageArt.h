#pragma once
// The pictures with words in the player's language. The data generator draws
// them once per language into an archive of its own, "lang/LANG.asdb" beside
// the English archives, holding only the pictures whose words differ from
// English, each keyed by the English archive and picture ("TutsQQ/page-1").
// The game reads only the chosen language's archive; any picture it lacks, or
// cannot read, is shown in English. The browser's data keeps the English
// pictures with words apart too, in "lang/en.asdb" (its English archives hold
// blank pictures of the same size in their place): where that archive is
// present, an English picture with words comes from it.
#include <cstdint>
#include <string>
#include <unordered_map>

// "lang/fr.asdb": the language's archive, relative to the data folder.
std::string LanguageArchiveName(const std::string& language);
// "TutsQQ/page-1": the record that stands in for a picture of an English
// archive ("TutsQQ", or its file "data/TutsQQ.asdb").
std::string LanguageRecordKey(const std::string& archive, const std::string& picture);

// Where a picture with words is read from: a file and its record.
struct TWordsRecord {
  const std::string* File = nullptr;
  std::int32_t Record = -1;
};

class TsysLanguageArt {
 public:
  // Reads the table of the archive of language (empty: English) in
  // dataFolder, and of the English pictures with words where the data keeps
  // them apart; a missing or damaged language archive gets a log line and
  // leaves every picture English. An archive the folder lacks is asked for
  // (FetchDataFile): the browser's page fetches only one at first.
  void Open(const std::string& dataFolder, const std::string& language);
  // The language's archive file (empty for English).
  const std::string& File() const { return Chosen.Path; }
  // The language's picture of that key, else the English one kept apart; no
  // file when the English archive's own picture stays.
  TWordsRecord RecordOf(const std::string& key) const;

 private:
  struct TWords {
    std::string Path;
    std::unordered_map<std::string, std::int32_t> Records;
    bool Read(const std::string& path);  // false when damaged, with a log line
  };
  TWords Chosen;
  TWords English;
};
