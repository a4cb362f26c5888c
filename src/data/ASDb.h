#pragma once
// Reader of resource archives: named records, each zlib-compressed, checked with
// an MD5 digest and optionally Blowfish-encrypted.
#include <cstdint>
#include <string>
#include <vector>

enum TOpenModes { opUpdate, opOverwrite, opReadOnly };

class TASDb {
 public:
  // Sets the file and forgets what was read, so the next access reads it again.
  void SetFileName(const std::string& name);
  const std::string& GetFileName() const { return FileName; }

  // Opens according to OpenMode; a missing file in opUpdate is created empty.
  bool Open();
  bool EnsureOpen();

  std::int32_t RecordCount() const;
  // 0 for an index outside the list.
  std::uint16_t RecordType(std::int32_t index) const;
  // "[invalid-record-#]" for an index outside the list.
  std::string RecordKey(std::int32_t index) const;
  // The first record whose key matches ignoring letter case; -1 when none.
  std::int32_t IndexOfKey(const std::string& key) const;
  // Appends the record's unpacked data to stream; true only when it was found,
  // read, decompressed, of the right size and matching its digest.
  bool ReadRecord(const std::string& key, std::vector<std::uint8_t>& stream);

  TOpenModes OpenMode = opUpdate;
  std::string Password;  // empty: encrypted records are not delivered

 private:
  struct TRecordInfo {
    std::string Key;
    std::int32_t Position = 0;
    std::uint16_t Type = 0;
    std::int32_t UnpackedSize = 0;
    std::int32_t StoredSize = 0;
    double Date = 0;
    std::uint8_t Digest[16] = {};
    std::uint16_t Security = 0;
    std::uint8_t IV[8] = {};
  };
  std::string FileName;
  bool Opened = false;
  std::vector<TRecordInfo> Records;
  // The implementation adds what it needs here.
};
