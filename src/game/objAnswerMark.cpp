// The answer mark's part of the effect object.
#include "game/objAnswerMark.h"

#include <algorithm>

#include "core/sysRound.h"
#include "tables/defSprites.h"
#include "game/objEffect.h"
#include "objects/sysObjects.h"

namespace {

struct TBar {
  TVector2 From;
  TVector2 To;
};

// The strokes, relative to the mark's centre (y downwards): a tick's short and
// long arm, a cross's two diagonals.
constexpr TBar Tick[2] = {{{-11, 1}, {-4, 9}}, {{-4, 9}, {12, -10}}};
constexpr TBar Cross[2] = {{{-10, -10}, {10, 10}}, {{-10, 10}, {10, -10}}};
constexpr double StrokeHalf = 3;
constexpr double OutlineHalf = 5.5;
constexpr std::int32_t OutlineAlpha = 200;

// A bar of half-thickness half from one end to the other, lengthened by half at
// each end so that strokes meet without a notch.
void SetBar(TrndGfx* item, TBar bar, double half) {
  const TVector2 along = VecScale(VecNormalize(VecSub(bar.To, bar.From)), half);
  const TVector2 across = VecPerp(along);
  const TVector2 a = VecSub(bar.From, along);
  const TVector2 b = VecAdd(bar.To, along);
  const TVector2 corners[4] = {VecAdd(a, across), VecAdd(b, across), VecSub(b, across), VecSub(a, across)};
  item->DrawMode = 4;
  for (int k = 0; k < 4; ++k) item->SetCorner(k, TPointD{corners[k].X, corners[k].Y});
}

}  // namespace

TobjEffect* MarkAnswer(TsysObjects* objects, std::int32_t group, TVector2 at, bool hit) {
  auto* mark = objects->Create<TobjEffect>(group, otEffect, at.X, at.Y, AnswerMark::Layer, 32, 32);
  if (mark != nullptr) mark->StartMark(hit);
  return mark;
}

void TobjEffect::StartMark(bool hit) {
  Kind = ekMark;
  MarkHit = hit;
  const TBar* bars = hit ? Tick : Cross;
  // Outlines first: the strokes are drawn over them.
  for (const double half : {OutlineHalf, StrokeHalf}) {
    for (int i = 0; i < 2; ++i) {
      TrndGfx* item = AddItem(0, 0);
      item->SetImage(CoreSprite::Set, CoreSprite::White, 0);
      SetBar(item, bars[i], half);
      const bool outline = half == OutlineHalf;
      item->SetColorAlpha(outline ? AnswerMark::OutlineColour : (hit ? AnswerMark::HitColour : AnswerMark::MissColour),
                          outline ? OutlineAlpha : 255);
      item->Visible = true;
      MarkStrokes.push_back(item);
    }
  }
  Age = 0;
  Life = AnswerMark::HoldSteps + AnswerMark::FadeSteps;
  Visible = true;
}

void TobjEffect::StepMark() {
  ++Age;
  const std::int32_t fading = Age - AnswerMark::HoldSteps;
  if (fading > 0) {
    const double left = std::max(0.0, 1.0 - static_cast<double>(fading) / AnswerMark::FadeSteps);
    for (std::size_t i = 0; i < MarkStrokes.size(); ++i)
      MarkStrokes[i]->SetAlpha(Round32((i < 2 ? OutlineAlpha : 255) * left));
  }
  if (Age >= Life) {
    Visible = false;
    Finish();
  }
}
