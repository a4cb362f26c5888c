#include "render/rndRecordingDevice.h"

#include <cstring>

TTextureId TrndRecordingDevice::CreateTexture(int width, int height, const void* pixels) {
  if (width <= 0 || height <= 0) return 0;
  Textures[Next] = TTex{width, height, false};
  if (KeepPixels && pixels != nullptr) {
    auto& kept = Pixels[Next];
    kept.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::memcpy(kept.data(), pixels, kept.size() * 4);
  }
  return Next++;
}

TTextureId TrndRecordingDevice::CreateRenderTarget(int width, int height) {
  if (FailTargets || width <= 0 || height <= 0) return 0;
  if (ReuseFreedIds && !Freed.empty()) {
    const TTextureId id = Freed.back();
    Freed.pop_back();
    Textures[id] = TTex{width, height, true};
    return id;
  }
  Textures[Next] = TTex{width, height, true};
  return Next++;
}

void TrndRecordingDevice::FreeTexture(TTextureId texture) {
  if (Textures.erase(texture) != 0) Freed.push_back(texture);
  Pixels.erase(texture);
}

void TrndRecordingDevice::LoseEverything() {
  Textures.clear();
  Pixels.clear();
  if (OnRestore) OnRestore(TrndLost::Textures);
}

bool TrndRecordingDevice::TextureSize(TTextureId texture, int& width, int& height) const {
  auto it = Textures.find(texture);
  if (it == Textures.end()) return false;
  width = it->second.Width;
  height = it->second.Height;
  return true;
}

bool TrndRecordingDevice::BeginTarget(TTextureId target, std::uint32_t) {
  auto it = Textures.find(target);
  if (it == Textures.end() || !it->second.Target) return false;
  CurrentTarget = target;
  return true;
}

void TrndRecordingDevice::EndTarget() { CurrentTarget = 0; }

void TrndRecordingDevice::BeginScene(std::uint32_t) {
  Scene.clear();
  ++Scenes;
}

bool TrndRecordingDevice::BeginSceneIn(std::uint32_t, const TSceneRect& area) {
  if (!KeepsScene || Scenes == 0) return false;
  Scene.clear();
  ++PartScenes;
  LastArea = area;
  return true;
}

void TrndRecordingDevice::EndScene() {}

void TrndRecordingDevice::Present() { ++Presents; }

void TrndRecordingDevice::DrawQuad(TTextureId texture, const TQuad& quad, const TSourceRect& source,
                                   const std::uint32_t colors[4], std::uint32_t blendCode) {
  TRecordedQuad q;
  q.Texture = texture;
  q.Target = CurrentTarget;
  q.Quad = quad;
  q.Source = source;
  for (int i = 0; i < 4; ++i) q.Colors[i] = colors[i];
  q.Blend = blendCode;
  (CurrentTarget != 0 ? TargetDraws : Scene).push_back(q);
}

void TrndRecordingDevice::SetWindowed(bool windowed) {
  if (windowed == Windowed) return;
  Windowed = windowed;
  if (OnRestore) OnRestore(TrndLost::Nothing);
}
