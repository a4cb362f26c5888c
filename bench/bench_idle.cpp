// CPU share of the idle main menu, with and without skipping frames identical
// to the one on screen. Runs the whole program on the current SDL video driver
// (under Xvfb: DISPLAY=:n bench_idle DATA_FOLDER/), 10 s per mode.
#include <SDL.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/modScripting.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"
#include "render/modInput.h"

namespace {

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the window's loop for the given wall time.
void RunFor(TplatWindow& window, double seconds) {
  const Uint64 end = SDL_GetPerformanceCounter() + static_cast<Uint64>(seconds * SDL_GetPerformanceFrequency());
  while (SDL_GetPerformanceCounter() < end && !window.IsTerminated()) window.PumpOnce();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_idle PROGRAM_FOLDER/ (with data/ and a profile)\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '/') folder += '/';
  SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
  TplatWindow window;
  window.Create(false);
  TplatClock clock;
  TsysPlatform platform;
  platform.Window = &window;
  platform.Clock = &clock;
  platform.CreateDevice = [&]() -> std::unique_ptr<TrndDevice> { return TplatDevice::Create(&window, true, true); };
  auto director = std::make_unique<TmodScripting>(platform, folder, DefaultScreenFactories());
  // Past the loading screen to the main menu, then let the fades finish.
  director->Input->ButtonDown(0, 500, 400, 0);
  director->Input->ButtonUp(0, 500, 400, 0);
  RunFor(window, 3.0);
  if (director->Interface->Resources->ProfileCount() == 0) std::fprintf(stderr, "note: no profile, idle on profile creation\n");

  for (bool skip : {true, false}) {
    director->Graphics->SkipIdenticalFrames = skip;
    const auto drawn = director->Graphics->FramesDrawn;
    const double cpu0 = CpuSeconds();
    RunFor(window, 10.0);
    const double cpu = CpuSeconds() - cpu0;
    std::printf("skip %-3s: %.1f%% of one core over 10 s, %llu frames drawn, frame rate %d\n", skip ? "on" : "off",
                cpu * 10.0, static_cast<unsigned long long>(director->Graphics->FramesDrawn - drawn),
                director->Interface->FrameRate);
  }
  director.reset();
  SDL_Quit();
  return 0;
}
