#pragma once
// The director: creates the shared services and the modules, loads the data
// behind the loading screen, opens and closes screens in answer to events,
// pauses in the background and tears everything down at the end.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/sysModule.h"
#include "objects/sysScreenIds.h"

class TsysClock;
class TsysEventHandler;
class TsysInterface;
class TsysForm;
class TmodTimer;
class TmodGraphics;
class TmodInput;
class TmodSound;
class TmodAI;
class TsndDevice;
class TrndDevice;

// Screen slots, in the order CloseAllScreens walks them.
enum TScreenSlot : int {
  ssLoading,
  ssBackground,
  ssMainMenu,
  ssMissions,
  ssProfile,
  ssOptions,
  ssCredits,
  ssGame,
  ssArcade,
  ssScores,
  ssGameMenu,
  ssGameOver,
  ssProfileCreate,
  ssChallenge,
  ssTutorial,
  ssKeys,
  ssProgress,
  ssClassLevels,
  ScreenSlotCount
};

using TScreenFactory = std::function<std::unique_ptr<TsysForm>(TsysMainWindow* owner, TsysInterface* iface)>;
using TScreenFactories = std::array<TScreenFactory, ScreenSlotCount>;
// The game's screens (screens/frmScreens.cpp); a slot without a screen stays empty.
TScreenFactories DefaultScreenFactories();
// The slot of a screen id; ScreenSlotCount for an id without a screen.
TScreenSlot SlotOfScreen(std::uint16_t screenId);

// What the platform gives the director.
struct TsysPlatform {
  TsysMainWindow* Window = nullptr;
  TsysClock* Clock = nullptr;
  // Makes the drawing device; null when no device can be made.
  std::function<std::unique_ptr<TrndDevice>()> CreateDevice;
  // Makes the audio device; empty when the build has no audio (silent run).
  std::function<std::unique_ptr<TsndDevice>()> CreateAudio;
  // Where the archives and effect banks are; empty for the data folder of the
  // program folder.
  std::string DataFolder;
  // Where settings, profiles and scores are kept; empty to let the resources
  // choose from the program folder.
  std::string SaveFolder;
  // Folders of level sets given on the command line (--levels).
  std::vector<std::string> LevelFolders;
  // Gives the allocator's free pages back to the system; called a second after
  // each screen change, once loading or the closed screen has left its holes
  // in the heap. Empty: nothing is done.
  std::function<void()> ReleaseFreeMemory;
};

class TmodScripting : public TsysModule {
 public:
  // Runs Startup.
  TmodScripting(TsysPlatform platform, std::string dataPath, TScreenFactories screens);
  ~TmodScripting() override;

  void HandleEvent(TsysEvent* event) override;
  void ProcessEvents() override;

  TsysForm* CreateScreen(TScreenSlot slot);
  void CloseScreen(TScreenSlot slot);
  void CloseAllScreens();
  void SwitchScreen(std::uint16_t target, std::intptr_t sourceGroup, std::int32_t value);
  // Quits at the end of the next frame; in the background, at once.
  void RequestQuit();
  void Activate();
  void Deactivate();
  void Shutdown();

  TsysForm* Screen(TScreenSlot slot) const { return Screens[slot].get(); }
  bool IsShutDown() const { return ShutDownDone; }

  TsysPlatform Platform;
  std::string DataPath;
  std::unique_ptr<TsysEventHandler> Events;
  std::unique_ptr<TsysInterface> Interface;
  std::unique_ptr<TmodTimer> Timer;
  std::unique_ptr<TmodGraphics> Graphics;
  std::unique_ptr<TmodInput> Input;
  std::unique_ptr<TmodSound> Sound;
  std::unique_ptr<TmodAI> AI;

  bool Active = true;
  bool LoadingWait = false;
  bool ClickedToContinue = false;
  std::uint64_t LoadStart = 0;
  std::uint64_t LoadNow = 0;
  std::uint64_t CounterFrequency = 0;

 private:
  void Startup();
  void OpenBackground();
  // The loading screen's status line reads "CLICK TO CONTINUE".
  void ShowContinue();
  // One message box listing the data files that could not be read.
  void TellUnreadableData();
  // One message box saying which save files could not be read and what was kept.
  void TellSaveFileProblems();
  // The open screen whose object group this is; null when none.
  TsysForm* ScreenOfGroup(std::intptr_t group) const;

  TScreenFactories Factories;
  std::array<std::unique_ptr<TsysForm>, ScreenSlotCount> Screens;
  bool ShutDownDone = false;
  // The screen waiting under the keys panel, to come back when it closes.
  TsysForm* UnderKeys = nullptr;
  // Steps left until the free memory is given back; 0 = none pending.
  int ReleaseCountdown = 0;
  // The timer module calls Shutdown from inside its own frame; it is kept until
  // the director itself goes.
  std::unique_ptr<TmodTimer> RetiredTimer;
};
