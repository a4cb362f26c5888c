// Start-up time: from the top of main to the first presented frame whose loading
// screen says "CLICK TO CONTINUE", with the program's own set-up (SDL, window,
// renderer, every archive, music, sound on the current SDL audio driver). Run it
// under Xvfb: DISPLAY=:n bench_startup PROGRAM_FOLDER/. Prints the wall time,
// the CPU time of the process, and the moment of readiness (CLOCK_REALTIME, ns),
// so a script can add the time the program took to start.
#include <SDL.h>
#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

#include "app/modScripting.h"
#include "objects/sysForm.h"
#include "platform/platAudio.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/rndItems.h"

namespace {

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double WallSeconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  const double start = WallSeconds();
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_startup PROGRAM_FOLDER/ (with data/)\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '/') folder += '/';
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS);
  TplatWindow window;
  if (!window.Create(false)) return 1;
  TplatClock clock;
  TsysPlatform platform;
  platform.Window = &window;
  platform.Clock = &clock;
  platform.CreateDevice = [&]() -> std::unique_ptr<TrndDevice> { return TplatDevice::Create(&window, true, true); };
  platform.CreateAudio = []() -> std::unique_ptr<TsndDevice> { return std::make_unique<TplatAudio>(); };
  // The program makes its director on the window's first activation; here at once.
  auto director = std::make_unique<TmodScripting>(platform, folder, DefaultScreenFactories());
  double ready = 0;
  while (!window.IsTerminated() && WallSeconds() - start < 10) {
    window.PumpOnce();
    TsysForm* loading = director->Screen(ssLoading);
    TrndText* status = loading != nullptr ? loading->StatusText() : nullptr;
    // Painted into its target during a frame that was then presented.
    if (status != nullptr && status->Text == "CLICK TO CONTINUE" && status->TargetReady) {
      ready = WallSeconds();
      break;
    }
  }
  const double cpu = CpuSeconds();
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  if (ready == 0) {
    std::fprintf(stderr, "never ready\n");
    return 1;
  }
  std::printf("ready %.3f s after main, %.3f s CPU, at %lld%09ld\n", ready - start, cpu,
              static_cast<long long>(now.tv_sec), now.tv_nsec);
  director.reset();
  SDL_Quit();
  return 0;
}
