#include "data/ImagePayload.h"

#include <array>
#include <bit>
#include <cstring>

#include "data/sysImages.h"

namespace {

// The payload names only bytes per pixel; the layouts below are the ones this
// reader assumes. Multi-byte pixels are little-endian, channels listed from the
// high bits down; narrow channels widen by repeating their top bits.
//
//  code  bytes  layout      alpha
//   0     1     R3 G3 B2     opaque
//   1     2     R5 G6 B5     opaque
//   2     4     X8 R8 G8 B8  opaque (X ignored)
//   3     2     X1 R5 G5 B5  opaque
//   4     2     X4 R4 G4 B4  opaque
//   5     4     A8 R8 G8 B8  as stored (taken as it is)
//   6     2     A1 R5 G5 B5  0 or 255
//   7     2     A4 R4 G4 B4  widened
//   8     2     A8 R3 G3 B2  as stored
//   9     1     A8           white pixels with this alpha
//  10     1     L8           opaque grey of this level
constexpr std::array<std::int32_t, 11> BytesPerPixel = {1, 2, 4, 2, 2, 4, 2, 2, 2, 1, 1};

constexpr std::size_t HeaderSize = 33;
constexpr std::int32_t MaxTextureSide = 32768;

std::int32_t GetI32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                   static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

// Widens a channel of n bits to 8.
std::uint32_t Widen(std::uint32_t v, int bits) {
  switch (bits) {
    case 1: return v ? 255u : 0u;
    case 2: return v * 85u;
    case 3: return (v << 5) | (v << 2) | (v >> 1);
    case 4: return v * 17u;
    case 5: return (v << 3) | (v >> 2);
    case 6: return (v << 2) | (v >> 4);
    default: return v;
  }
}

std::uint32_t Argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

std::uint32_t Rgb332(std::uint32_t v) { return Widen(v >> 5 & 7, 3) << 16 | Widen(v >> 2 & 7, 3) << 8 | Widen(v & 3, 2); }

std::uint32_t Convert(std::int32_t format, const std::uint8_t* p) {
  const std::uint32_t w = p[0] | (BytesPerPixel[static_cast<std::size_t>(format)] > 1 ? p[1] << 8 : 0);
  switch (format) {
    case 0: return 0xFF000000u | Rgb332(p[0]);
    case 1: return Argb(255, Widen(w >> 11 & 31, 5), Widen(w >> 5 & 63, 6), Widen(w & 31, 5));
    case 2: return 0xFF000000u | (static_cast<std::uint32_t>(GetI32(p)) & 0xFFFFFFu);
    case 3: return Argb(255, Widen(w >> 10 & 31, 5), Widen(w >> 5 & 31, 5), Widen(w & 31, 5));
    case 4: return Argb(255, Widen(w >> 8 & 15, 4), Widen(w >> 4 & 15, 4), Widen(w & 15, 4));
    case 5: return static_cast<std::uint32_t>(GetI32(p));
    case 6: return Argb(Widen(w >> 15 & 1, 1), Widen(w >> 10 & 31, 5), Widen(w >> 5 & 31, 5), Widen(w & 31, 5));
    case 7: return Argb(Widen(w >> 12 & 15, 4), Widen(w >> 8 & 15, 4), Widen(w >> 4 & 15, 4), Widen(w & 15, 4));
    case 8: return (w >> 8) << 24 | Rgb332(w & 0xFF);
    case 9: return static_cast<std::uint32_t>(p[0]) << 24 | 0xFFFFFFu;
    default: return Argb(255, p[0], p[0], p[0]);
  }
}

}  // namespace

std::int32_t PixelFormatBytes(std::int32_t format) {
  if (format < 0 || format >= static_cast<std::int32_t>(BytesPerPixel.size())) return 0;
  return BytesPerPixel[static_cast<std::size_t>(format)];
}

bool ParseImagePayload(const std::uint8_t* data, std::size_t size, TImage& image, std::string& why,
                       const std::uint8_t** texels) {
  if (texels != nullptr) *texels = nullptr;
  if (size < HeaderSize) {
    why = "image payload too short for its header";
    return false;
  }
  const std::int32_t format = data[0];
  const std::int32_t bpp = PixelFormatBytes(format);
  if (bpp == 0) {
    why = "unknown pixel format " + std::to_string(format);
    return false;
  }
  const std::int32_t patternW = GetI32(data + 1), patternH = GetI32(data + 5);
  const std::int32_t visibleW = GetI32(data + 9), visibleH = GetI32(data + 13);
  const std::int32_t patternCount = GetI32(data + 17);
  const std::int32_t textureW = GetI32(data + 21), textureH = GetI32(data + 25);
  const std::int32_t textureCount = GetI32(data + 29);
  if (patternW < 0 || patternH < 0 || visibleW < 0 || visibleH < 0 || patternCount < 0) {
    why = "negative pattern geometry";
    return false;
  }
  if (textureW < 0 || textureH < 0 || textureCount < 0) {
    why = "negative texture geometry";
    return false;
  }
  // No device makes textures this large; refusing them keeps every later
  // product of sizes far from overflow, even for an image with no textures.
  if (textureW > MaxTextureSide || textureH > MaxTextureSide) {
    why = "texture larger than " + std::to_string(MaxTextureSide) + " pixels a side";
    return false;
  }
  // Each factor is below 2^31, so the products fit in 64 bits step by step as
  // long as each is checked against the bytes present before the next one.
  const std::uint64_t present = size - HeaderSize;
  const std::uint64_t rowBytes = static_cast<std::uint64_t>(textureW) * static_cast<std::uint64_t>(bpp);
  if (rowBytes > present && textureH > 0 && textureCount > 0) {
    why = "texture rows larger than the payload";
    return false;
  }
  const std::uint64_t textureBytes = rowBytes * static_cast<std::uint64_t>(textureH);
  if (textureBytes > present && textureCount > 0) {
    why = "texture larger than the payload";
    return false;
  }
  const std::uint64_t needed = textureBytes * static_cast<std::uint64_t>(textureCount);
  if (needed != present) {
    why = "texel bytes do not match the geometry (" + std::to_string(present) + " present, " +
          std::to_string(needed) + " needed)";
    return false;
  }
  if (textureCount > 0 && textureBytes == 0) {
    why = "empty textures";
    return false;
  }
  image.PatternWidth = patternW;
  image.PatternHeight = patternH;
  image.VisibleWidth = visibleW;
  image.VisibleHeight = visibleH;
  image.PatternCount = patternCount;
  image.TextureWidth = textureW;
  image.TextureHeight = textureH;
  image.TextureCount = textureCount;
  image.Textures.clear();
  constexpr bool nativeArgb = std::endian::native == std::endian::little;
  if (texels != nullptr && format == 5 && nativeArgb) {
    *texels = data + HeaderSize;
    return true;
  }
  image.Textures.assign(static_cast<std::size_t>(textureCount), {});
  const std::size_t pixels = static_cast<std::size_t>(textureW) * static_cast<std::size_t>(textureH);
  const std::uint8_t* p = data + HeaderSize;
  for (auto& texture : image.Textures) {
    texture.resize(pixels);
    if (format == 5 && nativeArgb) {
      // Already the texel layout in memory: one copy instead of a conversion each.
      std::memcpy(texture.data(), p, pixels * 4);
      p += pixels * 4;
      continue;
    }
    for (std::uint32_t& texel : texture) {
      texel = Convert(format, p);
      p += bpp;
    }
  }
  return true;
}
