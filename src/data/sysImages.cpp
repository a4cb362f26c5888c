#include "data/sysImages.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/sysCatalogue.h"
#include "core/sysLog.h"
#include "data/ASDb.h"
#include "data/ImagePayload.h"

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
  if (texture >= TextureCount) return false;
  const std::int32_t inTexture = pattern % perTexture;
  x = (inTexture % columns) * PatternWidth;
  y = (inTexture / columns) * PatternHeight;
  return true;
}

TImageSet::~TImageSet() { SetDevice(nullptr); }

TImage* TImageSet::Image(std::int32_t index) const {
  TImage* image = Listed(index);
  // Reading the record changes how the set holds the picture, not what it holds.
  if (image != nullptr && image->Pending) const_cast<TImageSet*>(this)->Realise(*image);
  return image;
}

TImage* TImageSet::Listed(std::int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return Images[static_cast<std::size_t>(index)].get();
}

void TImageSet::AddPending(std::string name, std::int32_t recordIndex) {
  auto image = std::make_unique<TImage>();
  image->Name = std::move(name);
  image->RecordIndex = recordIndex;
  image->Pending = true;
  Images.push_back(std::move(image));
}

void TImageSet::Release(std::int32_t index) {
  TImage* image = Listed(index);
  if (image == nullptr || image->Pending || !Reloadable(*image)) return;
  Unload(*image);
  image->Textures.clear();
  image->Textures.shrink_to_fit();
  image->Pending = true;
  MarkSceneChanged();
}

std::int32_t TImageSet::PendingCount() const {
  return static_cast<std::int32_t>(
      std::count_if(Images.begin(), Images.end(), [](const auto& image) { return image->Pending; }));
}

void TImageSet::Realise(TImage& image) {
  image.Pending = false;
  MarkSceneChanged();
  std::vector<std::uint8_t> payload;
  TImage fresh;
  std::string why;
  const std::uint8_t* texels = nullptr;
  const bool read = ReadRecord(image, payload, fresh, texels, why);
  if (!read) {
    LogLine(Source + ": image \"" + image.Name + "\" " + why + "; it stays blank");
    if (!DamageTold)
      ShowMessage(Tr("Game Data Missing"),
                  Format(Tr("Plotfray cannot read the picture \"%1$s\" of %2$s, so it stays blank. Install Plotfray "
                            "again (or build it again, which writes the data folder) to put it back."),
                         {image.Name, Source}));
    DamageTold = true;
    return;
  }
  image.TextureWidth = fresh.TextureWidth;
  image.TextureHeight = fresh.TextureHeight;
  image.TextureCount = fresh.TextureCount;
  if (!image.GeometryFixed) {
    image.PatternWidth = fresh.PatternWidth;
    image.PatternHeight = fresh.PatternHeight;
    image.VisibleWidth = fresh.VisibleWidth;
    image.VisibleHeight = fresh.VisibleHeight;
    image.PatternCount = fresh.PatternCount;
  } else {
    image.PatternCount = image.PatternsPerTexture() * image.TextureCount;
  }
  if (texels == nullptr) {
    image.Textures = std::move(fresh.Textures);
  } else if (Device == nullptr) {
    // Nothing to upload to: the image keeps its pixels.
    const std::size_t pixels = static_cast<std::size_t>(image.TextureWidth) * static_cast<std::size_t>(image.TextureHeight);
    image.Textures.assign(static_cast<std::size_t>(image.TextureCount), std::vector<std::uint32_t>(pixels));
    for (auto& texture : image.Textures) {
      std::memcpy(texture.data(), texels, pixels * 4);
      texels += pixels * 4;
    }
    texels = nullptr;
  }
  Upload(image, texels);
}

bool TImageSet::ReadRecord(TImage& image, std::vector<std::uint8_t>& payload, TImage& fresh,
                           const std::uint8_t*& texels, std::string& why) {
  TASDb archive;
  archive.OpenMode = opReadOnly;
  if (!image.LanguageArchive.empty()) {
    archive.SetFileName(image.LanguageArchive);
    why = "cannot be read";
    if (archive.ReadRecordAt(image.LanguageRecord, image.LanguageKey, payload) &&
        ParseImagePayload(payload.data(), payload.size(), fresh, why, &texels))
      return true;
    // A damaged picture of the language: the English one is shown for good.
    LogLine(image.LanguageArchive + ": image \"" + image.LanguageKey + "\" " + why + "; the English picture is shown");
    image.LanguageArchive.clear();
    payload.clear();
    fresh = TImage{};
    texels = nullptr;
  }
  why = "cannot be read";
  archive.SetFileName(Source);
  return Reloadable(image) && archive.ReadRecordAt(image.RecordIndex, image.Name, payload) &&
         ParseImagePayload(payload.data(), payload.size(), fresh, why, &texels);
}

void TImageSet::ReadFromLanguage(std::int32_t index, std::string archive, std::string key, std::int32_t record) {
  TImage* image = Listed(index);
  if (image == nullptr || image->RecordIndex < 0) return;
  Unload(*image);
  image->Textures.clear();
  image->LanguageArchive = std::move(archive);
  image->LanguageKey = std::move(key);
  image->LanguageRecord = record;
  image->Pending = true;
  MarkSceneChanged();
}

TImage* TImageSet::Add(std::unique_ptr<TImage> image, const std::uint8_t* texels) {
  if (image->TextureCount == 0) image->TextureCount = static_cast<std::int32_t>(image->Textures.size());
  Images.push_back(std::move(image));
  TImage& added = *Images.back();
  MarkSceneChanged();
  if (texels != nullptr && Device == nullptr) {
    // Nothing to upload to: the image keeps its pixels.
    const std::size_t pixels = static_cast<std::size_t>(added.TextureWidth) * static_cast<std::size_t>(added.TextureHeight);
    added.Textures.assign(static_cast<std::size_t>(added.TextureCount), std::vector<std::uint32_t>(pixels));
    for (auto& texture : added.Textures) {
      std::memcpy(texture.data(), texels, pixels * 4);
      texels += pixels * 4;
    }
    texels = nullptr;
  }
  Upload(added, texels);
  return &added;
}

void TImageSet::RemoveLast() {
  if (Images.empty()) return;
  Unload(*Images.back());
  Images.pop_back();
  MarkSceneChanged();
}

void TImageSet::SetDevice(TrndDevice* device) {
  for (auto& image : Images) Unload(*image);
  Device = device;
  UploadAll();
}

void TImageSet::ReloadTextures() {
  // The old ids mean nothing to the device any more: nothing to free.
  for (auto& image : Images) image->DeviceTextures.clear();
  UploadAll();
}

void TImageSet::UploadAll() {
  MarkSceneChanged();  // texture ids change
  if (Device == nullptr) return;
  const bool reread = std::any_of(Images.begin(), Images.end(), [](const auto& image) {
    return !image->Pending && image->Textures.empty() && image->TextureCount > 0;
  });
  TASDb archive;
  bool readable = false;
  if (reread) {
    archive.OpenMode = opReadOnly;
    archive.SetFileName(Source);
    readable = !Source.empty() && archive.Hold();
  }
  std::int32_t lost = 0;
  for (auto& image : Images) {
    if (image->Pending) continue;  // read when first looked at
    if (image->Textures.empty() && image->TextureCount > 0) {
      if (!image->LanguageArchive.empty()) {
        TASDb words;
        words.OpenMode = opReadOnly;
        words.SetFileName(image->LanguageArchive);
        if (!UploadFromArchive(words, *image)) ++lost;
      } else if (!readable || !UploadFromArchive(archive, *image)) {
        ++lost;
      }
    } else {
      Upload(*image, nullptr);
    }
  }
  Payload.clear();
  Payload.shrink_to_fit();
  if (lost > 0)
    ShowMessage("", Format(TrN("%1$s picture could not be read again from %2$s and stays blank until the game is "
                               "started again.",
                               "%1$s pictures could not be read again from %2$s and stay blank until the game is "
                               "started again.",
                               static_cast<std::uint64_t>(lost)),
                           {std::to_string(lost), Source}));
}

void TImageSet::Upload(TImage& image, const std::uint8_t* texels) {
  if (Device == nullptr || !image.DeviceTextures.empty()) return;
  if (texels != nullptr) {
    const std::size_t bytes = static_cast<std::size_t>(image.TextureWidth) * static_cast<std::size_t>(image.TextureHeight) * 4;
    for (std::int32_t t = 0; t < image.TextureCount; ++t)
      image.DeviceTextures.push_back(
          Device->CreateTexture(image.TextureWidth, image.TextureHeight, texels + static_cast<std::size_t>(t) * bytes));
    return;
  }
  for (const auto& pixels : image.Textures)
    image.DeviceTextures.push_back(Device->CreateTexture(image.TextureWidth, image.TextureHeight, pixels.data()));
  // The device holds the picture now; the record can give it back.
  if (Reloadable(image)) {
    image.Textures.clear();
    image.Textures.shrink_to_fit();
  }
}

void TImageSet::Unload(TImage& image) {
  if (Device != nullptr)
    for (TTextureId id : image.DeviceTextures)
      if (id != 0) Device->FreeTexture(id);
  image.DeviceTextures.clear();
}

bool TImageSet::UploadFromArchive(TASDb& archive, TImage& image) {
  if (!Reloadable(image)) return false;
  Payload.clear();
  const bool language = !image.LanguageArchive.empty();
  if (!archive.ReadRecordAt(language ? image.LanguageRecord : image.RecordIndex,
                            language ? image.LanguageKey : image.Name, Payload))
    return false;
  TImage fresh;
  std::string why;
  const std::uint8_t* texels = nullptr;
  if (!ParseImagePayload(Payload.data(), Payload.size(), fresh, why, &texels)) {
    LogLine(Source + ": image \"" + image.Name + "\": " + why);
    return false;
  }
  if (fresh.TextureWidth != image.TextureWidth || fresh.TextureHeight != image.TextureHeight ||
      fresh.TextureCount != image.TextureCount) {
    LogLine(Source + ": image \"" + image.Name + "\" is no longer the picture that was loaded");
    return false;
  }
  if (texels == nullptr) image.Textures = std::move(fresh.Textures);
  Upload(image, texels);
  return true;
}
