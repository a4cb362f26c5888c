// The monsters' questions never lie on one another, off the screen, under the
// HUD strip or under the challenge text: first the placer on its own, then the
// busiest level of the game played frame by frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "autoPlayer.h"
#include "core/sysRound.h"
#include "gameFlowSupport.h"
#include "tables/defLevels.h"
#include "game/libLabelPlacer.h"
#include "objects/objLabel.h"

namespace {

const TLabelBox Area{258, 2, 764, 764};

bool Inside(const TLabelBox& b, const TLabelBox& area) {
  return b.X >= area.X && b.Y >= area.Y && b.X + b.W <= area.X + area.W && b.Y + b.H <= area.Y + area.H;
}

TEST(LabelPlacer, ACrowdOnOneSpotSpreadsOutInsideTheAreaAndOffTheObstacle) {
  const TLabelBox panel{752, 6, 266, 43};
  struct TCase {
    const char* Name;
    TLabelBox Natural;
  } cases[] = {
      {"mid-board", {600, 380, 105, 16}},
      {"against the top edge, under the panel", {880, -10, 105, 16}},
      {"against the HUD strip", {220, 700, 105, 16}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TlibLabelPlacer placer;
    placer.Begin(Area);
    placer.AddObstacle(panel);
    std::vector<TLabelBox> placed;
    for (int i = 0; i < 80; ++i) {
      double sx = 0;
      double sy = 0;
      ASSERT_TRUE(placer.Place(c.Natural, 0, 0, sx, sy)) << "label " << i;
      const TLabelBox b{c.Natural.X + sx, c.Natural.Y + sy, c.Natural.W, c.Natural.H};
      EXPECT_TRUE(Inside(b, Area)) << "label " << i << " at " << b.X << "," << b.Y;
      EXPECT_FALSE(BoxesOverlap(b, panel)) << "label " << i;
      for (const TLabelBox& p : placed) ASSERT_FALSE(BoxesOverlap(b, p)) << "label " << i;
      placed.push_back(b);
    }
    // Nearest first: the first stays home (inside the area), the second is a row away.
    EXPECT_LE(std::abs(placed[1].Y - placed[0].Y), c.Natural.H + TlibLabelPlacer::Gap + 0.01);
  }
}

TEST(LabelPlacer, AFreeLastSpotIsKeptAndAFullAreaHidesRatherThanOverlaps) {
  TlibLabelPlacer placer;
  const TLabelBox a{500, 300, 80, 16};
  double sx = 0;
  double sy = 0;
  placer.Begin(Area);
  ASSERT_TRUE(placer.Place(a, 0, 0, sx, sy));
  ASSERT_TRUE(placer.Place(a, 0, 0, sx, sy));
  EXPECT_TRUE(sx != 0 || sy != 0);
  // Next frame the second label had been pushed 40 pixels down: it stays there
  // rather than jumping to the nearest free place.
  placer.Begin(Area);
  ASSERT_TRUE(placer.Place(a, 0, 0, sx, sy));
  ASSERT_TRUE(placer.Place(a, 0, 40, sx, sy));
  EXPECT_EQ(sx, 0);
  EXPECT_EQ(sy, 40);

  // An area that holds exactly four labels.
  placer.Begin(TLabelBox{0, 0, 2 * 84, 2 * 20});
  int shown = 0;
  for (int i = 0; i < 6; ++i) shown += placer.Place(TLabelBox{0, 0, 80, 16}, 0, 0, sx, sy);
  EXPECT_EQ(shown, 4);
  EXPECT_LE(placer.TestsUsed(), TlibLabelPlacer::Budget);
}

class LabelsInPlay : public GameFlowTest {
 protected:
  // The plates as the graphics module draws them, in screen pixels.
  std::vector<TLabelBox> Plates() {
    std::vector<TLabelBox> boxes;
    for (TobjMonster* m : Monsters()) {
      if (!m->Visible || !m->LabelPlate->Visible) continue;
      const double k = m->LabelPlate->Scale;
      boxes.push_back(TLabelBox{m->X + 512 + m->LabelPlate->RelX, m->Y + 384 + m->LabelPlate->RelY,
                                static_cast<double>(Round(m->LabelPlate->Width * k)),
                                static_cast<double>(Round(m->LabelPlate->Height * k))});
    }
    return boxes;
  }
  // Every plate on the board side of the screen, off the panel, and apart; the
  // first fault is reported with its frame.
  void CheckFrame(int frame, const TLabelBox* panel, int& faults) {
    const std::vector<TLabelBox> boxes = Plates();
    const TLabelBox board{256, 0, 768, 768};
    for (std::size_t i = 0; i < boxes.size() && faults < 5; ++i) {
      const TLabelBox& b = boxes[i];
      if (!Inside(b, board)) {
        ADD_FAILURE() << "frame " << frame << ": a question off the board at " << b.X << "," << b.Y;
        ++faults;
      }
      if (panel != nullptr && BoxesOverlap(b, *panel)) {
        ADD_FAILURE() << "frame " << frame << ": a question under the challenge text at " << b.X << "," << b.Y;
        ++faults;
      }
      for (std::size_t j = i + 1; j < boxes.size(); ++j)
        if (BoxesOverlap(b, boxes[j])) {
          ADD_FAILURE() << "frame " << frame << ": questions overlap at " << b.X << "," << b.Y << " and "
                        << boxes[j].X << "," << boxes[j].Y << Debug();
          ++faults;
        }
    }
  }
  std::string Debug() {
    std::string out;
    for (TobjMonster* m : Monsters())
      out += "\n  " + m->Question + " p=" + std::to_string(m->DrawnPixels) + " t=" + std::to_string(m->TargetPixels) +
             " at " + std::to_string(m->X + 512) + "," + std::to_string(m->Y + 384) + " shift " +
             std::to_string(m->LabelShiftX) + "," + std::to_string(m->LabelShiftY) + " rel " +
             std::to_string(m->LabelPlate->RelX) + "," + std::to_string(m->LabelPlate->RelY) + " vis " +
             std::to_string(m->Visible) + std::to_string(m->LabelPlate->Visible);
    return out;
  }
  std::int32_t Hidden() {
    std::int32_t n = 0;
    for (TobjMonster* m : Monsters()) n += m->LabelHidden;
    return n;
  }
};

// Vove'r uda Zerir? level 5 sends fifty monsters within a second.
TEST_F(LabelsInPlay, TheFiftyMonsterLevelKeepsItsPaceAndEveryQuestionApartOnScreen) {
  CreateFirstProfile("Ada");
  RandomSeed(5);
  Res()->GameKind = GameKind::Mission;
  Res()->GameType = GameType::WhatsThePoint;
  Res()->Difficulty = Difficulty::Medium;
  Res()->MissionLevelChoice = 4;
  Spy.PostEvent(pmQueued, ekScreen, sidGame, grArcade, 0);
  for (int i = 0; i < 60 && Screen(ssTutorial) == nullptr; ++i) Tick();
  ASSERT_NE(Screen(ssTutorial), nullptr);
  Click(640, 638);  // OK
  Tick(20);
  ASSERT_FALSE(Res()->Paused);
  ASSERT_EQ(Res()->Level.MaxMonsters[Difficulty::Medium], 50);

  TAutoPlayer player(Director.get(), TAutoPlayer::TStyle::Solver, 3);
  player.ThinkSteps = 30;
  int faults = 0;
  int frameFull = -1;
  std::int32_t mostHidden = 0;
  std::int32_t mostTests = 0;
  double farthest = 0;
  for (int frame = 0; frame < 1500 && !Res()->GameOver && faults < 5; ++frame) {
    player.Step();
    if (frameFull < 0 && static_cast<std::int32_t>(Monsters().size()) >= 50) frameFull = frame;
    CheckFrame(frame, nullptr, faults);
    mostHidden = std::max(mostHidden, Hidden());
    mostTests = std::max(mostTests, player.Game() != nullptr ? player.Game()->LabelTests() : 0);
    for (TobjMonster* m : Monsters()) farthest = std::max(farthest, std::hypot(m->LabelShiftX, m->LabelShiftY));
  }
  std::printf("  fifty at frame %d, most box tests in a frame %d, farthest question %.0f px from its place\n",
              frameFull, mostTests, farthest);
  EXPECT_GE(frameFull, 0) << "fifty monsters never stood on the board together";
  EXPECT_LE(frameFull, 120) << "the level's pace: fifty monsters in about a second after the first";
  EXPECT_EQ(mostHidden, 0) << "a question found no room on the board";
  EXPECT_GT(player.Answers, 5) << "the questions stayed readable to the player";
}

// A crowded clock challenge: the questions keep off the challenge text at the top right.
TEST_F(LabelsInPlay, QuestionsKeepOffTheChallengeText) {
  OpenGame(GameKind::Challenge, 3, Difficulty::Easy, 9);
  PastFadeIn();
  TfrmGame* game = Game();
  ASSERT_NE(game, nullptr);
  ASSERT_TRUE(game->Hud.ChallengeText->Visible);
  for (std::int32_t& s : Res()->Level.SpawnInterval) s = 1;
  for (double& m : Res()->Level.MaxMonsters) m = 40;
  for (double& s : Res()->Level.BaseSpeed) s = 0.1;
  const TLabelBox panel{game->Hud.ChallengeText->X, game->Hud.ChallengeText->Y,
                        static_cast<double>(game->Hud.ChallengeText->Width),
                        static_cast<double>(game->Hud.ChallengeText->Height)};
  int faults = 0;
  int nearPanel = 0;
  for (int frame = 0; frame < 600 && !Res()->GameOver && faults < 5; ++frame) {
    Tick();
    CheckFrame(frame, &panel, faults);
    // Monsters do come where their questions would sit under the text.
    for (TobjMonster* m : Monsters()) nearPanel += m->X + 512 > 700 && m->Y + 384 < 90;
  }
  EXPECT_GT(nearPanel, 0) << "no monster came near the challenge text: the case was not tried";
  EXPECT_EQ(Hidden(), 0);
}

}  // namespace
