// Image payloads from outside: whatever is accepted holds exactly the texels the
// geometry promises.
#include <cstdint>
#include <string>

#include "data/ImagePayload.h"
#include "data/sysImages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TImage image;
  std::string why;
  if (!ParseImagePayload(data, size, image, why)) {
    if (why.empty()) __builtin_trap();  // every refusal says why
    return 0;
  }
  const std::size_t texels = static_cast<std::size_t>(image.TextureWidth) * static_cast<std::size_t>(image.TextureHeight);
  const std::size_t bpp = static_cast<std::size_t>(PixelFormatBytes(data[0]));
  if (image.Textures.size() * texels * bpp != size - 33) __builtin_trap();
  for (const auto& texture : image.Textures)
    if (texture.size() != texels) __builtin_trap();
  // Every pattern the image claims either lies inside a texture or is refused.
  for (std::int32_t p = 0; p < image.PatternCount && p < 4096; ++p) {
    std::int32_t t = 0, x = 0, y = 0;
    if (!image.PatternOrigin(p, t, x, y)) continue;
    if (t < 0 || t >= static_cast<std::int32_t>(image.Textures.size())) __builtin_trap();
    if (x < 0 || y < 0 || x + image.PatternWidth > image.TextureWidth || y + image.PatternHeight > image.TextureHeight)
      __builtin_trap();
  }
  return 0;
}
