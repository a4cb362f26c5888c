#include <gtest/gtest.h>

#include <filesystem>
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
#include "data/ASDbWriter.h"
#include "data/sysFiles.h"
#include "data/sysResources.h"
#include "tables/defLevels.h"
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
    if (!std::filesystem::exists(Dir.Path() + "data")) WriteStandInCore(Dir.Path() + "data/");
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
    platform.ReleaseFreeMemory = [this] { Releases.push_back(Log); };
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
  std::vector<std::vector<std::string>> Releases;  // the screen log at each release of free memory
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

TEST_F(DirectorTest, LoadingWaitRoundsHalvesToEven) {
  Start(false);
  AttachPoster();
  Clock.AdvanceMs(4500);  // exactly 4.5 s: rounds to 4, the even neighbour
  Tick(2);
  EXPECT_TRUE(Director->LoadingWait);
  Clock.Now += 1;  // a microsecond more rounds to 5
  Tick();
  EXPECT_FALSE(Director->LoadingWait);
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

TEST_F(DirectorTest, FreeMemoryIsGivenBackOnceASecondAfterEachScreenChange) {
  Start(true);
  AttachPoster();
  PassLoading();
  EXPECT_TRUE(Releases.empty()) << "not while the change settles";
  Tick(60);
  ASSERT_EQ(Releases.size(), 1u);
  EXPECT_EQ(Releases[0].back(), "open mainmenu");
  Tick(300);
  EXPECT_EQ(Releases.size(), 1u) << "an idle screen gives nothing back again";

  Post(ekForm, 1, sidOptions, 0);
  Tick(17);
  ASSERT_TRUE(Open(ssOptions));
  Tick(30);
  Post(ekForm, 5, sidMainMenu, 0);  // back before the second has passed: one release, later
  Tick(50);
  EXPECT_EQ(Releases.size(), 1u);
  Tick(60);
  ASSERT_EQ(Releases.size(), 2u);
  EXPECT_EQ(Releases[1].back(), "open mainmenu");
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

TEST_F(DirectorTest, LeavingTheGameThroughTheMenuRecordsTheChallengeOnlyWhileTheGameIsNotOver) {
  for (bool over : {false, true}) {
    std::filesystem::remove(Dir.File("Profiles.dat"));
    Start(true);
    Res()->Settings.ActiveProfile = 0;
    AttachPoster();
    // A challenge reaching its goal: recording it marks it completed.
    Res()->GameKind = GameKind::Challenge;
    Res()->ChallengeIndex = 6;  // kill 50 at Easy
    Res()->Difficulty = 0;
    Res()->TotalKills = 60;
    Res()->GameOver = over;
    Post(ekForm, sidGameMenu, sidChallenge, 7);
    Tick();
    const TProfileRecord p = Res()->GetActiveProfile();
    EXPECT_EQ(p.ChallengeRecords[6].Completed[0], !over) << (over ? "over" : "not over");
    EXPECT_EQ(p.ChallengeRecords[6].Best[0], over ? 0 : 60);
    Director.reset();
  }
}

TEST_F(DirectorTest, ClosingMissionsAndChallengeScreensStoresTheirDifficulties) {
  Start(true);
  Res()->Settings.ActiveProfile = 0;
  AttachPoster();
  Res()->Difficulty = 2;
  Post(ekForm, sidMissions, sidGame, 3);
  Tick();
  EXPECT_EQ(Res()->GameType, 3);
  EXPECT_EQ(Res()->GetActiveProfile().MissionDifficulty, 2);
  EXPECT_EQ(Res()->GetActiveProfile().ChallengeDifficulty, 1);
  Res()->Difficulty = 0;
  Post(ekForm, sidChallenge, sidGame, 1);
  Tick();
  EXPECT_EQ(Res()->GameType, 1);
  EXPECT_EQ(Res()->GetActiveProfile().ChallengeDifficulty, 0);
  EXPECT_EQ(Res()->GetActiveProfile().MissionDifficulty, 2);
  EXPECT_EQ(Res()->GetActiveProfile().ArcadeDifficulty, 1);
  // Saved at once: a fresh read of the file has them.
  TsysResources again(nullptr, Dir.Path());
  ASSERT_EQ(again.ProfileCount(), 1);
  EXPECT_EQ(again.GetProfile(0).MissionDifficulty, 2);
  EXPECT_EQ(again.GetProfile(0).ChallengeDifficulty, 0);
}

TEST_F(DirectorTest, SetUpScreensReturnFromTheGameOverTheBackground) {
  for (std::uint16_t target : {sidMissions, sidArcade, sidChallenge}) {
    const TScreenSlot slot = SlotOfScreen(target);
    for (std::int32_t source : {grGameMenu, grGameOver}) {
      Start(true);
      AttachPoster();
      PassLoading();
      Director->SwitchScreen(sidGame, grArcade, 0);
      Director->SwitchScreen(source == grGameMenu ? sidGameMenu : sidGameOver, grGame, 0);
      Res()->Paused = true;
      Res()->MenuOpen = true;
      Director->SwitchScreen(target, source, 7);
      EXPECT_FALSE(Open(ssGame)) << target << " from " << source;
      EXPECT_TRUE(Open(ssBackground)) << target << " from " << source;
      EXPECT_TRUE(Open(slot)) << target << " from " << source;
      EXPECT_FALSE(Open(ssGameMenu));
      EXPECT_FALSE(Open(ssGameOver));
      // Only the challenges clear the pause flags, and only after game over.
      const bool cleared = target == sidChallenge && source == grGameOver;
      EXPECT_EQ(Res()->Paused, !cleared) << target << " from " << source;
      EXPECT_EQ(Res()->MenuOpen, !cleared) << target << " from " << source;
      Director.reset();
      Log.clear();
    }
  }
  // From the main menu: no background is opened a second time, the game is not touched.
  Start(true);
  AttachPoster();
  PassLoading();
  Log.clear();
  Director->SwitchScreen(sidChallenge, grMainMenu, 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"close mainmenu", "open challenge"}));
}

TEST_F(DirectorTest, TheTutorialAndTheInGameMenuResumeAndRestart) {
  Start(true);
  std::vector<std::uint16_t> codes;
  struct TSpy : TsysEventComponent {
    std::vector<std::uint16_t>* Codes;
    void HandleEvent(TsysEvent* e) override { Codes->push_back(e->Code); }
  } spy;
  spy.Codes = &codes;
  spy.EventMask = ekGame;
  Director->Events->Register(&spy);
  Director->SwitchScreen(sidGame, grArcade, 0);
  Director->SwitchScreen(sidTutorial, grGame, 0);
  EXPECT_TRUE(Open(ssTutorial));
  Res()->Paused = true;
  Res()->MenuOpen = true;
  Director->SwitchScreen(0, grTutorial, 26);
  EXPECT_FALSE(Open(ssTutorial));
  EXPECT_FALSE(Res()->Paused);
  EXPECT_FALSE(Res()->MenuOpen);
  EXPECT_TRUE(Open(ssGame));

  Director->SwitchScreen(sidGameMenu, grGame, 0);
  Res()->Paused = true;
  Res()->MenuOpen = true;
  Director->SwitchScreen(0, grGameMenu, 25);  // restart
  EXPECT_FALSE(Open(ssGameMenu));
  EXPECT_FALSE(Res()->Paused);
  EXPECT_FALSE(Res()->MenuOpen);
  Tick();
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{25}));
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

TEST_F(DirectorTest, QuitInTheBackgroundShutsDownAtOnce) {
  Start(true);
  AttachPoster();
  PassLoading();
  Director->Deactivate();
  Director->RequestQuit();  // the window's close request, SIGTERM or SIGINT
  EXPECT_TRUE(Director->IsShutDown()) << "no frame runs in the background to carry the quit out";
  EXPECT_TRUE(Window.Terminated);
  EXPECT_EQ(Director->Interface, nullptr);
  EXPECT_EQ(Director->Events, nullptr);
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
  WriteStandInCore(Dir.Path() + "data/");
  Director = std::make_unique<TmodScripting>(Platform(), Dir.Path(), none);
  AttachPoster();
  Post(ekMouse, 3, 0, 0);
  Tick(3);
  EXPECT_FALSE(Director->LoadingWait);
  for (const auto& m : catcher.Messages) EXPECT_EQ(m.first, "Game Data Missing") << "only the missing data is told";
}

TEST_F(DirectorTest, MissingDataIsToldOnceByNameAndNothingIsWrittenIntoTheDataFolder) {
  WriteStandInCore(Dir.Path() + "data/");
  TMessageCatcher catcher;
  Start(false);
  ASSERT_EQ(catcher.Messages.size(), 1u);
  EXPECT_EQ(catcher.Messages[0].first, "Game Data Missing");
  const std::string& text = catcher.Messages[0].second;
  for (const char* name : {"data/screens.asdb (missing)", "data/GoChallenge.asdb (missing)"})
    EXPECT_NE(text.find(name), std::string::npos) << name << " in: " << text;
  EXPECT_NE(text.find(Dir.Path() + "data/"), std::string::npos) << "where the data folder belongs";
  EXPECT_NE(text.find("Click OK or press Enter to go on with the game."), std::string::npos)
      << "the box says how the game goes on";
  EXPECT_EQ(Res()->UnreadableData.size(), 9u);
  EXPECT_EQ(std::filesystem::directory_iterator(Dir.Path() + "data")->path().filename(), "core.asdb")
      << "no empty archive is written in place of a missing one";
  EXPECT_TRUE(Director->Timer->GetEnabled()) << "the program goes on";
  EXPECT_FALSE(Window.Terminated);
}

TEST_F(DirectorTest, WithoutTheCoreArchiveTheGameSaysSoOnceAndStopsBeforeAnyMenu) {
  // Missing, or there but without the font: no word could be drawn.
  for (bool present : {false, true}) {
    TTempDir dir;
    std::filesystem::create_directory(dir.Path() + "data");
    if (present) {
      TASDbWriter writer;
      writer.Add("readme", 2, {'h', 'i'});
      ASSERT_TRUE(writer.Save(dir.Path() + "data/core.asdb"));
    }
    TFakeWindow window;
    TsysPlatform platform = Platform();
    platform.Window = &window;
    TMessageCatcher catcher;
    Log.clear();
    auto director = std::make_unique<TmodScripting>(platform, dir.Path(), Factories());
    ASSERT_EQ(catcher.Messages.size(), 1u) << "said once";
    EXPECT_EQ(catcher.Messages[0].first, "Game Data Missing");
    EXPECT_NE(catcher.Messages[0].second.find("core.asdb"), std::string::npos) << catcher.Messages[0].second;
    EXPECT_NE(catcher.Messages[0].second.find("cannot start"), std::string::npos);
    EXPECT_TRUE(window.Terminated);
    EXPECT_FALSE(director->Timer->GetEnabled());
    EXPECT_TRUE(Log.empty()) << "no screen is opened";
    director.reset();
  }
}

TEST_F(DirectorTest, SaveFilesThatCouldNotBeReadAreToldOnceLoadingIsOver) {
  std::vector<std::uint8_t> torn(504 + 10, 0);
  torn[0] = 3;
  torn[1] = 'A';
  torn[2] = 'd';
  torn[3] = 'a';
  torn[20] = torn[24] = torn[28] = 1;
  std::filesystem::create_directories(Dir.Path());
  ASSERT_TRUE(WriteFileAtomic(Dir.File("Profiles.dat"), torn));
  TMessageCatcher catcher;
  Start(false);
  std::vector<std::string> told;
  for (const auto& m : catcher.Messages)
    if (m.first == "Saved Games Not Read") told.push_back(m.second);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("Profiles.dat was damaged; 1 player was read whole."), std::string::npos) << told[0];
  EXPECT_NE(told[0].find("Profiles.dat.damaged"), std::string::npos) << told[0];
  EXPECT_NE(told[0].find("Click OK or press Enter to go on with the game."), std::string::npos) << told[0];
  EXPECT_EQ(Res()->ProfileCount(), 1);
}

TEST_F(DirectorTest, CompleteDataBringsNoMessage) {
  std::filesystem::create_directory_symlink(PLOTFRAY_DATA_DIR, Dir.Path() + "data");
  TMessageCatcher catcher;
  Start(false);
  EXPECT_TRUE(catcher.Messages.empty());
  EXPECT_TRUE(Res()->UnreadableData.empty());
}

}  // namespace
