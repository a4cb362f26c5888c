#pragma once
// Images of the image sets: a grid of equal patterns spread over one or more
// textures. An image read from an archive keeps its pixels only until they are
// on the device; a new device gets them from the archive again. An image may
// also be only listed: its record is read the first time it is looked at.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/rndDevice.h"
#include "core/rndDrawn.h"

class TASDb;

struct TImage {
  std::string Name;
  std::int32_t PatternWidth = 0;
  std::int32_t PatternHeight = 0;
  std::int32_t VisibleWidth = 0;
  std::int32_t VisibleHeight = 0;
  std::int32_t PatternCount = 0;
  std::int32_t TextureWidth = 0;
  std::int32_t TextureHeight = 0;
  // How many textures the image has, whether or not their pixels are held.
  std::int32_t TextureCount = 0;
  // One pixel block per texture, 0xAARRGGBB, TextureWidth * TextureHeight each;
  // empty once uploaded when the image can be read again from its record.
  std::vector<std::vector<std::uint32_t>> Textures;
  // Device textures, parallel to Textures; empty while no device is attached.
  std::vector<TTextureId> DeviceTextures;
  // Index of the archive record the image was read from; -1 for one made in memory.
  std::int32_t RecordIndex = -1;
  // Listed but not read yet (or released): the first look reads its record.
  bool Pending = false;
  // The pattern and visible sizes were set by the program and outlast a
  // reading of the record.
  bool GeometryFixed = false;
  // The picture in the player's language: read from this archive's record of
  // that key instead of the set's; the set's record is the fallback.
  std::string LanguageArchive;
  std::string LanguageKey;
  std::int32_t LanguageRecord = -1;

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
  // The image, its record read first when it is pending; an image whose record
  // turns out unreadable stays without textures (drawn as nothing).
  TImage* Image(std::int32_t index) const;
  // The image as it stands, pending or not.
  TImage* Listed(std::int32_t index) const;
  // Uploads when a device is attached: from texels when given (the image's
  // textures one after the other, as ParseImagePayload points at them), else
  // from its Textures. Texels are copied to Textures when there is no device.
  TImage* Add(std::unique_ptr<TImage> image, const std::uint8_t* texels = nullptr);
  void RemoveLast();
  // Appends an image known only by its name and record in Source; it is read
  // when first looked at.
  void AddPending(std::string name, std::int32_t recordIndex);
  // Gives the image's textures and pixels back; it is read again from its
  // record when next looked at. Nothing for an image made in memory.
  void Release(std::int32_t index);
  std::int32_t PendingCount() const;
  // The image is read, when next looked at, from a record of a language's
  // archive; should that record not be read, from its own again.
  void ReadFromLanguage(std::int32_t index, std::string archive, std::string key, std::int32_t record);
  // Attaches (or detaches, with null) the device and uploads every image,
  // reading from the archive the pixels that were given away.
  void SetDevice(TrndDevice* device);
  // The device lost every texture: forgets them and uploads every image again.
  void ReloadTextures();

  bool MipMapping = true;
  // The archive the images came from (empty for a set made in memory).
  std::string Source;

 private:
  void UploadAll();
  void Upload(TImage& image, const std::uint8_t* texels);
  void Unload(TImage& image);
  // Uploads an image whose pixels were given away from its record again; its
  // geometry (which may have been changed since) stays as it is.
  bool UploadFromArchive(TASDb& archive, TImage& image);
  // Reads and parses the record an image comes from (its language's, when it
  // has one that reads); why says what failed.
  bool ReadRecord(TImage& image, std::vector<std::uint8_t>& payload, TImage& fresh, const std::uint8_t*& texels,
                  std::string& why);
  bool Reloadable(const TImage& image) const { return image.RecordIndex >= 0 && !Source.empty(); }
  // Reads a pending image's record and uploads it; told to the player once
  // per set when it cannot be read.
  void Realise(TImage& image);

  TrndDevice* Device;
  std::vector<std::unique_ptr<TImage>> Images;
  bool DamageTold = false;
  std::vector<std::uint8_t> Payload;  // reused while reading records again
};
