#pragma once
// The whole program drawn by the real SDL device in a window of its own, on
// the generated data, with the save files in a temporary folder: for the tests
// that read the pixels of whole frames and for the pictures people look at
// (written to build/screens/). The window is never shown full screen.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/modScripting.h"
#include "core/sysEventHandler.h"
#include "core/sysRandom.h"
#include "data/sysImages.h"
#include "data/sysRecords.h"
#include "data/sysResources.h"
#include "objects/sysForm.h"
#include "objects/sysInterface.h"
#include "objects/sysScreenIds.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"
#include "render/modInput.h"
#include "tables/defChallenges.h"
#include "tables/defLevels.h"
#include "autoPlayer.h"
#include "testSupport.h"

class DrawnScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    std::filesystem::create_directory_symlink(DataFolder, Dir.Path() + "data");
    TSettingsRecord settings;
    settings.Fullscreen = 0;
    const std::vector<std::uint8_t> bytes = EncodeSettings(settings);
    FILE* f = std::fopen(Dir.File("Settings.ini").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ASSERT_EQ(std::fclose(f), 0);
    ASSERT_TRUE(written);
    Window = std::make_unique<TplatWindow>();
    ASSERT_TRUE(Window->Create(false));
    TsysPlatform platform;
    platform.Window = Window.get();
    platform.Clock = &Clock;
    platform.CreateDevice = [this]() -> std::unique_ptr<TrndDevice> {
      return TplatDevice::Create(Window.get(), true, true);
    };
    Director = std::make_unique<TmodScripting>(platform, Dir.Path(), DefaultScreenFactories());
  }
  void TearDown() override {
    Director.reset();
    Window.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  // The player's profile, saved and made the active one (as a child who has
  // played before finds it), then past the loading screen to the main menu.
  void StartAs(const TProfileRecord& player) {
    Res()->AddProfile(player);
    Res()->SaveProfiles();
    TSettingsRecord active = Res()->Settings;
    active.ActiveProfile = static_cast<std::int32_t>(Res()->Profiles.size()) - 1;
    Res()->SaveSettings(active);
    Director->Input->ButtonUp(0, 500, 400, 0);
    Tick(60);
  }
  // A player who has not played yet, as most pictures show.
  void StartAsNewPlayer() {
    TProfileRecord p;
    p.Name = "Ada";
    StartAs(p);
  }
  // A game of the kind, type and difficulty (a challenge's number as its type),
  // with the random generator seeded from them: the same board every run.
  void OpenGame(std::int32_t kind, std::int32_t type, std::int32_t difficulty, std::int32_t missionLevel = 1) {
    RandomSeed(static_cast<std::uint32_t>(kind * 100 + type * 10 + difficulty));
    Res()->GameKind = kind;
    Res()->GameType = type;
    Res()->Difficulty = difficulty;
    Res()->MissionLevelChoice = kind == GameKind::Mission ? missionLevel : -1;
    Director->SwitchScreen(sidGame, grArcade, 0);
  }
  bool HaveImage(std::int32_t set, std::int32_t image) {
    TImageSet* s = Res()->ImageSet(set);
    return s != nullptr && s->Image(image) != nullptr;
  }
  TsysResources* Res() { return Director->Interface->Resources.get(); }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) Director->Events->Tick();
  }
  void Move(int x, int y) {
    Director->Input->PointerMove(x, y, 0);
    Tick(2);
  }
  // settle: steps after the release, for the screen it opens to fade in.
  // A panel that has just opened by itself holds clicks, Enter and Space back
  // for a moment: the click and keys come after it, as a child's would.
  void WaitOutHold() {
    for (int i = 0; i < 120 && Director->Input->Holding(); ++i) Tick();
  }
  void Click(int x, int y, int settle = 2) {
    WaitOutHold();
    Move(x, y);
    Director->Input->ButtonDown(0, x, y, 0);
    Tick(2);
    Director->Input->ButtonUp(0, x, y, 0);
    Tick(settle);
  }
  void Press(int key) {
    WaitOutHold();
    Director->Input->KeyDown(key, 0);
    Director->Input->KeyUp(key, 0);
  }
  // The frame as the window shows it, 1024 x 768 pixels.
  std::vector<std::uint32_t> Capture() {
    std::vector<std::uint32_t> pixels;
    Director->Graphics->BuildFrameForTest();
    Director->Graphics->RenderFrame();
    EXPECT_TRUE(Director->Graphics->GetDevice()->CaptureFrame(Director->Graphics->Frame(), pixels));
    EXPECT_EQ(pixels.size(), 1024u * 768u);
    return pixels;
  }
  // Draws the frame and writes it to build/screens/NAME.png.
  void Shot(const std::string& name) {
    const std::string folder = std::string(PLOTFRAY_BINARY_DIR) + "screens/";
    std::filesystem::create_directories(folder);
    Director->Graphics->RenderFrame();
    ASSERT_TRUE(Director->Graphics->SaveScreenshot(folder + name + ".png")) << name;
    EXPECT_GT(std::filesystem::file_size(folder + name + ".png"), 10000u) << name;
  }

  // Where the generated data is read from; a fixture may name another before SetUp.
  std::string DataFolder = PLOTFRAY_DATA_DIR;
  TTempDir Dir;
  TFakeClock Clock;
  std::unique_ptr<TplatWindow> Window;
  std::unique_ptr<TmodScripting> Director;

  // A teacher's set beside a bad file (a misspelt key, a range too wide), in
  // the saves' levels folder.
  void WriteSampleLevelSets() {
    std::filesystem::create_directories(Res()->SavePath + "levels");
    std::ofstream(Res()->SavePath + "levels/friday.txt")
        << "[set]\ntitle = Friday\n[level]\ntitle = A\ngame = point\nrange = 12\nquadrants = II\n"
           "questions = plain\nmonsters = 10\nat-once = 3\nsped = 2\n";
    std::ofstream(Res()->SavePath + "levels/room12.txt")
        << "[set]\ntitle = Left side only\nauthor = Room 12 maths\n"
           "[level]\ntitle = Quadrants II and III\ngame = point\nrange = 4\nquadrants = II, III\n"
           "questions = plain\nmonsters = 10\nat-once = 3\nspeed = 2\n"
           "[level]\ntitle = Now with sums\ngame = point\nrange = 5\nquadrants = II, III, axes\n"
           "questions = plain, one-sum, two-sums\nmonsters = 15\nat-once = 4\nspeed = 3\nlives = 3\n";
  }

  // Missions and challenges part of the way through, as the galleries show them.
  static void GiveSampleProgress(TProfileRecord& p) {
    p.MissionProgress[0] = TMissionProgress{3, 4200, 31};
    p.MissionProgress[1] = TMissionProgress{5, 9800, 90};
    p.MissionProgress[2] = TMissionProgress{1, 900, 10};
    for (int c : {0, 2, 6, 7, 9}) {
      p.ChallengeRecords[c].Completed[0] = true;
      p.ChallengeRecords[c].Best[0] = Challenges[static_cast<std::size_t>(c)].Target[0] + 120;
    }
    p.ChallengeRecords[1].Best[0] = 6400;
  }
  // Steps the player until the screen of the slot is open and has faded in.
  bool PlayUntilShown(TAutoPlayer& player, TScreenSlot slot, int limit) {
    for (int i = 0; i < limit; ++i) {
      const TsysForm* form = Director->Screen(slot);
      if (form != nullptr && !form->FadingIn) return true;
      player.Step();
    }
    return false;
  }
};
