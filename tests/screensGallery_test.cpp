// Pictures of the screens around the game, drawn by the real SDL device through
// the real director on the generated data and written to build/screens/ for
// people to look at (copies are kept in docs/screenshots/). The screens that lie
// over the game are drawn from real play in gameGallery_test.cpp. Skipped while
// the widget art is missing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "contrastSupport.h"
#include "drawnScreenSupport.h"
#include "tables/defChallenges.h"
#include "objects/objButton.h"
#include "objects/objGroupButton.h"
#include "objects/objLabel.h"
#include "screens/frmChallenge.h"
#include "screens/frmMissions.h"

namespace {

class ScreensGallery : public DrawnScreenTest {
 protected:
  bool HaveArt() { return HaveImage(0, 2) && HaveImage(3, 0) && HaveImage(3, 4); }
  // Clicks a button that opens another screen, and waits for its fade-in.
  void Open(int x, int y) { Click(x, y, 40); }
  // Past the loading screen to the main menu as a player part of the way
  // through everything.
  void ToMainMenu() {
    TProfileRecord p;
    p.Name = "Ada";
    p.ArcadeDifficulty = 2;
    p.ChallengeDifficulty = 0;
    GiveSampleProgress(p);
    StartAs(p);
  }
};

TEST_F(ScreensGallery, SetUpScreens) {
  if (!HaveArt()) GTEST_SKIP() << "the widget art is not in the data yet";
  ToMainMenu();
  Open(510, 395);  // ARCADE
  Move(300, 595);  // the DEFINE THE LINE preview
  Tick(12);
  Shot("arcade");
  Move(300, 435);  // the ROZIR IVIVURUDA preview
  Tick(12);
  Shot("arcade-quadrants");
  Open(507, 675);
  Open(510, 325);  // TUTORIAL
  Move(557, 430);  // the next level of Rozir Ivivuruda
  Shot("missions");
  Open(507, 675);
  Res()->CompletedChallenge = 9;
  Open(510, 465);  // CHALLENGES
  Tick(40);
  Move(580, 569);  // a tile of the right-hand columns
  Tick(12);
  Shot("challenges");
  Open(527, 675);  // BACK
  Open(510, 625);  // OPTIONS
  Move(687, 637);  // GAME SPEED 50 %
  Shot("options-play");
  Open(512, 725);  // KEYS
  Shot("keys");
}

// CLASS LEVELS with a teacher's set chosen, a bad file and the shipped examples.
TEST_F(ScreensGallery, ClassLevels) {
  if (!HaveArt()) GTEST_SKIP() << "the widget art is not in the data yet";
  ToMainMenu();
  WriteSampleLevelSets();
  ASSERT_TRUE(Res()->Progress->RecordSetLevel("Ada", "Left side only", 1, 2350));
  Open(510, 325);  // TUTORIAL
  Open(732, 675);  // CLASS LEVELS
  Press(0x28);     // the teacher's set, under the bad file
  Tick(20);
  Shot("class-levels");
  Press(0x26);
  Tick(20);
  Shot("class-levels-fault");
}

// The white captions of the coloured buttons read against the buttons under
// them: the mode and RESET buttons of the missions, and the difficulty row of
// the challenges (one of them selected), at 4.5:1 at least.
TEST_F(ScreensGallery, ColouredButtonCaptionsRead) {
  if (!HaveArt()) GTEST_SKIP() << "the widget art is not in the data yet";
  ToMainMenu();
  Open(510, 325);  // TUTORIAL
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
  Open(507, 675);
  Open(510, 465);  // CHALLENGES
  auto* challenges = dynamic_cast<TfrmChallenge*>(Director->Screen(ssChallenge));
  ASSERT_NE(challenges, nullptr);
  for (std::size_t i = 0; i < 4; ++i)
    texts.push_back({"difficulty " + std::to_string(i), challenges->Difficulties->Entries[i].CaptionItem});
  check();
}

}  // namespace
