#pragma once
// The drawing device on the SDL renderer: textures, render targets and batched
// textured quads through SDL_RenderGeometry.
#include <SDL.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "core/rndDevice.h"

class TplatWindow;

class TplatDevice : public TrndDevice {
 public:
  // Null when no renderer with render targets can be made for the window.
  static std::unique_ptr<TplatDevice> Create(TplatWindow* window, bool windowed, bool antialias);
  ~TplatDevice() override;

  TTextureId CreateTexture(int width, int height, const void* pixels) override;
  TTextureId CreateRenderTarget(int width, int height) override;
  void FreeTexture(TTextureId texture) override;
  bool TextureSize(TTextureId texture, int& width, int& height) const override;
  bool BeginTarget(TTextureId target, std::uint32_t clearColor) override;
  void EndTarget() override;
  void BeginScene(std::uint32_t clearColor) override;
  bool BeginSceneIn(std::uint32_t clearColor, const TSceneRect& area) override;
  void EndScene() override;
  void Present() override;
  void DrawQuad(TTextureId texture, const TQuad& quad, const TSourceRect& source, const std::uint32_t colors[4],
                std::uint32_t blendCode) override;
  void SetAntialias(bool linear) override;
  bool GetAntialias() const override { return Antialias; }
  bool IsWindowed() const override { return Windowed; }
  void SetWindowed(bool windowed) override;
  bool CaptureFrame(const std::vector<TDrawCmd>& frame, std::vector<std::uint32_t>& pixels) override;

  // The window saw SDL_RENDER_TARGETS_RESET.
  void TargetsReset();
  // The window saw SDL_RENDER_DEVICE_RESET: every texture is gone and is made again.
  void DeviceReset();
  SDL_Renderer* Renderer() const { return Render; }
  SDL_Texture* SdlTexture(TTextureId texture) const {
    auto it = Textures.find(texture);
    return it == Textures.end() ? nullptr : it->second.Texture;
  }
  // The scene as last drawn (before scaling to the window), 1024 x 768 0xAARRGGBB;
  // false when there is none.
  bool ReadScene(std::vector<std::uint32_t>& pixels);
  // Number of SDL_RenderGeometry calls since the last BeginScene (batching check).
  int Batches() const { return BatchCount; }

 private:
  TplatDevice(TplatWindow* window, SDL_Renderer* renderer);
  struct TTex {
    SDL_Texture* Texture = nullptr;
    int Width = 0;
    int Height = 0;
    bool Target = false;
  };
  void Flush();
  void ApplyScaleMode(SDL_Texture* texture) const;
  static SDL_BlendMode BlendOf(std::uint32_t code);

  TplatWindow* Window;
  SDL_Renderer* Render;
  std::unordered_map<TTextureId, TTex> Textures;
  TTextureId Next = 1;
  bool Antialias = true;
  bool Windowed = true;
  // The batch: consecutive quads that share texture and blend.
  std::vector<SDL_Vertex> Vertices;
  std::vector<int> Indices;
  SDL_Texture* BatchTexture = nullptr;
  std::uint32_t BatchBlend = 0;
  int BatchCount = 0;
  SDL_Texture* Capture = nullptr;
  // The scene at 1:1, scaled to the window when the scene ends.
  SDL_Texture* Frame = nullptr;
  // Frame holds a whole scene (none yet, or lost with the device).
  bool FrameWhole = false;
};
