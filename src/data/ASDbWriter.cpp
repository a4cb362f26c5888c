#include "data/ASDbWriter.h"

#include <libdeflate.h>
#include <nettle/blowfish.h>
#include <nettle/md5.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>

#include "data/sysFiles.h"
#include "data/sysImages.h"

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutI32(std::vector<std::uint8_t>& out, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}

TASDbWriter::TASDbWriter() = default;
TASDbWriter::~TASDbWriter() = default;

void TASDbWriter::TCompressorFree::operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }

TASDbWriter::TRecord TASDbWriter::Pack(const std::string& key, std::uint16_t type,
                                       const std::vector<std::uint8_t>& data) {
  TRecord r;
  r.Key = key;
  r.Type = type;
  r.UnpackedSize = static_cast<std::int32_t>(data.size());
  md5_ctx md5;
  md5_init(&md5);
  md5_update(&md5, data.size(), data.data());
  md5_digest(&md5, MD5_DIGEST_SIZE, r.Digest);
  // A zlib stream, as the reader expects; libdeflate makes it several times
  // faster than zlib at the same size.
  if (!Compressor) Compressor.reset(libdeflate_alloc_compressor(6));
  if (!Compressor) throw std::bad_alloc();
  r.Stored.resize(libdeflate_zlib_compress_bound(Compressor.get(), data.size()));
  std::size_t packed =
      libdeflate_zlib_compress(Compressor.get(), data.data(), data.size(), r.Stored.data(), r.Stored.size());
  // Data that hardly packs (the songs, already Vorbis) is stored as it is: a
  // few per cent larger, and read back at the speed of a copy instead of
  // Huffman-decoding every byte.
  if (packed > data.size() - data.size() / 32) {
    if (!Storer) Storer.reset(libdeflate_alloc_compressor(0));
    if (!Storer) throw std::bad_alloc();
    r.Stored.resize(libdeflate_zlib_compress_bound(Storer.get(), data.size()));
    packed = libdeflate_zlib_compress(Storer.get(), data.data(), data.size(), r.Stored.data(), r.Stored.size());
  }
  r.Stored.resize(packed);
  return r;
}

void TASDbWriter::Add(const std::string& key, std::uint16_t type, const std::vector<std::uint8_t>& data) {
  Records.push_back(Pack(key, type, data));
}

void TASDbWriter::AddEncrypted(const std::string& key, std::uint16_t type,
                               const std::vector<std::uint8_t>& data, const std::string& password,
                               const std::uint8_t iv[8]) {
  TRecord r = Pack(key, type, data);
  r.Security = 1;
  std::memcpy(r.IV, iv, 8);
  blowfish_ctx ctx;
  blowfish_set_key(&ctx, password.size(), reinterpret_cast<const std::uint8_t*>(password.data()));
  // CBC over whole blocks; a final partial block stays as it is.
  std::uint8_t chain[8];
  std::memcpy(chain, iv, 8);
  const std::size_t whole = r.Stored.size() / 8 * 8;
  for (std::size_t at = 0; at < whole; at += 8) {
    std::uint8_t block[8];
    for (int i = 0; i < 8; ++i) block[i] = r.Stored[at + i] ^ chain[i];
    blowfish_encrypt(&ctx, 8, chain, block);
    std::memcpy(&r.Stored[at], chain, 8);
  }
  Records.push_back(std::move(r));
}

void TASDbWriter::AddImage(const TImage& image) { Add(image.Name, 1, EncodeImagePayload(image)); }

void TASDbWriter::Append(TASDbWriter&& other) {
  Records.insert(Records.end(), std::make_move_iterator(other.Records.begin()),
                 std::make_move_iterator(other.Records.end()));
  other.Records.clear();
}

std::vector<std::uint8_t> TASDbWriter::Build() const {
  std::vector<std::uint8_t> out;
  out.insert(out.end(), {'A', 'S', 'D', 'b'});
  PutI32(out, Count());
  PutI32(out, 0);  // table position, patched below
  std::vector<std::int32_t> positions;
  for (const TRecord& r : Records) {
    positions.push_back(static_cast<std::int32_t>(out.size()));
    PutU16(out, r.Type);
    PutI32(out, r.UnpackedSize);
    PutI32(out, static_cast<std::int32_t>(r.Stored.size()));
    // The date is not used by the game; a fixed one keeps the output reproducible.
    const double date = 46000.0;
    std::uint8_t raw[8];
    std::memcpy(raw, &date, 8);
    out.insert(out.end(), raw, raw + 8);
    out.insert(out.end(), r.Digest, r.Digest + 16);
    PutU16(out, r.Security);
    out.insert(out.end(), r.IV, r.IV + 8);
    out.insert(out.end(), r.Stored.begin(), r.Stored.end());
  }
  const auto table = static_cast<std::int32_t>(out.size());
  for (std::size_t i = 0; i < Records.size(); ++i) {
    PutI32(out, static_cast<std::int32_t>(Records[i].Key.size()));
    out.insert(out.end(), Records[i].Key.begin(), Records[i].Key.end());
    PutI32(out, positions[i]);
  }
  for (int i = 0; i < 4; ++i) out[8 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(table) >> (8 * i));
  return out;
}

bool TASDbWriter::Save(const std::string& path) const { return WriteFileAtomic(path, Build()); }

std::vector<std::uint8_t> EncodeImagePayload(const TImage& image) {
  std::vector<std::uint8_t> out;
  out.reserve(37 + image.Textures.size() * static_cast<std::size_t>(image.TextureWidth) * image.TextureHeight * 4);
  out.push_back(5);
  PutI32(out, image.PatternWidth);
  PutI32(out, image.PatternHeight);
  PutI32(out, image.VisibleWidth);
  PutI32(out, image.VisibleHeight);
  PutI32(out, image.PatternCount);
  PutI32(out, image.TextureWidth);
  PutI32(out, image.TextureHeight);
  PutI32(out, static_cast<std::int32_t>(image.Textures.size()));
  for (const auto& pixels : image.Textures)
    for (std::uint32_t p : pixels) PutI32(out, static_cast<std::int32_t>(p));
  return out;
}
