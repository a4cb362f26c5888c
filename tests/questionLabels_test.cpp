// The questions over the monsters can be read from the first frame they show:
// through the wave of fifty monsters of the last point level, with the usual
// and with the larger questions, no question is drawn smaller than its full
// size, none covers the monster that carries it, and its text stands out from
// its plate by 4.5:1 in every way of seeing. Skipped while the game's sprites
// are not in the data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "contrastSupport.h"
#include "drawnScreenSupport.h"
#include "game/frmGame.h"
#include "game/objMonster.h"
#include "objects/sysObjects.h"
#include "tables/defSprites.h"

namespace {

struct TScreenBox {
  double Left, Top, Right, Bottom;
  bool Meets(const TScreenBox& o) const { return Left < o.Right && o.Left < Right && Top < o.Bottom && o.Top < Bottom; }
};

class QuestionLabels : public DrawnScreenTest {
 protected:
  void SetUp() override {
    DrawnScreenTest::SetUp();
    if (HasFatalFailure()) return;
    StartAsNewPlayer();
  }
  bool HaveSprites() { return HaveImage(Sprite::Set, Sprite::Monsters); }
  // The last level of the point game, its help page closed.
  void OpenTheWave() {
    OpenGame(GameKind::Mission, GameType::WhatsThePoint, Difficulty::Medium, 4);
    for (int i = 0; i < 200 && Director->Screen(ssTutorial) == nullptr; ++i) Tick();
    for (int i = 0; i < 20 && Director->Screen(ssTutorial) != nullptr; ++i) {
      Tick(20);
      Press(0x0D);
      Tick(20);
    }
    ASSERT_EQ(Director->Screen(ssTutorial), nullptr);
  }
  std::vector<TobjMonster*> Monsters() {
    std::vector<TobjMonster*> out;
    TsysObjects* objects = Director->Interface->Objects.get();
    for (std::int32_t i = 0; i < objects->TypeSize(otMonster); ++i)
      out.push_back(static_cast<TobjMonster*>(objects->TypeObject(otMonster, i)));
    return out;
  }
  static TScreenBox Plate(const TobjMonster* m) {
    const double k = m->LabelPlate->Scale;
    const double x = 512 + m->X + m->LabelPlate->RelX, y = 384 + m->Y + m->LabelPlate->RelY;
    return {x, y, x + m->LabelPlate->Width * k, y + m->LabelPlate->Height * k};
  }
  // The creature's own drawn square, a little inside its picture's edge.
  static TScreenBox Body(const TobjMonster* m) {
    const double half = m->DrawnPixels * 0.4;
    return {512 + m->X - half, 384 + m->Y - half, 512 + m->X + half, 384 + m->Y + half};
  }
  // Plays the wave with nobody answering; counts the questions shown, those
  // drawn below their full height and those lying on their own monster.
  void PlayTheWave(const char* what) {
    int shown = 0, small = 0, covering = 0, steps = 0;
    std::map<int, int> heights;  // drawn plate height: how often, over the whole wave
    for (; steps < 900; ++steps) {
      Tick();
      for (TobjMonster* m : Monsters()) {
        if (!m->LabelPlate->Visible || m->Dying) continue;
        ++shown;
        const TScreenBox plate = Plate(m);
        const double height = plate.Bottom - plate.Top;
        ++heights[static_cast<int>(std::lround(height))];
        if (height < m->LabelH - 0.01) ++small;
        const TScreenBox body = Body(m);
        if (plate.Meets(body)) {
          ++covering;
          if (covering <= 5)
            std::printf("  %s: \"%s\" at %.0f,%.0f covers its monster at %.0f,%.0f\n", what, m->Question.c_str(),
                        plate.Left, plate.Top, m->X + 512, m->Y + 384);
        }
      }
      if (Res()->Lives <= 0 || Director->Screen(ssGameOver) != nullptr) break;
    }
    std::printf("  %s: %d questions shown over %d steps; drawn heights:", what, shown, steps);
    for (const auto& [h, n] : heights) std::printf(" %d px x%d", h, n);
    std::printf("\n  %s: %d drawn below full size, %d over their own monster\n", what, small, covering);
    EXPECT_GT(shown, 1000) << what << ": the wave came";
    EXPECT_EQ(small, 0) << what << ": questions drawn smaller than their full size";
    EXPECT_EQ(covering, 0) << what << ": questions lying on their own monster";
  }
};

TEST_F(QuestionLabels, EveryQuestionOfTheWaveIsFullSizeFromItsFirstFrameAndClearOfItsMonster) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  OpenTheWave();
  PlayTheWave("usual questions");
}

TEST_F(QuestionLabels, TheLargerQuestionsToo) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  Res()->Options.LargeLabels = 1;
  OpenTheWave();
  PlayTheWave("larger questions");
}

// Each question against its plate, in every way of seeing.
TEST_F(QuestionLabels, AQuestionReadsOnItsPlateInEveryWayOfSeeing) {
  if (!HaveSprites()) GTEST_SKIP() << "the game's sprites are not in the data yet";
  OpenTheWave();
  std::vector<TobjMonster*> ms;
  for (int i = 0; i < 600 && ms.size() < 3; ++i) {
    Tick();
    ms.clear();
    for (TobjMonster* m : Monsters())
      if (m->Label->Visible && !m->Dying && m->DrawnPixels == m->TargetPixels) ms.push_back(m);
  }
  ASSERT_GE(ms.size(), 3u);
  Res()->Paused = true;  // the board stands still while it is measured
  for (TobjMonster* m : {ms[0], ms[1], ms[2]})
    for (contrast::TVision v : contrast::Visions) {
      // The question alone over its plate: the other monsters out of the way.
      std::vector<std::pair<TobjMonster*, bool>> others;
      for (TobjMonster* o : Monsters())
        if (o != m) others.push_back({o, o->Visible}), o->Visible = false;
      const contrast::TMeasure r = contrast::MeasureText(Director->Graphics.get(), m->Label, v);
      for (auto& [o, visible] : others) o->Visible = visible;
      std::printf("  \"%s\", %s: %.2f:1\n", m->Question.c_str(), contrast::VisionName(v), r.Ratio);
      EXPECT_GT(r.GlyphPixels, 20) << m->Question;
      EXPECT_GE(r.Ratio, 4.5) << m->Question << ", " << contrast::VisionName(v);
    }
}

}  // namespace
