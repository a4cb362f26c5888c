#include "web/webPictures.h"

#include "assetgen.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "data/ASDb.h"
#include "data/ASDbWriter.h"
#include "data/ImagePayload.h"
#include "data/sysImages.h"
#include "data/sysLanguageArt.h"

bool WriteWebPictures(const std::string& dataDir, const std::vector<std::pair<std::string, std::string>>& words) {
  std::map<std::string, std::set<std::string>> byArchive;
  for (const auto& [archive, name] : words) byArchive[archive].insert(name);
  TASDbWriter english;
  bool ok = true;
  for (const auto& [archive, names] : byArchive) {
    TASDb in;
    in.OpenMode = opReadOnly;
    in.SetFileName(dataDir + archive + ".asdb");
    if (!in.Hold() || !in.EnsureOpen()) {
      std::fprintf(stderr, "assetgen: cannot read %s.asdb for the browser's copy\n", archive.c_str());
      ok = false;
      continue;
    }
    TASDbWriter out;
    std::vector<std::uint8_t> payload;
    std::size_t moved = 0;
    for (std::int32_t i = 0; i < in.RecordCount(); ++i) {
      const std::string key = in.RecordKey(i);
      payload.clear();
      TImage blank;
      std::string why;
      if (!in.ReadRecordAt(i, key, payload)) {
        why = "cannot be read";
      } else if (in.RecordType(i) != 1 || names.count(key) == 0) {
        out.Add(key, in.RecordType(i), payload);
        continue;
      } else if (ParseImagePayload(payload.data(), payload.size(), blank, why)) {
        english.Add(LanguageRecordKey(archive, key), 1, payload);
        // Same size, nothing drawn: packs to a few bytes.
        for (auto& texture : blank.Textures) std::fill(texture.begin(), texture.end(), 0u);
        blank.Name = key;
        out.AddImage(blank);
        ++moved;
        continue;
      }
      std::fprintf(stderr, "assetgen: %s.asdb: \"%s\" %s\n", archive.c_str(), key.c_str(), why.c_str());
      ok = false;
    }
    if (moved != names.size()) {
      std::fprintf(stderr, "assetgen: %s.asdb lacks pictures with words\n", archive.c_str());
      ok = false;
    }
    ok = out.Save(dataDir + archive + ".asdb" + WebSuffix) && ok;
  }
  return english.Save(dataDir + LanguageArchiveName("en") + WebSuffix) && ok;
}
