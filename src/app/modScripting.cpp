#include "app/modScripting.h"

#include <cstdlib>

#include "core/modTimer.h"
#include "core/sysCatalogue.h"
#include "core/sysEventHandler.h"
#include "core/sysLog.h"
#include "core/sysMainWindow.h"
#include "core/sysRound.h"
#include "core/sysSceneSchedule.h"
#include "data/sysLanguage.h"
#include "data/sysResources.h"
#include "game/modAI.h"
#include "game/sysGameObjects.h"
#include "objects/sysForm.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "render/modGraphics.h"
#include "render/modInput.h"
#include "render/rndItems.h"
#include "sound/modSound.h"

namespace {

// A second of logic steps.
constexpr int ReleaseAfterSteps = 60;
// A panel that opens by itself during play (the end of a game, a level's help
// page) ignores clicks, Enter and Space this long: a child still clicking on
// the board sees it before anything can use it.
constexpr int PanelHoldSteps = 60;

const char* const ImageArchives[] = {
    "screens.asdb", "sprites.asdb", "interfaces.asdb", "TutsQQ.asdb",    "TutsWTP.asdb",
    "TutsDTL.asdb", "GoTuts.asdb",  "GoArcade.asdb",   "GoChallenge.asdb",
};

const char* const LoadingContinue = TrMark("CLICK TO CONTINUE");
// While a game is played the screen rests no longer than this between frames:
// a monster that appears after a quiet spell is drawn in time.
constexpr int PlayRestSteps = 3;

// The boxes of start-up end with it: the window cannot be closed while one is up.
const char* const GoOnSentence = TrMark("Click OK or press Enter to go on with the game.");

// The font sheet's place in the core archive (the two white pictures come first).
constexpr std::int32_t CoreFontImage = 2;

}  // namespace

TmodScripting::TmodScripting(TsysPlatform platform, std::string dataPath, TScreenFactories screens)
    : TsysModule(platform.Window), Platform(std::move(platform)), DataPath(std::move(dataPath)),
      Factories(std::move(screens)) {
  EventMask = 0x7FFF;
  Startup();
}

TmodScripting::~TmodScripting() {
  if (!ShutDownDone) Shutdown();
}

void TmodScripting::Startup() {
  Events = std::make_unique<TsysEventHandler>(Owner);
  Interface = std::make_unique<TsysInterface>(Owner, Events.get(), DataPath, Platform.DataFolder, Platform.SaveFolder);
  const std::string& data = Interface->DataFolder;
  AddGameObjectFactories(Interface->Objects->Factories);
  // The saved choice of language, else the system's (in the browser, the browser's).
  UseLanguage(data, StartLanguage(data, Interface->Resources->Options.Language,
                                  [](const char* name) { return std::getenv(name); }));

  Timer = std::make_unique<TmodTimer>(Owner, Platform.Clock, Events.get(), [this] { Shutdown(); },
                                      &Interface->FrameRate, 60.0);
  Graphics = std::make_unique<TmodGraphics>(Owner, Interface.get(), Platform.CreateDevice);
  Timer->Graphics = Graphics.get();
  Input = std::make_unique<TmodInput>(Owner, Interface.get());
  Sound = std::make_unique<TmodSound>(Owner, Interface.get(), Platform.CreateAudio);
  AI = std::make_unique<TmodAI>(Owner, Interface.get());

  Events->Register(Timer.get());
  Events->Register(this);
  Events->Register(Input.get());
  Events->Register(AI.get());
  Events->Register(Interface->Objects.get());
  Events->Register(Sound.get());
  Events->Register(Graphics.get());

  // Without a device the program cannot run: the message is shown and the
  // window told to close; nothing else is started.
  if (!Graphics->Initialise()) return;
  TsysResources* resources = Interface->Resources.get();
  resources->SetDevice(Graphics->GetDevice());
  resources->LevelFolders = Platform.LevelFolders;

  // The pictures with words in the player's language, where the data has them.
  resources->UsePictureLanguage(data, LanguageCode() == "en" ? std::string() : LanguageCode());
  // Every word on screen is drawn from the font of the core archive: without it
  // the menus would be buttons without labels, so the game says so and stops.
  const std::int32_t core = resources->LoadArchive(data + "core.asdb");
  if (resources->ImageSet(core)->Count() <= CoreFontImage) {
    const std::string what =
        resources->UnreadableData.empty() ? Tr("core.asdb (no font in it)") : resources->UnreadableData.back();
    ShowMessage(Tr("Game Data Missing"),
                Format(Tr("Plotfray cannot read %1$s of its data folder, which holds the letters of every word in the "
                          "game, so it cannot start.\n\nThe data folder should be %2$s. Install Plotfray again (or "
                          "build it again, which writes that folder) to put it back."),
                       {what, data}));
    if (Owner != nullptr) Owner->Terminate();
    return;
  }

  CreateScreen(ssLoading);
  PostEvent(pmImmediate, ekSystem, 3, 0, 0);
  PostEvent(pmImmediate, ekSystem, 4, 0, 0);

  CounterFrequency = Platform.Clock->Frequency();
  LoadStart = Platform.Clock->Counter();
  LoadingWait = true;
  ClickedToContinue = false;

  // Only the tables now: every file is known to be there before the click, and
  // each picture is read when a screen first shows it.
  for (const char* name : ImageArchives) resources->LoadArchive(data + name, true);
  resources->SetImageGeometry(2, 2, TPointSize{68, 68}, TPointSize{68, 68});
  resources->SetImageGeometry(2, 6, TPointSize{48, 48}, TPointSize{48, 48});
  Sound->LoadMusic(data + "Music.asdb");
  TellUnreadableData();
  TellSaveFileProblems();

  Input->Enabled = true;
  Timer->SetEnabled(true);
  // Loading is over: the first frame of the loop says so already, two frames
  // before the first logic step would.
  ShowContinue();
}

void TmodScripting::ShowContinue() {
  TsysForm* loading = Screens[ssLoading].get();
  if (TrndText* status = loading != nullptr ? loading->StatusText() : nullptr) {
    // Only laid out and painted again when it differs.
    const char* shown = Tr(LoadingContinue);
    if (status->Text != shown || status->FontSize != 14) status->SetText(shown, 14, false, false, false, true, true);
  }
}

void TmodScripting::TellUnreadableData() {
  const std::vector<std::string>& files = Interface->Resources->UnreadableData;
  if (files.empty()) return;
  std::string list;
  for (const std::string& f : files) list += "\n    " + f;
  ShowMessage(Tr("Game Data Missing"),
              Format(Tr("Plotfray cannot read these files of its data folder, so pictures, text or sounds will be "
                        "missing:\n%1$s\n\nThe data folder should be %2$s. Install Plotfray again (or build it again, "
                        "which writes that folder) to put it back."),
                     {list, Interface->DataFolder}) +
                  "\n\n" + Tr(GoOnSentence));
}

void TmodScripting::TellSaveFileProblems() {
  const std::vector<std::string> problems = Interface->Resources->SaveFileProblemsNow();
  if (problems.empty()) return;
  std::string list;
  for (const std::string& p : problems) list += "\n\n" + p;
  ShowMessage(Tr("Saved Games Not Read"),
              Format(Tr("Plotfray could not read all of its saved players, scores and options in %s:"),
                     {Interface->Resources->SavePath}) +
                  list + "\n\n" + Tr(GoOnSentence));
}

TsysForm* TmodScripting::CreateScreen(TScreenSlot slot) {
  if (!Factories[slot]) {
    LogLine("screen slot " + std::to_string(slot) + " has no screen in this build");
    return nullptr;
  }
  // A screen still open in the slot would otherwise be freed while registered.
  if (Screens[slot]) {
    LogLine("screen slot " + std::to_string(slot) + " was still open; it is closed first");
    CloseScreen(slot);
  }
  std::unique_ptr<TsysForm> screen = Factories[slot](Owner, Interface.get());
  if (!screen) return nullptr;
  screen->Start();
  Events->Register(screen.get());
  Screens[slot] = std::move(screen);
  return Screens[slot].get();
}

void TmodScripting::CloseScreen(TScreenSlot slot) {
  if (!Screens[slot]) return;
  if (Screens[slot].get() == UnderKeys) UnderKeys = nullptr;
  Events->Unregister(Screens[slot].get());
  Screens[slot]->FreeScreen();
  Screens[slot].reset();
}

void TmodScripting::CloseAllScreens() {
  for (int slot = 0; slot < ScreenSlotCount; ++slot) CloseScreen(static_cast<TScreenSlot>(slot));
}

void TmodScripting::OpenBackground() { CreateScreen(ssBackground); }

TsysForm* TmodScripting::ScreenOfGroup(std::intptr_t group) const {
  for (const auto& screen : Screens)
    if (screen && screen->Group == group) return screen.get();
  return nullptr;
}

void TmodScripting::SwitchScreen(std::uint16_t target, std::intptr_t sourceGroup, std::int32_t value) {
  TsysResources* res = Interface->Resources.get();

  if (target == sidKeys) {
    // Over the screen that asked for it, which stays open under the panel.
    UnderKeys = ScreenOfGroup(sourceGroup);
    if (UnderKeys != nullptr) UnderKeys->Suspend();
    CreateScreen(ssKeys);
    return;
  }
  if (target != sidMainMenu) CloseScreen(ssMainMenu);
  if (sourceGroup == grKeys) {
    CloseScreen(ssKeys);
    // The screen under the panel comes back as it was left.
    if (UnderKeys != nullptr && ScreenOfGroup(UnderKeys->Group) == UnderKeys) UnderKeys->Resume();
    UnderKeys = nullptr;
  }
  if (sourceGroup == grGameMenu) {
    CloseScreen(ssGameMenu);
    if (value == 25) {
      PostEvent(pmQueued, ekGame, 25, 0, 0);
      res->Paused = false;
      res->MenuOpen = false;
    } else if (value == 26) {
      res->Paused = false;
      res->MenuOpen = false;
    }
  }
  if (sourceGroup == grTutorial) {
    CloseScreen(ssTutorial);
    if (value == 26) {
      res->Paused = false;
      res->MenuOpen = false;
    }
  }
  if (sourceGroup == grGameOver) {
    CloseScreen(ssGameOver);
    switch (value) {
      case 25:
      case 38:
      case 44:
        PostEvent(pmQueued, ekGame, static_cast<std::uint16_t>(value), 0, 0);
        res->GameOver = false;
        break;
      case 37:
        res->Paused = false;
        res->MenuOpen = false;
        res->GameOver = false;
        PostEvent(pmQueued, ekGame, 37, 0, 0);
        break;
      default:
        break;
    }
  }

  switch (target) {
    case sidMainMenu:
      if (sourceGroup == grLoading || sourceGroup == grGameOver || sourceGroup == grGameMenu) {
        OpenBackground();
        res->Paused = false;
        res->MenuOpen = false;
      }
      for (TScreenSlot slot : {ssLoading, ssProfileCreate, ssProfile, ssMissions, ssOptions, ssCredits, ssGame,
                               ssGameMenu, ssGameOver, ssArcade, ssScores, ssChallenge, ssProgress, ssClassLevels})
        CloseScreen(slot);
      CreateScreen(ssMainMenu);
      break;
    case sidMissions:
      if (sourceGroup == grGameMenu || sourceGroup == grGameOver) {
        CloseScreen(ssGame);
        OpenBackground();
      }
      CloseScreen(ssClassLevels);
      CreateScreen(ssMissions);
      break;
    case sidProfile:
      if (sourceGroup == grProfileCreate) CloseScreen(ssProfileCreate);
      CreateScreen(ssProfile);
      break;
    case sidOptions:
      CreateScreen(ssOptions);
      break;
    case sidCredits:
      CreateScreen(ssCredits);
      break;
    case sidGame:
      CloseScreen(ssBackground);
      CloseScreen(ssMissions);
      CloseScreen(ssArcade);
      CloseScreen(ssChallenge);
      CloseScreen(ssClassLevels);
      Timer->SetEnabled(false);
      AI->ClearSelection();
      CreateScreen(ssGame);
      res->Paused = false;
      res->MenuOpen = false;
      Timer->SetEnabled(true);
      break;
    case sidArcade:
      if (sourceGroup == grGameMenu || sourceGroup == grGameOver) {
        CloseScreen(ssGame);
        OpenBackground();
      }
      CreateScreen(ssArcade);
      break;
    case sidScores:
      CloseScreen(ssGame);
      if (sourceGroup == grGame) OpenBackground();
      if (sourceGroup == grGameOver) {
        CloseScreen(ssGameOver);
        OpenBackground();
      }
      CreateScreen(ssScores);
      break;
    case sidGameMenu:
      CreateScreen(ssGameMenu);
      // MENU over a level's help page: the page has closed and the menu pauses the game in its place.
      if (sourceGroup == grTutorial) res->Paused = res->MenuOpen = true;
      break;
    case sidGameOver:
      CreateScreen(ssGameOver);
      Input->Hold(PanelHoldSteps);
      break;
    case sidProfileCreate:
      if (sourceGroup == grLoading) OpenBackground();
      if (sourceGroup == grProfile) CloseScreen(ssProfile);
      CreateScreen(ssProfileCreate);
      break;
    case sidChallenge:
      if (sourceGroup == grGameMenu) {
        CloseScreen(ssGame);
        OpenBackground();
      }
      if (sourceGroup == grGameOver) {
        CloseScreen(ssGame);
        OpenBackground();
        res->Paused = false;
        res->MenuOpen = false;
      }
      CreateScreen(ssChallenge);
      break;
    case sidTutorial:
      CreateScreen(ssTutorial);
      Input->Hold(PanelHoldSteps);
      break;
    case sidProgress:
      CreateScreen(ssProgress);
      break;
    case sidClassLevels:
      if (sourceGroup == grGameMenu || sourceGroup == grGameOver) {
        CloseScreen(ssGame);
        OpenBackground();
        res->Paused = false;
        res->MenuOpen = false;
      }
      CloseScreen(ssMissions);
      CreateScreen(ssClassLevels);
      break;
    default:
      break;
  }
  // The closed screen's objects go at the object manager's next step and the
  // new one's pictures are read when first drawn: wait until that has settled.
  ReleaseCountdown = ReleaseAfterSteps;
}

void TmodScripting::HandleEvent(TsysEvent* event) {
  TsysModule::HandleEvent(event);
  // Objects freed during shutdown still post (a focused text box gives back text entry).
  if (!Interface || ShutDownDone) return;
  TsysResources* res = Interface->Resources.get();
  switch (event->Kind) {
    case ekSystem:
      if (event->Code == 2) RequestQuit();
      break;
    case ekScreen:
      SwitchScreen(event->Code, event->Param, event->Value);
      break;
    case ekForm:
      if (event->Code == sidMissions || event->Code == sidArcade || event->Code == sidChallenge) {
        res->GameType = event->Value;
        TProfileRecord profile = res->GetActiveProfile();
        if (event->Code == sidMissions)
          profile.MissionDifficulty = res->Difficulty;
        else if (event->Code == sidArcade)
          profile.ArcadeDifficulty = res->Difficulty;
        else
          profile.ChallengeDifficulty = res->Difficulty;
        res->SetActiveProfile(profile);
        res->SaveProfiles();
      } else if (event->Code == sidGameMenu && event->Value == 7) {
        if (!res->GameOver) res->RecordProgress();
        PostEvent(pmQueued, ekForm, sidGame, 0, 0);
      }
      break;
    case ekGame:
      if (event->Code == 45) PostEvent(pmQueued, ekGame, 46, 0, 0);
      break;
    case ekMouse:
      if (event->Code == 3 && LoadingWait) ClickedToContinue = true;
      break;
    case ekKeys:
      // Enter or Space goes on from the loading screen as a click does.
      if (event->Code == 8 && (event->Param == vkReturn || event->Param == vkSpace) && LoadingWait)
        ClickedToContinue = true, res->KeyboardPlay = true;
      break;
    default:
      break;
  }
}

void TmodScripting::ProcessEvents() {
  TsysModule::ProcessEvents();
  if (ReleaseCountdown > 0 && --ReleaseCountdown == 0 && Platform.ReleaseFreeMemory) Platform.ReleaseFreeMemory();
  if (TsysProgress* log = Interface->Resources->Progress.get()) log->Step();
  if (Screens[ssGame] && !Interface->Resources->Paused && !Interface->Resources->GameOver)
    SceneSchedule.ChangeIn(PlayRestSteps);
  if (!LoadingWait) return;

  TsysForm* loading = Screens[ssLoading].get();
  ShowContinue();  // every step

  LoadNow = Platform.Clock->Counter();
  const double seconds =
      CounterFrequency > 0 ? static_cast<double>(LoadNow - LoadStart) / static_cast<double>(CounterFrequency) : 0.0;
  if (!ClickedToContinue && Round(seconds) < 5) {
    // The loading screen goes on by itself at 4.5 s (rounded to 5).
    const double left = 4.5 - seconds;
    SceneSchedule.ChangeIn(static_cast<std::int64_t>(left * 60.0) + 1);
    return;
  }

  if (loading != nullptr) loading->EnableFade(true);
  PostEvent(pmQueued, ekForm, sidLoading, Interface->Resources->ProfileCount() > 0 ? sidMainMenu : sidProfileCreate,
            0);
  LoadingWait = false;
}

void TmodScripting::RequestQuit() {
  // No binding matches any more; the held keys keep their bindings.
  if (Input) Input->Context = -1;
  if (Timer) Timer->RequestQuit();
  // In the background no frame runs to carry the quit out, and none is running
  // now (only window messages arrive there): shut down at once.
  if (!Active) Shutdown();
}

void TmodScripting::Activate() {
  if (Active || ShutDownDone) return;
  Graphics->RestoreNeeded = true;
  Events->Active = true;
  Timer->SetEnabled(true);
  Active = true;
}

void TmodScripting::Deactivate() {
  if (!Active || ShutDownDone) return;
  Active = false;
  Timer->SetEnabled(false);
  Events->Active = false;
}

void TmodScripting::Shutdown() {
  if (ShutDownDone) return;
  ShutDownDone = true;
  if (Timer) Timer->SetEnabled(false);
  CloseAllScreens();
  if (Graphics) Graphics->Interface = nullptr;
  // Objects freed with the interface still post; the monster director must not
  // look at them any more.
  if (AI) AI->Interface = nullptr;
  Interface.reset();
  Events.reset();
  if (Graphics) Graphics->Finalise();
  Graphics.reset();
  // The modules are freed only once the bus is gone: objects freed with the
  // interface still post to every registered module.
  Sound.reset();
  AI.reset();
  Input.reset();
  RetiredTimer = std::move(Timer);
  if (Owner != nullptr) Owner->Terminate();
}
