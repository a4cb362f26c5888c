#pragma once
// The drawing device and its 2D canvas, as the program needs them: textures,
// render targets and one primitive, a textured quad with four vertex colours and
// a blend code. The SDL renderer implements it; tests use the recording device.
#include <cstdint>
#include <functional>
#include <vector>

using TTextureId = std::uint32_t;  // 0 = no texture

struct TQuadPoint {
  float X = 0;
  float Y = 0;
};

// Corners in order top-left, top-right, bottom-right, bottom-left of the picture.
struct TQuad {
  TQuadPoint P[4];
};

// A region of a texture in texels; Mirror swaps left and right, Flip top and bottom.
struct TSourceRect {
  float X = 0;
  float Y = 0;
  float W = 0;
  float H = 0;
  bool Mirror = false;
  bool Flip = false;
};

// One quad of a frame, as handed to the device.
struct TDrawCmd {
  TTextureId Texture = 0;
  TQuad Quad;
  TSourceRect Source;
  std::uint32_t Colors[4] = {0, 0, 0, 0};
  std::uint32_t Blend = 0;
};

// Blend codes: bits 0-7 source factor, 8-15 destination factor, 16-23 operation.
enum : std::uint32_t {
  beOpaque = 0x1,      // one, zero: blending off
  beModulate = 0x200,  // zero, source colour
  beAdd = 0x104,       // source alpha, one
  beAlpha = 0x504,     // source alpha, inverse source alpha
};

// A rectangle of the 1024 x 768 scene in whole pixels.
struct TSceneRect {
  int X = 0;
  int Y = 0;
  int W = 0;
  int H = 0;
};

// What a device lost before it became usable again.
enum class TrndLost {
  Nothing,
  Targets,   // the contents of every render target
  Textures,  // every texture and render target itself: their ids are void
};

class TrndDevice {
 public:
  virtual ~TrndDevice() = default;

  // Pixels are 32-bit 0xAARRGGBB words in the machine's byte order, rows from
  // the top, width * height of them; they need no alignment.
  virtual TTextureId CreateTexture(int width, int height, const void* pixels) = 0;
  // A texture that can be rendered into; 0 when it could not be made.
  virtual TTextureId CreateRenderTarget(int width, int height) = 0;
  virtual void FreeTexture(TTextureId texture) = 0;
  virtual bool TextureSize(TTextureId texture, int& width, int& height) const = 0;

  // Draws go into the target between these two calls.
  virtual bool BeginTarget(TTextureId target, std::uint32_t clearColor) = 0;
  virtual void EndTarget() = 0;

  // A frame: clear the back buffer, draw, end; Present shows it.
  virtual void BeginScene(std::uint32_t clearColor) = 0;
  // A frame drawn over the last one inside area only: the area is cleared and
  // nothing outside it changes. False (and nothing begun) when the device does
  // not keep the last scene; the caller then draws a whole one.
  virtual bool BeginSceneIn(std::uint32_t, const TSceneRect&) { return false; }
  virtual void EndScene() = 0;
  virtual void Present() = 0;

  virtual void DrawQuad(TTextureId texture, const TQuad& quad, const TSourceRect& source,
                        const std::uint32_t colors[4], std::uint32_t blendCode) = 0;

  virtual void SetAntialias(bool linear) = 0;
  virtual bool GetAntialias() const = 0;
  virtual bool IsWindowed() const = 0;
  // Switches between windowed and desktop full screen; render targets may be
  // lost, and OnRestore follows once the device is usable again.
  virtual void SetWindowed(bool windowed) = 0;
  virtual bool IsActive() const { return true; }

  // Draws the quads into a 1024 x 768 picture (0xAARRGGBB); false when the
  // device cannot read pictures back.
  virtual bool CaptureFrame(const std::vector<TDrawCmd>&, std::vector<std::uint32_t>&) { return false; }

  // Called once the device is usable again after a mode switch or a reset,
  // saying what it lost.
  std::function<void(TrndLost lost)> OnRestore;
};
