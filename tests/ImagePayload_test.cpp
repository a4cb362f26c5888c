#include "data/ImagePayload.h"

#include <gtest/gtest.h>

#include "data/ASDbWriter.h"
#include "data/sysImages.h"
#include "testBytes.h"

namespace {

// A payload header by hand: format, pattern, visible, pattern count, texture size and count.
TByteImage Header(std::uint8_t format, std::int32_t textureW, std::int32_t textureH, std::int32_t textures) {
  TByteImage p;
  p.U8(0, format).I32(1, 2).I32(5, 1).I32(9, 2).I32(13, 1).I32(17, textures);
  p.I32(21, textureW).I32(25, textureH).I32(29, textures);
  return p;
}

bool Parse(const TByteImage& p, TImage& image) {
  std::string why;
  return ParseImagePayload(p.Bytes.data(), p.Bytes.size(), image, why);
}

TEST(ImagePayload, Format5RowsAreTakenAsTheyAre) {
  TByteImage p = Header(5, 2, 1, 2);
  p.I32(33, static_cast<std::int32_t>(0x80FF0000u)).I32(37, 0x0000FF00);
  p.I32(41, 0x12345678).I32(45, static_cast<std::int32_t>(0xFFFFFFFFu));
  TImage image;
  ASSERT_TRUE(Parse(p, image));
  EXPECT_EQ(image.PatternWidth, 2);
  EXPECT_EQ(image.PatternHeight, 1);
  EXPECT_EQ(image.VisibleWidth, 2);
  EXPECT_EQ(image.PatternCount, 2);
  EXPECT_EQ(image.TextureWidth, 2);
  EXPECT_EQ(image.TextureHeight, 1);
  ASSERT_EQ(image.Textures.size(), 2u);
  EXPECT_EQ(image.Textures[0], (std::vector<std::uint32_t>{0x80FF0000u, 0x0000FF00u}));
  EXPECT_EQ(image.Textures[1], (std::vector<std::uint32_t>{0x12345678u, 0xFFFFFFFFu}));
}

TEST(ImagePayload, TheWritersPayloadReadsBackTheSameImage) {
  TImage in;
  in.PatternWidth = 3;
  in.PatternHeight = 2;
  in.VisibleWidth = 3;
  in.VisibleHeight = 2;
  in.TextureWidth = 6;
  in.TextureHeight = 4;
  in.PatternCount = 8;
  for (int t = 0; t < 2; ++t) {
    in.Textures.emplace_back();
    for (std::uint32_t i = 0; i < 24; ++i) in.Textures.back().push_back(i * 0x01020304u + static_cast<std::uint32_t>(t));
  }
  const std::vector<std::uint8_t> payload = EncodeImagePayload(in);
  TImage out;
  std::string why;
  ASSERT_TRUE(ParseImagePayload(payload.data(), payload.size(), out, why)) << why;
  EXPECT_EQ(out.Textures, in.Textures);
  EXPECT_EQ(out.PatternCount, 8);
  EXPECT_EQ(out.VisibleHeight, 2);
}

// One pixel of each format, by hand, and the 0xAARRGGBB it becomes.
TEST(ImagePayload, OtherFormatsAreConvertedToArgb) {
  struct TCase {
    std::uint8_t Format;
    std::vector<std::uint8_t> Pixel;
    std::uint32_t Expected;
  };
  const TCase cases[] = {
      {0, {0xE3}, 0xFFFF00FFu},              // R3G3B2 111 000 11
      {0, {0x1C}, 0xFF00FF00u},              // green only
      {1, {0x00, 0xF8}, 0xFFFF0000u},        // R5G6B5 red
      {1, {0xE0, 0x07}, 0xFF00FF00u},        // green
      {1, {0x10, 0x84}, 0xFF848284u},        // 10000 100000 10000
      {2, {0x56, 0x34, 0x12, 0x00}, 0xFF123456u},  // X8R8G8B8: X ignored
      {3, {0x1F, 0x80}, 0xFF0000FFu},        // X1R5G5B5 blue, X set
      {4, {0x0F, 0xF0}, 0xFF0000FFu},        // X4R4G4B4 blue, X set
      {6, {0x00, 0x7C}, 0x00FF0000u},        // A1R5G5B5 red, transparent
      {6, {0x00, 0xFC}, 0xFFFF0000u},        // red, opaque
      {7, {0x21, 0x84}, 0x88442211u},        // A4R4G4B4
      {8, {0xE0, 0x40}, 0x40FF0000u},        // A8R3G3B2
      {9, {0x7F}, 0x7FFFFFFFu},              // A8: white with alpha
      {10, {0x42}, 0xFF424242u},             // L8: grey
  };
  for (const TCase& c : cases) {
    TByteImage p = Header(c.Format, 1, 1, 1);
    for (std::size_t i = 0; i < c.Pixel.size(); ++i) p.U8(33 + i, c.Pixel[i]);
    TImage image;
    ASSERT_TRUE(Parse(p, image)) << "format " << int(c.Format);
    EXPECT_EQ(image.Textures[0][0], c.Expected) << "format " << int(c.Format) << std::hex << " got "
                                               << image.Textures[0][0];
  }
}

TEST(ImagePayload, BytesThatDoNotMatchTheGeometryAreRejected) {
  TImage image;
  image.Name = "kept";
  TByteImage shortBy1 = Header(1, 4, 4, 1);
  shortBy1.Grow(33 + 31);
  EXPECT_FALSE(Parse(shortBy1, image));
  TByteImage longBy1 = Header(1, 4, 4, 1);
  longBy1.Grow(33 + 33);
  EXPECT_FALSE(Parse(longBy1, image));
  TByteImage exact = Header(1, 4, 4, 1);
  exact.Grow(33 + 32);
  EXPECT_TRUE(Parse(exact, image));
  EXPECT_EQ(image.Name, "kept") << "the name is the caller's";
  TByteImage truncatedHeader = Header(5, 1, 1, 0);
  truncatedHeader.Bytes.resize(32);
  EXPECT_FALSE(Parse(truncatedHeader, image));
}

TEST(ImagePayload, HugeOrNegativeGeometryIsRejectedWithoutAllocating) {
  TImage image;
  // 32768 x 32768 x 4 bytes wraps to 0 in 32 bits: must not match an empty payload.
  EXPECT_FALSE(Parse(Header(5, 32768, 32768, 4), image));
  EXPECT_FALSE(Parse(Header(5, 32769, 1, 0), image)) << "even without textures";
  EXPECT_TRUE(Parse(Header(5, 32768, 32768, 0), image));
  EXPECT_FALSE(Parse(Header(5, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), image));
  EXPECT_FALSE(Parse(Header(5, 0, 0, 0x7FFFFFFF), image)) << "countless empty textures";
  EXPECT_FALSE(Parse(Header(5, -1, 1, 1), image));
  EXPECT_FALSE(Parse(Header(5, 1, 1, -1), image));
  TByteImage negativePattern = Header(5, 1, 1, 1);
  negativePattern.I32(17, -3).Grow(37);
  EXPECT_FALSE(Parse(negativePattern, image));
  TByteImage unknownFormat = Header(11, 1, 1, 1);
  unknownFormat.Grow(37);
  EXPECT_FALSE(Parse(unknownFormat, image));
  EXPECT_TRUE(image.Textures.empty());
}

}  // namespace
