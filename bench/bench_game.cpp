// The game core under load: a board of range 5 with 50 walking monsters, 10
// spark bursts and 20 zaps. One logic step (the bus tick that runs the monster
// director and every object), and the frame that draws the scene through the
// graphics module against the same quads sent straight to SDL_RenderGeometry.
// The pictures are stand-ins of the real sizes, so the figures do not depend on
// the art in data/. Runs on whatever SDL video driver is set (dummy: the
// software renderer; under Xvfb: OpenGL).
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/sysEventHandler.h"
#include "core/sysRandom.h"
#include "data/sysImages.h"
#include "data/sysResources.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"
#include "game/modAI.h"
#include "game/objEffect.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "game/objMonster.h"
#include "game/objSpark.h"
#include "game/sysGameObjects.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "benchBareFrame.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"

namespace {

constexpr int Monsters = 50;
constexpr int Bursts = 10;
constexpr int Zaps = 20;
// Effects of the bench live this long, so the scene stays the same size.
constexpr std::int32_t Forever = 1 << 28;
// Steps between putting the scene back as built (with the clock stopped): long
// before any monster reaches the origin or a spark leaves the screen.
constexpr int StepsPerRound = 200;

std::unique_ptr<TImage> Picture(int textureW, int textureH, int patternW, int patternH) {
  auto img = std::make_unique<TImage>();
  img->TextureWidth = textureW;
  img->TextureHeight = textureH;
  img->PatternWidth = img->VisibleWidth = patternW;
  img->PatternHeight = img->VisibleHeight = patternH;
  img->PatternCount = (textureW / patternW) * (textureH / patternH);
  img->Textures.emplace_back(static_cast<std::size_t>(textureW) * textureH, 0xC0FFFFFF);
  return img;
}

struct TGameScene {
  TGameScene() {
    SDL_Init(SDL_INIT_VIDEO);
    Window.Create(false);
    Events = std::make_unique<TsysEventHandler>();
    Iface = std::make_unique<TsysInterface>(&Window, Events.get(), "/tmp/plotfray-bench/");
    AddGameObjectFactories(Iface->Objects->Factories);
    AI = std::make_unique<TmodAI>(&Window, Iface.get());
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
    LoadStandIns(res);
    Events->Register(AI.get());
    Events->Register(Iface->Objects.get());

    res.GameKind = GameKind::Arcade;
    res.GameType = GameType::WhatsThePoint;
    res.Difficulty = Difficulty::Crazy;  // range 5, all sizes
    res.Level = ArcadeStartLevels[GameType::WhatsThePoint - 1];
    BuildBoard();
    RandomSeed(77);
    for (int i = 0; i < Monsters; ++i) {
      auto* m = Iface->Objects->Create<TobjMonster>(grGame, otMonster, 0, 0, 3, 68, 68);
      m->Setup();
      m->DrawnPixels = m->TargetPixels;  // grown: walking
      MonsterList.push_back(m);
    }
    PlaceMonsters();
    for (int i = 0; i < Zaps; ++i) {
      const double a = i * 0.31;
      AI->Zap({128 + 330 * std::cos(a), 300 * std::sin(a)}, {128 + 60 * std::cos(a * 3), 60 * std::sin(a * 2)}, i % 9, Forever);
    }
    // Zap brings its own burst; keep only the bursts the scene asks for.
    while (Iface->Objects->TypeSize(otSpark) > 0) Iface->Objects->DeleteObject(Iface->Objects->TypeObject(otSpark, 0)->Index);
    for (int i = 0; i < Bursts; ++i) {
      auto* s = Iface->Objects->Create<TobjSpark>(grGame, otSpark, 0, 0, 5, 4, 4);
      SparkList.push_back(s);
    }
    BurstSparks();
    Events->Tick();
    Graphics->RenderFrame();  // paints the text targets once
    Graphics->Present();
  }
  ~TGameScene() {
    Iface->Objects->DeleteAll();
    AI->Interface = nullptr;
    Iface.reset();
    Graphics.reset();
  }

  void LoadStandIns(TsysResources& res) {
    TImageSet* core = res.ImageSet(res.AddImageSet());
    core->Add(Picture(16, 16, 16, 16));    // 0: white
    core->Add(Picture(16, 16, 16, 16));
    core->Add(Picture(512, 512, 512, 512));  // 2: font sheet and spark dot
    res.AddImageSet();                       // 1: menus
    TImageSet* sprites = res.ImageSet(res.AddImageSet());
    for (std::int32_t i = 0; i < Sprite::Count; ++i) {
      switch (i) {
        case Sprite::Backdrop: sprites->Add(Picture(768, 128, 128, 128)); break;
        case Sprite::Monsters: sprites->Add(Picture(544, 476, 68, 68)); break;
        case Sprite::ZapLong:
        case Sprite::ZapShort: sprites->Add(Picture(512, 384, 512, 16)); break;
        case Sprite::QuadrantTiles: sprites->Add(Picture(256, 256, 128, 128)); break;
        case Sprite::Status: sprites->Add(Picture(128, 64, 64, 64)); break;
        default: sprites->Add(Picture(64, 64, 64, 64)); break;
      }
    }
  }

  void BuildBoard() {
    TsysObjects* objects = Iface->Objects.get();
    const std::int32_t range = 5;
    auto* map = objects->Create<TobjMap>(grGame, otMap, 0, 0, 0, 512, 512);
    map->Build(range, range);
    const double tileAt[4][2] = {{256, -128}, {0, -128}, {0, 128}, {256, 128}};
    for (std::int32_t q = 1; q <= 4; ++q) {
      auto* tile = objects->Create<TobjGridPoint>(grGame, otGridPoint, tileAt[q - 1][0], tileAt[q - 1][1], 1, 255, 255);
      tile->MakeTile(q);
      tile->Active = false;
    }
    for (std::int32_t x = -range; x <= range; ++x)
      for (std::int32_t y = -range; y <= range; ++y) {
        const TVector2 at = map->PlaneToScreen({static_cast<double>(x), static_cast<double>(-y)});
        auto* point = objects->Create<TobjGridPoint>(grGame, otGridPoint, at.X + 128, at.Y, 1, 51, 51);
        point->SetPoint(x, y);
      }
  }

  // On a ring well away from the origin, so no monster arrives within a round.
  void PlaceMonsters() {
    for (int i = 0; i < Monsters; ++i) {
      const double a = 2 * M_PI * i / Monsters;
      TobjMonster* m = MonsterList[static_cast<std::size_t>(i)];
      m->X = 128 + 340 * std::cos(a);
      m->Y = 300 * std::sin(a);
      m->Velocity = {0, 0};
    }
  }

  // Back to the scene as built: monsters on their ring, sparks at their start.
  void Reset() {
    PlaceMonsters();
    BurstSparks();
  }

  void BurstSparks() {
    for (int i = 0; i < Bursts; ++i)
      SparkList[static_cast<std::size_t>(i)]->Burst({128.0 + 30 * i, 20.0 * i - 100}, 75, 0xFFFF40, Forever, 0.01);
  }

  TplatWindow Window;
  std::unique_ptr<TsysEventHandler> Events;
  std::unique_ptr<TsysInterface> Iface;
  std::unique_ptr<TmodAI> AI;
  std::unique_ptr<TmodGraphics> Graphics;
  TplatDevice* Device = nullptr;
  std::vector<TobjMonster*> MonsterList;
  std::vector<TobjSpark*> SparkList;
};

TGameScene& Scene() {
  static TGameScene scene;
  return scene;
}

void BM_LogicStep(benchmark::State& state) {
  TGameScene& s = Scene();
  int steps = 0;
  for (auto _ : state) {
    s.Events->Tick();
    if (++steps == StepsPerRound) {
      state.PauseTiming();
      s.Reset();
      steps = 0;
      state.ResumeTiming();
    }
  }
  state.counters["monsters"] = s.Iface->Objects->TypeSize(otMonster);
  state.counters["objects"] = s.Iface->Objects->Count();
}
BENCHMARK(BM_LogicStep)->Unit(benchmark::kMicrosecond);

void BM_FrameThroughGraphicsModule(benchmark::State& state) {
  TGameScene& s = Scene();
  s.Reset();
  for (auto _ : state) {
    s.Graphics->RenderFrame();
    SDL_RenderFlush(s.Device->Renderer());
  }
  state.counters["quads"] = static_cast<double>(s.Graphics->Frame().size());
  state.counters["batches"] = s.Device->Batches();
}
BENCHMARK(BM_FrameThroughGraphicsModule)->Unit(benchmark::kMillisecond);

void BM_FrameThroughBareRenderGeometry(benchmark::State& state) {
  TGameScene& s = Scene();
  s.Reset();
  s.Graphics->RenderFrame();
  SDL_Renderer* r = s.Device->Renderer();
  const TBareFrame bare(s.Graphics->Frame(), s.Device);
  for (auto _ : state) bare.Draw(r);
  state.counters["batches"] = static_cast<double>(bare.RunCount());
}
BENCHMARK(BM_FrameThroughBareRenderGeometry)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
