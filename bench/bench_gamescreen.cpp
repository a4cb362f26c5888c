// The game screen at its heaviest: a Rozir Ivivuruda game on Crazy after ten
// level-ups (fifteen monsters, most of them large), with the Doom Device fired
// on all of them: every hit of every monster zaps and bursts sparks, and the
// rings spread. Measured through the whole program (director, bus, game screen,
// monster director, graphics module) on the current SDL video driver:
//   - one logic step (CPU time), the scene built again every 30 steps;
//   - the frame drawn through the graphics module, against the same quads sent
//     straight to SDL_RenderGeometry: both sides timed to the frame drawn (one
//     window pixel read back after each), and to the commands sent;
//   - a paused game under the in-game menu, 5 s with identical frames skipped
//     and 5 s without (not in a browser, where this loop never yields to the
//     page and the page has no CPU clock: bench/web_idle.js measures a screen
//     at rest there, with the CPU of every browser process).
// Usage (under Xvfb for the OpenGL figures): bench_gamescreen BUILD_FOLDER/
// (the folder holding data/). Save files go to a temporary folder.
#include <SDL.h>
#include <sys/resource.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/modScripting.h"
#include "core/sysEventHandler.h"
#include "core/sysRandom.h"
#include "data/sysResources.h"
#include "tables/defLevels.h"
#include "game/frmGame.h"
#include "game/objMonster.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "objects/sysScreenIds.h"
#include "benchBareFrame.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"
#include "render/modInput.h"

namespace {

constexpr int LevelUps = 10;
constexpr int StepsPerRound = 30;
constexpr int Rounds = 60;

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// CPU time of this thread, to the nanosecond: one logic step is far below a scheduler tick.
double ThreadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Returns once every command sent so far has been drawn: a pixel of the window
// cannot be read before. In a browser this waits for the GPU process too.
void WaitUntilDrawn(SDL_Renderer* r) {
  SDL_SetRenderTarget(r, nullptr);
  std::uint32_t pixel = 0;
  const SDL_Rect one{0, 0, 1, 1};
  SDL_RenderReadPixels(r, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
}

void RunFor(TplatWindow& window, double seconds) {
  const double end = Now() + seconds;
  while (Now() < end && !window.IsTerminated()) window.PumpOnce();
}

struct TBench {
  TplatWindow Window;
  TplatClock Clock;
  std::unique_ptr<TmodScripting> Director;
  TplatDevice* Device = nullptr;
  std::string SaveDir;

  explicit TBench(const std::string& folder) {
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    Window.Create(false);
    SaveDir = std::filesystem::temp_directory_path() / ("plotfray-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(SaveDir);
    // Windowed: a full-screen switch would only cost time here.
    const char settings[24] = {0, 1, 1, 0, 0, 0, 0, 0, static_cast<char>(0xb8), 0x0b, 0, 0, 0x2d, 0, 0, 0,
                               -1, -1, -1, -1, 0, 0, 0, 0};
    std::FILE* f = std::fopen((SaveDir + "/Settings.ini").c_str(), "wb");
    if (f != nullptr) {
      std::fwrite(settings, 1, sizeof settings, f);
      std::fclose(f);
    }
    TsysPlatform platform;
    platform.Window = &Window;
    platform.Clock = &Clock;
    platform.SaveFolder = SaveDir + "/";
    platform.CreateDevice = [this]() -> std::unique_ptr<TrndDevice> {
      auto d = TplatDevice::Create(&Window, true, true);
      Device = d.get();
      return d;
    };
    Director = std::make_unique<TmodScripting>(platform, folder, DefaultScreenFactories());
    Director->LoadingWait = false;
    TsysResources* res = Director->Interface->Resources.get();
    res->GameKind = GameKind::Arcade;
    res->GameType = GameType::QuickQuadrants;
    res->Difficulty = Difficulty::Crazy;
    Director->CloseScreen(ssLoading);
    Director->SwitchScreen(sidGame, grArcade, 0);
    for (int i = 0; i < 20; ++i) Director->Events->Tick();  // past the fade-in
  }
  ~TBench() {
    Director.reset();
    std::filesystem::remove_all(SaveDir);
    SDL_Quit();
  }
  TfrmGame* Game() const { return dynamic_cast<TfrmGame*>(Director->Screen(ssGame)); }
  TsysResources* Res() const { return Director->Interface->Resources.get(); }
  TsysObjects* Objects() const { return Director->Interface->Objects.get(); }

  // A new game after ten level-ups, the field full of grown monsters, the Doom Device fired.
  void BuildScene(std::uint32_t seed) {
    RandomSeed(seed);
    TfrmGame* game = Game();
    game->StartGame();
    for (int i = 0; i < LevelUps; ++i) ApplyLevelStep(Res()->Level);
    Res()->LevelNumber = 1 + LevelUps;
    const int monsters = static_cast<int>(std::ceil(Res()->Level.MaxMonsters[Difficulty::Crazy]));
    for (int i = 0; i < monsters; ++i) {
      TobjMonster* m = game->SpawnMonster();
      m->DrawnPixels = m->TargetPixels;
    }
    Res()->DoomCharge = 100;
    Director->Input->KeyDown('D', 0);
    Director->Input->KeyUp('D', 0);
    Director->Events->Tick();  // the screen fires
    Director->Events->Tick();  // the monster director hits them all
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_gamescreen BUILD_FOLDER/ (the folder with data/)\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '/') folder += '/';
  TBench b(folder);
  if (b.Game() == nullptr) {
    std::fprintf(stderr, "no game screen\n");
    return 1;
  }

  // --- logic steps ---
  double stepCpu = 0;
  double worst = 0;
  std::size_t peakObjects = 0;
  int peakMonsters = 0;
  int peakEffects = 0;
  int peakSparks = 0;
  for (int round = 0; round < Rounds; ++round) {
    b.BuildScene(100 + round);
    peakMonsters = std::max(peakMonsters, b.Objects()->TypeSize(otMonster));
    for (int s = 0; s < StepsPerRound; ++s) {
      const double c0 = ThreadCpuSeconds();
      b.Director->Events->Tick();
      const double c = ThreadCpuSeconds() - c0;
      stepCpu += c;
      worst = std::max(worst, c);
      peakObjects = std::max<std::size_t>(peakObjects, static_cast<std::size_t>(b.Objects()->Count()));
      peakEffects = std::max(peakEffects, b.Objects()->TypeSize(otEffect));
      peakSparks = std::max(peakSparks, b.Objects()->TypeSize(otSpark));
    }
  }
  const double steps = Rounds * StepsPerRound;
  std::printf("logic step: %.3f ms CPU on average over %.0f steps, worst %.3f ms; peak %zu objects "
              "(%d monsters, %d effects, %d spark bursts)\n",
              stepCpu / steps * 1000, steps, worst * 1000, peakObjects, peakMonsters, peakEffects, peakSparks);

  // --- one frame of the heaviest moment: 8 steps after the Doom Device ---
  b.BuildScene(7);
  for (int s = 0; s < 8; ++s) b.Director->Events->Tick();
  TmodGraphics* g = b.Director->Graphics.get();
  g->SkipIdenticalFrames = false;
  SDL_Renderer* r = b.Device->Renderer();
  g->RenderFrame();  // paints the text targets once
  g->Present();
  const int frames = 60;
  const std::size_t quads = g->Frame().size();

  const TBareFrame bareFrame(g->Frame(), b.Device);
  // The machine is shared: the two are timed in turns, side by side, and the
  // best turn of each kept; the spread of the turns' ratios is printed too.
  // Drawn: each frame ends with a pixel read back, so both sides pay for the
  // whole frame; sent: without, so a side may leave work queued.
  for (const bool drawn : {true, false}) {
    double module = 1e9;
    double bare = 1e9;
    double lowRatio = 1e9;
    double highRatio = 0;
    for (int turn = 0; turn < 5; ++turn) {
      double t0 = Now();
      for (int i = 0; i < frames; ++i) {
        g->RenderFrame();
        SDL_RenderFlush(r);
        if (drawn) WaitUntilDrawn(r);
      }
      const double m = (Now() - t0) / frames;
      t0 = Now();
      for (int i = 0; i < frames; ++i) {
        bareFrame.Draw(r);
        if (drawn) WaitUntilDrawn(r);
      }
      const double n = (Now() - t0) / frames;
      module = std::min(module, m);
      bare = std::min(bare, n);
      lowRatio = std::min(lowRatio, m / n);
      highRatio = std::max(highRatio, m / n);
    }
    std::printf("frame %s: %.3f ms through the graphics module, %.3f ms bare SDL_RenderGeometry (%.2fx, turns "
                "%.2fx-%.2fx); %zu quads in %zu runs\n",
                drawn ? "drawn" : "sent", module * 1000, bare * 1000, module / bare, lowRatio, highRatio, quads,
                bareFrame.RunCount());
  }
  // Where the difference lies: the same bare quads drawn into a 1024 x 768
  // picture first, copied to the window as the module's frame picture is.
  SDL_Texture* picture = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, 1024, 768);
  if (picture != nullptr) {
    for (const bool drawn : {true, false}) {
      double via = 1e9;
      for (int turn = 0; turn < 5; ++turn) {
        const double t0 = Now();
        for (int i = 0; i < frames; ++i) {
          bareFrame.Draw(r, picture);
          if (drawn) WaitUntilDrawn(r);
        }
        via = std::min(via, (Now() - t0) / frames);
      }
      std::printf("frame %s, bare through a frame picture: %.3f ms\n", drawn ? "drawn" : "sent", via * 1000);
    }
    SDL_DestroyTexture(picture);
  }
  // The module's own share: walking the layers into quads, without drawing.
  double build = 1e9;
  for (int turn = 0; turn < 5; ++turn) {
    const double t0 = ThreadCpuSeconds();
    for (int i = 0; i < frames; ++i) g->BuildFrameForTest();
    build = std::min(build, (ThreadCpuSeconds() - t0) / frames);
  }
  std::printf("scene building: %.3f ms CPU a frame\n", build * 1000);

  // --- a paused game under the in-game menu ---
#ifdef __EMSCRIPTEN__
  std::printf("paused: not measured in a browser (see bench/web_idle.js)\n");
  return 0;
#endif
  b.BuildScene(9);
  b.Director->Timer->SetEnabled(true);
  RunFor(b.Window, 2.0);
  b.Director->Input->KeyDown(0x1B, 0);
  b.Director->Input->KeyUp(0x1B, 0);
  RunFor(b.Window, 2.0);  // the menu fades in, the game stands still
  if (!b.Res()->Paused) std::printf("note: the game did not pause\n");
  for (bool skip : {true, false}) {
    g->SkipIdenticalFrames = skip;
    const auto drawn = g->FramesDrawn;
    const double cpu0 = CpuSeconds();
    RunFor(b.Window, 5.0);
    const double cpu = CpuSeconds() - cpu0;
    std::printf("paused, skip %-3s: %.1f%% of one core over 5 s, %llu frames drawn\n", skip ? "on" : "off",
                cpu / 5.0 * 100, static_cast<unsigned long long>(g->FramesDrawn - drawn));
  }
  return 0;
}
