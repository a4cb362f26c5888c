#pragma once
// Images of the image sets: a grid of equal patterns spread over one or more
// textures, kept as 32-bit pixels and uploaded to the device when there is one.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/rndDevice.h"

struct TImage {
  std::string Name;
  std::int32_t PatternWidth = 0;
  std::int32_t PatternHeight = 0;
  std::int32_t VisibleWidth = 0;
  std::int32_t VisibleHeight = 0;
  std::int32_t PatternCount = 0;
  std::int32_t TextureWidth = 0;
  std::int32_t TextureHeight = 0;
  // One pixel block per texture, 0xAARRGGBB, TextureWidth * TextureHeight each.
  std::vector<std::vector<std::uint32_t>> Textures;
  // Device textures, parallel to Textures; empty while no device is attached.
  std::vector<TTextureId> DeviceTextures;

  // Where pattern p lies: the texture index and the top-left texel; false when
  // p is outside the image.
  bool PatternOrigin(std::int32_t pattern, std::int32_t& texture, std::int32_t& x, std::int32_t& y) const;
  std::int32_t PatternsPerTexture() const;
};

class TImageSet {
 public:
  explicit TImageSet(TrndDevice* device = nullptr) : Device(device) {}
  ~TImageSet();
  TImageSet(const TImageSet&) = delete;
  TImageSet& operator=(const TImageSet&) = delete;

  std::int32_t Count() const { return static_cast<std::int32_t>(Images.size()); }
  TImage* Image(std::int32_t index) const;
  TImage* Add(std::unique_ptr<TImage> image);  // uploads when a device is attached
  void RemoveLast();
  // Attaches (or detaches, with null) the device and uploads every image.
  void SetDevice(TrndDevice* device);

  bool MipMapping = true;

 private:
  void Upload(TImage& image);
  void Unload(TImage& image);

  TrndDevice* Device;
  std::vector<std::unique_ptr<TImage>> Images;
};
