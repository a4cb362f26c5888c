#include "game/objSpark.h"

#include <algorithm>
#include <cmath>

#include "core/sysRandom.h"
#include "core/sysRound.h"
#include "data/sysResources.h"
#include "tables/defSprites.h"

namespace {

constexpr std::int32_t DotSize = 4;
constexpr std::int32_t DotTexels = 2;

}  // namespace

TobjSpark::TobjSpark(TsysResources* resources, std::int32_t group, std::int32_t objType, double x, double y,
                     double layer, std::int32_t width, std::int32_t height)
    : TobjBase(resources, group, objType, x, y, layer, width, height) {
  MainItem->Visible = false;
}

void TobjSpark::Burst(TVector2 position, std::int32_t count, std::uint32_t colour, std::int32_t life, double speed) {
  X = position.X;
  Y = position.Y;
  Total = life;
  Left = life;
  Count = std::max(count, 0);
  Done = false;
  while (ItemCount() > 1) DeleteItem(ItemCount() - 1);
  Dots.clear();
  Velocities.clear();
  Dots.reserve(static_cast<std::size_t>(Count));
  Velocities.reserve(static_cast<std::size_t>(Count));
  TTexCoord dot;
  dot.SrcX = CoreSprite::SparkX;
  dot.SrcY = CoreSprite::SparkY;
  dot.SrcWidth = DotTexels;
  dot.SrcHeight = DotTexels;
  for (std::int32_t i = 0; i < Count; ++i) {
    const double angle = Random(62830) / 10000.0;
    const TVector2 velocity{std::cos(angle) * speed, std::sin(angle) * speed};
    const double start = Random(30) / 10.0;
    TrndGfx* item = AddPicture(CoreSprite::Set, CoreSprite::FontSheet, 0, dot,
                               TPointD{velocity.X * start, velocity.Y * start}, TPointI{DotSize, DotSize}, colour, 255);
    item->DrawMode = 3;
    Dots.push_back(item);
    Velocities.push_back(velocity);
  }
}

void TobjSpark::ProcessEvents() {
  TobjBase::ProcessEvents();
  if (Done || Resources->GameOver || Resources->Paused) return;
  const std::int32_t alpha = Total > 0 ? Round32(255.0 / Total * Left) : 0;
  for (std::size_t i = 0; i < Dots.size(); ++i) {
    Dots[i]->RelX += Velocities[i].X;
    Dots[i]->RelY += Velocities[i].Y;
    Dots[i]->SetAlpha(alpha);
  }
  --Left;
  if (Left <= 0) {
    Done = true;
    // The game screen deletes the burst while it handles the event.
    PostEvent(pmImmediate, ekGame, 47, Index, 0);
  }
}
