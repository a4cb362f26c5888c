// Pictures of the screens around the game, drawn by the real SDL device through
// the real director on the generated data and written to build/screens/ for
// people to look at (copies are kept in docs/screenshots/). The screens that lie
// over the game are drawn from real play in gameGallery_test.cpp. Skipped while
// the widget art is missing.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/modScripting.h"
#include "core/sysEventHandler.h"
#include "data/sysImages.h"
#include "data/sysResources.h"
#include "game/defChallenges.h"
#include "game/defLevels.h"
#include "objects/sysInterface.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"
#include "render/modInput.h"
#include "contrastSupport.h"
#include "objects/objButton.h"
#include "objects/objGroupButton.h"
#include "objects/objLabel.h"
#include "screens/frmChallenge.h"
#include "screens/frmMissions.h"
#include "testSupport.h"

namespace {

class ScreensGallery : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    std::filesystem::create_directory_symlink(PLOTFRAY_DATA_DIR, Dir.Path() + "data");
    TSettingsRecord settings;
    settings.Fullscreen = 0;
    settings.ActiveProfile = 0;
    const std::vector<std::uint8_t> bytes = EncodeSettings(settings);
    WriteBytes(Dir.File("Settings.ini"), bytes);
    Window = std::make_unique<TplatWindow>();
    ASSERT_TRUE(Window->Create(false));
    TsysPlatform platform;
    platform.Window = Window.get();
    platform.Clock = &Clock;
    platform.CreateDevice = [this]() -> std::unique_ptr<TrndDevice> {
      return TplatDevice::Create(Window.get(), true, true);
    };
    Director = std::make_unique<TmodScripting>(platform, Dir.Path(), DefaultScreenFactories());
    Director->Events->Register(&Poster);
  }
  void TearDown() override {
    if (Director) Director->Events->Unregister(&Poster);
    Director.reset();
    Window.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  bool HaveArt() {
    const auto have = [this](int set, int image) {
      TImageSet* s = Res()->ImageSet(set);
      return s != nullptr && s->Image(image) != nullptr;
    };
    return have(0, 2) && have(3, 0) && have(3, 4);
  }
  TsysResources* Res() { return Director->Interface->Resources.get(); }
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) Director->Events->Tick();
  }
  void Move(int x, int y) {
    Director->Input->PointerMove(x, y, 0);
    Tick(2);
  }
  void Click(int x, int y) {
    Move(x, y);
    Director->Input->ButtonDown(0, x, y, 0);
    Tick(2);
    Director->Input->ButtonUp(0, x, y, 0);
    Tick(40);
  }
  // What the game screen posts to open a screen over itself.
  void GameOpens(std::uint16_t screen) {
    Poster.PostEvent(pmQueued, ekScreen, screen, 0, 0);
    Tick(40);
  }
  void Shot(const std::string& name) {
    Director->Graphics->RenderFrame();
    EXPECT_GT(Director->Graphics->Frame().size(), 8u) << name;
    const std::string folder = std::string(PLOTFRAY_BINARY_DIR) + "screens/";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(Director->Graphics->SaveScreenshot(folder + name + ".png")) << name;
    EXPECT_GT(std::filesystem::file_size(folder + name + ".png"), 10000u) << name;
  }
  // A player part of the way through everything.
  void AddPlayer() {
    TProfileRecord p;
    p.Name = "Ada";
    p.ArcadeDifficulty = 2;
    p.ChallengeDifficulty = 0;
    p.MissionProgress[0] = TMissionProgress{3, 4200, 31};
    p.MissionProgress[1] = TMissionProgress{5, 9800, 90};
    p.MissionProgress[2] = TMissionProgress{1, 900, 10};
    for (int c : {0, 2, 6, 7, 9}) {
      p.ChallengeRecords[c].Completed[0] = true;
      p.ChallengeRecords[c].Best[0] = Challenges[static_cast<std::size_t>(c)].Target[0] + 120;
    }
    p.ChallengeRecords[1].Best[0] = 6400;
    Res()->AddProfile(p);
    Res()->SaveProfiles();
  }
  // Past the loading screen to the main menu.
  void ToMainMenu() {
    AddPlayer();
    Director->Input->ButtonUp(0, 500, 400, 0);
    Tick(60);
  }

  TTempDir Dir;
  TFakeClock Clock;
  std::unique_ptr<TplatWindow> Window;
  std::unique_ptr<TmodScripting> Director;
  // Stands where the game screen will post from.
  struct TPoster : TsysEventComponent {
  } Poster;
};

TEST_F(ScreensGallery, SetUpScreens) {
  if (!HaveArt()) GTEST_SKIP() << "the widget art is not in the data yet";
  ToMainMenu();
  Click(510, 395);  // ARCADE
  Move(300, 595);   // the DEFINE THE LINE preview
  Tick(12);
  Shot("arcade");
  Click(507, 675);
  Click(510, 325);  // TUTORIAL
  Move(557, 430);   // the next level of Rozir Ivivuruda
  Shot("missions");
  Click(507, 675);
  Res()->CompletedChallenge = 9;
  Click(510, 465);  // CHALLENGES
  Tick(40);
  Move(580, 569);   // a tile of the right-hand columns
  Tick(12);
  Shot("challenges");
}

// The white captions of the coloured buttons read against the buttons under
// them: the mode and RESET buttons of the missions, and the difficulty row of
// the challenges (one of them selected), at 4.5:1 at least.
TEST_F(ScreensGallery, ColouredButtonCaptionsRead) {
  if (!HaveArt()) GTEST_SKIP() << "the widget art is not in the data yet";
  ToMainMenu();
  Click(510, 325);  // TUTORIAL
  auto* missions = dynamic_cast<TfrmMissions*>(Director->Screen(ssMissions));
  ASSERT_NE(missions, nullptr);
  struct TText {
    std::string Name;
    TrndText* Item;
  };
  std::vector<TText> texts;
  for (std::size_t m = 0; m < 3; ++m) {
    texts.push_back({"mode " + std::to_string(m + 1), missions->Modes[m]->Caption});
    texts.push_back({"reset " + std::to_string(m + 1), missions->Resets[m]->Caption});
  }
  texts.push_back({"BACK", missions->Back->Caption});
  const auto check = [&] {
    for (const TText& t : texts) {
      const contrast::TMeasure m = contrast::MeasureText(Director->Graphics.get(), t.Item);
      EXPECT_GT(m.GlyphPixels, 20) << t.Name << ": the caption is drawn";
      EXPECT_GE(m.Ratio, 4.5) << t.Name;
      std::printf("  %-12s %.2f:1\n", t.Name.c_str(), m.Ratio);
    }
    texts.clear();
  };
  check();
  Click(507, 675);
  Click(510, 465);  // CHALLENGES
  auto* challenges = dynamic_cast<TfrmChallenge*>(Director->Screen(ssChallenge));
  ASSERT_NE(challenges, nullptr);
  for (std::size_t i = 0; i < 4; ++i)
    texts.push_back({"difficulty " + std::to_string(i), challenges->Difficulties->Entries[i].CaptionItem});
  check();
}

}  // namespace
