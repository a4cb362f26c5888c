#pragma once
// Writes resource archives in the format the game reads: used by the data
// generator and by the tests. The game itself never writes archives.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TImage;
struct libdeflate_compressor;

class TASDbWriter {
 public:
  TASDbWriter();
  ~TASDbWriter();

  // Adds a record; data is stored zlib-compressed with its MD5 digest.
  void Add(const std::string& key, std::uint16_t type, const std::vector<std::uint8_t>& data);
  // Adds a record encrypted with Blowfish-CBC under the password.
  void AddEncrypted(const std::string& key, std::uint16_t type, const std::vector<std::uint8_t>& data,
                    const std::string& password, const std::uint8_t iv[8]);
  // Adds an image record (type 1) holding the image payload of the image.
  void AddImage(const TImage& image);
  // Moves the other writer's records to the end of this one's: records can be
  // packed by writers on several threads and gathered in order.
  void Append(TASDbWriter&& other);

  // The whole archive file.
  std::vector<std::uint8_t> Build() const;
  // Writes the file atomically (temporary file, then rename); false on failure.
  bool Save(const std::string& path) const;

  std::int32_t Count() const { return static_cast<std::int32_t>(Records.size()); }

 private:
  struct TRecord {
    std::string Key;
    std::uint16_t Type = 0;
    std::int32_t UnpackedSize = 0;
    std::uint8_t Digest[16] = {};
    std::uint16_t Security = 0;
    std::uint8_t IV[8] = {};
    std::vector<std::uint8_t> Stored;
  };
  TRecord Pack(const std::string& key, std::uint16_t type, const std::vector<std::uint8_t>& data);

  struct TCompressorFree {
    void operator()(libdeflate_compressor* c) const;
  };
  // Made at the first record that needs them and kept: one compressor serves
  // every record, the storer those that do not pack.
  std::unique_ptr<libdeflate_compressor, TCompressorFree> Compressor;
  std::unique_ptr<libdeflate_compressor, TCompressorFree> Storer;
  std::vector<TRecord> Records;
};

// The image payload of an image record: format 5 (32-bit ARGB), rows from the top.
std::vector<std::uint8_t> EncodeImagePayload(const TImage& image);

// Little-endian helpers shared by the writers.
void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v);
void PutI32(std::vector<std::uint8_t>& out, std::int32_t v);
