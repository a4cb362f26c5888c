// The program: the SDL window hosts the director, which runs everything else.
#include <SDL.h>
#ifndef __EMSCRIPTEN__
#include <malloc.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/modScripting.h"
#include "core/sysCatalogue.h"
#include "core/sysCodePage.h"
#include "core/sysCommandLine.h"
#include "core/sysLog.h"
#include "core/sysRandom.h"
#include "data/sysFiles.h"
#include "data/sysFolders.h"
#include "data/sysLanguage.h"
#include "data/sysLevelSet.h"
#include "data/sysReportFiles.h"
#include "data/sysResources.h"
#include "objects/sysInterface.h"
#include "platform/platAudio.h"
#include "platform/platDevice.h"
#include "platform/platQuitSignal.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"
#ifdef __EMSCRIPTEN__
#include "platform/platWeb.h"
#include "sound/modSound.h"
#endif

namespace {

[[maybe_unused]] std::string ProgramFolder() {
  char* base = SDL_GetBasePath();
  std::string folder = base != nullptr ? base : "./";
  SDL_free(base);
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// Options are read before SDL starts: --help and --version need no display.
// Gives the exit code when the program should end here.
std::optional<int> HandleCommandLine(int argc, char** argv, std::string& dataFolder,
                                     std::vector<std::string>& levelFolders) {
#ifndef __EMSCRIPTEN__
  // The help and the errors already speak the system's language.
  const std::string data = FindDataFolder(ProgramFolder(), PLOTFRAY_INSTALLED_DATA, "");
  UseLanguage(data, StartLanguage(data, "", [](const char* name) { return std::getenv(name); }));
#endif
  std::string program = argc > 0 && argv[0] != nullptr ? argv[0] : "plotfray";
  program = program.substr(program.find_last_of('/') + 1);
  const TsysCommandLine options =
      ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), program, PLOTFRAY_VERSION);
  if (options.Action == TsysCommandLine::TAction::Run) {
    dataFolder = options.DataFolder;
    levelFolders = options.LevelFolders;
    return std::nullopt;
  }
  if (options.Action == TsysCommandLine::TAction::CheckLevels) {
    std::string out;
    const int code = CheckLevelSetFile(options.LevelsFile, out);
    std::fputs(DisplayUtf8(out).c_str(), code == 0 ? stdout : stderr);
    return code;
  }
#ifndef __EMSCRIPTEN__
  if (options.Action == TsysCommandLine::TAction::Report) {
    // From the saves the game itself would use; nothing else is started.
    TReportRequest request;
    request.Output = options.ReportFile;
    request.Profile = options.ReportProfile;
    request.Since = options.ReportSince;
    request.Inputs = options.ReportInputs;
    request.SaveFolder = FindFolders(ProgramFolder(), PLOTFRAY_INSTALLED_DATA, options.DataFolder).Saves;
    std::string message;
    const int code = WriteReportFile(request, message);
    std::fputs(DisplayUtf8(program + ": " + message + "\n").c_str(), code == 0 ? stdout : stderr);
    return code;
  }
#endif
  std::fputs(DisplayUtf8(options.Message).c_str(), options.ExitCode == 0 ? stdout : stderr);
  return options.ExitCode;
}

#ifdef __EMSCRIPTEN__
// The page packs the data into one folder and keeps the saves in its storage;
// the log goes to the browser's console only.
TsysFolders ChooseFolders(const std::string&) {
  TsysFolders folders;
  folders.Program = "/";
  folders.Data = web::DataFolder;
  folders.Saves = web::SaveFolder;
  web::PersistSaves();
  web::StandInForMusic();
  return folders;
}
#else
TsysFolders ChooseFolders(const std::string& dataOverride) {
  TsysFolders folders = FindFolders(ProgramFolder(), PLOTFRAY_INSTALLED_DATA, dataOverride);
  SetLogFile(folders.Saves + "plotfray.log");
  return folders;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::string dataOverride;
  std::vector<std::string> levelFolders;
  if (const std::optional<int> code = HandleCommandLine(argc, argv, dataOverride, levelFolders)) return *code;
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
    LogLine(std::string("cannot start SDL: ") + SDL_GetError());
    return 1;
  }
  // SDL's own handlers only queue a quit, which nobody reads while a message box is up.
  InstallQuitSignals();
  const TsysFolders folders = ChooseFolders(dataOverride);
  LogLine("data from " + folders.Data + ", saves in " + folders.Saves);
  const char* driver = SDL_GetCurrentVideoDriver();
  LogLine(std::string("video: ") + (driver != nullptr ? driver : "none"));
  if (!HasDisplay()) {
    // SDL falls back to drawing off screen: the game would run where nobody sees it.
    ShowMessage(Tr("No Graphics :("),
                Tr("Unfortunately, no display could be found, and the game cannot run. Start Plotfray from a desktop "
                   "session (or with DISPLAY set to a running X server)."));
    SDL_Quit();
    return 1;
  }

  TplatClock clock;
  auto window = std::make_unique<TplatWindow>();
  if (!window->Create(false)) {
    ShowMessage(Tr("No Graphics :("), Tr("Unfortunately, the game window could not be created, and the game cannot run."));
    SDL_Quit();
    return 1;
  }
#ifdef __EMSCRIPTEN__
  web::InstallPageMessages();
#else
  InstallMessageBox(window->Handle());
#endif

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
  platform.DataFolder = folders.Data;
  platform.SaveFolder = folders.Saves;
  platform.LevelFolders = levelFolders;
  // Loading leaves megabytes of freed buffers inside the heap, counted against
  // the program until they are handed back.
#ifndef __EMSCRIPTEN__
  platform.ReleaseFreeMemory = [] { malloc_trim(0); };
#endif

  window->OnActivate = [&] {
    RandomSeed(static_cast<std::uint32_t>(clock.Counter() ^ (clock.Counter() >> 32)));
    if (!director)
      director = std::make_unique<TmodScripting>(platform, folders.Program, DefaultScreenFactories());
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
  window->OnScreenshot = [&] {
    if (!director || !director->Graphics || !director->Interface) return;
    // Beside the saves, after the pictures of earlier runs.
    const std::string path =
        FirstFreeNumberedName(director->Interface->Resources->SavePath + "plotfray-shot-", ".png");
    if (director->Graphics->SaveScreenshot(path))
      LogLine("saved " + path);
    else
      LogLine("cannot save the picture " + path);
  };

#ifdef __EMSCRIPTEN__
  web::OnMusicArrived([&](const std::string& path) {
    if (director && director->Sound)
      director->Sound->LoadMusic(path);
    else
      LogLine("the music arrived before the game started; it is not played");
  });
  // A language's pictures with words, fetched when OPTIONS chose it.
  web::OnDataArrived([&] {
    if (director && director->Interface)
      director->Interface->Resources->UsePictureLanguage(web::DataFolder, LanguageCode());
  });
  // The page keeps everything above alive: this never returns.
  web::RunPerAnimationFrame(window.get());
#else
  window->Run();
#endif
  director.reset();
  window.reset();
  SetMessageBoxHandler(nullptr);
  SDL_Quit();
  return 0;
}
