#include "data/sysImages.h"

#include <algorithm>
#include <cstdint>

std::int32_t TImage::PatternsPerTexture() const {
  if (PatternWidth <= 0 || PatternHeight <= 0) return 0;
  // In 64 bits: tiny patterns on a huge texture would overflow 32.
  const std::int64_t n = static_cast<std::int64_t>(TextureWidth / PatternWidth) * (TextureHeight / PatternHeight);
  return static_cast<std::int32_t>(std::min<std::int64_t>(n, INT32_MAX));
}

bool TImage::PatternOrigin(std::int32_t pattern, std::int32_t& texture, std::int32_t& x,
                           std::int32_t& y) const {
  const std::int32_t perTexture = PatternsPerTexture();
  if (pattern < 0 || perTexture <= 0) return false;
  const std::int32_t columns = TextureWidth / PatternWidth;
  texture = pattern / perTexture;
  if (texture >= static_cast<std::int32_t>(Textures.size())) return false;
  const std::int32_t inTexture = pattern % perTexture;
  x = (inTexture % columns) * PatternWidth;
  y = (inTexture / columns) * PatternHeight;
  return true;
}

TImageSet::~TImageSet() { SetDevice(nullptr); }

TImage* TImageSet::Image(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return Images[static_cast<std::size_t>(index)].get();
}

TImage* TImageSet::Add(std::unique_ptr<TImage> image) {
  Images.push_back(std::move(image));
  Upload(*Images.back());
  return Images.back().get();
}

void TImageSet::RemoveLast() {
  if (Images.empty()) return;
  Unload(*Images.back());
  Images.pop_back();
}

void TImageSet::SetDevice(TrndDevice* device) {
  for (auto& image : Images) Unload(*image);
  Device = device;
  for (auto& image : Images) Upload(*image);
}

void TImageSet::Upload(TImage& image) {
  if (Device == nullptr || !image.DeviceTextures.empty()) return;
  for (const auto& pixels : image.Textures)
    image.DeviceTextures.push_back(Device->CreateTexture(image.TextureWidth, image.TextureHeight, pixels.data()));
}

void TImageSet::Unload(TImage& image) {
  if (Device != nullptr)
    for (TTextureId id : image.DeviceTextures)
      if (id != 0) Device->FreeTexture(id);
  image.DeviceTextures.clear();
}
