#include "data/ASDb.h"

#include <gtest/gtest.h>
#include <nettle/md5.h>

#include "data/ASDbWriter.h"
#include "data/sysFiles.h"
#include "testBytes.h"
#include "testSupport.h"

namespace {

std::vector<std::uint8_t> Data(const std::string& s) { return {s.begin(), s.end()}; }

// The record table of a writer-made archive lies after the records; positions
// of record i's header are read back from it.
std::int32_t RecordPosition(const std::vector<std::uint8_t>& file, int index) {
  TByteImage image;
  image.Bytes = file;
  std::size_t at = static_cast<std::size_t>(image.GetI32(8));
  for (int i = 0;; ++i) {
    const std::int32_t keyLength = image.GetI32(at);
    const std::int32_t position = image.GetI32(at + 4 + static_cast<std::size_t>(keyLength));
    if (i == index) return position;
    at += 8 + static_cast<std::size_t>(keyLength);
  }
}

TASDb FromMemory(std::vector<std::uint8_t> bytes) {
  TASDb db;
  db.SetMemory(std::move(bytes));
  return db;
}

TEST(ASDbOpen, AnEmptyArchiveOpensWithNoRecords) {
  TASDb db = FromMemory(TByteImage().Raw(0, "ASDb").I32(4, 0).I32(8, 12).Bytes);
  EXPECT_TRUE(db.Open());
  EXPECT_EQ(db.RecordCount(), 0);
  EXPECT_EQ(db.RecordType(0), 0);
  EXPECT_EQ(db.RecordKey(0), "[invalid-record-#]");
  EXPECT_EQ(db.RecordKey(-1), "[invalid-record-#]");
  EXPECT_EQ(db.IndexOfKey(""), -1);
}

TEST(ASDbOpen, UpdateModeCreatesAMissingArchiveEmpty) {
  TTempDir dir;
  TASDb db;
  db.SetFileName(dir.File("new.asdb"));
  ASSERT_TRUE(db.EnsureOpen());
  EXPECT_EQ(db.RecordCount(), 0);
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(ReadFileBytes(dir.File("new.asdb"), bytes));
  EXPECT_EQ(bytes, TByteImage().Raw(0, "ASDb").I32(4, 0).I32(8, 12).Bytes);
}

TEST(ASDbOpen, ReadOnlyModeFailsOnAMissingFileAndCreatesNothing) {
  TTempDir dir;
  TASDb db;
  db.OpenMode = opReadOnly;
  db.SetFileName(dir.File("none.asdb"));
  EXPECT_FALSE(db.EnsureOpen());
  EXPECT_FALSE(FileExists(dir.File("none.asdb")));
  db.SetFileName(dir.File("missing-folder/x.asdb"));
  db.OpenMode = opUpdate;
  EXPECT_FALSE(db.Open()) << "a file that cannot be created";
}

TEST(ASDbOpen, OverwriteModeEmptiesAnExistingArchive) {
  TTempDir dir;
  TASDbWriter writer;
  writer.Add("a", 2, Data("alpha"));
  ASSERT_TRUE(writer.Save(dir.File("a.asdb")));
  TASDb db;
  db.OpenMode = opOverwrite;
  db.SetFileName(dir.File("a.asdb"));
  ASSERT_TRUE(db.Open());
  EXPECT_EQ(db.RecordCount(), 0);
  db.OpenMode = opReadOnly;
  db.SetFileName(dir.File("a.asdb"));
  ASSERT_TRUE(db.Open());
  EXPECT_EQ(db.RecordCount(), 0);
}

TEST(ASDbOpen, SettingTheFileNameAgainForcesTheTableToBeReadAgain) {
  TTempDir dir;
  TASDbWriter one;
  one.Add("a", 2, Data("alpha"));
  ASSERT_TRUE(one.Save(dir.File("x.asdb")));
  TASDb db;
  db.SetFileName(dir.File("x.asdb"));
  ASSERT_TRUE(db.EnsureOpen());
  ASSERT_EQ(db.RecordCount(), 1);
  TASDbWriter two;
  two.Add("a", 2, Data("alpha"));
  two.Add("b", 3, Data("beta"));
  ASSERT_TRUE(two.Save(dir.File("x.asdb")));
  EXPECT_TRUE(db.EnsureOpen());
  EXPECT_EQ(db.RecordCount(), 1) << "still the table read before";
  db.SetFileName(dir.File("x.asdb"));
  EXPECT_TRUE(db.EnsureOpen());
  EXPECT_EQ(db.RecordCount(), 2);
  EXPECT_EQ(db.RecordType(1), 3);
  EXPECT_EQ(db.RecordKey(1), "b");
}

TEST(ASDbRecords, RecordsComeBackAsWrittenAndAreAppendedToTheStream) {
  TTempDir dir;
  TASDbWriter writer;
  writer.Add("first.bin", 1, Data("one"));
  writer.Add("empty", 7, {});
  std::vector<std::uint8_t> big(300000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7 + i / 1000);
  writer.Add("big", 1, big);
  ASSERT_TRUE(writer.Save(dir.File("r.asdb")));
  TASDb db;
  db.SetFileName(dir.File("r.asdb"));
  ASSERT_TRUE(db.EnsureOpen());
  ASSERT_EQ(db.RecordCount(), 3);
  EXPECT_EQ(db.RecordType(1), 7);
  std::vector<std::uint8_t> stream = Data(">");
  ASSERT_TRUE(db.ReadRecord("first.bin", stream));
  EXPECT_EQ(stream, Data(">one"));
  ASSERT_TRUE(db.ReadRecord("empty", stream));
  EXPECT_EQ(stream, Data(">one"));
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(db.ReadRecord("big", out));
  EXPECT_EQ(out, big);
  EXPECT_FALSE(db.ReadRecord("absent", out));
}

TEST(ASDbRecords, DataThatDoesNotPackIsStoredAndReadsBackTheSame) {
  std::vector<std::uint8_t> noise(200000), smooth(200000);
  std::uint32_t seed = 12345;
  for (std::size_t i = 0; i < noise.size(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    noise[i] = static_cast<std::uint8_t>((seed >> 24) % 240);  // packs to about 99 %, as Vorbis does
    smooth[i] = static_cast<std::uint8_t>(i / 700);
  }
  TASDbWriter writer;
  writer.Add("noise", 0, noise);
  writer.Add("smooth", 0, smooth);
  const std::vector<std::uint8_t> file = writer.Build();
  TByteImage image;
  image.Bytes = file;
  const auto noiseAt = static_cast<std::size_t>(RecordPosition(file, 0));
  const auto smoothAt = static_cast<std::size_t>(RecordPosition(file, 1));
  // Stored blocks: 5 bytes of framing per 64 KiB at most, and the first
  // block's type bits (after the 2-byte zlib header) are 00.
  EXPECT_LE(image.GetI32(noiseAt + 6), 200000 + 6 + 5 * 4);
  EXPECT_EQ((file[noiseAt + 44 + 2] >> 1) & 3, 0);
  EXPECT_LT(image.GetI32(smoothAt + 6), 20000) << "what packs is still packed";
  TASDb db = FromMemory(file);
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(db.ReadRecord("noise", out));
  EXPECT_EQ(out, noise);
  out.clear();
  ASSERT_TRUE(db.ReadRecord("smooth", out));
  EXPECT_EQ(out, smooth);
}

TEST(ASDbRecords, KeysMatchIgnoringCaseAndTheFirstOfTwoEqualKeysWins) {
  TASDbWriter writer;
  writer.Add("Sprites/Monster", 1, Data("first"));
  writer.Add("SPRITES/MONSTER", 1, Data("second"));
  writer.Add("\xC9t\xE9", 1, Data("accented"));  // Windows-1252 letters
  TASDb db = FromMemory(writer.Build());
  ASSERT_TRUE(db.Open());
  EXPECT_EQ(db.IndexOfKey("sprites/monster"), 0);
  EXPECT_EQ(db.IndexOfKey("SPRITES/MONSTER"), 0);
  EXPECT_EQ(db.IndexOfKey("sprites/monste"), -1);
  EXPECT_EQ(db.IndexOfKey("\xE9T\xC9"), 2);
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(db.ReadRecord("sPrItEs/MoNsTeR", out));
  EXPECT_EQ(out, Data("first"));
}

TEST(ASDbRecords, AWrongUnpackedSizeIsRejectedAlthoughTheDigestMatches) {
  TASDbWriter writer;
  writer.Add("pic", 1, Data("twelve bytes"));
  const std::vector<std::uint8_t> good = writer.Build();
  const auto at = static_cast<std::size_t>(RecordPosition(good, 0));
  for (std::int32_t size : {11, 13, 0, -1, 0x7FFFFFFF}) {
    TByteImage patched;
    patched.Bytes = good;
    ASSERT_EQ(patched.GetI32(at + 2), 12);
    patched.I32(at + 2, size);
    TASDb db = FromMemory(patched.Bytes);
    ASSERT_TRUE(db.Open());
    std::vector<std::uint8_t> out;
    EXPECT_FALSE(db.ReadRecord("pic", out)) << "unpacked size " << size;
    EXPECT_TRUE(out.empty());
  }
}

TEST(ASDbRecords, AStreamShorterThanItsUnpackedSizeIsRejectedWhateverTheDigestSays) {
  TASDbWriter writer;
  writer.Add("pic", 1, Data("twelve bytes"));
  TByteImage patched;
  patched.Bytes = writer.Build();
  const auto at = static_cast<std::size_t>(RecordPosition(patched.Bytes, 0));
  patched.I32(at + 2, 13);
  // The digest of the twelve bytes and one more zero, as a buffer of the stated size would hold them.
  const std::vector<std::uint8_t> padded = Data(std::string("twelve bytes") + '\0');
  md5_ctx md5;
  md5_init(&md5);
  md5_update(&md5, padded.size(), padded.data());
  md5_digest(&md5, MD5_DIGEST_SIZE, patched.Bytes.data() + at + 18);
  TASDb db = FromMemory(patched.Bytes);
  ASSERT_TRUE(db.Open());
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(db.ReadRecord("pic", out));
  EXPECT_TRUE(out.empty());
}

TEST(ASDbRecords, DataNotMatchingItsDigestOrNotAZlibStreamIsRejected) {
  TASDbWriter writer;
  writer.Add("pic", 1, Data("some picture data"));
  const std::vector<std::uint8_t> good = writer.Build();
  const auto at = static_cast<std::size_t>(RecordPosition(good, 0));
  TByteImage digest;
  digest.Bytes = good;
  digest.Bytes[at + 18] ^= 1;
  std::vector<std::uint8_t> out;
  TASDb a = FromMemory(digest.Bytes);
  ASSERT_TRUE(a.Open());
  EXPECT_FALSE(a.ReadRecord("pic", out));
  TByteImage stream;
  stream.Bytes = good;
  stream.Bytes[at + 44 + 4] ^= 0xFF;  // inside the deflate data
  TASDb b = FromMemory(stream.Bytes);
  ASSERT_TRUE(b.Open());
  EXPECT_FALSE(b.ReadRecord("pic", out));
  TByteImage cut;
  cut.Bytes = good;
  cut.I32(at + 6, cut.GetI32(at + 6) - 5);  // the stream's end is cut off
  TASDb c = FromMemory(cut.Bytes);
  ASSERT_TRUE(c.Open());
  EXPECT_FALSE(c.ReadRecord("pic", out));
  EXPECT_TRUE(out.empty());
}

TEST(ASDbEncryption, AnEncryptedRecordIsDeliveredOnlyWithItsPassword) {
  const std::uint8_t iv[8] = {9, 8, 7, 6, 5, 4, 3, 2};
  std::vector<std::uint8_t> secret;
  for (int i = 0; i < 1001; ++i) secret.push_back(static_cast<std::uint8_t>(i * 31));
  TASDbWriter writer;
  writer.AddEncrypted("locked", 1, secret, "open sesame", iv);
  writer.Add("plain", 1, Data("no secret"));
  TASDb db = FromMemory(writer.Build());
  ASSERT_TRUE(db.Open());
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(db.ReadRecord("locked", out)) << "no password set";
  db.Password = "wrong password";
  EXPECT_FALSE(db.ReadRecord("locked", out));
  EXPECT_TRUE(out.empty());
  db.Password = "open sesame";
  ASSERT_TRUE(db.ReadRecord("locked", out));
  EXPECT_EQ(out, secret);
  out.clear();
  ASSERT_TRUE(db.ReadRecord("plain", out)) << "unflagged records are not decrypted";
  EXPECT_EQ(out, Data("no secret"));
}

// Published Blowfish test vectors, chained by hand: the first block decrypts to
// zero and is XORed with the IV, the second with the first ciphertext block.
TEST(ASDbEncryption, BlocksAreBigEndianHalvesChainedAndAPartialTailStaysAsStored) {
  const std::uint8_t cipherOfZero[8] = {0x4E, 0xF9, 0x97, 0x45, 0x61, 0x98, 0xDD, 0x78};
  const std::uint8_t iv[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  std::vector<std::uint8_t> data(cipherOfZero, cipherOfZero + 8);
  data.insert(data.end(), cipherOfZero, cipherOfZero + 8);
  data.insert(data.end(), {0xAA, 0xBB, 0xCC});
  BlowfishCbcDecrypt(data, std::string(8, '\0'), iv);
  std::vector<std::uint8_t> expected(iv, iv + 8);
  expected.insert(expected.end(), cipherOfZero, cipherOfZero + 8);
  expected.insert(expected.end(), {0xAA, 0xBB, 0xCC});
  EXPECT_EQ(data, expected);

  const std::uint8_t zero[8] = {};
  std::vector<std::uint8_t> ones = {0x51, 0x86, 0x6F, 0xD5, 0xB8, 0x5E, 0xCB, 0x8A};
  BlowfishCbcDecrypt(ones, std::string(8, '\xFF'), zero);
  EXPECT_EQ(ones, std::vector<std::uint8_t>(8, 0xFF));
}

// Archives whose numbers point outside the file: refused, never read past the end.
TEST(ASDbHostile, NumbersOutsideTheFileAreRefusedWithAnEmptyList) {
  TASDbWriter writer;
  writer.Add("key", 1, Data("value"));
  const std::vector<std::uint8_t> good = writer.Build();
  TByteImage image;
  image.Bytes = good;
  const auto table = static_cast<std::size_t>(image.GetI32(8));
  struct TCase {
    const char* What;
    std::size_t At;
    std::int32_t Value;
  };
  const TCase cases[] = {
      {"negative count", 4, -1},
      {"count the file cannot hold", 4, 0x7FFFFFFF},
      {"table past the end", 8, static_cast<std::int32_t>(good.size()) + 1},
      {"negative table position", 8, -12},
      {"key length past the end", table, 1000},
      {"negative key length", table, -4},
      {"record position past the end", table + 4 + 3, static_cast<std::int32_t>(good.size()) - 10},
      {"negative record position", table + 4 + 3, -1},
  };
  for (const TCase& c : cases) {
    TByteImage bad;
    bad.Bytes = good;
    bad.I32(c.At, c.Value);
    TASDb db = FromMemory(bad.Bytes);
    EXPECT_FALSE(db.Open()) << c.What;
    EXPECT_EQ(db.RecordCount(), 0) << c.What;
    std::vector<std::uint8_t> out;
    EXPECT_FALSE(db.ReadRecord("key", out)) << c.What;
  }
  TASDb wrongMagic = FromMemory(TByteImage().Raw(0, "ZIP!").I32(4, 0).I32(8, 12).Bytes);
  EXPECT_FALSE(wrongMagic.Open());
  TASDb tooShort = FromMemory(TByteImage().Raw(0, "ASDb").I32(4, 0).Bytes);
  EXPECT_FALSE(tooShort.Open());
}

TEST(ASDbHostile, AStoredSizeOutsideTheFileFailsOnlyThatRecord) {
  TASDbWriter writer;
  writer.Add("bad", 1, Data("value"));
  writer.Add("good", 1, Data("fine"));
  const std::vector<std::uint8_t> good = writer.Build();
  const auto at = static_cast<std::size_t>(RecordPosition(good, 0));
  for (std::int32_t stored : {-1, 0x7FFFFFFF, static_cast<std::int32_t>(good.size())}) {
    TByteImage bad;
    bad.Bytes = good;
    bad.I32(at + 6, stored);
    TASDb db = FromMemory(bad.Bytes);
    ASSERT_TRUE(db.Open());
    std::vector<std::uint8_t> out;
    EXPECT_FALSE(db.ReadRecord("bad", out)) << stored;
    EXPECT_TRUE(db.ReadRecord("good", out));
    EXPECT_EQ(out, Data("fine"));
  }
}

}  // namespace

namespace {

TEST(ASDbRecords, ReadingByIndexGivesEachOfTwoEqualKeysItsOwnRecordAndChecksTheKey) {
  TASDbWriter writer;
  writer.Add("dup", 1, Data("first"));
  writer.Add("dup", 1, Data("second"));
  TASDb db = FromMemory(writer.Build());
  ASSERT_TRUE(db.Open());
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(db.ReadRecordAt(1, "dup", out));
  EXPECT_EQ(out, Data("second"));
  out.clear();
  EXPECT_FALSE(db.ReadRecordAt(1, "other", out)) << "the file changed since the record was listed";
  EXPECT_FALSE(db.ReadRecordAt(2, "dup", out));
  EXPECT_FALSE(db.ReadRecordAt(-1, "dup", out));
  EXPECT_TRUE(out.empty());
}

TEST(ASDbHold, AHeldArchiveIsReadFromItsBytesUntilReleased) {
  TTempDir dir;
  TASDbWriter one;
  one.Add("a", 1, Data("old"));
  ASSERT_TRUE(one.Save(dir.File("h.asdb")));
  TASDb db;
  db.SetFileName(dir.File("h.asdb"));
  ASSERT_TRUE(db.Hold());
  ASSERT_TRUE(db.EnsureOpen());
  TASDbWriter two;
  two.Add("a", 1, Data("new"));
  ASSERT_TRUE(two.Save(dir.File("h.asdb")));
  std::vector<std::uint8_t> out;
  ASSERT_TRUE(db.ReadRecord("a", out));
  EXPECT_EQ(out, Data("old")) << "the bytes read by Hold";
  db.Release();
  out.clear();
  ASSERT_TRUE(db.ReadRecord("a", out));
  EXPECT_EQ(out, Data("new")) << "the file again";

  ASSERT_TRUE(db.Hold());
  db.SetFileName(dir.File("missing.asdb"));
  out.clear();
  EXPECT_FALSE(db.ReadRecord("a", out)) << "a new file name drops the held bytes";
  EXPECT_FALSE(db.Hold()) << "nothing to hold";
}

}  // namespace
