#pragma once
// The pictures with words in the player's language. The data generator draws
// them once per language into an archive of its own, "lang/LANG.asdb" beside
// the English archives, holding only the pictures whose words differ from
// English, each keyed by the English archive and picture ("TutsQQ/page-1").
// The game reads only the chosen language's archive; any picture it lacks, or
// cannot read, is shown from the English archive.
#include <cstdint>
#include <string>
#include <unordered_map>

// "lang/fr.asdb": the language's archive, relative to the data folder.
std::string LanguageArchiveName(const std::string& language);
// "TutsQQ/page-1": the record that stands in for a picture of an English
// archive ("TutsQQ", or its file "data/TutsQQ.asdb").
std::string LanguageRecordKey(const std::string& archive, const std::string& picture);

class TsysLanguageArt {
 public:
  // Reads the table of the archive of language (empty: English, nothing to
  // read) in dataFolder; a missing or damaged one gets a log line and leaves
  // every picture English.
  void Open(const std::string& dataFolder, const std::string& language);
  const std::string& File() const { return Path; }
  // The record of the language's picture of that key; -1 when the English picture stays.
  std::int32_t RecordOf(const std::string& key) const;

 private:
  std::string Path;
  std::unordered_map<std::string, std::int32_t> Records;
};
