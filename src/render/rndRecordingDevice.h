#pragma once
// A device that draws nothing and records every call: the canvas of the tests.
#include <map>
#include <string>
#include <vector>

#include "core/rndDevice.h"

struct TRecordedQuad {
  TTextureId Texture = 0;
  TTextureId Target = 0;  // 0 = the back buffer
  TQuad Quad;
  TSourceRect Source;
  std::uint32_t Colors[4] = {0, 0, 0, 0};
  std::uint32_t Blend = 0;
};

class TrndRecordingDevice : public TrndDevice {
 public:
  TTextureId CreateTexture(int width, int height, const void* pixels) override;
  TTextureId CreateRenderTarget(int width, int height) override;
  void FreeTexture(TTextureId texture) override;
  bool TextureSize(TTextureId texture, int& width, int& height) const override;
  bool BeginTarget(TTextureId target, std::uint32_t clearColor) override;
  void EndTarget() override;
  void BeginScene(std::uint32_t clearColor) override;
  // Only when KeepsScene; Scene then holds the quads drawn in the area.
  bool BeginSceneIn(std::uint32_t clearColor, const TSceneRect& area) override;
  void EndScene() override;
  void Present() override;
  void DrawQuad(TTextureId texture, const TQuad& quad, const TSourceRect& source,
                const std::uint32_t colors[4], std::uint32_t blendCode) override;
  void SetAntialias(bool linear) override { Antialias = linear; }
  bool GetAntialias() const override { return Antialias; }
  bool IsWindowed() const override { return Windowed; }
  void SetWindowed(bool windowed) override;

  // Quads drawn into the back buffer since the last BeginScene.
  std::vector<TRecordedQuad> Scene;
  // Quads drawn into render targets since the last ClearTargetLog.
  std::vector<TRecordedQuad> TargetDraws;
  int Presents = 0;
  int Scenes = 0;
  // Partial scenes are taken (counted in PartScenes, area in LastArea).
  bool KeepsScene = false;
  int PartScenes = 0;
  TSceneRect LastArea;
  int LiveTextures() const { return static_cast<int>(Textures.size()); }
  bool FailTargets = false;  // make CreateRenderTarget fail
  // Hand a freed id to the next render target, as some drivers reuse names.
  bool ReuseFreedIds = false;
  // Keep a copy of the pixels of every texture made (Pixels, by id).
  bool KeepPixels = false;
  std::map<TTextureId, std::vector<std::uint32_t>> Pixels;
  // A device reset: every texture and target is gone, then OnRestore.
  void LoseEverything();
  bool Antialias = true;
  bool Windowed = true;

 private:
  struct TTex {
    int Width = 0;
    int Height = 0;
    bool Target = false;
  };
  std::map<TTextureId, TTex> Textures;
  TTextureId Next = 1;
  std::vector<TTextureId> Freed;
  TTextureId CurrentTarget = 0;
};
