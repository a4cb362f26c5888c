// A board of each game type, built and played headless through input events
// and drawn by the real SDL device with the game's own archives: monsters are
// answered and seen to die, and a frame of each game is written as a PNG
// (build/game-*.png) for people to look at.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/sysRandom.h"
#include "data/sysImages.h"
#include "tables/defLevels.h"
#include "game/objEffect.h"
#include "gameBoardSupport.h"
#include "platform/platDevice.h"
#include "platform/platWindow.h"
#include "render/modGraphics.h"

namespace {

class GameScene : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
  void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

  // Plays the scene that play() sets up on a board with the real device and
  // archives, then writes the frame that frame() chooses.
  template <class Play>
  void Run(const std::string& name, Play play) {
    TplatWindow window;
    ASSERT_TRUE(window.Create(false));
    TGameBoard board(false);
    board.Res().Settings.Fullscreen = 0;
    TmodGraphics graphics(&window, &board.Iface, [&window]() -> std::unique_ptr<TrndDevice> {
      return TplatDevice::Create(&window, true, true);
    });
    ASSERT_TRUE(graphics.Initialise());
    graphics.SkipIdenticalFrames = false;
    board.UseDevice(graphics.GetDevice());
    for (const char* archive : {"core", "screens", "sprites", "interfaces"})
      board.Res().LoadArchive(std::string(PLOTFRAY_DATA_DIR) + archive + ".asdb");
    // As the director does after loading.
    board.Res().SetImageGeometry(2, 2, TPointSize{68, 68}, TPointSize{68, 68});
    board.Res().SetImageGeometry(2, 6, TPointSize{48, 48}, TPointSize{48, 48});
    TImageSet* core = board.Res().ImageSet(0);
    if (core == nullptr || core->Image(2) == nullptr) {
      board.Objects()->DeleteAll();
      graphics.Finalise();
      GTEST_SKIP() << "the font sheet is not in the data yet";
    }
    RandomSeed(2024);
    play(board);
    graphics.RenderFrame();
    EXPECT_GT(graphics.Frame().size(), 60u) << "map, points, labels, sparks";
    const std::string path = std::string(PLOTFRAY_BINARY_DIR) + "game-" + name + ".png";
    ASSERT_TRUE(graphics.SaveScreenshot(path));
    EXPECT_GT(std::filesystem::file_size(path), 10000u);
    board.Objects()->DeleteAll();
    graphics.Finalise();
  }

  // Steps until the monster has shrunk away and been deleted.
  static void PlayUntilGone(TGameBoard& board, TobjMonster* m) {
    for (int i = 0; i < 200 && board.Objects()->IsAlive(m); ++i) board.Step();
  }
  static bool DiedAnswered(const TGameBoard& board) {
    const TGameEvent* gone = board.Screen.Last(ekGame, 17);
    return gone != nullptr && gone->Value == 1;
  }
};

TEST_F(GameScene, RozirIvivurudaMonstersDieToClicksOnTheirQuadrants) {
  Run("quadrants", [](TGameBoard& board) {
    board.UseArcade(GameType::QuickQuadrants, Difficulty::Hard);
    board.Build();
    board.ForceSize(1);
    TobjMonster* first = board.SpawnGrown(-180, -250);
    board.ForceSize(2);
    TobjMonster* second = board.SpawnGrown(420, 230);
    board.ForceSize(3);
    TobjMonster* third = board.SpawnGrown(-120, 260);
    // One click answers every monster of its quadrant: keep these three apart.
    for (TobjMonster* m : {second, third}) {
      const auto clash = [&] {
        return QuadrantOf(m->AnswerPoint.X, m->AnswerPoint.Y) == QuadrantOf(first->AnswerPoint.X, first->AnswerPoint.Y) ||
               (m == third && third->AnswerPoint.X == second->AnswerPoint.X &&
                third->AnswerPoint.Y == second->AnswerPoint.Y);
      };
      for (int tries = 0; tries < 1000 && clash(); ++tries) m->GenerateQuestion();
      ASSERT_FALSE(clash()) << "no question apart from the others";
    }

    board.Click(board.Tile(QuadrantOf(first->AnswerPoint.X, first->AnswerPoint.Y)));
    PlayUntilGone(board, first);
    EXPECT_FALSE(board.Objects()->IsAlive(first));
    EXPECT_TRUE(DiedAnswered(board));

    // The medium one: the first click shrinks it to a new quadrant, the second kills it.
    board.Click(board.Tile(QuadrantOf(second->AnswerPoint.X, second->AnswerPoint.Y)));
    board.Step(10);
    ASSERT_FALSE(second->Dying);
    board.Click(board.Tile(QuadrantOf(second->AnswerPoint.X, second->AnswerPoint.Y)));
    board.Step(4);  // the frame: zaps and sparks flying, the monster groaning
    EXPECT_TRUE(second->Dying);
    board.MoveTo(512 + 300, 384 - 150);
    board.Step(2);
  });
}

TEST_F(GameScene, VoverUdaZerirMonstersDieToClicksOnTheirPoints) {
  Run("points", [](TGameBoard& board) {
    board.UseArcade(GameType::WhatsThePoint, Difficulty::Medium);  // R = 3
    board.Build();
    board.ForceSize(1);
    TobjMonster* first = board.SpawnGrown(-190, -300);
    board.ForceSize(2);
    TobjMonster* second = board.SpawnGrown(430, -250);
    board.ForceSize(3);
    board.SpawnGrown(-150, 250);
    board.ForceSize(2);
    board.SpawnGrown(440, 290);

    board.Click(board.Point(first->AnswerPoint.X, first->AnswerPoint.Y));
    PlayUntilGone(board, first);
    EXPECT_FALSE(board.Objects()->IsAlive(first));
    EXPECT_TRUE(DiedAnswered(board));

    board.Click(board.Point(second->AnswerPoint.X, second->AnswerPoint.Y));
    board.Step(4);
    EXPECT_TRUE(second->Dying);
    // The pointer rests over another point, which has grown.
    const TobjGridPoint* over = board.Point(-2, 1);
    board.MoveTo(over->X + 512, over->Y + 384);
    board.Step(8);
  });
}

TEST_F(GameScene, DefineTheLineMonstersDieToTwoPointsOfTheirLine) {
  Run("lines", [](TGameBoard& board) {
    board.UseArcade(GameType::DefineTheLine, Difficulty::Medium);  // R = 3
    board.Build();
    board.ForceSize(1);
    TobjMonster* first = board.SpawnGrown(-190, -300);
    board.ForceSize(2);
    TobjMonster* second = board.SpawnGrown(430, -250);
    board.ForceSize(3);
    TobjMonster* third = board.SpawnGrown(-150, 250);

    board.Click(board.Point(first->AnswerPoint.X, first->AnswerPoint.Y));
    board.Click(board.Point(first->SecondPoint.X, first->SecondPoint.Y));
    PlayUntilGone(board, first);
    EXPECT_FALSE(board.Objects()->IsAlive(first));
    EXPECT_TRUE(DiedAnswered(board));

    board.Click(board.Point(second->AnswerPoint.X, second->AnswerPoint.Y));
    board.Click(board.Point(second->SecondPoint.X, second->SecondPoint.Y));
    board.Step(4);
    EXPECT_TRUE(second->Dying);
    // Choosing the next line: the band stretches from the first point to the pointer.
    board.Click(board.Point(third->AnswerPoint.X, third->AnswerPoint.Y));
    const TobjGridPoint* over = board.Point(third->SecondPoint.X, third->SecondPoint.Y);
    board.MoveTo(over->X + 512, over->Y + 384);
    board.Step(2);
    ASSERT_NE(board.AI.Band, nullptr);
    EXPECT_TRUE(board.AI.Band->Visible);
  });
}

}  // namespace
