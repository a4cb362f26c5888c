// Archive bytes from outside: the table, the record headers and every record,
// read with and without a password, and image records parsed as images.
#include <cstdint>
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
      if (ok && db.RecordType(i) == 1) {
        TImage image;
        std::string why;
        ParseImagePayload(out.data() + 1, out.size() - 1, image, why);
      }
    }
    if (db.RecordCount() != count) return 0;  // cannot change: the bytes are the same
  }
  return 0;
}
