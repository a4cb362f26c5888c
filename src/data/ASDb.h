#pragma once
// Reader of resource archives: named records, each zlib-compressed, checked with
// an MD5 digest and optionally Blowfish-encrypted. Records are unpacked in one
// shot into a buffer of their stated size.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TASDbSource;  // the file or a memory buffer, for one operation
struct libdeflate_decompressor;

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
  // The same for the record at index; also false when its key is no longer key
  // (the file changed since it was listed).
  bool ReadRecordAt(std::int32_t index, const std::string& key, std::vector<std::uint8_t>& stream);

  // Reads the whole file with one read and serves the following reads from
  // those bytes until Release or SetFileName: for reading many records in a row
  // without opening the file and reading its table again for each.
  bool Hold();
  void Release();

  // Reads the archive from bytes in memory instead of a file, whatever the mode;
  // SetFileName goes back to the file. Lets tests and fuzzers skip the disk.
  void SetMemory(std::vector<std::uint8_t> bytes);

  TOpenModes OpenMode = opUpdate;
  // Empty: encrypted records are not delivered. Only the first 56 bytes are used.
  std::string Password;

  // Records larger than this when unpacked are refused rather than allocated.
  static constexpr std::int64_t MaxUnpackedSize = 512LL * 1024 * 1024;

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
  bool ReadArchive(TASDbSource& source);
  bool ReadIndex(std::int32_t index, const std::string* key, std::vector<std::uint8_t>& stream);
  bool CreateEmpty();
  std::unique_ptr<TASDbSource> OpenSource() const;
  std::string Where() const;

  std::string FileName;
  bool Opened = false;
  std::vector<TRecordInfo> Records;
  std::int64_t FileSize = 0;
  bool InMemory = false;
  bool Held = false;  // Memory holds the file's bytes (Hold)
  std::vector<std::uint8_t> Memory;
  struct TInflaterFree {
    void operator()(libdeflate_decompressor* d) const;
  };
  std::unique_ptr<libdeflate_decompressor, TInflaterFree> Inflater;  // made at the first read
};

// Blowfish-CBC decryption in place of the whole 8-byte blocks of data (a final
// partial block stays as it is); each block is two big-endian 32-bit halves.
// An empty key leaves the data untouched.
void BlowfishCbcDecrypt(std::vector<std::uint8_t>& data, const std::string& key, const std::uint8_t iv[8]);
