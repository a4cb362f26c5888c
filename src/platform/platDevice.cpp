#include "platform/platDevice.h"

#include <cstring>

#include "core/sysLog.h"
#include "platform/platWindow.h"

namespace {

// The scene's own size: it is drawn 1:1 into a picture of this size.
constexpr int SceneW = 1024;
constexpr int SceneH = 768;

SDL_BlendFactor FactorOf(std::uint32_t code) {
  switch (code) {
    case 0: return SDL_BLENDFACTOR_ZERO;
    case 1: return SDL_BLENDFACTOR_ONE;
    case 2: return SDL_BLENDFACTOR_SRC_COLOR;
    case 3: return SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR;
    case 4: return SDL_BLENDFACTOR_SRC_ALPHA;
    case 5: return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
    case 6: return SDL_BLENDFACTOR_DST_ALPHA;
    case 7: return SDL_BLENDFACTOR_ONE_MINUS_DST_ALPHA;
    case 8: return SDL_BLENDFACTOR_DST_COLOR;
    case 9: return SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR;
    default: return SDL_BLENDFACTOR_SRC_ALPHA;  // saturated source alpha: nearest SDL has
  }
}

SDL_BlendOperation OperationOf(std::uint32_t code) {
  switch (code) {
    case 1: return SDL_BLENDOPERATION_REV_SUBTRACT;
    case 2: return SDL_BLENDOPERATION_SUBTRACT;
    case 3: return SDL_BLENDOPERATION_MINIMUM;
    case 4: return SDL_BLENDOPERATION_MAXIMUM;
    default: return SDL_BLENDOPERATION_ADD;
  }
}

SDL_Color ColorOf(std::uint32_t argb) {
  return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8), static_cast<Uint8>(argb),
                   static_cast<Uint8>(argb >> 24)};
}

}  // namespace

std::unique_ptr<TplatDevice> TplatDevice::Create(TplatWindow* window, bool windowed, bool antialias) {
#ifdef __EMSCRIPTEN__
  // In the page a renderer without vsync moves the main loop from the page's
  // animation frames to setTimeout(0): some 230 passes a second for 60 frames
  // shown, each one's work thrown away (and the frame counter said 230).
  constexpr Uint32 Paced = SDL_RENDERER_PRESENTVSYNC;
#else
  constexpr Uint32 Paced = 0;
#endif
  SDL_Renderer* renderer =
      SDL_CreateRenderer(window->Handle(), -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE | Paced);
  if (renderer == nullptr)
    renderer = SDL_CreateRenderer(window->Handle(), -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  if (renderer == nullptr || !SDL_RenderTargetSupported(renderer)) {
    LogLine(std::string("no renderer with render targets: ") + SDL_GetError());
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    return nullptr;
  }
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) == 0) LogLine(std::string("renderer: ") + info.name);
  SDL_RenderSetLogicalSize(renderer, SceneW, SceneH);
  std::unique_ptr<TplatDevice> device(new TplatDevice(window, renderer));
  device->Antialias = antialias;
  device->Windowed = !window->IsFullscreen();
  if (device->Windowed != windowed) device->SetWindowed(windowed);
  return device;
}

TplatDevice::TplatDevice(TplatWindow* window, SDL_Renderer* renderer) : Window(window), Render(renderer) {
  Vertices.reserve(4096);
  Indices.reserve(6144);
}

TplatDevice::~TplatDevice() {
  for (auto& [id, tex] : Textures) SDL_DestroyTexture(tex.Texture);
  if (Capture != nullptr) SDL_DestroyTexture(Capture);
  if (Frame != nullptr) SDL_DestroyTexture(Frame);
  SDL_DestroyRenderer(Render);
}

void TplatDevice::ApplyScaleMode(SDL_Texture* texture) const {
  SDL_SetTextureScaleMode(texture, Antialias ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
}

TTextureId TplatDevice::CreateTexture(int width, int height, const void* pixels) {
  if (width <= 0 || height <= 0) return 0;
  SDL_Texture* t = SDL_CreateTexture(Render, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height);
  if (t == nullptr) {
    LogLine(std::string("cannot create a texture: ") + SDL_GetError());
    return 0;
  }
  if (pixels != nullptr) SDL_UpdateTexture(t, nullptr, pixels, width * 4);
  ApplyScaleMode(t);
  Textures[Next] = TTex{t, width, height, false};
  return Next++;
}

TTextureId TplatDevice::CreateRenderTarget(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  SDL_Texture* t = SDL_CreateTexture(Render, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (t == nullptr) {
    LogLine(std::string("cannot create a render target: ") + SDL_GetError());
    return 0;
  }
  ApplyScaleMode(t);
  Textures[Next] = TTex{t, width, height, true};
  return Next++;
}

void TplatDevice::FreeTexture(TTextureId texture) {
  auto it = Textures.find(texture);
  if (it == Textures.end()) return;
  if (BatchTexture == it->second.Texture) Flush();
  SDL_DestroyTexture(it->second.Texture);
  Textures.erase(it);
}

bool TplatDevice::TextureSize(TTextureId texture, int& width, int& height) const {
  auto it = Textures.find(texture);
  if (it == Textures.end()) return false;
  width = it->second.Width;
  height = it->second.Height;
  return true;
}

bool TplatDevice::BeginTarget(TTextureId target, std::uint32_t clearColor) {
  auto it = Textures.find(target);
  if (it == Textures.end() || !it->second.Target) return false;
  Flush();
  if (SDL_SetRenderTarget(Render, it->second.Texture) != 0) return false;
  const SDL_Color c = ColorOf(clearColor);
  SDL_SetRenderDrawBlendMode(Render, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(Render, c.r, c.g, c.b, c.a);
  SDL_RenderClear(Render);
  return true;
}

void TplatDevice::EndTarget() {
  Flush();
  SDL_SetRenderTarget(Render, nullptr);
}

void TplatDevice::BeginScene(std::uint32_t clearColor) {
  Flush();
  BatchCount = 0;
  // The scene is drawn at 1:1 into a 1024 x 768 picture that is then scaled to
  // the window whole: pieces cut from a sheet never sample their neighbours, and
  // pieces that meet at a fractional window pixel leave no gap between them.
  if (Frame == nullptr) {
    Frame = SDL_CreateTexture(Render, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, SceneW, SceneH);
    if (Frame == nullptr) LogLine(std::string("cannot create the frame picture; drawing to the window: ") + SDL_GetError());
  }
  SDL_SetRenderTarget(Render, Frame);
  SDL_RenderSetClipRect(Render, nullptr);
  const SDL_Color c = ColorOf(clearColor);
  SDL_SetRenderDrawBlendMode(Render, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(Render, c.r, c.g, c.b, 255);
  SDL_RenderClear(Render);
  FrameWhole = Frame != nullptr;
}

bool TplatDevice::BeginSceneIn(std::uint32_t clearColor, const TSceneRect& area) {
  if (Frame == nullptr || !FrameWhole) return false;
  Flush();
  BatchCount = 0;
  if (SDL_SetRenderTarget(Render, Frame) != 0) return false;
  const SDL_Rect clip{area.X, area.Y, area.W, area.H};
  SDL_RenderSetClipRect(Render, &clip);
  // RenderClear would ignore the clip.
  const SDL_Color c = ColorOf(clearColor);
  SDL_SetRenderDrawBlendMode(Render, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(Render, c.r, c.g, c.b, 255);
  SDL_RenderFillRect(Render, &clip);
  return true;
}

void TplatDevice::EndScene() {
  Flush();
  if (Frame == nullptr) return;
  SDL_RenderSetClipRect(Render, nullptr);
  SDL_SetRenderTarget(Render, nullptr);
  // The bars beside a letterboxed picture; a window of the picture's own size
  // has none, and the opaque copy below covers every pixel of it.
  int w = 0;
  int h = 0;
  if (SDL_GetRendererOutputSize(Render, &w, &h) != 0 || w != SceneW || h != SceneH) {
    SDL_SetRenderDrawColor(Render, 0, 0, 0, 255);
    SDL_RenderClear(Render);
  }
  SDL_SetTextureBlendMode(Frame, SDL_BLENDMODE_NONE);
  ApplyScaleMode(Frame);
  SDL_RenderCopy(Render, Frame, nullptr, nullptr);
}

void TplatDevice::Present() {
  Flush();
  SDL_RenderPresent(Render);
}

SDL_BlendMode TplatDevice::BlendOf(std::uint32_t code) {
  switch (code) {
    case beAlpha: return SDL_BLENDMODE_BLEND;
    case beAdd: return SDL_BLENDMODE_ADD;
    case beModulate: return SDL_BLENDMODE_MOD;
    case beOpaque: return SDL_BLENDMODE_NONE;
    default: {
      const SDL_BlendFactor src = FactorOf(code & 0xFF);
      const SDL_BlendFactor dst = FactorOf((code >> 8) & 0xFF);
      const SDL_BlendOperation op = OperationOf((code >> 16) & 0xFF);
      return SDL_ComposeCustomBlendMode(src, dst, op, src, dst, op);
    }
  }
}

void TplatDevice::DrawQuad(TTextureId texture, const TQuad& quad, const TSourceRect& source,
                           const std::uint32_t colors[4], std::uint32_t blendCode) {
  auto it = Textures.find(texture);
  if (it == Textures.end()) return;
  const TTex& tex = it->second;
  if (tex.Texture != BatchTexture || blendCode != BatchBlend) {
    Flush();
    BatchTexture = tex.Texture;
    BatchBlend = blendCode;
  }
  float u0 = source.X / static_cast<float>(tex.Width);
  float v0 = source.Y / static_cast<float>(tex.Height);
  float u1 = (source.X + source.W) / static_cast<float>(tex.Width);
  float v1 = (source.Y + source.H) / static_cast<float>(tex.Height);
  if (source.Mirror) std::swap(u0, u1);
  if (source.Flip) std::swap(v0, v1);
  const float uv[4][2] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
  const int base = static_cast<int>(Vertices.size());
  for (int i = 0; i < 4; ++i) {
    SDL_Vertex v;
    v.position = SDL_FPoint{quad.P[i].X, quad.P[i].Y};
    v.color = ColorOf(colors[i]);
    v.tex_coord = SDL_FPoint{uv[i][0], uv[i][1]};
    Vertices.push_back(v);
  }
  for (int i : {0, 1, 2, 0, 2, 3}) Indices.push_back(base + i);
}

void TplatDevice::Flush() {
  if (Vertices.empty()) return;
  SDL_SetTextureBlendMode(BatchTexture, BlendOf(BatchBlend));
  SDL_RenderGeometry(Render, BatchTexture, Vertices.data(), static_cast<int>(Vertices.size()), Indices.data(),
                     static_cast<int>(Indices.size()));
  ++BatchCount;
  Vertices.clear();
  Indices.clear();
}

void TplatDevice::SetAntialias(bool linear) {
  Antialias = linear;
  for (auto& [id, tex] : Textures) ApplyScaleMode(tex.Texture);
}

void TplatDevice::SetWindowed(bool windowed) {
  Flush();
  if (!windowed && !Window->CanGoFullscreen()) {
    LogLine("full screen is not available here (no window manager to grant it); playing in a 1024 x 768 window");
    windowed = true;
    if (Windowed) {
      Window->SnapClientArea();
      return;
    }
  }
  Windowed = windowed;
  SDL_SetWindowFullscreen(Window->Handle(), windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (windowed) {
    SDL_SetWindowBordered(Window->Handle(), SDL_TRUE);
    Window->SnapClientArea();
  }
  if (OnRestore) OnRestore(TrndLost::Nothing);
}

void TplatDevice::TargetsReset() {
  FrameWhole = false;
  if (OnRestore) OnRestore(TrndLost::Targets);
}

void TplatDevice::DeviceReset() {
  FrameWhole = false;
  Vertices.clear();
  Indices.clear();
  BatchTexture = nullptr;
  for (auto& [id, tex] : Textures) SDL_DestroyTexture(tex.Texture);
  Textures.clear();
  if (Capture != nullptr) SDL_DestroyTexture(Capture);
  Capture = nullptr;
  if (OnRestore) OnRestore(TrndLost::Textures);
}

bool TplatDevice::CaptureFrame(const std::vector<TDrawCmd>& frame, std::vector<std::uint32_t>& pixels) {
  Flush();
  if (Capture == nullptr) {
    Capture = SDL_CreateTexture(Render, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, SceneW, SceneH);
    if (Capture == nullptr) return false;
  }
  SDL_Texture* previous = SDL_GetRenderTarget(Render);
  SDL_SetRenderTarget(Render, Capture);
  SDL_SetRenderDrawBlendMode(Render, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(Render, 0, 0, 0, 255);
  SDL_RenderClear(Render);
  for (const TDrawCmd& c : frame) DrawQuad(c.Texture, c.Quad, c.Source, c.Colors, c.Blend);
  Flush();
  pixels.assign(static_cast<std::size_t>(SceneW) * SceneH, 0);
  const bool ok = SDL_RenderReadPixels(Render, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), SceneW * 4) == 0;
  SDL_SetRenderTarget(Render, previous);
  // The picture of the screen is opaque whatever the blending left in alpha.
  for (auto& p : pixels) p |= 0xFF000000u;
  return ok;
}

bool TplatDevice::ReadScene(std::vector<std::uint32_t>& pixels) {
  if (Frame == nullptr || !FrameWhole) return false;
  Flush();
  SDL_Texture* previous = SDL_GetRenderTarget(Render);
  SDL_SetRenderTarget(Render, Frame);
  pixels.assign(static_cast<std::size_t>(SceneW) * SceneH, 0);
  const bool ok = SDL_RenderReadPixels(Render, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), SceneW * 4) == 0;
  SDL_SetRenderTarget(Render, previous);
  return ok;
}
