// Archive bytes from outside: the table, the record headers and every record,
// read by key and by index, with and without a password, and image records
// parsed as images, with their texels copied and in place.
#include <cstdint>
#include <cstring>
#include <vector>

#include "data/ASDb.h"
#include "data/ImagePayload.h"
#include "data/sysImages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TASDb db;
  db.SetMemory(std::vector<std::uint8_t>(data, data + size));
  if (!db.EnsureOpen()) return 0;
  const std::int32_t count = db.RecordCount();
  for (std::int32_t i = 0; i < count && i < 32; ++i) {
    const std::string key = db.RecordKey(i);
    if (db.IndexOfKey(key) < 0 || db.IndexOfKey(key) > i) __builtin_trap();  // a key finds itself or an earlier twin
    for (const char* password : {"", "open sesame"}) {
      db.Password = password;
      std::vector<std::uint8_t> out = {0x55};
      const bool ok = db.ReadRecord(key, out);
      if (out.empty() || out[0] != 0x55) __builtin_trap();  // appended, never replaced
      if (!ok && out.size() != 1) __builtin_trap();         // a failed read delivers nothing
      std::vector<std::uint8_t> byIndex;
      const bool okByIndex = db.ReadRecordAt(i, key, byIndex);
      if (!okByIndex && !byIndex.empty()) __builtin_trap();
      // The first record of a key is the one read by key.
      if (db.IndexOfKey(key) == i &&
          (okByIndex != ok || (ok && !std::equal(byIndex.begin(), byIndex.end(), out.begin() + 1, out.end()))))
        __builtin_trap();
      if (okByIndex && db.RecordType(i) == 1) {
        TImage copied;
        TImage inPlace;
        std::string why;
        const std::uint8_t* texels = nullptr;
        const bool parsed = ParseImagePayload(byIndex.data(), byIndex.size(), copied, why);
        if (parsed != ParseImagePayload(byIndex.data(), byIndex.size(), inPlace, why, &texels)) __builtin_trap();
        if (parsed && texels != nullptr) {
          // Texels in place are the same pixels as the copies, inside the payload.
          const std::size_t bytes = static_cast<std::size_t>(inPlace.TextureWidth) * inPlace.TextureHeight * 4;
          if (texels < byIndex.data() || texels + bytes * copied.Textures.size() > byIndex.data() + byIndex.size())
            __builtin_trap();
          for (const auto& texture : copied.Textures) {
            if (std::memcmp(texture.data(), texels, bytes) != 0) __builtin_trap();
            texels += bytes;
          }
        }
      }
    }
    if (db.RecordCount() != count) return 0;  // cannot change: the bytes are the same
  }
  return 0;
}
