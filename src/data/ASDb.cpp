#include "data/ASDb.h"

#include <fcntl.h>
#include <nettle/blowfish.h>
#include <nettle/md5.h>
#include <sys/stat.h>
#include <unistd.h>
#include <libdeflate.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/sysLog.h"
#include "data/sysFiles.h"

namespace {

constexpr std::int64_t HeaderSize = 12;
constexpr std::int64_t RecordHeaderSize = 44;

std::int32_t GetI32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t GetU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// Letter case folded as the Windows-1252 code page has it, so keys written on
// either side of the case compare equal.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

bool SameKey(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// Unpacks one zlib stream in one shot into exactly expected bytes. Deflate
// cannot expand more than about 1032 to 1, so a stated size beyond that is a
// lie and is refused before anything is allocated for it.
bool Inflate(libdeflate_decompressor* inflater, const std::uint8_t* in, std::size_t inSize, std::int64_t expected,
             std::vector<std::uint8_t>& out, std::string& why) {
  out.clear();
  if (expected > static_cast<std::int64_t>(inSize) * 1032 + 64) {
    why = "claims more unpacked bytes than its data can hold";
    return false;
  }
  out.resize(static_cast<std::size_t>(expected));
  std::size_t got = 0;
  switch (libdeflate_zlib_decompress(inflater, in, inSize, out.data(), out.size(), &got)) {
    case LIBDEFLATE_SUCCESS:
      if (got == out.size()) return true;
      why = "unpacks to " + std::to_string(got) + " bytes, not " + std::to_string(expected);
      break;
    case LIBDEFLATE_INSUFFICIENT_SPACE:
      why = "unpacks to more than its unpacked size";
      break;
    default:
      why = "is not a whole zlib stream";
      break;
  }
  out.clear();
  return false;
}

}  // namespace

// Where the archive bytes come from: the file, opened for one operation, or memory.
class TASDbSource {
 public:
  virtual ~TASDbSource() = default;
  virtual std::int64_t Size() const = 0;
  // Exactly n bytes at offset, or false.
  virtual bool ReadAt(std::int64_t offset, void* dst, std::size_t n) = 0;
  // The n bytes at offset where they lie, without a copy; null when the source
  // cannot show them (a file) or they are not all there.
  virtual const std::uint8_t* View(std::int64_t, std::size_t) { return nullptr; }
};

namespace {

class TFileSource : public TASDbSource {
 public:
  explicit TFileSource(int fd) : Fd(fd) {
    struct stat st {};
    if (::fstat(fd, &st) == 0) Bytes = st.st_size;
  }
  ~TFileSource() override { ::close(Fd); }
  std::int64_t Size() const override { return Bytes; }
  bool ReadAt(std::int64_t offset, void* dst, std::size_t n) override {
    if (offset < 0 || offset > Bytes || static_cast<std::int64_t>(n) > Bytes - offset) return false;
    auto* out = static_cast<std::uint8_t*>(dst);
    while (n > 0) {
      const ssize_t got = ::pread(Fd, out, n, offset);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      out += got;
      offset += got;
      n -= static_cast<std::size_t>(got);
    }
    return true;
  }

 private:
  int Fd;
  std::int64_t Bytes = 0;
};

class TMemorySource : public TASDbSource {
 public:
  explicit TMemorySource(const std::vector<std::uint8_t>& bytes) : Bytes(bytes) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(Bytes.size()); }
  bool ReadAt(std::int64_t offset, void* dst, std::size_t n) override {
    if (offset < 0 || offset > Size() || static_cast<std::int64_t>(n) > Size() - offset) return false;
    if (n > 0) std::memcpy(dst, Bytes.data() + offset, n);
    return true;
  }
  const std::uint8_t* View(std::int64_t offset, std::size_t n) override {
    if (offset < 0 || offset > Size() || static_cast<std::int64_t>(n) > Size() - offset) return nullptr;
    return Bytes.data() + offset;
  }

 private:
  const std::vector<std::uint8_t>& Bytes;
};

}  // namespace

void BlowfishCbcDecrypt(std::vector<std::uint8_t>& data, const std::string& key, const std::uint8_t iv[8]) {
  if (key.empty()) return;
  blowfish_ctx ctx;
  // A weak key still decrypts; the result only says it is weak.
  blowfish_set_key(&ctx, std::min<std::size_t>(key.size(), BLOWFISH_MAX_KEY_SIZE),
                   reinterpret_cast<const std::uint8_t*>(key.data()));
  std::uint8_t chain[8];
  std::memcpy(chain, iv, 8);
  const std::size_t whole = data.size() / 8 * 8;
  for (std::size_t at = 0; at < whole; at += 8) {
    std::uint8_t cipher[8];
    std::uint8_t plain[8];
    std::memcpy(cipher, &data[at], 8);
    blowfish_decrypt(&ctx, 8, plain, cipher);
    for (int i = 0; i < 8; ++i) data[at + i] = plain[i] ^ chain[i];
    std::memcpy(chain, cipher, 8);
  }
}

void TASDb::TInflaterFree::operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }

void TASDb::SetFileName(const std::string& name) {
  FileName = name;
  Opened = false;
  InMemory = false;
  Held = false;
  Memory.clear();
  Memory.shrink_to_fit();
}

void TASDb::SetMemory(std::vector<std::uint8_t> bytes) {
  FileName.clear();
  Opened = false;
  InMemory = true;
  Held = false;
  Memory = std::move(bytes);
}

bool TASDb::Hold() {
  if (InMemory) return true;
  std::vector<std::uint8_t> bytes;
  if (!ReadFileBytes(FileName, bytes)) {
    LogLine(Where() + ": cannot be read: " + std::strerror(errno));
    return false;
  }
  Memory = std::move(bytes);
  Held = true;
  InMemory = true;
  return true;
}

void TASDb::Release() {
  if (!Held) return;
  Held = false;
  InMemory = false;
  Memory.clear();
  Memory.shrink_to_fit();
}

std::string TASDb::Where() const {
  return InMemory && !Held ? std::string("archive in memory") : "archive " + FileName;
}

std::unique_ptr<TASDbSource> TASDb::OpenSource() const {
  if (InMemory) return std::make_unique<TMemorySource>(Memory);
  const int fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::make_unique<TFileSource>(fd);
}

bool TASDb::CreateEmpty() {
  Records.clear();
  FileSize = HeaderSize;
  const std::vector<std::uint8_t> header = {'A', 'S', 'D', 'b', 0, 0, 0, 0, 12, 0, 0, 0};
  return WriteFileAtomic(FileName, header);
}

bool TASDb::Open() {
  bool ok = false;
  const bool onDisk = !InMemory || Held;
  if (onDisk && (OpenMode == opOverwrite || (OpenMode == opUpdate && !FileExists(FileName)))) {
    Release();
    ok = CreateEmpty();
  } else if (auto source = OpenSource()) {
    ok = ReadArchive(*source);
  } else {
    Records.clear();
  }
  Opened = ok;
  return ok;
}

bool TASDb::EnsureOpen() { return Opened || Open(); }

bool TASDb::ReadArchive(TASDbSource& source) {
  Records.clear();
  FileSize = source.Size();
  auto fail = [this](const std::string& why) {
    LogLine(Where() + ": " + why);
    Records.clear();
    return false;
  };
  std::uint8_t header[HeaderSize];
  if (!source.ReadAt(0, header, sizeof header)) return fail("too short for a header");
  if (std::memcmp(header, "ASDb", 4) != 0) return fail("not an archive (wrong magic)");
  const std::int32_t count = GetI32(header + 4);
  const std::int32_t tablePos = GetI32(header + 8);
  if (count < 0) return fail("negative record count");
  if (tablePos < 0 || tablePos > FileSize) return fail("record table outside the file");
  // Each table entry takes at least 8 bytes: a count the file cannot hold is
  // refused before anything is allocated for it.
  if (count > (FileSize - tablePos) / 8) return fail("record count larger than the file can hold");
  Records.resize(static_cast<std::size_t>(count));
  std::int64_t at = tablePos;
  for (TRecordInfo& r : Records) {
    std::uint8_t raw[4];
    if (!source.ReadAt(at, raw, 4)) return fail("record table cut short");
    const std::int32_t keyLength = GetI32(raw);
    at += 4;
    if (keyLength < 0 || keyLength > FileSize - at) return fail("key length outside the file");
    r.Key.resize(static_cast<std::size_t>(keyLength));
    if (!source.ReadAt(at, r.Key.data(), r.Key.size())) return fail("record table cut short");
    at += keyLength;
    if (!source.ReadAt(at, raw, 4)) return fail("record table cut short");
    r.Position = GetI32(raw);
    at += 4;
  }
  for (TRecordInfo& r : Records) {
    std::uint8_t raw[RecordHeaderSize];
    if (r.Position < 0 || !source.ReadAt(r.Position, raw, sizeof raw))
      return fail("record \"" + r.Key + "\" lies outside the file");
    r.Type = GetU16(raw);
    r.UnpackedSize = GetI32(raw + 2);
    r.StoredSize = GetI32(raw + 6);
    std::memcpy(&r.Date, raw + 10, 8);
    std::memcpy(r.Digest, raw + 18, 16);
    r.Security = GetU16(raw + 34);
    std::memcpy(r.IV, raw + 36, 8);
  }
  return true;
}

std::int32_t TASDb::RecordCount() const { return static_cast<std::int32_t>(Records.size()); }

std::uint16_t TASDb::RecordType(std::int32_t index) const {
  if (index < 0 || index >= RecordCount()) return 0;
  return Records[static_cast<std::size_t>(index)].Type;
}

std::string TASDb::RecordKey(std::int32_t index) const {
  if (index < 0 || index >= RecordCount()) return "[invalid-record-#]";
  return Records[static_cast<std::size_t>(index)].Key;
}

std::int32_t TASDb::IndexOfKey(const std::string& key) const {
  for (std::size_t i = 0; i < Records.size(); ++i)
    if (SameKey(Records[i].Key, key)) return static_cast<std::int32_t>(i);
  return -1;
}

bool TASDb::ReadRecord(const std::string& key, std::vector<std::uint8_t>& stream) {
  return ReadIndex(-1, &key, stream);
}

bool TASDb::ReadRecordAt(std::int32_t index, const std::string& key, std::vector<std::uint8_t>& stream) {
  if (index < 0) return false;
  return ReadIndex(index, &key, stream);
}

bool TASDb::ReadIndex(std::int32_t wanted, const std::string* key, std::vector<std::uint8_t>& stream) {
  auto source = OpenSource();
  if (!source) {
    LogLine(Where() + ": cannot open: " + std::strerror(errno));
    return false;
  }
  // The table is read again: the file may have changed since Open.
  if (!ReadArchive(*source)) return false;
  const std::int32_t index = wanted < 0 ? IndexOfKey(*key) : wanted;
  if (index < 0 || index >= RecordCount()) return false;
  const TRecordInfo& r = Records[static_cast<std::size_t>(index)];
  if (wanted >= 0 && r.Key != *key) {
    LogLine(Where() + ": record " + std::to_string(index) + " is no longer \"" + *key + "\"");
    return false;
  }
  auto refuse = [&](const std::string& why) {
    LogLine(Where() + ": record \"" + r.Key + "\" " + why);
    return false;
  };
  if (r.StoredSize < 0 || r.StoredSize > FileSize - r.Position - RecordHeaderSize)
    return refuse("has a stored size outside the file");
  if (r.UnpackedSize < 0 || r.UnpackedSize > MaxUnpackedSize) return refuse("has an impossible unpacked size");
  const bool encrypted = (r.Security & 0xFF) != 0;
  if (encrypted && Password.empty()) return refuse("is encrypted and no password is set");
  const auto storedSize = static_cast<std::size_t>(r.StoredSize);
  // Plain records in memory are unpacked where they lie; others are copied
  // out first (decryption works in place).
  std::vector<std::uint8_t> stored;
  const std::uint8_t* packed = encrypted ? nullptr : source->View(r.Position + RecordHeaderSize, storedSize);
  if (packed == nullptr) {
    stored.resize(storedSize);
    if (!source->ReadAt(r.Position + RecordHeaderSize, stored.data(), stored.size())) return refuse("cannot be read");
    if (encrypted) BlowfishCbcDecrypt(stored, Password, r.IV);
    packed = stored.data();
  }
  if (!Inflater) {
    Inflater.reset(libdeflate_alloc_decompressor());
    if (!Inflater) return refuse("cannot be unpacked: out of memory");
  }
  // The usual case, an empty stream, is unpacked into directly: its room is
  // reused and a large picture is not copied.
  std::vector<std::uint8_t> spare;
  std::vector<std::uint8_t>& unpacked = stream.empty() ? stream : spare;
  std::string why;
  if (!Inflate(Inflater.get(), packed, storedSize, r.UnpackedSize, unpacked, why)) return refuse(why);
  std::uint8_t digest[MD5_DIGEST_SIZE];
  md5_ctx md5;
  md5_init(&md5);
  md5_update(&md5, unpacked.size(), unpacked.data());
  md5_digest(&md5, MD5_DIGEST_SIZE, digest);
  if (std::memcmp(digest, r.Digest, MD5_DIGEST_SIZE) != 0) {
    unpacked.clear();
    return refuse("does not match its digest");
  }
  if (&unpacked == &spare) stream.insert(stream.end(), spare.begin(), spare.end());
  return true;
}
