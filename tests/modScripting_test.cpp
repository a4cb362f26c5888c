#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/modScripting.h"
#include "core/modTimer.h"
#include "core/sysEventHandler.h"
#include "game/modAI.h"
#include "game/objEffect.h"
#include "game/objGridPoint.h"
#include "game/objMap.h"
#include "game/objMonster.h"
#include "game/objSpark.h"
#include "data/sysResources.h"
#include "objects/sysForm.h"
#include "objects/sysInterface.h"
#include "objects/sysObjects.h"
#include "render/modGraphics.h"
#include "render/modInput.h"
#include "render/rndRecordingDevice.h"
#include "sound/modSound.h"
#include "testSupport.h"

namespace {

// A screen that puts one object into its group and logs its life.
class TTestScreen : public TsysForm {
 public:
  TTestScreen(TsysMainWindow* owner, TsysInterface* iface, std::string name, std::int32_t group,
              std::int32_t closeCode, bool fades, std::vector<std::string>* log)
      : TsysForm(owner, iface, group, closeCode, fades), Name(std::move(name)), Log(log) {}
  ~TTestScreen() override { Log->push_back("close " + Name); }
  void BuildScreen() override {
    Log->push_back("open " + Name);
    TobjBase* strip = Objects()->CreateObject(Group, otStatic, 272, 728, 10, 480, 20);
    Status = strip->AddText();
    Status->SetText("LOADING GAME DATA...", 14, false, false, false, true, true);
  }
  TrndText* StatusText() override { return Status; }
  std::string Name;
  std::vector<std::string>* Log;
  TrndText* Status = nullptr;
};

struct TSlotInfo {
  const char* Name;
  std::int32_t Group;
  std::int32_t CloseCode;
};

constexpr TSlotInfo Slots[ScreenSlotCount] = {
    {"loading", 0, 12},      {"background", 1, -1}, {"mainmenu", 2, 1},  {"missions", 3, 2},
    {"profile", 5, 4},       {"options", 6, 5},     {"credits", 7, 6},   {"game", 8, 7},
    {"arcade", 15, 8},       {"scores", 16, 9},     {"gamemenu", 18, 10}, {"gameover", 13, 11},
    {"profilecreate", 19, 13}, {"challenge", 20, 14}, {"tutorial", 21, 15},
};

class DirectorTest : public ::testing::Test {
 protected:
  TScreenFactories Factories() {
    TScreenFactories f;
    for (int slot = 0; slot < ScreenSlotCount; ++slot) {
      f[slot] = [this, slot](TsysMainWindow* owner, TsysInterface* iface) -> std::unique_ptr<TsysForm> {
        const TSlotInfo& info = Slots[slot];
        return std::make_unique<TTestScreen>(owner, iface, info.Name, info.Group, info.CloseCode,
                                             slot != ssLoading, &Log);
      };
    }
    return f;
  }
  void Start(bool withProfile) {
    if (withProfile) {
      // A profiles file with one player, so that the resources read one.
      TProfileRecord p;
      p.Name = "Ada";
      Preload = p;
    }
    Director = std::make_unique<TmodScripting>(Platform(), Dir.Path(), Factories());
    if (withProfile) Res()->AddProfile(Preload);
  }
  TsysPlatform Platform() {
    TsysPlatform platform;
    platform.Window = &Window;
    platform.Clock = &Clock;
    platform.CreateDevice = [this]() -> std::unique_ptr<TrndDevice> {
      auto device = std::make_unique<TrndRecordingDevice>();
      Device = device.get();
      return device;
    };
    return platform;
  }
  TsysResources* Res() { return Director->Interface->Resources.get(); }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) Director->Events->Tick();
  }
  // Posts as a stand-in screen would.
  void Post(std::int32_t kind, std::uint16_t code, std::intptr_t param, std::int32_t value) {
    Poster.PostEvent(pmQueued, kind, code, param, value);
  }
  void AttachPoster() { Director->Events->Register(&Poster); }
  bool Open(TScreenSlot slot) { return Director->Screen(slot) != nullptr; }
  // Leaves the loading wait by a click and runs until the next screen is up.
  void PassLoading() {
    Post(ekMouse, 3, 0, 0);
    Tick(2);   // click handled, then the wait ends and posts ekForm 12
    Tick(20);  // the loading screen does not fade: it posts ekScreen at once
  }

  TTempDir Dir;
  TFakeWindow Window;
  TFakeClock Clock;
  TProfileRecord Preload;
  TrndRecordingDevice* Device = nullptr;
  std::vector<std::string> Log;
  std::unique_ptr<TmodScripting> Director;
  TsysEventComponent Poster;
};

TEST_F(DirectorTest, StartupShowsTheLoadingScreenAndEnablesTheTimer) {
  Start(false);
  EXPECT_EQ(Log, (std::vector<std::string>{"open loading"}));
  EXPECT_EQ(Device->Presents, 1) << "the loading screen is presented before the long loading";
  EXPECT_TRUE(Director->Input->Enabled);
  EXPECT_EQ(Director->Events->Components[0], Director->Timer.get());
  EXPECT_EQ(Director->Events->Components[1], Director.get());
  EXPECT_EQ(Director->Events->Components[2], Director->Input.get());
  EXPECT_EQ(Director->Events->Components[3], Director->AI.get());
  EXPECT_EQ(Director->Events->Components[4], Director->Interface->Objects.get());
  EXPECT_EQ(Director->Events->Components[5], Director->Sound.get());
  EXPECT_EQ(Director->Events->Components[6], Director->Graphics.get());
  EXPECT_TRUE(Director->LoadingWait);
  EXPECT_TRUE(Director->Timer->GetEnabled());
  EXPECT_EQ(Res()->ImageSetCount(), 10) << "ten image archives, one set each, even when missing";
}

TEST_F(DirectorTest, TheLoadingScreenSaysClickToContinueOnceStartUpEndsBeforeAnyStep) {
  Start(false);
  auto* loading = static_cast<TTestScreen*>(Director->Screen(ssLoading));
  ASSERT_NE(loading, nullptr);
  EXPECT_EQ(loading->Status->Text, "CLICK TO CONTINUE");
  EXPECT_EQ(loading->Status->FontSize, 14);
  EXPECT_TRUE(loading->Status->AlignCenter);
  EXPECT_TRUE(loading->Status->AlignMiddle);
}

TEST_F(DirectorTest, LoadingWaitEndsAfterFiveRoundedSeconds) {
  Start(false);
  AttachPoster();
  Clock.AdvanceMs(4400);
  Tick(3);
  EXPECT_TRUE(Director->LoadingWait) << "4.4 s rounds to 4";
  auto* loading = static_cast<TTestScreen*>(Director->Screen(ssLoading));
  EXPECT_EQ(loading->Status->Text, "CLICK TO CONTINUE");
  Clock.AdvanceMs(200);  // 4.6 s rounds to 5
  Tick();
  EXPECT_FALSE(Director->LoadingWait);
  EXPECT_TRUE(loading->Fades) << "the loading screen can now fade out";
}

TEST_F(DirectorTest, FirstRunWithoutProfileLeadsToProfileCreationOverTheBackground) {
  Start(false);
  AttachPoster();
  PassLoading();
  EXPECT_TRUE(Open(ssBackground));
  EXPECT_TRUE(Open(ssProfileCreate));
  EXPECT_FALSE(Open(ssMainMenu));
  EXPECT_TRUE(Open(ssLoading)) << "freed only when the main menu opens";
  // Profile creation closes to the main menu: the loading screen goes with it.
  Post(ekForm, 13, sidMainMenu, 0);
  Tick(20);
  EXPECT_TRUE(Open(ssMainMenu));
  EXPECT_FALSE(Open(ssProfileCreate));
  EXPECT_FALSE(Open(ssLoading));
}

TEST_F(DirectorTest, WithAProfileLoadingLeadsToTheMainMenu) {
  Start(true);
  AttachPoster();
  PassLoading();
  EXPECT_TRUE(Open(ssBackground));
  EXPECT_TRUE(Open(ssMainMenu));
  EXPECT_FALSE(Open(ssLoading));
  EXPECT_EQ(Log, (std::vector<std::string>{"open loading", "open background", "close loading", "open mainmenu"}));
}

TEST_F(DirectorTest, MenuScreenClosesThroughItsFadeThenTheDirectorOpensTheTarget) {
  Start(true);
  AttachPoster();
  PassLoading();
  Tick(20);  // the main menu has faded in
  Log.clear();
  Post(ekForm, 1, sidOptions, 0);  // a main-menu button
  Tick(15);
  EXPECT_TRUE(Open(ssMainMenu)) << "still fading out";
  Tick(2);
  EXPECT_FALSE(Open(ssMainMenu));
  EXPECT_TRUE(Open(ssOptions));
  EXPECT_TRUE(Open(ssBackground)) << "the background stays";
  EXPECT_EQ(Log, (std::vector<std::string>{"close mainmenu", "open options"}));
}

TEST_F(DirectorTest, GameFlowSwapsTheBackgroundAndHandlesTheInGameMenu) {
  Start(true);
  AttachPoster();
  PassLoading();
  Res()->Paused = true;
  Res()->MenuOpen = true;
  Director->SwitchScreen(sidGame, grArcade, 0);
  EXPECT_FALSE(Open(ssBackground));
  EXPECT_FALSE(Open(ssMainMenu));
  EXPECT_TRUE(Open(ssGame));
  EXPECT_FALSE(Res()->Paused);
  EXPECT_TRUE(Director->Timer->GetEnabled());

  Director->SwitchScreen(sidGameMenu, grGame, 0);
  EXPECT_TRUE(Open(ssGameMenu));
  Res()->Paused = true;
  Res()->MenuOpen = true;
  Director->SwitchScreen(0, grGameMenu, 26);  // resume
  EXPECT_FALSE(Open(ssGameMenu));
  EXPECT_FALSE(Res()->Paused);
  EXPECT_FALSE(Res()->MenuOpen);
  EXPECT_TRUE(Open(ssGame));

  // Game over, then to the high scores: the game goes and the background returns.
  Director->SwitchScreen(sidGameOver, grGame, 0);
  Res()->GameOver = true;
  Director->SwitchScreen(sidScores, grGameOver, 0);
  EXPECT_FALSE(Open(ssGame));
  EXPECT_FALSE(Open(ssGameOver));
  EXPECT_TRUE(Open(ssBackground));
  EXPECT_TRUE(Open(ssScores));
}

TEST_F(DirectorTest, TheGameObjectsAreBuiltAsTheirClassesAndOpeningTheGameResetsTheMonsterDirector) {
  Start(true);
  PassLoading();
  TsysObjects* objects = Director->Interface->Objects.get();
  EXPECT_NE(dynamic_cast<TobjMap*>(objects->CreateObject(grGame, otMap, 0, 0, 0, 512, 512)), nullptr);
  EXPECT_NE(dynamic_cast<TobjMonster*>(objects->CreateObject(grGame, otMonster, 0, 0, 3, 68, 68)), nullptr);
  EXPECT_NE(dynamic_cast<TobjEffect*>(objects->CreateObject(grGame, otEffect, 0, 0, 4, 64, 64)), nullptr);
  EXPECT_NE(dynamic_cast<TobjSpark*>(objects->CreateObject(grGame, otSpark, 0, 0, 5, 4, 4)), nullptr);
  auto* point = dynamic_cast<TobjGridPoint*>(objects->CreateObject(grGame, otGridPoint, 0, 0, 1, 50, 50));
  ASSERT_NE(point, nullptr);
  Director->AI->FirstPoint = point;
  Director->SwitchScreen(sidGame, grArcade, 0);
  EXPECT_EQ(Director->AI->FirstPoint, nullptr);
}

TEST_F(DirectorTest, GameOverChoicesPostTheirGameCommandsAndClearTheFlag) {
  Start(true);
  std::vector<std::uint16_t> codes;
  struct TSpy : TsysEventComponent {
    std::vector<std::uint16_t>* Codes;
    void HandleEvent(TsysEvent* e) override { Codes->push_back(e->Code); }
  } spy;
  spy.Codes = &codes;
  spy.EventMask = ekGame;
  Director->Events->Register(&spy);
  for (std::int32_t value : {25, 38, 44, 37}) {
    Director->SwitchScreen(sidGameOver, grGame, 0);
    Res()->GameOver = true;
    Res()->Paused = true;
    Director->SwitchScreen(0, grGameOver, value);
    EXPECT_FALSE(Res()->GameOver);
    EXPECT_EQ(Res()->Paused, value != 37) << value;
    Tick();
  }
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{25, 38, 44, 37}));
}

TEST_F(DirectorTest, LeavingTheGameRecordsProgressOnlyWhenNotOverAndFadesTheGameOut) {
  Start(true);
  AttachPoster();
  PassLoading();
  Director->SwitchScreen(sidGame, grArcade, 0);
  Director->SwitchScreen(sidGameMenu, grGame, 0);
  Post(ekForm, sidGameMenu, sidMainMenu, 7);
  Tick(40);
  EXPECT_FALSE(Open(ssGame)) << "the game screen faded out as well";
  EXPECT_TRUE(Open(ssMainMenu));
  EXPECT_TRUE(Open(ssBackground));
}

TEST_F(DirectorTest, ClosingSelectionScreenStoresGameTypeAndDifficultyInTheProfile) {
  Start(true);
  Res()->Settings.ActiveProfile = 0;
  AttachPoster();
  Res()->Difficulty = 3;
  Post(ekForm, sidArcade, sidGame, 2);
  Tick();
  EXPECT_EQ(Res()->GameType, 2);
  EXPECT_EQ(Res()->GetActiveProfile().ArcadeDifficulty, 3);
  EXPECT_EQ(Res()->GetActiveProfile().MissionDifficulty, 1);
}

TEST_F(DirectorTest, GameRequestFortyFiveIsAnsweredWithFortySixOneStepLater) {
  Start(true);
  AttachPoster();
  std::vector<std::uint16_t> codes;
  struct TSpy : TsysEventComponent {
    std::vector<std::uint16_t>* Codes;
    void HandleEvent(TsysEvent* e) override { Codes->push_back(e->Code); }
  } spy;
  spy.Codes = &codes;
  spy.EventMask = ekGame;
  Director->Events->Register(&spy);
  Post(ekGame, 45, 0, 0);
  Tick();
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{45}));
  Tick();
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{45, 46}));
}

TEST_F(DirectorTest, BackgroundPauseStopsStepsAndResumesWhereItStopped) {
  Start(true);
  AttachPoster();
  Director->Deactivate();
  EXPECT_FALSE(Director->Timer->GetEnabled());
  EXPECT_FALSE(Director->Events->Active);
  Post(ekMouse, 3, 0, 0);
  Tick(3);
  EXPECT_FALSE(Director->ClickedToContinue) << "posted events wait in the bus";
  Director->Activate();
  EXPECT_TRUE(Director->Timer->GetEnabled());
  EXPECT_TRUE(Director->Graphics->RestoreNeeded) << "targets lost while away are rebuilt";
  Tick();
  EXPECT_TRUE(Director->ClickedToContinue);
}

TEST_F(DirectorTest, QuitRequestEndsTheFrameWithShutdown) {
  Start(true);
  AttachPoster();
  PassLoading();
  Post(ekSystem, 2, 0, 0);
  Tick();
  EXPECT_FALSE(Window.Terminated) << "the quit waits for the end of the frame";
  Clock.AdvanceMs(17);
  Window.Idle();
  EXPECT_TRUE(Director->IsShutDown());
  EXPECT_TRUE(Window.Terminated);
  EXPECT_EQ(Director->Interface, nullptr);
  EXPECT_FALSE(Open(ssMainMenu));
  EXPECT_FALSE(Open(ssBackground));
}

TEST_F(DirectorTest, NoDrawingDeviceShowsItsMessageAndEndsTheProgram) {
  TsysPlatform platform;
  platform.Window = &Window;
  platform.Clock = &Clock;
  platform.CreateDevice = [] { return std::unique_ptr<TrndDevice>(); };
  TMessageCatcher catcher;
  Director = std::make_unique<TmodScripting>(platform, Dir.Path(), Factories());
  ASSERT_EQ(catcher.Messages.size(), 1u);
  EXPECT_EQ(catcher.Messages[0].first, "No Graphics :(");
  EXPECT_TRUE(Window.Terminated);
  EXPECT_FALSE(Director->Timer->GetEnabled());
  EXPECT_TRUE(Log.empty()) << "no screen is opened";
}

TEST_F(DirectorTest, QuitRequestDisablesEveryBinding) {
  Start(true);
  AttachPoster();
  Director->Input->KeyDown(0x25, 0);
  Post(ekSystem, 2, 0, 0);
  Tick();
  EXPECT_EQ(Director->Input->Context, -1);
  Director->Input->KeyUp(0x1B, 0);
  EXPECT_TRUE(Director->Events->Pending.empty()) << "Escape no longer posts";
}

TEST_F(DirectorTest, SlotWithoutAScreenIsNoDeadEnd) {
  TScreenFactories none;
  TMessageCatcher catcher;
  Director = std::make_unique<TmodScripting>(Platform(), Dir.Path(), none);
  AttachPoster();
  Post(ekMouse, 3, 0, 0);
  Tick(3);
  EXPECT_FALSE(Director->LoadingWait);
  EXPECT_TRUE(catcher.Messages.empty());
}

}  // namespace
