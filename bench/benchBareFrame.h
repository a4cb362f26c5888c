#pragma once
// What the frame benchmarks compare the graphics module with: the quads of a
// frame it built, laid out once as SDL vertex runs per texture and blend, and
// drawn with bare SDL_RenderGeometry straight into the window.
#include <SDL.h>

#include <cstdint>
#include <vector>

#include "platform/platDevice.h"
#include "core/rndDevice.h"

class TBareFrame {
 public:
  TBareFrame(const std::vector<TDrawCmd>& frame, TplatDevice* device) {
    for (const TDrawCmd& c : frame) {
      SDL_Texture* t = device->SdlTexture(c.Texture);
      const SDL_BlendMode blend = c.Blend == beAdd ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND;
      if (Runs.empty() || Runs.back().Texture != t || Runs.back().Blend != blend) Runs.push_back(TRun{t, blend, {}, {}});
      TRun& run = Runs.back();
      int w = 1;
      int h = 1;
      device->TextureSize(c.Texture, w, h);
      const float u0 = c.Source.X / w, v0 = c.Source.Y / h, u1 = (c.Source.X + c.Source.W) / w,
                  v1 = (c.Source.Y + c.Source.H) / h;
      const float uv[4][2] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
      const int base = static_cast<int>(run.Vertices.size());
      for (int i = 0; i < 4; ++i) {
        const std::uint32_t col = c.Colors[i];
        run.Vertices.push_back(SDL_Vertex{SDL_FPoint{c.Quad.P[i].X, c.Quad.P[i].Y},
                                          SDL_Color{static_cast<Uint8>(col >> 16), static_cast<Uint8>(col >> 8),
                                                    static_cast<Uint8>(col), static_cast<Uint8>(col >> 24)},
                                          SDL_FPoint{uv[i][0], uv[i][1]}});
      }
      for (int i : {0, 1, 2, 0, 2, 3}) run.Indices.push_back(base + i);
    }
  }

  // Clears the window (or picture, then copied to the window as the graphics
  // module copies its frame picture) and draws every run; flushed, so every
  // command is sent when it returns.
  void Draw(SDL_Renderer* r, SDL_Texture* picture = nullptr) const {
    SDL_SetRenderTarget(r, picture);
    SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
    SDL_RenderClear(r);
    for (const TRun& run : Runs) {
      SDL_SetTextureBlendMode(run.Texture, run.Blend);
      SDL_RenderGeometry(r, run.Texture, run.Vertices.data(), static_cast<int>(run.Vertices.size()),
                         run.Indices.data(), static_cast<int>(run.Indices.size()));
    }
    if (picture != nullptr) {
      SDL_SetRenderTarget(r, nullptr);
      SDL_SetTextureBlendMode(picture, SDL_BLENDMODE_NONE);
      SDL_RenderCopy(r, picture, nullptr, nullptr);
    }
    SDL_RenderFlush(r);
  }
  std::size_t RunCount() const { return Runs.size(); }

 private:
  struct TRun {
    SDL_Texture* Texture;
    SDL_BlendMode Blend;
    std::vector<SDL_Vertex> Vertices;
    std::vector<int> Indices;
  };
  std::vector<TRun> Runs;
};
