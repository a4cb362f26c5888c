#include "render/modGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/sysCatalogue.h"
#include "core/sysLog.h"
#include "core/sysMainWindow.h"
#include "core/sysRound.h"
#include "data/sysImages.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "render/rndItems.h"
#include "render/rndPng.h"

namespace {

constexpr double ScreenW = 1024;
constexpr double ScreenH = 768;

TQuad RectQuad(float x, float y, float w, float h) {
  TQuad q;
  q.P[0] = {x, y};
  q.P[1] = {x + w, y};
  q.P[2] = {x + w, y + h};
  q.P[3] = {x, y + h};
  return q;
}

// The quad of size (w, h) scaled and rotated about the point (px, py) of its
// own frame, that point placed at (x, y).
TQuad RotatedQuad(double x, double y, double w, double h, double px, double py, double angle, double scale) {
  const double c = std::cos(angle) * scale;
  const double s = std::sin(angle) * scale;
  const double corners[4][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
  TQuad q;
  for (int i = 0; i < 4; ++i) {
    const double dx = corners[i][0] - px;
    const double dy = corners[i][1] - py;
    q.P[i] = {static_cast<float>(x + dx * c - dy * s), static_cast<float>(y + dx * s + dy * c)};
  }
  return q;
}

// Cuts one axis of a picture at the screen's edges (the far edge only when
// cutFar). A picture drawn 1:1 loses exactly the texels that fall outside; a
// stretched one keeps its proportions.
void CutAxis(double& pos, double& size, double& srcPos, double& srcSize, std::int32_t itemSize, double scale,
             double screen, bool cutFar) {
  const bool oneToOne = srcSize == itemSize;
  auto sourceFor = [&](double newSize) {
    return oneToOne ? static_cast<double>(Round(newSize / scale)) : srcSize * newSize / size;
  };
  if (pos < 0) {
    const double whole = std::trunc(pos);
    const double newSize = size + whole;
    const double newSrc = sourceFor(newSize);
    srcPos += (oneToOne ? itemSize : srcSize) - newSrc;
    srcSize = newSrc;
    size = newSize;
    pos -= whole;
  }
  if (cutFar && pos + size > screen) {
    const double newSize = screen - pos;
    srcSize = sourceFor(newSize);
    size = newSize;
  }
}

bool SameCmd(const TDrawCmd& a, const TDrawCmd& b) {
  if (a.Texture != b.Texture || a.Blend != b.Blend) return false;
  for (int i = 0; i < 4; ++i)
    if (a.Quad.P[i].X != b.Quad.P[i].X || a.Quad.P[i].Y != b.Quad.P[i].Y || a.Colors[i] != b.Colors[i]) return false;
  return a.Source.X == b.Source.X && a.Source.Y == b.Source.Y && a.Source.W == b.Source.W &&
         a.Source.H == b.Source.H && a.Source.Mirror == b.Source.Mirror && a.Source.Flip == b.Source.Flip;
}

// Bounds of the pixels a quad can touch, grown by one for filtering.
struct TBounds {
  float X0 = 1e9f, Y0 = 1e9f, X1 = -1e9f, Y1 = -1e9f;
  void Add(const TQuad& q) {
    for (const TQuadPoint& p : q.P) {
      X0 = std::min(X0, p.X);
      Y0 = std::min(Y0, p.Y);
      X1 = std::max(X1, p.X);
      Y1 = std::max(Y1, p.Y);
    }
  }
  bool Empty() const { return X1 < X0; }
  bool Meets(const TQuad& q) const {
    TBounds b;
    b.Add(q);
    return b.X1 + 1 >= X0 && b.X0 - 1 <= X1 && b.Y1 + 1 >= Y0 && b.Y0 - 1 <= Y1;
  }
};

inline std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
  h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  return h;
}

inline std::uint64_t FloatBits(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

}  // namespace

TmodGraphics::TmodGraphics(TsysMainWindow* owner, TsysInterface* iface, TDeviceFactory createDevice)
    : TsysModule(owner), Interface(iface), CreateDevice(std::move(createDevice)) {
  EventMask = ekSystem;
  ShowFPS = Interface->Resources->Settings.ShowFPS != 0;
  Commands.reserve(4096);
  Shown.reserve(4096);
  PaintedTargets.reserve(64);
}

TmodGraphics::~TmodGraphics() { Finalise(); }

bool TmodGraphics::Initialise() {
  if (CreateDevice) Device = CreateDevice();
  if (!Device) {
    ShowMessage(Tr("No Graphics :("),
                Tr("Unfortunately, Direct3D could not be initialised, and the game cannot run. Either your graphics "
                   "card does not support Direct3D, or you may need to update your DirectX to version 9.0c."));
    if (Owner != nullptr) Owner->Terminate();
    return false;
  }
  const TSettingsRecord& settings = Interface->Resources->Settings;
  Device->SetAntialias(settings.Antialias != 0);
  Device->SetWindowed(settings.Fullscreen == 0);
  Device->OnRestore = [this](TrndLost lost) {
    if (lost == TrndLost::Textures) Interface->Resources->ReloadTextures();
    if (lost != TrndLost::Nothing) RestoreNeeded = true;
    RestoreTargets();
  };
  ForceDraw = true;
  return true;
}

void TmodGraphics::Finalise() {
  if (!Device) return;
  // Images and targets still on the device are given up before it goes. (At
  // shutdown the director frees the interface first and says so by clearing it.)
  if (Interface != nullptr && Interface->Resources && Interface->Resources->Device == Device.get())
    Interface->Resources->SetDevice(nullptr);
  Device.reset();
}

void TmodGraphics::HandleEvent(TsysEvent* event) {
  TsysModule::HandleEvent(event);
  if (event->Kind != ekSystem) return;
  switch (event->Code) {
    case 3:
      RenderFrame();
      break;
    case 4:
      Present();
      break;
    case 16:
      ApplyDisplaySettings();
      break;
    case 17:
      if (Owner != nullptr) Owner->Minimise();
      break;
    default:
      break;
  }
}

void TmodGraphics::PaintTargets() {
  TsysResources* res = Interface->Resources.get();
  TargetsPainted = res->QueuedCount() > 0;
  PaintedTargets.clear();
  // Painting never queues again, but keep to the queue as it stands.
  for (std::int32_t i = 0; i < res->QueuedCount(); ++i) {
    TrndGfx* item = res->QueuedItem(i);
    if (item == nullptr || item->Target == 0) continue;
    if (Device->BeginTarget(item->Target, item->ClearColor)) {
      item->PaintTarget();
      Device->EndTarget();
      PaintedTargets.push_back(item->Target);
    }
    item->TargetReady = true;
  }
  res->ClearQueue();
}

void TmodGraphics::RenderFrame() {
  FrameDrawn = false;
  LastUnchanged = false;
  if (!Device) return;
  PaintTargets();
  const bool effectsOn = Interface->Resources->Settings.BlendingEffects != 0;
  if (ShowFPS) FpsText = "FPS:" + std::to_string(Interface->FrameRate);
  // Nothing drawn changed since the frame on screen was built: it is still
  // right, and only the watched numbers of its texts need a look.
  if (SkipIdenticalFrames && HavePresented && !ForceDraw && !TargetsPainted && SceneRevision == BuiltRevision &&
      effectsOn == BuiltEffects && ShowFPS == BuiltShowFPS && (!ShowFPS || FpsText == BuiltFpsText)) {
    for (TrndText* text : Watching) text->CheckWatches();
    ++FramesSkipped;
    ++FramesUnchanged;
    LastUnchanged = true;
    return;
  }
  BuiltRevision = SceneRevision;
  BuiltEffects = effectsOn;
  BuiltShowFPS = ShowFPS;
  BuiltFpsText = FpsText;
  BuildScene();
  const std::uint64_t hash = HashFrame();
  if (SkipIdenticalFrames && HavePresented && !ForceDraw && !TargetsPainted && hash == PresentedHash) {
    ++FramesSkipped;
    LastUnchanged = true;
    return;
  }
  TSceneRect area;
  const bool inPart = DrawChangedAreaOnly && HavePresented && !ForceDraw && ChangedArea(area) &&
                      Device->BeginSceneIn(0xFF000000, area);
  if (inPart) {
    TBounds box;
    box.X0 = static_cast<float>(area.X);
    box.Y0 = static_cast<float>(area.Y);
    box.X1 = static_cast<float>(area.X + area.W);
    box.Y1 = static_cast<float>(area.Y + area.H);
    for (const TDrawCmd& c : Commands)
      if (box.Meets(c.Quad)) Device->DrawQuad(c.Texture, c.Quad, c.Source, c.Colors, c.Blend);
    LastArea = area;
    ++FramesDrawnInPart;
  } else {
    Device->BeginScene(0xFF000000);
    for (const TDrawCmd& c : Commands) Device->DrawQuad(c.Texture, c.Quad, c.Source, c.Colors, c.Blend);
  }
  Device->EndScene();
  Shown.assign(Commands.begin(), Commands.end());
  PresentedHash = hash;
  FrameDrawn = true;
  ++FramesDrawn;
}

void TmodGraphics::Present() {
  if (!Device || !FrameDrawn) return;
  Device->Present();
  HavePresented = true;
  ForceDraw = false;
  FrameDrawn = false;
}

void TmodGraphics::Emit(TTextureId texture, const TQuad& quad, const TSourceRect& source,
                        const std::uint32_t colors[4], std::uint32_t blend) {
  TDrawCmd& c = Commands.emplace_back();
  c.Texture = texture;
  c.Quad = quad;
  c.Source = source;
  for (int i = 0; i < 4; ++i) c.Colors[i] = colors[i];
  c.Blend = blend;
}

void TmodGraphics::BuildScene() {
  Commands.clear();
  Watching.clear();
  TsysResources* res = Interface->Resources.get();
  TsysObjects* objects = Interface->Objects.get();
  const double zoom = res->Zoom;
  const double ox = 512 - res->CameraX * zoom;
  const double oy = 384 - res->CameraY * zoom;
  const bool effectsOn = res->Settings.BlendingEffects != 0;

  for (std::int32_t layer = 0; layer < objects->LayerCount(); ++layer) {
    const std::int32_t size = objects->LayerSize(layer);
    for (std::int32_t i = 0; i < size; ++i) {
      TobjBase* object = objects->LayerObject(layer, i);
      if (!object->Visible) continue;
      const bool screenSpace = object->Space == csScreen;
      double sx;
      double sy;
      double sw;
      double sh;
      double s;
      if (screenSpace) {
        sx = object->X;
        sy = object->Y;
        sw = object->Width;
        sh = object->Height;
        s = 1.0;
      } else {
        sx = object->X * zoom + ox;
        sy = object->Y * zoom + oy;
        sw = object->Width * zoom;
        sh = object->Height * zoom;
        s = zoom;
        if (!(sx + sw >= 0 && sx - sw <= ScreenW && sy + sh >= 0 && sy - sh <= ScreenH)) continue;
      }
      for (const auto& item : object->Items) {
        if (item->AboveLayer) {
          Deferred.push_back({item.get(), sx, sy, s, screenSpace});
        } else {
          AddItem(*item, sx, sy, s, screenSpace, effectsOn);
        }
        if (!item->IsText()) continue;
        auto* text = static_cast<TrndText*>(item.get());
        if (!text->Watches.empty()) Watching.push_back(text);
        text->CheckWatches();
      }
    }
    for (const TDeferredItem& d : Deferred) AddItem(*d.Item, d.X, d.Y, d.Scale, d.ScreenSpace, effectsOn);
    Deferred.clear();
  }
  if (ShowFPS) AddFrameCounter();
}

void TmodGraphics::AddItem(const TrndGfx& item, double sx, double sy, double s, bool screenSpace, bool effectsOn) {
  std::uint32_t effect = item.DrawEffect;
  if (!effectsOn && effect != beOpaque && effect != beAlpha) effect = beAlpha;

  TTextureId texture = 0;
  TSourceRect src;
  src.Mirror = item.TexCoord.Mirror;
  src.Flip = item.TexCoord.Flip;
  double fullW;
  double fullH;
  if (item.Source == gsTarget) {
    if (item.Target == 0 || !item.TargetReady) return;
    texture = item.Target;
    fullW = item.Width;
    fullH = item.Height;
    src.X = static_cast<float>(item.TexCoord.SrcX);
    src.Y = static_cast<float>(item.TexCoord.SrcY);
  } else {
    TImageSet* set = Interface->Resources->ImageSet(item.ImageSet);
    TImage* image = set != nullptr ? set->Image(item.ImageIndex) : nullptr;
    std::int32_t tex = 0;
    std::int32_t px = 0;
    std::int32_t py = 0;
    if (image == nullptr || !image->PatternOrigin(item.TexCoord.Pattern, tex, px, py) ||
        static_cast<std::size_t>(tex) >= image->DeviceTextures.size())
      return;
    texture = image->DeviceTextures[static_cast<std::size_t>(tex)];
    fullW = image->VisibleWidth;
    fullH = image->VisibleHeight;
    src.X = static_cast<float>(px + item.TexCoord.SrcX);
    src.Y = static_cast<float>(py + item.TexCoord.SrcY);
  }
  if (!item.Visible || texture == 0) return;
  double srcW = item.TexCoord.SrcWidth > 0 ? item.TexCoord.SrcWidth.Get() : fullW;
  double srcH = item.TexCoord.SrcHeight > 0 ? item.TexCoord.SrcHeight.Get() : fullH;
  const std::uint32_t colors[4] = {item.VertexColors[0], item.VertexColors[1], item.VertexColors[2],
                                   item.VertexColors[3]};

  double ix = item.RelX * s + sx;
  double iy = item.RelY * s + sy;
  double iw = item.Width * s;
  double ih = item.Height * s;

  switch (item.DrawMode) {
    case 1: {
      if (item.Scale <= 0) return;
      double srcX = src.X;
      double srcY = src.Y;
      // Scaled first: the cut must fall where the drawn picture meets the edge.
      iw *= item.Scale;
      ih *= item.Scale;
      if (!item.IsText()) {
        // Pictures are cut at the screen; the bottom edge only for world objects.
        CutAxis(ix, iw, srcX, srcW, item.Width, s * item.Scale, ScreenW, true);
        CutAxis(iy, ih, srcY, srcH, item.Height, s * item.Scale, ScreenH, !screenSpace);
        if (iw <= 0 || ih <= 0 || srcW <= 0 || srcH <= 0) return;
      }
      if (!screenSpace && !(ix <= ScreenW && iy <= ScreenH)) return;
      src.X = static_cast<float>(srcX);
      src.Y = static_cast<float>(srcY);
      src.W = static_cast<float>(srcW);
      src.H = static_cast<float>(srcH);
      const double w = static_cast<double>(Round(iw));
      const double h = static_cast<double>(Round(ih));
      Emit(texture, RectQuad(static_cast<float>(ix), static_cast<float>(iy), static_cast<float>(w),
                             static_cast<float>(h)),
           src, colors, effect);
      break;
    }
    case 2:
      src.W = static_cast<float>(srcW);
      src.H = static_cast<float>(srcH);
      Emit(texture, RotatedQuad(ix, iy, iw, ih, iw, ih, item.Angle, item.Scale), src, colors, effect);
      break;
    case 3:
      if (!screenSpace && !(ix + iw / 2 >= 0 && iy + ih / 2 >= 0 && ix - iw / 2 <= ScreenW && iy - ih / 2 <= ScreenH))
        return;
      src.W = static_cast<float>(srcW);
      src.H = static_cast<float>(srcH);
      Emit(texture, RotatedQuad(ix, iy, iw, ih, iw / 2, ih / 2, item.Angle, item.Scale), src, colors,
           effect);
      break;
    case 4: {
      const double zoom = Interface->Resources->Zoom;
      TQuad q;
      for (int k = 0; k < 4; ++k)
        q.P[k] = {static_cast<float>(item.Corners[k].X * zoom + ix), static_cast<float>(item.Corners[k].Y * zoom + iy)};
      src.W = static_cast<float>(srcW);
      src.H = static_cast<float>(srcH);
      Emit(texture, q, src, colors, effect);
      break;
    }
    default:
      break;
  }
}

void TmodGraphics::AddFrameCounter() {
  TImageSet* set = Interface->Resources->ImageSet(0);
  TImage* sheet = set != nullptr ? set->Image(2) : nullptr;
  if (sheet == nullptr || sheet->DeviceTextures.empty()) return;
  if (FpsText.empty()) FpsText = "FPS:" + std::to_string(Interface->FrameRate);
  static const std::uint32_t white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
  const TFontMetrics& m = FontMetrics(10);
  for (std::size_t i = 0; i < FpsText.size(); ++i) {
    const auto code = static_cast<std::uint8_t>(FpsText[i]);
    if (code < 32 || code == 127) continue;
    const TGlyphCell cell = FontGlyphCell(m, code, true);
    TSourceRect src;
    src.X = static_cast<float>(cell.X);
    src.Y = static_cast<float>(cell.Y);
    src.W = static_cast<float>(m.CharWidth);
    src.H = static_cast<float>(m.CharHeight);
    Emit(sheet->DeviceTextures[0],
         RectQuad(static_cast<float>(614 + m.CharWidth * static_cast<int>(i)), 9.0f, src.W, src.H), src, white,
         beAlpha);
  }
}

std::uint64_t TmodGraphics::HashFrame() const {
  std::uint64_t h = Commands.size();
  for (const TDrawCmd& c : Commands) {
    h = Mix(h, c.Texture);
    h = Mix(h, c.Blend);
    for (int i = 0; i < 4; ++i) {
      h = Mix(h, FloatBits(c.Quad.P[i].X) | (FloatBits(c.Quad.P[i].Y) << 32));
      h = Mix(h, c.Colors[i]);
    }
    h = Mix(h, FloatBits(c.Source.X) | (FloatBits(c.Source.Y) << 32));
    h = Mix(h, FloatBits(c.Source.W) | (FloatBits(c.Source.H) << 32));
    h = Mix(h, static_cast<std::uint64_t>(c.Source.Mirror) | (static_cast<std::uint64_t>(c.Source.Flip) << 1));
  }
  return h;
}

bool TmodGraphics::ChangedArea(TSceneRect& area) const {
  auto painted = [this](TTextureId t) {
    return std::find(PaintedTargets.begin(), PaintedTargets.end(), t) != PaintedTargets.end();
  };
  const std::size_t n = Commands.size();
  const std::size_t m = Shown.size();
  std::size_t head = 0;
  while (head < n && head < m && SameCmd(Commands[head], Shown[head])) ++head;
  std::size_t tail = 0;
  while (tail < n - head && tail < m - head && SameCmd(Commands[n - 1 - tail], Shown[m - 1 - tail])) ++tail;
  TBounds box;
  for (std::size_t i = head; i < n - tail; ++i) box.Add(Commands[i].Quad);
  for (std::size_t i = head; i < m - tail; ++i) box.Add(Shown[i].Quad);
  // A target painted again shows new pixels wherever it is drawn.
  if (!PaintedTargets.empty())
    for (const TDrawCmd& c : Commands)
      if (painted(c.Texture)) box.Add(c.Quad);
  if (box.Empty()) return false;
  const int x0 = std::max(0, static_cast<int>(std::floor(box.X0)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(box.Y0)) - 1);
  const int x1 = std::min(static_cast<int>(ScreenW), static_cast<int>(std::ceil(box.X1)) + 1);
  const int y1 = std::min(static_cast<int>(ScreenH), static_cast<int>(std::ceil(box.Y1)) + 1);
  if (x1 <= x0 || y1 <= y0) return false;
  area = TSceneRect{x0, y0, x1 - x0, y1 - y0};
  // Past a third of the screen a whole frame costs about the same.
  return static_cast<double>(area.W) * area.H < ScreenW * ScreenH / 3;
}

void TmodGraphics::RestoreTargets() {
  if (!Device || !Device->IsActive()) return;
  if (!RestoreNeeded) return;
  TsysObjects* objects = Interface->Objects.get();
  for (std::int32_t i = 0; i < objects->Count(); ++i) {
    TobjBase* object = objects->ObjectAt(i);
    if (object == nullptr) continue;
    for (auto& item : object->Items)
      if (item->Source == gsTarget) item->RefreshTarget();
  }
  RestoreNeeded = false;
  ForceDraw = true;
}

void TmodGraphics::ApplyDisplaySettings() {
  if (!Device) return;
  const TSettingsRecord& settings = Interface->Resources->Settings;
  const bool windowed = settings.Fullscreen == 0;
  if (Device->IsWindowed() != windowed) {
    RestoreNeeded = true;
    Device->SetWindowed(windowed);
  }
  if (Device->GetAntialias() != (settings.Antialias != 0)) Device->SetAntialias(settings.Antialias != 0);
  ShowFPS = settings.ShowFPS != 0;
  if (windowed && Owner != nullptr) Owner->SnapClientArea();
  ForceDraw = true;
}

bool TmodGraphics::SaveScreenshot(const std::string& path) {
  if (!Device) return false;
  std::vector<std::uint32_t> pixels;
  if (!Device->CaptureFrame(Commands, pixels)) return false;
  return WritePng(path, 1024, 768, pixels);
}
