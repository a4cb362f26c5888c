// The program: the SDL window hosts the director, which runs everything else.
#include <SDL.h>

#include <memory>
#include <string>

#include "app/modScripting.h"
#include "core/sysLog.h"
#include "core/sysRandom.h"
#include "platform/platAudio.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"

namespace {

std::string ProgramFolder() {
  char* base = SDL_GetBasePath();
  std::string folder = base != nullptr ? base : "./";
  SDL_free(base);
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace

int main(int, char**) {
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
    LogLine(std::string("cannot start SDL: ") + SDL_GetError());
    return 1;
  }
  const std::string folder = ProgramFolder();
  SetLogFile(folder + "plotfray.log");

  TplatClock clock;
  auto window = std::make_unique<TplatWindow>();
  if (!window->Create(false)) {
    ShowMessage("No Graphics :(", "Unfortunately, the game window could not be created, and the game cannot run.");
    SDL_Quit();
    return 1;
  }
  InstallMessageBox(window->Handle());

  std::unique_ptr<TmodScripting> director;
  TsysPlatform platform;
  platform.Window = window.get();
  platform.Clock = &clock;
  TplatDevice* device = nullptr;
  platform.CreateDevice = [&]() -> std::unique_ptr<TrndDevice> {
    auto made = TplatDevice::Create(window.get(), true, true);
    device = made.get();
    return made;
  };
  platform.CreateAudio = []() -> std::unique_ptr<TsndDevice> { return std::make_unique<TplatAudio>(); };

  window->OnActivate = [&] {
    RandomSeed(static_cast<std::uint32_t>(clock.Counter() ^ (clock.Counter() >> 32)));
    if (!director)
      director = std::make_unique<TmodScripting>(platform, folder, DefaultScreenFactories());
    else
      director->Activate();
  };
  window->OnDeactivate = [&] {
    if (director) director->Deactivate();
  };
  window->OnClose = [&] {
    // The window stays; the director quits at the end of the next frame.
    if (director)
      director->RequestQuit();
    else
      window->Terminate();
  };

  window->OnExposed = [&] {
    if (director && director->Graphics) director->Graphics->Invalidate();
  };
  window->OnRenderReset = [&](bool deviceLost) {
    if (!director || !director->Graphics || device == nullptr) return;
    if (deviceLost)
      device->DeviceReset();
    else
      device->TargetsReset();
  };
  int shots = 0;
  window->OnScreenshot = [&] {
    if (!director || !director->Graphics) return;
    const std::string path = folder + "plotfray-shot-" + std::to_string(++shots) + ".png";
    if (director->Graphics->SaveScreenshot(path)) LogLine("saved " + path);
  };

  window->Run();
  director.reset();
  window.reset();
  SetMessageBoxHandler(nullptr);
  SDL_Quit();
  return 0;
}
