// A frame of 5,000 textured quads and 200 text items drawn through the graphics
// module, against the same quads sent straight to SDL_RenderGeometry.
// Runs on whatever SDL video driver is set (dummy: the software renderer;
// under Xvfb: OpenGL).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "core/sysEventHandler.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "benchBareFrame.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"

namespace {

struct TScene {
  TScene() {
    SDL_Init(SDL_INIT_VIDEO);
    Window.Create(false);
    Events = std::make_unique<TsysEventHandler>();
    Iface = std::make_unique<TsysInterface>(&Window, Events.get(), "/tmp/plotfray-bench/");
    Iface->Resources->Settings.Fullscreen = 0;
    Graphics = std::make_unique<TmodGraphics>(&Window, Iface.get(), [this]() -> std::unique_ptr<TrndDevice> {
      auto d = TplatDevice::Create(&Window, true, true);
      Device = d.get();
      return d;
    });
    Graphics->Initialise();
    Graphics->SkipIdenticalFrames = false;
    TsysResources& res = *Iface->Resources;
    res.SetDevice(Device);
    // Set 0 with a font sheet at image 2; set 1 with two 256 x 256 sprite sheets of 32 x 32 patterns.
    TImageSet* set0 = res.ImageSet(res.AddImageSet());
    for (int i = 0; i < 3; ++i) set0->Add(Image(i == 2 ? 512 : 16, i == 2 ? 512 : 16));
    TImageSet* set1 = res.ImageSet(res.AddImageSet());
    set1->Add(Image(256, 32));
    set1->Add(Image(256, 32));
    // 1,000 objects of five pictures each (two sheets, runs of the same sheet).
    for (int i = 0; i < 1000; ++i) {
      TobjBase* o = Iface->Objects->CreateObject(0, otStatic, (i * 37) % 960, (i * 53) % 700, 1 + i / 100, 32, 32);
      o->Space = csScreen;
      o->MainItem->SetImage(1, i % 2, i % 64);
      for (int k = 0; k < 4; ++k) {
        TTexCoord tc;
        o->AddPicture(1, i % 2, (i + k) % 64, tc, TPointD{k * 4.0, k * 3.0}, TPointI{32, 32}, 0xCCCC00, 200);
      }
    }
    for (int i = 0; i < 200; ++i) {
      TobjBase* o = Iface->Objects->CreateObject(1, otStatic, (i * 97) % 900, (i * 31) % 740, 20, 120, 16);
      o->Space = csScreen;
      o->MainItem->Visible = false;
      o->AddText()->SetText("Score " + std::to_string(i * 250), 8 + (i % 3) * 2, i % 2 == 0, true, false, false, false);
    }
    Graphics->RenderFrame();  // paints the 200 text targets once
    Graphics->Present();
  }
  ~TScene() {
    Iface.reset();
    Graphics.reset();
  }
  static std::unique_ptr<TImage> Image(int size, int pattern) {
    auto img = std::make_unique<TImage>();
    img->TextureWidth = img->TextureHeight = size;
    img->PatternWidth = img->PatternHeight = img->VisibleWidth = img->VisibleHeight = pattern;
    img->PatternCount = (size / pattern) * (size / pattern);
    img->Textures.emplace_back(static_cast<std::size_t>(size) * size, 0x80FFFFFF);
    return img;
  }

  TplatWindow Window;
  std::unique_ptr<TsysEventHandler> Events;
  std::unique_ptr<TsysInterface> Iface;
  std::unique_ptr<TmodGraphics> Graphics;
  TplatDevice* Device = nullptr;
};

TScene& Scene() {
  static TScene scene;
  return scene;
}

void BM_FrameThroughGraphicsModule(benchmark::State& state) {
  TScene& s = Scene();
  for (auto _ : state) {
    s.Graphics->RenderFrame();
    SDL_RenderFlush(s.Device->Renderer());
  }
  state.counters["quads"] = static_cast<double>(s.Graphics->Frame().size());
  state.counters["batches"] = s.Device->Batches();
}
BENCHMARK(BM_FrameThroughGraphicsModule)->Unit(benchmark::kMillisecond);

void BM_FrameThroughBareRenderGeometry(benchmark::State& state) {
  TScene& s = Scene();
  s.Graphics->RenderFrame();
  SDL_Renderer* r = s.Device->Renderer();
  const TBareFrame bare(s.Graphics->Frame(), s.Device);
  for (auto _ : state) bare.Draw(r);
  state.counters["batches"] = static_cast<double>(bare.RunCount());
}
BENCHMARK(BM_FrameThroughBareRenderGeometry)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
