#include "data/sysResources.h"

#include <algorithm>

#include "core/sysLog.h"

TsysResources::TsysResources(TsysMainWindow* owner, std::string dataPath)
    : DataPath(std::move(dataPath)), Owner(owner) {
  TargetQueue.reserve(64);
}

TsysResources::~TsysResources() {
  ClearQueue();
  ImageSets.clear();
  ClearRenderTargets();
}

TImageSet* TsysResources::ImageSet(std::int32_t index) const {
  if (index < 0 || index >= ImageSetCount()) return nullptr;
  return ImageSets[static_cast<std::size_t>(index)].get();
}

std::int32_t TsysResources::AddImageSet() {
  ImageSets.push_back(std::make_unique<TImageSet>(Device));
  return ImageSetCount() - 1;
}

void TsysResources::SetDevice(TrndDevice* device) {
  Device = device;
  for (auto& set : ImageSets) set->SetDevice(device);
}

TTextureId TsysResources::CreateRenderTarget(std::int32_t width, std::int32_t height, std::int32_t) {
  // Without a device (before start-up hands it over) there is nothing to draw into yet.
  if (Device == nullptr) return 0;
  TTextureId id = Device->CreateRenderTarget(width, height);
  if (id == 0) {
    ShowMessage("", "TsysResources Error: Render Target Failed to create.");
    return 0;
  }
  Targets.push_back(id);
  return id;
}

void TsysResources::FreeRenderTarget(TTextureId texture) {
  auto it = std::find(Targets.begin(), Targets.end(), texture);
  if (it == Targets.end()) return;
  Targets.erase(it);
  if (Device != nullptr) Device->FreeTexture(texture);
}

void TsysResources::ClearRenderTargets() {
  if (Device != nullptr)
    for (TTextureId id : Targets) Device->FreeTexture(id);
  Targets.clear();
}

void TsysResources::QueueTargetPaint(TrndGfx* item) { TargetQueue.push_back(item); }

void TsysResources::UnqueueTargetPaint(TrndGfx* item) {
  TargetQueue.erase(std::remove(TargetQueue.begin(), TargetQueue.end(), item), TargetQueue.end());
}

TrndGfx* TsysResources::QueuedItem(std::int32_t i) const {
  if (i < 0 || i >= QueuedCount()) return nullptr;
  return TargetQueue[static_cast<std::size_t>(i)];
}

// ---- Interim in-memory versions; the file formats replace these.

void TsysResources::SaveSettings(const TSettingsRecord& record) { Settings = record; }

TProfileRecord TsysResources::GetProfile(std::int32_t i) const {
  if (i < 0 || i >= ProfileCount()) return TProfileRecord{};
  return Profiles[static_cast<std::size_t>(i)];
}

TProfileRecord TsysResources::GetActiveProfile() const {
  if (Settings.ActiveProfile < 0 || Settings.ActiveProfile >= ProfileCount()) {
    TProfileRecord r;
    r.Name = "Profile Error!";
    return r;
  }
  return Profiles[static_cast<std::size_t>(Settings.ActiveProfile)];
}

void TsysResources::SetActiveProfile(const TProfileRecord& record) {
  if (Settings.ActiveProfile < 0 || Settings.ActiveProfile >= ProfileCount()) {
    ShowMessage("", "Error: Active Profile Is Invalid");
    return;
  }
  Profiles[static_cast<std::size_t>(Settings.ActiveProfile)] = record;
}

void TsysResources::AddProfile(const TProfileRecord& record) { Profiles.push_back(record); }

bool TsysResources::SaveProfiles() { return true; }

void TsysResources::RecordProgress() { SetActiveProfile(GetActiveProfile()); }

std::int32_t TsysResources::LoadArchive(const std::string&) { return AddImageSet(); }

void TsysResources::SetImageGeometry(std::int32_t set, std::int32_t image, TPointSize patternSize,
                                     TPointSize visibleSize) {
  TImageSet* s = ImageSet(set);
  TImage* img = s != nullptr ? s->Image(image) : nullptr;
  if (img == nullptr) return;
  img->PatternWidth = patternSize.Width;
  img->PatternHeight = patternSize.Height;
  img->VisibleWidth = visibleSize.Width;
  img->VisibleHeight = visibleSize.Height;
}
