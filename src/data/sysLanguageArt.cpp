#include "data/sysLanguageArt.h"

#include "core/sysLog.h"
#include "data/ASDb.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"

std::string LanguageArchiveName(const std::string& language) { return "lang/" + language + ".asdb"; }

std::string LanguageRecordKey(const std::string& archive, const std::string& picture) {
  std::string base = archive.substr(archive.find_last_of('/') + 1);
  if (base.size() > 5 && base.compare(base.size() - 5, 5, ".asdb") == 0) base.resize(base.size() - 5);
  return base + "/" + picture;
}

bool TsysLanguageArt::TWords::Read(const std::string& path) {
  Records.clear();
  Path = path;
  TASDb archive;
  archive.OpenMode = opReadOnly;
  archive.SetFileName(Path);
  if (!archive.EnsureOpen()) {
    LogLine(Path + " cannot be read (damaged): the pictures with words are shown in English");
    Path.clear();
    return false;
  }
  for (std::int32_t i = 0; i < archive.RecordCount(); ++i)
    if (archive.RecordType(i) == 1) Records.emplace(archive.RecordKey(i), i);
  return true;
}

void TsysLanguageArt::Open(const std::string& dataFolder, const std::string& language) {
  Chosen = TWords{};
  English = TWords{};
  // Only the browser's data keeps the English pictures with words apart.
  const std::string english = dataFolder + LanguageArchiveName("en");
  if (FileExists(english)) English.Read(english);
  if (language.empty() || language == "en") {
    if (English.Path.empty()) FetchDataFile(LanguageArchiveName("en"));
    return;
  }
  const std::string path = dataFolder + LanguageArchiveName(language);
  if (!FileExists(path)) {
    LogLine(path + " is missing: the pictures with words are shown in English");
    FetchDataFile(LanguageArchiveName(language));
    return;
  }
  Chosen.Read(path);
}

TWordsRecord TsysLanguageArt::RecordOf(const std::string& key) const {
  for (const TWords* words : {&Chosen, &English}) {
    const auto found = words->Records.find(key);
    if (found != words->Records.end()) return {&words->Path, found->second};
  }
  return {};
}

void TsysResources::UsePictureLanguage(const std::string& dataFolder, const std::string& language) {
  LanguageArt.Open(dataFolder, language == "en" ? "" : language);
  // Sets already loaded follow at once: each picture is read again when next shown.
  for (std::int32_t i = 0; i < ImageSetCount(); ++i) SpeakPictureLanguage(i);
}

void TsysResources::SpeakPictureLanguage(std::int32_t setIndex) {
  TImageSet* set = ImageSet(setIndex);
  if (set == nullptr || set->Source.empty()) return;
  for (std::int32_t i = 0; i < set->Count(); ++i) {
    const TImage* image = set->Listed(i);
    const std::string key = LanguageRecordKey(set->Source, image->Name);
    const TWordsRecord words = LanguageArt.RecordOf(key);
    if (words.File != nullptr) {
      if (image->LanguageArchive != *words.File || image->LanguageRecord != words.Record)
        set->ReadFromLanguage(i, *words.File, key, words.Record);
    } else if (!image->LanguageArchive.empty()) {
      set->ReadFromLanguage(i, "", "", -1);  // back to English
    }
  }
}
