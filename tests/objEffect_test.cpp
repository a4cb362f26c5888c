// Effects and sparks: zap pictures and rows, lifetimes, the rising text, the
// rings, the band's fade, the spark burst, the answer marks, and the pause.
#include <gtest/gtest.h>

#include <cmath>

#include "core/sysRandom.h"
#include "tables/defLevels.h"
#include "tables/defSprites.h"
#include "game/objAnswerMark.h"
#include "game/objEffect.h"
#include "game/objSpark.h"
#include "gameBoardSupport.h"
#include "objects/sysScreenIds.h"

namespace {

class Effects : public ::testing::Test {
 protected:
  Effects() {
    RandomSeed(11);
    Board.UseMission(GameType::WhatsThePoint, 3);
  }
  TobjEffect* Make(double w = 768, double h = 1024) {
    return Board.Objects()->Create<TobjEffect>(grGame, otEffect, 0, 0, 4, static_cast<std::int32_t>(w),
                                               static_cast<std::int32_t>(h));
  }
  // A zap strip from (0, 0) to (length, 0), 64 pixels wide.
  TobjEffect* ZapOf(double length) {
    TobjEffect* e = Make();
    e->Start(TobjEffect::ekZap, {TVector2{0, -32}, TVector2{length, -32}, TVector2{length, 32}, TVector2{0, 32}}, 1);
    return e;
  }
  // Steps until the effect has reported itself done and the stand-in game
  // screen has deleted it; the number of steps taken.
  int StepsToFinish(TobjEffect* e, int limit = 1000) {
    for (int i = 1; i <= limit; ++i) {
      Board.Step();
      if (!Board.Objects()->IsAlive(e)) return i;
    }
    return -1;
  }
  TGameBoard Board;
};

TEST_F(Effects, ZapsTakeTheirPictureAndRowFromTheirLength) {
  struct {
    double Length;
    std::int32_t Row;
    std::int32_t Picture;
  } cases[] = {{100, 16, Sprite::ZapShort}, {200, 8, Sprite::ZapShort}, {384, 8, Sprite::ZapShort},
               {400, 0, Sprite::ZapLong}};
  for (const auto& c : cases) {
    TobjEffect* e = ZapOf(c.Length);
    EXPECT_EQ(e->Row, c.Row) << c.Length;
    EXPECT_EQ(e->Main->ImageIndex, c.Picture) << c.Length;
    EXPECT_EQ(e->Main->DrawMode, 4);
    EXPECT_EQ(e->Main->DrawEffect, 0x104u) << "additive";
    EXPECT_TRUE(e->Main->Visible);
    EXPECT_FALSE(e->Second->Visible);
    TPointD mirrored;
    e->Second->GetCorner(0, mirrored);
    EXPECT_EQ(mirrored.X, c.Length) << "the second picture runs the other way";
  }
}

TEST_F(Effects, AZapFlickersThroughEightFramesAndEndsOnStepTwentyOne) {
  TobjEffect* e = ZapOf(300);
  const std::int32_t first = e->FirstFrame;
  Board.Step();
  EXPECT_EQ(e->Main->GetPattern(), (first + 1) % 8 + 8);
  Board.Step(8);
  EXPECT_EQ(e->Main->GetPattern(), (first + 9) % 8 + 8);
  TobjEffect* other = ZapOf(300);
  EXPECT_EQ(StepsToFinish(other), 21) << "deleted on its done event";
}

TEST_F(Effects, TheDirectorsZapsLastTheirGivenLifeAndSitByLength) {
  Board.Build();
  Board.AI.Zap({-200, 0}, {250, 0}, 3, 40);
  ASSERT_EQ(Board.CountOf(otEffect), 1);
  auto* zap = static_cast<TobjEffect*>(Board.Objects()->TypeObject(otEffect, 0));
  EXPECT_EQ(zap->Layer, 4) << "longer than 384 pixels: under the short ones";
  EXPECT_EQ(zap->Main->Color, 0xFFFF00u);
  ASSERT_EQ(Board.CountOf(otSpark), 1);
  auto* sparks = static_cast<TobjSpark*>(Board.Objects()->TypeObject(otSpark, 0));
  EXPECT_EQ(sparks->Count, 75);
  EXPECT_EQ(sparks->X, -200);
  EXPECT_EQ(sparks->Items.back()->Color, 0xFFFF40u) << "the zap's colour, lightened by 64";
  EXPECT_EQ(StepsToFinish(zap), 41);
  Board.AI.Zap({0, 0}, {100, 0}, 3, 20);
  EXPECT_EQ(Board.Objects()->TypeObject(otEffect, 0)->Layer, 5);
}

TEST_F(Effects, TextsWaitFourteenStepsThenRiseAndFadeUntilStepHundred) {
  TobjEffect* e = Make(300, 50);
  e->Start(TobjEffect::ekText, {}, 7);
  e->SetText("LEVEL UP!");
  EXPECT_TRUE(e->Caption->Visible);
  EXPECT_EQ(e->Caption->Text, "LEVEL UP!");
  // Bold white on a navy plate as wide as the text, read over any board.
  EXPECT_TRUE(e->Caption->Bold);
  EXPECT_EQ(e->Caption->Color, 0xFFFFFFu);
  TrndGfx* plate = e->Second;
  EXPECT_TRUE(plate->Visible);
  EXPECT_EQ(plate->Color, 0x0A1230u);
  EXPECT_GE(plate->Alpha, 160);
  const std::int32_t plateAlpha = plate->Alpha;
  const std::int32_t textWidth = 9 * FontMetrics(14).CharWidth;
  EXPECT_GT(plate->Width, textWidth);
  EXPECT_LE(plate->Width, 300);
  EXPECT_GT(plate->Height, FontMetrics(14).CharHeight);
  EXPECT_DOUBLE_EQ(plate->RelX * 2 + plate->Width, 300) << "centred under the text";
  const double plateY = plate->RelY;
  Board.Step(14);
  EXPECT_EQ(e->Caption->RelY, 0);
  EXPECT_EQ(e->Caption->Alpha, 255);
  Board.Step();
  EXPECT_EQ(e->Caption->Alpha, 255);
  EXPECT_DOUBLE_EQ(e->Caption->RelY, 0.5);
  Board.Step(50);
  EXPECT_EQ(e->Caption->Alpha, 105);
  EXPECT_DOUBLE_EQ(e->Caption->RelY, 10.5 - 25);
  EXPECT_EQ(plate->Alpha, plateAlpha * 105 / 255) << "the plate fades with its text";
  EXPECT_DOUBLE_EQ(plate->RelY, plateY + 10.5 - 25) << "and rises with it";
  EXPECT_EQ(StepsToFinish(e), 35) << "100 steps in all";
}

// The length of an answer mark's stroke i (its first edge).
double StrokeLength(const TobjEffect* mark, std::size_t i) {
  TPointD a;
  TPointD b;
  mark->MarkStrokes[i]->GetCorner(0, a);
  mark->MarkStrokes[i]->GetCorner(1, b);
  return std::hypot(b.X - a.X, b.Y - a.Y);
}

TEST_F(Effects, AnswerMarksAreATickOrACrossShownAtOnceThenFadeAndEnd) {
  TobjEffect* hit = MarkAnswer(Board.Objects(), grGame, {100, -50}, true);
  TobjEffect* miss = MarkAnswer(Board.Objects(), grGame, {-30, 20}, false);
  ASSERT_NE(hit, nullptr);
  ASSERT_NE(miss, nullptr);
  EXPECT_EQ(hit->X, 100);
  EXPECT_EQ(hit->Y, -50);
  EXPECT_EQ(miss->X, -30);
  for (TobjEffect* m : {hit, miss}) {
    ASSERT_EQ(m->MarkStrokes.size(), 4u) << "two outlines under two strokes";
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_TRUE(m->MarkStrokes[i]->Visible);
      EXPECT_EQ(m->MarkStrokes[i]->DrawMode, 4);
    }
    EXPECT_EQ(m->MarkStrokes[0]->Color, AnswerMark::OutlineColour);
    EXPECT_EQ(m->MarkStrokes[2]->Alpha, 255) << "full strength from the first step";
  }
  EXPECT_TRUE(hit->MarkHit);
  EXPECT_FALSE(miss->MarkHit);
  EXPECT_EQ(hit->MarkStrokes[2]->Color, AnswerMark::HitColour);
  EXPECT_EQ(miss->MarkStrokes[3]->Color, AnswerMark::MissColour);
  // Shape alone tells them apart: a tick's arms differ in length and meet at
  // an end, a cross's are equal and cross at the middle.
  EXPECT_GT(StrokeLength(hit, 3), StrokeLength(hit, 2) * 1.5);
  EXPECT_DOUBLE_EQ(StrokeLength(miss, 2), StrokeLength(miss, 3));
  TPointD crossA;
  TPointD crossB;
  miss->MarkStrokes[2]->GetCorner(0, crossA);
  miss->MarkStrokes[2]->GetCorner(2, crossB);
  EXPECT_NEAR((crossA.X + crossB.X) / 2, 0, 1e-9);
  EXPECT_NEAR((crossA.Y + crossB.Y) / 2, 0, 1e-9);

  Board.Step(AnswerMark::HoldSteps);
  EXPECT_EQ(hit->MarkStrokes[2]->Alpha, 255);
  Board.Step(AnswerMark::FadeSteps / 2);
  EXPECT_EQ(hit->MarkStrokes[2]->Alpha, 128);
  EXPECT_EQ(StepsToFinish(hit), AnswerMark::FadeSteps / 2) << "gone within a second";
  EXPECT_FALSE(Board.Objects()->IsAlive(miss));
}

TEST_F(Effects, DoomRingsGrowAndFadeOneAfterAnother) {
  TobjEffect* e = Make(64, 64);
  e->Start(TobjEffect::ekDoomRings, {}, 7);
  Board.Step(16);  // age 64
  EXPECT_EQ(e->Main->Width, 96);
  EXPECT_EQ(e->Main->RelX, 32 - 48);
  EXPECT_EQ(e->Main->Alpha, 128);
  EXPECT_EQ(e->Second->Width, 0) << "not yet started";
  Board.Step(16);  // age 128
  EXPECT_EQ(e->Main->Width, 192);
  EXPECT_EQ(e->Main->Alpha, 0);
  EXPECT_EQ(e->Second->Width, 80);
  EXPECT_EQ(e->Second->Alpha, 128);
  Board.Step(16);  // age 192
  EXPECT_EQ(e->Second->Width, 160);
  EXPECT_EQ(e->Second->Alpha, 0);
  EXPECT_EQ(e->Third->Width, 64);
  EXPECT_EQ(e->Third->Alpha, 128);
  EXPECT_EQ(e->Main->Width, 192) << "the first ring stays where it ended";
  EXPECT_EQ(StepsToFinish(e), 16) << "64 steps in all";
}

TEST_F(Effects, TheBlastRingSpreadsFromTheOriginAndFades) {
  TobjEffect* e = Make(1024, 768);
  e->Start(TobjEffect::ekBlastRing, {}, 7);
  EXPECT_EQ(e->Main->RelX, 128);
  Board.Step(10);  // age 150
  EXPECT_EQ(e->Main->Width, 150);
  EXPECT_EQ(e->Main->RelX, 128 - 75);
  EXPECT_EQ(e->Main->RelY, -75);
  EXPECT_EQ(e->Main->Alpha, 205);
  EXPECT_EQ(StepsToFinish(e), 42) << "ends once its age reaches 768";
}

// A line is an opaque light band, a pixel wider than asked on each side, with
// a dark groove two pixels wide along its middle; fading out from 192 it ends
// on its twenty-fifth step, the groove with it.
TEST_F(Effects, ALineIsABandWithAGrooveAndFadingOutFrom192EndsOnItsTwentyFifthStep) {
  TobjEffect* e = Make(512, 512);
  e->Start(TobjEffect::ekLine, {TVector2{0, 0}, TVector2{10, 0}, TVector2{10, 4}, TVector2{0, 4}}, 7);
  EXPECT_EQ(e->Main->Alpha, 255);
  EXPECT_EQ(e->Main->Color, 0xFFFFFFu);
  ASSERT_TRUE(e->Second->Visible);
  TPointD c0, c2;
  e->Main->GetCorner(0, c0);
  e->Main->GetCorner(2, c2);
  EXPECT_NEAR(c0.X, -1, 1e-9);
  EXPECT_NEAR(c0.Y, -1, 1e-9);
  EXPECT_NEAR(c2.X, 11, 1e-9);
  EXPECT_NEAR(c2.Y, 5, 1e-9);
  e->Second->GetCorner(0, c0);
  e->Second->GetCorner(2, c2);
  EXPECT_NEAR(c0.X, 1, 1e-9);
  EXPECT_NEAR(c0.Y, 1, 1e-9);
  EXPECT_NEAR(c2.X, 9, 1e-9);
  EXPECT_NEAR(c2.Y, 3, 1e-9);
  EXPECT_LT(e->Second->Color, 0x202020u) << "a dark groove";
  const std::int32_t groove = e->Second->Alpha;
  EXPECT_GT(groove, 128);
  Board.Step(5);
  EXPECT_EQ(e->Main->Alpha, 255) << "no fade until asked";
  e->Main->SetAlpha(192);
  e->Fade(false);
  Board.Step();
  EXPECT_EQ(e->Main->Alpha, 184);
  EXPECT_EQ(e->Second->Alpha, 184 * groove / 255) << "the groove fades with the band";
  EXPECT_EQ(StepsToFinish(e), 24);
  EXPECT_FALSE(e->Second->Visible);

  TobjEffect* in = Make(512, 512);
  in->Start(TobjEffect::ekLine, {}, 8);
  in->Main->SetAlpha(128);
  in->Fade(true);
  EXPECT_EQ(StepsToFinish(in), 16) << "128 up to 256 in steps of 8";
}

TEST_F(Effects, ABurstOf75SparksSpreadsToARingOf75To82Pixels) {
  auto* s = Board.Objects()->Create<TobjSpark>(grGame, otSpark, 0, 0, 5, 4, 4);
  s->Burst({100, -50}, 75, 0x40FF40, 30, 2.5);
  EXPECT_EQ(s->X, 100);
  EXPECT_EQ(s->ItemCount(), 76) << "a hidden main item and one per spark";
  const TrndGfx* dot = s->Items.back().get();
  EXPECT_EQ(dot->Width, 4);
  EXPECT_EQ(dot->TexCoord.SrcX, 146);
  EXPECT_EQ(dot->TexCoord.SrcY, 165);
  EXPECT_EQ(dot->TexCoord.SrcWidth, 2);
  EXPECT_EQ(dot->DrawMode, 3);
  Board.Screen.DeleteDone = false;
  Board.Step(29);
  EXPECT_EQ(Board.Screen.Count(ekGame, 47), 0);
  Board.Step();
  ASSERT_EQ(Board.Screen.Count(ekGame, 47), 1);
  double nearest = 1e9;
  double farthest = 0;
  for (std::int32_t i = 1; i < s->ItemCount(); ++i) {
    const double r = std::hypot(s->Item(i)->RelX, s->Item(i)->RelY);
    nearest = std::min(nearest, r);
    farthest = std::max(farthest, r);
    EXPECT_EQ(s->Item(i)->Alpha, 8) << "255 / 30 * 1 = 8.5, rounded to the even 8";
  }
  EXPECT_GE(nearest, 75 - 1e-9);
  EXPECT_LE(farthest, 82.25 + 1e-9);
  EXPECT_GT(farthest - nearest, 3) << "the starting places differ";
  Board.Step(5);
  EXPECT_EQ(Board.Screen.Count(ekGame, 47), 1) << "reported once";
}

TEST_F(Effects, NothingMovesWhileTheGameIsPaused) {
  TobjEffect* zap = ZapOf(300);
  TobjEffect* text = Make(300, 50);
  text->Start(TobjEffect::ekText, {}, 7);
  auto* s = Board.Objects()->Create<TobjSpark>(grGame, otSpark, 0, 0, 5, 4, 4);
  s->Burst({0, 0}, 10, 0xFFFFFF, 30, 2.5);
  Board.Step(20);
  const std::int32_t pattern = zap->Main->GetPattern();
  const double textY = text->Caption->RelY;
  const double sparkX = s->Item(1)->RelX;
  Board.Res().Paused = true;
  Board.Step(100);
  EXPECT_EQ(zap->Age, 20);
  EXPECT_EQ(zap->Main->GetPattern(), pattern);
  EXPECT_EQ(text->Age, 240);
  EXPECT_EQ(text->Caption->RelY, textY);
  EXPECT_EQ(s->Item(1)->RelX, sparkX);
  EXPECT_EQ(s->Left, 10);
  EXPECT_EQ(Board.Screen.Count(ekGame, 22), 0);
  Board.Res().Paused = false;
  Board.Step();
  EXPECT_EQ(Board.Screen.Count(ekGame, 22), 1) << "the zap ends on its 21st running step";
}

}  // namespace
