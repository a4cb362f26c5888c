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

void TsysLanguageArt::Open(const std::string& dataFolder, const std::string& language) {
  Records.clear();
  Path.clear();
  if (language.empty()) return;
  Path = dataFolder + LanguageArchiveName(language);
  if (!FileExists(Path)) {
    LogLine(Path + " is missing: the pictures with words are shown in English");
    return;
  }
  TASDb archive;
  archive.OpenMode = opReadOnly;
  archive.SetFileName(Path);
  if (!archive.EnsureOpen()) {
    LogLine(Path + " cannot be read (damaged): the pictures with words are shown in English");
    return;
  }
  for (std::int32_t i = 0; i < archive.RecordCount(); ++i)
    if (archive.RecordType(i) == 1) Records.emplace(archive.RecordKey(i), i);
}

std::int32_t TsysLanguageArt::RecordOf(const std::string& key) const {
  const auto found = Records.find(key);
  return found != Records.end() ? found->second : -1;
}

void TsysResources::UsePictureLanguage(const std::string& dataFolder, const std::string& language) {
  LanguageArt.Open(dataFolder, language);
}

void TsysResources::SpeakPictureLanguage(std::int32_t setIndex) {
  TImageSet* set = ImageSet(setIndex);
  if (set == nullptr || LanguageArt.File().empty()) return;
  for (std::int32_t i = 0; i < set->Count(); ++i) {
    const std::string key = LanguageRecordKey(set->Source, set->Listed(i)->Name);
    const std::int32_t record = LanguageArt.RecordOf(key);
    if (record >= 0) set->ReadFromLanguage(i, LanguageArt.File(), key, record);
  }
}
